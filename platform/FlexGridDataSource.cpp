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
    // One list of texts for the whole page, not one per record.
    std::vector<QString> texts;
    std::size_t records = 0;
    while (!recordset.Eof()) {
        for (int i = 0; i < fieldCount; ++i)
            texts.push_back(recordset.text(i));
        ++records;
        recordset.MoveNext();
    }
    bind(names, std::move(texts), records);
}
