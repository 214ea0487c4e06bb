#include "data/recovery_copy.h"
#include "document/landmark_document.h"
#include "document/recovery_keeper.h"
#include "settings/settings_store.h"
#include "support/build_paths.h"
#include "support/fixture_builder.h"
#include "support_gui/render_keep.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/editor/editor_window.h"
#include "ui/start/kept_work_offer.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLocalSocket>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::qstr;
using testing::ScriptedDialogs;
using testing::TempDir;

// Unsaved work on lndmrks0.dat that an earlier run kept: the first record renamed.
struct EarlierRun {
    TempDir dir;
    std::string original = LandmarkFileBuilder().addMany(3).writeTo(dir.file("lndmrks0.dat"));
    std::string folder = dir.file("recovery");
    EarlierRun() {
        LandmarkDocument document;
        document.read(qstr(original));
        document.keepRecoveryCopies(qstr(folder));
        document.setName(0, QStringLiteral("Kept"));
        document.recoveryKeeper()->writeNow();
    }
};

TEST(KeptWorkQuestion, SaysWhoseWorkInWhichFolderWhenAndWhetherTheFileChangedSince) {
    EarlierRun run;
    RecoveryEntry entry = findRecoveryCopies(run.folder).at(0);
    const QDateTime now(QDate(2026, 12, 8), QTime(23, 50));
    const auto at = [&](int daysBefore) { return QDateTime(now.date().addDays(-daysBefore), QTime(23, 14)); };
    const QString folder = qstr(run.dir.path().string());
    struct Case {
        int steps;
        QDateTime written;
        bool meddled;
        const char* text;
    };
    for (const Case& c : std::vector<Case>{
             {12, at(0), false,
              "korvland ended while lndmrks0.dat in %1 had 12 unsaved changes (today 23:14). "
              "Restore them?"},
             {1, at(1), false,
              "korvland ended while lndmrks0.dat in %1 had 1 unsaved change (yesterday 23:14). "
              "Restore it?"},
             {2, at(9), true,
              "korvland ended while lndmrks0.dat in %1 had 2 unsaved changes (2026-11-29 23:14). "
              "lndmrks0.dat has been changed on disk since. Restore them?"}}) {
        entry.description.unsavedSteps = c.steps;
        entry.description.writtenAt = c.written.toSecsSinceEpoch();
        if (c.meddled)
            LandmarkFileBuilder().addMany(4).writeTo(run.original);
        EXPECT_EQ(keptWorkQuestion(entry, now), QLatin1String(c.text).arg(folder));
    }
}

// The next start of the editor, in this process, keeping its work where the earlier run did.
struct NextStart {
    ScriptedDialogs dialogs;
    std::unique_ptr<Startup> startup;
    // `more` scripts the dialogs that follow the answers.
    NextStart(const EarlierRun& run, const std::vector<const char*>& answers,
              const std::function<void(ScriptedDialogs&)>& more = {}) {
        std::ofstream(run.dir.file("korvland.INI"))
            << "[settings]\nstartdir=" << run.dir.path().string() << "\n";
        for (const char* button : answers)
            dialogs.expectExec(0,
                               [button](QDialog& box) { box.findChild<QAbstractButton*>(button)->click(); });
        if (more)
            more(dialogs);
        startup = std::make_unique<Startup>(dialogs, run.dir.file("korvland.INI"));
        startup->keepUnsavedWork(qstr(run.folder));
        startup->show();
        QTest::mouseClick(startup->welcome()->startButton(), Qt::LeftButton);
        QTest::qWait(100);
    }
    LandmarkDocument& document() { return startup->context().document; }
};

TEST(KeptWorkOffer, RestoreBringsTheWorkBackAsTheOriginalFileDiscardRemovesItLaterKeepsIt) {
    using namespace kept_work_names;
    struct Case {
        const char* answer;
        bool restored;
        bool kept;
    };
    for (const Case& c : std::vector<Case>{
             {kRestoreButton, true, true}, {kDiscardButton, false, false}, {kLaterButton, false, true}}) {
        SCOPED_TRACE(c.answer);
        EarlierRun run;
        NextStart next(run, {c.answer});
        EXPECT_TRUE(next.dialogs.allAnswered());
        EXPECT_EQ(next.document().isModified(), c.restored);
        EXPECT_EQ(next.document().isLoaded() && next.document().record(0).nameBytes() == "Kept", c.restored);
        if (c.restored) {
            EXPECT_EQ(next.startup->windows().editor->findChild<QLabel*>(editor_names::kPathLabel)->text(),
                      qstr(run.original));
            EXPECT_EQ(next.document().proposedSaveName(), QStringLiteral("lndmrks0.dat"));
            EXPECT_EQ(next.document().proposedSaveFolder(), qstr(run.dir.path().string()));
        }
        EXPECT_EQ(findRecoveryCopies(run.folder).size(), c.kept ? 1u : 0u);
    }
}

