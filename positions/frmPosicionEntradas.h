#pragma once

#include "DatosPosicionesSql.h"
#include "GrillaFlex.h"
#include "PosicionEntradas.h"

#include "platform/CellEditor.h"

#include <QDialog>

class FlexGrid;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;
class TextBox;

// The position dialog: splits the quantity of one line among storage
// positions of the depot. The caller sets the public members, then calls
// Form_Load; in manual mode it shows the form with prompts().showModal and
// reads the members back when it returns; in automatic mode Form_Load itself
// proposes and accepts, and the form is never shown. One form per line: the
// caller destroys it after reading the answer.
namespace detail {
// The form's own reads, when the caller hands none; a base, so that it
// exists before the dialog's logic that reads through it.
struct DatosDelFormulario {
    DatosPosicionesSql sql;
};
}  // namespace detail

class frmPosicionEntradas : public QDialog,
                            private detail::DatosDelFormulario,
                            public PosicionEntradas,
                            private CellEditor::Host {
    Q_OBJECT

public:
    // `datos`: the form's reads (not owned); the shared connection when null.
    explicit frmPosicionEntradas(QWidget* parent = nullptr, DatosPosiciones* datos = nullptr);
    ~frmPosicionEntradas() override;

    FlexGrid* const MSFlexGrid1;
    TextBox* const txtEdit;
    QLabel* const lblEncabezado;
    QPushButton* const CmdAceptar;
    QPushButton* const CmdCancelar;
    QFrame* const FrmHelp;
    QToolButton* const ImgHelp;
    QLabel* const lblColorNormal;
    QLabel* const lblColorSinEquivalencias;
    QLabel* const lblColorSinUnidadInformada;
    QLabel* const lblColorPosicionInhabilitada;

    // Cleared by CampoValida; the editor's key handling reads it.
    bool HayError = false;
    // The editor's Tag as CampoValida last saw it.
    QString Tag;

    // The load: caption, header, candidate rows, the line's positions and the
    // proposal; in automatic mode it ends with the acceptance. Errors reach
    // the caller.
    void Form_Load();

    // Check of the editor's text (field "Cantidad"): a refused quantity is
    // cleared, the current row moves up one and the reason is shown.
    void CampoValida(TextBox& Texto);
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    // F2 accepts, Esc cancels; true when the key was one of them.
    bool Form_KeyDown(int KeyCode, int Shift);

    // The in-grid editor's procedures.
    void MsflexGridEdt(FlexGrid& grid, TextBox& editor, int KeyAscii);
    void EditKeyCode(FlexGrid& grid, TextBox& editor, int KeyCode, int Shift);
    // Delete writes "0" into the quantity of the current row's position.
    void MsflexKey(FlexGrid& grid, int KeyCode);
    bool ColEdit(long col, long row) override;
    void TextPropiedades(TextBox& editor, long column) override;

    // Closing the window by its frame cancels, as the Cancel button does.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int ColumnaEditable() const override { return ColCantidad; }
    bool ValidaEditor(TextBox& editor) override;
    void CeldaNoEditable(FlexGrid& grid) override;
    void EnterEnUltimaFila(FlexGrid&) override {}
    bool EnterCedeAntes() const override { return false; }
    void TrasTeclaAvance(FlexGrid& grid) override;

    void conecta();
    // Widens the columns to their texts; gives the form's width that shows them.
    int AjustaAnchos();
    // The acceptance itself; the automatic load runs it untrapped, so that
    // a failure reaches the caller.
    void Acepta();
    // A quantity still in the editor when the operator accepts is checked and
    // put into its cell first; false when the check refused it.
    bool ConfirmaEditor();
    void Propiedades();

    GrillaFlex m_celdas;
    CellEditor m_editor;
};
