#include "platform/profile.h"
#include "platform/profile_engine.h"
#include "platform/regularfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qv::profile {

namespace {

std::atomic<WriteStep> gFailAt{WriteStep::None};

bool injected(WriteStep step) {
    return gFailAt.load(std::memory_order_relaxed) == step;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (it can report a late write error).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

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

struct Place {
    std::string folder;
    std::string base;
};

Place placeOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    Place place;
    place.folder = slash == std::string::npos ? std::string(".")
                   : slash == 0               ? std::string("/")
                                              : target.substr(0, slash);
    place.base = slash == std::string::npos ? target : target.substr(slash + 1);
    return place;
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

enum class FileState { Ok, Missing, NotRegular, Unreadable, TooLarge };

// Reads the whole regular file into buffer[0, length). The buffer keeps its size between calls,
// so a caller that reuses one neither allocates nor clears memory for each read.
FileState readWhole(const char* path, std::string& buffer, std::size_t& length) {
    length = 0;
    if (path == nullptr || *path == '\0') {
        return FileState::Missing;
    }
    // A FIFO or device in the file's place must not hang the reader; on a share the file can
    // be missing for a moment while another machine replaces it.
    struct stat st {};
    OpenFailure failure = OpenFailure::None;
    const int raw = openRegularFileOnShare(path, &failure, &st);
    if (raw < 0) {
        switch (failure) {
        case OpenFailure::Missing:
            return FileState::Missing;
        case OpenFailure::NotRegular:
            return FileState::NotRegular;
        default:
            return FileState::Unreadable;
        }
    }
    Fd fd(raw);
    if (static_cast<std::size_t>(st.st_size) > kMaxProfileBytes) {
        return FileState::TooLarge;
    }
    // One byte more than the file holds: a read that does not fill the buffer reached the end.
    const std::size_t want = static_cast<std::size_t>(st.st_size) + 1;
    if (buffer.size() < want) {
        buffer.resize(want);
    }
    std::size_t got = 0;
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer.data() + got, buffer.size() - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FileState::Unreadable;
        }
        const std::size_t asked = buffer.size() - got;
        got += static_cast<std::size_t>(n);
        // A regular file returns less than asked only at its end.
        if (n == 0 || static_cast<std::size_t>(n) < asked) {
            break;
        }
        // The file grew while it was read: read on to its end, within the bound.
        if (got > kMaxProfileBytes) {
            return FileState::TooLarge;
        }
        buffer.resize(got + 4096);
    }
    length = got;
    return FileState::Ok;
}

WriteStatus applyAndStore(const char* path, const ReadResult& file, const EditResult& result) {
    switch (result.edit) {
    case Edit::Refused:
        return WriteStatus::Refused;
    case Edit::Unchanged:
        return WriteStatus::Unchanged;
    case Edit::Changed:
        break;
    }
    return storeProfileText(path, file, result.newBytes);
}

// The text of a UTF-16 file in text; bytes are left as they are.
bool decodeInto(std::string_view bytes, std::string& text, TextEncoding& encoding) {
    encoding = encodingOf(bytes);
    return encoding == TextEncoding::Bytes || decodeUtf16(bytes, encoding, text);
}

} // namespace

void failWritesAt(WriteStep step) {
    gFailAt.store(step, std::memory_order_relaxed);
}

WriteStep injectedWriteFailure() {
    return gFailAt.load(std::memory_order_relaxed);
}

ReadResult readProfileFile(const char* path) {
    ReadResult result;
    std::size_t length = 0;
    switch (readWhole(path, result.bytes, length)) {
    case FileState::Ok:
        result.bytes.resize(length);
        result.status = ReadStatus::Ok;
        if (encodingOf(result.bytes) != TextEncoding::Bytes) {
            std::string text;
            result.exact = decodeInto(result.bytes, text, result.encoding);
            result.bytes = std::move(text);
        }
        break;
    case FileState::Missing:
        result.bytes.clear();
        result.status = ReadStatus::Missing;
        break;
    case FileState::TooLarge:
        result.bytes.clear();
        result.status = ReadStatus::TooLarge;
        break;
    case FileState::NotRegular:
    case FileState::Unreadable:
        result.bytes.clear();
        result.status = ReadStatus::Failed;
        break;
    }
    return result;
}

