#include "platform/CellEditor.h"

#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/TextBox.h"
#include "platform/kumozen/KumozenCampos.h"

#include <QCoreApplication>

namespace {

void cede()
{
    QCoreApplication::processEvents();
}

}  // namespace

void CellEditor::Desplaza(FlexGrid& grid)
{
    if (grid.Height() < grid.CellTop() + grid.CellHeight())
        grid.setTopRow(grid.TopRow() + 1);
}

void CellEditor::Confirma(FlexGrid& grid, TextBox& editor)
{
    if (!editor.Visible())
        return;
    grid.setText(editor.text());
    editor.setVisible(false);
}

void CellEditor::MsflexGridEdt(FlexGrid& grid, TextBox& editor, int KeyAscii)
{
    bool editable = false;
    ErrorTrap::showingExceptInvalidCalls(QStringLiteral("MSFLEXGRIDEDT"))
        .run({
            [&] { editable = m_host.ColEdit(grid.Col(), grid.Row()); },
            [&] {
                if (editable)
                    editor.Move(grid.Left() + grid.CellLeft(), grid.Top() + grid.CellTop(), grid.CellWidth(),
                                grid.CellHeight());
            },
            [&] {
                if (editable) {
                    editor.setVisible(true);
                    editor.raise();
                }
            },
            [&] {
                if (editable)
                    m_host.TextPropiedades(editor, grid.Col());
            },
            [&] {
                if (!editable)
                    return;
                if (KeyAscii >= 0 && KeyAscii <= keys::Space) {
                    editor.setText(grid.Text());
                    editor.setSelStart(1000);
                } else {
                    editor.setText(QString(QChar(KeyAscii)));
                    editor.setSelStart(1);
                }
            },
            [&] {
                if (editable)
                    Desplaza(grid);
            },
            [&] {
                if (editable)
                    editor.SetFocus();
                else
                    m_host.CeldaNoEditable(grid);
            },
        });
}

void CellEditor::EditKeyCode(FlexGrid& grid, TextBox& editor, int KeyCode, int)
{
    const ErrorTrap::Step foco = [&] { grid.SetFocus(); };
    const ErrorTrap::Step desplaza = [&] { Desplaza(grid); };
    const ErrorTrap::Step siguienteFila = [&] {
        const int ultima = m_host.UltimaColumna();
        if (ultima >= 0 && grid.Col() != ultima)
            return;
        if (m_host.LineaSalioDeLaGrilla()) {
            grid.setCol(m_host.ColumnaEditable());
            return;
        }
        if (grid.Row() < grid.Rows() - 1) {
            grid.setRow(grid.Row() + 1);
            grid.setCol(m_host.ColumnaEditable());
        } else {
            m_host.EnterEnUltimaFila(grid);
        }
    };
    std::vector<ErrorTrap::Step> pasos;
    switch (KeyCode) {
    case keys::Enter:
        if (m_host.EnterCedeAntes())
            pasos = {foco, cede, siguienteFila, desplaza};
        else
            pasos = {foco, siguienteFila, cede};
        break;
    case keys::Escape:
        pasos = {[&] { editor.setVisible(false); }, foco, desplaza};
        break;
    case keys::Up:
        pasos = {foco, cede,
                 [&] {
                     if (grid.Row() > grid.FixedRows())
                         grid.setRow(grid.Row() - 1);
                 },
                 desplaza};
        break;
    case keys::Down:
        pasos = {foco, cede,
                 [&] {
                     if (grid.Row() < grid.Rows() - 1) {
                         grid.setRow(grid.Row() + 1);
                         grid.setCol(0);
                     }
                 },
                 desplaza};
        break;
    default:
        pasos = {desplaza};
        break;
    }
    ErrorTrap::showingExceptInvalidCalls(QStringLiteral("EditKeyCode")).run(pasos);
}

void CellEditor::TeclaEnEditor(FlexGrid& grid, TextBox& editor, int KeyCode)
{
    // Esc gives the typed text up: it is never checked, so nothing the
    // operator meant to abandon can be saved, and a refused text never keeps
    // the operator from leaving it.
    if (KeyCode == keys::Escape) {
        EditKeyCode(grid, editor, KeyCode, 0);
        return;
    }
    bool avance = false;
    bool hayError = true;
    ErrorTrap::skipping().run({
        [&] { avance = KumozenCampos().EsTeclaAvance(KeyCode); },
        [&] {
            if (avance)
                hayError = m_host.ValidaEditor(editor);
        },
        [&] {
            if (avance && !hayError)
                m_host.AntesDeMover(editor);
        },
        [&] {
            if (avance && !hayError)
                m_host.TextPropiedades(editor, grid.Col());
        },
        [&] {
            if (avance && !hayError)
                EditKeyCode(grid, editor, KeyCode, 0);
        },
        [&] {
            if (avance)
                m_host.TrasTeclaAvance(grid);
        },
    });
}
