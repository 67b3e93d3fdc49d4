// SPDX-License-Identifier: GPL-3.0-or-later
// Our own reader of the shell-link format. It walks the header, the target ID list, the link
// information, the string data and the extra data blocks, checking every size, offset and count
// against the bytes before it reads; the last block must be the terminal block, so a truncated
// file is always refused.
#include "platform/shortcuts/shortcut.h"

#include <array>
#include <cstring>

namespace qv::shortcut_detail {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<std::uint8_t, 16> kLinkClsid = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : std::uint32_t {
    HasLinkTargetIDList = 0x1,
    HasLinkInfo = 0x2,
    HasName = 0x4,
    HasRelativePath = 0x8,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
    ForceNoLinkInfo = 0x100,
};

// Windows-1252 for 0x80..0x9F (the rest matches Latin-1); 0 marks an unassigned code.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

class Reader {
public:
    explicit Reader(QByteArrayView b) : b_(b) {}
    qsizetype size() const { return b_.size(); }
    bool has(qsizetype off, qsizetype n) const {
        return off >= 0 && n >= 0 && off <= b_.size() && n <= b_.size() - off;
    }
    bool u16(qsizetype off, std::uint16_t& v) const {
        if (!has(off, 2)) {
            return false;
        }
        v = static_cast<std::uint16_t>(byte(off) | (byte(off + 1) << 8));
        return true;
    }
    bool u32(qsizetype off, std::uint32_t& v) const {
        if (!has(off, 4)) {
            return false;
        }
        v = static_cast<std::uint32_t>(byte(off)) |
            (static_cast<std::uint32_t>(byte(off + 1)) << 8) |
            (static_cast<std::uint32_t>(byte(off + 2)) << 16) |
            (static_cast<std::uint32_t>(byte(off + 3)) << 24);
        return true;
    }
    std::uint8_t byte(qsizetype off) const { return static_cast<std::uint8_t>(b_[off]); }

    // An 8-bit text starting at off, ending at its NUL, which must lie before end.
    bool ansiz(qsizetype off, qsizetype end, QString& out) const {
        out.clear();
        for (qsizetype i = off; i < end && i < b_.size(); ++i) {
            const std::uint8_t c = byte(i);
            if (c == 0) {
                return true;
            }
            out.append(ansiChar(c));
        }
        return false;
    }
    // A UTF-16LE text starting at off, ending at its NUL, which must lie before end.
    bool utf16z(qsizetype off, qsizetype end, QString& out) const {
        out.clear();
        for (qsizetype i = off; i + 1 < end && i + 1 < b_.size(); i += 2) {
            const auto c = static_cast<char16_t>(byte(i) | (byte(i + 1) << 8));
            if (c == 0) {
                return true;
            }
            out.append(QChar(c));
        }
        return false;
    }
    static QChar ansiChar(std::uint8_t c) {
        if (c >= 0x80 && c <= 0x9F) {
            const char16_t u = kCp1252High[c - 0x80];
            return {u ? u : char16_t(0xFFFD)};
        }
        return {char16_t(c)};
    }

private:
    QByteArrayView b_;
};

// Link information: the local and network forms of the target. Offsets are relative to its start.
bool readLinkInfo(const Reader& r, qsizetype start, qsizetype& next, ShortcutInfo& info) {
    std::uint32_t size = 0, headerSize = 0, flags = 0, volumeOff = 0, localOff = 0, netOff = 0,
                  suffixOff = 0;
    if (!r.u32(start, size) || size < 0x1C || !r.has(start, size)) {
        return false;
    }
    const qsizetype end = start + size;
    if (!r.u32(start + 4, headerSize) || !r.u32(start + 8, flags) ||
        !r.u32(start + 12, volumeOff) || !r.u32(start + 16, localOff) ||
        !r.u32(start + 20, netOff) || !r.u32(start + 24, suffixOff)) {
        return false;
    }
    if (headerSize < 0x1C || headerSize > size) {
        return false;
    }
    std::uint32_t localOffW = 0, suffixOffW = 0;
    const bool unicodeOffsets = headerSize >= 0x24;
    if (unicodeOffsets && (!r.u32(start + 28, localOffW) || !r.u32(start + 32, suffixOffW))) {
        return false;
    }
    auto inside = [&](std::uint32_t off) { return off >= headerSize && off < size; };

    QString suffix;
    if (unicodeOffsets && suffixOffW != 0) {
        if (!inside(suffixOffW) || !r.utf16z(start + suffixOffW, end, suffix)) {
            return false;
        }
    } else if (suffixOff != 0) {
        if (!inside(suffixOff) || !r.ansiz(start + suffixOff, end, suffix)) {
            return false;
        }
    }

    if (flags & 0x1) { // VolumeIDAndLocalBasePath
        std::uint32_t volumeSize = 0;
        if (!inside(volumeOff) || !r.u32(start + volumeOff, volumeSize) || volumeSize < 0x10 ||
            volumeSize > size - volumeOff) {
            return false;
        }
        QString base;
        if (unicodeOffsets && localOffW != 0) {
            if (!inside(localOffW) || !r.utf16z(start + localOffW, end, base)) {
                return false;
            }
        } else if (!inside(localOff) || !r.ansiz(start + localOff, end, base)) {
            return false;
        }
        // A base path without its closing separator is joined to the suffix with one.
        const bool join = !base.isEmpty() && !suffix.isEmpty() && !base.endsWith(u'\\');
        info.localPath = join ? base + u'\\' + suffix : base + suffix;
    }
    if (flags & 0x2) { // CommonNetworkRelativeLinkAndPathSuffix
        std::uint32_t netSize = 0, netFlags = 0, netNameOff = 0, deviceOff = 0, provider = 0;
        if (!inside(netOff) || !r.u32(start + netOff, netSize) || netSize < 0x14 ||
            netSize > size - netOff) {
            return false;
        }
        const qsizetype netStart = start + netOff;
        const qsizetype netEnd = netStart + netSize;
        if (!r.u32(netStart + 4, netFlags) || !r.u32(netStart + 8, netNameOff) ||
            !r.u32(netStart + 12, deviceOff) || !r.u32(netStart + 16, provider)) {
            return false;
        }
        if (netNameOff < 0x14 || netNameOff >= netSize) {
            return false;
        }
        QString netName;
        std::uint32_t netNameOffW = 0;
        if (netNameOff > 0x14 && r.u32(netStart + 20, netNameOffW) && netNameOffW != 0) {
            if (netNameOffW < 0x14 || netNameOffW >= netSize ||
                !r.utf16z(netStart + netNameOffW, netEnd, netName)) {
                return false;
            }
        } else if (!r.ansiz(netStart + netNameOff, netEnd, netName)) {
            return false;
        }
        info.networkPath = suffix.isEmpty() ? netName : netName + u'\\' + suffix;
    }
    next = end;
    return true;
}

} // namespace

