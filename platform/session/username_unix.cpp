// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/username.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace qv {

namespace {

std::size_t entryBufferSize(int name) {
    const long size = sysconf(name);
    return size > 0 ? static_cast<std::size_t>(size) : std::size_t{16384};
}

QString groupName(gid_t gid) {
    std::vector<char> buffer(entryBufferSize(_SC_GETGR_R_SIZE_MAX));
    group entry{};
    group* result = nullptr;
    // Large groups (a whole school year) may not fit the suggested size.
    int error = 0;
    while ((error = getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &result)) == ERANGE &&
           buffer.size() < (std::size_t{1} << 24)) {
        buffer.resize(buffer.size() * 2);
    }
    if (error != 0 || !result || !result->gr_name) {
        return {};
    }
    return QString::fromLocal8Bit(result->gr_name);
}

// The password entry of the user this process runs as, its strings in buffer; nullptr when
// there is none.
const passwd* currentUser(std::vector<char>* buffer, passwd* entry) {
    buffer->resize(entryBufferSize(_SC_GETPW_R_SIZE_MAX));
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), entry, buffer->data(), buffer->size(), &result) != 0 || !result ||
        !result->pw_name) {
        return nullptr;
    }
    return result;
}

} // namespace

QString logonUserName() {
    std::vector<char> buffer;
    passwd entry{};
    const passwd* user = currentUser(&buffer, &entry);
    return user ? QString::fromLocal8Bit(user->pw_name) : QString();
}

QStringList userGroups() {
    std::vector<char> buffer;
    passwd entry{};
    const passwd* user = currentUser(&buffer, &entry);
    if (!user) {
        return {};
    }
    // The order of the group database, primary group first (getgrouplist puts the group it is
    // given first): the same every login and the order `id -Gn` shows, so IT can predict which
    // line wins. The process's own list (getgroups) comes sorted by number, which says nothing.
    std::vector<gid_t> ids(64);
    int count = static_cast<int>(ids.size());
    while (getgrouplist(user->pw_name, user->pw_gid, ids.data(), &count) < 0) {
        if (count <= static_cast<int>(ids.size())) {
            return {}; // failed for another reason than room
        }
        ids.resize(static_cast<std::size_t>(count));
    }
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = groupName(ids[static_cast<std::size_t>(i)]);
        if (!name.isEmpty() && !names.contains(name)) {
            names << name;
        }
    }
    return names;
}

} // namespace qv
