// The V_MV_STOCK row of one stock row of an articles-grid line: its columns
// in order, which are left out, and the signed quantity and the VAT rate.
#include "vouchers/ActualizacionStock.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Listas.h"
#include "core/Objetos.h"
#include "platform/FlexGrid.h"
#include "platform/Value.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/LiteralesComprobante.h"
#include "vouchers/NumeroCelda.h"

#include <vector>

namespace {

QString sinApostrofos(const QString& texto)
{
    return ObjUtilidades().QuitaCaracteres(texto.trimmed(), QStringLiteral("'"));
}

QString textoONulo(const QString& codigo)
{
    return codigo.isEmpty() ? QStringLiteral("NULL") : LiteralTexto(codigo);
}

}  // namespace

QString ActualizacionStock::cuentaDelArticulo(const QString& articulo) const
{
    const auto hallada = m_cuentas.find(articulo.toUpper());
    return hallada == m_cuentas.end() ? QStringLiteral("NULL") : hallada->second;
}

QString ActualizacionStock::depositoDeFila(int fila, int numero) const
{
    // Stock moved in or out of no depot would be lost to every balance.
    const auto sinDeposito = [&] {
        return Rechazo{QStringLiteral("No se grabó el stock del comprobante: la línea del artículo %1 no tiene "
                                      "depósito, ni el comprobante (ni hay un depósito por defecto configurado).")
                           .arg(celda(fila, ColArticulos::Codigo).trimmed())};
    };
    // A transfer's second pass enters the destination (a production order's
    // is its own depot); otherwise the line's own depot, unless the caller
    // imposed the sign of an entry.
    if (numero == 2) {
        if (m_sinDestino)
            throw m_produccion ? sinDeposito()
                               : Rechazo{QStringLiteral("No se grabó el stock de la transferencia: falta el "
                                                        "depósito de destino.")};
        return m_lit.idDepositoDestino;
    }
    if (numero != 1 || m_argumentos.SignoRemota != 1) {
        const QString propio = celda(fila, ColArticulos::Dep).trimmed();
        if (!propio.isEmpty())
            return LiteralCodigo(propio, 4);
    }
    if (m_sinDeposito)
        throw sinDeposito();
    return m_lit.idDeposito;
}

QString ActualizacionStock::filaStock(int fila, int numero, int signo, const Item& item, std::int32_t pares)
{
    const auto numeroDe = [&](int columna) { return LiteralNumero(NumeroCelda(celda(fila, columna))); };
    const QString articulo = celda(fila, ColArticulos::Codigo).trimmed();
    std::vector<ParCampoValor> campos;
    campos.reserve(30);
    // The names stay where the compiler put them: no copy of them per row.
    const auto campo = [&](QStringView nombre, const QString& valor) {
        campos.push_back({QString::fromRawData(nombre.data(), nombre.size()), valor});
    };

    campo(u"TC", m_lit.tc);
    campo(u"IdComprobante", m_lit.idComprobante);
    if (!m_lit.idComplemento.isEmpty())
        campo(u"IdComplemento", m_lit.idComplemento);
    campo(u"Secuencia", QString::number(m_secuencia));
    campo(u"Fecha", m_lit.fecha);
    if (!m_lit.idCaja.isEmpty())
        campo(u"IdCaja", m_lit.idCaja);

    campo(u"IdDeposito", depositoDeFila(fila, numero));
    campo(u"IdArticulo", LiteralCodigo(articulo, 25));
    campo(u"Descripcion", LiteralTexto(sinApostrofos(celda(fila, ColArticulos::Descripcion))));
    campo(u"NroLote", textoONulo(item.lote));
    QString aduana = celda(fila, ColArticulos::Lote_Aduana).trimmed();
    if (aduana.isEmpty())
        aduana = m_argumentos.Aduana;
    campo(u"ControladoPor", LiteralTexto(sinApostrofos(aduana)));
    QString loteOrigen = celda(fila, ColArticulos::Lote_Origen).trimmed();
    if (loteOrigen.isEmpty())
        loteOrigen = m_argumentos.LoteOrigen.trimmed();
    if (!loteOrigen.isEmpty())
        campo(u"IdOrigen", LiteralCodigo(loteOrigen, 4));
    campo(u"NroSerie", textoONulo(item.serie));
    const QString unidad = celda(fila, ColArticulos::UD).trimmed();
    campo(u"IdUnidad", unidad.isEmpty() ? QStringLiteral("NULL") : LiteralCodigo(unidad, 4));

    // Entries of several lots or serial numbers go one unit a row; a size
    // item and an exit item carry their own quantity.
    const double base = ImporteCelda(celda(fila, ColArticulos::Cant)).toDouble();
    const bool conCodigo = !item.lote.isEmpty() || !item.serie.isEmpty();
    double cantidad = base;
    if (signo == 1) {
        if (EsVerdadero(celda(fila, ColArticulos::AuxPideTalle).trimmed()))
            cantidad = item.cantidad;
        else if (conCodigo && pares > 1)
            cantidad = 1;
    } else if (signo == -1 && (conCodigo || item.cantidad > 0)) {
        cantidad = item.cantidad;
    }
    campo(u"Cantidad", LiteralNumero(cantidad * signo));
    if (m_confirmaUDEquiv) {
        campo(u"CantidadUD", numeroDe(ColArticulos::CantEquiv));
        campo(u"IdUnidadBase", LiteralTexto(celda(fila, ColArticulos::UDEquiv)));
    }
    campo(u"CuentaProveedor", m_lit.cuenta.isEmpty() ? cuentaDelArticulo(articulo) : m_lit.cuenta);
    campo(u"IdMotivoStock", m_lit.idMotivoStock);
    campo(u"PrecioVenta", numeroDe(ColArticulos::Importe));
    campo(u"Costo", numeroDe(ColArticulos::Costo));
    campo(u"Impuestos", numeroDe(ColArticulos::Impuestos));
    campo(u"DtoItem", numeroDe(ColArticulos::PorcDto));

    const QString origen = celda(fila, ColArticulos::AuxCpteOrigen);
    if (m_tipoOrigenDeGrilla)
        m_ultimoTcOrigen = LiteralTexto(origen.left(4).trimmed());
    if (m_comprobanteOrigenDeGrilla)
        m_ultimoComprobanteOrigen = LiteralTexto(origen.mid(4, 13).trimmed());
    campo(u"Tc_Origen", m_tipoOrigenDeGrilla ? m_ultimoTcOrigen : m_lit.tcOrigen);
    campo(u"IdComprobante_Origen", m_comprobanteOrigenDeGrilla ? m_ultimoComprobanteOrigen : m_lit.comprobanteOrigen);
    campo(u"Id_Origen", numeroDe(ColArticulos::AuxIdCpteOrigen));

    // A line without a rate of its own takes the general one, unless it is
    // exempt.
    const Currency tasa = ImporteCelda(celda(fila, ColArticulos::AuxTasaIVA));
    const bool exento = NumeroCelda(celda(fila, ColArticulos::AuxEsExento)) == -1;
    campo(u"IVARI", LiteralNumero(tasa.isZero() && !exento ? m_piva : tasa.toDouble()));
    campo(u"IVARNI", numeroDe(ColArticulos::IVARNI));
    if (!m_lit.idTecnico.isEmpty())
        campo(u"IdTecnico", m_lit.idTecnico);
    campo(u"EQUIV_UDBASE", numeroDe(ColArticulos::EQUIV_UDBASE));

    QString sentencia = QStringLiteral("INSERT INTO V_MV_STOCK");
    ArmaInsert(sentencia, campos, true);
    return sentencia;
}
