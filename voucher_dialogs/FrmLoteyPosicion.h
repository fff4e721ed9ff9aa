#pragma once

#include "voucher_dialogs/DialogoDetalle.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <QString>
#include <vector>

// The lot-and-position dialog: from which storage positions of a depot, and
// from which lots, the quantity of one voucher line is taken. The grid lists
// the article's positive balances per position (and lot) in first-in
// first-out order, each converted into the line's unit, and last the
// depot's balance in no position; it proposes a spread of the quantity
// asked for, or shows the choice made earlier. The accept checks the total
// and writes the position*quantity list and its parallel lot list
// (vouchers/ListasSerieLote.h).
//
// Modes: positions and lots (EsLote), or positions alone. A request for lots
// alone is answered as positions and lots: a lot is taken from the
// positions that hold it, and the position list carries its quantity.
class FrmLoteyPosicion : public DialogoDetalle, public DialogoLoteyPosicion {
    Q_OBJECT

public:
    enum Columna : int { ColPosicion = 0, ColLote = 1, ColUnidad = 2, ColDisponible = 3, ColCantidad = 4 };

    explicit FrmLoteyPosicion(QWidget* parent = nullptr);

    // The accept: when the total differs from Cantidad1 the operator is
    // asked or told (the dialog then stays open); otherwise the lists are
    // written and the dialog hides.
    void CmdAceptar_Click() override;
    // Caption, label and grid from the members; every step is skipped on an
    // error and the next one runs.
    void CargaDatos() override;
    void InicializaGrid();
    // The balance rows, the depot row, then the earlier choice or the proposal.
    void VerificaAnteriores();
    // Copies the unit of row 1 into every row whose unit is blank.
    void CompletaTodoIgual();
    // The quantity typed: a number, not below 0 and not above the row's
    // available balance (see DialogoDetalle::Cabe).
    void CampoValida(TextBox& Texto) override;
    // The total of "CANT." over the data rows, leaving out row MenosCual
    // (-1: none).
    double SumaFilas(long MenosCual) const;
    // Whether the total equals Cantidad1.
    bool ValidaCantidadCantidadPedida() const;
    void Toolbar1_ButtonClick(int Index) override;

    void MuestraArticulo(const QString& texto) override;
    bool MuestraModal() override { return MuestraDialogo(); }

    // The row of the depot's balance in no position; -1 when it has none.
    int FilaDeposito() const { return m_filaDeposito; }

private:
    bool ConLotes() const { return EsLote; }
    // The first-in first-out proposal of Cantidad1 over the rows
    // (DialogoDetalle::DistribuyeEnOrden).
    void DistribuyeCantidad();
    void DescomponeAnteriores(std::vector<QString>& posiciones, std::vector<QString>& cantidades,
                              std::vector<QString>& lotes) const;
    void CargaSaldos();
    void AgregaFilaDeposito();
    void MuestraAnteriores(const std::vector<QString>& posiciones, const std::vector<QString>& cantidades,
                           const std::vector<QString>& lotes);
    // A balance in the line's unit.
    double EnUnidadDeLinea(const QString& unidad, double saldo) const;
    // What the row's balance converted into, before it was written with the
    // fifteen digits a cell shows: a third of a box held as a unit is the
    // unit, not 0.333333333333333 of a box.
    double DisponibleExacto(int fila, int columnaStock) const override;

    int m_filaDeposito = -1;
    // By grid row (row 0 unused), for the rows loaded.
    std::vector<double> m_disponibles;
};
