// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the editor may do with the menu file on a shared folder: whether it may replace it at all
// (a read-only menu stays read-only, a link is followed only into a plain file of the user's own)
// and a lock beside it, so that editors on one machine or on several machines sharing the folder
// make their changes one after another instead of over each other.
//
// The lock is a folder ".<menu>.lock" made next to the menu: a file server decides itself whether
// a new folder can be made, so it holds across machines (an exclusive create of a file does not
// reach the server through every client). The file "holder" in it names its holder (host, pid
// namespace, pid) and a token of its own. A change holds it for the milliseconds of one read and
// replace; a lock whose process is gone on this host, or that is older than kStaleLockSeconds, or
// that this process has seen unchanged for that long, is a crashed editor's and is broken. A lock
// file of that name, as earlier versions made, is honoured and broken the same way.
#include <optional>
#include <string>

namespace qv::menufile {

enum class Access {
    Writable,       // a regular file (or a link to one of the user's own) that may be replaced
    Missing,        // no file: a change creates it
    ReadOnly,       // the user may not write it: no write bit, not theirs, immutable, ro mount
    FolderReadOnly, // the file may be written, but no new file can be made beside it
    NotRegular,     // a folder, a device, a FIFO... in its place
    LinkDangling,   // a link to nothing
    LinkNotRegular, // a link to a folder, a device...
    LinkNotOwned    // a link to a file of another user
};
Access accessOf(const std::string& path);
// True for Writable and Missing.
bool mayChange(Access access);
// The file a change really replaces: the target of a link, else the path itself.
std::string realTarget(const std::string& path);

inline constexpr int kStaleLockSeconds = 20;
// How long a change waits for another editor's lock before it gives up.
inline constexpr int kLockWaitMs = 5000;
// On a share, a waiting change reads who holds the lock only after this long.
inline constexpr int kReadHolderAfterMs = 500;
// A lock folder still without its holder file this long was left by an editor that died between
// making the folder and naming itself in it (a live one names itself at once).
inline constexpr int kEmptyLockMs = 2000;
static_assert(kEmptyLockMs < kLockWaitMs,
              "a change must outwait a lock that never named its holder");

enum class LockFailure { None, Busy, FolderReadOnly, Failed };

class Lock {
public:
    // Takes the lock of the menu file at path, waiting up to waitMs for another holder.
    static std::optional<Lock> acquire(const std::string& path, int waitMs, LockFailure* why);
    Lock(Lock&& other) noexcept;
    Lock& operator=(Lock&&) = delete;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    // Removes the lock, unless another editor has broken it meanwhile.
    ~Lock();

    static std::string lockPathOf(const std::string& path);

private:
    Lock(std::string file, std::string token) : file_(std::move(file)), token_(std::move(token)) {}
    std::string file_;
    std::string token_;
};

} // namespace qv::menufile
