// SPDX-License-Identifier: GPL-3.0-or-later
// The icon reader of PE and .ico files, and DrawFileIcon, which draws what it reads.
#include "common/ui/ExtIcon.h"
#include "common/ui/imgicon.h"
#include "platform/icons/fileicon.h"
#include "tests/support/testutil.h"
#include "tools/iconwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QColor kRed(220, 20, 30), kGreen(20, 200, 40), kBlue(30, 40, 210), kYellow(230, 220, 10);

using qvtest::IconEntryLayout;
using qvtest::PeLayout;

// The test picture's colour where it is opaque (bottom-right), and the transparent corner.
void expectPicture(const QImage& icon, QColor color, const std::string& what) {
    ASSERT_FALSE(icon.isNull()) << what;
    ASSERT_EQ(icon.size(), QSize(32, 32)) << what;
    const QColor opaque = icon.pixelColor(24, 24);
    EXPECT_EQ(opaque.alpha(), 255) << what;
    EXPECT_NEAR(opaque.red(), color.red(), 8) << what;
    EXPECT_NEAR(opaque.green(), color.green(), 8) << what;
    EXPECT_NEAR(opaque.blue(), color.blue(), 8) << what;
    EXPECT_EQ(icon.pixelColor(4, 4).alpha(), 0) << what;
}

IconEntryLayout entry(int size, QColor color, bool png = false, int bits = 32) {
    return {qvtest::testPicture(size, color), png, bits};
}

// A w x h picture of the colour, transparent in its top-left quarter.
IconEntryLayout oblong(int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    for (int y = 0; y < h / 2; ++y)
        for (int x = 0; x < w / 2; ++x)
            img.setPixelColor(x, y, Qt::transparent);
    return {img, false, 24};
}

QByteArray peBytes(const std::vector<std::vector<IconEntryLayout>>& groups, bool pe64 = false) {
    PeLayout pe;
    pe.groups = groups;
    pe.pe64 = pe64;
    return qvtest::writePe(pe);
}

QImage pe(const std::vector<std::vector<IconEntryLayout>>& groups, bool pe64 = false) {
    return qv::firstIconFromBytes(peBytes(groups, pe64));
}

TEST(IconReader, EveryEntryFormatAndBothPeKinds) {
    expectPicture(pe({{entry(32, kGreen)}}, true), kGreen, "PE32+");
    expectPicture(pe({{entry(32, kBlue, true)}}), kBlue, "png");
    expectPicture(pe({{entry(32, kRed)}, {entry(32, kBlue)}}), kRed, "first group is icon 0");
    // Two colours fit any depth: black and white.
    for (int bits : {1, 4, 8, 24, 32}) {
        const QColor c = bits == 1 ? QColor(Qt::white) : kRed;
        expectPicture(pe({{entry(32, c, false, bits)}}), c, std::to_string(bits) + " bits");
    }
}

TEST(IconReader, PicksTheBestEntryForThirtyTwo) {
    const std::tuple<const char*, std::vector<IconEntryLayout>, QColor> table[] = {
        {"exact among others",
         {entry(16, kRed), entry(32, kGreen), entry(48, kBlue), entry(256, kYellow, true)},
         kGreen},
        {"more colours win", {entry(32, kRed, false, 8), entry(32, kGreen, false, 32)}, kGreen},
        {"larger scaled down", {entry(16, kRed), entry(64, kBlue), entry(48, kGreen)}, kGreen},
        {"only smaller", {entry(16, kRed), entry(24, kBlue)}, kBlue},
        {"png 256 only", {entry(256, kYellow, true)}, kYellow},
        {"32 wide is not 32 square", {oblong(32, 16, kRed), entry(48, kGreen)}, kGreen},
        {"a stored height of 0 is 256", {entry(24, kBlue), oblong(16, 256, kRed)}, kRed},
    };
    for (const auto& [name, entries, expected] : table) {
        expectPicture(pe({entries}), expected, name);
        expectPicture(qv::firstIconFromBytes(qvtest::writeIco(entries)), expected, name);
    }
}

TEST(IconReader, NoIconsGiveNothing) {
    PeLayout noResources;
    noResources.noResources = true;
    for (const QByteArray& bytes :
         {qvtest::writePe(noResources), qvtest::writePe(PeLayout{}), QByteArray(), QByteArray("MZ"),
          QByteArray("#!/bin/sh\necho hello\n"), QByteArray(4096, '\0')}) {
        EXPECT_TRUE(qv::firstIconFromBytes(bytes).isNull()) << bytes.left(20).toStdString();
    }
}

// What any cut file still gives is a proper icon (the icon fuzzer holds every input to that,
// from seeds of this kind). The resources lie at the end of the file: cutting into the chosen
// entry loses it, even when the bytes beyond the cut are still there to be (wrongly) read.
TEST(IconReader, ACutIntoTheChosenEntryLosesIt) {
    const QByteArray bytes =
        peBytes({{entry(16, kRed), entry(32, kGreen, true), entry(48, kBlue)}});
    EXPECT_TRUE(qv::firstIconFromBytes(QByteArrayView(bytes.constData(), 0x200)).isNull());
}

TEST(IconReader, TruncatedEntryFallsBackOrGivesNothing) {
    const QByteArray ico = qvtest::writeIco({entry(32, kGreen)});
    EXPECT_TRUE(qv::firstIconFromBytes(QByteArrayView(ico.constData(), ico.size() - 200)).isNull());
    // A bad best entry falls back to the next one.
    QByteArray two = qvtest::writeIco({entry(32, kGreen), entry(16, kRed)});
    two[6 + 12 + 2] = char(0xFF); // the 32 x 32 entry's offset points past the end
    two[6 + 12 + 3] = char(0xFF);
    const QImage icon = qv::firstIconFromBytes(two);
    ASSERT_FALSE(icon.isNull());
    EXPECT_NEAR(icon.pixelColor(24, 24).red(), kRed.red(), 8);
}

