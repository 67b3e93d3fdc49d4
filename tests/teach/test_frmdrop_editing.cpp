// The editor window: adding and removing tabs, dropping items, adding and deleting buttons,
// checked against the menu file's exact lines.
#include "teach_fixture.h"

#include "common/ui/imgicon.h"
#include "common/ui/twips.h"
#include "tools/lnkwriter.h"

#include <QFile>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace teachtest;

namespace {

QStringList tabLines(int t, const QStringList& values, int count) {
    QStringList lines{QStringLiteral("[Tab %1]").arg(t),
                      QStringLiteral("Number of Buttons=%1").arg(count)};
    for (int b = 1; b <= values.size(); ++b) {
        lines << QStringLiteral("Button %1=%2").arg(b).arg(values[b - 1]);
    }
    return lines;
}

QStringList items(int t, const std::vector<int>& numbers) {
    QStringList out;
    for (int b : numbers) {
        out << item(t, b);
    }
    return out;
}

QStringList settings(const QStringList& captions) {
    QStringList lines{QStringLiteral("[Settings]"),
                      QStringLiteral("Number of tabs=%1").arg(captions.size())};
    for (int t = 1; t <= captions.size(); ++t) {
        lines << QStringLiteral("Tab%1=%2").arg(t).arg(captions[t - 1]);
    }
    return lines;
}

QStringList tabTexts(const qv::TabStrip* tabs) {
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i) {
        out << tabs->tabText(i);
    }
    return out;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Tabs

TEST_F(EditorTest, AddTabWithTheUntouchedCaptionBox) {
    writeMenu(menuLines({"A", "B", "C"}, {1, -1, -1}));
    frmdrop& f = open();
    f.cmdaddtab->click();
    EXPECT_EQ(tabTexts(f.ceptab), QStringList({"A", "B", "C", "Tab Caption"}));
    EXPECT_EQ(f.selectedTab(), 1);
    EXPECT_EQ(page(), captions(1, 1, 1));
    EXPECT_EQ(fileLines(),
              settings({"A", "B", "C", "Tab Caption"}) + tabLines(1, items(1, {1}), 1));

    f.txttabcaption->setText(QStringLiteral("Art"));
    f.cmdaddtab->click();
    f.txttabcaption->clear();
    f.cmdaddtab->click();
    EXPECT_EQ(fileLines(),
              settings({"A", "B", "C", "Tab Caption", "Art", ""}) + tabLines(1, items(1, {1}), 1));
    EXPECT_TRUE(box.fake.messages.empty());

    // At the next start the tabs come back as written, the empty caption included.
    frmdrop& again = open();
    EXPECT_EQ(tabTexts(again.ceptab), QStringList({"A", "B", "C", "Tab Caption", "Art", ""}));
}

TEST_F(EditorTest, AddTabCreatesAMissingFile) {
    frmdrop& f = open();
    box.fake.messages.clear();
    f.txttabcaption->setText(QStringLiteral("Writing"));
    f.cmdaddtab->click();
    EXPECT_EQ(fileLines(), settings({"Writing"}));
    EXPECT_EQ(f.selectedTab(), 1);
    EXPECT_EQ(f.txttabcaption->text(), QStringLiteral("Writing"));
}

TEST_F(EditorTest, RemoveASelectedMiddleTabOfFour) {
    writeMenu(menuLines({"A", "B", "C", "D"}, {2, 1, 3, 2}));
    frmdrop& f = open();
    f.ceptab->setCurrentIndex(1);
    ASSERT_EQ(page(), captions(2, 1, 1));
    f.cmdremovetab->click();

    EXPECT_EQ(tabTexts(f.ceptab), QStringList({"A", "C", "D"}));
    EXPECT_EQ(f.selectedTab(), 2);
    EXPECT_EQ(f.txttabcaption->text(), QStringLiteral("C"));
    EXPECT_EQ(page(), captions(3, 1, 3));
    EXPECT_EQ(fileLines(), settings({"A", "C", "D"}) + tabLines(1, items(1, {1, 2}), 2) +
                               tabLines(2, items(3, {1, 2, 3}), 3) +
                               tabLines(3, items(4, {1, 2}), 2));
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(EditorTest, RemoveTheLastOfFourTabs) {
    writeMenu(menuLines({"A", "B", "C", "D"}, {2, 1, 3, 2}));
    frmdrop& f = open();
    f.ceptab->setCurrentIndex(3);
    f.cmdremovetab->click();
    EXPECT_EQ(tabTexts(f.ceptab), QStringList({"A", "B", "C"}));
    // The strip selects the tab before the removed one.
    EXPECT_EQ(f.selectedTab(), 3);
    EXPECT_EQ(page(), captions(3, 1, 3));
    EXPECT_EQ(f.txttabcaption->text(), QStringLiteral("C"));
    EXPECT_EQ(fileLines(), settings({"A", "B", "C"}) + tabLines(1, items(1, {1, 2}), 2) +
                               tabLines(2, items(2, {1}), 1) + tabLines(3, items(3, {1, 2, 3}), 3));
}

TEST_F(EditorTest, RemoveATabWhoseNextTabNeverHadAButton) {
    writeMenu(menuLines({"A", "B", "C", "D"}, {1, 1, -1, 2}));
    frmdrop& f = open();
    f.ceptab->setCurrentIndex(1);
    f.cmdremovetab->click();
    EXPECT_EQ(tabTexts(f.ceptab), QStringList({"A", "C", "D"}));
    EXPECT_TRUE(page().isEmpty());
    EXPECT_EQ(fileLines(), settings({"A", "C", "D"}) + tabLines(1, items(1, {1}), 1) +
                               tabLines(3, items(4, {1, 2}), 2));
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(EditorTest, RemoveTheOnlyTabLeavesAUsableEmptyWindow) {
    writeMenu(menuLines({"A"}, {2}));
    frmdrop& f = open();
    f.cmdremovetab->click();
    EXPECT_EQ(f.ceptab->count(), 0);
    EXPECT_EQ(f.loadedButtons, 0);
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=0"}));

    // "&Remove" with no tab does nothing.
    f.cmdremovetab->click();
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=0"}));
    EXPECT_TRUE(box.fake.messages.empty());

    // A new tab can be made and filled.
    f.txttabcaption->setText(QStringLiteral("New"));
    f.cmdaddtab->click();
    EXPECT_EQ(f.selectedTab(), 1);
    addProgram(QStringLiteral("/apps/Paint.exe"));
    EXPECT_EQ(page(), QStringList({"Paint"}));
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=1", "Tab1=New", "[Tab 1]",
                                        "Button 1=/apps/Paint.exe", "Number of Buttons=1"}));
}

