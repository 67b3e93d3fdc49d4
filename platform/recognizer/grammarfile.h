// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command grammar read from its file: a regular file, no larger than the grammar's limit.
#include "speech/grammar.h"

#include <QString>

namespace qv {

// On failure returns false and a message naming the file, or the line of the grammar.
bool readCommandGrammarFile(const QString& file, CommandGrammar* grammar, QString* error,
                            const GrammarLimits& limits = {});

} // namespace qv
