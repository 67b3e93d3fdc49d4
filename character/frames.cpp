// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/frames.h"
#include "platform/files/regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace qv::character {

namespace {

std::nullopt_t fail(QString* why, const QString& reason) {
    if (why) {
        *why = reason;
    }
    return std::nullopt;
}

// Frame names stay inside the character's folder: no separators, no leading dot.
bool isSafeFrameName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_-][A-Za-z0-9._-]*\\.svg$"));
    return name.size() <= 128 && pattern.match(name).hasMatch();
}

std::optional<Animation> parseAnimation(const QString& value, QString* why) {
    Animation frames;
    const QStringList items = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (items.isEmpty()) {
        return fail(why, QStringLiteral("an animation has no frames"));
    }
    if (items.size() > kMaxFramesPerAnimation) {
        return fail(why, QStringLiteral("an animation has too many frames"));
    }
    for (const QString& item : items) {
        Frame frame;
        const qsizetype colon = item.lastIndexOf(QLatin1Char(':'));
        frame.file = colon < 0 ? item : item.left(colon);
        if (colon >= 0) {
            bool ok = false;
            frame.ms = item.mid(colon + 1).toInt(&ok);
            if (!ok || frame.ms < kMinFrameMs || frame.ms > kMaxFrameMs) {
                return fail(why, QStringLiteral("bad frame time in \"%1\"").arg(item));
            }
        }
        if (!isSafeFrameName(frame.file)) {
            return fail(why, QStringLiteral("bad frame name \"%1\"").arg(frame.file));
        }
        frames.append(frame);
    }
    return frames;
}

} // namespace

std::optional<CharacterData> readCharacter(const QString& manifestPath, const QString& id,
                                           QString* why) {
    QFile file;
    if (!openRegularFile(file, manifestPath)) {
        return fail(why, QStringLiteral("cannot open %1").arg(manifestPath));
    }
    if (file.size() > kMaxManifestBytes) {
        return fail(why, QStringLiteral("manifest too large"));
    }
    const QByteArray bytes = file.read(kMaxManifestBytes + 1);
    if (bytes.size() > kMaxManifestBytes) {
        return fail(why, QStringLiteral("manifest too large"));
    }
    if (bytes.contains('\0')) {
        return fail(why, QStringLiteral("manifest is not text"));
    }

    QHash<QString, QString> keys;
    for (QByteArray line : bytes.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) {
            return fail(why, QStringLiteral("manifest line without '='"));
        }
        const QString key = QString::fromUtf8(line.left(eq)).trimmed();
        if (keys.contains(key)) {
            return fail(why, QStringLiteral("key \"%1\" given twice").arg(key));
        }
        keys.insert(key, QString::fromUtf8(line.mid(eq + 1)).trimmed());
    }
    if (keys.value(QStringLiteral("format")) != QLatin1String("quorvel-character 1")) {
        return fail(why, QStringLiteral("not a character manifest of a known format"));
    }
    if (keys.value(QStringLiteral("id")) != id) {
        return fail(why, QStringLiteral("manifest holds no character \"%1\"").arg(id));
    }

    CharacterData data;
    data.id = id;
    data.folder = QFileInfo(manifestPath).absolutePath();
    const std::pair<const char*, Animation*> animations[] = {
        {"idle", &data.idle}, {"greeting", &data.greeting}, {"speaking", &data.speaking}};
    for (const auto& [name, target] : animations) {
        const QString key = QString::fromLatin1(name);
        if (!keys.contains(key)) {
            return fail(why, QStringLiteral("animation \"%1\" missing").arg(key));
        }
        auto frames = parseAnimation(keys.value(key), why);
        if (!frames) {
            return std::nullopt;
        }
        *target = *frames;
        for (const Frame& frame : *target) {
            if (data.renderers.contains(frame.file)) {
                continue;
            }
            QFile svg;
            if (!openRegularFile(svg, data.folder + QLatin1Char('/') + frame.file) ||
                svg.size() > kMaxFrameBytes) {
                return fail(why, QStringLiteral("frame %1 missing or too large").arg(frame.file));
            }
            auto renderer = std::make_shared<QSvgRenderer>(svg.read(kMaxFrameBytes));
            if (!renderer->isValid() || renderer->defaultSize().isEmpty()) {
                return fail(why, QStringLiteral("frame %1 is not a valid picture").arg(frame.file));
            }
            data.renderers.insert(frame.file, renderer);
        }
    }
    return data;
}

} // namespace qv::character
