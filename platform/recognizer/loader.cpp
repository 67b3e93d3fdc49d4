// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's speech service: lists the installed recognizers from their folders, and opens
// the recognizer's module only when a recognizer is first used.
#include "platform/recognizer/loader.h"

#include "platform/modules/module.h"
#include "platform/recognizer/models.h"

#include <cstdio>
#include <optional>

namespace qv {

namespace {

class LazySpeechService final : public SpeechService {
public:
    QStringList recognizers() override {
        if (engine_) {
            return engine_->recognizers();
        }
        if (failed_) {
            return {};
        }
        QStringList names;
        for (const SpeechModel& model : findSpeechModels(defaultSpeechModelRoot())) {
            names << model.description;
        }
        return names;
    }

    QStringList audioInputs() override { return load() ? engine_->audioInputs() : QStringList(); }

    std::unique_ptr<RecognitionContext> createContext(int recognizer, SpeechError* error) override {
        if (!load()) {
            if (error) {
                *error = {SpeechRecognizerBuild, problem_};
            }
            return nullptr;
        }
        return engine_->createContext(recognizer, error);
    }

    void setVoiceWarp(double warp) override {
        warp_ = warp;
        if (engine_) {
            engine_->setVoiceWarp(warp);
        }
    }

private:
    bool load() {
        if (engine_ || failed_) {
            return engine_ != nullptr;
        }
        using Entry = SpeechService* (*)();
        const auto entry = reinterpret_cast<Entry>(
            moduleEntry(QStringLiteral("qv-speech"), "qv_speech_service", &problem_));
        engine_.reset(entry ? entry() : nullptr);
        if (!engine_) {
            failed_ = true;
            problem_ = QStringLiteral("The speech recognizer cannot be loaded: %1").arg(problem_);
            std::fprintf(stderr, "%s\n", qPrintable(problem_));
            return false;
        }
        if (warp_) {
            engine_->setVoiceWarp(*warp_);
        }
        return true;
    }

    std::unique_ptr<SpeechService> engine_;
    bool failed_ = false;
    QString problem_;
    std::optional<double> warp_;
};

} // namespace

std::unique_ptr<SpeechService> createSpeechService() {
    return std::make_unique<LazySpeechService>();
}

} // namespace qv
