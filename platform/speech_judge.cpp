#include "platform/speech_judge.h"

namespace qv {

Judgement judgeUtterance(const QString& hypothesis, double shortestFramesPerPhone,
                         const QHash<QString, QString>& commands, double minFramesPerPhone) {
    // Only a whole text of the grammar is a command: the loop of likely words may give any
    // words, a command's among them. A command said implausibly fast is a squeezed guess.
    const auto command = commands.constFind(hypothesis);
    if (command == commands.constEnd()) {
        return {false, hypothesis};
    }
    return {shortestFramesPerPhone >= minFramesPerPhone, command.value()};
}

} // namespace qv
