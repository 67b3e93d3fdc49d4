// SPDX-License-Identifier: GPL-3.0-or-later
// GLib's key-file reader and GDesktopAppInfo do the parsing, localizing, field-code expansion
// and spawning; what stays here is choosing what to start and saying clearly why not.
//
// GIO's headers name struct members "signals", which Qt defines as a keyword macro.
#pragma push_macro("signals")
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#pragma pop_macro("signals")

#include "platform/desktopentry/desktopentry.h"
#include "platform/files/regularfile.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QImageReader>
#include <QPainter>
#include <QSet>
#include <QStandardPaths>
#include <QStyle>
#include <memory>
#include <mutex>
#include <sys/stat.h>

namespace qv {

namespace {

// A desktop entry is a few kilobytes; anything far larger is not one, and reading it whole
// would let one bad file stall a page build.
constexpr qint64 maxEntrySize = 1 << 20;
constexpr int iconSize = 32;
// Icon files are kilobytes; a picture this large is no icon.
constexpr qint64 maxIconFileSize = qint64{16} << 20;
const char* const group = G_KEY_FILE_DESKTOP_GROUP;

struct KeyFileDeleter {
    void operator()(GKeyFile* k) const { g_key_file_free(k); }
};
using KeyFilePtr = std::unique_ptr<GKeyFile, KeyFileDeleter>;

struct ErrorDeleter {
    void operator()(GError* e) const { g_error_free(e); }
};

QString takeError(GError* error) {
    const std::unique_ptr<GError, ErrorDeleter> owned(error);
    return error ? QString::fromUtf8(error->message) : QString();
}

QString takeString(gchar* s) {
    QString result = s ? QString::fromUtf8(s) : QString();
    g_free(s);
    return result;
}

KeyFilePtr loadKeyFile(const QByteArray& data, QString* error) {
    KeyFilePtr kf(g_key_file_new());
    GError* err = nullptr;
    if (!g_key_file_load_from_data(kf.get(), data.constData(), static_cast<gsize>(data.size()),
                                   G_KEY_FILE_NONE, &err)) {
        if (error) {
            *error = takeError(err);
        } else {
            takeError(err);
        }
        return nullptr;
    }
    if (!g_key_file_has_group(kf.get(), group)) {
        if (error) {
            *error = QCoreApplication::translate("DesktopEntry", "it has no [Desktop Entry] group");
        }
        return nullptr;
    }
    return kf;
}

QString stringKey(GKeyFile* kf, const char* key) {
    return takeString(g_key_file_get_string(kf, group, key, nullptr));
}

QString localeKey(GKeyFile* kf, const char* key) {
    return takeString(g_key_file_get_locale_string(kf, group, key, nullptr, nullptr));
}

// A missing or malformed Boolean counts as false, as the desktops treat it.
bool boolKey(GKeyFile* kf, const char* key) {
    GError* err = nullptr;
    const bool value = g_key_file_get_boolean(kf, group, key, &err) != FALSE;
    takeError(err);
    return value;
}

DesktopEntry entryFrom(GKeyFile* kf) {
    DesktopEntry e;
    e.name = localeKey(kf, G_KEY_FILE_DESKTOP_KEY_NAME);
    e.icon = localeKey(kf, G_KEY_FILE_DESKTOP_KEY_ICON);
    e.type = stringKey(kf, G_KEY_FILE_DESKTOP_KEY_TYPE);
    e.hidden = boolKey(kf, G_KEY_FILE_DESKTOP_KEY_HIDDEN);
    e.noDisplay = boolKey(kf, G_KEY_FILE_DESKTOP_KEY_NO_DISPLAY);
    e.terminal = boolKey(kf, G_KEY_FILE_DESKTOP_KEY_TERMINAL);
    e.workingDirectory = stringKey(kf, G_KEY_FILE_DESKTOP_KEY_PATH);
    e.exec = stringKey(kf, G_KEY_FILE_DESKTOP_KEY_EXEC);
    e.tryExec = stringKey(kf, G_KEY_FILE_DESKTOP_KEY_TRY_EXEC);
    e.url = stringKey(kf, G_KEY_FILE_DESKTOP_KEY_URL);
    return e;
}

std::optional<QByteArray> readBounded(const QString& file, QString* error) {
    return readRegularFile(file, maxEntrySize, error);
}

QString lastComponent(const QString& path) {
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? path : path.mid(cut + 1);
}

// Quotes one argument for an Exec line: inside double quotes, the four reserved characters
// take a backslash.
QString quoteArgument(const QString& arg) {
    QString out = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
        }
        out += c;
    }
    return out + QLatin1Char('"');
}

