// SPDX-License-Identifier: GPL-3.0-or-later
// modini: its rules, its exact messages, and the mends (atomic and complete renames, failed
// saves reported, unsafe texts refused); then the layout of qv.ini the programs read through it.
#include "common/menulayout.h"
#include "common/modini.h"
#include "platform/dialogs/messagebox.h"
#include "platform/files/filetest.h"
#include "platform/profile/profile.h"
#include "tests/support/testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kVerify =
    QStringLiteral("\r\nVerify spelling and capitilization is correct.  Case-sensative.");

// A menu as a Windows editor's "Unicode" save in big-endian order would hold it.
QByteArray utf16be(QStringView text) {
    return "\xFE\xFF" + QByteArray(QStringEncoder(QStringConverter::Utf16BE)(text));
}

class Modini : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("qv.ini");
    }
    QByteArray bytes() const { return qvtest::readAll(path); }
    void write(const QByteArray& b) { ASSERT_TRUE(qvtest::writeAll(path, b)); }
    const std::vector<qv::FakeMessageBox::Message>& messages() const { return box.messages; }
    void expectOnlyMessage(const QString& text, const QString& title, qv::MsgIcon icon) {
        ASSERT_EQ(messages().size(), 1U);
        EXPECT_EQ(messages()[0].text, text);
        EXPECT_EQ(messages()[0].title, title);
        EXPECT_EQ(messages()[0].icon, icon);
    }
    QStringList entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // One modini call by name; ReadKey gives -1 for no value, 0 for an empty one, else 1.
    int call(const QString& file, const QString& op, const QStringList& a) {
        using Call = std::function<int(const QString&, const QStringList&, qv::MessageBoxService&)>;
        static const std::map<QString, Call> calls = {
            {"ReadKey",
             [](auto& f, auto& a, auto& m) {
                 const qv::ProfileValue v = qv::ReadKey(f, a[0], a[1], m);
                 return v ? (v->isEmpty() ? 0 : 1) : -1;
             }},
            {"WriteKey",
             [](auto& f, auto& a, auto& m) { return qv::WriteKey(f, a[0], a[1], a[2], m); }},
            {"DeleteKey",
             [](auto& f, auto& a, auto& m) { return qv::DeleteKey(f, a[0], a[1], m); }},
            {"DeleteSection",
             [](auto& f, auto& a, auto& m) { return qv::DeleteSection(f, a[0], m); }},
            {"RenameSection",
             [](auto& f, auto& a, auto& m) { return qv::RenameSection(f, a[0], a[1], m); }},
            {"RenameKey",
             [](auto& f, auto& a, auto& m) { return qv::RenameKey(f, a[0], a[1], a[2], m); }},
            {"SectionExists",
             [](auto& f, auto& a, auto& m) { return qv::SectionExists(f, a[0], m); }},
            {"KeyExists",
             [](auto& f, auto& a, auto& m) { return qv::KeyExists(f, a[0], a[1], m); }},
        };
        return calls.at(op)(file, a, box);
    }

    QTemporaryDir dir;
    QString path;
    qv::FakeMessageBox box;
};

const std::pair<const char*, QStringList> kEveryOperation[] = {
    {"ReadKey", {"S", "k"}},       {"WriteKey", {"S", "k", "2"}},  {"DeleteKey", {"S", "k"}},
    {"DeleteSection", {"S"}},      {"SectionExists", {"S"}},       {"KeyExists", {"S", "k"}},
    {"RenameSection", {"S", "U"}}, {"RenameKey", {"S", "k", "j"}},
};

