// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A launcher window on a menu in a temporary folder, with fakes for starts, the character, the
// recognizer and message boxes.
#include "character/character.h"
#include "common/ui/cmdapplau.h"
#include "platform/dialogs/messagebox.h"
#include "platform/services.h"
#include "platform/shell/shell.h"
#include "speech/service.h"
#include "student/frmstudent.h"
#include "tests/support/printers.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace studenttest {

// "[Settings]" with the tab captions, then one section per tab; tabs[i] is the list of items of
// tab i + 1 and its "Number Of Buttons" is their count.
inline QByteArray menuText(const QList<QStringList>& tabs) {
    const auto n = [](qsizetype v) { return QByteArray::number(v); };
    QByteArray settings = "[Settings]\r\nNumber of tabs=" + n(tabs.size()) + "\r\n", sections;
    for (int t = 1; t <= tabs.size(); ++t) {
        settings += "Tab" + n(t) + "=Tab caption " + n(t) + "\r\n";
        sections += "[Tab " + n(t) + "]\r\nNumber of Buttons=" + n(tabs[t - 1].size()) + "\r\n";
        for (int b = 1; b <= tabs[t - 1].size(); ++b) {
            sections += "Button " + n(b) + "=" + tabs[t - 1][b - 1].toUtf8() + "\r\n";
        }
    }
    return settings + sections;
}

// Items "/apps/Prog<first>.exe" to "/apps/Prog<first + count - 1>.exe" (captions "Prog<n>").
inline QStringList programs(int count, int first = 1) {
    QStringList items;
    for (int n = first; n < first + count; ++n) {
        items << QStringLiteral("/apps/Prog%1.exe").arg(n);
    }
    return items;
}

class Launcher {
public:
    // The launcher's own settings file (push to talk), its machine-wide one (in machine/) and
    // the pupil's voice are kept in the test's folder.
    Launcher()
        : oldConfigHome_(qgetenv("XDG_CONFIG_HOME")), oldConfigDirs_(qgetenv("XDG_CONFIG_DIRS")),
          oldDataHome_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.filePath("machine")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    }
    ~Launcher() {
        window.reset();
        qputenv("XDG_CONFIG_HOME", oldConfigHome_);
        qputenv("XDG_CONFIG_DIRS", oldConfigDirs_);
        qputenv("XDG_DATA_HOME", oldDataHome_);
    }

    QString menuPath() const { return QDir(dir.path()).filePath("qv.ini"); }
    bool writeMenu(const QByteArray& text) const { return qvtest::writeAll(menuPath(), text); }

    // Creates the window (screen 1024 x 768, user "ann") and runs its load.
    frmstudent& load() {
        window = std::make_unique<frmstudent>(services, dir.path());
        window->screenSize = [this] { return screen; };
        window->logonName = [this] { return user; };
        window->Form_Load();
        return *window;
    }
    frmstudent& load(const QList<QStringList>& tabs) {
        EXPECT_TRUE(writeMenu(menuText(tabs)));
        return load();
    }

    // A left press on element n of the page shown.
    void press(int n) { window->cmdapplau_MouseDown(n, Qt::LeftButton, Qt::NoModifier, 0, 0); }

    // The captions of the buttons loaded, element 1 first; a hidden one is marked.
    QStringList captions() const {
        QStringList list;
        for (int i = 1; const QToolButton* b = window->cmdapplau->element(i); ++i) {
            list << (b->isVisible() ? b->text() : "<hidden> " + b->text());
        }
        return list;
    }

    QStringList executed() const {
        QStringList files;
        for (const auto& s : shell.starts) {
            files << s.kind + QLatin1Char(':') + s.file;
        }
        return files;
    }
    QString lastMessage() const {
        return box.messages.empty() ? QString() : box.messages.back().text;
    }

    QTemporaryDir dir;
    qv::FakeMessageBox box;
    qv::FakeShell shell;
    qv::FakeCharacter character;
    qv::FakeSpeechService speech;
    qv::Services services{.shell = &shell,
                          .character = &character,
                          .speech = &speech,
                          .messages = &box,
                          .menuPath = {}};
    QSize screen{1024, 768};
    QString user = QStringLiteral("ann");
    std::unique_ptr<frmstudent> window;

private:
    QByteArray oldConfigHome_;
    QByteArray oldConfigDirs_;
    QByteArray oldDataHome_;
};

} // namespace studenttest