// ---------------------------------------------------------------------------------------------
// Drops

TEST_F(EditorTest, DropOfSeveralFilesPreviewsTheFirst) {
    writeMenu(menuLines({"A"}, {1}));
    frmdrop& f = open();
    EXPECT_TRUE(dropFiles({"/apps/Paint.exe", "/apps/Other.exe", "/apps/Third.lnk"}));
    EXPECT_EQ(f.droppedFile, QStringLiteral("/apps/Paint.exe"));
    EXPECT_EQ(f.droppedType, QStringLiteral("exe"));
    EXPECT_EQ(f.txtTarget->text(), QStringLiteral("/apps/Paint.exe"));
    EXPECT_EQ(f.txtappname->text(), QStringLiteral("Paint"));
    EXPECT_EQ(f.txtHint->text(), QStringLiteral("Click here to launch Paint"));
    EXPECT_TRUE(f.cmdaddbutt->isEnabled());
    EXPECT_TRUE(f.Image1->isHidden());
    EXPECT_FALSE(f.imgicon->isHidden());
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(EditorTest, DropOfAShortcutPreviewsAndStoresTheShortcutItself) {
    writeMenu(menuLines({"A"}, {1}));
    frmdrop& f = open();
    dropFiles({"/tools/Paint.lnk"});
    EXPECT_EQ(f.txtTarget->text(), QStringLiteral("/tools/Paint.lnk"));
    EXPECT_EQ(f.txtappname->text(), QStringLiteral("Paint"));
    EXPECT_EQ(f.txtHint->text(), QStringLiteral("Click here to launch Paint"));
    ASSERT_TRUE(f.cmdaddbutt->isEnabled());
    const size_t before = box.fake.messages.size();
    f.cmdaddbutt->click();
    // Only a program's path is shown before it is placed.
    for (size_t i = before; i < box.fake.messages.size(); ++i) {
        EXPECT_NE(box.fake.messages[i].text, QStringLiteral("/tools/Paint.lnk"));
    }
    EXPECT_EQ(fileLines(), settings({"A"}) + tabLines(1, {item(1, 1), "/tools/Paint.lnk"}, 2));
    EXPECT_EQ(page().last(), QStringLiteral("Paint"));
}

struct IgnoredDrop {
    const char* path;
};
class IgnoredDrops : public EditorTest, public ::testing::WithParamInterface<IgnoredDrop> {};

TEST_P(IgnoredDrops, NothingHappens) {
    writeMenu(menuLines({"A"}, {1}));
    const QByteArray before = qvtest::readAll(iniPath());
    frmdrop& f = open();
    dropFiles({QString::fromUtf8(GetParam().path)});
    EXPECT_TRUE(box.fake.messages.empty());
    EXPECT_FALSE(f.cmdaddbutt->isEnabled());
    EXPECT_FALSE(f.Image1->isHidden());
    EXPECT_TRUE(f.imgicon->isHidden());
    EXPECT_TRUE(f.txtTarget->text().isEmpty());
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, IgnoredDrops,
    ::testing::Values(IgnoredDrop{"/apps/PAINT.EXE"}, IgnoredDrop{"/docs/Letter.doc"},
                      IgnoredDrop{"/apps/Paint.Exe"}, IgnoredDrop{"/apps/Paint.LNK"},
                      IgnoredDrop{"/apps/run.com"}, IgnoredDrop{"/apps/folder"}));

TEST_F(EditorTest, DropWithoutAFileListCannotBeUsed) {
    writeMenu(menuLines({"A"}, {1}));
    const QByteArray before = qvtest::readAll(iniPath());
    frmdrop& f = open();
    auto* text = new QMimeData;
    text->setText(QStringLiteral("/apps/Paint.exe"));
    EXPECT_TRUE(drop(text));
    auto* web = new QMimeData;
    web->setUrls({QUrl(QStringLiteral("https://example.org/Paint.exe"))});
    drop(web);
    ASSERT_EQ(box.fake.messages.size(), 2u);
    for (const auto& m : box.fake.messages) {
        EXPECT_EQ(m.text, QStringLiteral("That item cannot be used!"));
        EXPECT_EQ(m.title, QStringLiteral("Quorvel Manger"));
        EXPECT_EQ(m.icon, qv::MsgIcon::None);
    }
    EXPECT_FALSE(f.cmdaddbutt->isEnabled());
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
}

struct PathCase {
    int length;   // total length of the dropped path in bytes
    bool newline; // a line break inside the name
    bool accepted;
};
class StorablePaths : public EditorTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(StorablePaths, OnlyPathsTheFileCanGiveBackAreTaken) {
    const PathCase c = GetParam();
    writeMenu(menuLines({"A"}, {1}));
    const QByteArray before = qvtest::readAll(iniPath());
    frmdrop& f = open();
    QString path = QStringLiteral("/apps/") + (c.newline ? QStringLiteral("Two\nLines") : "");
    path += QString(c.length - path.size() - 4, QLatin1Char('a')) + QStringLiteral(".exe");
    ASSERT_EQ(path.size(), c.length);
    dropFiles({path});
    EXPECT_EQ(f.cmdaddbutt->isEnabled(), c.accepted);
    if (c.accepted) {
        EXPECT_TRUE(box.fake.messages.empty());
        f.cmdaddbutt->click();
        EXPECT_EQ(fileLines().last(), QStringLiteral("Button 2=") + path);
        frmdrop& again = open();
        again.cmdapplau_MouseDown(2, Qt::LeftButton, Qt::NoModifier, 0, 0);
        ASSERT_EQ(shell.starts.size(), 1u);
        EXPECT_EQ(shell.starts[0].file, path); // read back whole
        return;
    }
    ASSERT_EQ(box.fake.messages.size(), 1u);
    const QString& text = box.fake.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("That item cannot be used!")));
    EXPECT_TRUE(text.contains(c.newline ? QStringLiteral("line break") : QStringLiteral("254")))
        << text.toStdString();
    EXPECT_EQ(box.fake.messages[0].title, QStringLiteral("Quorvel Manger"));
    EXPECT_FALSE(f.Image1->isHidden());
    EXPECT_TRUE(f.droppedFile.isEmpty());
    f.cmdaddbutt_Click(); // even if called, nothing is stored
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
}

