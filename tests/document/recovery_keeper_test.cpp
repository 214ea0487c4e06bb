#include "data/recovery_copy.h"
#include "document/recovery_keeper.h"
#include "document_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace korvland {
namespace {

using testing::frontLine;
using testing::OpenDocument;
using testing::qPath;

// The keeper's timer needs an event loop, which these tests otherwise do without.
void ensureEventLoop() {
    static int argc = 1;
    static char name[] = "test_document";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// A document that keeps its unsaved work.
struct KeptDocument : OpenDocument {
    std::string folder = dir.file("recovery");
    KeptDocument() {
        ensureEventLoop();
        document.keepRecoveryCopies(qPath(folder));
        written = std::make_unique<QSignalSpy>(keeper(), &RecoveryKeeper::copyWritten);
        removed = std::make_unique<QSignalSpy>(keeper(), &RecoveryKeeper::copyRemoved);
    }
    RecoveryKeeper* keeper() const { return document.recoveryKeeper(); }
    bool copyOnDisk() const { return recoveryCopyOf(folder, path).has_value(); }
    std::unique_ptr<QSignalSpy> written;
    std::unique_ptr<QSignalSpy> removed;
};

TEST(RecoveryKeeper, WritesOneCopyForEditsInQuickSuccessionWithinTwoSeconds) {
    KeptDocument kept;
    QElapsedTimer clock;
    clock.start();
    kept.document.setName(0, QStringLiteral("Arr"));
    kept.document.setSide(3, 0);
    kept.document.setActive(4, false);
    EXPECT_FALSE(kept.copyOnDisk()) << "nothing is written on the typing path";
    ASSERT_TRUE(kept.written->wait(3000));
    EXPECT_LT(clock.elapsed(), 2000);
    QTest::qWait(RecoveryKeeper::kDelayMilliseconds + 200);
    EXPECT_EQ(kept.written->count(), 1);
    const std::optional<RecoveryEntry> entry = recoveryCopyOf(kept.folder, kept.path);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->description.unsavedSteps, 3);
    EXPECT_EQ(entry->description.flags[4], 1);
}

TEST(RecoveryKeeper, CopyGoesWhenTheWorkIsSavedDiscardedOrUndoneToTheSavedState) {
    const std::vector<std::pair<const char*, std::function<void(KeptDocument&)>>> endings{
        {"saved", [](KeptDocument& k) { k.document.write(qPath(k.path)); }},
        {"undone", [](KeptDocument& k) { k.stack().undo(); }},
        {"another file read",
         [](KeptDocument& k) { k.document.read(qPath(frontLine().writeTo(k.dir.file("lndmrks2.dat")))); }},
    };
    for (const auto& [name, end] : endings) {
        SCOPED_TRACE(name);
        KeptDocument kept;
        kept.document.setName(0, QStringLiteral("Arr"));
        ASSERT_TRUE(kept.written->wait(3000));
        ASSERT_TRUE(kept.copyOnDisk());
        end(kept);
        EXPECT_EQ(kept.removed->count(), 1);
        EXPECT_FALSE(kept.copyOnDisk());
        EXPECT_TRUE(testing::namesIn(kept.folder).empty());
    }
}

TEST(RecoveryKeeper, ACopyThatCannotBeWrittenIsSaidOnceUntilOneIsWritten) {
    KeptDocument kept;
    testing::writeBytes(kept.folder, std::vector<std::uint8_t>{0}); // a file where the folder belongs
    QSignalSpy failed(kept.keeper(), &RecoveryKeeper::copyFailed);
    for (const std::uint8_t side : {std::uint8_t{0}, std::uint8_t{1}}) {
        kept.document.setSide(3, side);
        kept.keeper()->writeNow();
    }
    EXPECT_EQ(failed.count(), 1);
    ASSERT_TRUE(kept.keeper()->failure());
    std::filesystem::remove(kept.folder);
    kept.document.setSide(3, 0);
    kept.keeper()->writeNow();
    EXPECT_TRUE(kept.copyOnDisk());
    EXPECT_FALSE(kept.keeper()->failure());
}

TEST(RecoveryKeeper, RestoredWorkIsTheOriginalFilesModifiedDocument) {
    KeptDocument before;
    before.document.setName(1, QStringLiteral("Vertus-le-Petit"));
    before.document.setActive(0, false);
    before.keeper()->writeNow();
    const std::vector<RecoveryEntry> found = findRecoveryCopies(before.folder);
    ASSERT_EQ(found.size(), 1u);

    LandmarkDocument after;
    after.keepRecoveryCopies(qPath(before.folder));
    QSignalSpy modified(&after, &LandmarkDocument::modifiedChanged);
    after.restore(found[0]);
    EXPECT_EQ(after.filePath(), qPath(before.path));
    EXPECT_TRUE(after.isModified());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(after.proposedSaveName(), before.document.proposedSaveName());
    EXPECT_EQ(after.record(1), before.document.record(1));
    EXPECT_EQ(after.record(0), before.document.record(0)) << "the own type of a switched-off record";
    EXPECT_EQ(after.set().disabledFlags(), before.document.set().disabledFlags());
    EXPECT_FALSE(after.changedOnDisk(qPath(before.path)));
    after.write(qPath(before.path));
    EXPECT_TRUE(testing::namesIn(before.folder).empty()) << "a save of restored work removes its copy";
}

TEST(DocumentFileIdentity, KnowsWhenAnotherProgramChangedTheFileItReadOrWrote) {
    OpenDocument open;
    const QString path = qPath(open.path);
    EXPECT_FALSE(open.document.changedOnDisk(path));
    frontLine().recordSize(80).writeTo(open.path);
    EXPECT_TRUE(open.document.changedOnDisk(path));
    open.document.write(path);
    EXPECT_FALSE(open.document.changedOnDisk(path)) << "what the document wrote itself";
    EXPECT_EQ(open.document.fileStamp()->size, std::filesystem::file_size(open.path));
}

} // namespace
} // namespace korvland
