// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ui/ExtIcon.h"

#include "common/ShrtcutPath.h"
#include "common/linuxitems.h"
#include "common/ui/imgicon.h"
#include "platform/icons/fileicon.h"

#include <QPainter>

namespace qv {

void drawIconOver(IconSurface& imgicon, const QImage& icon) {
    if (!icon.isNull()) {
        // Source-over: the icon's transparent pixels leave what the surface already shows.
        QPainter painter(&imgicon.image());
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRect(0, 0, kFileIconSize, kFileIconSize), icon);
    }
    imgicon.refresh();
}

void DrawFileIcon(IconSurface& imgicon, const QString& path) {
    drawIconOver(imgicon, firstFileIcon(TrimAtNul(path)));
}

bool drawLinuxItemIcon(IconSurface& imgicon, const QString& item, MenuItemKind kind) {
    if (!isLinuxItem(kind)) {
        return false;
    }
    drawIconOver(imgicon, linuxItemIcon(item, kind));
    return true;
}

} // namespace qv
