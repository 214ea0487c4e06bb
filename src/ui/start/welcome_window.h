#pragma once

#include "ui/common/app_context.h"
#include "ui/common/dialogs.h"

#include <QWidget>

#include <optional>

class QPlainTextEdit;
class QPushButton;

namespace korvland {

// The objectNames of the welcome window and its controls, kept as they have always been: automation and
// the tests find them by these.
namespace welcome_names {
inline constexpr char kClient[] = "client";
inline constexpr char kStartButton[] = "Button5";
inline constexpr char kWarning[] = "Memo1";
inline constexpr char kCaption[] = "Caption";
inline constexpr char kWindow[] = "Form1";
} // namespace welcome_names

// The welcome window: the program's main window, a warning and the start button. It
// holds what the other windows borrow from it: the landmark open dialog and the folder
// chooser's memory of the folder it returned last.
class WelcomeWindow : public QWidget {
    Q_OBJECT
  public:
    explicit WelcomeWindow(AppContext& context, QWidget* parent = nullptr);

    // Establishes the landmarks folder from the settings file or the folder chooser.
    void establishLandmarksFolder();
    // Hands over to the editor window.
    void handOver();

    // The landmark open dialog as "Open" > "Landmark" runs it: opens in the landmarks folder.
    FileDialogRequest landmarkDialogRequest() const;
    // The file the landmark open dialog returned last (empty until its first use).
    const QString& landmarkDialogFileName() const { return mLandmarkDialogFileName; }
    void setLandmarkDialogFileName(const QString& path) { mLandmarkDialogFileName = path; }

    // Runs the folder chooser, starting in `startFolder`, or when that is empty in the
    // folder it returned last (the working folder the first time). The confirmed
    // folder, or nothing when cancelled.
    std::optional<QString> runFolderChooser(QWidget* parent, const QString& startFolder = {});

    QPlainTextEdit* memo() const { return mWarning; }
    // The client area of 327 by 249 pixels that holds the warning and the button.
    QWidget* clientArea() const { return mClient; }
    // Whether the window draws its own caption (where the window manager's title bar would
    // bring buttons with it) instead of taking the window system's.
    static bool drawsOwnCaption();
    QPushButton* startButton() const { return mStartButton; }

  signals:
    // The start button: the editor takes over.
    void handedOver();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    AppContext& mContext;
    QWidget* mClient = nullptr;
    QPlainTextEdit* mWarning = nullptr;
    QPushButton* mStartButton = nullptr;
    QString mLandmarkDialogFileName;
    QString mChooserFolder;
};

// The warning the welcome window shows, one entry per line.
QStringList welcomeText();

} // namespace korvland
