// Loading a stored voucher into the entry grids, with the quantities still
// open on its article lines.
#include "vouchers/ClsCmnCptes.h"

#include "core/Articulos.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Formatos.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Prompts.h"
#include "platform/Value.h"
#include "rules/Stuff.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/NumeroCelda.h"

#include <functional>
#include <limits>

namespace {

const QString kOrigen = QStringLiteral("AsignarDatosComprobante");
const QString kTitulo = QStringLiteral("Aviso al Operador");

// The complement as it goes into the key: an empty one is 0, the complement
// of every kind that has none (the voucher picker hands back nothing for
// them); anything but a whole number is refused.
bool leeComplemento(const QString& texto, qint64& complemento)
{
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty()) {
        complemento = 0;
        return true;
    }
    bool ok = false;
    complemento = limpio.toLongLong(&ok);
    return ok && complemento >= std::numeric_limits<std::int32_t>::min()
        && complemento <= std::numeric_limits<std::int32_t>::max();
}

// The stored values of one call, and how each line goes into its grid.
struct Carga {
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    const ErrorTrap trampa = ErrorTrap::showing(kOrigen);

    QString tipo;          // TC trimmed
    QString comprobante;   // SucNroLetra trimmed
    bool compras = false;  // the purchase tables and key
    bool esCompras = false;  // the type's system is purchases
    bool negar = false;
    bool entregaParcialRemito = false;
    bool pideNroReparto = false;
    QVariant reparto;      // the header's IdReparto
    QVariant condicionIVA;

    QString texto(const db::Recordset& rs, const char* campo) const
    {
        return lang::text(util.ValorNoNulo(rs.value(QLatin1String(campo)))).trimmed();
    }
    QString moneda(const db::Recordset& rs, const char* campo) const { return FmtMoneda(texto(rs, campo), -1); }
    static QString bandera(const QVariant& valor) { return lang::number(valor) != 0 ? QStringLiteral("-1") : QStringLiteral("0"); }

    // The quantity of the line that earlier or later vouchers already cover.
    Currency cubierto(const QString& articulo25, Currency cantidad) const;
    void tarea(FlexGrid& g, int fila, const db::Recordset& rs) const;
    void articulo(FlexGrid& g, int fila, const db::Recordset& rs) const;
    void otroConcepto(FlexGrid& g, int fila, const db::Recordset& rs) const;

    // Writes every row of the recordset into the grid's last row, growing the
    // grid by one before each further row and once after the last. A failing
    // row goes to the error dialog; false when the operator leaves.
    bool llena(FlexGrid& g, db::Recordset& rs,
               void (Carga::*linea)(FlexGrid&, int, const db::Recordset&) const) const;
};

Currency Carga::cubierto(const QString& articulo25, Currency cantidad) const
{
    if (compras)
        return {};
    db::Recordset rs;
    Currency resultado;
    if (lang::number(reparto) == -1) {
        // The type goes trimmed: the view gives it so, however the form holds it.
        db.AbrirRecordset(QStringLiteral("SELECT pendiente FROM VT_V_MV_Insumos_RepartoPendiente WHERE (TC = ")
                              + db.SQLValue(tipo) + QStringLiteral(") AND IDCOMPROBANTE = ") + db.SQLValue(comprobante)
                              + QStringLiteral(" AND IDARTICULO = ") + db.SQLValue(articulo25),
                          rs);
        resultado = rs.Eof() ? cantidad : cantidad - Currency::fromVariant(rs.value(QStringLiteral("pendiente")));
    } else if ((lang::sameText(tipo, u"RM") || lang::sameText(tipo, u"NP")) && entregaParcialRemito) {
        db.AbrirRecordset(QStringLiteral("SELECT CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE "
                                         "(TCO_ORIGEN = 'RM' or TCO_ORIGEN = 'NP') AND IDCOMPROBANTEORIGEN = ")
                              + db.SQLValue(comprobante) + QStringLiteral(" AND IDARTICULO = ")
                              + db.SQLValue(articulo25),
                          rs);
        if (!rs.Eof())
            resultado = util.TextoAMoneda(util.ValorNoNulo(rs.value(QStringLiteral("CantidadAplicada"))));
    }
    db.CierraRecordset(rs);
    return resultado;
}

void Carga::tarea(FlexGrid& g, int fila, const db::Recordset& rs) const
{
    using namespace ColTareas;
    g.setTextMatrix(fila, Codigo, texto(rs, "IdTarea"));
    g.setTextMatrix(fila, Descripcion, texto(rs, "Descripcion"));
    std::int32_t horas = 0;
    std::int32_t minutos = 0;
    g.setTextMatrix(fila, Horas, MinutosAHora(NumeroCelda(texto(rs, "Horas")), horas, minutos));
    g.setTextMatrix(fila, ValorHora, moneda(rs, "ValorHora"));
    g.setTextMatrix(fila, Total, moneda(rs, "Total"));
    g.setTextMatrix(fila, ImporteSinIVA, moneda(rs, "ValorHora_S_IVA"));
    if (compras)
        return;
    g.setTextMatrix(fila, AuxObservAdic, texto(rs, "DescripcionAdicional"));
    g.setTextMatrix(fila, AuxFechaInicio, texto(rs, "FechaEstInicio"));
    g.setTextMatrix(fila, AuxFechaFin, texto(rs, "FechaEstFin"));
    g.setTextMatrix(fila, AuxIdTecnico, texto(rs, "IdTecnico"));
}

