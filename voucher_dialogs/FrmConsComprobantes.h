#pragma once

#include "platform/ImageList.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <QDialog>
#include <QString>
#include <cstdint>

class QPushButton;
class ReportList;

namespace db {
class Recordset;
}

// The voucher picker (the link's DialogoConsComprobantes): lists the stored
// vouchers of one kind (or only the pending ones, for a pseudo kind such as
// "RM/PENDIENTES") and hands the one the operator picks back to its caller;
// for purchase orders, the ones he checks.
//
// Protocol: set TC, Filtro and an empty NroComprobante; Form_Load builds
// the list; MuestraModal shows it through the modal seam; read
// NroComprobante, IdComplemento and Proveedor; destroy it. Accepting (the
// button, Enter or a double click in the list) fills the results and
// unloads the dialog; cancelling or closing it unloads it and fills nothing.
// Purchase orders carry check boxes (Space or a click ticks one): the
// accept returns the ticked ones, comma-separated, or else the selected one.
// Everything runs without showing it.
class FrmConsComprobantes : public QDialog, public DialogoConsComprobantes {
    Q_OBJECT

public:
    explicit FrmConsComprobantes(QWidget* parent = nullptr);
    ~FrmConsComprobantes() override;

    ReportList* const ListView1;
    ImageList ImageList1;
    QPushButton* const CmdAceptar;
    QPushButton* const CmdCancelar;

    // Builds the columns and the rows for TC and Filtro. Errors go to the
    // error dialog: retry, go on with the next step, or leave with the rows
    // added so far.
    void Form_Load() override;
    bool MuestraModal() override;
    void CmdAceptar_Click();
    void CmdCancelar_Click();

    // The columns of the list for TC.
    void Encolumnar();
    // The image (from 1) whose tag matches, both trimmed, without regard to
    // case; "Generico" when none does.
    std::int16_t ObtieneIndiceImagen(const QString& tag) const;

    // A header click sorts by that column (from 1), flipping the order.
    void ListView1_ColumnClick(int Column);
    void ListView1_DblClick() { CmdAceptar_Click(); }
    // Enter accepts, whatever the shift keys; true when the key was used.
    bool ListView1_KeyDown(int KeyCode, int Shift);
    // Empties the list and hides the dialog.
    void Form_Unload();

    // Closing the window unloads it without results.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Adds the record's row: its image, its text and its sub-items, each a
    // step of the load's error trap. False when the operator left the load.
    bool AgregaFila(db::Recordset& rs);
    // Whether any row's check box is ticked (purchase orders).
    bool HayMarcadas() const;
    // Unloads and ends the modal show.
    void Descarga(int resultado);

    bool UsaReferencia = false;
    bool SoloPendientes = false;
};
