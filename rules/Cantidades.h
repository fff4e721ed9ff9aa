#pragma once

#include "platform/Currency.h"

#include <QString>
#include <vector>

// One entry of a quantity list: the lots an article's quantity is taken
// from, or the inputs of an article. Codes keep their fixed widths (blank
// padded on the right, cut when longer) because callers store them as such.
struct ItemCantidad {
    static constexpr int LargoCodigo = 25;
    static constexpr int LargoUnidad = 4;

    QString CodigoItem = QString(LargoCodigo, u' ');
    QString UnidadItem = QString(LargoUnidad, u' ');
    double CantidadItem = 0;

    ItemCantidad() = default;
    ItemCantidad(const QString& codigo, const QString& unidad, double cantidad);

    bool operator==(const ItemCantidad&) const = default;
};

// Spreads a quantity over an article's lots, in the order they are offered:
// each lot gives its whole stock until the last one needed gives only what
// is still missing. Sums are kept in fixed point, so lots of 0.1 and 0.2
// cover 0.3 exactly and leave no stray remainder.
class RepartoLotes {
public:
    explicit RepartoLotes(double cantidad);

    // Takes from one more lot. Returns true while the quantity is not yet
    // covered, that is while another lot is wanted.
    bool Toma(const QString& nroLote, double stockLote);

    // One entry per lot taken, then one without lot for what the lots did
    // not cover; with no lot at all, one entry without lot for the whole
    // quantity.
    std::vector<ItemCantidad> Entradas() const;

private:
    Currency m_cantidad;
    Currency m_tomado;
    bool m_cubierta = false;
    std::vector<ItemCantidad> m_entradas;
};

// A quantity converted with an equivalence found in S_TA_EQUIV: operator "*"
// multiplies by the coefficient, "/" divides by it. A coefficient of 0 under
// "/" is no usable equivalence and, like any other operator, gives 0.
double AplicaEquivalencia(double cantidad, const QString& operador, double coeficiente);

// The most of a room that a quantity in another unit may take: the room is
// stated in its own unit at four decimals, the equivalence (operator and
// coefficient as AplicaEquivalencia takes them) turns a quantity of the room's
// unit into the other. The answer is rounded toward zero, to the largest
// quantity of four decimals whose count in the room's unit (multiplied by the
// coefficient under "/", divided under "*") stays within the room. Stored at
// four decimals and counted back, rounded to four decimals as the balance
// view counts it, it takes no more than the room, alone or added to rows
// already there (short of an exact half, which the view's floating-point
// rounding may take either way). A room below 0 is converted as it stands;
// without a usable equivalence the answer is 0.
Currency CabidaEnUnidad(Currency cabida, const QString& operador, double coeficiente);
