#pragma once
// A small writer of shell-link (.lnk) files: a local target path, and optionally a working
// directory, arguments and an icon location, stored as Unicode strings. Enough for the fixtures
// of the start facility and for the demo menu.
#include <QByteArray>
#include <QString>
#include <QtEndian>
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

inline void put32(QByteArray& out, std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

inline void put16(QByteArray& out, std::uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

inline void putString(QByteArray& out, const QString& s) {
    put16(out, static_cast<std::uint16_t>(s.size()));
    for (QChar c : s) {
        put16(out, c.unicode());
    }
}

inline QByteArray write(const Link& link) {
    enum : std::uint32_t {
        HasLinkInfo = 0x2,
        HasWorkingDir = 0x10,
        HasArguments = 0x20,
        HasIconLocation = 0x40,
        IsUnicode = 0x80
    };
    std::uint32_t flags = HasLinkInfo | IsUnicode;
    if (!link.workingDirectory.isEmpty()) {
        flags |= HasWorkingDir;
    }
    if (!link.arguments.isEmpty()) {
        flags |= HasArguments;
    }
    if (!link.iconFile.isEmpty()) {
        flags |= HasIconLocation;
    }

    QByteArray out;
    put32(out, 0x4C);
    const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    out.append(reinterpret_cast<const char*>(clsid), 16);
    put32(out, flags);
    put32(out, 0x20);                 // FILE_ATTRIBUTE_ARCHIVE
    out.append(QByteArray(24, '\0')); // creation, access and write times
    put32(out, 0);                    // file size
    put32(out, static_cast<std::uint32_t>(link.iconIndex));
    put32(out, static_cast<std::uint32_t>(link.showCommand));
    put16(out, 0);                    // hot key
    out.append(QByteArray(10, '\0')); // reserved

    // LinkInfo: header, VolumeID (fixed drive, empty label), local base path, empty suffix.
    QByteArray volume;
    put32(volume, 0x11);
    put32(volume, 3); // DRIVE_FIXED
    put32(volume, 0x1234ABCD);
    put32(volume, 0x10);
    volume.append('\0');
    const std::uint32_t headerSize = 0x1C;
    const std::uint32_t volumeOffset = headerSize;
    const std::uint32_t baseOffset = volumeOffset + static_cast<std::uint32_t>(volume.size());
    const std::uint32_t suffixOffset =
        baseOffset + static_cast<std::uint32_t>(link.target.size()) + 1;
    const std::uint32_t infoSize = suffixOffset + 1;
    put32(out, infoSize);
    put32(out, headerSize);
    put32(out, 0x1); // VolumeIDAndLocalBasePath
    put32(out, volumeOffset);
    put32(out, baseOffset);
    put32(out, 0); // no network link
    put32(out, suffixOffset);
    out.append(volume);
    out.append(link.target);
    out.append('\0');
    out.append('\0');

    if (flags & HasWorkingDir) {
        putString(out, link.workingDirectory);
    }
    if (flags & HasArguments) {
        putString(out, link.arguments);
    }
    if (flags & HasIconLocation) {
        putString(out, link.iconFile);
    }
    put32(out, 0); // terminal extra-data block
    return out;
}

} // namespace lnkwriter
