// The editor window: its controls, loading the menu, tab switching and paging.
#include "teach_fixture.h"

#include "common/ui/imgicon.h"
#include "common/ui/twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <type_traits>

using namespace teachtest;

namespace {

struct Placed {
    const char* name;
    const char* text; // nullptr: no text to check
    int left, top, width, height;
};

// Every control at its twip geometry (frame children relative to the frame).
const Placed kControls[] = {
    {"Image1", "Drop here...", 120, 120, 2895, 2415},
    {"imgicon", nullptr, 1080, 840, 615, 615},
    {"Frame1", "New Button", 3120, 120, 6135, 2415},
    {"Label1", "Tab:", 240, 480, 375, 255},
    {"labTarget", "Target:", 240, 1200, 615, 255},
    {"labName", "Caption:", 240, 1560, 735, 255},
    {"labHint", "Hint:", 240, 1920, 615, 255},
    {"txtTarget", "", 960, 1200, 3135, 285},
    {"txtappname", "", 960, 1560, 3135, 285},
    {"txtHint", "", 960, 1920, 3135, 285},
    {"txttabcaption", "Tab Caption", 4080, 600, 3135, 285},
    {"cmdaddtab", "&Add", 7440, 600, 735, 255},
    {"cmdremovetab", "&Remove", 8160, 600, 735, 255},
    {"cmdaddbutt", "&Add Button", 7920, 1200, 1095, 255},
    {"ceptab", nullptr, 120, 2760, 9135, 3735},
    {"cmdback", "<<", 240, 3240, 375, 3135},
    {"cmdnext", ">>", 8760, 3240, 375, 3135},
};

QString textOf(QWidget* widget) {
    if (auto* l = qobject_cast<QLabel*>(widget)) {
        return l->text();
    }
    if (auto* e = qobject_cast<QLineEdit*>(widget)) {
        return e->text();
    }
    if (auto* b = qobject_cast<QAbstractButton*>(widget)) {
        return b->text();
    }
    if (auto* g = qobject_cast<QGroupBox*>(widget)) {
        return g->title();
    }
    return QStringLiteral("<no text>");
}

} // namespace

TEST_F(EditorTest, ControlsStandAtTheirPlacesWithTheirTexts) {
    writeMenu(menuLines({"A"}, {3}));
    frmdrop& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvel Manger"));
    EXPECT_EQ(f.size(), QSize(qv::twipsToPixels(9330), qv::twipsToPixels(6585)));
    for (const Placed& c : kControls) {
        auto* widget = f.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(widget->geometry(), qv::twipsRect(c.left, c.top, c.width, c.height)) << c.name;
        if (c.text != nullptr) {
            EXPECT_EQ(textOf(widget), QString::fromLatin1(c.text)) << c.name;
        }
    }
    for (QWidget* inFrame : {static_cast<QWidget*>(f.Label1), static_cast<QWidget*>(f.txtTarget),
                             static_cast<QWidget*>(f.labHint)}) {
        EXPECT_EQ(inFrame->parentWidget(), f.Frame1);
    }
    EXPECT_EQ(f.txttabcaption->parentWidget(), &f);
    EXPECT_EQ(f.cmdaddbutt->parentWidget(), &f);
    EXPECT_FALSE(f.cmdaddbutt->isEnabled());
    EXPECT_TRUE(f.cmdaddtab->isEnabled());
    EXPECT_TRUE(f.cmdremovetab->isEnabled());
    EXPECT_TRUE(f.imgicon->isHidden());
    EXPECT_FALSE(f.Image1->isHidden());
    EXPECT_TRUE(f.Image1->acceptDrops());

    // The hidden menu: its texts, and nothing attached.
    EXPECT_EQ(f.mnubutton->title(), QStringLiteral("Edit Button"));
    EXPECT_EQ(f.mnutest->text(), QStringLiteral("Test Button"));
    EXPECT_EQ(f.mnudelete->text(), QStringLiteral("Delete Button"));
    EXPECT_FALSE(f.mnubutton->isVisible());
    EXPECT_EQ(f.findChildren<QMenuBar*>().size(), 0);
}

TEST_F(EditorTest, LoadShowsTabsAndTheFirstPageOfTheFirstTab) {
    writeMenu(menuLines({"Writing", "Games", ""}, {3, 12, -1}));
    frmdrop& f = open();
    ASSERT_EQ(f.ceptab->count(), 3);
    EXPECT_EQ(f.ceptab->tabText(0), QStringLiteral("Writing"));
    EXPECT_EQ(f.ceptab->tabText(1), QStringLiteral("Games"));
    EXPECT_EQ(f.ceptab->tabText(2), QString());
    EXPECT_EQ(f.selectedTab(), 1);
    EXPECT_EQ(page(), captions(1, 1, 3));
    EXPECT_FALSE(f.cmdnext->isEnabled());
    EXPECT_FALSE(f.cmdback->isEnabled());
    // The caption box keeps its text until a tab is clicked.
    EXPECT_EQ(f.txttabcaption->text(), QStringLiteral("Tab Caption"));
    EXPECT_TRUE(f.currentItem.isEmpty());
    EXPECT_TRUE(box.fake.messages.empty());

    f.ceptab->setCurrentIndex(1);
    EXPECT_EQ(f.txttabcaption->text(), QStringLiteral("Games"));
    EXPECT_EQ(page(), captions(2, 1, 10));
    EXPECT_TRUE(f.cmdnext->isEnabled());

    f.cmdnext->click();
    EXPECT_EQ(page(), captions(2, 11, 12));
    // Switching tabs always shows the first page of the new tab.
    f.ceptab->setCurrentIndex(2);
    EXPECT_TRUE(page().isEmpty());
    EXPECT_EQ(f.pageOffset, 0);
    EXPECT_FALSE(f.cmdnext->isEnabled());
    EXPECT_FALSE(f.cmdback->isEnabled());
    f.ceptab->setCurrentIndex(1);
    EXPECT_EQ(page(), captions(2, 1, 10));
}

