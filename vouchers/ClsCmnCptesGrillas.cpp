// The shape of the entry grids: columns, headers, widths and the hidden
// columns of each voucher type, and the field rules of the in-cell editors.
#include "vouchers/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/Value.h"
#include "vouchers/ColumnasGrillas.h"

#include <algorithm>
#include <initializer_list>

namespace {

bool activo(const char* clave)
{
    return lang::sameText(Cfg(QLatin1String(clave)), u"SI");
}

// What the layout of a voucher type depends on, read once per call.
struct Disposicion {
    QString tipo;     // trimmed type code
    QString sistema;  // SISTEMA of the type, trimmed; empty for an unknown type
    bool importesOcultos = false;
    bool muestraDeposito = false;

    bool esTipo(const char* codigo) const { return lang::sameText(tipo, QString::fromLatin1(codigo)); }
    bool esStock() const { return lang::sameText(sistema, u"STOCK"); }
    bool esVentas() const { return lang::sameText(sistema, u"VENTAS"); }
};

Disposicion leeDisposicion(const QString& TC)
{
    Disposicion d;
    // The type is compared trimmed throughout: a code the form holds
    // right-justified is the same type.
    d.tipo = TC.trimmed();
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT SISTEMA FROM V_TA_CPTE WHERE CODIGO = ")
                          + db.SQLValue(util.AlineaDerecha(d.tipo, 4)),
                      rs);
    if (!rs.Eof())
        d.sistema = lang::text(util.ValorNoNulo(rs.value(QStringLiteral("Sistema")))).trimmed();
    db.CierraRecordset(rs);

    d.muestraDeposito = activo("PideDepositoEnCptes");
    if (d.esTipo("OP") || d.esTipo("OC")) {
        d.importesOcultos = true;
    } else if (d.esTipo("OT")) {
        d.importesOcultos = activo("NoMostrarImportesEnOT");
        d.muestraDeposito = false;
    } else if (d.esTipo("PR")) {
        d.muestraDeposito = false;
    }
    return d;
}

// W(n): the width of n capital X in the grid's own font, with the margins
// its header keeps, so that every caption laid out by it shows whole.
int W(const FlexGrid& grilla, int n)
{
    return n == 0 ? 0 : grilla.fittingWidth(QString(n, QLatin1Char('X')));
}

void columna(FlexGrid& grilla, int col, const QString& titulo, int ancho, bool izquierda = false)
{
    grilla.setTextMatrix(0, col, titulo);
    grilla.setColWidth(col, ancho);
    if (izquierda)
        grilla.setColAlignment(col, flex::AlignLeftCenter);
}

void ensancha(FlexGrid& grilla, int col, int cuanto)
{
    grilla.setColWidth(col, grilla.ColWidth(col) + cuanto);
}

// The widths of the columns `de` go to column `a`; those columns are hidden.
void pasaAncho(FlexGrid& grilla, int a, std::initializer_list<int> de)
{
    for (int col : de) {
        ensancha(grilla, a, grilla.ColWidth(col));
        grilla.setColWidth(col, 0);
    }
}

// A caption wider than its letters' count of X (such as "% Dto.") widens
// its column: no visible header is cut.
void titulosEnteros(FlexGrid& grilla)
{
    for (int col = 0; col < grilla.Cols(); ++col) {
        const QString titulo = grilla.TextMatrix(0, col);
        if (grilla.ColWidth(col) > 0 && !titulo.isEmpty())
            grilla.setColWidth(col, std::max(grilla.ColWidth(col), grilla.fittingWidth(titulo)));
    }
}

void preparaGrilla(FlexGrid& grilla, int filas, int columnas)
{
    grilla.Clear();
    grilla.setRows(filas);
    grilla.setCols(columnas);
}

// "ARTICULO" gives "Articulo": the first letter of each word upper case,
// the others lower case.
QString tipoTitulo(const QString& texto)
{
    QString resultado = texto.toLower();
    bool inicio = true;
    for (QChar& c : resultado) {
        if (c.isSpace()) {
            inicio = true;
        } else if (inicio) {
            c = c.toUpper();
            inicio = false;
        }
    }
    return resultado;
}

