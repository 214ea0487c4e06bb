#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>

namespace korvland::testing {

// Permission checks mean nothing to root, and the tests run as root in CI: such checks
// run in a child process that has given up root for the user nobody (group nogroup).
// Run as any other user, the child keeps that user.

bool runningAsRoot();
// The user and group the child runs as.
uid_t unprivilegedUser();
gid_t unprivilegedGroup();

// Hands a file or folder to the unprivileged user (nothing to do when not root).
void giveToUnprivilegedUser(const std::filesystem::path& path);

// Runs `body` in a child process as the unprivileged user and returns what it returned;
// an exception escaping `body` comes back as "exception: <what>".
std::string runUnprivileged(const std::function<std::string()>& body);

} // namespace korvland::testing
