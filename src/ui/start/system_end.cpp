#include "ui/start/system_end.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace korvland {

namespace {

constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT};
int sPipe[2] = {-1, -1};
std::array<struct sigaction, kEndSignals.size()> sPrevious{};

extern "C" void noteEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds an end that the loop has not read yet.
    [[maybe_unused]] const ssize_t written = ::write(sPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

SystemEnd::SystemEnd(std::function<void()> end, QObject* parent) : QObject(parent), mEnd(std::move(end)) {
    if (::pipe2(sPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    mNotifier = new QSocketNotifier(sPipe[0], QSocketNotifier::Read, this);
    connect(mNotifier, &QSocketNotifier::activated, this, &SystemEnd::readPipe);
    struct sigaction action {};
    action.sa_handler = noteEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i)
        ::sigaction(kEndSignals[i], &action, &sPrevious[i]);
}

SystemEnd::~SystemEnd() {
    if (!mNotifier)
        return;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i)
        ::sigaction(kEndSignals[i], &sPrevious[i], nullptr);
    delete mNotifier;
    ::close(sPipe[0]);
    ::close(sPipe[1]);
    sPipe[0] = sPipe[1] = -1;
}

void SystemEnd::readPipe() {
    char bytes[16];
    while (::read(sPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (mEnd)
        mEnd();
}

} // namespace korvland
