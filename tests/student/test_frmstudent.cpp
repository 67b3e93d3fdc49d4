// The launcher window on the offscreen platform: start-up, pages, tabs, starts, the character
// and the drop area, observed through fakes.
#include "common/ui/imgicon.h"
#include "tests/student/studentfixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <cstdio>
#include <gtest/gtest.h>

using studenttest::Launcher;
using studenttest::menuText;
using studenttest::programs;

namespace {

// Replaces qv.ini as the editor does: a new file renamed over the old one.
bool replaceMenu(const Launcher& l, const QByteArray& text) {
    const QString ini = QDir(l.dir.path()).filePath("qv.ini");
    const QString fresh = ini + ".new";
    return qvtest::writeAll(fresh, text) && std::rename(QFile::encodeName(fresh).constData(),
                                                        QFile::encodeName(ini).constData()) == 0;
}

QStringList captionsOf(int first, int last) {
    QStringList list;
    for (int n = first; n <= last; ++n) {
        list << QStringLiteral("Prog%1").arg(n);
    }
    return list;
}

TEST(StudentStartup, MissingMenuFileSaysFileNotFoundAndLoadsNothing) {
    Launcher l;
    frmstudent& w = l.load();
    ASSERT_EQ(l.box.fake.messages.size(), 1U);
    EXPECT_EQ(l.box.fake.messages[0].text, "Error in INI file : File Not Found");
    EXPECT_EQ(l.box.fake.messages[0].icon, qv::MsgIcon::None);
    EXPECT_EQ(l.box.fake.messages[0].title, qv::programTitle());
    EXPECT_EQ(w.ceptab->count(), 0);
    EXPECT_EQ(w.loadedButtons, 0);
    EXPECT_TRUE(l.character.calls.isEmpty()) << l.character.calls.join('|').toStdString();
    EXPECT_EQ(w.character(), nullptr);
}

TEST(StudentStartup, TabCountThatIsNoPositiveNumberOrATooLargeFileSaysWhyOnce) {
    const char* const noTabs = "Error in INI file : No Tabs Found";
    const struct {
        const char* v;
        const char* text;
        bool tooLarge;
    } rows[] = {
        {"0", noTabs, false},     {"", noTabs, false},
        {"abc", noTabs, false},   {"-1", noTabs, false},
        {"99999", noTabs, false}, {"1.5", noTabs, false},
        {"2x", noTabs, false},    {"0x10", noTabs, false},
        {nullptr, noTabs, false}, {"1", "qv.ini is larger than 64 MiB and is not read", true}};
    for (const auto& [v, message, tooLarge] : rows) {
        Launcher l;
        QByteArray text = "[Settings]\r\n";
        if (v) {
            text += QByteArray("Number of tabs=") + v + "\r\nTab1=One\r\n";
        }
        text += "[Tab 1]\r\nNumber of Buttons=1\r\nButton 1=/apps/a.exe\r\n";
        ASSERT_TRUE(l.writeMenu(text));
        if (tooLarge) { // sparse: no disk spent
            QFile file(QDir(l.dir.path()).filePath("qv.ini"));
            ASSERT_TRUE(file.resize(qint64{65} << 20));
        }
        frmstudent& w = l.load();
        const std::string which = v ? v : "<missing>";
        ASSERT_EQ(l.box.fake.messages.size(), 1U) << which;
        EXPECT_EQ(l.box.fake.messages[0].text, message) << which;
        EXPECT_EQ(l.box.fake.messages[0].icon, tooLarge ? qv::MsgIcon::Stop : qv::MsgIcon::None);
        EXPECT_EQ(w.ceptab->count(), 0) << which;
        EXPECT_EQ(w.loadedButtons, 0) << which;
        EXPECT_TRUE(l.character.calls.isEmpty()) << which;
    }
}

TEST(StudentStartup, TabsGetCaptionsFromTabKeysWithoutBlank) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu("[Settings]\r\nNumber of tabs=3\r\nTab1=Writing\r\nTab3=Games\r\n"
                            "Tab 2=wrong key\r\n[Tab 1]\r\nNumber of Buttons=0\r\n"));
    frmstudent& w = l.load();
    EXPECT_TRUE(l.box.fake.messages.empty());
    ASSERT_EQ(w.ceptab->count(), 3);
    EXPECT_EQ(w.ceptab->tabText(0), "Writing");
    EXPECT_EQ(w.ceptab->tabText(1), "");
    EXPECT_EQ(w.ceptab->tabText(2), "Games");
    EXPECT_EQ(w.ceptab->currentIndex(), 0);
}

