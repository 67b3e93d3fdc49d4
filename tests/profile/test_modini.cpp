// modini: its rules, its exact messages, and the mends (atomic and complete renames, failed
// saves reported, unsafe texts refused).
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/filetest.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "tests/support/testutil.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kVerify =
    QStringLiteral("\r\nVerify spelling and capitilization is correct.  Case-sensative.");

// A menu as a Windows editor's "Unicode" save in big-endian order would hold it.
QByteArray utf16be(const char16_t* text) {
    QByteArray out("\xFE\xFF");
    for (const char16_t* c = text; *c != 0; ++c) {
        out += static_cast<char>(*c >> 8);
        out += static_cast<char>(*c & 0xFF);
    }
    return out;
}

class Modini : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("qv.ini");
    }
    QByteArray bytes() const { return qvtest::readAll(path); }
    void write(const QByteArray& b) { ASSERT_TRUE(qvtest::writeAll(path, b)); }
    const std::vector<qv::FakeMessageBox::Message>& messages() const { return box.fake.messages; }
    void expectOnlyMessage(const QString& text, const QString& title, qv::MsgIcon icon) {
        ASSERT_EQ(messages().size(), 1U);
        EXPECT_EQ(messages()[0].text, text);
        EXPECT_EQ(messages()[0].title, title);
        EXPECT_EQ(messages()[0].icon, icon);
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    QString path;
    qv::ScopedFakeMessageBox box;
};

