#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace korvland {

class WelcomeWindow;
class EditorWindow;

// Files that later starts of the program hand over to the running editor. Each opens as
// "Open" opens it, asking about unsaved changes first, in the order they came. They wait
// while a modal dialog (or a menu) is up and, until the welcome window hands over to the
// editor, for that hand-over.
class ForwardedFiles : public QObject {
  public:
    // How often a waiting file looks again whether it can open.
    static constexpr int kRetryMilliseconds = 200;

    ForwardedFiles(WelcomeWindow* welcome, EditorWindow* editor, QObject* parent = nullptr);

    // Brings the program to the front and opens `file` (empty: nothing) as soon as it can.
    void open(const QString& file);
    // Files still waiting.
    const QStringList& waiting() const { return mWaiting; }

  private:
    bool mustWait() const;
    void openWaiting();

    QPointer<WelcomeWindow> mWelcome;
    QPointer<EditorWindow> mEditor;
    QStringList mWaiting;
    QTimer mRetry;
};

// What "Open" does with a chosen file: a profile (.lmp) opens as "Open" > "Profile", any
// other file as "Open" > "Landmark". A failure shows the same message.
void openAsOpenDoes(EditorWindow& editor, const QString& file);

} // namespace korvland
