#include "SqlLexer.h"

#include "platform/SqlText.h"
#include "platform/db/Literals.h"

namespace db {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

bool isDateChar(QChar c)
{
    return c.isDigit() || c == u'/' || c == u'-' || c == u':' || c == u' ' || c == u'.' || c == u'T' ||
           c == u'A' || c == u'P' || c == u'M' || c == u'a' || c == u'p' || c == u'm';
}

// Length of a #...# date literal starting at i, or 0 when the # starts a name.
qsizetype dateLiteralLength(QStringView s, qsizetype i)
{
    if (i + 1 >= s.size() || !s[i + 1].isDigit())
        return 0;
    qsizetype j = i + 1;
    while (j < s.size() && s[j] != u'#') {
        if (!isDateChar(s[j]))
            return 0;
        ++j;
    }
    return j < s.size() ? j - i + 1 : 0;
}

}  // namespace

bool SqlToken::isComparison() const
{
    if (kind != Kind::Punct)
        return false;
    static const char16_t* ops[] = {u"=", u"<>", u"!=", u"<", u">", u"<=", u">=", u"!<", u"!>"};
    for (const char16_t* op : ops)
        if (text == QStringView(op))
            return true;
    return false;
}

namespace {

// Cuts the code between literals and names: blanks, comments, date literals,
// numbers, words and operators.
void tokenizeCode(QStringView s, qsizetype i, qsizetype n, std::vector<SqlToken>& out)
{
    auto push = [&](SqlToken::Kind k, qsizetype start, qsizetype end) {
        out.push_back({k, start, end - start, s.mid(start, end - start)});
    };
    while (i < n) {
        const QChar c = s[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && s[i].isSpace())
                ++i;
            push(SqlToken::Kind::Space, start, i);
        } else if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
            while (i < n && s[i] != u'\n' && s[i] != u'\r')
                ++i;
            push(SqlToken::Kind::Comment, start, i);
        } else if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
            const qsizetype close = s.mid(0, n).indexOf(u"*/", i + 2);
            i = close < 0 ? n : close + 2;
            push(SqlToken::Kind::Comment, start, i);
        } else if (c == u'#' && dateLiteralLength(s.mid(0, n), i) > 0) {
            i += dateLiteralLength(s.mid(0, n), i);
            push(SqlToken::Kind::DateLiteral, start, i);
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            while (i < n && s[i].isDigit())
                ++i;
            if (i < n && s[i] == u'.') {
                ++i;
                while (i < n && s[i].isDigit())
                    ++i;
            }
            if (i + 1 < n && (s[i] == u'e' || s[i] == u'E') &&
                (s[i + 1].isDigit() || ((s[i + 1] == u'+' || s[i + 1] == u'-') && i + 2 < n && s[i + 2].isDigit()))) {
                i += 2;
                while (i < n && s[i].isDigit())
                    ++i;
            }
            // A number glued to letters ("1abc") is a name, as SQL Server reads it.
            if (i < n && isNameChar(s[i]) && !s[i].isDigit()) {
                while (i < n && isNameChar(s[i]))
                    ++i;
                push(SqlToken::Kind::Word, start, i);
            } else {
                push(SqlToken::Kind::Number, start, i);
            }
        } else if (isNameChar(c)) {
            while (i < n && isNameChar(s[i]))
                ++i;
            push(SqlToken::Kind::Word, start, i);
        } else {
            static const char16_t* twoChar[] = {u"<=", u">=", u"<>", u"!=", u"!<", u"!>", u"||"};
            qsizetype len = 1;
            for (const char16_t* op : twoChar)
                if (s.mid(i, n - i).startsWith(QStringView(op))) {
                    len = 2;
                    break;
                }
            i += len;
            push(SqlToken::Kind::Punct, start, i);
        }
    }
}

}  // namespace

std::vector<SqlToken> tokenizeSql(const QString& sql)
{
    const QStringView s(sql);
    std::vector<SqlToken> out;
    for (const SqlText::Segment& seg : SqlText::segments(sql)) {
        const qsizetype end = seg.start + seg.length;
        switch (seg.kind) {
        case SqlText::Kind::Code:
            tokenizeCode(s, seg.start, end, out);
            break;
        case SqlText::Kind::Literal:
            // N'text' is the same literal in Unicode.
            if (!out.empty() && out.back().kind == SqlToken::Kind::Word && out.back().length == 1 &&
                out.back().start + 1 == seg.start && (out.back().text == u"N" || out.back().text == u"n")) {
                const qsizetype start = out.back().start;
                out.back() = {SqlToken::Kind::String, start, end - start, s.mid(start, end - start)};
            } else {
                out.push_back({SqlToken::Kind::String, seg.start, seg.length, s.mid(seg.start, seg.length)});
            }
            break;
        case SqlText::Kind::QuotedName:
        case SqlText::Kind::BracketName:
            out.push_back({SqlToken::Kind::QuotedName, seg.start, seg.length, s.mid(seg.start, seg.length)});
            break;
        }
    }
    return out;
}

QString stringLiteralValue(const SqlToken& t)
{
    QStringView body = t.text;
    if (body.startsWith(u'N') || body.startsWith(u'n'))
        body = body.mid(1);
    return unquoteText(body);
}

QString nameValue(const SqlToken& t)
{
    if (t.kind != SqlToken::Kind::QuotedName)
        return t.text.toString();
    QStringView body = t.text.mid(1);
    const QChar close = t.text.front() == u'[' ? u']' : u'"';
    if (body.endsWith(close))
        body.chop(1);
    QString name = body.toString();
    name.replace(QString(2, close), QString(close));
    return name;
}

QString singleTableOf(const QString& select)
{
    std::vector<SqlToken> all = tokenizeSql(select);
    std::vector<SqlToken> t;
    for (const SqlToken& k : all)
        if (k.significant())
            t.push_back(k);
    if (t.empty() || !t.front().isWord(u"SELECT"))
        return {};
    int depth = 0;
    std::size_t from = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].isPunct(u"("))
            ++depth;
        else if (t[i].isPunct(u")"))
            --depth;
        else if (depth == 0 && t[i].isWord(u"FROM")) {
            from = i;
            break;
        }
    }
    if (from == 0 || from + 1 >= t.size())
        return {};
    std::size_t i = from + 1;
    auto isName = [](const SqlToken& k) { return k.kind == SqlToken::Kind::Word || k.kind == SqlToken::Kind::QuotedName; };
    if (!isName(t[i]))
        return {};
    QString table = nameValue(t[i]);
    // Owner prefixes ("dbo.") name the same table.
    while (i + 2 < t.size() && t[i + 1].isPunct(u".") && isName(t[i + 2])) {
        i += 2;
        table = nameValue(t[i]);
    }
    ++i;
    // An alias may follow; then only a WHERE or an ORDER BY.
    if (i < t.size() && t[i].isWord(u"AS"))
        ++i;
    if (i < t.size() && isName(t[i]) && !t[i].isWord(u"WHERE") && !t[i].isWord(u"ORDER"))
        ++i;
    if (i < t.size() && !t[i].isWord(u"WHERE") && !t[i].isWord(u"ORDER") && !t[i].isPunct(u";"))
        return {};
    for (; i < t.size(); ++i)
        if (t[i].isWord(u"UNION") || t[i].isWord(u"GROUP") || t[i].isWord(u"EXCEPT") || t[i].isWord(u"INTERSECT") ||
            t[i].isWord(u"JOIN"))
            return {};
    return table;
}

}  // namespace db
