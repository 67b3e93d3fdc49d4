// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting items: a program, a shortcut, a document or a folder, with its default action,
// without waiting for it. Nothing is ever run through a shell: an item is always one argument.
#include "platform/shell/itemkind.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace qv {

class MessageBoxService;

class ShellService {
public:
    virtual ~ShellService() = default;
    // Opens the item with its default action and returns at once. False when nothing could be
    // started (the caller may ignore it: the launcher announces the start either way). kind is
    // the item's kind as menuItem() decided it: a shortcut is started through its target, a
    // desktop entry by its command, anything else by what the file is.
    virtual bool ShellExecute(const QString& file, MenuItemKind kind) = 0;
    // The computer overview: the file manager on the computer's root folder.
    virtual bool openComputer() = 0;
    // The user's documents folder in the file manager.
    virtual bool openDocuments() = 0;

    // A start handed to the desktop's opener is known to have worked only when the opener
    // ends: such a start returns true, gets the next number (lastOpenerStart), and its result
    // comes later in openerEnded, on the user-interface thread, without blocking it.
    int lastOpenerStart() const { return openerStarts_; }
    std::function<void(int start, bool opened)> openerEnded;

protected:
    int openerStarts_ = 0;
};

// The real start facility of this platform; what cannot be started is told through messages,
// which must outlive it.
std::unique_ptr<ShellService> createShellService(MessageBoxService& messages);

// Records every start instead of making it.
class FakeShell final : public ShellService {
public:
    struct Start {
        QString kind;                                // "execute", "computer" or "documents"
        QString file;                                // the item for "execute", empty otherwise
        MenuItemKind itemKind = MenuItemKind::Other; // as the caller decided it, for "execute"
    };
    bool ShellExecute(const QString& file, MenuItemKind kind) override {
        return record(QStringLiteral("execute"), file, kind);
    }
    bool openComputer() override { return record(QStringLiteral("computer"), {}); }
    bool openDocuments() override { return record(QStringLiteral("documents"), {}); }
    // The test ends the last start through the opener with the result it chooses.
    void endOpener(bool opened) {
        if (openerEnded) {
            openerEnded(openerStarts_, opened);
        }
    }
    std::vector<Start> starts;
    bool result = true;
    bool throughOpener = false; // each successful start goes through the opener

private:
    bool record(const QString& kind, const QString& file,
                MenuItemKind itemKind = MenuItemKind::Other) {
        starts.push_back({kind, file, itemKind});
        openerStarts_ += result && throughOpener ? 1 : 0;
        return result;
    }
};

} // namespace qv
