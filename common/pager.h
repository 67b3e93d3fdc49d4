// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The paging of a tab's buttons, ten to a page, for both main windows: the page offset with its
// 16-bit guard, and the loop that reads the count, each item and its special form and hands the
// items to the window one slot at a time. Headless: the window supplies its reads and controls.
#include "common/menulayout.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace qv {

// What the pager asks of its window.
struct PageView {
    // The selected tab's "Number Of Buttons", read afresh at every page change.
    std::function<MenuCount()> count;
    // The stored item of button number n of the selected tab.
    std::function<QString(std::int16_t n)> item;
    // Unloads the buttons shown.
    std::function<void()> unloadButtons;
    // Shows item in slot (1 to 10, without gaps); the window builds the button.
    std::function<void(int slot, const QString& item)> loadButton;
    std::function<void(bool)> enableBack;
    std::function<void(bool)> enableNext;
    // Told when the first page of a tab whose count cannot be read is shown (may be empty).
    std::function<void()> unreadableCount;
};

// Where the two windows differ. (A count that cannot be read is shown alike by both: the first
// page's keys up to the first missing one, without paging, so that the teacher and the pupils
// see the same tab.)
struct PagerRules {
    // "<<" shows all ten buttons of the page before, as it was full when it was left; otherwise
    // no more than the count now holds.
    bool backShowsTen = false;
};

class Pager {
public:
    Pager(PageView view, PagerRules rules, QString programFolder);

    std::int16_t pageOffset() const { return pageOffset_; }

    // The first page of the selected tab, as a tab change shows it.
    void showFirst();
    // ">>": the next page. At the end of the 16-bit button numbers ">>" is disabled instead.
    void showNext();
    // "<<": the page before.
    void showBack();
    // The page at offset as ">>" reaches it from the page before, when the count still reaches
    // it; otherwise the first page.
    void showAt(std::int16_t offset);
    // The number of the button in slot (1 to 10) of the page shown; nothing when it would pass
    // the 16-bit range.
    std::optional<std::int16_t> buttonNumber(int slot) const;

private:
    // Loads slots 1 up to last with the buttons after offset.
    int fill(std::int16_t offset, int last);

    PageView view_;
    PagerRules rules_;
    QString programFolder_;
    std::int16_t pageOffset_ = 0;
    std::int16_t previousPageOffset_ = 0;
};

// Adds delta to a 16-bit window counter. False, with the counter unchanged, when the result
// would leave the 16-bit range: the caller then stops instead of wrapping around.
bool add16(std::int16_t& counter, int delta);

} // namespace qv
