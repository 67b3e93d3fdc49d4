#include "common/ReadShortcut.h"
#include "common/ShrtcutPath.h"
#include "platform/messagebox.h"
#include "platform/shortcut.h"
#include "tests/fixtures/lnkwriter.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using qvtest::LnkSpec;

std::optional<qv::ShortcutInfo> parse(const LnkSpec& layout) {
    return qv::parseShortcut(qvtest::writeLnk(layout));
}

TEST(ShortcutReader, ReadsEveryFieldOfAFullShortcut) {
    const auto info = parse(qvtest::fullLnkSpec());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->localPath, QStringLiteral("C:\\Program Files\\Paint\\paint.exe"));
    EXPECT_EQ(info->target(), QStringLiteral("C:\\Program Files\\Paint\\paint.exe"));
    EXPECT_EQ(info->networkPath, QString());
    EXPECT_EQ(info->description, QStringLiteral("Draw pictures"));
    EXPECT_EQ(info->relativePath, QStringLiteral("..\\..\\Program Files\\Paint\\paint.exe"));
    EXPECT_EQ(info->workingDirectory, QStringLiteral("C:\\Users\\Pupil\\Pictures"));
    EXPECT_EQ(info->arguments, QStringLiteral("/new \"My Picture.png\""));
    EXPECT_EQ(info->iconFile, QStringLiteral("C:\\Program Files\\Paint\\paint.ico"));
    EXPECT_EQ(info->iconIndex, 2);
    EXPECT_EQ(info->showCommand, qv::kShowMaximized);
}

TEST(ShortcutReader, ReadsEightBitStringsAndNonAsciiTexts) {
    LnkSpec s = qvtest::fullLnkSpec();
    s.unicodeStrings = false;
    s.arguments = QString::fromUtf8("--titel=Schäfer");
    auto info = parse(s);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->arguments, QString::fromUtf8("--titel=Schäfer"));
    EXPECT_EQ(info->workingDirectory, s.workingDirectory);

    s.unicodeStrings = true;
    s.arguments = QString::fromUtf8("--名前=ёж");
    info = parse(s);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->arguments, s.arguments);
}

TEST(ShortcutReader, ReadsUnicodeLinkInformation) {
    LnkSpec s;
    s.localBasePath = QString::fromUtf8("C:\\Spiele\\");
    s.commonPathSuffix = QString::fromUtf8("Schach.exe");
    s.unicodeLinkInfo = true;
    const auto info = parse(s);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->target(), QString::fromUtf8("C:\\Spiele\\Schach.exe"));
}

TEST(ShortcutReader, NetworkTargets) {
    LnkSpec s;
    s.networkShare = QStringLiteral("\\\\server\\apps");
    s.commonPathSuffix = QStringLiteral("maths.exe");
    auto info = parse(s);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->localPath, QString());
    EXPECT_EQ(info->networkPath, QStringLiteral("\\\\server\\apps\\maths.exe"));
    EXPECT_EQ(info->target(), info->networkPath);

    s.localBasePath = QStringLiteral("S:\\");
    info = parse(s);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->localPath, QStringLiteral("S:\\maths.exe"));
    EXPECT_EQ(info->target(), QStringLiteral("S:\\maths.exe"));
}

struct NoTargetCase {
    const char* name;
    LnkSpec layout;
};

class ShortcutWithoutTarget : public ::testing::TestWithParam<NoTargetCase> {};

TEST_P(ShortcutWithoutTarget, IsReadButHasNoTarget) {
    const auto info = parse(GetParam().layout);
    ASSERT_TRUE(info) << GetParam().name;
    EXPECT_EQ(info->target(), QString());
}

std::vector<NoTargetCase> noTargetCases() {
    LnkSpec virtualFolder;
    virtualFolder.virtualFolderOnly = true;
    virtualFolder.description = QStringLiteral("Control Panel");
    LnkSpec relativeOnly;
    relativeOnly.relativePath = QStringLiteral("..\\paint.exe");
    LnkSpec forced = qvtest::fullLnkSpec();
    forced.forceNoLinkInfo = true;
    return {{"virtual folder", virtualFolder},
            {"relative path only", relativeOnly},
            {"link information switched off", forced},
            {"nothing at all", LnkSpec{}}};
}

INSTANTIATE_TEST_SUITE_P(Kinds, ShortcutWithoutTarget, ::testing::ValuesIn(noTargetCases()),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return n;
                         });

