// SPDX-License-Identifier: GPL-3.0-or-later
// The pager, headless: which buttons each page change shows and which page buttons it leaves
// enabled, under the launcher's and the editor's rules.
#include "common/pager.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

constexpr qv::PagerRules kLauncher{true};
constexpr qv::PagerRules kEditor{false};

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
        v.item = [this](std::int16_t n) { return items.contains(n) ? items[n] : QString(); };
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

// Steps such as "n 11-20 NB": ">>" shows buttons 11 to 20 (none when the range is empty) with
// ">>" (N) and "<<" (B) enabled, the page offset then being 10. 'f' is the first page, 'b' "<<",
// "a20" the page at 20; "<13" lowers the count to 13 first, "!" enables both page buttons first.
TEST(Pager, PageChangesShowTheirButtonsAndEnableTheirPageButtons) {
    const qv::MenuCount empty{};
    const qv::MenuCount unreadable{qv::MenuCount::State::Unreadable, 0};
    const std::tuple<const char*, qv::PagerRules, qv::MenuCount, int, const char*> cases[] = {
        {"ten", kLauncher, number(10), 10, "f 1-10"},
        {"twenty", kLauncher, number(20), 20,
         "f 1-10 N, n 11-20 NB, n 21-20 B, b 11-20 NB, b 1-10 N"},
        {"twenty-five", kEditor, number(25), 25,
         "f 1-10 N, n 11-20 NB, n 21-25 B, b 11-20 NB, b 1-10 N, n 11-20 NB"},
        {"none", kLauncher, number(0), 3, "f 1-0"},
        {"empty count", kEditor, empty, 3, "f 1-0"},
        // Both show the keys up to the first missing one, without paging.
        {"launcher, unreadable count", kLauncher, unreadable, 3, "f 1-3"},
        {"editor, unreadable count", kEditor, unreadable, 12, "f 1-10"},
        {"editor, unreadable count, gap", kEditor, unreadable, 4, "f 1-4"},
        // The file shrank while the third page was shown: the launcher's "<<" still shows ten.
        {"launcher, shrunk", kLauncher, number(25), 25,
         "f 1-10 N, n 11-20 NB, n 21-25 B, b<13 11-20 NB"},
        {"editor, shrunk", kEditor, number(25), 25,
         "f 1-10 N, n 11-20 NB, n 21-25 B, b<13 11-13 NB"},
        // A page shown again (after the menu changed) is reached as ">>" reaches it.
        {"again at a later page", kLauncher, number(35), 35, "a20 21-30 B, b 11-20 NB"},
        {"again beyond the count", kEditor, number(20), 20, "f 1-10 N, n 11-20 NB, a20 1-10 N"},
        // Sixteen-bit button numbers never wrap: no page lies beyond the last one.
        {"the last pages", kLauncher, number(32767), 32767,
         "a32750 32751-32760 B, !n 32761-32767 B, !n 32761-32767 B"},
    };
    const QRegularExpression step(R"((!?)([fnba])(?:<(\d+))?(\d*) (\d+)-(\d+) ?(N?)(B?))");
    for (const auto& [name, rules, count, stored, steps] : cases) {
        Window w;
        w.count = count;
        for (int n = 1; n <= stored; ++n) {
            w.items[n] = QStringLiteral("b%1").arg(n);
        }
        qv::Pager pager(w.view(), rules, QStringLiteral("/q"));
        for (const QString& s : QString(steps).split(", ")) {
            const auto m = step.match(s);
            ASSERT_TRUE(m.hasMatch()) << qPrintable(s);
            if (!m.captured(1).isEmpty()) {
                w.next = w.back = true;
            }
            if (!m.captured(3).isEmpty()) {
                w.count = number(m.captured(3).toInt());
            }
            switch (m.captured(2).front().toLatin1()) {
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
                pager.showAt(static_cast<std::int16_t>(m.captured(4).toInt()));
            }
            const int first = m.captured(5).toInt();
            SCOPED_TRACE(std::string(name) + ": " + s.toStdString());
            EXPECT_EQ(w.shown, page(first, m.captured(6).toInt()));
            EXPECT_EQ(w.next, !m.captured(7).isEmpty());
            EXPECT_EQ(w.back, !m.captured(8).isEmpty());
            EXPECT_EQ(pager.pageOffset(), first - 1);
            for (int slot : {7, 8}) { // numbers beyond 32767 are none
                const int n = first - 1 + slot;
                EXPECT_EQ(pager.buttonNumber(slot),
                          n <= 32767 ? std::optional<std::int16_t>(n) : std::nullopt);
            }
        }
    }
}

TEST(Pager, SpecialItemsComeFromTheStandardFolderExactlySpelled) {
    Window w;
    w.count = number(2);
    w.items = {{1, "My Computer.lnk"}, {2, "my computer.lnk"}};
    qv::Pager pager(w.view(), kLauncher, QStringLiteral("/q"));
    pager.showFirst();
    EXPECT_EQ(w.shown, QStringList({"1:/q/standard/My Computer.lnk", "2:my computer.lnk"}));
}

} // namespace
