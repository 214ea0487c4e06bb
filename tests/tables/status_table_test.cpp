#include "support_gui/named.h"
#include "tables_fixture.h"

#include "support_gui/render_keep.h"
#include "ui/common/hint_presenter.h"
#include "ui/common/record_format.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/path_label.h"
#include "ui/tables/status_window.h"

#include <QApplication>
#include <QScrollBar>

#include <functional>

namespace korvland::testing {
namespace {
using namespace editor_names;

// Seven records: sides 1, 0, 2, 255, 1, 0, 1; record 1 is of type 6 (read switched off).
LandmarkFileBuilder sevenPlaces() {
    LandmarkRecord fortyWide = makeRecord(1004, 4, 0, 1, "");
    const std::string forty = "A name of exactly forty characters, full";
    std::copy(forty.begin(), forty.end(), fortyWide.name.begin());
    LandmarkRecord withJunk = makeRecord(1006, 8, 0, 1, "Ypres");
    withJunk.name[6] = 'X'; // bytes after the terminator are not part of the name
    return LandmarkFileBuilder()
        .add(makeRecord(1000, 0, 0, 1, "Allied airfield"))
        .add(makeRecord(1001, 6, 0xAC, 0, "Switched off depot"))
        .add(makeRecord(1002, 1, 0, 2, "Side two city"))
        .add(makeRecord(1003, 9, 0, 255, "Side 255 blank"))
        .add(fortyWide)
        .add(makeRecord(1005, 5, 0x14, 0, "Caf\xE9 balloon"))
        .add(withJunk);
}

class StatusTableTest : public TablesTest {
  protected:
    void SetUp() override {
        open(sevenPlaces());
        QTest::mouseClick(tableButton(), Qt::LeftButton);
    }
};

TEST_F(StatusTableTest, TableButtonListsEveryRecordWithItsNameSideColourAndTick) {
    ASSERT_TRUE(status->isVisible());
    EXPECT_FALSE(tableButton()->isEnabled());
    const struct {
        QString name;
        bool allied, ticked;
    } rows[] = {
        {QStringLiteral("Allied airfield"), true, true},
        {QStringLiteral("Switched off depot"), false, false},
        {QStringLiteral("Side two city"), false, true},
        {QStringLiteral("Side 255 blank"), false, true},
        {QStringLiteral("A name of exactly forty characters, full"), true, true},
        {QStringLiteral("Café balloon"), false, true},
        {QStringLiteral("Ypres"), true, true},
    };
    ASSERT_EQ(rowCount(), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rowAt(i).data().toString(), rows[i].name);
        EXPECT_EQ(rowAt(i).data(Qt::ForegroundRole).value<QColor>(),
                  rows[i].allied ? QColor(0, 0, 255) : QColor(0, 0, 0));
        EXPECT_EQ(ticked(i), rows[i].ticked);
    }
}

// One step of the user on the list and what it leaves: the row's tick, the record's
// flag, the record the editor shows and its "Active Landmark" item (0 "Yes", 1 "No").
struct ListStep {
    enum Input { Box, Name, Space, Down } input;
    int row; // the row the step acts on and looks at
    bool ticked;
    int flag;
    int activeItem;
};

TEST_F(StatusTableTest, TicksAndSelectionsApplyToTheRecordAndSelectIt) {
    const ListStep steps[] = {
        {ListStep::Box, 1, false, 1, 1},   // type 6: the tick is refused
        {ListStep::Space, 1, false, 1, 1}, // by the space bar too
        {ListStep::Box, 3, false, 1, 1},   // unticking switches off
        {ListStep::Box, 3, true, 0, 0},    // ticking switches on
        {ListStep::Name, 4, true, 0, 0},   // a name selects and keeps the flag
        {ListStep::Space, 4, false, 1, 1}, // the space bar toggles the selected row
        {ListStep::Space, 4, true, 0, 0},  {ListStep::Name, 1, false, 1, 1},
        {ListStep::Down, 2, true, 0, 0}, // arrows select as clicks do
    };
    for (const ListStep& step : steps) {
        SCOPED_TRACE("step on row " + std::to_string(step.row) + " input " + std::to_string(step.input));
        switch (step.input) {
        case ListStep::Box:
            clickBox(step.row);
            break;
        case ListStep::Name:
            clickName(step.row);
            break;
        case ListStep::Space:
            QTest::keyClick(list(), Qt::Key_Space);
            break;
        case ListStep::Down:
            QTest::keyClick(list(), Qt::Key_Down);
            break;
        }
        EXPECT_EQ(status->selectedRow(), step.row);
        EXPECT_EQ(ticked(step.row), step.ticked);
        EXPECT_EQ(set.disabledFlag(static_cast<std::size_t>(step.row)), step.flag);
        EXPECT_EQ(shownIndex(), step.row);
        EXPECT_EQ(activeItem(), step.activeItem);
    }
    EXPECT_TRUE(editor->isModified());
}

// Type 06 is written switched off, so neither window lets it be switched on, and both say
// why in the editor's notice panel, whole, until the next edit.
TEST_F(StatusTableTest, SwitchingOnATypeSixLandmarkIsRefusedWithTheReasonInEitherWindow) {
    auto* notice = named<PathLabel>(editor, kNoticePanel);
    const QString standing = notice->text();
    const std::function<void()> attempts[] = {
        [this] { clickItem(kActiveGroup, 0); },
        [this] { clickBox(1); },
        [this] {
            clickName(1);
            QTest::keyClick(list(), Qt::Key_Space);
        },
    };
    for (std::size_t i = 0; i < std::size(attempts); ++i) {
        SCOPED_TRACE(i);
        editor->setRecordNumber(2);
        editor->selectRecord();
        attempts[i]();
        EXPECT_EQ(set.disabledFlag(1), 1);
        EXPECT_FALSE(ticked(1));
        EXPECT_EQ(shownIndex(), 1);
        EXPECT_EQ(activeItem(), 1);
        EXPECT_EQ(notice->text(), typeSixStaysOffNotice());
        EXPECT_EQ(notice->shownText(), notice->text()) << "the whole line is in sight";
        if (i == 0)
            keep(editor->grab(), "editor_type_six_refused.png");
        clickBox(3); // an edit: the line goes
        EXPECT_EQ(notice->text(), standing);
        clickBox(3);
    }
}

TEST_F(StatusTableTest, ARowShowsItsWholeNameAsItsHint) {
    std::int64_t now = 1000;
    HintPresenter presenter(nullptr, [&now] { return now; });
    status->resize(260, 218); // columns narrower than the forty characters of row 4
    QApplication::processEvents();
    for (int row : {4, 0}) {
        SCOPED_TRACE(row);
        const QRect rect = list()->visualRect(rowAt(row));
        QTest::mouseMove(list()->viewport(), rect.center());
        now += 250;
        presenter.runDue();
        ASSERT_TRUE(presenter.balloon().isVisible());
        EXPECT_EQ(presenter.balloon().text(), rowAt(row).data().toString());
        if (row == 4) {
            keep(status->grab(), "status_table_cut_name.png");
            keep(const_cast<HintBalloon&>(presenter.balloon()).grab(), "status_table_row_hint.png");
        }
    }
    EXPECT_LT(list()->visualRect(rowAt(4)).width(),
              list()->fontMetrics().horizontalAdvance(rowAt(4).data().toString()))
        << "the name is cut where it is shown";
}

TEST_F(TablesTest, SelectionsTheUserDidNotMakeRunNoClickHandling) {
    // Click handling would turn a profile's flag 2 into 1 and make the record current.
    open(sevenPlaces());
    std::array<std::uint8_t, kMaxRecords> flags{};
    flags[0] = flags[5] = 2;
    openProfileWith(flags);
    editor->setRecordNumber(4);
    editor->selectRecord();

    // The list taking the focus when the table opens; the current record's row is selected.
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    status->activateWindow();
    list()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(list()->hasFocus());
    EXPECT_EQ(status->selectedRow(), 3);

    // The map selecting the row of a clicked marker.
    status->selectRow(5);
    EXPECT_EQ(status->selectedRow(), 5);
    status->selectRow(99); // no such row: nothing changes
    EXPECT_EQ(status->selectedRow(), 5);

    EXPECT_EQ(shownIndex(), 3);
    EXPECT_EQ(set.disabledFlag(0), 2);
    EXPECT_EQ(set.disabledFlag(5), 2);
    EXPECT_FALSE(editor->isModified());
}

TEST_F(StatusTableTest, EditorActiveStateTicksTheRowOfTheRecord) {
    editor->setRecordNumber(5);
    editor->selectRecord();
    clickItem(kActiveGroup, 1);
    EXPECT_FALSE(ticked(4));
    EXPECT_EQ(set.disabledFlag(4), 1);
    clickItem(kActiveGroup, 0);
    EXPECT_TRUE(ticked(4));
}

TEST_F(StatusTableTest, ClosingGivesTheButtonBackAndAnotherFileReadHidesTheTable) {
    status->close();
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(tableButton()->isEnabled());

    QTest::mouseClick(tableButton(), Qt::LeftButton);
    ASSERT_TRUE(status->isVisible());
    open(LandmarkFileBuilder()
             .add(makeRecord(1000, 0, 0, 0, "Verdun citadel"))
             .add(makeRecord(1001, 1, 0, 1, "Douaumont")),
         "lndmrks2.dat");
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(tableButton()->isEnabled());
    // The rows of the previous file stay until the table is filled again.
    EXPECT_EQ(rowCount(), 7);

    QTest::mouseClick(tableButton(), Qt::LeftButton);
    ASSERT_EQ(rowCount(), 2);
    EXPECT_EQ(rowAt(0).data().toString(), QStringLiteral("Verdun citadel"));
    EXPECT_EQ(rowAt(1).data().toString(), QStringLiteral("Douaumont"));
    EXPECT_EQ(rowAt(1).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
}

TEST_F(StatusTableTest, MinimisedTablesAreHiddenByAFileReadAndComeBackInSight) {
    editorAction(kDataAction)->trigger();
    status->setWindowState(Qt::WindowMinimized);
    ownership->setWindowState(Qt::WindowMinimized);
    open(LandmarkFileBuilder().addMany(3), "lndmrks4.dat");
    EXPECT_TRUE(status->isHidden());
    EXPECT_TRUE(ownership->isHidden());
    EXPECT_TRUE(tableButton()->isEnabled());

    QTest::mouseClick(tableButton(), Qt::LeftButton);
    editorAction(kDataAction)->trigger();
    EXPECT_FALSE(status->isMinimized());
    EXPECT_FALSE(ownership->isMinimized());
    EXPECT_EQ(rowCount(), 3);
}

TEST_F(TablesTest, ThousandRowsFlowDownThreeColumnsAndScrollSideways) {
    open(LandmarkFileBuilder().addMany(1024));
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    QApplication::processEvents();

    for (const QSize size : {QSize(391, 218), QSize(520, 333), QSize(300, 120)}) {
        SCOPED_TRACE(size.height());
        status->resize(size);
        QApplication::processEvents();
        CheckList* rows = list();
        rows->scrollTo(rowAt(0));
        const QSize view = rows->viewport()->size();
        int perColumn = 0;
        while (rows->visualRect(rowAt(perColumn)).left() == 0)
            ++perColumn;
        // Whole rows: the first column ends with a complete row and the window has no room
        // below the list for another.
        EXPECT_EQ(rows->visualRect(rowAt(perColumn - 1)).top(), (perColumn - 1) * 16);
        EXPECT_LE(perColumn * 16, view.height());
        EXPECT_GT((perColumn + 1) * 16, view.height());
        EXPECT_LT(status->height() - rows->geometry().bottom() - 1, 16);
        EXPECT_TRUE(rows->horizontalScrollBar()->isVisible());

        // Three columns share the width; the fourth lies beyond it, reached by scrolling.
        const QRect second = rows->visualRect(rowAt(perColumn));
        const QRect third = rows->visualRect(rowAt(2 * perColumn));
        const QRect fourth = rows->visualRect(rowAt(3 * perColumn));
        EXPECT_EQ(second.top(), 0);
        EXPECT_NEAR(second.left(), view.width() / 3, 1);
        EXPECT_NEAR(third.left(), 2 * view.width() / 3, 2);
        EXPECT_GE(fourth.left(), view.width());
        rows->scrollTo(rowAt(1023));
        EXPECT_TRUE(rows->viewport()->rect().contains(rows->visualRect(rowAt(1023))));
    }
}

} // namespace
} // namespace korvland::testing