TEST(KeptWorkOffer, RestoreOntoAFileChangedSinceKeepsItsChangesAndAsksWhereBothChangedARecord) {
    using namespace kept_work_names;
    EarlierRun run;
    // Another program renamed the record the kept work renamed, and another one.
    LandmarkSet changed;
    changed.read(run.original);
    for (const auto& [index, name] : {std::pair<std::size_t, const char*>{0, "Theirs"}, {2, "Other"}}) {
        LandmarkRecord record = changed.record(index);
        record.setNameBytes(name);
        changed.setRecord(index, record);
    }
    changed.writeLandmarkFile(run.original);
    QStringList listed;
    NextStart next(run, {kRestoreButton}, [&](ScriptedDialogs& dialogs) {
        dialogs.expectExec(QDialog::Accepted, [&](QDialog& dialog) {
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                listed << label->text();
            dialog.adjustSize();
            testing::keep(dialog.grab(), "conflict_choice.png");
            auto* choice = dialog.findChild<QComboBox*>(QStringLiteral("ConflictRecord0"));
            ASSERT_TRUE(choice);
            EXPECT_EQ(choice->currentText(), QStringLiteral("Keep mine"));
        });
    });
    EXPECT_TRUE(next.dialogs.allAnswered());
    EXPECT_TRUE(listed.contains(QStringLiteral("1 Theirs: name"))) << listed.join(u'|').toStdString();
    LandmarkDocument& document = next.document();
    EXPECT_EQ(document.record(0).nameBytes(), "Kept");
    EXPECT_EQ(document.record(2).nameBytes(), "Other");
    EXPECT_EQ(document.undoStack()->count(), 1) << "the restored step, to be undone on its own";
    document.undoStack()->undo();
    EXPECT_EQ(document.record(0).nameBytes(), "Theirs");
    EXPECT_EQ(next.startup->windows().editor->recentFiles().entries().value(0), qstr(run.original));
}

// --- the real program ended by the system ---------------------------------------------------------

TEST(SystemEnd, TerminatedEditorWritesItsSettingsAndKeepsTheRecentFiles) {
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        TempDir folder;
        const QString program = qstr(folder.file("korvland"));
        ASSERT_TRUE(QFile::copy(korvland::testing::build::editorProgram, program));
        const std::string recent = LandmarkFileBuilder().addMany(2).writeTo(folder.file("lndmrks3.dat"));
        std::ofstream(folder.file("korvland.INI")) << "[settings]\nstartdir=" << folder.path().string()
                                                   << "\n[Form2.MRUList]\nH0=" << recent << "\n";
        QProcess editor;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), qstr(folder.path().string()));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), qstr(folder.file("state")));
        editor.setProcessEnvironment(environment);
        editor.start(program, {});
        ASSERT_TRUE(editor.waitForStarted());
        // Running once it listens for later starts.
        QLocalSocket probe;
        const QString socket = qstr(folder.file("korvland-" + std::to_string(::getuid()) + "-offscreen"));
        for (int i = 0; i < 200 && probe.state() != QLocalSocket::ConnectedState; ++i) {
            probe.connectToServer(socket);
            if (!probe.waitForConnected(100))
                QTest::qWait(50);
        }
        probe.abort();
        ::kill(static_cast<pid_t>(editor.processId()), signal);
        ASSERT_TRUE(editor.waitForFinished(20000));
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();
        const SettingsStore settings(folder.file("korvland.INI"));
        EXPECT_EQ(settings.readList("Form2.MRUList", "H", 4), std::vector<std::string>{recent});
        EXPECT_FALSE(settings.readString("Common", editor_names::kWindow, "").empty())
            << "the placements are written";
    }
}

} // namespace
} // namespace korvland
