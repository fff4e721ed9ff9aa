#include "voucher_dialogs/ConsultaComprobantes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/Value.h"

const QStringList GrupoOT = {QStringLiteral("OT"), QStringLiteral("FC"),   QStringLiteral("RM"),
                             QStringLiteral("ND"), QStringLiteral("NC"),   QStringLiteral("NCFP"),
                             QStringLiteral("OP"), QStringLiteral("NP"),   QStringLiteral("FP"),
                             QStringLiteral("GF")};
const QStringList GrupoFCC = {QStringLiteral("FCC"), QStringLiteral("NCC"),  QStringLiteral("NCCP"),
                              QStringLiteral("NDC"), QStringLiteral("RMC"),  QStringLiteral("NCPE"),
                              QStringLiteral("NDPR")};
const QStringList GrupoCompras = {QStringLiteral("FCC"), QStringLiteral("NCC"), QStringLiteral("NCCP"),
                                  QStringLiteral("NDC"), QStringLiteral("RMC")};
const QStringList GrupoAsientos = {QStringLiteral("NCPE"), QStringLiteral("NDPR")};

bool EsDelGrupo(const QString& TC, const QStringList& grupo)
{
    return grupo.contains(TC, Qt::CaseInsensitive);
}

bool EsTipo(const QString& TC, const char* tipo)
{
    return lang::sameText(TC, QString::fromLatin1(tipo));
}

TipoConsulta MapeaSeudoTipo(const QString& TC)
{
    static const struct {
        const char* seudo;
        const char* base;
        bool soloPendientes;
    } seudoTipos[] = {
        {"RM/PENDIENTES", "RM", true},
        {"NP/PENDIENTES", "NP", true},
        {"OT/PENDIENTES", "OT", true},
        {"RM/PENDIENTES_COMPRAS", "RMC", true},
        {"PR/PENDIENTES", "PR", true},
        // Advances are listed as the invoices they are.
        {"FC/ANTICIPOS", "FC", false},
    };
    for (const auto& s : seudoTipos)
        if (EsTipo(TC, s.seudo))
            return {QLatin1String(s.base), s.soloPendientes};
    return {TC, false};
}

namespace {

bool esSI(const QString& clave)
{
    return lang::sameText(Cfg(clave), u"SI");
}

}  // namespace

