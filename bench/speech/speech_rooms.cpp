// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/speech/speech_rooms.h"

#include "platform/recognizer/pocketsphinx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace qvspeech {

namespace {

constexpr size_t kRate = qv::speechSampleRate;

// Six children talking at once: raised espeak-ng voices, none of them a command voice.
std::vector<Voice> babbleVoices() {
    auto v = [](const char* id, QStringList arguments) {
        return Voice{QString::fromLatin1(id), QStringLiteral("espeak-ng"), std::move(arguments)};
    };
    return {
        v("b1", {"-v", "en-us+f2", "-s", "170", "-p", "85"}),
        v("b2", {"-v", "en-gb+m2", "-s", "180", "-p", "80"}),
        v("b3", {"-v", "en-gb-x-rp+f5", "-s", "160", "-p", "90"}),
        v("b4", {"-v", "en-us+m4", "-s", "190", "-p", "75"}),
        v("b5", {"-v", "en-gb-scotland+f3", "-s", "165", "-p", "88"}),
        v("b6", {"-v", "en-029+m1", "-s", "175", "-p", "82"}),
    };
}

double rms(const std::vector<qint16>& s, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count; ++i) {
        sum += double(s[i % s.size()]) * s[i % s.size()];
    }
    return count ? std::sqrt(sum / double(count)) : 0;
}

qint16 clamp16(double x) {
    return qint16(std::clamp(std::lround(x), -32768L, 32767L));
}

// Each babble voice says the other phrases one after another; the six streams are summed, each
// starting at another phrase, so that several voices overlap at every moment.
bool makeBabble(const QString& file, QString* error) {
    std::vector<std::vector<qint16>> streams;
    size_t longest = 0;
    for (const Voice& voice : babbleVoices()) {
        std::vector<Utterance> phrases;
        if (!synthesize(otherPhrases(), {voice}, QStringLiteral("babble"), &phrases, error)) {
            return false;
        }
        std::vector<qint16> stream;
        const size_t shift = streams.size() * 5;
        for (size_t i = 0; i < phrases.size(); ++i) {
            std::vector<qint16> samples;
            if (!qv::readWav16kMono(phrases[(i + shift) % phrases.size()].wav, &samples, error)) {
                return false;
            }
            stream.insert(stream.end(), samples.begin(), samples.end());
            stream.insert(stream.end(), kRate / 8, 0); // a breath between phrases
        }
        longest = std::max(longest, stream.size());
        streams.push_back(std::move(stream));
    }
    std::vector<double> sum(longest, 0.0);
    for (const auto& stream : streams) {
        for (size_t i = 0; i < longest; ++i) {
            sum[i] += stream[i % stream.size()];
        }
    }
    double peak = 1.0;
    for (const double x : sum) {
        peak = std::max(peak, std::abs(x));
    }
    std::vector<qint16> out(longest);
    for (size_t i = 0; i < longest; ++i) {
        out[i] = clamp16(sum[i] * 16000.0 / peak);
    }
    return writeWav16kMono(file, out);
}

bool makePink(const QString& file, QString* error) {
    QProcess sox;
    sox.start(QStringLiteral("sox"), {"-R", "-n", "-r", "16000", "-c", "1", "-b", "16", file,
                                      "synth", "60", "pinknoise", "vol", "0.3"});
    if (!sox.waitForFinished(60000) || sox.exitCode() != 0) {
        *error =
            QStringLiteral("sox pink noise: ") + QString::fromLocal8Bit(sox.readAllStandardError());
        return false;
    }
    return true;
}

// The room's sound, made once for every condition that needs it; *key names how it was made.
bool roomTrack(Condition::Room room, std::vector<qint16>* samples, QString* key, QString* error) {
    QStringList recipe{QStringLiteral("room-v2"), QString::number(int(room)),
                       toolVersion(QStringLiteral("sox"))};
    if (room == Condition::Room::Babble) {
        recipe << toolVersion(QStringLiteral("espeak-ng")) << otherPhrases();
        for (const Voice& voice : babbleVoices()) {
            recipe << voice.arguments;
        }
    }
    *key = cacheKey(recipe);
    const QString file = QDir(corpusDir()).filePath(QStringLiteral("room-%1.wav").arg(*key));
    if (!QFileInfo::exists(file)) {
        QDir().mkpath(corpusDir());
        const QString part = partName(file);
        const bool made =
            room == Condition::Room::Babble ? makeBabble(part, error) : makePink(part, error);
        if (!made || !publish(part, file)) {
            QFile::remove(part);
            return false;
        }
    }
    return qv::readWav16kMono(file, samples, error);
}

} // namespace

std::vector<Condition> roomConditions() {
    using Room = Condition::Room;
    std::vector<Condition> out;
    out.push_back({QStringLiteral("clean"), {}, Room::Quiet, 0, 0, false});
    out.push_back({QStringLiteral("babble-20dB"), {}, Room::Babble, 20, 0, false});
    out.push_back({QStringLiteral("babble-20dB-never-stops"), {}, Room::Babble, 20, 0, true});
    out.push_back({QStringLiteral("pink-20dB"), {}, Room::Pink, 20, 0, true});
    out.push_back({QStringLiteral("pink-10dB"), {}, Room::Pink, 10, 0, true});
    out.push_back({QStringLiteral("clipped"), {}, Room::Quiet, 0, 4, false});
    out.push_back(
        {QStringLiteral("raised-4-semitones"), {"pitch", "400"}, Room::Quiet, 0, 0, false});
    out.push_back({QStringLiteral("slow"), {"tempo", "0.75"}, Room::Quiet, 0, 0, false});
    out.push_back({QStringLiteral("fast"), {"tempo", "1.3"}, Room::Quiet, 0, 0, false});
    return out;
}

