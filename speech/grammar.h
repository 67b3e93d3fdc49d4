// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Our XML command grammar (GRAMMAR, RULE, L, P, O, RULEREF) read into a small tree, and its
// conversion to JSGF for PocketSphinx.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace qv {

// One node of a rule's body: a phrase (P: its words and children in sequence), a list of
// alternatives (L), an optional part (O), a reference to another rule (RULEREF) or plain words.
struct GrammarNode {
    enum class Kind { Sequence, Alternatives, Optional, RuleRef, Words };
    Kind kind = Kind::Sequence;
    QStringList words; // Words: the words, lower case
    QString ruleName;  // RuleRef: the rule named
    std::vector<GrammarNode> children;
};

struct GrammarRule {
    QString name;
    int id = 0;
    bool topLevel = false;
    bool active = false; // TOPLEVEL="ACTIVE"
    GrammarNode body;    // a Sequence
};

struct CommandGrammar {
    std::vector<GrammarRule> rules;
};

// Limits that keep a hostile file from costing much: file size, nesting, elements, words.
struct GrammarLimits {
    qint64 maxBytes = qint64(256) * 1024;
    int maxDepth = 32;
    int maxElements = 4096;
    int maxRules = 256;
};

// Reads the grammar from XML; on failure returns false and a message naming the line.
bool readCommandGrammar(const QByteArray& xml, CommandGrammar* grammar, QString* error,
                        const GrammarLimits& limits = {});

// The grammar as JSGF: one public rule <qvcommand> over the top-level rules. False when the
// grammar has no top-level rule, refers to a missing rule, or recurses.
bool commandGrammarToJsgf(const CommandGrammar& grammar, QByteArray* jsgf, QString* error);

// Every word the grammar's rules use, each once, in the order they first appear.
QStringList commandGrammarWords(const CommandGrammar& grammar);

// Every text the grammar can produce, up to max (for tests and for checking what it holds).
QStringList commandGrammarPhrases(const CommandGrammar& grammar, int max = 10000);

} // namespace qv
