#include "voucher_dialogs/EditorGrillaDialogo.h"

#include "core/Objetos.h"
#include "platform/Buttons.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/TextBox.h"

#include <algorithm>

namespace {

bool contiene(const std::vector<int>& columnas, long col)
{
    return std::find(columnas.begin(), columnas.end(), col) != columnas.end();
}

}  // namespace

EditorGrillaDialogo::EditorGrillaDialogo(FlexGrid& grilla, TextBox& editor, QWidget& aceptar, Validacion campoValida,
                                         AjustesEditorGrilla ajustes)
    : QObject(&grilla),
      m_grilla(grilla),
      m_txtEdit(editor),
      m_aceptar(aceptar),
      m_campoValida(std::move(campoValida)),
      m_ajustes(std::move(ajustes))
{
    conecta();
}

void EditorGrillaDialogo::Text_Propiedades(TextBox& Texto, long Col)
{
    Texto.setDataField(QString());
    Texto.SetMaxLength(25);
    Texto.setTag(QString());
    Texto.setKind(FieldKind::Free);
    if (contiene(m_ajustes.columnasCantidad, Col)) {
        Texto.setDataField(QStringLiteral("Cantidad"));
        Texto.SetMaxLength(m_ajustes.largoCantidad);
        Texto.setKind(FieldKind::Number);
    }
}

bool EditorGrillaDialogo::Confirma()
{
    if (!m_txtEdit.Visible())
        return true;
    if (m_campoValida(m_txtEdit))
        return false;
    Escribe(m_txtEdit);
    return true;
}

void EditorGrillaDialogo::Escribe(TextBox& editor)
{
    const bool abierto = editor.Visible();
    CellEditor::Confirma(m_grilla, editor);
    if (abierto && m_ajustes.celdaEscrita)
        m_ajustes.celdaEscrita();
}

bool EditorGrillaDialogo::ColEdit(long col, long row)
{
    return col >= m_grilla.FixedCols() && row >= m_grilla.FixedRows() && contiene(m_ajustes.columnasEditables, col)
        && (!m_ajustes.soloFilasConClave || !m_grilla.TextMatrix(static_cast<int>(row), 0).trimmed().isEmpty());
}

void EditorGrillaDialogo::CeldaNoEditable(FlexGrid& grilla)
{
    if (m_ajustes.celdaNoEditable)
        m_ajustes.celdaNoEditable(grilla);
}

void EditorGrillaDialogo::EnterEnUltimaFila(FlexGrid& grilla)
{
    if (m_ajustes.columnaAlFinal >= 0)
        grilla.setCol(m_ajustes.columnaAlFinal);
    else
        focusFromKeyboard(m_aceptar);
}

void EditorGrillaDialogo::AntesDeMover(TextBox& editor)
{
    Escribe(editor);
    if (m_ajustes.trasConfirmar)
        m_ajustes.trasConfirmar();
}

void EditorGrillaDialogo::ConfirmaOAbandona()
{
    if (!Confirma())
        m_txtEdit.setVisible(false);
}

void EditorGrillaDialogo::conecta()
{
    connect(&m_grilla, &FlexGrid::KeyPress, this, [this](int& KeyAscii) {
        ErrorTrap::runHandler("MSFlexGrid1_KeyPress", [&] { MsflexGridEdt(m_grilla, m_txtEdit, KeyAscii); });
    });
    connect(&m_grilla, &FlexGrid::LeaveCell, this,
            [this] { ErrorTrap::runHandler("MSFlexGrid1_LeaveCell", [this] { ConfirmaOAbandona(); }); });
    connect(&m_grilla, &FlexGrid::GotFocus, this,
            [this] { ErrorTrap::runHandler("MSFlexGrid1_GotFocus", [this] { ConfirmaOAbandona(); }); });
    connect(&m_txtEdit, &TextBox::KeyPress, this, [this](int& KeyAscii) {
        // Enter and Esc act as keys (KeyDown); as characters they would reach
        // the dialog, whose Esc closes it.
        if (KeyAscii == keys::Enter || KeyAscii == keys::Escape) {
            KeyAscii = 0;
            return;
        }
        ErrorTrap::runHandler("txtEdit_KeyPress", [&] { ObjCampos().FiltraTecla(&m_txtEdit, KeyAscii); });
    });
    connect(&m_txtEdit, &TextBox::KeyDown, this, [this](int& KeyCode, int) {
        ErrorTrap::runHandler("txtEdit_KeyDown", [&] { m_editor.TeclaEnEditor(m_grilla, m_txtEdit, KeyCode); });
    });
}
