// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launch-button builder: creates one button of the page shown, places it after the one
// built before it, and gives it its caption, tooltip and icon.
#include "common/menuitem.h"
#include "platform/dialogs/messagebox.h"

#include <QString>
#include <cstdint>

class QFont;
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
    // Where the builder says what it cannot show (a shortcut without a path).
    MessageBoxService* messages = nullptr;
};

// The builder's module state: after each second-row button, that button's Left in twips as
// text; "" after the first button of a page. Only its emptiness is tested.
extern QString bottomRowLeft;

// The full path of a special item ("My Computer.lnk", "My Documents.lnk") in the standard
// folder under programFolder. The builder recognises this form and the one written with ''.
QString standardItemPath(const QString& programFolder, const QString& name);

// The caption a button of buttonWidth pixels shows for a display name: the name as written
// ('&' is no mnemonic marker), cut at the right with an ellipsis when it does not fit. The full
// name stays in the tooltip and the accessible name.
QString buttonCaption(const QString& name, const QFont& font, int buttonWidth);

// Draws the icon by which an item is known onto the surface: a shortcut's target's, a program's
// own, the face icon of a desktop entry or a bare executable; nothing for any other kind. The
// surface is not cleared first.
void drawItemIcon(IconSurface& imgicon, const MenuItem& item, MessageBoxService& messages);

// Builds element n (1 for the first button of a page, then 2, 3, ... without gaps) for the item;
// firstFive is true for slots 1 to 5 (first row). The caller clears imgicon before each call and
// expands the two special items to their paths in standard/.
void BuildLaunchButton(LaunchWindow& w, const QString& item, std::int16_t n, bool firstFive);

} // namespace qv