TEST(StudentStartup, CountKeyInCapitalsIsRead) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu("[Settings]\r\nNUMBER OF TABS=1\r\nTab1=A\r\n[Tab 1]\r\n"
                            "NUMBER OF BUTTONS=3\r\nButton 1=/a/One.exe\r\nButton 2=/a/Two.exe\r\n"
                            "Button 3=/a/Six.exe\r\n"));
    l.load();
    EXPECT_EQ(l.captions(), QStringList({"One", "Two", "Six"}));
}

TEST(StudentStartup, GreetingAtBottomRightOfA1024By768Screen) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(3)})));
    frmstudent& w = l.load();
    EXPECT_EQ(l.character.calls, QStringList({"Load Merlin Merlin.acs", "Show", "Listen 0",
                                              "MoveTo 894 598", "Speak Welcome ann"}));
    EXPECT_EQ(w.character(), &l.character);
    EXPECT_TRUE(w.isVisible());
}

TEST(StudentStartup, GreetingFollowsTheScreenSize) {
    Launcher l;
    l.screen = QSize(1920, 1080);
    ASSERT_TRUE(l.writeMenu(menuText({programs(1)})));
    l.load();
    EXPECT_TRUE(l.character.calls.contains("MoveTo 1790 910"));
}

TEST(StudentStartup, UserNameKeepsAtMostTwentyFourCharacters) {
    struct Case {
        QString logon;
        QString greeting;
    };
    const Case cases[] = {
        {"", "Speak Welcome "},
        {"abcdefghijklmnopqrstuvwx", "Speak Welcome abcdefghijklmnopqrstuvwx"},
        {"abcdefghijklmnopqrstuvwxyz0123", "Speak Welcome abcdefghijklmnopqrstuvwx"},
        {QString("bob") + QChar(0) + "junk", "Speak Welcome bob"},
    };
    for (const Case& c : cases) {
        Launcher l;
        l.user = c.logon;
        ASSERT_TRUE(l.writeMenu(menuText({programs(1)})));
        frmstudent& w = l.load();
        EXPECT_LE(w.userName.size(), 24);
        EXPECT_EQ(l.character.calls.last(), c.greeting) << c.logon.toStdString();
    }
}

TEST(StudentStartup, WithoutCharacterDataTheLauncherGoesOnSilently) {
    Launcher l;
    l.character.loadResult = false;
    ASSERT_TRUE(l.writeMenu(menuText({programs(3)})));
    frmstudent& w = l.load();
    EXPECT_TRUE(l.box.fake.messages.empty());
    EXPECT_EQ(w.character(), nullptr);
    EXPECT_EQ(l.captions(), captionsOf(1, 3));
    w.cmdapplau_MouseDown(2, Qt::LeftButton, Qt::NoModifier, 0, 0);
    w.cmdStartReco_Click();
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog2.exe"}));
    EXPECT_EQ(l.character.calls, QStringList({"Load Merlin Merlin.acs"}));
}

