#include "student/menuwatcher.h"

#include <QFileInfo>

namespace qv {

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
