// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The animated desktop character: a small frameless, translucent, always-on-top window drawn
// from SVG frames, a speech balloon beside it, and a voice on a worker thread.
#include "character/character.h"
#include "character/frames.h"
#include "character/voice.h"

#include <QBitmap>
#include <QElapsedTimer>
#include <QPainterPath>
#include <QPoint>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <optional>

namespace qv::character {

// Plays the frames of one animation at a time.
class CharacterWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 128;
    explicit CharacterWindow(const CharacterData* data);
    // The animation that loops from now on (idle or speaking): for ever, or for `rounds` rounds,
    // after which the window rests on its first frame with no timer running until the next
    // animation, so that a launcher left alone does not keep waking the machine.
    void setBase(const Animation* animation, int rounds = 0);
    // Plays an animation once, then returns to the base animation.
    void playOnce(const Animation* animation);
    const Animation* playing() const { return current_; }
    // False once the base animation has played its rounds and the window rests.
    bool animating() const { return timer_.isActive(); }
    // Cuts the window to the figure's outline at every frame.
    void setShaped(bool shaped);
    // True once the window has been painted on the screen.
    bool painted() const { return painted_; }

signals:
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void start(const Animation* animation, bool once);
    void advance();
    void applyShape();

    const CharacterData* data_;
    const Animation* base_ = nullptr;
    const Animation* current_ = nullptr;
    bool once_ = false;
    int frame_ = 0;
    int baseRounds_ = 0; // 0: for ever
    int roundsLeft_ = 0;
    bool painted_ = false;
    QTimer timer_;
    bool shaped_ = false;
    QHash<QString, QBitmap> shapes_;
};

// A rounded balloon with a tail that points at the character's head.
class SpeechBalloon final : public QWidget {
    Q_OBJECT
public:
    SpeechBalloon();
    void setText(const QString& text);
    QString text() const { return text_; }
    // Places the balloon beside a character window whose top-left corner is at topLeft.
    void placeFor(QPoint topLeft);
    // Cuts the window to the balloon's outline (no soft shadow then).
    void setShaped(bool shaped) { shaped_ = shaped; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QRect textRect_;
    bool tailDown_ = true;
    int tailX_ = 0;
    bool shaped_ = false;
    QPainterPath outline() const;
};

struct CharacterOptions {
    // Folder in which Load looks for the character's file; empty: "character" beside the program.
    QString dataDir;
    // Where the voice goes; empty: the engine's own output (the PulseAudio sound server).
    VoiceWorker::SinkFactory sinks;
    // The voice's engine; empty: the module qv-voice.so, opened when the character first speaks.
    VoiceWorker::EngineSource voice;
    // Without a voice the balloon stays for base + perChar per character (up to max) ms.
    int silentBaseMs = 1200;
    int silentPerCharMs = 70;
    int silentMaxMs = 12000;
    // After the voice has ended the balloon stays a little longer, to finish reading.
    int lingerMs = 600;
    // Texts waiting beyond this many are dropped, oldest first, so that a burst of presses
    // does not keep the character talking for minutes.
    int maxWaiting = 16;
};

class AnimatedCharacter final : public CharacterService {
    Q_OBJECT
public:
    explicit AnimatedCharacter(CharacterOptions options = {}, QObject* parent = nullptr);
    ~AnimatedCharacter() override;

    bool Load(const QString& id, const QString& file) override;
    void Show() override;
    void MoveTo(int x, int y) override;
    void Speak(const QString& text) override;
    void Listen(bool on) override;

    // For tests and for whoever wants to look at the character.
    bool isLoaded() const { return data_.has_value(); }
    QWidget* window() const { return window_.get(); }
    QWidget* balloon() const { return balloon_.get(); }
    QString balloonText() const;
    bool isSpeaking() const { return speaking_; }
    bool isListening() const { return listening_; }
    const CharacterData* data() const { return data_ ? &*data_ : nullptr; }
    int waiting() const { return static_cast<int>(queue_.size()); }
    int silentDuration(const QString& text) const;
    // Why the last Load failed (empty after a success).
    QString loadError() const { return loadError_; }

private:
    void startNext();
    void voice(quint64 request, const QString& text);
    void releaseHeldVoice();
    static constexpr int kHoldVoiceMs = 2000;
    void onSaid(quint64 request, bool voiced);
    void finish();

    CharacterOptions options_;
    std::optional<CharacterData> data_;
    std::unique_ptr<CharacterWindow> window_;
    std::unique_ptr<SpeechBalloon> balloon_;
    QPoint position_;
    bool positioned_ = false;
    bool listening_ = false;
    QString loadError_;

    std::deque<QString> queue_;
    bool speaking_ = false;
    quint64 request_ = 0;
    // A text whose voice waits for the character's first paint (see startNext).
    std::optional<QString> heldVoice_;
    QElapsedTimer spokenFor_;
    QTimer endTimer_;

    QThread thread_;
    VoiceWorker* worker_ = nullptr; // lives on thread_
};

} // namespace qv::character
