// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop character that greets the pupil and announces each start.
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace qv {

class CharacterService : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Loads the character by id from its data file (looked up beside the programs). False when
    // the data is missing or unreadable; every later call then does nothing.
    virtual bool Load(const QString& id, const QString& file) = 0;
    virtual void Show() = 0;
    // Places the character's top-left corner at screen pixels (x, y).
    virtual void MoveTo(int x, int y) = 0;
    // Queues the text: a speech balloon while it is spoken, and the voice when there is audio.
    // Returns at once.
    virtual void Speak(const QString& text) = 0;
    // The character's own listening for voice commands on or off.
    virtual void Listen(bool on) = 0;

signals:
    // True while the character is speaking, so that a recognizer can ignore what it hears.
    void speakingChanged(bool speaking);
};

// The real character of this platform: an animated window with a voice.
std::unique_ptr<CharacterService> createCharacterService();

// Records each call as a line of text ("Load Merlin Merlin.acs", "Show", "MoveTo 894 598",
// "Speak Welcome ann", "Listen 0").
class FakeCharacter final : public CharacterService {
    Q_OBJECT
public:
    using CharacterService::CharacterService;
    bool Load(const QString& id, const QString& file) override {
        calls << QStringLiteral("Load %1 %2").arg(id, file);
        return loadResult;
    }
    void Show() override { calls << QStringLiteral("Show"); }
    void MoveTo(int x, int y) override { calls << QStringLiteral("MoveTo %1 %2").arg(x).arg(y); }
    void Speak(const QString& text) override { calls << QStringLiteral("Speak ") + text; }
    void Listen(bool on) override { calls << QStringLiteral("Listen %1").arg(on ? 1 : 0); }
    QStringList calls;
    bool loadResult = true;
};

} // namespace qv
