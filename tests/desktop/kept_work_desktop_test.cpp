#include "data/recovery_copy.h"
#include "desktop/desktop_fixture.h"
#include "support/build_paths.h"
#include "support/program_runner.h"

#include <QProcess>

#include <csignal>

namespace korvland {
namespace {

QString runXTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

// The real program, copied into the test's folder with its settings, driven by keys as an
// operator would, and ended by the system.
class DesktopKeptWork : public testing::DesktopTest {
  protected:
    void TearDown() override {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
        DesktopTest::TearDown();
    }

    // The visible window whose title holds `title`; empty while there is none.
    static QString visible(const QString& title) {
        return runXTool(QStringLiteral("search --onlyvisible --name").split(QLatin1Char(' ')) << title);
    }
    // Activates the window titled `title` once it shows and types `keys` into it.
    static bool type(const QString& title, const QString& keys) {
        QString id;
        (void)QTest::qWaitFor([&] { return !(id = visible(title)).isEmpty(); }, 30000);
        runXTool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), id});
        QTest::qWait(300);
        runXTool(QStringLiteral("key --delay 150 ").append(keys).split(QLatin1Char(' ')));
        return !id.isEmpty();
    }

    // Starts the program on `file`, hands over to the editor and switches every landmark off.
    void startAndEdit(const std::string& file) {
        std::filesystem::copy_file(korvland::testing::build::editorProgram, program,
                                   std::filesystem::copy_options::overwrite_existing);
        writeSettings("");
        std::filesystem::copy_file(settings, folder / "korvland.INI",
                                   std::filesystem::copy_options::overwrite_existing);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(dir.path().string()));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), QString::fromStdString(dir.file("state")));
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString(program.string()), {QString::fromStdString(file)});
        ASSERT_TRUE(process.waitForStarted(10000));
        const QString welcome = QStringLiteral("Landmarks Editor V3.2");
        ASSERT_TRUE(type(welcome, QStringLiteral("Return")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return visible(welcome).isEmpty(); }, 20000));
        ASSERT_TRUE(type(QStringLiteral("Landmarks Editor"), QStringLiteral("ctrl+a alt+e w Return")));
    }

    std::filesystem::path program = folder / "korvland";
    std::string recovery = dir.file("state/korvland/recovery");
    QProcess process;
};

TEST_F(DesktopKeptWork, EditorKilledOrTerminatedAfterAnEditLeavesAPrivateCopyThatTheToolsRead) {
    for (const int signal : {SIGKILL, SIGTERM}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove_all(recovery);
        std::filesystem::create_directories(folder);
        const std::string file = testing::LandmarkFileBuilder().addMany(3).writeTo(folder / "lndmrks0.dat");
        startAndEdit(file);
        ASSERT_FALSE(HasFatalFailure());
        // Everything on screen two seconds before the end is kept.
        QTest::qWait(2000);
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(20000));

        const std::optional<RecoveryEntry> kept = recoveryCopyOf(recovery, file);
        ASSERT_TRUE(kept) << "no copy in " << recovery;
        const testing::ProgramRun info = testing::runProgram(korvland::testing::build::cliProgram,
                                                             {"export", kept->files.copy, "--format", "csv"});
        EXPECT_EQ(info.exitCode, 0) << info.err;
        EXPECT_EQ(std::count(info.out.begin(), info.out.end(), '\n'), 4) << info.out;
        EXPECT_EQ(info.out.find(",0\n"), std::string::npos) << "every landmark is switched off:\n"
                                                            << info.out;
        if (signal == SIGTERM) {
            EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
            const SettingsStore store((folder / "korvland.INI").string());
            EXPECT_EQ(store.readList("Form2.MRUList", "H", 4), std::vector<std::string>{file});
        }
    }
}

} // namespace
} // namespace korvland
