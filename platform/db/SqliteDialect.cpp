#include "SqliteDialect.h"

#include "Literals.h"
#include "SqlLexer.h"

#include <QHash>

namespace db {

namespace {

using Kind = SqlToken::Kind;

QString upper(const SqlToken& t)
{
    return t.text.toString().toUpper();
}

// Index of the next significant token at or after i (up to b), or b.
int nextSig(const std::vector<SqlToken>& t, int i, int b)
{
    while (i < b && !t[static_cast<std::size_t>(i)].significant())
        ++i;
    return i;
}

// Index of the previous significant token before i (down to a), or -1.
int prevSig(const std::vector<SqlToken>& t, int i, int a)
{
    --i;
    while (i >= a && !t[static_cast<std::size_t>(i)].significant())
        --i;
    return i >= a ? i : -1;
}

// Output formats of CONVERT's date styles, in SQLite's strftime notation.
QString styleFormat(int style)
{
    switch (style) {
    case 23: return QStringLiteral("%Y-%m-%d");
    case 101: return QStringLiteral("%m/%d/%Y");
    case 103: return QStringLiteral("%d/%m/%Y");
    case 104: return QStringLiteral("%d.%m.%Y");
    case 105: return QStringLiteral("%d-%m-%Y");
    case 108: return QStringLiteral("%H:%M:%S");
    case 112: return QStringLiteral("%Y%m%d");
    case 120: return QStringLiteral("%Y-%m-%d %H:%M:%S");
    case 121: return QStringLiteral("%Y-%m-%d %H:%M:%f");
    default: return {};
    }
}

enum class TypeFamily { Text, Integer, Numeric, Real, Date, DateTime, Time, Other };

TypeFamily familyOf(const QString& typeName)
{
    static const QHash<QString, TypeFamily> families = {
        {QStringLiteral("VARCHAR"), TypeFamily::Text},      {QStringLiteral("NVARCHAR"), TypeFamily::Text},
        {QStringLiteral("CHAR"), TypeFamily::Text},         {QStringLiteral("NCHAR"), TypeFamily::Text},
        {QStringLiteral("TEXT"), TypeFamily::Text},         {QStringLiteral("NTEXT"), TypeFamily::Text},
        {QStringLiteral("SYSNAME"), TypeFamily::Text},      {QStringLiteral("INT"), TypeFamily::Integer},
        {QStringLiteral("INTEGER"), TypeFamily::Integer},   {QStringLiteral("BIGINT"), TypeFamily::Integer},
        {QStringLiteral("SMALLINT"), TypeFamily::Integer},  {QStringLiteral("TINYINT"), TypeFamily::Integer},
        {QStringLiteral("BIT"), TypeFamily::Integer},       {QStringLiteral("DECIMAL"), TypeFamily::Numeric},
        {QStringLiteral("NUMERIC"), TypeFamily::Numeric},   {QStringLiteral("MONEY"), TypeFamily::Numeric},
        {QStringLiteral("SMALLMONEY"), TypeFamily::Numeric}, {QStringLiteral("FLOAT"), TypeFamily::Real},
        {QStringLiteral("REAL"), TypeFamily::Real},         {QStringLiteral("DATE"), TypeFamily::Date},
        {QStringLiteral("DATETIME"), TypeFamily::DateTime}, {QStringLiteral("DATETIME2"), TypeFamily::DateTime},
        {QStringLiteral("SMALLDATETIME"), TypeFamily::DateTime}, {QStringLiteral("TIME"), TypeFamily::Time},
    };
    return families.value(typeName, TypeFamily::Other);
}

class Renderer {
public:
    Renderer(const std::vector<SqlToken>& tokens, const QString& collation) : t(tokens), m_collation(collation)
    {
        match.assign(t.size(), -1);
        std::vector<int> open;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i].isPunct(u"("))
                open.push_back(static_cast<int>(i));
            else if (t[i].isPunct(u")") && !open.empty()) {
                match[static_cast<std::size_t>(open.back())] = static_cast<int>(i);
                open.pop_back();
            }
        }
    }

    // Renders one statement [a, b).
    QString statement(int a, int b)
    {
        const int first = nextSig(t, a, b);
        m_head = first < b ? upper(at(first)) : QString();
        m_ddl = m_head == u"CREATE" || m_head == u"ALTER" || m_head == u"DROP";
        return range(a, b, true);
    }

    // Renders [a, b) as the body of a CASE WHEN.
    QString condition(int a, int b)
    {
        m_head = QStringLiteral("IF");
        m_ddl = false;
        return range(a, b, false);
    }

