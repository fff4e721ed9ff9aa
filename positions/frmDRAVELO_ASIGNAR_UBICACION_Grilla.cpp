// The grid's cell editor on the start-up form: only a line's transfer
// quantity is typed, and confirming it runs the road of the line.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

#include "LineasSinPosicion.h"

#include "core/Objetos.h"
#include "grid/VrDbGrid.h"
#include "platform/CellEditor.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/TextBox.h"
#include "platform/Value.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTableView>
#include <utility>

using Form = frmDRAVELO_ASIGNAR_UBICACION;

int Form::EditorHost::ColumnaEditable() const
{
    return columnaLinea::Transferir;
}

bool Form::EditorHost::ColEdit(long col, long row)
{
    return f.ColEdit(col, row);
}

void Form::EditorHost::TextPropiedades(TextBox& editor, long column)
{
    f.TextPropiedades(editor, column);
}

bool Form::EditorHost::ValidaEditor(TextBox& editor)
{
    f.m_lineaSalio = false;
    bool avanza = true;
    f.CampoValida(editor, avanza);
    return f.HayError;
}

// The grid moves one row down by its own key handling, so that a Down on the
// page's last row turns the page as the operator's own would.
void Form::EditorHost::CeldaNoEditable(FlexGrid& grid)
{
    if (grid.Row() == grid.Rows() - 1)
        return;
    QKeyEvent abajo(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(grid.view(), &abajo);
}

bool Form::EditorHost::LineaSalioDeLaGrilla()
{
    return std::exchange(f.m_lineaSalio, false);
}

void Form::EditorHost::EnterEnUltimaFila(FlexGrid& grid)
{
    if (f.VrDbGrid1->PaginaActual() != f.VrDbGrid1->UltimaPagina())
        return;
    grid.setRow(grid.Rows() - 1);
    grid.setCol(columnaLinea::Transferir);
}

void Form::EditorHost::AntesDeMover(TextBox& editor)
{
    f.ControlActivo = &editor;
}

void frmDRAVELO_ASIGNAR_UBICACION::MsflexKey(FlexGrid&, int&) {}

void frmDRAVELO_ASIGNAR_UBICACION::MsflexGridEdt(FlexGrid& grid, TextBox& editor, int KeyAscii)
{
    m_editor.MsflexGridEdt(grid, editor, KeyAscii);
}

void frmDRAVELO_ASIGNAR_UBICACION::EditKeyCode(FlexGrid& grid, TextBox& editor, int KeyCode, int Shift)
{
    m_editor.EditKeyCode(grid, editor, KeyCode, Shift);
}

bool frmDRAVELO_ASIGNAR_UBICACION::ColEdit(long col, long row)
{
    const FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    if (col != columnaLinea::Transferir || row < grid.FixedRows() || row >= grid.Rows()
        || grid.Cols() <= columnaLinea::IdArticulo)
        return false;
    return !grid.TextMatrix(static_cast<int>(row), columnaLinea::IdArticulo).trimmed().isEmpty();
}

void frmDRAVELO_ASIGNAR_UBICACION::TextPropiedades(TextBox& editor, long column)
{
    editor.setMaxLength(25);
    // One editor serves every column: the article's lookup goes with the
    // article column only, or a lookup on a quantity would feed it a code.
    editor.setTag(QString());
    switch (column) {
    case columnaLinea::IdArticulo:
        editor.setDataField(QStringLiteral("IDARTICULO"));
        editor.setTag(QStringLiteral("v_ma_articulos"));
        break;
    case columnaLinea::Cantidad: editor.setDataField(QStringLiteral("Cantidad")); break;
    case columnaLinea::Transferir:
        editor.setDataField(QStringLiteral("CantidadATransferir"));
        editor.setMaxLength(11);
        break;
    default: editor.setDataField(QString()); break;
    }
}

bool frmDRAVELO_ASIGNAR_UBICACION::ExisteArticuloEnGrid(const QString& Valor, long Fila, long& FilaEncontrada)
{
    const FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    const QString buscado = Valor.trimmed();
    for (int fila = 1; fila < grid.Rows(); ++fila) {
        if (fila == Fila)
            continue;
        if (lang::sameText(grid.TextMatrix(fila, columnaLinea::IdArticulo).trimmed(), buscado)) {
            FilaEncontrada = fila;
            return true;
        }
    }
    return false;
}

// --- the grid's relayed events --------------------------------------------------

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_MsFlexGridClick()
{
    ControlActivo = VrDbGrid1->txtEdit;
    TextPropiedades(*VrDbGrid1->txtEdit, VrDbGrid1->MsFlexGrid->Col());
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_MsFlexGridEnterCell()
{
    ControlActivo = VrDbGrid1->txtEdit;
    TextPropiedades(*VrDbGrid1->txtEdit, VrDbGrid1->MsFlexGrid->Col());
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_MsFlexGridGotFocus()
{
    ControlActivo = VrDbGrid1->txtEdit;
    TextPropiedades(*VrDbGrid1->txtEdit, VrDbGrid1->MsFlexGrid->Col());
    CellEditor::Confirma(*VrDbGrid1->MsFlexGrid, *VrDbGrid1->txtEdit);
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_MSFlexGridKeyDown(int& KeyCode, int)
{
    TextBox& editor = *VrDbGrid1->txtEdit;
    MsflexKey(*VrDbGrid1->MsFlexGrid, KeyCode);
    ControlActivo = &editor;
    TextPropiedades(editor, VrDbGrid1->MsFlexGrid->Col());
    editor.setText(editor.text().trimmed());
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_MSFlexGridKeyPress(int& KeyAscii)
{
    MsflexGridEdt(*VrDbGrid1->MsFlexGrid, *VrDbGrid1->txtEdit, KeyAscii);
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_MSFlexGridLeaveCell()
{
    CellEditor::Confirma(*VrDbGrid1->MsFlexGrid, *VrDbGrid1->txtEdit);
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_MSFlexGridMouseDown(int Button, int, float, float)
{
    if (Button == 2)
        CmdConsultar();
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_txtEditGotFocus()
{
    ControlActivo = VrDbGrid1->txtEdit;
    TextPropiedades(*VrDbGrid1->txtEdit, VrDbGrid1->MsFlexGrid->Col());
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_txtEditKeyDown(int& KeyCode, int)
{
    m_editor.TeclaEnEditor(*VrDbGrid1->MsFlexGrid, *VrDbGrid1->txtEdit, KeyCode);
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_txtEditKeyPress(int& KeyAscii)
{
    TextBox& editor = *VrDbGrid1->txtEdit;
    ControlActivo = &editor;
    TextPropiedades(editor, VrDbGrid1->MsFlexGrid->Col());
    ObjCampos().FiltraTecla(&editor, KeyAscii);
}
