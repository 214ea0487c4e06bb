#include "data/save_journal.h"

#include "data/file_io.h"
#include "data/posix_file.h"
#include "data/private_folder.h"
#include "data/user_error.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <unistd.h>

namespace korvland::journal {

using posix::Descriptor;

namespace {

constexpr std::string_view kJournalPrefix = ".korvjournal-";
constexpr std::string_view kAsidePrefix = ".korvjournal-aside-";
constexpr std::string_view kFirstLine = "korvland save journal 2\n";
// Two paths, a few numbers, and two hashes for every block of a landmark file (64 MiB at most).
constexpr std::size_t kLargestJournal = std::size_t{4} << 20;

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
    bool pairs(std::size_t count, std::vector<std::pair<std::uint64_t, std::uint64_t>>& into) {
        for (std::size_t k = 0; k < count; ++k) {
            const auto first = value(' ');
            const auto second = first ? value('\n') : std::nullopt;
            if (!second)
                return false;
            into.emplace_back(*first, *second);
        }
        return true;
    }
    bool atEnd() const { return mText.empty(); }

  private:
    std::string_view mText;
};

std::size_t blockCount(const Journal& journal) {
    const std::uint64_t longer = std::max(journal.before.size, journal.after.size);
    return static_cast<std::size_t>((longer + kBlockSize - 1) / kBlockSize);
}

struct Parsed {
    Journal journal;
    std::string destination;
};

std::optional<Parsed> parse(const std::vector<std::uint8_t>& bytes) {
    Reader reader(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    Parsed parsed;
    Journal& journal = parsed.journal;
    if (!reader.literal(kFirstLine))
        return std::nullopt;
    const auto device = reader.value(' ');
    const auto inode = device ? reader.value(' ') : std::nullopt;
    const auto length = inode ? reader.value('\n') : std::nullopt;
    const auto destination = length && *length <= PATH_MAX ? reader.text(*length) : std::nullopt;
    if (!destination || !reader.side(journal.before) || !reader.side(journal.after))
        return std::nullopt;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> blocks;
    const auto count = reader.value('\n');
    if (!count || *count != blockCount(journal) || !reader.pairs(*count, blocks))
        return std::nullopt;
    const auto parts = reader.value('\n');
    if (!parts || *parts > 2 || !reader.pairs(*parts, journal.partBlocks) || !reader.literal("end\n") ||
        !reader.atEnd())
        return std::nullopt;
    for (const auto& [old, fresh] : blocks) {
        journal.oldBlocks.push_back(old);
        journal.newBlocks.push_back(fresh);
    }
    journal.device = *device;
    journal.inode = *inode;
    parsed.destination = *destination;
    return parsed;
}

// The hash of block `k` of `bytes` read as `length` bytes, zeros past its end.
std::uint64_t blockHash(const std::vector<std::uint8_t>& bytes, std::size_t k, std::uint64_t length) {
    const std::size_t start = k * kBlockSize;
    const std::size_t end = static_cast<std::size_t>(std::min<std::uint64_t>(start + kBlockSize, length));
    std::vector<std::uint8_t> block(end - start, 0);
    if (start < bytes.size())
        std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                  bytes.begin() + static_cast<std::ptrdiff_t>(std::min(end, bytes.size())), block.begin());
    return contentHash(block.data(), block.size());
}

// The block where `shorter` ends, written over `longer` and cut short there: nothing when
// `shorter` ends on a block's end or is not the shorter one.
std::optional<std::pair<std::uint64_t, std::uint64_t>> partBlock(const std::vector<std::uint8_t>& shorter,
                                                                 const std::vector<std::uint8_t>& longer) {
    if (shorter.size() >= longer.size() || shorter.size() % kBlockSize == 0)
        return std::nullopt;
    std::vector<std::uint8_t> laid = longer;
    std::copy(shorter.begin(), shorter.end(), laid.begin());
    const std::size_t k = shorter.size() / kBlockSize;
    return std::pair{std::uint64_t{k}, blockHash(laid, k, longer.size())};
}

bool holds(const std::vector<std::uint8_t>& bytes, const Side& side) {
    return bytes.size() == side.size && contentHash(bytes.data(), bytes.size()) == side.hash;
}

// Whether every block of `now` is the old or the new one (or one cut short where a shorter
// content ends): a state the interrupted save, or the mending of it, can have left.
bool leftBySave(const std::vector<std::uint8_t>& now, const Journal& journal) {
    const std::uint64_t longer = std::max(journal.before.size, journal.after.size);
    if (now.size() > longer)
        return false;
    for (std::size_t k = 0; k < journal.oldBlocks.size(); ++k) {
        const std::uint64_t hash = blockHash(now, k, longer);
        if (hash != journal.oldBlocks[k] && hash != journal.newBlocks[k] &&
            std::find(journal.partBlocks.begin(), journal.partBlocks.end(),
                      std::pair{std::uint64_t{k}, hash}) == journal.partBlocks.end())
            return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> readCopy(const Side& side) {
    PrivateFile copy = readPrivateFile(side.copy, side.size);
    if (!copy.read() || !holds(copy.bytes, side))
        return std::nullopt;
    return std::move(copy.bytes);
}

std::string journalPathFor(const std::string& folder, const struct stat& destination) {
    char name[64];
    std::snprintf(name, sizeof name, "%.*s%llx-%llx", static_cast<int>(kJournalPrefix.size()),
                  kJournalPrefix.data(), static_cast<unsigned long long>(destination.st_dev),
                  static_cast<unsigned long long>(destination.st_ino));
    return folder + '/' + name;
}

std::optional<std::string> folderOfJournals(bool make) {
    const std::optional<std::string> state = userStateFolder();
    if (!state)
        return std::nullopt;
    const std::string folder = *state + "/korvland/journals";
    if (make ? preparePrivateFolder(folder) != 0 : !isPrivateFolder(folder))
        return std::nullopt;
    return folder;
}

// Removes the journal first and the copies after it, so that no copy goes while a journal
// still names it; a copy is removed only while it is still the user's own file.
void removeJournalAndCopies(const std::string& at, const Journal& journal) {
    if (::unlink(at.c_str()) != 0)
        return;
    posix::syncFolder(posix::parentFolder(at));
    for (const std::string* copy : {&journal.before.copy, &journal.after.copy}) {
        struct stat info {};
        if (::lstat(copy->c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
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

// Keeps the journal (and with it both copies) under a name no read applies again.
void setAside(const std::string& at, const Journal& journal, const std::string& path) {
    const std::string aside = posix::parentFolder(at) + '/' + std::string(kAsidePrefix) +
                              at.substr(at.find_last_of('/') + 1 + kJournalPrefix.size()) + '-' +
                              number(static_cast<std::uint64_t>(::time(nullptr)));
    ::rename(at.c_str(), aside.c_str());
    //: %1 is the file that was being saved, %2 the path of its new contents' complete copy
    posix::tellOperator(Message(
        Text(KORVLAND_TRANSLATABLE(
            "korvland::UserError",
            "an interrupted save of %1 was not finished: the file changed since; its copy is kept at %2")),
        {path, journal.after.copy}));
}

// Makes the file whole from the journal at `at`, which the caller has found under the lock.
void recover(int fd, const struct stat& info, const std::string& at, const std::string& path) {
    const PrivateFile text = readPrivateFile(at, kLargestJournal);
    if (!text.read())
        return;
    const auto parsed = parse(text.bytes);
    if (!parsed) {
        // Written only part-way: its save had not touched the file yet.
        ::unlink(at.c_str());
        return;
    }
    const Journal& journal = parsed->journal;
    // A journal of a file that is gone, whose number the system gave to this one, is no guide
    // here; kept under another name, it no longer stands in this file's saves' way.
    struct stat named {};
    if (journal.device != info.st_dev || journal.inode != info.st_ino ||
        ::stat(parsed->destination.c_str(), &named) != 0 || named.st_dev != info.st_dev ||
        named.st_ino != info.st_ino) {
        setAside(at, journal, parsed->destination);
        return;
    }

    std::vector<std::uint8_t> now;
    if (const int error = posix::readAllAt(fd, info.st_size, now); error != 0)
        refuseTorn(error, path, journal);
    bool finished = !holds(now, journal.before);
    if (finished && !holds(now, journal.after)) {
        if (!leftBySave(now, journal)) {
            setAside(at, journal, path);
            return;
        }
        // The save's own new contents when their copy is whole, else the old ones back.
        auto whole = readCopy(journal.after);
        if (!whole) {
            whole = readCopy(journal.before);
            finished = false;
        }
        if (!whole)
            refuseTorn(EIO, path, journal);
        Descriptor out(::open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDWR | O_CLOEXEC));
        if (out.get() < 0)
            refuseTorn(errno, path, journal);
        if (const int error = writeBlocks(out.get(), whole->data(), whole->size()); error != 0)
            refuseTorn(error, path, journal);
        if (::ftruncate(out.get(), static_cast<off_t>(whole->size())) != 0 ||
            (::fsync(out.get()) != 0 && errno != EINVAL))
            refuseTorn(errno, path, journal);
    }
    removeJournalAndCopies(at, journal);
    //: %1 is the file whose save was interrupted
    posix::tellOperator(finished
                            ? Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                                                 "finished an interrupted save of %1")),
                                      {path})
                            : Message(Text(KORVLAND_TRANSLATABLE("korvland::UserError",
                                                                 "rolled back an interrupted save of %1")),
                                      {path}));
}

} // namespace

std::uint64_t contentHash(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t k = 0; k < size; ++k)
        hash = (hash ^ data[k]) * 1099511628211ull;
    return hash;
}

Journal describe(const struct stat& destination, const std::vector<std::uint8_t>& before,
                 const std::vector<std::uint8_t>& after, const std::string& oldCopy,
                 const std::string& newCopy) {
    Journal journal{destination.st_dev,
                    destination.st_ino,
                    {before.size(), contentHash(before.data(), before.size()), oldCopy},
                    {after.size(), contentHash(after.data(), after.size()), newCopy},
                    {},
                    {},
                    {}};
    const std::uint64_t longer = std::max(before.size(), after.size());
    for (std::size_t k = 0; k < blockCount(journal); ++k) {
        journal.oldBlocks.push_back(blockHash(before, k, longer));
        journal.newBlocks.push_back(blockHash(after, k, longer));
    }
    // The new contents cut short over longer old ones, and the old put back over longer new ones.
    for (const auto& part : {partBlock(after, before), partBlock(before, after)})
        if (part)
            journal.partBlocks.push_back(*part);
    return journal;
}

std::optional<std::string> privateFolder(bool make) {
    return folderOfJournals(make);
}

int write(const struct stat& destination, const Journal& journal, std::string& written,
          const std::string& real) {
    const std::optional<std::string> folder = folderOfJournals(true);
    if (!folder)
        return EACCES;
    std::string text(kFirstLine);
    text +=
        number(journal.device) + ' ' + number(journal.inode) + ' ' + number(real.size()) + '\n' + real + '\n';
    appendSide(text, journal.before);
    appendSide(text, journal.after);
    text += number(journal.oldBlocks.size()) + '\n';
    for (std::size_t k = 0; k < journal.oldBlocks.size(); ++k)
        text += number(journal.oldBlocks[k]) + ' ' + number(journal.newBlocks[k]) + '\n';
    text += number(journal.partBlocks.size()) + '\n';
    for (const auto& [index, hash] : journal.partBlocks)
        text += number(index) + ' ' + number(hash) + '\n';
    text += "end\n";
    const std::string at = journalPathFor(*folder, destination);
    Descriptor fd(::open(at.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.get() < 0)
        return errno == EEXIST ? EACCES : errno;
    int error = posix::writeAll(fd.get(), reinterpret_cast<const unsigned char*>(text.data()), text.size());
    if (error == 0 && ::fsync(fd.get()) != 0 && errno != EINVAL)
        error = errno;
    if (const int closed = fd.close(); error == 0)
        error = closed;
    if (error == 0)
        error = posix::syncFolder(*folder);
    if (error != 0)
        ::unlink(at.c_str());
    else
        written = at;
    return error;
}

int writeBlocks(int fd, const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at < size; at += kBlockSize)
        if (const int error =
                posix::writeAllAt(fd, data + at, std::min(kBlockSize, size - at), static_cast<off_t>(at));
            error != 0)
            return error;
    return 0;
}

std::set<std::string> copiesStillNeeded() {
    std::set<std::string> needed;
    const std::optional<std::string> folder = folderOfJournals(false);
    DIR* dir = folder ? ::opendir(folder->c_str()) : nullptr;
    if (!dir)
        return needed;
    std::vector<std::string> journals;
    while (const dirent* entry = ::readdir(dir))
        if (std::string_view(entry->d_name).starts_with(kJournalPrefix))
            journals.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : journals) {
        const PrivateFile text = readPrivateFile(*folder + '/' + name, kLargestJournal);
        const auto parsed = text.read() ? parse(text.bytes) : std::nullopt;
        if (!parsed)
            continue;
        for (const std::string* copy : {&parsed->journal.before.copy, &parsed->journal.after.copy})
            needed.insert(copy->substr(copy->find_last_of('/') + 1));
    }
    return needed;
}

void finishInterruptedSave(int fd, const struct stat& info, const std::string& path, bool exclusive) {
    const std::optional<std::string> folder = folderOfJournals(false);
    if (!folder)
        return;
    const std::string at = journalPathFor(*folder, info);
    struct stat found {};
    if (::lstat(at.c_str(), &found) != 0)
        return;
    // The file is mended under the exclusive lock: a save that still runs holds it to its end.
    if (!exclusive)
        posix::lockWithin(fd, path);
    struct Share {
        int fd;
        bool exclusive;
        ~Share() {
            if (!exclusive)
                ::flock(fd, LOCK_SH);
        }
    } share{fd, exclusive};
    // The save that wrote it may have finished while this one waited.
    if (::lstat(at.c_str(), &found) == 0) {
        struct stat now {};
        if (::fstat(fd, &now) != 0)
            posix::throwFor(errno, path);
        recover(fd, now, at, path);
    }
}

} // namespace korvland::journal
