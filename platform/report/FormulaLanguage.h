#pragma once

#include "Report.h"

#include <QString>
#include <QStringList>

// The report language's two kinds of text that reach the printer.
namespace report {

// A selection formula as the condition of a SELECT. Understood:
//   {Table.column}                     a column                -> Table.column
//   'text' ('' inside), 12, 12.5       literals                -> kept as literals
//   = <> < > <= >=                     comparisons of two of the above
//   isnull({Table.column})                                     -> Table.column IS NULL
//   and, or, not, parentheses
// Anything else is refused with a RuntimeError (SelectionNotUnderstood)
// before any SQL is built, so no text of the formula reaches the database
// except as a column name checked letter by letter or a re-quoted literal.
// An empty formula selects every row: the result is empty.
QString selectionToWhere(const QString& formula);

// Formulas of the form  Name = 'text'  ('' inside the quotes stands for one
// apostrophe; the text runs to the last apostrophe, so a value whose
// apostrophe was not doubled reads as it was meant). Blank entries are
// skipped; any other shape is refused with a RuntimeError (FormulaNotUnderstood).
Formulas parseFormulas(const QStringList& texts);

}  // namespace report
