// The pager, headless: which buttons each page change shows and which page buttons it leaves
// enabled, under the launcher's and the editor's rules.
#include "common/pager.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <vector>

namespace {

constexpr qv::PagerRules kLauncher{false, true};
constexpr qv::PagerRules kEditor{true, false};

// A tab of the menu file and the window's controls, as the pager sees them.
struct Window {
    qv::MenuCount count;
    std::map<int, QString> items; // stored items by button number
    QStringList shown;            // "slot:item" of the buttons loaded, in order
    bool back = false;
    bool next = false;

    qv::PageView view() {
        qv::PageView v;
        v.count = [this] { return count; };
        v.item = [this](std::int16_t n) {
            const auto it = items.find(n);
            return it == items.end() ? QString() : it->second;
        };
        v.unloadButtons = [this] { shown.clear(); };
        v.loadButton = [this](int slot, const QString& item) {
            shown << QString::number(slot) + ':' + item;
        };
        v.enableBack = [this](bool on) { back = on; };
        v.enableNext = [this](bool on) { next = on; };
        return v;
    }
};

qv::MenuCount number(int n) {
    return {qv::MenuCount::State::Number, static_cast<std::int16_t>(n)};
}

// Slots 1, 2, ... holding buttons first to last.
QStringList page(int first, int last) {
    QStringList list;
    for (int n = first; n <= last; ++n) {
        list << QStringLiteral("%1:b%2").arg(n - first + 1).arg(n);
    }
    return list;
}

struct Step {
    char action; // 'f' first page, 'n' ">>", 'b' "<<", 'a' the page at `at`
    int first;   // buttons shown afterwards, first to last (0: none)
    int last;
    bool next;
    bool back;
    int offset;
    int at = 0;
    int shrinkTo = -1; // the count is lowered to this before the step
};
struct Case {
    const char* name;
    qv::PagerRules rules;
    qv::MenuCount count;
    int stored; // buttons 1 to stored are in the file
    std::vector<Step> steps;
};

TEST(Pager, PageChangesShowTheirButtonsAndEnableTheirPageButtons) {
    const qv::MenuCount empty{};
    const qv::MenuCount unreadable{qv::MenuCount::State::Unreadable, 0};
    const Case cases[] = {
        {"ten", kLauncher, number(10), 10, {{'f', 1, 10, false, false, 0}}},
        {"eleven",
         kEditor,
         number(11),
         11,
         {{'f', 1, 10, true, false, 0},
          {'n', 11, 11, false, true, 10},
          {'b', 1, 10, true, false, 0}}},
        {"twenty",
         kLauncher,
         number(20),
         20,
         {{'f', 1, 10, true, false, 0},
          {'n', 11, 20, true, true, 10},
          {'n', 0, 0, false, true, 20},
          {'b', 11, 20, true, true, 10},
          {'b', 1, 10, true, false, 0}}},
        {"twenty-five",
         kEditor,
         number(25),
         25,
         {{'f', 1, 10, true, false, 0},
          {'n', 11, 20, true, true, 10},
          {'n', 21, 25, false, true, 20},
          {'b', 11, 20, true, true, 10},
          {'b', 1, 10, true, false, 0},
          {'n', 11, 20, true, true, 10}}},
        {"none", kLauncher, number(0), 3, {{'f', 0, 0, false, false, 0}}},
        {"empty count", kEditor, empty, 3, {{'f', 0, 0, false, false, 0}}},
        {"launcher, unreadable count", kLauncher, unreadable, 3, {{'f', 0, 0, false, false, 0}}},
        // The editor shows the keys up to the first missing one, without paging.
        {"editor, unreadable count", kEditor, unreadable, 12, {{'f', 1, 10, false, false, 0}}},
        {"editor, unreadable count, gap", kEditor, unreadable, 4, {{'f', 1, 4, false, false, 0}}},
        // The file shrank while the third page was shown: the launcher's "<<" still shows ten.
        {"launcher, shrunk",
         kLauncher,
         number(25),
         25,
         {{'f', 1, 10, true, false, 0},
          {'n', 11, 20, true, true, 10},
          {'n', 21, 25, false, true, 20},
          {'b', 11, 20, true, true, 10, 0, 13}}},
        {"editor, shrunk",
         kEditor,
         number(25),
         25,
         {{'f', 1, 10, true, false, 0},
          {'n', 11, 20, true, true, 10},
          {'n', 21, 25, false, true, 20},
          {'b', 11, 13, true, true, 10, 0, 13}}},
        // A page shown again (after the menu changed) is reached as ">>" reaches it.
        {"again at a later page",
         kLauncher,
         number(35),
         35,
         {{'a', 21, 30, false, true, 20, 20}, {'b', 11, 20, true, true, 10}}},
        {"again beyond the count",
         kEditor,
         number(20),
         20,
         {{'f', 1, 10, true, false, 0},
          {'n', 11, 20, true, true, 10},
          {'a', 1, 10, true, false, 0, 20}}},
    };
    for (const Case& c : cases) {
        Window w;
        w.count = c.count;
        for (int n = 1; n <= c.stored; ++n) {
            w.items[n] = QStringLiteral("b%1").arg(n);
        }
        qv::Pager pager(w.view(), c.rules, QStringLiteral("/q"));
        int stepNo = 0;
        for (const Step& s : c.steps) {
            if (s.shrinkTo >= 0) {
                w.count = number(s.shrinkTo);
            }
            switch (s.action) {
            case 'f':
                pager.showFirst();
                break;
            case 'n':
                pager.showNext();
                break;
            case 'b':
                pager.showBack();
                break;
            default:
                pager.showAt(static_cast<std::int16_t>(s.at));
            }
            const std::string where = std::string(c.name) + ", step " + std::to_string(stepNo++);
            EXPECT_EQ(w.shown, s.first ? page(s.first, s.last) : QStringList()) << where;
            EXPECT_EQ(w.next, s.next) << where;
            EXPECT_EQ(w.back, s.back) << where;
            EXPECT_EQ(pager.pageOffset(), s.offset) << where;
        }
    }
}

TEST(Pager, SpecialItemsComeFromTheStandardFolderExactlySpelled) {
    Window w;
    w.count = number(3);
    w.items = {{1, "My Computer.lnk"}, {2, "my computer.lnk"}, {3, "My Documents.lnk"}};
    qv::Pager pager(w.view(), kLauncher, QStringLiteral("/q"));
    pager.showFirst();
    EXPECT_EQ(w.shown, QStringList({"1:/q/standard/My Computer.lnk", "2:my computer.lnk",
                                    "3:/q/standard/My Documents.lnk"}));
}

TEST(Pager, SixteenBitButtonNumbersNeverWrap) {
    Window w;
    w.count = number(32767);
    for (int n = 32751; n <= 32767; ++n) {
        w.items[n] = QStringLiteral("b%1").arg(n);
    }
    qv::Pager pager(w.view(), kLauncher, QStringLiteral("/q"));
    pager.showAt(32750); // a full page: 32751 to 32760
    ASSERT_EQ(w.shown, page(32751, 32760));
    w.next = true;
    pager.showNext();
    EXPECT_EQ(w.shown, page(32761, 32767));
    EXPECT_EQ(pager.pageOffset(), 32760);
    EXPECT_EQ(pager.buttonNumber(7), std::optional<std::int16_t>(32767));
    EXPECT_EQ(pager.buttonNumber(8), std::nullopt);
    // No page lies beyond: ">>" is disabled and the page shown stays.
    w.next = true;
    pager.showNext();
    EXPECT_FALSE(w.next);
    EXPECT_EQ(pager.pageOffset(), 32760);
    EXPECT_EQ(w.shown, page(32761, 32767));
}

} // namespace
