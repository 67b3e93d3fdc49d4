// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/speech/speech_corpus.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

namespace qvspeech {

QStringList commandPhrases() {
    QStringList out;
    for (const char* number :
         {"one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"}) {
        out << QStringLiteral("button ") + QLatin1String(number);
    }
    return out;
}

QStringList otherPhrases() {
    return {
        QStringLiteral("good morning everyone"),
        QStringLiteral("open the window please"),
        QStringLiteral("what time is it"),
        QStringLiteral("hello computer"),
        QStringLiteral("turn the music off"),
        QStringLiteral("where is my pencil"),
        QStringLiteral("can I go outside"),
        QStringLiteral("the cat sat on the mat"),
        QStringLiteral("please close the door"),
        QStringLiteral("I like pizza"),
        QStringLiteral("start the program"),
        QStringLiteral("press the button"),
        QStringLiteral("button"),
        QStringLiteral("button eleven"),
        QStringLiteral("button zero"),
        QStringLiteral("seven"),
        QStringLiteral("one two three"),
        QStringLiteral("next page please"),
        QStringLiteral("stop listening"),
        QStringLiteral("thank you very much"),
        QStringLiteral("let us play a game"),
        QStringLiteral("open my documents"),
        QStringLiteral("show me the pictures"),
        QStringLiteral("is it lunch time yet"),
        QStringLiteral("can you help me"),
        QStringLiteral("my computer is broken"),
        QStringLiteral("where are my headphones"),
        QStringLiteral("it is my turn"),
        QStringLiteral("print my work"),
        QStringLiteral("button please"),
        QStringLiteral("the buttons are big"),
        QStringLiteral("one more time"),
        QStringLiteral("five minutes left"),
        QStringLiteral("ten green bottles"),
        QStringLiteral("turn it up"),
        QStringLiteral("I am finished"),
        QStringLiteral("log me out"),
        QStringLiteral("what is the password"),
        QStringLiteral("bottom two"),
        QStringLiteral("mutton pie"),
    };
}

QStringList heldOutOtherPhrases() {
    // As the tuned list: mostly chatter, about a third made of the commands' words or words
    // that sound like them. None is in the tuned list.
    return {
        QStringLiteral("the dog is barking"),
        QStringLiteral("I need the toilet"),
        QStringLiteral("my mouse does not work"),
        QStringLiteral("where is the teacher"),
        QStringLiteral("can we go home now"),
        QStringLiteral("I forgot my password"),
        QStringLiteral("it is raining again"),
        QStringLiteral("who took my rubber"),
        QStringLiteral("look at this drawing"),
        QStringLiteral("the screen is black"),
        QStringLiteral("I want to play football"),
        QStringLiteral("sit down please"),
        QStringLiteral("that is not fair"),
        QStringLiteral("my sister has a cat"),
        QStringLiteral("we are going swimming"),
        QStringLiteral("how do you spell elephant"),
        QStringLiteral("save it first"),
        QStringLiteral("the sound is too loud"),
        QStringLiteral("I can not find it"),
        QStringLiteral("good afternoon miss"),
        QStringLiteral("yes please"),
        QStringLiteral("no thank you"),
        QStringLiteral("be quiet"),
        QStringLiteral("open the game"),
        QStringLiteral("the red button"),
        QStringLiteral("button up your coat"),
        QStringLiteral("bottom one"),
        QStringLiteral("the bottom three"),
        QStringLiteral("at the bottom"),
        QStringLiteral("I am eight"),
        QStringLiteral("I am nine now"),
        QStringLiteral("ten past two"),
        QStringLiteral("number four please"),
        QStringLiteral("it is one o clock"),
        QStringLiteral("we won"),
        QStringLiteral("a cotton shirt"),
        QStringLiteral("button button"),
        QStringLiteral("six and seven"),
        QStringLiteral("put on your mittens"),
        QStringLiteral("Ben is ten"),
    };
}

namespace {

Voice espeak(const QString& id, const QStringList& arguments) {
    return {id, QStringLiteral("espeak-ng"), arguments};
}
Voice flite(const QString& voice) {
    return {
        QStringLiteral("f-") + voice, QStringLiteral("flite"), {QStringLiteral("-voice"), voice}};
}

bool run(const QString& program, const QStringList& arguments, QString* error) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (error) {
            *error = QStringLiteral("%1 %2 failed: %3")
                         .arg(program, arguments.join(u' '),
                              QString::fromLocal8Bit(process.readAllStandardError()) +
                                  process.errorString());
        }
        return false;
    }
    return true;
}

} // namespace

std::vector<Voice> commandVoices() {
    return {
        espeak(QStringLiteral("e1"), {"-v", "en-us", "-s", "160"}),
        espeak(QStringLiteral("e2"), {"-v", "en-us+f3", "-s", "150", "-p", "60"}),
        espeak(QStringLiteral("e3"), {"-v", "en-gb", "-s", "130"}),
        espeak(QStringLiteral("e4"), {"-v", "en-us+m3", "-s", "190", "-p", "35"}),
        espeak(QStringLiteral("e5"), {"-v", "en-gb-x-rp+f2", "-s", "170", "-p", "70"}),
        espeak(QStringLiteral("e6"), {"-v", "en-gb-scotland", "-s", "150"}),
        espeak(QStringLiteral("e7"), {"-v", "en-gb-x-gbclan", "-s", "145", "-p", "55"}),
        espeak(QStringLiteral("e8"), {"-v", "en-us+f4", "-s", "175", "-p", "45"}),
        espeak(QStringLiteral("e9"), {"-v", "en-gb-x-gbcwmd", "-s", "160", "-p", "40"}),
        flite(QStringLiteral("kal")),
        flite(QStringLiteral("kal16")),
        flite(QStringLiteral("awb")),
        flite(QStringLiteral("rms")),
        flite(QStringLiteral("slt")),
    };
}

