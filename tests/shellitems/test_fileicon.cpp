#include "common/ExtIcon.h"
#include "common/ui/imgicon.h"
#include "platform/fileicon.h"
#include "tests/fixtures/iconwriter.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using qvtest::IconEntrySpec;
using qvtest::PeSpec;

const QColor kRed(220, 20, 30), kGreen(20, 200, 40), kBlue(30, 40, 210), kYellow(230, 220, 10);

// The test picture's colour where it is opaque (bottom-right), and the transparent corner.
void expectPicture(const QImage& icon, QColor color, const char* what) {
    ASSERT_FALSE(icon.isNull()) << what;
    ASSERT_EQ(icon.size(), QSize(32, 32)) << what;
    const QColor opaque = icon.pixelColor(24, 24);
    EXPECT_EQ(opaque.alpha(), 255) << what;
    EXPECT_NEAR(opaque.red(), color.red(), 8) << what;
    EXPECT_NEAR(opaque.green(), color.green(), 8) << what;
    EXPECT_NEAR(opaque.blue(), color.blue(), 8) << what;
    EXPECT_EQ(icon.pixelColor(4, 4).alpha(), 0) << what;
}

IconEntrySpec entry(int size, QColor color, bool png = false, int bits = 32) {
    return {qvtest::testPicture(size, color), png, bits};
}

TEST(IconReader, PeWithBmpIcon) {
    for (bool pe64 : {false, true}) {
        PeSpec pe;
        pe.pe64 = pe64;
        pe.groups = {{entry(32, kGreen)}};
        expectPicture(qv::firstIconFromBytes(qvtest::writePe(pe)), kGreen, pe64 ? "PE32+" : "PE32");
    }
}

TEST(IconReader, PeWithPngIcon) {
    PeSpec pe;
    pe.groups = {{entry(32, kBlue, true)}};
    expectPicture(qv::firstIconFromBytes(qvtest::writePe(pe)), kBlue, "png");
}

TEST(IconReader, EveryDibDepthKeepsTheMaskTransparency) {
    for (int bits : {1, 4, 8, 24, 32}) {
        // Two colours fit any depth: black and white.
        const QColor c = bits == 1 ? QColor(Qt::white) : kRed;
        PeSpec pe;
        pe.groups = {{entry(32, c, false, bits)}};
        const std::string what = std::to_string(bits) + " bits";
        expectPicture(qv::firstIconFromBytes(qvtest::writePe(pe)), c, what.c_str());
    }
}

struct SizeCase {
    const char* name;
    std::vector<IconEntrySpec> entries;
    QColor expected;
};

class IconSizeChoice : public ::testing::TestWithParam<SizeCase> {};

