// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/startup.h"

#include "platform/files/filetest.h"
#include "platform/files/regularfile.h"
#include "platform/session/translations.h"
#include "platform/session/username.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>

#ifndef QV_VERSION
#define QV_VERSION "0"
#endif

namespace qv {

namespace {

const QString kMenuFile = QStringLiteral("qv.ini");
const QString kGrammarFile = QStringLiteral("ordergrammar.xml");
// menu.conf is a few lines; anything much larger is not one.
constexpr qint64 kMenuConfLimit = qint64{64} * 1024;

std::optional<QString> readSmallFile(const QString& path) {
    // A FIFO or device put there must not hang the program at start.
    QFile f;
    if (!openRegularFile(f, path)) {
        return std::nullopt;
    }
    return QString::fromUtf8(f.read(kMenuConfLimit));
}

QString configHome() {
    QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME would depend on where the program was started: use the default.
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return xdg;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

void print(FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

} // namespace

QString menuFileIn(const QString& folder) {
    return folder + u'/' + kMenuFile;
}

QString menuFileOf(const QString& path, const QString& currentFolder) {
    const QString absolute = QDir::isAbsolutePath(path) ? path : currentFolder + u'/' + path;
    if (path.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive)) {
        return QDir::cleanPath(absolute);
    }
    return QDir::cleanPath(menuFileIn(absolute));
}

namespace {

// The line without its remark: a '#' or ';' at its start or after a blank. One inside a word
// ("room#5") is part of it, as a path may hold one.
QString withoutRemark(const QString& line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if ((c == u'#' || c == u';') &&
            (i == 0 || line.at(i - 1) == u' ' || line.at(i - 1) == u'\t')) {
            return line.left(i);
        }
    }
    return line;
}

// The group of a key "menu[GROUP]", the empty text for the plain key "menu", none for any other.
std::optional<QString> menuKeyGroup(const QString& key) {
    const QString menu = QStringLiteral("menu");
    if (key.compare(menu, Qt::CaseInsensitive) == 0) {
        return QString();
    }
    if (!key.startsWith(menu + u'[', Qt::CaseInsensitive) || !key.endsWith(u']')) {
        return std::nullopt;
    }
    const QString group = key.mid(menu.size() + 1, key.size() - menu.size() - 2);
    // No group name is empty or holds a blank or a bracket.
    const bool named = !group.isEmpty() && std::none_of(group.begin(), group.end(), [](QChar c) {
        return c.isSpace() || c == u'[' || c == u']';
    });
    return named ? std::optional<QString>(group) : std::nullopt;
}

// Every line "KEY = VALUE" of menu.conf whose key is menu or menu[GROUP], in file order.
std::vector<MenuConfLine> menuConfLines(const QString& text) {
    std::vector<MenuConfLine> lines;
    for (QString line : text.split(u'\n')) {
        line = withoutRemark(line).trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) {
            continue;
        }
        if (const std::optional<QString> group = menuKeyGroup(line.left(eq).trimmed())) {
            lines.push_back({line.mid(eq + 1).trimmed(), *group});
        }
    }
    return lines;
}

} // namespace

std::optional<QString> menuConfValue(const QString& text) {
    for (const MenuConfLine& line : menuConfLines(text)) {
        if (line.group.isEmpty()) {
            return line.value;
        }
    }
    return std::nullopt;
}

std::optional<MenuConfLine> menuConfLine(const QString& text, const QStringList& groups) {
    const std::vector<MenuConfLine> lines = menuConfLines(text);
    for (const QString& group : groups) {
        for (const MenuConfLine& line : lines) {
            if (line.group == group) {
                return line;
            }
        }
    }
    for (const MenuConfLine& line : lines) {
        if (line.group.isEmpty()) {
            return line;
        }
    }
    return std::nullopt;
}

