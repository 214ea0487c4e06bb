#include "ui/editor/editor_window.h"

#include "korvland_version.h"

#include "data/region.h"
#include "data/user_error.h"
#include "document/native_path.h"
#include "document/recovery_keeper.h"
#include "settings/settings_store.h"
#include "ui/common/data_texts.h"
#include "ui/common/edit_actions.h"
#include "ui/common/explode_effect.h"
#include "ui/common/guide_link.h"
#include "ui/common/hint_presenter.h"
#include "ui/common/landmarks_folder.h"
#include "ui/editor/conflict_choice.h"
#include "ui/editor/find_bar.h"
#include "ui/editor/save_questions.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace korvland {

namespace {

QAction* addCommand(QMenu* menu, const QString& caption, const char* objectName) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    return action;
}

QAction* addCommand(QMenuBar* bar, const QString& caption, const char* objectName) {
    QAction* action = bar->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    return action;
}

} // namespace

// --- menu ----------------------------------------------------------------------------

void EditorWindow::createMenu() {
    QMenuBar* bar = menuBar();
    // Access keys are marked with "&": the captions read as before, the letter underlined.
    // Every menu-bar item, and every item of the "Open" menu, has an Alt letter of its own.
    //: Menu bar: the menu of files to open. Alt letter unique in the menu bar.
    mOpenMenu = bar->addMenu(tr("&Open"));
    mOpenMenu->setObjectName(QLatin1String(editor_names::kOpenMenu));
    mOpenMenu->menuAction()->setObjectName(QLatin1String(editor_names::kOpenMenuAction));
    //: "Open" menu: the master copy of a landmark file (*.mlf).
    mOpenMasterAction = addCommand(mOpenMenu, tr("&Master"), editor_names::kOpenMasterAction);
    //: "Open" menu: a landmark profile (*.lmp).
    mOpenProfileAction = addCommand(mOpenMenu, tr("&Profile"), editor_names::kOpenProfileAction);
    //: "Open" menu: a landmark file (*.dat).
    mOpenLandmarkAction = addCommand(mOpenMenu, tr("&Landmark"), editor_names::kOpenLandmarkAction);
    //: Menu bar command. Alt letter unique in the menu bar.
    mSaveProfileAction = addCommand(bar, tr("Save &Profile"), editor_names::kSaveProfileAction);
    //: Menu bar command: writes the landmark file. Alt letter unique in the menu bar.
    mSaveLandmarkAction = addCommand(bar, tr("&Save Landmark"), editor_names::kSaveLandmarkAction);
    // Filled with the program's edit commands when they are handed over.
    //: Menu bar. Alt letter unique in the menu bar.
    mEditMenu = bar->addMenu(tr("&Edit"));
    mEditMenu->setObjectName(QLatin1String(editor_names::kEditMenu));
    mEditMenu->menuAction()->setObjectName(QLatin1String(editor_names::kEditMenuAction));
    //: Menu bar command: the landmarks folder. Alt letter unique in the menu bar.
    mChangeFolderAction = addCommand(bar, tr("&Change Folder"), editor_names::kChangeFolderAction);
    //: Menu bar command: shows the map window. Alt letter unique in the menu bar.
    mMapAction = addCommand(bar, tr("&Map"), editor_names::kMapAction);
    //: Menu bar command: shows the ownership table. Alt letter unique in the menu bar.
    mDataAction = addCommand(bar, tr("&Data"), editor_names::kDataAction);
    //: Menu bar command. Alt letter unique in the menu bar.
    mAboutAction = addCommand(bar, tr("&About"), editor_names::kAboutAction);

    mOpenLandmarkAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mSaveLandmarkAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // Closing the program from the keyboard takes the same road as closing the window.
    //: A keyboard command (Ctrl+Q) that closes the editor; not in a menu.
    auto* quit = new QAction(tr("Quit"), this);
    quit->setObjectName(QLatin1String(editor_names::kQuit));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    addAction(quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    // Nothing to save and nothing to map until the first file has been read.
    mSaveProfileAction->setEnabled(false);
    mSaveLandmarkAction->setEnabled(false);
    mMapAction->setEnabled(false);

    connect(mOpenMasterAction, &QAction::triggered, this, [this] { openMasterCommand(); });
    connect(mOpenProfileAction, &QAction::triggered, this, [this] { openProfileCommand(); });
    connect(mOpenLandmarkAction, &QAction::triggered, this, [this] { openLandmarkCommand(); });
    connect(mSaveProfileAction, &QAction::triggered, this, [this] { saveProfileCommand(); });
    connect(mSaveLandmarkAction, &QAction::triggered, this, [this] { saveLandmarkCommand(); });
    connect(mChangeFolderAction, &QAction::triggered, this, [this] { changeFolderCommand(); });
    connect(mMapAction, &QAction::triggered, this, [this] { showMapCommand(mMapAction); });
    connect(mDataAction, &QAction::triggered, this, [this] { dataCommand(); });
    connect(mAboutAction, &QAction::triggered, this, [this] { aboutCommand(); });

    // The window's creation: the recent files first, then the reset on the empty set.
    mRecentFiles.load(mContext.store);
    rebuildRecentMenu();
    resetEditor();
}

void EditorWindow::rebuildRecentMenu() {
    for (QAction* action : std::as_const(mRecentActions)) {
        mOpenMenu->removeAction(action);
        // The entry being clicked may be the one rebuilt away: let it finish first.
        action->deleteLater();
    }
    mRecentActions.clear();
    const QStringList& entries = mRecentFiles.entries();
    if (entries.isEmpty())
        return;
    mRecentActions << mOpenMenu->addSeparator();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString path = entries[i];
        // A "&" inside the path is shown as itself, not as an access key.
        QString escaped = path;
        escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = mOpenMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(escaped));
        action->setObjectName(QStringLiteral("MRUEntry%1").arg(i));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
        mRecentActions << action;
    }
}

