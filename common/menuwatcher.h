// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells a window when qv.ini may have changed. The file is watched together with its folder:
// the editor replaces the file by a rename, which gives it a new inode that a watch on the old
// one never sees. While the folder is gone, its nearest existing parent is watched. Bursts of
// events (a temporary file written, then renamed) are reported once, after a short quiet time.
#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace qv {

// The whole menu file, to tell whether it changed; empty when it is no regular file (a FIFO
// would block the reader).
QByteArray menuBytes(const QString& path);

class MenuWatcher : public QObject {
    Q_OBJECT
public:
    explicit MenuWatcher(const QString& file, QObject* parent = nullptr);

    // The quiet time after the last event before changed() is emitted.
    static constexpr int kSettleMs = 40;

signals:
    // The file or its folder changed; the file may be new, replaced, changed or gone.
    void changed();

private:
    void touched();
    // A replaced or recreated file drops out of the watch: add it again while it exists.
    void rearm();

    QString file_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
};

} // namespace qv
