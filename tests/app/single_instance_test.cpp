#include "document/landmark_document.h"
#include "support/build_paths.h"
#include "support/fixture_builder.h"
#include "support/program_runner.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/editor/editor_window.h"
#include "ui/start/forwarded_files.h"
#include "ui/start/single_instance.h"
#include "ui/start/startup.h"
#include "ui/start/welcome_window.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLocalSocket>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace korvland {
namespace {

using testing::LandmarkFileBuilder;
using testing::qstr;
using testing::ScriptedDialogs;
using testing::TempDir;

// The program as a start from the desktop runs it: on the offscreen platform, with its own
// runtime folder, which holds the socket of this user's editor.
class ProgramStart {
  public:
    ProgramStart(const TempDir& runtime, const QStringList& arguments,
                 const QString& program = QString::fromUtf8(korvland::testing::build::editorProgram)) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), qstr(runtime.path().string()));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForStarted()) << process.errorString().toStdString();
    }
    ~ProgramStart() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    // Runs this process's event loop (where an editor may be listening) until the program ends.
    bool finished(int milliseconds = 20000) {
        QElapsedTimer clock;
        clock.start();
        while (process.state() != QProcess::NotRunning && clock.elapsed() < milliseconds)
            QTest::qWait(20);
        return process.state() == QProcess::NotRunning;
    }

    QProcess process;
};

// Where the program started by ProgramStart looks for the running editor: its user's socket
// for a desktop without a display name, on the platform's name.
QString socketIn(const TempDir& runtime) {
    return qstr(runtime.file("korvland-" + std::to_string(::getuid()) + "-offscreen"));
}

