// SPDX-License-Identifier: GPL-3.0-or-later
#include "teach/frmdrop.h"

#include "common/menulayout.h"
#include "common/menuwatcher.h"
#include "common/modini.h"
#include "common/pager.h"
#include "common/ui/Arrays.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/droparea.h"
#include "common/ui/fittext.h"
#include "common/ui/imgicon.h"
#include "common/ui/tabpages.h"
#include "common/ui/twips.h"
#include "platform/dialogs/messagebox.h"
#include "teach/editornotices.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <algorithm>

namespace edit = qv::menuedit;

namespace {

// Resets a flag when the scope ends, however it ends.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = old_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

frmdrop::frmdrop(const qv::Services& services, const QString& programFolder, QWidget* parent)
    : QWidget(parent), services_(services), messages_(*services.messages),
      programFolder_(programFolder.isEmpty() ? qv::programFolder() : programFolder),
      profilePath_(!services.menuPath.isEmpty() ? services.menuPath
                   : programFolder.isEmpty()    ? qv::ProfilePath()
                                                : qv::ProfilePath(programFolder)) {
    buildControls();
    launchWindow_ = std::make_unique<qv::LaunchWindow>();
    launchWindow_->window = this;
    launchWindow_->cmdapplau = cmdapplau;
    launchWindow_->imgicon = imgicon;
    launchWindow_->programFolder = programFolder_;
    launchWindow_->overlayShortcutIcons = false;
    launchWindow_->messages = &messages_;
}

frmdrop::~frmdrop() = default;

void frmdrop::buildControls() {
    setObjectName(QStringLiteral("frmdrop"));
    setWindowTitle(qv::EditorNotices::title());
    setFixedSize(qv::twipsToPixels(9330), qv::twipsToPixels(6585));
    // The layout was drawn for an 8-point face; the desktop's usual 9 or 10 points would clip
    // the labels and button texts at their fixed widths.
    QFont face = font();
    face.setPointSizeF(std::min<qreal>(face.pointSizeF(), 8.0));
    setFont(face);

    Image1 = new QLabel(tr("Drop here..."), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(qv::twipsRect(120, 120, 2895, 2415));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setToolTip(tr("Drop here..."));
    // Every kind of data is let in, so that a drop without files can be answered.
    new qv::DropArea(Image1, [this](const QMimeData* data) { Image1_OLEDragDrop(data); });
    Image1->setStyleSheet(QStringLiteral("QLabel#Image1 { border: 2px dashed palette(mid); "
                                         "border-radius: 6px; color: palette(dark); }"));

    // Many desktops cannot drag an application out of their menu; this reaches the same preview.
    cmdlist = new QPushButton(Image1);
    cmdlist->setObjectName(QStringLiteral("cmdlist"));
    cmdlist->setGeometry(qv::twipsRect(360, 1800, 2175, 360));
    cmdlist->setToolTip(tr("Choose an installed application or a file for a new button"));
    //: Button; room for about 20 letters, a longer text is cut.
    qv::setFittedText(*cmdlist, tr("Add from &list..."));

    imgicon = new qv::IconSurface(this);
    imgicon->setObjectName(QStringLiteral("imgicon"));
    imgicon->setGeometry(qv::twipsRect(1080, 840, 615, 615));
    imgicon->hide();

    Frame1 = new QGroupBox(tr("New Button"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(qv::twipsRect(3120, 120, 6135, 2415));

    auto label = [this](const char* name, const QString& text, QRect twips) {
        auto* l = new QLabel(Frame1);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(twips);
        qv::setFittedText(*l, text);
        return l;
    };
    //: Label of the tab caption box ("tab" as in a tab of the menu); room for about 4 letters.
    Label1 = label("Label1", tr("Tab:"), qv::twipsRect(240, 480, 375, 255));
    //: Label: the file or program a new button starts; room for about 7 letters.
    labTarget = label("labTarget", tr("Target:"), qv::twipsRect(240, 1200, 615, 255));
    //: Label: the text on a new button; room for about 8 letters.
    labName = label("labName", tr("Caption:"), qv::twipsRect(240, 1560, 735, 255));
    //: Label: the tooltip of a new button; room for about 7 letters.
    labHint = label("labHint", tr("Hint:"), qv::twipsRect(240, 1920, 615, 255));

    // The window fills these itself and never reads them back, so they take no typing.
    auto box = [this](const char* name, QRect twips) {
        auto* t = new QLineEdit(Frame1);
        t->setObjectName(QString::fromLatin1(name));
        t->setGeometry(twips);
        t->setReadOnly(true);
        return t;
    };
    txtTarget = box("txtTarget", qv::twipsRect(960, 1200, 3135, 285));
    txtappname = box("txtappname", qv::twipsRect(960, 1560, 3135, 285));
    txtHint = box("txtHint", qv::twipsRect(960, 1920, 3135, 285));
    // Without names of their own, screen readers call all three after their frame.
    txtTarget->setAccessibleName(tr("Target"));
    txtappname->setAccessibleName(tr("Caption"));
    txtHint->setAccessibleName(tr("Hint"));

    // These belong to the window but lie on the frame's lines, drawn above it.
    txttabcaption = new QLineEdit(tr("Tab Caption"), this);
    txttabcaption->setObjectName(QStringLiteral("txttabcaption"));
    txttabcaption->setGeometry(qv::twipsRect(4080, 600, 3135, 285));
    //: Noun: a tab of the menu (for screen readers).
    txttabcaption->setAccessibleName(tr("Tab"));

    auto button = [this](const char* name, const QString& text, QRect twips) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twips);
        qv::setFittedText(*b, text);
        return b;
    };
    //: Button: adds a tab; room for about 7 letters.
    cmdaddtab = button("cmdaddtab", tr("&Add"), qv::twipsRect(7440, 600, 735, 255));
    //: Button: removes the tab shown; room for about 7 letters.
    cmdremovetab = button("cmdremovetab", tr("&Remove"), qv::twipsRect(8160, 600, 735, 255));
    //: Button: adds the new button to the tab; room for about 11 letters.
    cmdaddbutt = button("cmdaddbutt", tr("&Add Button"), qv::twipsRect(7920, 1200, 1095, 255));
    cmdaddbutt->setEnabled(false);

    qv::PageView view;
    view.count = [this] {
        const std::int16_t s = selectedTab();
        return s == 0 ? qv::MenuCount{} : readButtonCount(s);
    };
    view.item = [this](std::int16_t n) {
        QString item = readButton(selectedTab(), n);
        shownItems_.insert(n, item);
        return item;
    };
    view.unloadButtons = [this] { unloadButtons(); };
    view.loadButton = [this](int slot, const QString& item) {
        currentItem = item;
        LoadButton(false, slot <= 5);
    };
    view.unreadableCount = [this] {
        countNotice_.tell(shownMenu_, profilePath_, selectedTab(), messages_,
                          qv::EditorNotices::title());
    };
    // The teacher sees the keys of a damaged count; "<<" never shows more than the count.
    pages_ = new qv::TabPages(this,
                              {QRect(120, 2760, 9135, 3735), QRect(240, 3240, 375, 3135),
                               QRect(8760, 3240, 375, 3135), QRect(1080, 3360, 1335, 1095)},
                              std::move(view), qv::PagerRules{false}, programFolder_);
    ceptab = pages_->ceptab;
    cmdback = pages_->cmdback;
    cmdnext = pages_->cmdnext;
    cmdapplau = pages_->cmdapplau;
    cmdback->setEnabled(false);
    // Return and Space test a focused button as a left press does, Delete deletes it as a right
    // press does.
    cmdapplau->setKeysPress(true);
    cmdapplau->setDeleteKeyPress(true);

    mnubutton = new QMenu(tr("Edit Button"), this);
    mnubutton->setObjectName(QStringLiteral("mnubutton"));
    mnutest = mnubutton->addAction(tr("Test Button"));
    mnutest->setObjectName(QStringLiteral("mnutest"));
    mnudelete = mnubutton->addAction(tr("Delete Button"));
    mnudelete->setObjectName(QStringLiteral("mnudelete"));

    connect(pages_, &qv::TabPages::tabClicked, this, [this] {
        if (!changingTabs_) {
            ceptab_Click();
        }
    });
    connect(pages_, &qv::TabPages::nextClicked, this, &frmdrop::cmdnext_Click);
    connect(pages_, &qv::TabPages::backClicked, this, &frmdrop::cmdback_Click);
    connect(cmdaddtab, &QPushButton::clicked, this, &frmdrop::cmdaddtab_Click);
    connect(cmdremovetab, &QPushButton::clicked, this, &frmdrop::cmdremovetab_Click);
    connect(cmdaddbutt, &QPushButton::clicked, this, &frmdrop::cmdaddbutt_Click);
    connect(cmdlist, &QPushButton::clicked, this, &frmdrop::cmdlist_Click);
    connect(txtTarget, &QLineEdit::textChanged, this, &frmdrop::txtTarget_Change);
    // A right press unloads the pressed button itself, so the press is handled once its event
    // has been delivered, not inside it.
    connect(cmdapplau, &qv::LaunchButtonArray::MouseDown, this,
            [this](int index, Qt::MouseButton b, Qt::KeyboardModifiers shift, int x, int y) {
                QMetaObject::invokeMethod(
                    this, [=, this] { cmdapplau_MouseDown(index, b, shift, x, y); },
                    Qt::QueuedConnection);
            });
}

// ---------------------------------------------------------------------------------------------
// Profile helpers

std::int16_t frmdrop::selectedTab() const {
    return pages_->selectedTab();
}

std::int16_t frmdrop::pageOffset() const {
    return pages_->pager().pageOffset();
}

qv::MenuCount frmdrop::readButtonCount(std::int16_t tab) const {
    return qv::parseCount(
        qv::ReadKey(profilePath_, qv::tabSection(tab), qv::kNumberOfButtonsRead, messages_)
            .value_or(QString()));
}

QString frmdrop::readButton(std::int16_t tab, int button) const {
    return qv::ReadKey(profilePath_, qv::tabSection(tab), qv::buttonKey(button), messages_)
        .value_or(QString());
}

QString frmdrop::resolveSpecial(const QString& item) const {
    return qv::resolveSpecialItem(item, programFolder_);
}

// ---------------------------------------------------------------------------------------------
// Pages

void frmdrop::unloadButtons() {
    for (int k = loadedButtons; k >= 1; --k) {
        cmdapplau->Unload(k);
    }
    loadedButtons = 0;
    shownItems_.clear();
}

void frmdrop::Form_Load() {
    const qv::ShownInAction::Action action(messages_);
    // From now on a change of the menu file made elsewhere is shown at once.
    if (watcher_ == nullptr) {
        watcher_ = new qv::MenuWatcher(profilePath_, this);
        connect(watcher_, &qv::MenuWatcher::changed, this, &frmdrop::followFile);
    }
    shownMenu_ = qv::menuBytes(profilePath_);
    updateAccess();
    cmdback->setEnabled(false);
    {
        FlagGuard guard(changingTabs_);
        tabCountDamaged_ = false;
        const qv::MenuCount tabs =
            qv::parseCount(qv::ReadKey(profilePath_, qv::kSettings, qv::kNumberOfTabs, messages_)
                               .value_or(QString()));
        if (tabs.state == qv::MenuCount::State::Unreadable) {
            tabCountDamaged_ = true;
            notices_.showTabCountDamaged();
        }
        tabNo = tabs.value;
        qv::fillTabStrip(*ceptab, profilePath_, tabNo, messages_);
        if (ceptab->count() > 0) {
            ceptab->setCurrentIndex(0);
        }
    }

    // No tab: an empty page; only the tab controls have anything to do.
    pages_->pager().showFirst();
}

void frmdrop::ceptab_Click() {
    pages_->pager().showFirst();
    const std::int16_t s = selectedTab();
    if (s != 0) {
        txttabcaption->setText(ceptab->tabText(s - 1));
    }
    if (!txtTarget->text().isEmpty()) {
        showHint(); // a preview that stays is compared with the tab now selected
    }
}

void frmdrop::cmdnext_Click() {
    pages_->pager().showNext();
}

void frmdrop::cmdback_Click() {
    pages_->pager().showBack();
}

void frmdrop::LoadButton(bool append, bool firstFive) {
    if (append) {
        // The item is stored after the tab's last button as the file holds it now, and then
        // shown on the page that holds it; a change that was not saved is not shown, and the
        // preview stays for another try.
        const QString item = currentItem;
        edit::Change done;
        if (!change(
                [&](std::string_view bytes) { return edit::addButton(bytes, shownTab(), item); },
                false, tr("adding a button"), &done)) {
            currentItem.clear();
            return;
        }
        // Back to waiting first, so that the rebuild has no preview to keep.
        setWaiting();
        rebuildView(-1, Page::OfButton, done.number);
        return;
    }
    imgicon->clearPicture();
    if (!qv::add16(loadedButtons, 1)) {
        return;
    }
    qv::BuildLaunchButton(*launchWindow_, currentItem, loadedButtons, firstFive);
    setWaiting();
}

void frmdrop::setWaiting() {
    imgicon->clearPicture();
    Image1->show();
    imgicon->hide();
    txtHint->clear();
    txtappname->clear();
    txtTarget->clear();
    currentItem.clear();
}

// ---------------------------------------------------------------------------------------------
// Following the file

edit::ShownTab frmdrop::shownTab() const {
    const std::int16_t s = selectedTab();
    return {s, s == 0 ? QString() : ceptab->tabText(s - 1)};
}

void frmdrop::followFile() {
    const qv::ShownInAction::Action action(messages_);
    if (qv::menuBytes(profilePath_) == shownMenu_ &&
        qv::menufile::accessOf(menuFile()) == access_) {
        return; // a touch of the folder (a lock, a temporary file): nothing to show
    }
    rebuildView(-1, Page::Keep);
}

void frmdrop::rebuildView(int selectIndex, Page page, int button) {
    const int oldIndex = ceptab->currentIndex();
    const QString oldCaption = ceptab->tabText(oldIndex);
    const std::int16_t oldOffset = pages_->pager().pageOffset();
    // Placing buttons returns the editing area to waiting; a preview waiting to be added stays.
    const QString previewed = txtTarget->text().isEmpty() ? QString() : droppedFile;
    shownMenu_ = qv::menuBytes(profilePath_);
    updateAccess();
    int index = -1;
    {
        FlagGuard guard(changingTabs_);
        const qv::MenuCount tabs =
            qv::parseCount(qv::ReadKey(profilePath_, qv::kSettings, qv::kNumberOfTabs, messages_)
                               .value_or(QString()));
        const bool damaged = tabs.state == qv::MenuCount::State::Unreadable;
        if (damaged && !tabCountDamaged_) {
            notices_.showTabCountDamaged();
        }
        tabCountDamaged_ = damaged;
        tabNo = tabs.value;
        qv::fillTabStrip(*ceptab, profilePath_, tabNo, messages_);
        if (ceptab->count() > 0) {
            index = selectIndex >= 0 ? std::min(selectIndex, ceptab->count() - 1)
                    : oldIndex < 0   ? 0
                                     : qv::tabToKeep(ceptab->captions(), oldIndex, oldCaption);
            ceptab->setCurrentIndex(index);
        }
    }
    const bool sameTab = selectIndex < 0 && index >= 0 && ceptab->tabText(index) == oldCaption;
    switch (page) {
    case Page::Keep:
        if (sameTab) {
            pages_->pager().showAt(oldOffset);
        } else {
            pages_->pager().showFirst();
        }
        break;
    case Page::First:
        pages_->pager().showFirst();
        break;
    case Page::OfButton:
        pages_->pager().showAt(
            static_cast<std::int16_t>((button - 1) / qv::kPageSize * qv::kPageSize));
        break;
    }
    if (!previewed.isEmpty()) {
        droppedFile = previewed;
        showPreview(qv::menuItem(previewed), true);
    }
    // A tab the window selected itself is shown as a click on it would show it.
    if (selectIndex >= 0 && index >= 0) {
        txttabcaption->setText(ceptab->tabText(index));
    }
}

bool frmdrop::change(const std::function<edit::Change(std::string_view)>& edit, bool forTabs,
                     const QString& action, edit::Change* done) {
    const edit::FileChange result = edit::changeMenuFile(profilePath_, edit);
    if (done != nullptr) {
        *done = result.change;
    }
    if (result.saved == edit::Saved::Yes) {
        return true;
    }
    notices_.tellNotSaved(result, forTabs, selectedTab(), action);
    rebuildView(-1, Page::Keep);
    return false;
}

void frmdrop::updateAccess() {
    access_ = qv::menufile::accessOf(menuFile());
    const bool locked = readOnly();
    setWindowTitle(locked ? qv::EditorNotices::title() + tr(" (read-only)")
                          : qv::EditorNotices::title());
    for (QWidget* control : {static_cast<QWidget*>(txttabcaption), static_cast<QWidget*>(cmdaddtab),
                             static_cast<QWidget*>(cmdremovetab), static_cast<QWidget*>(Image1)}) {
        control->setEnabled(!locked);
    }
    Image1->setAcceptDrops(!locked);
    if (locked) {
        cmdaddbutt->setEnabled(false);
    } else if (!txtTarget->text().isEmpty()) {
        cmdaddbutt->setEnabled(true); // a preview waits to be added
    }
    if (locked && !accessTold_) {
        accessTold_ = true;
        qv::MsgBox(messages_, notices_.accessText(access_), qv::EditorNotices::title(),
                   qv::MsgIcon::Information);
    }
    accessTold_ = locked;
}
