// Finding names from the current record, the tables' filter, and the selection of an
// ownership cell.
#include "document_fixture.h"

#include "data/user_error.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace korvland::testing {
namespace {

// In the front-line file "a" is in Arras (0), Cambrai (3), Sedan (5), Douai (6), Bapaume (7).
struct DocumentFindCase {
    int current;
    const char* text;
    FindStep step;
    std::optional<FindMatch> match;
};

const DocumentFindCase kDocumentFinds[] = {
    {0, "A", FindStep::Next, FindMatch{3, 2, 5}},
    {7, "a", FindStep::Next, FindMatch{0, 1, 5}},     // wraps to the first record
    {0, "a", FindStep::Previous, FindMatch{7, 5, 5}}, // wraps to the last
    {5, "a", FindStep::Here, FindMatch{5, 3, 5}},
    {4, "LENS", FindStep::Next, FindMatch{4, 1, 1}},
    {2, "zzz", FindStep::Next, std::nullopt},
    {2, "", FindStep::Previous, std::nullopt},
};

TEST(DocumentFind, MakesTheMatchCurrentOrLeavesTheCurrentRecord) {
    for (const DocumentFindCase& c : kDocumentFinds) {
        SCOPED_TRACE(std::string(c.text) + " from " + std::to_string(c.current));
        OpenDocument open;
        LandmarkDocument& d = open.document;
        d.select(c.current);
        QSignalSpy current(&d, &LandmarkDocument::currentChanged);
        EXPECT_EQ(d.find(QString::fromUtf8(c.text), c.step), c.match);
        EXPECT_EQ(d.currentIndex(), c.match ? static_cast<int>(c.match->index) : c.current);
        EXPECT_EQ(current.count(), c.match ? 1 : 0);
        EXPECT_EQ(open.stack().count(), 0);
    }
    OpenDocument open;
    EXPECT_EQ(open.document.findNext("douai"), (FindMatch{6, 1, 1}));
    EXPECT_EQ(open.document.findPrevious("ARRAS"), (FindMatch{0, 1, 1}));
    EXPECT_EQ(LandmarkDocument().findNext("a"), std::nullopt);
}

TEST(DocumentFind, SelectAllMatchesReplacesTheSelectionOnlyWhenSomethingMatches) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.setSelection({1, 2});
    QSignalSpy changed(&d, &LandmarkDocument::selectionChanged);
    EXPECT_EQ(d.selectAllMatches("A"), 5);
    EXPECT_EQ(d.selectedIndices(), (QList<int>{0, 3, 5, 6, 7}));
    EXPECT_EQ(d.selectAllMatches("zzz"), 0);
    EXPECT_EQ(d.selectAllMatches(""), 0);
    EXPECT_EQ(d.selectedIndices(), (QList<int>{0, 3, 5, 6, 7}));
    EXPECT_EQ(changed.count(), 1);
}

// Sedan (5) and Vertus (1) are of type 6, switched off by the read; Cambrai (3), Sedan and
// Douai (6) are Allied.
const LandmarkFilter kAlliedOff{"", std::nullopt, SideFilter::Allied, StateFilter::Off};

