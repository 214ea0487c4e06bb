// The program's windows as an operator meets them under a window manager: minimised
// through the window manager, hidden by a read, brought back by their commands, the map's
// highlight on the screen, placements of windows a run never shows, and the class every
// window carries.

#include "desktop/desktop_fixture.h"
#include "support/build_paths.h"
#include "support_gui/named.h"
#include "support_gui/render_keep.h"
#include "ui/editor/editor_window.h"
#include "ui/map/map_selection.h"
#include "ui/map/map_window.h"
#include "ui/start/program_identity.h"
#include "ui/tables/ownership_window.h"
#include "ui/tables/status_window.h"

#include <QAction>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <fstream>

namespace korvland {
namespace {
using namespace editor_names;
using testing::named;

using testing::LandmarkFileBuilder;
using testing::makeRecord;
using testing::XWindowView;

QString runX(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(qgetenv("DISPLAY")));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Qt's warnings while a test runs: a hidden window mapped behind the toolkit's back shows
// up as "setNetWmStateOnUnmappedWindow() called on mapped window".
QStringList& warnings() {
    static QStringList seen;
    return seen;
}
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings() << message;
}

class DesktopWindows : public testing::DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        warnings().clear();
        mPreviousHandler = qInstallMessageHandler(collectWarnings);
    }
    void TearDown() override {
        qInstallMessageHandler(mPreviousHandler);
        DesktopTest::TearDown();
    }

    // Starts editing on a file of `count` markers crowded together, read from the recent files.
    void startOn(const std::string& landmarks) {
        writeSettings("");
        startEditing();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(w().editor->openLandmarkFile(QString::fromStdString(landmarks)));
    }
    const ProgramWindows& w() const { return startup->windows(); }
    QAction* action(const char* name) const { return w().editor->findChild<QAction*>(QLatin1String(name)); }
    QPushButton* tableButton() const { return named<QPushButton>(w().editor, kTableButton); }

    struct Window {
        const char* name;
        QWidget* window;
        std::function<void()> command;
        std::function<bool()> commandEnabled;
    };
    std::vector<Window> windowsWithCommands() const {
        return {{"map", w().map.get(), [this] { action(kMapAction)->trigger(); },
                 [this] { return action(kMapAction)->isEnabled(); }},
                {"ownership table", w().ownership.get(), [this] { action(kDataAction)->trigger(); },
                 [this] { return action(kDataAction)->isEnabled(); }},
                {"status table", w().status.get(), [this] { tableButton()->click(); },
                 [this] { return tableButton()->isEnabled(); }}};
    }

    // Minimised as the operator does it, through the window manager. The command that
    // brought the window up also asked for its activation, which a busy window manager may
    // carry out after the minimise, restoring the window: it is asked again until the window
    // stays minimised.
    void minimiseThroughTheWindowManager(QWidget* window) {
        const auto minimised = [&] { return window->isMinimized() && !view(window).viewable; };
        const auto restored = [&] { return !window->isMinimized(); };
        bool stays = false;
        for (int attempt = 0; attempt < 4 && !stays; ++attempt) {
            runX(QStringLiteral("xdotool"),
                 {QStringLiteral("windowminimize"), QString::number(window->winId())});
            stays = QTest::qWaitFor(minimised, 10000) && !QTest::qWaitFor(restored, 1000);
        }
        EXPECT_TRUE(stays) << window->objectName().toStdString();
    }

    // On the screen, not minimised, and painted: the window system's own pixels of it are
    // not the black of a frame nobody paints.
    void expectInSightAndPainted(QWidget* window, const char* name) {
        const XWindowView seen =
            settled(window, [](const XWindowView& v) { return v.viewable && !v.state.contains("HIDDEN"); });
        EXPECT_TRUE(seen.viewable) << name;
        EXPECT_FALSE(seen.state.contains(QStringLiteral("_NET_WM_STATE_HIDDEN"))) << name;
        EXPECT_FALSE(window->isMinimized()) << name;
        QImage pixels;
        const bool painted = QTest::qWaitFor(
            [&] {
                pixels = window->screen()->grabWindow(window->winId()).toImage();
                int black = 0;
                for (int y = 0; y < pixels.height(); y += 4)
                    for (int x = 0; x < pixels.width(); x += 4)
                        black += (pixels.pixel(x, y) & 0xFFFFFF) == 0;
                return !pixels.isNull() && black * 16 < pixels.width() * pixels.height() / 2;
            },
            10000);
        EXPECT_TRUE(painted) << name << " is a black frame";
    }

    QtMessageHandler mPreviousHandler = nullptr;
};

