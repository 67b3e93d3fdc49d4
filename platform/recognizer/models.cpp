// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recognizer/models.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

QString defaultSpeechModelRoot() {
    QString fromEnvironment = qEnvironmentVariable("QV_SPEECH_MODELS");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    return QStringLiteral("/usr/share/pocketsphinx/model");
}

std::vector<SpeechModel> findSpeechModels(const QString& root) {
    std::vector<SpeechModel> models;
    const QDir rootDir(root);
    const QStringList languages = rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& language : languages) {
        const QDir languageDir(rootDir.filePath(language));
        const QStringList dictionaries =
            languageDir.entryList({QStringLiteral("*.dict")}, QDir::Files, QDir::Name);
        if (dictionaries.isEmpty()) {
            continue;
        }
        const QString lm = languageDir.filePath(language + QStringLiteral(".lm.bin"));
        const QStringList acoustic =
            languageDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& am : acoustic) {
            const QDir amDir(languageDir.filePath(am));
            if (!amDir.exists(QStringLiteral("mdef"))) {
                continue;
            }
            for (const QString& dict : dictionaries) {
                SpeechModel model;
                model.acousticModel = amDir.path();
                model.dictionary = languageDir.filePath(dict);
                model.languageModel = QFileInfo::exists(lm) ? lm : QString();
                model.description = QStringLiteral("PocketSphinx %1 (acoustic model %2, %3)")
                                        .arg(language, am, dict);
                models.push_back(model);
            }
        }
    }
    return models;
}

} // namespace qv
