// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel Student: creates the launcher window with the real platform services and runs it.
//
// For scripts and benchmarks, QV_SCREENSHOT, QV_WINDOW_TREE and QV_FIRST_PAINT act once the
// first page has been built and painted (see student/firstpaint.h).
#include "character/character.h"
#include "common/menulayout.h"
#include "common/pushtotalk.h"
#include "platform/icons/appicon.h"
#include "platform/recognizer/loader.h"
#include "platform/services.h"
#include "platform/session/startup.h"
#include "platform/session/translations.h"
#include "platform/shell/shell.h"
#include "student/firstpaint.h"
#include "student/frmstudent.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

namespace {

// --push-to-talk on|off: for the IT person setting up a machine, without starting the window.
int storePushToTalk(const QString& value) {
    const std::optional<bool> on = qv::parseOnOff(value);
    if (!on) {
        std::fputs(qUtf8Printable(QCoreApplication::translate(
                       "Programs", "quorvel-student: --push-to-talk takes on or off\n")),
                   stderr);
        return 2;
    }
    const QString path = qv::launcherSettingsPath();
    if (!qv::writePushToTalk(path, *on)) {
        std::fputs(
            qUtf8Printable(QCoreApplication::translate(
                               "Programs", "quorvel-student: the choice could not be saved in %1\n")
                               .arg(path)),
            stderr);
        return 1;
    }
    //: %1 is the option's value as typed, on or off.
    std::fputs(qUtf8Printable(
                   QCoreApplication::translate("Programs", "Push to talk is %1 (saved in %2).\n")
                       .arg(*on ? QStringLiteral("on") : QStringLiteral("off"), path)),
               stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // In English here: shown through qv::programText once the user's language is installed.
    const QString title = QStringLiteral(QT_TRANSLATE_NOOP("Programs", "Quorvel Student"));
    const QString summary =
        QStringLiteral(QT_TRANSLATE_NOOP("Programs", "The pupils' launcher of a Quorvel menu."));
    const std::vector<qv::TerminalOption> own = {
        {QStringLiteral("push-to-talk"), QStringLiteral("on|off"),
         QStringLiteral(QT_TRANSLATE_NOOP("Programs",
                                          "Store whether spoken commands are heard only while "
                                          "Space or the Hold to talk button is held, and exit.")),
         storePushToTalk}};
    if (const auto done =
            qv::answerOnTerminal(argc, argv, "quorvel-student", title, summary, own)) {
        return *done;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvel-student"));
    QApplication::setWindowIcon(qv::programIcon(QStringLiteral("quorvel-student")));
    qv::installTranslations(qv::translationsFolder());
    QApplication::setApplicationDisplayName(qv::programText(title));
    const qv::Startup start = qv::startUp(title, summary, own);
    if (start.exitCode) {
        return *start.exitCode;
    }
    // The character's window must not keep the program alive once the launcher is closed.
    QApplication::setQuitOnLastWindowClosed(false);

    // A run with an automation hook has nobody to press OK: the hook takes the messages.
    const std::unique_ptr<qv::FirstPaintHook> hook = qv::FirstPaintHook::fromEnvironment();
    qv::QtMessageBox messageBoxes;
    qv::MessageBoxService& messages =
        hook ? static_cast<qv::MessageBoxService&>(*hook) : messageBoxes;
    const std::unique_ptr<qv::ShellService> shell = qv::createShellService(messages);
    const std::unique_ptr<qv::CharacterService> character = qv::createCharacterService();
    const std::unique_ptr<qv::SpeechService> speech = qv::createSpeechService();
    qv::Services services;
    services.messages = &messages;
    services.menuPath = start.menu.path;
    services.shell = shell.get();
    services.character = character.get();
    services.speech = speech.get();

    frmstudent window(services);
    qv::installAboutBox(window, title, start.menu);
    QObject::connect(&window, &frmstudent::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    if (hook) {
        hook->watch(&window);
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    window.Form_Load();
    window.show();
    if (hook) {
        hook->pageComplete();
    }
    return QApplication::exec();
}