WriteStatus storeProfileText(const char* path, const ReadResult& file, std::string_view text) {
    if (file.encoding == TextEncoding::Bytes) {
        return replaceFileAtomically(path, text) ? WriteStatus::Written : WriteStatus::Failed;
    }
    // Rewriting damaged UTF-16 from its text would change the bytes no edit touched.
    if (!file.exact) {
        return WriteStatus::Failed;
    }
    const std::optional<std::string> encoded = encodeText(text, file.encoding);
    if (!encoded) {
        return WriteStatus::Refused;
    }
    return replaceFileAtomically(path, *encoded) ? WriteStatus::Written : WriteStatus::Failed;
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
    if (injected(WriteStep::Rename) ||
        !retryOnShare(folder, kShareReplaceRetryMs,
                      [&] { return ::rename(temp.c_str(), target.c_str()) == 0; },
                      {EEXIST, EACCES, EBUSY, EPERM})) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    removeLeftoverTemporaries(target.c_str());
    return true;
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

WriteStatus writeProfileString(const char* section, const char* key, const char* value,
                               const char* path) {
    if (section == nullptr || path == nullptr || *path == '\0') {
        return WriteStatus::Refused;
    }
    const ReadResult file = readProfileFile(path);
    if (file.status == ReadStatus::Failed) {
        return WriteStatus::Failed;
    }
    if (file.status == ReadStatus::TooLarge) {
        return WriteStatus::TooLarge;
    }
    const std::optional<std::string_view> k =
        key ? std::optional<std::string_view>(key) : std::nullopt;
    const std::optional<std::string_view> v =
        value ? std::optional<std::string_view>(value) : std::nullopt;
    return applyAndStore(path, file, applyWrite(file.bytes, section, k, v));
}

} // namespace qv::profile

namespace win32 {

namespace {

std::uint32_t copyText(std::string_view text, char* buffer, std::uint32_t size) {
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

// Names each ending in NUL, one more NUL after the last; a list that does not fit is cut and
// still ends in two NULs, and the count is then size - 2.
std::uint32_t copyList(const std::vector<std::string>& names, char* buffer, std::uint32_t size) {
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t at = 0;
    for (const std::string& name : names) {
        if (at + name.size() + 1 > size - 1) {
            const std::size_t room = size - 2 - at;
            std::memcpy(buffer + at, name.data(), std::min(room, name.size()));
            buffer[size - 2] = '\0';
            buffer[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + at, name.data(), name.size());
        at += name.size();
        buffer[at++] = '\0';
    }
    buffer[at] = '\0';
    if (at == 0 && size > 1) {
        buffer[1] = '\0';
    }
    return static_cast<std::uint32_t>(at);
}

} // namespace

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* def,
                                       char* buffer, std::uint32_t size, const char* path) {
    return qv::profile::readProfileString(section, key, def, buffer, size, path, nullptr);
}

bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* path) {
    const auto status = qv::profile::writeProfileString(section, key, value, path);
    return status == qv::profile::WriteStatus::Written ||
           status == qv::profile::WriteStatus::Unchanged;
}

} // namespace win32

namespace qv::profile {

std::uint32_t readProfileString(const char* section, const char* key, const char* def, char* buffer,
                                std::uint32_t size, const char* path, ReadStatus* status) {
    if (status != nullptr) {
        *status = ReadStatus::Missing;
    }
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::string_view fallback = def ? def : "";
    // The launcher reads every button of a page: one buffer per thread, kept between reads
    // unless a huge file made it large.
    thread_local std::string file;
    std::size_t length = 0;
    const FileState state = readWhole(path, file, length);
    struct Release {
        ~Release() {
            if (file.size() > kKeptReadBuffer) {
                std::string().swap(file);
            }
        }
    } release;
    if (status != nullptr) {
        struct stat st {};
        *status = state == FileState::Ok         ? ReadStatus::Ok
                  : state == FileState::TooLarge ? ReadStatus::TooLarge
                  : state == FileState::Unreadable && ::stat(path, &st) == 0 && S_ISREG(st.st_mode)
                      ? ReadStatus::Failed
                      : ReadStatus::Missing;
    }
    if (state != FileState::Ok) {
        if (section == nullptr || key == nullptr) {
            return win32::copyList({}, buffer, size);
        }
        return win32::copyText(fallback, buffer, size);
    }
    std::string_view bytes(file.data(), length);
    thread_local std::string text;
    TextEncoding encoding = TextEncoding::Bytes;
    // Damaged UTF-16 still reads, with U+FFFD in its damaged places.
    (void)decodeInto(bytes, text, encoding);
    struct ReleaseText {
        ~ReleaseText() {
            if (text.capacity() > kKeptReadBuffer) {
                std::string().swap(text);
            }
        }
    } releaseText;
    if (encoding != TextEncoding::Bytes) {
        bytes = text;
    }
    if (section == nullptr) {
        return win32::copyList(sectionNames(bytes), buffer, size);
    }
    if (key == nullptr) {
        return win32::copyList(keyNames(bytes, section), buffer, size);
    }
    const auto value = lookup(bytes, section, key);
    return win32::copyText(value ? *value : fallback, buffer, size);
}

} // namespace qv::profile
