// SPDX-License-Identifier: GPL-3.0-or-later
// The manual pages say what the programs take: every option --help prints is described in the
// OPTIONS section of the program's manual page, and the section describes no other.
#include "tests/support/testutil.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

using Options = QSet<QString>;

// The options of Qt's help text: its lines "  -h, --help   ..." and "  --menu <PATH>  ...".
Options helpOptions(const QString& help) {
    Options options;
    static const QRegularExpression line(QStringLiteral("^  (-[^\\s,]+)(?:, (-[^\\s,]+))?"),
                                         QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& m : line.globalMatch(help)) {
        options << m.captured(1);
        if (m.hasCaptured(2)) {
            options << m.captured(2);
        }
    }
    return options;
}

// The options named in the tags of the OPTIONS section (the line after each .TP).
Options manOptions(const QString& page) {
    Options options;
    const QStringList lines = page.split(u'\n');
    const qsizetype start = lines.indexOf(QStringLiteral(".SH OPTIONS"));
    static const QRegularExpression font(QStringLiteral("\\\\f[BIRP]"));
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--?[A-Za-z][\\w-]*"));
    for (qsizetype i = start + 1; start >= 0 && i + 1 < lines.size(); ++i) {
        if (lines.at(i).startsWith(QLatin1String(".SH "))) {
            break;
        }
        if (lines.at(i) != QLatin1String(".TP")) {
            continue;
        }
        QString tag = lines.at(i + 1);
        tag.replace(QLatin1String("\\-"), QLatin1String("-")).remove(font);
        for (const QRegularExpressionMatch& m : option.globalMatch(tag)) {
            options << m.captured();
        }
    }
    return options;
}

QString sorted(const Options& options) {
    QStringList list(options.begin(), options.end());
    list.sort();
    return list.join(u' ');
}

TEST(ManualPages, DescribeExactlyTheOptionsOfHelp) {
    for (const char* program : {"quorvel-student", "quorvel-manager"}) {
        QProcess p;
        p.start(QDir(qvtest::binDir()).filePath(program), {QStringLiteral("--help")});
        ASSERT_TRUE(p.waitForFinished(10000)) << program;
        ASSERT_EQ(p.exitCode(), 0) << program;
        const Options help = helpOptions(QString::fromLocal8Bit(p.readAllStandardOutput()));
        // --help and --menu at least: a parser that finds nothing proves nothing.
        ASSERT_TRUE(help.contains("--help") && help.contains("--menu"))
            << sorted(help).toStdString();

        const QString page = QString::fromUtf8(
            qvtest::readAll(qvtest::dataDir() + "/../../package/" + program + ".1"));
        ASSERT_FALSE(page.isEmpty()) << program;
        const Options man = manOptions(page);
        EXPECT_EQ(sorted(man).toStdString(), sorted(help).toStdString())
            << program << ": manual page against --help";
    }
}

} // namespace