bool underCondition(const Condition& condition, const std::vector<Utterance>& clean,
                    std::vector<Utterance>* out, QString* error) {
    if (condition.soxEffects.isEmpty() && condition.room == Condition::Room::Quiet &&
        condition.clipPeak == 0) {
        *out = clean;
        return true;
    }
    std::vector<qint16> room;
    QString roomKey;
    if (condition.room != Condition::Room::Quiet &&
        !roomTrack(condition.room, &room, &roomKey, error)) {
        return false;
    }
    // The files under a condition are made from the room's sound: a new room makes them anew.
    const QStringList recipe{
        QStringLiteral("condition-v2"),       roomKey,
        toolVersion(QStringLiteral("sox")),   condition.soxEffects.join(u' '),
        QString::number(int(condition.room)), QString::number(condition.snrDb),
        QString::number(condition.clipPeak),  QString::number(condition.continuous)};
    const QString folder = QDir(corpusDir()).filePath(condition.id + u'-' + cacheKey(recipe));
    QDir().mkpath(folder);
    QTemporaryDir scratch;
    for (const Utterance& u : clean) {
        const QString name = QFileInfo(u.wav).dir().dirName() + u'-' + QFileInfo(u.wav).fileName();
        const QString wav = QDir(folder).filePath(name);
        out->push_back({u.text, u.voice, wav});
        if (QFileInfo::exists(wav)) {
            continue;
        }
        QString source = u.wav;
        if (!condition.soxEffects.isEmpty()) {
            source = scratch.filePath(QStringLiteral("effect.wav"));
            QProcess sox;
            sox.start(QStringLiteral("sox"),
                      QStringList{"-R", u.wav, source} + condition.soxEffects);
            if (!sox.waitForFinished(60000) || sox.exitCode() != 0) {
                *error = QStringLiteral("sox %1: %2")
                             .arg(condition.soxEffects.join(u' '),
                                  QString::fromLocal8Bit(sox.readAllStandardError()));
                return false;
            }
        }
        std::vector<qint16> speech;
        if (!qv::readWav16kMono(source, &speech, error) || speech.empty()) {
            return false;
        }
        std::vector<qint16> mixed;
        if (condition.clipPeak > 0) {
            const int peak = std::max<int>(
                1, std::abs(*std::max_element(speech.begin(), speech.end(), [](qint16 a, qint16 b) {
                    return std::abs(int(a)) < std::abs(int(b));
                })));
            const double gain = condition.clipPeak * 32767.0 / peak;
            for (qint16 s : speech) {
                mixed.push_back(clamp16(s * gain));
            }
        } else if (!room.empty()) {
            // Each utterance meets its own stretch of the room, found from its name alone: the
            // same file whatever else was made before it or is made with it.
            const size_t roomAt = size_t(cacheKey({name}).left(8).toULongLong(nullptr, 16));
            const size_t lead = size_t(condition.roomBeforeMs()) * kRate / 1000;
            const size_t trail = size_t(condition.roomAfterMs()) * kRate / 1000;
            const size_t total = lead + speech.size() + trail;
            const double gain =
                rms(speech, 0, speech.size()) /
                (std::max(1.0, rms(room, roomAt, total)) * std::pow(10.0, condition.snrDb / 20.0));
            for (size_t i = 0; i < total; ++i) {
                const double voice =
                    i >= lead && i < lead + speech.size() ? double(speech[i - lead]) : 0.0;
                mixed.push_back(clamp16(voice + gain * room[(roomAt + i) % room.size()]));
            }
        } else {
            mixed = std::move(speech);
        }
        if (!writeWav16kMono(partName(wav), mixed) || !publish(partName(wav), wav)) {
            *error = QStringLiteral("cannot write %1").arg(wav);
            return false;
        }
    }
    return true;
}

bool writeWav16kMono(const QString& file, const std::vector<qint16>& samples) {
    auto u32 = [](quint32 v) {
        const char b[4] = {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff),
                           char(v >> 24 & 0xff)};
        return QByteArray(b, 4);
    };
    auto u16 = [](quint16 v) {
        const char b[2] = {char(v & 0xff), char(v >> 8 & 0xff)};
        return QByteArray(b, 2);
    };
    const auto dataBytes = quint32(samples.size() * sizeof(qint16));
    QByteArray bytes = "RIFF" + u32(36 + dataBytes) + "WAVEfmt " + u32(16) + u16(1) + u16(1) +
                       u32(kRate) + u32(kRate * 2) + u16(2) + u16(16) + "data" + u32(dataBytes);
    for (qint16 s : samples) {
        bytes += u16(quint16(s));
    }
    QFile out(file);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
}

} // namespace qvspeech
