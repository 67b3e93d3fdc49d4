// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launcher follows qv.ini while it runs: a change on disk is shown without a restart, a file
// that cannot be read as a menu leaves the menu on screen as it is and is reported once (not at
// every touch of its folder), and a menu file gone is said once when a press or a page change
// would read it.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

namespace qv {

class MenuWatcher;
class ShownInAction;

class MenuFollower : public QObject {
    Q_OBJECT
public:
    // showMenu builds the tab strip and the page shown again from the file, keeping the tab
    // and the page where they still exist.
    // What it says goes through messages, each reload being one action (a damage is said once).
    MenuFollower(QString profilePath, ShownInAction& messages, std::function<void()> showMenu,
                 QObject* parent);

    static QString fileNotFound();
    static QString noTabsFound();

    // Whether the file can be read as a menu; the message that says why not otherwise.
    QString problem() const;
    // At the window's load: watches the file from now on and takes it as shown. Gives the
    // problem of the file (not yet said), or an empty text.
    QString load();
    // True when the menu file is gone, after saying so once: the action that asked reads
    // nothing. The watcher shows the menu again when it comes back.
    bool gone();
    // The bytes of the menu last shown.
    const QByteArray& shownMenu() const { return shownMenu_; }
    // The window has unloaded: a reload in progress stops after the current pass.
    void stop() { stopped_ = true; }

public slots:
    // qv.ini changed on disk.
    void reload();

signals:
    // A changed qv.ini was read: shown true when the window was rebuilt from it, false when
    // it could not be read as a menu and the menu on screen stayed.
    void checked(bool shown);

private:
    void reloadOnce();

    QString profilePath_;
    ShownInAction& messages_;
    std::function<void()> showMenu_;
    MenuWatcher* watcher_ = nullptr;
    // The bytes of the menu last shown, to tell a real change from a touch of the folder.
    QByteArray shownMenu_;
    QString message_;
    QByteArray reportedMenu_; // the file as it was when message_ was shown
    bool reloading_ = false;
    bool reloadPending_ = false;
    bool stopped_ = false;
};

} // namespace qv