// GLib knows the entry's location only when it reads the file itself; we hand it a key file
// (so that Terminal can be redirected), so %k is put in here. %% stays for GLib, and a '%' of
// the location becomes "%%", or GLib would expand a "%c" in a folder name inside our quotes.
QString substituteLocation(const QString& exec, const QString& file) {
    QString out;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == QLatin1Char('%') && i + 1 < exec.size()) {
            const QChar code = exec[i + 1];
            ++i;
            if (code == QLatin1Char('k')) {
                out += quoteArgument(file).replace(QLatin1Char('%'), QLatin1String("%%"));
            } else {
                out += QLatin1Char('%');
                out += code;
            }
        } else {
            out += exec[i];
        }
    }
    return out;
}

bool isFieldCode(QChar c) {
    return c.isLetter() && QStringLiteral("fFuUdDnNickvm").contains(c);
}

bool programInstalled(const QString& program) {
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// Puts a picture of any size onto a transparent 32 x 32 image: larger ones scaled down keeping
// their shape, smaller ones centred as they are.
QImage fitIcon(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    QImage scaled = picture;
    if (scaled.width() > iconSize || scaled.height() > iconSize) {
        scaled = scaled.scaled(iconSize, iconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QImage out(iconSize, iconSize, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage((iconSize - scaled.width()) / 2, (iconSize - scaled.height()) / 2, scaled);
    p.end();
    return out;
}

QImage iconToImage(const QIcon& icon) {
    if (icon.isNull()) {
        return {};
    }
    const QPixmap pm = icon.pixmap(QSize(iconSize, iconSize), 1.0);
    return pm.isNull() ? QImage() : fitIcon(pm.toImage());
}

StartResult failed(const QString& text) {
    return {false, text};
}

QString cannotStart(const QString& caption, const QString& why) {
    return QCoreApplication::translate("DesktopEntry", "\"%1\" cannot be started: %2")
        .arg(caption, why);
}

} // namespace

std::optional<DesktopEntry> parseDesktopEntry(const QByteArray& data, QString* error) {
    const KeyFilePtr kf = loadKeyFile(data, error);
    if (!kf) {
        return std::nullopt;
    }
    return entryFrom(kf.get());
}

std::optional<DesktopEntry> readDesktopEntry(const QString& file, QString* error) {
    const auto data = readBounded(file, error);
    if (!data) {
        return std::nullopt;
    }
    return parseDesktopEntry(*data, error);
}

QString desktopEntryCaption(const QString& file) {
    const auto entry = readDesktopEntry(file);
    if (entry && !entry->name.isEmpty()) {
        return entry->name;
    }
    QString base = lastComponent(file);
    if (base.endsWith(QLatin1String(".desktop"))) {
        base.chop(8);
    }
    return base;
}

QString execProgram(const QString& exec) {
    const QByteArray utf8 = exec.toUtf8();
    gint argc = 0;
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(utf8.constData(), &argc, &argv, nullptr)) {
        return {};
    }
    QString program = argc > 0 ? QString::fromUtf8(argv[0]) : QString();
    g_strfreev(argv);
    return program;
}

QString fieldCodeInQuotes(const QString& exec) {
    const auto isBlank = [](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
    };
    QChar quote;          // the open quote, or null outside quotes
    bool comment = false; // after a '#' that starts a word, up to the end of the line
    // GLib starts a comment at a '#' whose raw previous character is a blank, even an escaped
    // one, and it looks at the line after the field codes were expanded: one that expands to
    // nothing leaves the blank before it in front of the '#'.
    bool wordStart = true;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (comment) {
            if (c == QLatin1Char('%') && i + 1 < exec.size()) {
                // The codes are expanded first: a '%' before the line break takes the break
                // with it, and the comment goes on over the next line.
                const QChar next = exec[++i];
                if (isFieldCode(next)) {
                    return QStringLiteral("%") + next;
                }
                continue;
            }
            comment = c != QLatin1Char('\n');
            wordStart = !comment;
            continue;
        }
        if (c == QLatin1Char('\\') && quote != QLatin1Char('\'')) {
            // An escaped character is never a quote. GLib expands the codes before it splits
            // the line, so the backslash escapes what follows the codes that leave nothing (a
            // backslash, "%z" and a quote are an escaped quote), and an escaped field code would
            // escape the quote that its expansion starts with.
            qsizetype j = i + 1;
            while (j + 1 < exec.size() && exec[j] == QLatin1Char('%') &&
                   exec[j + 1] != QLatin1Char('%')) {
                if (isFieldCode(exec[j + 1])) {
                    return QStringLiteral("%") + exec[j + 1];
                }
                j += 2;
            }
            // "%%" leaves one '%', which is then the escaped character.
            i = j < exec.size() && exec[j] == QLatin1Char('%') ? j + 1 : j;
            wordStart = quote.isNull() && i < exec.size() && isBlank(exec[i]);
        } else if (!quote.isNull() && c == quote) {
            quote = QChar();
            wordStart = false;
        } else if (quote.isNull() && (c == QLatin1Char('"') || c == QLatin1Char('\''))) {
            quote = c;
            wordStart = false;
        } else if (quote.isNull() && wordStart && c == QLatin1Char('#')) {
            // GLib reads the rest of the line as a comment; a line break in what is put in
            // there would end it early.
            comment = true;
        } else if (c == QLatin1Char('%') && i + 1 < exec.size()) {
            const QChar code = exec[++i];
            if (!quote.isNull() && isFieldCode(code)) {
                return QStringLiteral("%") + code;
            }
            // "%%" leaves a '%'; any other code may leave nothing, and with it the word start.
            if (code == QLatin1Char('%')) {
                wordStart = false;
            }
        } else {
            wordStart = quote.isNull() && isBlank(c);
        }
    }
    return {};
}

QString desktopEntryRefusal(const DesktopEntry& entry, const QString& caption) {
    if (entry.hidden) {
        return cannotStart(caption, QCoreApplication::translate(
                                        "DesktopEntry", "its desktop entry is marked as hidden."));
    }
    if (entry.noDisplay) {
        return cannotStart(
            caption, QCoreApplication::translate(
                         "DesktopEntry", "its desktop entry is marked not to be shown in menus."));
    }
    if (entry.type == QLatin1String("Link")) {
        return entry.url.isEmpty()
                   ? cannotStart(caption,
                                 QCoreApplication::translate("DesktopEntry",
                                                             "its desktop entry names no address."))
                   : QString();
    }
    if (entry.type != QLatin1String("Application")) {
        return cannotStart(caption,
                           entry.type.isEmpty()
                               ? QCoreApplication::translate(
                                     "DesktopEntry", "it is a desktop entry without a type, and "
                                                     "only applications and links can be started.")
                               : QCoreApplication::translate(
                                     "DesktopEntry", "it is a desktop entry of type \"%1\", and "
                                                     "only applications and links can be started.")
                                     .arg(entry.type));
    }
    if (entry.exec.trimmed().isEmpty()) {
        return cannotStart(caption, QCoreApplication::translate(
                                        "DesktopEntry", "its desktop entry names no program."));
    }
    if (execProgram(entry.exec).isEmpty()) {
        return cannotStart(caption,
                           QCoreApplication::translate(
                               "DesktopEntry", "the command of its desktop entry cannot be read."));
    }
    if (const QString code = fieldCodeInQuotes(entry.exec); !code.isEmpty()) {
        return cannotStart(
            caption, QCoreApplication::translate("DesktopEntry",
                                                 "the command of its desktop entry puts %1 "
                                                 "inside quotes (or a comment), which desktop "
                                                 "entries must not do: a file or folder name in "
                                                 "its place could run as a command.")
                         .arg(code));
    }
    return {};
}

QImage iconImage(const QString& nameOrPath) {
    if (nameOrPath.isEmpty()) {
        return {};
    }
    if (QDir::isAbsolutePath(nameOrPath)) {
        // Read through the regular-file test: an icon path may name a FIFO or a device.
        const auto bytes = readRegularFile(nameOrPath, maxIconFileSize);
        if (!bytes) {
            return {};
        }
        QBuffer buffer;
        buffer.setData(*bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, QFileInfo(nameOrPath).suffix().toLower().toLatin1());
        // Scalable pictures are drawn at the size wanted rather than scaled from their default.
        if (reader.supportsOption(QImageIOHandler::ScaledSize) &&
            nameOrPath.endsWith(QLatin1String(".svg"))) {
            reader.setScaledSize(QSize(iconSize, iconSize));
        }
        return fitIcon(reader.read());
    }
    QString name = nameOrPath;
    // Entries sometimes give a file name where a theme name belongs; the desktops accept it.
    for (const char* ext : {".png", ".svg", ".xpm"}) {
        if (name.endsWith(QLatin1String(ext))) {
            name.chop(4);
            break;
        }
    }
    return iconToImage(QIcon::fromTheme(name));
}

QImage genericExecutableIcon() {
    QImage themed = iconToImage(QIcon::fromTheme(QStringLiteral("application-x-executable")));
    if (!themed.isNull()) {
        return themed;
    }
    // A session without a desktop has only the bare hicolor theme, which holds no file-type
    // icons; an installed theme that has this one draws a program better than a blank page.
    for (const QString& base : QIcon::themeSearchPaths()) {
        const QDir dir(base);
        for (const QString& theme : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            for (const char* size : {"32x32", "48x48", "24x24"}) {
                const QString file = dir.filePath(theme + QLatin1Char('/') + QLatin1String(size) +
                                                  QStringLiteral("/mimetypes/"
                                                                 "application-x-executable.png"));
                if (QFileInfo::exists(file)) {
                    themed = iconImage(file);
                    if (!themed.isNull()) {
                        return themed;
                    }
                }
            }
        }
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        return iconToImage(QApplication::style()->standardIcon(QStyle::SP_FileIcon));
    }
    return {};
}

QImage desktopEntryIcon(const QString& file) {
    const auto entry = readDesktopEntry(file);
    if (!entry) {
        return {};
    }
    QImage icon = iconImage(entry->icon);
    if (icon.isNull() && entry->type == QLatin1String("Application")) {
        icon = genericExecutableIcon();
    }
    return icon;
}

QStringList applicationFolders() {
    QStringList bases;
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(home)) {
        home = QDir::homePath() + QStringLiteral("/.local/share");
    }
    bases << home;
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    for (const QString& d : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative folders are invalid in these variables and are ignored.
        if (QDir::isAbsolutePath(d)) {
            bases << d;
        }
    }
    QStringList folders;
    for (const QString& b : bases) {
        const QString f = QDir::cleanPath(b + QStringLiteral("/applications"));
        if (!folders.contains(f)) {
            folders << f;
        }
    }
    return folders;
}

