// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The kinds of menu item. Which kind an item is, is decided in one place only (menuItem() in
// common/menuitem.h); the start facility is told that kind, so that an item starts as the kind
// its button shows.
namespace qv {

enum class MenuItemKind { Shortcut, Program, DesktopEntry, Executable, Other };

} // namespace qv