void grillaTareas(FlexGrid& g, const Disposicion& d)
{
    using namespace ColTareas;
    preparaGrilla(g, 2, Columnas);
    columna(g, Codigo, QStringLiteral("Código"), W(g, 7));
    columna(g, Descripcion, QStringLiteral("Descripción"), W(g, 37), true);
    columna(g, Horas, QStringLiteral("Horas"), W(g, 7));
    columna(g, ValorHora, QStringLiteral("Valor/Hora"), W(g, 11));
    columna(g, Total, QStringLiteral("Total"), W(g, 11));
    if (d.importesOcultos)
        pasaAncho(g, Descripcion, {ValorHora, Total});
    if (d.importesOcultos && d.esTipo("OT"))
        pasaAncho(g, Descripcion, {Horas});
    const std::pair<int, const char*> ocultas[] = {
        {AuxEsExento, "AuxEsExento"},       {ImporteSinIVA, "ImporteSinIVA"}, {AuxObservAdic, "AuxObservAdic"},
        {AuxFechaInicio, "AuxFechaInicio"}, {AuxFechaFin, "AuxFechaFin"},     {AuxIdTecnico, "AuxIdTecnico"},
        {AuxTasaIVA, "AuxTasaIVA"},
    };
    for (const auto& [col, titulo] : ocultas)
        columna(g, col, QLatin1String(titulo), 0);
    titulosEnteros(g);
    g.Refresh();
}

// Header of the article code column: the setting "NombreArticulos" in
// proper case, "Código" when it is blank.
QString tituloArticulos()
{
    QString nombre = Cfg(QStringLiteral("NombreArticulos"));
    if (nombre.trimmed().isEmpty())
        nombre = QStringLiteral("Código");
    return tipoTitulo(nombre);
}