QString SentenciaComprobantes(const QString& TC, bool SoloPendientes, const QString& Filtro)
{
    // The kind as voucher types are stored: trimmed, right-justified to 4.
    const QString K = ObjDB().SQLValue(ObjUtilidades().AlineaDerecha(TC.trimmed(), 4));
    const bool conFiltro = !Filtro.trimmed().isEmpty();
    const QString F = Filtro;
    const auto tipo = [&](const char* t) { return EsTipo(TC, t); };

    if (tipo("RMC") && SoloPendientes) {
        const QString cabeza = QStringLiteral(
            " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = ");
        return conFiltro ? cabeza + K + QStringLiteral(" AND ") + F + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC")
                         : cabeza + K + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    }
    if (tipo("RM") && SoloPendientes) {
        const QString columnas =
            QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM ");
        const QString pendientes = columnas + QStringLiteral("V_RemitosPendientes WHERE TC = ");
        const QString cabeceras = columnas + QStringLiteral("V_MV_CPTE WHERE TC = ");
        const bool contado = esSI(QStringLiteral("UsaRemitoContado"));
        if (conFiltro)
            return contado ? pendientes + K + QStringLiteral(" AND ") + F + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC")
                           : cabeceras + K + QStringLiteral(" AND ") + F
                                 + QStringLiteral("  AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
        if (contado && !esSI(QStringLiteral("EntregaParcialRemito")))
            return pendientes + K + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
        return cabeceras + K + QStringLiteral(" AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
    }
    if (tipo("T3"))
        return QStringLiteral("SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO");
    if (EsDelGrupo(TC, GrupoAsientos)) {
        const QString cabeza = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = ");
        return conFiltro ? cabeza + K + QStringLiteral(" AND ") + F
                               + QStringLiteral(" ORDER BY SUCURSAL, NUMERO, LETRA DESC ")
                         : cabeza + K + QStringLiteral(" ORDER BY SUCURSAL, NUMERO, LETRA DESC");
    }
    if (EsDelGrupo(TC, GrupoCompras)) {
        const QString cabeza = QStringLiteral("SELECT * FROM C_MV_CPTE WHERE TC = ");
        return conFiltro ? cabeza + K + QStringLiteral(" AND ") + F + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC ")
                         : cabeza + K + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    }
    if (tipo("OT")) {
        // The plain work-order list reads the pending view too.
        const QString cabeza =
            SoloPendientes
                ? QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento,ID,FECHA, "
                                 "Importe FROM V_OT_Pendientes WHERE TC = ")
                : QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, "
                                 "Importe FROM V_OT_Pendientes WHERE TC = ");
        if (conFiltro)
            return cabeza + K + QStringLiteral(" AND ") + F + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
        return SoloPendientes ? cabeza + K + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC")
                              : cabeza + K + QStringLiteral(" ") + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    }
    if (tipo("NP") && SoloPendientes) {
        const QString cabeza = QStringLiteral(
            " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = ");
        return conFiltro ? cabeza + K + QStringLiteral(" AND ") + F
                               + QStringLiteral(" AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC")
                         : cabeza + K + QStringLiteral(" AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
    }
    if (tipo("PR") && SoloPendientes) {
        const QString columnas = QStringLiteral(
            " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM ");
        if (conFiltro)
            return columnas + QStringLiteral("V_MV_CPTE WHERE TC = ") + K + QStringLiteral(" AND APROBADO = 1 AND ") + F
                 + QStringLiteral(" AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
        return columnas + QStringLiteral("V_PR_PENDIENTES WHERE TC = ") + K + QStringLiteral(" AND APROBADO = 1")
             + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    }
    if (tipo("OC")) {
        // This statement's column is FINALIZADO; the filter goes in with its
        // blanks, and its AND only when it holds more than blanks.
        return QStringLiteral(" SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, "
                              "comentarios, Garantia FROM C_MV_CPTE WHERE TC = ")
             + K + QStringLiteral(" AND (APROBADO = 1) AND (FINALIZADO = 0)")
             + (conFiltro ? QStringLiteral(" AND ") : QString()) + F + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    }
    const QString cabeza = QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = ");
    return conFiltro ? cabeza + K + QStringLiteral(" AND ") + F
                           + QStringLiteral(" ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ")
                     : cabeza + K + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
}

std::vector<ColumnaComprobante> ColumnasComprobantes(const QString& TC, bool UsaReferencia)
{
    using C = ColumnaComprobante;
    const C referencia{QStringLiteral("Referencia"), 21};
    if (EsDelGrupo(TC, GrupoOT)) {
        std::vector<C> c = {{QStringLiteral("FECHA"), 13}, {QStringLiteral("COMPROBANTE"), 15},
                            {QStringLiteral("ID"), 5}, {QStringLiteral("NOMBRE"), 21}};
        if (UsaReferencia)
            c.push_back(referencia);
        c.push_back({QStringLiteral("IMPORTE"), 10});
        return c;
    }
    if (EsDelGrupo(TC, GrupoFCC))
        return {{QStringLiteral("FECHA"), 13},  {QStringLiteral("COMPROBANTE"), 15}, {QStringLiteral("PROVEEDOR"), 15},
                {QStringLiteral("NOMBRE"), 21}, {QStringLiteral("CONCEPTO"), 21},    {QStringLiteral("IMPORTE"), 10}};
    if (EsTipo(TC, "PR")) {
        std::vector<C> c = {{QStringLiteral("FECHA"), 13}, {QStringLiteral("COMPROBANTE"), 15},
                            {QStringLiteral("NOMBRE"), 21}, {QStringLiteral("ID"), 5}};
        if (UsaReferencia)
            c.push_back(referencia);
        c.push_back({QStringLiteral("IMPORTE"), 10});
        return c;
    }
    if (EsTipo(TC, "T3"))
        return {{QStringLiteral("Nº Int."), 7}, {QStringLiteral("FECHA"), 13},   {QStringLiteral("COMPROBANTE"), 15},
                {QStringLiteral("ID"), 4},       {QStringLiteral("FH Envio"), 10}, {QStringLiteral("FH Recep"), 10}};
    if (EsTipo(TC, "OC"))
        return {{QStringLiteral("FECHA"), 13},      {QStringLiteral("PROVEEDOR"), 13},
                {QStringLiteral("COMPROBANTE"), 17}, {QStringLiteral("IMPORTE"), 9},
                {QStringLiteral("COMENTARIOS"), 15}, {QStringLiteral("Inf. Recepción"), 15}};
    return {{QStringLiteral("FECHA"), 13},  {QStringLiteral("COMPROBANTE"), 15}, {QStringLiteral("CUENTA"), 15},
            {QStringLiteral("NOMBRE"), 21}, {QStringLiteral("CONCEPTO"), 21},    {QStringLiteral("IMPORTE"), 10}};
}
