#include "data/save_journal.h"

#include "data/file_io.h"
#include "data/posix_file.h"
#include "data/user_error.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <unistd.h>

namespace korvland::journal {

using posix::Descriptor;

namespace {

constexpr std::string_view kJournalPrefix = ".korvjournal-";
constexpr std::string_view kFirstLine = "korvland save journal 1\n";
// A journal holds two paths and a few numbers.
constexpr std::size_t kLargestJournal = std::size_t{3} * PATH_MAX;

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

void appendSide(std::string& text, const Side& side) {
    text += number(side.size) + ' ' + number(side.hash) + ' ' + number(side.copy.size()) + '\n' + side.copy +
            '\n';
}

// Reads the journal's text back; nothing when it is not whole (a save killed while writing
// it had not touched the file yet).
class Reader {
  public:
    explicit Reader(std::string_view text) : mText(text) {}
    bool literal(std::string_view expected) {
        if (mText.substr(0, expected.size()) != expected)
            return false;
        mText.remove_prefix(expected.size());
        return true;
    }
    std::optional<std::uint64_t> value(char end) {
        std::uint64_t result = 0;
        const auto [next, error] = std::from_chars(mText.data(), mText.data() + mText.size(), result);
        if (error != std::errc() || next == mText.data() + mText.size() || *next != end)
            return std::nullopt;
        mText.remove_prefix(static_cast<std::size_t>(next - mText.data()) + 1);
        return result;
    }
    std::optional<std::string> text(std::size_t length) {
        if (mText.size() < length + 1 || mText[length] != '\n')
            return std::nullopt;
        std::string result(mText.substr(0, length));
        mText.remove_prefix(length + 1);
        return result;
    }
    bool side(Side& side) {
        const auto size = value(' ');
        const auto hash = size ? value(' ') : std::nullopt;
        const auto length = hash ? value('\n') : std::nullopt;
        const auto copy = length && *length <= PATH_MAX ? text(*length) : std::nullopt;
        if (!copy)
            return false;
        side = {*size, *hash, *copy};
        return true;
    }
    bool atEnd() const { return mText.empty(); }

  private:
    std::string_view mText;
};

struct Parsed {
    Journal journal;
    std::string destination;
};

std::optional<Parsed> parse(std::string_view text) {
    Reader reader(text);
    Parsed parsed;
    if (!reader.literal(kFirstLine))
        return std::nullopt;
    const auto device = reader.value(' ');
    const auto inode = device ? reader.value(' ') : std::nullopt;
    const auto length = inode ? reader.value('\n') : std::nullopt;
    const auto destination = length && *length <= PATH_MAX ? reader.text(*length) : std::nullopt;
    if (!destination || !reader.side(parsed.journal.before) || !reader.side(parsed.journal.after) ||
        !reader.literal("end\n") || !reader.atEnd())
        return std::nullopt;
    parsed.journal.device = *device;
    parsed.journal.inode = *inode;
    parsed.destination = *destination;
    return parsed;
}

// Reads a whole regular file of `owner` that is not a link; nothing otherwise.
std::optional<std::vector<std::uint8_t>> readOwned(const std::string& path, uid_t owner, std::size_t limit) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != owner ||
        static_cast<std::uint64_t>(info.st_size) > limit)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (posix::readAllAt(fd.get(), info.st_size, bytes) != 0)
        return std::nullopt;
    return bytes;
}

bool holds(const std::vector<std::uint8_t>& bytes, const Side& side) {
    return bytes.size() == side.size && contentHash(bytes.data(), bytes.size()) == side.hash;
}

// The folder the open file lies in, links resolved.
std::string realFolderOf(int fd, const std::string& path) {
    char target[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target || target[0] != '/')
        return posix::parentFolder(path);
    return posix::parentFolder(std::string(target, static_cast<std::size_t>(length)));
}

std::string findJournal(const std::vector<std::string>& folders, const struct stat& info) {
    for (const std::string& folder : folders) {
        std::string candidate = pathIn(folder, info);
        struct stat found {};
        if (::lstat(candidate.c_str(), &found) == 0)
            return candidate;
    }
    return {};
}

// Removes the journal first and the copies after it, so that no copy goes while a journal
// still names it; a copy is removed only while it is still the journal owner's file.
void removeJournalAndCopies(const std::string& at, const Journal& journal, uid_t owner) {
    if (::unlink(at.c_str()) != 0)
        return;
    posix::syncFolder(posix::parentFolder(at));
    for (const std::string* copy : {&journal.before.copy, &journal.after.copy}) {
        struct stat info {};
        if (::lstat(copy->c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == owner)
            ::unlink(copy->c_str());
    }
}

[[noreturn]] void refuseTorn(int errorNumber, const std::string& path, const Journal& journal) {
    //: %1 is what went wrong ("Disk full"), %2 and %3 are paths
    throw UserError(
        Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                   "%1; the old contents were kept as %2 and the complete new file as %3")),
        {fileError(errorNumber, path), journal.before.copy, journal.after.copy});
}

