// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window on a menu file of the test's own, with fake message boxes and starts:
// loading, paging and presses, tab editing, drops and button editing, checked against the menu
// file's exact lines.
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "platform/dialogs/messagebox.h"
#include "platform/shell/shell.h"
#include "teach/frmdrop.h"
#include "tests/support/testutil.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace {

const QString kTitle = QStringLiteral("Quorvel Manger");
const QString kCannotUse = QStringLiteral("That item cannot be used!");

// The captions of the generated buttons from..to of a tab, and the items they stand for.
// The texts made of the elements of a list.
template <class List, class Text> QStringList texts(const List& list, Text text) {
    QStringList out;
    for (const auto& e : list) {
        out << text(e);
    }
    return out;
}
QStringList captions(const QString& tab, int from, int to) {
    QStringList out;
    for (int b = from; b <= to; ++b) {
        out << QStringLiteral("%1B%2").arg(tab).arg(b);
    }
    return out;
}
QStringList asItems(const QStringList& captions) {
    return texts(captions, [](const QString& c) { return "/apps/" + c + ".exe"; });
}

// The section of tab t: its count, then the values as buttons 1, 2, ...
QStringList section(int t, const QStringList& values, qsizetype count) {
    QStringList lines{QStringLiteral("[Tab %1]").arg(t),
                      QStringLiteral("Number of Buttons=%1").arg(count)};
    for (int b = 1; b <= values.size(); ++b) {
        lines << QStringLiteral("Button %1=%2").arg(b).arg(values[b - 1]);
    }
    return lines;
}

// A menu of the given tabs; tab t holds counts[t-1] generated buttons, or no section for -1.
QStringList menuLines(const QStringList& tabs, const std::vector<int>& counts) {
    QStringList lines{QStringLiteral("[Settings]"),
                      QStringLiteral("Number of tabs=%1").arg(tabs.size())};
    for (int t = 1; t <= tabs.size(); ++t) {
        lines << QStringLiteral("Tab%1=%2").arg(t).arg(tabs[t - 1]);
    }
    for (int t = 1; t <= int(counts.size()); ++t) {
        if (counts[t - 1] >= 0) {
            lines += section(t, asItems(captions(tabs[t - 1], 1, counts[t - 1])), counts[t - 1]);
        }
    }
    return lines;
}

