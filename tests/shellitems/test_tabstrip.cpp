// The tab strip against Qt's own tab widget: the same calls give the same tabs, current tab and
// change signals; beyond one group only the group of the current tab is in the bar.
#include "common/ui/tabstrip.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Step {
    const char* what;
    std::function<void(QTabWidget&)> qt;
    std::function<void(qv::TabStrip&)> ours;
};

TEST(TabStrip, BehavesAsQtsTabWidgetForTheCallsTheWindowsMake) {
    QTabWidget qt;
    qv::TabStrip ours;
    QSignalSpy qtChanges(&qt, &QTabWidget::currentChanged);
    QSignalSpy ourChanges(&ours, &qv::TabStrip::currentChanged);
    auto add = [](const char* text) {
        return Step{text, [=](QTabWidget& w) { w.addTab(new QWidget, text); },
                    [=](qv::TabStrip& s) { s.addTab(new QWidget, text); }};
    };
    auto remove = [](int i) {
        // As the editor does: the page is taken, the tab removed, then the page deleted.
        return Step{"remove",
                    [=](QTabWidget& w) {
                        QWidget* page = w.widget(i);
                        w.removeTab(i);
                        delete page;
                    },
                    [=](qv::TabStrip& s) {
                        QWidget* page = s.widget(i);
                        s.removeTab(i);
                        delete page;
                    }};
    };
    auto select = [](int i) {
        return Step{"select", [=](QTabWidget& w) { w.setCurrentIndex(i); },
                    [=](qv::TabStrip& s) { s.setCurrentIndex(i); }};
    };
    const Step steps[] = {
        add("A"),
        add("B"),
        add("C"),
        select(2),
        remove(2),
        select(0),
        remove(0),
        add("D"),
        select(1),
        remove(0),
        remove(0),
        add("E"),
        select(5),
        {"rename", [](QTabWidget& w) { w.setTabText(0, "F"); },
         [](qv::TabStrip& s) { s.setTabText(0, "F"); }},
    };
    for (const Step& step : steps) {
        step.qt(qt);
        step.ours(ours);
        ASSERT_EQ(ours.count(), qt.count()) << step.what;
        EXPECT_EQ(ours.currentIndex(), qt.currentIndex()) << step.what;
        for (int i = 0; i < qt.count(); ++i) {
            EXPECT_EQ(ours.tabText(i), qt.tabText(i)) << step.what;
        }
        EXPECT_EQ(ourChanges, qtChanges) << step.what;
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
    EXPECT_EQ(strip.tabText(32766), "Tab 32767");
}

} // namespace
