// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/menuwatcher.h"

#include "common/modini.h"
#include "platform/profile.h"
#include "platform/regularfile.h"

#include <QDateTime>
#include <QFileInfo>

namespace qv {

QByteArray menuBytes(const QString& path) {
    if (ProfileTooLarge(path)) { // never read; its size and time tell a change
        const QFileInfo info(path);
        return QByteArray::number(info.size()) + ' ' +
               QByteArray::number(info.lastModified().toMSecsSinceEpoch());
    }
    return readRegularFile(path, qint64(profile::kMaxProfileBytes)).value_or(QByteArray());
}

MenuWatcher::MenuWatcher(const QString& file, QObject* parent)
    : QObject(parent), file_(QFileInfo(file).absoluteFilePath()) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &MenuWatcher::changed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &MenuWatcher::touched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &MenuWatcher::touched);
    const QString folder = QFileInfo(file_).absolutePath();
    if (QFileInfo(folder).isDir()) {
        watcher_.addPath(folder);
    }
    rearm();
}

void MenuWatcher::touched() {
    rearm();
    settle_.start();
}

void MenuWatcher::rearm() {
    // The watch may still hold the inode that a rename has just replaced: start afresh.
    if (watcher_.files().contains(file_)) {
        watcher_.removePath(file_);
    }
    if (QFileInfo(file_).isFile()) {
        watcher_.addPath(file_);
    }
}

} // namespace qv
