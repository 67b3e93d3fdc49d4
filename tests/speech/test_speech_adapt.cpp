// SPDX-License-Identifier: GPL-3.0-or-later
// Adapting the model to a voice: the model files it is computed from, the transform file the
// recognizer reads, the estimate itself and the alignment of an utterance to its phones.
#include "platform/speech_adapt.h"
#include "platform/speech_enrol.h"
#include "platform/speech_pocketsphinx.h"

#include <QDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace qv;

namespace {

void put(QByteArray* out, quint32 v, bool swapped) {
    v = swapped ? qbswap(v) : v;
    out->append(reinterpret_cast<const char*>(&v), 4);
}

// A Gaussians file of these counts and values, as the model's tools write it.
QByteArray gaussiansFile(int codebooks, const std::vector<int>& lengths, int densities,
                         const std::vector<float>& values, bool swapped = false) {
    QByteArray out = "s3\nversion 1.0\nchksum0 yes\nendhdr\n";
    put(&out, 0x11223344, swapped);
    put(&out, quint32(codebooks), swapped);
    put(&out, quint32(lengths.size()), swapped);
    put(&out, quint32(densities), swapped);
    for (const int n : lengths) {
        put(&out, quint32(n), swapped);
    }
    put(&out, quint32(values.size()), swapped);
    for (const float v : values) {
        quint32 raw = 0;
        std::memcpy(&raw, &v, 4);
        put(&out, raw, swapped);
    }
    put(&out, 0, swapped); // checksum
    return out;
}

QByteArray basePhonesFile(const QList<QByteArray>& phones) {
    QByteArray out = "BMDF";
    put(&out, 1, false);
    const QByteArray header = "formats\n";
    put(&out, quint32(header.size() + 1), false);
    out += header + '\0' + QByteArray(3, '\0'); // the counts start at a multiple of 4
    put(&out, quint32(phones.size()), false);
    for (int i = 1; i < 10; ++i) {
        put(&out, 0, false);
    }
    for (const QByteArray& p : phones) {
        out += p + '\0';
    }
    return out;
}

// One codebook of one two-value stream, its densities at the corners of a square.
Codebooks square() {
    Gaussians means{1, 4, {2}, {-2, -2, -2, 2, 2, -2, 2, 2}};
    const Gaussians variances{1, 4, {2}, std::vector<float>(8, 0.25F)};
    return Codebooks(means, variances, {QStringLiteral("AA")});
}

} // namespace

TEST(SpeechAdapt, ModelFilesAreReadAndDamagedOnesRefused) {
    const std::vector<float> values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (const bool swapped : {false, true}) {
        Gaussians g;
        QString problem;
        ASSERT_TRUE(parseGaussians(gaussiansFile(2, {2, 1}, 2, values, swapped), &g, &problem))
            << qPrintable(problem);
        EXPECT_EQ(g.lengths, (std::vector<int>{2, 1}));
        EXPECT_EQ(g.width(), 3);
        // Codebook 1, stream 1 (after the two densities of stream 0), density 1.
        EXPECT_EQ(g.values[g.at(1, 1, 1)], 12.0F);
        EXPECT_EQ(g.values[g.at(1, 0, 1)], 9.0F);
    }
    const QByteArray good = gaussiansFile(2, {2, 1}, 2, values);
    QByteArray badMark = good;
    badMark[qsizetype(good.indexOf("endhdr\n") + 7)] = 0x55;
    std::vector<float> withNan = values;
    withNan[5] = std::nanf("");
    const struct {
        const char* what;
        QByteArray bytes;
    } damaged[] = {
        {"no header", good.mid(3)},
        {"byte order", badMark},
        {"no streams", gaussiansFile(2, {}, 2, {})},
        {"count", gaussiansFile(3, {2, 1}, 2, values)},
        {"cut short", good.left(good.size() - 8)},
        {"no number", gaussiansFile(2, {2, 1}, 2, withNan)},
    };
    for (const auto& c : damaged) {
        Gaussians g;
        QString problem;
        EXPECT_FALSE(parseGaussians(c.bytes, &g, &problem)) << c.what;
        EXPECT_FALSE(problem.isEmpty()) << c.what;
    }
    QStringList phones;
    QString problem;
    ASSERT_TRUE(parseBasePhones(basePhonesFile({"SIL", "AA", "B"}), &phones, &problem));
    EXPECT_EQ(phones, (QStringList{"SIL", "AA", "B"}));
    const QByteArray mdef = basePhonesFile({"SIL", "AA", "B"});
    EXPECT_FALSE(parseBasePhones(mdef.left(mdef.size() - 3), &phones, &problem));
    EXPECT_FALSE(parseBasePhones("0.3\n" + mdef, &phones, &problem));
}

TEST(SpeechAdapt, OnlyATransformOfTheModelsStreamsIsRead) {
    MeanTransform t = MeanTransform::identity({2, 1});
    t.a[0] = {1.5, -0.25, 0.125, 2};
    t.b[0] = {3, -4};
    t.b[1] = {0.5};
    const QByteArray text = formatMeanTransform(t);
    MeanTransform back;
    QString problem;
    ASSERT_TRUE(parseMeanTransform(text, {2, 1}, &back, &problem)) << qPrintable(problem);
    EXPECT_EQ(back.a, t.a);
    EXPECT_EQ(back.b, t.b);
    QByteArray zeroScale = text;
    zeroScale.replace(zeroScale.lastIndexOf("1\n"), 1, "0");
    const struct {
        const char* what;
        QByteArray text;
        std::vector<int> lengths;
    } refused[] = {
        {"other streams", text, {2, 2}},
        {"fewer streams", text, {2}},
        {"cut short", text.left(text.size() - 4), {2, 1}},
        {"extra", text + " 1", {2, 1}},
        {"no number", QByteArray(text).replace("-0.25", "nan"), {2, 1}},
        {"far off", QByteArray(text).replace("-0.25", "1e9"), {2, 1}},
        {"zero variance scale", zeroScale, {2, 1}},
        {"empty", "", {2, 1}},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(parseMeanTransform(c.text, c.lengths, &back, &problem)) << c.what;
    }
}

