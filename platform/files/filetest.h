// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-system tests that both programs make before they touch a file.
#include <QString>

namespace qv {

// True when a normal file exists at the path: not a folder, not a hidden file (a name starting
// with a dot, the Unix counterpart of the hidden attribute), not a device or socket.
bool isNormalFile(const QString& path);

// True when the file is a regular file that can be opened for reading (it is opened, without
// waiting on a FIFO or device, and closed at once). On a network share a file that another
// machine is replacing is waited for.
bool canOpenForReading(const QString& path);

} // namespace qv
