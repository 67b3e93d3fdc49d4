// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/username.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace qv {

QString logonUserName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) {
        size = 16384;
    }
    std::vector<char> buffer(static_cast<std::size_t>(size));
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &result) != 0 || !result ||
        !result->pw_name) {
        return {};
    }
    return QString::fromLocal8Bit(result->pw_name);
}

} // namespace qv
