// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the character says of a start: "Starting <name>", or "<name> could not be started". A
// start handed to the desktop's opener is known to have worked only when the opener ends: it is
// said then, or as started once the opener has run for a moment (some wait for the application
// they opened to close), and a failure after that is said too.
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

namespace qv {

class CharacterService;
class ShellService;

class StartAnnouncer : public QObject {
public:
    // character gives the loaded character at the moment of speaking, or nullptr.
    StartAnnouncer(ShellService* shell, std::function<CharacterService*()> character,
                   QObject* parent);
    ~StartAnnouncer() override;
    StartAnnouncer(const StartAnnouncer&) = delete;
    StartAnnouncer& operator=(const StartAnnouncer&) = delete;

    static constexpr int kOpenerPatienceMs = 1500;

    // Right after the start of item (announced as name), which returned started.
    void announce(const QString& name, bool started, const QString& item);

private:
    void openerEnded(int start, bool opened);
    void speak(const QString& name, bool started, const QString& item);

    ShellService* shell_;
    std::function<CharacterService*()> character_;
    // Starts handed to the opener whose result is not known yet, by their number.
    struct Pending {
        QString name;
        QString item;
        bool announced = false; // "Starting" was said while the opener still ran
    };
    QHash<int, Pending> pending_;
    int openerSeen_ = 0;
};

} // namespace qv
