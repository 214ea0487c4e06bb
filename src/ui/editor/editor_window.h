#pragma once

#include "document/landmark_document.h"
#include "ui/common/app_context.h"
#include "ui/common/dialogs.h"
#include "ui/common/placement_keeper.h"
#include "ui/common/recent_files.h"

#include <QMainWindow>

#include <optional>

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace korvland {

struct RecoveryEntry;

// The objectNames of the editor window and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace editor_names {
inline constexpr char kClient[] = "client";
inline constexpr char kPathLabel[] = "Label1";
inline constexpr char kRecordGroup[] = "RecordNumberGroup";
inline constexpr char kRecordStepper[] = "UpDown1";
inline constexpr char kActiveGroup[] = "LMDRG1";
inline constexpr char kTypeGroup[] = "LandmarkTypeGroup";
inline constexpr char kKindLabel[] = "LSL16";
inline constexpr char kTableButton[] = "Button1";
inline constexpr char kRegionLine[] = "LSL14";
inline constexpr char kRecordCountLabel[] = "LMDSimpleLabel11";
inline constexpr char kRecordSizeLabel[] = "LMDSimpleLabel12";
inline constexpr char kSideGroup[] = "srg1";
inline constexpr char kMouseCoordsGroup[] = "MouseCoordsGroup";
inline constexpr char kNorthSouthReading[] = "slns";
inline constexpr char kEastWestReading[] = "slew";
inline constexpr char kPointerYReading[] = "sL15";
inline constexpr char kPointerXReading[] = "SL16";
inline constexpr char kCurrentControlLabel[] = "Label2";
inline constexpr char kNoticePanel[] = "NoticePanel";
inline constexpr char kSelectionPanel[] = "SelectionPanel";
inline constexpr char kClockPanel[] = "ClockPanel";
inline constexpr char kWindow[] = "Form2";
inline constexpr char kRecordNumberBox[] = "Edit9";
inline constexpr char kNameBox[] = "Edit1";
inline constexpr char kIdBox[] = "Edit2";
inline constexpr char kTypeBox[] = "Edit3";
inline constexpr char kSubTypeBox[] = "Edit4";
inline constexpr char kNorthSouthBox[] = "Edit5";
inline constexpr char kEastWestBox[] = "Edit6";
inline constexpr char kElevationBox[] = "Edit7";
inline constexpr char kRotationBox[] = "Edit8";
inline constexpr char kOpenMenuAction[] = "Open1Action";
inline constexpr char kEditMenuAction[] = "EditMenuAction";
inline constexpr char kOpenMenu[] = "Open1";
inline constexpr char kEditMenu[] = "EditMenu";
inline constexpr char kQuit[] = "Quit";
inline constexpr char kAboutBox[] = "AboutBox";
inline constexpr char kOpenMasterAction[] = "MasterFile1";
inline constexpr char kOpenProfileAction[] = "Profile1";
inline constexpr char kOpenLandmarkAction[] = "Landmark1";
inline constexpr char kSaveProfileAction[] = "Save1";
inline constexpr char kSaveLandmarkAction[] = "CompileLandmark1";
inline constexpr char kChangeFolderAction[] = "N1";
inline constexpr char kMapAction[] = "Map1";
inline constexpr char kDataAction[] = "Data1";
inline constexpr char kAboutAction[] = "About1";
inline constexpr char kMergeButton[] = "MergeButton";
inline constexpr char kChangedFileQuestion[] = "ChangedFileQuestion";
inline constexpr char kMergeAnswer[] = "ChangedFileMerge";
inline constexpr char kReplaceAnswer[] = "ChangedFileReplace";
inline constexpr char kCancelAnswer[] = "ChangedFileCancel";
} // namespace editor_names

class EditActions;
class FindBar;
class PathLabel;
class RadioGroup;
class UpDown;

