// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A too-loud input cuts the peaks of the waves off flat, which the model hears as other vowels.
#include <QtGlobal>

#include <vector>

namespace qv {

// Each run of samples at or beyond clipLevel is drawn again as the cubic that joins its two
// neighbours with a share of their slopes; then the whole is scaled down so that the tallest
// peak fits.
std::vector<qint16> declipped(const std::vector<qint16>& audio, int clipLevel);

} // namespace qv