private:
    const SqlToken& at(int i) const { return t[static_cast<std::size_t>(i)]; }
    int end(int i, int b) const
    {
        const int m = match[static_cast<std::size_t>(i)];
        return (m < 0 || m >= b) ? b : m;
    }

    // A query level: splits at UNION / EXCEPT / INTERSECT so that each member
    // keeps its own row limit.
    QString range(int a, int b, bool topLevel)
    {
        std::vector<std::pair<int, int>> members;
        std::vector<std::pair<int, int>> operators;
        int start = a;
        for (int i = a; i < b; ++i) {
            if (at(i).isPunct(u"(")) {
                i = end(i, b);
                continue;
            }
            if (at(i).isWord(u"UNION") || at(i).isWord(u"EXCEPT") || at(i).isWord(u"INTERSECT")) {
                members.emplace_back(start, i);
                int opEnd = i + 1;
                const int next = nextSig(t, opEnd, b);
                if (next < b && at(next).isWord(u"ALL"))
                    opEnd = next + 1;
                operators.emplace_back(i, opEnd);
                start = opEnd;
                i = opEnd - 1;
            }
        }
        if (members.empty())
            return level(a, b, topLevel);
        members.emplace_back(start, b);
        QString out;
        for (std::size_t m = 0; m < members.size(); ++m) {
            const auto [ma, mb] = members[m];
            QString limit;
            QString body = level(ma, mb, false, &limit);
            if (!limit.isEmpty()) {
                // A compound's LIMIT would bind the whole compound on SQLite.
                const int lead = nextSig(t, ma, mb);
                out += verbatim(ma, lead) + QStringLiteral("SELECT * FROM (") + body.trimmed() +
                       QStringLiteral(" LIMIT ") + limit + QStringLiteral(") ");
            } else {
                out += body;
            }
            if (m < operators.size())
                out += verbatim(operators[m].first, operators[m].second);
        }
        return out;
    }

    QString verbatim(int a, int b) const
    {
        QString out;
        for (int i = a; i < b; ++i)
            out += at(i).text;
        return out;
    }

    // One query level; its TOP becomes a LIMIT at its end (or is handed back
    // through `limitOut` for a compound member to wrap).
    QString level(int a, int b, bool topLevel, QString* limitOut = nullptr)
    {
        QString out;
        QString limit;
        qsizetype lastSigEnd = 0;
        bool inSet = false;
        auto put = [&](const QString& s, bool significant = true) {
            out += s;
            if (significant)
                lastSigEnd = out.size();
        };
        for (int i = a; i < b; ++i) {
            const SqlToken& k = at(i);
            if (!k.significant()) {
                put(k.text.toString(), false);
                continue;
            }
            if (k.isPunct(u"(")) {
                const int m = end(i, b);
                put(QStringLiteral("(") + range(i + 1, m, false) + (m < b ? QStringLiteral(")") : QString()));
                i = m;
                continue;
            }
            if (topLevel && m_head == u"UPDATE") {
                if (k.isWord(u"SET"))
                    inSet = true;
                else if (k.isWord(u"WHERE"))
                    inSet = false;
            }
            const int next = nextSig(t, i + 1, b);
            const bool call = next < b && at(next).isPunct(u"(");
            if (k.kind == Kind::Word) {
                if (k.isWord(u"SELECT")) {
                    int j = next;
                    if (j < b && (at(j).isWord(u"DISTINCT") || at(j).isWord(u"ALL")))
                        j = nextSig(t, j + 1, b);
                    if (j < b && at(j).isWord(u"TOP")) {
                        const int n = nextSig(t, j + 1, b);
                        int last = -1;
                        QString count;
                        if (n < b && at(n).kind == Kind::Number) {
                            count = at(n).text.toString();
                            last = n;
                        } else if (n < b && at(n).isPunct(u"(")) {
                            const int m = end(n, b);
                            count = verbatim(n + 1, m).trimmed();
                            last = m;
                        }
                        if (last >= 0) {
                            if (limit.isEmpty())
                                limit = count;
                            put(verbatim(i, j));
                            i = last;
                            continue;
                        }
                    }
                } else if (k.isWord(u"ISNULL") && call) {
                    put(QStringLiteral("IFNULL"));
                    continue;
                } else if (k.isWord(u"LEN") && call) {
                    const int m = end(next, b);
                    put(QStringLiteral("LENGTH(RTRIM(") + range(next + 1, m, false) + QStringLiteral("))"));
                    i = m;
                    continue;
                } else if (k.isWord(u"GETDATE") && call) {
                    put(QStringLiteral("strftime('%Y-%m-%dT%H:%M:%S','now','localtime')"));
                    i = end(next, b);
                    continue;
                } else if (k.isWord(u"CONVERT") && call) {
                    const int m = end(next, b);
                    put(convert(next + 1, m));
                    i = m;
                    continue;
                } else if (k.isWord(u"DELETE") && topLevel && i == nextSig(t, a, b) &&
                           (next >= b || !at(next).isWord(u"FROM"))) {
                    put(k.text.toString() + QStringLiteral(" FROM"));
                    continue;
                }
            }
            if ((k.isWord(u"dbo") || (k.kind == Kind::QuotedName && nameValue(k).compare(u"dbo", Qt::CaseInsensitive) == 0)) &&
                i + 2 < b && at(i + 1).isPunct(u".") && at(i + 2).kind != Kind::Space &&
                (i == a || !at(i - 1).isPunct(u"."))) {
                ++i;
                continue;
            }
            if (k.kind == Kind::DateLiteral) {
                const auto when = parseDateTime(k.text.mid(1, k.text.size() - 2));
                put(when ? dateTimeLiteral(*when) : quoteText(k.text.mid(1, k.text.size() - 2).toString()));
                continue;
            }
            if (k.kind == Kind::String) {
                QString literal = k.text.toString();
                if (literal.startsWith(u'N') || literal.startsWith(u'n'))
                    literal.remove(0, 1);
                if (!inSet && !m_ddl && comparedLiteral(i, a, b))
                    literal += QStringLiteral(" COLLATE ") + m_collation;
                put(literal);
                continue;
            }
            if (k.kind == Kind::QuotedName && k.text.startsWith(u'[') && k.text.contains(u"]]")) {
                put(u'"' + nameValue(k).replace(u'"', QStringLiteral("\"\"")) + u'"');
                continue;
            }
            put(k.text.toString());
        }
        if (!limit.isEmpty()) {
            if (limitOut)
                *limitOut = limit;
            else
                out.insert(lastSigEnd, QStringLiteral(" LIMIT ") + limit);
        }
        return out;
    }

    // A string literal that is one side of a comparison, with no explicit
    // collation on it or on the other side.
    bool comparedLiteral(int i, int a, int b) const
    {
        const int prev = prevSig(t, i, a);
        const int next = nextSig(t, i + 1, b);
        if (next < b && at(next).isWord(u"COLLATE"))
            return false;
        if (prev >= 0 && at(prev).isComparison())
            return true;
        if (next < b && at(next).isComparison()) {
            const int other = nextSig(t, next + 1, b);
            const int after = other < b ? nextSig(t, other + 1, b) : b;
            return !(after < b && at(after).isWord(u"COLLATE"));
        }
        return false;
    }

    // CONVERT(type, expression[, style]) with its arguments in [a, b).
    QString convert(int a, int b)
    {
        std::vector<std::pair<int, int>> args;
        int start = a;
        for (int i = a; i < b; ++i) {
            if (at(i).isPunct(u"(")) {
                i = end(i, b);
                continue;
            }
            if (at(i).isPunct(u",")) {
                args.emplace_back(start, i);
                start = i + 1;
            }
        }
        args.emplace_back(start, b);
        if (args.size() < 2)
            return QStringLiteral("CONVERT(") + range(a, b, false) + QStringLiteral(")");
        const int typeTok = nextSig(t, args[0].first, args[0].second);
        const QString typeName = typeTok < args[0].second ? upper(at(typeTok)) : QString();
        const QString expr = range(args[1].first, args[1].second, false).trimmed();
        int style = -1;
        if (args.size() > 2)
            style = verbatim(args[2].first, args[2].second).trimmed().toInt();
        const QString format = styleFormat(style);
        switch (familyOf(typeName)) {
        case TypeFamily::Text:
            if (!format.isEmpty())
                return QStringLiteral("COALESCE(strftime('%1',%2),CAST(%2 AS TEXT))").arg(format, expr);
            return QStringLiteral("CAST(%1 AS TEXT)").arg(expr);
        case TypeFamily::Integer: return QStringLiteral("CAST(%1 AS INTEGER)").arg(expr);
        case TypeFamily::Numeric: return QStringLiteral("CAST(%1 AS NUMERIC)").arg(expr);
        case TypeFamily::Real: return QStringLiteral("CAST(%1 AS REAL)").arg(expr);
        case TypeFamily::Date:
        case TypeFamily::DateTime: {
            const QString time = familyOf(typeName) == TypeFamily::Date ? QStringLiteral("T00:00:00")
                                                                       : QStringLiteral("T%H:%M:%S");
            if (style == 103 || style == 104 || style == 105)
                return QStringLiteral("(substr(%1,7,4)||'-'||substr(%1,4,2)||'-'||substr(%1,1,2)||'T00:00:00')").arg(expr);
            return QStringLiteral("strftime('%Y-%m-%d%1',%2)").arg(time, expr);
        }
        case TypeFamily::Time: return QStringLiteral("strftime('%H:%M:%S',%1)").arg(expr);
        case TypeFamily::Other: break;
        }
        return QStringLiteral("CAST(%1 AS %2)").arg(expr, verbatim(args[0].first, args[0].second).trimmed());
    }

    const std::vector<SqlToken>& t;
    const QString& m_collation;
    std::vector<int> match;
    QString m_head;
    bool m_ddl = false;
};

