// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a program finds its data (standard/, ordergrammar.xml, character/) and its menu file,
// and the command line both programs share (--menu, --help, --version).
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace qv {

// Everything the choice of the menu file depends on, gathered by the caller.
struct MenuInputs {
    QString programFolder;               // folder of the running binary
    bool programFolderHasMenu = false;   // programFolder holds a qv.ini
    std::optional<QString> option;       // --menu PATH
    std::optional<QString> environment;  // QV_MENU
    std::optional<QString> systemConfig; // text of /etc/quorvel/menu.conf, when it can be read
    QStringList groups;                  // the user's Unix groups, primary first
    QString configHome;                  // $XDG_CONFIG_HOME when absolute, else $HOME/.config
    QString currentFolder;               // relative paths of --menu and QV_MENU are taken from here
};

// GroupConfig: a line "menu[GROUP] = PATH" of menu.conf for a group of the user; SystemConfig:
// its plain "menu = PATH" line.
enum class MenuSource { Option, ProgramFolder, Environment, SystemConfig, UserConfig, GroupConfig };

struct MenuLocation {
    QString path;
    MenuSource source = MenuSource::UserConfig;
    // A setting that was there but could not be used, said in a sentence ("" when none).
    QString ignored;
    QString group{}; // the group whose line of menu.conf was used (GroupConfig)
};

inline const QString kSystemMenuConf = QStringLiteral("/etc/quorvel/menu.conf");

// The menu file, in this order: --menu; a qv.ini beside the program; QV_MENU; the path named in
// /etc/quorvel/menu.conf for the first of the user's groups that has a line there, else its plain
// line; qv.ini in the user's quorvel config folder.
MenuLocation locateMenu(const MenuInputs& in);

// The menu file in a folder: the one place its name is put to a path.
QString menuFileIn(const QString& folder);

// A path ending in ".ini" names the menu file itself; any other path names the folder that holds
// qv.ini. Decided on the text alone, so that a share that is not mounted yet means the same.
QString menuFileOf(const QString& path, const QString& currentFolder);

// The value of the first "menu = PATH" line of menu.conf. A '#' or ';' at the start of a line or
// after a blank starts a remark that runs to the end of the line.
std::optional<QString> menuConfValue(const QString& text);

// The line of menu.conf that names the menu of this user: the first "menu[GROUP] = PATH" line of
// the first of the groups (in the order given) that has one, otherwise the first plain line.
// The group is matched exactly; a line with no closing bracket, an empty group or a blank in the
// group is no line of either kind.
struct MenuConfLine {
    QString value;
    QString group; // empty: the plain line
};
std::optional<MenuConfLine> menuConfLine(const QString& text, const QStringList& groups);

// "the --menu option", "QV_MENU", ...: why this file was chosen, for --help and the About box.
QString describeSource(MenuSource source);
// The same with the line of menu.conf that chose it: "the line menu[year1] in
// /etc/quorvel/menu.conf (you are in group year1)".
QString describeChoice(const MenuLocation& menu);

// A sentence saying that the folder of the menu file, named by a setting, does not exist (a
// share not mounted, a mistyped path); "" when it exists or the user's own folder is used.
QString missingMenuFolder(const MenuLocation& menu);

// The data folder: the program folder when it holds ordergrammar.xml or qv.ini (a build, or a
// folder laid out as on Windows), otherwise share/quorvel beside the bin folder (a package).
QString dataFolderOf(const QString& programFolder, bool programFolderHasData);
QString dataFolder();

struct Startup {
    MenuLocation menu;
    std::optional<int> exitCode; // set when the program should end at once (--help, an error)
};

// An option of one program that does its work on the terminal and ends the program, with no
// display needed: --NAME VALUE, run gives the exit code.
struct TerminalOption {
    QString name;
    QString valueName;
    QString help;
    std::function<int(const QString& value)> run;
};

// The programs' titles, summaries and the help of their own options are given in English and
// shown through the translation context "Programs" (marked with QT_TRANSLATE_NOOP there).
QString programText(const QString& english);

// Reads the command line of QCoreApplication (after Qt took its own options), the environment
// and the system file. Prints --help (with the menu file it would use) and --version, and runs
// the program's own terminal options.
Startup startUp(const QString& title, const QString& summary,
                const std::vector<TerminalOption>& own = {});

// For --help, -h, --version, -v and the program's own terminal options: answers on the terminal
// without needing a display (it makes the QCoreApplication itself) and gives the exit code.
// Arguments a window start cannot use get a usage line and exit code 2, also without a display.
// Otherwise nothing.
std::optional<int> answerOnTerminal(int& argc, char** argv, const QString& name,
                                    const QString& title, const QString& summary,
                                    const std::vector<TerminalOption>& own = {});

// What is wrong with the arguments of a start of the window (the program's name first): an
// option that is neither --menu PATH nor one of Qt's own, a missing value, a plain argument;
// none when they can be used.
std::optional<QString> windowArgumentsProblem(const QStringList& arguments);

// The licence in one line, for --version and the About box.
QString licenceText();

// F1 on the window shows the program, its version and the menu file it uses.
void installAboutBox(QWidget& window, const QString& title, const MenuLocation& menu);

} // namespace qv