TEST_P(IconSizeChoice, PicksTheBestEntryForThirtyTwo) {
    const SizeCase& c = GetParam();
    PeSpec pe;
    pe.groups = {c.entries};
    expectPicture(qv::firstIconFromBytes(qvtest::writePe(pe)), c.expected, c.name);
    expectPicture(qv::firstIconFromBytes(qvtest::writeIco(c.entries)), c.expected, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IconSizeChoice,
    ::testing::Values(
        SizeCase{"exact32_among_others",
                 {entry(16, kRed), entry(32, kGreen), entry(48, kBlue), entry(256, kYellow, true)},
                 kGreen},
        SizeCase{"exact32_last",
                 {entry(256, kYellow, true), entry(48, kBlue), entry(32, kGreen)},
                 kGreen},
        SizeCase{"exact32_png", {entry(16, kRed), entry(32, kBlue, true)}, kBlue},
        SizeCase{
            "more_colours_win", {entry(32, kRed, false, 8), entry(32, kGreen, false, 32)}, kGreen},
        SizeCase{
            "larger_scaled_down", {entry(16, kRed), entry(64, kBlue), entry(48, kGreen)}, kGreen},
        SizeCase{"only_smaller", {entry(16, kRed), entry(24, kBlue)}, kBlue},
        SizeCase{"png_256_only", {entry(256, kYellow, true)}, kYellow}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IconReader, FirstGroupIsIconZero) {
    PeSpec pe;
    pe.groups = {{entry(32, kRed)}, {entry(32, kBlue)}};
    expectPicture(qv::firstIconFromBytes(qvtest::writePe(pe)), kRed, "first group");
}

TEST(IconReader, NoIconsGiveNothing) {
    PeSpec noResources;
    noResources.noResources = true;
    EXPECT_TRUE(qv::firstIconFromBytes(qvtest::writePe(noResources)).isNull());
    PeSpec noGroups; // a resource directory without any icon group
    EXPECT_TRUE(qv::firstIconFromBytes(qvtest::writePe(noGroups)).isNull());
    EXPECT_TRUE(qv::firstIconFromBytes({}).isNull());
    EXPECT_TRUE(qv::firstIconFromBytes("MZ").isNull());
    EXPECT_TRUE(qv::firstIconFromBytes("#!/bin/sh\necho hello\n").isNull());
    EXPECT_TRUE(qv::firstIconFromBytes(QByteArray(4096, '\0')).isNull());
}

TEST(IconReader, EveryPrefixOfAPeIsSafe) {
    PeSpec pe;
    pe.groups = {{entry(16, kRed), entry(32, kGreen, true), entry(48, kBlue)}};
    const QByteArray bytes = qvtest::writePe(pe);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        const QByteArray prefix(bytes.constData(), n);
        const QImage icon = qv::firstIconFromBytes(prefix);
        // Whatever a cut file still gives is a proper icon.
        if (!icon.isNull()) {
            EXPECT_EQ(icon.size(), QSize(32, 32));
        }
    }
    // The resources lie at the end of the file: cutting into the chosen entry loses it.
    EXPECT_TRUE(qv::firstIconFromBytes(bytes.left(0x200)).isNull());
}

TEST(IconReader, TruncatedEntryFallsBackOrGivesNothing) {
    // An .ico whose only entry is cut short gives nothing.
    QByteArray ico = qvtest::writeIco({entry(32, kGreen)});
    EXPECT_TRUE(qv::firstIconFromBytes(ico.left(ico.size() - 200)).isNull());
    // A bad best entry falls back to the next one.
    QByteArray two = qvtest::writeIco({entry(32, kGreen), entry(16, kRed)});
    two[6 + 12 + 2] = char(0xFF); // the 32 x 32 entry's offset points past the end
    two[6 + 12 + 3] = char(0xFF);
    const QImage icon = qv::firstIconFromBytes(two);
    ASSERT_FALSE(icon.isNull());
    EXPECT_NEAR(icon.pixelColor(24, 24).red(), kRed.red(), 8);
}

TEST(IconReader, RandomByteFlipsNeverCrash) {
    PeSpec pe;
    pe.groups = {{entry(16, kRed, false, 8), entry(32, kGreen, true), entry(48, kBlue)}};
    const QByteArray original = qvtest::writePe(pe);
    const QByteArray ico = qvtest::writeIco({entry(32, kRed, false, 4), entry(16, kBlue)});
    QRandomGenerator rng(4242);
    for (const QByteArray& base : {original, ico}) {
        for (int round = 0; round < 1500; ++round) {
            QByteArray bytes = base;
            for (int f = 0; f < 3; ++f)
                bytes[rng.bounded(int(bytes.size()))] ^= char(1 << rng.bounded(8));
            const QImage icon = qv::firstIconFromBytes(bytes);
            if (!icon.isNull()) {
                EXPECT_EQ(icon.size(), QSize(32, 32));
            }
        }
    }
}

TEST(IconReader, DibDecoderRefusesHostileHeaders) {
    QByteArray dib = qvtest::writeIconImage(entry(32, kGreen));
    ASSERT_FALSE(qv::fileicon_detail::decodeIconImage(dib).isNull());
    const std::pair<int, QByteArray> table[] = {
        {0, QByteArray("\xFF\xFF\xFF\x7F", 4)}, // header size
        {4, QByteArray("\x00\x00\x01\x00", 4)}, // width 65536
        {8, QByteArray("\x00\x00\x00\x80", 4)}, // negative height
        {4, QByteArray("\x00\x00\x00\x00", 4)}, // zero width
        {14, QByteArray("\x07\x00", 2)},        // 7 bits a pixel
        {16, QByteArray("\x01\x00\x00\x00", 4)} // run-length compression
    };
    for (const auto& [offset, bytes] : table) {
        QByteArray bad = dib;
        bad.replace(offset, bytes.size(), bytes);
        EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(bad).isNull()) << "offset " << offset;
    }
    // A PNG claiming a huge picture is not decoded.
    QByteArray png = qvtest::writeIconImage(entry(32, kGreen, true));
    png.replace(16, 4, QByteArray("\x00\x10\x00\x00", 4));
    EXPECT_TRUE(qv::fileicon_detail::decodeIconImage(png).isNull());
}

