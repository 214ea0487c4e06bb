#include "data/recovery_copy.h"

#include "data/file_io.h"
#include "data/landmark_file.h"
#include "data/landmark_set.h"
#include "data/posix_file.h"
#include "data/private_folder.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace korvland {

namespace {

constexpr std::string_view kHeading = "korvland recovery 1";
constexpr std::string_view kCopySuffix = ".dat";
constexpr std::string_view kDescriptionSuffix = ".recovery";
// A description holds two paths, 1024 flags and the own types of switched-off records: far
// less than this. Anything larger is not one this program wrote, and is not read.
constexpr std::size_t kLargestDescription = std::size_t{64} * 1024;
// A folder's name keeps a file name's first bytes; the hash tells files of one name apart.
constexpr std::size_t kNameBytesKept = 100;

std::string hex(std::uint64_t value) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
    return digits;
}

// A path may hold any byte but zero: line ends and "%" are written as "%0a", "%0d", "%25".
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '%' || c == '\n' || c == '\r') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02x", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size())
            return std::nullopt;
        const auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc{} || end != text.data() + i + 3)
            return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

template <typename Number> bool parseNumber(std::string_view text, Number& value, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc{} && end == text.data() + text.size();
}

// Makes `folder` and the folders above it that are missing, each for its owner alone; an
// existing folder must be the user's own, reached through no link.
void prepareFolder(const std::string& folder) {
    if (const int error = preparePrivateFolder(folder); error != 0)
        throw UserError(fileError(error, folder), folder);
}

// The copy guards against the editor being killed, not against a power cut: it is written
// whole under a temporary name and renamed over the last one, so a kill leaves either copy
// whole, but without a save's flushes, which on a busy disk would stall the editor at every
// burst of edits. The folder is the user's alone, so none of a save's care for links,
// owners, hard links and shared folders has anything to guard.
void replacePrivately(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".part" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    posix::Descriptor fd(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.get() < 0)
        posix::throwFor(errno, path);
    int error = posix::writeAll(fd.get(), bytes.data(), bytes.size());
    if (const int closed = fd.close(); error == 0)
        error = closed;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        posix::throwFor(error, path);
    }
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

std::optional<std::string> defaultRecoveryFolder() {
    if (std::optional<std::string> state = userStateFolder())
        return *state + "/korvland/recovery";
    return std::nullopt;
}

namespace {

// The full path with links resolved, so that every name of one file finds its copy.
std::string resolvedPath(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::weakly_canonical(path, ignored);
    return full.empty() ? path : full.string();
}

} // namespace

RecoveryFiles recoveryFilesFor(const std::string& folder, const std::string& originalPath) {
    const std::string key = resolvedPath(originalPath);
    std::string name = fileNamePart(key).substr(0, kNameBytesKept);
    std::replace(name.begin(), name.end(), '\n', '_');
    const std::vector<std::uint8_t> keyBytes(key.begin(), key.end());
    const std::string stem = folder + '/' + name + '.' + hex(contentHash(keyBytes));
    return {stem + std::string(kCopySuffix), stem + std::string(kDescriptionSuffix)};
}

std::string describeRecovery(const RecoveryDescription& d) {
    std::ostringstream out;
    out << kHeading << '\n'
        << "original " << escaped(d.original.path) << '\n'
        << "resolved " << escaped(d.original.resolvedPath) << '\n'
        << "device " << d.original.device << '\n'
        << "inode " << d.original.inode << '\n'
        << "size " << d.original.size << '\n'
        << "modified " << d.original.modifiedNs << '\n'
        << "hash " << hex(d.original.hash) << '\n'
        << "steps " << d.unsavedSteps << '\n'
        << "written " << d.writtenAt << '\n'
        << "process " << d.processId << '\n'
        << "copy " << hex(d.copyHash) << '\n'
        << "flags ";
    for (const std::uint8_t flag : d.flags)
        out << "0123456789abcdef"[flag >> 4] << "0123456789abcdef"[flag & 15];
    out << "\ntypes";
    for (const KeptType& kept : d.keptTypes)
        out << ' ' << kept.index << ':' << int{kept.type} << ':' << int{kept.subType};
    out << '\n';
    return out.str();
}

std::optional<RecoveryDescription> parseRecoveryDescription(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeading)
        return std::nullopt;
    RecoveryDescription d;
    bool complete = false;
    while (std::getline(in, line)) {
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string_view value =
            space == std::string::npos ? std::string_view{} : std::string_view(line).substr(space + 1);
        bool good = true;
        if (key == "original" || key == "resolved") {
            const std::optional<std::string> path = unescaped(value);
            good = path.has_value();
            (key == "original" ? d.original.path : d.original.resolvedPath) = path.value_or("");
        } else if (key == "device") {
            good = parseNumber(value, d.original.device);
        } else if (key == "inode") {
            good = parseNumber(value, d.original.inode);
        } else if (key == "size") {
            good = parseNumber(value, d.original.size);
        } else if (key == "modified") {
            good = parseNumber(value, d.original.modifiedNs);
        } else if (key == "hash") {
            good = parseNumber(value, d.original.hash, 16);
        } else if (key == "steps") {
            good = parseNumber(value, d.unsavedSteps);
        } else if (key == "written") {
            good = parseNumber(value, d.writtenAt);
        } else if (key == "process") {
            good = parseNumber(value, d.processId);
        } else if (key == "copy") {
            good = parseNumber(value, d.copyHash, 16);
        } else if (key == "flags") {
            good = value.size() == 2 * kMaxRecords;
            for (std::size_t i = 0; good && i < kMaxRecords; ++i)
                good = parseNumber(value.substr(2 * i, 2), d.flags[i], 16);
        } else if (key == "types") {
            std::istringstream kept{std::string(value)};
            std::string item;
            while (good && kept >> item) {
                unsigned index = 0, type = 0, subType = 0;
                good = std::sscanf(item.c_str(), "%u:%u:%u", &index, &type, &subType) == 3 &&
                       index < kMaxRecords && type < 256 && subType < 256;
                d.keptTypes.push_back({static_cast<std::uint16_t>(index), static_cast<std::uint8_t>(type),
                                       static_cast<std::uint8_t>(subType)});
            }
            complete = true;
        }
        if (!good)
            return std::nullopt;
    }
    if (!complete || d.original.path.empty())
        return std::nullopt;
    return d;
}

