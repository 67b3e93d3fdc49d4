// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/speech_adapt.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace qv {

namespace {

// Far more than any model has: a count beyond these is a damaged file.
constexpr int maxCodebooks = 4096;
constexpr int maxStreams = 8;
constexpr int maxDensities = 4096;
constexpr int maxStreamLength = 128;
// The recognizer's own floor for variances.
constexpr float varianceFloor = 0.0001F;
// A transform entry this far from no change is no voice's: a damaged file.
constexpr double maxTransformValue = 1000;

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

// Solves m x = v (n unknowns, m rows first) by elimination; false when m is singular.
bool solveLinear(std::vector<double> m, std::vector<double> v, size_t n, std::vector<double>* x) {
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t row = col + 1; row < n; ++row) {
            if (std::abs(m[row * n + col]) > std::abs(m[pivot * n + col])) {
                pivot = row;
            }
        }
        if (std::abs(m[pivot * n + col]) < 1e-12) {
            return false;
        }
        if (pivot != col) {
            std::swap_ranges(m.begin() + std::ptrdiff_t(col * n),
                             m.begin() + std::ptrdiff_t(col * n + n),
                             m.begin() + std::ptrdiff_t(pivot * n));
            std::swap(v[col], v[pivot]);
        }
        for (size_t row = col + 1; row < n; ++row) {
            const double f = m[row * n + col] / m[col * n + col];
            for (size_t k = col; k < n; ++k) {
                m[row * n + k] -= f * m[col * n + k];
            }
            v[row] -= f * v[col];
        }
    }
    x->assign(n, 0);
    for (size_t row = n; row-- > 0;) {
        double s = v[row];
        for (size_t k = row + 1; k < n; ++k) {
            s -= m[row * n + k] * (*x)[k];
        }
        (*x)[row] = s / m[row * n + row];
    }
    return true;
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

bool parseBasePhones(const QByteArray& bytes, QStringList* out, QString* problem) {
    if (!bytes.startsWith("BMDF")) {
        return refuse(problem, QStringLiteral("no binary model definition"));
    }
    Words head(bytes, 8, false);
    qint32 headerLength = 0;
    if (!head.next(&headerLength) || headerLength < 0 || headerLength > bytes.size()) {
        return refuse(problem, QStringLiteral("no header"));
    }
    qsizetype at = 12 + headerLength;
    at += (4 - at % 4) % 4;
    Words counts(bytes, at, false);
    qint32 phones = 0;
    if (!counts.next(&phones) || phones < 1 || phones > maxCodebooks) {
        return refuse(problem, QStringLiteral("base phones out of range"));
    }
    at += 40; // the ten counts
    QStringList names;
    for (qint32 i = 0; i < phones; ++i) {
        const qsizetype zero = at < bytes.size() ? bytes.indexOf('\0', at) : -1;
        if (zero < 0 || zero == at) {
            return refuse(problem, QStringLiteral("cut short"));
        }
        names << QString::fromLatin1(bytes.mid(at, zero - at));
        at = zero + 1;
    }
    *out = std::move(names);
    return true;
}

MeanTransform MeanTransform::identity(const std::vector<int>& lengths) {
    MeanTransform t;
    t.lengths = lengths;
    for (const int n : lengths) {
        std::vector<double> a(size_t(n) * size_t(n), 0.0);
        for (int i = 0; i < n; ++i) {
            a[size_t(i) * size_t(n) + size_t(i)] = 1.0;
        }
        t.a.push_back(std::move(a));
        t.b.emplace_back(size_t(n), 0.0);
    }
    return t;
}

