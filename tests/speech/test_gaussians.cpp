// SPDX-License-Identifier: GPL-3.0-or-later
// The Gaussians of a model, read in either byte order; damaged files refused.
#include "speech/gaussians.h"

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

} // namespace

TEST(SpeechGaussians, ModelFilesAreReadAndDamagedOnesRefused) {
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
}