TEST_F(DesktopWindows, MinimisedWindowsComeBackThroughTheirCommandsAfterAReadAndWithout) {
    const std::string first = LandmarkFileBuilder().addMany(40).writeTo(folder / "lndmrks0.dat");
    const std::string second = LandmarkFileBuilder().addMany(30).writeTo(folder / "lndmrks1.dat");
    startOn(first);
    ASSERT_FALSE(HasFatalFailure());
    const std::vector<Window> windows = windowsWithCommands();
    for (const Window& each : windows) {
        each.command();
        expectInSightAndPainted(each.window, each.name);
        minimiseThroughTheWindowManager(each.window);
        EXPECT_TRUE(each.commandEnabled()) << each.name << ": minimised, its command brings it back";
        each.command();
        expectInSightAndPainted(each.window, each.name);
        minimiseThroughTheWindowManager(each.window);
    }

    // A read with all three minimised hides them, and they stay hidden: no frame comes back.
    w().editor->openRecentFile(QString::fromStdString(second));
    QTest::qWait(1000);
    for (const Window& each : windows) {
        EXPECT_TRUE(each.window->isHidden()) << each.name;
        EXPECT_FALSE(view(each.window).viewable) << each.name << " came back as a ghost";
        EXPECT_TRUE(each.commandEnabled()) << each.name;
    }
    for (const Window& each : windows) {
        each.command();
        expectInSightAndPainted(each.window, each.name);
    }
    EXPECT_EQ(w().map->markers().size(), 30u) << "the new file's markers";
    EXPECT_FALSE(action(kMapAction)->isEnabled()) << "the map is in sight";
    EXPECT_FALSE(tableButton()->isEnabled()) << "the status table is in sight";
    EXPECT_FALSE(warnings().join(QLatin1Char('\n')).contains(QStringLiteral("mapped window")))
        << warnings().join(QLatin1Char('\n')).toStdString();
}

TEST_F(DesktopWindows, AFailedReadWithTheMapShownLeavesTheMapCommandEnabled) {
    startOn(LandmarkFileBuilder().addMany(10).writeTo(folder / "lndmrks0.dat"));
    ASSERT_FALSE(HasFatalFailure());
    action(kMapAction)->trigger();
    expectInSightAndPainted(w().map.get(), "map");
    dialogs.expectError();
    EXPECT_FALSE(w().editor->openLandmarkFile(QString::fromStdString((folder / "gone.dat").string())));
    EXPECT_TRUE(w().map->isHidden());
    ASSERT_TRUE(action(kMapAction)->isEnabled());
    action(kMapAction)->trigger();
    expectInSightAndPainted(w().map.get(), "map");
}

// Markers crowded so that every one is overlapped by those of the next records.
LandmarkFileBuilder crowdedFile() {
    LandmarkFileBuilder file;
    for (int i = 0; i < 60; ++i) {
        LandmarkRecord record =
            makeRecord(static_cast<std::uint16_t>(1000 + i), static_cast<std::uint8_t>(i % 9), 0,
                       static_cast<std::uint8_t>(i % 2), "Crowded");
        record.northSouth = 20.0f + 0.01f * static_cast<float>(i % 7);
        record.eastWest = 30.0f + 0.02f * static_cast<float>(i);
        file.add(record);
    }
    return file;
}

