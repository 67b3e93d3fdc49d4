// The layout of qv.ini: its place, names, the two special items and how a count is read.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/messagebox.h"
#include "tests/support/testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(MenuLayout, TheMenuFileIsTheOneChosenAtStartElseBesideTheData) {
    // The tests' folder holds neither qv.ini nor the grammar, as an installed bin folder.
    const QString data =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/quorvel");
    EXPECT_EQ(qv::programFolder(), data);
    EXPECT_EQ(qv::ProfilePath(), data + "/qv.ini");
    qv::useProfilePath("/mnt/room5/qv.ini");
    EXPECT_EQ(qv::ProfilePath(), "/mnt/room5/qv.ini");
    qv::useProfilePath({});
}

TEST(MenuLayout, OnlyTheExactSpecialNamesAreResolved) {
    const QString folder = "/opt/quorvel";
    const std::pair<QString, QString> cases[] = {
        // stored, resolved
        {"My Computer.lnk", "/opt/quorvel/standard/My Computer.lnk"},
        {"My Documents.lnk", "/opt/quorvel/standard/My Documents.lnk"},
        {"my computer.lnk", "my computer.lnk"},
        {"MY DOCUMENTS.LNK", "MY DOCUMENTS.LNK"},
        {"My Computer.lnk ", "My Computer.lnk "},
        {"C:\\Users\\My Computer.lnk", "C:\\Users\\My Computer.lnk"},
        {"/home/pupil/My Documents.lnk", "/home/pupil/My Documents.lnk"},
        {"", ""},
    };
    for (const auto& [stored, resolved] : cases) {
        EXPECT_EQ(qv::resolveSpecialItem(stored, folder), resolved) << stored.toStdString();
    }
}

TEST(MenuLayout, ACountIsAPlainDecimalNumberOrUnreadable) {
    using State = qv::MenuCount::State;
    const std::tuple<QString, State, int> cases[] = {
        // text, state, value
        {"", State::Empty, 0},
        {"0", State::Number, 0},
        {"1", State::Number, 1},
        {"19", State::Number, 19},
        {"007", State::Number, 7},
        {"32767", State::Number, 32767},
        {"32768", State::Unreadable, 0},
        {"65537", State::Unreadable, 0},
        {"99999999999999999999999", State::Unreadable, 0},
        {"-1", State::Unreadable, 0},
        {"+3", State::Unreadable, 0},
        {" 3", State::Unreadable, 0},
        {"1e3", State::Unreadable, 0},
        {"0x10", State::Unreadable, 0},
        {"12abc", State::Unreadable, 0},
        {QString::fromUtf8("\xD9\xA3"), State::Unreadable, 0},     // an Arabic-Indic three
        {QString::fromUtf8("\xEF\xBC\x93"), State::Unreadable, 0}, // a full-width three
        {QString(QChar(0)), State::Unreadable, 0},
    };
    for (const auto& [text, state, value] : cases) {
        const qv::MenuCount count = qv::parseCount(text);
        EXPECT_EQ(count.state, state) << text.toStdString();
        EXPECT_EQ(count.value, value) << text.toStdString();
        EXPECT_EQ(count.isNumber(), state == State::Number) << text.toStdString();
    }
}

// The example menu read as both programs read it at start.
TEST(MenuLayout, TheExampleMenuReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("qv.ini");
    ASSERT_TRUE(qvtest::writeAll(
        path, "[Settings]\r\nNumber of tabs=2\r\nTab1=Writing\r\nTab2=Games\r\n"
              "[Tab 1]\r\nNumber of Buttons=2\r\n"
              "Button 1=C:\\Program Files\\Editor\\edit.exe\r\n"
              "Button 2=My Documents.lnk\r\n"
              "[Tab 2]\r\nNUMBER OF BUTTONS=1\r\nButton 1=C:\\Games\\Chess.lnk\r\n"));
    qv::ScopedFakeMessageBox box;
    const auto read = [&](const QString& section, const QString& key) {
        return qv::ReadKey(path, section, key).value_or("(none)");
    };
    EXPECT_EQ(qv::parseCount(read(qv::kSettings, qv::kNumberOfTabs)).value, 2);
    EXPECT_EQ(read(qv::kSettings, qv::tabCaptionKey(2)), "Games");
    EXPECT_EQ(read(qv::kSettings, qv::tabCaptionKey(3)), "");
    // A count written in capitals reads as well.
    EXPECT_EQ(qv::parseCount(read(qv::tabSection(2), qv::kNumberOfButtonsRead)).value, 1);
    EXPECT_EQ(qv::resolveSpecialItem(read(qv::tabSection(1), qv::buttonKey(2)), "/p"),
              "/p/standard/My Documents.lnk");
    EXPECT_EQ(qv::parseCount(read(qv::tabSection(3), qv::kNumberOfButtonsRead)).state,
              qv::MenuCount::State::Empty);

    // Adding the first button of a new fourth tab.
    ASSERT_EQ(qv::WriteKey(path, qv::tabSection(4), qv::buttonKey(1), "/x.lnk"), 1);
    ASSERT_EQ(qv::WriteKey(path, qv::tabSection(4), qv::kNumberOfButtonsWrite, "1"), 1);
    EXPECT_TRUE(
        qvtest::readAll(path).endsWith("[Tab 4]\r\nButton 1=/x.lnk\r\nNumber of Buttons=1\r\n"));
    EXPECT_TRUE(box.fake.messages.empty());
}

} // namespace
