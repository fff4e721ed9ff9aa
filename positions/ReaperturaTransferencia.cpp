#include "ReaperturaTransferencia.h"

#include "core/DB_Dll.h"
#include "platform/Value.h"

namespace {

QString texto(DB_Dll& db, const QVariant& v)
{
    return db.SQLValue(v, QStringLiteral("'"));
}

QString condicion(DB_Dll& db, const ComprobanteTransferencia& c)
{
    return QStringLiteral("sucursal=") + texto(db, c.Sucursal) + QStringLiteral(" and numero=") + texto(db, c.Numero)
           + QStringLiteral(" and letra=") + texto(db, c.Letra) + QStringLiteral(" and tc='TRP'");
}

struct Grupo {
    QString articulo;
    QString lote;
    QString descripcion;
};

std::vector<Grupo> grupos(DB_Dll& db, const ComprobanteTransferencia& c)
{
    std::vector<Grupo> leidos;
    db::Recordset rs;
    db.AbrirRecordset(
        QStringLiteral("Select V_mv_Stock_Dravelo.IDARTICULO,isnull(V_mv_Stock_Dravelo.NROLOTE,'') as NROLOTE "
                       ",V_MA_ARTICULOS.DESCRIPCION from V_mv_Stock_Dravelo,V_MA_ARTICULOS where "
                       "V_mv_Stock_Dravelo.IDARTICULO=V_MA_ARTICULOS.IDARTICULO AND ")
            + condicion(db, c)
            + QStringLiteral(" and not idposicion is null group by V_mv_Stock_Dravelo.idarticulo,"
                             "V_mv_Stock_Dravelo.NROLOTE,V_MA_ARTICULOS.DESCRIPCION "),
        rs);
    if (rs.State() == db::state::Closed)
        return leidos;
    while (!rs.Eof()) {
        leidos.push_back({lang::text(rs.value(QStringLiteral("IDARTICULO"))),
                          lang::text(rs.value(QStringLiteral("NROLOTE"))),
                          lang::text(rs.value(QStringLiteral("DESCRIPCION")))});
        rs.MoveNext();
    }
    db.CierraRecordset(rs);
    return leidos;
}

}  // namespace

std::vector<LineaReabierta> LeeLineasReabiertas(DB_Dll& db, const ComprobanteTransferencia& comprobante)
{
    std::vector<LineaReabierta> lineas;
    for (const Grupo& g : grupos(db, comprobante)) {
        const QString lote = g.lote.trimmed().isEmpty()
                                 ? QStringLiteral(" AND V_mv_Stock_Dravelo.nrolote is null AND ")
                                 : QStringLiteral(" AND V_mv_Stock_Dravelo.nrolote=") + texto(db, g.lote)
                                       + QStringLiteral("   AND ");
        db::Recordset rs;
        db.AbrirRecordset(QStringLiteral("Select * from V_mv_Stock_Dravelo where V_mv_Stock_Dravelo.IDARTICULO=")
                              + texto(db, g.articulo) + lote + condicion(db, comprobante)
                              + QStringLiteral(" and not idposicion is null"),
                          rs);
        if (rs.State() == db::state::Closed)
            break;
        if (rs.Eof())
            continue;
        LineaReabierta l;
        l.TC = lang::text(rs.value(QStringLiteral("TC")));
        l.Sucursal = lang::text(rs.value(QStringLiteral("Sucursal")));
        l.Numero = lang::text(rs.value(QStringLiteral("Numero")));
        l.Letra = lang::text(rs.value(QStringLiteral("Letra")));
        l.IdArticulo = g.articulo;
        l.NroLote = g.lote;
        l.Descripcion = g.descripcion;
        l.IdUnidadBase = lang::text(rs.value(QStringLiteral("IdUnidadBase")));
        l.Cantidades = QStringLiteral("|");
        l.Posiciones = QStringLiteral("|");
        while (!rs.Eof()) {
            const QVariant cantidad = rs.value(QStringLiteral("Cantidad"));
            l.Cantidades += lang::text(cantidad) + u'|';
            l.Posiciones += lang::text(rs.value(QStringLiteral("IdPosicion"))) + u'|';
            l.Cantidad += Currency::fromText(lang::text(cantidad));
            rs.MoveNext();
        }
        db.CierraRecordset(rs);
        lineas.push_back(l);
    }
    return lineas;
}

namespace {

QString insercion(DB_Dll& db, const LineaReabierta& l)
{
    const QString suma = db.SQLValue(l.Cantidad.toString(), QStringLiteral("@"));
    const QStringList valores{texto(db, l.TC),          texto(db, l.Sucursal),     texto(db, l.Numero),
                              texto(db, l.Letra),       texto(db, l.IdArticulo),   texto(db, l.NroLote),
                              texto(db, l.Descripcion), texto(db, l.IdUnidadBase), suma,
                              suma,                     texto(db, l.Cantidades),   texto(db, l.Posiciones)};
    return QStringLiteral("INSERT INTO Aux_V_MV_STOCK_DRAVELO ")
           + QStringLiteral("(TC,SUCURSAL,NUMERO,LETRA,IDARTICULO,NROLOTE,DESCRIPCION,IDUNIDADBASE,"
                            "CANTIDAD,CANTIDADatransferir,CANTIDADES,POSICIONES)")
           + QStringLiteral("VALUES(") + valores.join(u',') + u')';
}

}  // namespace

QStringList SentenciasReapertura(DB_Dll& db, const ComprobanteTransferencia& comprobante,
                                 const std::vector<LineaReabierta>& lineas)
{
    QStringList sentencias;
    sentencias << QStringLiteral("DELETE FROM Aux_V_MV_STOCK_DRAVELO WHERE ") + condicion(db, comprobante);
    for (const LineaReabierta& l : lineas)
        sentencias << insercion(db, l);
    return sentencias;
}

QStringList SentenciasRecargaLinea(DB_Dll& db, const ComprobanteTransferencia& comprobante,
                                   const LineaTransferencia& linea)
{
    QStringList sentencias{SentenciaBorraLineaTrabajo(db, comprobante, linea)};
    for (const LineaReabierta& l : LeeLineasReabiertas(db, comprobante))
        if (lang::sameText(l.IdArticulo.trimmed(), linea.IdArticulo.trimmed())
            && lang::sameText(l.NroLote.trimmed(), linea.NroLote.trimmed()))
            sentencias << insercion(db, l);
    return sentencias;
}

QString SqlGrillaReapertura(DB_Dll& db, const ComprobanteTransferencia& comprobante)
{
    return QStringLiteral("Select IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadBase AS "
                          "idUnidadArticulo,Cantidad,CantidadATransferir as Transferir, Cantidades, Posiciones,id "
                          "From Aux_V_MV_STOCK_DRAVELO where ")
           + condicion(db, comprobante);
}
