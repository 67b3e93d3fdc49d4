// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading Windows shortcut files (.lnk, the shell-link format).
//
// The bytes are first checked by our own bounded reader: every size, offset and count must lie
// inside the file and the file must be complete. Only a file that passes is handed to liblnk,
// which gives the texts. A damaged or hostile file is "no shortcut": never a crash, never a read
// outside the bytes.
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// Win32 show commands that a shortcut may store; anything else counts as kShowNormal.
inline constexpr std::int32_t kShowNormal = 1;
inline constexpr std::int32_t kShowMaximized = 3;
inline constexpr std::int32_t kShowMinNoActive = 7;

struct ShortcutInfo {
    // The target on a local volume (base path plus common suffix); empty when there is none.
    QString localPath;
    // The target on a network share (share name, '\', suffix); empty when there is none.
    QString networkPath;
    QString description;
    QString relativePath;
    QString workingDirectory;
    QString arguments;
    QString iconFile;
    std::int32_t iconIndex = 0;
    std::int32_t showCommand = kShowNormal;

    // The file-system target: the local path, else the network path, else "".
    QString target() const { return localPath.isEmpty() ? networkPath : localPath; }
};

// Largest shortcut accepted; real ones are a few kilobytes.
inline constexpr qint64 kMaxShortcutBytes = 1 << 20;

// The fields of a shortcut held in memory, or nothing when the bytes are not a complete,
// well-formed shortcut.
std::optional<ShortcutInfo> parseShortcut(QByteArrayView bytes);

// The fields of the shortcut file at path, or nothing when it is missing, unreadable, larger
// than kMaxShortcutBytes or malformed.
std::optional<ShortcutInfo> readShortcutFile(const QString& path);

namespace shortcut_detail {
// The structure our bounded reader found (exposed for tests that compare it with liblnk).
std::optional<ShortcutInfo> parseBounded(QByteArrayView bytes);
} // namespace shortcut_detail

} // namespace qv
