#include "platform/speech_pocketsphinx.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

QString defaultSpeechModelRoot() {
    const QString fromEnvironment = qEnvironmentVariable("QV_SPEECH_MODELS");
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

namespace {

class PocketSphinxService final : public SpeechService {
public:
    explicit PocketSphinxService(const SpeechServiceOptions& options)
        : models_(findSpeechModels(options.modelRoot)) {}
    QStringList recognizers() override {
        QStringList names;
        for (const SpeechModel& model : models_) {
            names << model.description;
        }
        return names;
    }
    QStringList audioInputs() override { return {QStringLiteral("Default capture device")}; }
    std::unique_ptr<RecognitionContext> createContext(int recognizer, SpeechError* error) override {
        if (error) {
            *error = {1, recognizer < 0 || recognizer >= int(models_.size())
                             ? QStringLiteral("No recognizer at that position")
                             : QStringLiteral("The recognizer could not be built")};
        }
        return nullptr;
    }

private:
    std::vector<SpeechModel> models_;
};

} // namespace

std::unique_ptr<SpeechService> createPocketSphinxService(const SpeechServiceOptions& options) {
    return std::make_unique<PocketSphinxService>(options);
}

std::unique_ptr<SpeechService> createSpeechService() {
    return createPocketSphinxService(SpeechServiceOptions{});
}

} // namespace qv
