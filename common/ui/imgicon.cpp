// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/imgicon.h"

#include "common/ui/twips.h"

namespace qv {
namespace {
// The surface is 615 x 615 twips on both windows.
constexpr int kSurfacePixels = twipsToPixels(615);
} // namespace

IconSurface::IconSurface(QWidget* parent)
    : QLabel(parent), image_(kSurfacePixels, kSurfacePixels, QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::transparent);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void IconSurface::refresh() {
    picture_ = QPixmap::fromImage(image_);
    setPixmap(picture_);
}

void IconSurface::clearPicture() {
    image_.fill(Qt::transparent);
    picture_ = QPixmap();
    setPixmap(picture_);
}

} // namespace qv