void Carga::articulo(FlexGrid& g, int fila, const db::Recordset& rs) const
{
    using namespace ColArticulos;
    QString codigo25 = util.AlineaDerecha(texto(rs, "IdArticulo"), 25);
    g.setTextMatrix(fila, Codigo, texto(rs, "IdArticulo"));
    g.setTextMatrix(fila, Descripcion, texto(rs, "Descripcion"));
    g.setTextMatrix(fila, UD, texto(rs, "IdUnidad"));

    // What is open of the line: a negated voucher shows it negated as a
    // whole, -(Cantidad - covered); the quantity still to apply never is.
    const Currency cantidad = Currency::fromVariant(util.ValorNoNulo(rs.value(QStringLiteral("Cantidad"))));
    const Currency abierto = cantidad - cubierto(codigo25, cantidad);
    g.setTextMatrix(fila, Cant, TextoCelda((negar ? -abierto : abierto).toDouble()));

    if (pideNroReparto && !esCompras) {
        g.setTextMatrix(fila, UDEquiv, texto(rs, "IdUnidadBase"));
        g.setTextMatrix(fila, CantEquiv, texto(rs, "cantidadud"));
    }
    g.setTextMatrix(fila, Importe, texto(rs, "Importe"));
    const QVariant exento = rs.value(QStringLiteral("Exento"));
    // A line stored without the flag counts as exempt here: its price is
    // never taken as including VAT.
    if (!lang::isNull(exento) && lang::number(exento) == 0
        && lang::sameText(LetraComprobante(Cfg(QStringLiteral("CONDIVA")),
                                           lang::text(util.ValorNoNulo(condicionIVA))),
                          u"B"))
        g.setTextMatrix(fila, AuxPrecioConIVA, texto(rs, "Importe"));
    if (!esCompras)
        g.setTextMatrix(fila, PorcDto, texto(rs, "PorcDto"));

    db::Recordset maestro;
    if (BuscaArticulo(codigo25, &maestro, true, false)) {
        g.setTextMatrix(fila, AuxPideSerie, bandera(maestro.value(QStringLiteral("UsaSerie"))));
        g.setTextMatrix(fila, AuxPidelote, bandera(maestro.value(QStringLiteral("UsaLote"))));
        g.setTextMatrix(fila, Auxesperecedero, bandera(maestro.value(QStringLiteral("Perecedero"))));
        g.setTextMatrix(fila, AuxPideTalle, bandera(maestro.value(QStringLiteral("UsaTalle"))));
    }
    db.CierraRecordset(maestro);

    g.setTextMatrix(fila, Costo, texto(rs, "Costo"));
    g.setTextMatrix(fila, AuxPrecioSinIVA, texto(rs, "Importe_S_IVA"));
    g.setTextMatrix(fila, Impuestos, texto(rs, "Impuestos"));
    g.setTextMatrix(fila, Total, texto(rs, "Total"));
    // An order's lots and series are not the goods delivered: they stay out.
    if (!lang::sameText(tipo, u"NP")) {
        g.setTextMatrix(fila, AuxNroLote, texto(rs, "Nro_Lote"));
        g.setTextMatrix(fila, AuxNroSerie, texto(rs, "Nro_Serie"));
        g.setTextMatrix(fila, Lote_Aduana, texto(rs, "CONTROLADOPOR"));
        g.setTextMatrix(fila, Lote_Origen, texto(rs, "IdOrigen"));
    }
    g.setTextMatrix(fila, AuxEsExento, bandera(exento));
    if (!esCompras) {
        g.setTextMatrix(fila, AuxTasaIVA, texto(rs, "AlicIVA"));
        const Currency impuestos = ImporteCelda(g.TextMatrix(fila, Impuestos));
        const double total = ImporteCelda(g.TextMatrix(fila, Total)).toDouble()
                           + impuestos.toDouble() * NumeroCelda(g.TextMatrix(fila, Cant));
        g.setTextMatrix(fila, TotalConImpuestos, TextoCelda(Currency::fromDouble(total).toDouble()));
    }
    g.setTextMatrix(fila, AuxRestoPorAplicar, TextoCelda(abierto.toDouble()));
    g.setTextMatrix(fila, IdComprobanteCargado, comprobante);
}

void Carga::otroConcepto(FlexGrid& g, int fila, const db::Recordset& rs) const
{
    using namespace ColOtrosConceptos;
    g.setTextMatrix(fila, Detalle, texto(rs, "Observacion"));
    g.setTextMatrix(fila, ImporteSinIva, moneda(rs, "Importe_S_IVA"));
    g.setTextMatrix(fila, Importe, moneda(rs, "Importe"));
}

