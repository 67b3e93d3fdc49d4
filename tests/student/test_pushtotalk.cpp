// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's own settings, headless: the push-to-talk choice of the machine and the pupil's
// voice, whatever their files hold, and when the talk keys open and close the recognizer.
#include "common/pupilvoice.h"
#include "common/pushtotalk.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Puts the content at path; "<dir>" and "<fifo>" stand for such a thing in the file's place.
void place(const QString& path, const QByteArray& content) {
    if (content == "<dir>") {
        ASSERT_TRUE(QDir().mkdir(path));
    } else if (content == "<fifo>") {
        ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
    } else if (!content.isEmpty()) {
        ASSERT_TRUE(qvtest::writeAll(path, content));
    }
}

TEST(PushToTalkSetting, ReadsOnOnlyFromAClearOn) {
    struct Case {
        const char* name;
        QByteArray file;
        bool expected;
    };
    const Case cases[] = {
        {"missing", {}, false},
        {"on", "[Speech]\npush-to-talk=on\n", true},
        {"any letter case", "[Speech]\npush-to-talk=ON\n", true},
        {"yes", "[Speech]\npush-to-talk= yes\n", true},
        {"another section", "[General]\npush-to-talk=on\n", false},
        {"junk", QByteArray("\0\xff[Speech\n=on\n\x01", 15), false},
        {"too large", "[Speech]\npush-to-talk=on\n" + QByteArray(70000, '#'), false},
        {"folder", "<dir>", false},
        {"fifo, which must not block", "<fifo>", false},
    };
    for (const Case& c : cases) {
        const QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("student.conf");
        place(path, c.file);
        EXPECT_EQ(qv::readPushToTalk(path), c.expected) << c.name;
    }
}

// The user's file first, then each machine-wide file in order: the first that holds a usable
// value wins; a missing, damaged or foreign file is passed over.
TEST(LauncherSettings, UserFileWinsAndMachineWideFilesFillInOrder) {
    const QByteArray on = "[Speech]\npush-to-talk=on\n";
    const QByteArray off = "[Speech]\npush-to-talk=off\n";
    const QByteArray other = "[Speech]\nsomething-else=1\n";
    const QByteArray damaged("\0\xff[Speech\npush-to-talk=on\n\x01", 27);
    struct Case {
        const char* name;
        QByteArray user, first, second; // the machine-wide folders, most important first
        bool expected;
    };
    const Case cases[] = {
        {"user only", on, {}, {}, true},
        {"user wins over machine", off, on, on, false},
        {"machine fills a missing file", {}, on, {}, true},
        {"machine fills a missing key", other, on, {}, true},
        {"first machine folder wins", {}, off, on, false},
        {"second fills the first", {}, other, on, true},
        {"an unusable value is no value", "[Speech]\npush-to-talk=maybe\n", on, {}, true},
        {"a damaged user file is passed over", damaged, on, {}, true},
        {"a damaged machine file is passed over", {}, damaged, off, false},
        {"a folder in the user file's place", "<dir>", on, {}, true},
        {"a fifo in the machine file's place", {}, "<fifo>", on, true},
        {"nothing anywhere", {}, {}, {}, false},
    };
    for (const Case& c : cases) {
        const QTemporaryDir dir;
        QStringList files;
        for (const QByteArray& content : {c.user, c.first, c.second}) {
            files << QDir(dir.path()).filePath(QString::number(files.size()) + ".conf");
            place(files.back(), content);
        }
        EXPECT_EQ(qv::readPushToTalk(files), c.expected) << c.name;
    }
}

TEST(LauncherSettings, MachineWideFoldersComeFromXdgConfigDirs) {
    const std::pair<QString, QStringList> cases[] = {
        {"", {"/etc/xdg"}},
        {"/etc/xdg", {"/etc/xdg"}},
        {"/etc/xdg/xdg-school:/etc/xdg", {"/etc/xdg/xdg-school", "/etc/xdg"}},
        {"relative:/etc/xdg/:./x::/usr/local/etc/xdg", {"/etc/xdg", "/usr/local/etc/xdg"}},
        {"relative", {}},
    };
    for (const auto& [value, dirs] : cases) {
        EXPECT_EQ(qv::configDirsOf(value), dirs) << qPrintable(value);
    }
    // The files the launcher reads: its own first, then each folder's, in order.
    const QByteArray old = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_CONFIG_DIRS", "/a:b:/c");
    const QStringList files = qv::launcherSettingsFiles();
    qputenv("XDG_CONFIG_DIRS", old);
    EXPECT_EQ(files, QStringList({qv::launcherSettingsPath(), "/a/quorvel/student.conf",
                                  "/c/quorvel/student.conf"}));
    qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(qv::launcherSettingsFiles().value(1), "/etc/xdg/quorvel/student.conf");
    qputenv("XDG_CONFIG_DIRS", old);
}

