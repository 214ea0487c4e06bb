#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QLocalServer;
class QLocalSocket;
class QTextStream;

namespace korvland {

class WelcomeWindow;
class EditorWindow;
class ForwardedFiles;

// One editor per user and desktop. The first start listens on a local socket; a later start
// hands its file (or nothing, which brings the running editor to the front) to that editor
// and ends, so that two copies never share one settings file.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // The answer a later start waits for, and how long.
    static constexpr int kAnswerMilliseconds = 10000;

    explicit SingleInstance(QString socketPath = defaultSocketPath(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // korvland-<user id>-<display> in $XDG_RUNTIME_DIR when it is the user's own, else in the
    // private folder korvland of the home folder's cache (made 0700), whichever gives a name
    // short enough for a socket; empty when there is none, and the start then runs an editor
    // of its own, saying so. Needs the application object (the platform names a display-less
    // desktop).
    static QString defaultSocketPath();

    // Hands `file` to the editor listening on the socket, or makes this start the one that
    // listens: a socket left behind by a killed editor is taken over. Returns the exit code
    // when this start has nothing more to do: 0 once the running editor took the file, 1 when
    // it did not answer (reported on `err`). Nothing when this start is to run the editor.
    std::optional<int> claimOrHandOver(const QString& file, QTextStream& err);

    // Files handed over from now on, and those that came before, open in these windows.
    void serve(WelcomeWindow* welcome, EditorWindow* editor);

    bool isListening() const;
    const QString& socketPath() const { return mPath; }

    // Sends `file` to the editor listening at `socketPath`. True once it acknowledged it and
    // heard this start confirm (only then does it open the file); false when it took the
    // connection but gave no answer in time, and the file is not opened; nothing when no
    // editor of this user listens there (no socket, one that refuses, which `refused` tells
    // apart, or a listener of another user, which is told nothing).
    static std::optional<bool> handOver(const QString& socketPath, const QString& file,
                                        bool* refused = nullptr);

  private:
    void acceptConnections();
    void readRequest(QLocalSocket* socket);

    QString mPath;
    QLocalServer* mServer;
    ForwardedFiles* mForwarded = nullptr;
    // Requests that came before serve().
    QStringList mEarly;
};

} // namespace korvland
