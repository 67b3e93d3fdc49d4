// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character's data on disk: a small manifest ("Merlin.acs") naming the SVG frames of its
// three animations. Everything read here may be damaged, so each step is checked and bounded.
#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QSvgRenderer;

namespace qv::character {

struct Frame {
    QString file; // file name inside the character's folder
    int ms = 200; // how long the frame is shown
};

using Animation = QList<Frame>;

struct CharacterData {
    QString id;
    QString folder;
    Animation idle;     // loops while nothing else happens
    Animation greeting; // played once when the character appears
    Animation speaking; // loops while a text is spoken
    // One renderer per distinct frame file, each checked to be a valid SVG document.
    QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
};

// Limits that keep a hostile manifest from costing much.
inline constexpr qint64 kMaxManifestBytes = qint64(64) * 1024;
inline constexpr qint64 kMaxFrameBytes = qint64(1024) * 1024;
inline constexpr int kMaxFramesPerAnimation = 64;
inline constexpr int kMinFrameMs = 20;
inline constexpr int kMaxFrameMs = 60000;

// Reads the manifest at manifestPath and every frame it names. The manifest must declare the
// requested id. Returns nothing, and a short reason in *why, when anything is missing or damaged.
// Needs a QGuiApplication (the frames are parsed as SVG).
std::optional<CharacterData> readCharacter(const QString& manifestPath, const QString& id,
                                           QString* why = nullptr);

} // namespace qv::character
