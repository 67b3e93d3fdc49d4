// SPDX-License-Identifier: GPL-3.0-or-later
// A German session (LANG=de_DE.UTF-8, set by CMake) with the German catalogue installed speaks
// with espeak-ng's German voice, as espeak-ng itself reports the voice it has set.
#include "character/voice.h"
#include "platform/session/translations.h"

#include <espeak-ng/speak_lib.h>
#include <gtest/gtest.h>

#include <cstring>

TEST(VoiceLanguage, AGermanSessionSpeaksGerman) {
    ASSERT_EQ(qgetenv("LANG"), QByteArray("de_DE.UTF-8"));
    ASSERT_EQ(qv::installTranslations(qEnvironmentVariable("QV_BIN_DIR") +
                                      QStringLiteral("/translations")),
              QStringLiteral("de"));
    const QString name = qv::character::espeakVoiceName(); // starts espeak-ng
    ASSERT_FALSE(name.isEmpty()) << "espeak-ng does not start";

    espeak_VOICE german{};
    german.languages = "de";
    const espeak_VOICE** voices = espeak_ListVoices(&german);
    if (!voices || !*voices) {
        GTEST_SKIP() << "espeak-ng has no German voice here";
    }
    const espeak_VOICE* current = espeak_GetCurrentVoice();
    ASSERT_NE(current, nullptr);
    ASSERT_NE(current->languages, nullptr);
    EXPECT_STREQ(current->languages + 1, "de") << qPrintable(name);
    EXPECT_EQ(name, QString::fromUtf8(current->identifier));

    // It still speaks, names as they are.
    const auto said = qv::character::synthesize(QStringLiteral("Willkommen Zoë"));
    ASSERT_TRUE(said.has_value());
    EXPECT_GT(said->samples.size(), 0u);
}
