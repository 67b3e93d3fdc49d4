// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recognizer/modelcheck.h"

#include "platform/files/regularfile.h"

#include "speech/gaussians.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSet>
#include <QtEndian>

#include <cstring>

namespace qv {

namespace {

// Larger than the files of any model this machine's package holds (the largest, the dictionary,
// is a few megabytes), small enough to read whole.
constexpr qint64 kModelFileLimit = qint64{256} * 1024 * 1024;

// The reasons are shown to the pupil inside the speech error; they are translated in the context
// of the error's own texts ("SpeechModel"), which a bare tr() here would not name.
bool refuse(QString* problem, const QString& why) {
    if (problem) {
        *problem = why;
    }
    return false;
}

// A reason marked with QT_TRANSLATE_NOOP("SpeechModel", ...), translated here.
bool refuse(QString* problem, const char* why) {
    return refuse(problem, QCoreApplication::translate("SpeechModel", why));
}

// Whole numbers of a binary file, in its own byte order, never read past its end.
class Ints {
public:
    Ints(const QByteArray& bytes, qsizetype at, bool swapped)
        : bytes_(bytes), at_(at), swapped_(swapped) {}
    bool next(qint32* value) {
        if (at_ < 0 || at_ > bytes_.size() - 4) {
            return false;
        }
        quint32 raw = 0;
        std::memcpy(&raw, bytes_.constData() + at_, 4);
        *value = qint32(swapped_ ? qbswap(raw) : raw);
        at_ += 4;
        return true;
    }
    // A count from 1 to limit.
    bool count(qint32* value, qint32 limit) {
        return next(value) && *value >= 1 && *value <= limit;
    }
    quint16 u16At(qsizetype at) const {
        quint16 raw = 0;
        std::memcpy(&raw, bytes_.constData() + at, 2);
        return swapped_ ? qbswap(raw) : raw;
    }
    qint32 i32At(qsizetype at) const {
        quint32 raw = 0;
        std::memcpy(&raw, bytes_.constData() + at, 4);
        return qint32(swapped_ ? qbswap(raw) : raw);
    }
    qsizetype at() const { return at_; }
    void skip(qsizetype n) { at_ += n; }

private:
    const QByteArray& bytes_;
    qsizetype at_;
    bool swapped_;
};

constexpr qint32 kMaxCount = 50'000'000;
constexpr qint32 kByteOrderMark = 0x11223344;

// Two counts that must agree: known is 0 when nothing said it yet.
bool agrees(int* known, int value) {
    if (*known != 0 && *known != value) {
        return false;
    }
    *known = value;
    return true;
}

// The binary model definition ("BMDF"): ten counts, the base phones' names, then the context
// tree, the phones and their state sequences, which the library maps and follows by index.
bool checkBinaryMdef(const QByteArray& bytes, ModelShape* shape, QString* problem) {
    const bool swapped = bytes.startsWith("FDMB");
    Ints head(bytes, 4, swapped);
    qint32 version = 0;
    qint32 headerLength = 0;
    if (!head.next(&version) || version < 0 || version > 1 || !head.next(&headerLength) ||
        headerLength < 0 || headerLength > bytes.size() - 12) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its header is damaged"));
    }
    qsizetype at = 12 + headerLength;
    at = (at + 3) & ~qsizetype(3);
    Ints counts(bytes, at, swapped);
    qint32 ciPhones = 0;
    qint32 phones = 0;
    qint32 states = 0;
    qint32 ciSenones = 0;
    qint32 senones = 0;
    qint32 tmats = 0;
    qint32 sequences = 0;
    qint32 contexts = 0;
    qint32 treeNodes = 0;
    qint32 silence = 0;
    if (!counts.count(&ciPhones, 1000) || !counts.count(&phones, kMaxCount) ||
        !counts.count(&states, 10) || !counts.count(&ciSenones, kMaxCount) ||
        !counts.count(&senones, kMaxCount) || !counts.count(&tmats, kMaxCount) ||
        !counts.count(&sequences, kMaxCount) || !counts.count(&contexts, 3) ||
        !counts.next(&treeNodes) || treeNodes < 4 || treeNodes > kMaxCount ||
        !counts.next(&silence) || silence < 0 || silence >= ciPhones || phones < ciPhones ||
        ciSenones > senones) {
        // A model whose phones have states in differing numbers (0) is not one this checks.
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its counts are out of range"));
    }
    at = counts.at();
    QStringList names;
    for (qint32 i = 0; i < ciPhones; ++i) {
        const qsizetype zero = at < bytes.size() ? bytes.indexOf('\0', at) : -1;
        if (zero <= at || zero - at > 64) {
            return refuse(problem,
                          QT_TRANSLATE_NOOP("SpeechModel", "its phone names are cut short"));
        }
        names << QString::fromLatin1(bytes.mid(at, zero - at));
        at = zero + 1;
    }
    at = (at + 3) & ~qsizetype(3);
    const qsizetype tree = at;
    const qsizetype phoneTable = tree + qsizetype(treeNodes) * 8;
    const qsizetype sequenceTable = phoneTable + qsizetype(phones) * 12;
    // The state sequences follow their number of states.
    const qsizetype end = sequenceTable + 4 + qsizetype(sequences) * states * 2;
    if (bytes.size() < end) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is cut short"));
    }
    const Ints data(bytes, 0, swapped);
    if (data.i32At(sequenceTable) != sequences * states) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its state sequences are damaged"));
    }
    for (qint32 i = 0; i < treeNodes; ++i) {
        const qsizetype node = tree + qsizetype(i) * 8;
        const auto down = qint16(data.u16At(node + 2));
        const qint32 target = data.i32At(node + 4);
        const bool fits = down > 0 ? target >= 0 && qint64(target) + down <= treeNodes
                                   : down == 0 && target >= -1 && target < phones;
        if (!fits) {
            return refuse(problem,
                          QT_TRANSLATE_NOOP("SpeechModel", "its context tree points outside it"));
        }
    }
    for (qint32 i = 0; i < phones; ++i) {
        const qsizetype phone = phoneTable + qsizetype(i) * 12;
        const qint32 sequence = data.i32At(phone);
        const qint32 tmat = data.i32At(phone + 4);
        bool fits = sequence >= 0 && sequence < sequences && tmat >= 0 && tmat < tmats;
        for (int c = 1; c < 4 && i >= ciPhones; ++c) {
            fits = fits && quint8(bytes.at(phone + 8 + c)) < ciPhones;
        }
        if (!fits) {
            return refuse(problem,
                          QT_TRANSLATE_NOOP("SpeechModel", "a phone points outside the model"));
        }
    }
    for (qsizetype s = sequenceTable + 4; s < end; s += 2) {
        if (data.u16At(s) >= senones) {
            return refuse(problem,
                          QT_TRANSLATE_NOOP("SpeechModel", "a state points outside the model"));
        }
    }
    shape->phones = names;
    if (!agrees(&shape->senones, senones) || !agrees(&shape->transitions, tmats) ||
        !agrees(&shape->emitStates, states)) {
        return refuse(problem,
                      QT_TRANSLATE_NOOP("SpeechModel", "it does not fit the other model files"));
    }
    return true;
}

