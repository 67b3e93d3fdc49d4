// The editor window: loading the menu, tab switching, paging and presses.
#include "teach_fixture.h"

#include <QLineEdit>
#include <QPushButton>

using namespace teachtest;

// The pages themselves are the pager's; the window shows the first one of a tab when it is
// clicked, and puts the tab's caption in the caption box.
TEST_F(EditorTest, LoadShowsTabsAndTheFirstPageOfTheFirstTab) {
    writeMenu(menuLines({"Writing", "Games", ""}, {3, 12, -1}));
    frmdrop& f = open();
    ASSERT_EQ(f.ceptab->count(), 3);
    EXPECT_EQ(f.ceptab->tabText(0), QStringLiteral("Writing"));
    EXPECT_EQ(f.ceptab->tabText(2), QString());
    EXPECT_EQ(f.selectedTab(), 1);
    EXPECT_EQ(page(), captions(1, 1, 3));
    // The caption box keeps its text until a tab is clicked.
    EXPECT_EQ(f.txttabcaption->text(), QStringLiteral("Tab Caption"));
    EXPECT_TRUE(box.fake.messages.empty());

    f.ceptab->setCurrentIndex(1);
    EXPECT_EQ(f.txttabcaption->text(), QStringLiteral("Games"));
    f.cmdnext->click();
    EXPECT_EQ(page(), captions(2, 11, 12));
    f.ceptab->setCurrentIndex(2);
    EXPECT_TRUE(page().isEmpty());
    EXPECT_EQ(f.pageOffset(), 0);
    f.ceptab->setCurrentIndex(1);
    EXPECT_EQ(page(), captions(2, 1, 10));
}

TEST_F(EditorTest, SpecialItemsAreResolvedExactly) {
    writeMenu({"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=3",
               "Button 1=My Computer.lnk", "Button 2=my computer.lnk",
               "Button 3=My Documents.lnk"});
    frmdrop& f = open();
    ASSERT_EQ(f.loadedButtons, 3);
    EXPECT_EQ(f.cmdapplau->element(1)->text(), QStringLiteral("My Computer"));
    // A left press starts what the button stands for, with the standard folder filled in.
    f.cmdapplau_MouseDown(1, Qt::LeftButton, Qt::NoModifier, 0, 0);
    f.cmdapplau_MouseDown(2, Qt::LeftButton, Qt::NoModifier, 0, 0);
    f.cmdapplau_MouseDown(3, Qt::LeftButton, Qt::NoModifier, 0, 0);
    ASSERT_EQ(shell.starts.size(), 3u);
    EXPECT_EQ(shell.starts[0].file, QDir(dir.path()).filePath("standard/My Computer.lnk"));
    EXPECT_EQ(shell.starts[1].file, QStringLiteral("my computer.lnk"));
    EXPECT_EQ(shell.starts[2].file, QDir(dir.path()).filePath("standard/My Documents.lnk"));
    EXPECT_EQ(shell.starts[0].kind, QStringLiteral("execute"));
}

TEST_F(EditorTest, MissingButtonKeyKeepsTheLaterNumbers) {
    writeMenu({"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=3",
               "Button 1=/a/One.exe", "Button 3=/a/Three.exe"});
    frmdrop& f = open();
    ASSERT_EQ(f.loadedButtons, 3);
    EXPECT_EQ(f.cmdapplau->element(3)->text(), QStringLiteral("Three"));
    f.cmdapplau_MouseDown(3, Qt::LeftButton, Qt::NoModifier, 0, 0);
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].file, QStringLiteral("/a/Three.exe"));
    // The empty slot starts nothing.
    f.cmdapplau_MouseDown(2, Qt::LeftButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(shell.starts.size(), 1u);
}

TEST_F(EditorTest, PressesOnTheButtonItselfStartAndDelete) {
    writeMenu(menuLines({"A"}, {3}));
    frmdrop& f = open();
    QToolButton* second = f.cmdapplau->element(2);
    ASSERT_NE(second, nullptr);
    QTest::mousePress(second, Qt::LeftButton);
    QTest::mouseRelease(second, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].file, item(1, 2));

    QTest::mousePress(f.cmdapplau->element(2), Qt::MiddleButton);
    QApplication::processEvents();
    EXPECT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(f.loadedButtons, 3);

    // The right press deletes the very button pressed; the window must survive that.
    QTest::mousePress(f.cmdapplau->element(2), Qt::RightButton);
    QApplication::processEvents();
    EXPECT_EQ(page(), QStringList({caption(1, 1), caption(1, 3)}));
    EXPECT_EQ(shell.starts.size(), 1u);
}

TEST_F(EditorTest, MissingFileIsReportedAndShowsNoTab) {
    frmdrop& f = open();
    EXPECT_EQ(f.ceptab->count(), 0);
    ASSERT_FALSE(box.fake.messages.empty());
    EXPECT_EQ(box.fake.messages[0].text, iniPath() + QStringLiteral(" not found."));
    EXPECT_EQ(box.fake.messages[0].title, QStringLiteral("File Not Found"));
}

TEST_F(EditorTest, UnreadableTabCountIsShownAndTabEditingRefused) {
    writeMenu({"[Settings]", "Number of tabs=two", "Tab1=A", "Tab2=B"});
    const QByteArray before = qvtest::readAll(iniPath());
    frmdrop& f = open();
    EXPECT_EQ(f.ceptab->count(), 0);
    ASSERT_EQ(box.fake.messages.size(), 1u);
    EXPECT_TRUE(box.fake.messages[0].text.contains("two"));
    EXPECT_EQ(box.fake.messages[0].title, QStringLiteral("Quorvel Manger"));
    f.cmdaddtab->click();
    f.cmdremovetab->click();
    EXPECT_EQ(box.fake.messages.size(), 3u);
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
    EXPECT_EQ(f.ceptab->count(), 0);
}