TEST_F(Modini, EveryOperationButWriteKeyReportsAMissingFile) {
    const QString missing = dir.filePath("none.ini");
    for (const auto& [op, args] : kEveryOperation) {
        if (QLatin1String(op) != "WriteKey") {
            box.messages.clear();
            EXPECT_LE(call(missing, op, args), 0) << op;
            SCOPED_TRACE(op);
            expectOnlyMessage(missing + " not found.", "File Not Found", qv::MsgIcon::Stop);
        }
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// ReadKey tests the file through its own read; it must decide as the separate file test does.
TEST_F(Modini, ReadKeyTestsTheFileAsTheOtherOperationsDo) {
    write("[S]\r\nk=v\r\n");
    const auto link = [&](const QString& target, const QString& name) {
        EXPECT_TRUE(QFile::link(target, dir.filePath(name)));
        return dir.filePath(name);
    };
    ASSERT_TRUE(QDir().mkdir(dir.filePath(".hidden")));
    ASSERT_TRUE(qvtest::writeAll(dir.filePath(".hidden/qv.ini"), "[S]\r\nk=h\r\n"));
    ASSERT_TRUE(qvtest::writeAll(dir.filePath(".qv.ini"), "[S]\r\nk=v\r\n"));
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0644), 0);
    // The value each file gives; none when it is no normal file.
    const std::pair<QString, const char*> cases[] = {
        {path, "v"},
        {dir.filePath(".hidden/qv.ini"), "h"},
        {link(path, "link.ini"), "v"},
        {dir.filePath("none.ini"), nullptr},
        {dir.filePath(".hidden"), nullptr},
        {fifo, nullptr},
        {link("nowhere", "dangling.ini"), nullptr},
        {link(path, ".link.ini"), nullptr},
        {dir.filePath(".qv.ini"), nullptr},
        {path + "/below.ini", nullptr},
        {QString(), nullptr},
    };
    for (const auto& [file, value] : cases) {
        ASSERT_EQ(qv::isNormalFile(file), value != nullptr) << qPrintable(file);
        box.messages.clear();
        EXPECT_EQ(qv::ReadKey(file, "S", "k", box).value_or("none"), value ? value : "none")
            << qPrintable(file);
        if (value) {
            EXPECT_TRUE(messages().empty());
        } else {
            expectOnlyMessage(file + " not found.", "File Not Found", qv::MsgIcon::Stop);
        }
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
    EXPECT_TRUE(qvtest::asUnprivileged([&] {
        box.messages.clear();
        const bool readable = qv::isNormalFile(unreadable) &&
                              qv::ReadKey(unreadable, "S", "k", box) == QString() &&
                              messages().empty();
        return readable && !qv::isNormalFile(closed + "/qv.ini") &&
               !qv::ReadKey(closed + "/qv.ini", "S", "k", box).has_value() &&
               messages().size() == 1;
    }));
    ::chmod(dir.path().toLocal8Bit().constData(), 0700);
    ::chmod(closed.toLocal8Bit().constData(), 0700);
}

TEST_F(Modini, ReadKeyCutsAValueTo254Characters) {
    // ASCII and characters outside the BMP (the widest encoding).
    for (const QString& value :
         {QString(300, QLatin1Char('x')),
          QString::fromUcs4(std::u32string(300, U'\U0001F600').data(), 300)}) {
        SCOPED_TRACE(value.left(1).toStdString());
        ASSERT_EQ(qv::WriteKey(path, "S", "k", value, box), 1);
        const QString read = qv::ReadKey(path, "S", "k", box).value_or(QString());
        EXPECT_EQ(read.toUcs4().size(), 254);
        EXPECT_TRUE(value.startsWith(read));
        EXPECT_TRUE(qv::ValueWasCut(path, "S", "k", read));
        // A value of exactly 254 characters, at the widest encoding too, is whole.
        const QString whole = value.left(value.size() * 254 / 300);
        ASSERT_EQ(qv::WriteKey(path, "S", "k", whole, box), 1);
        EXPECT_EQ(qv::ReadKey(path, "S", "k", box), whole);
        EXPECT_FALSE(qv::ValueWasCut(path, "S", "k", whole));
    }
    // A NUL byte ends the value itself, as the Windows functions read it: nothing was cut.
    write(QByteArray("[S]\r\nk=/bin/true\0 --not-this\r\n", 30));
    EXPECT_EQ(qv::ReadKey(path, "S", "k", box), "/bin/true");
    EXPECT_FALSE(qv::ValueWasCut(path, "S", "k", "/bin/true"));
}

TEST_F(Modini, ReadKeysReadsWhatReadKeyReadsKeyByKey) {
    write("Tab1=before any section\r\n[settings]\r\n TAB1 = First \r\ntab1=Duplicate\r\n"
          "Tab2=\"Quoted\"\r\nTab3=" +
          QByteArray(300, 'x') +
          "\r\nTab4 =  spaced value  \r\n[Settings]\r\nTab5=second section\r\n"
          "[Other]\r\nTab6=elsewhere\r\n");
    const std::vector<QString> keys = {"Tab1", "tab2", " Tab3 ", "Tab4", "Tab5", "Tab6", "Tab7"};
    const auto values = qv::ReadKeys(path, "Settings", keys, box);
    ASSERT_TRUE(values.has_value());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ((*values)[i], qv::ReadKey(path, "Settings", keys[i], box)) << qPrintable(keys[i]);
    }
    EXPECT_EQ((*values)[0], "First");
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(qv::ReadKeys(dir.filePath("none.ini"), "Settings", keys, box).has_value());
    EXPECT_EQ(messages().size(), 1U);
}