TEST(PushToTalkSetting, WritesAndReadsBackKeepingOtherSettings) {
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("new folder/student.conf");
    ASSERT_TRUE(qv::writePushToTalk(path, true));
    EXPECT_TRUE(qv::readPushToTalk(path));
    ASSERT_TRUE(qvtest::writeAll(path, qvtest::readAll(path) + "[Other]\nkept=1\n"));
    ASSERT_TRUE(qv::writePushToTalk(path, false));
    EXPECT_FALSE(qv::readPushToTalk(path));
    EXPECT_TRUE(qvtest::readAll(path).contains("kept=1"));

    // A damaged file is replaced by a clear choice; a folder in its place is left alone.
    ASSERT_TRUE(qvtest::writeAll(path, QByteArray("\0\xff[Speech\n", 10)));
    EXPECT_TRUE(qv::writePushToTalk(path, true));
    EXPECT_TRUE(qv::readPushToTalk(path));
    const QString folder = QDir(dir.path()).filePath("folder.conf");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(qv::writePushToTalk(folder, true));
    EXPECT_FALSE(qv::writePushToTalk("/proc/quorvel/student.conf", true)); // not even root may
}

// A stored warp counts only for the recognizer it was found with and only as a warp a voice can
// have; anything else is no warp (1).
TEST(PupilVoice, ReadsAWarpOnlyForItsRecognizerAndInRange) {
    const QString model = "PocketSphinx en-us (acoustic model en-us, cmudict-en-us.dict)";
    const QByteArray voice = "[Voice]\nrecognizer=" + model.toUtf8() + "\nwarp=";
    const std::pair<QByteArray, double> cases[] = {
        {{}, 1.0},
        {voice + "1.16\n", 1.16},
        {voice + "0.80\n", 0.8},
        {voice + "1.51\n", 1.0},
        {voice + "0.79\n", 1.0},
        {voice + "nan\n", 1.0},
        {voice + "-inf\n", 1.0},
        {voice + "big\n", 1.0},
        {"[Voice]\nrecognizer=another model\nwarp=1.16\n", 1.0},
        {"[Voice]\nwarp=1.16\n", 1.0},
        {voice + "1.16\n" + QByteArray(70000, '#'), 1.0},
        {"<dir>", 1.0},
        {"<fifo>", 1.0},
    };
    for (const auto& [file, warp] : cases) {
        const QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("voice.conf");
        place(path, file);
        EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, model), warp) << file.left(60).constData();
    }
}

TEST(PupilVoice, WritesForOneRecognizerAndForgets) {
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("quorvel/voice.conf");
    ASSERT_TRUE(qv::writeVoiceWarp(path, "model a", 1.24));
    EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, "model a"), 1.24);
    EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, "model b"), 1.0);
    ASSERT_TRUE(qv::writeVoiceWarp(path, "model b", 0.92));
    EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, "model a"), 1.0);
    EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, "model b"), 0.92);
    ASSERT_TRUE(qv::writeVoiceWarp(path, "model b", 1.0));
    EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, "model b"), 1.0);
    // A voice stored by an earlier version with a transform of the model beside the warp: the
    // warp is read as before, and storing the voice again takes the transform away.
    const QString transform = QDir(dir.path()).filePath("quorvel/voice-transform.txt");
    place(path, "[Voice]\nrecognizer=model a\nwarp=1.30\ntransform=voice-transform.txt\n");
    place(transform, "1\n3\n");
    EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, "model a"), 1.3);
    ASSERT_TRUE(qv::writeVoiceWarp(path, "model a", 1.2));
    EXPECT_DOUBLE_EQ(qv::readVoiceWarp(path, "model a"), 1.2);
    EXPECT_FALSE(QFileInfo::exists(transform));
    EXPECT_FALSE(qvtest::readAll(path).contains("transform"));
    // A file too large to be ours is left as it is.
    const QString large = QDir(dir.path()).filePath("large.conf");
    place(large, QByteArray(70000, '#'));
    EXPECT_FALSE(qv::writeVoiceWarp(large, "model a", 1.24));
    EXPECT_EQ(QFileInfo(large).size(), 70000);
    const QString folder = QDir(dir.path()).filePath("folder.conf");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(qv::writeVoiceWarp(folder, "model a", 1.24));
    EXPECT_FALSE(qv::writeVoiceWarp("/proc/quorvel/voice.conf", "model a", 1.24));
}

// Events: D/U Space down/up, d/u auto-repeated down/up, B/b button down/up, F focus lost.
// Changes: L listen, E end of the utterance, - nothing.
TEST(TalkKeys, SequencesOpenAndCloseOnce) {
    struct Case {
        const char* events;
        const char* changes;
    };
    const Case cases[] = {
        {"DudududU", "L------E"}, {"U", "-"},     {"ud", "--"},   {"DBUb", "L--E"},
        {"BDbU", "L--E"},         {"DFU", "LE-"}, {"BFb", "LE-"}, {"DUDU", "LELE"},
        {"DDU", "L-E"},           {"F", "-"},
    };
    for (const Case& c : cases) {
        qv::TalkKeys keys;
        std::string got;
        for (const char* e = c.events; *e; ++e) {
            using Change = qv::TalkKeys::Change;
            const char k = *e;
            const Change change = k == 'F' ? keys.focusLost()
                                  : (k == 'B' || k == 'b')
                                      ? keys.button(k == 'B')
                                      : keys.key(k == 'D' || k == 'd', k == 'd' || k == 'u');
            got += change == Change::Listen ? 'L' : change == Change::End ? 'E' : '-';
        }
        EXPECT_EQ(got, c.changes) << c.events;
        EXPECT_FALSE(keys.held()) << c.events;
    }
}

} // namespace
