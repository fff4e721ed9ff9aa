#include "Configuracion.h"

#include "CarpetasPrograma.h"
#include "DB_Dll.h"
#include "Globals.h"
#include "Objetos.h"

#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

namespace {

bool esSi(const QString& valor)
{
    return lang::sameText(valor, u"SI");
}

// A colour setting: the amount it holds, rounded to a whole number.
std::int32_t color(const QString& valor)
{
    return lang::toInt32(ObjUtilidades().TextoAMoneda(valor).toDouble());
}

}  // namespace

QString Cfg(const QString& Clave)
{
    QString resultado;
    QString sql;
    db::Recordset rs;
    DB_Dll& db = ObjDB();
    const bool completo = ErrorTrap([](const RuntimeError& e) {
                              return ObjUtilidades().MuestraError(e, {}, QStringLiteral("Cfg")) == prompt::ErrorGoOn
                                         ? ErrorTrap::Resume::Next
                                         : ErrorTrap::Resume::Leave;
                          }).run({
        [&] {
            if (TablaConfiguracion.trimmed().isEmpty())
                TablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
        },
        [&] {
            sql = QStringLiteral("SELECT VALOR FROM ") + TablaConfiguracion + QStringLiteral(" WHERE CLAVE = ")
                  + db.SQLValue(Clave.trimmed());
        },
        [&] {
            const QString clave = Clave.trimmed();
            if (lang::sameText(clave, u"[FECHA HASTA]") || lang::sameText(clave, u"[FECHA DESDE]"))
                sql = sql.toUpper();
        },
        [&] { db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, true); },
        [&] {
            resultado = rs.Eof() ? QStringLiteral(" ")
                                 : lang::text(ObjUtilidades().ValorNoNulo(rs.value(QStringLiteral("Valor"))));
        },
        [&] { db.CierraRecordset(rs); },
    });
    return completo ? resultado : QString();
}

bool EsVerdadero(const QString& Texto)
{
    const QString t = Texto.toUpper();
    return !(t == u"FALSE" || t == u"FALSO" || t == u"0" || t == u"NO" || t == u"N");
}

void CargaConfiguracion(const QString& RutaAplicacion)
{
    KumozenUtilidades& util = ObjUtilidades();
    TablaConfiguracion = QStringLiteral("ta_configuracion");
    MostrarStockenConsultas = esSi(Cfg(QStringLiteral("MostrarStockenConsultas")));
    TituloClientes = Cfg(QStringLiteral("TituloClientes")).trimmed();
    TituloProveedores = Cfg(QStringLiteral("TituloProveedores")).trimmed();
    RutaDocTareas = RutaArchivoPrograma(RutaAplicacion, QStringLiteral("VRDOCTareas.vtl"));
    ExigeClaveConsultaLikeArticulos = esSi(Cfg(QStringLiteral("EXIGECLAVECONSULTALIKEARTICULOS")));
    UsaConsultaLike = esSi(Cfg(QStringLiteral("UsaConsultaLike")));
    CantidadDecimales = Cfg(QStringLiteral("CantidadDecimales"));
    UsaMultilesMonedas = esSi(Cfg(QStringLiteral("UsaMultilesMonedas")));
    UsaFacturaProforma = esSi(Cfg(QStringLiteral("UsaFacturaProforma")));
    UsaCCosto = esSi(Cfg(QStringLiteral("USACCOSTO")));

    const QString unidad = lang::text(util.ValorNoNulo(ObjDB().DatosTabla(
        QStringLiteral("ta_usuarios"), UsuarioLogeado, QStringLiteral("UNegocio"), QStringLiteral("nombre"))));
    UnidadNegocio = unidad.trimmed().isEmpty() ? QStringLiteral("   1") : util.AlineaDerecha(unidad, 4);

    UnidadMedidaM3 = Cfg(QStringLiteral("UNIDADDEMEDIDA_M3")).trimmed();
    UnidadMedidaBL = Cfg(QStringLiteral("UNIDADDEMEDIDA_BL")).trimmed();
    UnidadMedidaKG = Cfg(QStringLiteral("UNIDADDEMEDIDA_KG")).trimmed();

    // A period that is missing, blank or no 16-bit number reads as 0, so that
    // the settings after it still load.
    try {
        Periodo = lang::toInt16(lang::leadingNumber(Cfg(QStringLiteral("PERIODO")).trimmed()));
    } catch (const RuntimeError&) {
        Periodo = 0;
    }

    ValidaCodigoBarra = esSi(Cfg(QStringLiteral("VALIDACODIGOBARRA")).trimmed());
    ColorFondo = color(Cfg(QStringLiteral("CFondo")));
    ColorLetra = color(Cfg(QStringLiteral("CLetra")));
    if (ColorFondo == 0)
        ColorFondo = 16776960;
    ModuloOrdenDeTrabajo = !lang::sameText(Cfg(QStringLiteral("ModuloOrdenDeTrabajo")).trimmed(), u"NO");
}
