// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shortcut's fields, as the launcher's button builder uses them.
#include <QString>
#include <cstdint>

namespace qv {

// Reads target, working directory, arguments, icon file, icon index and show command. Returns
// false for an empty path (touching no output) and when any read fails; then no output may be
// relied on.
bool ReadShortcut(const QString& path, QString& target, QString& workingDirectory,
                  QString& arguments, QString& iconFile, std::int32_t& iconIndex,
                  std::int32_t& showCommand);

} // namespace qv
