#pragma once
// Starting items: a program, a shortcut, a document or a folder, with its default action,
// without waiting for it. Nothing is ever run through a shell: an item is always one argument.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace qv {

class ShellService {
public:
    virtual ~ShellService() = default;
    // Opens the item with its default action and returns at once. False when nothing could be
    // started (the caller may ignore it: the launcher announces the start either way).
    virtual bool ShellExecute(const QString& file) = 0;
    // The computer overview: the file manager on the computer's root folder.
    virtual bool openComputer() = 0;
    // The user's documents folder in the file manager.
    virtual bool openDocuments() = 0;
};

// The real start facility of this platform.
std::unique_ptr<ShellService> createShellService();

// Records every start instead of making it.
class FakeShell final : public ShellService {
public:
    struct Start {
        QString kind; // "execute", "computer" or "documents"
        QString file; // the item for "execute", empty otherwise
    };
    bool ShellExecute(const QString& file) override {
        starts.push_back({QStringLiteral("execute"), file});
        return result;
    }
    bool openComputer() override {
        starts.push_back({QStringLiteral("computer"), {}});
        return result;
    }
    bool openDocuments() override {
        starts.push_back({QStringLiteral("documents"), {}});
        return result;
    }
    std::vector<Start> starts;
    bool result = true;
};

} // namespace qv
