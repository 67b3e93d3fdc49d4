// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writers of icon fixtures: icon images (DIB with AND mask, or PNG), .ico files, and minimal PE
// files holding icon groups in their resources, laid out as the Windows formats define them.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

namespace qvtest {

struct IconEntryLayout {
    QImage image;
    // A PNG entry, or a DIB of this many bits a pixel (1, 4, 8, 24 or 32).
    bool png = false;
    int bits = 32;
};

// A square test picture: the colour fills it except the top-left quarter, which is transparent.
QImage testPicture(int size, QColor color);

// One icon entry's bytes as stored in a resource or .ico file.
QByteArray writeIconImage(const IconEntryLayout& entry);
// An .ico file of the entries.
QByteArray writeIco(const std::vector<IconEntryLayout>& entries);

struct PeLayout {
    // Icon groups in resource order; each group lists its entries.
    std::vector<std::vector<IconEntryLayout>> groups;
    // PE32+ (x86-64) instead of PE32.
    bool pe64 = false;
    // A program without any resource directory.
    bool noResources = false;
};
QByteArray writePe(const PeLayout& layout);

bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace qvtest