// The pixels a highlighted frame's circle covers, relative to the frame's top-left corner.
std::vector<QPoint> circlePixels() {
    QImage alone(kFrameSize, kFrameSize, QImage::Format_ARGB32);
    alone.fill(Qt::transparent);
    MarkerFrameItem frame(0);
    frame.setFrameShape(MarkerFrameItem::Shape::Circle);
    frame.setColour(kHighlightColour);
    QPainter painter(&alone);
    frame.paint(&painter, nullptr, nullptr);
    painter.end();
    std::vector<QPoint> pixels;
    for (int y = 0; y < kFrameSize; ++y)
        for (int x = 0; x < kFrameSize; ++x)
            if (qAlpha(alone.pixel(x, y)) != 0)
                pixels.emplace_back(x, y);
    return pixels;
}

TEST_F(DesktopWindows, TheHighlightedMarkerIsDrawnAboveAllOthersInPureWhiteAtEveryScale) {
    startOn(crowdedFile().writeTo(folder / "lndmrks0.dat"));
    ASSERT_FALSE(HasFatalFailure());
    w().editor->setRecordNumber(10);
    w().editor->selectRecord();
    action(kMapAction)->trigger();
    expectInSightAndPainted(w().map.get(), "map");
    const std::vector<QPoint> circle = circlePixels();
    ASSERT_GT(circle.size(), 40u);
    for (const char* scale : {map_names::kHalfScaleAction, map_names::kFullScaleAction,
                              map_names::kDoubleScaleAction, map_names::kQuadrupleScaleAction}) {
        SCOPED_TRACE(scale);
        w().map->findChild<QAction*>(QLatin1String(scale))->trigger();
        const MapMarker* marker = w().map->marker(9);
        ASSERT_NE(marker, nullptr);
        const QPointF centre = marker->frame->sceneBoundingRect().center();
        EXPECT_EQ(w().map->scene()->items(centre).first(), marker->frame) << "drawn above every other marker";
        const QPoint corner = w().map->view()->viewport()->mapTo(
            w().map.get(), w().map->view()->mapFromScene(marker->frame->pos()));
        QImage seen;
        int white = 0;
        (void)QTest::qWaitFor(
            [&] {
                seen = w().map->screen()->grabWindow(w().map->winId()).toImage();
                white = 0;
                for (const QPoint& p : circle)
                    white += (seen.pixel(corner + p) & 0xFFFFFF) == 0xFFFFFF;
                return white == static_cast<int>(circle.size());
            },
            5000);
        EXPECT_EQ(white, static_cast<int>(circle.size())) << "every pixel of the outline pure white";
        testing::keep(seen, (std::string("map_highlight_") + scale + ".png").c_str());
    }
    // Moved on, the marker goes back among the others in the order of their records.
    named<QAction>(w().map, map_names::kHalfScaleAction)->trigger();
    w().editor->setRecordNumber(11);
    w().editor->selectRecord();
    const MapMarker* left = w().map->marker(9);
    EXPECT_EQ(left->frame->zValue(), 0);
    EXPECT_EQ(left->icon->zValue(), 0);
    EXPECT_NE(w().map->scene()->items(left->frame->sceneBoundingRect().center()).first(), left->frame);
}

// --- placements of windows a run never shows ---------------------------------------------

class DesktopNeverShown : public testing::DesktopTest {
  protected:
    // A run in which the operator opens only what `open` opens, then ends the program.
    std::string runAndReadBack(const std::string& key,
                               const std::function<void(const ProgramWindows&)>& open) {
        startEditing();
        if (HasFatalFailure())
            return {};
        open(startup->windows());
        QTest::qWait(1500); // the window manager settles what was opened
        startup.reset();
        return stored(key);
    }
};