TEST(StudentStartup, WithoutAnyCharacterServiceTheLauncherWorks) {
    Launcher l;
    l.services.character = nullptr;
    ASSERT_TRUE(l.writeMenu(menuText({programs(2)})));
    frmstudent& w = l.load();
    w.cmdapplau_MouseDown(1, Qt::LeftButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog1.exe"}));
    EXPECT_TRUE(l.character.calls.isEmpty());
}

TEST(StudentStartup, ControlsTextsAndStatusPanels) {
    Launcher l;
    l.speech.recognizerNames = {"First recognizer", "Second recognizer"};
    ASSERT_TRUE(l.writeMenu(menuText({programs(1)})));
    frmstudent& w = l.load();
    EXPECT_EQ(w.windowTitle(), "Quorvel Student");
    EXPECT_EQ(w.Label1->text(), "QUORVEL");
    EXPECT_EQ(w.cmdback->text(), "<<");
    EXPECT_EQ(w.cmdnext->text(), ">>");
    EXPECT_EQ(w.cmdStartReco->text(), "Start Recognition");
    EXPECT_TRUE(w.cmdStartReco->font().bold());
    EXPECT_EQ(w.Image1->text(), "Drop here...");
    EXPECT_EQ(w.mnufile->title(), "Wizard");
    EXPECT_EQ(w.mnuAnimate->text(), "Animate Character");
    EXPECT_EQ(w.mnuhide->text(), "Hide Oracle");
    ASSERT_EQ(w.cmbEngines->count(), 2);
    EXPECT_EQ(w.cmbEngines->itemText(0), "First recognizer");
    EXPECT_EQ(w.cmbEngines->itemText(1), "Second recognizer");
    EXPECT_EQ(w.cmbEngines->currentIndex(), -1);
    // Panel 3 takes the combo box's text at load: nothing is chosen, so its design text.
    EXPECT_EQ(w.panelText(3), "Combo1");
    EXPECT_EQ(w.panelText(2), "");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d$").match(w.panelText(1)).hasMatch())
        << w.panelText(1).toStdString();
    EXPECT_EQ(w.bar->findChildren<QLabel*>().size(), 3);
}

TEST(StudentStartup, SpeechControlsLieBeyondTheClientAreaOfAResizableWindow) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(1)})));
    frmstudent& w = l.load();
    EXPECT_GT(w.cmdStartReco->x(), w.client->minimumWidth());
    EXPECT_GT(w.maximumWidth(), w.width());
    // The status bar keeps to the bottom edge when the window grows.
    w.resize(900, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.bar->geometry().bottom(), w.client->height() - 1);
    EXPECT_EQ(w.bar->width(), w.client->width());
}

// The page buttons page through the selected tab; a tab change shows its first page.
TEST(StudentPages, PageButtonsAndTabsShowTheirButtons) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(25), programs(12, 101)})));
    frmstudent& w = l.load();
    const struct {
        char action; // 'n' ">>", 'b' "<<", a digit: that tab (from 0)
        int first, last;
        bool next, back;
    } steps[] = {{'-', 1, 10, true, false},    {'n', 11, 20, true, true},
                 {'n', 21, 25, false, true},   {'b', 11, 20, true, true},
                 {'1', 101, 110, true, false}, {'n', 111, 112, false, true},
                 {'0', 1, 10, true, false}};
    for (const auto& s : steps) {
        if (s.action == 'n' || s.action == 'b') {
            QPushButton* button = s.action == 'n' ? w.cmdnext : w.cmdback;
            ASSERT_TRUE(button->isEnabled()) << s.action << s.first;
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (s.action != '-') {
            w.ceptab->setCurrentIndex(s.action - '0');
        }
        EXPECT_EQ(l.captions(), captionsOf(s.first, s.last)) << s.action << s.first;
        EXPECT_EQ(w.cmdnext->isEnabled(), s.next) << s.action << s.first;
        EXPECT_EQ(w.cmdback->isEnabled(), s.back) << s.action << s.first;
        for (int i = 1; i <= w.loadedButtons; ++i) {
            EXPECT_TRUE(w.cmdapplau->element(i)->isVisible()) << s.action << s.first;
        }
        EXPECT_EQ(w.cmdapplau->element(w.loadedButtons + 1), nullptr) << s.action << s.first;
    }
}