QByteArray u32(std::uint32_t v) {
    return {reinterpret_cast<const char*>(&v), 4}; // the test machines are little-endian
}

QByteArray png(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(kGreen);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return buffer.data();
}

TEST(IconReader, DibDecoderRefusesHostileHeaders) {
    const QByteArray dib = qvtest::writeIconImage(entry(32, kGreen));
    const QByteArray dib1 = qvtest::writeIconImage(entry(32, Qt::white, false, 1));
    ASSERT_FALSE(qv::fileicon_detail::decodeIconImage(dib).isNull());
    ASSERT_FALSE(qv::fileicon_detail::decodeIconImage(dib1).isNull());
    // The bytes at an offset of a picture; the 1-bit one gets bytes appended, so that a wrongly
    // longer palette still finds pixels.
    const std::tuple<const char*, int, QByteArray, bool> table[] = {
        {"header size", 0, u32(0x7FFFFFFF), false},
        {"header below 40 bytes", 0, u32(12), false},
        {"width 65536", 4, u32(0x10000), false},
        {"negative height", 8, u32(0x80000000), false},
        {"zero width", 4, u32(0), false},
        {"7 bits a pixel", 14, QByteArray("\x07\x00", 2), false},
        {"run-length compression", 16, u32(1), false},
        {"more colours than the depth holds", 32, u32(3), true},
    };
    for (const auto& [what, offset, bytes, oneBit] : table) {
        QByteArray bad = oneBit ? dib1 + QByteArray(4, '\0') : dib;
        bad.replace(offset, bytes.size(), bytes);
        EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(bad).isNull()) << what;
    }
    // PNG pictures: up to 1024 a side, whatever their header claims.
    EXPECT_FALSE(qv::fileicon_detail::decodeIconImage(png(1024, 1)).isNull());
    EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(png(1025, 1)).isNull());
    EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(png(1, 1025)).isNull());
    QByteArray huge = qvtest::writeIconImage(entry(32, kGreen, true));
    huge.replace(16, 4, QByteArray("\x00\x10\x00\x00", 4));
    EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(huge).isNull());
}

// Mask bits run from the high bit of each byte: only column 0 is transparent here.
TEST(IconReader, MaskBitsAreReadLeftToRight) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(kBlue);
    for (int y = 0; y < 32; ++y)
        img.setPixelColor(0, y, Qt::transparent);
    const QImage icon =
        qv::fileicon_detail::decodeIconImage(qvtest::writeIconImage({img, false, 24}));
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixelColor(0, 9).alpha(), 0);
    EXPECT_EQ(icon.pixelColor(7, 9).alpha(), 255);
}

TEST(IconReader, RealMingwProgram) {
    // Made by windres and the MinGW linker from tests/data/icons/quorvel-test.ico (see README).
    const QString exe = QDir(qvtest::dataDir()).filePath("icons/quorvel-test.exe");
    const QImage icon = qv::firstFileIcon(exe);
    ASSERT_FALSE(icon.isNull()) << exe.toStdString();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    // The 32 x 32 entry of that icon: an orange disc on transparency, a dark dot in its middle.
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
    const QColor ring = icon.pixelColor(16, 5);
    EXPECT_EQ(ring.alpha(), 255);
    EXPECT_GT(ring.red(), 200);
    EXPECT_LT(ring.blue(), 80);
    EXPECT_LT(icon.pixelColor(16, 16).red(), 80);
}

TEST(IconReader, FilesOnDisk) {
    QTemporaryDir dir;
    for (const QString& path :
         {QString(), dir.filePath("missing.exe"), dir.path(), QString("C:\\Windows\\explorer.exe"),
          QString("C:\\WINDOWS\\notepad.exe")}) {
        EXPECT_TRUE(qv::firstFileIcon(path).isNull()) << path.toStdString();
    }
    const QString ico = dir.filePath("pic.ico");
    ASSERT_TRUE(qvtest::writeFile(ico, qvtest::writeIco({entry(32, kBlue)})));
    expectPicture(qv::firstFileIcon(ico), kBlue, "ico file");
}

TEST(DrawFileIcon, DrawsAtTheTopLeftOverWhatIsThere) {
    QTemporaryDir dir;
    qv::IconSurface surface;
    const auto picture = [&] {
        return surface.picture().toImage().convertToFormat(QImage::Format_ARGB32);
    };
    QImage full(32, 32, QImage::Format_ARGB32);
    full.fill(kRed);
    const QString solid = dir.filePath("solid.exe");
    ASSERT_TRUE(qvtest::writeFile(solid, peBytes({{{full, false, 32}}})));
    // B is transparent in its top-left quarter, opaque elsewhere.
    const QString b = dir.filePath("b.exe");
    ASSERT_TRUE(qvtest::writeFile(b, peBytes({{entry(32, kBlue)}})));
    EXPECT_TRUE(surface.picture().isNull());
    qv::DrawFileIcon(surface, b + QChar(u'\0') + "   "); // the path ends at a NUL
    QImage p = picture();
    EXPECT_EQ(p.pixelColor(24, 24).rgb(), kBlue.rgb());
    EXPECT_EQ(p.pixelColor(36, 36).alpha(), 0); // outside the 32 x 32 icon
    surface.clearPicture();
    qv::DrawFileIcon(surface, solid);
    qv::DrawFileIcon(surface, b);
    p = picture();
    EXPECT_EQ(p.pixelColor(24, 24).rgb(), kBlue.rgb()); // B over A
    EXPECT_EQ(p.pixelColor(4, 4).rgb(), kRed.rgb());    // A through B's transparency
}

} // namespace
