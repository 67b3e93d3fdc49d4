// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tabs and pages of both main windows: the tab strip ceptab, the page buttons "<<" (cmdback)
// and ">>" (cmdnext), the launch-button array cmdapplau lying over the strip, and the paging of
// the selected tab's buttons ten to a page (qv::Pager), which turns "<<" and ">>" on and off.
//
// The controls are made on the window itself, not inside a box of their own, so that each keeps
// its design position in the window's twips and screen readers find them where they always were.
// The window keeps its handlers (ceptab_Click, cmdback_Click, cmdnext_Click and the presses of
// cmdapplau), connects them to the signals below, and builds each button itself (LoadButton).
#include "common/pager.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>

class QPushButton;
class QWidget;

namespace qv {

class LaunchButtonArray;
class TabStrip;

// Where the controls lie in the window's design, in twips.
struct TabPagesGeometry {
    QRect ceptab;
    QRect cmdback;
    QRect cmdnext;
    QRect buttonTemplate; // element 0 of cmdapplau
};

class TabPages : public QObject {
    Q_OBJECT
public:
    // view supplies the reads, the unloading and the building of buttons; its enableBack and
    // enableNext are this object's own and need not be set.
    TabPages(QWidget* window, const TabPagesGeometry& twips, PageView view, PagerRules rules,
             const QString& programFolder);
    ~TabPages() override;

    TabStrip* const ceptab;
    QPushButton* const cmdback;
    QPushButton* const cmdnext;
    LaunchButtonArray* const cmdapplau;

    Pager& pager() { return *pager_; }
    const Pager& pager() const { return *pager_; }
    // The number of the selected tab, from 1; 0 when there is no tab.
    std::int16_t selectedTab() const;

signals:
    // A tab was chosen (not sent while the strip's signals are blocked).
    void tabClicked();
    void backClicked();
    void nextClicked();

private:
    std::unique_ptr<Pager> pager_;
};

} // namespace qv