class Editor : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { forgetMessages(); }

    // Every notice of the editor carries its title; a missing file and an unreadable shortcut
    // are told by the readers, under their own.
    void forgetMessages() {
        for (const auto& m : box.messages) {
            if (m.text.endsWith(QStringLiteral(" not found."))) {
                EXPECT_EQ(m.title, QStringLiteral("File Not Found"));
            } else if (!m.text.startsWith(QStringLiteral("This shortcut"))) {
                EXPECT_EQ(m.title, kTitle) << m.text.toStdString();
            }
        }
        box.messages.clear();
    }

    QString iniPath() const { return dir.filePath(QStringLiteral("qv.ini")); }
    QByteArray bytes() const { return qvtest::readAll(iniPath()); }
    // The file's lines without their CR LF ends.
    QStringList fileLines() const {
        QStringList lines = QString::fromUtf8(bytes()).split(QStringLiteral("\r\n"));
        if (lines.last().isEmpty()) {
            lines.removeLast();
        }
        return lines;
    }

    // A new window on the menu, or on the file as it is, loaded; the notices so far are done
    // with.
    frmdrop& open(const QStringList& menu = {}) {
        forgetMessages();
        if (!menu.isEmpty()) {
            EXPECT_TRUE(qvtest::writeAll(iniPath(), (menu.join("\r\n") + "\r\n").toUtf8()));
        }
        qv::Services services;
        services.shell = &shell;
        services.messages = &box;
        w = std::make_unique<frmdrop>(services, dir.path());
        w->Form_Load();
        return *w;
    }

    // The captions of the launch buttons shown, in element order.
    QStringList page() const {
        QStringList out;
        while (const QToolButton* b = w->cmdapplau->element(int(out.size()) + 1)) {
            out << b->text();
        }
        return out;
    }
    QStringList tabTexts() const {
        QStringList out;
        for (int i = 0; i < w->ceptab->count(); ++i) {
            out << w->ceptab->tabText(i);
        }
        return out;
    }
    // Back to waiting for a drop: nothing previewed, nothing to add.
    bool waiting() const {
        return !w->cmdaddbutt->isEnabled() && !w->Image1->isHidden() && w->imgicon->isHidden() &&
               w->txtTarget->text().isEmpty();
    }
    QStringList said() const {
        return texts(box.messages, [](const auto& m) { return m.text; });
    }
    QStringList started() const {
        return texts(shell.starts, [](const auto& s) { return s.file; });
    }
    void press(int element, Qt::MouseButton button) {
        w->cmdapplau_MouseDown(element, button, Qt::NoModifier, 0, 0);
    }

    // Drops data on the drop area as the platform does: drag enter, then the drop.
    bool drop(QMimeData* data) {
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->Image1, &enter);
        QDropEvent ev(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->Image1, &ev);
        delete data;
        return enter.isAccepted() && ev.isAccepted();
    }
    bool dropFiles(const QStringList& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        std::transform(paths.begin(), paths.end(), std::back_inserter(urls), QUrl::fromLocalFile);
        data->setUrls(urls);
        return drop(data);
    }
    // Drops one program and adds it; the path is shown in a message before it is placed.
    void addProgram(const QString& path) {
        dropFiles({path});
        ASSERT_TRUE(w->cmdaddbutt->isEnabled()) << path.toStdString();
        w->cmdaddbutt->click();
    }

    QTemporaryDir dir;
    qv::FakeMessageBox box;
    qv::FakeShell shell;
    std::unique_ptr<frmdrop> w;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Loading, pages and presses

// The pages themselves are the pager's; the window shows the first one of a tab when it is
// clicked, and puts the tab's caption in the caption box.
TEST_F(Editor, LoadShowsTabsAndTheFirstPageOfTheFirstTab) {
    open(menuLines({"Writing", "Games", ""}, {3, 12, -1}));
    EXPECT_EQ(tabTexts(), QStringList({"Writing", "Games", ""}));
    EXPECT_EQ(page(), captions("Writing", 1, 3));
    // The caption box keeps its text until a tab is clicked.
    EXPECT_EQ(w->txttabcaption->text(), QStringLiteral("Tab Caption"));

    w->ceptab->setCurrentIndex(1);
    EXPECT_EQ(w->txttabcaption->text(), QStringLiteral("Games"));
    w->cmdnext->click();
    EXPECT_EQ(page(), captions("Games", 11, 12));
    w->ceptab->setCurrentIndex(2);
    w->ceptab->setCurrentIndex(1);
    EXPECT_EQ(page(), captions("Games", 1, 10));
}

// A left press starts what the button stands for, with the standard folder filled in for the
// special items only; a missing key keeps the later numbers and starts nothing.
TEST_F(Editor, LeftPressStartsTheStoredItem) {
    open({"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=5",
          "Button 1=My Computer.lnk", "Button 2=my computer.lnk", "Button 3=My Documents.lnk",
          "Button 5=/a/Five.exe"});
    EXPECT_EQ(page(), QStringList({"My Computer", "my computer", "My Documents", "", "Five"}));
    for (int k = 1; k <= 5; ++k) {
        press(k, Qt::LeftButton);
    }
    EXPECT_EQ(started(), QStringList({dir.filePath("standard/My Computer.lnk"), "my computer.lnk",
                                      dir.filePath("standard/My Documents.lnk"), "/a/Five.exe"}));
}

TEST_F(Editor, PressesOnTheButtonItselfStartAndDelete) {
    open(menuLines({"A"}, {3}));
    QTest::mouseClick(w->cmdapplau->element(2), Qt::LeftButton);
    QTest::mousePress(w->cmdapplau->element(2), Qt::MiddleButton);
    QApplication::processEvents();
    EXPECT_EQ(started(), asItems(captions("A", 2, 2)));

    // The right press deletes the very button pressed; the window must survive that.
    QTest::mousePress(w->cmdapplau->element(2), Qt::RightButton);
    QApplication::processEvents();
    EXPECT_EQ(page(), captions("A", 1, 1) + captions("A", 3, 3));
    EXPECT_EQ(started().size(), 1);
}

