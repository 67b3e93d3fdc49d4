// SPDX-License-Identifier: GPL-3.0-or-later
#include "teach/firstmenu.h"

#include "platform/dialogs/messagebox.h"
#include "platform/files/regularfile.h"
#include "platform/profile/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::firstmenu {

namespace {

// A starter menu is a few lines; anything larger is not one.
constexpr qint64 kStarterLimit = qint64{64} * 1024;

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

Audience audienceOf(MenuSource source) {
    if (source == MenuSource::UserConfig) {
        return Audience::OwnAccount;
    }
    if (source == MenuSource::Option) {
        return Audience::SameOption;
    }
    // QV_MENU, menu.conf and any other setting for the machine or its groups.
    return Audience::Shared;
}

bool nothingAt(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT;
}

QString question(const MenuLocation& menu) {
    QString text = QCoreApplication::translate(
                       "firstmenu",
                       "There is no menu at %1 yet.\n\nCreate one there now, with one tab and the "
                       "two standard buttons?")
                       .arg(QDir::toNativeSeparators(menu.path));
    switch (audienceOf(menu.source)) {
    case Audience::Shared:
        text += QCoreApplication::translate(
                    "firstmenu",
                    "\n\nThis place is named by %1, so pupils whose Quorvel Student uses the same "
                    "setting will see this menu.")
                    .arg(describeSource(menu.source));
        break;
    case Audience::OwnAccount:
        text +=
            QCoreApplication::translate(
                "firstmenu",
                "\n\nThis folder belongs to your own account: pupils on other accounts will not "
                "see this menu. For a menu that all pupils see, name a shared folder in %1 or "
                "in QV_MENU.")
                .arg(kSystemMenuConf);
        break;
    case Audience::SameOption:
        text += QCoreApplication::translate(
            "firstmenu",
            "\n\nThis place is named by the --menu option: pupils will see this menu only "
            "where Quorvel Student is started with the same option.");
        break;
    }
    if (const QString missing = missingMenuFolder(menu); !missing.isEmpty()) {
        text += QStringLiteral("\n\n") + missing;
    }
    return text;
}

Made create(const QString& menuPath, const QString& starterPath) {
    const auto starter = readRegularFile(starterPath, kStarterLimit);
    if (!starter || starter->isEmpty()) {
        return {Outcome::NoStarter,
                QCoreApplication::translate(
                    "firstmenu",
                    "The starter menu %1 is missing or cannot be read, so no menu was made. "
                    "Reinstall Quorvel, or make the menu by adding a tab.")
                    .arg(starterPath)};
    }
    const QString folder = QFileInfo(menuPath).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        return {Outcome::NotWritable,
                QCoreApplication::translate(
                    "firstmenu",
                    "The folder %1 could not be made, so no menu was made there. You may not "
                    "write there: ask whoever looks after the computers to make the folder or to "
                    "let you write in it.")
                    .arg(folder)};
    }
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0) {
        return {Outcome::NotWritable,
                QCoreApplication::translate(
                    "firstmenu",
                    "You may not write in the folder %1, so no menu was made there. Ask whoever "
                    "looks after the computers to make the menu or to let you write in the folder.")
                    .arg(folder)};
    }
    const std::string bytes = starter->toStdString();
    switch (profile::createFileExclusively(QFile::encodeName(menuPath).constData(), bytes)) {
    case profile::CreateResult::Created:
        return {Outcome::Created, {}};
    case profile::CreateResult::Exists:
        // Another editor was quicker; its menu is the one to show.
        return {Outcome::Exists, {}};
    case profile::CreateResult::Failed:
        break;
    }
    const int error = errno;
    return {error == EACCES || error == EPERM || error == EROFS ? Outcome::NotWritable
                                                                : Outcome::Failed,
            QCoreApplication::translate("firstmenu", "The menu %1 could not be made: %2.")
                .arg(menuPath, errorText(error))};
}

void offer(const MenuLocation& menu, const QString& starterPath, MessageBoxService& messages,
           const std::function<bool(const QString&)>& ask) {
    if (!nothingAt(menu.path)) {
        return;
    }
    const QString text = question(menu);
    if (!(ask ? ask(text)
              : MsgAsk(messages, text, QCoreApplication::translate("firstmenu", "&Create Menu"),
                       QCoreApplication::translate("firstmenu", "&Not Now")))) {
        return;
    }
    const Made made = create(menu.path, starterPath);
    if (!made.message.isEmpty()) {
        MsgBox(messages, made.message, {}, MsgIcon::Stop);
    }
}

} // namespace qv::firstmenu
