#pragma once

#include "GridQuery.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>
#include <type_traits>

class FlexGrid;
class PropertyBag;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QToolBar;
class QToolButton;
class TextBox;

// A read-only grid over one SQL SELECT that shows it a page at a time, with
// page navigation, page size, search and filter, ordering by columns and a
// column chooser, and that relays its inner grid's and editor's events.
//
// A host sets ConString, Sql (and whichever other property it needs), calls
// LoadVrDBGrid, and calls CargarPaginas (or RecuentaPaginas) again after it
// changed the data. It reads PaginaActual and UltimaPagina, works on the
// inner grid and editor through MsFlexGrid and txtEdit, and connects to the
// signals it handles.
// KeyCode and KeyAscii of the key signals come by reference: a host handler
// that sets MSFlexGridKeyDown's KeyCode to 0 stops the grid's paging keys.
//
// The query's key column (PrimaryKey) must be unique in its table: pages are
// cut by it.
class VrDbGrid : public QWidget {
    Q_OBJECT

public:
    explicit VrDbGrid(QWidget* parent = nullptr);
    ~VrDbGrid() override;

    FlexGrid* const MsFlexGrid;
    TextBox* const txtEdit;

    // --- methods ----------------------------------------------------------
    // Checks Sql, takes it apart, resets the paging state, counts the rows
    // and shows page 1. A JOIN or a GROUP BY is refused with a message and
    // changes nothing.
    void LoadVrDBGrid();
    QString EquiCampo(const QString& campo, bool equivalencia) const;
    // Empties and disables the grid; the order clause is then kept.
    void Inicializa();
    // Holds nothing until the next load: the inner grid keeps its fixed row
    // and column alone, which draw nothing, and the page counter reads 1 de 1.
    void Vacia();
    // Loads the page the page list has selected.
    void CargarGrid();
    void AsignarOrdinal();
    // Counts the rows when the count is 0, rebuilds the page list and loads
    // the current page.
    void CargarPaginas();
    // CargarPaginas on a fresh count, for a host whose saves take rows out of
    // the query: the kept count would list pages that no longer hold rows.
    void RecuentaPaginas();
    void CargarCampos();

    // --- properties -------------------------------------------------------
    QString ConString() const;
    // Opens the program's connection with this text when it is not open.
    void setConString(const QString& value);
    QString Sql() const;
    // Kept with one trailing blank.
    void setSql(const QString& value);
    QString PrimaryKey() const;
    void setPrimaryKey(const QString& value);
    int Find() const;
    // 1 marks matches on the page, 2 filters in the database; moves the
    // mark of the search menu. Another value is kept and then refused.
    void setFind(int value);
    int Order() const;
    // 1 one column at a time, 2 cumulative; moves the mark of the order menu.
    void setOrder(int value);
    int AlignCommandBar() const;
    void setAlignCommandBar(int value);
    int AlignFilterBar() const;
    void setAlignFilterBar(int value);
    int PageSize() const;
    void setPageSize(int value);
    bool AnchoColFijo() const;
    void setAnchoColFijo(bool value);
    QString CamposSel() const;
    void setCamposSel(const QString& value);
    QString Campos() const;
    void setCampos(const QString& value);
    QString OrdinalSel() const;
    void setOrdinalSel(const QString& value);
    bool Columnas() const;
    void setColumnas(bool value);
    bool OcultarOrdenar() const;
    void setOcultarOrdenar(bool value);
    QString OrderBy() const;
    void setOrderBy(const QString& value);
    int OrdenSent() const;
    void setOrdenSent(int value);
    int PaginaActual() const;
    int UltimaPagina() const;
    int FormatDate() const;
    void setFormatDate(int value);

    // The stored properties: read at every creation from the host's store,
    // written when the host saves its design.
    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The engine behind the grid, for hosts and tests that read its state.
    GridQuery& query() { return m_q; }
    const GridQuery& query() const { return m_q; }

