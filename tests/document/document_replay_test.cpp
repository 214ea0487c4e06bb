// Unsaved steps laid again onto the landmark file as another program has left it: a restore of
// kept work after a kill, and a merge before a save, with the operator's choice where both
// changed one field.
#include "data/recovery_copy.h"
#include "document/recovery_keeper.h"
#include "document_fixture.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace korvland::testing {
namespace {

using Choice = LandmarkDocument::ConflictChoice;

// Another program's edit of the file on disk (a script's `korvland-cli edit`).
void changeOnDisk(const std::string& path, const std::function<void(LandmarkSet&)>& change) {
    LandmarkSet set;
    set.read(path);
    change(set);
    set.writeLandmarkFile(path);
}

void rename(LandmarkSet& set, std::size_t index, std::string_view name) {
    LandmarkRecord record = set.record(index);
    record.setNameBytes(name);
    set.setRecord(index, record);
}

void setSide(LandmarkSet& set, std::size_t index, std::uint8_t side) {
    LandmarkRecord record = set.record(index);
    record.side = side;
    set.setRecord(index, record);
}

// Work on the front-line file kept by a run that was then killed: Arras renamed, Cambrai made
// German, Douai switched off.
// The file watcher the document starts on opening needs an application's event loop, so the
// application comes before the document.
struct Application {
    Application() {
        static int argc = 1;
        static char name[] = "test_document";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }
};

struct KilledRun : Application, OpenDocument {
    std::string folder = dir.file("recovery");
    KilledRun() {
        document.keepRecoveryCopies(qPath(folder));
        document.setName(0, QStringLiteral("Arras Nord"));
        document.setSide(3, 0);
        document.setActive(6, false);
        document.recoveryKeeper()->writeNow();
    }
    RecoveryEntry entry() const { return *recoveryCopyOf(folder, path); }
};

TEST(DocumentRestore, LaysTheKeptStepsOntoTheFileAsAnotherProgramLeftItEachUndoable) {
    KilledRun run;
    changeOnDisk(run.path, [](LandmarkSet& set) {
        rename(set, 4, "Lens-Ouest");
        setSide(set, 7, 1);
        set.setDisabled(2, 1);
    });
    LandmarkDocument after;
    after.keepRecoveryCopies(qPath(run.folder));
    QSignalSpy modified(&after, &LandmarkDocument::modifiedChanged);
    QSignalSpy replaced(&after, &LandmarkDocument::setReplaced);
    ASSERT_TRUE(after.restore(run.entry()));
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(after.record(0).nameBytes(), "Arras Nord");
    EXPECT_EQ(after.record(3).side, 0);
    EXPECT_FALSE(after.isActive(6));
    EXPECT_EQ(after.record(4).nameBytes(), "Lens-Ouest") << "and every outside change";
    EXPECT_FALSE(after.isActive(2));
    EXPECT_EQ(after.undoStack()->count(), 3);
    EXPECT_EQ(after.undoStack()->undoText(), QStringLiteral("Switch Off Douai"));
    EXPECT_FALSE(after.changedOnDisk(qPath(run.path))) << "the file as it is now is the saved state";
    after.undoStack()->undo();
    EXPECT_TRUE(after.isActive(6));
    after.undoStack()->undo();
    after.undoStack()->undo();
    EXPECT_FALSE(after.isModified());
    EXPECT_EQ(after.record(0).nameBytes(), "Arras");
    EXPECT_EQ(after.record(7).side, 1) << "the outside change stays when the steps are undone";
    EXPECT_TRUE(namesIn(run.folder).empty()) << "nothing left unsaved, nothing kept";
}

TEST(DocumentRestore, TakesTheWholeCopyWhenTheFileIsGoneOrTheStepsAreNot) {
    for (const bool fileGone : {true, false}) {
        SCOPED_TRACE(fileGone ? "file gone" : "steps gone");
        KilledRun run;
        const RecoveryEntry entry = run.entry();
        std::filesystem::remove(fileGone ? run.path : stepsPathFor(entry.files.description));
        LandmarkDocument after;
        ASSERT_TRUE(after.restore(entry));
        EXPECT_TRUE(after.isModified());
        EXPECT_EQ(after.undoStack()->count(), 0);
        EXPECT_EQ(after.set().compiledBytes(), run.bytes());
        EXPECT_FALSE(after.unsavedSteps()) << "no history leads from the file to the set";
    }
}

// Both roads meet another program's rename of Arras and its side of Cambrai; the operator keeps
// the file's value for the records `keptFromFile` lists.
TEST(DocumentReplay, ConflictsAreTheOperatorsToSettleRecordByRecord) {
    enum class Road { Restore, Merge };
    struct Case {
        const char* what;
        Road road;
        std::optional<std::vector<std::uint16_t>> keptFromFile; // nothing: the choice is cancelled
        bool replayed;
        const char* name0;
        std::uint8_t side3;
    };
    for (const Case& c : std::vector<Case>{
             {"restore, keep mine", Road::Restore, std::vector<std::uint16_t>{}, true, "Arras Nord", 0},
             {"restore, keep the file's name", Road::Restore, std::vector<std::uint16_t>{0}, true,
              "Arras-Sud", 0},
             {"restore, cancelled", Road::Restore, std::nullopt, false, "", 0},
             {"merge, keep mine", Road::Merge, std::vector<std::uint16_t>{}, true, "Arras Nord", 0},
             {"merge, keep the file's", Road::Merge, std::vector<std::uint16_t>{0, 3}, true, "Arras-Sud", 2},
             {"merge, cancelled", Road::Merge, std::nullopt, false, "Arras Nord", 0},
         }) {
        SCOPED_TRACE(c.what);
        KilledRun run;
        changeOnDisk(run.path, [](LandmarkSet& set) {
            rename(set, 0, "Arras-Sud");
            setSide(set, 3, 2);
            rename(set, 7, "Bapaume-Gare");
        });
        std::vector<StepConflict> offered;
        const Choice choose = [&](const LandmarkSet& file, const std::vector<StepConflict>& conflicts) {
            EXPECT_EQ(file.record(0).nameBytes(), "Arras-Sud");
            offered = conflicts;
            std::optional<std::vector<StepConflict>> kept;
            if (c.keptFromFile) {
                kept.emplace();
                for (const StepConflict& conflict : conflicts)
                    if (std::count(c.keptFromFile->begin(), c.keptFromFile->end(), conflict.index))
                        kept->push_back(conflict);
            }
            return kept;
        };
        LandmarkDocument restored;
        LandmarkDocument& document = c.road == Road::Restore ? restored : run.document;
        const std::vector<std::uint8_t> before = document.set().compiledBytes();
        QSignalSpy replaced(&document, &LandmarkDocument::setReplaced);
        EXPECT_EQ(c.road == Road::Restore ? restored.restore(run.entry(), choose)
                                          : run.document.mergeWithFileOnDisk(choose),
                  c.replayed);
        EXPECT_EQ(offered, (std::vector<StepConflict>{{0, {EditField::Name}}, {3, {EditField::Side}}}));
        if (!c.replayed) {
            EXPECT_EQ(document.set().compiledBytes(), before) << "a cancel changes nothing";
            EXPECT_EQ(replaced.count(), 0);
            continue;
        }
        EXPECT_EQ(document.record(0).nameBytes(), c.name0);
        EXPECT_EQ(document.record(3).side, c.side3);
        EXPECT_FALSE(document.isActive(6)) << "a step without conflict is laid on in any case";
        EXPECT_EQ(document.record(7).nameBytes(), "Bapaume-Gare");
        EXPECT_FALSE(document.changedOnDisk(qPath(run.path)));
        EXPECT_EQ(replaced.count(), 1);
    }
}

TEST(DocumentReplay, UnsavedStepsLeadFromTheFileOnlyWhereTheSavedStateIsTheFile) {
    KilledRun run;
    run.document.write(qPath(run.path));
    run.document.undoStack()->undo();
    run.document.undoStack()->undo();
    EXPECT_EQ(
        run.document.unsavedSteps(),
        (std::vector<EditStep>{{EditField::Active, false, {{6, FieldValue(1, '\1'), FieldValue(1, '\0')}}},
                               {EditField::Side, false, {{3, FieldValue(1, '\0'), FieldValue(1, '\1')}}}}))
        << "undone past the saved state";
    changeOnDisk(run.path, [](LandmarkSet& set) { rename(set, 7, "Bapaume-Gare"); });
    EXPECT_TRUE(run.document.mergeWithFileOnDisk());
    EXPECT_EQ(run.document.record(3).side, 1);
    EXPECT_FALSE(run.document.isActive(6)) << "the save made Douai type 6, which is not switched on";
    EXPECT_EQ(run.document.record(7).nameBytes(), "Bapaume-Gare");

    // A profile's flags over the file are no state of the file.
    const std::string profile = run.dir.file("lndmrks1.lmp");
    run.document.saveProfile(qPath(profile));
    run.document.openProfile(qPath(profile));
    run.document.setSide(0, 1);
    EXPECT_FALSE(run.document.unsavedSteps());
    EXPECT_FALSE(run.document.mergeWithFileOnDisk());
    EXPECT_EQ(run.document.record(0).side, 1);
}

TEST(DocumentReplay, TellsOfAnotherProgramsChangeOfTheFileAndCountsItsRecordsButNotOfItsOwnSave) {
    KilledRun run;
    QSignalSpy changed(&run.document, &LandmarkDocument::fileChangedOnDisk);
    run.document.write(qPath(run.path));
    QTest::qWait(200);
    EXPECT_EQ(changed.count(), 0);
    run.document.setSide(3, 1);
    changeOnDisk(run.path, [](LandmarkSet& set) {
        for (const std::size_t index : {4, 5, 7})
            rename(set, index, "Elsewhere");
    });
    EXPECT_TRUE(changed.wait(3000));
    EXPECT_EQ(run.document.recordsChangedOnDisk(), 3) << "the unsaved side of Cambrai is no change on disk";

    LandmarkFileBuilder().addMany(1).writeTo(run.path);
    const std::vector<std::uint8_t> before = run.bytes();
    EXPECT_THROW(run.document.mergeWithFileOnDisk(), UserError) << "the steps name records the file lost";
    EXPECT_EQ(run.bytes(), before);
}

} // namespace
} // namespace korvland::testing
