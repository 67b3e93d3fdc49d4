// SPDX-License-Identifier: GPL-3.0-or-later
#include "speech/grammar.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <functional>

namespace qv {

namespace {

QString lineError(const QXmlStreamReader& xml, const QString& what) {
    return QStringLiteral("Grammar line %1: %2").arg(xml.lineNumber()).arg(what);
}

// A word that JSGF and the dictionary can take: letters, digits and a few marks.
bool isPlainWord(const QString& word) {
    static const QRegularExpression plain(QStringLiteral("^[a-z0-9][a-z0-9'._-]*$"));
    return plain.match(word).hasMatch();
}

class Reader {
public:
    Reader(const QByteArray& bytes, const GrammarLimits& limits) : xml_(bytes), limits_(limits) {}

    bool read(CommandGrammar* grammar, QString* error) {
        if (!readDocument(grammar)) {
            if (error) {
                *error = error_;
            }
            return false;
        }
        return true;
    }

private:
    bool fail(const QString& what) {
        if (error_.isEmpty()) {
            error_ = lineError(xml_, what);
        }
        return false;
    }

    // Counts an element and checks the nesting depth; false past the limits.
    bool enter(int depth) {
        if (++elements_ > limits_.maxElements) {
            return fail(QStringLiteral("too many elements"));
        }
        if (depth > limits_.maxDepth) {
            return fail(QStringLiteral("elements nested too deeply"));
        }
        return true;
    }

    bool readDocument(CommandGrammar* grammar) {
        bool seenGrammar = false;
        while (!xml_.atEnd()) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference) {
                return fail(QStringLiteral("document type declarations are not allowed"));
            }
            if (token == QXmlStreamReader::StartElement) {
                if (seenGrammar || xml_.name() != QLatin1String("GRAMMAR")) {
                    return fail(QStringLiteral("the document must be one GRAMMAR element"));
                }
                seenGrammar = true;
                if (!readGrammar(grammar)) {
                    return false;
                }
            }
        }
        if (xml_.hasError()) {
            return fail(xml_.errorString());
        }
        if (!seenGrammar) {
            return fail(QStringLiteral("no GRAMMAR element"));
        }
        return checkRules(*grammar);
    }