TEST(StudentPages, TabWithoutSectionOrWithBadCountShowsNoButtons) {
    const char* const counts[] = {"abc", "40000", ""};
    for (const char* count : counts) {
        Launcher l;
        QByteArray text = "[Settings]\r\nNumber of tabs=3\r\nTab1=A\r\nTab2=B\r\nTab3=C\r\n"
                          "[Tab 1]\r\nNumber of Buttons=2\r\nButton 1=/a/x.exe\r\n"
                          "Button 2=/a/y.exe\r\n[Tab 2]\r\nNumber of Buttons=";
        text += count;
        text += "\r\nButton 1=/a/z.exe\r\n";
        ASSERT_TRUE(l.writeMenu(text));
        frmstudent& w = l.load();
        EXPECT_EQ(w.loadedButtons, 2);
        w.ceptab->setCurrentIndex(1);
        EXPECT_EQ(w.loadedButtons, 0) << count;
        EXPECT_FALSE(w.cmdnext->isEnabled()) << count;
        w.cmdapplau_MouseDown(1, Qt::LeftButton, Qt::NoModifier, 0, 0);
        w.ceptab->setCurrentIndex(2); // no section at all
        EXPECT_EQ(w.loadedButtons, 0);
        w.ceptab->setCurrentIndex(0);
        EXPECT_EQ(w.loadedButtons, 2) << count;
        EXPECT_TRUE(l.box.fake.messages.empty()) << count;
    }
}

TEST(StudentPages, PagesRereadTheMenuAtEveryChange) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(11)})));
    frmstudent& w = l.load();
    // The editor adds a button meanwhile.
    ASSERT_TRUE(l.writeMenu(menuText({programs(12)})));
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    EXPECT_EQ(l.captions(), captionsOf(11, 12));
}

TEST(StudentPages, MenuChangedUnderTheRunningLauncherIsShownWithinASecond) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(3), programs(13, 101)})));
    frmstudent& w = l.load();
    w.ceptab->setCurrentIndex(1);
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    ASSERT_EQ(l.captions(), captionsOf(111, 113));
    QSignalSpy checked(&w, &frmstudent::menuChecked);

    // A tab added and button 12 of the second tab changed: the pupil stays where he was.
    QStringList second = programs(13, 101);
    second[11] = "/apps/Paint.exe";
    ASSERT_TRUE(replaceMenu(l, menuText({programs(3), second, programs(1, 201)})));
    ASSERT_TRUE(checked.wait(1000));
    EXPECT_EQ(checked.takeFirst().value(0).toBool(), true);
    EXPECT_EQ(w.ceptab->count(), 3);
    EXPECT_EQ(w.ceptab->currentIndex(), 1);
    EXPECT_EQ(w.pageOffset(), 10);
    EXPECT_EQ(l.captions(), QStringList({"Prog111", "Paint", "Prog113"}));
    EXPECT_FALSE(w.cmdnext->isEnabled());
    EXPECT_TRUE(w.cmdback->isEnabled());

    // A damaged count: the menu on screen stays, and the damage is told once.
    QByteArray damaged = menuText({programs(2)});
    damaged.replace("Number of tabs=1", "Number of tabs=x");
    for (const QByteArray& text : {damaged, damaged + "[Tab 9]\r\n"}) {
        checked.clear();
        ASSERT_TRUE(replaceMenu(l, text));
        ASSERT_TRUE(checked.wait(1000));
        EXPECT_EQ(checked.takeFirst().value(0).toBool(), false);
        EXPECT_EQ(w.ceptab->count(), 3);
        EXPECT_EQ(l.captions(), QStringList({"Prog111", "Paint", "Prog113"}));
    }
    ASSERT_EQ(l.box.fake.messages.size(), 1U);
    EXPECT_EQ(l.box.fake.messages[0].text, "Error in INI file : No Tabs Found");

    // The tab and the page are gone: the first page of the first tab.
    ASSERT_TRUE(replaceMenu(l, menuText({programs(4)})));
    ASSERT_TRUE(checked.wait(1000));
    EXPECT_EQ(w.ceptab->count(), 1);
    EXPECT_EQ(w.pageOffset(), 0);
    EXPECT_EQ(l.captions(), captionsOf(1, 4));
    EXPECT_FALSE(w.cmdback->isEnabled());
    EXPECT_EQ(l.box.fake.messages.size(), 1U);
}