TEST(ShortcutReader, ShowCommandOutsideTheKnownValuesIsNormal) {
    const std::pair<std::uint32_t, std::int32_t> table[] = {
        {1, 1}, {3, 3}, {7, 7}, {0, 1}, {2, 1}, {5, 1}, {6, 1}, {99, 1}, {0xFFFFFFFFu, 1}};
    for (const auto& [stored, expected] : table) {
        LnkSpec s = qvtest::fullLnkSpec();
        s.showCommand = stored;
        const auto info = parse(s);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->showCommand, expected) << "stored " << stored;
    }
}

TEST(ShortcutReader, NegativeIconIndexAndExtraDataBlocks) {
    LnkSpec s = qvtest::fullLnkSpec();
    s.iconIndex = -3;
    // A console-properties-like block of 12 bytes, then the terminal block.
    s.extraData = QByteArray("\x0C\x00\x00\x00\x02\x00\x00\xA0\x01\x02\x03\x04", 12);
    const auto info = parse(s);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->iconIndex, -3);
    EXPECT_EQ(info->iconFile, s.iconLocation);
}

TEST(ShortcutReader, BoundedReaderAgreesWithLiblnk) {
    std::vector<LnkSpec> layouts = {qvtest::fullLnkSpec()};
    LnkSpec ansi = qvtest::fullLnkSpec();
    ansi.unicodeStrings = false;
    layouts.push_back(ansi);
    LnkSpec uni;
    uni.localBasePath = QStringLiteral("D:\\");
    uni.commonPathSuffix = QStringLiteral("x\\y.exe");
    uni.unicodeLinkInfo = true;
    uni.iconLocation = QStringLiteral("%SystemRoot%\\shell32.dll");
    layouts.push_back(uni);
    LnkSpec unjoined;
    unjoined.localBasePath = QStringLiteral("C:\\Games");
    unjoined.commonPathSuffix = QStringLiteral("chess.exe");
    layouts.push_back(unjoined);
    LnkSpec whole;
    whole.localBasePath = QStringLiteral("/usr/bin/xterm");
    layouts.push_back(whole);
    for (const LnkSpec& s : layouts) {
        const QByteArray bytes = qvtest::writeLnk(s);
        const auto mine = qv::shortcut_detail::parseBounded(bytes);
        const auto theirs = qv::parseShortcut(bytes);
        ASSERT_TRUE(mine && theirs);
        EXPECT_EQ(mine->localPath, theirs->localPath);
        EXPECT_EQ(mine->description, theirs->description);
        EXPECT_EQ(mine->relativePath, theirs->relativePath);
        EXPECT_EQ(mine->workingDirectory, theirs->workingDirectory);
        EXPECT_EQ(mine->arguments, theirs->arguments);
        EXPECT_EQ(mine->iconFile, theirs->iconFile);
        EXPECT_EQ(mine->iconIndex, theirs->iconIndex);
    }
}

// Every shortcut must end with its terminal block, so no strict prefix is a shortcut.
TEST(ShortcutReader, EveryPrefixOfAValidShortcutIsRefused) {
    LnkSpec net = qvtest::fullLnkSpec();
    net.networkShare = QStringLiteral("\\\\srv\\share");
    net.unicodeLinkInfo = true;
    LnkSpec virtualFolder;
    virtualFolder.virtualFolderOnly = true;
    for (const LnkSpec& s : {qvtest::fullLnkSpec(), net, virtualFolder}) {
        const QByteArray bytes = qvtest::writeLnk(s);
        ASSERT_TRUE(qv::parseShortcut(bytes));
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            // A copy of exactly n bytes, so that a read past the end is caught by the sanitizers.
            const QByteArray prefix(bytes.constData(), n);
            EXPECT_FALSE(qv::parseShortcut(prefix)) << "prefix of " << n << " bytes";
        }
    }
}

TEST(ShortcutReader, RandomByteFlipsNeverCrashAndStayInsideTheFile) {
    const QByteArray original = qvtest::writeLnk(qvtest::fullLnkSpec());
    QRandomGenerator rng(20261207);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = original;
        const int flips = 1 + int(rng.bounded(4));
        for (int f = 0; f < flips; ++f)
            bytes[rng.bounded(int(bytes.size()))] ^= char(1 << rng.bounded(8));
        const auto info = qv::parseShortcut(bytes);
        if (!info) {
            ++refused;
            continue;
        }
        // Whatever is read must come from the file's bytes.
        EXPECT_LE(info->target().size(), bytes.size());
        EXPECT_LE(info->arguments.size() + info->workingDirectory.size() + info->iconFile.size(),
                  bytes.size());
    }
    // Flips in sizes, counts and the class id must be refused; many flips hit such fields.
    EXPECT_GT(refused, 300);
}

