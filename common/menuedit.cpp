// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/menuedit.h"

#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/profile/profile.h"
#include "platform/profile/profile_engine.h"

#include <optional>

namespace qv::menuedit {

namespace {

std::string local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

QString readValue(std::string_view bytes, const QString& section, const QString& key) {
    const auto value = profile::lookup(bytes, local(section), local(key));
    return value ? valueAsRead(*value) : QString();
}

MenuCount countOf(std::string_view bytes, const QString& section, const QString& key) {
    return parseCount(readValue(bytes, section, key));
}

// The number of a name written prefix + number, as the programs' reads find it: the prefix in any
// letter case, the number in plain digits from 1 to 32767.
std::optional<int> numberIn(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 5 ||
        !profile::sameName(name.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(prefix.size());
    if (digits.front() == '0') {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value <= 32767 ? std::optional<int>(value) : std::nullopt;
}

// The tab still stands at its place with its caption: a change on it reaches the tab the teacher
// acted on, not one that another editor moved there.
bool stillShown(std::string_view bytes, const ShownTab& tab) {
    const MenuCount tabs = countOf(bytes, kSettings, kNumberOfTabs);
    return tabs.isNumber() && tab.number >= 1 && tab.number <= tabs.value &&
           readValue(bytes, kSettings, tabCaptionKey(tab.number)) == tab.caption;
}

enum class Do { Keep, Drop, Rename };

// The bytes with the lines in [from, to) kept, dropped or renamed (the name of a key or header
// replaced, every other byte of the line kept), in one pass.
template <class Decide>
std::string rewrite(std::string_view bytes, std::size_t from, std::size_t to, Decide decide) {
    std::string out;
    out.reserve(bytes.size() + 64);
    out.append(bytes.substr(0, from));
    profile::LineReader reader(bytes.substr(0, to), from);
    std::string name;
    while (const auto line = reader.next()) {
        switch (decide(*line, name)) {
        case Do::Drop:
            break;
        case Do::Keep:
            out.append(bytes.substr(line->begin, line->end - line->begin));
            break;
        case Do::Rename: {
            const auto at = static_cast<std::size_t>(line->name.data() - bytes.data());
            const std::size_t after = at + line->name.size();
            out.append(bytes.substr(line->begin, at - line->begin))
                .append(name)
                .append(bytes.substr(after, line->end - after));
            break;
        }
        }
    }
    out.append(bytes.substr(to));
    return out;
}

// Sets one key on text; false when the value cannot be written.
bool set(std::string& text, const QString& section, const QString& key, const QString& value) {
    profile::EditResult edit =
        profile::applyWrite(text, local(section), local(key), std::string_view(local(value)));
    if (edit.edit == profile::Edit::Refused) {
        return false;
    }
    if (edit.edit == profile::Edit::Changed) {
        text = std::move(edit.newBytes);
    }
    return true;
}

Change notMade(Result result) {
    Change change;
    change.result = result;
    return change;
}

// Appends value under the key numbered one past the section's count, and raises the count (read
// under readCount, written under writeCount; before the new key when countFirst, as a new file
// then lists them).
Change append(std::string_view bytes, const QString& section, const QString& readCount,
              const QString& writeCount, QString (*keyOf)(int), const QString& value,
              bool countFirst) {
    const MenuCount count = countOf(bytes, section, readCount);
    if (count.state == MenuCount::State::Unreadable) {
        return notMade(Result::DamagedCount);
    }
    if (count.value >= 32767) {
        return notMade(Result::Full);
    }
    Change change;
    change.number = count.value + 1;
    change.bytes.assign(bytes);
    const auto setCount = [&] {
        return set(change.bytes, section, writeCount, QString::number(change.number));
    };
    if ((countFirst && !setCount()) || !set(change.bytes, section, keyOf(change.number), value) ||
        (!countFirst && !setCount())) {
        return notMade(Result::Refused);
    }
    change.result = Result::Changed;
    return change;
}

} // namespace

Change addButton(std::string_view bytes, const ShownTab& tab, const QString& item) {
    if (!stillShown(bytes, tab)) {
        return notMade(Result::Stale);
    }
    return append(bytes, tabSection(tab.number), kNumberOfButtonsRead, kNumberOfButtonsWrite,
                  buttonKey, item, false);
}

Change deleteButton(std::string_view bytes, const ShownTab& tab, int n, const QString& shownItem) {
    const QString section = tabSection(tab.number);
    const auto span = profile::findSection(bytes, local(section));
    if (!stillShown(bytes, tab) || !span || readValue(bytes, section, buttonKey(n)) != shownItem) {
        return notMade(Result::Stale);
    }
    const MenuCount count = countOf(bytes, section, kNumberOfButtonsRead);
    if (count.state == MenuCount::State::Unreadable) {
        return notMade(Result::DamagedCount);
    }
    // Only a button within the count lowers it; a key beyond it takes no counted button along.
    const bool counted = count.isNumber() && n >= 1 && n <= count.value;
    Change change;
    change.number = n;
    change.bytes = rewrite(
        bytes, span->header.end, span->bodyEnd, [&](const profile::Line& line, std::string& name) {
            const auto k = line.kind == profile::Line::Kind::Key ? numberIn(line.name, "Button ")
                                                                 : std::nullopt;
            if (!k) {
                return Do::Keep;
            }
            if (*k == n) {
                return Do::Drop;
            }
            if (counted && *k > n && *k <= count.value) {
                name = local(buttonKey(*k - 1));
                return Do::Rename;
            }
            return Do::Keep;
        });
    if (counted &&
        !set(change.bytes, section, kNumberOfButtonsWrite, QString::number(count.value - 1))) {
        return notMade(Result::Refused);
    }
    change.result = change.bytes == bytes ? Result::Stale : Result::Changed;
    return change;
}

Change addTab(std::string_view bytes, const QString& caption) {
    return append(bytes, kSettings, kNumberOfTabs, kNumberOfTabs, tabCaptionKey, caption, true);
}

Change removeTab(std::string_view bytes, const ShownTab& tab) {
    const MenuCount tabs = countOf(bytes, kSettings, kNumberOfTabs);
    if (tabs.state == MenuCount::State::Unreadable) {
        return notMade(Result::DamagedCount);
    }
    const auto settings = profile::findSection(bytes, local(kSettings));
    if (!stillShown(bytes, tab) || !settings) {
        return notMade(Result::Stale);
    }
    const int s = tab.number;
    const int n = tabs.value;
    // The captions after the removed one move down one key.
    std::string text = rewrite(bytes, settings->header.end, settings->bodyEnd,
                               [&](const profile::Line& line, std::string& name) {
                                   const auto k = line.kind == profile::Line::Kind::Key
                                                      ? numberIn(line.name, "Tab")
                                                      : std::nullopt;
                                   if (k && *k == s) {
                                       return Do::Drop;
                                   }
                                   if (k && *k > s && *k <= n) {
                                       name = local(tabCaptionKey(*k - 1));
                                       return Do::Rename;
                                   }
                                   return Do::Keep;
                               });
    if (!set(text, kSettings, kNumberOfTabs, QString::number(n - 1))) {
        return notMade(Result::Refused);
    }
    // The removed tab's buttons go, and the sections of the later tabs move down one number.
    bool dropping = false;
    Change change;
    change.number = s;
    change.bytes = rewrite(text, profile::hasBom(text) ? 3 : 0, text.size(),
                           [&](const profile::Line& line, std::string& name) {
                               if (line.kind != profile::Line::Kind::Section) {
                                   return dropping ? Do::Drop : Do::Keep;
                               }
                               const auto k = numberIn(line.name, "Tab ");
                               dropping = k && *k == s;
                               if (dropping) {
                                   return Do::Drop;
                               }
                               if (k && *k > s && *k <= n) {
                                   name = local(tabSection(*k - 1));
                                   return Do::Rename;
                               }
                               return Do::Keep;
                           });
    change.result = Result::Changed;
    return change;
}

bool tabHoldsItem(std::string_view bytes, int tab, const QString& item) {
    const QString section = tabSection(tab);
    const std::string wanted = local(item);
    const auto span = profile::findSection(bytes, local(section));
    const MenuCount count = countOf(bytes, section, kNumberOfButtonsRead);
    if (!span || wanted.empty() || !count.isNumber()) {
        return false;
    }
    profile::LineReader reader(bytes.substr(0, span->bodyEnd), span->header.end);
    while (const auto line = reader.next()) {
        const auto k =
            line->kind == profile::Line::Kind::Key ? numberIn(line->name, "Button ") : std::nullopt;
        // Only a line that holds the item's text is read as the programs read it, so a long tab
        // costs one pass over its lines.
        if (k && *k <= count.value && line->rawValue.find(wanted) != std::string_view::npos &&
            readValue(bytes, section, buttonKey(*k)) == item) {
            return true;
        }
    }
    return false;
}

bool readsAsMenu(std::string_view bytes) {
    profile::LineReader reader(bytes);
    bool onlyBlanks = true;
    while (const auto line = reader.next()) {
        if (line->kind == profile::Line::Kind::Section &&
            (profile::sameName(line->name, "Settings") || numberIn(line->name, "Tab "))) {
            return true;
        }
        const std::string_view text =
            profile::trimBlanks(bytes.substr(line->begin, line->contentEnd - line->begin));
        if (!text.empty() && text.front() != ';') {
            onlyBlanks = false;
        }
    }
    return onlyBlanks;
}

FileChange changeMenuFile(const QString& path,
                          const std::function<Change(std::string_view bytes)>& change) {
    const std::string file = local(path);
    FileChange out;
    const auto refusedBy = [&out](menufile::Access access) {
        out.access = access;
        switch (access) {
        case menufile::Access::Writable:
        case menufile::Access::Missing:
            return false;
        case menufile::Access::ReadOnly:
            out.saved = Saved::ReadOnly;
            return true;
        case menufile::Access::FolderReadOnly:
            out.saved = Saved::FolderReadOnly;
            return true;
        default:
            out.saved = Saved::NotAMenu;
            return true;
        }
    };
    if (refusedBy(menufile::accessOf(file))) {
        return out;
    }
    menufile::LockFailure why = menufile::LockFailure::None;
    const auto lock = menufile::Lock::acquire(file, menufile::kLockWaitMs, &why);
    if (!lock) {
        out.saved = why == menufile::LockFailure::Busy             ? Saved::Busy
                    : why == menufile::LockFailure::FolderReadOnly ? Saved::FolderReadOnly
                                                                   : Saved::Failed;
        return out;
    }
    // The file may have been frozen or replaced while this editor waited.
    if (refusedBy(menufile::accessOf(file))) {
        return out;
    }
    const profile::ReadResult read = profile::readProfileFile(file.c_str());
    if (read.status == profile::ReadStatus::TooLarge) {
        out.saved = Saved::TooLarge;
        return out;
    }
    if (read.status == profile::ReadStatus::Failed) {
        out.saved = Saved::Failed;
        return out;
    }
    if (!readsAsMenu(read.bytes)) {
        out.saved = Saved::NotAMenu;
        return out;
    }
    out.change = change(read.bytes);
    if (out.change.result != Result::Changed) {
        out.saved = Saved::NotChanged;
        return out;
    }
    switch (profile::storeProfileText(file.c_str(), read, out.change.bytes)) {
    case profile::WriteStatus::Written:
    case profile::WriteStatus::Unchanged:
        out.saved = Saved::Yes;
        break;
    case profile::WriteStatus::Refused:
        out.change.result = Result::Refused;
        out.saved = Saved::NotChanged;
        break;
    default:
        out.saved = Saved::Failed;
        break;
    }
    return out;
}

} // namespace qv::menuedit
