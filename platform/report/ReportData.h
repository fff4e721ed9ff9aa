#pragma once

#include "Report.h"

#include <QStringList>

namespace db {
class Connection;
}

namespace report {

// Reads a report: the rows of the definition's source that the selection
// formula selects, in the definition's order, on `connection`; the heading
// from the caller's formulas; each line's cells and the total. A formula or
// selection the printer does not understand is refused before anything is
// read; database failures reach the caller as they come.
Document load(const Definition& definition, const QString& selectionFormula, const QStringList& formulas,
              db::Connection& connection);

}  // namespace report
