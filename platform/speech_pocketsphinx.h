#pragma once
// The PocketSphinx speech service: its recognizers are the installed acoustic models with their
// dictionaries; its audio comes from PulseAudio or, for tests, from WAV files.
#include "platform/speech.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace qv {

// One installed acoustic model with its pronunciation dictionary.
struct SpeechModel {
    QString description;   // readable name shown to the user
    QString acousticModel; // folder holding mdef, means, variances, ...
    QString dictionary;    // pronunciation dictionary (.dict)
    QString languageModel; // general language model of the same language, may be empty
};

// The installed models under root (one folder per language, holding acoustic model folders and
// dictionaries), in a fixed order: by language folder, then by acoustic model folder.
std::vector<SpeechModel> findSpeechModels(const QString& root);

// Where the models are looked up: QV_SPEECH_MODELS when set, else the Debian folder.
QString defaultSpeechModelRoot();

struct SpeechServiceOptions {
    QString modelRoot = defaultSpeechModelRoot();
};

std::unique_ptr<SpeechService> createPocketSphinxService(const SpeechServiceOptions& options);

} // namespace qv