INSTANTIATE_TEST_SUITE_P(Lengths, StorablePaths,
                         ::testing::Values(PathCase{254, false, true}, PathCase{255, false, false},
                                           PathCase{400, false, false}, PathCase{30, true, false}));

TEST_F(EditorTest, ChangingTheTargetBoxDisablesAddButton) {
    writeMenu(menuLines({"A"}, {1}));
    frmdrop& f = open();
    dropFiles({"/apps/Paint.exe"});
    ASSERT_TRUE(f.cmdaddbutt->isEnabled());
    f.txtTarget->setText(QStringLiteral("/apps/Paint.exe "));
    EXPECT_FALSE(f.cmdaddbutt->isEnabled());
}

// ---------------------------------------------------------------------------------------------
// Adding buttons

TEST_F(EditorTest, AddToATabWithTenButtonsTurnsThePage) {
    writeMenu(menuLines({"A"}, {10}));
    frmdrop& f = open();
    ASSERT_FALSE(f.cmdnext->isEnabled());
    dropFiles({"/apps/New.exe"});
    f.cmdaddbutt->click();
    // The program's full path is shown before the button is placed.
    ASSERT_EQ(box.fake.messages.size(), 1u);
    EXPECT_EQ(box.fake.messages[0].text, QStringLiteral("/apps/New.exe"));
    EXPECT_EQ(box.fake.messages[0].title, QStringLiteral("Quorvel Manger"));
    EXPECT_EQ(box.fake.messages[0].icon, qv::MsgIcon::None);

    EXPECT_EQ(page(), QStringList({"New"}));
    EXPECT_EQ(f.cmdapplau->element(1)->geometry(), qv::twipsRect(1080, 3360, 1335, 1095));
    EXPECT_EQ(f.pageOffset(), 10);
    EXPECT_TRUE(f.cmdback->isEnabled());
    EXPECT_FALSE(f.cmdnext->isEnabled());
    EXPECT_EQ(fileLines(), settings({"A"}) +
                               tabLines(1, items(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 11) +
                               QStringList{"Button 11=/apps/New.exe"});
    // Back to waiting.
    EXPECT_FALSE(f.cmdaddbutt->isEnabled());
    EXPECT_FALSE(f.Image1->isHidden());
    EXPECT_TRUE(f.txtTarget->text().isEmpty());
    EXPECT_TRUE(f.currentItem.isEmpty());

    f.cmdback->click();
    EXPECT_EQ(page(), captions(1, 1, 10));
}

TEST_F(EditorTest, AddTheFirstButtonOfANewTab) {
    writeMenu(menuLines({"A", "B", "C"}, {1, 2, 1}));
    frmdrop& f = open();
    f.cmdaddtab->click();
    f.ceptab->setCurrentIndex(3);
    ASSERT_TRUE(page().isEmpty());
    addProgram(QStringLiteral("/apps/Paint.exe"));
    EXPECT_EQ(page(), QStringList({"Paint"}));
    EXPECT_EQ(fileLines().last(3),
              QStringList({"[Tab 4]", "Button 1=/apps/Paint.exe", "Number of Buttons=1"}));
}

TEST_F(EditorTest, AddOnAFullPageBeforeTheLastTwoShowsTheLastPage) {
    writeMenu(menuLines({"A"}, {25}));
    frmdrop& f = open();
    addProgram(QStringLiteral("/apps/New.exe"));
    EXPECT_EQ(page(), captions(1, 21, 25) + QStringList{"New"});
    EXPECT_EQ(f.pageOffset(), 20);
    EXPECT_TRUE(f.cmdback->isEnabled());
    EXPECT_EQ(fileLines().at(4), QStringLiteral("Number of Buttons=26"));
    EXPECT_EQ(fileLines().last(), QStringLiteral("Button 26=/apps/New.exe"));
    f.cmdback->click();
    EXPECT_EQ(page(), captions(1, 11, 20));
    f.cmdback->click();
    EXPECT_EQ(page(), captions(1, 1, 10));
    EXPECT_FALSE(f.cmdback->isEnabled());
}

TEST_F(EditorTest, AddOnTheSecondRowStandsUnderTheFirst) {
    writeMenu(menuLines({"A"}, {5}));
    frmdrop& f = open();
    addProgram(QStringLiteral("/apps/Six.exe"));
    ASSERT_EQ(page().size(), 6);
    EXPECT_EQ(f.cmdapplau->element(6)->geometry(), qv::twipsRect(1080, 4755, 1335, 1095));
}

// ---------------------------------------------------------------------------------------------
// Deleting buttons

TEST_F(EditorTest, DeleteButtonThreeOfFive) {
    writeMenu(menuLines({"A"}, {5}));
    frmdrop& f = open();
    f.cmdapplau_MouseDown(3, Qt::RightButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(fileLines(), settings({"A"}) + tabLines(1, items(1, {1, 2, 4, 5}), 4));
    EXPECT_EQ(page(), QStringList({caption(1, 1), caption(1, 2), caption(1, 4), caption(1, 5)}));
    EXPECT_TRUE(box.fake.messages.empty());
    EXPECT_TRUE(shell.starts.empty());
}

TEST_F(EditorTest, DeleteButtonOneOfTwelve) {
    writeMenu(menuLines({"A"}, {12}));
    frmdrop& f = open();
    f.cmdapplau_MouseDown(1, Qt::RightButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(fileLines(),
              settings({"A"}) + tabLines(1, items(1, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), 11));
    EXPECT_EQ(page(), captions(1, 2, 11));
    EXPECT_TRUE(f.cmdnext->isEnabled());
    EXPECT_FALSE(f.cmdback->isEnabled());
    EXPECT_TRUE(box.fake.messages.empty());
}

TEST_F(EditorTest, DeleteOnTheSecondPageShowsTheFirst) {
    writeMenu(menuLines({"A"}, {12}));
    frmdrop& f = open();
    f.cmdnext->click();
    f.cmdapplau_MouseDown(1, Qt::RightButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(fileLines(),
              settings({"A"}) + tabLines(1, items(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}), 11));
    EXPECT_EQ(f.pageOffset(), 0);
    EXPECT_EQ(page(), captions(1, 1, 10));
    EXPECT_FALSE(f.cmdback->isEnabled());
}

TEST_F(EditorTest, DeleteTheOnlyButtonThenAddAgain) {
    writeMenu(menuLines({"A"}, {1}));
    frmdrop& f = open();
    f.cmdapplau_MouseDown(1, Qt::RightButton, Qt::NoModifier, 0, 0);
    const QStringList emptied{"[Tab 1]", "Number of Buttons=0"};
    EXPECT_EQ(fileLines(), settings({"A"}) + emptied);
    EXPECT_TRUE(page().isEmpty());
    EXPECT_FALSE(f.cmdnext->isEnabled());
    addProgram(QStringLiteral("/apps/Paint.exe"));
    const QStringList refilled{"[Tab 1]", "Number of Buttons=1", "Button 1=/apps/Paint.exe"};
    EXPECT_EQ(fileLines(), settings({"A"}) + refilled);
}

TEST_F(EditorTest, DeleteWithoutACountNeverWritesANegativeCount) {
    writeMenu({"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Button 1=/apps/One.exe",
               "Button 2=/apps/Two.exe"});
    frmdrop& f = open();
    EXPECT_TRUE(page().isEmpty());
    f.cmdapplau_MouseDown(1, Qt::RightButton, Qt::NoModifier, 0, 0);
    for (const QString& line : fileLines()) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("Number of Buttons"))) << line.toStdString();
    }
    EXPECT_TRUE(fileLines().contains(QStringLiteral("Button 2=/apps/Two.exe")));
}

