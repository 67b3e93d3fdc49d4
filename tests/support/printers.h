// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readable QString values in test failures (gtest prints a QStringList as a list of them).
#include <QString>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
