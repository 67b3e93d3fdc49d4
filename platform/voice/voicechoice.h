// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which espeak-ng voice speaks the pupil's language. Pure: the engine lists its voices, the
// caller gives the user's languages, and this picks; nothing here talks to espeak-ng.
#include <QString>
#include <QStringList>
#include <vector>

namespace qv::character {

// One voice as espeak-ng lists it.
struct EspeakVoiceInfo {
    // What espeak_SetVoiceByName() takes: the last part of the voice file's path ("de", "pt-BR").
    QString name;
    // The languages it speaks, each with espeak-ng's priority (a smaller number is preferred).
    struct Language {
        QString code; // lower case, "fr-fr", "es-mx"
        int priority = 0;
    };
    std::vector<Language> languages;
};

// The English voice the character has always spoken with.
inline constexpr const char* englishVoice = "en";

// The voice for the first of the user's languages (most preferred first, as QLocale's
// uiLanguages() or LANGUAGE gives them: "de-DE", "pt_BR.UTF-8", "fr") that espeak-ng speaks,
// its region's voice before the bare language's. English, "C", "POSIX" and a list in which
// espeak-ng speaks nothing give englishVoice.
QString espeakVoiceFor(const QStringList& userLanguages,
                       const std::vector<EspeakVoiceInfo>& voices);

// The character reads the programs' texts aloud, so its voice speaks the language they are in:
// of the user's languages, those of the texts' language ("de" for a German catalogue), regions
// kept; the bare language if the user named it only through another entry; nothing (English)
// when the texts are English ("en" or empty). An Italian session without an Italian catalogue
// thus hears its English texts in the English voice, not read by an Italian one.
QStringList languagesOfTexts(const QStringList& userLanguages, const QString& textsLanguage);

} // namespace qv::character
