#pragma once

#include "platform/Currency.h"

#include <QString>
#include <QStringList>
#include <optional>

// The lookup dialogs' rules that need no window: incremental search, what a
// key typed in the list adds to a search box, stock levels, quantity texts.
namespace consulta {

// Position (from 0) of the first cell whose trimmed text begins with the
// trimmed value, ignoring case; -1 when none does. A blank value matches the
// first cell.
int PrimeraCoincidencia(const QStringList& celdas, const QString& valor);

// A tree node's text "code - description" matches when the search text (as
// typed, not trimmed) begins the trimmed code or the trimmed description,
// ignoring case. A text without "-" is all description.
bool NodoCoincide(const QString& textoNodo, const QString& buscado);

// The search box's text after a key pressed in the list: Backspace deletes
// the last character, Space adds a blank unless the rows carry check boxes
// (Space then checks the row), and any other key adds the characters it
// typed. None when the key types nothing.
std::optional<QString> TextoTecleado(const QString& actual, int keyCode, const QString& tecleado, bool checkBoxes);

// Stock level 1 to 4 of an article row from its reorder point and stock:
// 1 stock without a reorder point, 2 above it, 3 below it, 4 anything else.
int NivelStock(Currency puntoPedido, Currency stock);

// PRECIO1 .. PRECIO8 of an article price query are headed by the price
// class names; the class number, or 0 for any other column or query.
int ClasePrecio(const QString& sql, const QString& columna);

// A quantity cell's text with the given decimals ("3.0", "2.50").
QString TextoCantidad(double cantidad, int decimales);

}  // namespace consulta
