// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tab strip ceptab of both main windows: any number of tabs in the 16-bit range.
//
// Qt's tab bar lays itself out again on every insert, in time proportional to its tabs, so
// 32767 tabs took minutes to build. This strip keeps the captions itself and shows them through a
// real tab bar that holds one group of at most kGroupSize tabs at a time; the arrows beside it
// (shown only when there is more than one group) move to the group before or after, selecting
// its first tab. A menu of kGroupSize tabs or fewer looks and behaves as a plain tab bar.
// The calls mirror those of QTabWidget that the windows use; pages are optional and never shown
// (the launch buttons lie over the strip).
#include "platform/dialogs/messagebox.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QTabBar;
class QToolButton;

namespace qv {

class TabStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGroupSize = 50;

    explicit TabStrip(QWidget* parent = nullptr);

    // Replaces all tabs (deleting their pages) by these captions in one pass; the first becomes
    // the current tab (none when the list is empty). Emits currentChanged once when the current
    // index changed.
    void setTabs(const QStringList& captions);
    // Appends a tab (page may be null; the strip keeps it hidden and gives it back by widget())
    // and returns its index. The first tab of an empty strip becomes the current one.
    int addTab(QWidget* page, const QString& caption);
    // Removes the tab; its page, if any, is handed back to the caller as QTabWidget does.
    void removeTab(int index);
    void clear(); // setTabs({})

    int count() const { return static_cast<int>(captions_.size()); }
    int currentIndex() const { return current_; }
    void setCurrentIndex(int index);
    QString tabText(int index) const { return captions_.value(index); }
    const QStringList& captions() const { return captions_; }
    void setTabText(int index, const QString& caption);
    QWidget* widget(int index) const;

    // The first tab of the group shown.
    int firstShown() const { return first_; }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showGroupOf(int index);
    void syncBar();
    void place();
    void setCurrent(int index);

    QTabBar* bar_;
    QToolButton* previous_;
    QToolButton* next_;
    QStringList captions_;
    std::vector<QWidget*> pages_;
    int current_ = -1;
    int first_ = 0;
    bool syncing_ = false;
};

// The start-up fill of both windows: tabs 1 to count, captioned from "Tab" + n of "Settings" (an
// absent key gives an empty caption), with the file read once rather than once a tab.
void fillTabStrip(TabStrip& ceptab, const QString& profilePath, int count,
                  MessageBoxService& messages);

} // namespace qv