void EditorWindow::setMapCommandEnabled(bool enabled) {
    if (mMapAction)
        mMapAction->setEnabled(enabled);
}

bool EditorWindow::saveRecentFiles() {
    mRecentFilesSaved = true;
    try {
        mRecentFiles.save(mContext.store);
        return true;
    } catch (const UserError& e) {
        if (mContext.showSettingsFailure(userErrorText(e)))
            reportError(mContext.dialogs, this, e);
        return false;
    }
}

void EditorWindow::addRecentFile(const QString& path) {
    mRecentFiles.add(path);
    rebuildRecentMenu();
}

// --- reading -----------------------------------------------------------------------

bool EditorWindow::confirmDiscard(const QString& opening) {
    if (!isModified())
        return true;
    if (mAskingToSave)
        return false;
    SaveChoice choice = SaveChoice::Cancel;
    {
        const QScopedValueRollback<bool> asking(mAskingToSave, true);
        const QString edited = QFileInfo(mContext.document.filePath()).fileName();
        QString question = saveChangesQuestion(*mContext.document.undoStack(), edited, opening);
        // Work that has no recovery copy is lost for good when it is not saved now.
        if (const QString lost = recoveryFailureText(); !lost.isEmpty())
            question = lost + QStringLiteral("\n\n") + question;
        choice = mContext.dialogs.askToSave(this, question);
    }
    if (std::exchange(mCloseWaiting, false))
        QTimer::singleShot(0, this, &QWidget::close);
    if (choice == SaveChoice::Save)
        return saveLandmarkCommand();
    return choice == SaveChoice::Discard;
}

bool EditorWindow::runRead(const std::function<bool()>& read) {
    // The map and the tables hide themselves when the document announces the read.
    showNotice(mStandingNotice);
    try {
        if (!read())
            return false;
    } catch (const UserError& e) {
        reportError(mContext.dialogs, this, e);
        return false;
    }
    setRecordControlsEnabled(true);
    setFieldEditsEnabled(true);
    setTableButtonEnabled(true);
    mMapAction->setEnabled(true);
    mSaveProfileAction->setEnabled(true);
    mSaveLandmarkAction->setEnabled(true);
    return true;
}

bool EditorWindow::readLandmarkFile(const QString& path) {
    return runRead([this, &path] {
        mContext.document.read(path);
        return true;
    });
}

