// SPDX-License-Identifier: GPL-3.0-or-later
// Our own bounded reader of icons: a PE file's icon resources (RT_GROUP_ICON naming RT_ICON
// entries), .ico files, and the two image forms an icon entry may hold (a DIB with its AND mask,
// or a PNG). Every offset, size and count is checked against the bytes before it is used.
#include "platform/icons/fileicon.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace qv::fileicon_detail {
namespace {

// Largest icon image decoded; Windows icons stop at 256 x 256.
constexpr std::uint32_t kMaxIconSide = 256;
// Larger PNG entries are accepted up to this side (some tools store 512 x 512).
constexpr std::uint32_t kMaxPngSide = 1024;

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;

class Bytes {
public:
    explicit Bytes(QByteArrayView b) : b_(b) {}
    qsizetype size() const { return b_.size(); }
    bool has(std::uint64_t off, std::uint64_t n) const {
        const auto size = static_cast<std::uint64_t>(b_.size());
        return off <= size && n <= size - off;
    }
    std::uint8_t u8(std::uint64_t off) const {
        return static_cast<std::uint8_t>(b_[qsizetype(off)]);
    }
    // Little-endian reads; the caller has checked has().
    std::uint16_t u16(std::uint64_t off) const {
        return static_cast<std::uint16_t>(u8(off) | (u8(off + 1) << 8));
    }
    std::uint32_t u32(std::uint64_t off) const {
        return static_cast<std::uint32_t>(u16(off)) |
               (static_cast<std::uint32_t>(u16(off + 2)) << 16);
    }
    std::uint32_t be32(std::uint64_t off) const {
        return (static_cast<std::uint32_t>(u8(off)) << 24) |
               (static_cast<std::uint32_t>(u8(off + 1)) << 16) |
               (static_cast<std::uint32_t>(u8(off + 2)) << 8) | u8(off + 3);
    }
    QByteArrayView mid(std::uint64_t off, std::uint64_t n) const {
        return b_.sliced(qsizetype(off), qsizetype(n));
    }

private:
    QByteArrayView b_;
};

QImage toIconSize(QImage image) {
    if (image.isNull()) {
        return {};
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.width() != kFileIconSize || image.height() != kFileIconSize) {
        image = image.scaled(kFileIconSize, kFileIconSize, Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    }
    return image;
}

QImage decodePng(QByteArrayView data) {
    const Bytes b(data);
    // Signature, then the IHDR chunk: its size limits what the decoder will allocate.
    static const char kSig[] = "\x89PNG\r\n\x1a\n";
    if (!b.has(0, 24) || std::memcmp(data.data(), kSig, 8) != 0 ||
        std::memcmp(data.data() + 12, "IHDR", 4) != 0) {
        return {};
    }
    const std::uint32_t w = b.be32(16), h = b.be32(20);
    if (w == 0 || h == 0 || w > kMaxPngSide || h > kMaxPngSide) {
        return {};
    }
    QByteArray copy(data.data(), data.size());
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    QImage image;
    if (!reader.read(&image)) {
        return {};
    }
    return image;
}

QImage decodeDib(QByteArrayView data) {
    const Bytes b(data);
    if (!b.has(0, 40)) {
        return {};
    }
    const std::uint32_t headerSize = b.u32(0);
    const auto width = static_cast<std::int32_t>(b.u32(4));
    const auto doubleHeight = static_cast<std::int32_t>(b.u32(8));
    const std::uint16_t bpp = b.u16(14);
    const std::uint32_t compression = b.u32(16);
    const std::uint32_t colorsUsed = b.u32(32);
    if (headerSize < 40 || !b.has(0, headerSize)) {
        return {};
    }
    // The stored height covers the colour bitmap and the AND mask; icons are stored bottom-up.
    if (width <= 0 || doubleHeight <= 0 || std::uint32_t(width) > kMaxIconSide ||
        std::uint32_t(doubleHeight / 2) > kMaxIconSide || doubleHeight / 2 == 0) {
        return {};
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
        return {};
    }
    std::uint64_t pos = headerSize;
    if (compression == 3 && bpp == 32 && headerSize == 40) {
        pos += 12; // the three colour masks; icons use the standard BGRA layout
    } else if (compression != 0 && !(compression == 3 && bpp == 32)) {
        return {};
    }

    const int w = width, h = doubleHeight / 2;
    std::vector<QRgb> palette;
    if (bpp <= 8) {
        const std::uint32_t maxColors = 1u << bpp;
        if (colorsUsed > maxColors) {
            return {};
        }
        const std::uint32_t colors = colorsUsed ? colorsUsed : maxColors;
        if (!b.has(pos, std::uint64_t(colors) * 4)) {
            return {};
        }
        palette.resize(colors);
        for (std::uint32_t i = 0; i < colors; ++i) {
            const std::uint64_t at = pos + 4 * std::uint64_t(i);
            palette[i] = qRgb(b.u8(at + 2), b.u8(at + 1), b.u8(at));
        }
        pos += std::uint64_t(colors) * 4;
    }
    const std::uint64_t xorStride = ((std::uint64_t(w) * bpp + 31) / 32) * 4;
    const std::uint64_t andStride = ((std::uint64_t(w) + 31) / 32) * 4;
    if (!b.has(pos, xorStride * h)) {
        return {};
    }
    const std::uint64_t xorPos = pos;
    const std::uint64_t andPos = pos + xorStride * h;
    const bool hasMask = b.has(andPos, andStride * h);
    // Only 32-bit entries may leave the mask out: their alpha says what is transparent.
    if (!hasMask && bpp != 32) {
        return {};
    }

    QImage image(w, h, QImage::Format_ARGB32);
    if (image.isNull()) {
        return {};
    }
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const std::uint64_t row = xorPos + xorStride * std::uint64_t(h - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb c = 0;
            switch (bpp) {
            case 32: {
                const std::uint64_t p = row + 4 * std::uint64_t(x);
                c = qRgba(b.u8(p + 2), b.u8(p + 1), b.u8(p), b.u8(p + 3));
                anyAlpha = anyAlpha || qAlpha(c) != 0;
                break;
            }
            case 24: {
                const std::uint64_t p = row + 3 * std::uint64_t(x);
                c = qRgb(b.u8(p + 2), b.u8(p + 1), b.u8(p));
                break;
            }
            default: {
                const std::uint64_t bit = std::uint64_t(x) * bpp;
                const std::uint8_t byte = b.u8(row + bit / 8);
                const unsigned shift = 8 - bpp - unsigned(bit % 8);
                const unsigned index = (byte >> shift) & ((1u << bpp) - 1);
                c = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
                break;
            }
            }
            out[x] = c;
        }
    }
    // Without alpha in the colours, the AND mask gives transparency (a set bit is transparent).
    if (!(bpp == 32 && anyAlpha)) {
        for (int y = 0; y < h; ++y) {
            const std::uint64_t row = andPos + andStride * std::uint64_t(h - 1 - y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const bool transparent =
                    hasMask && ((b.u8(row + std::uint64_t(x) / 8) >> (7 - x % 8)) & 1);
                out[x] = transparent ? qRgba(0, 0, 0, 0) : (out[x] | 0xFF000000u);
            }
        }
    }
    return image;
}

// A directory entry of an icon group or an .ico file.
struct Entry {
    int width;
    int height;
    int bits;
    std::uint32_t key; // resource id (PE) or file offset (.ico)
    std::uint32_t size;
};

// Best first: exactly 32 x 32, then the smallest larger one (scaled down), then the largest
// smaller one; among equal sizes the most colours.
void sortForIconSize(std::vector<Entry>& entries) {
    auto rank = [](const Entry& e) {
        const int side = std::max(e.width, e.height);
        if (e.width == kFileIconSize && e.height == kFileIconSize) {
            return std::pair{0, 0};
        }
        if (side > kFileIconSize) {
            return std::pair{1, side};
        }
        return std::pair{2, -side};
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const auto ra = rank(a), rb = rank(b);
        if (ra != rb) {
            return ra < rb;
        }
        return a.bits > b.bits;
    });
}