TEST(StudentStarts, ElementThreeOnPageTwoStartsButtonThirteen) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(14)})));
    frmstudent& w = l.load();
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    QToolButton* third = w.cmdapplau->element(3);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->text(), "Prog13");
    QTest::mousePress(third, Qt::LeftButton);
    QTest::mouseRelease(third, Qt::LeftButton);
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog13.exe"}));
    EXPECT_EQ(l.character.calls.last(), "Speak Starting Prog13");
}

TEST(StudentStarts, RightAndMiddlePressesStartNothing) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(3)})));
    frmstudent& w = l.load();
    const QStringList before = l.character.calls;
    QTest::mousePress(w.cmdapplau->element(1), Qt::RightButton);
    QTest::mouseRelease(w.cmdapplau->element(1), Qt::RightButton);
    QTest::mousePress(w.cmdapplau->element(2), Qt::MiddleButton);
    QTest::mouseRelease(w.cmdapplau->element(2), Qt::MiddleButton);
    w.cmdapplau_MouseDown(3, Qt::RightButton, Qt::NoModifier, 0, 0);
    w.cmdapplau_MouseDown(3, Qt::MiddleButton, Qt::NoModifier, 0, 0);
    EXPECT_TRUE(l.shell.starts.empty());
    EXPECT_EQ(l.character.calls, before);
    // Shift and position do not matter for the left button.
    w.cmdapplau_MouseDown(3, Qt::LeftButton, Qt::ShiftModifier, 40, 7);
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog3.exe"}));
}

TEST(StudentStarts, SpecialItemsAndTheirLetterCase) {
    struct Case {
        QString item;
        QString start;
        QString said;
    };
    const Case cases[] = {
        {"My Computer.lnk", "computer:", "Speak Starting My Computer"},
        {"My Documents.lnk", "documents:", "Speak Starting My Documents"},
        {"my computer.lnk", "execute:my computer.lnk", "Speak Starting my computer"},
        {"MY DOCUMENTS.LNK", "execute:MY DOCUMENTS.LNK", "Speak Starting MY DOCUMENTS"},
        {"/home/ann/notes.txt", "execute:/home/ann/notes.txt", "Speak Starting notes"},
        {"/apps/Word.lnk", "execute:/apps/Word.lnk", "Speak Starting Word"},
        {"C:\\Apps\\Paint.exe", "execute:C:\\Apps\\Paint.exe", "Speak Starting Paint"},
        {"/usr/bin/ls", "execute:/usr/bin/ls", "Speak Starting ls"},
    };
    for (const Case& c : cases) {
        Launcher l;
        ASSERT_TRUE(l.writeMenu(menuText({{c.item}})));
        frmstudent& w = l.load();
        w.cmdapplau_MouseDown(1, Qt::LeftButton, Qt::NoModifier, 0, 0);
        EXPECT_EQ(l.executed(), QStringList({c.start})) << c.item.toStdString();
        EXPECT_EQ(l.character.calls.last(), c.said) << c.item.toStdString();
    }
}

TEST(StudentStarts, SpecialItemsAreShownFromTheStandardFolder) {
    Launcher l;
    ASSERT_TRUE(
        l.writeMenu(menuText({{"My Computer.lnk", "My Documents.lnk", "my computer.lnk"}})));
    l.load();
    EXPECT_EQ(l.captions(), QStringList({"My Computer", "My Documents", "my computer"}));
}

