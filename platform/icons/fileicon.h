// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first icon of a file, as the launch buttons show it.
//
// Programs and libraries (PE files) are read by our own bounded reader of their icon resources;
// .ico files by the same icon decoder. A malformed file gives no icon, never a crash or a read
// outside its bytes.
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace qv {

// The size every icon is drawn at.
inline constexpr int kFileIconSize = 32;

// Icon 0 of the file as a 32 x 32 ARGB32 (premultiplied) image that keeps the icon's
// transparency, or a null image when the file is missing, unreadable or holds no icon.
// The Windows system files "C:\WINDOWS\explorer.exe" and "C:\WINDOWS\SYSTEM32\mydocs.dll"
// (named by the two special items) give the icon theme's computer and documents-folder icons.
QImage firstFileIcon(const QString& path);

// The same for bytes in memory: a PE file's first icon group, or an .ico file. The entry that
// suits 32 x 32 best is chosen and scaled to 32 x 32 when it has another size.
QImage firstIconFromBytes(QByteArrayView bytes);

namespace fileicon_detail {
// Bounded pieces, exposed for tests and fuzzing.
// One icon image as stored in a resource or .ico entry: a DIB (header, colours, AND mask) or a PNG.
QImage decodeIconImage(QByteArrayView data);
// Icon 0 of a PE file, or null.
QImage firstPeIcon(QByteArrayView bytes);
// The best image of an .ico file, or null.
QImage icoFileIcon(QByteArrayView bytes);
// The theme icons standing in for the two Windows system files ("computer", "folder-documents"),
// with Qt's standard icons when no theme has them; null for any other path.
QImage specialPathIcon(const QString& path);
} // namespace fileicon_detail

} // namespace qv