int entryBits(std::uint16_t bitCount, std::uint8_t colorCount) {
    if (bitCount) {
        return bitCount;
    }
    if (colorCount == 0) {
        return 32;
    }
    int bits = 0;
    while ((1 << bits) < colorCount) {
        ++bits;
    }
    return bits;
}

// The entries of an icon directory: 6 bytes of header, then `count` entries of entrySize bytes.
std::vector<Entry> readEntries(const Bytes& b, std::uint64_t pos, std::uint16_t count,
                               std::uint64_t entrySize, bool group) {
    std::vector<Entry> entries;
    if (!b.has(pos, entrySize * count)) {
        return entries;
    }
    entries.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint64_t e = pos + entrySize * i;
        Entry entry;
        entry.width = b.u8(e) ? b.u8(e) : 256;
        entry.height = b.u8(e + 1) ? b.u8(e + 1) : 256;
        entry.bits = entryBits(b.u16(e + 6), b.u8(e + 2));
        entry.size = b.u32(e + 8);
        entry.key = group ? b.u16(e + 12) : b.u32(e + 12);
        entries.push_back(entry);
    }
    sortForIconSize(entries);
    return entries;
}

// --- PE resources ---

struct Section {
    std::uint32_t va;
    std::uint32_t rawSize;
    std::uint32_t rawPtr;
};

