// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel Manager: the teacher's editor of the menu file qv.ini.
#include "common/menulayout.h"
#include "platform/applist/applist.h"
#include "platform/dialogs/messagebox.h"
#include "platform/icons/appicon.h"
#include "platform/services.h"
#include "platform/session/startup.h"
#include "platform/session/translations.h"
#include "platform/shell/shell.h"
#include "teach/editornotices.h"
#include "teach/firstmenu.h"
#include "teach/frmdrop.h"

#include <QApplication>

int main(int argc, char** argv) {
    // In English here: shown through qv::programText once the user's language is installed.
    const QString title = QStringLiteral(QT_TRANSLATE_NOOP("Programs", "Quorvel Manager"));
    const QString summary =
        QStringLiteral(QT_TRANSLATE_NOOP("Programs", "The teacher's editor of a Quorvel menu."));
    if (const auto done = qv::answerOnTerminal(argc, argv, "quorvel-manager", title, summary)) {
        return *done;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel-manager"));
    QApplication::setWindowIcon(qv::programIcon(QStringLiteral("quorvel-manager")));
    // Message boxes without a title of their own carry the program's title.
    qv::installTranslations(qv::translationsFolder());
    QApplication::setApplicationDisplayName(qv::EditorNotices::title());
    const qv::Startup start = qv::startUp(title, summary);
    if (start.exitCode) {
        return *start.exitCode;
    }
    qv::QtMessageBox messages;
    // A first start finds no menu: the teacher is offered one instead of an error.
    qv::firstmenu::offer(start.menu, qv::dataFolder() + QStringLiteral("/starter/qv.ini"),
                         messages);

    // Qt's widgets need no separate initialisation of common controls.
    const std::unique_ptr<qv::ShellService> shell = qv::createShellService(messages);
    qv::Services services;
    services.messages = &messages;
    services.menuPath = start.menu.path;
    services.shell = shell.get();
    const std::unique_ptr<qv::AppList> apps = qv::createAppList();
    services.apps = apps.get();

    frmdrop window(services);
    qv::installAboutBox(window, title, start.menu);
    window.Form_Load();
    window.show();
    // The editor writes every change at once, so nothing is saved when the window closes.
    return QApplication::exec();
}
