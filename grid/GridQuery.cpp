#include "GridQuery.h"

#include "core/DB_Dll.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/Literals.h"
#include "platform/db/Types.h"

#include <QRegularExpression>
#include <QStringBuilder>
#include <cmath>

namespace {

constexpr Qt::CaseSensitivity CI = Qt::CaseInsensitive;

bool contains(const QString& text, const QString& what)
{
    return text.contains(what, CI);
}

QString replaced(QString text, const QString& what, const QString& with)
{
    return text.replace(what, with, CI);
}

// Items of a column list: the texts between ", " separators, untrimmed.
QStringList listItems(const QString& list)
{
    return replaced(list, QStringLiteral(", "), QStringLiteral("|")).split(QLatin1Char('|'));
}

QString withoutBrackets(QString text)
{
    return text.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
}

// A column name as an order term or a key names it: no brackets, no table.
QString bareName(QString text)
{
    text = withoutBrackets(text.trimmed());
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? text.mid(dot + 1).trimmed() : text;
}

// At most 18 digits, after an optional minus: a key read on from as it is.
bool wholeNumber(const QString& text)
{
    const qsizetype sign = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype digits = text.size() - sign;
    if (digits < 1 || digits > 18)
        return false;
    for (qsizetype i = sign; i < text.size(); ++i)
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    return true;
}

bool isLongColumn(int type)
{
    return type == db::type::LongVarWChar || type == 205;
}

}  // namespace

QString GridQuery::refusal(const QString& sql)
{
    const QString tail = QStringLiteral(" dentro de la sentencia SQL de selección.\r\n"
                                        "De persistir el inconveniente comuníquese con el administrador del sistema.");
    if (contains(sql, QStringLiteral(" join ")))
        return QStringLiteral("El objeto VrDbGrid no admite la palabra reservada ''JOIN''") + tail;
    if (contains(sql, QStringLiteral(" group by ")))
        return QStringLiteral("El objeto VrDbGrid no admite la palabra reservada ''GROUP BY''") + tail;
    return {};
}

QString GridQuery::key() const
{
    return PrimaryKey.isEmpty() ? QStringLiteral("ID") : PrimaryKey;
}

void GridQuery::CargaAlias()
{
    aliases.assign(1, ParCampoValor{});
    QString s = Sql;
    const QString as = QStringLiteral(" as ");
    for (qsizetype at = s.indexOf(as, 0, CI); at >= 0; at = s.indexOf(as, 0, CI)) {
        const QString t = s.mid(at + as.size()).trimmed();
        QString alias;
        if (t.startsWith(QLatin1Char('['))) {
            alias = t.left(t.indexOf(QLatin1Char(']')) + 1);
        } else {
            const qsizetype comma = t.indexOf(QLatin1Char(','));
            const qsizetype blank = t.indexOf(QLatin1Char(' '));
            if (comma >= 0 && (blank < 0 || comma < blank))
                alias = t.left(comma);
            else if (blank >= 0)
                alias = t.left(blank);
            else
                throw RuntimeError::invalidCall(QStringLiteral("alias sin final: ") + t);
        }
        const QString u = s.left(at).trimmed();
        QString expression;
        if (u.endsWith(QLatin1Char(']'))) {
            expression = u.mid(u.lastIndexOf(QLatin1Char('[')));
        } else {
            const qsizetype comma = u.lastIndexOf(QLatin1Char(','));
            const qsizetype blank = u.lastIndexOf(QLatin1Char(' '));
            expression = (comma >= 0 && comma > blank) ? u.mid(comma + 1) : u.mid(blank + 1);
        }
        auto bracketed = [](QString text) {
            text.remove(QLatin1Char(','));
            return text.contains(QLatin1Char('[')) ? text : QStringLiteral("[") + text.trimmed() + QStringLiteral("]");
        };
        aliases.back() = ParCampoValor{bracketed(expression), bracketed(alias)};
        aliases.push_back(ParCampoValor{});

        const QString found = expression + as + alias;
        const QString before = s;
        s.replace(found, QStringLiteral(" "), CI);
        // Blanks around " as " that the expression and the alias do not
        // carry (two blanks before the word, say) leave the text as it was:
        // go past it, or the search would find the same " as " for ever.
        if (s == before)
            s = s.mid(at + as.size());
    }
}

