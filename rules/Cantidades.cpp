#include "Cantidades.h"

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