    bool readGrammar(CommandGrammar* grammar) {
        if (!enter(1)) {
            return false;
        }
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("RULE")) {
                return fail(
                    QStringLiteral("unexpected element %1 in GRAMMAR").arg(xml_.name().toString()));
            }
            if (int(grammar->rules.size()) >= limits_.maxRules) {
                return fail(QStringLiteral("too many rules"));
            }
            GrammarRule rule;
            if (!readRule(&rule)) {
                return false;
            }
            grammar->rules.push_back(std::move(rule));
        }
        return !xml_.hasError() || fail(xml_.errorString());
    }

    bool readRule(GrammarRule* rule) {
        if (!enter(2)) {
            return false;
        }
        const auto attributes = xml_.attributes();
        rule->name = attributes.value(QStringLiteral("NAME")).toString();
        const QString id = attributes.value(QStringLiteral("ID")).toString();
        if (rule->name.isEmpty() && id.isEmpty()) {
            return fail(QStringLiteral("a RULE needs a NAME or an ID"));
        }
        if (!id.isEmpty()) {
            bool ok = false;
            rule->id = id.toInt(&ok);
            if (!ok || rule->id < 0) {
                return fail(QStringLiteral("rule ID \"%1\" is not a number").arg(id));
            }
        }
        const QString topLevel = attributes.value(QStringLiteral("TOPLEVEL")).toString();
        if (topLevel == QLatin1String("ACTIVE")) {
            rule->topLevel = true;
            rule->active = true;
        } else if (topLevel == QLatin1String("INACTIVE")) {
            rule->topLevel = true;
        } else if (!topLevel.isEmpty()) {
            return fail(QStringLiteral("TOPLEVEL must be ACTIVE or INACTIVE"));
        }
        rule->body.kind = GrammarNode::Kind::Sequence;
        return readChildren(&rule->body, 3);
    }

    // Reads text and child elements up to the end of the current element into a sequence.
    bool readChildren(GrammarNode* node, int depth) {
        while (!xml_.atEnd()) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::EndElement) {
                return true;
            }
            if (token == QXmlStreamReader::Characters) {
                if (!addWords(node, xml_.text().toString())) {
                    return false;
                }
            } else if (token == QXmlStreamReader::StartElement) {
                GrammarNode child;
                if (!readElement(&child, depth)) {
                    return false;
                }
                node->children.push_back(std::move(child));
            } else if (token == QXmlStreamReader::DTD ||
                       token == QXmlStreamReader::EntityReference) {
                return fail(QStringLiteral("entities are not allowed"));
            }
        }
        return fail(xml_.hasError() ? xml_.errorString() : QStringLiteral("unexpected end"));
    }

    bool addWords(GrammarNode* node, const QString& text) {
        const QStringList words = text.simplified().toLower().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            return true;
        }
        for (const QString& word : words) {
            if (!isPlainWord(word)) {
                return fail(QStringLiteral("\"%1\" is not a plain word").arg(word));
            }
        }
        if (node->kind == GrammarNode::Kind::Alternatives) {
            return fail(QStringLiteral("words directly inside L; put each alternative in a P"));
        }
        GrammarNode wordsNode;
        wordsNode.kind = GrammarNode::Kind::Words;
        wordsNode.words = words;
        node->children.push_back(std::move(wordsNode));
        return true;
    }

    bool readElement(GrammarNode* node, int depth) {
        if (!enter(depth)) {
            return false;
        }
        const auto name = xml_.name();
        if (name == QLatin1String("P") || name == QLatin1String("PHRASE")) {
            node->kind = GrammarNode::Kind::Sequence;
        } else if (name == QLatin1String("O") || name == QLatin1String("OPT")) {
            node->kind = GrammarNode::Kind::Optional;
        } else if (name == QLatin1String("L") || name == QLatin1String("LIST")) {
            node->kind = GrammarNode::Kind::Alternatives;
        } else if (name == QLatin1String("RULEREF")) {
            node->kind = GrammarNode::Kind::RuleRef;
            const auto attributes = xml_.attributes();
            node->ruleName = attributes.value(QStringLiteral("NAME")).toString();
            if (node->ruleName.isEmpty()) {
                const QString refId = attributes.value(QStringLiteral("REFID")).toString();
                bool ok = false;
                const int id = refId.toInt(&ok);
                if (!ok) {
                    return fail(QStringLiteral("a RULEREF needs a NAME or a REFID"));
                }
                node->ruleName = QStringLiteral("#%1").arg(id);
            }
            GrammarNode ignored;
            if (!readChildren(&ignored, depth + 1)) {
                return false;
            }
            if (!ignored.children.empty()) {
                return fail(QStringLiteral("a RULEREF holds nothing"));
            }
            return true;
        } else {
            return fail(QStringLiteral("unknown element %1").arg(name.toString()));
        }
        if (!readChildren(node, depth + 1)) {
            return false;
        }
        if (node->kind == GrammarNode::Kind::Alternatives && node->children.empty()) {
            return fail(QStringLiteral("an L without alternatives"));
        }
        return true;
    }

    bool checkRules(const CommandGrammar& grammar) {
        QSet<QString> names;
        QSet<int> ids;
        for (const GrammarRule& rule : grammar.rules) {
            if (!rule.name.isEmpty() && names.contains(rule.name)) {
                error_ = QStringLiteral("Grammar: rule \"%1\" is defined twice").arg(rule.name);
                return false;
            }
            if (rule.id != 0 && ids.contains(rule.id)) {
                error_ = QStringLiteral("Grammar: rule ID %1 is used twice").arg(rule.id);
                return false;
            }
            names.insert(rule.name);
            ids.insert(rule.id);
        }
        return true;
    }

    QXmlStreamReader xml_;
    GrammarLimits limits_;
    int elements_ = 0;
    QString error_;
};