TEST_F(Modini, AMissingFileIsCreatedSilentlyInTheLocaleEncoding) {
    ASSERT_EQ(qv::WriteKey(path, "Tab 1", "Button 1", "/home/Schüler/Übung.lnk", box), 1);
    EXPECT_EQ(bytes(), QByteArray("[Tab 1]\r\nButton 1=/home/Sch\xC3\xBCler/\xC3\x9C"
                                  "bung.lnk\r\n"));
    EXPECT_EQ(qv::ReadKey(path, "tab 1", "button 1", box), "/home/Schüler/Übung.lnk");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Modini, AFailedSaveReturns0WithAStopMessageAndKeepsTheFile) {
    write("[S]\r\nk=1\r\n");
    qv::profile::ScopedWriteFailure failure(qv::profile::WriteStep::Rename);
    for (const auto& [op, args] : kEveryOperation) {
        if (QString(op).endsWith("Exists") || QLatin1String(op) == "ReadKey") {
            continue; // nothing to save
        }
        box.messages.clear();
        EXPECT_EQ(call(path, op, args), 0) << op;
        expectOnlyMessage(path + " could not be saved; the file was left as it was. ~(" + op + ")",
                          "File Not Saved", qv::MsgIcon::Stop);
        EXPECT_EQ(bytes(), "[S]\r\nk=1\r\n") << op;
    }
}

TEST(ModiniLines, IsKeyLineAndIsSectionLine) {
    const std::tuple<QString, bool, bool> cases[] = {
        // line, key line, section line
        {"", false, false},         {"=", true, false},         {"a=b", true, false},
        {"[Tab 1]", false, true},   {"[]", false, true},        {"[", false, false},
        {" [Tab 1]", false, false}, {"[Tab 1] ", false, false}, {"[a=b]", true, true},
        {"[x", false, false},
    };
    for (const auto& [line, key, section] : cases) {
        EXPECT_EQ(qv::IsKeyLine(line), key) << line.toStdString();
        EXPECT_EQ(qv::IsSectionLine(line), section) << line.toStdString();
    }
}

// One call on a file: what it returns, what the file holds after it (unchanged when after is
// not given) and the one message it shows, if any.
struct Call {
    QByteArray before;
    const char* op;
    QString args; // split at |
    int result;
    std::optional<QByteArray> after = std::nullopt;
    QString text = {};
    QString title = {};
};

