// Counting the lines of a voucher: the printed form's line limit, the item
// counts, and the current line shown in the status bar.
#include "vouchers/ClsCmnCptes.h"

#include "core/ImpresoraComprobante.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "platform/RuntimeError.h"
#include "platform/StatusBar.h"
#include "platform/Value.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/LineasGrilla.h"
#include "vouchers/NumeroCelda.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

namespace {

const QString kArchivoImpresoras = QStringLiteral("PRINTERS.PRN");

// PRINTERS.PRN in the program's folder, whatever the case of its name; an
// empty path when there is no such file.
QString archivoImpresoras()
{
    const QString carpeta = ObjUtilidades().AgregaBarra(host().programFolder());
    if (QFileInfo(carpeta + kArchivoImpresoras).isFile())
        return carpeta + kArchivoImpresoras;
    const QFileInfoList hallados = QDir(carpeta).entryInfoList({kArchivoImpresoras}, QDir::Files, QDir::Name);
    return hallados.isEmpty() ? QString() : hallados.first().filePath();
}

// Adds one to a counter of the given width, failing with the overflow error
// past its range.
template <typename Contador>
void suma(Contador& contador, double cuanto = 1)
{
    const double total = static_cast<double>(contador) + cuanto;
    if (total > std::numeric_limits<Contador>::max() || total < std::numeric_limits<Contador>::min())
        throw RuntimeError::overflow();
    contador = static_cast<Contador>(total);
}

}  // namespace

std::int16_t ClsCmnCptes::LineasDelFormulario(const QString& TC, const QString& Letra, std::int16_t CantLineas,
                                              std::int16_t& LineasAnteriores)
{
    const QString archivo = archivoImpresoras();
    if (archivo.isEmpty())
        return 0;
    // Kept per type and letter: a check for another voucher reads its own
    // limit, and a caller that keeps no count of its own is still limited.
    const QDateTime fecha = QFileInfo(archivo).lastModified();
    const QString clave = TC.toUpper() + u'\n' + Letra.toUpper();
    const auto leidas = FechaImpresoras.find(clave);
    if (leidas != FechaImpresoras.end() && leidas->second.fecha == fecha)
        return leidas->second.lineas;
    QString impresora;
    std::int16_t copias = 0;
    QString destino;
    QString usuario;
    ObtieneImpresoraComprobante(TC, Letra, impresora, copias, CantLineas, destino, usuario);
    FechaImpresoras[clave] = {fecha, CantLineas};
    LineasAnteriores = CantLineas;
    return CantLineas;
}

bool ClsCmnCptes::ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, const FlexGrid* MSFlexGrid1,
                                           const FlexGrid* MSFlexGrid2, const FlexGrid* MSFlexGrid3,
                                           std::int16_t& CantLineas, std::int16_t& CantLineasUsadas,
                                           std::int32_t Agragarle, std::int16_t& LineasAnteriores)
{
    bool caben = false;
    ErrorTrap::showing(QStringLiteral("ValidaCantidadLineasCpte")).run({
        [&] {
            if (LineasAnteriores != -1)
                CantLineas = LineasDelFormulario(TC, Letra, CantLineas, LineasAnteriores);
        },
        [&] {
            if (CantLineas == 0) {
                caben = true;
                return;
            }
            CantLineasUsadas = 0;
            for (const FlexGrid* grilla : {MSFlexGrid1, MSFlexGrid2, MSFlexGrid3})
                if (grilla)
                    RecorreLineas(*grilla, [&](int) { suma(CantLineasUsadas); });
            caben = static_cast<std::int32_t>(CantLineasUsadas) + Agragarle <= CantLineas;
        },
    });
    return caben;
}

bool ClsCmnCptes::ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, const FlexGrid* MSFlexGrid1,
                                           const FlexGrid* MSFlexGrid2, const FlexGrid* MSFlexGrid3,
                                           std::int32_t Agragarle)
{
    std::int16_t cantLineas = 0;
    std::int16_t usadas = 0;
    std::int16_t anteriores = 0;
    return ValidaCantidadLineasCpte(TC, Letra, MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, cantLineas, usadas, Agragarle,
                                    anteriores);
}

