// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/gaussians.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv {

namespace {

// Far more than any model has: a count beyond these is a damaged file.
constexpr int maxCodebooks = 4096;
constexpr int maxStreams = 8;
constexpr int maxDensities = 4096;
constexpr int maxStreamLength = 128;

// Reads int32s in the file's byte order.
class Words {
public:
    Words(const QByteArray& bytes, qsizetype at, bool swapped)
        : bytes_(bytes), at_(at), swapped_(swapped) {}
    bool next(qint32* value) {
        if (at_ < 0 || bytes_.size() - at_ < 4) {
            return false;
        }
        quint32 raw = 0;
        std::memcpy(&raw, bytes_.constData() + at_, 4);
        at_ += 4;
        *value = qint32(swapped_ ? qbswap(raw) : raw);
        return true;
    }
    qsizetype at() const { return at_; }

private:
    const QByteArray& bytes_;
    qsizetype at_;
    bool swapped_;
};

bool refuse(QString* problem, const QString& text) {
    if (problem) {
        *problem = text;
    }
    return false;
}

} // namespace

size_t Gaussians::at(int codebook, int stream, int density) const {
    size_t offset = 0;
    for (int s = 0; s < stream; ++s) {
        offset += size_t(lengths[size_t(s)]);
    }
    return (size_t(codebook) * size_t(width()) + offset) * size_t(densities) +
           size_t(density) * size_t(lengths[size_t(stream)]);
}

int Gaussians::width() const {
    int sum = 0;
    for (const int length : lengths) {
        sum += length;
    }
    return sum;
}

bool parseGaussians(const QByteArray& bytes, Gaussians* out, QString* problem) {
    const qsizetype end = bytes.indexOf("endhdr\n");
    if (!bytes.startsWith("s3\n") || end < 0) {
        return refuse(problem, QStringLiteral("no Gaussians"));
    }
    const bool checksum = bytes.left(end).contains("chksum0 yes");
    const qsizetype body = end + 7;
    qint32 magic = 0;
    if (!Words(bytes, body, false).next(&magic) ||
        (magic != 0x11223344 && qbswap(quint32(magic)) != 0x11223344)) {
        return refuse(problem, QStringLiteral("no byte order mark"));
    }
    Words words(bytes, body + 4, magic != 0x11223344);
    qint32 codebooks = 0;
    qint32 streams = 0;
    qint32 densities = 0;
    if (!words.next(&codebooks) || !words.next(&streams) || !words.next(&densities) ||
        codebooks < 1 || codebooks > maxCodebooks || streams < 1 || streams > maxStreams ||
        densities < 1 || densities > maxDensities) {
        return refuse(problem, QStringLiteral("counts out of range"));
    }
    Gaussians g;
    g.codebooks = codebooks;
    g.densities = densities;
    for (qint32 s = 0; s < streams; ++s) {
        qint32 length = 0;
        if (!words.next(&length) || length < 1 || length > maxStreamLength) {
            return refuse(problem, QStringLiteral("stream length out of range"));
        }
        g.lengths.push_back(length);
    }
    const qint64 expected = qint64(codebooks) * densities * g.width();
    qint32 count = 0;
    if (!words.next(&count) || count != expected) {
        return refuse(problem, QStringLiteral("the number of values does not match the counts"));
    }
    const qsizetype values = words.at();
    if (bytes.size() - values != expected * 4 + (checksum ? 4 : 0)) {
        return refuse(problem, QStringLiteral("cut short or too long"));
    }
    g.values.resize(size_t(expected));
    std::memcpy(g.values.data(), bytes.constData() + values, size_t(expected) * 4);
    if (magic != 0x11223344) {
        for (float& v : g.values) {
            quint32 raw = 0;
            std::memcpy(&raw, &v, 4);
            raw = qbswap(raw);
            std::memcpy(&v, &raw, 4);
        }
    }
    if (!std::all_of(g.values.begin(), g.values.end(), [](float v) { return std::isfinite(v); })) {
        return refuse(problem, QStringLiteral("a value is no number"));
    }
    *out = std::move(g);
    return true;
}

} // namespace qv
