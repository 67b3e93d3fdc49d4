// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/menulayout.h"

#include "common/modini.h"
#include "platform/dialogs/messagebox.h"
#include "platform/profile/profile.h"
#include "platform/profile/profile_engine.h"
#include "platform/session/startup.h"

#include <QCoreApplication>
#include <algorithm>

namespace qv {

namespace {
// Whether the value stored under section/key holds a NUL: a read gives only the text before
// it, which reads the same as a value that ends there.
bool storedValueHoldsNul(const QString& path, const QString& section, const QString& key) {
    const profile::ReadResult file = profile::readProfileFile(path.toLocal8Bit().constData());
    if (file.status != profile::ReadStatus::Ok) {
        return false;
    }
    const std::optional<profile::Line> line = profile::findKey(
        file.bytes, section.toLocal8Bit().toStdString(), key.toLocal8Bit().toStdString());
    return line && line->rawValue.find('\0') != std::string_view::npos;
}

} // namespace

QString programFolder() {
    return dataFolder();
}

QString ProfilePath() {
    return ProfilePath(programFolder());
}

QString ProfilePath(const QString& folder) {
    return menuFileIn(folder);
}

QString tabCaptionKey(int n) {
    return QStringLiteral("Tab") + QString::number(n);
}

QString tabSection(int n) {
    return QStringLiteral("Tab ") + QString::number(n);
}

QString buttonKey(int m) {
    return QStringLiteral("Button ") + QString::number(m);
}

bool refuseCutItem(const QString& profilePath, int tab, int button, const QString& item,
                   MessageBoxService& messages) {
    if (!ValueWasCut(profilePath, tabSection(tab), buttonKey(button), item) &&
        !storedValueHoldsNul(profilePath, tabSection(tab), buttonKey(button))) {
        return false;
    }
    MsgBox(messages,
           QCoreApplication::translate(
               "qv::MenuLayout",
               "Button %1 of tab %2 is not started: the item stored for it in %3 is longer than "
               "the 254 characters that can be read back, or holds a NUL character, so what was "
               "read may name another program:\r\n%4\r\nStore the item again with a shorter path.")
               .arg(button)
               .arg(tab)
               .arg(profilePath, item),
           {}, MsgIcon::Information);
    return true;
}

QString resolveSpecialItem(const QString& stored) {
    return resolveSpecialItem(stored, programFolder());
}

QString resolveSpecialItem(const QString& stored, const QString& folder) {
    if (stored == kMyComputer || stored == kMyDocuments) {
        return folder + QStringLiteral("/standard/") + stored;
    }
    return stored;
}

MenuCount parseCount(const QString& text) {
    MenuCount count;
    if (text.isEmpty()) {
        return count;
    }
    // Digits only, ASCII only; leading zeros are harmless. Anything else (a sign, blanks, a
    // fraction, a number beyond 32767) is never guessed at.
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            count.state = MenuCount::State::Unreadable;
            return count;
        }
        value = value * 10 + (c.unicode() - '0');
        if (value > 32767) {
            count.state = MenuCount::State::Unreadable;
            return count;
        }
    }
    count.state = MenuCount::State::Number;
    count.value = static_cast<std::int16_t>(value);
    return count;
}

QString unreadableCountText(const QString& path, int tab, const QString& stored) {
    return QCoreApplication::translate(
               "qv::MenuLayout",
               "The number of buttons of this tab cannot be read: [%1] in %2 holds \"%3\" under "
               "\"%4\", which is not a number from 0 to 32767.")
        .arg(tabSection(tab), path, stored, kNumberOfButtonsWrite);
}

void UnreadableCountNotice::tell(const QByteArray& menu, const QString& path, int tab,
                                 MessageBoxService& messages, const QString& title) {
    if (menu != menu_) {
        menu_ = menu;
        told_.clear();
    }
    if (told_.contains(tab)) {
        return;
    }
    told_.append(tab);
    const QString stored =
        ReadKey(path, tabSection(tab), kNumberOfButtonsRead, messages).value_or(QString());
    MsgBox(messages,
           unreadableCountText(path, tab, stored) + QStringLiteral("\r\n") +
               QCoreApplication::translate("qv::MenuLayout", "The buttons stored under it are "
                                                             "shown up to the first missing one."),
           title, MsgIcon::Information);
}

int tabToKeep(const QStringList& captions, int index, const QString& caption) {
    if (captions.isEmpty()) {
        return -1;
    }
    if (index >= 0 && index < captions.size() && captions[index] == caption) {
        return index;
    }
    const qsizetype same = captions.indexOf(caption);
    if (same >= 0) {
        return static_cast<int>(same);
    }
    return std::clamp(index, 0, static_cast<int>(captions.size()) - 1);
}

} // namespace qv
