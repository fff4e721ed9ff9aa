// The control totals of a voucher in the totals grid, and the painting of a
// grid's rows and columns.
#include "vouchers/ClsCmnCptes.h"

#include "core/DB_Dll.h"
#include "core/Formatos.h"
#include "core/Listas.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/TabStrip.h"
#include "platform/Value.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/LineasGrilla.h"
#include "vouchers/NumeroCelda.h"

namespace {

// Back colours of the totals grid, as the grid takes them (0x00BBGGRR).
constexpr std::uint32_t kResumen = 12648447;  // a tab's summary row: pale yellow
constexpr std::uint32_t kGrupo = 12640511;    // a group row of the articles: pale orange
constexpr std::uint32_t kCierre = 16711680;   // the closing bar: blue

const QString kChr0 = QString(QChar(0));
const QString kChr255 = QString(QChar(0xFF));

// How the articles are broken down: the column that holds a line's group
// key, and where the group's description is found (none by article code).
struct Agrupacion {
    int columna;
    const char* tabla;
    const char* campo;
};

Agrupacion agrupacion(bool porRubro, bool porTipo)
{
    if (porRubro)
        return {ColArticulos::AuxRubroArticulo, "V_ta_Rubros", "IdRubro"};
    if (porTipo)
        return {ColArticulos::AuxTipoArticulo, "V_ta_TipoArticulo", "Tipo"};
    return {ColArticulos::Codigo, nullptr, nullptr};
}

// Writes a row into the last row of the totals grid, paints it and leaves an
// empty row after it.
class Totales {
public:
    Totales(const ClsCmnCptes& cls, FlexGrid& grilla) : m_cls(cls), m_grilla(grilla) {}

    void fila(const QString& descripcion, const QString* items, const QString* cantidad, std::uint32_t color)
    {
        const int fila = m_grilla.Rows() - 1;
        m_grilla.setTextMatrix(fila, ColTotales::Descripcion, descripcion);
        if (items)
            m_grilla.setTextMatrix(fila, ColTotales::CantidadItems, *items);
        if (cantidad)
            m_grilla.setTextMatrix(fila, ColTotales::Cantidad, *cantidad);
        m_cls.PintarFila(fila, m_grilla, color);
        m_grilla.setRows(fila + 2);
    }

private:
    const ClsCmnCptes& m_cls;
    FlexGrid& m_grilla;
};

void tareas(Totales& totales, const FlexGrid& grilla, const QString& titulo)
{
    std::int32_t lineas = 0;
    qint64 minutos = 0;
    RecorreLineas(grilla, [&](int fila) {
        ++lineas;
        const double duracion = HoraAMinutos(grilla.TextMatrix(fila, ColTareas::Horas), QStringLiteral("HHHH"),
                                             QStringLiteral("MM"), true);
        minutos += static_cast<qint64>(lang::roundHalfEven(duracion));
    });
    const QString items = QString::number(lineas);
    // Whole hours and the minutes left, as plain numbers: 1:15, 2:0.
    const QString tiempo = QStringLiteral("%1:%2").arg(minutos / 60).arg(minutos % 60);
    totales.fila(titulo, &items, &tiempo, kResumen);
}

void articulos(Totales& totales, const FlexGrid& grilla, const QString& titulo, const Agrupacion& grupo)
{
    // Element 0 gathers the lines whose group key is empty.
    ArrTotalizador = {ParCampoValor{}};
    std::int32_t lineas = 0;
    double cantidadTotal = 0;
    RecorreLineas(grilla, [&](int fila) {
        const QString clave = grilla.TextMatrix(fila, grupo.columna).trimmed();
        const double cantidad = NumeroCelda(grilla.TextMatrix(fila, ColArticulos::Cant));
        const int i = BuscaIndiceLista(clave);
        if (i < 0)
            ArrTotalizador.push_back({clave, TextoCelda(cantidad)});
        else
            ArrTotalizador[static_cast<std::size_t>(i)].ValorCampo =
                TextoCelda(cantidad + NumeroCelda(ArrTotalizador[static_cast<std::size_t>(i)].ValorCampo));
        cantidadTotal += cantidad;
        ++lineas;
    });
    const QString items = QString::number(lineas);
    const QString cantidad = TextoCelda(cantidadTotal);
    totales.fila(titulo, &items, &cantidad, kResumen);
    if (lineas == 0)
        return;
    DB_Dll& db = ObjDB();
    for (const ParCampoValor& par : ArrTotalizador) {
        const QString clave = ObjUtilidades().QuitaCaracteres(par.NombreCampo, kChr255, kChr0).trimmed();
        // By article code there is no table to describe a group: its row
        // shows the code alone, without a query bound to fail.
        const QString descripcion =
            grupo.tabla ? clave + u'-'
                              + lang::text(db.DatosTabla(QLatin1String(grupo.tabla), clave,
                                                         QStringLiteral("Descripcion"), QLatin1String(grupo.campo)))
                        : clave;
        totales.fila(descripcion, nullptr, &par.ValorCampo, kGrupo);
    }
}

}  // namespace