TEST_F(Editor, UnreadableTabCountIsShownAndTabEditingRefused) {
    open({"[Settings]", "Number of tabs=two", "Tab1=A", "Tab2=B"});
    const QByteArray before = bytes();
    w->cmdaddtab->click();
    w->cmdremovetab->click();
    EXPECT_EQ(w->ceptab->count(), 0);
    // Once at the load, once for each refused change.
    EXPECT_TRUE(said().value(0).contains("two"));
    EXPECT_EQ(said(), QStringList(3, said().value(0)));
    EXPECT_EQ(bytes(), before);
}

// ---------------------------------------------------------------------------------------------
// Tabs

TEST_F(Editor, AddTabWithTheUntouchedCaptionBox) {
    open(menuLines({"A", "B", "C"}, {1, -1, -1}));
    w->cmdaddtab->click();
    EXPECT_EQ(tabTexts(), QStringList({"A", "B", "C", "Tab Caption"}));
    EXPECT_EQ(fileLines(), menuLines({"A", "B", "C", "Tab Caption"}, {1}));

    w->txttabcaption->clear();
    w->cmdaddtab->click();
    const QStringList tabs{"A", "B", "C", "Tab Caption", ""};
    EXPECT_EQ(fileLines(), menuLines(tabs, {1}));

    // At the next start the tabs come back as written, the empty caption included.
    open();
    EXPECT_EQ(tabTexts(), tabs);
}

// Removing a tab gives the menu without it: the later tabs, their captions and their sections
// move down one place.
TEST_F(Editor, RemoveATabOfFour) {
    const struct {
        std::vector<int> counts; // -1: the tab has no section
        int removed;             // from 0
    } rows[] = {{{2, 1, 3, 2}, 1}, {{2, 1, 3, 2}, 3}, {{1, 1, -1, 2}, 1}};
    for (const auto& r : rows) {
        QStringList tabs{"A", "B", "C", "D"};
        std::vector<int> counts = r.counts;
        open(menuLines(tabs, counts));
        w->ceptab->setCurrentIndex(r.removed);
        w->cmdremovetab->click();
        tabs.removeAt(r.removed);
        counts.erase(counts.begin() + r.removed);
        EXPECT_EQ(fileLines(), menuLines(tabs, counts)) << r.removed;
        // The strip selects the tab that took the removed one's place, or the one before.
        const int shown = std::min(r.removed, 2);
        EXPECT_EQ(w->selectedTab(), shown + 1);
        EXPECT_EQ(w->txttabcaption->text(), tabs[shown]);
        EXPECT_EQ(page(), captions(tabs[shown], 1, counts[shown]));
        EXPECT_TRUE(said().isEmpty());
    }
}

TEST_F(Editor, RemoveTheOnlyTabLeavesAUsableEmptyWindow) {
    open(menuLines({"A"}, {2}));
    w->cmdremovetab->click();
    // "&Remove" or a tab click with no tab does nothing; a dropped program cannot be added
    // without a tab, and that is said.
    w->cmdremovetab->click();
    w->ceptab_Click();
    addProgram(QStringLiteral("/apps/Paint.exe"));
    ASSERT_EQ(said().size(), 1);
    EXPECT_TRUE(said()[0].contains("no tab"));
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=0"}));
    EXPECT_TRUE(page().isEmpty());

    // A new tab can be made and filled; its first button starts a section of its own.
    w->txttabcaption->setText(QStringLiteral("New"));
    w->cmdaddtab->click();
    addProgram(QStringLiteral("/apps/Paint.exe"));
    EXPECT_EQ(page(), QStringList({"Paint"}));
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=1", "Tab1=New", "[Tab 1]",
                                        "Button 1=/apps/Paint.exe", "Number of Buttons=1"}));
}

