// Quorvel Manager: the teacher's editor of the menu file qv.ini beside the program.
#include "platform/services.h"
#include "platform/shell.h"
#include "teach/frmdrop.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel-manager"));
    // Message boxes without a title of their own carry the program's title.
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvel Manger"));

    // Qt's widgets need no separate initialisation of common controls.
    const std::unique_ptr<qv::ShellService> shell = qv::createShellService();
    qv::Services services;
    services.shell = shell.get();

    frmdrop window(services);
    window.Form_Load();
    window.show();
    // The editor writes every change at once, so nothing is saved when the window closes.
    return QApplication::exec();
}
