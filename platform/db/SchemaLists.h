#pragma once

#include "RowSet.h"

#include <QVariant>
#include <QVariantList>
#include <memory>
#include <vector>

namespace db {

// One table or view, as a backend lists it.
struct TableEntry {
    QVariant catalog;
    QVariant schema;
    QString name;
    QString type;  // "TABLE" or "VIEW"
};

// One column of a table or view.
struct ColumnEntry {
    QVariant catalog;
    QVariant schema;
    QString table;
    QString column;
    int ordinal = 0;
    QVariant defaultValue;
    bool nullable = true;
    int type = type::VarChar;  // field type code
    int size = 0;
};

// The schema lists with the same columns on every route, restricted by
// (catalog, schema, table, column or type): each given restriction must
// equal the entry's value, trimmed and without regard to case. Catalogs are
// compared only where the server has them (a SQLite file has one).
std::unique_ptr<RowSet> tablesList(const std::vector<TableEntry>& entries, const QVariantList& restrictions,
                                   bool compareCatalogs);
std::unique_ptr<RowSet> columnsList(const std::vector<ColumnEntry>& entries, const QVariantList& restrictions,
                                    bool compareCatalogs);

}  // namespace db