TEST(DocumentFilter, IsAnnouncedOnARealChangeAndSurvivesPicksAndEdits) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    QSignalSpy changed(&d, &LandmarkDocument::filterChanged);
    EXPECT_TRUE(d.filter().isEmpty());
    EXPECT_EQ(d.filteredIndices(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    d.setFilter(kAlliedOff);
    d.setFilter(kAlliedOff);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(d.filteredIndices(), QList<int>{5});
    for (int i = -1; i <= 8; ++i)
        EXPECT_EQ(d.passesFilter(i), i == 5) << i;
    // Switching Douai off brings it in; the filter itself stays.
    d.select(6);
    EXPECT_EQ(d.setActive(6, false), LandmarkDocument::ActiveEdit::Changed);
    EXPECT_EQ(d.filteredIndices(), (QList<int>{5, 6}));
    EXPECT_EQ(d.filter(), kAlliedOff);
    d.clearFilter();
    d.clearFilter();
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(d.filteredIndices().size(), 8);
}

struct FilterReadCase {
    const char* name;
    std::function<void(LandmarkDocument&, OpenDocument&)> read;
    bool clears;
};

const FilterReadCase kFilterReads[] = {
    {"Read", [](auto& d, auto& open) { d.read(qPath(open.path)); }, true},
    {"OpenProfile",
     [](auto& d, auto& open) {
         d.saveProfile(qPath(open.dir.file("front.lmp")));
         d.openProfile(qPath(open.dir.file("front.lmp")));
     },
     true},
    {"FailedRead", [](auto& d, auto& open) { d.read(qPath(open.dir.file("none.dat"))); }, false},
    {"FailedProfile", [](auto& d, auto& open) { d.openProfile(qPath(open.dir.file("none.lmp"))); }, false},
};

TEST(DocumentFilter, EverySuccessfulReadClearsItBeforeTheWindowsHearOfTheNewSet) {
    for (const FilterReadCase& c : kFilterReads) {
        SCOPED_TRACE(c.name);
        OpenDocument open;
        LandmarkDocument& d = open.document;
        d.setFilter(kAlliedOff);
        bool emptyWhenReplaced = false;
        QObject::connect(&d, &LandmarkDocument::setReplaced,
                         [&] { emptyWhenReplaced = d.filter().isEmpty(); });
        QSignalSpy changed(&d, &LandmarkDocument::filterChanged);
        try {
            c.read(d, open);
        } catch (const UserError&) {
        }
        EXPECT_EQ(d.filter().isEmpty(), c.clears);
        EXPECT_EQ(emptyWhenReplaced, c.clears);
        EXPECT_EQ(changed.count(), c.clears ? 1 : 0);
    }
    // A read with no filter set announces none.
    OpenDocument open;
    QSignalSpy changed(&open.document, &LandmarkDocument::filterChanged);
    open.document.read(qPath(open.path));
    EXPECT_EQ(changed.count(), 0);
}

TEST(DocumentOwnershipCell, SelectsExactlyWhatTheCellCounts) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.setActive(0, false); // a switched-off city still counts
    d.setSelection({7});
    QSignalSpy changed(&d, &LandmarkDocument::selectionChanged);
    const OwnershipCounts counts = countOwnership(d.set());
    for (OwnershipRow row : {OwnershipRow::Allied, OwnershipRow::German}) {
        for (std::size_t column = 0; column < kOwnershipColumnCount; ++column) {
            SCOPED_TRACE(std::string(kOwnershipColumns[column]));
            EXPECT_EQ(d.selectOwnershipCell({row, column}), static_cast<int>(counts.at(row, column)));
            EXPECT_EQ(d.selectedCount(), static_cast<int>(counts.at(row, column)));
            for (int index : d.selectedIndices())
                EXPECT_EQ(ownershipCellOf(d.set(), static_cast<std::size_t>(index)),
                          (OwnershipCell{row, column}));
        }
    }
    EXPECT_EQ(d.selectOwnershipCell({OwnershipRow::German, 1}), 1);
    EXPECT_EQ(d.selectedIndices(), QList<int>{0});
    EXPECT_EQ(d.selectOwnershipCell({OwnershipRow::Allied, 2}), 1); // Cambrai
    EXPECT_EQ(d.selectedIndices(), QList<int>{3});
    EXPECT_GT(changed.count(), 0);
}

TEST(DocumentOwnershipCell, FilterToSelectionKeepsToTheSameRecordsThroughEditsUntilARead) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.setFilter({"zzz", std::nullopt, SideFilter::Any, StateFilter::Any});
    d.selectOwnershipCell({OwnershipRow::German, 1}); // Arras
    d.addToSelection({7});
    QSignalSpy changed(&d, &LandmarkDocument::filterChanged);
    d.filterToSelection(QStringLiteral("the chosen"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(d.filter().text, "") << "the other criteria go";
    ASSERT_TRUE(d.filter().only.has_value());
    EXPECT_EQ(d.filter().only->description, "the chosen");
    EXPECT_EQ(d.filteredIndices(), (QList<int>{0, 7}));
    // Leaving the cell, or the selection, does not take a record out of the choice.
    d.setSide(0, 1);
    d.selectNone();
    EXPECT_EQ(d.filteredIndices(), (QList<int>{0, 7}));
    d.read(qPath(open.path));
    EXPECT_FALSE(d.filter().only.has_value());
}

} // namespace
} // namespace korvland::testing
