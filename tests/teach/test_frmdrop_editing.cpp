// The editor window: adding and removing tabs, dropping items, adding and deleting buttons,
// checked against the menu file's exact lines.
#include "teach_fixture.h"

#include "common/ui/imgicon.h"
#include "tools/lnkwriter.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

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
              menuLines({"A", "B", "C", "Tab Caption"}, {}) + tabLines(1, items(1, {1}), 1));

    f.txttabcaption->setText(QStringLiteral("Art"));
    f.cmdaddtab->click();
    f.txttabcaption->clear();
    f.cmdaddtab->click();
    EXPECT_EQ(fileLines(), menuLines({"A", "B", "C", "Tab Caption", "Art", ""}, {}) +
                               tabLines(1, items(1, {1}), 1));
    EXPECT_TRUE(box.fake.messages.empty());

    // At the next start the tabs come back as written, the empty caption included.
    frmdrop& again = open();
    EXPECT_EQ(tabTexts(again.ceptab), QStringList({"A", "B", "C", "Tab Caption", "Art", ""}));
}

// Removing a tab moves the later tabs, their captions and their sections down one place.
TEST_F(EditorTest, RemoveATabOfFour) {
    const struct {
        std::vector<int> counts; // -1: the tab has no section
        int selected;            // from 0
        QStringList tabs;        // the captions left
        QStringList page;        // shown then
        QStringList file;
    } rows[] = {
        {{2, 1, 3, 2},
         1,
         {"A", "C", "D"},
         captions(3, 1, 3),
         menuLines({"A", "C", "D"}, {}) + tabLines(1, items(1, {1, 2}), 2) +
             tabLines(2, items(3, {1, 2, 3}), 3) + tabLines(3, items(4, {1, 2}), 2)},
        {{2, 1, 3, 2},
         3,
         {"A", "B", "C"},
         captions(3, 1, 3),
         menuLines({"A", "B", "C"}, {}) + tabLines(1, items(1, {1, 2}), 2) +
             tabLines(2, items(2, {1}), 1) + tabLines(3, items(3, {1, 2, 3}), 3)},
        {{1, 1, -1, 2},
         1,
         {"A", "C", "D"},
         {},
         menuLines({"A", "C", "D"}, {}) + tabLines(1, items(1, {1}), 1) +
             tabLines(3, items(4, {1, 2}), 2)},
    };
    for (const auto& r : rows) {
        writeMenu(menuLines({"A", "B", "C", "D"}, r.counts));
        frmdrop& f = open();
        f.ceptab->setCurrentIndex(r.selected);
        f.cmdremovetab->click();
        EXPECT_EQ(tabTexts(f.ceptab), r.tabs);
        // The strip selects the tab that took the removed one's place, or the one before.
        EXPECT_EQ(f.selectedTab(), std::min(r.selected + 1, 3));
        EXPECT_EQ(f.txttabcaption->text(), r.tabs[std::min(r.selected, 2)]);
        EXPECT_EQ(page(), r.page);
        EXPECT_EQ(fileLines(), r.file);
        EXPECT_TRUE(box.fake.messages.empty());
    }
}

