// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modal notices: a text, a title, an icon kind and a single OK button; and questions with a yes
// and a no.
//
// Every message of both programs goes through qv::MsgBox. The backend is process-wide so that
// the shared modules (which have no window of their own) and the windows show their messages the
// same way; tests install a fake that records each message and answers at once.
#include <QString>
#include <vector>

namespace qv {

enum class MsgIcon { None, Stop, Information, Question };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows the notice and returns when it has been dismissed. An empty title means the
    // program's own title.
    virtual void show(const QString& text, const QString& title, MsgIcon icon) = 0;
    // Asks, with yes as the default button and no as the Escape button; true for yes.
    virtual bool ask(const QString& text, const QString& yes, const QString& no) = 0;
};

// Shows a notice through the installed backend (QMessageBox unless a test installed another).
void MsgBox(const QString& text, const QString& title = {}, MsgIcon icon = MsgIcon::None);

// Asks a question under the program's title through the installed backend; true for yes.
bool MsgAsk(const QString& text, const QString& yes, const QString& no);

// Installs a backend for the whole process and returns the previous one; nullptr restores the
// real one. The caller keeps ownership.
MessageBoxService* installMessageBox(MessageBoxService* service);

// The title used when a message gives none: the application's display name.
QString programTitle();

// Records every message and question (icon Question) instead of showing it; questions get
// answer.
class FakeMessageBox final : public MessageBoxService {
public:
    struct Message {
        QString text;
        QString title;
        MsgIcon icon;
    };
    void show(const QString& text, const QString& title, MsgIcon icon) override {
        messages.push_back({text, title.isEmpty() ? programTitle() : title, icon});
    }
    bool ask(const QString& text, const QString&, const QString&) override {
        show(text, {}, MsgIcon::Question);
        return answer;
    }
    std::vector<Message> messages;
    bool answer = false;
};

// Installs a FakeMessageBox for the lifetime of the guard (tests).
class ScopedFakeMessageBox {
public:
    ScopedFakeMessageBox() : previous_(installMessageBox(&fake)) {}
    ~ScopedFakeMessageBox() { installMessageBox(previous_); }
    ScopedFakeMessageBox(const ScopedFakeMessageBox&) = delete;
    ScopedFakeMessageBox& operator=(const ScopedFakeMessageBox&) = delete;
    FakeMessageBox fake;

private:
    MessageBoxService* previous_;
};

} // namespace qv
