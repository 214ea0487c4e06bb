#include "app/qt_dialogs.h"

#include <gtest/gtest.h>

namespace korvland {
namespace {

TEST(FileDialogFilters, PairsBecomeQtNameFiltersAndAllFilesShowsNamesWithoutDot) {
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Landmark Files|Lndmrks?.dat|Data Flies|*.dat|All Files|*.*")),
              (QStringList{QStringLiteral("Landmark Files (Lndmrks?.dat)"),
                           QStringLiteral("Data Flies (*.dat)"), QStringLiteral("All Files (*)")}));
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Landmark Profile|*.lmp")),
              QStringList{QStringLiteral("Landmark Profile (*.lmp)")});
    // A description without its pattern is dropped rather than shown as a filter matching nothing.
    EXPECT_EQ(toQtNameFilters(QStringLiteral("Broken")), QStringList{});
}

} // namespace
} // namespace korvland
