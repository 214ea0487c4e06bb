// The status table's filter row, its rows' selection as the document's selection, and the
// ownership table's counts that select what they count.
#include "support_gui/named.h"
#include "tables_fixture.h"

#include "data/ownership_count.h"
#include "support_gui/render_keep.h"
#include "ui/common/hint_presenter.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QUndoStack>

namespace korvland::testing {
namespace {

// Sixty records: names "Pont n", "Ferme n" and "Crépy n" in turn, types 0 to 9 in turn (the
// type-6 ones read switched off), every fourth Allied and the others of sides 0, 2 and 255.
LandmarkFileBuilder sixtyPlaces() {
    LandmarkFileBuilder builder;
    const char* names[] = {"Pont ", "Ferme ", "Cr\xE9py "};
    const std::uint8_t otherSides[] = {0, 2, 255};
    for (int i = 0; i < 60; ++i) {
        const auto side = static_cast<std::uint8_t>(i % 4 == 1 ? 1 : otherSides[i % 3]);
        builder.add(makeRecord(static_cast<std::uint16_t>(1000 + i), static_cast<std::uint8_t>(i % 10), 0,
                               side, names[i % 3] + std::to_string(i)));
    }
    return builder;
}

class StatusFilterTest : public TablesTest {
  protected:
    void SetUp() override {
        open(sixtyPlaces());
        QTest::mouseClick(tableButton(), Qt::LeftButton);
        QApplication::processEvents();
    }

    template <typename T> T* filterControl(const char* name) const { return required<T>(status, name); }
    QLineEdit* filterText() const { return filterControl<QLineEdit>(filter_row_names::kText); }
    QComboBox* combo(const char* name) const { return filterControl<QComboBox>(name); }
    QCheckBox* onlyBox() const { return filterControl<QCheckBox>(filter_row_names::kOnly); }

