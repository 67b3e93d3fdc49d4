// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modal notices: a text, a title, an icon kind and a single OK button; and questions with a yes
// and a no.
//
// Every message of both programs goes through a MessageBoxService that the program's entry point
// makes (QtMessageBox) and hands to its window with the other services; the window passes it on
// to the shared modules it calls. Tests hand over a FakeMessageBox, which records each message
// and answers at once.
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

// Shows a notice through box.
void MsgBox(MessageBoxService& box, const QString& text, const QString& title = {},
            MsgIcon icon = MsgIcon::None);

// Asks a question under the program's title through box; true for yes.
bool MsgAsk(MessageBoxService& box, const QString& text, const QString& yes, const QString& no);

// The real message boxes, modal over the active window. When the environment variable
// QV_MESSAGE_LOG names a file (tests and scripts of the real programs), every message is appended
// to it as one line instead (title, icon number and text, tab-separated) and answered at once,
// a question with no.
class QtMessageBox final : public MessageBoxService {
public:
    QtMessageBox();
    void show(const QString& text, const QString& title, MsgIcon icon) override;
    bool ask(const QString& text, const QString& yes, const QString& no) override;

private:
    bool logged(const QString& text, const QString& title, MsgIcon icon) const;
    QString log_;
};

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

} // namespace qv
