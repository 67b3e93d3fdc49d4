// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/GetFileName.h"
#include "common/ReadShortcut.h"
#include "common/ShrtcutPath.h"
#include "platform/dialogs/messagebox.h"
#include "platform/shortcuts/shortcut.h"
#include "tests/support/testutil.h"
#include "tools/lnkwriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// The layouts name only the fields they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using qv::shortcut_detail::parseBounded;
using qvtest::LnkFields;

// The full shortcut with one change.
LnkFields lnkWith(void (*edit)(LnkFields&)) {
    LnkFields s = qvtest::fullLnkFields();
    edit(s);
    return s;
}

const LnkFields kFull = qvtest::fullLnkFields();
const LnkFields kNetwork{.commonPathSuffix = "maths.exe", .networkShare = R"(\\server\apps)"};
const LnkFields kVirtualFolder{.virtualFolderOnly = true};
const char* const kPaint = R"(C:\Program Files\Paint\paint.exe)";

// Both readers, the bounded one alone and the full one, give the same fields.
TEST(ShortcutReader, TargetsAndTextsOfEveryLayout) {
    const std::tuple<const char*, LnkFields, const char*, const char*> table[] = {
        {"full", kFull, kPaint, ""},
        {"8-bit strings", lnkWith([](LnkFields& s) {
             s.unicodeStrings = false;
             s.arguments = QString::fromUtf8("--titel=Schäfer");
             s.iconIndex = -3;
             s.extraData = QByteArray("\x0C\x00\x00\x00\x02\x00\x00\xA0\x01\x02\x03\x04", 12);
         }),
         kPaint, ""},
        {"unicode strings", lnkWith([](LnkFields& s) { s.arguments = "--名前=ёж"; }), kPaint, ""},
        {"unicode link information",
         {.localBasePath = "C:\\Игры\\",
          .commonPathSuffix = "Шахматы.exe",
          .unicodeLinkInfo = true},
         "C:\\Игры\\Шахматы.exe",
         ""},
        {"base without separator",
         {.localBasePath = "C:\\Games", .commonPathSuffix = "chess.exe"},
         "C:\\Games\\chess.exe",
         ""},
        {"network", kNetwork, "", R"(\\server\apps\maths.exe)"},
        {"network and local",
         {.localBasePath = "S:\\",
          .commonPathSuffix = "maths.exe",
          .networkShare = R"(\\server\apps)"},
         R"(S:\maths.exe)",
         R"(\\server\apps\maths.exe)"},
        {"virtual folder", kVirtualFolder, "", ""},
        {"relative path only", {.relativePath = "..\\paint.exe"}, "", ""},
        {"link information switched off", lnkWith([](LnkFields& s) { s.forceNoLinkInfo = true; }),
         "", ""},
    };
    for (const auto& [name, layout, local, network] : table) {
        const QByteArray bytes = qvtest::writeLnk(layout);
        for (const auto& info : {qv::parseShortcut(bytes), parseBounded(bytes)}) {
            ASSERT_TRUE(info) << name;
            EXPECT_EQ(info->localPath, QString::fromUtf8(local)) << name;
            EXPECT_EQ(info->networkPath, QString::fromUtf8(network)) << name;
            EXPECT_EQ(info->target(), QString::fromUtf8(*local ? local : network)) << name;
            EXPECT_EQ(info->description, layout.description) << name;
            EXPECT_EQ(info->relativePath, layout.relativePath) << name;
            EXPECT_EQ(info->workingDirectory, layout.workingDirectory) << name;
            EXPECT_EQ(info->arguments, layout.arguments) << name;
            EXPECT_EQ(info->iconFile, layout.iconLocation) << name;
            EXPECT_EQ(info->iconIndex, layout.iconIndex) << name;
        }
    }
}

TEST(ShortcutReader, EightBitTextsAreWindows1252) {
    LnkFields s = kFull;
    s.unicodeStrings = false;
    s.arguments = QString(QChar(0x80)) + QChar(0x81) + QChar(0x9F) + QChar(0xA0) + QChar(0xE4);
    const auto info = parseBounded(qvtest::writeLnk(s));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->arguments, QString::fromUtf8("€\uFFFDŸ\u00A0ä"));
}

TEST(ShortcutReader, ShowCommandOutsideTheKnownValuesIsNormal) {
    const std::pair<std::uint32_t, std::int32_t> table[] = {
        {1, 1}, {3, 3}, {7, 7}, {0, 1}, {2, 1}, {5, 1}, {6, 1}, {99, 1}, {0xFFFFFFFFu, 1}};
    for (const auto& [stored, expected] : table) {
        LnkFields s = kFull;
        s.showCommand = stored;
        const auto info = qv::parseShortcut(qvtest::writeLnk(s));
        ASSERT_TRUE(info);
        EXPECT_EQ(info->showCommand, expected) << "stored " << stored;
    }
}

