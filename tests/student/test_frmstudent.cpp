// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher window on the offscreen platform: start-up, pages, tabs, starts, the character
// and the drop area, observed through fakes.
#include "common/ui/imgicon.h"
#include "tests/support/studentfixture.h"

#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <cstdio>
#include <gtest/gtest.h>

using studenttest::Launcher;
using studenttest::menuText;
using studenttest::programs;

namespace {

QStringList captionsOf(int first, int last) {
    QStringList list;
    for (int n = first; n <= last; ++n) {
        list << QStringLiteral("Prog%1").arg(n);
    }
    return list;
}

// A menu that cannot be shown is told once, and nothing is loaded or greeted. (Which texts are
// no number is the count parser's; a menu too large to read, test_modini's and
// test_hostile_menus'.)
TEST(StudentStartup, MenuThatCannotBeShownSaysWhyOnce) {
    const char* const noTabs = "Error in INI file : No Tabs Found";
    // The tab count, or no file at all.
    const std::pair<const char*, const char*> rows[] = {
        {"<no file>", "Error in INI file : File Not Found"}, {"0", noTabs}, {"2x", noTabs}};
    for (const auto& [count, message] : rows) {
        Launcher l;
        QByteArray text = menuText({programs(1)});
        if (qstrcmp(count, "<no file>") != 0) {
            ASSERT_TRUE(l.writeMenu(text.replace("tabs=1", "tabs=" + QByteArray(count))));
        }
        l.load();
        ASSERT_EQ(l.box.messages.size(), 1U) << count;
        const auto& shown = l.box.messages[0];
        EXPECT_EQ(shown.text, message) << count;
        EXPECT_EQ(shown.icon, qv::MsgIcon::None) << count;
        EXPECT_EQ(shown.title, qv::programTitle()) << count;
        EXPECT_TRUE(l.character.calls.isEmpty()) << count; // nothing loaded after the message
    }
}

// Two launchers in one process: each reads the menu it was given (a menu chosen at start over the
// one in its folder), not the other's.
TEST(StudentStartup, EachWindowReadsItsOwnMenu) {
    Launcher chosen;
    Launcher beside;
    ASSERT_TRUE(chosen.writeMenu(menuText({programs(1)})));
    const QString room5 = QDir(chosen.dir.path()).filePath("room5.ini");
    ASSERT_TRUE(qvtest::writeAll(room5, menuText({programs(2, 5)})));
    chosen.services.menuPath = room5;
    chosen.load();
    beside.load({programs(1, 3)});
    EXPECT_EQ(chosen.window->profilePath(), room5);
    EXPECT_EQ(beside.window->profilePath(), beside.menuPath());
    EXPECT_EQ(chosen.captions(), captionsOf(5, 6));
    EXPECT_EQ(beside.captions(), captionsOf(3, 3));
}

// Tab captions as written, no recognizer chosen, and the status panels.
TEST(StudentStartup, TabsRecognizersAndPanelsAtStart) {
    Launcher l;
    ASSERT_TRUE(l.writeMenu("[Settings]\r\nNUMBER OF TABS=3\r\nTab1=Writing\r\nTab3=Games\r\n"
                            "Tab 2=wrong key\r\n[Tab 1]\r\nNUMBER OF BUTTONS=2\r\n"
                            "Button 1=/a/One.exe\r\nButton 2=/a/Two.exe\r\n"));
    frmstudent& w = l.load();
    ASSERT_EQ(w.ceptab->count(), 3);
    EXPECT_EQ(w.ceptab->tabText(0), "Writing");
    EXPECT_EQ(w.ceptab->tabText(1), "");
    EXPECT_EQ(w.ceptab->tabText(2), "Games");
    // Panel 3 takes the combo box's text at load: nothing is chosen, so its design text.
    EXPECT_EQ(w.panelText(3), "Combo1");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d$").match(w.panelText(1)).hasMatch())
        << w.panelText(1).toStdString();
    // The speech controls lie beyond the client area; the status bar keeps to its bottom edge.
    EXPECT_GT(w.cmdStartReco->x(), w.client->minimumWidth());
    w.resize(900, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.bar->geometry().bottom(), w.client->height() - 1);
}

// The greeting: the character at the screen's bottom right, the logon name cut to 24.
TEST(StudentStartup, GreetingFollowsScreenAndUserName) {
    const struct {
        QSize screen;
        QString logon;
        QString moved;
        QString greeting;
    } rows[] = {
        {{1920, 1080}, "", "MoveTo 1790 910", "Speak Welcome "},
        {{1024, 768},
         "abcdefghijklmnopqrstuvwxyz0123",
         "MoveTo 894 598",
         "Speak Welcome abcdefghijklmnopqrstuvwx"},
        {{1024, 768}, QString("bob") + QChar(0) + "junk", "MoveTo 894 598", "Speak Welcome bob"},
    };
    for (const auto& r : rows) {
        Launcher l;
        l.screen = r.screen;
        l.user = r.logon;
        l.load({programs(3)});
        EXPECT_EQ(l.character.calls,
                  QStringList({"Load Merlin Merlin.acs", "Show", "Listen 0", r.moved, r.greeting}))
            << r.logon.toStdString();
    }
}

TEST(StudentStartup, WithoutTheCharacterTheLauncherGoesOnSilently) {
    for (const bool noService : {false, true}) {
        Launcher l;
        l.character.loadResult = false;
        if (noService) {
            l.services.character = nullptr;
        }
        frmstudent& w = l.load({programs(3)});
        EXPECT_TRUE(l.box.messages.empty());
        EXPECT_EQ(w.character(), nullptr);
        l.press(2);
        EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog2.exe"}));
        EXPECT_EQ(l.character.calls,
                  noService ? QStringList() : QStringList({"Load Merlin Merlin.acs"}));
    }
}

// The page buttons page through the selected tab; a tab change shows its first page.
TEST(StudentPages, PageButtonsAndTabsShowTheirButtons) {
    Launcher l;
    frmstudent& w = l.load({programs(25), programs(12, 101)});
    const struct {
        char action; // 'n' ">>", 'b' "<<", a digit: that tab (from 0)
        int first, last;
        bool next, back;
    } steps[] = {{'-', 1, 10, true, false},    {'n', 11, 20, true, true},
                 {'n', 21, 25, false, true},   {'b', 11, 20, true, true},
                 {'1', 101, 110, true, false}, {'0', 1, 10, true, false}};
    for (const auto& s : steps) {
        if (s.action == 'n' || s.action == 'b') {
            QTest::mouseClick(s.action == 'n' ? w.cmdnext : w.cmdback, Qt::LeftButton);
        } else if (s.action != '-') {
            w.ceptab->setCurrentIndex(s.action - '0');
        }
        EXPECT_EQ(l.captions(), captionsOf(s.first, s.last)) << s.action << s.first;
        EXPECT_EQ(w.cmdnext->isEnabled(), s.next) << s.action << s.first;
        EXPECT_EQ(w.cmdback->isEnabled(), s.back) << s.action << s.first;
    }
    // Presses and pages read the menu again: the editor changed the second button meanwhile,
    // and the count.
    ASSERT_TRUE(l.writeMenu(menuText({{"/apps/Prog1.exe", "My Documents.lnk"}})));
    l.press(2);
    EXPECT_EQ(l.executed(), QStringList({"documents:"}));
    ASSERT_TRUE(l.writeMenu(menuText({programs(12)})));
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    EXPECT_EQ(l.captions(), captionsOf(11, 12));
}

TEST(StudentPages, MenuChangedUnderTheRunningLauncherIsShownWithinASecond) {
    Launcher l;
    frmstudent& w = l.load({programs(3), programs(13, 101)});
    w.ceptab->setCurrentIndex(1);
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    ASSERT_EQ(l.captions(), captionsOf(111, 113));
    QSignalSpy checked(&w, &frmstudent::menuChecked);
    // Replaced as the editor does: a new file renamed over the old one; then read within 1 s.
    const auto replaceMenu = [&](const QByteArray& text) {
        const QString fresh = l.menuPath() + ".new";
        checked.clear();
        return qvtest::writeAll(fresh, text) &&
               std::rename(QFile::encodeName(fresh).constData(),
                           QFile::encodeName(l.menuPath()).constData()) == 0 &&
               checked.wait(1000);
    };

    // A tab added and button 12 of the second tab changed: the pupil stays where he was.
    QStringList second = programs(13, 101);
    second[11] = "/apps/Paint.exe";
    ASSERT_TRUE(replaceMenu(menuText({programs(3), second, programs(1, 201)})));
    EXPECT_EQ(w.ceptab->count(), 3);
    EXPECT_EQ(l.captions(), QStringList({"Prog111", "Paint", "Prog113"}));

    // The first tab removed: the pupil's tab moves to the first place and keeps the pupil, by
    // its caption, on the page shown.
    QByteArray removed = menuText({second, programs(1, 201)});
    removed.replace("Tab1=Tab caption 1", "Tab1=Tab caption 2")
        .replace("Tab2=Tab caption 2", "Tab2=Tab caption 3");
    ASSERT_TRUE(replaceMenu(removed));
    EXPECT_EQ(w.ceptab->currentIndex(), 0);
    EXPECT_EQ(l.captions(), QStringList({"Prog111", "Paint", "Prog113"}));

    // A damaged count: the menu on screen stays, and the damage is told once.
    QByteArray damaged = menuText({programs(2)});
    damaged.replace("Number of tabs=1", "Number of tabs=x");
    for (const QByteArray& text : {damaged, damaged + "[Tab 9]\r\n"}) {
        ASSERT_TRUE(replaceMenu(text));
        EXPECT_EQ(l.captions(), QStringList({"Prog111", "Paint", "Prog113"}));
    }
    EXPECT_EQ(l.box.messages.size(), 1U);

    // The tab and the page are gone: the first page of the first tab.
    ASSERT_TRUE(replaceMenu(menuText({programs(14)})));
    EXPECT_EQ(w.ceptab->count(), 1);
    EXPECT_EQ(l.captions(), captionsOf(1, 10));
}

// The program folder removed under the running launcher: one message, however much the pupil
// presses; the menu is shown again once it is back.
TEST(StudentPages, MenuFolderRemovedIsToldOnceAndTheMenuComesBack) {
    Launcher l;
    frmstudent& w = l.load({programs(13), programs(2, 101)});
    QSignalSpy checked(&w, &frmstudent::menuChecked);
    const QByteArray menu = qvtest::readAll(l.menuPath());
    ASSERT_TRUE(QDir(l.dir.path()).removeRecursively());
    // Some actions before the watcher has seen it, some after.
    l.press(1);
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    EXPECT_TRUE(checked.wait(1000));
    QTest::mouseClick(w.cmdback, Qt::LeftButton);
    w.ceptab->setCurrentIndex(1);
    l.press(2);
    EXPECT_EQ(l.box.messages.size(), 1U);
    EXPECT_EQ(l.lastMessage(), "Error in INI file : File Not Found");
    EXPECT_TRUE(l.executed().isEmpty());

    checked.clear();
    ASSERT_TRUE(QDir().mkpath(l.dir.path()));
    ASSERT_TRUE(l.writeMenu(menu));
    ASSERT_TRUE(checked.wait(2000) || checked.count() > 0);
    EXPECT_EQ(l.box.messages.size(), 1U);
    w.ceptab->setCurrentIndex(0);
    l.press(2);
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog2.exe"}));
}

TEST(StudentStarts, OnlyALeftPressStartsTheButtonOfThePage) {
    Launcher l;
    frmstudent& w = l.load({programs(14)});
    QTest::mouseClick(w.cmdnext, Qt::LeftButton);
    for (const Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(w.cmdapplau->element(3), b);
    }
    EXPECT_TRUE(l.shell.starts.empty());
    // Shift and position do not matter for the left button.
    QTest::mouseClick(w.cmdapplau->element(4), Qt::LeftButton, Qt::ShiftModifier, QPoint(40, 7));
    EXPECT_EQ(l.executed(), QStringList({"execute:/apps/Prog14.exe"}));
}

// What a press starts and says, started or not; special items only in their exact case.
TEST(StudentStarts, SpecialItemsLetterCaseAndFailedStarts) {
    const struct {
        QString item;
        bool ok;
        QString start;
        QString said;
    } rows[] = {
        {"My Computer.lnk", true, "computer:", "Speak Starting My Computer"},
        {"My Documents.lnk", true, "documents:", "Speak Starting My Documents"},
        {"my computer.lnk", true, "execute:my computer.lnk", "Speak Starting my computer"},
        {"/usr/bin/ls", true, "execute:/usr/bin/ls", "Speak Starting ls"},
        {"/nowhere/Gone.exe", false, "execute:/nowhere/Gone.exe",
         "Speak Gone could not be started"},
        // Nothing to start: the element is there all the same, so that the numbers stay.
        {"", true, "", "Speak Welcome ann"},
        {"<no key>", true, "", "Speak Welcome ann"},
    };
    for (const auto& r : rows) {
        Launcher l;
        l.shell.result = r.ok;
        QByteArray text = menuText({{r.item}});
        ASSERT_TRUE(l.writeMenu(text.replace("Button 1=<no key>\r\n", "")));
        l.load();
        ASSERT_EQ(l.captions().size(), 1);
        l.press(1);
        EXPECT_EQ(l.executed(), r.start.isEmpty() ? QStringList() : QStringList({r.start}))
            << r.item.toStdString();
        EXPECT_EQ(l.character.calls.last(), r.said) << r.item.toStdString();
        if (!r.ok) { // said, not shown in a message
            EXPECT_TRUE(l.box.messages.empty()) << r.item.toStdString();
        }
    }
}

// A press hands the start facility the kind the button was built for, letter case included.
TEST(StudentStarts, EachItemStartsAsTheKindItsButtonShows) {
    using qv::MenuItemKind;
    const std::pair<QString, MenuItemKind> rows[] = {
        {"/apps/Paint.lnk", MenuItemKind::Shortcut},
        {"/apps/Paint.LNK", MenuItemKind::Other},
        {"/apps/x.Lnk", MenuItemKind::Other},
        {"/apps/x.exe", MenuItemKind::Program},
        {"/apps/x.EXE", MenuItemKind::Other},
        {"/apps/a.desktop", MenuItemKind::DesktopEntry},
        {"/apps/a.DESKTOP", MenuItemKind::Other},
        {"/apps/notes.txt", MenuItemKind::Other},
    };
    Launcher l;
    QStringList items;
    for (const auto& row : rows) {
        items << row.first;
    }
    l.load({items});
    for (int n = 1; n <= static_cast<int>(std::size(rows)); ++n) {
        l.press(n);
        ASSERT_EQ(l.shell.starts.size(), static_cast<size_t>(n));
        EXPECT_EQ(l.shell.starts.back().file, rows[n - 1].first);
        EXPECT_EQ(l.shell.starts.back().itemKind, rows[n - 1].second)
            << rows[n - 1].first.toStdString();
    }
}

// A start through the desktop's opener is announced by the opener's result: a failure is
// said as for any failed start; one still running after a moment is said to start, and a
// failure after that is said too.
TEST(StudentStarts, AnOpenersResultDecidesWhatIsSaid) {
    Launcher l;
    l.shell.throughOpener = true;
    l.load({{"My Computer.lnk", "/docs/notes.txt"}});
    const struct {
        int button;
        bool waitForStart; // until "Starting" is said before the opener ends
        bool opened;
        QStringList said; // after the press
    } rows[] = {
        {1, false, false, {"Speak My Computer could not be started"}},
        {2, false, true, {"Speak Starting notes"}},
        {2, true, false, {"Speak Starting notes", "Speak notes could not be started"}},
        {1, true, true, {"Speak Starting My Computer"}},
    };
    for (const auto& r : rows) {
        const qsizetype before = l.character.calls.size();
        l.press(r.button);
        EXPECT_EQ(l.character.calls.size(), before) << "said before the opener ended";
        if (r.waitForStart) {
            EXPECT_TRUE(qvtest::waitUntil([&] { return l.character.calls.size() > before; }, 5000));
        }
        l.shell.endOpener(r.opened);
        EXPECT_EQ(l.character.calls.mid(before), r.said) << r.button << r.opened;
    }
    // An opener that ends twice, or one the window never saw, says nothing more.
    const qsizetype before = l.character.calls.size();
    l.shell.endOpener(false);
    l.shell.openerEnded(99, false);
    EXPECT_EQ(l.character.calls.size(), before);
}

TEST(StudentFaces, CaptionsAreLiteralAndElidedWithTheFullNameInTheTooltip) {
    Launcher l;
    const QString longName = "An extraordinarily long program name";
    frmstudent& w = l.load({{"/a/Tom & Jerry.exe", "/a/" + longName + ".exe"}});
    ASSERT_EQ(l.captions().size(), 2);
    // A lone '&' would mark a mnemonic and disappear.
    EXPECT_EQ(w.cmdapplau->element(1)->text(), "Tom && Jerry");
    const QToolButton* b = w.cmdapplau->element(2);
    EXPECT_TRUE(b->text().endsWith(QChar(0x2026))) << b->text().toStdString();
    EXPECT_LT(b->fontMetrics().horizontalAdvance(b->text()), b->width());
    EXPECT_EQ(b->toolTip(), longName);
}

// Dropped as the platform drops: drag enter, then the drop. Only the icon of a program or
// shortcut is shown; the drop neither starts nor adds anything, and the next page hides it.
TEST(StudentDrop, DroppedProgramOrShortcutShowsTheIconBox) {
    const char* const cannot = "That item cannot be used!";
    // A shortcut that cannot be read has no target; the shell items say so.
    const char* const noPath = "This shortcut does not contain a path.";
    const struct {
        QList<QUrl> urls;
        bool iconShown;
        QString message; // empty: none
    } rows[] = {
        {{QUrl::fromLocalFile("/apps/Paint.exe")}, true, ""},
        {{QUrl::fromLocalFile("/apps/Word.lnk"), QUrl::fromLocalFile("/x/y.exe")}, true, noPath},
        {{QUrl::fromLocalFile("/apps/Word.LNK")}, false, ""},
        {{QUrl::fromLocalFile("/apps/notes.txt")}, false, ""},
        {{}, false, cannot},
        {{QUrl("https://example.org/a.exe")}, false, cannot},
    };
    for (const auto& c : rows) {
        Launcher l;
        frmstudent& w = l.load({programs(1)});
        QMimeData data;
        if (!c.urls.isEmpty()) {
            data.setUrls(c.urls);
        } else {
            data.setText("just text");
        }
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.Image1, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.Image1, &drop);
        const std::string what = c.urls.isEmpty() ? "<none>" : c.urls[0].toString().toStdString();
        EXPECT_EQ(w.imgicon->isVisible(), c.iconShown) << what;
        EXPECT_EQ(l.lastMessage(), c.message) << what;
        ASSERT_LE(l.box.messages.size(), 1U) << what;
        if (c.message == cannot) {
            EXPECT_EQ(l.box.messages[0].icon, qv::MsgIcon::None);
        }
        EXPECT_TRUE(l.shell.starts.empty());
        EXPECT_EQ(l.captions(), QStringList({"Prog1"}));
        w.ceptab_Click();
        EXPECT_FALSE(w.imgicon->isVisible());
    }
}

} // namespace
