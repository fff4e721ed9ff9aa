#include "FormulaLanguage.h"

#include "platform/RuntimeError.h"
#include "platform/SqlText.h"
#include "platform/Value.h"
#include "platform/db/Literals.h"

#include <QRegularExpression>
#include <optional>

namespace report {

namespace {

const QString kSource = QStringLiteral("KumozenReportes");

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isName(const QString& text)
{
    static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return name.match(text).hasMatch();
}

[[noreturn]] void refuseSelection(const QString& formula, const QString& why)
{
    throw RuntimeError(errnum::SelectionNotUnderstood,
                       QStringLiteral("La formula de seleccion del reporte no se puede interpretar (%1): %2")
                           .arg(why, formula.trimmed()),
                       kSource);
}

struct Token {
    enum Kind { Field, Text, Number, Open, Close, Compare, And, Or, Not, IsNull, End };
    Kind kind;
    QString text;  // the SQL text of a field, number or comparison; the value of a literal
};

// The value of a '...' literal segment, or nothing when it is never closed.
std::optional<QString> literalValue(QStringView quoted)
{
    QString value;
    for (qsizetype i = 1; i < quoted.size(); ++i) {
        if (quoted[i] != u'\'') {
            value += quoted[i];
        } else if (i + 1 < quoted.size() && quoted[i + 1] == u'\'') {
            value += u'\'';
            ++i;
        } else {
            return i == quoted.size() - 1 ? std::optional<QString>(value) : std::nullopt;
        }
    }
    return std::nullopt;
}

void lexCode(const QString& formula, qsizetype from, qsizetype to, std::vector<Token>& out)
{
    qsizetype i = from;
    while (i < to) {
        const QChar c = formula[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == u'{') {
            const qsizetype close = formula.indexOf(u'}', i);
            if (close < 0 || close >= to)
                refuseSelection(formula, QStringLiteral("campo sin cerrar"));
            const QString inner = formula.mid(i + 1, close - i - 1);
            const qsizetype dot = inner.indexOf(u'.');
            if (dot < 0 || !isName(inner.left(dot)) || !isName(inner.mid(dot + 1)))
                refuseSelection(formula, QStringLiteral("campo {%1}").arg(inner));
            out.push_back({Token::Field, inner});
            i = close + 1;
        } else if (c == u'(') {
            out.push_back({Token::Open, {}});
            ++i;
        } else if (c == u')') {
            out.push_back({Token::Close, {}});
            ++i;
        } else if (c == u'=' || c == u'<' || c == u'>') {
            const QChar next = i + 1 < to ? formula[i + 1] : QChar();
            const bool pair = (c == u'<' && (next == u'=' || next == u'>')) || (c == u'>' && next == u'=');
            const QString op = formula.mid(i, pair ? 2 : 1);
            out.push_back({Token::Compare, op});
            i += op.size();
        } else if (isDigit(c)) {
            qsizetype end = i;
            while (end < to && isDigit(formula[end]))
                ++end;
            if (end + 1 < to && formula[end] == u'.' && isDigit(formula[end + 1])) {
                end += 2;
                while (end < to && isDigit(formula[end]))
                    ++end;
            }
            if (end < to && (formula[end].isLetterOrNumber() || formula[end] == u'_' || formula[end] == u'.'))
                refuseSelection(formula, QStringLiteral("numero \"%1\"").arg(formula.mid(i, end - i + 1)));
            out.push_back({Token::Number, formula.mid(i, end - i)});
            i = end;
        } else if (c.isLetter() || c == u'_') {
            qsizetype end = i;
            while (end < to && (formula[end].isLetterOrNumber() || formula[end] == u'_'))
                ++end;
            const QString word = formula.mid(i, end - i);
            if (lang::sameText(word, u"and"))
                out.push_back({Token::And, {}});
            else if (lang::sameText(word, u"or"))
                out.push_back({Token::Or, {}});
            else if (lang::sameText(word, u"not"))
                out.push_back({Token::Not, {}});
            else if (lang::sameText(word, u"isnull"))
                out.push_back({Token::IsNull, {}});
            else
                refuseSelection(formula, QStringLiteral("\"%1\"").arg(word));
            i = end;
        } else {
            refuseSelection(formula, QStringLiteral("\"%1\"").arg(c));
        }
    }
}

std::vector<Token> lex(const QString& formula)
{
    std::vector<Token> tokens;
    for (const SqlText::Segment& s : SqlText::segments(formula)) {
        const QStringView quoted = QStringView(formula).mid(s.start, s.length);
        switch (s.kind) {
        case SqlText::Kind::Code:
            lexCode(formula, s.start, s.start + s.length, tokens);
            break;
        case SqlText::Kind::Literal: {
            const auto value = literalValue(quoted);
            if (!value)
                refuseSelection(formula, QStringLiteral("texto sin cerrar"));
            tokens.push_back({Token::Text, *value});
            break;
        }
        case SqlText::Kind::QuotedName:
        case SqlText::Kind::BracketName:
            refuseSelection(formula, quoted.toString());
        }
    }
    tokens.push_back({Token::End, {}});
    return tokens;
}

// Recursive descent over the tokens, writing the condition as it goes.
class Parser {
public:
    Parser(const QString& formula, std::vector<Token> tokens) : m_formula(formula), m_tokens(std::move(tokens)) {}

