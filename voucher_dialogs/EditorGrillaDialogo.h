#pragma once

#include "platform/CellEditor.h"

#include <QObject>
#include <functional>
#include <vector>

class FlexGrid;
class QWidget;
class TextBox;

// What sets one dialog's grid editor apart from another's.
struct AjustesEditorGrilla {
    // The columns the editor opens on (fixed columns never open).
    std::vector<int> columnasEditables;
    // The columns that hold a quantity: the editor's DataField is "Cantidad",
    // with no length limit, and only a number can be typed. Any other column:
    // DataField "" and at most 25 characters.
    std::vector<int> columnasCantidad;
    // Enter goes down a row from this column, and stays on it; from any other
    // column Enter puts the text into its cell and stays.
    int ultimaColumna = 0;
    // Enter on the last row, in ultimaColumna: the column that becomes
    // current there, or -1 to give the focus to the dialog's accept button.
    int columnaAlFinal = -1;
    // The editor opens only on rows whose first column holds a key.
    bool soloFilasConClave = false;
    // The longest text a quantity column takes; 0: no limit.
    int largoCantidad = 0;
    // Run once an advance key has put the checked text into its cell, before
    // the move.
    std::function<void()> trasConfirmar = {};
    // Run whenever the editor has put a text into its cell, by a key or by
    // the grid taking the cell back.
    std::function<void()> celdaEscrita = {};
    // Run when a key typed on the grid meets a cell that does not open.
    std::function<void(FlexGrid&)> celdaNoEditable = {};
};

// The in-grid editor of the voucher detail dialogs: the shared cell editor
// (platform/CellEditor.h) over the dialog's grid MSFlexGrid1 and its text box
// txtEdit, wired as every such dialog wires it, with the dialog's settings
// and its field check (CampoValida, which answers the dialog's HayError).
//
// A digit typed on the grid opens the editor holding it; Enter, Up and Down
// check the text and, when the check passes, put it into its cell and move;
// a refused text keeps the editor open on its cell. Esc drops the text
// without checking it. Leaving the cell by the mouse, and the grid taking
// the focus back, check the text too: a refused text is dropped and the cell
// keeps what it held. Before its accept a dialog calls Confirma, so that
// the text still in the editor counts.
class EditorGrillaDialogo : public QObject, private CellEditor::Host {
public:
    using Validacion = std::function<bool(TextBox&)>;

    EditorGrillaDialogo(FlexGrid& grilla, TextBox& editor, QWidget& aceptar, Validacion campoValida,
                        AjustesEditorGrilla ajustes = {});

    void setAjustes(AjustesEditorGrilla ajustes) { m_ajustes = std::move(ajustes); }
    const AjustesEditorGrilla& ajustes() const { return m_ajustes; }

    // The dialog's MsflexGridEdt, EditKeyCode and Text_Propiedades.
    void MsflexGridEdt(FlexGrid& grilla, TextBox& editor, int KeyAscii) { m_editor.MsflexGridEdt(grilla, editor, KeyAscii); }
    void EditKeyCode(FlexGrid& grilla, TextBox& editor, int KeyCode, int Shift)
    {
        m_editor.EditKeyCode(grilla, editor, KeyCode, Shift);
    }
    void Text_Propiedades(TextBox& Texto, long Col);

    // A text still open in the editor is checked and put into its cell.
    // False when the check refused it: the editor stays open with its text.
    bool Confirma();

private:
    int ColumnaEditable() const override { return m_ajustes.ultimaColumna; }
    int UltimaColumna() const override { return m_ajustes.ultimaColumna; }
    bool ColEdit(long col, long row) override;
    void TextPropiedades(TextBox& editor, long column) override { Text_Propiedades(editor, column); }
    bool ValidaEditor(TextBox& editor) override { return m_campoValida(editor); }
    void CeldaNoEditable(FlexGrid& grilla) override;
    void EnterEnUltimaFila(FlexGrid& grilla) override;
    bool EnterCedeAntes() const override { return true; }
    // The checked text goes into its cell at once, before the move.
    void AntesDeMover(TextBox& editor) override;

    // Leaving the cell or the grid taking the focus: a refused text is dropped.
    void ConfirmaOAbandona();
    // The editor's text into the current cell.
    void Escribe(TextBox& editor);
    void conecta();

    FlexGrid& m_grilla;
    TextBox& m_txtEdit;
    QWidget& m_aceptar;
    Validacion m_campoValida;
    AjustesEditorGrilla m_ajustes;
    CellEditor m_editor{*this};
};
