#pragma once

#include "voucher_dialogs/DialogoDetalle.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <QString>

// The lot-and-series dialog: the lots or serial numbers of one voucher line.
//
// Entry mode (an incoming line): one row per unit of the line's quantity, in
// which the operator types the lot or the serial number of each unit; a lot
// typed on the first row fills the blank rows below (a serial number names
// one unit and fills nothing). The accept writes Lotes (lot mode) or Series
// (serial numbers, each at most once), one item per unit.
//
// Outgoing mode (EsConsultaDeSerieLote): one row per lot and serial number
// in stock in the depot, less what the voucher's other lines already take,
// and the quantity taken from each, proposed first in first out or as the
// line chose earlier. The accept writes Lotes, one "lot ÿ serial" item per
// row that takes something, and Series, the parallel quantities.
//
// An article with both lots and serial numbers is handled by serial number
// alone.
class FrmCargaLotesySeries : public DialogoDetalle, public DialogoCargaLotesySeries {
    Q_OBJECT

public:
    // Outgoing columns; the entry grid's value is column 2 (ColValor).
    enum Columna : int { ColLote = 0, ColSerie = 1, ColStock = 2, ColCantidad = 3 };
    static constexpr int ColItem = 1;
    static constexpr int ColValor = 2;

    explicit FrmCargaLotesySeries(QWidget* parent = nullptr);

    void CmdAceptar_Click() override;
    // Caption, label and grid from the members; every step is skipped on an
    // error and the next one runs.
    void CargaDatos() override;
    void InicializaGrid();
    // Outgoing: the stock rows, the earlier choice's rows no longer in stock
    // and its quantities. Entry: the earlier lots or serial numbers, one per row.
    void VerificaAnteriores();
    // Outgoing: what the voucher's lines take leaves the stock shown; without
    // an earlier choice, the proposal.
    void VerificaExistenciasEnGrilla();
    // Entry: every row whose value is blank takes the value of row 1 (lots).
    void CompletaTodoIgual();
    // Outgoing: the rows' stock taken in order until Cantidad is covered.
    void CompletaCantidades();
    void CampoValida(TextBox& Texto) override;
    double SumaFilas(long MenosCual) const;
    bool ValidaCantidadCantidadPedida() const;
    void Toolbar1_ButtonClick(int Index) override;

    void MuestraArticulo(const QString& texto) override;
    bool MuestraModal() override { return MuestraDialogo(); }

private:
    bool Saliente() const { return EsConsultaDeSerieLote; }
    // The key of a row: lot ÿ serial, each trimmed.
    QString Clave(int fila) const;
    void VerificaAnterioresSalida();
    void VerificaAnterioresEntrada();
    void AceptaSalida();
    void AceptaEntrada();
};