// Finds a rule by NAME, or by ID for references written "#<id>".
const GrammarRule* findRule(const CommandGrammar& grammar, const QString& reference) {
    for (const GrammarRule& rule : grammar.rules) {
        if (reference.startsWith(u'#') ? QStringLiteral("#%1").arg(rule.id) == reference
                                       : rule.name == reference) {
            return &rule;
        }
    }
    return nullptr;
}

class JsgfWriter {
public:
    explicit JsgfWriter(const CommandGrammar& grammar) : grammar_(grammar) {}

    bool write(QByteArray* out, QString* error) {
        QStringList topLevel;
        for (const GrammarRule& rule : grammar_.rules) {
            if (rule.topLevel) {
                topLevel << QStringLiteral("<%1>").arg(ruleSymbol(rule));
            }
        }
        if (topLevel.isEmpty()) {
            return fail(error, QStringLiteral("Grammar: no top-level rule"));
        }
        QString text = QStringLiteral("#JSGF V1.0;\ngrammar qvcommands;\npublic <qvcommand> = ") +
                       topLevel.join(QStringLiteral(" | ")) + QStringLiteral(";\n");
        for (const GrammarRule& rule : grammar_.rules) {
            QString body;
            if (!node(rule.body, &body, error)) {
                return false;
            }
            text += QStringLiteral("<%1> = %2;\n").arg(ruleSymbol(rule), body);
        }
        if (!checkCycles(error)) {
            return false;
        }
        *out = text.toUtf8();
        return true;
    }

private:
    static bool fail(QString* error, const QString& what) {
        if (error) {
            *error = what;
        }
        return false;
    }

    int indexOf(const GrammarRule* rule) const { return int(rule - grammar_.rules.data()); }
    QString ruleSymbol(const GrammarRule& rule) const {
        return QStringLiteral("rule%1").arg(indexOf(&rule));
    }

    bool node(const GrammarNode& n, QString* out, QString* error) {
        switch (n.kind) {
        case GrammarNode::Kind::Words:
            *out = n.words.join(u' ');
            return true;
        case GrammarNode::Kind::RuleRef: {
            const GrammarRule* rule = findRule(grammar_, n.ruleName);
            if (!rule) {
                return fail(
                    error,
                    QStringLiteral("Grammar: RULEREF to the missing rule \"%1\"").arg(n.ruleName));
            }
            *out = QStringLiteral("<%1>").arg(ruleSymbol(*rule));
            return true;
        }
        case GrammarNode::Kind::Alternatives:
        case GrammarNode::Kind::Sequence:
        case GrammarNode::Kind::Optional: {
            QStringList parts;
            for (const GrammarNode& child : n.children) {
                QString part;
                if (!node(child, &part, error)) {
                    return false;
                }
                parts << part;
            }
            if (n.kind == GrammarNode::Kind::Alternatives) {
                *out =
                    QStringLiteral("( ") + parts.join(QStringLiteral(" | ")) + QStringLiteral(" )");
            } else if (n.kind == GrammarNode::Kind::Optional) {
                *out = QStringLiteral("[ ") +
                       (parts.isEmpty() ? QStringLiteral("<NULL>") : parts.join(u' ')) +
                       QStringLiteral(" ]");
            } else {
                *out = parts.isEmpty()
                           ? QStringLiteral("<NULL>")
                           : QStringLiteral("( ") + parts.join(u' ') + QStringLiteral(" )");
            }
            return true;
        }
        }
        return false;
    }

    // A rule that reaches itself would make an endless grammar: refused.
    bool checkCycles(QString* error) {
        const int count = int(grammar_.rules.size());
        std::vector<int> state(count, 0); // 0 new, 1 on the path, 2 done
        std::function<bool(int)> visit = [&](int index) {
            state[index] = 1;
            bool ok = true;
            std::function<void(const GrammarNode&)> walk = [&](const GrammarNode& n) {
                if (!ok) {
                    return;
                }
                if (n.kind == GrammarNode::Kind::RuleRef) {
                    const int target = indexOf(findRule(grammar_, n.ruleName));
                    if (state[target] == 1) {
                        ok = fail(error, QStringLiteral("Grammar: rule \"%1\" refers to itself")
                                             .arg(grammar_.rules[target].name));
                    } else if (state[target] == 0) {
                        ok = visit(target);
                    }
                }
                for (const GrammarNode& child : n.children) {
                    walk(child);
                }
            };
            walk(grammar_.rules[index].body);
            state[index] = 2;
            return ok;
        };
        for (int i = 0; i < count; ++i) {
            if (state[i] == 0 && !visit(i)) {
                return false;
            }
        }
        return true;
    }

