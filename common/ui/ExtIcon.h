// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing a menu item's icon onto a window's icon surface. Finding the icon is the job of the
// readers outside ui/; only this unit paints.
#include "common/menuitem.h"

#include <QImage>
#include <QString>

namespace qv {

class IconSurface;

// Draws icon 0 of the file at 32 x 32 at the surface's top-left corner, over whatever the surface
// already shows (transparent parts leave it as it was), then fixes the result as the surface's
// picture. A file without icons draws nothing. Never clears the surface: callers do.
void DrawFileIcon(IconSurface& imgicon, const QString& path);

// Draws an icon already read (a null image draws nothing) the same way.
void drawIconOver(IconSurface& imgicon, const QImage& icon);

// Draws the face icon of a desktop entry or a bare executable the same way; false (drawing
// nothing) for the other kinds, kind being the item's kind as menuItem() decided it.
bool drawLinuxItemIcon(IconSurface& imgicon, const QString& item, MenuItemKind kind);

} // namespace qv
