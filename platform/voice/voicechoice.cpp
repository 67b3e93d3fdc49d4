// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/voice/voicechoice.h"

namespace qv::character {

namespace {

// "pt_BR.UTF-8@euro" -> "pt-br": the form espeak-ng lists its languages in.
QString languageTag(const QString& locale) {
    QString tag = locale.trimmed().section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0);
    return tag.replace(QLatin1Char('_'), QLatin1Char('-')).toLower();
}

// The preferred voice that speaks exactly this language, or nothing.
const EspeakVoiceInfo* voiceSpeaking(const QString& code,
                                     const std::vector<EspeakVoiceInfo>& voices) {
    const EspeakVoiceInfo* best = nullptr;
    int bestPriority = 0;
    for (const EspeakVoiceInfo& voice : voices) {
        for (const EspeakVoiceInfo::Language& language : voice.languages) {
            if (language.code == code && (!best || language.priority < bestPriority)) {
                best = &voice;
                bestPriority = language.priority;
            }
        }
    }
    return best;
}

} // namespace

QStringList languagesOfTexts(const QStringList& userLanguages, const QString& textsLanguage) {
    const QString texts = languageTag(textsLanguage).section(QLatin1Char('-'), 0, 0);
    if (texts.isEmpty() || texts == QLatin1String("en")) {
        return {};
    }
    QStringList same;
    for (const QString& entry : userLanguages) {
        if (languageTag(entry).section(QLatin1Char('-'), 0, 0) == texts) {
            same << entry;
        }
    }
    return same.isEmpty() ? QStringList{texts} : same;
}

QString espeakVoiceFor(const QStringList& userLanguages,
                       const std::vector<EspeakVoiceInfo>& voices) {
    for (const QString& entry : userLanguages) {
        const QString tag = languageTag(entry);
        if (tag.isEmpty()) {
            continue;
        }
        const QString language = tag.section(QLatin1Char('-'), 0, 0);
        if (language == QLatin1String("en") || tag == QLatin1String("c") ||
            tag == QLatin1String("posix")) {
            break; // the character's own English voice, whatever the region
        }
        for (const QString& code : {tag, language}) {
            if (const EspeakVoiceInfo* voice = voiceSpeaking(code, voices)) {
                return voice->name;
            }
        }
    }
    return QString::fromLatin1(englishVoice);
}

} // namespace qv::character