QByteArray formatMeanTransform(const MeanTransform& transform) {
    // One class of Gaussians, then per stream its length, A row by row, b, and the variance
    // scale (none).
    QByteArray text = "1\n" + QByteArray::number(qsizetype(transform.lengths.size())) + '\n';
    auto line = [&](const double* values, int n) {
        for (int i = 0; i < n; ++i) {
            text += QByteArray::number(values[i], 'g', 9) + (i + 1 < n ? ' ' : '\n');
        }
    };
    for (size_t s = 0; s < transform.lengths.size(); ++s) {
        const int n = transform.lengths[s];
        text += QByteArray::number(n) + '\n';
        for (int row = 0; row < n; ++row) {
            line(transform.a[s].data() + size_t(row) * size_t(n), n);
        }
        line(transform.b[s].data(), n);
        const std::vector<double> none(size_t(n), 1.0);
        line(none.data(), n);
    }
    return text;
}

bool parseMeanTransform(const QByteArray& text, const std::vector<int>& lengths, MeanTransform* out,
                        QString* problem) {
    const QList<QByteArray> tokens = text.simplified().split(' ');
    qsizetype at = 0;
    auto next = [&](double* value) {
        bool ok = at < tokens.size();
        *value = ok ? tokens[at++].toDouble(&ok) : 0;
        return ok && std::isfinite(*value) && std::abs(*value) <= maxTransformValue;
    };
    double classes = 0;
    double streams = 0;
    if (!next(&classes) || classes != 1 || !next(&streams) || streams != double(lengths.size())) {
        return refuse(problem, QStringLiteral("not a transform of this model's streams"));
    }
    MeanTransform t = MeanTransform::identity(lengths);
    for (size_t s = 0; s < lengths.size(); ++s) {
        double length = 0;
        if (!next(&length) || length != lengths[s]) {
            return refuse(problem, QStringLiteral("a stream's length does not match the model"));
        }
        for (double& v : t.a[s]) {
            if (!next(&v)) {
                return refuse(problem, QStringLiteral("a value is missing or out of range"));
            }
        }
        for (double& v : t.b[s]) {
            if (!next(&v)) {
                return refuse(problem, QStringLiteral("a value is missing or out of range"));
            }
        }
        for (int i = 0; i < lengths[s]; ++i) {
            double scale = 0;
            if (!next(&scale) || scale <= 0) {
                return refuse(problem, QStringLiteral("a variance scale is not above zero"));
            }
        }
    }
    if (at != tokens.size()) {
        return refuse(problem, QStringLiteral("more values than the streams hold"));
    }
    *out = std::move(t);
    return true;
}

Codebooks::Codebooks(Gaussians means, const Gaussians& variances, QStringList phones)
    : means_(std::move(means)), phones_(std::move(phones)) {
    inverse_.resize(variances.values.size());
    for (size_t i = 0; i < inverse_.size(); ++i) {
        inverse_[i] = 1.0F / std::max(variances.values[i], varianceFloor);
    }
    int offset = 0;
    for (const int length : means_.lengths) {
        offsets_.push_back(offset);
        offset += length;
    }
    const double log2pi = std::log(2 * std::numbers::pi);
    for (int cb = 0; cb < means_.codebooks; ++cb) {
        for (size_t s = 0; s < means_.lengths.size(); ++s) {
            for (int k = 0; k < means_.densities; ++k) {
                const size_t at = means_.at(cb, int(s), k);
                double norm = 0;
                for (int d = 0; d < means_.lengths[s]; ++d) {
                    norm -= 0.5 * (log2pi - std::log(double(inverse_[at + size_t(d)])));
                }
                norm_.push_back(norm);
            }
        }
    }
}