// The editor window: shows the current record and edits it; its menu brings files in
// and out. Display and field editing live in editor_window.cpp, the menu commands and
// the reset after an open (which shows the region the document detected) in
// editor_commands.cpp.
class EditorWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit EditorWindow(AppContext& context, QWidget* parent = nullptr);
    ~EditorWindow() override;

    // Where the window first appears, before a run has stored its placement; it also takes
    // the stored show state, and every show runs the explode animation.
    static PlacementOptions designedPlacement() {
        return {editor_names::kWindow, true, true, {QPoint(742, 181), QSize(468, 326), true}};
    }

    // --- record display and field editing (editor_window.cpp) ----------------------
    void refreshRecord();
    // Both select the record the spinner shows in the document (the spinner's own steps
    // run them); the refresh follows from the document's announcement.
    void selectNumberedRecord();
    void selectRecord();
    void recordNumberTyped();
    void nameEdited();
    void typeEdited();
    void subTypeEdited();
    void sideChosen(int itemIndex);
    void activeStateChosen(int itemIndex);
    void activeGroupClicked();

    // The 1-based record number held by the spinner, a view of the document's current
    // record: set from code it waits for selectRecord to select that record.
    int recordNumber() const;
    void setRecordNumber(int number);
    // The spinner's maximum, the record count of the set (at least 1); the record
    // number is kept within range.
    void setRecordMaximum(int maximum);
    int recordMaximum() const;
    // Enables or disables the record stepper and the record-number box.
    void setRecordControlsEnabled(bool enabled);
    // Enables or disables the field edits (name, type, sub-type, side, active state):
    // disabled until the first successful read, so nothing can change the empty set.
    void setFieldEditsEnabled(bool enabled);
    // The "Table" button.
    void setTableButtonEnabled(bool enabled);

    // Hidden readouts the map window writes: the name of the clicked marker
    // ("Current Control") and the four pointer readings of the "Mouse Coords" group.
    void setCurrentControlText(const QString& name);
    void setPointerReadings(const QString& northSouth, const QString& eastWest, const QString& y,
                            const QString& x);

    // A line in the status bar's notice panel, shown until the next edit or read; then the
    // panel's own notice comes back.
    void showNotice(const QString& text);

    // --- following the document -----------------------------------------------------
    // The document made record `index` current: the spinner follows, the boxes show it.
    void showCurrentRecord(int index);
    // Record `index` (or these records) changed, switched or not: a "Saved ..." notice no
    // longer tells the truth. Changed by an undo, a redo, an edit of the selection or another
    // window, the boxes show the current record again; the window's own edits leave the boxes
    // as the user typed them.
    void recordEdited(int index);
    void recordsEdited(const QList<int>& indices);
    // The status bar's "31 selected", hidden while nothing is selected and while the one
    // record selected is the current record (a plain click on a marker or a row): the
    // notice panel keeps its room then.
    void showSelectionCount();
    // An edit of the selection ran, from whichever window: the landmarks a rule left switched
    // off are counted in the notice panel.
    void selectionEdited(LandmarkDocument::Field field, LandmarkDocument::BulkEdit result);

    // The program's "Edit" commands go into the window's "Edit" menu (after "Save Landmark")
    // and its keys work here; "Find..." opens the window's find bar.
    void setEditActions(EditActions& actions);
    // Brings the window forward with its find bar open and the focus in its field.
    void showFindBar();
    FindBar* findBar() const { return mFindBar; }

    // "Change Folder" runs this chooser when start-up lends one (the welcome window's,
    // which remembers the folder it returned last), else the dialogs' own.
    using FolderChoice = std::function<std::optional<QString>(QWidget* parent, const QString& startFolder)>;
    void setFolderChooser(FolderChoice chooser) { mFolderChooser = std::move(chooser); }

  signals:
    // The user pressed the "Table" button; the status table fills its list and shows.
    void tableButtonClicked();
    // "Map": the map window is to come into sight.
    void mapRequested();
    // "Data": the ownership table is to come into sight and recount.
    void dataRequested();
    // The boxes show the current record `index` now.
    void recordShown(int index);

  public:
    // --- menu commands and the reset after an open (editor_commands.cpp) -----------
    void resetEditor();
    // The file being edited, in the caption and the path line: after an open, and after a
    // save under another name.
    void showFilePath();
    // A recovery copy of the unsaved work could not be written: the status line says why, once.
    void recoveryCopyFailed();
    void showMapCommand(QObject* sender);
    void openLandmarkCommand();
    void openMasterCommand();
    void openRecentFile(const QString& path);
    void openProfileCommand();
    void saveProfileCommand();
    // True when the landmark file was written.
    bool saveLandmarkCommand();
    void changeFolderCommand();
    void dataCommand();
    void aboutCommand();

    // Reads a landmark file as every open does: hides the map and tables first.
    // Returns false after reporting a failure.
    bool readLandmarkFile(const QString& path);
    // What "Open" > "Landmark" (or "Master", or "Profile") does with the file chosen in its
    // dialog: read it, and on success put a landmark file at the top of the recent files
    // and reset the editor. Also opens a file named on the command line.
    bool openLandmarkFile(const QString& path);
    bool openProfileFile(const QString& path);
    // Opens the work an earlier run kept, as the document of its original file, which enters
    // the recent files; false when it could not be read or the operator cancelled.
    bool restoreKeptWork(const RecoveryEntry& entry);

    // Edits since the last successful open or "Save Landmark".
    bool isModified() const { return mContext.document.isModified(); }
    // True when there are no such edits, or the user discards them, or saves them and the
    // save succeeded; false on Cancel. `opening` names the file about to be opened, empty
    // when the program is about to end. One question at a time: a request that arrives while
    // it is up gets false (a close waits and comes back after the answer).
    bool confirmDiscard(const QString& opening = {}); // editor_commands.cpp

    RecentFiles& recentFiles() { return mRecentFiles; }

    // The "Map" command: the map window disables it while it is shown and enables it
    // again when the user closes it.
    void setMapCommandEnabled(bool enabled);
    // Writes the recent-files list to the settings file; called once when the editor
    // window is destroyed, before its placement. False after reporting a failed write
    // (the placement is then not written either). The window, when it goes, saves the
    // list unless this has run already.
    bool saveRecentFiles();

    // --- the landmark file changed by another program (disk_change.cpp) ------------------
    // Says once in the status line that another program changed the file being edited, with
    // a button that merges the unsaved steps onto it; run when the window becomes active and
    // when the file system tells of a change.
    void noticeChangeOnDisk();
    // Reads the file again and lays the unsaved steps onto it, the operator settling the
    // conflicts; nothing is written. False when nothing changed.
    bool mergeFileOnDisk();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Takes a "Saved ..." notice down: the panel's own notice comes back.
    void documentEdited();
    void createControls(); // editor_window.cpp
    // The low byte of a hexadecimal box's text; reports the conversion error otherwise.
    std::optional<int> hexByteOf(const QLineEdit* box);
    // A hexadecimal box left: one digit is taken as a whole byte, an empty box shows the
    // record's value again.
    void hexBoxLeft(QLineEdit* box);
    void createMenu();        // editor_commands.cpp
    void rebuildRecentMenu(); // editor_commands.cpp
    // Asks for a destination in a save dialog and writes through `write`; a cancel shows
    // `refusal`, a failure the error box. True when the file was written.
    bool saveThrough(FileDialogRequest request, const QString& refusal,
                     const std::function<void(const QString&)>& write);
    void openLandmarkWith(const FileDialogRequest& request);
    // Hides the map and both tables, runs `read`, and when it read something enables what a
    // loaded set allows; a failure is reported and false returned.
    bool runRead(const std::function<bool()>& read);
    // Asks the operator, record by record, whether the unsaved steps or another program's
    // changes of a field stay.
    LandmarkDocument::ConflictChoice conflictChoice();
    void addRecentFile(const QString& path);
    // "Saved lndmrks1.dat: 251 landmarks, 6 switched off."
    QString savedNotice(const QString& fileName) const;
    // The selection panel's "31 selected", or "20 selected (filtered)" while a filter is set.
    static QString selectedText(int count, bool filtered);
    // After a successful open: editor reset.
    void finishOpen();
    // The caption: the file being edited with the modified mark, and the program's name.
    void showTitle();
    // "Unsaved work cannot be kept for recovery: ..." while the last copy could not be
    // written; empty otherwise.
    QString recoveryFailureText() const;
    // "Save Landmark" over the file being edited that another program changed: Merge, Replace
    // or Cancel. True when the file was written.
    bool saveOverChangedFile(const QString& path);
    // The status line's notice of such a change is over: the file was read, merged or saved.
    void endChangeNotice();
    QPushButton* mMergeButton = nullptr;
    bool mChangeNoticed = false;

    AppContext& mContext;

    // Controls, named for what they show; their objectNames are the constants in editor_names.
    QLabel* mPathLabel = nullptr;
    QLineEdit* mRecordNumberBox = nullptr;
    UpDown* mRecordStepper = nullptr;
    RadioGroup* mActiveGroup = nullptr;
    QLabel* mKindLabel = nullptr;
    QPushButton* mTableButton = nullptr;
    QLabel* mRegionLine = nullptr;
    QLabel* mRecordCountLabel = nullptr;
    QLabel* mRecordSizeLabel = nullptr;
    QLineEdit* mNameBox = nullptr;
    QLineEdit* mIdBox = nullptr;
    QLineEdit* mTypeBox = nullptr;
    QLineEdit* mSubTypeBox = nullptr;
    QLineEdit* mNorthSouthBox = nullptr;
    QLineEdit* mEastWestBox = nullptr;
    QLineEdit* mElevationBox = nullptr;
    QLineEdit* mRotationBox = nullptr;
    RadioGroup* mSideGroup = nullptr;
    QLabel* mCurrentControlLabel = nullptr;
    QGroupBox* mRecordGroup = nullptr;
    QGroupBox* mTypeGroup = nullptr;
    QGroupBox* mMouseCoordsGroup = nullptr;
    QLabel* mNorthSouthReading = nullptr;
    QLabel* mEastWestReading = nullptr;
    QLabel* mPointerYReading = nullptr;
    QLabel* mPointerXReading = nullptr;
    PathLabel* mNoticePanel = nullptr;
    QLabel* mClockPanel = nullptr;
    QLabel* mSelectionPanel = nullptr;
    FindBar* mFindBar = nullptr;
    // How much the window grew to give the find bar room below the boxes; given back when the
    // bar closes. The client area's height depends on the menu and status bars of the desktop.
    int mFindBarGrowth = 0;
    // Set while the window itself edits the current record: its boxes keep what was typed.
    bool mOwnEdit = false;
    QTimer* mClockTimer = nullptr;
    void createStatusBar(); // editor_window.cpp
    void applyTabOrder();   // editor_window.cpp
    void refreshClock();    // editor_window.cpp

    // Menu.
    QMenu* mOpenMenu = nullptr;
    QAction* mOpenMasterAction = nullptr;
    QAction* mOpenProfileAction = nullptr;
    QAction* mOpenLandmarkAction = nullptr;
    QAction* mSaveProfileAction = nullptr;
    QAction* mSaveLandmarkAction = nullptr;
    QMenu* mEditMenu = nullptr;
    QAction* mChangeFolderAction = nullptr;
    QAction* mMapAction = nullptr;
    QAction* mDataAction = nullptr;
    QAction* mAboutAction = nullptr;
    QList<QAction*> mRecentActions;
    FolderChoice mFolderChooser;

    RecentFiles mRecentFiles;
    QString mStandingNotice; // the notice panel's own text
    bool mRecentFilesSaved = false;
    // The unsaved-changes question is up; a close that came meanwhile runs after the answer.
    bool mAskingToSave = false;
    bool mCloseWaiting = false;
};

} // namespace korvland
