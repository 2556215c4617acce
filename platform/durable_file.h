// SPDX-License-Identifier: MIT
#pragma once
// A small file that must survive a crash, a kill or a power loss whole: replaced
// by writing a new file, flushing it to the disk and renaming it over the old
// one; and an exclusive lock that lets one process at a time read and replace it.

#include <optional>
#include <string>

namespace vantro::platform {

class FileLock {
public:
    // Opens (creating it) and locks `name`, waiting while another process holds it.
    // Check locked(); the reason is set when it could not be locked.
    explicit FileLock(const std::string& name);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return locked_; }
    const std::string& reason() const { return reason_; }

private:
    int fd_ = -1;
    bool locked_ = false;
    std::string reason_;
};

// Flushes what was written to the descriptor to the disk; false (errno set) when it failed.
bool flush_to_disk(int fd);

// A descriptor for reading and writing `name`, created when missing (truncated
// when asked), never inherited; -1 with errno set.
int open_read_write(const std::string& name, bool truncate);

// Renames `from` over `to`, replacing it, and makes the rename itself durable;
// false (errno set) when it failed.
bool rename_durably(const std::string& from, const std::string& to);

// Writes `text` to name + ".new", flushes it to the disk and renames it over
// `name`; the system's reason when any step failed (`name` is then as it was).
std::optional<std::string> replace_durably(const std::string& name, const std::string& text);

}  // namespace vantro::platform
