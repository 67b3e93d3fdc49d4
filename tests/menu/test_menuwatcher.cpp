// SPDX-License-Identifier: GPL-3.0-or-later
// The menu watcher on its poll alone, as on a network share that sends no change notices: every
// way the editor or a hand edit changes the file is seen, and each change is told once.
#include "common/menuwatcher.h"

#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Change {
    const char* what;
    std::function<void(const QString& file)> apply;
    QByteArray after; // the file once changed (empty: gone)
};

bool write(const QString& path, const QByteArray& bytes) {
    return qvtest::writeAll(path, bytes);
}

TEST(MenuWatcher, ThePollAloneSeesEveryChange) {
    const std::vector<Change> changes = {
        {"edited in place", [](const QString& f) { write(f, "[Settings]\nNumber of tabs=12\n"); },
         "[Settings]\nNumber of tabs=12\n"},
        {"replaced by a rename",
         [](const QString& f) {
             write(f + ".new", "[Settings]\nNumber of tabs=3\nTab1=A\n");
             QFile::remove(f);
             QFile::rename(f + ".new", f);
         },
         "[Settings]\nNumber of tabs=3\nTab1=A\n"},
        {"removed", [](const QString& f) { QFile::remove(f); }, ""},
        {"made again", [](const QString& f) { write(f, "[Settings]\n"); }, "[Settings]\n"},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath("qv.ini");
    ASSERT_TRUE(write(file, "[Settings]\nNumber of tabs=1\n"));
    qv::MenuWatcher watcher(file, qv::MenuWatcher::Options{false, 20});
    // What the file held each time a change was told: a change told twice shows up twice.
    QList<QByteArray> told;
    QObject::connect(&watcher, &qv::MenuWatcher::changed, [&] { told << qv::menuBytes(file); });
    QList<QByteArray> expected;
    for (const Change& change : changes) {
        change.apply(file);
        expected << change.after;
        EXPECT_TRUE(qvtest::waitUntil([&] { return told.size() >= expected.size(); }, 5000))
            << change.what;
    }
    // A last edit flushes out a late second notice of the one before.
    write(file, "[Settings]\nNumber of tabs=4\n");
    expected << "[Settings]\nNumber of tabs=4\n";
    EXPECT_TRUE(qvtest::waitUntil([&] { return told.size() >= expected.size(); }, 5000));
    EXPECT_EQ(told, expected);
}

} // namespace
