#pragma once

// Small pieces shared by the file layer's reading and writing; not for other code.

#include "data/user_error.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

namespace korvland::posix {

// The folder part of a path: "." for a bare name, "/" for a file in the root.
std::string parentFolder(const std::string& path);

// Throws UserError with the file layer's text for the error number.
[[noreturn]] void throwFor(int errorNumber, const std::string& path);

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : mFd(fd) {}
    ~Descriptor() {
        if (mFd >= 0)
            ::close(mFd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    // Takes over a newly opened descriptor, closing the one held.
    void reset(int fd) {
        if (mFd >= 0)
            ::close(mFd);
        mFd = fd;
    }
    int get() const { return mFd; }
    // Closes now and reports the close's own error number (0 on success).
    int close() {
        const int result = ::close(mFd);
        mFd = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int mFd;
};

// Writes all of `size` bytes at the descriptor's position; the error number, or 0.
int writeAll(int fd, const unsigned char* data, std::size_t size);

// Writes all of `size` bytes at `offset`; the error number, or 0.
int writeAllAt(int fd, const std::uint8_t* data, std::size_t size, off_t offset);

// Reads the whole open file from its start (up to `size` bytes); the error number, or 0.
int readAllAt(int fd, off_t size, std::vector<std::uint8_t>& bytes);

// Flushes a folder's entries; the error number, or 0.
int syncFolder(const std::string& folder);

// Takes the exclusive lock every save of a file holds while it writes or replaces it (or the
// shared one every read holds while it reads), waiting a few seconds for another program's
// save; throws UserError when that one does not finish.
void lockWithin(int fd, const std::string& path, bool shared = false);

// Whether this process holds the file's exclusive lock for a read followed by a save
// (FileUpdate): its own reads and saves of that file then take no lock of their own.
bool heldForUpdate(const struct stat& info);

// Passes what the file layer did of its own accord to the handler the program set.
void tellOperator(const Message& message);

// Removes the temporary files and old copies that killed saves of the file `real` left
// beside it and in the private folder of journals, unless a journal still needs them.
void removeLeftoverCopies(const std::string& real);

} // namespace korvland::posix
