// SPDX-License-Identifier: GPL-3.0-or-later
// The tab-and-page widget both windows share: its controls on the window at their design places,
// the page buttons turned on and off by the paging, and the window's handlers reached through
// its signals.
#include "common/ui/cmdapplau.h"
#include "common/ui/tabpages.h"
#include "common/ui/tabstrip.h"
#include "common/ui/twips.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(TabPages, ControlsPageAndSignalsOfBothWindows) {
    QWidget window;
    int count = 11;
    QStringList loaded;
    qv::PageView view;
    view.count = [&count] { return qv::parseCount(QString::number(count)); };
    view.item = [](std::int16_t n) { return QStringLiteral("/apps/i%1.exe").arg(n); };
    view.unloadButtons = [&loaded] { loaded.clear(); };
    view.loadButton = [&loaded](int, const QString& item) { loaded << item; };
    const qv::TabPagesGeometry twips{QRect(120, 840, 9135, 3735), QRect(240, 1320, 375, 3135),
                                     QRect(8760, 1320, 375, 3135), QRect(1080, 1440, 1335, 1095)};
    qv::TabPages pages(&window, twips, view, qv::PagerRules{true}, QStringLiteral("/prog"));

    // On the window itself, where screen readers and the layout look for them.
    const std::pair<QWidget*, QRect> placed[] = {
        {pages.ceptab, twips.ceptab},
        {pages.cmdback, twips.cmdback},
        {pages.cmdnext, twips.cmdnext},
        {pages.cmdapplau->element(0), twips.buttonTemplate}};
    for (const auto& [control, design] : placed) {
        EXPECT_EQ(control->parentWidget(), &window) << control->objectName().toStdString();
        EXPECT_EQ(control->geometry(),
                  qv::twipsRect(design.x(), design.y(), design.width(), design.height()))
            << control->objectName().toStdString();
    }
    EXPECT_EQ(window.findChild<QPushButton*>("cmdback"), pages.cmdback);
    EXPECT_EQ(window.findChild<QPushButton*>("cmdnext"), pages.cmdnext);
    EXPECT_EQ(window.findChild<qv::TabStrip*>("ceptab"), pages.ceptab);
    EXPECT_EQ(pages.cmdback->text(), "<<");
    EXPECT_EQ(pages.cmdnext->text(), ">>");
    EXPECT_FALSE(pages.cmdnext->isEnabled()); // by design, until a page is shown
    EXPECT_EQ(pages.selectedTab(), 0);

    QSignalSpy tab(&pages, &qv::TabPages::tabClicked);
    QSignalSpy back(&pages, &qv::TabPages::backClicked);
    QSignalSpy next(&pages, &qv::TabPages::nextClicked);
    pages.ceptab->setTabs({"A", "B"});
    EXPECT_EQ(pages.selectedTab(), 1);
    pages.ceptab->setCurrentIndex(1);
    EXPECT_EQ(pages.selectedTab(), 2);
    EXPECT_EQ(tab.count(), 2); // the first tab selected, then the second

    pages.pager().showFirst();
    EXPECT_EQ(loaded.size(), 10);
    EXPECT_TRUE(pages.cmdnext->isEnabled());
    EXPECT_FALSE(pages.cmdback->isEnabled());
    window.show();
    QTest::mouseClick(pages.cmdnext, Qt::LeftButton);
    EXPECT_EQ(next.count(), 1); // the window's handler turns the page
    pages.pager().showNext();
    EXPECT_EQ(loaded, QStringList({"/apps/i11.exe"}));
    EXPECT_TRUE(pages.cmdback->isEnabled());
    EXPECT_FALSE(pages.cmdnext->isEnabled());
    QTest::mouseClick(pages.cmdback, Qt::LeftButton);
    EXPECT_EQ(back.count(), 1);
}

} // namespace
