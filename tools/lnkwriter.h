// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small writer of Windows shortcut files (.lnk): the fields our reader gives back,
// in the layout of the shell-link format (header, target ID list, link information, string
// data, extra data and the terminal block).
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qvtest {

struct LnkFields {
    // Link information: a local volume target (base path + suffix) and/or a network share.
    QString localBasePath;
    QString commonPathSuffix;
    QString networkShare;
    // Write the link information's Unicode offsets (header size 0x24) as well as the 8-bit ones.
    bool unicodeLinkInfo = false;
    // No link information but an ID list naming a virtual folder (the Control Panel): a shortcut
    // with no file-system target.
    bool virtualFolderOnly = false;
    bool forceNoLinkInfo = false;

    QString description;
    QString relativePath;
    QString workingDirectory;
    QString arguments;
    QString iconLocation;
    bool unicodeStrings = true;

    std::int32_t iconIndex = 0;
    std::uint32_t showCommand = 1;
    // Raw extra data blocks placed before the terminal block.
    QByteArray extraData;
};

QByteArray writeLnk(const LnkFields& layout);
bool writeLnkFile(const QString& path, const LnkFields& layout);

// A shortcut to a local program with every string field set (the fuzz seed and many tests).
LnkFields fullLnkFields();

} // namespace qvtest
