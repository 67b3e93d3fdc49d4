// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/tabstrip.h"

#include "common/menulayout.h"
#include "common/modini.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>

namespace qv {

namespace {

// A caption shown as written: '&' is no mnemonic marker ("Tom & Jerry", not "Tom _Jerry").
QString literal(QString caption) {
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

} // namespace

TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent), bar_(new QTabBar(this)), previous_(new QToolButton(this)),
      next_(new QToolButton(this)) {
    bar_->setDrawBase(false);
    bar_->setUsesScrollButtons(true);
    previous_->setArrowType(Qt::LeftArrow);
    next_->setArrowType(Qt::RightArrow);
    previous_->setObjectName(QStringLiteral("previousTabs"));
    next_->setObjectName(QStringLiteral("nextTabs"));
    previous_->setToolTip(tr("Earlier tabs"));
    next_->setToolTip(tr("Later tabs"));
    previous_->hide();
    next_->hide();
    connect(bar_, &QTabBar::currentChanged, this, [this](int shown) {
        if (!syncing_ && shown >= 0) {
            setCurrent(first_ + shown);
        }
    });
    connect(previous_, &QToolButton::clicked, this,
            [this] { setCurrentIndex(std::max(0, first_ - kGroupSize)); });
    connect(next_, &QToolButton::clicked, this, [this] {
        if (first_ + kGroupSize < count()) {
            setCurrentIndex(first_ + kGroupSize);
        }
    });
}

void TabStrip::setTabs(const QStringList& captions) {
    qDeleteAll(pages_);
    captions_ = captions;
    pages_.assign(static_cast<std::size_t>(captions_.size()), nullptr);
    first_ = 0;
    const int old = current_;
    current_ = captions_.isEmpty() ? -1 : 0;
    syncBar();
    if (current_ != old) {
        emit currentChanged(current_);
    }
}

int TabStrip::addTab(QWidget* page, const QString& caption) {
    if (page) {
        page->setParent(this);
        page->hide();
    }
    captions_.append(caption);
    pages_.push_back(page);
    const int index = count() - 1;
    if (current_ < 0) {
        setCurrent(index);
    } else if (index < first_ + kGroupSize) {
        syncBar();
    } else {
        place(); // only the arrows may change
    }
    return index;
}

void TabStrip::removeTab(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    if (QWidget* page = pages_[static_cast<std::size_t>(index)]) {
        page->setParent(nullptr);
    }
    captions_.removeAt(index);
    pages_.erase(pages_.begin() + index);
    // As a tab bar does: the tab after the removed current one (or the one before at the end)
    // becomes current, and the current index follows the tabs that moved down.
    int next = current_;
    if (index < current_ || (index == current_ && current_ >= count())) {
        --next;
    }
    if (count() == 0) {
        next = -1;
    }
    if (first_ >= count()) {
        first_ = std::max(0, (count() - 1) / kGroupSize * kGroupSize);
    }
    const bool changed = next != current_ || index == current_;
    current_ = next;
    showGroupOf(current_);
    if (changed) {
        emit currentChanged(current_);
    }
}

void TabStrip::clear() {
    setTabs({});
}

void TabStrip::setCurrentIndex(int index) {
    if (index >= 0 && index < count()) {
        setCurrent(index);
    }
}

void TabStrip::setTabText(int index, const QString& caption) {
    if (index < 0 || index >= count()) {
        return;
    }
    captions_[index] = caption;
    if (index >= first_ && index < first_ + kGroupSize) {
        bar_->setTabText(index - first_, literal(caption));
        place(); // a longer caption needs a wider bar, or the bar would scroll
    }
}

QWidget* TabStrip::widget(int index) const {
    return index >= 0 && index < count() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

void TabStrip::setCurrent(int index) {
    const bool changed = index != current_;
    current_ = index;
    showGroupOf(index);
    if (changed) {
        emit currentChanged(index);
    }
}

void TabStrip::showGroupOf(int index) {
    const int group = index < 0 ? 0 : index / kGroupSize * kGroupSize;
    if (group != first_ || bar_->count() != std::min(kGroupSize, count() - first_)) {
        first_ = group;
        syncBar();
    } else {
        syncing_ = true;
        bar_->setCurrentIndex(index - first_);
        syncing_ = false;
        place();
    }
}

// Puts the group's captions into the bar: at most kGroupSize inserts, whatever the count.
void TabStrip::syncBar() {
    syncing_ = true;
    const int shown = std::max(0, std::min(kGroupSize, count() - first_));
    while (bar_->count() > shown) {
        bar_->removeTab(bar_->count() - 1);
    }
    for (int i = 0; i < shown; ++i) {
        if (i < bar_->count()) {
            bar_->setTabText(i, literal(captions_[first_ + i]));
        } else {
            bar_->addTab(literal(captions_[first_ + i]));
        }
    }
    if (current_ >= first_ && current_ < first_ + shown) {
        bar_->setCurrentIndex(current_ - first_);
    }
    syncing_ = false;
    place();
}

void TabStrip::place() {
    const bool groups = count() > kGroupSize;
    previous_->setVisible(groups);
    next_->setVisible(groups);
    previous_->setEnabled(first_ > 0);
    next_->setEnabled(first_ + kGroupSize < count());
    const int h = bar_->sizeHint().height();
    const int arrows = groups ? 2 * h : 0;
    bar_->setGeometry(0, 0, std::min(bar_->sizeHint().width(), width() - arrows), h);
    previous_->setGeometry(width() - arrows, 0, h, h);
    next_->setGeometry(width() - h, 0, h, h);
    update();
}

void TabStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void TabStrip::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    const int top = std::max(0, bar_->height() - overlap);
    frame.rect = QRect(0, top, width(), height() - top);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->size();
    frame.tabBarRect = bar_->geometry();
    frame.selectedTabRect = bar_->currentIndex() >= 0
                                ? bar_->tabRect(bar_->currentIndex()).translated(bar_->pos())
                                : QRect();
    p.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void fillTabStrip(TabStrip& ceptab, const QString& profilePath, int count,
                  MessageBoxService& messages) {
    QStringList captions;
    if (count > 0) {
        std::vector<QString> keys;
        keys.reserve(static_cast<std::size_t>(count));
        for (int n = 1; n <= count; ++n) {
            keys.push_back(tabCaptionKey(n));
        }
        const auto values = ReadKeys(profilePath, kSettings, keys, messages);
        captions.reserve(count);
        for (int n = 0; n < count; ++n) {
            captions << (values ? (*values)[static_cast<std::size_t>(n)] : QString());
        }
    }
    ceptab.setTabs(captions);
}

} // namespace qv
