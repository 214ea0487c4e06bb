#include "ui/start/folder_chooser.h"

#include "ui/common/dialogs.h"
#include "ui/common/file_names.h"
#include "ui/common/gradient_caption.h"

#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace korvland {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString absoluteClean(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

bool platformHasDrives() {
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

} // namespace

QString chooserResult(const QString& folder, bool caseSensitiveFileSystem) {
    QString path = QDir::toNativeSeparators(absoluteClean(folder));
    const QChar separator = QDir::separator();
    // cleanPath leaves a closing separator only on a root ("/", "C:/").
    if (path.size() > 1 && path.endsWith(separator) && !QDir(folder).isRoot())
        path.chop(1);
    // Upper-casing a path on a file system that tells letter case apart would name a
    // folder that does not exist.
    return caseSensitiveFileSystem ? path : path.toUpper();
}

QString shortenedFolder(const QString& folder, int width) {
    if (folder.size() <= width)
        return folder;
    const QString ellipsis = QStringLiteral("...");
    return ellipsis + folder.right(width - static_cast<int>(ellipsis.size()));
}

FolderChooser::FolderChooser(Dialogs& dialogs, QWidget* parent, const QString& startFolder)
    : QDialog(parent), mDialogs(dialogs) {
    setObjectName(QLatin1String(folder_chooser_names::kWindow));
    setWindowTitle(tr("Choose Landmarks Files Location"));

    mPathLine = new QLabel(this);
    mPathLine->setObjectName(QLatin1String(folder_chooser_names::kPathLine));
    mPathLine->setWordWrap(true);
    // A folder named like "<i>maps" is shown as it stands, not taken for markup.
    mPathLine->setTextFormat(Qt::PlainText);
    mPathLine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    mList = new QListWidget(this);
    mList->setObjectName(QLatin1String(folder_chooser_names::kList));
    mList->setIconSize(QSize(16, 16));
    auto* pathLabel = new QLabel(tr("&Path:"), this);
    pathLabel->setBuddy(mList);
    // A list is not named by its label for assistive technologies.
    //: Accessible name of the folder dialog's list of folders.
    mList->setAccessibleName(tr("Folders"));

    mDrives = new QComboBox(this);
    mDrives->setObjectName(QLatin1String(folder_chooser_names::kDrives));
    auto* driveLabel = new QLabel(tr("&Drive:"), this);
    driveLabel->setBuddy(mDrives);
    if (platformHasDrives()) {
        for (const QFileInfo& drive : QDir::drives())
            mDrives->addItem(QDir::toNativeSeparators(drive.absolutePath()), drive.absolutePath());
        connect(mDrives, &QComboBox::activated, this,
                [this](int index) { enterFolder(mDrives->itemData(index).toString()); });
    } else {
        // One tree of folders without drive letters: nothing to choose from.
        mDrives->hide();
        driveLabel->hide();
    }

    mNewFolder = new QPushButton(tr("&New Folder"), this);
    mNewFolder->setObjectName(QLatin1String(folder_chooser_names::kNewFolder));
    mNewFolder->setAutoDefault(false);
    connect(mNewFolder, &QPushButton::clicked, this, &FolderChooser::newFolderClick);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QLatin1String(folder_chooser_names::kOkButton));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QLatin1String(folder_chooser_names::kCancelButton));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addSpacing(16);
    buttons->addWidget(mNewFolder);
    buttons->addStretch(1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(mPathLine, 0, 0, 1, 2);
    layout->addWidget(pathLabel, 1, 0);
    layout->addWidget(mList, 2, 0);
    layout->addLayout(buttons, 2, 1);
    layout->addWidget(driveLabel, 3, 0);
    layout->addWidget(mDrives, 4, 0);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);

    connect(mList, &QListWidget::currentItemChanged, this, [this] { showSelection(); });
    connect(mList, &QListWidget::itemActivated, this, &FolderChooser::enterItem);
    mList->installEventFilter(this);

    new GradientCaption(*this);
    resize(380, 320);
    const QString start = startFolder.isEmpty() ? QDir::currentPath() : startFolder;
    enterFolder(QFileInfo(start).isDir() ? start : QDir::currentPath());
}

void FolderChooser::enterFolder(const QString& folder) {
    mFolder = absoluteClean(folder);
    fillList();
    if (platformHasDrives()) {
        const int drive =
            mDrives->findData(QStorageInfo(mFolder).rootPath(), Qt::UserRole, Qt::MatchFixedString);
        if (drive >= 0)
            mDrives->setCurrentIndex(drive);
    }
}

void FolderChooser::fillList() {
    mList->clear();
    const QIcon folderIcon = QFileIconProvider().icon(QFileIconProvider::Folder);
    const QDir here(mFolder);
    if (!here.isRoot()) {
        auto* up = new QListWidgetItem(folderIcon, QStringLiteral(".."), mList);
        up->setData(kPathRole, absoluteClean(here.absoluteFilePath(QStringLiteral(".."))));
    }
    const QStringList names =
        here.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(folderIcon, name, mList);
        item->setData(kPathRole, absoluteClean(here.absoluteFilePath(name)));
    }
    mList->setCurrentItem(nullptr);
    showSelection();
}

QString FolderChooser::selectedFolder() const {
    const QListWidgetItem* item = mList->currentItem();
    return item && item->isSelected() ? item->data(kPathRole).toString() : mFolder;
}

void FolderChooser::showSelection() {
    mPathLine->setText(QDir::toNativeSeparators(selectedFolder()));
}

bool FolderChooser::eventFilter(QObject* watched, QEvent* event) {
    // Return on a folder the user moved to enters it; the list would also pass the key on
    // to the default button, which would then confirm the folder just left. With no row
    // chosen (the list gives its first row the focus frame when it gains the focus, but
    // does not select it) Return goes to the default button "OK".
    if (watched == mList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QListWidgetItem* item = mList->currentItem();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (item && item->isSelected()) {
                enterItem(item);
                return true;
            }
            // Nothing chosen: the list must not activate its focus row on the way.
            mList->setCurrentItem(nullptr);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FolderChooser::enterItem(QListWidgetItem* item) {
    if (item)
        enterFolder(item->data(kPathRole).toString());
}

void FolderChooser::newFolderClick() {
    //: The prompt for a new folder's name; %1 is the folder it goes into, shortened from the left.
    const QString label = tr("Name: (%1)").arg(shortenedFolder(QDir::toNativeSeparators(mFolder)));
    const auto answer = mDialogs.prompt(this, tr("New Folder"), label);
    if (!answer || answer->trimmed().isEmpty())
        return;
    const QString name = answer->trimmed();
    // A name is one folder inside the current one, never a path leading elsewhere.
    const bool oneName = !name.contains(QLatin1Char('/')) && !name.contains(QDir::separator());
    QDir here(mFolder);
    if (!oneName || !here.mkdir(name)) {
        mDialogs.warning(this, tr("Warning"), tr("IO-Error!\nCould not create folder."));
        return;
    }
    enterFolder(here.absoluteFilePath(name));
}

QString FolderChooser::result() const {
    return chooserResult(selectedFolder(), fileNameCaseSensitivity() == Qt::CaseSensitive);
}

} // namespace korvland
