#include "ReportData.h"

#include "FormulaLanguage.h"
#include "platform/Currency.h"
#include "platform/Value.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <algorithm>

namespace report {

namespace {

QString statement(const Definition& definition, const QString& selectionFormula)
{
    QString sql = definition.source;
    const QString where = selectionToWhere(selectionFormula);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!definition.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + definition.orderBy;
    return sql;
}

// A cell as printed: texts without the blanks of right-justified codes,
// quantities as the program writes amounts, dates day first.
QString cellText(const QVariant& value, bool number)
{
    if (lang::isNull(value) || lang::isEmpty(value))
        return {};
    if (number)
        return Currency::fromVariant(value).toString();
    return lang::text(value).trimmed();
}

int columnOf(const Definition& definition, const QString& field, int otherwise)
{
    for (std::size_t c = 0; c < definition.columns.size(); ++c)
        if (lang::sameText(definition.columns[c].field, field))
            return static_cast<int>(c);
    return otherwise;
}

// The total of every line, or one per value of the split column, in the
// order of those values.
void addTotals(Document& doc, const Definition& definition)
{
    struct Sum {
        QString group;
        Currency amount;
    };
    std::vector<Sum> sums;
    const bool split = !definition.totalByField.isEmpty();
    if (!split)
        sums.push_back({});
    for (std::size_t r = 0; r < doc.rows.size(); ++r) {
        const Currency amount = Currency::fromVariant(doc.rows.value(r, definition.totalField));
        if (!split) {
            sums.front().amount += amount;
            continue;
        }
        const QString group = lang::text(doc.rows.value(r, definition.totalByField)).trimmed();
        auto it = std::find_if(sums.begin(), sums.end(), [&](const Sum& s) { return lang::sameText(s.group, group); });
        if (it == sums.end())
            it = sums.insert(sums.end(), {group, {}});
        it->amount += amount;
    }
    std::stable_sort(sums.begin(), sums.end(), [](const Sum& a, const Sum& b) {
        return QString::compare(a.group, b.group, Qt::CaseInsensitive) < 0;
    });
    doc.totalCaption = definition.totalCaption;
    for (const Sum& s : sums)
        doc.totals.push_back({s.group, s.amount.toString()});
    doc.totalColumn = columnOf(definition, definition.totalField, static_cast<int>(definition.columns.size()) - 1);
    doc.totalByColumn = split ? columnOf(definition, definition.totalByField, -1) : -1;
}

}  // namespace

Document load(const Definition& definition, const QString& selectionFormula, const QStringList& formulas,
              db::Connection& connection)
{
    const Formulas values = parseFormulas(formulas);
    const QString sql = statement(definition, selectionFormula);

    Document doc;
    doc.columns = definition.columns;
    db::Recordset rs;
    rs.Open(sql, connection, db::cursor::ForwardOnly, db::lock::ReadOnly);
    for (int i = 0; i < rs.FieldCount(); ++i)
        doc.rows.fields << rs.field(i).Name();
    while (!rs.Eof()) {
        std::vector<QVariant> row;
        row.reserve(static_cast<std::size_t>(rs.FieldCount()));
        for (int i = 0; i < rs.FieldCount(); ++i)
            row.push_back(rs.value(i));
        doc.rows.values.push_back(std::move(row));
        rs.MoveNext();
    }
    rs.Close();

    if (definition.heading)
        doc.heading = definition.heading(values, doc.rows);
    for (std::size_t r = 0; r < doc.rows.size(); ++r) {
        QStringList cells;
        for (const Column& c : definition.columns)
            cells << cellText(doc.rows.value(r, c.field), c.number);
        doc.lines.push_back(cells);
    }
    if (!definition.totalField.isEmpty())
        addTotals(doc, definition);
    return doc;
}

}  // namespace report
