// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name shown on a button: the last component of a path.
#include <QString>

namespace qv {

// The last path component ('/' and '\' both separate), without its last four characters when
// withExtension is false ("C:\Apps\Paint.lnk" gives "Paint").
QString FileNameFromPath(const QString& path, bool withExtension);

} // namespace qv
