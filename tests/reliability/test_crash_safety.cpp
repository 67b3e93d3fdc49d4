// SPDX-License-Identifier: GPL-3.0-or-later
// An editor killed at any moment leaves qv.ini as it was before or after the profile call it
// was making: never half written, never gone, never blocked for the next write.
#include "tests/support/editscript.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <gtest/gtest.h>
#include <thread>

namespace {

constexpr int kRounds = 200;
constexpr unsigned kSeed = 20261207;

// The file before and after call number `completed` + 1 of the script, replayed on a copy in
// this process: every call is one atomic write, so no state in between is acceptable.
std::vector<QByteArray> replay(const QString& path, const QByteArray& start, unsigned seed,
                               int completed, qv::MessageBoxService& messages) {
    EXPECT_TRUE(qvtest::writeAll(path, start));
    std::vector<QByteArray> states{start};
    qvrel::EditScript script(path, seed, messages,
                             [&] { states.push_back(qvtest::readAll(path)); });
    while (int(states.size()) < completed + 2) {
        script.step();
    }
    return {states[completed], states[completed + 1]};
}

TEST(CrashSafety, KilledEditorLeavesTheFileBeforeOrAfterTheInterruptedCall) {
    qv::FakeMessageBox messages;
    QTemporaryDir tmp(qvrel::fastTempTemplate());
    const QString menuDir = tmp.filePath("menu");
    ASSERT_TRUE(QDir().mkpath(menuDir) && QDir().mkpath(tmp.filePath("replay")));
    const QString path = menuDir + "/qv.ini";
    ASSERT_TRUE(qvtest::writeAll(path, qvrel::menu({3, 4, 5})));

    std::mt19937 random(kSeed);
    long totalCalls = 0;
    int roundsWithProgress = 0;
    QStringList leftovers;
    for (int round = 0; round < kRounds; ++round) {
        const QByteArray before = qvtest::readAll(path);
        const unsigned seed = kSeed + static_cast<unsigned>(round);
        QProcess child;
        ASSERT_TRUE(qvrel::startHelper(child, {"edit", path, QString::number(seed)})) << round;
        // Mostly within the first few calls, sometimes well into a run of renames.
        const int delay = std::uniform_int_distribution<int>(0, 99)(random) < 30
                              ? std::uniform_int_distribution<int>(0, 1500)(random)
                              : std::uniform_int_distribution<int>(0, 30000)(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "the editor ended in round " << round;
        const int completed = static_cast<int>(child.readAllStandardOutput().count('.'));
        totalCalls += completed;
        roundsWithProgress += completed > 0 ? 1 : 0;

        const QByteArray after = qvtest::readAll(path);
        const auto states =
            replay(tmp.filePath("replay/qv.ini"), before, seed, completed, messages);
        ASSERT_TRUE(after == states[0] || after == states[1])
            << "round " << round << ", killed after " << completed << " calls\n--- file:\n"
            << after.constData() << "\n--- before the call:\n"
            << states[0].constData() << "\n--- after it:\n"
            << states[1].constData();
        leftovers += qvrel::folderEntries(menuDir);
    }
    // A killer that never caught the child at work would prove nothing.
    EXPECT_GE(roundsWithProgress, kRounds / 2);
    EXPECT_GE(totalCalls, 2L * kRounds);

    // Whatever the kills left behind, the next change works and clears it away: a killed writer's
    // temporary file is hidden (no reader takes it for a menu), never named like the menu, and
    // removed by the next write once its process is gone.
    EXPECT_EQ(qv::WriteKey(path, qv::kSettings, qv::kNumberOfTabs, "2", messages), 1);
    EXPECT_EQ(qvrel::folderEntries(menuDir), QStringList{"qv.ini"});
    for (const QString& name : leftovers) {
        EXPECT_TRUE(name == "qv.ini" || (name.startsWith('.') && !name.endsWith(".ini")))
            << qPrintable(name);
    }
}

} // namespace