void grillaArticulos(FlexGrid& g, const Disposicion& d, const QString& tituloCodigo)
{
    using namespace ColArticulos;
    preparaGrilla(g, 2, Columnas);
    const bool stock = d.esStock();
    columna(g, Codigo, tituloCodigo, W(g, 15), true);
    columna(g, Descripcion, QStringLiteral("Descripción"), W(g, 29), true);
    columna(g, Lista, QStringLiteral("Lista"), 0);
    if (activo("V_ListaPreciosPorItemArticulos") && d.esVentas()) {
        ensancha(g, Codigo, -W(g, 1));
        ensancha(g, Descripcion, -W(g, 3));
        g.setColWidth(Lista, W(g, 4));
    }
    columna(g, UD, QStringLiteral("UD"), W(g, 4));
    columna(g, Cant, QStringLiteral("Cant."), W(g, 6));
    if (activo("ConfirmaUDEquiv")) {
        columna(g, UDEquiv, QStringLiteral("UDEquiv"), W(g, 7));
        columna(g, CantEquiv, QStringLiteral("Cant. Equiv"), W(g, 9));
    } else {
        columna(g, UDEquiv, {}, 0);
        columna(g, CantEquiv, {}, 0);
    }
    columna(g, Dep, QStringLiteral("Dep."), d.muestraDeposito ? W(g, 4) : 0);
    if (!stock) {
        columna(g, PorcDto, QStringLiteral("% Dto."), 0);
        if (activo("V_DescuentoPorArticulos")) {
            ensancha(g, Codigo, -W(g, 1));
            ensancha(g, Descripcion, -W(g, 3));
            g.setColWidth(PorcDto, W(g, 5));
        }
    } else {
        columna(g, PorcDto, {}, 0);
    }
    columna(g, Importe, QStringLiteral("Importe"), W(g, 11));
    columna(g, Total, QStringLiteral("Total"), 0);
    columna(g, TotalConImpuestos, stock ? QString() : QStringLiteral("TOTAL"), stock ? 0 : W(g, 10));
    if (d.importesOcultos)
        pasaAncho(g, Descripcion, {Importe, Total, TotalConImpuestos});
    columna(g, AuxEsExento, QStringLiteral("AuxEsExento"), 0);
    columna(g, AuxPrecioSinIVA, QStringLiteral("AuxPrecioSinIVA"), 0);
    columna(g, Impuestos, stock ? QString() : QStringLiteral("Impuestos"), stock ? 0 : W(g, 10));
    columna(g, AuxPideSerie, QStringLiteral("AuxPideSerie"), 0);
    columna(g, AuxPidelote, QStringLiteral("AuxPidelote"), 0);
    if (d.esTipo("DVPE")) {
        columna(g, AuxNroSerie, QStringLiteral("Nro. Serie"), g.fittingWidth(QStringLiteral("Nro. de Serie")));
        columna(g, AuxNroLote, QStringLiteral("Nro. Lote"), g.fittingWidth(QStringLiteral("Nro. de Lote")));
    } else {
        columna(g, AuxNroSerie, QStringLiteral("AuxNroSerie"), 0);
        columna(g, AuxNroLote, QStringLiteral("AuxNroLote"), 0);
    }
    columna(g, AuxRestoPorAplicar, QStringLiteral("AuxRestoPorAplicar"), 0);
    if (stock) {
        ensancha(g, Descripcion, g.ColWidth(Importe) - 480);
        g.setColWidth(Importe, 0);
        pasaAncho(g, Descripcion, {Total});
        ensancha(g, UD, W(g, 4));
        ensancha(g, Cant, W(g, 7));
    }
    const std::pair<int, const char*> ocultas[] = {
        {AuxTipoArticulo, "AuxTipoArticulo"},
        {AuxRubroArticulo, "AuxRubroArticulo"},
        {AuxListaConIVA, "AuxListaConIVA"},
        {AuxPrecioConIVA, "AuxPrecioConIVA"},
        {AuxCantidadInsumo, "AuxCantidadInsumo"},
        {AuxImporteDescuentoArticulo, "AuxImporteDescuentoArticulo"},
        {AuxTipoCoeficiente, "AuxTipoCoeficiente"},
        {AuxCoeficiente, "AuxCoeficiente"},
        {AuxStockDisponible, "AuxStockDisponible"},
        {AuxStockMinimo, "AuxStockMinimo"},
        {AuxTasaIVA, "AuxTasaIVA"},
        {AuxCpteOrigen, "AuxCpteOrigen"},
        {AuxIdCpteOrigen, "AuxIdCpteOrigen"},
        {Lote_Origen, "Lote_Origen"},
        {Lote_Aduana, "Lote_Aduana"},
        {AuxCodigoPercepcion, "AuxCodigoPercepcion"},
    };
    for (const auto& [col, titulo] : ocultas)
        columna(g, col, QLatin1String(titulo), 0);
    for (int col = Costo; col < AuxCodigoPercepcion; ++col)
        if (col != Impuestos)
            columna(g, col, {}, 0);
    titulosEnteros(g);
    g.Refresh();
}

void grillaOtrosConceptos(FlexGrid& g, const Disposicion& d)
{
    using namespace ColOtrosConceptos;
    preparaGrilla(g, 2, Columnas);
    columna(g, Detalle, QStringLiteral("Detalle"), W(g, 49), true);
    columna(g, ImporteSinIva, QStringLiteral("Importe S/Iva"), W(g, 11));
    columna(g, Importe, QStringLiteral("Importe"), W(g, 11));
    columna(g, Cuenta, QStringLiteral("Cuenta"), 0);
    if (d.importesOcultos)
        pasaAncho(g, Detalle, {ImporteSinIva, Importe});
    titulosEnteros(g);
}

void grillaTotales(FlexGrid& g)
{
    using namespace ColTotales;
    preparaGrilla(g, 5, Columnas);
    columna(g, Descripcion, QStringLiteral("Descripcion"), W(g, 50), true);
    columna(g, CantidadItems, QStringLiteral("Cantidad ITEM'S"), W(g, 15));
    columna(g, Cantidad, QStringLiteral("Cantidad"), W(g, 10));
    titulosEnteros(g);
}

