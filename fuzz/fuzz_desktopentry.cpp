// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop entries come from any folder a teacher drops from: every byte sequence must be read,
// judged and turned into a launch command without a crash, an overrun or a hang.
#pragma push_macro("signals")
#undef signals
#include <gio/gdesktopappinfo.h>
#pragma pop_macro("signals")

#include "platform/desktopentry/desktopentry.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto entry = qv::parseDesktopEntry(bytes);
    if (!entry) {
        return 0;
    }
    (void)qv::desktopEntryRefusal(*entry, entry->name);
    (void)qv::execProgram(entry->exec);
    (void)qv::execProgram(entry->tryExec);
    // What would be handed to GLib must still be a line GLib can take apart and build from.
    qv::DesktopEntry terminal = *entry;
    terminal.terminal = true;
    for (const qv::DesktopEntry& e : {*entry, terminal}) {
        const QString exec = qv::launchExec(e, QStringLiteral("/apps/a \"b\" $c.desktop"),
                                            QStringLiteral("/usr/bin/x-terminal-emulator"));
        (void)qv::execProgram(exec);
        GKeyFile* kf = g_key_file_new();
        g_key_file_set_string(kf, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TYPE,
                              "Application");
        g_key_file_set_string(kf, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC,
                              exec.toUtf8().constData());
        GDesktopAppInfo* info = g_desktop_app_info_new_from_keyfile(kf);
        if (info) {
            g_object_unref(info);
        }
        g_key_file_free(kf);
    }
    return 0;
}
