// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the reader of a model's means and variances files.
#include "speech/gaussians.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString problem;
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
    return 0;
}
