// An editor killed at any moment leaves qv.ini as it was before or after the profile call it
// was making: never half written, never gone, never blocked for the next write.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/messagebox.h"
#include "tests/reliability/editscript.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <thread>

namespace {

constexpr int kRounds = 200;
constexpr unsigned kSeed = 20261207;

struct Stop {};

// What the file may hold when the child was killed after `completed` calls: replays the same
// script on a copy in this process and keeps the state before and after the next call. Every
// call is one atomic write, so no state in between is acceptable.
struct Expected {
    std::vector<QByteArray> states;
    QString call;
};

Expected replay(const QString& scratchDir, const QByteArray& start, unsigned seed, int completed) {
    const QString path = scratchDir + "/qv.ini";
    Expected expected;
    EXPECT_TRUE(qvtest::writeAll(path, start));
    QByteArray last = start;
    int calls = 0;
    qvrel::EditScript script(path, seed, [&](const QString& call) {
        const QByteArray now = qvtest::readAll(path);
        if (++calls == completed + 1) {
            expected = {{last, now}, call};
            throw Stop{};
        }
        last = now;
    });
    try {
        for (int i = 0; i < 1000000; ++i) {
            script.step();
        }
    } catch (const Stop&) {
    }
    return expected;
}

TEST(CrashSafety, KilledEditorLeavesTheFileBeforeOrAfterTheInterruptedCall) {
    qv::ScopedFakeMessageBox messages;
    QTemporaryDir tmp(qvrel::fastTempTemplate());
    ASSERT_TRUE(tmp.isValid());
    const QString menuDir = tmp.filePath("menu");
    const QString scratchDir = tmp.filePath("replay");
    ASSERT_TRUE(QDir().mkpath(menuDir) && QDir().mkpath(scratchDir));
    const QString path = menuDir + "/qv.ini";
    ASSERT_TRUE(qvtest::writeAll(path, qvrel::initialMenu()));

    std::mt19937 random(kSeed);
    long totalCalls = 0;
    int roundsWithProgress = 0;
    std::set<QString> leftovers;
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
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit)
            << "the editing child ended on its own in round " << round << ": "
            << child.readAllStandardError().constData();
        const int completed = static_cast<int>(child.readAllStandardOutput().count('.'));
        totalCalls += completed;
        roundsWithProgress += completed > 0 ? 1 : 0;

        const QByteArray after = qvtest::readAll(path);
        const Expected expected = replay(scratchDir, before, seed, completed);
        ASSERT_FALSE(expected.states.empty()) << "round " << round;
        const auto match = std::find(expected.states.begin(), expected.states.end(), after);
        ASSERT_NE(match, expected.states.end())
            << "round " << round << ", killed after " << completed << " calls, during "
            << qPrintable(expected.call) << "\n--- file:\n"
            << after.constData() << "\n--- before the call:\n"
            << expected.states[0].constData() << "\n--- after it:\n"
            << expected.states[1].constData();
        for (const QString& name :
             QDir(menuDir).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (name != QLatin1String("qv.ini")) {
                leftovers.insert(name);
            }
        }
    }
    // A killer that never caught the child at work would prove nothing.
    EXPECT_GE(roundsWithProgress, kRounds / 2);
    EXPECT_GE(totalCalls, 2L * kRounds);

    // Whatever the kills left behind, the next edits work and clear it away: a killed writer's
    // temporary file is hidden (no reader takes it for a menu), never named like the menu, and
    // removed by the next write once its process is gone.
    const QByteArray before = qvtest::readAll(path);
    qvrel::EditScript script(path, kSeed, {});
    script.addButton(1);
    script.deleteButton(1, 1);
    script.addTab();
    EXPECT_NE(qvtest::readAll(path), before);
    EXPECT_EQ(qv::ReadKey(path, qv::kSettings, qv::tabCaptionKey(script.tabCount())).value_or(""),
              QStringLiteral("Tab Caption 2"));
    for (const QString& name : leftovers) {
        EXPECT_TRUE(name.startsWith('.')) << qPrintable(name);
        EXPECT_FALSE(name.endsWith(QLatin1String(".ini"))) << qPrintable(name);
    }
    EXPECT_EQ(QDir(menuDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot),
              QStringList{"qv.ini"});
}

} // namespace
