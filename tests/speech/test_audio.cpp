// SPDX-License-Identifier: GPL-3.0-or-later
// The WAV input of tests and benchmarks.
#include "platform/recognizer/pocketsphinx.h"
#include "tests/support/testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

using namespace qv;

namespace {

// A WAV file of 100 samples, 16 kHz 16-bit mono, with the given format code (1 for PCM).
QByteArray wav(quint16 format) {
    auto u32 = [](quint32 v) {
        return QByteArray(1, char(v)) + char(v >> 8) + char(v >> 16) + char(v >> 24);
    };
    auto u16 = [](quint16 v) { return QByteArray(1, char(v)) + char(v >> 8); };
    const QByteArray fmt = u16(format) + u16(1) + u32(16000) + u32(32000) + u16(2) + u16(16);
    const QByteArray body =
        "WAVEfmt " + u32(quint32(fmt.size())) + fmt + "data" + u32(200) + QByteArray(200, '\1');
    return "RIFF" + u32(quint32(body.size())) + body;
}

} // namespace

TEST(SpeechWav, OnlyWholePcmFilesAreRead) {
    QTemporaryDir dir;
    const std::pair<const char*, QByteArray> files[] = {
        {"good.wav", wav(1)}, {"float.wav", wav(3)}, {"cut.wav", wav(1).left(100)}};
    for (const auto& [name, bytes] : files) {
        const bool good = name == std::string("good.wav");
        ASSERT_TRUE(qvtest::writeAll(dir.filePath(name), bytes));
        std::vector<qint16> samples;
        QString error;
        EXPECT_EQ(readWav16kMono(dir.filePath(name), &samples, &error), good) << name;
        EXPECT_TRUE(good ? samples == std::vector<qint16>(100, 0x0101) : error.contains(name))
            << qPrintable(error);
    }
}
