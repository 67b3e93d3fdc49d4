// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profile/atomicfile.h"

#include "platform/profile/sharefile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qv::profile {

namespace {

std::atomic<WriteStep> gFailAt{WriteStep::None};

bool injected(WriteStep step) {
    return gFailAt.load(std::memory_order_relaxed) == step;
}

// The process umask without changing it (umask() itself is not thread-safe to probe).
mode_t currentUmask() {
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, f) != nullptr) {
            unsigned int mask = 0;
            if (std::sscanf(line, "Umask: %o", &mask) == 1) {
                std::fclose(f);
                return static_cast<mode_t>(mask);
            }
        }
        std::fclose(f);
    }
    return 022;
}

// The file that a write really replaces: the target of a symbolic link, so that the link stays.
std::string targetOf(const char* path) {
    char resolved[PATH_MAX];
    struct stat st {};
    if (::lstat(path, &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path, resolved) != nullptr) {
        return resolved;
    }
    return path;
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string temporaryPrefix(const std::string& base) {
    return "." + base + ".tmp-";
}

bool isAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The six characters mkostemp puts in place of XXXXXX.
bool isRandomPart(std::string_view s) {
    return s.size() == 6 && std::all_of(s.begin(), s.end(), isAlnum);
}

std::string makeWriterTag() {
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') {
        std::strcpy(host, "localhost");
    }
    std::string tag;
    for (const char* c = host; *c != '\0' && tag.size() < 40; ++c) {
        tag.push_back(isAlnum(*c) || *c == '-' || *c == '.' ? *c : '_');
    }
    // Containers may share a host name but not their pid numbers: the namespace tells them apart.
    char ns[64] = {};
    const ssize_t n = ::readlink("/proc/self/ns/pid", ns, sizeof ns - 1);
    if (n > 0) {
        std::string id;
        for (ssize_t i = 0; i < n; ++i) {
            if (ns[i] >= '0' && ns[i] <= '9') {
                id.push_back(ns[i]);
            }
        }
        if (!id.empty()) {
            tag += "." + id;
        }
    }
    return tag;
}

enum class Leftover { NotOurs, Alive, Stale };

// Decides on one name in the folder of the file whose temporary names start with prefix.
Leftover classify(std::string_view name, std::string_view prefix, const std::string& ownTag,
                  const struct stat& st, std::time_t now) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix ||
        !S_ISREG(st.st_mode)) {
        return Leftover::NotOurs;
    }
    const std::string_view rest = name.substr(prefix.size());
    if (rest.find(".tmp-") != std::string_view::npos) {
        return Leftover::NotOurs; // a temporary of a file whose own name starts like ours
    }
    const bool old = now - st.st_mtime > kStaleTemporarySeconds;
    if (isRandomPart(rest)) {
        return old ? Leftover::Stale : Leftover::Alive; // the older name carries no writer
    }
    const std::size_t lastDash = rest.rfind('-');
    if (lastDash == std::string_view::npos || lastDash == 0 ||
        !isRandomPart(rest.substr(lastDash + 1))) {
        return Leftover::NotOurs;
    }
    const std::string_view head = rest.substr(0, lastDash);
    const std::size_t pidDash = head.rfind('-');
    if (pidDash == std::string_view::npos || pidDash == 0) {
        return Leftover::NotOurs;
    }
    const std::string_view digits = head.substr(pidDash + 1);
    if (digits.empty() || digits.size() > 9 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return Leftover::NotOurs;
    }
    const std::string_view tag = head.substr(0, pidDash);
    if (tag != ownTag) {
        return old ? Leftover::Stale : Leftover::Alive; // another host: its pids mean nothing here
    }
    const pid_t pid = static_cast<pid_t>(std::stol(std::string(digits)));
    if (pid == ::getpid()) {
        return Leftover::Alive; // ours, or another thread's write in progress
    }
    // EPERM means a live process of another user.
    return ::kill(pid, 0) != 0 && errno == ESRCH ? Leftover::Stale : Leftover::Alive;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename is already visible to every reader
        ::close(fd);
    }
}

} // namespace

void failWritesAt(WriteStep step) {
    gFailAt.store(step, std::memory_order_relaxed);
}

WriteStep injectedWriteFailure() {
    return gFailAt.load(std::memory_order_relaxed);
}

