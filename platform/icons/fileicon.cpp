// SPDX-License-Identifier: GPL-3.0-or-later
// File icons on Linux: the file is mapped and its bytes read by our bounded icon reader; the two
// Windows system files that the special items name come from the icon theme instead.
#include "platform/icons/fileicon.h"
#include "platform/files/regularfile.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QStyle>

namespace qv::fileicon_detail {
namespace {

QImage iconImage(const QString& themeName, QStyle::StandardPixmap fallback) {
    QIcon icon = QIcon::fromTheme(themeName);
    if (icon.isNull()) {
        // QStyle needs a widget application; without one the item simply has no icon.
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
            icon = QApplication::style()->standardIcon(fallback);
        }
    }
    if (icon.isNull()) {
        return {};
    }
    QImage image = icon.pixmap(QSize(kFileIconSize, kFileIconSize), 1.0).toImage();
    if (image.isNull()) {
        return {};
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.size() != QSize(kFileIconSize, kFileIconSize)) {
        image = image.scaled(kFileIconSize, kFileIconSize, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    }
    return image;
}

} // namespace

QImage specialPathIcon(const QString& path) {
    // Looked up once per process: theme lookups cost far more than drawing.
    if (path == QLatin1String(R"(C:\WINDOWS\explorer.exe)")) {
        static const QImage computer =
            iconImage(QStringLiteral("computer"), QStyle::SP_ComputerIcon);
        return computer;
    }
    if (path == QLatin1String(R"(C:\WINDOWS\SYSTEM32\mydocs.dll)")) {
        static const QImage documents =
            iconImage(QStringLiteral("folder-documents"), QStyle::SP_DirHomeIcon);
        return documents;
    }
    return {};
}

} // namespace qv::fileicon_detail

namespace qv {

QImage firstFileIcon(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    if (QImage special = fileicon_detail::specialPathIcon(path); !special.isNull()) {
        return special;
    }
    // Only regular files: a FIFO or device would block or never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= 0) {
        return {};
    }
    QFile file;
    if (!openRegularFile(file, path)) {
        return {};
    }
    const qint64 size = file.size();
    if (size <= 0) {
        return {};
    }
    if (uchar* mapped = file.map(0, size)) {
        QImage image = firstIconFromBytes(
            QByteArrayView(reinterpret_cast<const char*>(mapped), static_cast<qsizetype>(size)));
        file.unmap(mapped);
        return image;
    }
    // Some file systems cannot map; small files are then read whole.
    if (size > (qint64(64) << 20)) {
        return {};
    }
    return firstIconFromBytes(file.readAll());
}

} // namespace qv