QString GridQuery::EquiCampo(const QString& campo, bool equivalencia) const
{
    for (const ParCampoValor& entry : aliases) {
        if (equivalencia && lang::sameText(entry.NombreCampo, campo))
            return entry.ValorCampo;
        if (!equivalencia && lang::sameText(entry.ValorCampo, campo))
            return entry.NombreCampo;
    }
    return campo;
}

QString GridQuery::ArmaListaCampos(QString& lista) const
{
    for (const QString& item : listItems(lista)) {
        const QString x = EquiCampo(item, false);
        if (!lang::sameText(x, item))
            lista.replace(item, x + QStringLiteral(" as ") + item, CI);
    }
    return lista;
}

void GridQuery::beginLoad()
{
    Sql += QLatin1Char(' ');
    const QString from = QStringLiteral(" FROM ");
    const qsizetype at = Sql.indexOf(from, 0, CI);
    if (at < 0) {
        tableName.clear();
    } else {
        const QString rest = Sql.mid(at + from.size());
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        tableName = (blank < 0 ? rest : rest.left(blank)).trimmed();
    }
    rowCount = 0;
    countedEmpty = false;
    PaginaActual = 1;
    UltimaPagina = 0;
    searchFilter.clear();
    orderColumn = 0;
    whereText.clear();
    dateColumns.clear();
}

