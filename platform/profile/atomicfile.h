// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a file atomically (a temporary file beside it, flushed, given its permissions and
// renamed over it), and removing the temporaries that killed writers left behind.
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::profile {

// Temporary files of a write are named ".<file>.tmp-<writer>-<pid>-XXXXXX", where <writer> names
// this host (and pid namespace) and <pid> the writing process. After each write the writer removes
// the leftovers that killed writers left beside the same file: this host's whose process is gone,
// and other hosts' (or the older ".<file>.tmp-XXXXXX" ones) untouched for kStaleTemporarySeconds.
// Nothing else is removed: no other name, no link or folder, no file a live writer may still hold.
inline constexpr long kStaleTemporarySeconds = 600;
std::string temporaryWriterTag();
// Returns how many leftovers it removed.
std::size_t removeLeftoverTemporaries(const char* path);

// Replaces the file with the bytes atomically (temporary file, flush, rename), keeping the
// permissions of the file it replaces; false, with the old file left as it was, on any failure.
bool replaceFileAtomically(const char* path, std::string_view bytes);

// Makes a new file with the bytes only when nothing is at the path yet (never over a file, link
// or folder): a temporary file beside it, flushed and then linked to the name, so that another
// writer's file is never replaced and a crash leaves no half-written file. Where the file system
// has no links, an exclusive create. errno tells why it failed.
enum class CreateResult { Created, Exists, Failed };
CreateResult createFileExclusively(const char* path, std::string_view bytes);

// Test seam: makes every following atomic write fail at one step, as a full disk, a broken
// device or a racing folder change would, until reset with WriteStep::None. The temporary file is
// really created (and at Write half of the bytes really written) before the failure, so the
// tests see the clean-up too. Process-wide; meant for tests only.
enum class WriteStep {
    None,     // no injected failure
    OpenTemp, // the temporary file cannot be created
    Write,    // writing the bytes fails halfway
    Flush,    // flushing to disk (fsync) fails
    Rename    // putting the temporary file in place fails
};
void failWritesAt(WriteStep step);
WriteStep injectedWriteFailure();

class ScopedWriteFailure {
public:
    explicit ScopedWriteFailure(WriteStep step) : previous_(injectedWriteFailure()) {
        failWritesAt(step);
    }
    ~ScopedWriteFailure() { failWritesAt(previous_); }
    ScopedWriteFailure(const ScopedWriteFailure&) = delete;
    ScopedWriteFailure& operator=(const ScopedWriteFailure&) = delete;

private:
    WriteStep previous_;
};

} // namespace qv::profile