// The field each editor's column edits, the lookup the host opens on it and
// the most characters it takes (0: no limit).
struct CampoEditor {
    const char* editor;
    int columna;
    const char* campo;
    const char* origen;
    int largo;
};

const CampoEditor kCamposEditor[] = {
    {"TxtEdit", ColTareas::Codigo, "IdTarea", "v_ta_tareas", 4},
    {"TxtEdit", ColTareas::Descripcion, "Descripcion", "", 0},
    {"TxtEdit", ColTareas::Horas, "HorasEstimadas", "", 0},
    {"TxtEdit", ColTareas::ValorHora, "ValorHora", "", 0},
    {"TxtEdit", ColTareas::Total, "Total", "", 0},
    {"TxtEdit2", ColArticulos::Codigo, "IdArticulo", "v_ma_articulos", 25},
    {"TxtEdit2", ColArticulos::Descripcion, "Descripcion", "", 50},
    {"TxtEdit2", ColArticulos::Lista, "IdListaPrecioArticulo", "V_MA_PRECIOS", 4},
    {"TxtEdit2", ColArticulos::UD, "IdUnidad", "V_TA_UNIDAD", 4},
    {"TxtEdit2", ColArticulos::Dep, "IdDepositoArt", "V_TA_DEPOSITO", 4},
    {"TxtEdit2", ColArticulos::Cant, "Cantidad", "", 0},
    {"TxtEdit2", ColArticulos::UDEquiv, "IdUnidadEquiv", "V_TA_UNIDAD", 4},
    {"TxtEdit2", ColArticulos::CantEquiv, "CantidadEquiv", "", 0},
    {"TxtEdit2", ColArticulos::PorcDto, "PorcDtoArticulo", "", 0},
    {"TxtEdit2", ColArticulos::Importe, "ArtImporte", "", 0},
    {"TxtEdit2", ColArticulos::Total, "Total", "", 0},
    {"TxtEdit3", ColOtrosConceptos::Detalle, "OCDescripcion", "MA_CUENTAS/SOLOIMPUTABLES", 200},
    {"TxtEdit3", ColOtrosConceptos::ImporteSinIva, "OCImporteSinIva", "", 0},
    {"TxtEdit3", ColOtrosConceptos::Importe, "OCImporte", "", 0},
};

}  // namespace

void ClsCmnCptes::TextPropiedades(TextBox& Texto, std::int32_t Columna) const
{
    Texto.setDataField(QString());
    Texto.SetMaxLength(0);
    Texto.setTag(QString());
    const QString editor = Texto.Name().trimmed();
    for (const CampoEditor& c : kCamposEditor) {
        if (c.columna != Columna || !lang::sameText(editor, QString::fromLatin1(c.editor)))
            continue;
        Texto.setDataField(QLatin1String(c.campo));
        Texto.setTag(QLatin1String(c.origen));
        Texto.SetMaxLength(c.largo);
        return;
    }
}

void ClsCmnCptes::InicializaGrids(FlexGrid* MSFlexGrid1, FlexGrid* MSFlexGrid2, FlexGrid* MSFlexGrid3,
                                  TextBox* txtEdit, TextBox* txtEdit2, TextBox* txtEdit3, const QString& TC,
                                  FlexGrid* MSFlexGrid4) const
{
    const Disposicion d = leeDisposicion(TC);
    if (MSFlexGrid1) {
        grillaTareas(*MSFlexGrid1, d);
        if (txtEdit)
            txtEdit->hide();
    }
    const QString tituloCodigo = tituloArticulos();
    if (MSFlexGrid2) {
        grillaArticulos(*MSFlexGrid2, d, tituloCodigo);
        if (txtEdit2)
            txtEdit2->hide();
    }
    if (MSFlexGrid3) {
        if (txtEdit3)
            txtEdit3->clear();
        grillaOtrosConceptos(*MSFlexGrid3, d);
    }
    if (MSFlexGrid4)
        grillaTotales(*MSFlexGrid4);
}
