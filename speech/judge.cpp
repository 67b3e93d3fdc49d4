// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/judge.h"

#include <QStringList>

namespace qv {

Judgement judgeUtterance(const Heard& heard, const QHash<QString, QString>& commands,
                         const JudgeLimits& limits) {
    // Only a whole text of the grammar is a command: the loop of likely words may give any
    // words, a command's among them. A command said implausibly fast is a squeezed guess, and so
    // is one that its rivals in the word graph are well ahead of, or one whose words leave much
    // of the speech out: a wrong program started is worse than a command said again.
    const auto command = commands.constFind(heard.hypothesis);
    if (command == commands.constEnd()) {
        return {false, heard.hypothesis};
    }
    const double maxOutside =
        heard.roomHeard ? limits.maxLoudOutsideWordsInRoom : limits.maxLoudOutsideWords;
    const bool clear = heard.shortestFramesPerPhone >= limits.minFramesPerPhone &&
                       heard.otherCommandGap >= limits.minOtherCommandGap &&
                       heard.noCommandGap >= limits.minNoCommandGap &&
                       heard.loudOutsideWords <= maxOutside;
    return {clear, command.value()};
}

bool commandAfterOtherWords(const QString& hypothesis, const QHash<QString, QString>& commands) {
    const QStringList words = hypothesis.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype from = 1; from < words.size(); ++from) {
        if (commands.contains(words.mid(from).join(u' '))) {
            return true;
        }
    }
    return false;
}

} // namespace qv