std::vector<Voice> heldOutVoices() {
    return {
        espeak(QStringLiteral("h1"), {"-v", "en-gb-x-gbcwmd", "-s", "140", "-p", "60"}),
        espeak(QStringLiteral("h2"), {"-v", "en-gb-x-gbcwmd+m2", "-s", "175", "-p", "50"}),
        espeak(QStringLiteral("h3"), {"-v", "en-gb-scotland", "-s", "170", "-p", "30"}),
        espeak(QStringLiteral("h4"), {"-v", "en-gb-scotland+f2", "-s", "140", "-p", "65"}),
        espeak(QStringLiteral("h5"), {"-v", "en-gb-x-gbclan", "-s", "170", "-p", "45"}),
        espeak(QStringLiteral("h6"), {"-v", "en-gb-x-rp", "-s", "150", "-p", "50"}),
        espeak(QStringLiteral("h7"), {"-v", "en-us+m1", "-s", "150", "-p", "45"}),
        espeak(QStringLiteral("h8"), {"-v", "en-gb+f4", "-s", "165", "-p", "55"}),
        espeak(QStringLiteral("h9"), {"-v", "en-029", "-s", "150"}),
        espeak(QStringLiteral("h10"), {"-v", "en-gb-x-gbclan+m4", "-s", "130", "-p", "35"}),
    };
}

std::vector<Voice> otherVoices() {
    const std::vector<Voice> all = commandVoices();
    return {all[0], all[2], all[7], all[11], all[13]};
}

std::vector<Voice> heldOutOtherVoices() {
    const std::vector<Voice> all = heldOutVoices();
    return {all[0], all[2], all[4], all[6], all[8]};
}

QString corpusDir() {
    const QString build = qEnvironmentVariable("QV_BUILD_DIR");
    const QString base = build.isEmpty() ? QCoreApplication::applicationDirPath() : build;
    return QDir(base).filePath(QStringLiteral("speech-corpus"));
}

QString toolVersion(const QString& program) {
    static QHash<QString, QString> known;
    if (!known.contains(program)) {
        QProcess process;
        process.start(program, {QStringLiteral("--version")});
        process.waitForFinished(10000);
        const QByteArray out = process.readAllStandardOutput() + process.readAllStandardError();
        known.insert(program, QString::fromLocal8Bit(out).simplified());
    }
    return known.value(program);
}

QString partName(const QString& file) {
    return file + QStringLiteral(".part%1.wav").arg(QCoreApplication::applicationPid());
}

bool publish(const QString& part, const QString& file) {
    if (QFile::rename(part, file)) {
        return true;
    }
    QFile::remove(part);
    return QFileInfo::exists(file);
}

QString cacheKey(const QStringList& recipe) {
    return QString::fromLatin1(
        QCryptographicHash::hash(recipe.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12));
}

bool synthesize(const QStringList& phrases, const std::vector<Voice>& voices, const QString& kind,
                std::vector<Utterance>* out, QString* error) {
    QTemporaryDir scratch;
    for (const Voice& voice : voices) {
        // Keyed by the voice, its program's version and the sox steps below.
        const QString key =
            cacheKey(QStringList{QStringLiteral("sox-trim-v1"), voice.program,
                                 toolVersion(voice.program), toolVersion(QStringLiteral("sox"))} +
                     voice.arguments);
        const QString folder = QDir(corpusDir()).filePath(kind + u'/' + voice.id + u'-' + key);
        QDir().mkpath(folder);
        for (const QString& phrase : phrases) {
            QString name = phrase;
            name.replace(u' ', u'_');
            const QString wav = QDir(folder).filePath(name + QStringLiteral(".wav"));
            if (!QFileInfo::exists(wav)) {
                const QString raw = scratch.filePath(QStringLiteral("raw.wav"));
                QStringList arguments = voice.arguments;
                if (voice.program == QLatin1String("flite")) {
                    arguments << QStringLiteral("-t") << phrase << QStringLiteral("-o") << raw;
                } else {
                    arguments << QStringLiteral("-w") << raw << phrase;
                }
                // Resampled to the model's rate; silence trimmed at both ends so that the end
                // of the file is the end of the speech. Repeatable (-R): sox seeds its dither
                // afresh on each run otherwise, and the rates would move between runs.
                const QString part = partName(wav);
                if (!run(voice.program, arguments, error) ||
                    !run(QStringLiteral("sox"),
                         {"-R", raw, "-r", "16000", "-c", "1", "-b", "16", part, "silence", "1",
                          "0.02", "0.5%", "reverse", "silence", "1", "0.02", "0.5%", "reverse"},
                         error) ||
                    !publish(part, wav)) {
                    QFile::remove(part);
                    return false;
                }
            }
            out->push_back({phrase, voice.id, wav});
        }
    }
    return true;
}

bool synthesizeCorpus(std::vector<Utterance>* commands, std::vector<Utterance>* others,
                      QString* error, bool heldOut) {
    if (heldOut) {
        return synthesize(commandPhrases(), heldOutVoices(), QStringLiteral("held"), commands,
                          error) &&
               synthesize(heldOutOtherPhrases(), heldOutOtherVoices(), QStringLiteral("held-other"),
                          others, error);
    }
    return synthesize(commandPhrases(), commandVoices(), QStringLiteral("cmd"), commands, error) &&
           synthesize(otherPhrases(), otherVoices(), QStringLiteral("other"), others, error);
}

} // namespace qvspeech
