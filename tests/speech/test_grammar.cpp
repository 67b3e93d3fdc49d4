// SPDX-License-Identifier: GPL-3.0-or-later
// The XML command grammar reader and its JSGF conversion.
#include "speech/grammar.h"
#include "tests/support/testutil.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

CommandGrammar readOk(const QByteArray& xml) {
    CommandGrammar grammar;
    QString error;
    EXPECT_TRUE(readCommandGrammar(xml, &grammar, &error)) << qPrintable(error);
    return grammar;
}

} // namespace

TEST(SpeechGrammar, OurGrammarFileHoldsExactlyTheTenCommands) {
    const CommandGrammar grammar =
        readOk(qvtest::readAll(QStringLiteral(QV_SOURCE_DIR "/data/ordergrammar.xml")));
    QStringList phrases = commandGrammarPhrases(grammar);
    phrases.sort();
    EXPECT_EQ(phrases, (QStringList{"button eight", "button five", "button four", "button nine",
                                    "button one", "button seven", "button six", "button ten",
                                    "button three", "button two"}));
}

// The texts a grammar gives: optional parts, lists, references, several top-level rules,
// words lower-cased and spaces folded.
TEST(SpeechGrammar, PhrasesOfTheGrammar) {
    const struct {
        QByteArray xml;
        QStringList phrases;
    } rows[] = {
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='ACTIVE'>please <O>now</O></RULE>"
         "<RULE ID='7' TOPLEVEL='INACTIVE'><L><P>yes</P><RULEREF REFID='8'/></L></RULE>"
         "<RULE ID='8'><P/></RULE></GRAMMAR>",
         {"please", "please now", "yes"}},
        {"<GRAMMAR><RULE NAME='r' TOPLEVEL='ACTIVE'>  Button\n\tONE </RULE></GRAMMAR>",
         {"button one"}},
    };
    for (const auto& row : rows) {
        const CommandGrammar grammar = readOk(row.xml);
        QByteArray jsgf;
        QString error;
        EXPECT_TRUE(commandGrammarToJsgf(grammar, &jsgf, &error)) << qPrintable(error);
        EXPECT_EQ(commandGrammarPhrases(grammar), row.phrases);
    }
}

// Damaged files and files beyond a limit are refused with a message that says why.
TEST(SpeechGrammar, DamagedOrTooCostlyFilesAreRefusedWithAMessage) {
    const struct {
        QByteArray xml;
        const char* message; // part of the error text
        GrammarLimits limits = {};
    } rows[] = {
        {"", "Grammar line 1"},
        {"<grammar><RULE NAME='a'/></grammar>", "one GRAMMAR"},
        {"<GRAMMAR><RULE NAME='a'><WILDCARD/></RULE></GRAMMAR>", "unknown element WILDCARD"},
        {"<GRAMMAR><P>x</P></GRAMMAR>", "unexpected element P"},
        {"<GRAMMAR><RULE TOPLEVEL='ACTIVE'>x</RULE></GRAMMAR>", "NAME or an ID"},
        {"<GRAMMAR><RULE NAME='a' ID='x1'>x</RULE></GRAMMAR>", "is not a number"},
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='yes'>x</RULE></GRAMMAR>", "ACTIVE or INACTIVE"},
        {"<GRAMMAR><RULE NAME='a'><L>one two</L></RULE></GRAMMAR>", "directly inside L"},
        {"<GRAMMAR><RULE NAME='a'><L></L></RULE></GRAMMAR>", "without alternatives"},
        {"<GRAMMAR><RULE NAME='a'>button &lt;one&gt;</RULE></GRAMMAR>", "not a plain word"},
        {"<GRAMMAR><RULE NAME='a'><RULEREF/></RULE></GRAMMAR>", "NAME or a REFID"},
        {"<GRAMMAR><RULE NAME='a'><RULEREF NAME='b'>x</RULEREF></RULE><RULE NAME='b'>y</RULE>"
         "</GRAMMAR>",
         "holds nothing"},
        {"<GRAMMAR><RULE NAME='a'>x</RULE><RULE NAME='a'>y</RULE></GRAMMAR>", "defined twice"},
        {"<GRAMMAR><RULE ID='3'>x</RULE><RULE ID='3'>y</RULE></GRAMMAR>", "used twice"},
        {"<!DOCTYPE GRAMMAR [<!ENTITY a 'button one'>]><GRAMMAR><RULE NAME='r'>&a;</RULE>"
         "</GRAMMAR>",
         "not allowed"},
        {"<GRAMMAR><RULE NAME='a'>one two three four</RULE></GRAMMAR>",
         "larger than 40 bytes",
         {.maxBytes = 40}},
        {"<GRAMMAR><RULE NAME='a'><P><P><P><P>x</P></P></P></P></RULE></GRAMMAR>",
         "nested too deeply",
         {.maxDepth = 4}},
        {"<GRAMMAR><RULE NAME='a'><P>a</P><P>b</P><P>c</P><P>d</P></RULE></GRAMMAR>",
         "too many elements",
         {.maxElements = 5}},
        {"<GRAMMAR><RULE NAME='a'>x</RULE><RULE NAME='b'>y</RULE></GRAMMAR>",
         "too many rules",
         {.maxRules = 1}},
    };
    for (const auto& row : rows) {
        CommandGrammar grammar;
        QString error;
        EXPECT_FALSE(readCommandGrammar(row.xml, &grammar, &error, row.limits))
            << row.xml.constData();
        EXPECT_TRUE(error.contains(QLatin1String(row.message))) << qPrintable(error);
    }
}

// A grammar that reads but names no way in, or a rule that is missing or refers to itself,
// is not converted.
TEST(SpeechGrammar, GrammarsWithoutAWayInOrWithACycleAreNotConverted) {
    const struct {
        QByteArray xml;
        const char* message;
    } rows[] = {
        {"<GRAMMAR><RULE NAME='a'>x</RULE></GRAMMAR>", "no top-level rule"},
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='ACTIVE'><RULEREF NAME='b'/></RULE></GRAMMAR>",
         "missing rule \"b\""},
        {"<GRAMMAR><RULE NAME='a' TOPLEVEL='ACTIVE'><RULEREF NAME='b'/></RULE>"
         "<RULE NAME='b'><O><RULEREF NAME='a'/></O></RULE></GRAMMAR>",
         "refers to itself"},
    };
    for (const auto& row : rows) {
        QByteArray jsgf;
        QString error;
        EXPECT_FALSE(commandGrammarToJsgf(readOk(row.xml), &jsgf, &error)) << row.xml.constData();
        EXPECT_TRUE(error.contains(QLatin1String(row.message))) << qPrintable(error);
        EXPECT_TRUE(jsgf.isEmpty());
    }
}

TEST(SpeechGrammar, PhraseExpansionStopsAtItsBound) {
    // Ten alternatives, four times in sequence: 10000 texts, cut at the bound.
    QByteArray list = "<L>";
    for (const char* w : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) {
        list += QByteArray("<P>") + w + "</P>";
    }
    list += "</L>";
    const CommandGrammar grammar = readOk("<GRAMMAR><RULE NAME='r' TOPLEVEL='ACTIVE'>" + list +
                                          list + list + list + "</RULE></GRAMMAR>");
    EXPECT_EQ(commandGrammarPhrases(grammar, 50).size(), 50);
}
