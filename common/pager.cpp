// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/pager.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace qv {

bool add16(std::int16_t& counter, int delta) {
    const int sum = counter + delta;
    if (sum > std::numeric_limits<std::int16_t>::max() ||
        sum < std::numeric_limits<std::int16_t>::min()) {
        return false;
    }
    counter = static_cast<std::int16_t>(sum);
    return true;
}

Pager::Pager(PageView view, PagerRules rules, QString programFolder)
    : view_(std::move(view)), rules_(rules), programFolder_(std::move(programFolder)) {}

int Pager::fill(std::int16_t offset, int last) {
    int pageButtonCount = 0;
    for (int buttonNo = 1; buttonNo <= last; ++buttonNo) {
        // offset + last never passes the count, itself a 16-bit number.
        const auto n = static_cast<std::int16_t>(offset + buttonNo);
        view_.loadButton(buttonNo, resolveSpecialItem(view_.item(n), programFolder_));
        ++pageButtonCount;
    }
    return pageButtonCount;
}

void Pager::showFirst() {
    view_.enableBack(false);
    view_.enableNext(false);
    view_.unloadButtons();
    pageOffset_ = 0;
    const MenuCount count = view_.count();
    if (count.state == MenuCount::State::Unreadable && view_.unreadableCount) {
        view_.unreadableCount();
    }
    if (count.state == MenuCount::State::Unreadable) {
        // Nothing tells how many buttons there are: no paging.
        for (int slot = 1; slot <= kPageSize; ++slot) {
            const QString item = view_.item(static_cast<std::int16_t>(slot));
            if (item.isEmpty()) {
                break;
            }
            view_.loadButton(slot, resolveSpecialItem(item, programFolder_));
        }
        return;
    }
    // An empty count: the tab shows no buttons.
    if (!count.isNumber()) {
        return;
    }
    if (count.value > kPageSize) {
        view_.enableNext(true);
    }
    fill(0, std::min<int>(count.value, kPageSize));
}

void Pager::showNext() {
    std::int16_t next = pageOffset_;
    if (!add16(next, kPageSize)) {
        // No page lies beyond the 16-bit button numbers.
        view_.enableNext(false);
        return;
    }
    previousPageOffset_ = pageOffset_;
    pageOffset_ = next;
    view_.unloadButtons();
    const MenuCount count = view_.count();
    int pageButtonCount = 0;
    if (count.isNumber()) {
        pageButtonCount = fill(pageOffset_, std::min<int>(count.value - pageOffset_, kPageSize));
    }
    // Only a full page may have another after it.
    if (pageButtonCount != kPageSize) {
        view_.enableNext(false);
    }
    view_.enableBack(true);
}

void Pager::showBack() {
    std::int16_t previous = previousPageOffset_;
    if (!add16(previous, -kPageSize) || previous + kPageSize < 0) {
        view_.enableBack(false);
        return;
    }
    view_.unloadButtons();
    const MenuCount count = view_.count();
    if (count.isNumber()) {
        const int last = rules_.backShowsTen
                             ? kPageSize
                             : std::min<int>(count.value - previousPageOffset_, kPageSize);
        fill(previousPageOffset_, last);
    }
    previousPageOffset_ = previous;
    pageOffset_ = static_cast<std::int16_t>(previousPageOffset_ + kPageSize);
    view_.enableNext(true);
    if (pageOffset_ == 0) {
        view_.enableBack(false);
    }
}

void Pager::showAt(std::int16_t offset) {
    const MenuCount count = view_.count();
    if (offset > 0 && count.isNumber() && count.value > offset) {
        view_.enableNext(false);
        view_.unloadButtons();
        pageOffset_ = static_cast<std::int16_t>(offset - kPageSize);
        showNext();
        return;
    }
    showFirst();
}

std::optional<std::int16_t> Pager::buttonNumber(int slot) const {
    std::int16_t n = pageOffset_;
    if (!add16(n, slot)) {
        return std::nullopt;
    }
    return n;
}

} // namespace qv