class PeImage {
public:
    explicit PeImage(QByteArrayView bytes) : b_(bytes) {}

    bool load() {
        if (!b_.has(0, 0x40) || b_.u16(0) != 0x5A4D) { // "MZ"
            return false;
        }
        const std::uint64_t pe = b_.u32(0x3C);
        if (!b_.has(pe, 24) || b_.u32(pe) != 0x00004550) { // "PE\0\0"
            return false;
        }
        const std::uint16_t sections = b_.u16(pe + 6);
        const std::uint16_t optSize = b_.u16(pe + 20);
        const std::uint64_t opt = pe + 24;
        if (!b_.has(opt, optSize) || optSize < 2) {
            return false;
        }
        const std::uint16_t magic = b_.u16(opt);
        std::uint64_t countOff = 0;
        if (magic == 0x10B) {
            countOff = 92;
        } else if (magic == 0x20B) {
            countOff = 108;
        } else {
            return false;
        }
        if (countOff + 4 > optSize) {
            return false;
        }
        const std::uint32_t dirCount = b_.u32(opt + countOff);
        const std::uint64_t resDir = opt + countOff + 4 + std::uint64_t(2) * 8;
        if (dirCount <= 2 || resDir + 8 > opt + optSize) {
            return false;
        }
        resourceRva_ = b_.u32(resDir);
        resourceSize_ = b_.u32(resDir + 4);
        const std::uint64_t table = opt + optSize;
        if (!b_.has(table, std::uint64_t(sections) * 40)) {
            return false;
        }
        for (std::uint16_t i = 0; i < sections; ++i) {
            const std::uint64_t s = table + 40 * std::uint64_t(i);
            sections_.push_back({b_.u32(s + 12), b_.u32(s + 16), b_.u32(s + 20)});
        }
        return resourceRva_ != 0 && resourceSize_ != 0;
    }

    // The file bytes that hold [rva, rva + size), if they all lie in one section and the file.
    std::optional<QByteArrayView> at(std::uint32_t rva, std::uint64_t size) const {
        for (const Section& s : sections_) {
            if (rva < s.va || rva - s.va >= s.rawSize) {
                continue;
            }
            const std::uint64_t delta = rva - s.va;
            if (size > s.rawSize - delta) {
                return std::nullopt;
            }
            const std::uint64_t off = std::uint64_t(s.rawPtr) + delta;
            if (!b_.has(off, size)) {
                return std::nullopt;
            }
            return b_.mid(off, size);
        }
        return std::nullopt;
    }

    // The resource tree, as far as the file holds it.
    std::optional<QByteArrayView> resourceTree() const {
        for (const Section& s : sections_) {
            if (resourceRva_ < s.va || resourceRva_ - s.va >= s.rawSize) {
                continue;
            }
            const std::uint64_t delta = resourceRva_ - s.va;
            std::uint64_t size = std::min<std::uint64_t>(resourceSize_, s.rawSize - delta);
            const std::uint64_t off = std::uint64_t(s.rawPtr) + delta;
            if (off >= std::uint64_t(b_.size())) {
                return std::nullopt;
            }
            size = std::min<std::uint64_t>(size, std::uint64_t(b_.size()) - off);
            return b_.mid(off, size);
        }
        return std::nullopt;
    }

private:
    Bytes b_;
    std::uint32_t resourceRva_ = 0;
    std::uint32_t resourceSize_ = 0;
    std::vector<Section> sections_;
};

constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kNamed = 0x80000000u;