// What a killed editor leaves: a socket file that nobody listens on.
void leaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(name.size(), qsizetype(sizeof address.sun_path));
    std::copy(name.begin(), name.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// The running editor of a desktop: start-up's windows in this process, past "Click to Start"
// when `handedOver`, with `instance` serving them.
class RunningEditorTest : public testing::ScriptedDialogsTest<> {
  protected:
    void start(bool handedOver) {
        std::ofstream(settings) << "[settings]\nstartdir=" << dir.path().string() << "\n";
        startup = std::make_unique<Startup>(dialogs, settings);
        startup->show();
        if (handedOver)
            clickStart();
    }

    void clickStart() {
        QTest::mouseClick(startup->welcome()->startButton(), Qt::LeftButton);
        QTest::qWait(50);
    }
    // Long enough for a waiting file to look again.
    static void settle() { QTest::qWait(3 * ForwardedFiles::kRetryMilliseconds); }

    EditorWindow* editor() const { return startup->windows().editor.get(); }
    QString shownFile() const { return editor()->findChild<QLabel*>(editor_names::kPathLabel)->text(); }
    QString landmarkFile(const char* name, int records = 3) const {
        return qstr(LandmarkFileBuilder().addMany(records).writeTo(dir.file(name)));
    }

    TempDir dir;
    TempDir runtime;
    std::string settings = dir.file("korvland.INI");
    std::unique_ptr<Startup> startup;
};

// --- a file handed to the running editor -----------------------------------------------------

struct ForwardCase {
    const char* name;
    bool handedOver;                  // the welcome window has handed over to the editor
    bool modified;                    // the editor holds unsaved edits
    bool modalUp;                     // a modal dialog is up when the file comes
    std::optional<bool> discardReply; // the answer to the unsaved-changes question, when asked
    bool opens;
};

TEST_F(RunningEditorTest, HandedFileOpensAsOpenDoesOnceNothingHoldsItBack) {
    const std::vector<ForwardCase> cases{
        {"editor showing", true, false, false, std::nullopt, true},
        {"unsaved edits, discarded", true, true, false, true, true},
        {"unsaved edits, kept", true, true, false, false, false},
        {"modal dialog up: after it closes", true, false, true, std::nullopt, true},
        {"welcome window up: at the hand-over", false, false, false, std::nullopt, true},
        {"welcome window with a modal dialog", false, false, true, std::nullopt, true},
    };
    for (const ForwardCase& c : cases) {
        SCOPED_TRACE(c.name);
        start(c.handedOver);
        const QString before = c.handedOver ? landmarkFile("lndmrks0.dat") : QString();
        if (c.handedOver) {
            ASSERT_TRUE(editor()->openLandmarkFile(before));
        }
        if (c.modified) {
            LandmarkDocument& document = startup->context().document;
            document.setSide(0, document.set().record(0).side == 1 ? 0 : 1);
        }
        QWidget* front = c.handedOver ? static_cast<QWidget*>(editor()) : startup->welcome();
        auto modal = std::make_unique<QDialog>(front);
        if (c.modalUp) {
            modal->setModal(true);
            modal->show();
        }
        if (c.discardReply)
            dialogs.expectSaveChoice(*c.discardReply ? SaveChoice::Discard : SaveChoice::Cancel);

        ForwardedFiles forwarded(startup->welcome(), editor());
        const QString handed = landmarkFile("lndmrks2.dat", 5);
        forwarded.open(handed);
        if (c.modalUp || !c.handedOver) {
            settle();
            EXPECT_EQ(forwarded.waiting(), QStringList{handed}) << "held back";
            EXPECT_EQ(startup->context().document.set().recordCount(), c.handedOver ? 3 : 0);
        }
        modal.reset();
        if (!c.handedOver)
            clickStart();
        settle();
        EXPECT_TRUE(forwarded.waiting().isEmpty());
        EXPECT_EQ(shownFile(), c.opens ? handed : before);
        EXPECT_EQ(editor()->recentFiles().entries().value(0), c.opens ? handed : before);
        EXPECT_TRUE(dialogs.allAnswered());
        startup.reset();
    }
}

TEST_F(RunningEditorTest, HandedFilesOpenInTheOrderTheyCameAndNoFileJustBringsTheEditorBack) {
    start(true);
    editor()->showMinimized();
    ForwardedFiles forwarded(startup->welcome(), editor());
    forwarded.open({});
    EXPECT_FALSE(editor()->isMinimized()) << "a start without a file brings the editor to the front";
    EXPECT_TRUE(shownFile().isEmpty());

    const QString first = landmarkFile("lndmrks1.dat");
    const QString profileTarget = landmarkFile("lndmrks3.dat", 4);
    LandmarkSet other;
    other.read(profileTarget.toStdString());
    other.setDisabled(1, 1);
    other.saveProfile(dir.file("night.lmp"));
    auto modal = std::make_unique<QDialog>(editor());
    modal->setModal(true);
    modal->show();
    forwarded.open(first);
    forwarded.open(qstr(dir.file("night.lmp")));
    modal.reset();
    settle();
    EXPECT_EQ(shownFile(), profileTarget) << "the profile, which came last, names its landmark file";
    EXPECT_EQ(startup->context().document.set().disabledFlag(1), 1);
    EXPECT_EQ(editor()->recentFiles().entries().value(0), first) << "a profile is no recent landmark file";
}

// --- two real starts ----------------------------------------------------------------------------

TEST_F(RunningEditorTest, LaterStartHandsItsFileToTheRunningEditorAndEnds) {
    start(true);
    SingleInstance instance(socketIn(runtime));
    QString printed;
    QTextStream err(&printed);
    ASSERT_EQ(instance.claimOrHandOver({}, err), std::nullopt) << "the first start runs the editor";
    ASSERT_TRUE(instance.isListening());
    instance.serve(startup->welcome(), editor());

    const QString handed = landmarkFile("lndmrks4.dat", 6);
    for (const QStringList& arguments : {QStringList{handed}, QStringList{}}) {
        ProgramStart later(runtime, arguments);
        ASSERT_TRUE(later.finished()) << "the later start ends";
        EXPECT_EQ(later.process.exitCode(), 0) << later.process.readAllStandardError().toStdString();
        settle();
        EXPECT_EQ(shownFile(), handed);
        EXPECT_EQ(startup->context().document.set().recordCount(), 6);
    }
    EXPECT_TRUE(printed.isEmpty());
}

// The running editor opens a file only once its start has heard the answer: a start that
// gave up first has said the file was not opened. A connection that sends nothing is closed
// after a few seconds.
TEST_F(RunningEditorTest, OpensNothingForAStartThatGaveUpAndClosesAnIdleConnection) {
    start(true);
    SingleInstance instance(socketIn(runtime));
    QString printed;
    QTextStream err(&printed);
    ASSERT_EQ(instance.claimOrHandOver({}, err), std::nullopt);
    instance.serve(startup->welcome(), editor());
    const QString shownBefore = shownFile();
    const QString handed = landmarkFile("lndmrks2.dat");
    for (const bool sendsAFile : {true, false}) {
        SCOPED_TRACE(sendsAFile ? "gave up after the answer" : "sends nothing");
        QLocalSocket client;
        client.connectToServer(socketIn(runtime));
        ASSERT_TRUE(client.waitForConnected(2000));
        if (sendsAFile)
            client.write(QFile::encodeName(handed) + '\0');
        client.flush();
        QElapsedTimer clock;
        clock.start();
        const auto answered = [&] {
            return sendsAFile ? client.bytesAvailable() > 0 : client.state() != QLocalSocket::ConnectedState;
        };
        while (!answered() && clock.elapsed() < 8000)
            QTest::qWait(20);
        EXPECT_TRUE(answered());
        client.abort();
        settle();
        EXPECT_EQ(shownFile(), shownBefore);
    }
}

TEST(SingleInstanceProcess, SocketLeftByAKilledEditorIsTakenOverByTheNextStart) {
    TempDir runtime;
    TempDir folder;
    // A copy of the program with its settings beside it: the editor it runs touches nothing else.
    const QString program = qstr(folder.file("korvland"));
    ASSERT_TRUE(QFile::copy(korvland::testing::build::editorProgram, program));
    std::ofstream(folder.file("korvland.INI")) << "[settings]\nstartdir=" << folder.path().string() << "\n";
    const QString socket = socketIn(runtime);
    leaveStaleSocket(socket);
    bool refused = false;
    ASSERT_EQ(SingleInstance::handOver(socket, {}, &refused), std::nullopt);
    ASSERT_TRUE(refused);

    ProgramStart first(runtime, {}, program);
    QLocalSocket probe;
    for (int attempt = 0; attempt < 200 && probe.state() != QLocalSocket::ConnectedState; ++attempt) {
        probe.connectToServer(socket);
        if (!probe.waitForConnected(100))
            QTest::qWait(50);
    }
    ASSERT_EQ(probe.state(), QLocalSocket::ConnectedState) << "the first start listens on the old socket";
    probe.abort();

    const QString file = qstr(LandmarkFileBuilder().addMany(2).writeTo(folder.file("lndmrks1.dat")));
    ProgramStart later(runtime, {file}, program);
    ASSERT_TRUE(later.finished());
    EXPECT_EQ(later.process.exitCode(), 0) << later.process.readAllStandardError().toStdString();
    EXPECT_EQ(first.process.state(), QProcess::Running);
}

TEST(SingleInstanceProcess, BadCommandLineWithoutDisplayIsRefusedBeforeTheToolkitStarts) {
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{{{"--bogus"}, 2, "korvland: Unknown option 'bogus'."},
                                           {{"a.dat", "b.dat"}, 2, "Only one file can be opened at a time."},
                                           {{"--version"}, 0, ""}}) {
        SCOPED_TRACE(c.arguments.front());
        const testing::ProgramRun run =
            testing::runProgram(korvland::testing::build::editorProgram, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace korvland