namespace {

// Which installed program each desktop entry runs, read once and kept for the process: without
// it every plain program on a page would read every entry of the desktop again. It is read again
// when PATH, a folder of PATH or an application folder changes (a program or entry added or
// removed).
struct ExecIndex {
    QString basis;
    // Canonical program file -> the Application entries that run it, in search order.
    QHash<QString, QStringList> entries;
};

// The folders and the time each last changed: a program or entry added or removed changes it.
QString indexBasis(const QStringList& folders) {
    const QString path = qEnvironmentVariable("PATH");
    QString basis = path;
    for (const QString& folder : folders + path.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        struct stat st {};
        const bool there = ::stat(QFile::encodeName(folder).constData(), &st) == 0;
        basis += QLatin1Char('\n') + folder + QLatin1Char('@') +
                 (there ? QStringLiteral("%1.%2").arg(st.st_mtim.tv_sec).arg(st.st_mtim.tv_nsec)
                        : QStringLiteral("-"));
    }
    return basis;
}

void buildIndex(ExecIndex& index, const QStringList& folders) {
    index.entries.clear();
    // An entry in an earlier folder hides one with the same id in a later folder, so a user's
    // own Hidden copy of an entry removes that entry from the search.
    QSet<QString> seenIds;
    for (const QString& folder : folders) {
        QStringList files;
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext()) {
            files << it.next();
        }
        files.sort();
        for (const QString& file : files) {
            QString id = file.mid(folder.size() + 1);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (seenIds.contains(id)) {
                continue;
            }
            seenIds.insert(id);
            const auto entry = readDesktopEntry(file);
            if (!entry || entry->hidden || entry->type != QLatin1String("Application")) {
                continue;
            }
            const QString program = execProgram(entry->exec);
            if (program.isEmpty()) {
                continue;
            }
            const QString resolved = program.contains(QLatin1Char('/'))
                                         ? program
                                         : QStandardPaths::findExecutable(program);
            const QString target = resolved.isEmpty() ? QString() : canonical(resolved);
            if (!target.isEmpty()) {
                index.entries[target] << file;
            }
        }
    }
}

} // namespace

