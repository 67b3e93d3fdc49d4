#pragma once
// Opening a file that a menu names (qv.ini, shortcuts, desktop entries, icons, program files):
// only a regular file is ever read. The file is opened without blocking and judged by fstat on
// the open descriptor, so a FIFO, a device or a socket in its place is refused at once instead
// of hanging the program in open() or read(), and a swap between a test and the open cannot
// slip one in.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>
#include <sys/stat.h>

namespace qv {

enum class OpenFailure { None, Missing, NotRegular, Unreadable };

// A descriptor open for reading on the regular file at path (close-on-exec, blocking reads), or
// -1 with *why saying why not. *st, when given, receives the file's status.
int openRegularFile(const char* path, OpenFailure* why = nullptr, struct stat* st = nullptr);

// The same for a QFile, which then owns the descriptor. False, with file closed, when path names
// no regular file that can be read.
bool openRegularFile(QFile& file, const QString& path, OpenFailure* why = nullptr);

// The whole regular file at path, or nothing when it is none, cannot be read, or holds more than
// maxBytes. *error, when given, says why in words.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes,
                                          QString* error = nullptr);

} // namespace qv
