// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the checks of an acoustic model's files: every file kind is tried on each input, alone
// and after the installed model's shape is known, and must answer without reading outside it.
#include "platform/recognizer/modelcheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const QStringList names = {
        QStringLiteral("mdef"),        QStringLiteral("means"),
        QStringLiteral("variances"),   QStringLiteral("mixture_weights"),
        QStringLiteral("sendump"),     QStringLiteral("transition_matrices"),
        QStringLiteral("feat.params"), QStringLiteral("noisedict"),
        QStringLiteral("words.dict")};
    qv::ModelShape known;
    known.phones = {QStringLiteral("AA"), QStringLiteral("B"), QStringLiteral("SIL")};
    known.senones = 5126;
    known.transitions = 42;
    known.emitStates = 3;
    known.streams = 3;
    known.densities = 128;
    known.streamLengths = {13, 13, 13};
    for (const QString& name : names) {
        QString problem;
        qv::ModelShape fresh;
        if (!qv::checkModelFile(name, bytes, &fresh, &problem) && problem.isEmpty()) {
            __builtin_trap(); // a refusal always says why
        }
        qv::ModelShape shape = known;
        qv::checkModelFile(name, bytes, &shape, &problem);
    }
    return 0;
}
