// SPDX-License-Identifier: GPL-3.0-or-later
// The chooser of a new button's item: the installed applications sorted as the user's language
// sorts them, filtered while typing, chosen with the keys; another file through the file dialog;
// and the first menu offered when the editor finds none.
#include "platform/applist/applist.h"
#include "platform/dialogs/messagebox.h"
#include "platform/profile/atomicfile.h"
#include "teach/firstmenu.h"
#include "teach/frmChoose.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

QStringList names(const std::vector<qv::InstalledApp>& apps) {
    QStringList out;
    for (const auto& a : apps) {
        out << a.name;
    }
    return out;
}

// The rows the list shows, in order.
QStringList shown(const frmChoose& d) {
    QStringList out;
    for (int row = 0; row < d.lstApps->count(); ++row) {
        if (!d.lstApps->item(row)->isHidden()) {
            out << d.lstApps->item(row)->text();
        }
    }
    return out;
}

qv::FakeAppList someApps() {
    qv::FakeAppList apps;
    for (const char* name : {"zeta", "Banana", "App 10", "apple", "Éclair", "App 2", "Date"}) {
        apps.list.push_back({QString::fromUtf8(name),
                             {},
                             QStringLiteral("/share/applications/%1.desktop").arg(name)});
    }
    return apps;
}

TEST(Chooser, ListsTheApplicationsAsTheLanguageSortsThem) {
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    qv::FakeAppList apps = someApps();
    const QStringList sorted{"App 2", "App 10", "apple", "Banana", "Date", "Éclair", "zeta"};
    EXPECT_EQ(names(frmChoose::sortedApps(apps.list)), sorted);
    frmChoose d(&apps);
    EXPECT_EQ(shown(d), sorted);
    EXPECT_EQ(d.lstApps->currentItem()->text(), QStringLiteral("App 2"));
    frmChoose none(nullptr);
    EXPECT_EQ(none.lstApps->count(), 0);
    EXPECT_FALSE(none.cmdChoose->isEnabled());
}

TEST(Chooser, TypingFiltersAndTheKeysChoose) {
    qv::FakeAppList apps = someApps();
    const std::tuple<const char*, QStringList, const char*> rows[] = {
        {"AP", {"App 2", "App 10", "apple"}, "App 2"},
        {"an", {"Banana"}, "Banana"},
        {"éC", {"Éclair"}, "Éclair"},
        {"nothing", {}, nullptr},
    };
    for (const auto& [typed, expected, current] : rows) {
        frmChoose d(&apps);
        d.show();
        const QString text = QString::fromUtf8(typed);
        // QTest types only ASCII; other letters arrive as the input method puts them in.
        if (text.toLatin1() == QByteArray(typed)) {
            QTest::keyClicks(d.txtSearch, text);
        } else {
            d.txtSearch->insert(text);
        }
        EXPECT_EQ(shown(d), expected) << typed;
        QListWidgetItem* item = d.lstApps->currentItem();
        EXPECT_EQ(item != nullptr && !item->isHidden() ? item->text() : QString(),
                  current ? QString::fromUtf8(current) : QString())
            << typed;
        QTest::keyClick(d.txtSearch, Qt::Key_Return);
        EXPECT_EQ(d.result() == QDialog::Accepted, current != nullptr) << typed;
        EXPECT_EQ(
            d.chosen(),
            current
                ? QStringLiteral("/share/applications/%1.desktop").arg(QString::fromUtf8(current))
                : QString());
    }
    // Down in the search box moves through the list; Escape chooses nothing.
    frmChoose d(&apps);
    d.show();
    QTest::keyClicks(d.txtSearch, QStringLiteral("ap"));
    QTest::keyClick(d.txtSearch, Qt::Key_Down);
    EXPECT_EQ(d.lstApps->currentItem()->text(), QStringLiteral("App 10"));
    QTest::keyClick(d.txtSearch, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_TRUE(d.chosen().isEmpty());
}

TEST(Chooser, OtherFileTakesThePickedFileAndCancelKeepsTheList) {
    qv::FakeAppList apps = someApps();
    frmChoose d(&apps);
    QString picked;
    d.pickFile = [&](QWidget*) { return picked; };
    d.show();
    d.cmdOther->click();
    EXPECT_TRUE(d.isVisible());
    picked = QStringLiteral("/usr/bin/xcalc");
    d.cmdOther->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.chosen(), picked);
}

// --- the first menu ---

class FirstMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(qvtest::writeAll(starter(), kStarter));
    }
    QString starter() const { return dir.filePath(QStringLiteral("starter.ini")); }
    QString path(const char* relative) const { return dir.filePath(QString::fromUtf8(relative)); }

    static constexpr const char* kStarter = "[Settings]\r\nNumber of tabs=1\r\nTab1=Programs\r\n";
    QTemporaryDir dir;
    qv::FakeMessageBox box;
};

TEST_F(FirstMenu, TheQuestionSaysWhereAndWhoSeesTheMenu) {
    using qv::MenuSource;
    const std::tuple<MenuSource, const char*> rows[] = {
        {MenuSource::UserConfig, "pupils on other accounts will not see this menu"},
        {MenuSource::Environment, "pupils whose Quorvel Student uses the same setting will see"},
        {MenuSource::SystemConfig, "pupils whose Quorvel Student uses the same setting will see"},
        {MenuSource::Option, "only where Quorvel Student is started with the same option"},
    };
    for (const auto& [source, says] : rows) {
        const QString text = qv::firstmenu::question({path("m/qv.ini"), source, {}});
        EXPECT_TRUE(text.contains(path("m/qv.ini"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(says))) << text.toStdString();
    }
}

TEST_F(FirstMenu, MadeFromTheStarterOnlyWhenAskedAndNothingIsThere) {
    using qv::firstmenu::Outcome;
    ASSERT_TRUE(qvtest::writeAll(path("file"), "not a folder"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));
    ASSERT_TRUE(qvtest::writeAll(path("taken/qv.ini"), "[Settings]\r\nNumber of tabs=0\r\n"));
    const std::tuple<const char*, bool, QByteArray> rows[] = {
        {"new/folder/qv.ini", true, kStarter}, // the folder is made too
        {"declined/qv.ini", false, {}},
        {"taken/qv.ini", true, "[Settings]\r\nNumber of tabs=0\r\n"}, // never overwritten
        {"file/qv.ini", true, {}}, // not a folder: not offered, the usual message follows
    };
    for (const auto& [where, yes, after] : rows) {
        int asked = 0;
        qv::firstmenu::offer({path(where), qv::MenuSource::Environment, {}}, starter(), box,
                             [&, yes = yes](const QString&) {
                                 ++asked;
                                 return yes;
                             });
        EXPECT_EQ(qvtest::readAll(path(where)), after) << where;
        const bool offered =
            QByteArray(where) != "taken/qv.ini" && QByteArray(where) != "file/qv.ini";
        EXPECT_EQ(asked, offered ? 1 : 0) << where;
    }
    EXPECT_TRUE(box.messages.empty());

    // A folder the user may not write in (root may write anywhere, so a user who may not).
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::ExeOther));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    for (const char* where : {"locked/qv.ini", "locked/sub/qv.ini"}) {
        EXPECT_TRUE(qvtest::asUnprivileged([&] {
            const qv::firstmenu::Made made = qv::firstmenu::create(path(where), starter());
            return made.outcome == Outcome::NotWritable &&
                   made.message.contains(path(where).section(QLatin1Char('/'), 0, -2));
        })) << where;
        EXPECT_FALSE(QFile::exists(path(where)));
    }

    EXPECT_EQ(qv::firstmenu::create(path("again/qv.ini"), path("missing.ini")).outcome,
              Outcome::NoStarter);
    EXPECT_FALSE(QFile::exists(path("again/qv.ini")));
}

TEST_F(FirstMenu, ACreateNeverReplacesWhatIsThere) {
    using qv::profile::CreateResult;
    ASSERT_TRUE(qvtest::writeAll(path("old.ini"), "old"));
    ASSERT_TRUE(QFile::link(path("nowhere"), path("dangling.ini")));
    const std::tuple<const char*, CreateResult> rows[] = {
        {"new.ini", CreateResult::Created},
        {"old.ini", CreateResult::Exists},
        {"dangling.ini", CreateResult::Exists},
    };
    for (const auto& [name, result] : rows) {
        EXPECT_EQ(
            qv::profile::createFileExclusively(QFile::encodeName(path(name)).constData(), "new"),
            result)
            << name;
    }
    EXPECT_EQ(qvtest::readAll(path("new.ini")), "new");
    EXPECT_EQ(qvtest::readAll(path("old.ini")), "old");
    EXPECT_FALSE(QFile::exists(path("nowhere")));
    // No temporary file stays behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 4);
    EXPECT_FALSE(qv::firstmenu::nothingAt(path("dangling.ini")));
    EXPECT_TRUE(qv::firstmenu::nothingAt(path("none/qv.ini")));
}

} // namespace
