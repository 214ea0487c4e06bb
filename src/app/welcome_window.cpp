#include "app/welcome_window.h"

#include "app/settings/settings_store.h"
#include "data/user_error.h"
#include "editor/editor_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace korvland {

QStringList welcomeText() {
    return {
        QStringLiteral("Use this editor at your own risk."),
        QStringLiteral("Make a backup of all of your "),
        QStringLiteral("LndmrksX.dat files!"),
        QString(),
        QStringLiteral("Read Pellam's documentation on how to "),
        QStringLiteral("use this utility and how to set up the "),
        QStringLiteral("server to use the new Landmarks files. "),
        QString(),
        QStringLiteral("Good luck & Enjoy!"),
        QString(),
        QStringLiteral("Marten Quillon & Pellam"),
    };
}

namespace {

const std::string kSection = "settings";
const std::string kStartDirKey = "startdir";

} // namespace

TForm1::TForm1(AppContext& context, QWidget* parent)
    // A fixed frame with a title and no title-bar buttons at all. A plain top-level window,
    // not a dialog: the window system would take a dialog for a transient of another window
    // and leave the program's only visible window without a task-bar entry.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), mContext(context),
      mChooserFolder(QDir::currentPath()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("KORV TLQ Landmarks Editor V3.2"));
    setFixedSize(327, 249);

    // The start button is created first so that it leads the tab order and has the focus.
    Button5 = new QPushButton(QStringLiteral("Click to Start TLQ Landmarks Editor"), this);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setGeometry(8, 216, 297, 25);
    Button5->setDefault(true);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 8, 305, 201);
    Memo1->setReadOnly(true);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the fixed text fits
    QFont memoFont(QStringLiteral("Liberation Sans"));
    memoFont.setStyleHint(QFont::SansSerif);
    memoFont.setPixelSize(13);
    Memo1->setFont(memoFont);
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Text, Qt::black);
    Memo1->setPalette(palette);
    Memo1->setPlainText(welcomeText().join(QLatin1Char('\n')));

    setTabOrder(Button5, Memo1);
    Button5->setFocus();
}

void TForm1::FormCreate() {
    SettingsStore& store = mContext.store;
    if (store.readString(kSection, kStartDirKey, "").empty()) {
        // No window is visible yet: the chooser and its message stand on their own.
        if (const auto folder = runFolderChooser(nullptr)) {
            try {
                store.writeString(kSection, kStartDirKey, folder->toStdString());
            } catch (const UserError& error) {
                reportError(mContext.dialogs, nullptr, QString::fromStdString(error.what()));
                return;
            }
        } else {
            mContext.dialogs.information(nullptr, QStringLiteral("Landmarks folder not set."));
        }
    }
    // A stored folder is taken as it is, without checking that it exists.
    mContext.landmarksFolder =
        QString::fromStdString(store.readString(kSection, kStartDirKey, fallbackFolder().toStdString()));
}

QString TForm1::fallbackFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    // There is no drive C here; the user's home folder takes its place.
    return QDir::homePath();
#endif
}

void TForm1::Button5Click() {
    hide();
    if (TForm2* editor = mContext.windows.editor) {
        // Nothing is loaded yet: the record stepper and number box wait for a file.
        editor->setRecordControlsEnabled(false);
        editor->show();
    }
}

FileDialogRequest TForm1::korvopen() const {
    return korvopenRequest(mContext.landmarksFolder);
}

FileDialogRequest TForm1::korvopenRequest(const QString& landmarksFolder) {
    FileDialogRequest request;
    request.filter = QStringLiteral("Landmark Files|Lndmrks?.dat|Data Flies|*.dat|All Files|*.*");
    request.defaultSuffix = QStringLiteral("dat");
    request.initialFolder = landmarksFolder;
    return request;
}

std::optional<QString> TForm1::runFolderChooser(QWidget* parent, const QString& startFolder) {
    const auto folder = mContext.dialogs.chooseFolder(parent, startFolder.isEmpty() ? mChooserFolder : startFolder);
    if (folder)
        mChooserFolder = *folder;
    return folder;
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* current = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(current->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The welcome window is the main window: closing it ends the program. Landmark
    // files are read whole, so no file is left open that would need releasing here.
    event->accept();
    if (mContext.requestQuit)
        mContext.requestQuit();
}

} // namespace korvland
