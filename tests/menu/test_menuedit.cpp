// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's four changes on the bytes of a menu: each checks that the tab or button acted on
// is still the one shown, makes its one change (renumbering in the same text) and keeps every
// other line; and the test that tells a menu from any other file.
#include "common/menuedit.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

namespace edit = qv::menuedit;

// Lines joined with CR LF, as the editor writes them.
std::string menu(const QStringList& lines) {
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toStdString();
}

const QStringList kTwoTabs{"[Settings]",  "Number of tabs=2", "Tab1=A",
                           "Tab2=B",      "[Tab 1]",          "Number of Buttons=4",
                           "Button 1=a1", "Button 2=a2",      "Button 3=a3",
                           "Button 4=a4", "[Tab 2]",          "Number of Buttons=1",
                           "Button 1=b1"};

struct Case {
    const char* name;
    QStringList before;
    std::function<edit::Change(std::string_view)> change;
    edit::Result result;
    QStringList after; // when Changed
};

TEST(MenuEdit, EachChangeMakesOneChangeOfTheFileAsItIs) {
    const edit::ShownTab a{1, "A"};
    const edit::ShownTab b{2, "B"};
    const Case cases[] = {
        {"add after the last button",
         kTwoTabs,
         [&](auto bytes) { return edit::addButton(bytes, b, "b2"); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=2", "Tab1=A", "Tab2=B", "[Tab 1]", "Number of Buttons=4",
          "Button 1=a1", "Button 2=a2", "Button 3=a3", "Button 4=a4", "[Tab 2]",
          "Number of Buttons=2", "Button 1=b1", "Button 2=b2"}},
        {"the first button makes the section",
         {"[Settings]", "Number of tabs=1", "Tab1=A"},
         [&](auto bytes) { return edit::addButton(bytes, a, "x"); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Button 1=x",
          "Number of Buttons=1"}},
        {"add to a tab whose caption changed meanwhile",
         kTwoTabs,
         [&](auto bytes) {
             return edit::addButton(bytes, {2, "Art"}, "x");
         },
         edit::Result::Stale,
         {}},
        {"add to a tab removed meanwhile",
         kTwoTabs,
         [&](auto bytes) {
             return edit::addButton(bytes, {3, ""}, "x");
         },
         edit::Result::Stale,
         {}},
        {"add under a damaged count",
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons= 12abc"},
         [&](auto bytes) { return edit::addButton(bytes, a, "x"); },
         edit::Result::DamagedCount,
         {}},
        {"add to a full tab",
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=32767"},
         [&](auto bytes) { return edit::addButton(bytes, a, "x"); },
         edit::Result::Full,
         {}},
        {"an item with a line break",
         kTwoTabs,
         [&](auto bytes) { return edit::addButton(bytes, a, "x\ny"); },
         edit::Result::Refused,
         {}},
        {"delete renumbers in place and lowers the count",
         kTwoTabs,
         [&](auto bytes) { return edit::deleteButton(bytes, a, 2, "a2"); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=2", "Tab1=A", "Tab2=B", "[Tab 1]", "Number of Buttons=3",
          "Button 1=a1", "Button 2=a3", "Button 3=a4", "[Tab 2]", "Number of Buttons=1",
          "Button 1=b1"}},
        {"delete of a button that moved meanwhile",
         kTwoTabs,
         [&](auto bytes) { return edit::deleteButton(bytes, a, 2, "a3"); },
         edit::Result::Stale,
         {}},
        {"delete on a tab whose place another tab took",
         kTwoTabs,
         [&](auto bytes) {
             return edit::deleteButton(bytes, {1, "B"}, 1, "a1");
         },
         edit::Result::Stale,
         {}},
        // A gap from a hand edit shows as an empty slot; deleting around it makes no cascade.
        {"delete below a gap keeps the gap",
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=4",
          "button 1=x1", "Button 3=x3", "Button 4=x4"},
         [&](auto bytes) { return edit::deleteButton(bytes, a, 1, "x1"); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=3",
          "Button 2=x3", "Button 3=x4"}},
        {"delete of the gap itself closes it",
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=3",
          "Button 1=x1", "Button 3=x3"},
         [&](auto bytes) { return edit::deleteButton(bytes, a, 2, ""); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=2",
          "Button 1=x1", "Button 2=x3"}},
        // Keys beyond the count and other spellings of the number stay as they are.
        {"delete leaves keys it does not count",
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=2",
          "Button 1=x1", "Button 2=x2", "Button 5=x5", "Button 02=y", "[Tab 2]", "Button 2=z"},
         [&](auto bytes) { return edit::deleteButton(bytes, a, 1, "x1"); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=1",
          "Button 1=x2", "Button 5=x5", "Button 02=y", "[Tab 2]", "Button 2=z"}},
        {"delete under a damaged count",
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Number of Buttons=-1",
          "Button 1=x1"},
         [&](auto bytes) { return edit::deleteButton(bytes, a, 1, "x1"); },
         edit::Result::DamagedCount,
         {}},
        {"delete without a count takes only the key",
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Button 1=x1", "Button 2=x2"},
         [&](auto bytes) { return edit::deleteButton(bytes, a, 1, "x1"); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=1", "Tab1=A", "[Tab 1]", "Button 2=x2"}},
        {"add a tab after the ones the file holds now", kTwoTabs,
         [&](auto bytes) { return edit::addTab(bytes, "Art"); }, edit::Result::Changed,
         QStringList{"[Settings]", "Number of tabs=3", "Tab1=A", "Tab2=B", "Tab3=Art"} +
             kTwoTabs.mid(4)},
        {"the first tab makes the file",
         {},
         [&](auto bytes) { return edit::addTab(bytes, "Art"); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=1", "Tab1=Art"}},
        {"add a tab under a damaged tab count",
         {"[Settings]", "Number of tabs=1e9"},
         [&](auto bytes) { return edit::addTab(bytes, "Art"); },
         edit::Result::DamagedCount,
         {}},
        {"remove a tab moves the later ones down",
         {"[Settings]", "Number of tabs=4", "Tab1=A", "Tab2=B", "Tab3=C", "Tab4=D", "[Tab 1]",
          "Button 1=a", "[Tab 2]", "Button 1=b", "[Tab 4]", "Button 1=d", "[Tab 5]",
          "Button 1=stray"},
         [&](auto bytes) { return edit::removeTab(bytes, b); },
         edit::Result::Changed,
         {"[Settings]", "Number of tabs=3", "Tab1=A", "Tab2=C", "Tab3=D", "[Tab 1]", "Button 1=a",
          "[Tab 3]", "Button 1=d", "[Tab 5]", "Button 1=stray"}},
        {"remove the last tab", kTwoTabs, [&](auto bytes) { return edit::removeTab(bytes, b); },
         edit::Result::Changed,
         QStringList{"[Settings]", "Number of tabs=1", "Tab1=A"} + kTwoTabs.mid(4, 6)},
        {"remove a tab that moved meanwhile",
         kTwoTabs,
         [&](auto bytes) {
             return edit::removeTab(bytes, {2, "A"});
         },
         edit::Result::Stale,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = c.before.isEmpty() ? std::string() : menu(c.before);
        const edit::Change change = c.change(before);
        EXPECT_EQ(change.result, c.result);
        if (c.result == edit::Result::Changed) {
            EXPECT_EQ(change.bytes, menu(c.after));
        }
    }
}

// New lines take the file's own line end; a file with old Mac line ends stays one.
TEST(MenuEdit, ChangesKeepTheFilesLineEnds) {
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(eol == std::string("\r") ? "CR" : eol == std::string("\n") ? "LF" : "CRLF");
        const QString e = QString::fromLatin1(eol);
        const QStringList lines{"[Settings]", "Number of tabs=1",    "Tab1=A",
                                "[Tab 1]",    "Number of Buttons=1", "Button 1=x"};
        const std::string before = (lines.join(e) + e).toStdString();
        const edit::Change added = edit::addButton(before, {1, "A"}, "y");
        ASSERT_EQ(added.result, edit::Result::Changed);
        const QStringList after{"[Settings]",          "Number of tabs=1", "Tab1=A",    "[Tab 1]",
                                "Number of Buttons=2", "Button 1=x",       "Button 2=y"};
        EXPECT_EQ(added.bytes, (after.join(e) + e).toStdString());
        const edit::Change tab = edit::addTab(added.bytes, "B");
        EXPECT_EQ(QString::fromStdString(tab.bytes).count(e), after.size() + 1);
    }
}

TEST(MenuEdit, OnlyAMenuReadsAsOne) {
    const std::pair<const char*, bool> cases[] = {
        {"", true},
        {"\r\n  \r\n; a remark\r\n", true},
        {"[Settings]\r\nNumber of tabs=0\r\n", true},
        {"[settings]", true},
        {"[Tab 3]\r\nButton 1=x\r\n", true},
        {"root:$6$abc:19000:0:99999:7:::\ndaemon:*:19000:0:99999:7:::\n", false},
        {"key=value\r\n", false},
        {"[Other]\r\nk=v\r\n", false},
        {"\x7f"
         "ELF\x02\x01\x01",
         false},
    };
    for (const auto& [bytes, isMenu] : cases) {
        EXPECT_EQ(edit::readsAsMenu(bytes), isMenu) << bytes;
    }
}

} // namespace

namespace {

TEST(MenuEdit, ATabHoldsAnItemOnlyAsACountedButtonOfItsOwn) {
    const std::string bytes =
        menu({"[Settings]", "Number of tabs=3", "Tab1=A", "Tab2=B", "Tab3=C", "[Tab 1]",
              "Number of Buttons=2", "button 1=/apps/One.exe", "Button 2 = /apps/Two.exe ",
              "Button 3=/apps/Beyond.exe", "Other=/apps/Other.exe", "[Tab 2]",
              "Number of Buttons=x", "Button 1=/apps/One.exe"});
    const std::tuple<int, const char*, bool> cases[] = {
        {1, "/apps/One.exe", true},     // the key's name in any letter case
        {1, "/apps/Two.exe", true},     // blanks around the value as the programs drop them
        {1, "/apps/One", false},        // the whole value only
        {1, "/apps/one.exe", false},    // letter case counts
        {1, "/apps/Beyond.exe", false}, // past the count
        {1, "/apps/Other.exe", false},  // not a button
        {2, "/apps/One.exe", false},    // a count that cannot be read
        {3, "/apps/One.exe", false},    // no section
        {1, "", false},
    };
    for (const auto& [tab, item, holds] : cases) {
        EXPECT_EQ(edit::tabHoldsItem(bytes, tab, QString::fromUtf8(item)), holds)
            << tab << " " << item;
    }
}

} // namespace