bool Codebooks::load(const QString& acousticModel, QString* problem) {
    auto read = [&](const QString& name, QByteArray* bytes) {
        QFile file(acousticModel + u'/' + name);
        if (!file.open(QIODevice::ReadOnly)) {
            return refuse(problem, QStringLiteral("%1 cannot be read").arg(file.fileName()));
        }
        *bytes = file.readAll();
        return true;
    };
    QByteArray bytes;
    Gaussians means;
    Gaussians variances;
    QStringList phones;
    QString why;
    for (const auto& [name, into] :
         {std::pair{QStringLiteral("means"), &means}, {QStringLiteral("variances"), &variances}}) {
        if (!read(name, &bytes)) {
            return false;
        }
        if (!parseGaussians(bytes, into, &why)) {
            return refuse(problem, QStringLiteral("%1/%2: %3").arg(acousticModel, name, why));
        }
    }
    if (!read(QStringLiteral("mdef"), &bytes)) {
        return false;
    }
    if (!parseBasePhones(bytes, &phones, &why)) {
        return refuse(problem, QStringLiteral("%1/mdef: %2").arg(acousticModel, why));
    }
    if (variances.lengths != means.lengths || variances.codebooks != means.codebooks ||
        variances.densities != means.densities || phones.size() != means.codebooks) {
        return refuse(
            problem,
            QStringLiteral("%1 is not a model of one codebook per phone").arg(acousticModel));
    }
    *this = Codebooks(std::move(means), variances, std::move(phones));
    return true;
}

double Codebooks::streamScore(const float* frame, int codebook, int stream,
                              std::vector<double>* each) const {
    const int n = means_.lengths[size_t(stream)];
    const float* o = frame + offsets_[size_t(stream)];
    const size_t first =
        (size_t(codebook) * means_.lengths.size() + size_t(stream)) * size_t(means_.densities);
    each->resize(size_t(means_.densities));
    double best = -std::numeric_limits<double>::infinity();
    for (int k = 0; k < means_.densities; ++k) {
        const size_t at = means_.at(codebook, stream, k);
        double d = 0;
        for (int i = 0; i < n; ++i) {
            const double diff = double(o[i]) - double(means_.values[at + size_t(i)]);
            d += diff * diff * double(inverse_[at + size_t(i)]);
        }
        (*each)[size_t(k)] = norm_[first + size_t(k)] - 0.5 * d;
        best = std::max(best, (*each)[size_t(k)]);
    }
    double sum = 0;
    for (const double v : *each) {
        sum += std::exp(v - best);
    }
    return best + std::log(sum / double(means_.densities));
}

double Codebooks::score(const float* frame, int codebook) const {
    std::vector<double> each;
    double total = 0;
    for (size_t s = 0; s < means_.lengths.size(); ++s) {
        total += streamScore(frame, codebook, int(s), &each);
    }
    return total;
}

void Codebooks::posteriors(const float* frame, int codebook, int stream,
                           std::vector<double>* out) const {
    const double all =
        streamScore(frame, codebook, stream, out) + std::log(double(means_.densities));
    for (double& v : *out) {
        v = std::exp(v - all);
    }
}

AdaptationStatistics::AdaptationStatistics(const Codebooks& codebooks) : codebooks_(codebooks) {
    const Gaussians& g = codebooks.means();
    occupancy_.assign(size_t(g.codebooks) * g.lengths.size() * size_t(g.densities), 0.0);
    sums_.assign(g.values.size(), 0.0);
}

void AdaptationStatistics::add(const float* frame, int codebook) {
    const Gaussians& g = codebooks_.means();
    std::vector<double> gamma;
    int offset = 0;
    for (size_t s = 0; s < g.lengths.size(); ++s) {
        codebooks_.posteriors(frame, codebook, int(s), &gamma);
        const size_t first = (size_t(codebook) * g.lengths.size() + s) * size_t(g.densities);
        for (int k = 0; k < g.densities; ++k) {
            const double share = gamma[size_t(k)];
            if (share < 1e-6) {
                continue;
            }
            occupancy_[first + size_t(k)] += share;
            const size_t at = g.at(codebook, int(s), k);
            for (int d = 0; d < g.lengths[s]; ++d) {
                sums_[at + size_t(d)] += share * double(frame[offset + d]);
            }
        }
        offset += g.lengths[s];
    }
    frames_ += 1;
}

