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
    // Each writes one stored line into row `fila`, every field its own step
    // of the error trap, so that going on after a failing field still fills
    // the rest of the line; false when the operator leaves.
    bool tarea(FlexGrid& g, int fila, const db::Recordset& rs) const;
    bool articulo(FlexGrid& g, int fila, const db::Recordset& rs) const;
    bool otroConcepto(FlexGrid& g, int fila, const db::Recordset& rs) const;

    // Writes every row of the recordset into the grid's last row, growing the
    // grid by one before each further row and once after the last. False
    // when the operator leaves.
    bool llena(FlexGrid& g, db::Recordset& rs,
               bool (Carga::*linea)(FlexGrid&, int, const db::Recordset&) const) const;
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

bool Carga::tarea(FlexGrid& g, int fila, const db::Recordset& rs) const
{
    using namespace ColTareas;
    const auto pon = [&](int col, const char* campo) -> ErrorTrap::Step {
        return [&g, fila, col, this, &rs, campo] { g.setTextMatrix(fila, col, texto(rs, campo)); };
    };
    const auto monto = [&](int col, const char* campo) -> ErrorTrap::Step {
        return [&g, fila, col, this, &rs, campo] { g.setTextMatrix(fila, col, moneda(rs, campo)); };
    };
    std::vector<ErrorTrap::Step> pasos = {
        pon(Codigo, "IdTarea"),
        pon(Descripcion, "Descripcion"),
        [&] {
            std::int32_t horas = 0;
            std::int32_t minutos = 0;
            g.setTextMatrix(fila, Horas, MinutosAHora(NumeroCelda(texto(rs, "Horas")), horas, minutos));
        },
        monto(ValorHora, "ValorHora"),
        monto(Total, "Total"),
        monto(ImporteSinIVA, "ValorHora_S_IVA"),
    };
    if (!compras)
        pasos.insert(pasos.end(), {pon(AuxObservAdic, "DescripcionAdicional"), pon(AuxFechaInicio, "FechaEstInicio"),
                                   pon(AuxFechaFin, "FechaEstFin"), pon(AuxIdTecnico, "IdTecnico")});
    return trampa.run(pasos);
}

bool Carga::articulo(FlexGrid& g, int fila, const db::Recordset& rs) const
{
    using namespace ColArticulos;
    const auto pon = [&](int col, const char* campo) -> ErrorTrap::Step {
        return [&g, fila, col, this, &rs, campo] { g.setTextMatrix(fila, col, texto(rs, campo)); };
    };
    const auto si = [](bool condicion, ErrorTrap::Step paso) -> ErrorTrap::Step {
        return condicion ? std::move(paso) : ErrorTrap::Step([] {});
    };
    // An order's lots and series are not the goods delivered: they stay out.
    const bool conLotes = !lang::sameText(tipo, u"NP");
    QString codigo25;
    Currency cantidad;
    Currency cubierta;
    db::Recordset maestro;
    bool hallado = false;
    // A flag of the article master, when the article is there.
    const auto marca = [&](int col, const char* campo) -> ErrorTrap::Step {
        return [&, col, campo] {
            if (hallado)
                g.setTextMatrix(fila, col, bandera(maestro.value(QLatin1String(campo))));
        };
    };
    return trampa.run({
        [&] { codigo25 = util.AlineaDerecha(texto(rs, "IdArticulo"), 25); },
        pon(Codigo, "IdArticulo"),
        pon(Descripcion, "Descripcion"),
        pon(UD, "IdUnidad"),
        [&] { cantidad = Currency::fromVariant(util.ValorNoNulo(rs.value(QStringLiteral("Cantidad")))); },
        [&] { cubierta = cubierto(codigo25, cantidad); },
        [&] {
            // What is open of the line: a negated voucher shows it negated as
            // a whole, -(Cantidad - covered); the quantity still to apply
            // never is.
            const Currency abierto = cantidad - cubierta;
            g.setTextMatrix(fila, Cant, TextoCelda((negar ? -abierto : abierto).toDouble()));
        },
        si(pideNroReparto && !esCompras, pon(UDEquiv, "IdUnidadBase")),
        si(pideNroReparto && !esCompras, pon(CantEquiv, "cantidadud")),
        pon(Importe, "Importe"),
        [&] {
            const QVariant exento = rs.value(QStringLiteral("Exento"));
            // A line stored without the flag counts as exempt here: its price
            // is never taken as including VAT.
            if (!lang::isNull(exento) && lang::number(exento) == 0
                && lang::sameText(LetraComprobante(Cfg(QStringLiteral("CONDIVA")),
                                                   lang::text(util.ValorNoNulo(condicionIVA))),
                                  u"B"))
                g.setTextMatrix(fila, AuxPrecioConIVA, texto(rs, "Importe"));
        },
        si(!esCompras, pon(PorcDto, "PorcDto")),
        [&] { hallado = BuscaArticulo(codigo25, &maestro, true, false); },
        marca(AuxPideSerie, "UsaSerie"),
        marca(AuxPidelote, "UsaLote"),
        marca(Auxesperecedero, "Perecedero"),
        marca(AuxPideTalle, "UsaTalle"),
        [&] { db.CierraRecordset(maestro); },
        pon(Costo, "Costo"),
        pon(AuxPrecioSinIVA, "Importe_S_IVA"),
        pon(Impuestos, "Impuestos"),
        pon(Total, "Total"),
        si(conLotes, pon(AuxNroLote, "Nro_Lote")),
        si(conLotes, pon(AuxNroSerie, "Nro_Serie")),
        si(conLotes, pon(Lote_Aduana, "CONTROLADOPOR")),
        si(conLotes, pon(Lote_Origen, "IdOrigen")),
        [&] { g.setTextMatrix(fila, AuxEsExento, bandera(rs.value(QStringLiteral("Exento")))); },
        si(!esCompras, pon(AuxTasaIVA, "AlicIVA")),
        si(!esCompras,
           [&] {
               // The total and the taxes as amounts, the taxes times the
               // quantity as it stands: 60.5 + 0.3333 x 0.5 is 60.66665.
               const double total = ImporteCelda(g.TextMatrix(fila, Total)).toDouble()
                                  + ImporteCelda(g.TextMatrix(fila, Impuestos)).toDouble()
                                        * NumeroCelda(g.TextMatrix(fila, Cant));
               g.setTextMatrix(fila, TotalConImpuestos, TextoCelda(total));
           }),
        [&] { g.setTextMatrix(fila, AuxRestoPorAplicar, TextoCelda((cantidad - cubierta).toDouble())); },
        [&] { g.setTextMatrix(fila, IdComprobanteCargado, comprobante); },
    });
}

bool Carga::otroConcepto(FlexGrid& g, int fila, const db::Recordset& rs) const
{
    using namespace ColOtrosConceptos;
    return trampa.run({
        [&] { g.setTextMatrix(fila, Detalle, texto(rs, "Observacion")); },
        [&] { g.setTextMatrix(fila, ImporteSinIva, moneda(rs, "Importe_S_IVA")); },
        [&] { g.setTextMatrix(fila, Importe, moneda(rs, "Importe")); },
    });
}

bool Carga::llena(FlexGrid& g, db::Recordset& rs,
                  bool (Carga::*linea)(FlexGrid&, int, const db::Recordset&) const) const
{
    if (rs.Eof())
        return true;
    bool primera = true;
    while (!rs.Eof()) {
        if (!primera)
            g.setRows(g.Rows() + 1);
        primera = false;
        if (!(this->*linea)(g, g.Rows() - 1, rs))
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
