// SPDX-License-Identifier: GPL-3.0-or-later
#include "teach/frmdrop.h"

#include "common/GetFileName.h"
#include "common/ShrtcutPath.h"
#include "common/linuxitems.h"
#include "common/menulayout.h"
#include "common/menuwatcher.h"
#include "common/modini.h"
#include "common/pager.h"
#include "common/ui/Arrays.h"
#include "common/ui/ExtIcon.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "common/ui/twips.h"
#include "platform/dialogs/messagebox.h"
#include "platform/files/regularfile.h"
#include "platform/profile/profile.h"
#include "platform/shell/shell.h"
#include "teach/frmChoose.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <limits>

namespace edit = qv::menuedit;

namespace {

const QString kTitle = QStringLiteral("Quorvel Manger");
const QString kCannotUse = QStringLiteral("That item cannot be used!");
const QString kHintPrefix = QStringLiteral("Click here to launch ");
// What ReadKey gives back of a value at most; a longer stored path would start something else.
constexpr int kMaxStoredPath = 254;
constexpr std::int16_t kMaxCounter = std::numeric_limits<std::int16_t>::max();

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
      programFolder_(programFolder.isEmpty() ? qv::programFolder() : programFolder) {
    profilePath_ = !services.menuPath.isEmpty() ? services.menuPath
                   : programFolder.isEmpty()    ? qv::ProfilePath()
                                                : qv::ProfilePath(programFolder);
    buildControls();
    launchWindow_ = std::make_unique<qv::LaunchWindow>();
    launchWindow_->window = this;
    launchWindow_->cmdapplau = cmdapplau;
    launchWindow_->imgicon = imgicon;
    launchWindow_->programFolder = programFolder_;
    launchWindow_->overlayShortcutIcons = false;
    launchWindow_->messages = &messages_;

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
    view.enableBack = [this](bool on) { cmdback->setEnabled(on); };
    view.enableNext = [this](bool on) { cmdnext->setEnabled(on); };
    view.unreadableCount = [this] {
        countNotice_.tell(shownMenu_, profilePath_, selectedTab(), messages_, kTitle);
    };
    // The teacher sees the keys of a damaged count; "<<" never shows more than the count.
    pager_ = std::make_unique<qv::Pager>(std::move(view), qv::PagerRules{false}, programFolder_);
}

frmdrop::~frmdrop() = default;

void frmdrop::buildControls() {
    setObjectName(QStringLiteral("frmdrop"));
    setWindowTitle(kTitle);
    setFixedSize(qv::twipsToPixels(9330), qv::twipsToPixels(6585));
    // The layout was drawn for an 8-point face; the desktop's usual 9 or 10 points would clip
    // the labels and button texts at their fixed widths.
    QFont face = font();
    face.setPointSizeF(std::min<qreal>(face.pointSizeF(), 8.0));
    setFont(face);

    Image1 = new QLabel(QStringLiteral("Drop here..."), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(qv::twipsRect(120, 120, 2895, 2415));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setToolTip(QStringLiteral("Drop here..."));
    Image1->setAcceptDrops(true);
    Image1->setStyleSheet(QStringLiteral("QLabel#Image1 { border: 2px dashed palette(mid); "
                                         "border-radius: 6px; color: palette(dark); }"));
    Image1->installEventFilter(this);

    // Many desktops cannot drag an application out of their menu; this reaches the same preview.
    cmdlist = new QPushButton(tr("Add from &list..."), Image1);
    cmdlist->setObjectName(QStringLiteral("cmdlist"));
    cmdlist->setGeometry(qv::twipsRect(360, 1800, 2175, 360));
    cmdlist->setToolTip(tr("Choose an installed application or a file for a new button"));

    imgicon = new qv::IconSurface(this);
    imgicon->setObjectName(QStringLiteral("imgicon"));
    imgicon->setGeometry(qv::twipsRect(1080, 840, 615, 615));
    imgicon->hide();

    Frame1 = new QGroupBox(QStringLiteral("New Button"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(qv::twipsRect(3120, 120, 6135, 2415));

    auto label = [this](const char* name, const char* text, QRect twips) {
        auto* l = new QLabel(QString::fromLatin1(text), Frame1);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(twips);
        return l;
    };
    Label1 = label("Label1", "Tab:", qv::twipsRect(240, 480, 375, 255));
    labTarget = label("labTarget", "Target:", qv::twipsRect(240, 1200, 615, 255));
    labName = label("labName", "Caption:", qv::twipsRect(240, 1560, 735, 255));
    labHint = label("labHint", "Hint:", qv::twipsRect(240, 1920, 615, 255));

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
    txttabcaption = new QLineEdit(QStringLiteral("Tab Caption"), this);
    txttabcaption->setObjectName(QStringLiteral("txttabcaption"));
    txttabcaption->setGeometry(qv::twipsRect(4080, 600, 3135, 285));
    txttabcaption->setAccessibleName(tr("Tab"));

    auto button = [this](const char* name, const char* text, QRect twips) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twips);
        return b;
    };
    cmdaddtab = button("cmdaddtab", "&Add", qv::twipsRect(7440, 600, 735, 255));
    cmdremovetab = button("cmdremovetab", "&Remove", qv::twipsRect(8160, 600, 735, 255));
    cmdaddbutt = button("cmdaddbutt", "&Add Button", qv::twipsRect(7920, 1200, 1095, 255));
    cmdaddbutt->setEnabled(false);

    ceptab = new qv::TabStrip(this);
    ceptab->setObjectName(QStringLiteral("ceptab"));
    ceptab->setGeometry(qv::twipsRect(120, 2760, 9135, 3735));

    cmdback = button("cmdback", "<<", qv::twipsRect(240, 3240, 375, 3135));
    cmdnext = button("cmdnext", ">>", qv::twipsRect(8760, 3240, 375, 3135));
    cmdback->setEnabled(false);
    cmdnext->setEnabled(false);

    cmdapplau = new qv::LaunchButtonArray(this, QRect(1080, 3360, 1335, 1095));
    cmdapplau->setObjectName(QStringLiteral("cmdapplau"));
    // Return and Space test a focused button as a left press does, Delete deletes it as a right
    // press does.
    cmdapplau->setKeysPress(true);
    cmdapplau->setDeleteKeyPress(true);

    mnubutton = new QMenu(QStringLiteral("Edit Button"), this);
    mnubutton->setObjectName(QStringLiteral("mnubutton"));
    mnutest = mnubutton->addAction(QStringLiteral("Test Button"));
    mnutest->setObjectName(QStringLiteral("mnutest"));
    mnudelete = mnubutton->addAction(QStringLiteral("Delete Button"));
    mnudelete->setObjectName(QStringLiteral("mnudelete"));

    connect(ceptab, &qv::TabStrip::currentChanged, this, [this](int) {
        if (!changingTabs_) {
            ceptab_Click();
        }
    });
    connect(cmdnext, &QPushButton::clicked, this, &frmdrop::cmdnext_Click);
    connect(cmdback, &QPushButton::clicked, this, &frmdrop::cmdback_Click);
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
    const int index = ceptab->currentIndex();
    return index < 0 ? std::int16_t(0) : static_cast<std::int16_t>(index + 1);
}

std::int16_t frmdrop::pageOffset() const {
    return pager_->pageOffset();
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

void frmdrop::refuseUnreadableCount(std::int16_t tab, const QString& action) const {
    qv::MsgBox(
        messages_,
        QStringLiteral("The number of buttons of this tab cannot be read: [%1] in %2 holds "
                       "\"%3\" under \"%4\", which is not a number from 0 to 32767.\r\n"
                       "So that no button is overwritten or lost, %5 is refused for this "
                       "tab. Correct the number in the file first.")
            .arg(qv::tabSection(tab), profilePath_,
                 qv::ReadKey(profilePath_, qv::tabSection(tab), qv::kNumberOfButtonsRead, messages_)
                     .value_or(QString()),
                 qv::kNumberOfButtonsWrite, action),
        kTitle, qv::MsgIcon::Information);
}

void frmdrop::showTabCountDamaged() const {
    qv::MsgBox(messages_,
               QStringLiteral("The number of tabs cannot be read: [%1] in %2 holds \"%3\" under "
                              "\"%4\", which is not a number from 0 to 32767.\r\nNo tab is shown, "
                              "and adding or removing tabs is refused so that no tab is "
                              "overwritten or lost. Correct the number in the file first.")
                   .arg(qv::kSettings, profilePath_,
                        qv::ReadKey(profilePath_, qv::kSettings, qv::kNumberOfTabs, messages_)
                            .value_or(QString()),
                        qv::kNumberOfTabs),
               kTitle, qv::MsgIcon::Information);
}

void frmdrop::selectTabQuietly(int zeroBased) {
    FlagGuard guard(changingTabs_);
    ceptab->setCurrentIndex(zeroBased);
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
            showTabCountDamaged();
        }
        tabNo = tabs.value;
        qv::fillTabStrip(*ceptab, profilePath_, tabNo, messages_);
        if (ceptab->count() > 0) {
            ceptab->setCurrentIndex(0);
        }
    }

    // No tab: an empty page; only the tab controls have anything to do.
    pager_->showFirst();
}

void frmdrop::ceptab_Click() {
    pager_->showFirst();
    const std::int16_t s = selectedTab();
    if (s != 0) {
        txttabcaption->setText(ceptab->tabText(s - 1));
    }
    if (!txtTarget->text().isEmpty()) {
        showHint(); // a preview that stays is compared with the tab now selected
    }
}

void frmdrop::cmdnext_Click() {
    pager_->showNext();
}

void frmdrop::cmdback_Click() {
    pager_->showBack();
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
// Tab editing

void frmdrop::cmdaddtab_Click() {
    if (tabCountDamaged_) {
        showTabCountDamaged();
        return;
    }
    const QString caption = txttabcaption->text();
    edit::Change done;
    if (!change([&](std::string_view bytes) { return edit::addTab(bytes, caption); }, true,
                tr("adding a tab"), &done)) {
        return;
    }
    // The new tab is shown selected, so that it is never hidden behind the strip's end.
    rebuildView(done.number - 1, Page::First);
}

void frmdrop::cmdremovetab_Click() {
    if (tabCountDamaged_) {
        showTabCountDamaged();
        return;
    }
    const int s = selectedTab();
    if (s == 0) {
        return; // no tab: nothing to remove
    }
    const edit::ShownTab tab = shownTab();
    if (!change([&](std::string_view bytes) { return edit::removeTab(bytes, tab); }, true,
                tr("removing a tab"))) {
        return;
    }
    // The tab that followed the removed one takes its place; after the last, the one before.
    rebuildView(s - 1, Page::First);
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
    const std::int16_t oldOffset = pager_->pageOffset();
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
            showTabCountDamaged();
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
            pager_->showAt(oldOffset);
        } else {
            pager_->showFirst();
        }
        break;
    case Page::First:
        pager_->showFirst();
        break;
    case Page::OfButton:
        pager_->showAt(static_cast<std::int16_t>((button - 1) / qv::kPageSize * qv::kPageSize));
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
    tellNotSaved(result, forTabs, action);
    rebuildView(-1, Page::Keep);
    return false;
}

QString frmdrop::accessText(qv::menufile::Access access) const {
    using qv::menufile::Access;
    switch (access) {
    case Access::ReadOnly:
        return tr("%1 is read-only for you, so Quorvel Manager shows the menu but does not "
                  "change it.")
            .arg(profilePath_);
    case Access::FolderReadOnly:
        return tr("%1 may be written, but no new file can be made in its folder %2. Quorvel "
                  "Manager saves each change as a new file put in place of the old one, so it "
                  "shows the menu but does not change it.")
            .arg(profilePath_,
                 QString::fromStdString(qv::folderOf(qv::menufile::realTarget(menuFile()))));
    case Access::NotRegular:
        return tr("%1 is not a plain file, so Quorvel Manager does not write to it.")
            .arg(profilePath_);
    case Access::LinkDangling:
        return tr("%1 is a link to a file that does not exist, so Quorvel Manager does not write "
                  "to it.")
            .arg(profilePath_);
    case Access::LinkNotRegular:
        return tr("%1 is a link to something that is not a plain file, so Quorvel Manager does "
                  "not write to it.")
            .arg(profilePath_);
    case Access::LinkNotOwned:
        return tr("%1 is a link to a file of another user, so Quorvel Manager does not write to "
                  "it.")
            .arg(profilePath_);
    case Access::Writable:
    case Access::Missing:
        break;
    }
    return tr("%1 does not read as a menu file, so Quorvel Manager does not write to it; the "
              "file was left as it was.")
        .arg(profilePath_);
}

void frmdrop::updateAccess() {
    access_ = qv::menufile::accessOf(menuFile());
    const bool locked = readOnly();
    setWindowTitle(locked ? kTitle + tr(" (read-only)") : kTitle);
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
        qv::MsgBox(messages_, accessText(access_), kTitle, qv::MsgIcon::Information);
    }
    accessTold_ = locked;
}

