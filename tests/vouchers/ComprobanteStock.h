#pragma once

#include "platform/FlexGrid.h"

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

// The database of the stock-update tests, on the real schema: voucher types
// (IR and RMC in, FC and RM out, OP production, TR with no direction, RMC of
// the purchasing system), articles (ART001 with no inputs; PROD made of 2
// INS1 per unit from lots A 5 and B 30 in depot 1 and 25 % of INS2, which
// has no lot), the PE talonario at number 1, and the default depot 1 and
// stock reason 7.
extern const char* const kBaseStock;

// Enters a line of the articles grid as a host form does: the article and
// its quantity, the flags of a plain line (no sizes, not perishable, inputs
// by quantity), then the cells given. Returns the row written.
int LineaArticulo(FlexGrid& grilla, const QString& articulo, const QString& cantidad,
                  std::initializer_list<std::pair<int, QString>> otras = {});

// The V_MV_STOCK rows of a voucher in the order written, on ObjDB(), each as
// "Secuencia|depot|lot|serial|quantity" with codes trimmed and a Null as
// "null": "1|1|L1|null|10".
QStringList FilasStock(const QString& tc, const QString& idComprobante);
// One value of the first row of a query on ObjDB(), as text.
QString ValorDe(const QString& sql);