TEST(StudentStarts, FailedStartIsAnnouncedAsSuchWithoutAMessage) {
    Launcher l;
    l.shell.result = false;
    ASSERT_TRUE(
        l.writeMenu(menuText({{"/nowhere/Gone.exe", "My Computer.lnk", "My Documents.lnk"}})));
    frmstudent& w = l.load();
    const QStringList said = {"Speak Gone could not be started",
                              "Speak My Computer could not be started",
                              "Speak My Documents could not be started"};
    for (int k = 1; k <= 3; ++k) {
        w.cmdapplau_MouseDown(k, Qt::LeftButton, Qt::NoModifier, 0, 0);
        EXPECT_EQ(l.character.calls.last(), said[k - 1]);
    }
    EXPECT_EQ(l.shell.starts.size(), 3U);
    EXPECT_TRUE(l.box.fake.messages.empty());
}

TEST(StudentFaces, CaptionsAreLiteralAndElidedWithTheFullNameInTheTooltip) {
    Launcher l;
    const QString longName = "An extraordinarily long program name";
    ASSERT_TRUE(l.writeMenu(menuText({{"/a/Tom & Jerry.exe", "/a/" + longName + ".exe",
                                       "/a/WWWWWWWWWWWWWWWWWWWWWWWW.exe", "/a/Paint.exe"}})));
    frmstudent& w = l.load();
    ASSERT_EQ(w.loadedButtons, 4);
    struct Case {
        QString full;
        bool elided;
    };
    const Case cases[] = {{"Tom & Jerry", false},
                          {longName, true},
                          {"WWWWWWWWWWWWWWWWWWWWWWWW", true},
                          {"Paint", false}};
    for (int k = 1; k <= 4; ++k) {
        const Case& c = cases[k - 1];
        const QToolButton* b = w.cmdapplau->element(k);
        QString shown = b->text();
        shown.replace("&&", "&");
        EXPECT_EQ(b->toolTip(), c.full);
        EXPECT_EQ(b->accessibleName(), c.full);
        EXPECT_EQ(shown.endsWith(QChar(0x2026)), c.elided) << shown.toStdString();
        EXPECT_EQ(shown == c.full, !c.elided) << shown.toStdString();
        EXPECT_LT(b->fontMetrics().horizontalAdvance(shown), b->width()) << shown.toStdString();
    }
    // A lone '&' would mark a mnemonic and disappear.
    EXPECT_EQ(w.cmdapplau->element(1)->text(), "Tom && Jerry");
}

TEST(StudentStarts, ItemIsRereadAtEveryPress) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(2)})));
    frmstudent& w = l.load();
    ASSERT_TRUE(l.writeMenu(menuText({{"/apps/Prog1.exe", "My Documents.lnk"}})));
    w.cmdapplau_MouseDown(2, Qt::LeftButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(l.executed(), QStringList({"documents:"}));
}

TEST(StudentStarts, EmptyOrMissingButtonKeyStartsAndSaysNothing) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu("[Settings]\r\nNumber of tabs=1\r\nTab1=A\r\n[Tab 1]\r\n"
                            "Number of Buttons=3\r\nButton 1=/a/One.exe\r\nButton 3=\r\n"));
    frmstudent& w = l.load();
    ASSERT_EQ(w.loadedButtons, 3);
    EXPECT_EQ(l.captions().value(0), "One");
    // Empty items still get an element, so that the numbers of the page stay in place.
    EXPECT_NE(w.cmdapplau->element(2), nullptr);
    EXPECT_NE(w.cmdapplau->element(3), nullptr);
    const QStringList before = l.character.calls;
    w.cmdapplau_MouseDown(2, Qt::LeftButton, Qt::NoModifier, 0, 0);
    w.cmdapplau_MouseDown(3, Qt::LeftButton, Qt::NoModifier, 0, 0);
    EXPECT_TRUE(l.shell.starts.empty());
    EXPECT_EQ(l.character.calls, before);
    EXPECT_TRUE(l.box.fake.messages.empty());
}

