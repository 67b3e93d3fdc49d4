// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/profile/profile.h"
#include "platform/files/regularfile.h"
#include "platform/profile/profile_engine.h"
#include "platform/profile/sharefile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
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