TEST_F(Modini, EachCallChangesTheFileAsTheEditorNeedsOrSaysWhyNot) {
    const QByteArray settings = "[Settings]\r\nNumber of tabs=1\r\nTab1=Writing\r\n";
    const QByteArray tabs = "[Tab 1]\r\nButton 1=a\r\nButton 2=b\r\n[Tab 2]\r\nButton 3=c\r\n";
    const QByteArray headers = "[tab 1]\r\n [Tab 1]\r\n[Tab 1] \r\n[Tab 10]\r\n[Tab 2]\n";
    const QByteArray keys =
        "[Tab 1]\r\nButton 10=x\r\nremark\r\nbutton 2=y\r\n[Tab 2]\r\nButton 1=z\r\n";
    const QByteArray longValue = "/srv/" + QByteArray(400, 'p') + "/program";
    const auto none = std::nullopt;
    const Call cases[] = {
        {"[S]\r\nempty=\r\n", "ReadKey", "S|missing", 0},
        {"[S]\r\nempty=\r\n", "ReadKey", "S|empty", 0},
        {"[S]\r\nempty=\r\n", "ReadKey", "none|k", 0},
        {"[A]\r\nk=1\r\n", "DeleteSection", "B", 1},
        {"[A]\r\nk=1\r\n", "DeleteKey", "B|k", 1},
        {"[A]\r\nk=1\r\n", "DeleteKey", "a|K", 1, "[A]\r\n"},
        {"[A]\r\n", "DeleteSection", "a", 1, ""},
        // SectionExists and KeyExists compare the whole header or name exactly.
        {headers, "SectionExists", "Tab 1", 0},
        {headers, "SectionExists", "tab 1", 1},
        {headers, "SectionExists", "Tab 2", 1},
        {"\xEF\xBB\xBF[Settings]\r\n", "SectionExists", "Settings", 1},
        {keys, "KeyExists", "Tab 1|Button 1", 0},
        {keys, "KeyExists", "Tab 1|Button 2", 0},
        {keys, "KeyExists", "Tab 1|button 2", 1},
        {keys, "KeyExists", "Tab 2|Button 1", 1},
        {keys, "KeyExists", "Tab 3|Button 1", 0, none,
         "Section, Tab 3, Not Found. ~(KeyExists)" + kVerify, "Section Not Found."},
        // RenameSection: only the exact first header; blanks at the start and after the header
        // of a first section go, everything else stays.
        {"\r\n\r\n[Tab 2]\r\n\r\n\r\nButton 1=a\r\n\r\n[Tab 3]\r\nButton 1=b\r\n", "RenameSection",
         "Tab 2|Tab 1", 1, "[Tab 1]\r\nButton 1=a\r\n\r\n[Tab 3]\r\nButton 1=b\r\n"},
        {"[Settings]\r\nTab1=x\r\n\r\n[Tab 2]\r\nButton 1=a\r\n[Tab 3]\r\n", "RenameSection",
         "Tab 2|Tab 1", 1, "[Settings]\r\nTab1=x\r\n\r\n[Tab 1]\r\nButton 1=a\r\n[Tab 3]\r\n"},
        {"[Settings]\r\nTab1=x\r\n[Tab 2]", "RenameSection", "Tab 2|Tab 1", 1,
         "[Settings]\r\nTab1=x\r\n[Tab 1]\r\n"},
        {"[A]\r\nk=1\r\n[A]\r\nk=2\r\n", "RenameSection", "A|B", 1, "[B]\r\nk=1\r\n[A]\r\nk=2\r\n"},
        // The rewrite keeps the file's own line end (its first one).
        {"[A]\nk=1\n[C]\n", "RenameSection", "A|B", 1, "[B]\nk=1\n[C]\n"},
        {"[A]\rk=1\r\n[C]", "RenameSection", "A|B", 1, "[B]\rk=1\r[C]\r"},
        {"\xEF\xBB\xBF[A]\r\nk=1\r\n", "RenameSection", "A|B", 1, "\xEF\xBB\xBF[B]\r\nk=1\r\n"},
        {utf16be(u"[A]\r\nk=\u00e9\n"), "RenameSection", "A|B", 1, utf16be(u"[B]\r\nk=\u00e9\r\n")},
        {"[tab 2]\r\n [Tab 2]\r\n", "RenameSection", "Tab 2|Tab 1", 0},
        {tabs, "RenameSection", "Tab 9|Tab 3", 0},
        {tabs, "RenameSection", "Tab 1|Tab 2", 0, none, "Tab 2 allready exists.  ~(RenameSection)",
         "Duplicate Section"},
        // RenameKey moves the stored value whole to the end of its section.
        {"[T]\r\nN=3\r\nButton 3=A\r\nButton 4=B\r\n[U]\r\nButton 3=C\r\n", "RenameKey",
         "T|Button 3|Button 2", 1,
         "[T]\r\nN=3\r\nButton 4=B\r\nButton 2=A\r\n[U]\r\nButton 3=C\r\n"},
        // The value travels exactly as stored: not trimmed, not unquoted, not cut.
        {"[T]\r\nButton 2= \"" + longValue + "\" \r\n", "RenameKey", "T|Button 2|Button 1", 1,
         "[T]\r\nButton 1= \"" + longValue + "\" \r\n"},
        {tabs, "RenameKey", "Tab 3|Button 1|Button 9", 0, none,
         "Section, Tab 3, Not Found. ~(RenameKey)" + kVerify, "Section Not Found."},
        {tabs, "RenameKey", "Tab 1|Button 3|Button 9", 0, none,
         "Key, Button 3, Not Found. ~(RenameKey)" + kVerify, "Key Not Found."},
        {tabs, "RenameKey", "Tab 1|button 1|Button 9", 0, none,
         "Key, button 1, Not Found. ~(RenameKey)" + kVerify, "Key Not Found."},
        {tabs, "RenameKey", "Tab 1|Button 1|Button 2", 0, none,
         "Button 2 allready exists in the section, Tab 1.  ~(RenameKey)", "Duplicate Key."},
        // Texts that, written raw, would add lines or change how the line reads back.
        {settings, "WriteKey", "Settings|Tab1|x\r\n[Settings]\r\nNumber of tabs=9", 0},
        // (Which texts are refused is the engine's rule table; here each kind of call says so.)
        {settings, "WriteKey", QString("Settings|Tab1|a") + QChar(0) + "b", 0},
        {settings, "WriteKey", "Settings|Tab1=x|y", 0},
        {settings, "RenameSection", "Settings|a]\r\n[b", 0},
        {settings, "RenameKey", "Settings|Tab1|Tab1\nNumber of tabs", 0},
    };
    const QString refused = "The name or text holds a line break or a character that " + path +
                            " cannot hold, so it was not saved. ~(";
    for (const Call& c : cases) {
        write(c.before);
        box.messages.clear();
        SCOPED_TRACE(std::string(c.op) + " " + c.args.toStdString());
        EXPECT_EQ(call(path, c.op, c.args.split(u'|')), c.result);
        EXPECT_EQ(bytes(), c.after.value_or(c.before));
        if (!c.text.isEmpty()) {
            expectOnlyMessage(c.text, c.title, qv::MsgIcon::Information);
        } else if (c.result == 0 && c.before == settings) {
            expectOnlyMessage(refused + c.op + ")", "Not Saved", qv::MsgIcon::Stop);
        } else {
            EXPECT_TRUE(messages().empty());
        }
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
    for (const auto& [op, args] : kEveryOperation) {
        box.messages.clear();
        EXPECT_EQ(call(path, op, args), 0) << op;
        SCOPED_TRACE(op);
        expectOnlyMessage(text, "File Too Large", qv::MsgIcon::Stop);
        EXPECT_EQ(QFileInfo(path).size(), size) << op;
    }
    EXPECT_EQ(entries(), QStringList{"qv.ini"});

    write("[S]\r\n");
    EXPECT_FALSE(qv::ProfileTooLarge(path));
}

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
    const Renames onto = {{"Button 3", "Button 2"}, {"Button 2", "Button 1"}};
    const Renames freeing = {
        {"Button 2", "Button 1"}, {"Button 3", "Button 2"}, {"Button 2", "Button 6"}};
    const Renames refused = {{"Button 2", "a=b"}, {"Button 3", "Button 1"}};
    const std::tuple<const char*, QByteArray, QString, Renames> cases[] = {
        {"the editor's move down", menu, "Tab 1", moveDown(2, 5)},
        {"a key missing in the middle", menu, "Tab 1", moveDown(2, 8)},
        {"onto an existing key", menu, "Tab 1", onto},
        {"a chain that frees its own target", menu, "Tab 1", freeing},
        {"a section only case-blind equal", menu, "tab 1", moveDown(2, 3)},
        {"a refused new key", menu, "Tab 1", refused},
        {"nothing to do", menu, "Tab 1", {}},
    };
    const QString one = dir.filePath("one.ini");
    // Every message, with its title and icon.
    const auto shown = [&](const QString& file) {
        QStringList out;
        for (const auto& m : box.messages) {
            out << QString(m.text).replace(file, "FILE") + "|" + m.title + "|" +
                       QString::number(static_cast<int>(m.icon));
        }
        box.messages.clear();
        return out;
    };
    for (const auto& [what, before, section, renames] : cases) {
        ASSERT_TRUE(qvtest::writeAll(one, before));
        box.messages.clear();
        int expected = 0;
        for (const auto& [from, to] : renames) {
            expected += qv::RenameKey(one, section, from, to, box);
        }
        const QStringList oneByOne = shown(one);
        write(before);
        EXPECT_EQ(qv::RenameKeys(path, section, renames, box), expected) << what;
        EXPECT_EQ(bytes(), qvtest::readAll(one)) << what;
        EXPECT_EQ(shown(path), oneByOne) << what;
        if (expected == 0) {
            EXPECT_EQ(bytes(), before) << what << ": nothing renamed, nothing written";
        }
    }
}