// A change is made to the file as it is now: with the file gone there is no tab to remove, and
// no menu is written from what the window showed.
TEST_F(Editor, RemovingATabWithTheFileGoneWritesNothingAndShowsTheFileAsItIs) {
    open(menuLines({"A", "B"}, {1, 1}));
    ASSERT_TRUE(QFile::remove(iniPath()));
    w->cmdremovetab->click();
    EXPECT_EQ(w->ceptab->count(), 0);
    EXPECT_FALSE(QFile::exists(iniPath()));
    ASSERT_FALSE(said().isEmpty());
    EXPECT_TRUE(said()[0].startsWith(QStringLiteral("The menu was changed elsewhere")));
    EXPECT_EQ(said().mid(1), QStringList(said().size() - 1, iniPath() + " not found."));
}

// ---------------------------------------------------------------------------------------------
// Drops

// The first file of a drop is previewed and added as it is; only a program's path is shown in a
// message before it is placed. The icons drawn are the button builder's.
TEST_F(Editor, DropPreviewsTheFirstFileAndAddStoresIt) {
    const struct {
        QStringList files;
        bool program;
    } rows[] = {{{"/apps/Paint.exe", "/apps/Other.exe", "/apps/Third.lnk"}, true},
                {{"/tools/Paint.lnk"}, false}};
    for (const auto& r : rows) {
        open(menuLines({"A"}, {1}));
        EXPECT_TRUE(dropFiles(r.files));
        EXPECT_EQ(w->txtTarget->text(), r.files[0]);
        EXPECT_EQ(w->txtappname->text(), QStringLiteral("Paint"));
        EXPECT_EQ(w->txtHint->text(), QStringLiteral("Click here to launch Paint"));
        // A shortcut that cannot be read says so; a program is not shown before it is added.
        EXPECT_EQ(said().isEmpty(), r.program);
        const qsizetype before = said().size();
        w->cmdaddbutt->click();
        EXPECT_EQ(said().mid(before).contains(r.files[0]), r.program);
        EXPECT_EQ(fileLines(),
                  menuLines({"A"}, {}) + section(1, asItems({"AB1"}) << r.files[0], 2));
    }
    // A change of the target box takes the add back.
    dropFiles({"/apps/Paint.exe"});
    ASSERT_TRUE(w->cmdaddbutt->isEnabled());
    w->txtTarget->setText(QStringLiteral("/apps/Paint.exe "));
    EXPECT_FALSE(w->cmdaddbutt->isEnabled());
}

// An item already on the selected tab is previewed with a note in the hint line; it can still be
// added, and the note follows the tab selected.
TEST_F(Editor, APreviewSaysWhenTheItemIsAlreadyOnTheTab) {
    open(menuLines({"A", "B"}, {2, 0}));
    const QString item = asItems({"AB2"}).first();
    const QString plain = QStringLiteral("Click here to launch AB2");
    const QString noted = plain + QStringLiteral(" (already on this tab)");
    const std::tuple<const char*, int, QString> rows[] = {
        {"on the tab shown", 0, noted}, {"on another tab", 1, plain}, {"back again", 0, noted}};
    ASSERT_TRUE(dropFiles({item}));
    for (const auto& [what, tab, hint] : rows) {
        w->ceptab->setCurrentIndex(tab);
        if (tab == 0) {
            dropFiles({item}); // a tab with buttons ends a preview, as a page build does
        }
        EXPECT_EQ(w->txtHint->text(), hint) << what;
    }
    w->cmdaddbutt->click();
    EXPECT_EQ(fileLines(), menuLines({"A", "B"}, {}) +
                               section(1, asItems(captions("A", 1, 2)) << item, 3) +
                               section(2, {}, 0));
}

