#pragma once

#include "platform/ImageList.h"

#include <QDialog>
#include <QString>
#include <cstdint>

class QPushButton;
class ReportList;

namespace db {
class Recordset;
}

// The voucher picker: lists the stored vouchers of one kind (or only the
// pending ones, for a pseudo kind such as "RM/PENDIENTES") and hands the one
// the operator picks back to its caller; for purchase orders, the ones he
// checks.
//
// Protocol: set TC, Filtro and an empty NroComprobante; Form_Load builds
// the list; show it modally through the modal seam (Muestra does both);
// read NroComprobante, IdComplemento and Proveedor; destroy it. Accepting
// (the button, Enter or a double click in the list) fills the results and
// unloads the dialog; cancelling or closing it unloads it and fills nothing.
// Everything runs without showing it.
class FrmConsComprobantes : public QDialog {
    Q_OBJECT

public:
    explicit FrmConsComprobantes(QWidget* parent = nullptr);
    ~FrmConsComprobantes() override;

    // The kind or pseudo kind to list; the load leaves the base kind here.
    QString TC;
    // A condition over the statement's columns, joined with AND, written by
    // the calling program (never an operator's text): it goes into the
    // statement as it stands. Empty: none.
    QString Filtro;
    // Results: the picked voucher (for "OC", the checked ones joined by
    // commas), its complement ("0" for kinds without one) and its supplier.
    QString NroComprobante;
    QString IdComplemento;
    QString Proveedor;

    ReportList* const ListView1;
    ImageList ImageList1;
    QPushButton* const CmdAceptar;
    QPushButton* const CmdCancelar;

    // Builds the columns and the rows for TC and Filtro. Errors go to the
    // error dialog: retry, go on with the next step, or leave with the rows
    // added so far.
    void Form_Load();
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    // Form_Load, then the modal show; returns when the dialog is unloaded.
    void Muestra();

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
    // Unloads and ends the modal show.
    void Descarga(int resultado);

    bool UsaReferencia = false;
    bool SoloPendientes = false;
};