bool isNumber(const QByteArray& word, qint64 limit, qint64* value = nullptr) {
    bool ok = false;
    const qint64 n = word.toLongLong(&ok);
    if (value) {
        *value = n;
    }
    return ok && n >= 0 && n <= limit && !word.startsWith('+');
}

// The text model definition: "0.3", six counts, then one line per phone: base, left and right
// context, position, attribute, transition matrix, its states and "N".
bool checkTextMdef(const QByteArray& bytes, ModelShape* shape, QString* problem) {
    static const char* const countNames[] = {"n_base",       "n_tri",           "n_state_map",
                                             "n_tied_state", "n_tied_ci_state", "n_tied_tmat"};
    qint64 counts[6] = {};
    int header = -1; // the version line not seen yet
    qint64 lines = 0;
    qint64 statesPerPhone = 0;
    QSet<QByteArray> names;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QList<QByteArray> f = line.simplified().split(' ');
        if (header < 0) {
            if (line != "0.3") {
                return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its version is not 0.3"));
            }
            header = 0;
        } else if (header < 6) {
            if (f.size() != 2 || f[1] != countNames[header] ||
                !isNumber(f[0], kMaxCount, &counts[header])) {
                return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its counts are damaged"));
            }
            if (++header == 6) {
                const qint64 all = counts[0] + counts[1];
                if (counts[0] < 1 || counts[0] > 1000 || all < 1 || counts[2] % all != 0 ||
                    counts[2] / all < 2 || counts[2] / all > 11 || counts[3] < 1 ||
                    counts[4] > counts[3] || counts[5] < 1) {
                    return refuse(problem,
                                  QT_TRANSLATE_NOOP("SpeechModel", "its counts are out of range"));
                }
                statesPerPhone = counts[2] / all - 1;
            }
        } else {
            ++lines;
            qint64 tmat = 0;
            if (lines > counts[0] + counts[1] || f.size() != 7 + statesPerPhone ||
                f.last() != "N" || !isNumber(f[5], counts[5] - 1, &tmat)) {
                return refuse(problem,
                              QT_TRANSLATE_NOOP("SpeechModel", "a phone's line is damaged"));
            }
            const bool base = lines <= counts[0];
            for (int c = 1; c < 4; ++c) {
                if (base ? f[c] != "-" : !names.contains(f[c])) {
                    return refuse(problem,
                                  QT_TRANSLATE_NOOP("SpeechModel", "a phone's line is damaged"));
                }
            }
            if (base) {
                shape->phones << QString::fromLatin1(f[0]);
                names.insert(f[0]);
            } else if (!names.contains(f[0])) {
                return refuse(problem,
                              QT_TRANSLATE_NOOP("SpeechModel", "a phone's line is damaged"));
            }
            for (qsizetype s = 6; s < f.size() - 1; ++s) {
                if (!isNumber(f[s], counts[3] - 1)) {
                    return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel",
                                                             "a state points outside the model"));
                }
            }
        }
    }
    if (header < 6 || lines != counts[0] + counts[1]) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is cut short"));
    }
    if (!agrees(&shape->senones, int(counts[3])) || !agrees(&shape->transitions, int(counts[5])) ||
        !agrees(&shape->emitStates, int(statesPerPhone))) {
        return refuse(problem,
                      QT_TRANSLATE_NOOP("SpeechModel", "it does not fit the other model files"));
    }
    return true;
}

