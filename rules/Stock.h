#pragma once

#include "rules/Cantidades.h"

#include <QString>
#include <vector>

// Module Stock: an article's lots and inputs, its unit and unit
// equivalences, quantity conversion and stock balances.

// The inputs list the voucher rules pass to IdArticuloTieneInsumos.
extern std::vector<ItemCantidad> ArrInsumos;

// Spreads Cantidad over the article's lots with stock in the depot, in lot
// order (see RepartoLotes); Lotes is rebuilt. The depot may be a code or a
// ready quoted literal. True when the depot holds a lot of the article;
// otherwise Lotes holds one entry without lot for the whole quantity.
bool ArticuloTieneLotes(const QString& IdArticulo, const QString& IdDeposito, std::vector<ItemCantidad>& Lotes,
                        double Cantidad);
// True when the article has inputs. Unless SoloVerifica is non-zero, Insumos
// is rebuilt with one entry per input (code, unit, quantity per unit of the
// article); otherwise, and when there are none, it holds one blank entry.
bool IdArticuloTieneInsumos(const QString& IdArticulo, std::vector<ItemCantidad>& Insumos, int SoloVerifica);

// The article's unit, trimmed; empty when the article has none or is not in
// the article master.
QString ObtieneUnidadArticulo(const QString& IdArticulo);
// The article's equivalence between two of its units: first a row from
// IdUnidad to IdUnidadEquiv (Operador "/": a quantity in IdUnidadEquiv
// divided by the coefficient is in IdUnidad), then the reverse row (Operador
// "*"). A direct row whose coefficient is 0 counts as no row. Operador and
// Coeficiente are left alone when there is none.
bool EquivalenciaEntreUnidades(const QString& IdArticulo, const QString& IdUnidad, const QString& IdUnidadEquiv,
                               QString& Operador, double& Coeficiente);
// Looks for the equivalence between the article's unit and IdUnidad: first
// a row from the article's unit to IdUnidad (Operador "/"), then the reverse
// row (Operador "*"). Equal units need a row of their own. An article
// without unit sets SinUnidad and answers false. A direct row whose
// coefficient is 0 counts as no row.
bool IdArticuloTieneEquivalencias(const QString& IdArticulo, const QString& IdUnidad, QString& Operador,
                                  QString& UnidadArticulo, double& Coeficiente, bool& SinUnidad);
// Cantidad, stated in IdUnidadCantidad, in the article's own unit: 0 for 0,
// unchanged when the two unit texts are equal (any case, blanks count),
// converted by the equivalence otherwise, and 0 without one. IdUnidad takes
// no part beyond that comparison.
double ConvierteCantidadUnidad(const QString& IdArticulo, const QString& IdUnidad, double Cantidad,
                               const QString& IdUnidadCantidad);

// Cantidad, stated in UnidadOrigen, in UnidadDestino: unchanged between
// equal units (any case, blanks around them aside), otherwise carried
// through the article's own unit by its equivalences; 0 when either unit has
// none.
double ConvierteEntreUnidades(const QString& IdArticulo, const QString& UnidadOrigen, double Cantidad,
                              const QString& UnidadDestino);

// The article's balance in the unit, in the depot or over every depot when
// the depot is blank; 0 without a balance row. A blank article leaves Stock
// as it was.
void ControlStock(const QString& IdDeposito, const QString& IdArticulo, const QString& IdUnidad, double& Stock);
