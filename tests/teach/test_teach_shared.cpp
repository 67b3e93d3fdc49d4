// SPDX-License-Identifier: GPL-3.0-or-later
// Editors as real processes on one menu file, as on a classroom's shared folder: two editors
// changing it at once lose nothing and leave no key behind, and an editor killed at any moment
// of a delete leaves the menu as it was before or after that delete.
#include "tests/support/testutil.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QString driver() {
    return qEnvironmentVariable("QV_BUILD_DIR") + QStringLiteral("/tests/qv_editor_driver");
}

// The keys of one section of the file as written ("Button 3" -> value), read without the
// profile engine: what any other reader of the file would find.
struct Section {
    QString count;
    std::map<QString, QString> keys;
};
std::map<QString, Section> parse(const QByteArray& bytes) {
    std::map<QString, Section> sections;
    Section* current = nullptr;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('[')) {
            current = &sections[line.mid(1, line.size() - 2)];
        } else if (current != nullptr && line.contains('=')) {
            const QString key = line.section('=', 0, 0);
            const QString value = line.section('=', 1);
            if (key.compare(QStringLiteral("Number of Buttons"), Qt::CaseInsensitive) == 0) {
                current->count = value;
            } else {
                EXPECT_TRUE(current->keys.emplace(key, value).second)
                    << "twice: " << qPrintable(key);
            }
        }
    }
    return sections;
}

// The buttons of the section, 1 to its count, with no other key: none lost, none orphaned.
QStringList buttonsOf(const Section& section) {
    QStringList values;
    const int count = section.count.toInt();
    for (int k = 1; k <= count; ++k) {
        const auto found = section.keys.find(QStringLiteral("Button %1").arg(k));
        EXPECT_NE(found, section.keys.end()) << "gap at " << k;
        values << (found == section.keys.end() ? QString() : found->second);
    }
    EXPECT_EQ(section.keys.size(), std::size_t(count)) << "keys beyond the count";
    return values;
}

class SharedMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFileInfo(driver()).isExecutable()) << qPrintable(driver());
    }
    QString ini() const { return dir.filePath(QStringLiteral("qv.ini")); }
    void write(const QStringList& lines) {
        ASSERT_TRUE(qvtest::writeAll(ini(), (lines.join("\r\n") + "\r\n").toUtf8()));
    }

    // Runs editors side by side; each one's saved changes, by its output lines.
    std::vector<QStringList> together(const std::vector<QStringList>& argsOfEach) {
        std::vector<std::unique_ptr<QProcess>> editors;
        for (const QStringList& args : argsOfEach) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(driver(), QStringList{dir.path()} + args);
            EXPECT_TRUE(p->waitForStarted());
            editors.push_back(std::move(p));
        }
        std::vector<QStringList> out;
        for (auto& p : editors) {
            EXPECT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitCode(), 0);
            out.push_back(QString::fromUtf8(p->readAllStandardOutput()).split('\n'));
        }
        return out;
    }

    QTemporaryDir dir;
};

QStringList linesStarting(const QStringList& lines, const QString& word) {
    QStringList found;
    for (const QString& line : lines) {
        if (line.startsWith(word + ' ')) {
            found << line.mid(word.size() + 1);
        }
    }
    return found;
}

