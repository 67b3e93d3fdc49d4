#include "platform/speech_grammar.h"

namespace qv {

bool readCommandGrammar(const QByteArray&, CommandGrammar*, QString* error, const GrammarLimits&) {
    if (error) {
        *error = QStringLiteral("The grammar reader is not built yet");
    }
    return false;
}

bool readCommandGrammarFile(const QString&, CommandGrammar*, QString* error, const GrammarLimits&) {
    return readCommandGrammar({}, nullptr, error);
}

bool commandGrammarToJsgf(const CommandGrammar&, QByteArray*, QString* error) {
    if (error) {
        *error = QStringLiteral("The grammar reader is not built yet");
    }
    return false;
}

QStringList commandGrammarPhrases(const CommandGrammar&, int) {
    return {};
}

} // namespace qv
