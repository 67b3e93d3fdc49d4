// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Both main windows on one small menu, with fakes, and every text they show a user: titles,
// captions of buttons, labels and tabs, menus and their items, tooltips and accessible names.
#include "teach/frmdrop.h"
#include "tests/support/studentfixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <memory>

namespace windowtexts {

// One line per text: the widget (class and object name), what the text is, the text.
inline QStringList textsOf(const QWidget& root) {
    QStringList lines;
    const auto add = [&lines](const QObject* o, const char* what, QString text) {
        // The status bar's clock shows the time of the run.
        text.replace(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")),
                     QStringLiteral("HH:mm"));
        if (!text.isEmpty()) {
            lines << QStringLiteral("%1 %2 %3: %4")
                         .arg(QString::fromLatin1(o->metaObject()->className()), o->objectName(),
                              QString::fromLatin1(what), text);
        }
    };
    QList<const QWidget*> widgets{&root};
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        widgets << w;
    }
    for (const QWidget* w : widgets) {
        if (w->isWindow()) {
            add(w, "title", w->windowTitle());
        }
        add(w, "tooltip", w->toolTip());
        add(w, "accessible", w->accessibleName());
        if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            add(w, "text", b->text());
        } else if (const auto* l = qobject_cast<const QLabel*>(w)) {
            add(w, "text", l->text());
        } else if (const auto* t = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) {
                add(w, "tab", t->tabText(i));
                add(w, "tab tooltip", t->tabToolTip(i));
            }
        } else if (const auto* m = qobject_cast<const QMenu*>(w)) {
            add(w, "menu", m->title());
        }
        if (qobject_cast<const QMenu*>(w) || qobject_cast<const QMenuBar*>(w)) {
            for (const QAction* a : w->actions()) {
                add(w, "item", a->text());
                if (a->toolTip() != QString(a->text()).remove(u'&')) {
                    add(w, "item tooltip", a->toolTip());
                }
            }
        }
    }
    return lines;
}

// The launcher on two tabs of programs, and the editor on the same menu.
struct Windows {
    Windows() {
        launcher.load({studenttest::programs(3), studenttest::programs(2, 4)});
        services.shell = &launcher.shell;
        services.messages = &launcher.box;
        editor = std::make_unique<frmdrop>(services, launcher.dir.path());
        editor->Form_Load();
    }
    QStringList texts() const {
        return QStringList{QStringLiteral("[launcher]")} + textsOf(*launcher.window) +
               QStringList{QStringLiteral("[editor]")} + textsOf(*editor);
    }

    studenttest::Launcher launcher;
    qv::Services services;
    std::unique_ptr<frmdrop> editor;
};

} // namespace windowtexts
