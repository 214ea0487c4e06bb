#include "ui/start/forwarded_files.h"

#include "ui/common/window_sight.h"
#include "ui/editor/editor_window.h"
#include "ui/start/welcome_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QThread>

namespace korvland {

namespace {

// A window still hidden (the editor before the welcome window hands over) stays hidden.
void bringToFront(QWidget* window) {
    if (window && !window->isHidden())
        bringIntoSight(*window);
}

} // namespace

void openAsOpenDoes(EditorWindow& editor, const QString& file) {
    if (file.endsWith(QLatin1String(".lmp"), Qt::CaseInsensitive))
        editor.openProfileFile(file);
    else
        editor.openLandmarkFile(file);
}

ForwardedFiles::ForwardedFiles(WelcomeWindow* welcome, EditorWindow* editor, QObject* parent)
    : QObject(parent), mWelcome(welcome), mEditor(editor) {
    mRetry.setSingleShot(true);
    mRetry.setInterval(kRetryMilliseconds);
    connect(&mRetry, &QTimer::timeout, this, &ForwardedFiles::openWaiting);
}

bool ForwardedFiles::mustWait() const {
    // A modal dialog runs an event loop of its own, as does an open menu; a file opened from
    // inside it would pull the set from under the dialog.
    if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() > 1)
        return true;
    // The editor, never shown before the welcome window hands over, opens nothing before.
    return mEditor && mEditor->isHidden();
}

void ForwardedFiles::open(const QString& file) {
    if (QWidget* modal = QApplication::activeModalWidget())
        bringToFront(modal);
    else if (mEditor && !mEditor->isHidden())
        bringToFront(mEditor);
    else
        bringToFront(mWelcome);
    if (!file.isEmpty())
        mWaiting << file;
    openWaiting();
}

void ForwardedFiles::openWaiting() {
    while (!mWaiting.isEmpty() && mEditor) {
        if (mustWait()) {
            mRetry.start();
            return;
        }
        const QString file = mWaiting.takeFirst();
        bringToFront(mEditor);
        if (mEditor->confirmDiscard(QFileInfo(file).fileName()))
            openAsOpenDoes(*mEditor, file);
    }
}

} // namespace korvland