TEST(IconReader, RealMingwProgram) {
    // Made by windres and the MinGW linker from tests/data/icons/quorvel-test.ico (see README).
    const QString exe = QDir(qvtest::dataDir()).filePath(QStringLiteral("icons/quorvel-test.exe"));
    const QImage icon = qv::firstFileIcon(exe);
    ASSERT_FALSE(icon.isNull()) << exe.toStdString();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    // The 32 x 32 entry of that icon: an orange disc on transparency, a dark dot in its middle.
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
    const QColor ring = icon.pixelColor(16, 5);
    EXPECT_EQ(ring.alpha(), 255);
    EXPECT_GT(ring.red(), 200);
    EXPECT_LT(ring.blue(), 80);
    const QColor dot = icon.pixelColor(16, 16);
    EXPECT_LT(dot.red(), 80);
}

TEST(IconReader, FilesOnDisk) {
    QTemporaryDir dir;
    EXPECT_TRUE(qv::firstFileIcon(QString()).isNull());
    EXPECT_TRUE(qv::firstFileIcon(dir.filePath(QStringLiteral("missing.exe"))).isNull());
    EXPECT_TRUE(qv::firstFileIcon(dir.path()).isNull());
    const QString ico = dir.filePath(QStringLiteral("pic.ico"));
    ASSERT_TRUE(qvtest::writeFile(ico, qvtest::writeIco({entry(32, kBlue)})));
    expectPicture(qv::firstFileIcon(ico), kBlue, "ico file");
    const QString dll = dir.filePath(QStringLiteral("lib.dll"));
    PeSpec pe;
    pe.groups = {{entry(32, kYellow)}};
    ASSERT_TRUE(qvtest::writeFile(dll, qvtest::writePe(pe)));
    expectPicture(qv::firstFileIcon(dll), kYellow, "dll");
}

TEST(IconReader, SpecialWindowsPathsGiveThemeOrStandardIcons) {
    for (const char* path : {"C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\SYSTEM32\\mydocs.dll"}) {
        const QImage icon = qv::firstFileIcon(QString::fromLatin1(path));
        ASSERT_FALSE(icon.isNull()) << path;
        EXPECT_EQ(icon.size(), QSize(32, 32));
        bool anyOpaque = false;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                anyOpaque = anyOpaque || icon.pixelColor(x, y).alpha() > 0;
        EXPECT_TRUE(anyOpaque) << path;
    }
    EXPECT_NE(qv::firstFileIcon(QStringLiteral("C:\\WINDOWS\\explorer.exe")),
              qv::firstFileIcon(QStringLiteral("C:\\WINDOWS\\SYSTEM32\\mydocs.dll")));
    // Only those exact texts.
    EXPECT_TRUE(qv::firstFileIcon(QStringLiteral("C:\\Windows\\explorer.exe")).isNull());
    EXPECT_TRUE(qv::firstFileIcon(QStringLiteral("C:\\WINDOWS\\notepad.exe")).isNull());
}

