// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers shared by the tests: temporary folders, whole-file reads and writes as bytes.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace qvtest {

// The bytes of a file, or an empty array when it cannot be read.
QByteArray readAll(const QString& path);
// Writes the bytes exactly (no line-end translation); false on any failure.
bool writeAll(const QString& path, const QByteArray& bytes);
// Folder of the checked-in fixtures (tests/data).
QString dataDir();
// Folder of the built binaries (qv.ini and the data files sit beside them).
QString binDir();
// Runs the event loop until the condition holds; the limit only guards against a hang.
bool waitUntil(const std::function<bool()>& done, int limitMs = 20000);
// Runs the check in a child process without root rights (tests often run as root, who may
// write anywhere); true when the check held there.
bool asUnprivileged(const std::function<bool()>& check);

} // namespace qvtest
