#pragma once

// Small pieces shared by the file layer's reading and writing; not for other code.

#include <cerrno>
#include <cstddef>
#include <string>
#include <unistd.h>

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

} // namespace korvland::posix
