#pragma once

#include "GrillaCeldas.h"

#include "platform/Currency.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <vector>

// Row colours of the position grid (0x00BBGGRR). Only a white row takes a
// proposed or typed quantity.
namespace colorPosicion {
constexpr std::uint32_t Habilitada = 0xFFFFFF;
constexpr std::uint32_t SinEquivalencias = 0xE0E0E0;
constexpr std::uint32_t SinUnidad = 0xC0C0C0;
constexpr std::uint32_t Inhabilitada = 0x54FF;
}  // namespace colorPosicion

// One candidate position as the database gives it; capacity and balance are
// in the position's own unit.
struct FilaPosicion {
    QString IdPosicion;
    QString Descripcion;
    QString OrdenIngreso;
    QString IdUnidad;
    QVariant Habilitado;
    double Capacidad = 0;
    double SaldoPosicion = 0;
};

// What the position dialog reads of the database.
class DatosPosiciones {
public:
    virtual ~DatosPosiciones() = default;
    // The proposal's list: codes in order, closed by one empty element.
    virtual QStringList ProponePosiciones(const QString& idArticulo, const QString& idDeposito) = 0;
    // The rows of the proposed positions of the depot, in any order.
    virtual std::vector<FilaPosicion> LeePosiciones(const QString& idDeposito, const QStringList& propuestas) = 0;
    // The article's equivalence between two units, as the stock rules find it
    // (EquivalenciaEntreUnidades): a quantity in unidadEquiv, converted by
    // AplicaEquivalencia with `operador` and `coeficiente`, is in `unidad`.
    // False without one; the two are then left alone.
    virtual bool Equivalencia(const QString& idArticulo, const QString& unidad, const QString& unidadEquiv,
                              QString& operador, double& coeficiente) = 0;
    // Whether the article has an equivalence between its own unit and `unidad`.
    virtual bool IdArticuloTieneEquivalencias(const QString& idArticulo, const QString& unidad) = 0;
};

// The logic of the position dialog over its grid: the candidate rows with
// capacity, free space and colour, the line's own positions, the quantity
// proposal, the check of a typed quantity, acceptance, cancellation and the
// result lists. The public members are the dialog's interface: the caller
// writes the inputs, loads it, and reads the outputs back.
class PosicionEntradas {
public:
    enum Columna { ColPosicion = 0, ColDescripcion, ColOrdenIngreso, ColUnidadPosicion, ColUnidadArticulo,
                   ColCapacidad, ColDisponible, ColCantidad, Columnas };

    PosicionEntradas(DatosPosiciones& datos, GrillaCeldas& grilla);
    virtual ~PosicionEntradas() = default;

    // --- inputs and outputs -------------------------------------------------
    QString eIdArticulo;
    QString eDescripcion;
    QString eIdDeposito;
    QString eDepositoDescripcion;
    QString eUnidadArticulo;
    double eCantidadPedida = 0;
    bool ePermiteModificarCantidadesParaArriba = false;
    bool ePermiteModificarCantidadesParaAbajo = false;
    bool eProposicionAutomatica = false;
    // The line belongs to a reopened voucher: its incoming positions and
    // quantities are stored, so the balances already count them.
    bool eComprobanteExistente = false;
    QString Cantidades;
    QString Posiciones;
    QString CantidadesEnELFORMULARIO;
    QString PosicionesEnELFORMULARIO;

    // --- operations ---------------------------------------------------------
    // The whole load after the grid exists: headers, candidate rows, the
    // line's positions, the quantity proposal. `avance` receives the progress
    // texts (manual mode shows them).
    void Carga(const std::function<void(const QString&)>& avance = {});
    void InicializaGrid();
    void CargaPosiciones();
    void AsignarDatos();
    void ProponeCantidades();
    double CantidadEnGrilla() const;
    void TomarDatos();
    void BorraDatos();
    bool ExisteEnGrid(const QString& Valor, long Fila, long& FilaEncontrada) const;

    // The message that refuses a quantity typed into a row's quantity cell,
    // or "" when it passes (a blank text passes).
    QString RechazoCantidad(int fila, const QString& texto) const;

    // Acceptance: compares the informed total with the requested quantity,
    // asks or warns in manual mode, and writes the result lists. True when
    // the dialog closes with its answer.
    bool Aceptar();
    // Cancellation: the caller reads 0 and two empty lists.
    void Cancelar() { BorraDatos(); }
    // The automatic proposal's road: the load, then the acceptance of what it
    // proposed, nothing shown. A load that fails leaves no answer (0 and two
    // empty lists) and reaches the caller.
    void CargaYAcepta();

    QString Titulo() const;
    QString Encabezado() const;
    static QString EncabezadoColumna(int col);
    // The sample text whose width is the column's width.
    static QString MuestraAncho(int col);

    bool EsFilaHabilitada(int fila) const;

private:
    void SumaCantidadPosicion(const QString& posicion, Currency cantidad);
    void PintaFila(int fila, std::uint32_t color);
    Currency Total() const;
    bool EsFilaDePosicion(int fila) const;

    DatosPosiciones& m_datos;
    GrillaCeldas& m_grilla;
};
