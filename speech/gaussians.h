// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Gaussians of an acoustic model (its means and variances files), read so that a model can
// be checked before the recognizer library is given it.
#include <QByteArray>
#include <QString>

#include <vector>

namespace qv {

// The means or the variances of a model's Gaussians: codebooks, each with the same number of
// densities in every feature stream.
struct Gaussians {
    int codebooks = 0;
    int densities = 0;
    std::vector<int> lengths;  // of each stream
    std::vector<float> values; // by codebook, stream, density, dimension
    size_t at(int codebook, int stream, int density) const;
    int width() const; // of a frame: all streams one after another
};

// Reads a model's means or variances file; false with a problem when it is not one, or is cut
// short or damaged.
bool parseGaussians(const QByteArray& bytes, Gaussians* out, QString* problem);

} // namespace qv
