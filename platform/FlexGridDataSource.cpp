// Kept apart from the widget so that the grid links without the data layer
// wherever nothing binds it to a recordset.
#include "FlexGrid.h"

#include "Value.h"
#include "platform/db/Recordset.h"

void FlexGrid::setDataSource(db::Recordset& recordset)
{
    const int fieldCount = recordset.FieldCount();
    QStringList names;
    names.reserve(fieldCount);
    for (int i = 0; i < fieldCount; ++i)
        names << recordset.field(i).Name();
    std::vector<std::vector<QString>> records;
    while (!recordset.Eof()) {
        std::vector<QString> record(static_cast<std::size_t>(fieldCount));
        for (int i = 0; i < fieldCount; ++i)
            record[static_cast<std::size_t>(i)] = recordset.text(i);
        records.push_back(std::move(record));
        recordset.MoveNext();
    }
    bind(names, std::move(records));
}
