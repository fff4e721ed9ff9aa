#include "ReportData.h"

#include "FormulaLanguage.h"
#include "platform/Currency.h"
#include "platform/Value.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

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
    Currency total;
    for (std::size_t r = 0; r < doc.rows.size(); ++r) {
        QStringList cells;
        for (const Column& c : definition.columns)
            cells << cellText(doc.rows.value(r, c.field), c.number);
        doc.lines.push_back(cells);
        if (!definition.totalField.isEmpty())
            total += Currency::fromVariant(doc.rows.value(r, definition.totalField));
    }
    if (!definition.totalField.isEmpty()) {
        doc.totalCaption = definition.totalCaption;
        doc.total = total.toString();
        doc.totalColumn = static_cast<int>(definition.columns.size()) - 1;
        for (std::size_t c = 0; c < definition.columns.size(); ++c)
            if (lang::sameText(definition.columns[c].field, definition.totalField))
                doc.totalColumn = static_cast<int>(c);
    }
    return doc;
}

}  // namespace report
