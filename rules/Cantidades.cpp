#include "Cantidades.h"

#include "platform/RuntimeError.h"

#include <cmath>

ItemCantidad::ItemCantidad(const QString& codigo, const QString& unidad, double cantidad)
    : CodigoItem(codigo.leftJustified(LargoCodigo, u' ', true)),
      UnidadItem(unidad.leftJustified(LargoUnidad, u' ', true)),
      CantidadItem(cantidad)
{
}

RepartoLotes::RepartoLotes(double cantidad) : m_cantidad(Currency::fromDouble(cantidad)) {}

bool RepartoLotes::Toma(const QString& nroLote, double stockLote)
{
    if (m_cubierta)
        return false;
    const Currency stock = Currency::fromDouble(stockLote);
    if (m_tomado + stock > m_cantidad) {
        m_entradas.emplace_back(nroLote, QString(), (m_cantidad - m_tomado).toDouble());
        m_tomado = m_cantidad;
        m_cubierta = true;
    } else {
        m_entradas.emplace_back(nroLote, QString(), stock.toDouble());
        m_tomado += stock;
        m_cubierta = m_tomado >= m_cantidad;
    }
    return !m_cubierta;
}

std::vector<ItemCantidad> RepartoLotes::Entradas() const
{
    std::vector<ItemCantidad> entradas = m_entradas;
    if (entradas.empty() || m_cantidad > m_tomado)
        entradas.emplace_back(QString(), QString(), (m_cantidad - m_tomado).toDouble());
    return entradas;
}

double AplicaEquivalencia(double cantidad, const QString& operador, double coeficiente)
{
    if (operador == u"*")
        return cantidad * coeficiente;
    if (operador == u"/" && coeficiente != 0)
        return cantidad / coeficiente;
    return 0;
}

Currency CabidaEnUnidad(Currency cabida, const QString& operador, double coeficiente)
{
    // What one unit of the quantity counts in the room's unit, the same double
    // the balance view multiplies by.
    double cuenta = 0;
    if (operador == u"/")
        cuenta = coeficiente;
    else if (operador == u"*")
        cuenta = 1.0 / coeficiente;
    if (!(cuenta > 0) || !std::isfinite(cuenta))
        return {};
    // In ten-thousandths, so that the answer's last digit is cut, not rounded.
    const double limite = static_cast<double>(cabida.raw());
    if (limite <= 0)
        return Currency::fromDoubleAwayFromZero(limite / cuenta / Currency::Scale);
    // A quotient that is a whole number may come out a hair either side of
    // it: the count decides, with room for that hair and nothing more (far
    // less than the half ten-thousandth the view's rounding would turn into
    // a whole one).
    const double holgura = 1e-6 + limite * 4e-16;
    const auto cabe = [&](double q) { return q * cuenta <= limite + holgura; };
    double q = std::floor(limite / cuenta);
    if (!(q < 9e18))
        throw RuntimeError::overflow();
    while (q > 0 && !cabe(q))
        q -= 1;
    while (cabe(q + 1))
        q += 1;
    return Currency::fromRaw(static_cast<std::int64_t>(q));
}
