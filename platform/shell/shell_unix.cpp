// SPDX-License-Identifier: GPL-3.0-or-later
// Starting items on Linux: programs directly, shortcuts through their target, everything else
// through the desktop's opener (xdg-open). Every start is a list of arguments handed to
// QProcess (detached, or as our child for the opener, whose exit status is its result); no text
// ever reaches a shell, so a name holding ';', '$( )', quotes or blanks is just a name.
#include "platform/desktopentry/desktopentry.h"
#include "platform/dialogs/messagebox.h"
#include "platform/shell/shell.h"
#include "platform/shortcuts/shortcut.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <functional>

namespace qv {
namespace {

const QString kOpener = QStringLiteral("xdg-open");

// Every refusal says why on the log, so that a start the pupil was told failed can be traced.
bool refuse(const QString& item, const char* why) {
    qWarning("cannot start %s: %s", qUtf8Printable(item), why);
    return false;
}

// A URL such as https://example.org or mailto:x, which the opener understands; a Windows drive
// path ("C:\x") is no URL.
bool isUrl(const QString& item) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(item).hasMatch();
}

// The folders of PATH that name themselves: an empty entry or "." would mean the current
// folder.
QStringList absoluteSearchPath() {
    QStringList folders;
    for (const QString& folder :
         qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(folder)) {
            folders << folder;
        }
    }
    return folders;
}

bool isProgram(const QFileInfo& info) {
    return info.isFile() && info.isExecutable();
}

bool startProgram(const QString& program, const QStringList& arguments, const QString& folder) {
    if (!QProcess::startDetached(program, arguments, folder)) {
        return refuse(program, "the program could not be run");
    }
    return true;
}

// The opener reads a leading '-' as an option: an absolute path never starts with one. What can
// be known beforehand is checked here (the file is there and can be read, the opener exists);
// whether the opener found an application is known only from its exit status.
bool mayOpen(const QString& pathOrUrl) {
    if (pathOrUrl.isEmpty() || pathOrUrl.startsWith(QLatin1Char('-'))) {
        return refuse(pathOrUrl, "not a path or address the opener takes");
    }
    if (!isUrl(pathOrUrl)) {
        const QFileInfo info(pathOrUrl);
        if (!info.exists()) {
            return refuse(pathOrUrl, "no such file or folder");
        }
        if (!info.isReadable() || (info.isDir() && !info.isExecutable())) {
            return refuse(pathOrUrl, "no permission to open it");
        }
    }
    if (QStandardPaths::findExecutable(kOpener).isEmpty()) {
        return refuse(pathOrUrl, "xdg-open is not installed");
    }
    return true;
}

// The arguments of a shortcut are one command-line text written for a Windows program: split
// it into words by the Windows rules (blanks separate, double quotes group, backslashes escape
// a quote), never interpreting anything else.
QStringList splitArguments(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size();) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\\')) {
            qsizetype n = 0;
            while (i < line.size() && line.at(i) == QLatin1Char('\\')) {
                ++n;
                ++i;
            }
            if (i < line.size() && line.at(i) == QLatin1Char('"')) {
                word.append(QString(n / 2, QLatin1Char('\\')));
                if (n % 2 == 1) {
                    word.append(QLatin1Char('"'));
                    ++i;
                }
            } else {
                word.append(QString(n, QLatin1Char('\\')));
            }
            inWord = true;
            continue;
        }
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                word.append(QLatin1Char('"'));
                i += 2;
                continue;
            }
            quoted = !quoted;
            inWord = true;
            ++i;
            continue;
        }
        if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (inWord) {
                words << word;
                word.clear();
                inWord = false;
            }
            ++i;
            continue;
        }
        word.append(c);
        inWord = true;
        ++i;
    }
    if (inWord) {
        words << word;
    }
    return words;
}

bool startShortcut(const QFileInfo& link, const std::function<bool(const QString&)>& open) {
    const QString path = link.absoluteFilePath();
    const std::optional<ShortcutInfo> info = readShortcutFile(path);
    if (!info) {
        return refuse(path, "the shortcut cannot be read");
    }
    const QString target = info->target();
    if (target.isEmpty()) {
        return refuse(path, "the shortcut does not contain a path");
    }
    const QFileInfo targetInfo(target);
    if (!targetInfo.isAbsolute() || !targetInfo.exists()) {
        return refuse(path, "the shortcut's target does not exist");
    }
    if (isProgram(targetInfo)) {
        QString folder = info->workingDirectory;
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            folder = targetInfo.absolutePath();
        }
        return startProgram(targetInfo.absoluteFilePath(), splitArguments(info->arguments), folder);
    }
    return open(targetInfo.absoluteFilePath());
}

