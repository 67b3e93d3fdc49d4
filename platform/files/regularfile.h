// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a file that a menu names (qv.ini, shortcuts, desktop entries, icons, program files):
// only a regular file is ever read. The file is opened without blocking and judged by fstat on
// the open descriptor, so a FIFO, a device or a socket in its place is refused at once instead
// of hanging the program in open() or read(), and a swap between a test and the open cannot
// slip one in.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace qv {

enum class OpenFailure { None, Missing, NotRegular, Unreadable };

// A descriptor open for reading on the regular file at path (close-on-exec, blocking reads), or
// -1 with *why saying why not. *st, when given, receives the file's status.
int openRegularFile(const char* path, OpenFailure* why = nullptr, struct stat* st = nullptr);

// A file server refuses for a moment to replace a file that another machine is reading (Samba
// reports EEXIST or EACCES), and a name being replaced there can look missing or fail to open
// (ENOENT, EIO) on the other machines for as long as the server takes to settle it, seconds
// under load. On such a share a failed open or rename is tried again for a while, so that a
// pupil's page turn waits instead of reporting a menu that is there, and the teacher's change
// waits for a moment when no pupil holds the file; on a local disk it fails at once.
inline constexpr int kShareOpenRetryMs = 5000;
inline constexpr int kShareReplaceRetryMs = 10000;

// The folder of a path: "." for a bare name, "/" for a file in the root.
std::string folderOf(const std::string& path);

// True when the folder is on a network file system (SMB, CIFS, NFS, or a FUSE client of one).
bool onNetworkShare(const std::string& folder);

// Runs step until it succeeds; a failure with one of the errors a share gives for a moment is
// retried, with growing pauses, for up to about budgetMs of wall time (each try can itself take
// long on a busy server). errno is the last failure's.
template <typename Step>
bool retryOnShare(const std::string& folder, int budgetMs, Step step,
                  std::initializer_list<int> transient) {
    const auto start = std::chrono::steady_clock::now();
    for (int pause = 2;; pause = std::min(pause * 2, 50)) {
        if (step()) {
            return true;
        }
        const int error = errno;
        if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(budgetMs) ||
            std::find(transient.begin(), transient.end(), error) == transient.end() ||
            !onNetworkShare(folder)) {
            errno = error;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        errno = error;
    }
}

// openRegularFile that, on a network share, tries again while the file is missing or fails to
// open for a moment.
int openRegularFileOnShare(const char* path, OpenFailure* why = nullptr, struct stat* st = nullptr);

// The same for a QFile, which then owns the descriptor. False, with file closed, when path names
// no regular file that can be read.
bool openRegularFile(QFile& file, const QString& path, OpenFailure* why = nullptr);
bool openRegularFileOnShare(QFile& file, const QString& path, OpenFailure* why = nullptr);

// The whole regular file at path, or nothing when it is none, cannot be read, or holds more than
// maxBytes. *error, when given, says why in words.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes,
                                          QString* error = nullptr);

} // namespace qv
