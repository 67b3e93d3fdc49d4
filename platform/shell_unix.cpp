// Starting items on Linux: programs directly, shortcuts through their target, everything else
// through the desktop's opener (xdg-open). Every start is a list of arguments handed to
// QProcess::startDetached; no text ever reaches a shell, so a name holding ';', '$( )', quotes
// or blanks is just a name.
#include "platform/shell.h"
#include "platform/shortcut.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace qv {
namespace {

const QString kOpener = QStringLiteral("xdg-open");

// A URL such as https://example.org or mailto:x, which the opener understands; a Windows drive
// path ("C:\x") is no URL.
bool isUrl(const QString& item) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(item).hasMatch();
}

bool isProgram(const QFileInfo& info) {
    return info.isFile() && info.isExecutable();
}

bool startProgram(const QString& program, const QStringList& arguments, const QString& folder) {
    return QProcess::startDetached(program, arguments, folder);
}

// The opener reads a leading '-' as an option: an absolute path never starts with one.
bool openWithDefault(const QString& pathOrUrl) {
    if (pathOrUrl.isEmpty() || pathOrUrl.startsWith(QLatin1Char('-'))) {
        return false;
    }
    return QProcess::startDetached(kOpener, {pathOrUrl}, QDir::homePath());
}

bool startShortcut(const QFileInfo& link) {
    const std::optional<ShortcutInfo> info = readShortcutFile(link.absoluteFilePath());
    if (!info) {
        return false;
    }
    const QString target = info->target();
    if (target.isEmpty()) {
        return false;
    }
    const QFileInfo targetInfo(target);
    if (!targetInfo.isAbsolute() || !targetInfo.exists()) {
        return false;
    }
    if (isProgram(targetInfo)) {
        QString folder = info->workingDirectory;
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            folder = targetInfo.absolutePath();
        }
        // The stored arguments are one command-line text; it is split into words by the
        // Windows quoting rules, never interpreted further.
        return startProgram(targetInfo.absoluteFilePath(), QProcess::splitCommand(info->arguments),
                            folder);
    }
    return openWithDefault(targetInfo.absoluteFilePath());
}

class UnixShell final : public ShellService {
public:
    bool ShellExecute(const QString& file) override {
        if (file.isEmpty()) {
            return false;
        }
        QFileInfo info(file);
        if (!info.exists()) {
            if (!file.contains(QLatin1Char('/')) && !file.contains(QLatin1Char('\\'))) {
                // A bare program name, found on the search path as the platform's own start
                // would find it.
                const QString found = QStandardPaths::findExecutable(file);
                if (!found.isEmpty()) {
                    return startProgram(found, {}, QFileInfo(found).absolutePath());
                }
            }
            if (isUrl(file) && !QFileInfo(file).isAbsolute()) {
                return openWithDefault(file);
            }
            return false;
        }
        if (info.isFile() &&
            info.suffix().compare(QLatin1String("lnk"), Qt::CaseInsensitive) == 0) {
            return startShortcut(info);
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
};

} // namespace

std::unique_ptr<ShellService> createShellService() {
    return std::make_unique<UnixShell>();
}

} // namespace qv
