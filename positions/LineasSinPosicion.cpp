#include "LineasSinPosicion.h"

#include "core/DB_Dll.h"
#include "platform/kumozen/KumozenUtilidades.h"

QString SqlLineasSinPosicion(DB_Dll& db, const QString& deposito, const QString& sucursalIR,
                             const QString& numeroIR, const QString& letraIR)
{
    const QString columnas = QStringLiteral(
        "SELECT IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,CantidadATransferir "
        "as Transferir, Cantidades, Posiciones,id from ");
    const QString condicionDeposito =
        QStringLiteral(" where iddeposito=") + db.SQLValue(KumozenUtilidades().AlineaDerecha(deposito.trimmed(), 4));
    if (!sucursalIR.isEmpty() && !numeroIR.isEmpty() && !letraIR.isEmpty())
        return columnas + QStringLiteral("Stk_Dravelo_Sin_asignar_ir") + condicionDeposito
               + QStringLiteral(" and tc='IR' and idcomprobante=") + db.SQLValue(sucursalIR + numeroIR + letraIR);
    return columnas + QStringLiteral("Stk_Dravelo_Sin_Asignar") + condicionDeposito + QStringLiteral(" and Cantidad > 0");
}