    std::vector<int> shownRows() const {
        std::vector<int> rows;
        for (int row = 0; row < rowCount(); ++row) {
            EXPECT_EQ(status->isRowShown(row), !list()->isRowHidden(row)) << row;
            if (!list()->isRowHidden(row))
                rows.push_back(row);
        }
        return rows;
    }
    std::vector<int> filtered() const {
        const QList<int> indices = document.filteredIndices();
        return {indices.begin(), indices.end()};
    }
    QList<int> selectedRows() const {
        QList<int> rows;
        for (const QModelIndex& index : list()->selectionModel()->selectedIndexes())
            rows.append(index.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    // The rows in sight keep record order down one column, then the next.
    void expectFlow() const {
        const std::vector<int> rows = shownRows();
        if (rows.empty())
            return;
        list()->scrollTo(rowAt(rows.front()));
        QApplication::processEvents();
        const int perColumn = list()->viewport()->height() / 16;
        const int columnWidth = list()->gridSize().width();
        for (std::size_t k = 0; k < rows.size() && k < static_cast<std::size_t>(3 * perColumn); ++k) {
            const QRect rect = list()->visualRect(rowAt(rows[k]));
            EXPECT_EQ(rect.top(), static_cast<int>(k) % perColumn * 16) << "row " << rows[k];
            EXPECT_EQ(rect.left(), static_cast<int>(k) / perColumn * columnWidth) << "row " << rows[k];
        }
    }
    void clickNameWith(int row, Qt::KeyboardModifiers modifiers) {
        const QRect rect = list()->visualRect(rowAt(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers,
                          QPoint(rect.left() + 40, rect.center().y()));
    }
};

struct FilterControls {
    const char* text; // UTF-8
    int kind, side, state;
    LandmarkFilter filter;
};

const FilterControls kControlCases[] = {
    {"", 0, 0, 0, {}},
    {"crepy", 0, 0, 0, {"crepy", std::nullopt, SideFilter::Any, StateFilter::Any}},
    {"PONT", 6, 0, 0, {"PONT", LandmarkKind::Bridge, SideFilter::Any, StateFilter::Any}},
    {"", 0, 2, 2, {"", std::nullopt, SideFilter::Allied, StateFilter::Off}},
    {"cr\xC3\xA9py 1", 0, 1, 1, {"cr\xC3\xA9py 1", std::nullopt, SideFilter::German, StateFilter::On}},
    {"e", 11, 0, 0, {"e", LandmarkKind::Blank, SideFilter::Any, StateFilter::Any}},
    {"zzz", 0, 0, 0, {"zzz", std::nullopt, SideFilter::Any, StateFilter::Any}},
};

TEST_F(StatusFilterTest, ControlsSetTheDocumentFilterAndRowsOutsideItHideKeepingTheirFlow) {
    for (const FilterControls& c : kControlCases) {
        SCOPED_TRACE(c.text);
        filterText()->clear();
        filterText()->insert(QString::fromUtf8(c.text)); // as typed, accents too
        combo(filter_row_names::kKind)->setCurrentIndex(c.kind);
        combo(filter_row_names::kSide)->setCurrentIndex(c.side);
        combo(filter_row_names::kState)->setCurrentIndex(c.state);
        EXPECT_EQ(document.filter(), c.filter);
        EXPECT_EQ(shownRows(), filtered());
        expectFlow();
    }
    EXPECT_EQ(combo(filter_row_names::kKind)->itemText(6), QStringLiteral("Bridge"));
}

TEST_F(StatusFilterTest, FilterSurvivesPicksAndEditsAndAFileReadClearsItAndItsControls) {
    combo(filter_row_names::kState)->setCurrentIndex(1); // on
    QTest::keyClicks(filterText(), QStringLiteral("pont"));
    const std::vector<int> before = shownRows();
    ASSERT_FALSE(before.empty());
    clickName(before[1]);
    EXPECT_EQ(shownIndex(), before[1]);
    clickBox(before[0]); // switched off: it leaves the rows in sight
    EXPECT_FALSE(document.isActive(before[0]));
    EXPECT_EQ(shownRows(), std::vector<int>(before.begin() + 1, before.end()));
    document.setName(before[1], QStringLiteral("Ferme"));
    EXPECT_EQ(rowAt(before[1]).data().toString(), QStringLiteral("Ferme")) << "the row follows its record";
    EXPECT_TRUE(list()->isRowHidden(before[1]));
    EXPECT_EQ(document.filter().text, "pont");
    document.undoStack()->undo();
    document.undoStack()->undo();
    EXPECT_EQ(shownRows(), before);
    // A bulk edit, in one signal, reaches every row.
    document.selectAll();
    document.switchOffSelection();
    EXPECT_TRUE(shownRows().empty());
    EXPECT_FALSE(ticked(before[2]));
    document.undoStack()->undo();
    EXPECT_EQ(shownRows(), before);

    open(sixtyPlaces(), "lndmrks1.dat");
    EXPECT_TRUE(document.filter().isEmpty());
    EXPECT_TRUE(filterText()->text().isEmpty());
    EXPECT_EQ(combo(filter_row_names::kState)->currentIndex(), 0);
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    EXPECT_EQ(shownRows().size(), 60u);
}

TEST_F(StatusFilterTest, RowSelectionIsTheDocumentSelectionBothWays) {
    QSignalSpy changed(&document, &LandmarkDocument::selectionChanged);
    const struct {
        int row;
        Qt::KeyboardModifiers modifiers;
        QList<int> selection;
    } clicks[] = {
        {2, Qt::NoModifier, {2}},
        {5, Qt::ControlModifier, {2, 5}},
        {9, Qt::ShiftModifier, {2, 5, 6, 7, 8, 9}}, // from the last row clicked
        {7, Qt::ControlModifier, {2, 5, 6, 8, 9}},
        {30, Qt::NoModifier, {30}}, // in the second column
    };
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.row);
        clickNameWith(click.row, click.modifiers);
        EXPECT_EQ(document.selectedIndices(), click.selection);
        EXPECT_EQ(selectedRows(), click.selection);
        EXPECT_EQ(shownIndex(), click.row) << "a clicked row is current";
    }
    EXPECT_EQ(changed.count(), static_cast<int>(std::size(clicks)));

    // From elsewhere (the map): the rows follow, the current record stays, nothing echoes.
    document.setSelection({1, 3, 40});
    EXPECT_EQ(selectedRows(), (QList<int>{1, 3, 40}));
    EXPECT_EQ(document.selectedIndices(), (QList<int>{1, 3, 40}));
    EXPECT_EQ(changed.count(), static_cast<int>(std::size(clicks)) + 1);
    EXPECT_EQ(shownIndex(), 30);
    document.selectNone();
    EXPECT_TRUE(selectedRows().isEmpty());

    // Ctrl+A takes the rows in sight only.
    QTest::keyClicks(filterText(), QStringLiteral("ferme"));
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(document.selectedIndices(), document.filteredIndices());
    EXPECT_EQ(document.selectedCount(), 20);
    EXPECT_EQ(selectedRows(), document.filteredIndices());
    // A range takes the rows in sight between its ends, none hidden among them.
    clickNameWith(4, Qt::NoModifier);
    clickNameWith(13, Qt::ShiftModifier);
    EXPECT_EQ(document.selectedIndices(), (QList<int>{4, 7, 10, 13}));
}

class CountClickTest : public StatusFilterTest {
  protected:
    QLabel* cell(OwnershipRow row, std::size_t column) const {
        return ownership->findChild<QLabel*>(
            (row == OwnershipRow::Allied ? QStringLiteral("Allied") : QStringLiteral("German")) +
            QStringLiteral("Count") + QString::number(column));
    }
    void clickCell(OwnershipRow row, std::size_t column) {
        QTest::mouseClick(cell(row, column), Qt::LeftButton);
    }
};

TEST_F(CountClickTest, ACountSelectsWhatItCountsAndTheStatusTableKeepsToThem) {
    // A switched-off landmark counts, a profile's flag 2 does not.
    std::array<std::uint8_t, kMaxRecords> flags{};
    flags[4] = 1;
    flags[1] = flags[14] = 2;
    openProfileWith(flags);
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    editorAction(editor_names::kDataAction)->trigger();
    const OwnershipCounts counts = countOwnership(set); // the count `korvland-cli info` prints
    int clicked = 0;
    for (const OwnershipRow row : {OwnershipRow::Allied, OwnershipRow::German}) {
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
            SCOPED_TRACE(std::string(kOwnershipColumns[column]) +
                         (row == OwnershipRow::Allied ? " Allied" : " German"));
            const unsigned count = counts.at(row, column);
            ASSERT_EQ(cell(row, column)->text(), QString::number(count));
            if (count == 0) {
                EXPECT_EQ(cell(row, column)->cursor().shape(), Qt::ArrowCursor);
                continue;
            }
            EXPECT_EQ(cell(row, column)->cursor().shape(), Qt::PointingHandCursor);
            clickCell(row, column);
            ++clicked;
            const std::vector<std::size_t> records = recordsInOwnershipCell(set, {row, column});
            const QList<int> expected(records.begin(), records.end());
            EXPECT_EQ(document.selectedIndices(), expected);
            EXPECT_EQ(document.selectedCount(), static_cast<int>(count));
            EXPECT_EQ(selectedRows(), expected);
            EXPECT_EQ(shownRows(), std::vector<int>(expected.begin(), expected.end()));
            EXPECT_TRUE(onlyBox()->isVisible() && onlyBox()->isChecked());
        }
    }
    EXPECT_GT(clicked, 10);
    // German bridges: 4 (switched off) counts, 14 (flag 2) does not.
    clickCell(OwnershipRow::German, 4);
    EXPECT_TRUE(document.isSelected(4));
    EXPECT_FALSE(document.isSelected(14));

