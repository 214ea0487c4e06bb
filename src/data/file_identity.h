#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvland {

// Whether two paths name one file: the same device and inode, links followed, so that a
// symbolic or hard link to a file counts as the file. False when either does not exist.
bool sameFile(const std::string& a, const std::string& b);

// Refuses (UserError) an output that is the same file as one of the inputs, before anything
// is read: writing it would replace what the command is about to read.
void refuseOutputThatIsAnInput(const std::string& output, std::span<const std::string> inputs);

// What a file was when the program read or wrote it: enough to tell later whether another
// program has changed it since.
struct FileStamp {
    std::string path; // as given, and its full form with links resolved
    std::string resolvedPath;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t hash = 0; // of the whole content

    // Whether `other` names the file this stamp was taken of: the same full path (another
    // program may have replaced the file under its name) or the same device and inode.
    bool names(const std::string& other) const;
};

// The stamp of the regular file at `path` (links followed); nothing when it cannot be read.
std::optional<FileStamp> stampFile(const std::string& path);

// The hash a stamp gives a file holding `bytes`.
std::uint64_t contentHash(std::span<const std::uint8_t> bytes);

// Whether the file a stamp was taken of now holds other bytes. A file that has gone has no
// bytes to lose: false. The content decides, so that a file only touched counts as unchanged.
bool changedSince(const FileStamp& stamp);

// The files the editor read and wrote, to ask before a save replaces one that another
// program has changed since.
class FileMemory {
  public:
    // A file was read: it is the one the operator works on now, and nothing else is known.
    void read(const std::string& path);
    // A file was written: its new stamp replaces what was known of it.
    void wrote(const std::string& path);
    // A file was read when it was as `stamp` says (work kept from an earlier run).
    void readAs(FileStamp stamp);
    // Whether `path` names a file read or written here that another program has changed since.
    bool changedByAnother(const std::string& path) const;
    // What was known of the file `path` names, when anything is.
    std::optional<FileStamp> stampOf(const std::string& path) const;

  private:
    void remember(const std::string& path);
    std::vector<FileStamp> mStamps;
};

} // namespace korvland
