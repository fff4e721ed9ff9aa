#pragma once

class FlexGrid;
class TextBox;

// The in-grid cell editor of the data-entry forms: a text box floated over
// the current cell of a read-only flex grid. The typed text reaches the cell
// only when the grid leaves the cell or gets the focus back (Confirma); Esc
// hides the editor first, so the cell keeps its old value.
//
// The procedures are the same on every form; what differs (the editable
// column, which cells open, the field check, what happens at the grid's
// ends) is asked of the form through Host. Each call names the grid and the
// editor it works on, so the editor keeps no state of its own.
class CellEditor {
public:
    class Host {
    public:
        virtual ~Host() = default;
        // The column the operator types into; Enter lands on it in the next row.
        virtual int ColumnaEditable() const = 0;
        // Enter goes down a row only from this column (a form whose editor
        // opens on several columns); from any other it commits and stays.
        // -1: from every column.
        virtual int UltimaColumna() const { return -1; }
        virtual bool ColEdit(long col, long row) = 0;
        virtual void TextPropiedades(TextBox& editor, long column) = 0;
        // The form's check of the editor's text; answers the form's HayError
        // after it (true keeps the editor on its cell).
        virtual bool ValidaEditor(TextBox& editor) = 0;
        // A key pressed on a cell that may not be edited.
        virtual void CeldaNoEditable(FlexGrid& grid) = 0;
        // Enter on the grid's last row.
        virtual void EnterEnUltimaFila(FlexGrid& grid) = 0;
        // True: Enter yields to pending events before the row step and then
        // scrolls; false: the row step first, the yield after, no scroll.
        virtual bool EnterCedeAntes() const = 0;
        // The check passed, before the editor's properties and the move.
        virtual void AntesDeMover(TextBox&) {}
        // After the check passed, before Enter's step down: true when the
        // check took the editor's line out of the grid and the next line
        // moved up into its row, so the row stays. Asked once per check.
        virtual bool LineaSalioDeLaGrilla() { return false; }
        // After every advance key in the editor, whether or not the check passed.
        virtual void TrasTeclaAvance(FlexGrid&) {}
    };

    explicit CellEditor(Host& host) : m_host(host) {}

    // Opens the editor over the grid's current cell, or moves on when the
    // cell may not be edited. A control key (KeyAscii 0 to 32) opens it with
    // the cell's text and the caret at the end; a character opens it holding
    // that character alone.
    void MsflexGridEdt(FlexGrid& grid, TextBox& editor, int KeyAscii);
    // Moves through the grid on Enter (13), Esc (27), Up (38) and Down (40).
    void EditKeyCode(FlexGrid& grid, TextBox& editor, int KeyCode, int Shift);
    // The editor's KeyDown: an advance key checks the text and, when the
    // check passed, moves on. Esc hides the editor unchecked, dropping its
    // text, and gives the focus back to the grid.
    void TeclaEnEditor(FlexGrid& grid, TextBox& editor, int KeyCode);
    // LeaveCell and GotFocus of the grid: a visible editor's text goes into
    // the current cell and the editor hides. A hidden editor writes nothing.
    static void Confirma(FlexGrid& grid, TextBox& editor);
    // When the current cell reaches below the grid's bottom edge, the grid
    // scrolls one row.
    static void Desplaza(FlexGrid& grid);

private:
    Host& m_host;
};
