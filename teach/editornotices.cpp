// SPDX-License-Identifier: GPL-3.0-or-later
#include "teach/editornotices.h"

#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"
#include "platform/files/regularfile.h"
#include "platform/profile/profile.h"

#include <limits>

namespace qv {

namespace edit = menuedit;

namespace {

// What ReadKey gives back of a value at most; a longer stored path would start something else.
constexpr int kMaxStoredPath = 254;
constexpr std::int16_t kMaxCounter = std::numeric_limits<std::int16_t>::max();

} // namespace

QString EditorNotices::title() {
    //: The editor's title (its spelling is the program's own).
    return tr("Quorvel Manger");
}

EditorNotices::EditorNotices(QString profilePath, MessageBoxService& messages)
    : profilePath_(std::move(profilePath)), messages_(messages) {}

void EditorNotices::refuseUnreadableCount(std::int16_t tab, const QString& action) const {
    MsgBox(messages_,
           tr("The number of buttons of this tab cannot be read: [%1] in %2 holds "
              "\"%3\" under \"%4\", which is not a number from 0 to 32767.\r\n"
              "So that no button is overwritten or lost, %5 is refused for this "
              "tab. Correct the number in the file first.")
               .arg(tabSection(tab), profilePath_,
                    ReadKey(profilePath_, tabSection(tab), kNumberOfButtonsRead, messages_)
                        .value_or(QString()),
                    kNumberOfButtonsWrite, action),
           EditorNotices::title(), MsgIcon::Information);
}

void EditorNotices::showTabCountDamaged() const {
    MsgBox(messages_,
           tr("The number of tabs cannot be read: [%1] in %2 holds \"%3\" under "
              "\"%4\", which is not a number from 0 to 32767.\r\nNo tab is shown, "
              "and adding or removing tabs is refused so that no tab is "
              "overwritten or lost. Correct the number in the file first.")
               .arg(kSettings, profilePath_,
                    ReadKey(profilePath_, kSettings, kNumberOfTabs, messages_).value_or(QString()),
                    kNumberOfTabs),
           EditorNotices::title(), MsgIcon::Information);
}

QString EditorNotices::accessText(menufile::Access access) const {
    using menufile::Access;
    switch (access) {
    case Access::ReadOnly:
        return tr("%1 is read-only for you, so Quorvel Manager shows the menu but does not "
                  "change it.")
            .arg(profilePath_);
    case Access::FolderReadOnly:
        return tr("%1 may be written, but no new file can be made in its folder %2. Quorvel "
                  "Manager saves each change as a new file put in place of the old one, so it "
                  "shows the menu but does not change it.")
            .arg(profilePath_, QString::fromStdString(folderOf(menufile::realTarget(
                                   profilePath_.toLocal8Bit().toStdString()))));
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

void EditorNotices::tellNotSaved(const edit::FileChange& result, bool forTabs, std::int16_t tab,
                                 const QString& action) const {
    const auto tell = [this](const QString& text, MsgIcon icon = MsgIcon::Information) {
        MsgBox(messages_, text, EditorNotices::title(), icon);
    };
    switch (result.saved) {
    case edit::Saved::Yes:
        return;
    case edit::Saved::NotChanged:
        switch (result.change.result) {
        case edit::Result::Changed:
            return;
        case edit::Result::Stale:
            MsgBox(messages_,
                   tr("The menu was changed elsewhere since this page was shown, so nothing "
                      "was done. The window now shows the menu as it is in the file."),
                   EditorNotices::title(), MsgIcon::Information);
            return;
        case edit::Result::DamagedCount:
            if (forTabs) {
                showTabCountDamaged();
            } else {
                refuseUnreadableCount(tab, action);
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
                 MsgIcon::Stop);
            return;
        }
        return;
    case edit::Saved::ReadOnly:
    case edit::Saved::FolderReadOnly:
    case edit::Saved::NotAMenu:
        MsgBox(
            messages_,
            accessText(result.saved == edit::Saved::NotAMenu && menufile::mayChange(result.access)
                           ? menufile::Access::Writable
                           : result.access),
            EditorNotices::title(), MsgIcon::Stop);
        return;
    case edit::Saved::Busy:
        tell(tr("%1 is being changed by another editor at the moment, so this change was not "
                "saved. Try again in a moment.")
                 .arg(profilePath_));
        return;
    case edit::Saved::TooLarge:
        MsgBox(messages_,
               tr("%1 is larger than %2 MiB and is not read")
                   .arg(profilePath_.mid(profilePath_.lastIndexOf(QLatin1Char('/')) + 1))
                   .arg(profile::kMaxProfileBytes / (std::size_t{1024} * 1024)),
               tr("File Too Large"), MsgIcon::Stop);
        return;
    case edit::Saved::Failed:
        MsgBox(messages_, profilePath_ + tr(" could not be saved; the file was left as it was."),
               tr("File Not Saved"), MsgIcon::Stop);
        return;
    }
}

QString EditorNotices::unstorablePathReason(const QString& path) {
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

} // namespace qv
