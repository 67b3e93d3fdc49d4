// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether an utterance is taken for a command, from what the decoder made of it: plain values
// in, a decision out, so that the rule is tested without a recognizer.
#include <QHash>
#include <QString>

namespace qv {

struct Judgement {
    bool accepted = false;
    QString text; // the grammar's spelling of a command, else the words heard
};

// What the decoder made of an utterance. The gaps are how far, in log score per frame, the
// hypothesis' best path in the word graph is ahead of the best path that is another command
// and of the best that is no command: below 0 when the rival is ahead, noRival when there is no
// such rival (or the rivals were not looked for), -noRival when the hypothesis' own path is not
// among the paths looked at.
constexpr double noRival = 1e9;
struct Heard {
    QString hypothesis;                // the grammar search's words
    double shortestFramesPerPhone = 0; // of the hypothesis' words (0 when it has none)
    double otherCommandGap = noRival;
    double noCommandGap = noRival;
    // The share of the speaker's loud blocks that fall outside the hypothesis' words (in its
    // silences and noises): speech of which a command was made out of a part only.
    double loudOutsideWords = 0;
    // Whether the room was heard with the speaker: talk or noise before the words or under them.
    bool roomHeard = false;
};

// Whether the words heard are other words and then a whole command ("club button three"): the
// room's talk just before the speaker heard as a word of its own, or words the speaker said.
bool commandAfterOtherWords(const QString& hypothesis, const QHash<QString, QString>& commands);

// What a command must show to be taken; the defaults check nothing.
struct JudgeLimits {
    double minFramesPerPhone = 0;
    double minOtherCommandGap = -noRival;
    double minNoCommandGap = -noRival;
    double maxLoudOutsideWords = 1;
    double maxLoudOutsideWordsInRoom = 1; // where the room was heard with the speaker
};

// commands: each text of the grammar in lower case (as the decoder hears it) with its spelling
// in the grammar.
Judgement judgeUtterance(const Heard& heard, const QHash<QString, QString>& commands,
                         const JudgeLimits& limits);

} // namespace qv