// What the renames give is the same RenameKey calls' (above); a save that fails keeps every
// rename out of the file and says so once.
TEST_F(Modini, RenameKeysThatCannotBeSavedRenameNothing) {
    const QByteArray menu = "[Tab 1]\r\nButton 2=/b\r\nButton 3=/c\r\nButton 4=/d\r\n";
    write(menu);
    {
        qv::profile::ScopedWriteFailure failure(qv::profile::WriteStep::Write);
        EXPECT_EQ(qv::RenameKeys(path, "Tab 1", moveDown(2, 4), box), 0);
    }
    EXPECT_EQ(bytes(), menu);
    expectOnlyMessage(path + " could not be saved; the file was left as it was. ~(RenameKey)",
                      "File Not Saved", qv::MsgIcon::Stop);

    // A missing file is reported once, not once a key.
    box.messages.clear();
    const QString missing = dir.filePath("none.ini");
    EXPECT_EQ(qv::RenameKeys(missing, "Tab 1", moveDown(2, 4), box), 0);
    expectOnlyMessage(missing + " not found.", "File Not Found", qv::MsgIcon::Stop);
}

// One user action that fails twice says each failure once; the next action says it again, and
// two windows (each with its own ShownInAction) tell their own failures.
TEST_F(Modini, EachActionTellsTheSameFailureOnce) {
    const QString missing = dir.filePath("none.ini");
    qv::ShownInAction first(box);
    qv::FakeMessageBox otherBox;
    qv::ShownInAction other(otherBox);
    for (int action = 1; action <= 2; ++action) {
        const qv::ShownInAction::Action outer(first);
        const qv::ShownInAction::Action otherAction(other);
        {
            const qv::ShownInAction::Action nested(first); // part of the outer action
            EXPECT_FALSE(qv::ReadKey(missing, "S", "k", first).has_value());
        }
        EXPECT_EQ(qv::DeleteKey(missing, "S", "k", first), 0);
        EXPECT_EQ(qv::DeleteKey(path, "S", "k", first), 0);
        EXPECT_EQ(qv::DeleteKey(missing, "S", "k", other), 0);
        ASSERT_EQ(messages().size(), 2U * action);
        EXPECT_EQ(messages()[2 * action - 2].text, missing + " not found.");
        EXPECT_EQ(messages()[2 * action - 1].text, path + " not found.");
        EXPECT_EQ(otherBox.messages.size(), std::size_t(action));
    }
    // Outside any action every call says it.
    box.messages.clear();
    EXPECT_EQ(qv::DeleteKey(missing, "S", "k", first), 0);
    EXPECT_EQ(qv::DeleteKey(missing, "S", "k", first), 0);
    EXPECT_EQ(messages().size(), 2U);
}