// ---------------------------------------------------------------------------------------------
// Damaged counts

class DamagedCounts : public EditorTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DamagedCounts, AddAndDeleteAreRefusedForThatTab) {
    const QString bad = QString::fromLatin1(GetParam());
    writeMenu({"[Settings]", "Number of tabs=2", "Tab1=A", "Tab2=B", "[Tab 1]",
               "Number of Buttons=" + bad, "Button 1=/apps/One.exe", "Button 2=/apps/Two.exe",
               "[Tab 2]", "Number of Buttons=1", "Button 1=/apps/Other.exe"});
    const QByteArray before = qvtest::readAll(iniPath());
    frmdrop& f = open();
    // What can be shown is shown.
    EXPECT_EQ(page(), QStringList({"One", "Two"}));
    EXPECT_FALSE(f.cmdnext->isEnabled());
    EXPECT_TRUE(box.fake.messages.empty());

    dropFiles({"/apps/New.exe"});
    f.cmdaddbutt->click();
    ASSERT_EQ(box.fake.messages.size(), 1u);
    EXPECT_TRUE(box.fake.messages[0].text.contains(bad)) << box.fake.messages[0].text.toStdString();
    EXPECT_TRUE(box.fake.messages[0].text.contains(QStringLiteral("adding")));
    EXPECT_EQ(box.fake.messages[0].title, QStringLiteral("Quorvel Manger"));

