// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profile/menufile.h"

#include "platform/files/regularfile.h"
#include "platform/profile/atomicfile.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace qv::menufile {

namespace {

using Clock = std::chrono::steady_clock;

bool mayWrite(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool folderTakesNewFiles(const std::string& file) {
    return ::faccessat(AT_FDCWD, folderOf(file).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string newToken() {
    std::random_device random;
    std::uniform_int_distribution<unsigned long long> digits;
    return profile::temporaryWriterTag() + " " + std::to_string(::getpid()) + " " +
           std::to_string(digits(random)) + "\n";
}

// The file inside the lock folder that names its holder.
constexpr const char* kHolderName = "/holder";

// Where a lock's token is: in the holder file of a lock folder, or in the lock itself when it is a
// file (as earlier versions of the editor left it).
std::string holderFileOf(const std::string& lock, const struct stat& st) {
    return S_ISDIR(st.st_mode) ? lock + kHolderName : lock;
}

// The holder's token, as far as it could be read (empty for a lock caught before its write).
std::string readLock(const std::string& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string text;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.assign(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return text;
}

// Locks this process has found held, with when it first saw each holder: a holder seen for
// kStaleLockSeconds by our own clock is gone, whatever the clocks of other machines say.
std::map<std::string, std::pair<std::string, Clock::time_point>>& seenHolders() {
    static std::map<std::string, std::pair<std::string, Clock::time_point>> seen;
    return seen;
}

// Which lock a holder left, told without opening it: a file server refuses to remove a file that
// another machine holds open, so a waiter that read the lock at every look would keep its holder
// from giving it back.
std::string identityOf(const struct stat& st) {
    return std::to_string(st.st_ino) + ":" + std::to_string(st.st_mtime) + ":" +
           std::to_string(st.st_size);
}

// holder is the lock's text when it was read (empty otherwise); unnamed: the lock is a folder with
// no holder file in it.
bool isStale(const std::string& file, const std::string& holder, const struct stat& st,
             bool unnamed) {
    const std::size_t blank = holder.find(' ');
    if (blank != std::string::npos && holder.substr(0, blank) == profile::temporaryWriterTag()) {
        const long pid = std::strtol(holder.c_str() + blank + 1, nullptr, 10);
        if (pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
            errno == ESRCH) {
            return true;
        }
    }
    if (std::time(nullptr) - st.st_mtime > kStaleLockSeconds) {
        return true;
    }
    auto& seen = seenHolders()[file];
    const Clock::time_point now = Clock::now();
    const std::string identity = identityOf(st);
    if (seen.first != identity || seen.second == Clock::time_point{}) {
        seen = {identity, now};
        return false;
    }
    return now - seen.second >= (unnamed ? std::chrono::milliseconds(kEmptyLockMs)
                                         : std::chrono::milliseconds(kStaleLockSeconds * 1000));
}

// Removes a lock folder with its holder file, or a lock file (st: the lock's own lstat, so that a
// link in its place is removed itself, never followed).
void removeLock(const std::string& lock, const struct stat& st) {
    if (!S_ISDIR(st.st_mode)) {
        (void)::unlink(lock.c_str());
    } else if (::unlink((lock + kHolderName).c_str()) == 0 || errno == ENOENT) {
        (void)::rmdir(lock.c_str());
    }
}

// Puts a lock moved aside back under its name, unless a new lock took the name meanwhile.
void putBack(const std::string& aside, const std::string& file, const struct stat& st) {
    if (!S_ISDIR(st.st_mode)) {
        (void)::link(aside.c_str(), file.c_str());
        return;
    }
    if (::renameat2(AT_FDCWD, aside.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0 ||
        (errno != EINVAL && errno != ENOSYS)) {
        return;
    }
    struct stat now {};
    if (::lstat(file.c_str(), &now) != 0 && errno == ENOENT) {
        (void)::rename(aside.c_str(), file.c_str());
    }
}

// Moves the stale lock aside before removing it, so that of two editors breaking it at once only
// one succeeds; one that finds it has moved a fresh lock instead puts that back.
void breakLock(const std::string& file, const struct stat& judged) {
    const std::string aside = file + ".broken-" + std::to_string(::getpid());
    if (::rename(file.c_str(), aside.c_str()) != 0) {
        return;
    }
    struct stat st {};
    if (::lstat(aside.c_str(), &st) != 0) {
        return;
    }
    if (identityOf(st) != identityOf(judged)) {
        putBack(aside, file, st);
    }
    if (::lstat(aside.c_str(), &st) == 0) {
        removeLock(aside, st);
    }
    seenHolders().erase(file);
}

// Takes the lock: a new folder, decided by the file server on a share. An exclusive create of a
// file is not: a FUSE client such as smbnetfs creates with a plain open that truncates, so two
// machines could both create the same lock file and change the menu over each other. The holder
// file is made once the folder is ours; false, with nothing left behind, when it cannot be.
bool makeLock(const std::string& file, const std::string& token, bool onShare) {
    if (::mkdir(file.c_str(), 0777) != 0) {
        return false;
    }
    // Whoever may change the menu's folder may clear a crashed editor's lock in it. (A file server
    // decides that itself.)
    struct stat folder {};
    if (!onShare && ::stat(folderOf(file).c_str(), &folder) == 0) {
        (void)::chmod(file.c_str(), (folder.st_mode & 0777) | S_IRWXU);
    }
    const std::string holder = file + kHolderName;
    const int fd =
        ::open(holder.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    bool written = false;
    if (fd >= 0) {
        written = ::write(fd, token.data(), token.size()) == static_cast<ssize_t>(token.size());
        written = ::close(fd) == 0 && written;
    }
    if (!written) {
        const int why = errno;
        ::unlink(holder.c_str());
        ::rmdir(file.c_str());
        errno = why == EEXIST ? EIO : why;
    }
    return written;
}

} // namespace

std::string realTarget(const std::string& path) {
    struct stat st {};
    char resolved[PATH_MAX];
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
        ::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

Access accessOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return folderTakesNewFiles(path) ? Access::Missing : Access::FolderReadOnly;
    }
    std::string target = path;
    if (S_ISLNK(st.st_mode)) {
        if (::stat(path.c_str(), &st) != 0) {
            return Access::LinkDangling;
        }
        if (!S_ISREG(st.st_mode)) {
            return Access::LinkNotRegular;
        }
        if (st.st_uid != ::geteuid()) {
            return Access::LinkNotOwned;
        }
        target = realTarget(path);
    } else if (!S_ISREG(st.st_mode)) {
        return Access::NotRegular;
    }
    // A file without any write bit was frozen on purpose, even for root, who may write anyway.
    if ((st.st_mode & 0222) == 0 || !mayWrite(target)) {
        return Access::ReadOnly;
    }
    return folderTakesNewFiles(target) ? Access::Writable : Access::FolderReadOnly;
}

bool mayChange(Access access) {
    return access == Access::Writable || access == Access::Missing;
}

std::string Lock::lockPathOf(const std::string& path) {
    const std::string target = realTarget(path);
    const std::size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    return folderOf(target) + "/." + base + ".lock";
}

std::optional<Lock> Lock::acquire(const std::string& path, int waitMs, LockFailure* why) {
    const std::string file = lockPathOf(path);
    const std::string token = newToken();
    const bool onShare = onNetworkShare(folderOf(file));
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + std::chrono::milliseconds(waitMs);
    LockFailure failure = LockFailure::Failed;
    for (int pause = 2;; pause = std::min(pause * 2, 40)) {
        if (makeLock(file, token, onShare)) {
            if (why != nullptr) {
                *why = LockFailure::None;
            }
            return Lock(file, token);
        }
        if (errno == EACCES || errno == EROFS || errno == EPERM) {
            failure = LockFailure::FolderReadOnly;
            break;
        }
        if (errno != EEXIST) {
            // While another machine removes its lock, the server refuses a new folder of that name
            // for a moment (smbnetfs says EIO); nothing was made, so it is tried again.
            if (errno != EIO || !onShare || Clock::now() >= deadline) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
            continue;
        }
        struct stat st {};
        if (::lstat(file.c_str(), &st) != 0) {
            continue; // given back meanwhile
        }
        // Its text (whose process holds it) is read at once on a local disk; on a share only once
        // a change has waited a while: a holder needs milliseconds, so a lock still there then
        // may be a crashed editor's.
        std::string holder;
        bool unnamed = false;
        if (!onShare || Clock::now() - start >= std::chrono::milliseconds(kReadHolderAfterMs)) {
            const std::string holderFile = holderFileOf(file, st);
            holder = readLock(holderFile);
            struct stat named {};
            unnamed = S_ISDIR(st.st_mode) && holder.empty() &&
                      ::lstat(holderFile.c_str(), &named) != 0 && errno == ENOENT;
        }
        if (isStale(file, holder, st, unnamed)) {
            breakLock(file, st);
            continue;
        }
        if (Clock::now() >= deadline) {
            failure = LockFailure::Busy;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
    }
    if (why != nullptr) {
        *why = failure;
    }
    return std::nullopt;
}

Lock::Lock(Lock&& other) noexcept : file_(std::move(other.file_)), token_(std::move(other.token_)) {
    other.file_.clear();
}

Lock::~Lock() {
    if (file_.empty()) {
        return;
    }
    if (readLock(file_ + kHolderName) != token_) {
        return;
    }
    // The folder is first moved aside under a name of our own, so that the lock is gone in one
    // step: an editor that dies while emptying it leaves a folder no one waits for, never a lock
    // without a holder. Another machine may be looking at the lock for a moment, and the server
    // then refuses the move or the removal (or keeps the holder file until that machine lets go
    // of it).
    const std::string folder = folderOf(file_);
    const std::string released = file_ + ".released-" + std::to_string(::getpid());
    const bool moved = retryOnShare(folder, kShareReplaceRetryMs,
                                    [&] { return ::rename(file_.c_str(), released.c_str()) == 0; },
                                    {EBUSY, EACCES, EPERM, EIO});
    const std::string gone = moved ? released : file_;
    const std::string holder = gone + kHolderName;
    (void)retryOnShare(folder, kShareReplaceRetryMs,
                       [&] { return ::unlink(holder.c_str()) == 0 || errno == ENOENT; },
                       {EBUSY, EACCES, EPERM, ETXTBSY, EIO});
    (void)retryOnShare(folder, kShareReplaceRetryMs,
                       [&] { return ::rmdir(gone.c_str()) == 0 || errno == ENOENT; },
                       {EBUSY, EACCES, EPERM, ENOTEMPTY, EIO});
}

} // namespace qv::menufile