// The chooser hands its choice on as a drop of that one file: the same preview, the same kinds,
// the same stored value.
TEST_F(Editor, AChosenItemIsTakenAsADropOfIt) {
    const QString entry = dir.filePath(QStringLiteral("Editor.desktop"));
    ASSERT_TRUE(qvtest::writeAll(entry, "[Desktop Entry]\nType=Application\nName=Text Editor\n"
                                        "Exec=/bin/true\n"));
    for (const QString& item : {entry, QStringLiteral("/apps/Paint.exe"),
                                QStringLiteral("/tools/Paint.lnk"), QStringLiteral("/doc/a.txt")}) {
        open(menuLines({"A"}, {0}));
        dropFiles({item});
        const QStringList dropped{w->txtTarget->text(), w->txtappname->text(), w->txtHint->text()};
        w->cmdaddbutt->click();
        const QByteArray byDrop = bytes();
        open(menuLines({"A"}, {0}));
        w->dropFile(item);
        EXPECT_EQ(QStringList({w->txtTarget->text(), w->txtappname->text(), w->txtHint->text()}),
                  dropped);
        w->cmdaddbutt->click();
        EXPECT_EQ(bytes(), byDrop) << item.toStdString();
    }
}

// Screen readers name each box after its label, not after the frame around them.
TEST_F(Editor, TheBoxesAndTheListButtonHaveNamesOfTheirOwn) {
    open(menuLines({"A"}, {1}));
    const std::pair<QWidget*, const char*> named[] = {{w->txtTarget, "Target"},
                                                      {w->txtappname, "Caption"},
                                                      {w->txtHint, "Hint"},
                                                      {w->txttabcaption, "Tab"}};
    for (const auto& [control, name] : named) {
        EXPECT_EQ(control->accessibleName(), QString::fromLatin1(name));
    }
    // Inside the drop area, so that the layout keeps its geometry, and gone with it.
    EXPECT_EQ(w->cmdlist->parentWidget(), w->Image1);
    EXPECT_TRUE(w->Image1->rect().contains(w->cmdlist->geometry()));
    ASSERT_TRUE(dropFiles({"/apps/Paint.exe"}));
    EXPECT_FALSE(w->cmdlist->isVisibleTo(w.get()));
}

// Other kinds of files are ignored; data without a local file cannot be used, and says so.
TEST_F(Editor, DropOfAnythingElseAddsNothing) {
    for (const char* dropped :
         {"/apps/PAINT.EXE", "/docs/Letter.doc", "a text", "https://example.org/Paint.exe"}) {
        open(menuLines({"A"}, {1}));
        const QByteArray before = bytes();
        const QString what = QString::fromLatin1(dropped);
        const bool file = what.startsWith(QLatin1Char('/'));
        auto* data = new QMimeData;
        if (what.contains(QLatin1Char(':'))) {
            data->setUrls({QUrl(what)});
        } else if (file) {
            data->setUrls({QUrl::fromLocalFile(what)});
        } else {
            data->setText(QStringLiteral("/apps/Paint.exe"));
        }
        EXPECT_TRUE(drop(data));
        EXPECT_EQ(said(), file ? QStringList{} : QStringList{kCannotUse}) << dropped;
        EXPECT_TRUE(file || box.messages[0].icon == qv::MsgIcon::None) << dropped;
        EXPECT_TRUE(waiting()) << dropped;
        EXPECT_EQ(bytes(), before) << dropped;
    }
}

TEST_F(Editor, OnlyPathsTheFileCanGiveBackAreTaken) {
    const struct {
        int length;   // total length of the dropped path in bytes
        bool newline; // a line break inside the name
        bool accepted;
    } rows[] = {{254, false, true}, {255, false, false}, {30, true, false}};
    for (const auto& r : rows) {
        open(menuLines({"A"}, {1}));
        const QByteArray before = bytes();
        QString path = QStringLiteral("/apps/") + (r.newline ? QStringLiteral("Two\nLines") : "");
        path += QString(r.length - path.size() - 4, QLatin1Char('a')) + QStringLiteral(".exe");
        dropFiles({path});
        EXPECT_EQ(w->cmdaddbutt->isEnabled(), r.accepted) << r.length;
        ASSERT_EQ(said().size(), r.accepted ? 0 : 1) << r.length;
        if (r.accepted) {
            w->cmdaddbutt->click();
            open();
            press(2, Qt::LeftButton);
            EXPECT_EQ(started(), QStringList{path}); // read back whole
            continue;
        }
        EXPECT_TRUE(said()[0].startsWith(kCannotUse));
        EXPECT_TRUE(said()[0].contains(r.newline ? QStringLiteral("line break") : "254"))
            << said()[0].toStdString();
        EXPECT_TRUE(waiting());
        // Even if called, the add stores nothing: the refused path is forgotten.
        w->cmdaddbutt_Click();
        EXPECT_EQ(said().last(), kCannotUse);
        EXPECT_EQ(bytes(), before);
    }
}

