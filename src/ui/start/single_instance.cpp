#include "ui/start/single_instance.h"

#include "ui/start/forwarded_files.h"

#include "data/private_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace korvland {

namespace {

// A request is a file name in the file system's encoding, ended by a zero byte (which no file
// name holds); the answer is one byte. Nothing longer than a path can be is read.
constexpr char kEnd = '\0';
constexpr char kTaken = '+';
constexpr qsizetype kLongestRequest = qsizetype{64} * 1024;
constexpr int kConnectMilliseconds = 2000;
// Two starts at once (several files opened together) take turns: the later one waits until
// the first listens. A lock left by a killed start is recognised by its process id.
constexpr int kLockMilliseconds = 15000;
// The start that sent a file confirms that it heard the answer; only then does the file open,
// so that a start that gave up waiting (this editor was stopped or busy) told the truth when
// it said the file was not opened.
constexpr char kConfirmed = '!';
// A connection that sends no whole request (and confirmation) in this time is closed.
constexpr int kIdleMilliseconds = 5000;
// A socket's name holds at most this many bytes.
constexpr qsizetype kLongestSocketPath = sizeof(sockaddr_un::sun_path) - 1;
constexpr char kAnsweredProperty[] = "korvlandAnswered";

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

// Whether the program at the other end of a connection runs as this user.
bool peerIsThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) ==
               0 &&
           peer.uid == ::getuid();
}

// A lock file counts only when it is this user's: another user's would hold every start back.
bool isForeignFile(const QString& path) {
    struct stat info {};
    return ::lstat(nativePath(path).constData(), &info) == 0 &&
           (S_ISLNK(info.st_mode) || info.st_uid != ::getuid());
}

} // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), mPath(std::move(socketPath)), mServer(new QLocalServer(this)) {
    // Only this user's programs may hand over files.
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(mServer, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultSocketPath() {
    // A Wayland session also sets DISPLAY for its X programs: its own name comes first, so
    // that the editor is one whichever way it was started there.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = QGuiApplication::platformName();
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.:-]")), QStringLiteral("_"));
    const QString name = QStringLiteral("korvland-%1-%2").arg(::getuid()).arg(display);
    // The session's runtime folder when it is the user's own, else a private folder under the
    // home folder's cache; never a shared folder, where another user could take the name first.
    // One whose socket name would be too long gives way to the next.
    std::vector<std::string> candidates;
    if (const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        !runtime.isEmpty() && isPrivateFolder(runtime.toStdString()))
        candidates.push_back(runtime.toStdString());
    if (const std::optional<std::string> cache = userCacheFolder())
        candidates.push_back(*cache + "/korvland");
    for (const std::string& folder : candidates) {
        QString path = QDir(QFile::decodeName(QByteArray::fromStdString(folder))).filePath(name);
        if (nativePath(path).size() <= kLongestSocketPath && preparePrivateFolder(folder) == 0)
            return path;
    }
    // Nowhere private: this start runs an editor of its own.
    return {};
}

std::optional<bool> SingleInstance::handOver(const QString& socketPath, const QString& file, bool* refused) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kConnectMilliseconds)) {
        if (refused)
            *refused = socket.error() == QLocalSocket::ConnectionRefusedError;
        return std::nullopt;
    }
    // A listener of another user gets nothing, not even the file's name.
    if (!peerIsThisUser(socket)) {
        socket.abort();
        if (refused)
            *refused = false;
        return std::nullopt;
    }
    socket.write(QFile::encodeName(file) + kEnd);
    if (!socket.waitForBytesWritten(kConnectMilliseconds))
        return false;
    // The answer may take a while: the running editor answers from its event loop.
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kAnswerMilliseconds))
            return false;
    if (socket.read(1) != QByteArray(1, kTaken))
        return false;
    socket.write(QByteArray(1, kConfirmed));
    return socket.waitForBytesWritten(kConnectMilliseconds);
}

std::optional<int> SingleInstance::claimOrHandOver(const QString& file, QTextStream& err) {
    if (mPath.isEmpty()) {
        err << tr("korvland: no private folder for this user's editor socket; this editor runs on its own, "
                  "and another may open the same settings.")
            << '\n';
        err.flush();
        return std::nullopt;
    }
    const QString lockPath = mPath + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    // Only a lock whose process has gone counts as stale, however long the first start takes.
    lock.setStaleLockTime(0);
    // Without the lock (a folder we cannot write, another user's lock file) the socket is
    // still tried.
    const bool locked = !isForeignFile(lockPath) && lock.tryLock(kLockMilliseconds);
    bool refused = false;
    if (const std::optional<bool> taken = handOver(mPath, file, &refused)) {
        if (*taken)
            return 0;
        err << "korvland: the editor already running on this desktop did not answer";
        if (!file.isEmpty())
            err << "; " << QDir::toNativeSeparators(file) << " was not opened";
        err << ".\n";
        err.flush();
        return 1;
    }
    // A socket nobody listens on was left by an editor that was killed; under the lock no
    // other start can be about to listen on it.
    if (refused && locked)
        QLocalServer::removeServer(mPath);
    // Where no socket can be made, this editor runs as one of its own.
    mServer->listen(mPath);
    return std::nullopt;
}

bool SingleInstance::isListening() const {
    return mServer->isListening();
}

void SingleInstance::serve(WelcomeWindow* welcome, EditorWindow* editor) {
    mForwarded = new ForwardedFiles(welcome, editor, this);
    for (const QString& file : std::exchange(mEarly, {}))
        mForwarded->open(file);
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = mServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kIdleMilliseconds, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    const QByteArray received = socket->peek(kLongestRequest + 2);
    const qsizetype end = received.indexOf(kEnd);
    if (end < 0) {
        if (received.size() > kLongestRequest) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    // The answer goes first: the later start may end while the file is being opened.
    if (!socket->property(kAnsweredProperty).toBool()) {
        socket->setProperty(kAnsweredProperty, true);
        socket->write(QByteArray(1, kTaken));
        socket->flush();
    }
    if (received.size() < end + 2 || received[end + 1] != kConfirmed)
        return;
    socket->read(end + 2);
    const QString file = QFile::decodeName(received.left(end));
    socket->disconnectFromServer();
    if (mForwarded)
        mForwarded->open(file);
    else
        mEarly << file;
}

} // namespace korvland
