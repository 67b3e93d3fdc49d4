// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/tabpages.h"

#include "common/ui/cmdapplau.h"
#include "common/ui/tabstrip.h"
#include "common/ui/twips.h"

#include <QPushButton>

namespace qv {

namespace {

QPushButton* pageButton(QWidget* window, const char* name, const char* text, const QRect& twips) {
    auto* button = new QPushButton(QString::fromLatin1(text), window);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return button;
}

TabStrip* strip(QWidget* window, const QRect& twips) {
    auto* ceptab = new TabStrip(window);
    ceptab->setObjectName(QStringLiteral("ceptab"));
    ceptab->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return ceptab;
}

} // namespace

TabPages::TabPages(QWidget* window, const TabPagesGeometry& twips, PageView view, PagerRules rules,
                   const QString& programFolder)
    : QObject(window), ceptab(strip(window, twips.ceptab)),
      cmdback(pageButton(window, "cmdback", "<<", twips.cmdback)),
      cmdnext(pageButton(window, "cmdnext", ">>", twips.cmdnext)),
      cmdapplau(new LaunchButtonArray(window, twips.buttonTemplate)) {
    cmdapplau->setObjectName(QStringLiteral("cmdapplau"));
    // ">>" is disabled by design; the window's load decides both from the first page.
    cmdnext->setEnabled(false);
    view.enableBack = [this](bool on) { cmdback->setEnabled(on); };
    view.enableNext = [this](bool on) { cmdnext->setEnabled(on); };
    pager_ = std::make_unique<Pager>(std::move(view), rules, programFolder);
    connect(ceptab, &TabStrip::currentChanged, this, &TabPages::tabClicked);
    connect(cmdback, &QPushButton::clicked, this, &TabPages::backClicked);
    connect(cmdnext, &QPushButton::clicked, this, &TabPages::nextClicked);
}

TabPages::~TabPages() = default;

std::int16_t TabPages::selectedTab() const {
    const int index = ceptab->currentIndex();
    // The strip holds at most a 16-bit count of tabs.
    return index < 0 ? std::int16_t(0) : static_cast<std::int16_t>(index + 1);
}

} // namespace qv
