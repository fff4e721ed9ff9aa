// Skeleton: the recordset is being written.
#include "Recordset.h"

#include "platform/RuntimeError.h"

namespace db {

struct Recordset::Private {};

Recordset::Recordset() : d(std::make_unique<Private>()) {}
Recordset::~Recordset() = default;

}  // namespace db