void frmdrop::tellNotSaved(const edit::FileChange& result, bool forTabs,
                           const QString& action) const {
    const auto tell = [this](const QString& text, qv::MsgIcon icon = qv::MsgIcon::Information) {
        qv::MsgBox(messages_, text, kTitle, icon);
    };
    switch (result.saved) {
    case edit::Saved::Yes:
        return;
    case edit::Saved::NotChanged:
        switch (result.change.result) {
        case edit::Result::Changed:
            return;
        case edit::Result::Stale:
            qv::MsgBox(messages_,
                       tr("The menu was changed elsewhere since this page was shown, so nothing "
                          "was done. The window now shows the menu as it is in the file."),
                       kTitle, qv::MsgIcon::Information);
            return;
        case edit::Result::DamagedCount:
            if (forTabs) {
                showTabCountDamaged();
            } else {
                refuseUnreadableCount(selectedTab(), action);
            }
            return;
        case edit::Result::Full:
            tell(forTabs ? tr("The menu already holds %1 tabs, as many as the menu file can count.")
                               .arg(kMaxCounter)
                         : tr("This tab already holds %1 buttons, as many as the menu file can "
                              "count. Put the button on another tab.")
                               .arg(kMaxCounter));
            return;
        case edit::Result::Refused:
            tell(tr("The name or text holds a line break or a character that %1 cannot hold, so "
                    "it was not saved.")
                     .arg(profilePath_),
                 qv::MsgIcon::Stop);
            return;
        }
        return;
    case edit::Saved::ReadOnly:
    case edit::Saved::FolderReadOnly:
    case edit::Saved::NotAMenu:
        qv::MsgBox(messages_,
                   accessText(result.saved == edit::Saved::NotAMenu &&
                                      qv::menufile::mayChange(result.access)
                                  ? qv::menufile::Access::Writable
                                  : result.access),
                   kTitle, qv::MsgIcon::Stop);
        return;
    case edit::Saved::Busy:
        tell(tr("%1 is being changed by another editor at the moment, so this change was not "
                "saved. Try again in a moment.")
                 .arg(profilePath_));
        return;
    case edit::Saved::TooLarge:
        qv::MsgBox(messages_,
                   tr("%1 is larger than %2 MiB and is not read")
                       .arg(profilePath_.mid(profilePath_.lastIndexOf(QLatin1Char('/')) + 1))
                       .arg(qv::profile::kMaxProfileBytes / (std::size_t{1024} * 1024)),
                   tr("File Too Large"), qv::MsgIcon::Stop);
        return;
    case edit::Saved::Failed:
        qv::MsgBox(messages_,
                   profilePath_ + tr(" could not be saved; the file was left as it was."),
                   tr("File Not Saved"), qv::MsgIcon::Stop);
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Button editing

QString frmdrop::unstorablePathReason(const QString& path) {
    if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')) ||
        path.contains(QChar(0))) {
        return QStringLiteral("That item cannot be used!\r\n\r\nIts path holds a line break, "
                              "which the menu file cannot store:\r\n%1\r\nRename the file or its "
                              "folder without the line break and drop it again.")
            .arg(path);
    }
    if (path.toLocal8Bit().size() > kMaxStoredPath) {
        return QStringLiteral("That item cannot be used!\r\n\r\nIts path is longer than the %1 "
                              "characters that the menu file can give back, so the button would "
                              "start something else:\r\n%2\r\nMove the item to a folder with a "
                              "shorter path and drop it again.")
            .arg(kMaxStoredPath)
            .arg(path);
    }
    return {};
}

bool frmdrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            // Every kind of data is let in, so that a drop without files can be answered.
            static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            Image1_OLEDragDrop(drop->mimeData());
            drop->acceptProposedAction();
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmdrop::Image1_OLEDragDrop(const QMimeData* data) {
    currentItem.clear();
    imgicon->clearPicture();

    // Only the first file of the file list is used; data without a file list gives no file.
    QString first;
    if (data != nullptr && data->hasUrls() && !data->urls().isEmpty() &&
        data->urls().first().isLocalFile()) {
        first = data->urls().first().toLocalFile();
    }
    droppedFile = first;
    if (droppedFile.isEmpty()) {
        qv::MsgBox(messages_, kCannotUse, kTitle, qv::MsgIcon::None);
        return;
    }
    droppedType = droppedFile.right(3);

    // Any other kind is not usable: the drop is ignored.
    const qv::MenuItem dropped = qv::menuItem(droppedFile);
    if (dropped.kind == qv::MenuItemKind::Other) {
        return;
    }
    const QString reason = unstorablePathReason(droppedFile);
    if (!reason.isEmpty()) {
        droppedFile.clear();
        droppedType.clear();
        qv::MsgBox(messages_, reason, kTitle, qv::MsgIcon::Information);
        return;
    }
    showPreview(dropped, true);
}

void frmdrop::dropFile(const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    Image1_OLEDragDrop(&data);
}

void frmdrop::cmdlist_Click() {
    frmChoose chooser(services_.apps, this);
    if (chooser.exec() == QDialog::Accepted && !chooser.chosen().isEmpty()) {
        dropFile(chooser.chosen());
    }
}

void frmdrop::showHint() {
    const QString hint = kHintPrefix + txtappname->text();
    const std::int16_t s = selectedTab();
    const QByteArray menu = qv::menuBytes(profilePath_);
    // Only the line says so; what "&Add Button" stores is the same either way.
    if (s != 0 && !droppedFile.isEmpty() &&
        edit::tabHoldsItem(
            std::string_view(menu.constData(), static_cast<std::size_t>(menu.size())), s,
            droppedFile)) {
        txtHint->setText(hint + tr(" (already on this tab)"));
        txtHint->setToolTip(txtHint->text()); // the box is narrower than the line
        return;
    }
    txtHint->setText(hint);
    txtHint->setToolTip({});
}

void frmdrop::showPreview(const qv::MenuItem& dropped, bool drawIcon) {
    Image1->hide();
    imgicon->show();
    if (drawIcon && qv::isLinuxItem(dropped.kind)) {
        qv::drawLinuxItemIcon(*imgicon, dropped.path);
    } else if (drawIcon) {
        const QString iconFile = dropped.kind == qv::MenuItemKind::Shortcut
                                     ? qv::ResolveShortcutTarget(dropped.path, messages_)
                                     : dropped.path;
        if (!iconFile.isEmpty()) {
            qv::DrawFileIcon(*imgicon, iconFile);
        }
    }
    const QString& caption = dropped.caption;
    txtTarget->setText(droppedFile);
    txtappname->setText(caption);
    showHint();
    cmdaddbutt->setEnabled(!readOnly());
}

void frmdrop::cmdaddbutt_Click() {
    const std::int16_t s = selectedTab();
    if (s == 0) {
        qv::MsgBox(messages_,
                   QStringLiteral("There is no tab to put the button on. Add a tab first, then "
                                  "add the button."),
                   kTitle, qv::MsgIcon::Information);
        return;
    }
    if (const QString reason = unstorablePathReason(droppedFile); !reason.isEmpty()) {
        qv::MsgBox(messages_, reason, kTitle, qv::MsgIcon::Information);
        return;
    }
    currentItem = droppedFile;
    if (currentItem.isEmpty()) {
        qv::MsgBox(messages_, kCannotUse, kTitle, qv::MsgIcon::None);
        return;
    }
    const qv::MenuItem dropped = qv::menuItem(currentItem);
    if (dropped.kind == qv::MenuItemKind::Other) {
        return; // only a previewed item can be added
    }
    if (dropped.kind == qv::MenuItemKind::Program) {
        Image1->hide();
        imgicon->show();
        qv::DrawFileIcon(*imgicon, currentItem);
        qv::MsgBox(messages_, currentItem, kTitle, qv::MsgIcon::None);
    }
    showPreview(dropped, false);
    // The new button goes after the tab's last one, on the page that then holds it.
    currentItem = droppedFile;
    LoadButton(true, loadedButtons + 1 <= 5);
}

void frmdrop::cmdapplau_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers, int,
                                  int) {
    const std::int16_t s = selectedTab();
    const std::optional<std::int16_t> number = pager_->buttonNumber(index);
    if (s == 0 || index < 1 || !number) {
        return;
    }
    const int n = *number;
    const QString shown = shownItems_.value(n);

    if (button == Qt::LeftButton) {
        // Started only when the file still holds, under that tab and number, the item shown.
        const QString stored = readButton(s, n);
        const QString caption =
            qv::ReadKey(profilePath_, qv::kSettings, qv::tabCaptionKey(s), messages_)
                .value_or(QString());
        if (stored != shown || caption != ceptab->tabText(s - 1)) {
            tellNotSaved({edit::Saved::NotChanged, {edit::Result::Stale, {}, n}, access_}, false,
                         {});
            rebuildView(-1, Page::Keep);
            return;
        }
        if (qv::refuseCutItem(profilePath_, s, n, stored, messages_)) {
            return;
        }
        const QString file = resolveSpecial(stored);
        if (!file.isEmpty() && services_.shell != nullptr) {
            services_.shell->ShellExecute(file);
        }
        return;
    }
    if (button != Qt::RightButton) {
        return;
    }
    // One replacement of the file deletes the button and moves the later ones down, so a crash
    // leaves the menu before or after, never a gap; then the tab's first page is built again.
    const edit::ShownTab tab = shownTab();
    const QWidget* pressed = cmdapplau->element(index);
    const bool hadFocus = pressed != nullptr && pressed->hasFocus();
    if (change([&](std::string_view bytes) { return edit::deleteButton(bytes, tab, n, shown); },
               false, tr("deleting a button"))) {
        unloadButtons();
        rebuildView(-1, Page::First);
    }
    // A keyboard user stays on the page: on the button that took the deleted one's place.
    if (hadFocus) {
        QWidget* next = cmdapplau->element(std::min<int>(index, loadedButtons));
        (next != nullptr ? next : static_cast<QWidget*>(ceptab))->setFocus(Qt::OtherFocusReason);
    }
}

void frmdrop::txtTarget_Change() {
    cmdaddbutt->setEnabled(false);
}
