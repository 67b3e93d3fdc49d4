// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character's voice: text to samples through espeak-ng, samples to the sound server through
// PulseAudio. Both run on the voice's own worker thread, so the launcher never waits for them.
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

// The sound server's default output through PulseAudio's simple API.
std::unique_ptr<AudioSink> createPulseSink();

struct Synthesis {
    std::vector<std::int16_t> samples;
    int sampleRate = 0;
};

// Synthesises the text with espeak-ng into memory. Safe from any thread (calls are serialised,
// espeak-ng holds global state). Nothing when espeak-ng cannot start; cancel, when it becomes
// true, cuts the synthesis short.
std::optional<Synthesis> synthesize(const QString& text, const std::atomic<bool>* cancel = nullptr);

// Lives on the worker thread: each say() synthesises and plays one text, then reports said().
class VoiceWorker : public QObject {
    Q_OBJECT
public:
    using SinkFactory = std::function<std::unique_ptr<AudioSink>()>;
    explicit VoiceWorker(SinkFactory sinks);
    // Thread-safe: stops the text being spoken as soon as possible.
    void cancel() { cancelled_ = true; }

public slots:
    void say(quint64 request, const QString& text);

signals:
    // voiced is false when nothing could be played (no sound server, no voice).
    void said(quint64 request, bool voiced);

private:
    SinkFactory sinks_;
    std::atomic<bool> cancelled_{false};
};

} // namespace qv::character