// The layout of qv.ini: its place, names, the two special items and how a count is read.
TEST(MenuLayout, TheMenuFileIsBesideTheData) {
    // The tests' folder holds neither qv.ini nor the grammar, as an installed bin folder.
    const QString data =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/quorvel");
    EXPECT_EQ(qv::programFolder(), data);
    EXPECT_EQ(qv::ProfilePath(), data + "/qv.ini");
    EXPECT_EQ(qv::ProfilePath("/mnt/room5"), "/mnt/room5/qv.ini");
}

TEST(MenuLayout, OnlyTheExactSpecialNamesAreResolved) {
    const QString folder = "/opt/quorvel";
    const std::pair<QString, QString> cases[] = {
        // stored, resolved
        {"My Computer.lnk", "/opt/quorvel/standard/My Computer.lnk"},
        {"My Documents.lnk", "/opt/quorvel/standard/My Documents.lnk"},
        {"my computer.lnk", "my computer.lnk"},
        {"My Computer.lnk ", "My Computer.lnk "},
        {"C:\\Users\\My Computer.lnk", "C:\\Users\\My Computer.lnk"},
        {"", ""},
    };
    for (const auto& [stored, resolved] : cases) {
        EXPECT_EQ(qv::resolveSpecialItem(stored, folder), resolved) << stored.toStdString();
    }
}