// Makes the file whole from the journal at `at`, which the caller has found under the lock.
void recover(int fd, const struct stat& info, const std::string& at, const std::string& path) {
    Descriptor journalFd(::open(at.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat journalInfo {};
    if (journalFd.get() < 0 || ::fstat(journalFd.get(), &journalInfo) != 0 || !S_ISREG(journalInfo.st_mode))
        return;
    // A journal planted by another user (the temporary folder is everyone's) is no guide.
    const uid_t owner = journalInfo.st_uid;
    if (owner != ::geteuid() && owner != 0 && owner != info.st_uid)
        return;
    journalFd.close();
    const auto text = readOwned(at, owner, kLargestJournal);
    if (!text)
        return;
    const auto parsed = parse(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
    if (!parsed) {
        // Written only part-way: its save had not touched the file yet.
        ::unlink(at.c_str());
        return;
    }
    const Journal& journal = parsed->journal;
    struct stat named {};
    if (journal.device != info.st_dev || journal.inode != info.st_ino ||
        ::stat(parsed->destination.c_str(), &named) != 0 || named.st_dev != info.st_dev ||
        named.st_ino != info.st_ino)
        return;

    std::vector<std::uint8_t> now;
    if (const int error = posix::readAllAt(fd, info.st_size, now); error != 0)
        refuseTorn(error, path, journal);
    if (!holds(now, journal.after) && !holds(now, journal.before)) {
        // The save's own new contents when their copy is whole, else the old ones back.
        auto whole = readOwned(journal.after.copy, owner, journal.after.size);
        if (!whole || !holds(*whole, journal.after))
            whole = readOwned(journal.before.copy, owner, journal.before.size);
        if (!whole || (!holds(*whole, journal.before) && !holds(*whole, journal.after)))
            refuseTorn(EIO, path, journal);
        Descriptor out(::open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDWR | O_CLOEXEC));
        if (out.get() < 0)
            refuseTorn(errno, path, journal);
        if (const int error = posix::writeAllAt(out.get(), whole->data(), whole->size(), 0); error != 0)
            refuseTorn(error, path, journal);
        if (::ftruncate(out.get(), static_cast<off_t>(whole->size())) != 0 ||
            (::fsync(out.get()) != 0 && errno != EINVAL))
            refuseTorn(errno, path, journal);
    }
    removeJournalAndCopies(at, journal, owner);
}

} // namespace

std::uint64_t contentHash(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t k = 0; k < size; ++k)
        hash = (hash ^ data[k]) * 1099511628211ull;
    return hash;
}

std::string pathIn(const std::string& folder, const struct stat& destination) {
    char name[64];
    std::snprintf(name, sizeof name, "%.*s%llx-%llx", static_cast<int>(kJournalPrefix.size()),
                  kJournalPrefix.data(), static_cast<unsigned long long>(destination.st_dev),
                  static_cast<unsigned long long>(destination.st_ino));
    return folder + '/' + name;
}

bool isJournalName(const std::string& name) {
    return name.starts_with(kJournalPrefix);
}

int write(const std::string& folder, const struct stat& destination, const Journal& journal,
          std::string& written, const std::string& real) {
    std::string text(kFirstLine);
    text +=
        number(journal.device) + ' ' + number(journal.inode) + ' ' + number(real.size()) + '\n' + real + '\n';
    appendSide(text, journal.before);
    appendSide(text, journal.after);
    text += "end\n";
    const std::string at = pathIn(folder, destination);
    Descriptor fd(::open(at.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.get() < 0)
        return errno == EEXIST ? EACCES : errno;
    int error = posix::writeAll(fd.get(), reinterpret_cast<const unsigned char*>(text.data()), text.size());
    if (error == 0 && ::fsync(fd.get()) != 0 && errno != EINVAL)
        error = errno;
    if (const int closed = fd.close(); error == 0)
        error = closed;
    if (error == 0)
        error = posix::syncFolder(folder);
    if (error != 0)
        ::unlink(at.c_str());
    else
        written = at;
    return error;
}

std::set<std::string> copiesStillNeeded(const std::string& folder, const std::vector<std::string>& journals) {
    std::set<std::string> needed;
    for (const std::string& name : journals) {
        const std::string at = folder + '/' + name;
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0)
            continue;
        const auto text = readOwned(at, info.st_uid, kLargestJournal);
        const auto parsed =
            text ? parse(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()))
                 : std::nullopt;
        if (!parsed)
            continue;
        for (const std::string* copy : {&parsed->journal.before.copy, &parsed->journal.after.copy})
            needed.insert(copy->substr(copy->find_last_of('/') + 1));
    }
    return needed;
}

void finishInterruptedSave(int fd, const struct stat& info, const std::string& path, bool locked) {
    const std::vector<std::string> folders{realFolderOf(fd, path), posix::temporaryFolder()};
    if (findJournal(folders, info).empty())
        return;
    if (!locked)
        posix::lockWithin(fd, path);
    struct Unlock {
        int fd;
        bool held;
        ~Unlock() {
            if (!held)
                ::flock(fd, LOCK_UN);
        }
    } unlock{fd, locked};
    // The save that wrote it may have finished while this one waited.
    if (const std::string at = findJournal(folders, info); !at.empty()) {
        struct stat now {};
        if (::fstat(fd, &now) != 0)
            posix::throwFor(errno, path);
        recover(fd, now, at, path);
    }
}

} // namespace korvland::journal