void EditorWindow::finishOpen() {
    resetEditor();
}

void EditorWindow::openLandmarkWith(const FileDialogRequest& request) {
    FileDialogRequest asked = request;
    asked.initialFolder = mContext.landmarksFolder;
    const std::optional<QString> path = mContext.dialogs.openFile(this, asked);
    // A cancelled open leaves everything as it was.
    if (!path || !confirmDiscard(QFileInfo(*path).fileName()))
        return;
    openLandmarkFile(*path);
}

bool EditorWindow::openLandmarkFile(const QString& path) {
    if (!readLandmarkFile(path))
        return false;
    addRecentFile(path);
    finishOpen();
    return true;
}

void EditorWindow::openLandmarkCommand() {
    // The landmark open dialog belongs to the welcome window.
    openLandmarkWith(landmarkFileRequest(mContext.landmarksFolder));
}

void EditorWindow::openMasterCommand() {
    FileDialogRequest request;
    //: Title of the file dialog that opens a master copy (*.mlf).
    request.title = tr("Choose A Masterflie to Open");
    request.filter = QStringLiteral("%1|*.mlf").arg(tr("Master Landmarks File"));
    request.defaultSuffix = QStringLiteral("mlf");
    request.readOnlyOption = true;
    openLandmarkWith(request);
}

void EditorWindow::openRecentFile(const QString& path) {
    if (!QFileInfo::exists(path)) {
        //: %1 is the full path of a file in the recent-files list that no longer exists.
        if (mContext.dialogs.question(this, tr("%1 is no longer there. Remove it from the recent files?")
                                                .arg(QDir::toNativeSeparators(path)))) {
            mRecentFiles.remove(path);
            rebuildRecentMenu();
        }
        return;
    }
    if (!confirmDiscard(QFileInfo(path).fileName()))
        return;
    // An entry whose file cannot be read stays where it is.
    if (!readLandmarkFile(path))
        return;
    finishOpen();
    addRecentFile(path);
}

void EditorWindow::openProfileCommand() {
    FileDialogRequest request;
    request.title = tr("Open a Landmarks Profile");
    request.filter = QStringLiteral("%1|*.lmp").arg(tr("Landmark Profile"));
    request.defaultSuffix = QStringLiteral("lmp");
    request.initialFolder = mContext.landmarksFolder;
    const std::optional<QString> path = mContext.dialogs.openFile(this, request);
    if (!path || !confirmDiscard(QFileInfo(*path).fileName()))
        return;
    openProfileFile(*path);
}

bool EditorWindow::openProfileFile(const QString& path) {
    if (!runRead([this, &path] {
            mContext.document.openProfile(path);
            return true;
        }))
        return false;
    finishOpen();
    return true;
}

bool EditorWindow::restoreKeptWork(const RecoveryEntry& entry) {
    if (!runRead([this, &entry] { return mContext.document.restore(entry, conflictChoice()); }))
        return false;
    finishOpen();
    addRecentFile(mContext.document.filePath());
    return true;
}

LandmarkDocument::ConflictChoice EditorWindow::conflictChoice() {
    return [this](const LandmarkSet& file, const std::vector<StepConflict>& conflicts) {
        return chooseConflicts(mContext.dialogs, this, file, conflicts);
    };
}

// --- saving ------------------------------------------------------------------------

bool EditorWindow::saveThrough(FileDialogRequest request, const QString& refusal,
                               const std::function<void(const QString&)>& write) {
    if (request.initialFolder.isEmpty())
        request.initialFolder = mContext.landmarksFolder;
    const std::optional<QString> path = mContext.dialogs.saveFile(this, request);
    if (!path) {
        mContext.dialogs.information(this, refusal);
        return false;
    }
    try {
        write(*path);
        showNotice(savedNotice(QFileInfo(*path).fileName()));
        return true;
    } catch (const UserError& e) {
        reportError(mContext.dialogs, this, e);
        return false;
    }
}

