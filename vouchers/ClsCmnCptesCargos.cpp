// The voucher picker, the charges applied to an account, and the vouchers
// issued from a voucher.
#include "vouchers/ClsCmnCptes.h"

#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/Value.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <memory>

namespace {

// The vouchers issued from a voucher: its type as types are stored
// (right-justified to 4) and its id, both trimmed.
QString hijosDe(const QString& TC, const QString& SucNroLetra)
{
    DB_Dll& db = ObjDB();
    return QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TCORIGEN = ")
         + db.SQLValue(ObjUtilidades().AlineaDerecha(TC.trimmed(), 4)) + QStringLiteral(" AND COMPROBANTEORIGEN = ")
         + db.SQLValue(SucNroLetra.trimmed());
}

}  // namespace

void ClsCmnCptes::ConsultaComprobante(const QString& TC, QString& Respuesta, const QString& Filtro,
                                      QString& IdComplemento, QString& Proveedor) const
{
    std::unique_ptr<DialogoConsComprobantes> frm;
    const auto picker = [&frm]() -> DialogoConsComprobantes& { return DialogoAbierto(frm); };
    ErrorTrap::showing(QStringLiteral("ConsultaComprobante")).run({
        [&] {
            if (EnlaceDialogosComprobante* enlace = EnlaceDialogosComprobanteRegistrado())
                frm = enlace->FrmConsComprobantes();
            picker();
        },
        [&] { picker().TC = TC; },
        [&] { picker().Filtro = Filtro; },
        [&] { picker().NroComprobante = QString(); },
        [&] { picker().Form_Load(); },
        [&] { picker().MuestraModal(); },
        [&] { Respuesta = picker().NroComprobante; },
        [&] { IdComplemento = picker().IdComplemento; },
        [&] { Proveedor = picker().Proveedor; },
        // The next request starts from a fresh picker.
        [&] { frm.reset(); },
    });
}

Currency ClsCmnCptes::ImporteCargosReales(const QString& Cuenta) const
{
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    db::Recordset rs;
    Currency importe;
    ErrorTrap::showing(QStringLiteral("ImporteCargosReales@")).run({
        [&] {
            db.AbrirRecordset(QStringLiteral("SELECT SUM (SALDO) AS IMPORTE FROM V_MV_CargosAplicados WHERE CUENTA = ")
                                  + db.SQLValue(Cuenta.trimmed()),
                              rs);
        },
        [&] { importe = util.TextoAMoneda(util.ValorNoNulo(rs.value(QStringLiteral("Importe")))); },
        [&] { db.CierraRecordset(rs); },
    });
    return importe;
}

void ClsCmnCptes::ControlDeCargosReales(FormularioCargosReales& FrmCtrlCargosReales, const QString& Cliente,
                                        const QString& Matricula) const
{
    FrmCtrlCargosReales.setCliente(Cliente);
    FrmCtrlCargosReales.setMatricula(Matricula);
    prompts().showModal(FrmCtrlCargosReales.Formulario());
}

bool ClsCmnCptes::EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra,
                                                  const QString& Complemento, bool TenerEnCuentaAnulados) const
{
    DB_Dll& db = ObjDB();
    QString sql = hijosDe(TC, SucNroLetra) + QStringLiteral(" AND COMPLEMENTOORIGEN = ") + db.SQLValue(Complemento)
                + u' ';
    if (!TenerEnCuentaAnulados)
        sql += QStringLiteral(" AND ANULADA = 0");
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    const bool relacionado = !rs.Eof();
    db.CierraRecordset(rs);
    return relacionado;
}

Currency ClsCmnCptes::ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra) const
{
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    db::Recordset rs;
    db.AbrirRecordset(hijosDe(TC, SucNroLetra) + QStringLiteral(" AND ANULADA = 0"), rs);
    Currency total;
    for (; !rs.Eof(); rs.MoveNext())
        total += util.TextoAMoneda(util.ValorNoNulo(rs.value(QStringLiteral("Importe"))));
    db.CierraRecordset(rs);
    return total;
}
