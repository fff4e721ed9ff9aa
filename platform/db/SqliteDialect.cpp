#include "SqliteDialect.h"

#include "Literals.h"
#include "SqlLexer.h"

#include <QHash>
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <tuple>
#include <string_view>

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

// Renders the statements of one tokenised text for SQLite, one rewrite per
// construct of SQL Server's dialect.
class Renderer {
public:
    Renderer(const std::vector<SqlToken>& tokens, const QString& collation, const QSet<QString>& views)
        : t(tokens), m_collation(collation), m_views(views)
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
        m_statement = {a, b};
        const int first = nextSig(t, a, b);
        m_head = first < b ? upper(at(first)) : QString();
        m_ddl = m_head == u"CREATE" || m_head == u"ALTER" || m_head == u"DROP";
        return range(a, b, true);
    }

    // Renders [a, b) as the body of a CASE WHEN.
    QString condition(int a, int b)
    {
        m_statement = {a, b};
        m_head = QStringLiteral("IF");
        m_ddl = false;
        return range(a, b, false);
    }

private:
    // Where a rewrite looks: token i of the level [a, b), the next
    // significant token after it, and what the level has gathered so far.
    struct Site {
        int i;
        int a;
        int b;
        int next;
        bool topLevel;
        bool inSet;  // inside the SET list of an UPDATE
        QString& limit;

        bool call(const Renderer& r) const { return next < b && r.at(next).isPunct(u"("); }
    };
    // What a rewrite puts in place of the tokens up to `last`, included.
    struct Rewritten {
        QString text;
        int last;
    };
    using Rewrite = std::optional<Rewritten> (Renderer::*)(const Site&);

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
        // Tried in this order on every significant token; the first that
        // answers replaces it.
        static constexpr Rewrite rewrites[] = {
            &Renderer::top,          &Renderer::isNull,    &Renderer::len,          &Renderer::getDate,
            &Renderer::convertCall,  &Renderer::deleteFrom, &Renderer::ownerPrefix, &Renderer::dateLiteral,
            &Renderer::stringLiteral, &Renderer::bracketedName,
        };
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
            const Site site{i, a, b, nextSig(t, i + 1, b), topLevel, inSet, limit};
            std::optional<Rewritten> done;
            for (const Rewrite rewrite : rewrites)
                if ((done = (this->*rewrite)(site)))
                    break;
            if (done) {
                put(done->text, !done->text.isEmpty());
                i = done->last;
            } else {
                put(k.text.toString());
            }
        }
        if (!limit.isEmpty()) {
            if (limitOut)
                *limitOut = limit;
            else
                out.insert(lastSigEnd, QStringLiteral(" LIMIT ") + limit);
        }
        return out;
    }

    // SELECT [DISTINCT|ALL] TOP n / TOP (n): the TOP goes, its count becomes
    // the level's LIMIT (the first TOP of a level wins).
    std::optional<Rewritten> top(const Site& s)
    {
        if (!at(s.i).isWord(u"SELECT"))
            return std::nullopt;
        int j = s.next;
        if (j < s.b && (at(j).isWord(u"DISTINCT") || at(j).isWord(u"ALL")))
            j = nextSig(t, j + 1, s.b);
        if (j >= s.b || !at(j).isWord(u"TOP"))
            return std::nullopt;
        const int n = nextSig(t, j + 1, s.b);
        int last = -1;
        QString count;
        if (n < s.b && at(n).kind == Kind::Number) {
            count = at(n).text.toString();
            last = n;
        } else if (n < s.b && at(n).isPunct(u"(")) {
            const int m = end(n, s.b);
            count = verbatim(n + 1, m).trimmed();
            last = m;
        }
        if (last < 0)
            return std::nullopt;
        if (s.limit.isEmpty())
            s.limit = count;
        return Rewritten{verbatim(s.i, j), last};
    }

    // ISNULL(a,b) -> IFNULL(a,b): ISNULL is a keyword of SQLite.
    std::optional<Rewritten> isNull(const Site& s)
    {
        if (!at(s.i).isWord(u"ISNULL") || !s.call(*this))
            return std::nullopt;
        return Rewritten{QStringLiteral("IFNULL"), s.i};
    }

    // LEN(x) -> LENGTH(RTRIM(x)): the server's LEN ignores trailing blanks.
    std::optional<Rewritten> len(const Site& s)
    {
        if (!at(s.i).isWord(u"LEN") || !s.call(*this))
            return std::nullopt;
        const int m = end(s.next, s.b);
        return Rewritten{QStringLiteral("LENGTH(RTRIM(") + range(s.next + 1, m, false) + QStringLiteral("))"), m};
    }

    // GETDATE() -> the local time in the stored date form.
    std::optional<Rewritten> getDate(const Site& s)
    {
        if (!at(s.i).isWord(u"GETDATE") || !s.call(*this))
            return std::nullopt;
        return Rewritten{QStringLiteral("strftime('%Y-%m-%dT%H:%M:%S','now','localtime')"), end(s.next, s.b)};
    }

    std::optional<Rewritten> convertCall(const Site& s)
    {
        if (!at(s.i).isWord(u"CONVERT") || !s.call(*this))
            return std::nullopt;
        const int m = end(s.next, s.b);
        return Rewritten{convert(s.next + 1, m), m};
    }

    // DELETE t WHERE ... -> DELETE FROM t WHERE ...
    std::optional<Rewritten> deleteFrom(const Site& s)
    {
        const SqlToken& k = at(s.i);
        if (!k.isWord(u"DELETE") || !s.topLevel || s.i != nextSig(t, s.a, s.b) ||
            (s.next < s.b && at(s.next).isWord(u"FROM")))
            return std::nullopt;
        return Rewritten{k.text.toString() + QStringLiteral(" FROM"), s.i};
    }

    // dbo.t -> t, [dbo].[t] -> [t]; a name that merely ends in .dbo stays.
    std::optional<Rewritten> ownerPrefix(const Site& s)
    {
        const SqlToken& k = at(s.i);
        const bool owner = k.isWord(u"dbo") ||
                           (k.kind == Kind::QuotedName && nameValue(k).compare(u"dbo", Qt::CaseInsensitive) == 0);
        if (!owner || s.i + 2 >= s.b || !at(s.i + 1).isPunct(u".") || at(s.i + 2).kind == Kind::Space ||
            (s.i != s.a && at(s.i - 1).isPunct(u".")))
            return std::nullopt;
        return Rewritten{QString(), s.i + 1};
    }

    // #10/12/2024# -> '2024-12-10T00:00:00'; a text it cannot read stays a
    // quoted text.
    std::optional<Rewritten> dateLiteral(const Site& s)
    {
        const SqlToken& k = at(s.i);
        if (k.kind != Kind::DateLiteral)
            return std::nullopt;
        const QStringView inner = k.text.mid(1, k.text.size() - 2);
        const auto when = parseDateTime(inner);
        return Rewritten{when ? dateTimeLiteral(*when) : quoteText(inner.toString()), s.i};
    }

    // N'text' -> 'text'; a literal compared outside a SET list or DDL gets
    // the comparison collation.
    std::optional<Rewritten> stringLiteral(const Site& s)
    {
        const SqlToken& k = at(s.i);
        if (k.kind != Kind::String)
            return std::nullopt;
        QString literal = k.text.toString();
        if (literal.startsWith(u'N') || literal.startsWith(u'n'))
            literal.remove(0, 1);
        if (!s.inSet && !m_ddl && comparedLiteral(s.i, s.a, s.b)) {
            const QString quoted = literal;
            literal += QStringLiteral(" COLLATE ") + m_collation + indexRange(s, quoted);
        }
        return Rewritten{literal, s.i};
    }

    // The comparison's collation is the layer's own, which no index of the
    // file is ordered by: "column = 'text'" would read every row. Every value
    // that collation takes for equal to the text (the text in another case,
    // with blanks after it) lies, in NOCASE order, from the text without its
    // trailing blanks up to that text followed by "!" (the character after
    // the blank), so saying so lets the column's NOCASE index read only that
    // stretch; the equality itself still decides. Said only where it holds
    // and may help: an equality of a plain column of a table (a view's would
    // only weigh the stretch on every row) and the literal, standing between
    // AND, OR, WHERE and the like (never under a NOT, which would take the
    // stretch in), and a literal of ASCII characters other than k and s, the
    // only letters another alphabet's letters fold into.
    QString indexRange(const Site& s, const QString& quoted) const
    {
        if (m_collation.compare(u"NOCASE", Qt::CaseInsensitive) == 0)
            return {};
        const int op = prevSig(t, s.i, s.a);
        if (op < 0 || !at(op).isPunct(u"="))
            return {};
        // The column: a name, or a name qualified by one other.
        const int last = prevSig(t, op, s.a);
        if (last < 0 || !plainName(at(last)))
            return {};
        int first = last;
        const int dot = prevSig(t, last, s.a);
        if (dot >= 0 && at(dot).isPunct(u".")) {
            first = prevSig(t, dot, s.a);
            if (first < 0 || !plainName(at(first)))
                return {};
        }
        const int before = prevSig(t, first, s.a);
        const bool openedBefore = before < 0 || at(before).isPunct(u"(") || at(before).isPunct(u",") ||
                                  oneOf(at(before), {u"WHERE", u"AND", u"OR", u"ON", u"WHEN", u"THEN", u"ELSE",
                                                     u"HAVING", u"SELECT"});
        const int after = nextSig(t, s.i + 1, s.b);
        const bool closedAfter = after >= s.b || at(after).isPunct(u")") || at(after).isPunct(u",") ||
                                 at(after).isPunct(u";") ||
                                 oneOf(at(after), {u"AND", u"OR", u"THEN", u"WHEN", u"ELSE", u"END", u"WHERE",
                                                   u"ORDER", u"GROUP", u"HAVING", u"LIMIT", u"JOIN", u"LEFT",
                                                   u"RIGHT", u"INNER", u"CROSS", u"UNION", u"EXCEPT", u"INTERSECT"});
        if (!openedBefore || !closedAfter || !ofATable(s, first == last ? -1 : first))
            return {};
        // Between AND and AND the column may be the upper end of a BETWEEN.
        if (before >= 0 && at(before).isWord(u"AND")) {
            for (int j = prevSig(t, before, s.a); j >= 0; j = prevSig(t, j, s.a)) {
                if (at(j).isWord(u"BETWEEN"))
                    return {};
                if (at(j).isWord(u"AND") || at(j).isWord(u"OR") || at(j).isWord(u"WHERE") || at(j).isPunct(u"("))
                    break;
            }
        }
        QStringView text = QStringView(quoted).mid(1, quoted.size() - 2);
        for (const QChar c : text)
            if (c.unicode() >= 0x80 || c == u'k' || c == u'K' || c == u's' || c == u'S')
                return {};
        while (text.endsWith(u' '))
            text.chop(1);
        const QString column = verbatim(first, last + 1);
        const QString low = u'\'' + text.toString() + u'\'';
        const QString high = u'\'' + text.toString() + QStringLiteral("!'");
        return QStringLiteral(" AND %1 >= %2 COLLATE NOCASE AND %1 < %3 COLLATE NOCASE").arg(column, low, high);
    }

    // Whether a column of the level [s.a, s.b), qualified by the name at
    // `qualifier` (-1: none), is a table's: the objects its FROM (or UPDATE)
    // names, each by its name or alias; a column with no qualifier, only
    // where every object is a table. A derived table counts as a view, and
    // a qualifier this level does not name (an outer query's) as unknown.
    bool ofATable(const Site& s, int qualifier) const
    {
        struct Object {
            QString name;
            QString alias;
            bool table;
        };
        std::vector<Object> objects;
        bool listing = false;
        // A condition in parentheses is read in the query around it.
        int a = s.a;
        int b = s.b;
        while (!namesObjects(a, b) && a > m_statement.first) {
            int open = a - 2;
            while (open >= m_statement.first && !(at(open).isPunct(u"(") && end(open, m_statement.second) > b))
                --open;
            if (open < m_statement.first)
                std::tie(a, b) = m_statement;
            else
                std::tie(a, b) = std::pair<int, int>{open + 1, end(open, m_statement.second)};
        }
        for (int i = nextSig(t, a, b); i < b; i = nextSig(t, i + 1, b)) {
            const SqlToken& k = at(i);
            if (k.isPunct(u"(")) {
                i = end(i, b);
                continue;
            }
            if (k.isWord(u"FROM") || k.isWord(u"JOIN") || k.isWord(u"UPDATE") || (listing && k.isPunct(u","))) {
                listing = true;
                int j = nextSig(t, i + 1, b);
                Object o;
                if (j < b && at(j).isPunct(u"(")) {
                    j = end(j, b);
                    o.table = false;
                } else if (j < b && plainName(at(j))) {
                    while (nextSig(t, j + 1, b) < b && at(nextSig(t, j + 1, b)).isPunct(u".")) {
                        const int n = nextSig(t, nextSig(t, j + 1, b) + 1, b);
                        if (n >= b || !plainName(at(n)))
                            return false;
                        j = n;
                    }
                    o.name = nameValue(at(j)).toLower();
                    o.table = !m_views.contains(o.name);
                } else {
                    return false;
                }
                int n = nextSig(t, j + 1, b);
                if (n < b && at(n).isWord(u"AS"))
                    n = nextSig(t, n + 1, b);
                if (n < b && plainName(at(n)) &&
                    !oneOf(at(n), {u"WHERE", u"JOIN", u"LEFT", u"RIGHT", u"INNER", u"OUTER", u"CROSS", u"FULL",
                                   u"ON", u"SET", u"GROUP", u"ORDER", u"HAVING", u"LIMIT", u"UNION", u"EXCEPT",
                                   u"INTERSECT", u"WITH"})) {
                    o.alias = nameValue(at(n)).toLower();
                    j = n;
                }
                objects.push_back(o);
                i = j;
                continue;
            }
            if (oneOf(k, {u"WHERE", u"GROUP", u"ORDER", u"HAVING", u"ON", u"SET"}))
                listing = false;
        }
        if (objects.empty())
            return false;
        if (qualifier < 0)
            return std::all_of(objects.begin(), objects.end(), [](const Object& o) { return o.table; });
        const QString q = nameValue(at(qualifier)).toLower();
        for (const Object& o : objects)
            if (o.alias == q || (o.alias.isEmpty() && o.name == q))
                return o.table;
        return false;
    }

    // Whether the level [a, b) names objects of its own (a query, an UPDATE).
    bool namesObjects(int a, int b) const
    {
        for (int i = nextSig(t, a, b); i < b; i = nextSig(t, i + 1, b)) {
            if (at(i).isPunct(u"(")) {
                i = end(i, b);
                continue;
            }
            if (at(i).isWord(u"FROM") || at(i).isWord(u"UPDATE"))
                return true;
        }
        return false;
    }

    static bool oneOf(const SqlToken& k, std::initializer_list<const char16_t*> words)
    {
        for (const char16_t* w : words)
            if (k.isWord(QStringView(w)))
                return true;
        return false;
    }

    static bool plainName(const SqlToken& k)
    {
        return (k.kind == Kind::Word && !k.isWord(u"NULL")) ||
               (k.kind == Kind::QuotedName && !k.text.contains(u"]]"));
    }

    // [a]]b] -> "a]b": SQLite reads no doubled bracket inside a name.
    std::optional<Rewritten> bracketedName(const Site& s)
    {
        const SqlToken& k = at(s.i);
        if (k.kind != Kind::QuotedName || !k.text.startsWith(u'[') || !k.text.contains(u"]]"))
            return std::nullopt;
        return Rewritten{u'"' + nameValue(k).replace(u'"', QStringLiteral("\"\"")) + u'"', s.i};
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
    const QSet<QString>& m_views;
    std::pair<int, int> m_statement{0, 0};
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

// "SAVE" opens a statement only as SAVE TRAN[SACTION]; anywhere else it may
// name a column.
bool savesTransaction(const std::vector<SqlToken>& t, int i)
{
    const int n = static_cast<int>(t.size());
    const int next = nextSig(t, i + 1, n);
    return next < n && (t[static_cast<std::size_t>(next)].isWord(u"TRAN") ||
                        t[static_cast<std::size_t>(next)].isWord(u"TRANSACTION"));
}

// Whether the statement-starting keyword `kw`, met outside brackets in a
// statement that began with `head`, after the keyword `before`, begins a new
// statement rather than continuing this one.
bool startsNewStatement(const QString& kw, const QString& head, const QString& before, bool insertHasSource,
                        bool trigger)
{
    if (kw == u"GO")
        return true;
    if (trigger)
        return false;
    if (kw == u"SELECT")
        return !(before == u"UNION" || before == u"ALL" || before == u"EXCEPT" || before == u"INTERSECT" ||
                 before == u"AS" || head == u"WITH" || (head == u"INSERT" && !insertHasSource));
    if (kw == u"UPDATE" || kw == u"DELETE")
        return before != u"ON";
    if (kw == u"BEGIN" || kw == u"COMMIT" || kw == u"ROLLBACK")
        return head != u"CREATE" && before != u"OR" && before != u"CONFLICT";
    if (kw == u"IF")
        return head != u"CREATE" && head != u"DROP" && head != u"ALTER";
    return true;
}

// Cuts a batch at the start of each statement (a semicolon, or a statement
// keyword that cannot continue the statement before it): the token ranges
// [first, last) of its statements, blanks and empty ones included.
std::vector<std::pair<int, int>> statementSpans(const std::vector<SqlToken>& t)
{
    const int n = static_cast<int>(t.size());
    std::vector<std::pair<int, int>> spans;
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
            if (!head.isEmpty() && (isStatementStart(kw) || (kw == u"SAVE" && savesTransaction(t, i)))) {
                const QString before = prev >= 0 ? upper(t[static_cast<std::size_t>(prev)]) : QString();
                if (startsNewStatement(kw, head, before, insertHasSource, trigger)) {
                    spans.emplace_back(start, i);
                    start = i;
                    head.clear();
                }
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
    return spans;
}

// One statement [a, b) of the batch, blanks trimmed: a transaction command,
// an IF's condition, or SQL to run; nothing for a GO or an empty statement.
std::optional<SqliteStatement> renderSpan(const std::vector<SqlToken>& t, Renderer& render, int a, int b)
{
    a = nextSig(t, a, b);
    while (b > a && !t[static_cast<std::size_t>(b - 1)].significant())
        --b;
    if (a >= b)
        return std::nullopt;
    const SqlToken& first = t[static_cast<std::size_t>(a)];
    const int second = nextSig(t, a + 1, b);
    const bool onlyTran = second >= b || t[static_cast<std::size_t>(second)].isWord(u"TRAN") ||
                          t[static_cast<std::size_t>(second)].isWord(u"TRANSACTION") ||
                          t[static_cast<std::size_t>(second)].isWord(u"WORK");
    if (first.isWord(u"GO"))
        return std::nullopt;
    // A savepoint's name follows TRAN or TRANSACTION and ends the statement.
    const int third = second < b ? nextSig(t, second + 1, b) : b;
    const bool tran = second < b && (t[static_cast<std::size_t>(second)].isWord(u"TRAN") ||
                                     t[static_cast<std::size_t>(second)].isWord(u"TRANSACTION"));
    if (tran && third < b && t[static_cast<std::size_t>(third)].kind == Kind::Word && nextSig(t, third + 1, b) >= b) {
        const QString name = t[static_cast<std::size_t>(third)].text.toString();
        if (first.isWord(u"SAVE"))
            return SqliteStatement{SqliteStatement::Kind::Savepoint, QStringLiteral("SAVEPOINT ") + name};
        if (first.isWord(u"ROLLBACK"))
            return SqliteStatement{SqliteStatement::Kind::RollbackToSavepoint,
                                   QStringLiteral("ROLLBACK TO SAVEPOINT ") + name};
    }
    if (first.isWord(u"BEGIN") && onlyTran)
        return SqliteStatement{SqliteStatement::Kind::BeginTransaction, {}};
    if (first.isWord(u"COMMIT") && onlyTran)
        return SqliteStatement{SqliteStatement::Kind::CommitTransaction, {}};
    if (first.isWord(u"ROLLBACK") && onlyTran)
        return SqliteStatement{SqliteStatement::Kind::RollbackTransaction, {}};
    if (first.isWord(u"IF"))
        return SqliteStatement{SqliteStatement::Kind::Condition, QStringLiteral("SELECT CASE WHEN ") +
                                                                     render.condition(a + 1, b).trimmed() +
                                                                     QStringLiteral(" THEN 1 ELSE 0 END")};
    return SqliteStatement{SqliteStatement::Kind::Sql, render.statement(a, b)};
}

// An INSERT that SQLite runs exactly as written: one statement whose code
// outside its string literals holds no operator, marker or word that the
// rewrite acts on or cuts a batch at. Decided on the characters alone,
// without the tokens: rows are most of what a save sends, and tokenizing
// them cost more than running them.
bool isPlainInsert(QStringView s)
{
    // Upper case, by their length from 2 to 9: a word is compared with those
    // of its own length only.
    constexpr qsizetype kLongest = 9;
    static constexpr std::string_view kActedOn[kLongest - 1][8] = {
        {"IF", "GO"},
        {"TOP", "LEN", "DBO"},
        {"DROP"},
        {"BEGIN", "ALTER", "UNION"},
        {"SELECT", "INSERT", "UPDATE", "DELETE", "COMMIT", "CREATE", "ISNULL", "EXCEPT"},
        {"GETDATE", "CONVERT", "COLLATE"},
        {"ROLLBACK", "TRUNCATE"},
        {"INTERSECT"},
    };
    const auto asciiLetter = [](char16_t c) { return static_cast<char16_t>((c | 0x20) - u'a') < 26; };
    const auto startsWord = [&](char16_t c) {
        return c < 128 ? asciiLetter(c) || c == u'_' || c == u'@' : QChar::isLetter(c);
    };
    const auto inWord = [&](char16_t c) {
        return c < 128 ? asciiLetter(c) || static_cast<char16_t>(c - u'0') < 10 || c == u'_' || c == u'@' || c == u'$'
                       : QChar::isLetterOrNumber(c);
    };
    // The word [from, to) is one of them.
    const auto actedOn = [&](const char16_t* from, const char16_t* to) {
        const qsizetype size = to - from;
        if (size < 2 || size > kLongest)
            return false;
        char upper[kLongest];
        for (qsizetype k = 0; k < size; ++k) {
            if (from[k] >= 128)
                return false;
            upper[k] = static_cast<char>(asciiLetter(from[k]) ? from[k] & ~0x20 : from[k]);
        }
        const std::string_view word(upper, static_cast<std::size_t>(size));
        for (std::string_view k : kActedOn[size - 2])
            if (k == word)
                return true;
        return false;
    };

    const char16_t* p = s.utf16();
    const char16_t* const end = p + s.size();
    bool first = true;
    while (p < end) {
        const char16_t c = *p;
        if (c == u'\'') {
            // On to the apostrophe that closes the literal; a doubled one
            // stays inside it.
            for (++p;; p += 2) {
                p = std::char_traits<char16_t>::find(p, static_cast<std::size_t>(end - p), u'\'');
                if (!p)
                    return false;
                if (p + 1 >= end || p[1] != u'\'')
                    break;
            }
            ++p;
            continue;
        }
        if (startsWord(c)) {
            const char16_t* const start = p;
            while (p < end && inWord(*p))
                ++p;
            // A word glued to a literal (N'...') or running into a '#'.
            if (p < end && (*p == u'\'' || *p == u'#'))
                return false;
            if (first) {
                if (QStringView(start, p).compare(u"INSERT", Qt::CaseInsensitive) != 0)
                    return false;
                first = false;
            } else if (actedOn(start, p)) {
                return false;
            }
            continue;
        }
        switch (c) {
        case u';': case u'#': case u'=': case u'<': case u'>': case u'!': case u'[': case u'"':
            return false;
        case u'-':
        case u'/':
            if (p + 1 < end && (p[1] == u'-' || p[1] == u'*'))
                return false;
            break;
        default:
            break;
        }
        if (first && !QChar::isSpace(c))
            return false;
        ++p;
    }
    return !first;
}

}  // namespace

SqliteDialect::SqliteDialect(QString literalCollation, QSet<QString> views)
    : m_collation(std::move(literalCollation)), m_views(std::move(views))
{
}

bool SqliteDialect::runsAsWritten(QStringView sqlServerText)
{
    return isPlainInsert(sqlServerText);
}

std::vector<SqliteStatement> SqliteDialect::translate(const QString& text) const
{
    if (isPlainInsert(text))
        return {{SqliteStatement::Kind::Sql, text.trimmed()}};
    const std::vector<SqlToken> t = tokenizeSql(text);
    std::vector<SqliteStatement> out;
    Renderer render(t, m_collation, m_views);
    for (const auto& [a, b] : statementSpans(t))
        if (std::optional<SqliteStatement> statement = renderSpan(t, render, a, b))
            out.push_back(std::move(*statement));
    return out;
}

}  // namespace db
