#pragma once

#include "positions/GrabacionTransferencia.h"
#include "positions/LineaTransferencia.h"
#include "positions/ResultadoTransferencia.h"

#include "platform/CellEditor.h"
#include "platform/db/Recordset.h"

#include <QMainWindow>
#include <QString>
#include <vector>

class FlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TextBox;
class VrDbGrid;
class VrUtil;

// The program's main window, "Asignacion de Posiciones": the header of the
// TRP transfer voucher being built, the receiving-voucher filter, and the
// grid of a depot's stock without position. The operator types how much of a
// line goes to positions, places it in the position dialog, and the line is
// saved at once as part of the voucher. Typing the letter of a saved
// voucher's number reopens it, so that its lines can move between positions.
//
// Two modes: header mode (header and filter editable, grid disabled) and
// lines mode (header locked, grid enabled). Everything the operator can do
// is a public member, callable without showing the window. The statements a
// line saves, the reopening's work-table rows, the voucher number and the
// field checks live apart (GrabacionTransferencia, ReaperturaTransferencia,
// ComprobanteTransferencia, ValidacionAsignacion); the form gathers the
// cells and fields they need and shows their outcome.
//
// A line's road: the grid's editor confirms the transfer cell (CampoValida,
// ValidaCantidadATransferir), and the automatic proposal takes each line's
// whole quantity; both run TransfiereLinea, which checks the quantity, asks
// the position dialog (PidePosiciones) and saves the line (GrabaLinea), and
// answers a ResultadoTransferencia.
//
// The toolbar's commands (VrUtil1_click, ActualizarDatos), the automatic
// proposal over a page (cmdProponer_Click), the transfer of a line
// (TransfiereLinea) and the lookups (CmdConsultar) each have a file of their
// own.
class frmDRAVELO_ASIGNAR_UBICACION : public QMainWindow {
    Q_OBJECT

public:
    explicit frmDRAVELO_ASIGNAR_UBICACION(QWidget* parent = nullptr);
    ~frmDRAVELO_ASIGNAR_UBICACION() override;

    // --- controls -----------------------------------------------------------
    QGroupBox* const FrmEncABEZADO;
    QComboBox* const CmbLista;
    // The header and filter fields, by index: LETRA, NUMERO, IdDeposito,
    // FECHA, SUCURSAL_IR, NUMERO_IR, LETRA_IR, SUCURSAL. Code finds one by
    // its DataField (Campo); only walks over all of them use the index.
    std::vector<TextBox*> TxtFields;
    std::vector<QLabel*> lblTitulo;  // 0 and 2
    std::vector<QLabel*> Label5;     // 1 and 2
    QLabel* const LblDescDeposito;
    VrUtil* const VrUtil1;
    QGroupBox* const FRMfILTRO;
    QPushButton* const cmdFiltrar;
    QGroupBox* const frmGrillas;
    QLabel* const LblDetalle;
    QPushButton* const cmdProponer;
    VrDbGrid* const VrDbGrid1;

    // --- state --------------------------------------------------------------
    // The header holds a new voucher, not saved yet or being built.
    bool NuevoComprobante = false;
    bool Borrando = false;
    // The header names a saved voucher that was reopened.
    bool ComprobanteExistente = false;
    // The voucher's number is its own: its first line is saved.
    bool NumeroFijado = false;
    // The automatic proposal over a page is running.
    bool PropuestaAutomatica = false;
    // The last field check refused its value, or the line's save failed.
    bool HayError = false;
    // The text box lookups and the proposal act on: the header field last
    // focused or clicked, or the grid's cell editor.
    TextBox* ControlActivo = nullptr;
    QString TablaActiva;
    db::Recordset RsFormulario;
    QString NombreReporte;

    // The field bound to `dataField` (without regard to case); nullptr when
    // no field is.
    TextBox* Campo(const QString& dataField) const;

    // --- operations ---------------------------------------------------------
    void AbrirRecordset(const QString& Tabla);
    // A new voucher in header mode, its number proposed.
    void Inicializa();
    // Proposes the next TRP number into the header, unless it is fixed.
    void AsignarNumeroComprobante();
    // Lines mode (on) or header mode.
    void Detalleon(bool on);
    // Turns the voucher RsFormulario holds into editable lines.
    void AsignarDatos();
    bool DatosValidos(bool& Avanza);
    // Checks (and pads) a header or filter field, or confirms the transfer
    // cell (TransfiereLinea for the grid's current line). Outcome in HayError.
    void CampoValida(TextBox& Control, bool& Avanza);
    // The transfer of one line: the quantity checked against the line,
    // placed in positions through the position dialog (shown, or in the
    // automatic proposal loaded unseen to accept its own proposal), the
    // dialog's answer written into the line, and the line saved into the
    // voucher of the header.
    ResultadoTransferencia TransfiereLinea(int fila, const QString& cantidad);
    void CmdConsultar();
    void ActualizarDatos();

