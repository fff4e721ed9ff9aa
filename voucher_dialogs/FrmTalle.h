#pragma once

#include "voucher_dialogs/EditorGrillaDialogo.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TextBox;

// The size dialog (the link's DialogoTalle): the quantity of one article
// line split by size, colour and sex. An entry line of three lists and a
// quantity adds one combination at a time to the grid, keyed "M-ROJO-H"
// (size, colour, first letter of the sex); the same combination entered
// again adds up. The quantity box proposes what the grid still lacks of
// CantidadPedida. The accept checks the grid's total against the request
// and hands the rows back as TalleColorSexo (|M-ROJO-H|L-AZUL-U|) and the
// parallel Cantidades (|2|3|); the cancel leaves "" and "0".
//
// Protocol: set the members, Form_Load, MuestraModal (F2 accepts and Esc
// cancels, whatever has the focus), read the members back, destroy it.
// Every step runs without showing it. The enabled sizes and colours are the
// settings "TallesHabilitados" and "ColoresHabilitados" (lists split at
// commas, items as written); without either, the lists stay empty and the
// entry line is disabled.
class FrmTalle : public QDialog, public DialogoTalle {
    Q_OBJECT

public:
    explicit FrmTalle(QWidget* parent = nullptr);
    ~FrmTalle() override;

    QGroupBox* const Frame1;
    // The captions "Color", "Sexo", "Cantidad" (0 to 2) and "Talle" (4).
    QLabel* Label5[5] = {};
    QComboBox* const dpdTalle;
    QComboBox* const dpdColor;
    QComboBox* const dpdSexo;
    TextBox* const txtCantidad;
    FlexGrid* const MSFlexGrid1;
    TextBox* const txtEdit;
    QPushButton* const CmdAceptar;
    QPushButton* const CmdCancelar;

    void Form_Load() override;
    bool MuestraModal() override;

    // The grid's total: the quantities of the rows that hold a key.
    double CantidadEnGrilla() const;
    // The lists, the earlier choice and the article's defaults.
    void AsignarDatos();
    // TalleColorSexo and Cantidades from the rows with a key and a quantity
    // above 0, in the grid's order.
    void TomarDatos();
    // Talle, Color, Sexo and TalleColorSexo empty; Cantidades "0".
    void BorraDatos();
    // The editor's check: a quantity that is not a number is emptied and
    // told; an empty one passes (it removes its row). True: refused.
    bool CampoValida(TextBox& Texto, bool xNumero = false);
    // Delete removes the current row; row 1 is blanked instead.
    void MsflexKey(FlexGrid& MsFlexGrid, int KeyCode);
    void EditKeyCode(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyCode, int Shift);
    void MsflexGridEdt(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyAscii);
    // Only the quantity of a row with a key.
    bool ColEdit(long Col, long Row) const;
    void TextPropiedades(TextBox& Texto, long Columna);
    void BlanqueaFila(FlexGrid& MsFlexGrid, long Fila, long Desde);
    // The first row from the top, other than Fila (-1: none), whose key
    // equals Valor, both trimmed, without regard to case.
    bool ExisteEnGrid(const QString& Valor, long Fila, long& FilaEncontrada) const;

    // Enter in a list moves on along the entry line; true when it was Enter.
    bool EntradaKeyPress(QComboBox& lista, int KeyAscii);
    // Enter in the quantity box adds the combination.
    void txtCantidad_KeyPress(int& KeyAscii);
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    // F2 accepts, Esc cancels; true when the key was one of them.
    bool Form_KeyDown(int KeyCode, int Shift);

    // Closing the window cancels, as the Cancel button does.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InicializaGrilla();
    void ActualizaRestante();
    // Both columns as wide as their texts need (a quantity shows all its
    // digits), and the grid and the window with them.
    void AjustaColumnas();
    void AgregaEnGrilla(const QString& talle, const QString& color, const QString& sexo, const QString& cantidad);
    // After an edit: a row left empty or at 0 goes, and the proposal follows.
    void TrasEditar();
    void conecta();

    // The enabled sizes and colours; empty when a setting is missing.
    std::vector<QString> m_talles;
    std::vector<QString> m_colores;
    EditorGrillaDialogo m_editor;
};