std::int32_t ClsCmnCptes::CuentaItems(const FlexGrid* MSFlexGrid1, const FlexGrid* MSFlexGrid2,
                                      const FlexGrid* MSFlexGrid3, std::int32_t& CantTareas,
                                      std::int32_t& CantArticulos, std::int32_t& CantOtrosConceptos,
                                      std::int32_t& TotUnidades) const
{
    CantTareas = 0;
    CantArticulos = 0;
    CantOtrosConceptos = 0;
    TotUnidades = 0;
    std::int32_t items = 0;
    const bool completo = ErrorTrap::showing(QStringLiteral("CuentaItems")).run({
        [&] {
            if (MSFlexGrid1)
                RecorreLineas(*MSFlexGrid1, [&](int) { suma(CantTareas); });
        },
        [&] {
            if (!MSFlexGrid2)
                return;
            RecorreLineas(*MSFlexGrid2, [&](int fila) {
                suma(CantArticulos);
                // Rounded after each line, as the total has always been kept.
                const QString cantidad = MSFlexGrid2->TextMatrix(fila, ColArticulos::Cant).trimmed();
                TotUnidades = lang::toInt32(TotUnidades + ImporteCelda(cantidad).toDouble());
            });
        },
        [&] {
            if (MSFlexGrid3)
                RecorreLineas(*MSFlexGrid3, [&](int) { suma(CantOtrosConceptos); });
        },
        [&] {
            items = CantTareas;
            suma(items, CantArticulos);
            suma(items, CantOtrosConceptos);
        },
    });
    return completo ? items : 0;
}

std::int32_t ClsCmnCptes::CuentaItems(const FlexGrid* MSFlexGrid1, const FlexGrid* MSFlexGrid2,
                                      const FlexGrid* MSFlexGrid3) const
{
    std::int32_t tareas = 0;
    std::int32_t articulos = 0;
    std::int32_t otros = 0;
    std::int32_t unidades = 0;
    return CuentaItems(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, tareas, articulos, otros, unidades);
}

void ClsCmnCptes::MuestraDetalle(const QString& Detalle, StatusBar& StatB, std::int32_t Columna) const
{
    StatB.Panels()(Columna).setText(Detalle);
}

namespace {

// "code - description" of the grid's current line; false when the grid has
// no such cells.
bool codigoYDescripcion(const FlexGrid& grilla, QString& detalle)
{
    QString codigo;
    QString descripcion;
    if (!LeeCelda(grilla, grilla.Row(), 0, codigo) || !LeeCelda(grilla, grilla.Row(), 1, descripcion))
        return false;
    detalle = codigo.trimmed() + QStringLiteral(" - ") + descripcion.trimmed();
    return true;
}

}  // namespace

void ClsCmnCptes::MuestraDetalleTareas(const FlexGrid& MSFlexGrid1, StatusBar& StatB) const
{
    QString detalle;
    if (codigoYDescripcion(MSFlexGrid1, detalle))
        MuestraDetalle(detalle, StatB);
}

void ClsCmnCptes::MuestraDetalleArticulos(const FlexGrid& MSFlexGrid2, StatusBar& StatB, std::int32_t Columna) const
{
    ErrorTrap::skipping().run({
        [&] {
            QString detalle;
            if (codigoYDescripcion(MSFlexGrid2, detalle))
                MuestraDetalle(detalle, StatB, Columna);
        },
        [&] {
            QString disponible;
            StatusPanel* panel = StatB.Panels().find(QStringLiteral("Stock"));
            if (panel && LeeCelda(MSFlexGrid2, MSFlexGrid2.Row(), ColArticulos::AuxStockDisponible, disponible))
                panel->setText(QStringLiteral("Stock: ") + TextoCelda(NumeroCelda(disponible)));
        },
    });
}

void ClsCmnCptes::MuestraDetalleOtrosConceptos(const FlexGrid& MSFlexGrid3, StatusBar& StatB) const
{
    QString detalle;
    if (LeeCelda(MSFlexGrid3, MSFlexGrid3.Row(), ColOtrosConceptos::Detalle, detalle))
        MuestraDetalle(detalle.trimmed(), StatB);
}