// The start of the data of an "s3" file (after its byte order mark), whether its numbers are
// swapped and whether a checksum ends it; -1 when it has no such header.
qsizetype s3Body(const QByteArray& bytes, bool* swapped, bool* checksum) {
    const qsizetype end = bytes.indexOf("endhdr\n");
    if (!bytes.startsWith("s3\n") || end < 0 || end > 65536) {
        return -1;
    }
    *checksum = bytes.left(end).contains("chksum0 yes");
    qint32 mark = 0;
    if (!Ints(bytes, end + 7, false).next(&mark) ||
        (mark != kByteOrderMark && qint32(qbswap(quint32(mark))) != kByteOrderMark)) {
        return -1;
    }
    *swapped = mark != kByteOrderMark;
    return end + 11;
}

// An "s3" file of a three-dimensional array of numbers: its dimensions, then their product,
// then that many 4-byte values and the checksum if there is one.
bool checkS3Array(const QByteArray& bytes, qint32 (&dims)[3], QString* problem) {
    bool swapped = false;
    bool checksum = false;
    const qsizetype body = s3Body(bytes, &swapped, &checksum);
    if (body < 0) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it has no model file header"));
    }
    Ints ints(bytes, body, swapped);
    qint32 values = 0;
    // The product of two counts fits; of three only once the first two are known to be small.
    if (!ints.count(&dims[0], kMaxCount) || !ints.count(&dims[1], kMaxCount) ||
        !ints.count(&dims[2], kMaxCount) || !ints.next(&values) ||
        qint64(dims[0]) * dims[1] > values ||
        qint64(values) != qint64(dims[0]) * dims[1] * dims[2]) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its counts are out of range"));
    }
    if (bytes.size() - ints.at() != qint64(values) * 4 + (checksum ? 4 : 0)) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is cut short or too long"));
    }
    return true;
}

bool checkGaussianFile(const QByteArray& bytes, ModelShape* shape, QString* problem) {
    Gaussians gaussians;
    QString why;
    if (!parseGaussians(bytes, &gaussians, &why)) {
        return refuse(problem, why);
    }
    const QList<int> lengths(gaussians.lengths.begin(), gaussians.lengths.end());
    if (!shape->streamLengths.isEmpty() && shape->streamLengths != lengths) {
        return refuse(problem,
                      QT_TRANSLATE_NOOP("SpeechModel", "it does not fit the other model files"));
    }
    shape->streamLengths = lengths;
    if (!agrees(&shape->streams, int(lengths.size())) ||
        !agrees(&shape->densities, gaussians.densities)) {
        return refuse(problem,
                      QT_TRANSLATE_NOOP("SpeechModel", "it does not fit the other model files"));
    }
    return true;
}

