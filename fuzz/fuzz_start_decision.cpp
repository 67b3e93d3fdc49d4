// SPDX-License-Identifier: GPL-3.0-or-later
// From a stored item to what the start facility would run: the item's kind, and for a desktop
// entry (whose bytes follow the item after a NUL) the judgement and the argument vector of its
// command with the item's own path filled in. Whatever the bytes, a path must stay one whole
// argument: never part of another, never inside quotes where it could become a command.
#pragma push_macro("signals")
#undef signals
#include <glib.h>
#pragma pop_macro("signals")

#include "common/linuxitems.h"
#include "platform/desktopentry/desktopentry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

// The argument vector of a command line as GLib makes it: first every "%x" is expanded, blind
// to quotes ("%%" to '%', the others to nothing, as for an entry started without files), then the
// result is split; nothing when it does not split (GLib then refuses to start the entry).
std::optional<QList<QByteArray>> arguments(const QString& line) {
    QByteArray utf8;
    const QByteArray raw = line.toUtf8();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 1 < raw.size()) {
            if (raw[++i] == '%') {
                utf8 += '%';
            }
        } else {
            utf8 += raw[i];
        }
    }
    gint argc = 0;
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(utf8.constData(), &argc, &argv, nullptr)) {
        return std::nullopt;
    }
    QList<QByteArray> out;
    for (gint i = 0; i < argc; ++i) {
        out << QByteArray(argv[i]);
    }
    g_strfreev(argv);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype cut = bytes.indexOf('\0');
    const QString item = QString::fromUtf8(cut < 0 ? bytes : bytes.left(cut));
    const QByteArray entryBytes = cut < 0 ? QByteArray() : bytes.mid(cut + 1);
    const bool executable = size > 0 && (data[0] & 1) != 0;

    const qv::MenuItemKind kind = qv::menuItemKindOf(item, executable);
    if (kind != qv::MenuItemKind::DesktopEntry) {
        // Every other kind is started as the item itself, one argument.
        return 0;
    }
    const auto entry = qv::parseDesktopEntry(entryBytes);
    if (!entry || !qv::desktopEntryRefusal(*entry, item).isEmpty() ||
        entry->type != QLatin1String("Application")) {
        return 0;
    }
    // The same command filled with a plain path is what the entry's author meant: the hostile
    // path must give exactly its arguments, with only the path itself different.
    const QString path = QStringLiteral("/menu/") + item;
    const QString plain = QStringLiteral("/menu/QVPLAINPATH");
    if (entry->exec.contains(QLatin1String("QVPLAINPATH"))) {
        return 0;
    }
    const QByteArray whole = path.toUtf8();
    for (const bool terminal : {false, true}) {
        qv::DesktopEntry e = *entry;
        e.terminal = terminal;
        const QString term = QStringLiteral("/usr/bin/x-terminal-emulator");
        const QString exec = qv::launchExec(e, path, term);
        // What GLib expands next must never stand inside quotes.
        if (!qv::fieldCodeInQuotes(exec).isEmpty()) {
            std::abort();
        }
        // Only the path may differ from the plain line: how it splits, and whether it does.
        const auto got = arguments(exec);
        auto meant = arguments(qv::launchExec(e, plain, term));
        if (got.has_value() != meant.has_value()) {
            std::abort();
        }
        if (!meant) {
            continue;
        }
        for (QByteArray& arg : *meant) {
            arg.replace(plain.toUtf8(), whole);
        }
        if (got != meant) {
            std::abort();
        }
    }
    return 0;
}