struct Corruption {
    const char* name;
    qsizetype offset;
    QByteArray bytes;
};

TEST(ShortcutReader, DamagedStructureGivesNoShortcut) {
    const QByteArray original = qvtest::writeLnk(qvtest::fullLnkSpec());
    const qsizetype info = 0x4C; // the link information follows the header (no ID list)
    const Corruption table[] = {
        {"header size", 0, QByteArray("\x4D", 1)},
        {"class id", 8, QByteArray("\xFF", 1)},
        {"link info size beyond the file", info, QByteArray("\xFF\xFF\x00\x00", 4)},
        {"link info size below its header", info, QByteArray("\x04\x00\x00\x00", 4)},
        {"link info header beyond its size", info + 4, QByteArray("\xFF\x00\x00\x00", 4)},
        {"volume offset outside", info + 12, QByteArray("\xFF\x0F\x00\x00", 4)},
        {"local path offset outside", info + 16, QByteArray("\xFF\x0F\x00\x00", 4)},
        {"suffix offset outside", info + 24, QByteArray("\xFF\x0F\x00\x00", 4)},
        {"string count beyond the file",
         original.size() - 4 - 2 - 2 * qvtest::fullLnkSpec().iconLocation.size(),
         QByteArray("\xFF\x7F", 2)},
        {"no terminal block", original.size() - 4, QByteArray("\x40\x00\x00\x00", 4)},
    };
    for (const Corruption& c : table) {
        QByteArray bytes = original;
        bytes.replace(c.offset, c.bytes.size(), c.bytes);
        ASSERT_EQ(bytes.size(), original.size()) << c.name;
        EXPECT_FALSE(qv::parseShortcut(bytes)) << c.name;
    }
    // A flag promising an ID list that is not there.
    QByteArray bytes = original;
    bytes[0x14] = char(bytes[0x14] | 0x01);
    EXPECT_FALSE(qv::parseShortcut(bytes));
}

TEST(ShortcutReader, FilesThatAreNotShortcuts) {
    QTemporaryDir dir;
    EXPECT_FALSE(qv::readShortcutFile(QString()));
    EXPECT_FALSE(qv::readShortcutFile(dir.filePath(QStringLiteral("missing.lnk"))));
    EXPECT_FALSE(qv::readShortcutFile(dir.path()));
    const QString empty = dir.filePath(QStringLiteral("empty.lnk"));
    ASSERT_TRUE(qvtest::writeAll(empty, {}));
    EXPECT_FALSE(qv::readShortcutFile(empty));
    const QString text = dir.filePath(QStringLiteral("text.lnk"));
    ASSERT_TRUE(qvtest::writeAll(text, "[InternetShortcut]\r\nURL=file:///C:/\r\n"));
    EXPECT_FALSE(qv::readShortcutFile(text));
    const QString good = dir.filePath(QStringLiteral("good.lnk"));
    ASSERT_TRUE(qvtest::writeLnkFile(good, qvtest::fullLnkSpec()));
    EXPECT_TRUE(qv::readShortcutFile(good));
}

class ShrtcutPathTest : public ::testing::Test {
protected:
    QString write(const QString& name, const LnkSpec& layout) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(qvtest::writeLnkFile(path, layout));
        return path;
    }
    QTemporaryDir dir;
    qv::ScopedFakeMessageBox box;
};

