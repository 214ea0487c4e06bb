#include "support/unprivileged.h"

#include "support/fixture_builder.h"

#include <cstdlib>
#include <exception>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace korvland::testing {

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

} // namespace

bool runningAsRoot() {
    return ::geteuid() == 0;
}

uid_t unprivilegedUser() {
    return runningAsRoot() ? kNobody : ::geteuid();
}

gid_t unprivilegedGroup() {
    return runningAsRoot() ? kNogroup : ::getegid();
}

void giveToUnprivilegedUser(const std::filesystem::path& path) {
    if (runningAsRoot() && ::lchown(path.c_str(), kNobody, kNogroup) != 0)
        throw std::runtime_error("cannot hand " + path.string() + " to nobody");
}

std::string runUnprivileged(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0)
        throw std::runtime_error("no pipe");
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("no fork");
    if (child == 0) {
        ::close(channel[0]);
        std::string answer;
        // A state folder of the unprivileged user's own, inside the test program's.
        const std::filesystem::path state =
            testStateFolder() / ("unprivileged-" + std::to_string(::getpid()));
        std::filesystem::create_directory(state);
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
        if (runningAsRoot() &&
            (::lchown(state.c_str(), kNobody, kNogroup) != 0 || ::setgroups(0, nullptr) != 0 ||
             ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)) {
            answer = "could not give up root";
        } else {
            try {
                answer = body();
            } catch (const std::exception& error) {
                answer = std::string("exception: ") + error.what();
            }
        }
        const ssize_t ignored = ::write(channel[1], answer.data(), answer.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[512];
    ssize_t got;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return "child died";
    return answer;
}

} // namespace korvland::testing