class UnixShell final : public ShellService {
public:
    explicit UnixShell(MessageBoxService& messages) : messages_(messages) {}
    UnixShell(const UnixShell&) = delete;
    UnixShell& operator=(const UnixShell&) = delete;
    ~UnixShell() override {
        // An opener still running is ended with us; its end is no one's news any more.
        for (QProcess* opener : openers_.findChildren<QProcess*>()) {
            opener->disconnect();
        }
    }

    bool ShellExecute(const QString& file, MenuItemKind kind) override {
        if (file.isEmpty()) {
            return refuse(file, "the button holds no item");
        }
        if (!file.contains(QLatin1Char('/')) && !file.contains(QLatin1Char('\\')) && !isUrl(file)) {
            // A bare program name is looked up on the search path only, never in the folder the
            // launcher happens to run in: a file of that name put there must not run instead.
            const QStringList folders = absoluteSearchPath();
            const QString found =
                folders.isEmpty() ? QString() : QStandardPaths::findExecutable(file, folders);
            if (found.isEmpty()) {
                return refuse(file, "no program of that name on the search path");
            }
            return startProgram(found, {}, QFileInfo(found).absolutePath());
        }
        QFileInfo info(file);
        if (!info.exists()) {
            if (isUrl(file) && !QFileInfo(file).isAbsolute()) {
                return openWithDefault(file);
            }
            return refuse(file, "no such file, and no program of that name");
        }
        // The kind is the one the button shows: a name that its face does not show as a
        // shortcut (say "Paint.LNK") is not started as one either.
        if (info.isFile() && kind == MenuItemKind::Shortcut) {
            return startShortcut(info,
                                 [this](const QString& path) { return openWithDefault(path); });
        }
        // A desktop entry is run as the desktop's menus run it; the opener would only show it
        // in an editor. One that cannot be started says why.
        if (info.isFile() && kind == MenuItemKind::DesktopEntry) {
            const StartResult result = startDesktopEntry(file);
            if (!result.started) {
                MsgBox(messages_, result.message, {}, MsgIcon::Information);
                return refuse(file, qUtf8Printable(result.message));
            }
            return true;
        }
        if (isProgram(info)) {
            return startProgram(info.absoluteFilePath(), {}, info.absolutePath());
        }
        return openWithDefault(info.absoluteFilePath());
    }

    bool openComputer() override { return openWithDefault(QDir::rootPath()); }

    bool openDocuments() override {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            folder = QDir::homePath();
        }
        return openWithDefault(folder);
    }

private:
    // The opener runs as our child so that its exit status reaches us; its output (the reason
    // it failed) goes to our error output. Its end is waited for by the event loop, never by
    // the window.
    bool openWithDefault(const QString& pathOrUrl) {
        if (!mayOpen(pathOrUrl)) {
            return false;
        }
        auto* opener = new QProcess(&openers_);
        opener->setProgram(kOpener);
        opener->setArguments({pathOrUrl});
        opener->setWorkingDirectory(QDir::homePath());
        opener->setProcessChannelMode(QProcess::ForwardedChannels);
        opener->setStandardInputFile(QProcess::nullDevice());
        // Connected before it starts: however soon it ends, its end is heard.
        const int start = openerStarts_ + 1;
        QObject::connect(opener, &QProcess::finished, opener,
                         [this, opener, start, pathOrUrl](int code, QProcess::ExitStatus status) {
                             const bool opened = status == QProcess::NormalExit && code == 0;
                             if (!opened) {
                                 refuse(pathOrUrl, "xdg-open could not open it");
                             }
                             opener->deleteLater();
                             if (openerEnded) {
                                 openerEnded(start, opened);
                             }
                         });
        opener->start();
        if (!opener->waitForStarted()) {
            opener->disconnect();
            delete opener;
            return refuse(pathOrUrl, "xdg-open could not be run");
        }
        openerStarts_ = start;
        return true;
    }

    MessageBoxService& messages_;
    QObject openers_; // the openers still running
};

} // namespace

std::unique_ptr<ShellService> createShellService(MessageBoxService& messages) {
    return std::make_unique<UnixShell>(messages);
}

} // namespace qv
