// Opening into the document: what a read replaces and announces, the region and the save name
// it proposes, and failures that leave everything as it was.
#include "document_fixture.h"

#include "data/user_error.h"

#include <gtest/gtest.h>

#include <functional>

namespace korvland::testing {
namespace {

// The document's signals about the whole file, in the order they came.
struct SignalLog {
    QStringList entries;

    explicit SignalLog(LandmarkDocument& d) {
        const auto note = [this](const QString& text) { entries.append(text); };
        QObject::connect(&d, &LandmarkDocument::readStarting, &d, [note] { note("readStarting"); });
        QObject::connect(&d, &LandmarkDocument::setReplaced, &d, [note] { note("setReplaced"); });
        QObject::connect(&d, &LandmarkDocument::currentChanged, &d,
                         [note](int index) { note(QStringLiteral("current %1").arg(index)); });
        QObject::connect(&d, &LandmarkDocument::selectionChanged, &d, [note] { note("selection"); });
        QObject::connect(&d, &LandmarkDocument::modifiedChanged, &d,
                         [note](bool modified) { note(QStringLiteral("modified %1").arg(modified)); });
        QObject::connect(&d, &LandmarkDocument::regionChanged, &d,
                         [note](int region) { note(QStringLiteral("region %1").arg(region)); });
    }
};

TEST(Open, ClearsHistoryAndMakesRecordOneCurrentAndSelectedBeforeAnnouncingTheNewSet) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.select(4);
    d.setSelection({1, 2});
    d.setName(4, QStringLiteral("Liévin"));
    SignalLog log(d);
    d.read(qPath(open.path));
    EXPECT_EQ(log.entries,
              (QStringList{"readStarting", "modified 0", "setReplaced", "current 0", "selection"}));
    EXPECT_EQ(d.currentIndex(), 0);
    EXPECT_EQ(d.selectedIndices(), QList<int>{0});
    EXPECT_EQ(d.undoStack()->count(), 0);
    EXPECT_EQ(d.record(4).nameBytes(), "Lens");

    // A profile open is an open too; its flags lie over the records.
    d.setActive(0, false);
    d.setSelection({3});
    d.saveProfile(qPath(open.dir.file("front.lmp")));
    d.setActive(0, true);
    LandmarkDocument other;
    other.setSelection({0});
    other.openProfile(qPath(open.dir.file("front.lmp")));
    EXPECT_FALSE(other.isActive(0));
    EXPECT_EQ(other.filePath(), qPath(open.path));
    EXPECT_EQ(other.region(), 1);
    EXPECT_FALSE(other.isModified());
}

struct RegionCase {
    const char* name;
    const char* first;  // read first
    const char* second; // then this one
    int region;
    bool known;
    QString proposedName;
    bool proposedInOwnFolder;
    const char* currentFileName;
};

// clang-format off
const RegionCase kRegions[] = {
    {"MasterCopyInCapitals", "lndmrks2.dat", "LNDMRKS3.MLF",
     3, true, "lndmrks3.dat", false, "lndmrks3.mlf"},
    {"NoRegionKeepsTheRegionButNotItsFile", "lndmrks2.dat", "alsace-copy.dat",
     2, true, "alsace-copy.dat", true, "alsace-copy.dat"},
    {"RegionFiveIsNone", "lndmrks1.dat", "lndmrks5.dat",
     1, true, "lndmrks5.dat", true, "lndmrks5.dat"},
    {"NeverARegion", "front.dat", "Lndmrks2.dat.bak",
     0, false, "Lndmrks2.dat.bak", true, "lndmrks2.dat.bak"},
};
// clang-format on

void PrintTo(const RegionCase& c, std::ostream* out) {
    *out << c.name;
}

class RegionOfTheFileName : public ::testing::TestWithParam<RegionCase> {};

TEST_P(RegionOfTheFileName, DecidesRegionAndTheSaveProposal) {
    const RegionCase& c = GetParam();
    OpenDocument open(c.first);
    LandmarkDocument& d = open.document;
    QSignalSpy region(&d, &LandmarkDocument::regionChanged);
    const std::string second = frontLine().writeTo(open.dir.path() / c.second);
    d.read(qPath(second));
    EXPECT_EQ(d.region(), c.region);
    EXPECT_EQ(d.regionKnown(), c.known);
    EXPECT_EQ(d.proposedSaveName(), c.proposedName);
    EXPECT_EQ(d.proposedSaveFolder(), c.proposedInOwnFolder ? qPath(open.dir.path().string()) : QString());
    EXPECT_EQ(d.set().currentFileName(), c.currentFileName);
    EXPECT_EQ(region.count(), 1);
    // The same file again changes nothing of it.
    d.read(qPath(second));
    EXPECT_EQ(region.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Names, RegionOfTheFileName, ::testing::ValuesIn(kRegions),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(Open, NothingReadYetProposesMarnesFileAndEditsNothing) {
    LandmarkDocument d;
    EXPECT_EQ(d.proposedSaveName(), QStringLiteral("lndmrks0.dat"));
    EXPECT_FALSE(d.regionKnown());
    EXPECT_TRUE(d.select(0));
    EXPECT_FALSE(d.select(1));
    EXPECT_FALSE(d.setName(0, QStringLiteral("Reims")));
    d.selectAll();
    EXPECT_EQ(d.selectedCount(), 0);
    EXPECT_THROW(d.write(QStringLiteral("/tmp/never-written.dat")), UserError);
}

struct FailureCase {
    const char* name;
    std::function<void(LandmarkDocument&, const TempDir&)> read;
};

// clang-format off
const FailureCase kFailures[] = {
    {"MissingFile", [](auto& d, auto& dir) { d.read(qPath(dir.file("lndmrks3.dat"))); }},
    {"TruncatedRecord",
     [](auto& d, auto& dir) {
         d.read(qPath(frontLine().truncateTo(100 + 70 * 7 + 20).writeTo(dir.path() / "lndmrks3.dat")));
     }},
    {"MissingProfile", [](auto& d, auto& dir) { d.openProfile(qPath(dir.file("none.lmp"))); }},
    {"ProfileNamingAMissingFile",
     [](auto& d, auto& dir) {
         d.saveProfile(qPath(dir.file("front.lmp")));
         std::filesystem::rename(dir.file("lndmrks1.dat"), dir.file("moved.dat"));
         d.openProfile(qPath(dir.file("front.lmp")));
     }},
};
// clang-format on

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class FailedRead : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailedRead, LeavesTheDocumentExactlyAsItWas) {
    OpenDocument open;
    LandmarkDocument& d = open.document;
    d.select(4);
    d.setSide(4, 1);
    d.setSelection({2, 6});
    const SetState before = open.state();
    SignalLog log(d);
    EXPECT_NE(messageOf([&] { GetParam().read(d, open.dir); }), "(no error)");
    EXPECT_EQ(log.entries, QStringList{"readStarting"});
    EXPECT_EQ(open.state(), before);
    EXPECT_EQ(d.selectedIndices(), (QList<int>{2, 6}));
    EXPECT_EQ(open.stack().count(), 1);
    EXPECT_TRUE(d.isModified());
    EXPECT_EQ(d.region(), 1);
    EXPECT_EQ(d.proposedSaveName(), QStringLiteral("lndmrks1.dat"));
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedRead, ::testing::ValuesIn(kFailures),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace korvland::testing
