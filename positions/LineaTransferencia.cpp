#include "LineaTransferencia.h"

#include "core/DB_Dll.h"
#include "core/Listas.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <algorithm>

namespace {

const KumozenUtilidades kUtil;

QString texto(DB_Dll& db, const QVariant& v)
{
    return db.SQLValue(v, QStringLiteral("'"));
}

QString numero(DB_Dll& db, const QString& v)
{
    return db.SQLValue(v, QStringLiteral("@"));
}

QString articulo(const QString& celda)
{
    return kUtil.AlineaDerecha(celda.trimmed(), 25);
}

QString unidad(const QString& celda)
{
    return kUtil.AlineaDerecha(celda.trimmed(), 4);
}

QString deposito(const CabeceraTransferencia& c)
{
    return kUtil.AlineaDerecha(c.IdDeposito.trimmed(), 4);
}

QVariant lote(const LineaTransferencia& l)
{
    const QString lote = l.NroLote.trimmed();
    return lote.isEmpty() ? lang::null() : QVariant(lote);
}

QString movimiento(DB_Dll& db, const CabeceraTransferencia& c, const LineaTransferencia& l, const QString& usuario,
                   const QDate& fecha, const QString& cantidad, const QVariant& posicion)
{
    const ComprobanteTransferencia& v = c.Comprobante;
    const QStringList valores{texto(db, fecha),
                              texto(db, TipoTransferencia),
                              texto(db, v.Sucursal),
                              texto(db, v.Numero),
                              texto(db, v.Letra),
                              texto(db, articulo(l.IdArticulo)),
                              texto(db, unidad(l.IdUnidad)),
                              numero(db, cantidad),
                              texto(db, lote(l)),
                              texto(db, deposito(c)),
                              texto(db, posicion),
                              texto(db, usuario)};
    return QStringLiteral(" INSERT INTO V_MV_STOCK_DRAVELO ")
           + QStringLiteral("(FECHA,TC,SUCURSAL,NUMERO,LETRA,IDARTICULO,IDUNIDADBASE,CANTIDAD,NROLOTE,IDDEPOSITO,"
                            "IDPOSICION,USUARIO,ANULADO) ")
           + QStringLiteral("Values(") + valores.join(u',') + QStringLiteral(",0)");
}

void posicionados(DB_Dll& db, QStringList& sentencias, const CabeceraTransferencia& c, const LineaTransferencia& l,
                  const QString& usuario, const QDate& fecha)
{
    const Reparto r = RepartoDeLinea(l);
    for (std::size_t i = 0; i < r.Posiciones.size(); ++i)
        sentencias << movimiento(db, c, l, usuario, fecha, r.Cantidades[i].toString(), r.Posiciones[i]);
}

QString condicionComprobante(DB_Dll& db, const ComprobanteTransferencia& v)
{
    return QStringLiteral(" TC=") + texto(db, TipoTransferencia) + QStringLiteral(" AND SUCURSAL =")
           + texto(db, v.Sucursal) + QStringLiteral(" AND NUMERO=") + texto(db, v.Numero)
           + QStringLiteral(" AND LETRA=") + texto(db, v.Letra);
}

QString condicionLote(DB_Dll& db, const LineaTransferencia& l)
{
    const QVariant valor = lote(l);
    return lang::isNull(valor) ? QStringLiteral(" NROLOTE IS NULL") : QStringLiteral(" NROLOTE=") + texto(db, valor);
}

// The work table holds a line without lot with an empty lot when the
// reopening wrote it and with none once a save rewrote it.
QString condicionLoteTrabajo(DB_Dll& db, const LineaTransferencia& l)
{
    return QStringLiteral(" ISNULL(NROLOTE,'')=") + texto(db, l.NroLote.trimmed());
}

// The positioned movements of a reopened line: its voucher's, with its
// article, unit, lot and depot, whoever stored them and on whichever date.
QString condicionPosicionados(DB_Dll& db, const CabeceraTransferencia& c, const LineaTransferencia& l)
{
    return condicionComprobante(db, c.Comprobante) + QStringLiteral(" AND IDARTICULO=") + texto(db, articulo(l.IdArticulo))
           + QStringLiteral(" AND IDUNIDADBASE=") + texto(db, unidad(l.IdUnidad)) + QStringLiteral(" AND ")
           + condicionLote(db, l) + QStringLiteral(" AND IDDEPOSITO=") + texto(db, deposito(c))
           + QStringLiteral(" AND NOT idposicion is NULL ");
}

// Positions compare as the company's server compares codes.
QString clavePosicion(const QString& posicion)
{
    return posicion.trimmed().toUpper();
}

}  // namespace