// The mixture weights compressed to a byte each: header strings, then (densities, senones)
// and the weights of each stream, density by density.
bool checkSendump(const QByteArray& bytes, ModelShape* shape, QString* problem) {
    qint32 first = 0;
    if (!Ints(bytes, 0, false).next(&first)) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is cut short"));
    }
    const bool swapped = first < 1 || first > 999;
    Ints ints(bytes, 0, swapped);
    qint64 streams = shape->streams;
    bool clustered = false;
    for (int strings = 0;; ++strings) {
        qint32 length = 0;
        // The library reads each string into a buffer of its own size.
        if (!ints.next(&length) || length < 0 || length > 999 || strings > 1000) {
            return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its header is damaged"));
        }
        if (length == 0) {
            break;
        }
        // The title and the first header line end in NUL; the lines after them need not.
        const qsizetype at = ints.at();
        if (at + length > bytes.size() || (strings < 2 && bytes.at(at + length - 1) != '\0')) {
            return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its header is damaged"));
        }
        QByteArray text(bytes.constData() + at, length);
        if (text.endsWith('\0')) {
            text.chop(1);
        }
        if (text.startsWith("feature_count ") && !isNumber(text.mid(14), 100, &streams)) {
            return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its header is damaged"));
        }
        clustered = clustered || (text.startsWith("cluster_count ") && text != "cluster_count 0");
        ints.skip(length);
    }
    qint32 densities = 0;
    qint32 senones = 0;
    if (clustered || streams < 1 || !ints.count(&densities, 256) ||
        !ints.count(&senones, kMaxCount)) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "its counts are out of range"));
    }
    if (bytes.size() - ints.at() != streams * densities * senones) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is cut short or too long"));
    }
    if (!agrees(&shape->streams, int(streams)) || !agrees(&shape->densities, densities) ||
        !agrees(&shape->senones, senones)) {
        return refuse(problem,
                      QT_TRANSLATE_NOOP("SpeechModel", "it does not fit the other model files"));
    }
    return true;
}

// Lines of "-name value"; the stream split of the features must be the model's.
bool checkFeatureParameters(const QByteArray& bytes, ModelShape* shape, QString* problem) {
    if (bytes.size() > 65536 || bytes.contains('\0')) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is no text of settings"));
    }
    static const QList<QByteArray> counted = {"-nfilt", "-ncep", "-lifter", "-lowerf", "-upperf"};
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.simplified();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QList<QByteArray> f = line.split(' ');
        if (f.size() != 2 || f[0].size() < 2 || !f[0].startsWith('-')) {
            return refuse(problem,
                          QT_TRANSLATE_NOOP("SpeechModel", "a line is not \"-name value\""));
        }
        if (counted.contains(f[0]) && !isNumber(f[1], 100000)) {
            return refuse(problem, QCoreApplication::translate("SpeechModel", "%1 is no number")
                                       .arg(QString::fromLatin1(f[0])));
        }
        if (f[0] == "-svspec") {
            QList<int> lengths;
            for (const QByteArray& stream : f[1].split('/')) {
                const QList<QByteArray> ends = stream.split('-');
                qint64 from = 0;
                qint64 to = 0;
                if (ends.size() != 2 || !isNumber(ends[0], 1000, &from) ||
                    !isNumber(ends[1], 1000, &to) || to < from) {
                    return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "-svspec is damaged"));
                }
                lengths << int(to - from + 1);
            }
            if ((!shape->streamLengths.isEmpty() && shape->streamLengths != lengths) ||
                !agrees(&shape->streams, int(lengths.size()))) {
                return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel",
                                                         "it does not fit the other model files"));
            }
            shape->streamLengths = lengths;
        }
    }
    return true;
}