QString findDesktopEntryForExecutable(const QString& executable) {
    const QString target = canonical(executable);
    const QString name = lastComponent(executable);
    if (target.isEmpty() || name.isEmpty()) {
        return {};
    }
    static std::mutex lock;
    static ExecIndex index;
    QStringList candidates;
    {
        const std::lock_guard<std::mutex> guard(lock);
        const QStringList folders = applicationFolders();
        QString basis = indexBasis(folders);
        if (basis != index.basis) {
            buildIndex(index, folders);
            index.basis = std::move(basis);
        }
        candidates = index.entries.value(target);
    }
    // The entry names the program by this name (a path or a bare name), not only by another
    // link to the same file.
    const QByteArray needle = name.toUtf8();
    for (const QString& file : candidates) {
        const auto data = readBounded(file, nullptr);
        if (data && data->contains(needle)) {
            return file;
        }
    }
    return {};
}

QImage executableIcon(const QString& executable) {
    const QString entryFile = findDesktopEntryForExecutable(executable);
    if (!entryFile.isEmpty()) {
        const auto entry = readDesktopEntry(entryFile);
        if (entry) {
            QImage icon = iconImage(entry->icon);
            if (!icon.isNull()) {
                return icon;
            }
        }
    }
    // Most programs without an entry of their own have a theme icon of their name (xcalc, xterm).
    const QString name = lastComponent(executable);
    if (!name.isEmpty()) {
        QImage themed = iconToImage(QIcon::fromTheme(name));
        if (!themed.isNull()) {
            return themed;
        }
    }
    return genericExecutableIcon();
}