TEST_F(SharedMenu, TwoEditorsChangingTheMenuAtOnceLoseNothing) {
    write({"[Settings]", "Number of tabs=1", "Tab1=Shared"});

    // Both add 40 buttons to the same tab.
    const auto adds = together({{"add", "1", "a", "40"}, {"add", "1", "b", "40"}});
    QSet<QString> added;
    for (const QStringList& out : adds) {
        EXPECT_EQ(linesStarting(out, "added").size(), 40);
        for (const QString& item : linesStarting(out, "added")) {
            added.insert(item);
        }
    }
    auto sections = parse(qvtest::readAll(ini()));
    QStringList buttons = buttonsOf(sections["Tab 1"]);
    EXPECT_EQ(buttons.size(), 80);
    EXPECT_EQ(QSet<QString>(buttons.begin(), buttons.end()), added);

    // Both delete 20 of them, each from the first button of the page it sees.
    const auto deletes = together({{"delete", "1", "20"}, {"delete", "1", "20"}});
    QSet<QString> deleted;
    for (const QStringList& out : deletes) {
        EXPECT_EQ(linesStarting(out, "deleted").size(), 20);
        for (const QString& caption : linesStarting(out, "deleted")) {
            EXPECT_FALSE(deleted.contains(caption)) << "deleted twice: " << qPrintable(caption);
            deleted.insert(QStringLiteral("/apps/%1.exe").arg(caption));
        }
    }
    sections = parse(qvtest::readAll(ini()));
    const QStringList left = buttonsOf(sections["Tab 1"]);
    EXPECT_EQ(left.size(), 40);
    EXPECT_EQ(QSet<QString>(left.begin(), left.end()), added - deleted);

    // Both add 20 tabs.
    const auto tabs = together({{"addtab", "x", "20"}, {"addtab", "y", "20"}});
    sections = parse(qvtest::readAll(ini()));
    const Section& settings = sections["Settings"];
    ASSERT_EQ(settings.keys.at("Number of tabs"), QStringLiteral("41"));
    QSet<QString> captions;
    for (int t = 1; t <= 41; ++t) {
        const auto found = settings.keys.find(QStringLiteral("Tab%1").arg(t));
        ASSERT_NE(found, settings.keys.end()) << t;
        captions.insert(found->second);
    }
    EXPECT_EQ(settings.keys.size(), std::size_t(42));
    EXPECT_EQ(captions.size(), 41);
}

TEST_F(SharedMenu, AnEditorKilledDuringADeleteLeavesTheMenuBeforeOrAfter) {
    constexpr int kButtons = 1500;
    constexpr int kKills = 200;
    QStringList menu{"[Settings]", "Number of tabs=1", "Tab1=T", "[Tab 1]",
                     QStringLiteral("Number of Buttons=%1").arg(kButtons)};
    for (int b = 1; b <= kButtons; ++b) {
        menu << QStringLiteral("Button %1=/apps/i%2.exe").arg(b).arg(b);
    }
    write(menu);
    int lastCount = kButtons;
    for (int kill = 0; kill < kKills && lastCount > 0; ++kill) {
        QProcess editor;
        editor.start(driver(), {dir.path(), "deleteloop", "1"});
        ASSERT_TRUE(editor.waitForStarted());
        ASSERT_TRUE(editor.waitForReadyRead(20000)); // "ready": loaded, about to delete
        if (kill % 20 == 19) {
            // Now and then a whole delete first, however slow the machine: the lock a killed
            // editor left must not hold this one up.
            ASSERT_TRUE(qvtest::waitUntil([&] {
                return buttonsOf(parse(qvtest::readAll(ini()))["Tab 1"]).size() < lastCount;
            })) << "no delete after kill "
                << kill;
        }
        // Somewhere in the middle of a delete: reading the file, writing the new one, renaming.
        QThread::usleep(QRandomGenerator::global()->bounded(30000));
        ::kill(static_cast<pid_t>(editor.processId()), SIGKILL);
        ASSERT_TRUE(editor.waitForFinished(20000));

        // The buttons left are the last ones, in order, under an exact count: whole deletes only.
        const QStringList left = buttonsOf(parse(qvtest::readAll(ini()))["Tab 1"]);
        ASSERT_LE(left.size(), lastCount);
        for (int k = 0; k < left.size(); ++k) {
            ASSERT_EQ(left[k], QStringLiteral("/apps/i%1.exe").arg(kButtons - left.size() + k + 1))
                << "after kill " << kill;
        }
        lastCount = static_cast<int>(left.size());
    }
    // The kills fell on deletes, and the lock of a killed editor never held the next one up.
    EXPECT_LT(lastCount, kButtons);
}

} // namespace