    QString condition()
    {
        QString sql = orExpression();
        if (peek() != Token::End)
            refuseSelection(m_formula, QStringLiteral("sobra texto al final"));
        return sql;
    }

private:
    static constexpr int kMaxDepth = 64;

    Token::Kind peek() const { return m_tokens[m_at].kind; }
    const Token& take() { return m_tokens[m_at++]; }
    void expect(Token::Kind kind, const QString& what)
    {
        if (peek() != kind)
            refuseSelection(m_formula, QStringLiteral("falta %1").arg(what));
        ++m_at;
    }

    struct Nest {
        explicit Nest(Parser& p) : parser(p)
        {
            if (++parser.m_depth > kMaxDepth)
                refuseSelection(parser.m_formula, QStringLiteral("demasiados niveles"));
        }
        ~Nest() { --parser.m_depth; }
        Parser& parser;
    };

    QString orExpression()
    {
        Nest nest(*this);
        QString sql = andExpression();
        while (peek() == Token::Or) {
            take();
            sql += QStringLiteral(" OR ") + andExpression();
        }
        return sql;
    }

    QString andExpression()
    {
        QString sql = notExpression();
        while (peek() == Token::And) {
            take();
            sql += QStringLiteral(" AND ") + notExpression();
        }
        return sql;
    }

    QString notExpression()
    {
        if (peek() != Token::Not)
            return primary();
        Nest nest(*this);
        take();
        return QStringLiteral("NOT (") + notExpression() + QStringLiteral(")");
    }

    QString primary()
    {
        if (peek() == Token::Open) {
            take();
            const QString inner = orExpression();
            expect(Token::Close, QStringLiteral("\")\""));
            return QStringLiteral("(") + inner + QStringLiteral(")");
        }
        if (peek() == Token::IsNull) {
            take();
            expect(Token::Open, QStringLiteral("\"(\" tras isnull"));
            if (peek() != Token::Field)
                refuseSelection(m_formula, QStringLiteral("isnull sin campo"));
            const QString field = take().text;
            expect(Token::Close, QStringLiteral("\")\""));
            return field + QStringLiteral(" IS NULL");
        }
        const QString left = operand();
        if (peek() != Token::Compare)
            refuseSelection(m_formula, QStringLiteral("falta una comparacion"));
        const QString op = take().text;
        return left + QStringLiteral(" ") + op + QStringLiteral(" ") + operand();
    }

    QString operand()
    {
        switch (peek()) {
        case Token::Field:
        case Token::Number:
            return take().text;
        case Token::Text:
            // The report language quotes text as SQL does; the one literal
            // builder writes it again, whatever the formula held.
            return db::quoteText(take().text);
        default:
            refuseSelection(m_formula, QStringLiteral("falta un campo o un valor"));
        }
    }

    const QString& m_formula;
    std::vector<Token> m_tokens;
    std::size_t m_at = 0;
    int m_depth = 0;
};

}  // namespace

QString selectionToWhere(const QString& formula)
{
    if (formula.trimmed().isEmpty())
        return {};
    return Parser(formula, lex(formula)).condition();
}

Formulas parseFormulas(const QStringList& texts)
{
    Formulas formulas;
    for (const QString& text : texts) {
        if (text.trimmed().isEmpty())
            continue;
        const qsizetype equals = text.indexOf(u'=');
        const QString name = text.left(equals).trimmed();
        const QString quoted = text.mid(equals + 1).trimmed();
        if (equals < 0 || !isName(name) || quoted.size() < 2 || !quoted.startsWith(u'\'') || !quoted.endsWith(u'\''))
            throw RuntimeError(errnum::FormulaNotUnderstood,
                               QStringLiteral("La formula \"%1\" del reporte no tiene la forma Nombre = 'texto'.")
                                   .arg(text.trimmed()),
                               kSource);
        formulas.set(name, db::unquoteText(quoted));
    }
    return formulas;
}

}  // namespace report
