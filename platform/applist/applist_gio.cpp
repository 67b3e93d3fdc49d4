// SPDX-License-Identifier: GPL-3.0-or-later
// GIO's headers name struct members "signals", which Qt defines as a keyword macro.
#pragma push_macro("signals")
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#pragma pop_macro("signals")

#include "platform/applist/applist.h"

namespace qv {

namespace {

QString takeString(gchar* s) {
    QString text = QString::fromUtf8(s);
    g_free(s);
    return text;
}

class GioAppList final : public AppList {
public:
    std::vector<InstalledApp> apps() override {
        std::vector<InstalledApp> out;
        GList* all = g_app_info_get_all();
        for (GList* l = all; l != nullptr; l = l->next) {
            auto* info = static_cast<GAppInfo*>(l->data);
            if (!G_IS_DESKTOP_APP_INFO(info) || !g_app_info_should_show(info)) {
                continue;
            }
            auto* desktop = G_DESKTOP_APP_INFO(info);
            const char* file = g_desktop_app_info_get_filename(desktop);
            if (file == nullptr) {
                continue;
            }
            out.push_back({QString::fromUtf8(g_app_info_get_name(info)),
                           takeString(g_desktop_app_info_get_string(desktop, "Icon")),
                           QString::fromLocal8Bit(file)});
        }
        g_list_free_full(all, g_object_unref);
        return out;
    }
};

} // namespace

std::unique_ptr<AppList> createAppList() {
    return std::make_unique<GioAppList>();
}

} // namespace qv
