// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The profile functions, with the contract of the Windows ones of the same name, on our own INI
// engine (platform/profile/profile_engine.h):
// - GetPrivateProfileStringA copies the value of section/key (names matched without regard to
//   ASCII case, blanks around them ignored) into buffer, cut to size - 1 bytes and always
//   NUL-terminated, and returns the count copied. A missing file, section or key copies def
//   (nullptr counts as "") instead. A null key lists the keys of the section, a null section the
//   section names, each NUL-terminated with one more NUL at the end (cut lists return size - 2).
//   A null buffer or a size of 0 returns 0.
// - WritePrivateProfileStringA sets the key (in place, or as the last line of its section, or in
//   a new section at the end, creating the file); a null key removes the section, a null value
//   the key. It returns true when the file holds the change (or needed none) and false when it
//   refused or could not write; then the file is as it was.
//
// Every change is written to a temporary file beside the target, flushed, given the target's
// permissions and renamed over it, so that a reader sees the old or the new file, never half of
// one. Files larger than kMaxProfileBytes are not read, and never overwritten. A file saved as
// UTF-16 with a byte-order mark reads as its text in UTF-8 (the locale's encoding, as the 8-bit
// file would hold it) and is written back in UTF-16 with its mark.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile/atomicfile.h"
#include "platform/profile/profile_engine.h"

namespace win32 {

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* def,
                                       char* buffer, std::uint32_t size, const char* path);
bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* path);

} // namespace win32

namespace qv::profile {

inline constexpr std::size_t kMaxProfileBytes = std::size_t{64} * 1024 * 1024;

// What a write did, for callers that tell the user why it failed.
enum class WriteStatus {
    Written,   // the file now holds the change
    Unchanged, // nothing to change; the file was not touched (and not created)
    Refused,   // a name or value that cannot be written safely (line break, NUL, '=' in a key...)
    TooLarge,  // the file is larger than kMaxProfileBytes: not read, so not rewritten
    Failed     // the file could not be read whole or the new one could not be put in place
};
WriteStatus writeProfileString(const char* section, const char* key, const char* value,
                               const char* path);

// The whole file as the engine reads it (the UTF-8 text of a UTF-16 file), or nothing when it is
// missing, not a regular file, unreadable or too large.
enum class ReadStatus { Ok, Missing, TooLarge, Failed };
struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
    TextEncoding encoding = TextEncoding::Bytes;
    bool exact = true; // the bytes encode back to the file byte for byte
};
ReadResult readProfileFile(const char* path);
// Replaces the file read as `file` with the new text, in the file's own encoding, atomically.
// Refused when the text has no form in that encoding; Failed, with the file as it was, when the
// file's UTF-16 was damaged (its text would not give its bytes back) or the write failed.
WriteStatus storeProfileText(const char* path, const ReadResult& file, std::string_view text);

// GetPrivateProfileStringA that also makes the file test of callers that tell a missing menu
// apart. *status (when not null) tells what the path holds, as the file test would: Missing when
// no regular file is there, TooLarge, Failed for a regular file that cannot be read, Ok. It
// saves the separate test's system calls.
std::uint32_t readProfileString(const char* section, const char* key, const char* def, char* buffer,
                                std::uint32_t size, const char* path, ReadStatus* status);
// Reads keep their buffer up to this size for the next read.
inline constexpr std::size_t kKeptReadBuffer = std::size_t{1} * 1024 * 1024;

} // namespace qv::profile