MeanTransform AdaptationStatistics::solve(double prior) const {
    const Gaussians& g = codebooks_.means();
    MeanTransform t = MeanTransform::identity(g.lengths);
    if (frames_ <= 0) {
        return t;
    }
    for (size_t s = 0; s < g.lengths.size(); ++s) {
        const auto n = static_cast<size_t>(g.lengths[s]);
        const size_t w = n + 1; // the mean and 1, for the bias
        for (size_t row = 0; row < n; ++row) {
            std::vector<double> m(w * w, 0.0);
            std::vector<double> v(w, 0.0);
            std::vector<double> xi(w, 1.0);
            for (int cb = 0; cb < g.codebooks; ++cb) {
                const size_t first = (size_t(cb) * g.lengths.size() + s) * size_t(g.densities);
                for (int k = 0; k < g.densities; ++k) {
                    const double occ = occupancy_[first + size_t(k)];
                    if (occ <= 0) {
                        continue;
                    }
                    const size_t at = g.at(cb, int(s), k);
                    std::copy(g.values.begin() + std::ptrdiff_t(at),
                              g.values.begin() + std::ptrdiff_t(at + n), xi.begin());
                    const double iv = codebooks_.inverseVariance(cb, int(s), k, int(row));
                    const double sum = sums_[at + row];
                    for (size_t i = 0; i < w; ++i) {
                        v[i] += iv * sum * xi[i];
                        for (size_t j = 0; j < w; ++j) {
                            m[i * w + j] += occ * iv * xi[i] * xi[j];
                        }
                    }
                }
            }
            // The prior: as many frames as prior, on average as the ones seen, that fit the
            // model unchanged (this row of the identity, no bias).
            for (size_t i = 0; i < w; ++i) {
                const double weight = prior * m[i * w + i] / frames_;
                m[i * w + i] += weight;
                v[i] += i == row ? weight : 0.0;
            }
            std::vector<double> x;
            if (solveLinear(m, v, w, &x)) {
                std::copy(x.begin(), x.begin() + std::ptrdiff_t(n),
                          t.a[s].begin() + std::ptrdiff_t(row * n));
                t.b[s][row] = x[n];
            }
        }
    }
    return t;
}

std::vector<int> alignInOrder(const std::vector<std::vector<double>>& scores,
                              const std::vector<int>& minFrames, bool optionalEnds) {
    const size_t elements = minFrames.size();
    std::vector<int> element;
    std::vector<size_t> firstOf;
    std::vector<size_t> lastOf;
    for (size_t e = 0; e < elements; ++e) {
        firstOf.push_back(element.size());
        for (int i = 0; i < std::max(1, minFrames[e]); ++i) {
            element.push_back(int(e));
        }
        lastOf.push_back(element.size() - 1);
    }
    const size_t states = element.size();
    const size_t frames = scores.size();
    if (elements == 0 || frames == 0) {
        return {};
    }
    constexpr double none = -std::numeric_limits<double>::infinity();
    std::vector<double> best(states, none);
    std::vector<std::vector<int>> from(frames, std::vector<int>(states, -1));
    best[0] = scores[0][0];
    if (optionalEnds && elements > 1) {
        best[firstOf[1]] = scores[0][1];
    }
    for (size_t t = 1; t < frames; ++t) {
        std::vector<double> next(states, none);
        for (size_t s = 0; s < states; ++s) {
            const bool loops = s == lastOf[size_t(element[s])];
            double came = none;
            if (loops && best[s] > came) {
                came = best[s];
                from[t][s] = int(s);
            }
            if (s > 0 && best[s - 1] > came) {
                came = best[s - 1];
                from[t][s] = int(s - 1);
            }
            if (came > none) {
                next[s] = came + scores[t][size_t(element[s])];
            }
        }
        best = std::move(next);
    }
    size_t end = lastOf[elements - 1];
    if (optionalEnds && elements > 1 && best[lastOf[elements - 2]] > best[end]) {
        end = lastOf[elements - 2];
    }
    if (best[end] == none) {
        return {};
    }
    std::vector<int> path(frames);
    size_t s = end;
    for (size_t t = frames; t-- > 0;) {
        path[t] = element[s];
        if (t > 0) {
            s = size_t(from[t][s]);
        }
    }
    return path;
}

} // namespace qv
