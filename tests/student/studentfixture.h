#pragma once
// A launcher window on a menu in a temporary folder, with fakes for starts, the character, the
// recognizer and message boxes.
#include "common/ui/cmdapplau.h"
#include "platform/character.h"
#include "platform/messagebox.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "student/frmstudent.h"
#include "tests/student/printers.h"
#include "tests/support/testutil.h"

#include <QDir>
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
    QByteArray text = "[Settings]\r\nNumber of tabs=" + QByteArray::number(tabs.size()) + "\r\n";
    for (int t = 1; t <= tabs.size(); ++t) {
        text += "Tab" + QByteArray::number(t) + "=Tab caption " + QByteArray::number(t) + "\r\n";
    }
    for (int t = 1; t <= tabs.size(); ++t) {
        const QStringList& items = tabs[t - 1];
        text += "[Tab " + QByteArray::number(t) +
                "]\r\nNumber of Buttons=" + QByteArray::number(items.size()) + "\r\n";
        for (int b = 1; b <= items.size(); ++b) {
            text += "Button " + QByteArray::number(b) + "=" + items[b - 1].toUtf8() + "\r\n";
        }
    }
    return text;
}

// Items "/apps/Prog<first>.exe" to "/apps/Prog<last>.exe" (captions "Prog<n>").
inline QStringList programs(int count, int first = 1) {
    QStringList items;
    for (int n = first; n < first + count; ++n) {
        items << QStringLiteral("/apps/Prog%1.exe").arg(n);
    }
    return items;
}

class Launcher {
public:
    Launcher() {
        services.shell = &shell;
        services.character = &character;
        services.speech = &speech;
    }

    bool writeMenu(const QByteArray& text) {
        return qvtest::writeAll(QDir(dir.path()).filePath("qv.ini"), text);
    }

    // Creates the window (screen 1024 x 768, user "ann") and runs its load.
    frmstudent& load() {
        window = std::make_unique<frmstudent>(services, dir.path());
        window->screenSize = [this] { return screen; };
        window->logonName = [this] { return user; };
        window->settingsPath = QDir(dir.path()).filePath("student.conf");
        window->Form_Load();
        return *window;
    }
    frmstudent& load(const QList<QStringList>& tabs) {
        EXPECT_TRUE(writeMenu(menuText(tabs)));
        return load();
    }

    // A left press on element n of the page shown.
    void press(int n) { window->cmdapplau_MouseDown(n, Qt::LeftButton, Qt::NoModifier, 0, 0); }

    // The captions of the buttons shown, element 1 first.
    QStringList captions() const {
        QStringList list;
        for (int i = 1; i <= window->loadedButtons; ++i) {
            const QToolButton* b = window->cmdapplau->element(i);
            list << (b ? b->text() : QStringLiteral("<missing>"));
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

    QTemporaryDir dir;
    qv::ScopedFakeMessageBox box;
    qv::FakeShell shell;
    qv::FakeCharacter character;
    qv::FakeSpeechService speech;
    qv::Services services;
    QSize screen{1024, 768};
    QString user = QStringLiteral("ann");
    std::unique_ptr<frmstudent> window;
};

} // namespace studenttest
