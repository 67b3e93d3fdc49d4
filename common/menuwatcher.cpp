// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/menuwatcher.h"

#include "common/modini.h"
#include "platform/files/regularfile.h"
#include "platform/profile/profile.h"

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

namespace {

// What a look at the file without reading it tells: whether it is there, its size, and the
// times a replacement by rename or an edit changes. An edit that keeps the size within one tick
// of the file system's clock goes unseen by the poll; the editor's next change, or the change
// notices on a local disk, show it.
QByteArray fileStamp(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {};
    }
    return QByteArray::number(info.size()) + ' ' +
           QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + ' ' +
           QByteArray::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

} // namespace

MenuWatcher::MenuWatcher(const QString& file, QObject* parent)
    : MenuWatcher(file, Options{}, parent) {}

MenuWatcher::MenuWatcher(const QString& file, Options options, QObject* parent)
    : QObject(parent), file_(QFileInfo(file).absoluteFilePath()), events_(options.events),
      stamp_(fileStamp(file_)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &MenuWatcher::changed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &MenuWatcher::touched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &MenuWatcher::touched);
    poll_.setInterval(options.pollMs);
    connect(&poll_, &QTimer::timeout, this, &MenuWatcher::poll);
    poll_.start();
    rearm();
}

void MenuWatcher::poll() {
    if (fileStamp(file_) != stamp_) {
        touched();
    }
}

void MenuWatcher::touched() {
    stamp_ = fileStamp(file_);
    rearm();
    settle_.start();
}

void MenuWatcher::rearm() {
    if (!events_) {
        return;
    }
    // A folder that was removed drops out of the watch: its nearest parent that exists is
    // watched instead, to see the folder come back.
    QString folder = QFileInfo(file_).absolutePath();
    while (!QFileInfo(folder).isDir() && QFileInfo(folder).absolutePath() != folder) {
        folder = QFileInfo(folder).absolutePath();
    }
    const QStringList watched = watcher_.directories();
    if (watched != QStringList{folder}) {
        if (!watched.isEmpty()) {
            watcher_.removePaths(watched);
        }
        if (QFileInfo(folder).isDir()) {
            watcher_.addPath(folder);
        }
    }
    // The watch may still hold the inode that a rename has just replaced: start afresh.
    if (watcher_.files().contains(file_)) {
        watcher_.removePath(file_);
    }
    if (QFileInfo(file_).isFile()) {
        watcher_.addPath(file_);
    }
}

} // namespace qv
