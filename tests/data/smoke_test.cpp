#include "data/landmark_kind.h"

#include <gtest/gtest.h>

TEST(Smoke, TypeThreeSplitsAtTwenty) {
    EXPECT_EQ(korvland::classifyKind(3, 19), korvland::LandmarkKind::TrainStation);
}