bool Carga::llena(FlexGrid& g, db::Recordset& rs,
                  void (Carga::*linea)(FlexGrid&, int, const db::Recordset&) const) const
{
    if (rs.Eof())
        return true;
    bool primera = true;
    while (!rs.Eof()) {
        if (!primera)
            g.setRows(g.Rows() + 1);
        primera = false;
        if (!trampa.run({[&] { (this->*linea)(g, g.Rows() - 1, rs); }}))
            return false;
        rs.MoveNext();
    }
    g.setRows(g.Rows() + 1);
    return true;
}

}  // namespace

void ClsCmnCptes::AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra,
                                          const QString& IdComplemento, FlexGrid& MSFlexGrid1,
                                          FlexGrid& MSFlexGrid2, FlexGrid& MSFlexGrid3, bool /*Inicializar*/,
                                          db::Recordset* LrcsCpte, bool Compras, const QString& Proveedor,
                                          std::int16_t* IdRepartoRM) const
{
    Carga c;
    c.tipo = TC.trimmed();
    c.comprobante = SucNroLetra.trimmed();
    c.compras = Compras;
    c.negar = IdRepartoRM && *IdRepartoRM == -99;

    qint64 complemento = 0;
    if (!Compras && !leeComplemento(IdComplemento, complemento)) {
        prompts().messageBox(QStringLiteral("El complemento del comprobante debe ser un número entero: ")
                                 + IdComplemento.trimmed(),
                             prompt::OkOnly | prompt::Critical, kTitulo);
        return;
    }
    DB_Dll& db = c.db;
    // Every value of the key goes in as a literal: an apostrophe in the
    // supplier's account stays inside it.
    const QString clave = QStringLiteral(" WHERE TC = ") + db.SQLValue(c.util.AlineaDerecha(c.tipo, 4))
                        + QStringLiteral(" AND IDCOMPROBANTE = ") + db.SQLValue(c.comprobante)
                        + (Compras ? QStringLiteral(" AND CUENTA = ") + db.SQLValue(Proveedor)
                                   : QStringLiteral(" AND IdComplemento = ") + db.SQLValue(complemento, QStringLiteral("@")));
    const QString prefijo = Compras ? QStringLiteral("C_") : QStringLiteral("V_");
    const auto consulta = [&](const char* tabla, const QString& resto = {}) {
        return QStringLiteral("SELECT * FROM ") + prefijo + QLatin1String(tabla) + u' ' + clave + resto
             + QStringLiteral(" ORDER BY ID ");
    };

    db::Recordset propia;
    db::Recordset& cabecera = LrcsCpte ? *LrcsCpte : propia;
    db::Recordset tareas;
    db::Recordset articulos;
    db::Recordset otros;
    c.trampa.run({
        [&] {
            c.entregaParcialRemito = EsVerdadero(Cfg(QStringLiteral("EntregaParcialRemito")));
            c.pideNroReparto = EsVerdadero(Cfg(QStringLiteral("PideNroReparto")));
        },
        [&] { db.AbrirRecordset(consulta("MV_CPTE"), cabecera); },
        [&] {
            // One clear word for a voucher that is not there, in place of a
            // failure on each of its header's fields; nothing is loaded.
            if (!cabecera.Eof())
                return;
            prompts().messageBox(QStringLiteral("No existe el comprobante %1 %2.").arg(c.tipo, c.comprobante),
                                 prompt::OkOnly | prompt::Critical, kTitulo);
            ErrorTrap::leave();
        },
        [&] { db.AbrirRecordset(consulta("MV_CPTETAREAS"), tareas); },
        [&] { db.AbrirRecordset(consulta("MV_CPTEINSUMOS"), articulos); },
        [&] { db.AbrirRecordset(consulta("MV_CPTE_Observ", QStringLiteral(" AND TIPO_OBS ='OC' ")), otros); },
        [&] {
            c.esCompras = lang::sameText(lang::text(db.DatosTabla(QStringLiteral("V_TA_CPTE"), TC,
                                                                  QStringLiteral("SISTEMA"))),
                                         u"COMPRAS");
        },
        [&] {
            c.reparto = c.util.ValorNoNulo(cabecera.value(QStringLiteral("IdReparto")));
            c.condicionIVA = cabecera.value(QStringLiteral("CondicionIVA"));
        },
        [&] {
            if (c.esCompras)
                return;
            const std::int16_t reparto = lang::toInt16(lang::number(c.reparto));
            if (IdRepartoRM)
                *IdRepartoRM = reparto;
        },
        [&] {
            if (!c.llena(MSFlexGrid1, tareas, &Carga::tarea) || !c.llena(MSFlexGrid2, articulos, &Carga::articulo)
                || !c.llena(MSFlexGrid3, otros, &Carga::otroConcepto))
                ErrorTrap::leave();
        },
    });
    for (db::Recordset* rs : {&tareas, &articulos, &otros})
        db.CierraRecordset(*rs);
}
