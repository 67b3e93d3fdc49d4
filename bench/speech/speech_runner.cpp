// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/speech/speech_runner.h"
#include "platform/recognizer/grammarfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace qvspeech {

QString grammarFile() {
    return QStringLiteral(QV_SOURCE_DIR "/data/ordergrammar.xml");
}

bool recognizeAll(const std::vector<Utterance>& utterances, qv::SpeechServiceOptions options,
                  std::vector<Outcome>* outcomes, QString* error, int trailingSilenceMs,
                  TalkKey talkKey, const PressWindow& pressed) {
    qv::WavFileInput* wav = nullptr;
    // Words going on at the release are heard for up to 0.3 s after it: so much must follow.
    const int silenceMs =
        talkKey == TalkKey::EachFile ? std::max(trailingSilenceMs, 400) : trailingSilenceMs;
    options.audioInput = [&wav, silenceMs] {
        auto input = std::make_unique<qv::WavFileInput>();
        input->trailingSilenceMs = silenceMs;
        wav = input.get();
        return input;
    };
    std::mutex reportsMutex;
    std::vector<qv::UtteranceReport> reports;
    auto outerReport = options.report;
    options.report = [&](const qv::UtteranceReport& report) {
        std::lock_guard lock(reportsMutex);
        reports.push_back(report);
        if (outerReport) {
            outerReport(report);
        }
    };
    auto service = qv::createPocketSphinxService(options);
    qv::SpeechError speechError;
    auto context = service->createContext(0, &speechError);
    if (context && talkKey != TalkKey::NotUsed) {
        context->setGated(true);
    }
    if (!context || !context->loadGrammar(grammarFile(), &speechError) ||
        !context->setRulesActive(true, &speechError)) {
        *error = QStringLiteral("%1: %2").arg(speechError.number).arg(speechError.description);
        return false;
    }
    if (talkKey == TalkKey::EachFile) {
        wav->onBlock = [&context, &pressed](size_t at, size_t fileSamples) {
            const auto [first, last] =
                pressed ? pressed(fileSamples) : std::pair<size_t, size_t>{0, fileSamples};
            context->setGated(at < first || at >= last);
        };
    }
    Outcome* current = nullptr;
    QObject::connect(context.get(), &qv::RecognitionContext::Recognition,
                     [&current](const QString& text) { current->recognitions << text; });
    QObject::connect(context.get(), &qv::RecognitionContext::FalseRecognition,
                     [&current](const QString& text) { current->falseRecognitions << text; });
    for (const Utterance& utterance : utterances) {
        outcomes->push_back({utterance, {}, {}, {}});
        current = &outcomes->back();
        QString message;
        if (!wav->enqueue(utterance.wav, &message)) {
            *error = message;
            return false;
        }
        // Decoded once the input waits on its empty queue; then deliver the queued events.
        while (!wav->drained()) {
            QThread::usleep(200);
        }
        QCoreApplication::processEvents();
        std::lock_guard lock(reportsMutex);
        current->reports = std::move(reports);
        reports.clear();
    }
    context->setRulesActive(false, nullptr);
    QCoreApplication::processEvents();
    return true;
}

Rates rates(const std::vector<Outcome>& commands, const std::vector<Outcome>& others) {
    Rates r;
    for (const Outcome& outcome : commands) {
        ++r.commands;
        r.correct += outcome.correct() ? 1 : 0;
        r.wrong += outcome.wrongLaunch() ? 1 : 0;
    }
    for (const Outcome& outcome : others) {
        ++r.others;
        r.rejected += outcome.rejected() ? 1 : 0;
    }
    return r;
}

bool ModelAlone::start(QString* error) {
    const std::vector<qv::SpeechModel> models = qv::findSpeechModels(qv::defaultSpeechModelRoot());
    qv::CommandGrammar grammar;
    qv::SpeechError speechError;
    if (models.empty() || !qv::readCommandGrammarFile(grammarFile(), &grammar, error)) {
        *error = QStringLiteral("no recognizer or grammar");
        return false;
    }
    qv::RecognizerOptions plain;
    plain.pronunciations.clear();
    plain.garbageWords = 0;
    plain.judge.minFramesPerPhone = 0;
    plain.redecodeMeanShift = 0;
    plain.decoderArguments.clear();
    if (!decoder_.build(models[0], plain, &speechError) ||
        !decoder_.setGrammar(grammar, &speechError)) {
        *error = speechError.description;
        return false;
    }
    for (const QString& phrase : qv::commandGrammarPhrases(grammar)) {
        spelling_.insert(phrase.toLower(), phrase);
    }
    return true;
}

QString ModelAlone::heard(const QString& wav) {
    std::vector<qint16> samples;
    QString error;
    if (!qv::readWav16kMono(wav, &samples, &error)) {
        return {};
    }
    const QString text = decoder_.decodeWhole(samples);
    return spelling_.value(text, text);
}

int ModelAlone::right(const std::vector<Utterance>& commands, QStringList* heardList) {
    int count = 0;
    for (const Utterance& u : commands) {
        const QString text = heard(u.wav);
        count += text == u.text ? 1 : 0;
        if (heardList) {
            heardList->append(text);
        }
    }
    return count;
}

} // namespace qvspeech