// One entry of a resource directory: its name field and its data field.
struct DirEntry {
    std::uint32_t name;
    std::uint32_t data;
};

std::vector<DirEntry> directory(const Bytes& tree, std::uint64_t off) {
    std::vector<DirEntry> out;
    if (!tree.has(off, 16)) {
        return out;
    }
    const std::uint64_t count = std::uint64_t(tree.u16(off + 12)) + tree.u16(off + 14);
    if (!tree.has(off + 16, count * 8)) {
        return out;
    }
    out.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        out.push_back({tree.u32(off + 16 + 8 * i), tree.u32(off + 20 + 8 * i)});
    }
    return out;
}

std::optional<std::uint64_t> subdirectory(const DirEntry& e) {
    if (!(e.data & kSubdirectory)) {
        return std::nullopt;
    }
    return e.data & ~kSubdirectory;
}

// The data of the first language of a named-or-numbered resource (its second-level entry).
std::optional<QByteArrayView> resourceData(const PeImage& pe, const Bytes& tree,
                                           const DirEntry& nameEntry) {
    const auto langDir = subdirectory(nameEntry);
    if (!langDir) {
        return std::nullopt;
    }
    const auto langs = directory(tree, *langDir);
    if (langs.empty() || (langs.front().data & kSubdirectory)) {
        return std::nullopt;
    }
    const std::uint64_t leaf = langs.front().data;
    if (!tree.has(leaf, 16)) {
        return std::nullopt;
    }
    return pe.at(tree.u32(leaf), tree.u32(leaf + 4));
}

std::optional<std::vector<DirEntry>>
typeDirectory(const Bytes& tree, const std::vector<DirEntry>& types, std::uint16_t type) {
    for (const DirEntry& t : types) {
        if (!(t.name & kNamed) && t.name == type) {
            const auto sub = subdirectory(t);
            if (!sub) {
                return std::nullopt;
            }
            return directory(tree, *sub);
        }
    }
    return std::nullopt;
}

} // namespace

QImage decodeIconImage(QByteArrayView data) {
    if (data.size() >= 8 && std::memcmp(data.data(), "\x89PNG", 4) == 0) {
        return toIconSize(decodePng(data));
    }
    return toIconSize(decodeDib(data));
}

QImage firstPeIcon(QByteArrayView bytes) {
    PeImage pe(bytes);
    if (!pe.load()) {
        return {};
    }
    const auto treeView = pe.resourceTree();
    if (!treeView) {
        return {};
    }
    const Bytes tree(*treeView);
    const auto types = directory(tree, 0);
    const auto groups = typeDirectory(tree, types, kRtGroupIcon);
    const auto icons = typeDirectory(tree, types, kRtIcon);
    if (!groups || groups->empty() || !icons) {
        return {};
    }
    // Icon 0 is the first group in directory order (named groups come first, as stored).
    const auto group = resourceData(pe, tree, groups->front());
    if (!group) {
        return {};
    }
    const Bytes g(*group);
    if (!g.has(0, 6) || g.u16(0) != 0 || g.u16(2) != 1) {
        return {};
    }
    for (const Entry& entry : readEntries(g, 6, g.u16(4), 14, true)) {
        for (const DirEntry& icon : *icons) {
            if ((icon.name & kNamed) || icon.name != entry.key) {
                continue;
            }
            if (const auto data = resourceData(pe, tree, icon)) {
                QImage image = decodeIconImage(*data);
                if (!image.isNull()) {
                    return image;
                }
            }
            break;
        }
    }
    return {};
}

QImage icoFileIcon(QByteArrayView bytes) {
    const Bytes b(bytes);
    if (!b.has(0, 6) || b.u16(0) != 0 || (b.u16(2) != 1 && b.u16(2) != 2) || b.u16(4) == 0) {
        return {};
    }
    for (const Entry& entry : readEntries(b, 6, b.u16(4), 16, false)) {
        if (!b.has(entry.key, entry.size)) {
            continue;
        }
        QImage image = decodeIconImage(b.mid(entry.key, entry.size));
        if (!image.isNull()) {
            return image;
        }
    }
    return {};
}

} // namespace qv::fileicon_detail

namespace qv {

QImage firstIconFromBytes(QByteArrayView bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z') {
        return fileicon_detail::firstPeIcon(bytes);
    }
    return fileicon_detail::icoFileIcon(bytes);
}

} // namespace qv