// ---------------------------------------------------------------------------------------------
// Adding and deleting buttons

// The new button goes after the tab's last one, on the last page; the program's full path is
// shown before it is placed.
TEST_F(Editor, AddAfterTheLastButtonOnTheLastPage) {
    const struct {
        int count;
        int offset;
    } rows[] = {{5, 0}, {10, 10}, {25, 20}};
    for (const auto& r : rows) {
        open(menuLines({"A"}, {r.count}));
        addProgram(QStringLiteral("/apps/New.exe"));
        ASSERT_EQ(said(), QStringList{"/apps/New.exe"});
        EXPECT_EQ(box.messages[0].icon, qv::MsgIcon::None);
        EXPECT_EQ(page(), captions("A", r.offset + 1, r.count) << "New") << r.count;
        EXPECT_EQ(w->cmdback->isEnabled(), r.offset > 0);
        EXPECT_EQ(fileLines(),
                  menuLines({"A"}, {}) +
                      section(1, asItems(captions("A", 1, r.count)), r.count + 1) +
                      QStringList{QStringLiteral("Button %1=/apps/New.exe").arg(r.count + 1)});
        EXPECT_TRUE(waiting());
        if (r.offset > 0) {
            w->cmdback->click();
            EXPECT_EQ(page(), captions("A", r.offset - 9, r.offset));
        }
    }
}

// A right press deletes the button and moves the later ones down; the first page is shown.
TEST_F(Editor, DeleteAButton) {
    const struct {
        int count;
        bool secondPage;
        int element;
        QStringList left;
    } rows[] = {{5, false, 3, captions("A", 1, 2) + captions("A", 4, 5)},
                {12, false, 1, captions("A", 2, 12)},
                {12, true, 1, captions("A", 1, 10) + captions("A", 12, 12)},
                {1, false, 1, {}}};
    for (const auto& r : rows) {
        open(menuLines({"A"}, {r.count}));
        if (r.secondPage) {
            w->cmdnext->click();
        }
        press(r.element, Qt::RightButton);
        EXPECT_EQ(fileLines(), menuLines({"A"}, {}) + section(1, asItems(r.left), r.left.size()))
            << r.count << " " << r.element;
        EXPECT_EQ(page(), r.left.mid(0, 10));
        EXPECT_EQ(w->cmdnext->isEnabled(), r.left.size() > 10);
        EXPECT_TRUE(said().isEmpty());
    }
}

TEST_F(Editor, DeleteWithoutACountNeverWritesANegativeCount) {
    open({"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Button 1=/apps/One.exe",
          "Button 2=/apps/Two.exe"});
    EXPECT_TRUE(page().isEmpty());
    const QByteArray before = bytes();
    press(1, Qt::RightButton); // no button is shown there: nothing to delete
    EXPECT_EQ(bytes(), before);
}