bool isStatementStart(const QString& kw)
{
    static const QStringList starts = {
        QStringLiteral("SELECT"), QStringLiteral("INSERT"), QStringLiteral("UPDATE"),   QStringLiteral("DELETE"),
        QStringLiteral("BEGIN"),  QStringLiteral("COMMIT"), QStringLiteral("ROLLBACK"), QStringLiteral("IF"),
        QStringLiteral("GO"),     QStringLiteral("CREATE"), QStringLiteral("ALTER"),    QStringLiteral("DROP"),
        QStringLiteral("TRUNCATE"),
    };
    return starts.contains(kw);
}

}  // namespace

SqliteDialect::SqliteDialect(QString literalCollation) : m_collation(std::move(literalCollation)) {}

std::vector<SqliteStatement> SqliteDialect::translate(const QString& text) const
{
    const std::vector<SqlToken> t = tokenizeSql(text);
    const int n = static_cast<int>(t.size());

    // Cut the batch at the start of each statement.
    std::vector<std::pair<int, int>> spans;
    {
        int start = 0;
        int depth = 0;
        QString head;
        bool insertHasSource = false;
        bool trigger = false;
        int prev = -1;
        for (int i = 0; i < n; ++i) {
            const SqlToken& k = t[static_cast<std::size_t>(i)];
            if (!k.significant())
                continue;
            if (depth == 0) {
                if (k.isPunct(u";")) {
                    spans.emplace_back(start, i);
                    start = i + 1;
                    head.clear();
                    prev = -1;
                    continue;
                }
                const QString kw = k.kind == Kind::Word ? upper(k) : QString();
                bool split = false;
                if (!head.isEmpty() && isStatementStart(kw)) {
                    const QString before = prev >= 0 ? upper(t[static_cast<std::size_t>(prev)]) : QString();
                    if (kw == u"GO")
                        split = true;
                    else if (trigger)
                        split = false;
                    else if (kw == u"SELECT")
                        split = !(before == u"UNION" || before == u"ALL" || before == u"EXCEPT" ||
                                  before == u"INTERSECT" || before == u"AS" || head == u"WITH" ||
                                  (head == u"INSERT" && !insertHasSource));
                    else if (kw == u"UPDATE" || kw == u"DELETE")
                        split = before != u"ON";
                    else if (kw == u"BEGIN" || kw == u"COMMIT" || kw == u"ROLLBACK")
                        split = head != u"CREATE" && before != u"OR" && before != u"CONFLICT";
                    else if (kw == u"IF")
                        split = head != u"CREATE" && head != u"DROP" && head != u"ALTER";
                    else
                        split = true;
                }
                if (split) {
                    spans.emplace_back(start, i);
                    start = i;
                    head.clear();
                }
                if (head.isEmpty()) {
                    head = kw.isEmpty() ? QStringLiteral("?") : kw;
                    insertHasSource = false;
                    trigger = false;
                } else if (head == u"INSERT" && (kw == u"VALUES" || kw == u"SELECT")) {
                    insertHasSource = true;
                } else if (head == u"CREATE" && kw == u"TRIGGER") {
                    trigger = true;
                }
            }
            if (k.isPunct(u"("))
                ++depth;
            else if (k.isPunct(u")") && depth > 0)
                --depth;
            prev = i;
        }
        spans.emplace_back(start, n);
    }

    std::vector<SqliteStatement> out;
    Renderer render(t, m_collation);
    for (auto [a, b] : spans) {
        a = nextSig(t, a, b);
        while (b > a && !t[static_cast<std::size_t>(b - 1)].significant())
            --b;
        if (a >= b)
            continue;
        const SqlToken& first = t[static_cast<std::size_t>(a)];
        const int second = nextSig(t, a + 1, b);
        const bool onlyTran = second >= b || t[static_cast<std::size_t>(second)].isWord(u"TRAN") ||
                              t[static_cast<std::size_t>(second)].isWord(u"TRANSACTION") ||
                              t[static_cast<std::size_t>(second)].isWord(u"WORK");
        if (first.isWord(u"GO"))
            continue;
        if (first.isWord(u"BEGIN") && onlyTran)
            out.push_back({SqliteStatement::Kind::BeginTransaction, {}});
        else if (first.isWord(u"COMMIT") && onlyTran)
            out.push_back({SqliteStatement::Kind::CommitTransaction, {}});
        else if (first.isWord(u"ROLLBACK") && onlyTran)
            out.push_back({SqliteStatement::Kind::RollbackTransaction, {}});
        else if (first.isWord(u"IF"))
            out.push_back({SqliteStatement::Kind::Condition,
                           QStringLiteral("SELECT CASE WHEN ") + render.condition(a + 1, b).trimmed() +
                               QStringLiteral(" THEN 1 ELSE 0 END")});
        else
            out.push_back({SqliteStatement::Kind::Sql, render.statement(a, b)});
    }
    return out;
}

}  // namespace db