    f.cmdapplau_MouseDown(1, Qt::RightButton, Qt::NoModifier, 0, 0);
    ASSERT_EQ(box.fake.messages.size(), 2u);
    EXPECT_TRUE(box.fake.messages[1].text.contains(QStringLiteral("deleting")));
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
    EXPECT_EQ(page(), QStringList({"One", "Two"}));

    // The other tab is still edited as usual.
    f.ceptab->setCurrentIndex(1);
    f.cmdapplau_MouseDown(1, Qt::RightButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(fileLines().last(2), QStringList({"[Tab 2]", "Number of Buttons=0"}));
}

INSTANTIATE_TEST_SUITE_P(Texts, DamagedCounts,
                         ::testing::Values("abc", "-1", "32768", "3x", "+2", "1.5"));

TEST_F(EditorTest, AFullTabRefusesAnotherButton) {
    writeMenu({"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=32767",
               "Button 1=/apps/One.exe"});
    const QByteArray before = qvtest::readAll(iniPath());
    frmdrop& f = open();
    dropFiles({"/apps/New.exe"});
    f.cmdaddbutt->click();
    ASSERT_EQ(box.fake.messages.size(), 1u);
    EXPECT_TRUE(box.fake.messages[0].text.contains(QStringLiteral("32767")));
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
}

// ---------------------------------------------------------------------------------------------
// Icons of real items

TEST_F(EditorTest, PreviewDrawsTheIconOfAProgramAndOfAShortcutsTarget) {
    writeMenu(menuLines({"A"}, {0}));
    const QString program = QDir(dir.path()).filePath(QStringLiteral("Paint.exe"));
    ASSERT_TRUE(
        QFile::copy(qvtest::dataDir() + QStringLiteral("/icons/quorvel-test.exe"), program));
    qvtest::LnkFields layout;
    layout.localBasePath = program;
    const QString shortcut = QDir(dir.path()).filePath(QStringLiteral("Paint.lnk"));
    ASSERT_TRUE(qvtest::writeLnkFile(shortcut, layout));

    frmdrop& f = open();
    dropFiles({shortcut});
    EXPECT_TRUE(box.fake.messages.empty());
    EXPECT_FALSE(f.imgicon->picture().isNull());
    f.cmdaddbutt->click();
    ASSERT_EQ(page(), QStringList({"Paint"}));
    EXPECT_FALSE(f.cmdapplau->element(1)->icon().isNull());
    // Back to waiting: the surface is cleared for the next item.
    EXPECT_TRUE(f.imgicon->picture().isNull());

    dropFiles({program});
    EXPECT_FALSE(f.imgicon->picture().isNull());
    f.cmdaddbutt->click();
    EXPECT_EQ(page(), QStringList({"Paint", "Paint"}));
    EXPECT_EQ(fileLines().mid(3), tabLines(1, {shortcut, program}, 2));
    EXPECT_TRUE(box.fake.messages.size() == 1u && box.fake.messages[0].text == program);
}

TEST_F(EditorTest, AShortcutWithoutATargetCanStillBeAdded) {
    writeMenu(menuLines({"A"}, {0}));
    const QString shortcut = QDir(dir.path()).filePath(QStringLiteral("Panel.lnk"));
    qvtest::LnkFields layout;
    layout.virtualFolderOnly = true;
    ASSERT_TRUE(qvtest::writeLnkFile(shortcut, layout));
    frmdrop& f = open();
    dropFiles({shortcut});
    ASSERT_FALSE(box.fake.messages.empty());
    EXPECT_EQ(box.fake.messages[0].text, QStringLiteral("This shortcut does not contain a path."));
    EXPECT_EQ(f.txtappname->text(), QStringLiteral("Panel"));
    ASSERT_TRUE(f.cmdaddbutt->isEnabled());
    f.cmdaddbutt->click();
    EXPECT_EQ(fileLines().last(), QStringLiteral("Button 1=") + shortcut);
}

TEST_F(EditorTest, RemovingATabWithTheFileGoneReportsAndGoesOn) {
    writeMenu(menuLines({"A", "B"}, {1, 1}));
    frmdrop& f = open();
    ASSERT_TRUE(QFile::remove(iniPath()));
    f.cmdremovetab->click();
    EXPECT_EQ(f.ceptab->count(), 1);
    ASSERT_FALSE(box.fake.messages.empty());
    for (const auto& m : box.fake.messages) {
        EXPECT_EQ(m.title, QStringLiteral("File Not Found"));
    }
    // The captions and then the count are written again; no buttons are invented.
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Tab1=B", "Number of tabs=1"}));
}