// Frames that lie where a known transform moves the densities give that transform back; a prior
// far above the frames keeps the model as it is.
TEST(SpeechAdapt, TheTransformOfTheFramesIsFound) {
    const Codebooks codebooks = square();
    const std::vector<double> a{0.8, 0.3, -0.2, 1.1};
    const std::vector<double> b{0.5, -0.4};
    AdaptationStatistics statistics(codebooks);
    const std::vector<float>& mu = codebooks.means().values;
    for (size_t k = 0; k < 4; ++k) {
        const double x = mu[2 * k];
        const double y = mu[2 * k + 1];
        for (const double jitter : {-0.05, 0.05}) {
            const float frame[2] = {float(a[0] * x + a[1] * y + b[0] + jitter),
                                    float(a[2] * x + a[3] * y + b[1] - jitter)};
            statistics.add(frame, 0);
        }
    }
    EXPECT_EQ(statistics.frames(), 8);
    const MeanTransform found = statistics.solve(0.001);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(found.a[0][i], a[i], 0.02) << i;
    }
    EXPECT_NEAR(found.b[0][0], b[0], 0.02);
    EXPECT_NEAR(found.b[0][1], b[1], 0.02);
    const MeanTransform kept = statistics.solve(1e7);
    EXPECT_NEAR(kept.a[0][0], 1, 1e-3);
    EXPECT_NEAR(kept.a[0][1], 0, 1e-3);
    EXPECT_NEAR(kept.b[0][0], 0, 1e-3);
    const MeanTransform none = AdaptationStatistics(codebooks).solve(0.001);
    EXPECT_EQ(none.a, MeanTransform::identity({2}).a);
}

TEST(SpeechAdapt, FramesAreAlignedToThePhonesInOrder) {
    // Frame scores of three elements: silence, a phone, silence; 1 where the frame fits.
    auto scores = [](const std::vector<int>& best) {
        std::vector<std::vector<double>> out;
        out.reserve(best.size());
        for (const int e : best) {
            out.push_back({e == 0 ? 0.0 : -5.0, e == 1 ? 0.0 : -5.0, e == 2 ? 0.0 : -5.0});
        }
        return out;
    };
    const struct {
        std::vector<int> fits;
        std::vector<int> least;
        bool optionalEnds;
        std::vector<int> path;
    } cases[] = {
        {{0, 1, 1, 1, 2}, {1, 3, 1}, false, {0, 1, 1, 1, 2}},
        {{1, 1, 1, 1, 1}, {1, 3, 1}, true, {1, 1, 1, 1, 1}},
        // The phone needs its three frames even where silence fits better.
        {{0, 0, 0, 1, 2}, {1, 3, 1}, false, {0, 1, 1, 1, 2}},
        {{1, 1, 2, 2}, {1, 3, 1}, true, {1, 1, 1, 2}},
        {{1, 1}, {1, 3, 1}, true, {}},
        {{0, 1, 1, 1}, {1, 3, 1}, false, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(alignInOrder(scores(c.fits), c.least, c.optionalEnds), c.path);
    }
}

// The voice's mean counts each utterance by its frames; one that could not be aligned has none.
TEST(SpeechAdapt, TheVoiceMeanWeighsUtterancesByTheirFrames) {
    const std::vector<AlignedUtterance> aligned{
        {std::vector<float>(2, 0.0F), {1, 10}, {}},
        {std::vector<float>(6, 0.0F), {5, 2}, {}},
        {{}, {100, 100}, {}},
    };
    EXPECT_EQ(voiceMean(aligned, 2), std::vector<float>({4, 4}));
    EXPECT_TRUE(voiceMean({aligned[2]}, 2).empty());
}

// The installed model: a codebook per base phone, and a frame near a density scores best in its
// own codebook.
TEST(SpeechAdapt, TheInstalledModelsCodebooks) {
    const QString model = defaultSpeechModelRoot() + QStringLiteral("/en-us/en-us");
    if (!QDir(model).exists()) {
        GTEST_SKIP() << "no model at " << qPrintable(model);
    }
    Codebooks codebooks;
    QString problem;
    ASSERT_TRUE(codebooks.load(model, &problem)) << qPrintable(problem);
    const Gaussians& g = codebooks.means();
    EXPECT_EQ(g.lengths, (std::vector<int>{13, 13, 13}));
    const int aa = codebooks.codebook(QStringLiteral("AA"));
    const int s = codebooks.codebook(QStringLiteral("S"));
    ASSERT_GE(aa, 0);
    ASSERT_GE(s, 0);
    std::vector<float> frame;
    for (int stream = 0; stream < 3; ++stream) {
        const size_t at = g.at(s, stream, 7);
        frame.insert(frame.end(), g.values.begin() + std::ptrdiff_t(at),
                     g.values.begin() + std::ptrdiff_t(at + 13));
    }
    EXPECT_GT(codebooks.score(frame.data(), s), codebooks.score(frame.data(), aa));
    EXPECT_FALSE(codebooks.load(QDir::tempPath() + QStringLiteral("/no-model-here"), &problem));
}
