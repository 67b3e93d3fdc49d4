#include "platform/filetest.h"

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
    QFile f(path);
    const bool ok = f.open(QIODevice::ReadOnly);
    f.close();
    return ok;
}

} // namespace qv
