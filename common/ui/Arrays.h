#pragma once
// The launch-button builder: creates one button of the page shown, places it after the one
// built before it, and gives it its caption, tooltip and icon.
#include <QString>
#include <cstdint>

class QWidget;

namespace qv {

class IconSurface;
class LaunchButtonArray;

// What the builder works on: the main window with its button array and icon surface.
struct LaunchWindow {
    QWidget* window = nullptr;
    LaunchButtonArray* cmdapplau = nullptr;
    IconSurface* imgicon = nullptr;
    // The folder holding standard/ ("My Computer.lnk", "My Documents.lnk").
    QString programFolder;
    // The launcher lays a shortcut's own icon over its target's icon on every button of a page
    // except the first; the editor does not.
    bool overlayShortcutIcons = false;
};

// Builds element n (1 for the first button of a page, then 2, 3, ... without gaps) for the item;
// firstFive is true for slots 1 to 5 (first row). The caller clears imgicon before each call and
// expands the two special items to their paths in standard/.
void BuildLaunchButton(LaunchWindow& w, const QString& item, std::int16_t n, bool firstFive);

} // namespace qv