MenuLocation locateMenu(const MenuInputs& in) {
    // Typed for this one start, so it wins over every standing setting.
    if (in.option && !in.option->isEmpty()) {
        return {menuFileOf(*in.option, in.currentFolder), MenuSource::Option, {}};
    }
    // A folder that carries its own menu (a build folder, a copy on a stick) keeps it, whatever
    // the machine is set up for.
    if (in.programFolderHasMenu) {
        return {QDir::cleanPath(menuFileIn(in.programFolder)), MenuSource::ProgramFolder, {}};
    }
    if (in.environment && !in.environment->isEmpty()) {
        return {menuFileOf(*in.environment, in.currentFolder), MenuSource::Environment, {}};
    }
    QString ignored;
    if (in.systemConfig) {
        const std::optional<MenuConfLine> line = menuConfLine(*in.systemConfig, in.groups);
        // Relative to what? A system file must not depend on where a program was started.
        if (line && QDir::isAbsolutePath(line->value)) {
            const MenuSource source =
                line->group.isEmpty() ? MenuSource::SystemConfig : MenuSource::GroupConfig;
            return {menuFileOf(line->value, {}), source, {}, line->group};
        }
        if (line && !line->group.isEmpty()) {
            // The class's own line is wrong; the plain line is not this class's menu either.
            ignored =
                QCoreApplication::translate("Startup", "The line menu[%1] in %2 names no absolute "
                                                       "path; it was not used.")
                    .arg(line->group, kSystemMenuConf);
        } else {
            ignored = kSystemMenuConf + QStringLiteral(" names no absolute path in a line "
                                                       "\"menu = /path\"; it was not used.");
        }
    }
    return {QDir::cleanPath(menuFileIn(in.configHome + QStringLiteral("/quorvel"))),
            MenuSource::UserConfig, ignored};
}

QString describeSource(MenuSource source) {
    switch (source) {
    case MenuSource::Option:
        return QCoreApplication::translate("Startup", "the --menu option");
    case MenuSource::ProgramFolder:
        return QCoreApplication::translate("Startup", "the qv.ini beside the program");
    case MenuSource::Environment:
        return QCoreApplication::translate("Startup", "the QV_MENU environment variable");
    case MenuSource::SystemConfig:
    case MenuSource::GroupConfig:
        return kSystemMenuConf;
    case MenuSource::UserConfig:
        return QCoreApplication::translate(
            "Startup", "the user's own config folder (no other setting applies)");
    }
    return {};
}

QString describeChoice(const MenuLocation& menu) {
    switch (menu.source) {
    case MenuSource::GroupConfig:
        return QCoreApplication::translate("Startup",
                                           "the line menu[%1] in %2 (you are in group %1)")
            .arg(menu.group, kSystemMenuConf);
    case MenuSource::SystemConfig:
        return QCoreApplication::translate("Startup",
                                           "the line \"menu =\" in %1 (no line menu[GROUP] "
                                           "there names a group of yours)")
            .arg(kSystemMenuConf);
    default:
        return describeSource(menu.source);
    }
}

QString missingMenuFolder(const MenuLocation& menu) {
    // The user's own folder is made at start; every other one was named by someone.
    const QString folder = QFileInfo(menu.path).absolutePath();
    if (menu.source == MenuSource::UserConfig || QFileInfo(folder).isDir()) {
        return {};
    }
    return QCoreApplication::translate("Startup", "The folder %1 named by %2 does not exist: "
                                                  "is the share mounted?")
        .arg(folder, describeChoice(menu));
}

QString dataFolderOf(const QString& programFolder, bool programFolderHasData) {
    if (programFolderHasData) {
        return programFolder;
    }
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/quorvel"));
}

QString dataFolder() {
    const QString folder = QCoreApplication::applicationDirPath();
    return dataFolderOf(folder, QFile::exists(folder + u'/' + kGrammarFile) ||
                                    isNormalFile(menuFileIn(folder)));
}

QString programText(const QString& english) {
    return QCoreApplication::translate("Programs", english.toUtf8().constData());
}

