#pragma once

#include "vouchers/ClsCmnCptes.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

class FlexGrid;

// One run of a voucher's stock update, apart from how its statements reach
// the database. Prepara reads what decides the run (settings, the voucher
// type's sign and system) and writes nothing; Ejecuta builds the statements
// in order and hands each to `escribe` as soon as it is built, reading on the
// way what the rows need (the articles' supplier accounts and which of them
// are made of inputs, once for all the lines; the sequence a production order
// continues; the inputs and their lots; the PE number), so that a statement
// executed at once is seen by the reads that follow it.
// Failures raise: RuntimeError, TipoSinSigno, or Rechazo.
//
// The rows, in order: the receipt date of the purchase order an incoming
// purchase comes from; then, pass by pass (one; two for a transfer, out of
// IdDeposito and into IdDepositoDestino, and for a production order, "OP",
// the produced lines in and the others out), one V_MV_STOCK row per item of
// every line with an article and a quantity, numbered by Secuencia; then the
// inputs of produced articles taken out lot by lot as a "PE" voucher, and
// the statement recording its number.
//
// The PE number is claimed when its first row is built, in both modes: the
// talonario's PE rows are locked (in V_TA_CPTE, or in the shared
// TA_Comprobantes when the type has none there), the number taken and its
// recording executed at once through `ejecutaYa`, inside the transaction of
// the run, so that no other voucher, in this station or another, takes it
// while this one's rows wait in a batch; a batch never run leaves a gap.
// Without a PE talonario to record it, no number is safe from another
// station in either mode: the run is refused.
//
// Every value goes into the statements through the data layer's literal
// builder: a lot, a serial number or a code holding an apostrophe is stored
// as typed.
class ActualizacionStock {
public:
    using Escritura = std::function<void(const QString& sentencia)>;
    // Runs a statement at once; answers the rows it changed.
    using Ejecucion = std::function<long(const QString& sentencia)>;

    // Raised by Prepara when the rows would take a voucher type that has no
    // stock sign (the operator has been told when it is missing from the
    // voucher table): nothing may be written.
    struct TipoSinSigno {};
    // A run that must write nothing, with the operator's reason: a stock row
    // without a depot, a PE number no talonario holds, a statement the
    // database refused.
    struct Rechazo {
        QString mensaje;
    };

    ActualizacionStock(const ClsCmnCptes& reglas, double PorcentajeIVA, const FlexGrid& MSFlexGrid2,
                       const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                       const QString& Fecha, const ArgumentosStock& Argumentos);

    void Prepara();
    // `escribe` takes the rows (and, in batch mode, the PE numbering) in
    // order; `ejecutaYa` what must reach the database at once whatever the
    // mode: the claim of the PE number.
    void Ejecuta(const Escritura& escribe, const Ejecucion& ejecutaYa);

    // The statement that records the PE number; empty when no input left.
    const QString& NumeracionPE() const { return m_numeracionPE; }
    // The prepared literals, into the caller's variables: the depots and the
    // stock reason, and the origin (that of the last row written when it came
    // from the grid).
    void DevuelveLiterales(ArgumentosStock& Argumentos) const;

private:
    // One stock row of a line: its item's lot and serial number (blank, or
    // right-justified to 25) and quantity.
    struct Item {
        QString lote;
        QString serie;
        double cantidad = 0;
    };

    QString celda(int fila, int columna) const;
    void recibeOrdenDeCompra(const Escritura& escribe) const;
    void pasada(int numero, int signo, const Escritura& escribe);
    void linea(int fila, int numero, int signo, const Escritura& escribe);
    Item item(int fila, int signo, int j) const;
    QString filaStock(int fila, int numero, int signo, const Item& item, std::int32_t pares);
    // The depot literal of a line's row in pass `numero` (0 for its inputs);
    // a row without one is refused.
    QString depositoDeFila(int fila, int numero) const;
    bool lineaVale(int fila) const;
    void leeArticulos();
    QString cuentaDelArticulo(const QString& articulo) const;
    void descargaInsumos(int signo, const Escritura& escribe, const Ejecucion& ejecutaYa);
    void tomaNumeroPE(const Ejecucion& ejecutaYa);
    QString filaInsumo(int fila, int signo, const QString& insumo, const QString& unidad, const QString& lote,
                       double cantidad);
    void siguienteSecuencia(std::int32_t& secuencia) const;

    const ClsCmnCptes& m_reglas;
    const double m_piva;
    const FlexGrid& m_grilla;
    const QString m_tc;
    // The type as the caller gave it: the PE rows name their origin so.
    const QString m_tcDelLlamador;
    const QString m_sucNroLetra;
    const QString m_idComplemento;
    const QString m_fecha;
    const ArgumentosStock m_argumentos;

    // Prepared once.
    struct Literales {
        QString tc;             // the type right-justified to 4
        QString idComprobante;
        QString idComplemento;  // empty for a purchasing type: the column is left out
        QString fecha;
        QString idCaja;         // empty: left out
        QString idDeposito;
        QString idDepositoDestino;
        QString idMotivoStock;
        QString tcOrigen;       // empty while the origin comes from the grid
        QString comprobanteOrigen;
        QString cuenta;         // empty: each article's own
        QString idTecnico;      // empty: left out
    } m_lit;
    bool m_sinDeposito = false;  // the voucher's depot (or the default) is blank
    bool m_sinDestino = false;
    bool m_tipoOrigenDeGrilla = false;
    bool m_comprobanteOrigenDeGrilla = false;
    bool m_compras = false;
    bool m_produccion = false;
    bool m_confirmaUDEquiv = false;
    std::int16_t m_signo = 0;

    // Written on the way.
    std::int32_t m_secuencia = 0;
    // The articles of the voucher, by code in upper case: supplier
    // accounts (literals), and those made of inputs.
    std::map<QString, QString> m_cuentas;
    std::set<QString> m_conInsumos;
    QString m_ultimoTcOrigen;
    QString m_ultimoComprobanteOrigen;
    QString m_idPE;
    std::int32_t m_secuenciaPE = 0;
    QString m_numeracionPE;
};