TEST_F(ShrtcutPathTest, GivesTheTargetWithoutAMessage) {
    const QString path = write(QStringLiteral("Paint.lnk"), qvtest::fullLnkSpec());
    EXPECT_EQ(qv::ResolveShortcutTarget(path),
              QStringLiteral("C:\\Program Files\\Paint\\paint.exe"));
    EXPECT_TRUE(box.fake.messages.empty());
    // The path ends at a NUL, as it would in a text buffer.
    EXPECT_EQ(qv::ResolveShortcutTarget(path + QChar(u'\0') + QStringLiteral("   ")),
              QStringLiteral("C:\\Program Files\\Paint\\paint.exe"));
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(ShrtcutPathTest, NoTargetTellsTheUser) {
    LnkSpec virtualFolder;
    virtualFolder.virtualFolderOnly = true;
    const QStringList paths = {write(QStringLiteral("Control Panel.lnk"), virtualFolder),
                               dir.filePath(QStringLiteral("missing.lnk")), QString()};
    for (const QString& path : paths) {
        box.fake.messages.clear();
        EXPECT_EQ(qv::ResolveShortcutTarget(path), QString()) << path.toStdString();
        ASSERT_EQ(box.fake.messages.size(), 1u);
        EXPECT_EQ(box.fake.messages[0].text,
                  QStringLiteral("This shortcut does not contain a path."));
        EXPECT_EQ(box.fake.messages[0].icon, qv::MsgIcon::None);
        EXPECT_EQ(box.fake.messages[0].title, qv::programTitle());
    }
}

TEST_F(ShrtcutPathTest, ReadShortcutGivesTheSixFields) {
    const QString path = write(QStringLiteral("Paint.lnk"), qvtest::fullLnkSpec());
    QString target, workingDirectory, arguments, iconFile;
    std::int32_t iconIndex = -1, showCommand = -1;
    ASSERT_TRUE(qv::ReadShortcut(path, target, workingDirectory, arguments, iconFile, iconIndex,
                                 showCommand));
    EXPECT_EQ(target, QStringLiteral("C:\\Program Files\\Paint\\paint.exe"));
    EXPECT_EQ(workingDirectory, QStringLiteral("C:\\Users\\Pupil\\Pictures"));
    EXPECT_EQ(arguments, QStringLiteral("/new \"My Picture.png\""));
    EXPECT_EQ(iconFile, QStringLiteral("C:\\Program Files\\Paint\\paint.ico"));
    EXPECT_EQ(iconIndex, 2);
    EXPECT_EQ(showCommand, 3);
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(ShrtcutPathTest, ReadShortcutPrefersTheNetworkTarget) {
    LnkSpec s;
    s.localBasePath = QStringLiteral("S:\\");
    s.networkShare = QStringLiteral("\\\\server\\apps");
    s.commonPathSuffix = QStringLiteral("maths.exe");
    const QString path = write(QStringLiteral("Maths.lnk"), s);
    QString target, wd, args, icon;
    std::int32_t index = 0, show = 0;
    ASSERT_TRUE(qv::ReadShortcut(path, target, wd, args, icon, index, show));
    EXPECT_EQ(target, QStringLiteral("\\\\server\\apps\\maths.exe"));
    EXPECT_EQ(show, 1);
    // The button's icon comes from the local form.
    EXPECT_EQ(qv::ResolveShortcutTarget(path), QStringLiteral("S:\\maths.exe"));
}

TEST_F(ShrtcutPathTest, ReadShortcutFailsWithoutTouchingOutputs) {
    const QString damaged = dir.filePath(QStringLiteral("damaged.lnk"));
    QByteArray bytes = qvtest::writeLnk(qvtest::fullLnkSpec());
    bytes.chop(1);
    ASSERT_TRUE(qvtest::writeAll(damaged, bytes));
    for (const QString& path : {QString(), dir.filePath(QStringLiteral("missing.lnk")), damaged}) {
        QString target = QStringLiteral("t"), wd = QStringLiteral("w"), args = QStringLiteral("a"),
                icon = QStringLiteral("i");
        std::int32_t index = 11, show = 12;
        EXPECT_FALSE(qv::ReadShortcut(path, target, wd, args, icon, index, show));
        EXPECT_EQ(target, QStringLiteral("t"));
        EXPECT_EQ(wd, QStringLiteral("w"));
        EXPECT_EQ(args, QStringLiteral("a"));
        EXPECT_EQ(icon, QStringLiteral("i"));
        EXPECT_EQ(index, 11);
        EXPECT_EQ(show, 12);
    }
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(ShrtcutPathTest, LongTextsAreNotCut) {
    LnkSpec s = qvtest::fullLnkSpec();
    s.arguments = QString(400, u'x');
    s.commonPathSuffix = QString(300, u'p') + QStringLiteral(".exe");
    const QString path = write(QStringLiteral("Long.lnk"), s);
    QString target, wd, args, icon;
    std::int32_t index = 0, show = 0;
    ASSERT_TRUE(qv::ReadShortcut(path, target, wd, args, icon, index, show));
    EXPECT_EQ(args.size(), 400);
    EXPECT_EQ(target, s.localBasePath + s.commonPathSuffix);
    EXPECT_EQ(qv::ResolveShortcutTarget(path), s.localBasePath + s.commonPathSuffix);
}

} // namespace