    // Another criterion narrows the choice; unticking it lets the choice go.
    QTest::keyClicks(filterText(), QStringLiteral("pont"));
    EXPECT_TRUE(document.filter().only.has_value());
    onlyBox()->click();
    EXPECT_FALSE(onlyBox()->isVisible());
    EXPECT_FALSE(document.filter().only.has_value());
    EXPECT_EQ(document.filter().text, "pont");
    EXPECT_EQ(shownRows(), filtered());
}

TEST_F(CountClickTest, CellsSayWhatTheySelectAndAnEmptyCellSelectsNothing) {
    open(LandmarkFileBuilder()
             .add(makeRecord(1000, 4, 0, 1, "Pont A"))
             .add(makeRecord(1001, 4, 0, 1, "Pont B"))
             .add(makeRecord(1002, 1, 0, 0, "Lille"))
             .add(makeRecord(1003, 9, 0, 1, "Nowhere")),
         "lndmrks2.dat");
    editorAction(editor_names::kDataAction)->trigger();
    EXPECT_EQ(cell(OwnershipRow::Allied, 4)->toolTip(), QStringLiteral("Select the 2 Allied bridges"));
    EXPECT_EQ(cell(OwnershipRow::German, 1)->toolTip(), QStringLiteral("Select the German city"));
    EXPECT_EQ(cell(OwnershipRow::Allied, 8)->toolTip(), QStringLiteral("Select the Allied blank landmark"));
    EXPECT_EQ(cell(OwnershipRow::German, 3)->toolTip(), QStringLiteral("No German train stations"));
    // The program's hint presenter shows it over the cell.
    std::int64_t now = 1000;
    HintPresenter presenter(nullptr, [&now] { return now; });
    QTest::mouseMove(cell(OwnershipRow::Allied, 4), QPoint(10, 10));
    now += 250;
    presenter.runDue();
    ASSERT_TRUE(presenter.balloon().isVisible());
    EXPECT_EQ(presenter.balloon().text(), QStringLiteral("Select the 2 Allied bridges"));
    keep(const_cast<HintBalloon&>(presenter.balloon()).grab(), "ownership_cell_hint.png");

    document.setSelection({2});
    clickCell(OwnershipRow::German, 3);
    EXPECT_EQ(document.selectedIndices(), QList<int>{2});
    EXPECT_TRUE(document.filter().isEmpty());

    // Counts older than an edit are brought up to date by the click.
    document.setSide(2, 1);
    clickCell(OwnershipRow::Allied, 1);
    EXPECT_EQ(cell(OwnershipRow::Allied, 1)->text(), QStringLiteral("1"));
    EXPECT_EQ(document.selectedIndices(), QList<int>{2});
    ASSERT_TRUE(document.filter().only.has_value());
    EXPECT_EQ(document.filter().only->description, "the Allied city");
    QTest::mouseClick(tableButton(), Qt::LeftButton);
    EXPECT_EQ(onlyBox()->text(), QStringLiteral("Only the Allied city"));
    EXPECT_EQ(shownRows(), std::vector<int>{2});
}

} // namespace
} // namespace korvland::testing