std::vector<QString> ItemsLista(const QString& lista)
{
    QString cuerpo = lista.trimmed();
    if (cuerpo.startsWith(u'|'))
        cuerpo.remove(0, 1);
    if (cuerpo.isEmpty())
        return {};
    if (cuerpo.endsWith(u'|'))
        cuerpo.chop(1);
    std::vector<QString> items;
    SeparaCadena(cuerpo, QStringLiteral("|"), items);
    items.pop_back();
    return items;
}

Reparto RepartoDeLinea(const LineaTransferencia& linea)
{
    Reparto r;
    r.Posiciones = ItemsLista(linea.Posiciones);
    for (const QString& c : ItemsLista(linea.Cantidades))
        r.Cantidades.push_back(Currency::fromText(c));
    return r;
}

QString RechazoReparto(const LineaTransferencia& linea)
{
    // Quantities are written in fixed point with four decimals; one past its
    // range (about 9.2e14) cannot be saved, and neither can a sum past it.
    const QString demasiado = QStringLiteral("La linea no se grabo: la cantidad es demasiado grande.");
    Reparto r;
    Currency transferir;
    try {
        r = RepartoDeLinea(linea);
        transferir = Currency::fromText(linea.Transferir);
    } catch (const RuntimeError& e) {
        if (e.number() != errnum::Overflow)
            throw;
        return demasiado;
    }
    if (r.Posiciones.empty())
        return QStringLiteral("La linea no se grabo: no tiene posiciones asignadas.");
    if (r.Posiciones.size() != r.Cantidades.size())
        return QStringLiteral("La linea no se grabo: cada posicion debe tener su cantidad.");
    std::int64_t total = 0;
    for (std::size_t i = 0; i < r.Posiciones.size(); ++i) {
        if (r.Posiciones[i].trimmed().isEmpty() || r.Cantidades[i] <= Currency())
            return QStringLiteral("La linea no se grabo: cada posicion debe recibir una cantidad mayor que 0.");
        if (__builtin_add_overflow(total, r.Cantidades[i].raw(), &total))
            return demasiado;
    }
    const Currency suma = Currency::fromRaw(total);
    if (suma != transferir)
        return QStringLiteral("La linea no se grabo: las posiciones suman ") + suma.toString()
               + QStringLiteral(" y la cantidad a transferir es ") + transferir.toString() + u'.';
    return {};
}

QStringList SentenciasLineaNueva(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea,
                                 const QString& usuario, const QDate& fecha)
{
    QStringList sentencias;
    sentencias << movimiento(db, cabecera, linea, usuario, fecha, (-Currency::fromText(linea.Transferir)).toString(),
                       lang::null());
    posicionados(db, sentencias, cabecera, linea, usuario, fecha);
    return sentencias;
}

QString SentenciaBorraLineaTrabajo(DB_Dll& db, const ComprobanteTransferencia& comprobante,
                                   const LineaTransferencia& linea)
{
    // By the line, not by id: another station that saved or reopened the
    // line since gave its row a new one.
    return QStringLiteral(" DELETE FROM aux_V_MV_STOCK_DRAVELO where ") + condicionComprobante(db, comprobante)
           + QStringLiteral(" AND IDARTICULO=") + texto(db, articulo(linea.IdArticulo)) + QStringLiteral(" AND ")
           + condicionLoteTrabajo(db, linea);
}

