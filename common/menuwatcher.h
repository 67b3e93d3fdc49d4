// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells a window when qv.ini may have changed. The file is watched together with its folder:
// the editor replaces the file by a rename, which gives it a new inode that a watch on the old
// one never sees. While the folder is gone, its nearest existing parent is watched. Bursts of
// events (a temporary file written, then renamed) are reported once, after a short quiet time.
// A network share (SMB, NFS, FUSE) sends no events for changes made on another machine, so the
// file's size and times are also looked at every few seconds.
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
    // The quiet time after the last event before changed() is emitted.
    static constexpr int kSettleMs = 40;
    // How often the file's size and times are compared. A stat every few seconds costs a
    // share nothing even with a room of launchers; a shorter time only shows a teacher's change
    // sooner.
    static constexpr int kPollMs = 2000;

    struct Options {
        bool events = true; // the desktop's change notices (off: only the poll, as on a share)
        int pollMs = kPollMs;
    };

    explicit MenuWatcher(const QString& file, QObject* parent = nullptr);
    MenuWatcher(const QString& file, Options options, QObject* parent = nullptr);

signals:
    // The file or its folder changed; the file may be new, replaced, changed or gone.
    void changed();

private:
    void touched();
    // A replaced or recreated file drops out of the watch: add it again while it exists.
    void rearm();
    void poll();

    QString file_;
    bool events_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QTimer poll_;
    QByteArray stamp_; // size and times at the last look
};

} // namespace qv