// Which counts are damaged is the menu reader's; one damaged count shows the refusal.
TEST_F(Editor, AddAndDeleteAreRefusedForATabWithADamagedCount) {
    open({"[Settings]", "Number of tabs=2", "Tab1=A", "Tab2=B", "[Tab 1]", "Number of Buttons=-1",
          "Button 1=/apps/One.exe", "Button 2=/apps/Two.exe", "[Tab 2]", "Number of Buttons=1",
          "Button 1=/apps/Other.exe"});
    const QByteArray before = bytes();
    // What can be shown is shown.
    EXPECT_EQ(page(), QStringList({"One", "Two"}));
    addProgram(QStringLiteral("/apps/New.exe"));
    press(1, Qt::RightButton);
    // Told once when the tab is shown, then for each change refused.
    ASSERT_EQ(said().size(), 4);
    EXPECT_TRUE(said()[0].contains("-1") && said()[0].contains("shown up to the first missing"));
    EXPECT_EQ(said()[1], QStringLiteral("/apps/New.exe"));
    EXPECT_TRUE(said()[2].contains("-1") && said()[2].contains("adding"));
    EXPECT_TRUE(said()[3].contains(QStringLiteral("deleting")));
    EXPECT_EQ(bytes(), before);

    // The other tab is still edited as usual.
    w->ceptab->setCurrentIndex(1);
    press(1, Qt::RightButton);
    EXPECT_EQ(fileLines().last(2), QStringList({"[Tab 2]", "Number of Buttons=0"}));
}

TEST_F(Editor, AFullTabRefusesAnotherButton) {
    open({"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=32767",
          "Button 1=/apps/One.exe"});
    const QByteArray before = bytes();
    addProgram(QStringLiteral("/apps/New.exe"));
    ASSERT_EQ(said().size(), 2); // the program's path, then the refusal
    EXPECT_TRUE(said()[1].contains(QStringLiteral("32767")));
    EXPECT_EQ(bytes(), before);
}

// ---------------------------------------------------------------------------------------------
// A menu with many hands

// The file changed under the window: a press on a button left on screen acts on nothing else.
TEST_F(Editor, APressOnAStaleButtonStartsAndDeletesNothing) {
    const struct {
        const char* what;
        QStringList menu;
    } rows[] = {
        {"another item under that number",
         menuLines({"A"}, {-1}) + section(1, {"/apps/a1.exe", "/apps/b3.exe", "/apps/a3.exe"}, 3)},
        {"the tab moved",
         {"[Settings]", "Number of tabs=1", "Tab1=B", "[Tab 1]", "Number of Buttons=3",
          "Button 1=/apps/a1.exe", "Button 2=/apps/a2.exe", "Button 3=/apps/a3.exe"}},
    };
    for (const auto& r : rows) {
        for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
            SCOPED_TRACE(r.what);
            open(menuLines({"A"}, {-1}) +
                 section(1, {"/apps/a1.exe", "/apps/a2.exe", "/apps/a3.exe"}, 3));
            // Written without the window seeing it (no event is processed in between).
            ASSERT_TRUE(qvtest::writeAll(iniPath(), (r.menu.join("\r\n") + "\r\n").toUtf8()));
            const QByteArray changed = bytes();
            press(2, b);
            EXPECT_TRUE(started().isEmpty());
            EXPECT_EQ(bytes(), changed);
            ASSERT_EQ(said().size(), 1);
            EXPECT_TRUE(said()[0].startsWith(QStringLiteral("The menu was changed elsewhere")));
            // The page shows the file as it is now.
            EXPECT_EQ(tabTexts().first(), r.menu[2].mid(5));
            forgetMessages();
        }
    }
}

// What another editor or a hand edit does shows at once, on the teacher's tab and page; a
// preview waiting to be added stays.
TEST_F(Editor, FollowsTheFileKeepingTabPageAndPreview) {
    open(menuLines({"A", "B"}, {3, 12}));
    w->ceptab->setCurrentIndex(1);
    w->cmdnext->click();
    dropFiles({QStringLiteral("/apps/Paint.exe")});
    ASSERT_TRUE(w->cmdaddbutt->isEnabled());
    // A tab added in front by hand, as a teacher's text editor writes it (LF line ends).
    ASSERT_TRUE(qvtest::writeAll(
        iniPath(), (QStringList{"[Settings]", "Number of tabs=3", "Tab1=Z", "Tab2=A", "Tab3=B",
                                "[Tab 2]", "Number of Buttons=3", "Button 1=/apps/AB1.exe",
                                "[Tab 3]", "Number of Buttons=12"} +
                    section(3, asItems(captions("B", 1, 12)), 12).mid(2))
                       .join("\n")
                       .toUtf8()));
    ASSERT_TRUE(qvtest::waitUntil([&] { return w->ceptab->count() == 3; }, 5000));
    EXPECT_EQ(tabTexts(), QStringList({"Z", "A", "B"}));
    EXPECT_EQ(w->ceptab->currentIndex(), 2);
    EXPECT_EQ(page(), captions("B", 11, 12));
    EXPECT_TRUE(w->cmdaddbutt->isEnabled());
    // The change goes to B as the file holds it now, in the file's own line ends.
    w->cmdaddbutt->click();
    EXPECT_TRUE(bytes().contains("\nNumber of Buttons=13\n"));
    EXPECT_TRUE(bytes().endsWith("Button 12=/apps/BB12.exe\nButton 13=/apps/Paint.exe\n"));
    EXPECT_EQ(page(), captions("B", 11, 12) + QStringList{"Paint"});
}