void EditorWindow::saveProfileCommand() {
    FileDialogRequest request;
    // The profile of lndmrks1.dat is lndmrks1.lmp.
    const QString edited = mContext.document.filePath();
    if (!edited.isEmpty())
        request.proposedName = QFileInfo(edited).completeBaseName() + QStringLiteral(".lmp");
    request.title = tr("Save Landmark Profile");
    request.filter = QStringLiteral("%1|*.lmp").arg(tr("Landmarks Profiles"));
    request.defaultSuffix = QStringLiteral("lmp");
    request.replaceQuestion = profileReplaceQuestion;
    //: Shown when the save dialog was cancelled.
    saveThrough(request, tr("Landmarks Profile not saved."),
                [this](const QString& path) { mContext.document.saveProfile(path); });
}

bool EditorWindow::saveLandmarkCommand() {
    FileDialogRequest request;
    request.title = tr("Save Compiled Landmark File");
    request.filter = QStringLiteral("%1|*.dat").arg(tr("All Landmarks Files"));
    request.defaultSuffix = QStringLiteral("dat");
    const SaveProposal proposal = landmarkSaveProposal(mContext.document, mContext.landmarksFolder);
    // Unsaved steps onto the file being edited that another program changed: they can be merged.
    const QString edited = mContext.document.filePath();
    if (isModified() && !edited.isEmpty() && mContext.document.unsavedSteps() &&
        QFileInfo(QDir(proposal.folder).filePath(proposal.name)) == QFileInfo(edited) &&
        mContext.document.changedOnDisk(edited))
        return saveOverChangedFile(edited);
    request.proposedName = proposal.name;
    request.initialFolder = proposal.folder;
    request.replaceQuestion = [this](const QString& path) {
        return landmarkReplaceQuestion(path, mContext.document);
    };
    // A written landmark file is the document's clean state.
    //: Shown when the save dialog was cancelled: the landmark file was not written.
    return saveThrough(request, tr("Landmarks file not compiled."), [this](const QString& path) {
        mContext.document.write(path);
        endChangeNotice();
    });
}

// --- reset and region --------------------------------------------------------------

void EditorWindow::showTitle() {
    const QString path = mContext.document.filePath();
    //: The editor's caption: %1 is the file being edited ("[*]" marks unsaved changes), %2 the
    //: program's name.
    setWindowTitle(path.isEmpty() ? applicationTitle() + QStringLiteral("[*]")
                                  : tr("%1[*] - %2").arg(QFileInfo(path).fileName(), applicationTitle()));
    setWindowModified(isModified());
}

void EditorWindow::showFilePath() {
    showTitle();
    if (mPathLabel) {
        mPathLabel->setText(mContext.document.filePath());
        mPathLabel->setToolTip(mPathLabel->text());
    }
}

QString EditorWindow::recoveryFailureText() const {
    const RecoveryKeeper* keeper = mContext.document.recoveryKeeper();
    if (!keeper || !keeper->failure())
        return {};
    //: %1 says why the copy could not be written ("Disk full", "File access denied", ...).
    return tr("Unsaved work cannot be kept for recovery: %1").arg(userErrorText(*keeper->failure()));
}

void EditorWindow::recoveryCopyFailed() {
    showNotice(recoveryFailureText());
}

void EditorWindow::resetEditor() {
    showMapCommand(mOpenMenu);
    setRecordNumber(1);
    const LandmarkDocument& document = mContext.document;
    setRecordMaximum(document.recordCount());
    refreshRecord();
    showFilePath();
    if (mRecordCountLabel)
        mRecordCountLabel->setText(QString::number(document.recordCount()));
    if (mRecordSizeLabel)
        mRecordSizeLabel->setText(QString::number(document.set().recordSize()));
    update();
}

void EditorWindow::showMapCommand(QObject* sender) {
    // A file whose name names no region leaves the region, and so these texts, as they were.
    const LandmarkDocument& document = mContext.document;
    if (document.regionKnown()) {
        if (mRegionLine)
            mRegionLine->setText(regionLocationLineText(document.region()));
    }
    if (sender == mMapAction)
        emit mapRequested();
}

// --- other commands ------------------------------------------------------------------