void ClsCmnCptes::TotalizadorControl(const FlexGrid& MSFlexGrid1, const FlexGrid& MSFlexGrid2,
                                     const FlexGrid& MSFlexGrid3, FlexGrid& MSFlexGrid4, const TabStrip& SSTab1,
                                     bool AbiertoPorRubro, bool AbiertoPorTipo) const
{
    Totales totales(*this, MSFlexGrid4);
    ErrorTrap::showing(QStringLiteral("TotalizadorControl")).run({
        [&] {
            // Cut back to the header and one row, that row emptied too: no
            // figure of an earlier call stays behind.
            MSFlexGrid4.setRows(2);
            for (int col = 0; col < MSFlexGrid4.Cols(); ++col)
                MSFlexGrid4.setTextMatrix(1, col, QString());
        },
        [&] {
            if (SSTab1.TabVisible(0))
                tareas(totales, MSFlexGrid1, SSTab1.TabCaption(0));
        },
        [&] {
            if (SSTab1.TabVisible(1))
                articulos(totales, MSFlexGrid2, SSTab1.TabCaption(1), agrupacion(AbiertoPorRubro, AbiertoPorTipo));
        },
        [&] {
            if (!SSTab1.TabVisible(2))
                return;
            std::int32_t lineas = 0;
            RecorreLineas(MSFlexGrid3, [&](int) { ++lineas; });
            const QString items = QString::number(lineas);
            totales.fila(SSTab1.TabCaption(2), &items, nullptr, kResumen);
        },
        [&] { PintarFila(MSFlexGrid4.Rows() - 1, MSFlexGrid4, kCierre); },
    });
}

void ClsCmnCptes::PintarFila(std::int32_t Fila, FlexGrid& MsFlexGrid, std::uint32_t Color) const
{
    MsFlexGrid.fillRowBackColor(Fila, 0, MsFlexGrid.Cols() - 1, Color);
    MsFlexGrid.setRow(Fila);
}

void ClsCmnCptes::PintarColuma(std::int32_t Columna, FlexGrid& MsFlexGrid, std::int32_t FilaDesde,
                               std::int32_t FilaHasta, std::uint32_t Color) const
{
    const int fila = MsFlexGrid.Row();
    const int desde = FilaDesde == -1 ? 0 : FilaDesde;
    const int hasta = FilaHasta == -1 ? MsFlexGrid.Rows() - 1 : FilaHasta;
    const ErrorTrap seguir = ErrorTrap::skipping();
    for (int f = desde; f <= hasta; ++f)
        seguir.run({[&] { MsFlexGrid.setCellBackColorAt(f, Columna, Color); }});
    seguir.run({[&] { MsFlexGrid.setRow(fila); }, [&] { MsFlexGrid.setCol(Columna); }});
}