    const CommandGrammar& grammar_;
};

// Expands a node into the texts it can produce, stopping at max texts.
QStringList expand(const CommandGrammar& grammar, const GrammarNode& n, int max, int depth,
                   int* budget) {
    // Rules referred to many times over would be expanded again and again: the budget bounds
    // the whole walk.
    if (depth > 64 || --*budget < 0) {
        return {};
    }
    auto product = [max](const QStringList& left, const QStringList& right) {
        QStringList out;
        for (const QString& a : left) {
            for (const QString& b : right) {
                if (out.size() >= max) {
                    return out;
                }
                out << (a.isEmpty() ? b : b.isEmpty() ? a : a + u' ' + b);
            }
        }
        return out;
    };
    switch (n.kind) {
    case GrammarNode::Kind::Words:
        return {n.words.join(u' ')};
    case GrammarNode::Kind::RuleRef: {
        const GrammarRule* rule = findRule(grammar, n.ruleName);
        return rule ? expand(grammar, rule->body, max, depth + 1, budget) : QStringList{};
    }
    case GrammarNode::Kind::Alternatives: {
        QStringList out;
        for (const GrammarNode& child : n.children) {
            for (const QString& text : expand(grammar, child, max, depth + 1, budget)) {
                if (out.size() < max && !out.contains(text)) {
                    out << text;
                }
            }
        }
        return out;
    }
    case GrammarNode::Kind::Sequence:
    case GrammarNode::Kind::Optional: {
        QStringList out{QString()};
        for (const GrammarNode& child : n.children) {
            out = product(out, expand(grammar, child, max, depth + 1, budget));
        }
        if (n.kind == GrammarNode::Kind::Optional && !out.contains(QString())) {
            out.prepend(QString());
        }
        return out;
    }
    }
    return {};
}

} // namespace

bool readCommandGrammar(const QByteArray& xml, CommandGrammar* grammar, QString* error,
                        const GrammarLimits& limits) {
    if (xml.size() > limits.maxBytes) {
        if (error) {
            *error =
                QStringLiteral("Grammar: the file is larger than %1 bytes").arg(limits.maxBytes);
        }
        return false;
    }
    CommandGrammar result;
    Reader reader(xml, limits);
    if (!reader.read(&result, error)) {
        return false;
    }
    *grammar = std::move(result);
    return true;
}

bool commandGrammarToJsgf(const CommandGrammar& grammar, QByteArray* jsgf, QString* error) {
    return JsgfWriter(grammar).write(jsgf, error);
}

QStringList commandGrammarPhrases(const CommandGrammar& grammar, int max) {
    QStringList out;
    QSet<QString> seen;
    int budget = 100000;
    for (const GrammarRule& rule : grammar.rules) {
        if (!rule.topLevel) {
            continue;
        }
        for (const QString& text : expand(grammar, rule.body, max, 0, &budget)) {
            if (out.size() < max && !text.isEmpty() && !seen.contains(text)) {
                seen.insert(text);
                out << text;
            }
        }
    }
    return out;
}

namespace {

void collectWords(const GrammarNode& node, QStringList* words) {
    for (const QString& word : node.words) {
        if (!words->contains(word)) {
            *words << word;
        }
    }
    for (const GrammarNode& child : node.children) {
        collectWords(child, words);
    }
}

} // namespace

QStringList commandGrammarWords(const CommandGrammar& grammar) {
    QStringList words;
    for (const GrammarRule& rule : grammar.rules) {
        collectWords(rule.body, &words);
    }
    return words;
}

} // namespace qv