TEST(StudentDrop, DroppedProgramOrShortcutShowsTheIconBox) {
    const char* const cannot = "That item cannot be used!";
    // A shortcut that cannot be read has no target; the shell items say so.
    const char* const noPath = "This shortcut does not contain a path.";
    struct Case {
        QList<QUrl> urls;
        bool iconShown;
        QString type;
        QString message; // empty: none
    };
    const Case cases[] = {
        {{QUrl::fromLocalFile("/apps/Paint.exe")}, true, "exe", ""},
        {{QUrl::fromLocalFile("/apps/Word.lnk"), QUrl::fromLocalFile("/x/y.exe")},
         true,
         "lnk",
         noPath},
        {{QUrl::fromLocalFile("/apps/Word.LNK")}, false, "LNK", ""},
        {{QUrl::fromLocalFile("/apps/notes.txt")}, false, "txt", ""},
        {{}, false, "", cannot},
        {{QUrl("https://example.org/a.exe")}, false, "", cannot},
    };
    for (const Case& c : cases) {
        Launcher l;
        ASSERT_TRUE(l.writeMenu(menuText({programs(1)})));
        frmstudent& w = l.load();
        ASSERT_TRUE(w.Image1->isVisible());
        ASSERT_FALSE(w.imgicon->isVisible());
        QMimeData data;
        if (!c.urls.isEmpty()) {
            data.setUrls(c.urls);
        } else {
            data.setText("just text");
        }
        w.Image1_OLEDragDrop(&data);
        const std::string what = c.urls.isEmpty() ? "<none>" : c.urls[0].toString().toStdString();
        EXPECT_EQ(w.imgicon->isVisible(), c.iconShown) << what;
        EXPECT_EQ(w.Image1->isVisible(), !c.iconShown) << what;
        if (!c.type.isEmpty()) {
            EXPECT_EQ(w.droppedType, c.type) << what;
        }
        ASSERT_EQ(l.box.fake.messages.size(), c.message.isEmpty() ? 0U : 1U) << what;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(l.box.fake.messages[0].text, c.message);
        }
        // The drop neither starts nor adds anything, and the next page hides the icon again.
        EXPECT_TRUE(l.shell.starts.empty());
        EXPECT_EQ(w.loadedButtons, 1);
        w.ceptab_Click();
        EXPECT_TRUE(w.Image1->isVisible());
        EXPECT_FALSE(w.imgicon->isVisible());
    }
}

TEST(StudentDrop, NoFileMessageHasNoIcon) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(1)})));
    frmstudent& w = l.load();
    QMimeData empty;
    w.Image1_OLEDragDrop(&empty);
    ASSERT_EQ(l.box.fake.messages.size(), 1U);
    EXPECT_EQ(l.box.fake.messages[0].icon, qv::MsgIcon::None);
    EXPECT_EQ(l.box.fake.messages[0].title, qv::programTitle());
}

TEST(StudentDrop, DropThroughTheDragAndDropProtocol) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(1)})));
    frmstudent& w = l.load();
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile("/apps/Calc.exe")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.Image1, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.Image1, &drop);
    EXPECT_EQ(w.droppedFile, "/apps/Calc.exe");
    EXPECT_TRUE(w.imgicon->isVisible());
    delete data;
}

TEST(StudentMenu, MenuEntriesDoNothing) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu(menuText({programs(2)})));
    frmstudent& w = l.load();
    const QStringList calls = l.character.calls;
    w.mnuAnimate->trigger();
    w.mnuhide->trigger();
    EXPECT_EQ(l.character.calls, calls);
    EXPECT_TRUE(l.shell.starts.empty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.loadedButtons, 2);
}

} // namespace
