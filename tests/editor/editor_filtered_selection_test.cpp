#include "editor_commands_harness.h"

#include "ui/common/edit_actions.h"

namespace korvland::testing {
namespace {

// Ten landmarks, the odd ones Allied, record 6 of type 06 and so off; the filter, when set,
// shows the Allied five.
struct FilteredCase {
    const char* what;
    bool filtered;
    QList<int> before;             // the selection before the command
    const char* command;           // an "Edit" action's objectName
    std::optional<bool> changeAll; // the answer to the hidden-records question, when asked
    QList<int> selected;           // the selection after
    QList<int> switchedOff;        // the records switched off after
    const char* panel;             // the status bar's selection panel
};

const FilteredCase kFiltered[] = {
    {"all, no filter", false, {}, "SelectAll", {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {6}, "10 selected"},
    {"all, filtered", true, {0}, "SelectAll", {}, {1, 3, 5, 7, 9}, {6}, "5 selected (filtered)"},
    {"invert, filtered", true, {0, 1}, "InvertSelection", {}, {0, 3, 5, 7, 9}, {6}, "5 selected (filtered)"},
    {"edit, all shown", true, {1, 3}, "SwitchOff", {}, {1, 3}, {1, 3, 6}, "2 selected (filtered)"},
    {"edit, hidden too",
     true,
     {0, 2, 3},
     "SwitchOff",
     true,
     {0, 2, 3},
     {0, 2, 3, 6},
     "3 selected (filtered)"},
    {"edit, shown only", true, {0, 2, 3}, "SwitchOff", false, {0, 2, 3}, {3, 6}, "3 selected (filtered)"},
};

TEST_F(EditorCommandsTest, SelectAllInvertAndEditsOfTheSelectionKeepToWhatTheFilterShows) {
    create();
    const QString path = landmarkFile("lndmrks0.dat", 10);
    for (const FilteredCase& c : kFiltered) {
        SCOPED_TRACE(c.what);
        document.read(path);
        LandmarkFilter allied;
        allied.side = SideFilter::Allied;
        document.setFilter(c.filtered ? allied : LandmarkFilter{});
        document.setSelection(c.before);
        if (c.changeAll)
            dialogs.expectQuestion(*c.changeAll);
        windows.editActions->findChild<QAction*>(QLatin1String(c.command))->trigger();
        EXPECT_EQ(document.selectedIndices(), c.selected);
        QList<int> off;
        for (int i = 0; i < set.recordCount(); ++i)
            if (!document.isActive(i))
                off << i;
        EXPECT_EQ(off, c.switchedOff);
        EXPECT_EQ(labelText(editor_names::kSelectionPanel), c.panel);
        if (c.changeAll) {
            EXPECT_EQ(dialogs.last().text,
                      "2 of the 3 selected landmarks are hidden by the filter. Change them too?");
        }
    }
}

} // namespace
} // namespace korvland::testing
