#include "SchemaLists.h"

namespace db {

namespace {

bool allows(const QVariantList& restrictions, int index, const QVariant& value)
{
    if (restrictions.size() <= index)
        return true;
    const QVariant& r = restrictions[index];
    if (!r.isValid() || r.isNull())
        return true;
    return r.toString().trimmed().compare(value.toString().trimmed(), Qt::CaseInsensitive) == 0;
}

Column nameColumn(const char* name)
{
    return {QString::fromLatin1(name), type::VarWChar, 128, false};
}

}  // namespace

std::unique_ptr<RowSet> tablesList(const std::vector<TableEntry>& entries, const QVariantList& restrictions,
                                   bool compareCatalogs)
{
    auto out = std::make_unique<RowSet>();
    out->columns = {nameColumn("TABLE_CATALOG"), nameColumn("TABLE_SCHEMA"), nameColumn("TABLE_NAME"),
                    nameColumn("TABLE_TYPE")};
    for (const TableEntry& e : entries) {
        if ((compareCatalogs && !allows(restrictions, 0, e.catalog)) || !allows(restrictions, 1, e.schema) ||
            !allows(restrictions, 2, e.name) || !allows(restrictions, 3, e.type))
            continue;
        out->addValue(e.catalog);
        out->addValue(e.schema);
        out->addText(e.name);
        out->addText(e.type);
    }
    return out;
}

std::unique_ptr<RowSet> columnsList(const std::vector<ColumnEntry>& entries, const QVariantList& restrictions,
                                    bool compareCatalogs)
{
    auto out = std::make_unique<RowSet>();
    out->columns = {
        nameColumn("TABLE_CATALOG"),
        nameColumn("TABLE_SCHEMA"),
        nameColumn("TABLE_NAME"),
        nameColumn("COLUMN_NAME"),
        {QStringLiteral("ORDINAL_POSITION"), type::UnsignedInt, 4, false},
        nameColumn("COLUMN_DEFAULT"),
        {QStringLiteral("IS_NULLABLE"), type::Boolean, 2, false},
        {QStringLiteral("DATA_TYPE"), type::UnsignedSmallInt, 2, false},
        {QStringLiteral("CHARACTER_MAXIMUM_LENGTH"), type::UnsignedInt, 4, false},
    };
    for (const ColumnEntry& e : entries) {
        if ((compareCatalogs && !allows(restrictions, 0, e.catalog)) || !allows(restrictions, 1, e.schema) ||
            !allows(restrictions, 2, e.table) || !allows(restrictions, 3, e.column))
            continue;
        out->addValue(e.catalog);
        out->addValue(e.schema);
        out->addText(e.table);
        out->addText(e.column);
        out->addInteger(e.ordinal);
        out->addValue(e.defaultValue);
        out->addInteger(e.nullable ? 1 : 0);
        out->addInteger(e.type);
        out->addInteger(e.size);
    }
    return out;
}

}  // namespace db