// Every shortcut must end with its terminal block, so no strict prefix is a shortcut.
TEST(ShortcutReader, EveryPrefixOfAValidShortcutIsRefused) {
    LnkFields net = kFull;
    net.networkShare = R"(\\srv\share)";
    net.unicodeLinkInfo = true;
    for (const LnkFields& s : {kFull, net, kVirtualFolder}) {
        const QByteArray bytes = qvtest::writeLnk(s);
        ASSERT_TRUE(qv::parseShortcut(bytes));
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            // A copy of exactly n bytes, so that a read past the end is caught by the sanitizers;
            // and a view into the whole file, where such a read would find valid bytes.
            EXPECT_FALSE(qv::parseShortcut(QByteArray(bytes.constData(), n))) << n << " bytes";
            EXPECT_FALSE(parseBounded(QByteArrayView(bytes.constData(), n))) << n << " bytes";
        }
    }
}

QByteArray u32(std::uint32_t v) {
    return {reinterpret_cast<const char*>(&v), 4}; // the test machines are little-endian
}

TEST(ShortcutReader, DamagedStructureGivesNoShortcut) {
    const qsizetype info = 0x4C;           // the link information follows the header (no ID list)
    const qsizetype net = info + 0x1C + 8; // network name offset of a network-only target
    const qsizetype strings = 2 + 2 * kFull.iconLocation.size();
    // Patches at offsets (negative: from the end), and whether the bounded reader still accepts.
    using Patches = std::vector<std::pair<qsizetype, QByteArray>>;
    const std::tuple<const char*, LnkFields, Patches, bool> table[] = {
        {"header size", kFull, {{0, u32(0x4D)}}, false},
        {"class id", kFull, {{8, "\xFF"}}, false},
        {"ID list promised", kFull, {{0x14, u32(0xFF)}}, false},
        {"ID list item of 1 byte", kVirtualFolder, {{0x4E, QByteArray::fromHex("010000")}}, false},
        {"link info size beyond the file", kFull, {{info, u32(0xFFFF)}}, false},
        {"link info size below its header", kFull, {{info, u32(4)}}, false},
        {"link info header beyond its size", kFull, {{info + 4, u32(0xFF)}}, false},
        {"link info header beyond its size, no targets",
         kFull,
         {{info + 4, u32(0xFF)}, {info + 8, u32(0)}, {info + 24, u32(0)}, {info + 32, u32(0)}},
         false},
        {"volume offset outside", kFull, {{info + 12, u32(0xFFF)}}, false},
        {"local path offset outside", kFull, {{info + 16, u32(0xFFF)}}, false},
        {"local path offset inside the header", kFull, {{info + 16, u32(4)}}, false},
        {"suffix offset outside", kFull, {{info + 24, u32(0xFFF)}}, false},
        {"network name offset inside its header", kNetwork, {{net, u32(4)}}, false},
        {"string count beyond the file", kFull, {{-4 - strings, "\xFF\x7F"}}, false},
        {"no terminal block", kFull, {{-4, u32(0x40)}}, false},
        {"extra block below 8 bytes", kFull, {{-4, u32(4)}}, false},
        {"terminal block of size 3", kFull, {{-4, u32(3)}}, true},
    };
    for (const auto& [name, layout, patches, accepted] : table) {
        QByteArray bytes = qvtest::writeLnk(layout);
        for (const auto& [offset, patch] : patches) {
            bytes.replace(offset < 0 ? bytes.size() + offset : offset, patch.size(), patch);
        }
        EXPECT_EQ(parseBounded(bytes).has_value(), accepted) << name;
        if (!accepted) {
            EXPECT_FALSE(qv::parseShortcut(bytes)) << name;
        }
    }
}

class ShrtcutPathTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        QString path = dir.filePath(name);
        EXPECT_TRUE(qvtest::writeAll(path, bytes));
        return path;
    }
    QTemporaryDir dir;
    qv::FakeMessageBox box;
};

TEST_F(ShrtcutPathTest, GivesTheTargetOrTellsTheUserThereIsNone) {
    const QString path = write("Paint.lnk", qvtest::writeLnk(kFull));
    // An empty target: none, and a message.
    const std::pair<QString, QString> cases[] = {
        {path, kPaint},
        // The path ends at a NUL, as it would in a text buffer.
        {path + QChar(u'\0') + "   ", kPaint},
        {write("Control Panel.lnk", qvtest::writeLnk(kVirtualFolder)), ""},
        {dir.filePath("missing.lnk"), ""},
        {QString(), ""},
    };
    for (const auto& [shortcut, target] : cases) {
        box.messages.clear();
        EXPECT_EQ(qv::ResolveShortcutTarget(shortcut, box), target) << shortcut.toStdString();
        ASSERT_EQ(box.messages.size(), target.isEmpty() ? 1u : 0u);
        if (target.isEmpty()) {
            EXPECT_EQ(box.messages[0].text, "This shortcut does not contain a path.");
            EXPECT_EQ(box.messages[0].icon, qv::MsgIcon::None);
            EXPECT_EQ(box.messages[0].title, qv::programTitle());
        }
    }
}

