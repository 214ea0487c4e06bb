#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace korvland {

// The objectNames of the folder chooser and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace folder_chooser_names {
inline constexpr char kPathLine[] = "PathLine";
inline constexpr char kList[] = "FolderList";
inline constexpr char kDrives[] = "DriveBox";
inline constexpr char kNewFolder[] = "NewFolderButton";
inline constexpr char kOkButton[] = "OKButton";
inline constexpr char kCancelButton[] = "CancelButton";
inline constexpr char kWindow[] = "LMDDD1";
} // namespace folder_chooser_names

class Dialogs;

// The folder chooser "Choose Landmarks Files Location": a list of the folders of the
// current folder ("..", then its sub-folders; a double click enters one), a line with
// the full path of the selected folder, a drive selector where the platform has drives,
// "&New Folder", "OK" and "Cancel".
class FolderChooser : public QDialog {
    Q_OBJECT
  public:
    FolderChooser(Dialogs& dialogs, QWidget* parent, const QString& startFolder);

    // The confirmed folder, as the chooser returns it.
    QString result() const;

    // The folder the list shows, and the one whose full path the path line shows.
    QString currentFolder() const { return mFolder; }
    QString selectedFolder() const;
    void enterFolder(const QString& folder);

    // The "&New Folder" button.
    void newFolderClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillList();
    void showSelection();
    void enterItem(QListWidgetItem* item);

    Dialogs& mDialogs;
    QString mFolder;
    QLabel* mPathLine = nullptr;
    QListWidget* mList = nullptr;
    QComboBox* mDrives = nullptr;
    QPushButton* mNewFolder = nullptr;
};

// The chooser's result for `folder`: its full path without a closing separator (a root
// keeps it), upper-cased only where the file system ignores letter case.
QString chooserResult(const QString& folder, bool caseSensitiveFileSystem);

// `folder` cut to at most `width` characters for the New Folder prompt, keeping its end.
QString shortenedFolder(const QString& folder, int width = 36);

} // namespace korvland
