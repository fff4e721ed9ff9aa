#include "ReporteAsignacionUbicacion.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "platform/Value.h"
#include "platform/db/Literals.h"
#include "platform/kumozen/KumozenUtilidades.h"
#include "platform/report/ReportCatalog.h"

#include <QDateTime>
#include <optional>

namespace {

std::optional<QDateTime> fecha(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().startOfDay();
    return db::parseDateTime(lang::text(value));
}

report::Heading encabezado(const report::Formulas& formulas, const report::Rows& rows)
{
    report::Heading h;
    h.company << formulas.value(QStringLiteral("NombreEmpresa")) << formulas.value(QStringLiteral("Direccion"))
              << formulas.value(QStringLiteral("Localidad"));
    h.title = QStringLiteral("Asignacion de Posiciones");
    if (rows.empty())
        return h;

    const auto texto = [&](std::size_t r, const char* field) {
        return lang::text(rows.value(r, QLatin1String(field))).trimmed();
    };
    const QString comprobante = QStringLiteral("%1 %2-%3-%4").arg(texto(0, "TC"), texto(0, "SUCURSAL"),
                                                                  texto(0, "NUMERO"), texto(0, "LETRA"));
    h.details << QStringLiteral("Comprobante: ") + comprobante;
    h.caption = h.title + QStringLiteral(" - Comprobante ") + comprobante;

    // Lines saved on later days keep the voucher's first date.
    std::optional<QDateTime> primera;
    QStringList depositos;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto f = fecha(rows.value(r, QStringLiteral("FECHA")));
        if (f && (!primera || *f < *primera))
            primera = f;
        const QString deposito = texto(r, "IDDEPOSITO");
        if (!deposito.isEmpty() && !depositos.contains(deposito, Qt::CaseInsensitive))
            depositos << deposito;
    }
    h.details << QStringLiteral("Fecha: %1").arg(primera ? primera->toString(QStringLiteral("dd/MM/yyyy")) : QString());
    h.details << QStringLiteral("Deposito: %1").arg(depositos.join(QStringLiteral(", ")));
    return h;
}

}  // namespace

FormulasReporte FormulasReporteAsignacionUbicacion()
{
    const QString direccion = Cfg(QStringLiteral("CALLE")) + QStringLiteral(" ") + Cfg(QStringLiteral("NUMERO")) +
                              QStringLiteral(" ") + Cfg(QStringLiteral("PISO"));
    return {
        QStringLiteral("NombreEmpresa = ") + db::quoteText(Cfg(QStringLiteral("NOMBRE"))),
        QStringLiteral("Direccion = ") + db::quoteText(direccion),
        QStringLiteral("Localidad = ") + db::quoteText(Cfg(QStringLiteral("LOCALIDAD"))),
    };
}

QString FormulaSeleccionAsignacionUbicacion(const QString& Sucursal, const QString& Numero, const QString& Letra)
{
    const KumozenUtilidades u;
    return QStringLiteral("{V_MV_Stock_DRAVELO.TC} ='TRP'") +
           QStringLiteral(" and {V_MV_Stock_DRAVELO.sucursal} =") + db::quoteText(u.AlineaDerecha(Sucursal, 4)) +
           QStringLiteral(" and {V_MV_Stock_DRAVELO.numero} =") + db::quoteText(u.AlineaDerecha(Numero, 8)) +
           QStringLiteral(" and {V_MV_Stock_DRAVELO.letra} =") + db::quoteText(Letra) +
           QStringLiteral(" and  not isnull({V_MV_Stock_DRAVELO.idposicion}) ");
}

report::Definition ReporteAsignacionUbicacion()
{
    report::Definition d;
    d.name = NombreReporteAsignacionUbicacion;
    d.source = QStringLiteral(
        "SELECT V_MV_STOCK_DRAVELO.TC, V_MV_STOCK_DRAVELO.SUCURSAL, V_MV_STOCK_DRAVELO.NUMERO, "
        "V_MV_STOCK_DRAVELO.LETRA, V_MV_STOCK_DRAVELO.FECHA, V_MV_STOCK_DRAVELO.IDDEPOSITO, "
        "V_MV_STOCK_DRAVELO.IDPOSICION, V_MV_STOCK_DRAVELO.IDARTICULO, V_MA_ARTICULOS.DESCRIPCION, "
        "V_MV_STOCK_DRAVELO.NROLOTE, V_MV_STOCK_DRAVELO.IDUNIDADBASE, V_MV_STOCK_DRAVELO.CANTIDAD "
        "FROM V_MV_STOCK_DRAVELO LEFT JOIN V_MA_ARTICULOS "
        "ON V_MA_ARTICULOS.IDARTICULO = V_MV_STOCK_DRAVELO.IDARTICULO");
    d.orderBy = QStringLiteral("V_MV_STOCK_DRAVELO.IDPOSICION, V_MV_STOCK_DRAVELO.IDARTICULO, "
                               "V_MV_STOCK_DRAVELO.NROLOTE, V_MV_STOCK_DRAVELO.ID");
    d.columns = {
        {QStringLiteral("Posicion"), QStringLiteral("IDPOSICION"), false, 2},
        {QStringLiteral("Articulo"), QStringLiteral("IDARTICULO"), false, 3},
        {QStringLiteral("Descripcion"), QStringLiteral("DESCRIPCION"), false, 6},
        {QStringLiteral("Lote"), QStringLiteral("NROLOTE"), false, 2},
        {QStringLiteral("Unidad"), QStringLiteral("IDUNIDADBASE"), false, 2},
        {QStringLiteral("Cantidad"), QStringLiteral("CANTIDAD"), true, 2},
    };
    d.totalField = QStringLiteral("CANTIDAD");
    d.totalCaption = QStringLiteral("Total");
    // A voucher's lines may be in different units: a total per unit.
    d.totalByField = QStringLiteral("IDUNIDADBASE");
    d.heading = encabezado;
    return d;
}

void RegistraReportes()
{
    report::catalog().add(ReporteAsignacionUbicacion());
    report::catalog().setConnection([] { return &ObjDB().gCnn(); });
}
