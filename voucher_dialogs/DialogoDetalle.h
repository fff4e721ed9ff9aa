#pragma once

#include "voucher_dialogs/EditorGrillaDialogo.h"

#include <QDialog>
#include <QFont>
#include <QHash>
#include <array>
#include <functional>
#include <vector>

class FlexGrid;
class QLabel;
class QPushButton;
class QToolBar;
class TextBox;

// The window shared by the lot-and-position and lot-and-series dialogs: the
// toolbar of two buttons over the grid's quantities, the article's label,
// the grid with its cell editor, and the accept and cancel buttons. The
// dialog itself gives the grid's contents, the field check (CampoValida),
// the toolbar's two actions and the accept; cancelling (the button, or
// closing the window) hides the dialog and leaves its members as they were.
//
// The dialog is loaded as it is built: the library's and the framework's
// set-up of a form have run before anything touches it.
class DialogoDetalle : public QDialog {
    Q_OBJECT

public:
    QToolBar* const Toolbar1;
    QLabel* const lblArticulo;
    FlexGrid* const MSFlexGrid1;
    TextBox* const txtEdit;
    QPushButton* const CmdAceptar;
    QPushButton* const CmdCancelar;

    // The editor's procedures, with this dialog's settings.
    void MsflexGridEdt(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyAscii);
    void EditKeyCode(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyCode, int Shift);
    void Text_Propiedades(TextBox& Texto, long Col);

    // The field check of the editor's text: sets HayError.
    virtual void CampoValida(TextBox& Texto) = 0;
    // The toolbar's buttons, by their index (1: fill the cells below, 2:
    // clear them).
    virtual void Toolbar1_ButtonClick(int Index) = 0;
    virtual void CmdAceptar_Click() = 0;
    void CmdCancelar_Click();

    // Set by CampoValida when it refuses the text; the editor moves on only
    // while it is false.
    bool HayError = false;

protected:
    // `nombre`: the form's name; `titulo`: its caption at design.
    DialogoDetalle(const QString& nombre, const QString& titulo, QWidget* parent);

    // Shown modally through the modal seam; true when accepted.
    bool MuestraDialogo();
    // The accept's last step: the dialog hides itself, accepted.
    void Oculta();
    // A text still open in the editor goes into its cell; false when the
    // field check refused it (the accept then stops, the editor open).
    bool ConfirmaEditor() { return m_editor.Confirma(); }
    // The dialog's editor settings; a text the editor puts into a cell
    // widens its column when it needs more room.
    void setAjustesEditor(AjustesEditorGrilla ajustes);
    // The accept's check of the total chosen against the quantity asked for.
    // Equal: true. Above it, or below it when the dialog is shown: the
    // operator is asked whether the quantity asked for becomes the total
    // (true, `pedido` changed) or is kept (false, after a message naming
    // it). Below it unseen: false after `menorSinMostrar`.
    bool ControlaTotal(double& pedido, double total, bool mostrado, const QString& menorSinMostrar);
    // A refusal told to the operator.
    static void Aviso(const QString& texto);
    // The total of a quantity column over the data rows, leaving out row
    // menosCual (-1: none), as a cell would hold it (vouchers/NumeroCelda.h).
    double SumaColumna(int columna, long menosCual) const;
    // The first-in first-out proposal: row by row, a row that holds what
    // `pedido` still lacks (on top of the quantity it already has) takes it,
    // and one that does not gives its whole stock (below 0 gives nothing).
    // Whether a row holds it is decided on what the rows hold, not on their
    // rounded cells; the row that ends the request takes what the other
    // cells leave of it, so the column adds up to the request as a cell
    // shows it.
    void DistribuyeEnOrden(double pedido, int columnaStock, int columnaCantidad);
    // What a row holds in the line's unit, unrounded: the stock cell unless
    // the dialog kept the number it was written from.
    virtual double DisponibleExacto(int fila, int columnaStock) const;
    // Whether `cantidad` fits in what the row holds. Cells show fifteen
    // significant digits, so a quantity is compared at the precision of the
    // request it is part of: it fits when it is no more than the row holds,
    // give or take half a unit in the fifteenth digit of the request for
    // each row of the grid (what the rounding of the request and of the
    // cells of the rows above can add up to), or no more than the row's
    // stock cell shows.
    bool Cabe(int fila, double cantidad, double pedido, int columnaStock) const;
    // Every row whose cell in the column is blank takes row 1's, trimmed.
    void CompletaColumna(int columna);
    // The rows a load reads, one after the other, each with a cell for every
    // column of the grid.
    class FilasLeidas {
    public:
        explicit FilasLeidas(int columnas) : m_columnas(static_cast<std::size_t>(columnas)) {}
        // Adds a row of empty cells and gives its cells, column c at [c]:
        // valid until the next row is added.
        QString* nueva()
        {
            m_celdas.resize(m_celdas.size() + m_columnas);
            return &m_celdas[m_celdas.size() - m_columnas];
        }
        int size() const { return m_columnas == 0 ? 0 : static_cast<int>(m_celdas.size() / m_columnas); }
        const QString& celda(int fila, int columna) const
        {
            return m_celdas[static_cast<std::size_t>(fila) * m_columnas + static_cast<std::size_t>(columna)];
        }
        QString& celda(int fila, int columna)
        {
            return m_celdas[static_cast<std::size_t>(fila) * m_columnas + static_cast<std::size_t>(columna)];
        }

    private:
        std::size_t m_columnas;
        std::vector<QString> m_celdas;
    };
    // Runs `lee`, which adds the rows it reads to the list it is given, and
    // appends them below the grid's last row, the grid sized once: grown a
    // row at a time it would copy every cell each time. When `lee` fails
    // half-way, the rows it read (the last one as far as it got) are
    // appended all the same and the failure goes on.
    void AgregaFilas(const std::function<void(FilasLeidas& filas)>& lee);
    // The width of a run of n "X" in the form's font, in twips.
    int AnchoDeX(int n) const;
    // The width a column needs to show the text whole, the cell's margins
    // included, in twips.
    int AnchoParaTexto(const QString& texto) const;
    // Once loaded: every shown column as wide as its texts need (a number
    // shows all its digits), the cells the editor never opens on painted
    // in the window's colour so that they do not look editable, and the
    // window as wide as its columns.
    void AjustaGrilla();

    // A window loaded unseen is fitted as it is shown.
    void showEvent(QShowEvent* event) override;

private:
    // Widens the shown columns to their texts, and the window with them;
    // unseen, only once the window is shown.
    void AjustaColumnas();
    // The fonts the widths are measured in changed: what was measured in
    // the others is forgotten.
    void RenuevaMedidas();
    // No less than AnchoParaTexto(texto), in twips, without laying the text
    // out; INT_MAX for a text it cannot bound.
    int CotaDeAncho(const QString& texto);
    // Widens the window so that every column of the grid, the caption and
    // the buttons are in view.
    void AjustaAncho();

    EditorGrillaDialogo m_editor;
    // The width each text measured needs (AnchoParaTexto), measured once in
    // these fonts: a column is fitted again after every typed quantity.
    QHash<QString, int> m_anchos;
    // The fonts AnchoParaTexto measures in: the grid's, its cells' and its
    // header's in bold.
    QFont m_fuentesAnchos[3];
    // For each Latin-1 character, the most it advances in any of those
    // fonts, whole pixels rounded up, plus a pixel for the rounding of a run
    // (-1: not yet asked for).
    std::array<int, 256> m_avances{};
    // What AnchoParaTexto adds to a text's advance at most, in pixels.
    int m_margenCota = 0;
    bool m_ajustePendiente = false;
};
