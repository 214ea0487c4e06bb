#include "ui/start/single_instance.h"

#include "ui/start/forwarded_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QTextStream>

#include <unistd.h>

namespace korvland {

namespace {

// A request is a file name in the file system's encoding, ended by a zero byte (which no file
// name holds); the answer is one byte. Nothing longer than a path can be is read.
constexpr char kEnd = '\0';
constexpr char kTaken = '+';
constexpr qsizetype kLongestRequest = 64 * 1024;
constexpr int kConnectMilliseconds = 2000;
// Two starts at once (several files opened together) take turns: the later one waits until
// the first listens. A lock left by a killed start is recognised by its process id.
constexpr int kLockMilliseconds = 15000;

} // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), mPath(std::move(socketPath)), mServer(new QLocalServer(this)) {
    // Only this user's programs may hand over files.
    mServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(mServer, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultSocketPath() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    // A Wayland session also sets DISPLAY for its X programs: its own name comes first, so
    // that the editor is one whichever way it was started there.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        display = QGuiApplication::platformName();
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.:-]")), QStringLiteral("_"));
    return QDir(folder).filePath(QStringLiteral("korvland-%1-%2").arg(::getuid()).arg(display));
}

std::optional<bool> SingleInstance::handOver(const QString& socketPath, const QString& file, bool* refused) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kConnectMilliseconds)) {
        if (refused)
            *refused = socket.error() == QLocalSocket::ConnectionRefusedError;
        return std::nullopt;
    }
    socket.write(QFile::encodeName(file) + kEnd);
    if (!socket.waitForBytesWritten(kConnectMilliseconds))
        return false;
    // The answer may take a while: the running editor answers from its event loop.
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kAnswerMilliseconds))
            return false;
    return socket.read(1) == QByteArray(1, kTaken);
}

std::optional<int> SingleInstance::claimOrHandOver(const QString& file, QTextStream& err) {
    QLockFile lock(mPath + QStringLiteral(".lock"));
    // Only a lock whose process has gone counts as stale, however long the first start takes.
    lock.setStaleLockTime(0);
    // Without the lock (a folder we cannot write) the socket is still tried.
    const bool locked = lock.tryLock(kLockMilliseconds);
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    const QByteArray received = socket->peek(kLongestRequest + 1);
    const qsizetype end = received.indexOf(kEnd);
    if (end < 0) {
        if (received.size() > kLongestRequest) {
            socket->abort();
            socket->deleteLater();
        }
        return;
    }
    socket->read(end + 1);
    const QString file = QFile::decodeName(received.left(end));
    // The answer goes first: the later start may end while the file is being opened.
    socket->write(QByteArray(1, kTaken));
    socket->flush();
    socket->disconnectFromServer();
    if (mForwarded)
        mForwarded->open(file);
    else
        mEarly << file;
}

} // namespace korvland
