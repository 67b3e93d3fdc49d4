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
    qvtest::LnkFields fields;
    fields.localBasePath = QString::fromLatin1(link.target); // the bytes as they are
    fields.workingDirectory = link.workingDirectory;
    fields.arguments = link.arguments;
    fields.iconLocation = link.iconFile;
    fields.iconIndex = link.iconIndex;
    fields.showCommand = static_cast<std::uint32_t>(link.showCommand);
    return qvtest::writeLnk(fields);
}

} // namespace lnkwriter