QStringList SentenciasLineaReabierta(DB_Dll& db, const CabeceraTransferencia& cabecera,
                                     const LineaTransferencia& linea, const QString& usuario, const QDate& fecha)
{
    const ComprobanteTransferencia& v = cabecera.Comprobante;
    QStringList sentencias;
    sentencias << SentenciaBorraLineaTrabajo(db, v, linea);
    const QStringList valores{texto(db, TipoTransferencia),
                              texto(db, v.Sucursal),
                              texto(db, v.Numero),
                              texto(db, v.Letra),
                              texto(db, kUtil.AlineaDerecha(linea.IdArticulo, 25)),
                              texto(db, lote(linea)),
                              texto(db, linea.Descripcion),
                              texto(db, kUtil.AlineaDerecha(linea.IdUnidad, 4)),
                              numero(db, linea.Transferir),
                              numero(db, linea.Transferir),
                              texto(db, linea.Cantidades),
                              texto(db, linea.Posiciones)};
    sentencias << QStringLiteral("INSERT INTO Aux_V_MV_STOCK_DRAVELO ")
                + QStringLiteral("(TC,SUCURSAL,NUMERO,LETRA,IDARTICULO,NROLOTE,DESCRIPCION,IDUNIDADBASE,CANTIDAD,"
                                 "CantidadATransferir,CANTIDADES,POSICIONES)")
                + QStringLiteral("VALUES(") + valores.join(u',') + u')';
    sentencias << QStringLiteral(" DELETE FROM V_MV_STOCK_DRAVELO ") + QStringLiteral("WHERE ")
                      + condicionPosicionados(db, cabecera, linea);
    posicionados(db, sentencias, cabecera, linea, usuario, fecha);
    return sentencias;
}

QString SentenciaIdLinea(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea,
                         bool reabierta)
{
    const QString tabla = reabierta ? QStringLiteral("Aux_V_MV_STOCK_DRAVELO") : QStringLiteral("V_MV_STOCK_DRAVELO");
    QString sql = QStringLiteral("SELECT MAX(ID) as id FROM ") + tabla + QStringLiteral(" WHERE ")
                  + condicionComprobante(db, cabecera.Comprobante) + QStringLiteral(" AND IDARTICULO=")
                  + texto(db, articulo(linea.IdArticulo)) + QStringLiteral(" AND ") + condicionLote(db, linea);
    if (!reabierta)
        sql += QStringLiteral(" AND IDDEPOSITO=") + texto(db, deposito(cabecera));
    return sql;
}

QString SentenciaRestanteLinea(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea)
{
    return QStringLiteral("SELECT SUM(Cantidad) AS Cantidad FROM Stk_Dravelo_Sin_Asignar WHERE iddeposito=")
           + texto(db, deposito(cabecera)) + QStringLiteral(" AND IdArticulo=") + texto(db, articulo(linea.IdArticulo))
           + QStringLiteral(" AND idUnidadARTICULO=") + texto(db, unidad(linea.IdUnidad))
           + QStringLiteral(" AND ISNULL(NroLote,'')=") + texto(db, linea.NroLote.trimmed());
}

QString SentenciaRepartoGuardado(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea)
{
    return QStringLiteral("SELECT IDPOSICION, CANTIDAD FROM V_MV_STOCK_DRAVELO WHERE ")
           + condicionPosicionados(db, cabecera, linea) + QStringLiteral("ORDER BY ID");
}

QString SentenciaBloqueoLinea(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea)
{
    if (db.gCnn().dialect() != db::Dialect::SqlServer)
        return {};
    return QStringLiteral("SELECT COUNT(*) AS n FROM V_MV_STOCK_DRAVELO WITH (UPDLOCK, HOLDLOCK) WHERE IDDEPOSITO=")
           + texto(db, deposito(cabecera)) + QStringLiteral(" AND IDARTICULO=") + texto(db, articulo(linea.IdArticulo));
}

QString SentenciaBloqueoPosiciones(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea)
{
    if (db.gCnn().dialect() != db::Dialect::SqlServer)
        return {};
    QStringList posiciones;
    for (const QString& p : RepartoDeLinea(linea).Posiciones)
        posiciones << texto(db, p.trimmed());
    if (posiciones.isEmpty())
        return {};
    return QStringLiteral("SELECT COUNT(*) AS n FROM MA_POSICIONES WITH (UPDLOCK, HOLDLOCK) WHERE IDDEPOSITO=")
           + texto(db, deposito(cabecera)) + QStringLiteral(" AND IDPOSICION IN (") + posiciones.join(u',') + u')';
}

bool MismoReparto(const Reparto& a, const Reparto& b)
{
    if (a.Posiciones.size() != b.Posiciones.size() || a.Cantidades.size() != b.Cantidades.size())
        return false;
    const auto pares = [](const Reparto& r) {
        std::vector<std::pair<QString, std::int64_t>> p;
        for (std::size_t i = 0; i < r.Posiciones.size() && i < r.Cantidades.size(); ++i)
            p.emplace_back(clavePosicion(r.Posiciones[i]), r.Cantidades[i].raw());
        std::sort(p.begin(), p.end());
        return p;
    };
    return pares(a) == pares(b);
}
