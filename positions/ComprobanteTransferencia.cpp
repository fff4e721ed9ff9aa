#include "ComprobanteTransferencia.h"

#include "core/DB_Dll.h"
#include "platform/Value.h"

ComprobanteTransferencia ProximoComprobanteTRP(std::int32_t ultimoNumero)
{
    return {QStringLiteral("0001"), QStringLiteral("%1").arg(ultimoNumero + 1, 8, 10, QLatin1Char('0')),
            QStringLiteral("X")};
}

bool UltimoNumeroTRP(DB_Dll& db, bool bloqueando, std::int32_t& ultimo)
{
    const bool sqlServer = db.gCnn().dialect() == db::Dialect::SqlServer;
    const QString tabla = bloqueando && sqlServer ? QStringLiteral("V_MV_STOCK_DRAVELO WITH (UPDLOCK, HOLDLOCK)")
                                                  : QStringLiteral("V_MV_STOCK_DRAVELO");
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT TOP 1 CONVERT(INT,NUMERO) AS NUMERO FROM ") + tabla
                          + QStringLiteral(" WHERE TC='TRP' ORDER BY NUMERO DESC"),
                      rs);
    if (rs.State() == db::state::Closed)
        return false;
    ultimo = rs.Eof() ? 0 : lang::toInt32(lang::number(rs.value(QStringLiteral("Numero"))));
    db.CierraRecordset(rs);
    return true;
}

QString SentenciaComprobanteTRP(DB_Dll& db, const ComprobanteTransferencia& c)
{
    return QStringLiteral("Select * from v_mv_stock_dravelo where sucursal=") + db.SQLValue(c.Sucursal)
           + QStringLiteral(" and numero=") + db.SQLValue(c.Numero) + QStringLiteral(" and letra=")
           + db.SQLValue(c.Letra) + QStringLiteral(" and tc='TRP'");
}

QString SentenciaDepositoDelUsuario(DB_Dll& db, const QString& usuario)
{
    return QStringLiteral("Select top 1 v_ta_deposito.iddeposito from v_ta_deposito inner join ta_usuarios on "
                          "v_ta_deposito.unidadnegocio =ta_usuarios.unegocio where ta_usuarios.nombre=")
           + db.SQLValue(usuario, QStringLiteral("'"));
}

QString SentenciaConsultaDepositos(DB_Dll& db, const QString& usuario)
{
    return QStringLiteral("Select v_ta_deposito.descripcion,  v_ta_deposito.iddeposito from v_ta_deposito inner join "
                          "ta_usuarios on v_ta_deposito.unidadnegocio =ta_usuarios.unegocio where ta_usuarios.nombre=")
           + db.SQLValue(usuario, QStringLiteral("'")) + QStringLiteral(" order by descripcion");
}
