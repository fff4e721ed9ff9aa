#include "platform/SqlText.h"

#include "platform/Value.h"

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

QChar closerOf(QChar opener)
{
    return opener == u'[' ? QChar(u']') : opener;
}

}  // namespace

qsizetype SqlText::endOfQuoted(const QString& sql, qsizetype from)
{
    const QChar closer = closerOf(sql.at(from));
    qsizetype i = from + 1;
    while (i < sql.size()) {
        if (sql.at(i) == closer) {
            if (i + 1 < sql.size() && sql.at(i + 1) == closer) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

std::vector<SqlText::Segment> SqlText::segments(const QString& sql)
{
    std::vector<Segment> out;
    qsizetype codeStart = 0;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        Kind kind;
        if (c == u'\'')
            kind = Kind::Literal;
        else if (c == u'"')
            kind = Kind::QuotedName;
        else if (c == u'[')
            kind = Kind::BracketName;
        else {
            ++i;
            continue;
        }
        if (i > codeStart)
            out.push_back({Kind::Code, codeStart, i - codeStart});
        const qsizetype end = endOfQuoted(sql, i);
        out.push_back({kind, i, end - i});
        i = codeStart = end;
    }
    if (sql.size() > codeStart)
        out.push_back({Kind::Code, codeStart, sql.size() - codeStart});
    return out;
}

std::vector<SqlText::Word> SqlText::words(const QString& sql)
{
    std::vector<Word> out;
    int depth = 0;
    for (const Segment& s : segments(sql)) {
        if (s.kind != Kind::Code)
            continue;
        const qsizetype end = s.start + s.length;
        qsizetype i = s.start;
        while (i < end) {
            const QChar c = sql.at(i);
            if (isWordChar(c)) {
                const qsizetype start = i;
                while (i < end && isWordChar(sql.at(i)))
                    ++i;
                out.push_back({sql.mid(start, i - start), start, depth});
                continue;
            }
            if (c == u'(')
                ++depth;
            else if (c == u')' && depth > 0)
                --depth;
            ++i;
        }
    }
    return out;
}

QString SqlText::replaceInCode(const QString& sql, const QString& before, const QString& after)
{
    QString out;
    out.reserve(sql.size());
    for (const Segment& s : segments(sql)) {
        QString part = sql.mid(s.start, s.length);
        out += s.kind == Kind::Code ? part.replace(before, after, Qt::CaseInsensitive) : part;
    }
    return out;
}

qsizetype SqlText::indexInCode(const QString& sql, const QString& needle)
{
    for (const Segment& s : segments(sql)) {
        if (s.kind != Kind::Code)
            continue;
        const qsizetype at = sql.mid(s.start, s.length).indexOf(needle, 0, Qt::CaseInsensitive);
        if (at >= 0)
            return s.start + at;
    }
    return -1;
}

QString SqlText::upperOutsideLiterals(const QString& sql)
{
    QString out;
    out.reserve(sql.size());
    for (const Segment& s : segments(sql)) {
        const QString part = sql.mid(s.start, s.length);
        out += s.kind == Kind::Literal ? part : part.toUpper();
    }
    return out;
}

QString SqlText::trimBlanks(const QString& text)
{
    return lang::trimBlanks(text).toString();
}