    // --- the operator's handlers --------------------------------------------
    void cmdPrimero_Click();
    void cmdAnterior_Click();
    void cmdSiguiente_Click();
    void cmdUltimo_Click();
    void cboPagSelect_Click();
    void CboRegistros_KeyPress(int& KeyAscii);
    void CboRegistros_KeyDown(int& KeyCode, int Shift);
    void CboRegistros_Click();
    void txtBuscar_KeyDown(int& KeyCode, int Shift);
    void Toolbar1_ButtonClick(const QString& key);
    // `entry` 1 or 2 of the search menu.
    void Toolbar1_ButtonMenuClick(int entry);
    void Toolbar2_ButtonMenuClick(int entry);
    void Buscar();
    void ImgOrdenAsc_Click();
    void ImgOrdenDesc_Click();
    void ImgOrdenN_Click();
    void cmdColumnas_Click();
    void AjustaAnchoColumnas();

signals:
    void CargarPagina(int PageNumber);
    void AjustarColumnas();
    void MsFlexGridClick();
    void MsFlexGridDblClick();
    void MsFlexGridGotFocus();
    void MsFlexGridLostFocus();
    void MsFlexGridEnterCell();
    void MSFlexGridKeyDown(int& KeyCode, int Shift);
    void MSFlexGridKeyPress(int& KeyAscii);
    void MSFlexGridLeaveCell();
    void MSFlexGridMouseDown(int Button, int Shift, float X, float Y);
    void txtEditChange();
    void txtEditClick();
    void txtEditDblClick();
    void txtEditGotFocus();
    void txtEditLostFocus();
    void txtEditKeyDown(int& KeyCode, int Shift);
    void txtEditKeyPress(int& KeyAscii);
    void txtEditMouseDown(int Button, int Shift, float X, float Y);
    // A stored property was set (the host's designer keeps it).
    void PropertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Guardada;
    // The stored properties, one row each.
    static const Guardada kGuardadas[];
    // Sets a property's member and marks it changed under its key.
    template <class T>
    void cambia(T& miembro, const std::type_identity_t<T>& valor, const char* clave);

    void buildControls();
    void relayEvents();
    // Connects a notification of an inner control to the handler it starts,
    // run under `guarded` with the handler's name.
    template <class Control, class Signal, class Handler>
    void wire(Control* control, Signal signal, const char* name, Handler handler);
    void layOut();
    void MuestraPagina();
    void SincronizaControles();
    void headerOnlyGrid(const QStringList& names);
    void flexGridKeyDown(int& KeyCode, int Shift);
    void markMenu(QMenu* menu, int chosen);
    void chooseFromMenu(QMenu* menu, int entry, int& mode);
    int pageListNumber() const;
    // Moves the progress bar of a load.
    void progreso(int value);
    // Gives the inner grid the focus where it can take it.
    void EnfocaGrilla();
    // The width, in twips, of `count` X in the grid's font.
    int xRunWidth(int count) const;
    // Runs a handler the operator started; a failure is shown and ends it.
    void guarded(const QString& name, const std::function<void()>& handler);

    GridQuery m_q;
    int m_alignCommandBar = 2;
    int m_alignFilterBar = 1;
    bool m_anchoColFijo = false;
    bool m_columnas = false;
    bool m_ocultarOrdenar = false;
    bool m_comboGuard = false;
    int m_downPresses = 0;
    int m_upPresses = 0;
    QStringList m_probeNames;
    mutable QFont m_measuredFont;
    // Widths of runs of X by their length; -1 not measured yet.
    mutable std::vector<int> m_xRuns;

    QFrame* m_frmComandos = nullptr;
    QFrame* m_frmFiltros = nullptr;
    QPushButton* m_cmdPrimero = nullptr;
    QPushButton* m_cmdAnterior = nullptr;
    QPushButton* m_cmdSiguiente = nullptr;
    QPushButton* m_cmdUltimo = nullptr;
    QComboBox* m_cboPagSelect = nullptr;
    QLabel* m_lblPaginas = nullptr;
    QPushButton* m_cmdColumnas = nullptr;
    QToolButton* m_imgOrdenN = nullptr;
    QToolButton* m_imgOrdenAsc = nullptr;
    QToolButton* m_imgOrdenDesc = nullptr;
    QToolBar* m_toolbar2 = nullptr;
    QMenu* m_ordenMenu = nullptr;
    QComboBox* m_cboFiltroCampo = nullptr;
    TextBox* m_txtBuscar = nullptr;
    QToolBar* m_toolbar1 = nullptr;
    QMenu* m_buscarMenu = nullptr;
    QComboBox* m_cboRegistros = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_statusPanel = nullptr;
    QProgressBar* m_pbar = nullptr;
    class PageListModel* m_pages = nullptr;
};