void EditorWindow::changeFolderCommand() {
    try {
        // Opened in the landmarks folder the operator works in.
        const std::optional<QString> folder =
            mFolderChooser ? mFolderChooser(this, mContext.landmarksFolder)
                           : mContext.dialogs.chooseFolder(this, mContext.landmarksFolder);
        // The folder is still set: a cancel says nothing and changes nothing.
        if (!folder)
            return;
        storeLandmarksFolder(mContext.store, *folder);
        mContext.landmarksFolder = storedLandmarksFolder(mContext.store);
    } catch (const UserError& e) {
        reportError(mContext.dialogs, this, e);
    }
}

void EditorWindow::dataCommand() {
    emit dataRequested();
}

void EditorWindow::aboutCommand() {
    QDialog about(this);
    about.setObjectName(QLatin1String(editor_names::kAboutBox));
    about.setWindowTitle(tr("About the Landmarks Editor"));
    auto* layout = new QVBoxLayout(&about);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->setSpacing(8);
    const auto addLine = [&](const QString& text, const char* name, int pointSize, bool bold) {
        auto* label = new QLabel(text, &about);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(Qt::AlignHCenter);
        QFont font = label->font();
        font.setPointSize(pointSize);
        font.setBold(bold);
        label->setFont(font);
        layout->addWidget(label);
    };
    addLine(tr("KORV TLQ Landmarks Editor"), "ProductName", 14, true);
    addLine(tr("A program to modify KORV Landmark files for TLQ Play."), "Comments", 10, false);
    //: %1 is the version number.
    addLine(tr("Version %1").arg(QStringLiteral(KORVLAND_SHORT_VERSION)), "Version", 10, false);
    addLine(tr("Written by the korvland developers for the operators of TLQ game servers."), "Copyright", 9,
            false);
    //: %1 is where the operator's guide is, a file name.
    addLine(tr("The operator's guide (F1): %1").arg(guidePage(QStringLiteral("index.html")).toLocalFile()),
            "Guide", 9, false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addSpacing(6);
    layout->addWidget(buttons, 0, Qt::AlignHCenter);
    about.setModal(true);
    // Hints over the About box come smaller and on wider lines.
    const ScopedHintStyle aboutHints(kAboutHintStyle);
    explodeOnEveryShow(about);
    mContext.dialogs.exec(about);
}

// --- editing and closing -------------------------------------------------------------

void EditorWindow::documentEdited() {
    showNotice(mStandingNotice);
}

void EditorWindow::setEditActions(EditActions& actions) {
    actions.addTo(mEditMenu);
    actions.addShortcutsTo(this);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        actions.routeUndoKeys(box);
    connect(&actions, &EditActions::findRequested, this, &EditorWindow::showFindBar);
}

void EditorWindow::showFindBar() {
    raise();
    activateWindow();
    // Where the menu and status bars leave the client area short, the window grows until
    // the whole bar is in sight.
    const int shortBy = mFindBar->geometry().bottom() + 3 - mFindBar->parentWidget()->height();
    if (shortBy > 0 && mFindBar->isHidden()) {
        mFindBarGrowth += shortBy;
        resize(width(), height() + shortBy);
    }
    mFindBar->open();
}

QString EditorWindow::savedNotice(const QString& fileName) const {
    const LandmarkSet& set = mContext.document.set();
    int switchedOff = 0;
    for (std::size_t i = 0; i < set.recordCount(); ++i)
        switchedOff += set.disabledFlag(i) != 0 ? 1 : 0;
    const int count = set.recordCount();
    // One pass of arg(): a "%2" in the file name stays as it is.
    if (count == 1)
        //: %1 is the file name, %2 the number of landmarks switched off.
        return tr("Saved %1: 1 landmark, %2 switched off.").arg(fileName, QString::number(switchedOff));
    //: %1 is the file name, %2 the number of landmarks, %3 those switched off.
    return tr("Saved %1: %2 landmarks, %3 switched off.")
        .arg(fileName, QString::number(count), QString::number(switchedOff));
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    // A close that arrives while the question is up comes back once it is answered.
    if (mAskingToSave) {
        mCloseWaiting = true;
        event->ignore();
        return;
    }
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    event->accept();
    if (mContext.requestQuit)
        mContext.requestQuit();
}

} // namespace korvland
