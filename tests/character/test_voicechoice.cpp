// SPDX-License-Identifier: GPL-3.0-or-later
// The character's voice follows the user's languages: each row is a list as QLocale or LANGUAGE
// gives it, against voices as espeak-ng lists them.
#include "platform/voice/voicechoice.h"

#include <gtest/gtest.h>

using qv::character::espeakVoiceFor;
using qv::character::EspeakVoiceInfo;

namespace {

// Part of espeak-ng's own list: a voice's file name and its languages with their priorities.
const std::vector<EspeakVoiceInfo>& someVoices() {
    static const std::vector<EspeakVoiceInfo> voices{
        {"de", {{"de", 5}}},
        {"en", {{"en-gb", 2}, {"en", 2}}},
        {"en-US", {{"en-us", 2}, {"en", 3}}},
        {"es", {{"es", 5}}},
        {"es-419", {{"es-419", 5}, {"es-mx", 6}, {"es", 6}}},
        {"fr-BE", {{"fr-be", 5}, {"fr", 8}}},
        {"fr", {{"fr-fr", 5}, {"fr", 5}}},
        {"pt", {{"pt", 5}, {"pt-pt", 5}}},
        {"pt-BR", {{"pt-br", 5}, {"pt", 6}}},
    };
    return voices;
}

} // namespace

TEST(VoiceChoice, TheFirstLanguageEspeakSpeaksElseEnglish) {
    struct Case {
        QStringList languages;
        const char* voice;
    };
    const Case cases[] = {
        {{"de-DE", "de"}, "de"},
        {{"de_AT.UTF-8"}, "de"}, // no Austrian voice: the language's
        {{"fr-CA", "fr"}, "fr"}, // France's voice is preferred for bare French
        {{"fr_BE"}, "fr-BE"},    // the region's own voice first
        {{"es-MX"}, "es-419"},   // listed as one of its languages
        {{"es_ES.UTF-8@euro"}, "es"},
        {{"pt_BR.UTF-8"}, "pt-BR"},
        {{"pt-PT"}, "pt"},
        {{"zh-CN", "zh"}, "en"},       // nothing for Chinese here
        {{"zh_CN", "fr", "de"}, "fr"}, // the next language the user reads
        {{"fr", "de"}, "fr"},          // LANGUAGE=fr:de
        {{"de", "fr"}, "de"},
        {{"en-US", "de"}, "en"}, // English, whatever its region, is the usual voice
        {{"en_GB", "fr"}, "en"},
        {{"C"}, "en"},
        {{"POSIX", "de"}, "en"}, // untranslated is English
        {{}, "en"},
        {{"", "  "}, "en"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(espeakVoiceFor(c.languages, someVoices()), QString::fromLatin1(c.voice))
            << qPrintable(c.languages.join(QLatin1Char(':')));
    }
    EXPECT_EQ(espeakVoiceFor({"de-DE"}, {}), QStringLiteral("en")) << "espeak-ng lists nothing";
}

TEST(VoiceChoice, TheVoiceSpeaksTheLanguageOfTheTexts) {
    struct Case {
        QStringList languages;
        const char* texts; // the installed catalogue's language
        const char* voice;
    };
    const Case cases[] = {
        {{"de-AT", "de"}, "de", "de"},
        {{"es-MX"}, "es", "es-419"},   // the region is kept
        {{"fr-BE", "de"}, "de", "de"}, // texts in the user's second language
        {{"it-IT"}, "en", "en"},       // no Italian texts: English, not an Italian reader
        {{"it-IT"}, "", "en"},         // no catalogue at all
        {{"pt_BR.UTF-8", "fr"}, "fr", "fr"},
        {{"C"}, "de", "de"}, // a catalogue chosen otherwise names its language
    };
    for (const Case& c : cases) {
        EXPECT_EQ(espeakVoiceFor(
                      qv::character::languagesOfTexts(c.languages, QString::fromLatin1(c.texts)),
                      someVoices()),
                  QString::fromLatin1(c.voice))
            << qPrintable(c.languages.join(QLatin1Char(':'))) << " / " << c.texts;
    }
}