    // --- the grid's cell editor ---------------------------------------------
    void MsflexKey(FlexGrid& grid, int& KeyCode);
    void EditKeyCode(FlexGrid& grid, TextBox& editor, int KeyCode, int Shift);
    void MsflexGridEdt(FlexGrid& grid, TextBox& editor, int KeyAscii);
    // Only the transfer column of a line with an article takes typing.
    bool ColEdit(long col, long row);
    void TextPropiedades(TextBox& editor, long column);
    bool ExisteArticuloEnGrid(const QString& Valor, long Fila, long& FilaEncontrada);

    // --- event handlers -----------------------------------------------------
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Form_KeyDown(int& KeyCode, int Shift);
    void CmbLista_KeyDown(int& KeyCode, int Shift);
    void CmbLista_KeyPress(int& KeyAscii);
    void CmbLista_Change();
    void CmbLista_Click();
    void TxtFields_GotFocus(int Index);
    void TxtFields_LostFocus(int Index);
    void TxtFields_KeyDown(int Index, int& KeyCode, int Shift);
    void TxtFields_KeyPress(int Index, int& KeyAscii);
    void TxtFields_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void cmdFiltrar_Click();
    void cmdProponer_Click();
    void VrUtil1_click(const QString& Key);
    void VrDbGrid1_CargarPagina(int PageNumber);
    void VrDbGrid1_MsFlexGridClick();
    void VrDbGrid1_MsFlexGridEnterCell();
    void VrDbGrid1_MsFlexGridGotFocus();
    void VrDbGrid1_MSFlexGridKeyDown(int& KeyCode, int Shift);
    void VrDbGrid1_MSFlexGridKeyPress(int& KeyAscii);
    void VrDbGrid1_MSFlexGridLeaveCell();
    void VrDbGrid1_MSFlexGridMouseDown(int Button, int Shift, float X, float Y);
    void VrDbGrid1_txtEditGotFocus();
    void VrDbGrid1_txtEditKeyDown(int& KeyCode, int Shift);
    void VrDbGrid1_txtEditKeyPress(int& KeyAscii);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the shared cell editor asks of this form.
    class EditorHost : public CellEditor::Host {
    public:
        explicit EditorHost(frmDRAVELO_ASIGNAR_UBICACION& form) : f(form) {}
        int ColumnaEditable() const override;
        bool ColEdit(long col, long row) override;
        void TextPropiedades(TextBox& editor, long column) override;
        bool ValidaEditor(TextBox& editor) override;
        void CeldaNoEditable(FlexGrid& grid) override;
        void EnterEnUltimaFila(FlexGrid& grid) override;
        bool EnterCedeAntes() const override { return true; }
        void AntesDeMover(TextBox& editor) override;
        bool LineaSalioDeLaGrilla() override;

    private:
        frmDRAVELO_ASIGNAR_UBICACION& f;
    };

    void construyeControles();
    void conecta();
    // After every page load and every fit of the columns: hides the columns
    // the operator does not work with, and fits the unit column.
    void ocultaColumnas();
    QString texto(const QString& dataField) const;
    void ponTexto(const QString& dataField, const QString& valor);
    // The depot field checked against the depots table; the description
    // shows what it found. The message is the refusal, "" when it passed.
    QString RevisaDeposito();
    // The voucher the header names, branch and number padded.
    ComprobanteTransferencia ComprobanteDelEncabezado() const;
    // The checks of CampoValida, one per field: each answers the message of
    // its refusal, "" when the value passes.
    QString ValidaSucursal(TextBox& Control, const QString& valor);
    QString ValidaNumero(TextBox& Control, const QString& valor);
    QString RellenaCampo(TextBox& Control, const QString& valor, int digitos, const QString& rechazo);
    QString ValidaLetraIR(TextBox& Control, const QString& valor);
    QString ValidaLetra(TextBox& Control, const QString& valor);
    QString ValidaDeposito(TextBox& Control, const QString& valor);
    QString ValidaCantidadATransferir(TextBox& Control, const QString& valor);
    // A refusal told to the operator.
    void Avisa(const QString& mensaje);

    // The steps of TransfiereLinea.
    LineaTransferencia Linea(int fila) const;
    // Places a quantity of the line in positions through the position
    // dialog and writes its answer into the line; the accepted quantity.
    QString PidePosiciones(int fila, double cantidad);
    // Saves the line into the voucher of the header; a reopened line only
    // over the distribution it was loaded with, and when another station
    // changed that, the work table takes the line as it is stored now.
    LineaGrabada GrabaLinea(int fila, const QString& cantidadesCargadas, const QString& posicionesCargadas);

    EditorHost m_editorHost{*this};
    CellEditor m_editor{m_editorHost};
    bool m_unloaded = false;
    // The line just saved left the list on the page's reload.
    bool m_lineaSalio = false;
};
