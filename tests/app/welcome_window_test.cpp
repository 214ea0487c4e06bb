#include "document/landmark_document.h"
#include "settings/settings_store.h"
#include "support/fixture_builder.h"
#include "support_gui/named.h"
#include "support_gui/scripted_dialogs.h"
#include "ui/common/app_context.h"
#include "ui/common/program_icon.h"
#include "ui/start/welcome_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace korvland {
namespace {

using testing::named;

using testing::ScriptedDialogs;
using testing::TempDir;

// A welcome window on its own, with its own settings file.
struct WelcomeFixture {
    TempDir dir;
    LandmarkDocument document;
    ScriptedDialogs dialogs;
    SettingsStore store{dir.file("korvland.INI")};
    AppContext context{document, dialogs, store, {}, {}, {}};
    WelcomeWindow window{context};
};

TEST(WelcomeWindow, ShowsTheWarningAndTheStartButtonAsLaidOut) {
    WelcomeFixture f;
    WelcomeWindow& w = f.window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("KORV TLQ Landmarks Editor V3.2"));
    EXPECT_EQ(w.clientArea()->size(), QSize(327, 249));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "fixed size";
    const Qt::WindowFlags flags = w.windowFlags();
    // No title-bar buttons: either the window system's title alone, or none of the window
    // system's decorations and a caption of the window's own.
    EXPECT_TRUE(flags &
                (WelcomeWindow::drawsOwnCaption() ? Qt::FramelessWindowHint : Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint));
    if (WelcomeWindow::drawsOwnCaption()) {
        auto* caption = named<QWidget>(&w, welcome_names::kCaption);
        ASSERT_NE(caption, nullptr);
        EXPECT_LT(caption->geometry().bottom(), w.clientArea()->geometry().top());
        EXPECT_TRUE(caption->findChildren<QAbstractButton*>().isEmpty());
    }
    // The main window: a dialog would be made a transient without a task-bar entry.
    EXPECT_EQ(w.windowType(), Qt::Window);
    // Assistive technology announces it as a frame.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&w)->role(), QAccessible::Window);

    QPlainTextEdit* memo = named<QPlainTextEdit>(&w, welcome_names::kWarning);
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    const QStringList expected{"Use this editor at your own risk.",
                               "Make a backup of all of your ",
                               "LndmrksX.dat files!",
                               "",
                               "Read Pellam's documentation on how to ",
                               "use this utility and how to set up the ",
                               "server to use the new Landmarks files. ",
                               "",
                               "Good luck & Enjoy!",
                               "",
                               "Marten Quillon & Pellam"};
    EXPECT_EQ(lines, expected);
    QPushButton* button = named<QPushButton>(&w, welcome_names::kStartButton);
    ASSERT_NE(button, nullptr);
    EXPECT_LT(memo->geometry().bottom(), button->geometry().top()) << "the warning stands above the button";
    EXPECT_EQ(button->text(), QStringLiteral("Click to Start TLQ Landmarks Editor"));
    EXPECT_EQ(button->nextInFocusChain(), memo) << "the button leads the tab order";

    w.show();
    EXPECT_EQ(w.focusWidget(), button);
    // Characters 13 pixels high, and still every line fits without scrolling or wrapping.
    EXPECT_EQ(memo->font().pixelSize(), 13);
    const QFontMetrics metrics(memo->font());
    const int margin = static_cast<int>(memo->document()->documentMargin());
    const int room = memo->viewport()->width() - 2 * margin;
    for (const QString& line : expected)
        EXPECT_LE(metrics.horizontalAdvance(line), room) << line.toStdString();
    EXPECT_LE(metrics.lineSpacing() * static_cast<int>(expected.size()) + 2 * margin,
              memo->viewport()->height());

    const QRect available = w.screen()->availableGeometry();
    EXPECT_LE((w.frameGeometry().center() - available.center()).manhattanLength(), 2) << "centred";
}

TEST(WelcomeWindow, ChooserStartsWhereItLastEnded) {
    WelcomeFixture f;
    f.dialogs.expectChooseFolder(QStringLiteral("/first/Choice"));
    f.dialogs.expectChooseFolder(std::nullopt);
    f.dialogs.expectChooseFolder(std::nullopt);
    EXPECT_EQ(f.window.runFolderChooser(nullptr), QStringLiteral("/first/Choice"));
    EXPECT_EQ(f.window.runFolderChooser(nullptr), std::nullopt);
    f.window.runFolderChooser(nullptr);
    ASSERT_EQ(f.dialogs.asked().size(), 3u);
    EXPECT_EQ(f.dialogs.asked()[0].text, QDir::currentPath());
    EXPECT_EQ(f.dialogs.asked()[1].text, QStringLiteral("/first/Choice"));
    EXPECT_EQ(f.dialogs.asked()[2].text, QStringLiteral("/first/Choice")) << "a cancel changes nothing";
}

TEST(WelcomeWindow, LandmarkOpenDialogOpensInTheLandmarksFolder) {
    WelcomeFixture f;
    f.context.landmarksFolder = QStringLiteral("/srv/Land");
    const FileDialogRequest request = f.window.landmarkDialogRequest();
    EXPECT_EQ(request.filter, QStringLiteral("Landmark Files|Lndmrks?.dat|Data Flies|*.dat|All Files|*.*"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("dat"));
    EXPECT_TRUE(request.title.isEmpty()) << "the platform's own title";
    EXPECT_EQ(request.initialFolder, QStringLiteral("/srv/Land"));
    EXPECT_FALSE(request.readOnlyOption);
}

TEST(WelcomeWindow, RenderForInspection) {
    const QByteArray out = qgetenv("KORVLAND_SNAPSHOT_DIR");
    if (out.isEmpty())
        GTEST_SKIP() << "set KORVLAND_SNAPSHOT_DIR to write the picture";
    WelcomeFixture f;
    f.window.show();
    EXPECT_TRUE(f.window.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/welcome.png")));
    EXPECT_TRUE(
        programIconImage().scaled(256, 256).save(QString::fromLocal8Bit(out) + QStringLiteral("/icon.png")));
}

} // namespace
} // namespace korvland
