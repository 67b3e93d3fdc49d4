#pragma once
// Drawing a file's first icon onto a window's icon surface.
#include <QString>

namespace qv {

class IconSurface;

// Draws icon 0 of the file at 32 x 32 at the surface's top-left corner, over whatever the surface
// already shows (transparent parts leave it as it was), then fixes the result as the surface's
// picture. A file without icons draws nothing. Never clears the surface: callers do.
void DrawFileIcon(IconSurface& imgicon, const QString& path);

} // namespace qv
