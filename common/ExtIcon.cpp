#include "common/ExtIcon.h"

#include "common/ShrtcutPath.h"
#include "common/ui/imgicon.h"
#include "platform/fileicon.h"

#include <QPainter>

namespace qv {

void DrawFileIcon(IconSurface& imgicon, const QString& path) {
    const QImage icon = firstFileIcon(TrimAtNul(path));
    if (!icon.isNull()) {
        // Source-over: the icon's transparent pixels leave what the surface already shows.
        QPainter painter(&imgicon.image());
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRect(0, 0, kFileIconSize, kFileIconSize), icon);
    }
    imgicon.refresh();
}

} // namespace qv
