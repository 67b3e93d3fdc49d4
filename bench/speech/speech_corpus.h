// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Synthesized test speech: the ten commands in many voices and phrases that are no command,
// made with espeak-ng and flite, resampled to 16 kHz mono with sox and cached in the build
// folder under a key of everything that makes them.
#include <QString>
#include <QStringList>
#include <vector>

namespace qvspeech {

struct Voice {
    QString id;      // folder name
    QString program; // espeak-ng or flite
    QStringList arguments;
};

struct Utterance {
    QString text;  // what was said
    QString voice; // voice id
    QString wav;   // 16 kHz mono file
};

// The ten commands "button one" .. "button ten".
QStringList commandPhrases();
// Everyday phrases and near misses that are no command.
QStringList otherPhrases();
// Others of the same kinds, for the held-out check: none is in the list above.
QStringList heldOutOtherPhrases();
// Voices for the commands (espeak-ng variants and flite's CMU voices) and for the others.
std::vector<Voice> commandVoices();
std::vector<Voice> otherVoices();
// Other speeds and pitches of mostly the same accents, for checking that a setting chosen on
// the corpus is no accident of its voices; not part of the measured corpus.
std::vector<Voice> heldOutVoices();
// Five of those, for the held-out other phrases.
std::vector<Voice> heldOutOtherVoices();

// Folder of the cache: $QV_BUILD_DIR/speech-corpus, or beside the test binary.
QString corpusDir();
// What the program prints for --version (asked once per program).
QString toolVersion(const QString& program);
// A file of the cache is made under a name of this process's and then published under its own;
// another test process making the same file at the same time is no failure.
QString partName(const QString& file);
bool publish(const QString& part, const QString& file);
// A short name for everything that makes a cached file, so that a new voice argument, tool
// version or processing step makes the file anew instead of reusing an old one.
QString cacheKey(const QStringList& recipe);

// Makes (or finds in the cache) every utterance of the phrases in the voices; false with a
// message when a tool is missing or fails.
bool synthesize(const QStringList& phrases, const std::vector<Voice>& voices, const QString& kind,
                std::vector<Utterance>* out, QString* error);

// The measured corpus: every command in every command voice and the other phrases in the other
// voices; with heldOut, the commands in the held-out voices and the held-out other phrases.
bool synthesizeCorpus(std::vector<Utterance>* commands, std::vector<Utterance>* others,
                      QString* error, bool heldOut = false);

} // namespace qvspeech