TEST_F(Modini, EveryOperationWithTheFileTestReportsAMissingFile) {
    const QString missing = dir.filePath("none.ini");
    const QString text = missing + " not found.";
    struct Case {
        const char* what;
        std::function<bool()> call; // true when the result is "refused/absent"
    };
    const Case cases[] = {
        {"ReadKey", [&] { return !qv::ReadKey(missing, "S", "k").has_value(); }},
        {"DeleteSection", [&] { return qv::DeleteSection(missing, "S") == 0; }},
        {"DeleteKey", [&] { return qv::DeleteKey(missing, "S", "k") == 0; }},
        {"SectionExists", [&] { return !qv::SectionExists(missing, "S"); }},
        {"KeyExists", [&] { return !qv::KeyExists(missing, "S", "k"); }},
        {"RenameSection", [&] { return qv::RenameSection(missing, "S", "T") == 0; }},
        {"RenameKey", [&] { return qv::RenameKey(missing, "S", "k", "j") == 0; }},
    };
    for (const Case& c : cases) {
        box.fake.messages.clear();
        EXPECT_TRUE(c.call()) << c.what;
        ASSERT_EQ(messages().size(), 1U) << c.what;
        EXPECT_EQ(messages()[0].text, text) << c.what;
        EXPECT_EQ(messages()[0].title, "File Not Found") << c.what;
        EXPECT_EQ(messages()[0].icon, qv::MsgIcon::Stop) << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(qv::ReadKey(missing, "S", "k").value_or(QString()), QString());
}

// ReadKey tests the file through its own read; it must decide as the separate file test does.
TEST_F(Modini, ReadKeyTestsTheFileAsTheOtherOperationsDo) {
    write("[S]\r\nk=v\r\n");
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(qvtest::writeAll(folder + "/qv.ini", "[S]\r\nk=w\r\n"));
    ASSERT_TRUE(QDir().mkdir(dir.filePath(".hidden")));
    ASSERT_TRUE(qvtest::writeAll(dir.filePath(".hidden/qv.ini"), "[S]\r\nk=h\r\n"));
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);
    const QString link = dir.filePath("link.ini");
    ASSERT_EQ(::symlink(path.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    const QString dangling = dir.filePath("dangling.ini");
    ASSERT_EQ(::symlink("nowhere", dangling.toLocal8Bit().constData()), 0);
    const QString hiddenLink = dir.filePath(".link.ini");
    ASSERT_EQ(::symlink(path.toLocal8Bit().constData(), hiddenLink.toLocal8Bit().constData()), 0);
    struct Case {
        QString path;
        bool normal;
        const char* value;
    };
    const Case cases[] = {
        {path, true, "v"},
        {dir.filePath("none.ini"), false, ""},
        {folder, false, ""},
        {folder + "/", false, ""},
        {folder + "/qv.ini", true, "w"},
        {dir.filePath(".hidden/qv.ini"), true, "h"},
        {fifo, false, ""},
        {link, true, "v"},
        {dangling, false, ""},
        {hiddenLink, false, ""},
        {path + "/below.ini", false, ""},
        {QString(), false, ""},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(qv::isNormalFile(c.path), c.normal) << qPrintable(c.path);
        box.fake.messages.clear();
        const qv::ProfileValue got = qv::ReadKey(c.path, "S", "k");
        EXPECT_EQ(got.has_value(), c.normal) << qPrintable(c.path);
        EXPECT_EQ(messages().size(), c.normal ? 0U : 1U) << qPrintable(c.path);
        if (!c.normal && !messages().empty()) {
            EXPECT_EQ(messages()[0].text, c.path + " not found.");
        }
        EXPECT_EQ(got.value_or(QString()), QString::fromLatin1(c.value)) << qPrintable(c.path);
    }

    // Without root rights: a file that cannot be read is still there (its value is empty), one
    // in a folder that cannot be searched is not.
    const QString unreadable = dir.filePath("unreadable.ini");
    ASSERT_TRUE(qvtest::writeAll(unreadable, "[S]\r\nk=v\r\n"));
    const QString closed = dir.filePath("closed");
    ASSERT_TRUE(QDir().mkdir(closed));
    ASSERT_TRUE(qvtest::writeAll(closed + "/qv.ini", "[S]\r\nk=v\r\n"));
    ASSERT_EQ(::chmod(unreadable.toLocal8Bit().constData(), 0200), 0);
    ASSERT_EQ(::chmod(closed.toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(3);
        }
        box.fake.messages.clear();
        const qv::ProfileValue a = qv::ReadKey(unreadable, "S", "k");
        const bool readable = qv::isNormalFile(unreadable) && a == QString() && messages().empty();
        const qv::ProfileValue b = qv::ReadKey(closed + "/qv.ini", "S", "k");
        const bool hidden =
            !qv::isNormalFile(closed + "/qv.ini") && !b.has_value() && messages().size() == 1;
        ::_exit(readable && hidden ? 0 : readable ? 1 : 2);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::chmod(dir.path().toLocal8Bit().constData(), 0700);
    ::chmod(closed.toLocal8Bit().constData(), 0700);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
}

TEST_F(Modini, AHiddenFileCountsAsMissing) {
    const QString hidden = dir.filePath(".qv.ini");
    ASSERT_TRUE(qvtest::writeAll(hidden, "[S]\r\nk=v\r\n"));
    EXPECT_FALSE(qv::ReadKey(hidden, "S", "k").has_value());
    expectOnlyMessage(hidden + " not found.", "File Not Found", qv::MsgIcon::Stop);
}

TEST_F(Modini, ReadKeyGivesEmptyTextForMissingOrEmptyValues) {
    write("[S]\r\nempty=\r\n");
    EXPECT_EQ(qv::ReadKey(path, "S", "missing"), QString());
    EXPECT_EQ(qv::ReadKey(path, "S", "empty"), QString());
    EXPECT_EQ(qv::ReadKey(path, "none", "k"), QString());
    EXPECT_TRUE(qv::ReadKey(path, "S", "missing").has_value());
    EXPECT_TRUE(messages().empty());
}

TEST_F(Modini, ReadKeyCutsAValueTo254Characters) {
    struct Case {
        const char* what;
        QString value;
    };
    const Case cases[] = {
        {"ASCII", QString(300, QLatin1Char('x'))},
        {"two-byte characters", QString(300, QChar(0xE9))},
        {"characters outside the BMP",
         QString::fromUcs4(std::u32string(300, U'\U0001F600').data(), 300)},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(qv::WriteKey(path, "S", "k", c.value), 1) << c.what;
        const QString read = qv::ReadKey(path, "S", "k").value_or(QString());
        EXPECT_EQ(read.toUcs4().size(), 254) << c.what;
        EXPECT_TRUE(c.value.startsWith(read)) << c.what;
        EXPECT_TRUE(qv::ValueWasCut(path, "S", "k", read)) << c.what;
        // A value of exactly 254 characters, at the widest encoding too, is whole.
        const QString whole = c.value.left(c.value.size() * 254 / 300);
        ASSERT_EQ(qv::WriteKey(path, "S", "k", whole), 1) << c.what;
        EXPECT_EQ(qv::ReadKey(path, "S", "k"), whole) << c.what;
        EXPECT_FALSE(qv::ValueWasCut(path, "S", "k", whole)) << c.what;
    }
    // A NUL byte ends the value itself, as the Windows functions read it: nothing was cut.
    write(QByteArray("[S]\r\nk=/bin/true\0 --not-this\r\n", 30));
    EXPECT_EQ(qv::ReadKey(path, "S", "k"), "/bin/true");
    EXPECT_FALSE(qv::ValueWasCut(path, "S", "k", "/bin/true"));
}

TEST_F(Modini, ReadKeysReadsWhatReadKeyReadsKeyByKey) {
    write("Tab1=before any section\r\n[settings]\r\n TAB1 = First \r\ntab1=Duplicate\r\n"
          "Tab2=\"Quoted\"\r\nTab3=" +
          QByteArray(300, 'x') +
          "\r\nTab4 =  spaced value  \r\n[Settings]\r\nTab5=second section\r\n"
          "[Other]\r\nTab6=elsewhere\r\n");
    const std::vector<QString> keys = {"Tab1", "tab2", " Tab3 ", "Tab4", "Tab5", "Tab6", "Tab7"};
    const auto values = qv::ReadKeys(path, "Settings", keys);
    ASSERT_TRUE(values.has_value());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ((*values)[i], qv::ReadKey(path, "Settings", keys[i])) << qPrintable(keys[i]);
    }
    EXPECT_EQ((*values)[0], "First");
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(qv::ReadKeys(dir.filePath("none.ini"), "Settings", keys).has_value());
    EXPECT_EQ(messages().size(), 1U);
}

TEST_F(Modini, TextsAreStoredInTheLocaleEncoding) {
    ASSERT_EQ(qv::WriteKey(path, QStringLiteral("Tab 1"), QStringLiteral("Button 1"),
                           QStringLiteral("/home/Schüler/Übung.lnk")),
              1);
    EXPECT_EQ(bytes(), QByteArray("[Tab 1]\r\nButton 1=/home/Sch\xC3\xBCler/\xC3\x9C"
                                  "bung.lnk\r\n"));
    EXPECT_EQ(qv::ReadKey(path, "tab 1", "button 1"), QStringLiteral("/home/Schüler/Übung.lnk"));
}

TEST_F(Modini, WriteKeyReplacesTheCountWrittenUnderTheOtherSpelling) {
    write("[Tab 1]\r\nNumber Of Buttons=2\r\nButton 1=a\r\nButton 2=b\r\n");
    EXPECT_EQ(qv::WriteKey(path, "Tab 1", "Number of Buttons", "3"), 1);
    EXPECT_EQ(bytes(), "[Tab 1]\r\nNumber Of Buttons=3\r\nButton 1=a\r\nButton 2=b\r\n");
    EXPECT_EQ(qv::ReadKey(path, "Tab 1", "Number Of Buttons"), "3");
}

TEST_F(Modini, WriteKeyCreatesAMissingFileWithoutAMessage) {
    EXPECT_EQ(qv::WriteKey(path, "Tab 1", "Button 1", "x"), 1);
    EXPECT_EQ(bytes(), "[Tab 1]\r\nButton 1=x\r\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Modini, AFailedSaveReturns0WithAStopMessageAndKeepsTheFile) {
    const QByteArray original = "[Settings]\r\nNumber of tabs=1\r\nTab1=Writing\r\n";
    write(original);
    const QString text = path + " could not be saved; the file was left as it was. ~(";
    struct Case {
        const char* op;
        std::function<std::int16_t()> call;
    };
    const Case cases[] = {
        {"WriteKey", [&] { return qv::WriteKey(path, "Settings", "Number of tabs", "2"); }},
        {"DeleteKey", [&] { return qv::DeleteKey(path, "Settings", "Tab1"); }},
        {"DeleteSection", [&] { return qv::DeleteSection(path, "Settings"); }},
        {"RenameSection", [&] { return qv::RenameSection(path, "Settings", "Other"); }},
        {"RenameKey", [&] { return qv::RenameKey(path, "Settings", "Tab1", "Tab2"); }},
    };
    for (const Case& c : cases) {
        for (auto step : {qv::profile::WriteStep::OpenTemp, qv::profile::WriteStep::Write,
                          qv::profile::WriteStep::Flush, qv::profile::WriteStep::Rename}) {
            box.fake.messages.clear();
            qv::profile::ScopedWriteFailure failure(step);
            EXPECT_EQ(c.call(), 0) << c.op;
            expectOnlyMessage(text + c.op + ")", "File Not Saved", qv::MsgIcon::Stop);
            EXPECT_EQ(bytes(), original) << c.op;
            EXPECT_EQ(entries(), QStringList{"qv.ini"}) << c.op;
        }
    }
}

TEST_F(Modini, AReadOnlyFolderFailsWriteKeyAndKeepsTheFile) {
    write("[S]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0555), 0);
    // The check runs without root rights, who could write anyway; the message box is the fake.
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(3);
        }
        const bool ok = qv::WriteKey(path, "S", "k", "2") == 0 && messages().size() == 1 &&
                        messages()[0].title == "File Not Saved";
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::chmod(dir.path().toLocal8Bit().constData(), 0700);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(bytes(), "[S]\r\nk=1\r\n");
}

TEST_F(Modini, TextsThatWouldInjectLinesAreRefused) {
    const QByteArray original = "[Settings]\r\nNumber of tabs=1\r\nTab1=Writing\r\n";
    write(original);
    const QString refused = "The name or text holds a line break or a character that " + path +
                            " cannot hold, so it was not saved. ~(";
    struct Case {
        const char* what;
        const char* op;
        std::function<std::int16_t()> call;
    };
    const Case cases[] = {
        {"value with CR LF", "WriteKey",
         [&] {
             return qv::WriteKey(path, "Settings", "Tab1", "x\r\n[Settings]\r\nNumber of tabs=9");
         }},
        {"value with LF", "WriteKey",
         [&] { return qv::WriteKey(path, "Settings", "Tab1", "a\nb"); }},
        {"value with CR", "WriteKey",
         [&] { return qv::WriteKey(path, "Settings", "Tab1", "a\rb"); }},
        {"value with NUL", "WriteKey",
         [&] { return qv::WriteKey(path, "Settings", "Tab1", QString("a") + QChar(0) + "b"); }},
        {"key with =", "WriteKey", [&] { return qv::WriteKey(path, "Settings", "Tab1=x", "y"); }},
        {"key starting with [", "WriteKey",
         [&] { return qv::WriteKey(path, "Settings", "[Tab1", "y"); }},
        {"section with ]", "WriteKey",
         [&] { return qv::WriteKey(path, "Set]tings", "Tab1", "y"); }},
        {"section with LF", "WriteKey",
         [&] { return qv::WriteKey(path, "Tab 1\n", "Button 1", "y"); }},
        {"new section name with ]", "RenameSection",
         [&] { return qv::RenameSection(path, "Settings", "a]\r\n[b"); }},
        {"new key with =", "RenameKey",
         [&] { return qv::RenameKey(path, "Settings", "Tab1", "a=b"); }},
        {"new key with LF", "RenameKey",
         [&] { return qv::RenameKey(path, "Settings", "Tab1", "Tab1\nNumber of tabs"); }},
    };
    for (const Case& c : cases) {
        box.fake.messages.clear();
        EXPECT_EQ(c.call(), 0) << c.what;
        expectOnlyMessage(refused + c.op + ")", "Not Saved", qv::MsgIcon::Stop);
        EXPECT_EQ(bytes(), original) << c.what;
    }
}

TEST_F(Modini, DeletionsOfWhatIsAbsentSucceedAndChangeNothing) {
    const QByteArray original = "[A]\r\nk=1\r\n";
    write(original);
    EXPECT_EQ(qv::DeleteSection(path, "B"), 1);
    EXPECT_EQ(qv::DeleteKey(path, "A", "x"), 1);
    EXPECT_EQ(qv::DeleteKey(path, "B", "k"), 1);
    EXPECT_EQ(bytes(), original);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(qv::DeleteKey(path, "a", "K"), 1);
    EXPECT_EQ(bytes(), "[A]\r\n");
    EXPECT_EQ(qv::DeleteSection(path, "a"), 1);
    EXPECT_EQ(bytes(), "");
}

TEST(ModiniLines, IsKeyLineAndIsSectionLine) {
    struct Case {
        QString line;
        bool key;
        bool section;
    };
    const Case cases[] = {
        {"", false, false},       {"=", true, false},         {"a=b", true, false},
        {"[Tab 1]", false, true}, {"[]", false, true},        {"[", false, false},
        {"]", false, false},      {" [Tab 1]", false, false}, {"[Tab 1] ", false, false},
        {"[a=b]", true, true},    {"remark", false, false},   {"[x", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::IsKeyLine(c.line), c.key) << c.line.toStdString();
        EXPECT_EQ(qv::IsSectionLine(c.line), c.section) << c.line.toStdString();
    }
}

TEST_F(Modini, SectionExistsComparesTheWholeHeaderExactly) {
    write("[tab 1]\r\n [Tab 1]\r\n[Tab 1] \r\n[Tab 10]\r\n[Tab 2]\n");
    EXPECT_FALSE(qv::SectionExists(path, "Tab 1"));
    EXPECT_TRUE(qv::SectionExists(path, "tab 1"));
    EXPECT_TRUE(qv::SectionExists(path, "Tab 10"));
    EXPECT_TRUE(qv::SectionExists(path, "Tab 2")) << "LF-only lines are lines too";
    write("");
    EXPECT_FALSE(qv::SectionExists(path, "Tab 1"));
    write("\xEF\xBB\xBF[Settings]\r\n");
    EXPECT_TRUE(qv::SectionExists(path, "Settings")) << "the BOM is no part of the line";
    EXPECT_TRUE(messages().empty());
}

TEST_F(Modini, KeyExistsLooksOnlyInItsSectionAndComparesExactly) {
    write("[Tab 1]\r\nButton 10=x\r\nremark\r\nbutton 2=y\r\n[Tab 2]\r\nButton 1=z\r\n");
    EXPECT_FALSE(qv::KeyExists(path, "Tab 1", "Button 1"));
    EXPECT_TRUE(qv::KeyExists(path, "Tab 1", "Button 10"));
    EXPECT_FALSE(qv::KeyExists(path, "Tab 1", "Button 2"));
    EXPECT_TRUE(qv::KeyExists(path, "Tab 1", "button 2"));
    EXPECT_TRUE(qv::KeyExists(path, "Tab 2", "Button 1"));
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(qv::KeyExists(path, "Tab 3", "Button 1"));
    expectOnlyMessage("Section, Tab 3, Not Found. ~(KeyExists)" + kVerify, "Section Not Found.",
                      qv::MsgIcon::Information);
}

TEST_F(Modini, RenameSectionRefusesAnExistingNewName) {
    const QByteArray original = "[Tab 1]\r\nk=1\r\n[Tab 2]\r\nk=2\r\n";
    write(original);
    EXPECT_EQ(qv::RenameSection(path, "Tab 1", "Tab 2"), 0);
    expectOnlyMessage("Tab 2 allready exists.  ~(RenameSection)", "Duplicate Section",
                      qv::MsgIcon::Information);
    EXPECT_EQ(bytes(), original);
    box.fake.messages.clear();
    EXPECT_EQ(qv::RenameSection(path, "Tab 1", "Tab 1"), 0) << "only the new name is tested";
    EXPECT_EQ(messages().size(), 1U);
    box.fake.messages.clear();
    EXPECT_EQ(qv::RenameSection(path, "Tab 9", "Tab 3"), 0);
    EXPECT_TRUE(messages().empty()) << "a missing old section is refused silently";
    EXPECT_EQ(bytes(), original);
}

struct RenameCase {
    const char* what;
    QByteArray before;
    QString oldName;
    QString newName;
    QByteArray after; // empty: refused with 0
};

TEST_F(Modini, RenameSectionRewritesTheFile) {
    const RenameCase cases[] = {
        {"first section: blanks at the start and after the header go",
         "\r\n\r\n[Tab 2]\r\n\r\n\r\nButton 1=a\r\n\r\n[Tab 3]\r\nButton 1=b\r\n", "Tab 2", "Tab 1",
         "[Tab 1]\r\nButton 1=a\r\n\r\n[Tab 3]\r\nButton 1=b\r\n"},
        {"a middle section keeps everything else",
         "[Settings]\r\nTab1=x\r\n\r\n[Tab 2]\r\nButton 1=a\r\n[Tab 3]\r\n", "Tab 2", "Tab 1",
         "[Settings]\r\nTab1=x\r\n\r\n[Tab 1]\r\nButton 1=a\r\n[Tab 3]\r\n"},
        {"the header as the last line is renamed too", "[Settings]\r\nTab1=x\r\n[Tab 2]", "Tab 2",
         "Tab 1", "[Settings]\r\nTab1=x\r\n[Tab 1]\r\n"},
        {"the only line", "[Tab 2]\r\n", "Tab 2", "Tab 1", "[Tab 1]\r\n"},
        {"only the first of two headers", "[A]\r\nk=1\r\n[A]\r\nk=2\r\n", "A", "B",
         "[B]\r\nk=1\r\n[A]\r\nk=2\r\n"},
        {"LF-only lines are written with CR LF", "[A]\nk=1\n[C]\n", "A", "B",
         "[B]\r\nk=1\r\n[C]\r\n"},
        {"the BOM stays", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "B", "\xEF\xBB\xBF[B]\r\nk=1\r\n"},
        {"UTF-16 stays UTF-16", utf16be(u"[A]\nk=\u00e9\r\n"), "A", "B",
         utf16be(u"[B]\r\nk=\u00e9\r\n")},
        {"exact header only", "[tab 2]\r\n [Tab 2]\r\n", "Tab 2", "Tab 1", ""},
    };
    for (const RenameCase& c : cases) {
        write(c.before);
        const std::int16_t result = qv::RenameSection(path, c.oldName, c.newName);
        if (c.after.isEmpty()) {
            EXPECT_EQ(result, 0) << c.what;
            EXPECT_EQ(bytes(), c.before) << c.what;
        } else {
            EXPECT_EQ(result, 1) << c.what;
            EXPECT_EQ(bytes(), c.after) << c.what;
            EXPECT_TRUE(qv::SectionExists(path, c.newName)) << c.what;
        }
        EXPECT_EQ(entries(), QStringList{"qv.ini"}) << c.what;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(Modini, RenameSectionKeepsPermissions) {
    write("[A]\r\n");
    ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0640), 0);
    EXPECT_EQ(qv::RenameSection(path, "A", "B"), 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640U);
}

TEST_F(Modini, RenameKeyMovesTheKeyToTheEndOfItsSection) {
    write(
        "[Tab 1]\r\nNumber of Buttons=3\r\nButton 3=A\r\nButton 4=B\r\n[Tab 2]\r\nButton 3=C\r\n");
    EXPECT_EQ(qv::RenameKey(path, "Tab 1", "Button 3", "Button 2"), 1);
    EXPECT_EQ(bytes(), "[Tab 1]\r\nNumber of Buttons=3\r\nButton 4=B\r\nButton 2=A\r\n[Tab 2]\r\n"
                       "Button 3=C\r\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Modini, RenameKeyMovesALongValueWhole) {
    const QString longValue = "/srv/" + QString(400, 'p') + "/program";
    ASSERT_EQ(qv::WriteKey(path, "Tab 1", "Button 2", longValue), 1);
    EXPECT_EQ(qv::RenameKey(path, "Tab 1", "Button 2", "Button 1"), 1);
    EXPECT_EQ(bytes(), "[Tab 1]\r\nButton 1=" + longValue.toUtf8() + "\r\n");
}

TEST_F(Modini, RenameKeyRefusalsAndTheirMessages) {
    const QByteArray original = "[Tab 1]\r\nButton 1=a\r\nButton 2=b\r\n[Tab 2]\r\nButton 3=c\r\n";
    struct Case {
        QString section, oldKey, newKey, text, title;
    };
    const Case cases[] = {
        {"Tab 3", "Button 1", "Button 9", "Section, Tab 3, Not Found. ~(RenameKey)" + kVerify,
         "Section Not Found."},
        {"tab 1", "Button 1", "Button 9", "Section, tab 1, Not Found. ~(RenameKey)" + kVerify,
         "Section Not Found."},
        {"Tab 1", "Button 3", "Button 9", "Key, Button 3, Not Found. ~(RenameKey)" + kVerify,
         "Key Not Found."},
        {"Tab 1", "button 1", "Button 9", "Key, button 1, Not Found. ~(RenameKey)" + kVerify,
         "Key Not Found."},
        {"Tab 1", "Button 1", "Button 2",
         "Button 2 allready exists in the section, Tab 1.  ~(RenameKey)", "Duplicate Key."},
    };
    for (const Case& c : cases) {
        write(original);
        box.fake.messages.clear();
        EXPECT_EQ(qv::RenameKey(path, c.section, c.oldKey, c.newKey), 0) << c.text.toStdString();
        expectOnlyMessage(c.text, c.title, qv::MsgIcon::Information);
        EXPECT_EQ(bytes(), original);
    }
}

// A file beyond the engine's bound (sparse, so that it costs no disk) is neither read nor
// written: every operation names that cause, once, and the file stays as it was.
TEST_F(Modini, AFileTooLargeToReadIsReportedAsSuchAndKept) {
    write("[S]\r\nk=1\r\n[T]\r\n");
    const qint64 size = static_cast<qint64>(qv::profile::kMaxProfileBytes) + 1;
    ASSERT_EQ(::truncate(path.toLocal8Bit().constData(), size), 0);
    EXPECT_TRUE(qv::ProfileTooLarge(path));
    const QString text = "qv.ini is larger than 64 MiB and is not read";
    struct Case {
        const char* op;
        std::function<bool()> call; // true when nothing was read or done
    };
    const Case cases[] = {
        {"ReadKey", [&] { return qv::ReadKey(path, "S", "k") == QString(); }},
        {"WriteKey", [&] { return qv::WriteKey(path, "S", "k", "2") == 0; }},
        {"DeleteKey", [&] { return qv::DeleteKey(path, "S", "k") == 0; }},
        {"DeleteSection", [&] { return qv::DeleteSection(path, "S") == 0; }},
        {"SectionExists", [&] { return !qv::SectionExists(path, "S"); }},
        {"KeyExists", [&] { return !qv::KeyExists(path, "S", "k"); }},
        {"RenameSection", [&] { return qv::RenameSection(path, "S", "U") == 0; }},
        {"RenameKey", [&] { return qv::RenameKey(path, "S", "k", "j") == 0; }},
    };
    for (const Case& c : cases) {
        box.fake.messages.clear();
        EXPECT_TRUE(c.call()) << c.op;
        expectOnlyMessage(text, "File Too Large", qv::MsgIcon::Stop);
        EXPECT_EQ(QFileInfo(path).size(), size) << c.op;
    }
    EXPECT_EQ(entries(), QStringList{"qv.ini"});

    // One user action that fails twice says it once; the next action says it again.
    box.fake.messages.clear();
    QEventLoop loop;
    QTimer::singleShot(0, [&] {
        qv::WriteKey(path, "Settings", "Number of tabs", "1");
        qv::WriteKey(path, "Settings", "Tab1", "A");
    });
    QTimer::singleShot(1, [&] {
        qv::WriteKey(path, "Settings", "Number of tabs", "1");
        loop.quit();
    });
    loop.exec();
    EXPECT_EQ(messages().size(), 2U);
    write("[S]\r\n");
    EXPECT_FALSE(qv::ProfileTooLarge(path));
}

} // namespace

namespace {

using Renames = std::vector<std::pair<QString, QString>>;

Renames moveDown(int from, int to) {
    Renames out;
    for (int k = from; k <= to; ++k) {
        out.emplace_back(qv::buttonKey(k), qv::buttonKey(k - 1));
    }
    return out;
}

// RenameKeys must leave the file and show the messages exactly as the same RenameKey calls one
// after the other do, only in one write.
TEST_F(Modini, RenameKeysDoesWhatTheSameRenameKeyCallsDo) {
    const QByteArray menu = "[Settings]\r\nNumber of tabs=2\r\n[Tab 1]\r\nNumber of Buttons=5\r\n"
                            "Button 2=\"/b\"  \r\nButton 3=/c\r\nbutton 4=/d\r\nButton 5=/e\r\n"
                            "Button 7=/g\r\n[Tab 2]\r\nButton 1=/x\r\n";
    struct Case {
        const char* what;
        QByteArray bytes;
        QString section;
        Renames renames;
    };
    const Case cases[] = {
        {"the editor's move down", menu, "Tab 1", moveDown(2, 5)},
        {"a key missing in the middle", menu, "Tab 1", moveDown(2, 8)},
        {"a key spelt otherwise", menu, "Tab 1", {{"Button 4", "Button 9"}}},
        {"onto an existing key",
         menu,
         "Tab 1",
         {{"Button 3", "Button 2"}, {"Button 2", "Button 1"}}},
        {"a chain that frees its own target",
         menu,
         "Tab 1",
         {{"Button 2", "Button 1"}, {"Button 3", "Button 2"}, {"Button 2", "Button 6"}}},
        {"a missing section", menu, "Tab 3", moveDown(2, 3)},
        {"a section only case-blind equal", menu, "tab 1", moveDown(2, 3)},
        {"a refused new key", menu, "Tab 1", {{"Button 2", "a=b"}, {"Button 3", "Button 1"}}},
        {"a last line without line end", "[Tab 1]\r\nButton 2=/b\r\nButton 3=/c", "Tab 1",
         moveDown(2, 3)},
        {"nothing to do", menu, "Tab 1", {}},
    };
    const QString one = dir.filePath("one.ini");
    for (const Case& c : cases) {
        ASSERT_TRUE(qvtest::writeAll(one, c.bytes));
        box.fake.messages.clear();
        int expected = 0;
        for (const auto& [from, to] : c.renames) {
            expected += qv::RenameKey(one, c.section, from, to);
        }
        const auto oneByOne = box.fake.messages;

        write(c.bytes);
        box.fake.messages.clear();
        EXPECT_EQ(qv::RenameKeys(path, c.section, c.renames), expected) << c.what;
        EXPECT_EQ(bytes(), qvtest::readAll(one)) << c.what;
        ASSERT_EQ(messages().size(), oneByOne.size()) << c.what;
        for (std::size_t i = 0; i < oneByOne.size(); ++i) {
            EXPECT_EQ(messages()[i].text, QString(oneByOne[i].text).replace(one, path)) << c.what;
            EXPECT_EQ(messages()[i].title, oneByOne[i].title) << c.what;
            EXPECT_EQ(messages()[i].icon, oneByOne[i].icon) << c.what;
        }
        if (expected == 0) {
            EXPECT_EQ(bytes(), c.bytes) << c.what << ": nothing renamed, nothing written";
        }
    }
}

TEST_F(Modini, RenameKeysWritesOnceOrNotAtAll) {
    const QByteArray menu = "[Tab 1]\r\nButton 2=/b\r\nButton 3=/c\r\nButton 4=/d\r\n";
    write(menu);
    struct stat before {};
    ASSERT_EQ(::stat(path.toLocal8Bit().constData(), &before), 0);
    EXPECT_EQ(qv::RenameKeys(path, "Tab 1", moveDown(2, 4)), 3);
    EXPECT_EQ(bytes(), "[Tab 1]\r\nButton 1=/b\r\nButton 2=/c\r\nButton 3=/d\r\n");
    EXPECT_TRUE(messages().empty());

    // A save that fails keeps every rename out of the file and says so once.
    for (const auto step : {qv::profile::WriteStep::OpenTemp, qv::profile::WriteStep::Write,
                            qv::profile::WriteStep::Flush, qv::profile::WriteStep::Rename}) {
        write(menu);
        box.fake.messages.clear();
        qv::profile::ScopedWriteFailure failure(step);
        EXPECT_EQ(qv::RenameKeys(path, "Tab 1", moveDown(2, 4)), 0);
        EXPECT_EQ(bytes(), menu);
        expectOnlyMessage(path + " could not be saved; the file was left as it was. ~(RenameKey)",
                          "File Not Saved", qv::MsgIcon::Stop);
        EXPECT_EQ(entries(), QStringList{"qv.ini"});
    }

    // A missing file is reported once, not once a key.
    box.fake.messages.clear();
    const QString missing = dir.filePath("none.ini");
    EXPECT_EQ(qv::RenameKeys(missing, "Tab 1", moveDown(2, 4)), 0);
    expectOnlyMessage(missing + " not found.", "File Not Found", qv::MsgIcon::Stop);
}

} // namespace
