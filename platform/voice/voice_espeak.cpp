// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/voice.h"
#include "platform/voice/voicechoice.h"

#include <espeak-ng/speak_lib.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <QCoreApplication>
#include <QLocale>

#include <cstring>
#include <mutex>

namespace qv::character {

namespace {

// espeak-ng keeps one global engine; every use goes through this lock.
std::mutex& espeakLock() {
    static std::mutex lock;
    return lock;
}

int espeakRate = -1; // guarded by espeakLock(); the engine's rate once started
QString chosenVoice; // guarded by espeakLock(); the voice set when the engine started

struct SynthTarget {
    std::vector<std::int16_t>* samples;
    const std::atomic<bool>* cancel;
};

int onSynth(short* wav, int count, espeak_EVENT* events) {
    auto* target = events ? static_cast<SynthTarget*>(events->user_data) : nullptr;
    if (!target) {
        return 0;
    }
    if (wav && count > 0) {
        target->samples->insert(target->samples->end(), wav, wav + count);
    }
    // A non-zero result stops the synthesis.
    return target->cancel && target->cancel->load() ? 1 : 0;
}

// espeak-ng's list of voices; the engine must have started.
std::vector<EspeakVoiceInfo> listVoices() {
    std::vector<EspeakVoiceInfo> voices;
    const espeak_VOICE** all = espeak_ListVoices(nullptr);
    for (; all && *all; ++all) {
        const espeak_VOICE& voice = **all;
        if (!voice.identifier || !voice.languages) {
            continue;
        }
        EspeakVoiceInfo info;
        info.name = QString::fromUtf8(voice.identifier).section(QLatin1Char('/'), -1);
        // A run of entries: a priority byte, then the language's name with its 0; a 0 ends it.
        for (const char* entry = voice.languages; *entry; entry += std::strlen(entry + 1) + 2) {
            info.languages.push_back(
                {QString::fromUtf8(entry + 1).toLower(), int(static_cast<unsigned char>(*entry))});
        }
        voices.push_back(std::move(info));
    }
    return voices;
}

// An old man's voice suits the wizard; the plain voice when that variant is not installed.
bool setWizardVoice(const QString& voice) {
    return espeak_SetVoiceByName((voice + QStringLiteral("+grandpa")).toUtf8().constData()) ==
               EE_OK ||
           espeak_SetVoiceByName(voice.toUtf8().constData()) == EE_OK;
}

bool startEspeak() {
    if (espeakRate > 0) {
        return true;
    }
    if (espeakRate == 0) {
        return false; // failed before; do not retry on every text
    }
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 500, nullptr, 0);
    if (rate <= 0) {
        espeakRate = 0;
        return false;
    }
    espeak_SetSynthCallback(onSynth);
    // The installed catalogue names its own language; without one the texts are English.
    const QString textsLanguage = QCoreApplication::translate(
        "Voice", "en", "The language code of this catalogue (de, fr, es): the character's voice");
    const QString language = espeakVoiceFor(
        languagesOfTexts(QLocale::system().uiLanguages(), textsLanguage), listVoices());
    if (!setWizardVoice(language)) {
        setWizardVoice(QString::fromLatin1(englishVoice));
    }
    const espeak_VOICE* current = espeak_GetCurrentVoice();
    chosenVoice =
        current && current->identifier ? QString::fromUtf8(current->identifier) : QString();
    espeak_SetParameter(espeakRATE, 165, 0);
    espeak_SetParameter(espeakPITCH, 42, 0);
    espeakRate = rate;
    return true;
}

class PulseSink final : public AudioSink {
public:
    ~PulseSink() override {
        if (stream_) {
            pa_simple_free(stream_);
        }
    }
    bool open(int sampleRate) override {
        pa_sample_spec sampleFormat{};
        sampleFormat.format = PA_SAMPLE_S16NE;
        sampleFormat.rate = static_cast<std::uint32_t>(sampleRate);
        sampleFormat.channels = 1;
        int error = 0;
        stream_ = pa_simple_new(nullptr, "Quorvel", PA_STREAM_PLAYBACK, nullptr, "Merlin",
                                &sampleFormat, nullptr, nullptr, &error);
        return stream_ != nullptr;
    }
    bool write(const std::int16_t* samples, std::size_t count) override {
        int error = 0;
        return stream_ &&
               pa_simple_write(stream_, samples, count * sizeof(std::int16_t), &error) >= 0;
    }
    void drain() override {
        int error = 0;
        if (stream_) {
            pa_simple_drain(stream_, &error);
        }
    }

private:
    pa_simple* stream_ = nullptr;
};

} // namespace

std::unique_ptr<AudioSink> createPulseSink() {
    return std::make_unique<PulseSink>();
}

int espeakSampleRate() {
    std::lock_guard guard(espeakLock());
    return startEspeak() ? espeakRate : 0;
}

std::optional<Synthesis> synthesize(const QString& text, const std::atomic<bool>* cancel) {
    std::lock_guard guard(espeakLock());
    if (!startEspeak()) {
        return std::nullopt;
    }
    Synthesis result;
    result.sampleRate = espeakRate;
    SynthTarget target{&result.samples, cancel};
    const QByteArray utf8 = text.toUtf8();
    const espeak_ERROR status =
        espeak_Synth(utf8.constData(), static_cast<std::size_t>(utf8.size()) + 1, 0, POS_CHARACTER,
                     0, espeakCHARS_UTF8, nullptr, &target);
    if (status != EE_OK) {
        return std::nullopt;
    }
    return result;
}

QString espeakVoiceName() {
    std::lock_guard guard(espeakLock());
    return startEspeak() ? chosenVoice : QString();
}

const VoiceEngine& espeakVoice() {
    static const VoiceEngine engine{&espeakSampleRate, &synthesize, &createPulseSink,
                                    &espeakVoiceName};
    return engine;
}

} // namespace qv::character