Startup startUp(const QString& englishTitle, const QString& summary,
                const std::vector<TerminalOption>& own) {
    const QString title = programText(englishTitle);
    QCoreApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(programText(summary));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("Startup", "Show this help and the menu file in use."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("Startup", "Show the version."));
    const QCommandLineOption menu(
        QStringLiteral("menu"),
        QCoreApplication::translate("Startup", "Use the menu file PATH when it ends in .ini, "
                                               "otherwise the qv.ini in the folder PATH."),
        QStringLiteral("PATH"));
    parser.addOptions({help, version, menu});
    std::vector<QCommandLineOption> ownOptions;
    for (const TerminalOption& option : own) {
        ownOptions.emplace_back(option.name, programText(option.help), option.valueName);
        parser.addOption(ownOptions.back());
    }

    Startup result;
    const QString name = QCoreApplication::applicationName();
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty() ||
        (parser.isSet(menu) && parser.value(menu).isEmpty())) {
        const QString why =
            parser.errorText().isEmpty()
                ? QCoreApplication::translate("Startup", "expects no arguments but --menu PATH")
                : parser.errorText();
        print(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(name, why));
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n%3\n")
                          .arg(name, QCoreApplication::applicationVersion(), licenceText()));
        result.exitCode = 0;
        return result;
    }

    if (!parser.isSet(help)) {
        for (size_t i = 0; i < own.size(); ++i) {
            if (parser.isSet(ownOptions[i])) {
                result.exitCode = own[i].run(parser.value(ownOptions[i]));
                return result;
            }
        }
    }

    MenuInputs in;
    in.programFolder = QCoreApplication::applicationDirPath();
    in.programFolderHasMenu = isNormalFile(menuFileIn(in.programFolder));
    if (parser.isSet(menu)) {
        in.option = parser.value(menu);
    }
    if (qEnvironmentVariableIsSet("QV_MENU")) {
        in.environment = qEnvironmentVariable("QV_MENU");
    }
    in.systemConfig = readSmallFile(kSystemMenuConf);
    if (in.systemConfig) {
        in.groups = userGroups();
    }
    in.configHome = configHome();
    in.currentFolder = QDir::currentPath();
    result.menu = locateMenu(in);

    if (parser.isSet(help)) {
        QString text = QStringLiteral("%1 (%2)\n").arg(title, name) + parser.helpText();
        text +=
            QCoreApplication::translate(
                "Startup", "\nThe menu file is the first of: --menu; a qv.ini beside the program; "
                           "QV_MENU;\nthe line \"menu[GROUP] = PATH\" in %1 of the first of your\n"
                           "groups that has one, else its line \"menu = PATH\";\n"
                           "$XDG_CONFIG_HOME/quorvel/qv.ini.\n")
                .arg(kSystemMenuConf);
        text += QCoreApplication::translate("Startup",
                                            "\nMenu file: %1\n  chosen by: %2\nData folder: %3\n")
                    .arg(result.menu.path, describeChoice(result.menu), dataFolder());
        for (const QString& note : {result.menu.ignored, missingMenuFolder(result.menu)}) {
            if (!note.isEmpty()) {
                text += QCoreApplication::translate("Startup", "  note: %1\n").arg(note);
            }
        }
        print(stdout, text);
        result.exitCode = 0;
    } else if (result.menu.source == MenuSource::UserConfig) {
        // The first change creates the file, but only in a folder that exists.
        QDir().mkpath(QFileInfo(result.menu.path).absolutePath());
    }
    return result;
}

