// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/voice.h"

#include "platform/modules/module.h"

#include <cstdio>

namespace qv::character {

const VoiceEngine* loadVoiceEngine() {
    using Entry = const VoiceEngine* (*)();
    QString problem;
    const auto entry = reinterpret_cast<Entry>(
        moduleEntry(QStringLiteral("qv-voice"), "qv_voice_engine", &problem));
    if (!entry) {
        std::fprintf(stderr, "The character's voice cannot be loaded: %s\n", qPrintable(problem));
        return nullptr;
    }
    return entry();
}

VoiceWorker::VoiceWorker(SinkFactory sinks, EngineSource engine)
    : sinks_(std::move(sinks)), engineSource_(std::move(engine)) {}

const VoiceEngine* VoiceWorker::engine() {
    // Asked once: a voice that cannot be loaded is not looked for again at every text.
    if (engineSource_) {
        engine_ = engineSource_();
        engineSource_ = nullptr;
    }
    return engine_;
}

void VoiceWorker::say(quint64 request, const QString& text) {
    if (cancelled_) {
        emit said(request, false);
        return;
    }
    const VoiceEngine* voice = engine();
    if (!voice) {
        emit said(request, false);
        return;
    }
    std::unique_ptr<AudioSink> sink = sinks_ ? sinks_() : voice->createSink();
    const int rate = voice->sampleRate();
    // Without a sound server there is nothing to synthesise for.
    if (!sink || rate <= 0 || !sink->open(rate)) {
        emit said(request, false);
        return;
    }
    const auto speech = voice->synthesize(text, &cancelled_);
    if (!speech || speech->samples.empty()) {
        emit said(request, false);
        return;
    }
    // Small blocks so that a cancel (the program ending) is heard at once.
    constexpr std::size_t block = 2048;
    bool ok = true;
    for (std::size_t at = 0; ok && at < speech->samples.size() && !cancelled_; at += block) {
        const std::size_t count = std::min(block, speech->samples.size() - at);
        ok = sink->write(speech->samples.data() + at, count);
    }
    if (ok && !cancelled_) {
        sink->drain();
    }
    emit said(request, ok);
}

} // namespace qv::character
