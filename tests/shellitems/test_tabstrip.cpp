// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip ceptab of both windows.
#include "common/ui/tabstrip.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The tab strip against Qt's own tab widget: the same calls give the same tabs, current tab
// and change signals; beyond one group only the group of the current tab is in the bar.
// One call as the windows make it: 'a'dd a tab of the text, 'r'emove tab i (the page taken, the
// tab removed, then the page deleted, as the editor does), 's'elect tab i, 'n'ame tab i.
struct Step {
    char op;
    int i;
    const char* text = "";
};

template <class Tabs> void apply(Tabs& w, const Step& s) {
    switch (s.op) {
    case 'a':
        w.addTab(new QWidget, s.text);
        break;
    case 'r': {
        QWidget* page = w.widget(s.i);
        w.removeTab(s.i);
        delete page;
        break;
    }
    case 's':
        w.setCurrentIndex(s.i);
        break;
    default:
        w.setTabText(s.i, s.text);
    }
}

TEST(TabStrip, BehavesAsQtsTabWidgetForTheCallsTheWindowsMake) {
    QTabWidget qt;
    qv::TabStrip ours;
    QSignalSpy qtChanges(&qt, &QTabWidget::currentChanged);
    QSignalSpy ourChanges(&ours, &qv::TabStrip::currentChanged);
    const Step steps[] = {{'a', 0, "A"}, {'a', 0, "B"}, {'a', 0, "C"}, {'s', 2},     {'r', 2},
                          {'s', 0},      {'r', 0},      {'a', 0, "D"}, {'s', 1},     {'r', 0},
                          {'r', 0},      {'a', 0, "E"}, {'s', 5},      {'n', 0, "F"}};
    for (const Step& step : steps) {
        apply(qt, step);
        apply(ours, step);
        SCOPED_TRACE(std::string(1, step.op) + std::to_string(step.i));
        ASSERT_EQ(ours.count(), qt.count());
        EXPECT_EQ(ours.currentIndex(), qt.currentIndex());
        for (int i = 0; i < qt.count(); ++i) {
            EXPECT_EQ(ours.tabText(i), qt.tabText(i));
        }
        EXPECT_EQ(ourChanges, qtChanges);
    }
}

TEST(TabStrip, ThousandsOfTabsShowTheGroupOfTheCurrentOne) {
    qv::TabStrip strip;
    QStringList captions;
    for (int n = 1; n <= 32767; ++n) {
        captions << QStringLiteral("Tab %1").arg(n);
    }
    QSignalSpy changes(&strip, &qv::TabStrip::currentChanged);
    strip.setTabs(captions);
    auto* bar = strip.findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(strip.count(), 32767);
    EXPECT_EQ(bar->count(), qv::TabStrip::kGroupSize);
    EXPECT_EQ(changes.count(), 1);
    strip.setCurrentIndex(32766);
    EXPECT_EQ(strip.firstShown(), 32767 / qv::TabStrip::kGroupSize * qv::TabStrip::kGroupSize);
    EXPECT_EQ(bar->tabText(bar->currentIndex()), "Tab 32767");
    // A click on a tab of the bar selects that tab of the strip.
    bar->setCurrentIndex(0);
    EXPECT_EQ(strip.currentIndex(), strip.firstShown());
    EXPECT_EQ(changes.count(), 3);
}

} // namespace
