#include "desktop/x_session.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace korvland::testing {

namespace {

// Starts `argv` with its output thrown away; `passFd` is handed to it as descriptor 3.
pid_t spawn(const std::vector<std::string>& argv, char** envp, int passFd = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (passFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, passFd, 3);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t& pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

QString run(const QString& display, const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

int numberAfter(const QString& text, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) + QStringLiteral("\\s*(-?\\d+)"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

XSession::~XSession() {
    stop(mWindowManager);
    stop(mServer);
}

QStringList XSession::missingPrograms() {
    QStringList missing;
    for (const char* program : {"Xvfb", "openbox", "xwininfo", "xprop", "xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            missing << QString::fromLatin1(program);
    return missing;
}

bool XSession::start(std::string& error) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        error = "no pipe";
        return false;
    }
    // Xvfb picks a free display itself and writes its number to descriptor 3.
    mServer = spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"}, environ,
                    pipeFds[1]);
    close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (mServer > 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (mServer <= 0 || number.empty()) {
        error = "Xvfb did not start";
        return false;
    }
    mDisplay = QStringLiteral(":") + QString::fromStdString(number);

    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "DISPLAY=", 8) != 0)
            environment.emplace_back(*entry);
    environment.push_back("DISPLAY=" + mDisplay.toStdString());
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    mWindowManager = spawn({"openbox", "--sm-disable"}, envp.data());
    if (mWindowManager <= 0) {
        error = "openbox did not start";
        return false;
    }
    // The window manager is ready once it names its check window and has worked out the
    // screen's work area, which it does last.
    for (int i = 0; i < 400; ++i) { // a busy machine may take a while
        const QString root = run(mDisplay, QStringLiteral("xprop"),
                                 {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK"),
                                  QStringLiteral("_NET_WORKAREA")});
        if (root.contains(QStringLiteral("window id")) &&
            root.contains(QStringLiteral("_NET_WORKAREA(CARDINAL)")))
            return true;
        QThread::msleep(50);
    }
    error = "openbox did not take over the display";
    return false;
}

XWindowView viewOf(const QString& display, unsigned long id) {
    const QString idText = QString::number(id);
    const QString info = run(display, QStringLiteral("xwininfo"), {QStringLiteral("-id"), idText});
    const QString extents = run(display, QStringLiteral("xprop"),
                                {QStringLiteral("-id"), idText, QStringLiteral("_NET_FRAME_EXTENTS")});
    XWindowView view;
    view.client =
        QSize(numberAfter(info, QStringLiteral("Width:")), numberAfter(info, QStringLiteral("Height:")));
    view.viewable = info.contains(QStringLiteral("IsViewable"));
    int left = 0, right = 0, top = 0, bottom = 0;
    const QRegularExpressionMatch margins =
        QRegularExpression(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)")).match(extents);
    if (margins.hasMatch()) {
        left = margins.captured(1).toInt();
        right = margins.captured(2).toInt();
        top = margins.captured(3).toInt();
        bottom = margins.captured(4).toInt();
    }
    const QPoint client(numberAfter(info, QStringLiteral("Absolute upper-left X:")),
                        numberAfter(info, QStringLiteral("Absolute upper-left Y:")));
    view.frame = QRect(client - QPoint(left, top),
                       QSize(view.client.width() + left + right, view.client.height() + top + bottom));
    view.state = run(display, QStringLiteral("xprop"),
                     {QStringLiteral("-id"), idText, QStringLiteral("_NET_WM_STATE")})
                     .trimmed();
    return view;
}

} // namespace korvland::testing
