#include "platform/startup.h"

#include "platform/filetest.h"
#include "platform/regularfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>
#include <QWidget>
#include <cstdio>

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

std::optional<QString> menuConfValue(const QString& text) {
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';')) {
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 &&
            line.left(eq).trimmed().compare(QStringLiteral("menu"), Qt::CaseInsensitive) == 0) {
            return line.mid(eq + 1).trimmed();
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
        const std::optional<QString> value = menuConfValue(*in.systemConfig);
        // Relative to what? A system file must not depend on where a program was started.
        if (value && QDir::isAbsolutePath(*value)) {
            return {menuFileOf(*value, {}), MenuSource::SystemConfig, {}};
        }
        ignored = kSystemMenuConf + QStringLiteral(" names no absolute path in a line "
                                                   "\"menu = /path\"; it was not used.");
    }
    return {QDir::cleanPath(menuFileIn(in.configHome + QStringLiteral("/quorvel"))),
            MenuSource::UserConfig, ignored};
}

QString describeSource(MenuSource source) {
    switch (source) {
    case MenuSource::Option:
        return QStringLiteral("the --menu option");
    case MenuSource::ProgramFolder:
        return QStringLiteral("the qv.ini beside the program");
    case MenuSource::Environment:
        return QStringLiteral("the QV_MENU environment variable");
    case MenuSource::SystemConfig:
        return kSystemMenuConf;
    case MenuSource::UserConfig:
        return QStringLiteral("the user's own config folder (no other setting applies)");
    }
    return {};
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

Startup startUp(const QString& title, const QString& summary,
                const std::vector<TerminalOption>& own) {
    QCoreApplication::setApplicationVersion(QStringLiteral(QV_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(summary);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and the menu file in use."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    const QCommandLineOption menu(
        QStringLiteral("menu"),
        QStringLiteral("Use the menu file PATH when it ends in .ini, otherwise the qv.ini in the "
                       "folder PATH."),
        QStringLiteral("PATH"));
    parser.addOptions({help, version, menu});
    std::vector<QCommandLineOption> ownOptions;
    for (const TerminalOption& option : own) {
        ownOptions.emplace_back(option.name, option.help, option.valueName);
        parser.addOption(ownOptions.back());
    }

    Startup result;
    const QString name = QCoreApplication::applicationName();
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty() ||
        (parser.isSet(menu) && parser.value(menu).isEmpty())) {
        const QString why = parser.errorText().isEmpty()
                                ? QStringLiteral("expects no arguments but --menu PATH")
                                : parser.errorText();
        print(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(name, why));
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(name, QCoreApplication::applicationVersion()));
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
    in.configHome = configHome();
    in.currentFolder = QDir::currentPath();
    result.menu = locateMenu(in);

    if (parser.isSet(help)) {
        QString text = QStringLiteral("%1 (%2)\n").arg(title, name) + parser.helpText();
        text +=
            QStringLiteral("\nThe menu file is the first of: --menu; a qv.ini beside the program; "
                           "QV_MENU;\nthe path named by \"menu = PATH\" in %1; "
                           "$XDG_CONFIG_HOME/quorvel/qv.ini.\n")
                .arg(kSystemMenuConf);
        text += QStringLiteral("\nMenu file: %1\n  chosen by: %2\nData folder: %3\n")
                    .arg(result.menu.path, describeSource(result.menu.source), dataFolder());
        if (!result.menu.ignored.isEmpty()) {
            text += QStringLiteral("  note: %1\n").arg(result.menu.ignored);
        }
        print(stdout, text);
        result.exitCode = 0;
    } else if (result.menu.source == MenuSource::UserConfig) {
        // The first change creates the file, but only in a folder that exists.
        QDir().mkpath(QFileInfo(result.menu.path).absolutePath());
    }
    return result;
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
        return std::nullopt;
    }
    const QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(name);
    return startUp(title, summary, own).exitCode.value_or(0);
}

void installAboutBox(QWidget& window, const QString& title, const MenuLocation& menu) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &window, [&window, title, menu] {
        QString text = QStringLiteral("%1 %2\n\nMenu file:\n%3\n\nChosen by: %4.")
                           .arg(title, QCoreApplication::applicationVersion(), menu.path,
                                describeSource(menu.source));
        if (!menu.ignored.isEmpty()) {
            text += QStringLiteral("\n\n") + menu.ignored;
        }
        QMessageBox::about(&window, QStringLiteral("About ") + title, text);
    });
}

} // namespace qv