TEST_F(EditorTest, ButtonsStandInTwoRowsOfFive) {
    writeMenu(menuLines({"A"}, {7}));
    frmdrop& f = open();
    ASSERT_EQ(f.loadedButtons, 7);
    const int lefts[] = {1080, 2535, 3990, 5445, 6900, 1080, 2535};
    for (int k = 1; k <= 7; ++k) {
        QToolButton* b = f.cmdapplau->element(k);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->geometry(), qv::twipsRect(lefts[k - 1], k <= 5 ? 3360 : 4755, 1335, 1095))
            << k;
        EXPECT_TRUE(b->isVisible());
        EXPECT_EQ(b->toolTip(), caption(1, k));
    }
    EXPECT_EQ(f.cmdapplau->element(8), nullptr);
}

struct PagingStep {
    char action;     // 'n' for ">>", 'b' for "<<", '-' for the page after loading
    int first, last; // button numbers shown; 0, 0 for an empty page
    bool next, back; // enabled afterwards
};
struct PagingCase {
    int count;
    std::vector<PagingStep> steps;
};

class Paging : public EditorTest, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(Paging, PagesTurnByTen) {
    const PagingCase& c = GetParam();
    writeMenu(menuLines({"A"}, {c.count}));
    frmdrop& f = open();
    for (const PagingStep& step : c.steps) {
        if (step.action == 'n') {
            ASSERT_TRUE(f.cmdnext->isEnabled());
            f.cmdnext->click();
        } else if (step.action == 'b') {
            ASSERT_TRUE(f.cmdback->isEnabled());
            f.cmdback->click();
        }
        const QStringList expected =
            step.first == 0 ? QStringList{} : captions(1, step.first, step.last);
        EXPECT_EQ(page(), expected) << "after " << step.action << " of " << c.count;
        EXPECT_EQ(f.cmdnext->isEnabled(), step.next) << step.action << step.first;
        EXPECT_EQ(f.cmdback->isEnabled(), step.back) << step.action << step.first;
        if (step.first != 0) {
            EXPECT_EQ(f.pageOffset, step.first - 1);
        }
    }
    EXPECT_TRUE(box.fake.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Counts, Paging,
                         ::testing::Values(PagingCase{10, {{'-', 1, 10, false, false}}},
                                           PagingCase{11,
                                                      {{'-', 1, 10, true, false},
                                                       {'n', 11, 11, false, true},
                                                       {'b', 1, 10, true, false}}},
                                           PagingCase{20,
                                                      {{'-', 1, 10, true, false},
                                                       {'n', 11, 20, true, true},
                                                       {'n', 0, 0, false, true},
                                                       {'b', 11, 20, true, true},
                                                       {'b', 1, 10, true, false}}},
                                           PagingCase{25,
                                                      {{'-', 1, 10, true, false},
                                                       {'n', 11, 20, true, true},
                                                       {'n', 21, 25, false, true},
                                                       {'b', 11, 20, true, true},
                                                       {'b', 1, 10, true, false},
                                                       {'n', 11, 20, true, true}}},
                                           PagingCase{0, {{'-', 0, 0, false, false}}}));

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

TEST_F(EditorTest, NoTabAtAllGivesAnEmptyPage) {
    writeMenu({"[Settings]", "Number of tabs=0"});
    const QByteArray before = qvtest::readAll(iniPath());
    frmdrop& f = open();
    EXPECT_EQ(f.ceptab->count(), 0);
    EXPECT_EQ(f.selectedTab(), 0);
    EXPECT_EQ(f.loadedButtons, 0);
    f.cmdremovetab->click();
    f.ceptab_Click();
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
    EXPECT_TRUE(box.fake.messages.empty());
    EXPECT_TRUE(f.cmdaddtab->isEnabled());

    // A dropped program cannot be added without a tab: said so, nothing written.
    dropFiles({"/apps/Paint.exe"});
    ASSERT_TRUE(f.cmdaddbutt->isEnabled());
    f.cmdaddbutt->click();
    ASSERT_EQ(box.fake.messages.size(), 1u);
    EXPECT_TRUE(box.fake.messages[0].text.contains("no tab"));
    EXPECT_EQ(qvtest::readAll(iniPath()), before);
    EXPECT_EQ(f.loadedButtons, 0);
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

// The window state counts in 16 bits, as the menu file's numbers do.
static_assert(std::is_same_v<decltype(frmdrop::pageOffset), std::int16_t>);
static_assert(std::is_same_v<decltype(frmdrop::previousPageOffset), std::int16_t>);
static_assert(std::is_same_v<decltype(frmdrop::loadedButtons), std::int16_t>);
static_assert(std::is_same_v<decltype(frmdrop::pageButtonCount), std::int16_t>);
static_assert(std::is_same_v<decltype(frmdrop::buttonNo), std::int16_t>);
static_assert(std::is_same_v<decltype(frmdrop::tabNo), std::int16_t>);

TEST_F(EditorTest, NothingOpensTheMigrationWindow) {
    writeMenu(menuLines({"A", "B"}, {12, 1}));
    frmdrop& f = open();
    f.cmdnext->click();
    f.ceptab->setCurrentIndex(1);
    f.cmdaddtab->click();
    f.cmdremovetab->click();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_NE(top->objectName(), QStringLiteral("frmMigrate"));
    }
}
