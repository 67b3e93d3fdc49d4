#pragma once
// Helpers of the reliability tests: the helper process, and waiting for its signs of life.
#include <QByteArray>
#include <QProcess>
#include <QString>

namespace qvrel {

// The path of qv_reliability_helper, built beside the tests.
QString helperPath();

// Waits until the process has written the byte c to its standard output (the bytes before it
// are read and dropped); false when it does not come within the time or the process ends.
bool waitForByte(QProcess& process, char c, int msecs);

// A template for QTemporaryDir in memory (/dev/shm) when there is one: killing a process and
// renaming files behave the same there, and the many small writes do not wait for a disk.
QString fastTempTemplate();

} // namespace qvrel
