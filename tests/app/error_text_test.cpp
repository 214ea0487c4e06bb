#include "ui/common/dialogs.h"

#include <gtest/gtest.h>

namespace korvland {
namespace {

TEST(ErrorBoxText, AppendsPeriodOnlyAfterCharactersSortingAfterIt) {
    struct Case {
        const char* message;
        const char* shown;
    } const cases[] = {
        {"File not found", "File not found."},
        {"I/O error 5", "I/O error 5."},                       // '5' sorts after '.'
        {"Disk full.", "Disk full."},                          // already closed
        {"Unable to write to /x/", "Unable to write to /x/."}, // '/' sorts after '.'
        {"Is it (x)", "Is it (x)"},                            // ')' sorts before '.'
        {"Careful!", "Careful!"},                              // '!' sorts before '.'
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorBoxText(QString::fromUtf8(c.message)).toStdString(), c.shown) << c.message;
}

} // namespace
} // namespace korvland
