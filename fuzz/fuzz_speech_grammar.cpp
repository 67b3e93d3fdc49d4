// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the command grammar reader and what is done with a grammar it accepts.
#include "speech/grammar.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray xml(reinterpret_cast<const char*>(data), qsizetype(size));
    qv::CommandGrammar grammar;
    QString error;
    if (qv::readCommandGrammar(xml, &grammar, &error)) {
        QByteArray jsgf;
        // The service lists the phrases only of grammars that converted.
        if (qv::commandGrammarToJsgf(grammar, &jsgf, &error)) {
            qv::commandGrammarPhrases(grammar, 1000);
        }
    }
    return 0;
}