namespace {

StartResult spawn(const QStringList& args, const QString& caption) {
    std::vector<QByteArray> utf8;
    utf8.reserve(static_cast<size_t>(args.size()));
    for (const QString& a : args) {
        utf8.push_back(a.toUtf8());
    }
    std::vector<gchar*> argv;
    argv.reserve(utf8.size() + 1);
    for (QByteArray& a : utf8) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    GError* err = nullptr;
    // No reaping flag: GLib then lets the started program run on its own, leaving no zombie.
    if (!g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                       nullptr, &err)) {
        return failed(
            QStringLiteral("\"%1\" could not be started: %2").arg(caption, takeError(err)));
    }
    return {true, {}};
}

} // namespace

QString launchExec(const DesktopEntry& entry, const QString& file, const QString& terminal) {
    QString exec = substituteLocation(entry.exec, file);
    if (entry.terminal && !terminal.isEmpty()) {
        exec = quoteArgument(terminal) + QStringLiteral(" -e ") + exec;
    }
    return exec;
}

StartResult startDesktopEntry(const QString& file) {
    QString error;
    const auto data = readBounded(file, &error);
    const KeyFilePtr kf = data ? loadKeyFile(*data, &error) : nullptr;
    if (!kf) {
        return failed(cannotStart(
            lastComponent(file),
            QCoreApplication::translate("DesktopEntry", "it is not a readable desktop entry (%1).")
                .arg(error)));
    }
    const DesktopEntry entry = entryFrom(kf.get());
    const QString caption = desktopEntryCaption(file);
    const QString refusal = desktopEntryRefusal(entry, caption);
    if (!refusal.isEmpty()) {
        return failed(refusal);
    }
    if (entry.type == QLatin1String("Link")) {
        return spawn({QStringLiteral("xdg-open"), entry.url}, caption);
    }
    if (!entry.tryExec.isEmpty() && !programInstalled(entry.tryExec)) {
        return failed(
            cannotStart(caption, QCoreApplication::translate("DesktopEntry",
                                                             "the program \"%1\" is not installed.")
                                     .arg(entry.tryExec)));
    }
    // GLib would refuse the entry without saying why; the user should learn which program.
    const QString program = execProgram(entry.exec);
    if (!programInstalled(program)) {
        return failed(
            cannotStart(caption, QCoreApplication::translate("DesktopEntry",
                                                             "the program \"%1\" is not installed.")
                                     .arg(program)));
    }
    // Debian's configured terminal comes first; GLib knows only a fixed list of terminals and
    // picks from that list when this one is missing.
    const QString terminal =
        entry.terminal ? QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"))
                       : QString();
    const QString exec = launchExec(entry, QFileInfo(file).absoluteFilePath(), terminal);
    if (!terminal.isEmpty()) {
        g_key_file_set_boolean(kf.get(), group, G_KEY_FILE_DESKTOP_KEY_TERMINAL, FALSE);
    }
    g_key_file_set_string(kf.get(), group, G_KEY_FILE_DESKTOP_KEY_EXEC, exec.toUtf8().constData());
    GDesktopAppInfo* info = g_desktop_app_info_new_from_keyfile(kf.get());
    if (!info) {
        return failed(
            cannotStart(caption, QCoreApplication::translate("DesktopEntry",
                                                             "its desktop entry is not usable.")));
    }
    GError* err = nullptr;
    const gboolean ok = g_desktop_app_info_launch_uris_as_manager(
        info, nullptr, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr, &err);
    g_object_unref(info);
    if (!ok) {
        return failed(QCoreApplication::translate("DesktopEntry", "\"%1\" could not be started: %2")
                          .arg(caption, takeError(err)));
    }
    return {true, {}};
}

bool isExecutableFile(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

StartResult startExecutable(const QString& file) {
    const QFileInfo info(file);
    if (!isExecutableFile(file)) {
        return failed(cannotStart(
            lastComponent(file), QCoreApplication::translate(
                                     "DesktopEntry", "it is not a program file that can be run.")));
    }
    // Started by its full path, so that PATH can never substitute another program.
    return spawn({info.absoluteFilePath()}, lastComponent(file));
}

} // namespace qv
