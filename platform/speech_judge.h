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

// hypothesis: the grammar search's words; commands: each text of the grammar in lower case
// (as the decoder hears it) with its spelling in the grammar; shortestFramesPerPhone: of the
// hypothesis' words (0 when it has none); minFramesPerPhone: 0 for no duration check.
Judgement judgeUtterance(const QString& hypothesis, double shortestFramesPerPhone,
                         const QHash<QString, QString>& commands, double minFramesPerPhone);

} // namespace qv
