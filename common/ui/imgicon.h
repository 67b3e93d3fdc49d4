// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The icon surface of a main window: a persistent image that icons are drawn onto, and the
// picture that it shows and that the button builder copies onto a button.
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace qv {

class IconSurface : public QLabel {
    Q_OBJECT
public:
    explicit IconSurface(QWidget* parent = nullptr);

    // What has been drawn so far (transparent where nothing was drawn).
    QImage& image() { return image_; }
    // Fixes the current image as the picture.
    void refresh();
    // The picture shown (a copy of the image at the last refresh).
    QPixmap picture() const { return picture_; }
    // Empties picture and image: everything drawn is erased.
    void clearPicture();

private:
    QImage image_;
    QPixmap picture_;
};

} // namespace qv
