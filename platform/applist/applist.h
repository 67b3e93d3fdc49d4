// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The applications installed on the desktop, as its own menus list them: those meant to be shown
// to this user, each with the desktop entry that describes it.
#include <QString>
#include <memory>
#include <vector>

namespace qv {

struct InstalledApp {
    QString name;        // localized Name of the entry
    QString icon;        // Icon as written in the entry: a theme icon name or an absolute path
    QString desktopFile; // the entry's file
};

class AppList {
public:
    virtual ~AppList() = default;
    // In no particular order; entries without a file of their own are left out.
    virtual std::vector<InstalledApp> apps() = 0;
};

// The desktop's list through GLib (the entries under the XDG application folders that should be
// shown: not Hidden, not NoDisplay, meant for this desktop).
std::unique_ptr<AppList> createAppList();

// A fixed list, for tests.
class FakeAppList final : public AppList {
public:
    std::vector<InstalledApp> apps() override { return list; }
    std::vector<InstalledApp> list;
};

} // namespace qv
