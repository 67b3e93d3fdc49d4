// SPDX-License-Identifier: GPL-3.0-or-later
// qv-rendericon: draws an SVG icon as a PNG of the given size, for the icon theme's fixed sizes.
//   qv-rendericon <in.svg> <out.png> <pixels>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: qv-rendericon <in.svg> <out.png> <pixels>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int size = QByteArray(argv[3]).toInt();
    if (!svg.isValid() || size <= 0) {
        std::fprintf(stderr, "qv-rendericon: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