TEST_F(DesktopNeverShown, AValidRecordIsWrittenBackUnchangedAndOnlyAMissingOrInvalidOneGivesTheDesignedOne) {
    const struct {
        const char* key;
        const char* designed;
    } windows[] = {{map_names::kWindow, "200,0,1,315,154,1148,907"},
                   {status_names::kWindow, "200,0,1,470,653,861,895"}};
    const struct {
        const char* record;
        bool kept;
    } records[] = {{"200,0,1,700,100,1533,853", true},
                   {"200,2,2,-40,30,900,700", true},
                   {"201,0,1,700,100,1533,853", false},
                   {"200,0,1,700,100,1533", false},
                   {"200,0,1,7x0,100,1533,853", false}};
    for (const auto& window : windows) {
        for (const auto& record : records) {
            SCOPED_TRACE(std::string(window.key) + "=" + record.record);
            writeSettings(std::string(window.key) + "=" + record.record + "\n");
            const std::string back = runAndReadBack(window.key, [](const ProgramWindows&) {});
            EXPECT_EQ(back, record.kept ? record.record : window.designed);
        }
    }
}

TEST_F(DesktopNeverShown, TheOwnershipTablesDesignedFrameIsTheOneItTakesWhenShown) {
    writeSettings("");
    const std::string shown =
        runAndReadBack(ownership_names::kWindow, [](const ProgramWindows& w) { w.editor->dataCommand(); });
    writeSettings("");
    const std::string notShown = runAndReadBack(ownership_names::kWindow, [](const ProgramWindows&) {});
    EXPECT_EQ(notShown, shown) << "menu bar and frame included";
    writeSettings("");
    const std::string again = runAndReadBack(ownership_names::kWindow, [](const ProgramWindows&) {});
    EXPECT_EQ(again, shown) << "the same in every run";
}

// --- the program's name ------------------------------------------------------------------

// The real program, copied into the test's folder, so that its settings file is there too.
class DesktopProgram : public testing::DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped())
            return;
        std::filesystem::copy_file(korvland::testing::build::editorProgram, program);
    }
    void TearDown() override {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
        DesktopTest::TearDown();
    }

    // The WM_CLASS of the first window titled `title` the started program shows.
    QString classOfWindowTitled(const QString& title) {
        QString id;
        (void)QTest::qWaitFor(
            [&] {
                id = runX(QStringLiteral("xdotool"),
                          {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                           QStringLiteral("--name"), title})
                         .section(QLatin1Char('\n'), 0, 0)
                         .trimmed();
                return !id.isEmpty();
            },
            30000);
        if (id.isEmpty())
            return QStringLiteral("no window titled ") + title;
        return runX(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("WM_CLASS")})
            .trimmed();
    }

    void start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString(program.string()), {});
        ASSERT_TRUE(process.waitForStarted(10000));
    }
    void stop() {
        process.kill();
        process.waitForFinished(5000);
    }

    std::filesystem::path program = dir.path() / "korvland";
    QProcess process;
};

TEST_F(DesktopProgram, EveryWindowCarriesTheClassOfTheDesktopEntryFromTheFirstStartOn) {
    const QString expected =
        QStringLiteral("WM_CLASS(STRING) = \"%1\", \"%1\"").arg(QLatin1String(kProgramName));
    // First start: no settings file, so the folder chooser comes before any other window.
    start();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(classOfWindowTitled(QStringLiteral("Choose Landmarks Files Location")), expected);
    stop();
    // A later start: the welcome window first.
    const std::string text = "[settings]\nstartdir=" + folder.string() + "\n";
    testing::writeBytes((dir.path() / "korvland.INI").string(),
                        std::vector<std::uint8_t>(text.begin(), text.end()));
    start();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(classOfWindowTitled(QStringLiteral("KORV TLQ Landmarks Editor V3.2")), expected);
    stop();

    // The installed desktop entry names the same class, under the same name.
    std::ifstream entry(std::filesystem::path(korvland::testing::build::sourceDir) / "packaging" /
                        (std::string(kProgramName) + ".desktop"));
    ASSERT_TRUE(entry.good());
    std::string line;
    std::string wmClass;
    while (std::getline(entry, line))
        if (line.rfind("StartupWMClass=", 0) == 0)
            wmClass = line.substr(15);
    EXPECT_EQ(wmClass, kProgramName);
}

} // namespace
} // namespace korvland