std::optional<ShortcutInfo> parseBounded(QByteArrayView bytes) {
    const Reader r(bytes);
    std::uint32_t headerSize = 0, flags = 0, iconIndex = 0, show = 0;
    if (!r.u32(0, headerSize) || headerSize != kHeaderSize || !r.has(0, kHeaderSize)) {
        return std::nullopt;
    }
    if (std::memcmp(bytes.data() + 4, kLinkClsid.data(), kLinkClsid.size()) != 0) {
        return std::nullopt;
    }
    r.u32(0x14, flags);
    r.u32(0x38, iconIndex);
    r.u32(0x3C, show);

    ShortcutInfo info;
    info.iconIndex = static_cast<std::int32_t>(iconIndex);
    info.showCommand = (show == kShowMaximized || show == kShowMinNoActive)
                           ? static_cast<std::int32_t>(show)
                           : kShowNormal;

    qsizetype pos = kHeaderSize;
    if (flags & HasLinkTargetIDList) {
        std::uint16_t listSize = 0;
        if (!r.u16(pos, listSize) || !r.has(pos + 2, listSize)) {
            return std::nullopt;
        }
        // Items are size-prefixed and the list ends with a zero size that lies inside it.
        const qsizetype listEnd = pos + 2 + listSize;
        qsizetype item = pos + 2;
        for (;;) {
            std::uint16_t itemSize = 0;
            if (item + 2 > listEnd || !r.u16(item, itemSize)) {
                return std::nullopt;
            }
            if (itemSize == 0) {
                break;
            }
            if (itemSize < 2 || itemSize > listEnd - item) {
                return std::nullopt;
            }
            item += itemSize;
        }
        pos = listEnd;
    }
    if (flags & HasLinkInfo) {
        ShortcutInfo targets;
        qsizetype next = pos;
        if (!readLinkInfo(r, pos, next, targets)) {
            return std::nullopt;
        }
        if (!(flags & ForceNoLinkInfo)) {
            info.localPath = targets.localPath;
            info.networkPath = targets.networkPath;
        }
        pos = next;
    }

    const bool unicode = flags & IsUnicode;
    QString* const strings[] = {&info.description, &info.relativePath, &info.workingDirectory,
                                &info.arguments, &info.iconFile};
    const std::uint32_t stringFlags[] = {HasName, HasRelativePath, HasWorkingDir, HasArguments,
                                         HasIconLocation};
    for (int i = 0; i < 5; ++i) {
        if (!(flags & stringFlags[i])) {
            continue;
        }
        std::uint16_t count = 0;
        if (!r.u16(pos, count)) {
            return std::nullopt;
        }
        pos += 2;
        const qsizetype bytesLen = unicode ? qsizetype(count) * 2 : count;
        if (!r.has(pos, bytesLen)) {
            return std::nullopt;
        }
        QString& s = *strings[i];
        s.reserve(count);
        for (qsizetype k = 0; k < count; ++k) {
            s.append(unicode ? QChar(char16_t(r.byte(pos + 2 * k) | (r.byte(pos + 2 * k + 1) << 8)))
                             : Reader::ansiChar(r.byte(pos + k)));
        }
        pos += bytesLen;
    }

    // Extra data: blocks of at least 8 bytes, closed by a terminal block (a size below 4).
    for (;;) {
        std::uint32_t blockSize = 0;
        if (!r.u32(pos, blockSize)) {
            return std::nullopt;
        }
        if (blockSize < 4) {
            break;
        }
        if (blockSize < 8 || !r.has(pos, blockSize)) {
            return std::nullopt;
        }
        pos += blockSize;
    }
    return info;
}

} // namespace qv::shortcut_detail
