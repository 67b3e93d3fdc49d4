// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/GetFileName.h"

namespace qv {

QString FileNameFromPath(const QString& path, bool withExtension) {
    // Menus written on Windows hold "C:\..." paths, ours hold "/..." ones: both separate.
    qsizetype end = path.size();
    // A trailing separator names the folder before it ("C:\Apps\" gives "Apps").
    while (end > 0 && (path[end - 1] == u'/' || path[end - 1] == u'\\')) {
        --end;
    }
    qsizetype start = end;
    while (start > 0 && path[start - 1] != u'/' && path[start - 1] != u'\\') {
        --start;
    }
    QString name = path.mid(start, end - start);
    if (withExtension) {
        return name;
    }
    // The last four characters go, whatever they are ("photo.jpeg" gives "photo."). A name of
    // four characters or fewer is kept whole, so that no button is left without a caption.
    return name.size() > 4 ? name.chopped(4) : name;
}

} // namespace qv