class DrawFileIconTest : public ::testing::Test {
protected:
    QString write(const QString& name, const std::vector<IconEntrySpec>& entries) {
        PeSpec pe;
        pe.groups = {entries};
        const QString path = dir.filePath(name);
        EXPECT_TRUE(qvtest::writeFile(path, qvtest::writePe(pe)));
        return path;
    }
    QImage picture() const {
        return surface.picture().toImage().convertToFormat(QImage::Format_ARGB32);
    }
    QTemporaryDir dir;
    qv::IconSurface surface;
};

TEST_F(DrawFileIconTest, DrawsAtTheTopLeftAndFixesThePicture) {
    const QString a = write(QStringLiteral("a.exe"), {entry(32, kRed)});
    EXPECT_TRUE(surface.picture().isNull());
    qv::DrawFileIcon(surface, a);
    const QImage p = picture();
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.size(), QSize(41, 41)); // 615 twips
    EXPECT_EQ(p.pixelColor(24, 24).rgb(), kRed.rgb());
    EXPECT_EQ(p.pixelColor(4, 4).alpha(), 0);
    EXPECT_EQ(p.pixelColor(36, 36).alpha(), 0); // outside the 32 x 32 icon
}

TEST_F(DrawFileIconTest, SecondDrawLiesOverTheFirst) {
    const QString a = write(QStringLiteral("a.exe"), {entry(32, kRed)});
    // B is transparent in its top-left quarter, opaque elsewhere.
    const QString b = write(QStringLiteral("b.exe"), {entry(32, kBlue)});
    // A fully opaque red program under B.
    QImage full(32, 32, QImage::Format_ARGB32);
    full.fill(kRed);
    const QString solid = write(QStringLiteral("solid.exe"), {{full, false, 32}});
    qv::DrawFileIcon(surface, solid);
    qv::DrawFileIcon(surface, b);
    QImage p = picture();
    EXPECT_EQ(p.pixelColor(24, 24).rgb(), kBlue.rgb()); // B over A
    EXPECT_EQ(p.pixelColor(4, 4).rgb(), kRed.rgb());    // A through B's transparency
    EXPECT_EQ(p.pixelColor(4, 4).alpha(), 255);

    // Clearing erases both.
    surface.clearPicture();
    EXPECT_TRUE(surface.picture().isNull());
    qv::DrawFileIcon(surface, a);
    p = picture();
    EXPECT_EQ(p.pixelColor(4, 4).alpha(), 0);
}

TEST_F(DrawFileIconTest, NothingToDrawKeepsWhatIsThere) {
    const QString solid = write(QStringLiteral("a.exe"), {entry(32, kGreen)});
    qv::DrawFileIcon(surface, solid);
    const QImage before = picture();
    for (const QString& path :
         {QString(), dir.filePath(QStringLiteral("missing.exe")), dir.path()}) {
        qv::DrawFileIcon(surface, path);
        EXPECT_EQ(picture(), before);
    }
    // An empty path on a cleared surface gives a blank picture.
    surface.clearPicture();
    qv::DrawFileIcon(surface, QString());
    const QImage blank = picture();
    ASSERT_FALSE(blank.isNull());
    for (int y = 0; y < blank.height(); ++y)
        for (int x = 0; x < blank.width(); ++x)
            ASSERT_EQ(blank.pixelColor(x, y).alpha(), 0);
}

TEST_F(DrawFileIconTest, PathEndsAtNul) {
    const QString a = write(QStringLiteral("a.exe"), {entry(32, kYellow)});
    qv::DrawFileIcon(surface, a + QChar(u'\0') + QStringLiteral("   "));
    EXPECT_EQ(picture().pixelColor(24, 24).rgb(), kYellow.rgb());
}

} // namespace
