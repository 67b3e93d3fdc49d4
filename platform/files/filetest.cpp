// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/filetest.h"

#include "platform/files/regularfile.h"

#include <QFile>
#include <QFileInfo>

namespace qv {

bool isNormalFile(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
}

bool canOpenForReading(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QFile f;
    const bool ok = openRegularFileOnShare(f, path);
    f.close();
    return ok;
}

} // namespace qv
