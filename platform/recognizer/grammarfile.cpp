// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recognizer/grammarfile.h"

#include "platform/files/regularfile.h"

#include <QFile>

namespace qv {

bool readCommandGrammarFile(const QString& file, CommandGrammar* grammar, QString* error,
                            const GrammarLimits& limits) {
    QFile in;
    if (!openRegularFile(in, file)) {
        if (error) {
            *error = QStringLiteral("Grammar file %1 cannot be read: it is missing or no regular "
                                    "file")
                         .arg(file);
        }
        return false;
    }
    if (in.size() > limits.maxBytes) {
        if (error) {
            *error = QStringLiteral("Grammar file %1 is larger than %2 bytes")
                         .arg(file)
                         .arg(limits.maxBytes);
        }
        return false;
    }
    const QByteArray bytes = in.read(limits.maxBytes + 1);
    return readCommandGrammar(bytes, grammar, error, limits);
}

} // namespace qv
