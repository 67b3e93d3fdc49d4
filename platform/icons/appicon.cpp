// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/icons/appicon.h"

namespace qv {

QIcon programIcon(const QString& name) {
    return QIcon::fromTheme(name, QIcon(QStringLiteral(":/qv-icons/%1.svg").arg(name)));
}

} // namespace qv
