// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the readers of a voice's transform file and of the model files it is computed from.
#include "platform/speech_adapt.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString problem;
    qv::MeanTransform transform;
    if (qv::parseMeanTransform(bytes, {13, 13, 13}, &transform, &problem)) {
        // What is read is written back the same.
        qv::MeanTransform again;
        if (!qv::parseMeanTransform(qv::formatMeanTransform(transform), {13, 13, 13}, &again,
                                    &problem)) {
            __builtin_trap();
        }
    }
    qv::Gaussians gaussians;
    if (qv::parseGaussians(bytes, &gaussians, &problem)) {
        // Every density of every stream lies inside the values.
        const int last = gaussians.codebooks - 1;
        const int stream = int(gaussians.lengths.size()) - 1;
        if (gaussians.at(last, stream, gaussians.densities - 1) +
                size_t(gaussians.lengths.back()) !=
            gaussians.values.size()) {
            __builtin_trap();
        }
    }
    QStringList phones;
    qv::parseBasePhones(bytes, &phones, &problem);
    return 0;
}