bool replaceFileAtomically(const char* path, std::string_view bytes) {
    if (path == nullptr || *path == '\0') {
        return false;
    }
    const std::string target = targetOf(path);
    const auto [folder, base] = placeOf(target);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return false;
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~currentUmask());

    // A unique name each time: a temporary file left by a crash never blocks a later write.
    // Writer and pid in the name tell a later writer whether a leftover's process is gone.
    std::string temp = folder + "/" + temporaryPrefix(base) + temporaryWriterTag() + "-" +
                       std::to_string(::getpid()) + "-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    if (injected(WriteStep::OpenTemp)) {
        return false;
    }
    Fd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return false;
    }
    temp.assign(name.data());
    const auto fail = [&] {
        fd.close();
        ::unlink(temp.c_str());
        return false;
    };

    if (::fchmod(fd.get(), mode) != 0) {
        return fail();
    }
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Only a privileged writer can keep a foreign owner; anyone else makes the file theirs.
        (void)!::fchown(fd.get(), old.st_uid, old.st_gid);
    }
    if (injected(WriteStep::Write)) {
        (void)writeAll(fd.get(), bytes.substr(0, bytes.size() / 2));
        return fail();
    }
    if (!writeAll(fd.get(), bytes)) {
        return fail();
    }
    if (::fsync(fd.get()) != 0 || injected(WriteStep::Flush)) {
        return fail();
    }
    if (!fd.close()) {
        ::unlink(temp.c_str());
        return false;
    }
    // smbnetfs says EIO for a moment while another machine holds or removes the old file.
    if (injected(WriteStep::Rename) ||
        !retryOnShare(folder, kShareReplaceRetryMs,
                      [&] { return ::rename(temp.c_str(), target.c_str()) == 0; },
                      {EEXIST, EACCES, EBUSY, EPERM, EIO})) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    removeLeftoverTemporaries(target.c_str());
    return true;
}

CreateResult createFileExclusively(const char* path, std::string_view bytes) {
    if (path == nullptr || *path == '\0') {
        errno = EINVAL;
        return CreateResult::Failed;
    }
    const std::string target = path;
    const auto [folder, base] = placeOf(target);
    std::string temp = folder + "/" + temporaryPrefix(base) + temporaryWriterTag() + "-" +
                       std::to_string(::getpid()) + "-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    Fd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return CreateResult::Failed;
    }
    temp.assign(name.data());
    const auto fail = [&] {
        const int why = errno;
        fd.close();
        ::unlink(temp.c_str());
        errno = why;
        return CreateResult::Failed;
    };
    if (::fchmod(fd.get(), 0666 & ~currentUmask()) != 0 || !writeAll(fd.get(), bytes) ||
        ::fsync(fd.get()) != 0 || !fd.close()) {
        return fail();
    }
    if (::link(temp.c_str(), target.c_str()) == 0) {
        ::unlink(temp.c_str());
        syncFolder(folder);
        return CreateResult::Created;
    }
    const int why = errno;
    ::unlink(temp.c_str());
    if (why == EEXIST) {
        return CreateResult::Exists;
    }
    if (why != EPERM && why != ENOTSUP && why != ENOSYS) {
        errno = why;
        return CreateResult::Failed;
    }
    // A file system without hard links (a FAT stick, some shares): the name is taken only if free.
    Fd direct(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (direct.get() < 0) {
        return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
    }
    if (!writeAll(direct.get(), bytes) || ::fsync(direct.get()) != 0 || !direct.close()) {
        const int lost = errno;
        ::unlink(target.c_str()); // ours, made just now and not complete
        errno = lost;
        return CreateResult::Failed;
    }
    syncFolder(folder);
    return CreateResult::Created;
}

std::string temporaryWriterTag() {
    static const std::string tag = makeWriterTag();
    return tag;
}

std::size_t removeLeftoverTemporaries(const char* path) {
    if (path == nullptr || *path == '\0') {
        return 0;
    }
    const auto [folder, base] = placeOf(targetOf(path));
    const std::string prefix = temporaryPrefix(base);
    const std::string ownTag = temporaryWriterTag();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    const int dfd = ::dirfd(dir);
    const std::time_t now = std::time(nullptr);
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        struct stat st {};
        if (::fstatat(dfd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (classify(name, prefix, ownTag, st, now) == Leftover::Stale &&
            ::unlinkat(dfd, entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

} // namespace qv::profile
