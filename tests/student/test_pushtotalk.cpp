// Push to talk, headless: the stored choice in the launcher's settings file, whatever the file
// holds, and when the talk keys open and close the recognizer.
#include "common/pushtotalk.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(PushToTalkSetting, ReadsOnOnlyFromAClearOn) {
    struct Case {
        const char* name;
        QByteArray file; // "<dir>" and "<fifo>" stand for such a thing in the file's place
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
        if (c.file == "<dir>") {
            ASSERT_TRUE(QDir().mkdir(path));
        } else if (c.file == "<fifo>") {
            ASSERT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else if (!c.file.isEmpty()) {
            ASSERT_TRUE(qvtest::writeAll(path, c.file));
        }
        EXPECT_EQ(qv::readPushToTalk(path), c.expected) << c.name;
    }
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