// Lines of a word and its phones, each phone one of the model's.
bool checkDictionary(const QByteArray& bytes, const ModelShape& shape, QString* problem) {
    if (bytes.contains('\0')) {
        return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is no text"));
    }
    QSet<QByteArray> phones;
    for (const QString& phone : shape.phones) {
        phones.insert(phone.toLatin1());
    }
    qsizetype number = 0;
    for (const QByteArray& raw : bytes.split('\n')) {
        ++number;
        const QByteArray line = raw.simplified();
        if (line.isEmpty() || line.startsWith("##") || line.startsWith(";;")) {
            continue;
        }
        const QList<QByteArray> f = line.split(' ');
        bool fits = f.size() >= 2;
        for (qsizetype i = 1; i < f.size() && fits && !phones.isEmpty(); ++i) {
            fits = phones.contains(f[i]);
        }
        if (!fits) {
            return refuse(problem, QCoreApplication::translate(
                                       "SpeechModel", "line %1 is not a word and its phones")
                                       .arg(number));
        }
    }
    return true;
}

} // namespace

QStringList modelFileNames() {
    return {QStringLiteral("mdef"),
            QStringLiteral("means"),
            QStringLiteral("variances"),
            QStringLiteral("mixture_weights"),
            QStringLiteral("transition_matrices"),
            QStringLiteral("feat.params"),
            QStringLiteral("noisedict")};
}

bool checkModelFile(const QString& name, const QByteArray& bytes, ModelShape* shape,
                    QString* problem) {
    if (name == QLatin1String("mdef")) {
        if (bytes.startsWith("BMDF") || bytes.startsWith("FDMB")) {
            return checkBinaryMdef(bytes, shape, problem);
        }
        return checkTextMdef(bytes, shape, problem);
    }
    if (name == QLatin1String("means") || name == QLatin1String("variances")) {
        return checkGaussianFile(bytes, shape, problem);
    }
    if (name == QLatin1String("mixture_weights")) {
        qint32 dims[3] = {};
        if (!checkS3Array(bytes, dims, problem)) {
            return false;
        }
        if (!agrees(&shape->senones, dims[0]) || !agrees(&shape->streams, dims[1]) ||
            !agrees(&shape->densities, dims[2])) {
            return refuse(
                problem, QT_TRANSLATE_NOOP("SpeechModel", "it does not fit the other model files"));
        }
        return true;
    }
    if (name == QLatin1String("sendump")) {
        return checkSendump(bytes, shape, problem);
    }
    if (name == QLatin1String("transition_matrices")) {
        qint32 dims[3] = {};
        if (!checkS3Array(bytes, dims, problem)) {
            return false;
        }
        if (dims[2] != dims[1] + 1 || !agrees(&shape->transitions, dims[0]) ||
            !agrees(&shape->emitStates, dims[1])) {
            return refuse(
                problem, QT_TRANSLATE_NOOP("SpeechModel", "it does not fit the other model files"));
        }
        return true;
    }
    if (name == QLatin1String("feat.params")) {
        return checkFeatureParameters(bytes, shape, problem);
    }
    if (name == QLatin1String("noisedict") || name.endsWith(QLatin1String(".dict"))) {
        return checkDictionary(bytes, *shape, problem);
    }
    return refuse(problem, QT_TRANSLATE_NOOP("SpeechModel", "it is no file of a model"));
}

bool checkModelFiles(const SpeechModel& model, QString* problem) {
    const QDir dir(model.acousticModel);
    QStringList files;
    for (const QString& name : modelFileNames()) {
        // The library takes the compressed weights where both are there.
        files << (name == QLatin1String("mixture_weights") && dir.exists(QStringLiteral("sendump"))
                      ? dir.filePath(QStringLiteral("sendump"))
                      : dir.filePath(name));
    }
    files << model.dictionary;
    ModelShape shape;
    for (const QString& path : files) {
        QFile file;
        if (!openRegularFile(file, path)) {
            *problem = (QFileInfo::exists(path)
                            ? QCoreApplication::translate("SpeechModel", "%1 cannot be read")
                            : QCoreApplication::translate("SpeechModel", "%1 is missing"))
                           .arg(path);
            return false;
        }
        if (file.size() > kModelFileLimit) {
            *problem =
                QCoreApplication::translate("SpeechModel", "%1 is too large for a model file")
                    .arg(path);
            return false;
        }
        const QByteArray bytes = file.read(file.size()); // no larger buffer than the file
        QString why;
        const QString name = QFileInfo(path).fileName();
        if (!checkModelFile(path == model.dictionary ? QStringLiteral("words.dict") : name, bytes,
                            &shape, &why)) {
            *problem =
                QCoreApplication::translate("SpeechModel", "%1 is damaged: %2").arg(path, why);
            return false;
        }
    }
    return true;
}

} // namespace qv
