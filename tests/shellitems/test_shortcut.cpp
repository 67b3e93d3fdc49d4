#include "common/ReadShortcut.h"
#include "common/ShrtcutPath.h"
#include "platform/messagebox.h"
#include "platform/shortcut.h"
#include "tests/fixtures/lnkwriter.h"
#include "tests/support/testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using qv::shortcut_detail::parseBounded;
using qvtest::LnkFields;

LnkFields lnkWith(void (*edit)(LnkFields&), bool full = true) {
    LnkFields s = full ? qvtest::fullLnkFields() : LnkFields{};
    edit(s);
    return s;
}

const LnkFields kFull = qvtest::fullLnkFields();
const LnkFields kNetwork = lnkWith(
    [](LnkFields& s) {
        s.networkShare = QStringLiteral("\\\\server\\apps");
        s.commonPathSuffix = QStringLiteral("maths.exe");
    },
    false);
const LnkFields kVirtualFolder = lnkWith([](LnkFields& s) { s.virtualFolderOnly = true; }, false);

// Both readers, the bounded one alone and the full one, give the same fields.
struct ReadCase {
    const char* name;
    LnkFields layout;
    const char* local;
    const char* network;
};

TEST(ShortcutReader, TargetsAndTextsOfEveryLayout) {
    const ReadCase table[] = {
        {"full", kFull, R"(C:\Program Files\Paint\paint.exe)", ""},
        {"8-bit strings", lnkWith([](LnkFields& s) {
             s.unicodeStrings = false;
             s.arguments = QString::fromUtf8("--titel=Schäfer");
             s.iconIndex = -3;
             s.extraData = QByteArray("\x0C\x00\x00\x00\x02\x00\x00\xA0\x01\x02\x03\x04", 12);
         }),
         R"(C:\Program Files\Paint\paint.exe)", ""},
        {"unicode strings",
         lnkWith([](LnkFields& s) { s.arguments = QString::fromUtf8("--名前=ёж"); }),
         R"(C:\Program Files\Paint\paint.exe)", ""},
        {"unicode link information",
         lnkWith(
             [](LnkFields& s) {
                 s.localBasePath = QString::fromUtf8("C:\\Игры\\");
                 s.commonPathSuffix = QString::fromUtf8("Шахматы.exe");
                 s.unicodeLinkInfo = true;
             },
             false),
         "C:\\Игры\\Шахматы.exe", ""},
        {"base without separator",
         lnkWith(
             [](LnkFields& s) {
                 s.localBasePath = QStringLiteral("C:\\Games");
                 s.commonPathSuffix = QStringLiteral("chess.exe");
             },
             false),
         "C:\\Games\\chess.exe", ""},
        {"network", kNetwork, "", R"(\\server\apps\maths.exe)"},
        {"network and local",
         lnkWith(
             [](LnkFields& s) {
                 s.networkShare = QStringLiteral("\\\\server\\apps");
                 s.commonPathSuffix = QStringLiteral("maths.exe");
                 s.localBasePath = QStringLiteral("S:\\");
             },
             false),
         R"(S:\maths.exe)", R"(\\server\apps\maths.exe)"},
        {"virtual folder", kVirtualFolder, "", ""},
        {"relative path only",
         lnkWith([](LnkFields& s) { s.relativePath = QStringLiteral("..\\paint.exe"); }, false), "",
         ""},
        {"link information switched off", lnkWith([](LnkFields& s) { s.forceNoLinkInfo = true; }),
         "", ""},
        {"nothing at all", LnkFields{}, "", ""},
    };
    for (const ReadCase& c : table) {
        const QByteArray bytes = qvtest::writeLnk(c.layout);
        for (const auto& info : {qv::parseShortcut(bytes), parseBounded(bytes)}) {
            ASSERT_TRUE(info) << c.name;
            EXPECT_EQ(info->localPath, QString::fromUtf8(c.local)) << c.name;
            EXPECT_EQ(info->networkPath, QString::fromUtf8(c.network)) << c.name;
            EXPECT_EQ(info->target(), QString::fromUtf8(*c.local ? c.local : c.network)) << c.name;
            EXPECT_EQ(info->description, c.layout.description) << c.name;
            EXPECT_EQ(info->relativePath, c.layout.relativePath) << c.name;
            EXPECT_EQ(info->workingDirectory, c.layout.workingDirectory) << c.name;
            EXPECT_EQ(info->arguments, c.layout.arguments) << c.name;
            EXPECT_EQ(info->iconFile, c.layout.iconLocation) << c.name;
            EXPECT_EQ(info->iconIndex, c.layout.iconIndex) << c.name;
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
    net.networkShare = QStringLiteral("\\\\srv\\share");
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

struct Patch {
    qsizetype offset; // negative: from the end
    QByteArray bytes;
};

struct Damage {
    const char* name;
    const LnkFields* layout;
    std::vector<Patch> patches;
    bool accepted = false;
};

QByteArray u32(std::uint32_t v) {
    return {reinterpret_cast<const char*>(&v), 4}; // the test machines are little-endian
}

TEST(ShortcutReader, DamagedStructureGivesNoShortcut) {
    const qsizetype info = 0x4C;           // the link information follows the header (no ID list)
    const qsizetype net = info + 0x1C + 8; // network name offset of a network-only target
    const qsizetype strings = 2 + 2 * kFull.iconLocation.size();
    const Damage table[] = {
        {"header size", &kFull, {{0, u32(0x4D)}}},
        {"class id", &kFull, {{8, "\xFF"}}},
        {"ID list promised", &kFull, {{0x14, u32(0xFF)}}},
        {"ID list item of one byte", &kVirtualFolder, {{0x4E, QByteArray("\x01\x00\x00", 3)}}},
        {"link info size beyond the file", &kFull, {{info, u32(0xFFFF)}}},
        {"link info size below its header", &kFull, {{info, u32(4)}}},
        {"link info header beyond its size", &kFull, {{info + 4, u32(0xFF)}}},
        {"link info header beyond its size, no targets",
         &kFull,
         {{info + 4, u32(0xFF)}, {info + 8, u32(0)}, {info + 24, u32(0)}, {info + 32, u32(0)}}},
        {"volume offset outside", &kFull, {{info + 12, u32(0xFFF)}}},
        {"local path offset outside", &kFull, {{info + 16, u32(0xFFF)}}},
        {"local path offset inside the header", &kFull, {{info + 16, u32(4)}}},
        {"suffix offset outside", &kFull, {{info + 24, u32(0xFFF)}}},
        {"network name offset inside its header", &kNetwork, {{net, u32(4)}}},
        {"string count beyond the file", &kFull, {{-4 - strings, "\xFF\x7F"}}},
        {"no terminal block", &kFull, {{-4, u32(0x40)}}},
        {"extra block below 8 bytes", &kFull, {{-4, u32(4)}}},
        {"terminal block of size 3", &kFull, {{-4, u32(3)}}, true},
    };
    for (const Damage& c : table) {
        QByteArray bytes = qvtest::writeLnk(*c.layout);
        for (const Patch& p : c.patches) {
            bytes.replace(p.offset < 0 ? bytes.size() + p.offset : p.offset, p.bytes.size(),
                          p.bytes);
        }
        ASSERT_EQ(bytes.size(), qvtest::writeLnk(*c.layout).size()) << c.name;
        EXPECT_EQ(parseBounded(bytes).has_value(), c.accepted) << c.name;
        if (!c.accepted) {
            EXPECT_FALSE(qv::parseShortcut(bytes)) << c.name;
        }
    }
}

class ShrtcutPathTest : public ::testing::Test {
protected:
    QString write(const QString& name, const LnkFields& layout) {
        QString path = dir.filePath(name);
        EXPECT_TRUE(qvtest::writeLnkFile(path, layout));
        return path;
    }
    QTemporaryDir dir;
    qv::ScopedFakeMessageBox box;
};

TEST_F(ShrtcutPathTest, GivesTheTargetOrTellsTheUserThereIsNone) {
    const QString path = write(QStringLiteral("Paint.lnk"), kFull);
    const struct {
        QString shortcut;
        QString target; // empty: no target, and a message
    } cases[] = {
        {path, R"(C:\Program Files\Paint\paint.exe)"},
        // The path ends at a NUL, as it would in a text buffer.
        {path + QChar(u'\0') + QStringLiteral("   "), R"(C:\Program Files\Paint\paint.exe)"},
        {write(QStringLiteral("Control Panel.lnk"), kVirtualFolder), ""},
        {dir.filePath(QStringLiteral("missing.lnk")), ""},
        {QString(), ""},
    };
    for (const auto& c : cases) {
        box.fake.messages.clear();
        EXPECT_EQ(qv::ResolveShortcutTarget(c.shortcut), c.target) << c.shortcut.toStdString();
        ASSERT_EQ(box.fake.messages.size(), c.target.isEmpty() ? 1u : 0u);
        if (c.target.isEmpty()) {
            EXPECT_EQ(box.fake.messages[0].text,
                      QStringLiteral("This shortcut does not contain a path."));
            EXPECT_EQ(box.fake.messages[0].icon, qv::MsgIcon::None);
            EXPECT_EQ(box.fake.messages[0].title, qv::programTitle());
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
    ASSERT_TRUE(f.read(write(QStringLiteral("Paint.lnk"), kFull)));
    EXPECT_EQ(f, (SixFields{QStringLiteral("C:\\Program Files\\Paint\\paint.exe"),
                            QStringLiteral("C:\\Users\\Pupil\\Pictures"),
                            QStringLiteral("/new \"My Picture.png\""),
                            QStringLiteral("C:\\Program Files\\Paint\\paint.ico"), 2, 3}));
    // Long texts are not cut.
    LnkFields s = kFull;
    s.arguments = QString(400, u'x');
    s.commonPathSuffix = QString(300, u'p') + QStringLiteral(".exe");
    const QString longPath = write(QStringLiteral("Long.lnk"), s);
    ASSERT_TRUE(f.read(longPath));
    EXPECT_EQ(f.arguments, s.arguments);
    EXPECT_EQ(f.target, s.localBasePath + s.commonPathSuffix);
    EXPECT_EQ(qv::ResolveShortcutTarget(longPath), f.target);
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(ShrtcutPathTest, ReadShortcutPrefersTheNetworkTarget) {
    LnkFields s = kNetwork;
    s.localBasePath = QStringLiteral("S:\\");
    const QString path = write(QStringLiteral("Maths.lnk"), s);
    SixFields f;
    ASSERT_TRUE(f.read(path));
    EXPECT_EQ(f.target, QStringLiteral("\\\\server\\apps\\maths.exe"));
    EXPECT_EQ(f.showCommand, 1);
    // The button's icon comes from the local form.
    EXPECT_EQ(qv::ResolveShortcutTarget(path), QStringLiteral("S:\\maths.exe"));
}

// Files that are no shortcuts: nothing is read, and the outputs stay as they were.
TEST_F(ShrtcutPathTest, ReadShortcutFailsWithoutTouchingOutputs) {
    const QString damaged = dir.filePath(QStringLiteral("damaged.lnk"));
    ASSERT_TRUE(qvtest::writeAll(damaged, qvtest::writeLnk(kFull).chopped(1)));
    const QString empty = dir.filePath(QStringLiteral("empty.lnk"));
    ASSERT_TRUE(qvtest::writeAll(empty, {}));
    const QString text = dir.filePath(QStringLiteral("text.lnk"));
    ASSERT_TRUE(qvtest::writeAll(text, "[InternetShortcut]\r\nURL=file:///C:/\r\n"));
    const SixFields untouched{
        QStringLiteral("t"), QStringLiteral("w"), QStringLiteral("a"), QStringLiteral("i"), 11, 12};
    for (const QString& path : {QString(), dir.filePath(QStringLiteral("missing.lnk")), dir.path(),
                                empty, text, damaged}) {
        SixFields f = untouched;
        EXPECT_FALSE(f.read(path));
        EXPECT_EQ(f, untouched);
    }
    EXPECT_TRUE(box.fake.messages.empty());
}

} // namespace
