// The one-editor hand-over where something is in doubt: other users' listeners, folders and
// lock files, names too long for a socket, starts that give up and connections that idle.

#include "support/fixture_builder.h"
#include "support/unprivileged.h"
#include "ui/start/single_instance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTextStream>

#include <gtest/gtest.h>

#include <filesystem>
#include <grp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvland {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

QString qstr(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// Sets an environment variable (a null value unsets it) for the test's length.
struct ScopedVariable {
    ScopedVariable(const char* variable, const QByteArray& value)
        : name(variable), old(qgetenv(variable)), had(qEnvironmentVariableIsSet(variable)) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedVariable() { had ? qputenv(name, old) : qunsetenv(name); }
    const char* name;
    QByteArray old;
    bool had;
};

// Where a start puts its socket: the runtime folder, else a private folder in the home
// folder's cache, never a shared one; a private folder that is a link or another user's is no
// place at all.
struct PlaceCase {
    const char* name;
    bool runtimeFolder;        // XDG_RUNTIME_DIR names a folder of the user's
    std::size_t runtimeLength; // padded to this many bytes when not 0
    const char* planted;       // "link", "foreign" or "" at the private folder's name
    const char* place;         // "runtime", "cache" or "" for none
};

const PlaceCase kPlaces[] = {
    {"RuntimeFolder", true, 0, "", "runtime"},
    {"NoRuntimeFolder", false, 0, "", "cache"},
    {"RuntimeFolderTooLongForASocket", true, 120, "", "cache"},
    {"PrivateFolderPlantedAsALink", false, 0, "link", ""},
    {"PrivateFolderPlantedByAnotherUser", false, 0, "foreign", ""},
};

class SocketPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SocketPlace, IsTheUsersOwnAndShortEnough) {
    const PlaceCase& c = GetParam();
    if (c.planted[0] != '\0' && !testing::runningAsRoot())
        GTEST_SKIP() << "needs root to plant a folder of another user";
    TempDir runtime, cache, elsewhere;
    fs::path runtimeFolder = runtime.path();
    while (c.runtimeLength > 0 && runtimeFolder.string().size() < c.runtimeLength)
        runtimeFolder /= "deeper";
    fs::create_directories(runtimeFolder);
    const fs::path privateName = cache.path() / "korvland";
    if (std::string(c.planted) == "link")
        fs::create_directory_symlink(elsewhere.path(), privateName);
    if (std::string(c.planted) == "foreign") {
        fs::create_directory(privateName);
        testing::giveToUnprivilegedUser(privateName);
    }
    const ScopedVariable runtimeVariable(
        "XDG_RUNTIME_DIR", c.runtimeFolder ? QFile::encodeName(qstr(runtimeFolder)) : QByteArray());
    const ScopedVariable cacheVariable("XDG_CACHE_HOME", QFile::encodeName(qstr(cache.path())));

    const QString path = SingleInstance::defaultSocketPath();
    const std::string place = c.place;
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
    if (place.empty()) {
        EXPECT_EQ(path, QString());
        return;
    }
    EXPECT_LT(QFile::encodeName(path).size(), qsizetype(sizeof(sockaddr_un::sun_path)));
    const fs::path folder = fs::path(path.toStdString()).parent_path();
    EXPECT_EQ(folder, place == "runtime" ? runtimeFolder : privateName) << path.toStdString();
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, ::getuid());
    EXPECT_TRUE(place == "runtime" || info.st_mode == (S_IFDIR | 0700u)) << std::oct << info.st_mode;
}

INSTANTIATE_TEST_SUITE_P(Cases, SocketPlace, ::testing::ValuesIn(kPlaces),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Another user listening where the editor's socket would be learns nothing of the file, and
// the start runs an editor of its own; another user's lock file holds no start back.
TEST(HandOverToAnotherUser, TellsItNothingAndRunsAnEditorOfItsOwn) {
    if (!testing::runningAsRoot())
        GTEST_SKIP() << "needs root to listen as another user";
    TempDir shared;
    ASSERT_EQ(::chmod(shared.path().c_str(), 01777), 0);
    const QString socketPath = qstr(shared.path() / "korvland-socket");
    const QByteArray name = QFile::encodeName(socketPath);
    QFile(socketPath + ".lock").open(QIODevice::WriteOnly);
    testing::giveToUnprivilegedUser(shared.path() / "korvland-socket.lock");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t listener = ::fork();
    if (listener == 0) {
        // Raw calls only: this child of a Qt program runs nothing else.
        sockaddr_un address{AF_UNIX, {}};
        std::copy(name.begin(), name.end(), address.sun_path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        char byte = '+';
        pollfd waiting{fd, POLLIN, 0};
        if (::setgroups(0, nullptr) != 0 || ::setgid(testing::unprivilegedGroup()) != 0 ||
            ::setuid(testing::unprivilegedUser()) != 0 ||
            ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0 ||
            ::write(ready[1], &byte, 1) != 1 || ::poll(&waiting, 1, 5000) != 1)
            ::_exit(100);
        const int connection = ::accept(fd, nullptr, nullptr);
        pollfd incoming{connection, POLLIN, 0};
        const bool heard = ::poll(&incoming, 1, 1000) == 1 && ::read(connection, &byte, 1) == 1;
        ::_exit(heard ? 1 : 0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the other user's listener did not start";
    QElapsedTimer clock;
    clock.start();
    QString printed;
    QTextStream err(&printed);
    SingleInstance instance(socketPath);
    EXPECT_EQ(instance.claimOrHandOver(QStringLiteral("/home/user/secret/evening.dat"), err), std::nullopt);
    EXPECT_LT(clock.elapsed(), 5000) << "the other user's lock file held the start back";
    EXPECT_TRUE(printed.isEmpty());
    int status = -1;
    ::waitpid(listener, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other user's listener heard something";
}

} // namespace
} // namespace korvland
