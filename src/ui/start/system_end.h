#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace korvland {

// Turns the signals by which the system ends a program (SIGTERM, SIGHUP, SIGINT) into a call
// on the event loop's thread. The handler itself only writes a byte to a pipe, which the loop
// reads: no Qt code, and nothing else that may not run inside a signal handler, runs there.
// One at a time; the signals' previous handling comes back when it goes.
class SystemEnd : public QObject {
    Q_OBJECT
  public:
    explicit SystemEnd(std::function<void()> end, QObject* parent = nullptr);
    ~SystemEnd() override;

    SystemEnd(const SystemEnd&) = delete;
    SystemEnd& operator=(const SystemEnd&) = delete;

  private:
    void readPipe();

    std::function<void()> mEnd;
    QSocketNotifier* mNotifier = nullptr;
};

} // namespace korvland
