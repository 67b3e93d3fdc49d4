#pragma once
// The start facility's fixtures describe a shortcut by its 8-bit target and three strings; the
// one shortcut writer (tools/lnkwriter.h) lays it out.
#include "tools/lnkwriter.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace lnkwriter {

struct Link {
    QByteArray target; // local base path, 8-bit (ASCII in our fixtures)
    QString workingDirectory;
    QString arguments;
    QString iconFile;
    std::int32_t iconIndex = 0;
    std::int32_t showCommand = 1;
};

inline QByteArray write(const Link& link) {
    qvtest::LnkSpec spec;
    spec.localBasePath = QString::fromLatin1(link.target); // the bytes as they are
    spec.workingDirectory = link.workingDirectory;
    spec.arguments = link.arguments;
    spec.iconLocation = link.iconFile;
    spec.iconIndex = link.iconIndex;
    spec.showCommand = static_cast<std::uint32_t>(link.showCommand);
    return qvtest::writeLnk(spec);
}

} // namespace lnkwriter
