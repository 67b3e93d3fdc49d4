// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window geometry is designed in twips; 15 twips are one device-independent pixel.
#include <QRect>

namespace qv {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// A rectangle given as Left, Top, Width, Height in twips.
inline QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace qv
