#include "ui/start/welcome_window.h"

#include "korvland_version.h"

#include "data/user_error.h"
#include "settings/settings_store.h"
#include "ui/common/accessible_items.h"
#include "ui/common/data_texts.h"
#include "ui/common/landmarks_folder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace korvland {

namespace {

// The warning's paragraphs, each one text with its lines broken by hand where the warning's
// width asks, so that a translation breaks its own lines.
constexpr const char* kWarningParagraphs[] = {
    //: Lines broken by hand to fit the warning box (about 40 characters a line); break the
    //: translation's lines to fit as well.
    QT_TRANSLATE_NOOP("korvland::WelcomeWindow", "Use this editor at your own risk.\n"
                                                 "Make a backup of all of your \n"
                                                 "LndmrksX.dat files!"),
    //: Lines broken by hand to fit the warning box (about 40 characters a line); break the
    //: translation's lines to fit as well.
    QT_TRANSLATE_NOOP("korvland::WelcomeWindow", "Read Pellam's documentation on how to \n"
                                                 "use this utility and how to set up the \n"
                                                 "server to use the new Landmarks files. "),
    //: The "&" is a plain ampersand, not an access key.
    QT_TRANSLATE_NOOP("korvland::WelcomeWindow", "Good luck & Enjoy!"),
};

} // namespace

QStringList welcomeText() {
    QStringList lines;
    for (const char* paragraph : kWarningParagraphs)
        lines << QCoreApplication::translate("korvland::WelcomeWindow", paragraph).split(QLatin1Char('\n'))
              << QString();
    // The authors' names close it.
    lines << QStringLiteral("Marten Quillon & Pellam");
    return lines;
}

namespace {

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr bool kOwnCaption = false;
#else
// X11 window managers draw a title bar with its buttons whatever the program asks (openbox
// keeps them while it shows a title at all): the window goes without the window manager's
// decorations and draws its caption itself.
constexpr bool kOwnCaption = true;
#endif

constexpr int kCaptionHeight = 20;

// The caption of the welcome window where it draws its own: the program icon and the
// title on a gradient, no buttons; dragging it moves the window.
class CaptionBar : public QWidget {
  public:
    explicit CaptionBar(QWidget* parent) : QWidget(parent) {
        setObjectName(QLatin1String(welcome_names::kCaption));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient fill(0, 0, width(), 0);
        fill.setColorAt(0, QColor(0x0A, 0x24, 0x6A));
        fill.setColorAt(1, QColor(0xA6, 0xCA, 0xF0));
        painter.fillRect(rect(), fill);
        const int iconSize = height() - 4;
        window()->windowIcon().paint(&painter, QRect(3, 2, iconSize, iconSize));
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(rect().adjusted(iconSize + 8, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         window()->windowTitle());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && window()->windowHandle())
            window()->windowHandle()->startSystemMove();
    }
};

} // namespace

WelcomeWindow::WelcomeWindow(AppContext& context, QWidget* parent)
    // A fixed frame with a title and no title-bar buttons at all. A plain top-level window,
    // not a dialog: the window system would take a dialog for a transient of another window
    // and leave the program's only visible window without a task-bar entry.
    : QWidget(parent, kOwnCaption ? Qt::Window | Qt::FramelessWindowHint
                                  : Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      mContext(context), mChooserFolder(QDir::currentPath()) {
    setObjectName(QLatin1String(welcome_names::kWindow));
    exposeAsWindow(this);
    setWindowTitle(QStringLiteral("KORV TLQ Landmarks Editor V" KORVLAND_SHORT_VERSION));

    mClient = new QWidget(this);
    mClient->setObjectName(QLatin1String(welcome_names::kClient));
    mClient->setFixedSize(327, 249);
    if (kOwnCaption) {
        auto* caption = new CaptionBar(this);
        caption->setGeometry(1, 1, 327, kCaptionHeight);
        mClient->move(1, 1 + kCaptionHeight);
        setFixedSize(327 + 2, 249 + kCaptionHeight + 2);
    } else {
        mClient->move(0, 0);
        setFixedSize(327, 249);
    }

    // The start button is created first so that it leads the tab order and has the focus.
    mStartButton = new QPushButton(tr("Click to Start TLQ Landmarks Editor"), mClient);
    mStartButton->setObjectName(QLatin1String(welcome_names::kStartButton));
    mStartButton->setGeometry(8, 216, 297, 25);
    mStartButton->setDefault(true);
    connect(mStartButton, &QPushButton::clicked, this, &WelcomeWindow::handOver);

    mWarning = new QPlainTextEdit(mClient);
    mWarning->setObjectName(QLatin1String(welcome_names::kWarning));
    //: Accessible name of the welcome window's warning text.
    mWarning->setAccessibleName(tr("Warning"));
    mWarning->setGeometry(8, 8, 305, 201);
    mWarning->setReadOnly(true);
    mWarning->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mWarning->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the fixed text fits
    QFont memoFont(QStringLiteral("Liberation Sans"));
    memoFont.setStyleHint(QFont::SansSerif);
    memoFont.setPixelSize(13);
    mWarning->setFont(memoFont);
    QPalette palette = mWarning->palette();
    palette.setColor(QPalette::Text, Qt::black);
    mWarning->setPalette(palette);
    mWarning->setPlainText(welcomeText().join(QLatin1Char('\n')));

    setTabOrder(mStartButton, mWarning);
    mStartButton->setFocus();
}

bool WelcomeWindow::drawsOwnCaption() {
    return kOwnCaption;
}

void WelcomeWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!kOwnCaption)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void WelcomeWindow::establishLandmarksFolder() {
    SettingsStore& store = mContext.store;
    // A settings file that cannot be used is told about once, here, and left alone.
    if (const std::optional<Message> problem = store.problemMessage()) {
        reportError(mContext.dialogs, nullptr, messageText(*problem));
        mContext.landmarksFolder = defaultLandmarksFolder();
        return;
    }
    if (!landmarksFolderIsStored(store)) {
        // No window is visible yet: the chooser and its message stand on their own.
        if (const auto folder = runFolderChooser(nullptr)) {
            try {
                storeLandmarksFolder(store, *folder);
            } catch (const UserError& error) {
                reportError(mContext.dialogs, nullptr, error);
                return;
            }
        } else {
            mContext.dialogs.information(nullptr, tr("Landmarks folder not set."));
        }
    }
    // A stored folder is taken as it is, without checking that it exists.
    mContext.landmarksFolder = storedLandmarksFolder(store);
}

void WelcomeWindow::handOver() {
    hide();
    emit handedOver();
}

FileDialogRequest WelcomeWindow::landmarkDialogRequest() const {
    return landmarkFileRequest(mContext.landmarksFolder);
}

std::optional<QString> WelcomeWindow::runFolderChooser(QWidget* parent, const QString& startFolder) {
    auto folder = mContext.dialogs.chooseFolder(parent, startFolder.isEmpty() ? mChooserFolder : startFolder);
    if (folder)
        mChooserFolder = *folder;
    return folder;
}

void WelcomeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* current = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(current->availableGeometry().center());
        move(frame.topLeft());
    }
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    // The welcome window is the main window: closing it ends the program. Landmark
    // files are read whole, so no file is left open that would need releasing here.
    event->accept();
    if (mContext.requestQuit)
        mContext.requestQuit();
}

} // namespace korvland
