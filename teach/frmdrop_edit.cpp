// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window's editing: adding and removing tabs, and the buttons made from a drop (or
// the chooser), tried out and deleted. Every change is made to the menu file as it is now.
#include "common/ShrtcutPath.h"
#include "common/menuitem.h"
#include "common/menuwatcher.h"
#include "common/modini.h"
#include "common/ui/Arrays.h"
#include "common/ui/ExtIcon.h"
#include "common/ui/cmdapplau.h"
#include "common/ui/imgicon.h"
#include "common/ui/tabpages.h"
#include "common/ui/tabstrip.h"
#include "platform/dialogs/messagebox.h"
#include "platform/shell/shell.h"
#include "teach/editornotices.h"
#include "teach/frmChoose.h"
#include "teach/frmdrop.h"

#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

namespace edit = qv::menuedit;

namespace {

const char* const kCannotUse = QT_TRANSLATE_NOOP("frmdrop", "That item cannot be used!");
//: Followed by the button's caption (keep the space).
const char* const kHintPrefix = QT_TRANSLATE_NOOP("frmdrop", "Click here to launch ");

} // namespace

// ---------------------------------------------------------------------------------------------
// Tab editing

void frmdrop::cmdaddtab_Click() {
    if (tabCountDamaged_) {
        notices_.showTabCountDamaged();
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
        notices_.showTabCountDamaged();
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
// Button editing

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
        qv::MsgBox(messages_, tr(kCannotUse), qv::EditorNotices::title(), qv::MsgIcon::None);
        return;
    }
    // Any other kind is not usable: the drop is ignored.
    const qv::MenuItem dropped = qv::menuItem(droppedFile);
    if (dropped.kind == qv::MenuItemKind::Other) {
        return;
    }
    const QString reason = qv::EditorNotices::unstorablePathReason(droppedFile);
    if (!reason.isEmpty()) {
        droppedFile.clear();
        qv::MsgBox(messages_, reason, qv::EditorNotices::title(), qv::MsgIcon::Information);
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
    const QString hint = tr(kHintPrefix) + txtappname->text();
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
    if (drawIcon) {
        qv::drawItemIcon(*imgicon, dropped, messages_);
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
                   tr("There is no tab to put the button on. Add a tab first, then "
                      "add the button."),
                   qv::EditorNotices::title(), qv::MsgIcon::Information);
        return;
    }
    if (const QString reason = qv::EditorNotices::unstorablePathReason(droppedFile);
        !reason.isEmpty()) {
        qv::MsgBox(messages_, reason, qv::EditorNotices::title(), qv::MsgIcon::Information);
        return;
    }
    currentItem = droppedFile;
    if (currentItem.isEmpty()) {
        qv::MsgBox(messages_, tr(kCannotUse), qv::EditorNotices::title(), qv::MsgIcon::None);
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
        qv::MsgBox(messages_, currentItem, qv::EditorNotices::title(), qv::MsgIcon::None);
    }
    showPreview(dropped, false);
    // The new button goes after the tab's last one, on the page that then holds it.
    currentItem = droppedFile;
    LoadButton(true, loadedButtons + 1 <= 5);
}

void frmdrop::cmdapplau_MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers, int,
                                  int) {
    const std::int16_t s = selectedTab();
    const std::optional<std::int16_t> number = pages_->pager().buttonNumber(index);
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
            notices_.tellNotSaved({edit::Saved::NotChanged, {edit::Result::Stale, {}, n}, access_},
                                  false, s, {});
            rebuildView(-1, Page::Keep);
            return;
        }
        if (qv::refuseCutItem(profilePath_, s, n, stored, messages_)) {
            return;
        }
        const QString file = resolveSpecial(stored);
        if (!file.isEmpty() && services_.shell != nullptr) {
            services_.shell->ShellExecute(file, qv::menuItemKind(file));
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