TEST_F(EditorTest, RemoveTheOnlyTabLeavesAUsableEmptyWindow) {
    writeMenu(menuLines({"A"}, {2}));
    frmdrop& f = open();
    f.cmdremovetab->click();
    EXPECT_EQ(f.ceptab->count(), 0);
    EXPECT_EQ(f.loadedButtons, 0);
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=0"}));

    // "&Remove" or a tab click with no tab does nothing.
    f.cmdremovetab->click();
    f.ceptab_Click();
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=0"}));
    EXPECT_TRUE(box.fake.messages.empty());

    // A dropped program cannot be added without a tab: said so, nothing written.
    addProgram(QStringLiteral("/apps/Paint.exe"));
    ASSERT_EQ(box.fake.messages.size(), 1u);
    EXPECT_TRUE(box.fake.messages[0].text.contains("no tab"));
    EXPECT_EQ(fileLines(), QStringList({"[Settings]", "Number of tabs=0"}));
    EXPECT_EQ(f.loadedButtons, 0);

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

// The first file of a drop is previewed and added as it is; only a program's path is shown in a
// message before it is placed.
TEST_F(EditorTest, DropPreviewsTheFirstFileAndAddStoresIt) {
    const struct {
        QStringList files;
        const char* type;
        bool program;
    } rows[] = {{{"/apps/Paint.exe", "/apps/Other.exe", "/apps/Third.lnk"}, "exe", true},
                {{"/tools/Paint.lnk"}, "lnk", false}};
    for (const auto& r : rows) {
        writeMenu(menuLines({"A"}, {1}));
        box.fake.messages.clear();
        frmdrop& f = open();
        EXPECT_TRUE(dropFiles(r.files));
        EXPECT_EQ(f.droppedFile, r.files[0]);
        EXPECT_EQ(f.droppedType, QString::fromLatin1(r.type));
        EXPECT_EQ(f.txtTarget->text(), r.files[0]);
        EXPECT_EQ(f.txtappname->text(), QStringLiteral("Paint"));
        EXPECT_EQ(f.txtHint->text(), QStringLiteral("Click here to launch Paint"));
        EXPECT_TRUE(f.Image1->isHidden());
        EXPECT_FALSE(f.imgicon->isHidden());
        // A shortcut that cannot be read says so; a program is not shown before it is added.
        EXPECT_EQ(box.fake.messages.empty(), r.program);
        ASSERT_TRUE(f.cmdaddbutt->isEnabled());
        const std::size_t before = box.fake.messages.size();
        f.cmdaddbutt->click();
        QStringList shown;
        for (std::size_t i = before; i < box.fake.messages.size(); ++i) {
            shown << box.fake.messages[i].text;
        }
        EXPECT_EQ(shown.contains(r.files[0]), r.program);
        EXPECT_EQ(fileLines(), menuLines({"A"}, {}) + tabLines(1, {item(1, 1), r.files[0]}, 2));
        EXPECT_EQ(page().last(), QStringLiteral("Paint"));
    }
}

// Other kinds of files are ignored; data without a local file cannot be used, and says so.
TEST_F(EditorTest, DropOfAnythingElseAddsNothing) {
    const char* const cannot = "That item cannot be used!";
    const struct {
        QUrl url; // empty: a text, no file list
        const char* message;
    } rows[] = {{QUrl::fromLocalFile("/apps/PAINT.EXE"), nullptr},
                {QUrl::fromLocalFile("/docs/Letter.doc"), nullptr},
                {QUrl::fromLocalFile("/apps/Paint.Exe"), nullptr},
                {QUrl::fromLocalFile("/apps/Paint.LNK"), nullptr},
                {QUrl::fromLocalFile("/apps/run.com"), nullptr},
                {QUrl::fromLocalFile("/apps/folder"), nullptr},
                {QUrl(), cannot},
                {QUrl(QStringLiteral("https://example.org/Paint.exe")), cannot}};
    for (const auto& r : rows) {
        writeMenu(menuLines({"A"}, {1}));
        const QByteArray before = qvtest::readAll(iniPath());
        box.fake.messages.clear();
        frmdrop& f = open();
        auto* data = new QMimeData;
        if (r.url.isEmpty()) {
            data->setText(QStringLiteral("/apps/Paint.exe"));
        } else {
            data->setUrls({r.url});
        }
        EXPECT_TRUE(drop(data));
        const std::string what = r.url.toString().toStdString();
        ASSERT_EQ(box.fake.messages.size(), r.message ? 1u : 0u) << what;
        if (r.message) {
            EXPECT_EQ(box.fake.messages[0].text, QString::fromLatin1(r.message));
            EXPECT_EQ(box.fake.messages[0].title, QStringLiteral("Quorvel Manger"));
            EXPECT_EQ(box.fake.messages[0].icon, qv::MsgIcon::None);
        }
        EXPECT_FALSE(f.cmdaddbutt->isEnabled()) << what;
        EXPECT_FALSE(f.Image1->isHidden()) << what;
        EXPECT_TRUE(f.imgicon->isHidden()) << what;
        EXPECT_TRUE(f.txtTarget->text().isEmpty()) << what;
        EXPECT_EQ(qvtest::readAll(iniPath()), before) << what;
    }
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

// The new button goes after the tab's last one, on the last page; the program's full path is
// shown before it is placed.
TEST_F(EditorTest, AddAfterTheLastButtonOnTheLastPage) {
    const struct {
        int count;
        QStringList page;
        int offset;
    } rows[] = {{5, captions(1, 1, 5) + QStringList{"New"}, 0},
                {10, {"New"}, 10},
                {25, captions(1, 21, 25) + QStringList{"New"}, 20}};
    for (const auto& r : rows) {
        writeMenu(menuLines({"A"}, {r.count}));
        box.fake.messages.clear();
        frmdrop& f = open();
        addProgram(QStringLiteral("/apps/New.exe"));
        ASSERT_EQ(box.fake.messages.size(), 1u);
        EXPECT_EQ(box.fake.messages[0].text, QStringLiteral("/apps/New.exe"));
        EXPECT_EQ(box.fake.messages[0].title, QStringLiteral("Quorvel Manger"));
        EXPECT_EQ(box.fake.messages[0].icon, qv::MsgIcon::None);
        EXPECT_EQ(page(), r.page) << r.count;
        EXPECT_EQ(f.pageOffset(), r.offset) << r.count;
        EXPECT_EQ(f.cmdback->isEnabled(), r.offset > 0);
        EXPECT_FALSE(f.cmdnext->isEnabled());
        QStringList values;
        for (int b = 1; b <= r.count; ++b) {
            values << item(1, b);
        }
        EXPECT_EQ(fileLines(),
                  menuLines({"A"}, {}) + tabLines(1, values, r.count + 1) +
                      QStringList{QStringLiteral("Button %1=/apps/New.exe").arg(r.count + 1)});
        // Back to waiting.
        EXPECT_FALSE(f.cmdaddbutt->isEnabled());
        EXPECT_FALSE(f.Image1->isHidden());
        EXPECT_TRUE(f.txtTarget->text().isEmpty());
        EXPECT_TRUE(f.currentItem.isEmpty());
        // The sixth button of a page starts the second row, under the first.
        const QToolButton* last = f.cmdapplau->element(f.loadedButtons);
        EXPECT_EQ(last->x() == f.cmdapplau->element(1)->x(), f.loadedButtons % 5 == 1);
        EXPECT_EQ(last->y() > f.cmdapplau->element(1)->y(), f.loadedButtons == 6);
        if (r.offset > 0) {
            f.cmdback->click();
            EXPECT_EQ(page(), captions(1, r.offset - 9, r.offset));
        }
    }
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

// A right press deletes the button and moves the later ones down; the first page is shown.
TEST_F(EditorTest, DeleteAButton) {
    const struct {
        int count;
        bool secondPage;
        int element;
        std::vector<int> left;
        bool next;
    } rows[] = {{5, false, 3, {1, 2, 4, 5}, false},
                {12, false, 1, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, true},
                {12, true, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}, true},
                {1, false, 1, {}, false}};
    for (const auto& r : rows) {
        writeMenu(menuLines({"A"}, {r.count}));
        frmdrop& f = open();
        if (r.secondPage) {
            f.cmdnext->click();
        }
        f.cmdapplau_MouseDown(r.element, Qt::RightButton, Qt::NoModifier, 0, 0);
        EXPECT_EQ(fileLines(), menuLines({"A"}, {}) +
                                   tabLines(1, items(1, r.left), static_cast<int>(r.left.size())))
            << r.count << " " << r.element;
        QStringList shown;
        for (std::size_t k = 0; k < r.left.size() && k < 10; ++k) {
            shown << caption(1, r.left[k]);
        }
        EXPECT_EQ(page(), shown);
        EXPECT_EQ(f.pageOffset(), 0);
        EXPECT_EQ(f.cmdnext->isEnabled(), r.next);
        EXPECT_FALSE(f.cmdback->isEnabled());
        EXPECT_TRUE(box.fake.messages.empty());
        EXPECT_TRUE(shell.starts.empty());
    }
    // The emptied tab takes a new button as its first.
    addProgram(QStringLiteral("/apps/Paint.exe"));
    EXPECT_EQ(fileLines(), menuLines({"A"}, {}) + QStringList({"[Tab 1]", "Number of Buttons=1",
                                                               "Button 1=/apps/Paint.exe"}));
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
