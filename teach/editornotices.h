// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the editor tells the teacher when the menu file is not changed: why a change was not
// saved, why the file is only shown, which count cannot be read, and why a dropped path cannot
// be stored. Every change is refused whole, so that no tab or button is overwritten or lost.
#include "common/menuedit.h"
#include "platform/dialogs/messagebox.h"
#include "platform/profile/menufile.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>

namespace qv {

class EditorNotices {
    // Said in the editor window's words, under its name.
    Q_DECLARE_TR_FUNCTIONS(frmdrop)

public:
    EditorNotices(QString profilePath, MessageBoxService& messages);

    // The editor window's title, the title of its messages.
    // The program's title, on the window and its messages.
    static QString title();

    // Why a change was not saved; nothing for a change that was. forTabs tells the tab count
    // from the button count of tab in messages; action names the change refused ("adding a
    // button").
    void tellNotSaved(const menuedit::FileChange& result, bool forTabs, std::int16_t tab,
                      const QString& action) const;
    // Why the menu file may not be changed here.
    QString accessText(menufile::Access access) const;
    // The button count of tab cannot be read: action is refused.
    void refuseUnreadableCount(std::int16_t tab, const QString& action) const;
    // The tab count cannot be read: no tab is shown, adding and removing tabs are refused.
    void showTabCountDamaged() const;
    // Why a dropped path cannot be stored in the menu file, or an empty text when it can.
    static QString unstorablePathReason(const QString& path);

private:
    QString profilePath_;
    MessageBoxService& messages_;
};

} // namespace qv