std::optional<QString> windowArgumentsProblem(const QStringList& arguments) {
    // Qt's own options for windows, which the application object takes before our parser sees
    // the rest; Qt reads them with one dash or two.
    static const QStringList qtWithValue = {
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
        QStringLiteral("display"),         QStringLiteral("geometry"),
        QStringLiteral("style"),           QStringLiteral("stylesheet"),
        QStringLiteral("title"),           QStringLiteral("name"),
        QStringLiteral("visual"),          QStringLiteral("qmljsdebugger")};
    static const QStringList qtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                        QStringLiteral("nograb"), QStringLiteral("dograb"),
                                        QStringLiteral("sync")};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--menu")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                return QCoreApplication::translate("Startup", "--menu needs a PATH");
            }
            ++i;
            continue;
        }
        if (a.startsWith(QLatin1String("--menu="))) {
            if (a.size() == 7) {
                return QCoreApplication::translate("Startup", "--menu needs a PATH");
            }
            continue;
        }
        if (!a.startsWith(u'-') || a.size() < 2) {
            return QCoreApplication::translate("Startup", "unexpected argument '%1'").arg(a);
        }
        QString qt = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
        const bool inlineValue = qt.contains(u'=');
        qt = qt.section(u'=', 0, 0);
        if (qtFlags.contains(qt) && !inlineValue) {
            continue;
        }
        if (qtWithValue.contains(qt)) {
            if (!inlineValue && i + 1 >= arguments.size()) {
                return QCoreApplication::translate("Startup", "%1 needs a value").arg(a);
            }
            i += inlineValue ? 0 : 1;
            continue;
        }
        return QCoreApplication::translate("Startup", "unknown option '%1'").arg(a);
    }
    return std::nullopt;
}

std::optional<int> answerOnTerminal(int& argc, char** argv, const QString& name,
                                    const QString& title, const QString& summary,
                                    const std::vector<TerminalOption>& own) {
    bool terminal = false;
    for (int i = 1; i < argc && !terminal; ++i) {
        const QByteArray a(argv[i]);
        terminal = a == "-h" || a == "--help" || a == "-v" || a == "--version";
        for (const TerminalOption& option : own) {
            const QByteArray flag = "--" + option.name.toUtf8();
            terminal = terminal || a == flag || a.startsWith(flag + '=');
        }
    }
    if (!terminal) {
        // A mistake must be said on the terminal before a display is needed: without one, the
        // window's application object would end the program with a crash.
        QStringList arguments;
        for (int i = 0; i < argc; ++i) {
            arguments << QString::fromLocal8Bit(argv[i]);
        }
        if (!windowArgumentsProblem(arguments)) {
            return std::nullopt;
        }
        // An application object of our own, needing no display, for the user's language.
        std::unique_ptr<QCoreApplication> core;
        if (!QCoreApplication::instance()) {
            core = std::make_unique<QCoreApplication>(argc, argv);
            installTranslations(translationsFolder());
        }
        const std::optional<QString> problem = windowArgumentsProblem(arguments);
        QString usage = QStringLiteral("%1 [--menu PATH] [--help] [--version]").arg(name);
        for (const TerminalOption& option : own) {
            usage += QStringLiteral(" [--%1 %2]").arg(option.name, option.valueName);
        }
        print(stderr,
              QCoreApplication::translate("Startup", "%1: %2\nUsage: %3\nTry '%1 --help'.\n")
                  .arg(name, *problem, usage));
        return 2;
    }
    const QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(name);
    installTranslations(translationsFolder());
    return startUp(title, summary, own).exitCode.value_or(0);
}

QString licenceText() {
    return QCoreApplication::translate("qv::Startup",
                                       "Free software under the GNU General Public License, "
                                       "version 3 or later; it comes with no warranty.");
}

void installAboutBox(QWidget& window, const QString& englishTitle, const MenuLocation& menu) {
    const QString title = programText(englishTitle);
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &window, [&window, title, menu] {
        QString text =
            QCoreApplication::translate("Startup", "%1 %2\n%5\n\nMenu file:\n%3\n\nChosen by: %4.")
                .arg(title, QCoreApplication::applicationVersion(), menu.path, describeChoice(menu),
                     licenceText());
        for (const QString& note : {menu.ignored, missingMenuFolder(menu)}) {
            if (!note.isEmpty()) {
                text += QStringLiteral("\n\n") + note;
            }
        }
        QMessageBox::about(&window, QCoreApplication::translate("Startup", "About ") + title, text);
    });
}

} // namespace qv