struct SixFields {
    QString target, workingDirectory, arguments, iconFile;
    std::int32_t iconIndex = -1, showCommand = -1;
    bool read(const QString& path) {
        return qv::ReadShortcut(path, target, workingDirectory, arguments, iconFile, iconIndex,
                                showCommand);
    }
    bool operator==(const SixFields&) const = default;
};

TEST_F(ShrtcutPathTest, ReadShortcutGivesTheSixFields) {
    SixFields f;
    ASSERT_TRUE(f.read(write("Paint.lnk", qvtest::writeLnk(kFull))));
    EXPECT_EQ(f, (SixFields{kPaint, kFull.workingDirectory, kFull.arguments, kFull.iconLocation,
                            kFull.iconIndex, static_cast<std::int32_t>(kFull.showCommand)}));
    // Long texts are not cut.
    LnkFields s = kFull;
    s.arguments = QString(400, u'x');
    s.commonPathSuffix = QString(300, u'p') + ".exe";
    const QString longPath = write("Long.lnk", qvtest::writeLnk(s));
    ASSERT_TRUE(f.read(longPath));
    EXPECT_EQ(f.arguments, s.arguments);
    EXPECT_EQ(f.target, s.localBasePath + s.commonPathSuffix);
    EXPECT_EQ(qv::ResolveShortcutTarget(longPath, box), f.target);
    EXPECT_TRUE(box.messages.empty());
}

TEST_F(ShrtcutPathTest, ReadShortcutPrefersTheNetworkTarget) {
    LnkFields s = kNetwork;
    s.localBasePath = "S:\\";
    const QString path = write("Maths.lnk", qvtest::writeLnk(s));
    SixFields f;
    ASSERT_TRUE(f.read(path));
    EXPECT_EQ(f.target, "\\\\server\\apps\\maths.exe");
    EXPECT_EQ(f.showCommand, 1);
    // The button's icon comes from the local form.
    EXPECT_EQ(qv::ResolveShortcutTarget(path, box), "S:\\maths.exe");
}

// Files that are no shortcuts: nothing is read, and the outputs stay as they were.
TEST_F(ShrtcutPathTest, ReadShortcutFailsWithoutTouchingOutputs) {
    const SixFields untouched{"t", "w", "a", "i", 11, 12};
    for (const QString& path :
         {QString(), dir.filePath("missing.lnk"), dir.path(), write("empty.lnk", {}),
          write("damaged.lnk", qvtest::writeLnk(kFull).chopped(1))}) {
        SixFields f = untouched;
        EXPECT_FALSE(f.read(path));
        EXPECT_EQ(f, untouched);
    }
    EXPECT_TRUE(box.messages.empty());
}

TEST(FileNameFromPath, GivesTheLastComponent) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        // path, with extension, name
        {"C:\\Apps\\Paint.lnk", false, "Paint"},
        {"C:\\Apps\\Paint.lnk", true, "Paint.lnk"},
        {"/home/pupil/menu/Paint.lnk", false, "Paint"},
        // Both separators, mixed in one path.
        {"C:\\Apps/Games\\Chess.exe", false, "Chess"},
        // The last four characters go, whatever they are.
        {"C:\\Docs\\photo.jpeg", false, "photo."},
        {"C:\\Docs\\Makefile", false, "Make"},
        {"Paint.lnk", false, "Paint"},
        {"C:\\Spiele\\Schäfer Größe.exe", false, "Schäfer Größe"},
        // A trailing separator names the folder before it.
        {R"(C:\Apps\Games\)", true, "Games"},
        {R"(C:\Apps\Games\)", false, "G"},
        {"/usr/share//", true, "share"},
        // Names of four characters or fewer are kept whole, so a caption is never blank.
        {"C:\\a.lnk", false, "a"},
        {"C:\\.lnk", false, ".lnk"},
        {"C:\\abc", false, "abc"},
        {"C:\\abcd", false, "abcd"},
        {"C:\\abcde", false, "a"},
        {"x", false, "x"},
        // Nothing to name.
        {"", false, ""},
        {"\\", false, ""},
        {"/", true, ""},
    };
    for (const auto& [path, withExtension, expected] : cases) {
        EXPECT_EQ(qv::FileNameFromPath(QString::fromUtf8(path), withExtension),
                  QString::fromUtf8(expected))
            << path << " withExtension=" << withExtension;
    }
}

} // namespace