TEST(MenuLayout, ACountIsAPlainDecimalNumberOrUnreadable) {
    using State = qv::MenuCount::State;
    const std::tuple<QString, State, int> cases[] = {
        // text, state, value
        {"", State::Empty, 0},
        {"0", State::Number, 0},
        {"19", State::Number, 19},
        {"007", State::Number, 7},
        {"32767", State::Number, 32767},
        {"32768", State::Unreadable, 0},
        {"99999999999999999999999", State::Unreadable, 0},
        {"-1", State::Unreadable, 0},
        {"+3", State::Unreadable, 0},
        {" 3", State::Unreadable, 0},
        {"12abc", State::Unreadable, 0},
        {QString::fromUtf8("\xD9\xA3"), State::Unreadable, 0}, // an Arabic-Indic three
        {QString(QChar(0)), State::Unreadable, 0},
    };
    for (const auto& [text, state, value] : cases) {
        const qv::MenuCount count = qv::parseCount(text);
        EXPECT_EQ(count.state, state) << text.toStdString();
        EXPECT_EQ(count.value, value) << text.toStdString();
        EXPECT_EQ(count.isNumber(), state == State::Number) << text.toStdString();
    }
}

// The example menu read as both programs read it at start.
TEST(MenuLayout, TheExampleMenuReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("qv.ini");
    ASSERT_TRUE(qvtest::writeAll(
        path, "[Settings]\r\nNumber of tabs=2\r\nTab1=Writing\r\nTab2=Games\r\n"
              "[Tab 1]\r\nNumber of Buttons=2\r\n"
              "Button 1=C:\\Program Files\\Editor\\edit.exe\r\n"
              "Button 2=My Documents.lnk\r\n"
              "[Tab 2]\r\nNUMBER OF BUTTONS=1\r\nButton 1=C:\\Games\\Chess.lnk\r\n"));
    qv::FakeMessageBox box;
    const auto read = [&](const QString& section, const QString& key) {
        return qv::ReadKey(path, section, key, box).value_or("(none)");
    };
    EXPECT_EQ(qv::parseCount(read(qv::kSettings, qv::kNumberOfTabs)).value, 2);
    EXPECT_EQ(read(qv::kSettings, qv::tabCaptionKey(2)), "Games");
    // A count written in capitals reads as well.
    EXPECT_EQ(qv::parseCount(read(qv::tabSection(2), qv::kNumberOfButtonsRead)).value, 1);
    EXPECT_EQ(qv::resolveSpecialItem(read(qv::tabSection(1), qv::buttonKey(2)), "/p"),
              "/p/standard/My Documents.lnk");

    // Adding the first button of a new fourth tab.
    ASSERT_EQ(qv::WriteKey(path, qv::tabSection(4), qv::buttonKey(1), "/x.lnk", box), 1);
    ASSERT_EQ(qv::WriteKey(path, qv::tabSection(4), qv::kNumberOfButtonsWrite, "1", box), 1);
    EXPECT_TRUE(
        qvtest::readAll(path).endsWith("[Tab 4]\r\nButton 1=/x.lnk\r\nNumber of Buttons=1\r\n"));
    EXPECT_TRUE(box.messages.empty());
}

} // namespace
