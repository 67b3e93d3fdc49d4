// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character's voice: text to samples through espeak-ng, samples to the sound server through
// PulseAudio. Both run on the voice's own worker thread, so the launcher never waits for them.
// The engine that does both is the module qv-voice.so, opened the first time the character
// speaks, after the launcher's first page is painted.
#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace qv::character {

// Where the samples go (mono, signed 16 bit). A sink that cannot open means "no audio device".
class AudioSink {
public:
    virtual ~AudioSink() = default;
    virtual bool open(int sampleRate) = 0;
    virtual bool write(const std::int16_t* samples, std::size_t count) = 0;
    // Waits until everything written has been played.
    virtual void drain() = 0;
};

struct Synthesis {
    std::vector<std::int16_t> samples;
    int sampleRate = 0;
};

// What the voice needs of its engine.
struct VoiceEngine {
    // The rate of the samples synthesize() makes; 0 when the engine cannot start.
    int (*sampleRate)();
    std::optional<Synthesis> (*synthesize)(const QString& text, const std::atomic<bool>* cancel);
    // The sound server's default output.
    std::unique_ptr<AudioSink> (*createSink)();
    // The voice the texts are spoken in, as the engine names it ("gmw/de+grandpa"); empty
    // when the engine cannot start.
    QString (*voiceName)();
};

// --- the engine (voice_espeak.cpp, in the module and in tests) ---

// The sound server's default output through PulseAudio's simple API.
std::unique_ptr<AudioSink> createPulseSink();

// Synthesises the text with espeak-ng into memory. Safe from any thread (calls are serialised,
// espeak-ng holds global state). Nothing when espeak-ng cannot start; cancel, when it becomes
// true, cuts the synthesis short.
std::optional<Synthesis> synthesize(const QString& text, const std::atomic<bool>* cancel = nullptr);

// The espeak-ng voice of the user's language (English when espeak-ng has none), chosen when
// espeak-ng starts.
QString espeakVoiceName();

// espeak-ng and PulseAudio as the voice's engine.
const VoiceEngine& espeakVoice();

// --- the programs' side ---

// The engine from the module qv-voice.so; nothing (said on stderr) when it cannot be opened.
const VoiceEngine* loadVoiceEngine();

// Lives on the worker thread: each say() synthesises and plays one text, then reports said().
class VoiceWorker : public QObject {
    Q_OBJECT
public:
    using SinkFactory = std::function<std::unique_ptr<AudioSink>()>;
    using EngineSource = std::function<const VoiceEngine*()>;
    // sinks: where the samples go, when not the engine's own output; engine: asked for the
    // engine on the worker thread at the first text.
    VoiceWorker(SinkFactory sinks, EngineSource engine);
    // Thread-safe: stops the text being spoken as soon as possible.
    void cancel() { cancelled_ = true; }

public slots:
    void say(quint64 request, const QString& text);

signals:
    // voiced is false when nothing could be played (no sound server, no voice).
    void said(quint64 request, bool voiced);

private:
    const VoiceEngine* engine();

    SinkFactory sinks_;
    EngineSource engineSource_;
    const VoiceEngine* engine_ = nullptr;
    std::atomic<bool> cancelled_{false};
};

} // namespace qv::character