// A new tab is shown selected and whole, even at the end of a strip or on an empty one.
TEST_F(Editor, ANewTabIsSelectedAndVisible) {
    for (const QStringList& before : {QStringList{}, QStringList{"A", "B"}}) {
        open(before.isEmpty() ? QStringList{"[Settings]"} : menuLines(before, {1, 1}));
        w->show();
        w->txttabcaption->setText(QStringLiteral("Science and Nature"));
        w->cmdaddtab->click();
        const int index = int(before.size());
        EXPECT_EQ(w->ceptab->currentIndex(), index);
        auto* bar = w->ceptab->findChild<QTabBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_LE(bar->tabRect(index).right(), bar->width()) << "hidden behind the strip's end";
        EXPECT_EQ(w->txttabcaption->text(), QStringLiteral("Science and Nature"));
        w->hide();
    }
}

// A menu the user may not change stays as it is, and the window says so once.
TEST_F(Editor, AReadOnlyMenuIsShownButNeverReplaced) {
    QTemporaryDir other;
    const QString notAMenu = other.filePath(QStringLiteral("secret"));
    ASSERT_TRUE(qvtest::writeAll(notAMenu, "root:$6$x:19000:0:99999:7:::\n"));
    const struct {
        const char* what;
        std::function<void(const QString& ini)> make;
        QString told;
        int times; // once on opening a frozen menu, then once for each change refused
    } rows[] = {
        {"no write bit", [](const QString& ini) { QFile::setPermissions(ini, QFile::ReadOwner); },
         "is read-only for you", 4},
        {"a link to a file that is no menu",
         [&](const QString& ini) {
             QFile::remove(ini);
             QFile::link(notAMenu, ini);
         },
         "does not read as a menu file", 1},
        {"a link to nothing",
         [&](const QString& ini) {
             QFile::remove(ini);
             QFile::link(other.filePath("gone"), ini);
         },
         "a link to a file that does not exist", 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        ASSERT_TRUE(qvtest::writeAll(iniPath(), (menuLines({"A"}, {2}).join("\r\n")).toUtf8()));
        r.make(iniPath());
        const QByteArray before = qvtest::readAll(iniPath());
        const QByteArray target = qvtest::readAll(notAMenu);
        open();
        // Each way in is tried: a click on the disabled controls does nothing, the handlers say
        // why.
        w->cmdaddtab_Click();
        w->cmdremovetab_Click();
        press(1, Qt::RightButton);
        EXPECT_EQ(qvtest::readAll(iniPath()), before);
        EXPECT_EQ(qvtest::readAll(notAMenu), target);
        ASSERT_FALSE(said().isEmpty());
        EXPECT_TRUE(said()[0].contains(r.told)) << said()[0].toStdString();
        EXPECT_EQ(said().count(said()[0]), r.times);
        const bool frozen = !said()[0].contains("does not read");
        EXPECT_EQ(w->windowTitle().endsWith(" (read-only)"), frozen);
        EXPECT_EQ(w->cmdaddtab->isEnabled(), !frozen);
        QFile::remove(iniPath());
        forgetMessages();
    }
}
