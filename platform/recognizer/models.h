// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The installed speech models, found by looking at folders only: the launcher lists its
// recognizers without loading the recognizer itself.
#include <QString>
#include <vector>

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

} // namespace qv
