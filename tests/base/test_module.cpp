// SPDX-License-Identifier: GPL-3.0-or-later
// The modules the launcher opens when first needed: the recognizer is not mapped until a
// recognizer is used, the voice's module speaks, and a module that is missing or damaged is a
// clear error, never a crash.
#include "character/voice.h"
#include "platform/modules/module.h"
#include "platform/recognizer/loader.h"
#include "platform/recognizer/models.h"
#include "tests/support/testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

bool mapped(const QString& file) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(file.toUtf8());
}

// QV_MODULE_DIR for the life of one object.
struct ModuleDir {
    explicit ModuleDir(const QString& dir) : old(qgetenv("QV_MODULE_DIR")) {
        qputenv("QV_MODULE_DIR", dir.toUtf8());
    }
    ~ModuleDir() { qputenv("QV_MODULE_DIR", old); }
    ModuleDir(const ModuleDir&) = delete;
    ModuleDir& operator=(const ModuleDir&) = delete;
    QByteArray old;
};

} // namespace

// First in this file: nothing before it has opened the recognizer's module.
TEST(Modules, RecognizersAreListedWithoutOpeningTheRecognizer) {
    ASSERT_FALSE(mapped(QStringLiteral("qv-speech.so")));
    auto service = qv::createSpeechService();
    QStringList fromFolders;
    for (const qv::SpeechModel& model : qv::findSpeechModels(qv::defaultSpeechModelRoot())) {
        fromFolders << model.description;
    }
    ASSERT_FALSE(fromFolders.isEmpty()) << "pocketsphinx-en-us is not installed?";
    EXPECT_EQ(service->recognizers(), fromFolders);
    service->setVoiceWarp(1.1);
    EXPECT_FALSE(mapped(QStringLiteral("qv-speech.so")));

    // The first real use opens it, and the recognizers are then the engine's own.
    EXPECT_FALSE(service->audioInputs().isEmpty());
    EXPECT_TRUE(mapped(QStringLiteral("qv-speech.so")));
    EXPECT_EQ(service->recognizers(), fromFolders);
}

TEST(Modules, TheVoiceModuleSpeaks) {
    const qv::character::VoiceEngine* voice = qv::character::loadVoiceEngine();
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->sampleRate(), 22050);
    EXPECT_TRUE(voice->voiceName().contains(QLatin1Char('/'))) << qPrintable(voice->voiceName());
    const auto said = voice->synthesize(QStringLiteral("Starting My Computer"), nullptr);
    ASSERT_TRUE(said.has_value());
    ASSERT_GT(said->samples.size(), 22050u / 2);
    const auto [low, high] = std::minmax_element(said->samples.begin(), said->samples.end());
    EXPECT_GT(std::max(-int(*low), int(*high)), 3000);
}

// Each way a module can fail gives nothing and a reason that names what went wrong.
TEST(Modules, AMissingOrDamagedModuleIsAClearError) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile damaged(dir.filePath(QStringLiteral("qv-damaged.so")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\x7f"
                             "ELF",
                             4) +
                  QByteArray(3000, '\x5a'));
    damaged.close();
    ASSERT_TRUE(QFile::copy(qvtest::binDir() + QStringLiteral("/qv-voice.so"),
                            dir.filePath(QStringLiteral("qv-other.so"))));
    const ModuleDir use(dir.path());

    struct Case {
        const char* module;
        const char* entry;
        const char* reasonHas;
    };
    for (const Case& c :
         {Case{"qv-absent", "qv_voice_engine", "qv-absent.so was not found in"},
          Case{"qv-damaged", "qv_voice_engine", "Cannot load library"},
          Case{"qv-other", "qv_speech_service", "no entry point qv_speech_service"}}) {
        QString reason;
        EXPECT_EQ(qv::moduleEntry(QString::fromLatin1(c.module), c.entry, &reason), nullptr)
            << c.module;
        EXPECT_TRUE(reason.contains(QString::fromLatin1(c.reasonHas))) << qPrintable(reason);
    }
}

// Without its module, speech is a clear error and the recognizers are no longer offered.
TEST(Modules, WithoutTheRecognizerModuleSpeechIsAnErrorNotACrash) {
    QTemporaryDir empty;
    const ModuleDir use(empty.path());
    auto service = qv::createSpeechService();
    qv::SpeechError error;
    EXPECT_EQ(service->createContext(0, &error), nullptr);
    EXPECT_EQ(error.number, qv::SpeechRecognizerBuild);
    EXPECT_TRUE(
        error.description.startsWith(QStringLiteral("The speech recognizer cannot be loaded: ")))
        << qPrintable(error.description);
    EXPECT_TRUE(service->recognizers().isEmpty());
    EXPECT_TRUE(service->audioInputs().isEmpty());
}
