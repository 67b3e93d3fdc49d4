// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logged-on user, for the character's greeting.
#include <QString>

namespace qv {

// The user's login name as the system reports it, or an empty text when it cannot be found.
QString logonUserName();

} // namespace qv