RecoveryFiles writeRecoveryCopy(const std::string& folder, const LandmarkSet& set,
                                RecoveryDescription description, const std::vector<EditStep>* steps) {
    prepareFolder(folder);
    if (description.original.resolvedPath.empty())
        description.original.resolvedPath = resolvedPath(description.original.path);
    RecoveryFiles files = recoveryFilesFor(folder, description.original.path);
    const std::vector<std::uint8_t> copy = set.compiledBytes();
    description.copyHash = contentHash(copy);
    description.flags = set.disabledFlags();
    description.keptTypes.clear();
    for (std::size_t i = 0; i < set.recordCount(); ++i) {
        const LandmarkRecord& record = set.record(i);
        if (set.disabledFlag(i) != 0 &&
            (record.loFileType != kDisabledType || record.loFileNo != kDisabledSubType))
            description.keptTypes.push_back(
                {static_cast<std::uint16_t>(i), record.loFileType, record.loFileNo});
    }
    replacePrivately(files.copy, copy);
    // Steps of another copy would be refused by their hash; none at all is plainer.
    const std::string stepsPath = stepsPathFor(files.description);
    const std::string stepsText = steps ? describeSteps(*steps, description.copyHash) : std::string();
    if (steps && stepsText.size() <= kStepsSizeLimit)
        replacePrivately(stepsPath, std::vector<std::uint8_t>(stepsText.begin(), stepsText.end()));
    else
        ::unlink(stepsPath.c_str());
    const std::string text = describeRecovery(description);
    replacePrivately(files.description, std::vector<std::uint8_t>(text.begin(), text.end()));
    return files;
}

void removeRecoveryCopy(const RecoveryFiles& files) {
    // The description first: a copy without one is never offered.
    ::unlink(files.description.c_str());
    ::unlink(stepsPathFor(files.description).c_str());
    ::unlink(files.copy.c_str());
}

namespace {

// Why a description was passed over, or nothing when it is no piece of kept work at all.
std::optional<RecoveryEntry> readEntry(const std::string& descriptionPath,
                                       std::vector<std::string>* passedOver) {
    const PrivateFile text = readPrivateFile(descriptionPath, kLargestDescription);
    if (text.status == PrivateFile::Status::TooLarge && passedOver)
        passedOver->push_back(descriptionPath);
    if (!text.read())
        return std::nullopt;
    std::optional<RecoveryDescription> description =
        parseRecoveryDescription(std::string(text.bytes.begin(), text.bytes.end()));
    if (!description)
        return std::nullopt;
    RecoveryFiles files{descriptionPath.substr(0, descriptionPath.size() - kDescriptionSuffix.size()) +
                            std::string(kCopySuffix),
                        descriptionPath};
    // The copy is only looked at here; a pipe, a link or a file no landmark file can be is none.
    struct stat info {};
    if (::lstat(files.copy.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    if (static_cast<std::uint64_t>(info.st_size) > kLandmarkFileReadLimit) {
        if (passedOver)
            passedOver->push_back(files.copy);
        return std::nullopt;
    }
    return RecoveryEntry{std::move(files), std::move(*description)};
}

} // namespace

std::vector<RecoveryEntry> findRecoveryCopies(const std::string& folder,
                                              std::vector<std::string>* passedOver) {
    std::vector<RecoveryEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return entries;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir))
        if (endsWith(entry->d_name, kDescriptionSuffix) && entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : names)
        if (std::optional<RecoveryEntry> entry = readEntry(folder + '/' + name, passedOver))
            entries.push_back(std::move(*entry));
    std::sort(entries.begin(), entries.end(), [](const RecoveryEntry& a, const RecoveryEntry& b) {
        return a.description.writtenAt > b.description.writtenAt;
    });
    return entries;
}

std::optional<RecoveryEntry> recoveryCopyOf(const std::string& folder, const std::string& path) {
    std::optional<RecoveryEntry> entry = readEntry(recoveryFilesFor(folder, path).description, nullptr);
    if (entry && !entry->description.original.names(path))
        return std::nullopt;
    return entry;
}

bool writerStillRuns(const RecoveryDescription& description) {
    const long pid = description.processId;
    if (pid <= 0 || pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) != 0)
        return false;
    // A number the system has since given to another program does not count.
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    return std::getline(comm, name) && name.starts_with("korvland");
}

void readRecoveryCopy(LandmarkSet& set, const RecoveryEntry& entry) {
    const RecoveryDescription& d = entry.description;
    const FileBuffer bytes =
        namingFile(entry.files.copy, [&] { return readLandmarkFileBytes(entry.files.copy); });
    set.readLandmarkBytes(d.original.path, bytes);
    if (contentHash(bytes) != d.copyHash)
        return;
    set.applyDisabledFlags(d.flags);
    for (const KeptType& kept : d.keptTypes) {
        if (kept.index >= set.recordCount())
            continue;
        LandmarkRecord record = set.record(kept.index);
        record.loFileType = kept.type;
        record.loFileNo = kept.subType;
        set.setRecord(kept.index, record);
    }
}

} // namespace korvland
