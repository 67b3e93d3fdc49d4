// SPDX-License-Identifier: GPL-3.0-or-later
// One editor window as a teacher drives it, for the tests that run several editors (real
// processes) on one menu file: drops and "&Add Button", right presses, "&Add" of tabs. Messages
// are answered at once and printed; each change that was refused is tried again after the window
// has followed the file, as a teacher would press again.
//
//   qv_editor_driver FOLDER add TAB PREFIX COUNT   adds /apps/PREFIX-i.exe, i = 1..COUNT, to tab
//   TAB qv_editor_driver FOLDER delete TAB COUNT       right-presses the first button COUNT times
//   qv_editor_driver FOLDER addtab PREFIX COUNT    adds tabs PREFIX-1 .. PREFIX-COUNT
//   qv_editor_driver FOLDER deleteloop TAB         deletes the first button until killed
// Prints "ready" once the window is loaded, then one line for each change saved ("deleted ITEM",
// "added ITEM", "tab CAPTION"), and "done N" with the count of changes saved.
#include "common/ui/cmdapplau.h"
#include "platform/dialogs/messagebox.h"
#include "teach/frmdrop.h"

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <cstdio>

namespace {

// A teacher who gets a message presses again a moment later.
constexpr int kTries = 50;

void settle() {
    QCoreApplication::processEvents();
}

bool selectTab(frmdrop& w, int tab) {
    if (w.ceptab->count() < tab) {
        return false;
    }
    if (w.ceptab->currentIndex() != tab - 1) {
        w.ceptab->setCurrentIndex(tab - 1);
    }
    return true;
}

bool add(frmdrop& w, qv::FakeMessageBox& box, int tab, const QString& item) {
    for (int attempt = 0; attempt < kTries; ++attempt) {
        settle();
        if (!selectTab(w, tab)) {
            continue;
        }
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(item)});
        w.Image1_OLEDragDrop(data);
        delete data;
        box.messages.clear();
        w.cmdaddbutt_Click();
        if (w.txtTarget->text().isEmpty()) {
            return true; // back to waiting: stored
        }
        for (const auto& m : box.messages) {
            std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        }
    }
    return false;
}

// The first button of the tab as the window shows it, deleted by a right press.
bool deleteFirst(frmdrop& w, qv::FakeMessageBox& box, int tab, QString* item) {
    for (int attempt = 0; attempt < kTries; ++attempt) {
        settle();
        if (!selectTab(w, tab) || w.cmdapplau->element(1) == nullptr) {
            continue;
        }
        *item = w.cmdapplau->element(1)->toolTip();
        box.messages.clear();
        w.cmdapplau_MouseDown(1, Qt::RightButton, {}, 0, 0);
        if (box.messages.empty()) {
            return true;
        }
        for (const auto& m : box.messages) {
            std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        }
    }
    return false;
}

bool addTab(frmdrop& w, qv::FakeMessageBox& box, const QString& caption) {
    for (int attempt = 0; attempt < kTries; ++attempt) {
        settle();
        w.txttabcaption->setText(caption);
        box.messages.clear();
        w.cmdaddtab_Click();
        if (box.messages.empty()) {
            return true;
        }
    }
    return false;
}

void say(const char* what, const QString& text) {
    std::printf("%s %s\n", what, qPrintable(text));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: qv_editor_driver FOLDER add|delete|addtab|deleteloop ...\n");
        return 2;
    }
    qv::FakeMessageBox box;
    qv::Services services;
    services.messages = &box;
    frmdrop w(services, args[1]);
    w.Form_Load();
    say("ready", {});
    const QString& op = args[2];
    int saved = 0;
    if (op == QLatin1String("add") && args.size() == 6) {
        for (int i = 1; i <= args[5].toInt(); ++i) {
            const QString item = QStringLiteral("/apps/%1-%2.exe").arg(args[4]).arg(i);
            if (add(w, box, args[3].toInt(), item)) {
                say("added", item);
                ++saved;
            }
        }
    } else if (op == QLatin1String("delete") && args.size() == 5) {
        for (int i = 1; i <= args[4].toInt(); ++i) {
            QString item;
            if (deleteFirst(w, box, args[3].toInt(), &item)) {
                say("deleted", item);
                ++saved;
            }
        }
    } else if (op == QLatin1String("addtab") && args.size() == 5) {
        for (int i = 1; i <= args[4].toInt(); ++i) {
            const QString caption = QStringLiteral("%1-%2").arg(args[3]).arg(i);
            if (addTab(w, box, caption)) {
                say("tab", caption);
                ++saved;
            }
        }
    } else if (op == QLatin1String("deleteloop")) {
        QString item;
        while (deleteFirst(w, box, args[3].toInt(), &item)) {
        }
    } else {
        return 2;
    }
    say("done", QString::number(saved));
    return 0;
}