QString GridQuery::probeSql() const
{
    const QString orderBy = QStringLiteral("Order by");
    const qsizetype order = Sql.indexOf(orderBy, 0, CI);
    if (order >= 0)
        return replaced(Sql.left(order), QStringLiteral("SELECT"), QStringLiteral("SELECT TOP 1"));
    // The probe is there for the column names and types: one row is enough,
    // the whole result would be carried to the station for nothing.
    static const QRegularExpression head(QStringLiteral("^\\s*SELECT\\s+(?!DISTINCT\\b|TOP\\b)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(Sql);
    if (!m.hasMatch())
        return Sql;
    return Sql.left(m.capturedEnd()) + QStringLiteral("TOP 1 ") + Sql.mid(m.capturedEnd());
}

void GridQuery::CargarCampos(const std::vector<ProbeField>& fields)
{
    const bool chosen = !CamposSel.trimmed().isEmpty();
    plainColumns.clear();
    Campos.clear();
    if (!chosen)
        filterColumns = QStringList{QStringLiteral("Todos")};
    const QString style = QString::number(FormatDate);
    for (const ProbeField& f : fields) {
        if (isLongColumn(f.type))
            continue;
        if (!chosen)
            filterColumns << f.name;
        const QString bracketed = QStringLiteral("[") + f.name + QStringLiteral("]");
        plainColumns += (plainColumns.isEmpty() ? QString() : QStringLiteral(", ")) + bracketed;
        if (f.type == db::type::DBTimeStamp) {
            if (!chosen)
                Campos += (Campos.isEmpty() ? QStringLiteral(" CONVERT(NVARCHAR,[") : QStringLiteral(", CONVERT(NVARCHAR,["))
                    + f.name + QStringLiteral("],") + style + QStringLiteral(") AS [") + f.name + QStringLiteral("]");
            else
                Campos += (Campos.isEmpty() ? QStringLiteral("convert(nvarchar,[") : QStringLiteral(",convert(nvarchar,["))
                    + f.name + QStringLiteral("],") + style + QStringLiteral(") as [") + f.name + QStringLiteral("]");
        } else {
            Campos += (Campos.isEmpty() ? QString() : QStringLiteral(", ")) + bracketed;
        }
    }
    Campos += (Campos.isEmpty() ? QString() : QStringLiteral(", ")) + key();
    plainColumns += (plainColumns.isEmpty() ? QString() : QStringLiteral(", ")) + key();
    if (chosen) {
        filterColumns = QStringList{QStringLiteral("Todos")};
        for (const QString& item : listItems(chosenColumns))
            filterColumns << withoutBrackets(item);
        filterColumns.removeLast();
    }
    rebuildDateColumns(fields);
    m_integerKey = false;
    for (const ProbeField& f : fields)
        if (lang::sameText(f.name, bareName(key())))
            m_integerKey = f.type == db::type::SmallInt || f.type == db::type::Integer || f.type == db::type::BigInt
                || (f.type >= db::type::TinyInt && f.type <= db::type::UnsignedBigInt);
}

// The positions are those of the shown columns, as the search reads them
// (grid column i + 1 and search-column entry i + 1): counting the left-out
// long columns, or the columns a choice hides, would mark the wrong ones.
void GridQuery::rebuildDateColumns(const std::vector<ProbeField>& fields)
{
    auto isDate = [&](const QString& name) {
        for (const ProbeField& f : fields)
            if (lang::sameText(f.name, name))
                return f.type == db::type::DBTimeStamp;
        return false;
    };
    dateColumns.clear();
    const QStringList shown = filterColumns.mid(1);
    for (int i = 0; i < shown.size(); ++i)
        if (isDate(shown.at(i)))
            dateColumns += QStringLiteral("|%1|").arg(i);
}

QString GridQuery::countSql() const
{
    const QString orderBy = QStringLiteral("Order by");
    const qsizetype order = Sql.indexOf(orderBy, 0, CI);
    QString base = order >= 0 ? Sql.left(order) : Sql;
    if (!searchFilter.isEmpty())
        base += (contains(Sql, QStringLiteral("Where")) ? QStringLiteral(" and ") : QStringLiteral(" where "))
            + searchFilter;
    // COUNT(*) over the query's own FROM and WHERE: the number of rows, without
    // carrying them to the station. DISTINCT or TOP in the select list decide
    // the rows themselves, so such a query is counted whole.
    static const QRegularExpression plainHead(QStringLiteral("^\\s*SELECT\\s+(?!DISTINCT\\b|TOP\\b)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const qsizetype from = base.indexOf(QStringLiteral(" FROM"), 0, CI);
    if (from >= 0 && plainHead.match(base).hasMatch())
        return QStringLiteral("SELECT COUNT(*)") + base.mid(from);
    return QStringLiteral("SELECT COUNT(*) FROM (") + base + QStringLiteral(") AS Conteo");
}

void GridQuery::setCount(qint64 rows)
{
    // A count follows a change of the rows: the pages are cut afresh.
    forgetPage();
    rowCount = rows;
    countedEmpty = rows <= 0;
    if (rows <= 0) {
        searchFilter.clear();
        rowCount = 0;
    }
}

int GridQuery::pageCount() const
{
    if (PageSize < 1)
        throw RuntimeError(errnum::DivisionByZero, QStringLiteral("Division por cero: PageSize"));
    return static_cast<int>((rowCount + PageSize - 1) / PageSize);
}

void GridQuery::settlePages()
{
    const int pages = pageCount();
    if (PaginaActual > pages)
        PaginaActual = pages;
    UltimaPagina = pages;
}

void GridQuery::normalizePages()
{
    if (PaginaActual == 0)
        PaginaActual = 1;
    if (UltimaPagina == 0)
        UltimaPagina = 1;
}

QString GridQuery::pageLabel() const
{
    return QStringLiteral("        Página        %1 de %2").arg(PaginaActual).arg(UltimaPagina);
}

QString GridQuery::emptyPageLabel()
{
    GridQuery empty;
    empty.normalizePages();
    return empty.pageLabel();
}

QString GridQuery::ArmaOrderBy(int column, const QString& header)
{
    orderColumn = column;
    if (OrdenSent == 0) {
        if (contains(Sql, QStringLiteral("Order by"))) {
            const qsizetype at = Sql.indexOf(QStringLiteral(" Order by"), 0, CI);
            if (at >= 0)
                OrderBy = Sql.mid(at);
        } else {
            OrderBy.clear();
        }
    } else if ((OrdenSent == 1 || OrdenSent == 2) && !header.isEmpty()) {
        // A column without a name (the record numbers) cannot order: the
        // order stays as it was.
        const QString f = EquiCampo(QStringLiteral("[") + header + QStringLiteral("]"), false);
        const QString dir = OrdenSent == 1 ? QStringLiteral(" Asc ") : QStringLiteral(" Desc ");
        if (Order == 1 || OrderBy.trimmed().isEmpty()) {
            OrderBy = QStringLiteral(" Order by ") + f + dir;
        } else {
            QString rest = OrderBy;
            for (const QString& d : {QStringLiteral("Asc"), QStringLiteral("Desc")}) {
                rest = replaced(rest, f + QLatin1Char(' ') + d + QStringLiteral(" ,"), {});
                rest = replaced(rest, QStringLiteral(", ") + f + QLatin1Char(' ') + d + QLatin1Char(' '), {});
                rest = replaced(rest, QStringLiteral(", ") + f + QLatin1Char(' ') + d, {});
                rest = replaced(rest, QLatin1Char(' ') + f + QLatin1Char(' ') + d + QLatin1Char(' '), {});
                rest = replaced(rest, QLatin1Char(' ') + f + QLatin1Char(' ') + d, {});
            }
            const QString separator =
                lang::sameText(rest.trimmed(), QStringLiteral("Order by")) ? QStringLiteral(" ") : QStringLiteral(", ");
            OrderBy = rest + separator + f + dir;
        }
    }
    return QStringLiteral(" Orden: ") + OrderBy;
}

void GridQuery::ArmaWhere()
{
    // Page after page the query and the search are those of the page before.
    if (m_where.built && m_where.sql == Sql && m_where.search == searchFilter) {
        whereText = m_where.text;
        return;
    }
    buildWhere();
    m_where = WhereText{true, Sql, searchFilter, whereText};
}

void GridQuery::buildWhere()
{
    const qsizetype where = Sql.indexOf(QStringLiteral("WHERE"), 0, CI);
    if (where >= 0) {
        const qsizetype order = Sql.indexOf(QStringLiteral("ORDER BY"), 0, CI);
        whereText = order >= 0 ? Sql.mid(where, order - where) : Sql.mid(where);
        if (!searchFilter.isEmpty())
            whereText += QStringLiteral(" AND ") + searchFilter;
    } else {
        whereText = searchFilter.isEmpty() ? QString() : QStringLiteral(" where ") + searchFilter;
    }
}

bool GridQuery::orderNamesKey(const QString& orderBy) const
{
    const qsizetype at = orderBy.indexOf(QStringLiteral("order by"), 0, CI);
    if (at < 0)
        return false;
    static const QRegularExpression direction(QStringLiteral("\\s+(asc|desc)\\s*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QString k = bareName(key());
    for (QString term : orderBy.mid(at + 8).split(QLatin1Char(','))) {
        term.remove(direction);
        if (lang::sameText(bareName(term), k))
            return true;
    }
    return false;
}

// The order the pages are cut in. With no order, or an order whose terms tie,
// the database may hand the rows of the inner and the outer SELECT TOP in
// different orders, and a row then falls on no page or on two: the key, which
// is unique, ends every order. In the outer SELECT the key is named through
// the derived table, since the select list may show the key column twice.
QString GridQuery::pagingOrder(bool outer) const
{
    const QString k = outer ? QStringLiteral("Paginacion.") + key() : key();
    if (OrderBy.trimmed().isEmpty())
        return QStringLiteral(" Order by ") + k + QLatin1Char(' ');
    if (orderNamesKey(OrderBy))
        return OrderBy;
    return OrderBy + QStringLiteral(", ") + k + QLatin1Char(' ');
}

QString GridQuery::ArmaFromPaginado(int page)
{
    if (PrimaryKey.isEmpty())
        PrimaryKey = QStringLiteral("ID");
    const QString& t = tableName;
    const QString& k = PrimaryKey;
    const QString p = QString::number(PageSize);
    // A page list not filled yet reads as page 1: a negative skip is no page.
    const double skip = std::max(0.0, std::round(static_cast<double>(page) * PageSize - PageSize));
    const QString s = QString::number(static_cast<qint64>(skip));
    const QString order = pagingOrder(false);

    QString clause = QStringLiteral(" FROM (SELECT TOP ") + p + QStringLiteral(" *  FROM ") + t + QStringLiteral(" WHERE ")
        + k + QStringLiteral(" NOT IN (SELECT TOP ") + s + QLatin1Char(' ') + k + QStringLiteral(" FROM ") + t
        + QLatin1Char(' ') + whereText + QLatin1Char(' ') + order + QStringLiteral(") ");
    // The keys skipped were chosen under the filter, so the rows that follow
    // them must be too, in either search mode.
    if (!searchFilter.isEmpty())
        clause += QStringLiteral(" and ") + searchFilter;
    QString body = whereText;
    const qsizetype where = body.indexOf(QStringLiteral("where "), 0, CI);
    if (where >= 0)
        body.remove(where, 6);
    if (!searchFilter.trimmed().isEmpty()) {
        body = replaced(body, QStringLiteral(" and ") + searchFilter, {});
        body = replaced(body, searchFilter, {});
    }
    if (!body.trimmed().isEmpty())
        clause += QStringLiteral(" and ") + body;
    clause += QLatin1Char(' ') + order + QStringLiteral(") AS Paginacion ");
    return clause;
}

QString GridQuery::pageSql(int page)
{
    QString& list = CamposSel.isEmpty() ? Campos : CamposSel;
    // Page after page the list and the aliases are those of the page before:
    // the select list it gave is taken again instead of rebuilt.
    if (list != m_selectList.from || aliases != m_selectList.aliases) {
        m_selectList.from = list;
        m_selectList.aliases = aliases;
        m_selectList.select = ArmaListaCampos(list);
    }
    list = m_selectList.select;
    const QString& select = m_selectList.select;
    if (dialect == db::Dialect::Sqlite)
        return sqlitePageSql(page, select);
    m_built = Page{};
    const QString from = ArmaFromPaginado(page);
    return QStringLiteral("SELECT  ") + select + QLatin1Char(' ') + from + whereText + QLatin1Char(' ')
        + pagingOrder(true);
}

// The same rows as the paged FROM clause chooses: the keys of the page are
// chosen from the table's own columns, under the WHERE text and in the order
// (so an order by a date column follows the dates, not their text), with the
// skip left to LIMIT and OFFSET; the page's rows are then read by their keys.
// A move by one page in key order from the page on screen reads on from its
// last key (or back from its first) instead of counting the skipped rows
// again, and reads the rows at once, without choosing their keys first.
QString GridQuery::sqlitePageSql(int page, const QString& select)
{
    if (PrimaryKey.isEmpty())
        PrimaryKey = QStringLiteral("ID");
    const QString& k = PrimaryKey;
    const QString order = pagingOrder(false);
    const QString p = QString::number(PageSize);
    m_built = Page{select % QLatin1Char('|') % whereText % QLatin1Char('|') % order % QLatin1Char('|') % p, page, {}, {}};

    const bool keyOrder = OrderBy.trimmed().isEmpty() && m_integerKey;
    const bool sameShape = keyOrder && m_shown.shape == m_built.shape && !m_shown.lastKey.isEmpty();
    const QString where = whereText.trimmed();
    const bool plainWhere = where.isEmpty() || where.startsWith(QStringLiteral("where"), CI);
    const QString head = QStringLiteral("SELECT  ") % select % QStringLiteral("  FROM ") % tableName % QStringLiteral(" WHERE ");
    if (sameShape && plainWhere && (page == m_shown.number + 1 || page == m_shown.number - 1)) {
        // The rows are read straight by their keys: the next page is the
        // rows after the last key shown; the previous one, the rows from the
        // PageSize-th key before the first key shown up to it (from the
        // first row when fewer come before it).
        const QString body = where.mid(5).trimmed();
        const QString on = (body.isEmpty() ? QString() : QStringLiteral("(") % body % QStringLiteral(") AND ")) % k;
        const QString inOrder = QStringLiteral(" Order by ") % k % QStringLiteral(" Asc LIMIT ") % p;
        if (page > m_shown.number)
            return head % on % QStringLiteral(" > ") % m_shown.lastKey % inOrder;
        return head + on + QStringLiteral(" < ") + m_shown.firstKey + QStringLiteral(" AND ") + k
            + QStringLiteral(" >= COALESCE((SELECT ") + k + QStringLiteral(" FROM ") + tableName + QStringLiteral(" WHERE ")
            + on + QStringLiteral(" < ") + m_shown.firstKey + QStringLiteral(" Order by ") + k
            + QStringLiteral(" Desc LIMIT 1 OFFSET ") + QString::number(PageSize - 1)
            + QStringLiteral("), -9223372036854775808)") + inOrder;
    }
    const double skip = std::max(0.0, std::round(static_cast<double>(page) * PageSize - PageSize));
    return head % k % QStringLiteral(" IN (SELECT ") % k % QStringLiteral(" FROM ") % tableName % QLatin1Char(' ')
        % whereText % QLatin1Char(' ') % order % QStringLiteral(" LIMIT ") % p % QStringLiteral(" OFFSET ")
        % QString::number(static_cast<qint64>(skip)) % QStringLiteral(") ") % order;
}

void GridQuery::pageShown(const QString& firstKey, const QString& lastKey)
{
    if (!wholeNumber(firstKey) || !wholeNumber(lastKey)) {
        forgetPage();
        return;
    }
    m_shown = m_built;
    m_shown.firstKey = firstKey;
    m_shown.lastKey = lastKey;
}

void GridQuery::forgetPage()
{
    m_shown = Page{};
}

std::optional<QDate> GridQuery::readDate(const QString& text)
{
    const std::optional<QDateTime> read = db::parseDateTime(text.trimmed());
    if (!read)
        return std::nullopt;
    return read->date();
}

// CONVERT without a length gives 30 characters on SQL Server, and a match
// further on in a long description would be missed.
QString GridQuery::likeTerm(const QString& field, const QString& t) const
{
    return QStringLiteral(" CONVERT(NVARCHAR(4000),") + field + QStringLiteral(") LIKE ")
        + ObjDB().SQLValue(QStringLiteral("%") + t + QStringLiteral("%"), QStringLiteral("'"));
}

// The typed day as a range of the column's time stamps, in the stored date
// form every server reads alike: the rows of that day whatever their time,
// and whatever the server's own date format.
QString GridQuery::dateTerm(const QString& field, const QDate& date) const
{
    return QStringLiteral(" (") + field + QStringLiteral(" >= ") + ObjDB().SQLValue(date, QStringLiteral("'"))
        + QStringLiteral(" AND ") + field + QStringLiteral(" < ") + ObjDB().SQLValue(date.addDays(1), QStringLiteral("'"))
        + QStringLiteral(")");
}

std::optional<QString> GridQuery::searchCondition(int comboIndex, const QString& comboText, const QString& t,
                                                  const QStringList& headers) const
{
    if (t.trimmed().isEmpty())
        return QString();
    const std::optional<QDate> date = readDate(t);
    auto fieldOf = [this](const QString& header) {
        return EquiCampo(QStringLiteral("[") + header + QStringLiteral("]"), false);
    };
    auto isDateColumn = [this](int position) { return dateColumns.contains(QStringLiteral("|%1|").arg(position)); };

    if (lang::sameText(comboText, QStringLiteral("Todos"))) {
        QStringList terms;
        for (int i = 0; i < headers.size(); ++i) {
            if (!isDateColumn(i))
                terms << likeTerm(fieldOf(headers.at(i)), t);
            else if (date)
                terms << dateTerm(fieldOf(headers.at(i)), *date);
        }
        // Only date columns and a text that is no date: no row can match.
        if (terms.isEmpty())
            return QStringLiteral(" (1=0) ");
        return QStringLiteral(" (") + terms.join(QStringLiteral(" or ")) + QStringLiteral(") ");
    }
    const QString field = fieldOf(comboText);
    if (comboIndex >= 1 && isDateColumn(comboIndex - 1)) {
        if (!date)
            return std::nullopt;
        return dateTerm(field, *date);
    }
    return likeTerm(field, t);
}

void GridQuery::addSearch(const QString& condition)
{
    if (condition.isEmpty())
        return;
    searchFilter = searchFilter.trimmed().isEmpty() ? condition : searchFilter + QStringLiteral(" and ") + condition;
}

QString GridQuery::chooserColumns() const
{
    return replaced(plainColumns, QStringLiteral(", "), QStringLiteral("|")) + QLatin1Char('|');
}

QString GridQuery::choiceProbeSql(const QString& gCamposSel) const
{
    QString list = gCamposSel;
    return QStringLiteral("SELECT TOP 1 ") + ArmaListaCampos(list) + QStringLiteral(" FROM ") + tableName;
}

void GridQuery::applyChoice(const std::vector<ProbeField>& fields, const QString& gOrdinalSel)
{
    CamposSel.clear();
    chosenColumns.clear();
    const QString style = QString::number(FormatDate);
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        const QString& n = fields[i].name;
        const QString separator = CamposSel.isEmpty() ? QString() : QStringLiteral(", ");
        if (fields[i].type == db::type::DBTimeStamp)
            CamposSel += (CamposSel.isEmpty() ? QStringLiteral(" CONVERT(NVARCHAR,[") : QStringLiteral(", CONVERT(NVARCHAR,["))
                + n + QStringLiteral("],") + style + QStringLiteral(") AS [") + n + QStringLiteral("]");
        else
            CamposSel += separator + QStringLiteral("[") + n + QStringLiteral("]");
        chosenColumns += (chosenColumns.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("[") + n
            + QStringLiteral("]");
    }
    CamposSel += (CamposSel.isEmpty() ? QString() : QStringLiteral(", ")) + key();
    chosenColumns += (chosenColumns.isEmpty() ? QString() : QStringLiteral(", ")) + key();
    OrdinalSel = gOrdinalSel;
}

void GridQuery::clearChoice()
{
    CamposSel.clear();
    chosenColumns.clear();
    OrdinalSel.clear();
}
