// The grid's loading, paging, search, ordering and column chooser; its
// controls and its properties have files of their own.
#include "grid/VrDbGrid.h"

#include "grid/FrmCampos.h"
#include "grid/PageListModel.h"
#include "core/DB_Dll.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/NulCharacters.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
#include "platform/Value.h"
#include "platform/db/Recordset.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kAvisoUsuario = QStringLiteral("Aviso al Usuario");
constexpr std::uint32_t kAscendente = 0xD2F6D9;   // RGB(217, 246, 210)
constexpr std::uint32_t kDescendente = 0xEED6EE;  // RGB(238, 214, 238)
constexpr std::uint32_t kEncontrado = 0xE8E8C0;   // RGB(192, 232, 232)

std::vector<ProbeField> fieldsOf(db::Recordset& rs)
{
    if (rs.State() != db::state::Open)
        throw RuntimeError(3704, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    std::vector<ProbeField> fields;
    for (int i = 0; i < rs.FieldCount(); ++i)
        fields.push_back(ProbeField{rs.field(i).Name(), rs.field(i).Type()});
    return fields;
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

VrDbGrid::VrDbGrid(QWidget* parent)
    : QWidget(parent), MsFlexGrid(new FlexGrid(this)), txtEdit(new TextBox(this))
{
    MsFlexGrid->setObjectName(QStringLiteral("MSFlexGrid1"));
    txtEdit->setObjectName(QStringLiteral("txtEdit1"));
    txtEdit->hide();
    buildControls();
    relayEvents();
    m_cboRegistros->setCurrentIndex(-1);
    m_cboRegistros->clearEditText();
    setEnabled(false);
    resize(twips::toPixels(9000), twips::toPixels(4500));
    Vacia();
}

VrDbGrid::~VrDbGrid()
{
    // A shown grid hands its focus on while its controls are taken down,
    // after this grid's own members are gone: their notifications must not
    // reach the grid's handlers, nor through its signals the host, by then.
    for (QObject* control : findChildren<QObject*>())
        disconnect(control, nullptr, this, nullptr);
}

void VrDbGrid::guarded(const QString& name, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RuntimeError& e) {
        // A handler that traps nothing would otherwise end the program here.
        prompts().errorDialog(e, name);
    }
}

// --- methods ---------------------------------------------------------------

void VrDbGrid::LoadVrDBGrid()
{
    const QString refused = GridQuery::refusal(m_q.Sql);
    if (!refused.isEmpty()) {
        prompts().messageBox(refused, prompt::OkOnly | prompt::Information, kAvisoUsuario);
        return;
    }
    ErrorTrap::showing(QString()).run({[this] { m_q.CargaAlias(); }});
    setEnabled(true);
    m_cmdColumnas->setVisible(m_columnas);
    for (QWidget* w : std::initializer_list<QWidget*>{m_imgOrdenN, m_imgOrdenDesc, m_imgOrdenAsc, m_toolbar2})
        w->setVisible(!m_ocultarOrdenar);
    m_q.beginLoad();
    m_txtBuscar->clear();
    CargarCampos();
    CargarPaginas();
}

QString VrDbGrid::EquiCampo(const QString& campo, bool equivalencia) const
{
    return m_q.EquiCampo(campo, equivalencia);
}

void VrDbGrid::Inicializa()
{
    MsFlexGrid->Clear();
    setEnabled(false);
    txtEdit->clear();
    txtEdit->hide();
    m_q.OrdenSent = 3;
}

void VrDbGrid::Vacia()
{
    MsFlexGrid->Clear();
    MsFlexGrid->setRows(MsFlexGrid->FixedRows());
    MsFlexGrid->setCols(MsFlexGrid->FixedCols());
    m_q.rowCount = 0;
    m_q.PaginaActual = 1;
    m_q.UltimaPagina = 0;
    m_lblPaginas->setText(GridQuery::emptyPageLabel());
}

void VrDbGrid::CargarCampos()
{
    db::Recordset rs;
    std::vector<ProbeField> fields;
    ErrorTrap::showing(QString()).run({
        [&] { ObjDB().AbrirRecordset(m_q.probeSql(), rs); },
        [&] { fields = fieldsOf(rs); },
        [&] {
            m_q.CargarCampos(fields);
            m_probeNames.clear();
            for (const ProbeField& f : fields)
                m_probeNames << f.name;
            m_cboFiltroCampo->clear();
            m_cboFiltroCampo->addItems(m_q.filterColumns);
        },
        [&] { ObjDB().CierraRecordset(rs); },
    });
}

void VrDbGrid::headerOnlyGrid(const QStringList& names)
{
    MsFlexGrid->setCols(2);
    MsFlexGrid->setFixedCols(1);
    for (int i = 0; i < names.size(); ++i) {
        MsFlexGrid->setCols(i + 3);
        MsFlexGrid->setTextMatrix(0, i + 1, names.at(i));
    }
    MsFlexGrid->setRows(2);
    for (int c = 0; c < MsFlexGrid->Cols(); ++c)
        MsFlexGrid->setTextMatrix(1, c, QString());
}

void VrDbGrid::CargarPaginas()
{
    m_pbar->setRange(0, 100);
    m_pbar->setValue(30);
    ErrorTrap::showing(QString()).run({
        [&] {
            if (m_q.rowCount != 0)
                return;
            db::Recordset rs;
            {
                WaitCursor wait;
                ObjDB().AbrirRecordset(m_q.countSql(), rs);
            }
            if (rs.State() != db::state::Open)
                throw RuntimeError(3704, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
            const qint64 rows = rs.Eof() ? 0 : static_cast<qint64>(lang::number(rs.value(0)));
            ObjDB().CierraRecordset(rs);
            m_q.setCount(rows);
            if (rows == 0)
                headerOnlyGrid(m_probeNames);
        },
        [&] {
            m_pbar->setValue(70);
            m_pages->setCount(m_q.pageCount());
            m_cboPagSelect->setCurrentIndex(-1);
        },
        [&] {
            m_pbar->setValue(90);
            m_q.settlePages();
            if (m_pages->rowCount() == 0) {
                m_pages->setCount(1);
                m_cboPagSelect->setCurrentIndex(-1);
            }
        },
        [&] {
            m_pbar->setValue(100);
            MuestraPagina();
        },
    });
}

void VrDbGrid::RecuentaPaginas()
{
    m_q.rowCount = 0;
    CargarPaginas();
}

void VrDbGrid::MuestraPagina()
{
    m_q.normalizePages();
    m_lblPaginas->setText(m_q.pageLabel());
    const int index = m_q.PaginaActual - 1;
    if (m_cboPagSelect->currentIndex() != index && index < m_cboPagSelect->count()) {
        m_cboPagSelect->setCurrentIndex(index);
        cboPagSelect_Click();
    }
}

int VrDbGrid::pageListNumber() const
{
    return static_cast<int>(lang::leadingNumber(m_cboPagSelect->currentText()));
}

void VrDbGrid::CargarGrid()
{
    m_pbar->setRange(0, 100);
    progreso(10);
    QString sql;
    const bool built = ErrorTrap::showing(QString()).run({
        [&] {
            const int col = MsFlexGrid->Col();
            m_statusPanel->setText(m_q.ArmaOrderBy(col, MsFlexGrid->TextMatrix(0, col)));
        },
        [&] {
            progreso(20);
            m_q.ArmaWhere();
        },
        [&] {
            progreso(30);
            m_q.dialect = ObjDB().gCnn().dialect();
            sql = m_q.pageSql(pageListNumber());
            progreso(40);
        },
    });
    if (!built) {
        progreso(0);
        return;
    }

    db::Recordset rs;
    const ErrorTrap skip = ErrorTrap::skipping();
    m_q.forgetPage();
    if (!m_q.countedEmpty) {
        bool paged = true;
        skip.run({
            [&] { progreso(50); },
            [&] {
                // Only this statement's errors may send the grid to the unpaged query.
                ObjDB().gCnn().errors().Clear();
                ObjDB().AbrirRecordset(sql, rs);
            },
            [&] { progreso(60); },
        });
        const db::Errors& errors = ObjDB().gCnn().errors();
        if (errors.Count() > 0) {
            if (errors.Item(0).NativeError == errnum::InvalidColumn) {
                paged = false;
                ObjDB().gCnn().errors().Clear();
                ObjDB().AbrirRecordset(m_q.Sql, rs);
            }
        }
        // A statement the database refused has been shown by the data-access
        // object: the grid keeps the page it showed.
        if (rs.State() != db::state::Open) {
            progreso(0);
            return;
        }
        if (rs.Eof()) {
            m_q.searchFilter.clear();
            m_q.rowCount = 0;
            const std::vector<ProbeField> fields = fieldsOf(rs);
            if (MsFlexGrid->Cols() < static_cast<int>(fields.size()) + 2)
                MsFlexGrid->setCols(static_cast<int>(fields.size()) + 2);
            for (std::size_t i = 0; i < fields.size(); ++i)
                MsFlexGrid->setTextMatrix(0, static_cast<int>(i) + 1, fields[i].name);
            MsFlexGrid->setRows(2);
            for (int c = 0; c < MsFlexGrid->Cols(); ++c)
                MsFlexGrid->setTextMatrix(1, c, QString());
        } else {
            MsFlexGrid->setDataSource(rs);
            const int key = MsFlexGrid->Cols() - 1;
            if (paged)
                m_q.pageShown(MsFlexGrid->TextMatrix(1, key), MsFlexGrid->TextMatrix(MsFlexGrid->Rows() - 1, key));
        }
        ObjDB().CierraRecordset(rs);
    }

    skip.run({
        [&] { progreso(70); },
        [&] {
            if (!m_anchoColFijo)
                AjustaAnchoColumnas();
        },
        [&] { progreso(80); },
        [&] { SincronizaControles(); },
        [&] { progreso(90); },
        [&] { AsignarOrdinal(); },
        [&] { progreso(100); },
        [&] { emit CargarPagina(m_q.PaginaActual); },
    });
    progreso(0);
}

void VrDbGrid::progreso(int value)
{
    // Off screen nobody sees the bar move during a page's load, and every
    // move would still cost it a layout of its style; the load always leaves
    // it at 0.
    if (value == 0 || m_pbar->isVisible())
        m_pbar->setValue(value);
}

int VrDbGrid::xRunWidth(int count) const
{
    // Every page measures the same runs of X in the same font: each is
    // measured once.
    if (m_measuredFont != font()) {
        m_measuredFont = font();
        m_xRuns.clear();
    }
    const auto n = static_cast<std::size_t>(std::max(count, 0));
    if (n >= m_xRuns.size())
        m_xRuns.resize(n + 1, -1);
    int& width = m_xRuns[n];
    if (width < 0)
        width = twips::fromPixels(fontMetrics().horizontalAdvance(QString(count, QLatin1Char('X'))));
    return width;
}

void VrDbGrid::AsignarOrdinal()
{
    const qint64 first = static_cast<qint64>(m_q.PaginaActual - 1) * m_q.PageSize;
    ErrorTrap::skipping().run({
        [&] {
            for (int i = 1; i < MsFlexGrid->Rows(); ++i)
                MsFlexGrid->setTextMatrix(i, 0, QString::number(first + i));
        },
        [&] {
            const int digits = static_cast<int>(QString::number(first + MsFlexGrid->Rows()).size());
            MsFlexGrid->setColWidth(0, xRunWidth(digits + 1));
        },
        [&] {
            if (MsFlexGrid->Row() == 0)
                MsFlexGrid->setRow(1);
        },
        [&] { EnfocaGrilla(); },
    });
}

void VrDbGrid::EnfocaGrilla()
{
    // A grid off screen or disabled cannot take the focus; asking would only
    // fail.
    if (MsFlexGrid->isVisible() && MsFlexGrid->isEnabled())
        MsFlexGrid->SetFocus();
}

void VrDbGrid::AjustaAnchoColumnas()
{
    for (int c = 1; c <= MsFlexGrid->Cols() - 2; ++c) {
        const FlexGrid::ColumnFit fit = MsFlexGrid->columnFit(c);
        const int n = static_cast<int>(fit.longest);
        const int width = xRunWidth(n);
        // The width given by the count of characters is kept as a floor; a
        // long text in a proportional font needs more than it, and gets it.
        MsFlexGrid->setColWidth(c, std::max(n > 19 ? width - 500 : width + 500, fit.width));
    }
}

void VrDbGrid::SincronizaControles()
{
    if (m_cboRegistros->currentText().isEmpty() && m_q.PageSize == 0) {
        m_comboGuard = true;
        m_cboRegistros->setCurrentIndex(0);
        CboRegistros_Click();
        m_comboGuard = false;
    } else {
        m_cboRegistros->setEditText(QString::number(m_q.PageSize));
    }
    if (m_cboPagSelect->currentText().isEmpty() && m_cboPagSelect->count() > 0) {
        const int index = m_q.UltimaPagina < m_q.PaginaActual ? m_q.UltimaPagina - 1 : m_q.PaginaActual - 1;
        if (index >= 0 && index < m_cboPagSelect->count()) {
            m_cboPagSelect->setCurrentIndex(index);
            cboPagSelect_Click();
        }
    }
    if (m_cboFiltroCampo->currentText().isEmpty() && m_cboFiltroCampo->count() > 0)
        m_cboFiltroCampo->setCurrentIndex(0);
    if (m_q.orderColumn < MsFlexGrid->Cols()) {
        MsFlexGrid->setRow(0);
        MsFlexGrid->setCol(m_q.orderColumn);
        if (m_q.OrdenSent == 1)
            MsFlexGrid->setCellBackColor(kAscendente);
        else if (m_q.OrdenSent == 2)
            MsFlexGrid->setCellBackColor(kDescendente);
    }
    const int cols = MsFlexGrid->Cols();
    for (int c = 0; c <= cols - 2; ++c)
        if (MsFlexGrid->ColWidth(c) == 0)
            MsFlexGrid->setColWidth(c, xRunWidth(2 * static_cast<int>(MsFlexGrid->TextMatrix(0, c).size())));
    MsFlexGrid->setColWidth(cols - 1, 0);
}

// --- navigation and page size ------------------------------------------------

void VrDbGrid::cmdPrimero_Click()
{
    if (m_q.PaginaActual >= 2) {
        m_q.PaginaActual = 1;
        MuestraPagina();
    }
}

void VrDbGrid::cmdAnterior_Click()
{
    if (m_q.PaginaActual >= 2) {
        --m_q.PaginaActual;
        MuestraPagina();
    }
}

void VrDbGrid::cmdSiguiente_Click()
{
    if (m_q.PaginaActual < m_q.UltimaPagina) {
        ++m_q.PaginaActual;
        MuestraPagina();
    }
}

void VrDbGrid::cmdUltimo_Click()
{
    if (m_q.PaginaActual < m_q.UltimaPagina) {
        m_q.PaginaActual = m_q.UltimaPagina;
        MuestraPagina();
    }
}

void VrDbGrid::cboPagSelect_Click()
{
    m_q.PaginaActual = pageListNumber();
    MuestraPagina();
    if (!m_comboGuard)
        CargarGrid();
}

void VrDbGrid::CboRegistros_KeyPress(int& KeyAscii)
{
    if (KeyAscii < '0' || KeyAscii > '9')
        KeyAscii = 0;
}

void VrDbGrid::CboRegistros_KeyDown(int& KeyCode, int)
{
    if (KeyCode != keys::Enter)
        return;
    const QString text = m_cboRegistros->currentText();
    ErrorTrap::skipping().run({
        [&] {
            const double n = lang::leadingNumber(text);
            if (n < 1) {
                prompts().messageBox(QStringLiteral("El tamaño de la página en registos no puede ser menor a 1 por página."),
                                     prompt::OkOnly | prompt::Information, kAvisoUsuario);
                m_q.PageSize = 1;
            } else if (n > 2000) {
                prompts().messageBox(QStringLiteral("El tamaño de la página en registros no puede superar los 2000 por página."),
                                     prompt::OkOnly | prompt::Information, kAvisoUsuario);
                m_q.PageSize = 2000;
            } else {
                m_q.PageSize = lang::toInt32(n);
            }
        },
        [&] { CargarPaginas(); },
        [&] { EnfocaGrilla(); },
    });
}

void VrDbGrid::CboRegistros_Click()
{
    ErrorTrap::skipping().run({
        [&] { m_q.PageSize = lang::toInt32(lang::leadingNumber(m_cboRegistros->currentText())); },
        [&] { CargarPaginas(); },
    });
}

void VrDbGrid::flexGridKeyDown(int& KeyCode, int Shift)
{
    emit MSFlexGridKeyDown(KeyCode, Shift);
    const int page = m_q.PaginaActual;
    switch (KeyCode) {
    case keys::PageDown:
        cmdSiguiente_Click();
        break;
    case keys::PageUp:
        cmdAnterior_Click();
        break;
    case keys::Down:
        m_upPresses = 0;
        if (MsFlexGrid->Row() == MsFlexGrid->Rows() - 1) {
            if (m_downPresses == 1) {
                cmdSiguiente_Click();
                m_downPresses = 0;
            } else {
                ++m_downPresses;
            }
        }
        break;
    case keys::Up:
        m_downPresses = 0;
        if (MsFlexGrid->Row() == 1) {
            if (m_upPresses == 1) {
                cmdAnterior_Click();
                m_upPresses = 0;
            } else {
                ++m_upPresses;
            }
        }
        break;
    default:
        break;
    }
    // A turned page starts on its first row: the inner grid does not move
    // on with the same key.
    if (m_q.PaginaActual != page)
        KeyCode = 0;
}

// --- search and filter ---------------------------------------------------------

void VrDbGrid::txtBuscar_KeyDown(int& KeyCode, int)
{
    if (KeyCode == keys::Enter)
        Buscar();
}

void VrDbGrid::Toolbar1_ButtonClick(const QString& key)
{
    if (lang::sameText(key, QStringLiteral("BUSCAR"))) {
        Buscar();
    } else if (lang::sameText(key, QStringLiteral("ACTUALIZAR"))) {
        m_q.searchFilter.clear();
        m_txtBuscar->clear();
        m_q.rowCount = 0;
        CargarPaginas();
    } else if (lang::sameText(key, QStringLiteral("AJUSTACOL"))) {
        AjustaAnchoColumnas();
        emit AjustarColumnas();
    }
}

void VrDbGrid::chooseFromMenu(QMenu* menu, int entry, int& mode)
{
    QAction* chosen = menu->actions().at(entry - 1);
    QAction* other = menu->actions().at(entry == 1 ? 1 : 0);
    if (chosen->text().contains(QStringLiteral("»")))
        return;
    chosen->setText(QStringLiteral("» ") + chosen->text().trimmed());
    other->setText(other->text().replace(QStringLiteral("» "), QStringLiteral("  ")));
    mode = entry == 1 ? 1 : 2;
}

void VrDbGrid::Toolbar1_ButtonMenuClick(int entry)
{
    chooseFromMenu(m_buscarMenu, entry, m_q.Find);
}

void VrDbGrid::Toolbar2_ButtonMenuClick(int entry)
{
    chooseFromMenu(m_ordenMenu, entry, m_q.Order);
}

void VrDbGrid::markMenu(QMenu* menu, int chosen)
{
    if (chosen != 1 && chosen != 2)
        throw RuntimeError(errnum::SubscriptOutOfRange, QStringLiteral("El menú no tiene la opción %1").arg(chosen));
    QAction* mark = menu->actions().at(chosen - 1);
    QAction* other = menu->actions().at(chosen == 1 ? 1 : 0);
    mark->setText(QStringLiteral("» ") + mark->text().remove(QStringLiteral("» ")).trimmed());
    other->setText(other->text().remove(QStringLiteral("» ")).trimmed());
}

void VrDbGrid::Buscar()
{
    QString t = m_txtBuscar->text().trimmed();
    const QString column = m_cboFiltroCampo->currentText();
    if (t.isEmpty())
        t = prompts().inputBox(QStringLiteral("Campo seleccionado: ") + column + QStringLiteral("\r\n")
                                   + QStringLiteral("Ingrese el texto que desea buscar para el campo seleccionado: "),
                               QString(), QString());
    if (refusedForNul(t))
        return;
    if (m_q.Find == 1) {
        auto mark = [&](int r, int c) {
            const QString cell = MsFlexGrid->TextMatrix(r, c);
            if (!cell.isEmpty() && cell.contains(t, Qt::CaseInsensitive)) {
                MsFlexGrid->setRow(r);
                MsFlexGrid->setCol(c);
                MsFlexGrid->setCellBackColor(kEncontrado);
            }
        };
        if (lang::sameText(column, QStringLiteral("Todos"))) {
            for (int r = 1; r < MsFlexGrid->Rows(); ++r)
                for (int c = 1; c < MsFlexGrid->Cols(); ++c)
                    mark(r, c);
        } else {
            for (int c = 1; c < MsFlexGrid->Cols(); ++c) {
                if (lang::sameText(MsFlexGrid->TextMatrix(0, c), column)) {
                    for (int r = 1; r < MsFlexGrid->Rows(); ++r)
                        mark(r, c);
                    break;
                }
            }
        }
    } else {
        QStringList headers;
        for (int c = 1; c <= MsFlexGrid->Cols() - 2; ++c)
            headers << MsFlexGrid->TextMatrix(0, c);
        const std::optional<QString> condition =
            m_q.searchCondition(m_cboFiltroCampo->currentIndex(), column, t, headers);
        if (!condition) {
            prompts().messageBox(QStringLiteral("Debe Ingresar un Formato de Fecha Válido."),
                                 prompt::OkOnly | prompt::Information, kAvisoUsuario);
            return;
        }
        m_q.addSearch(*condition);
        m_q.rowCount = 0;
        CargarPaginas();
    }
    // The list a search narrowed shows in the box what it was narrowed by
    // (also when it found nothing), until the list is shown whole again.
    if (m_q.Find != 1)
        m_txtBuscar->setText(t);
    else
        m_txtBuscar->clear();
}

// --- ordering and the column chooser -------------------------------------------

void VrDbGrid::ImgOrdenAsc_Click()
{
    m_q.OrdenSent = 1;
    CargarGrid();
}

void VrDbGrid::ImgOrdenDesc_Click()
{
    m_q.OrdenSent = 2;
    CargarGrid();
}

void VrDbGrid::ImgOrdenN_Click()
{
    m_q.OrdenSent = 0;
    CargarGrid();
}

void VrDbGrid::cmdColumnas_Click()
{
    FrmCampos frm(this);
    frm.gCampos = m_q.chooserColumns();
    frm.gOrdinalSel = m_q.OrdinalSel;
    frm.gCamposSel = m_q.chosenColumns;
    frm.Form_Load();
    prompts().showModal(frm);
    if (frm.Cancelar)
        return;
    if (frm.gCamposSel.trimmed().isEmpty()) {
        // Nothing chosen is no select list at all: every column comes back.
        m_q.clearChoice();
    } else {
        // The choice is taken only once its probe answered, so a refused
        // probe leaves the grid with the columns it had.
        db::Recordset rs;
        ObjDB().AbrirRecordset(m_q.choiceProbeSql(frm.gCamposSel), rs, nullptr, 0, 1, -1, true);
        const std::vector<ProbeField> fields = fieldsOf(rs);
        ObjDB().CierraRecordset(rs);
        m_q.applyChoice(fields, frm.gOrdinalSel);
    }
    CargarCampos();
    m_q.OrdenSent = 0;
    CargarGrid();
}

// --- keys of the page-size list -------------------------------------------

bool VrDbGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_cboRegistros->lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool eaten = false;
        guarded(QStringLiteral("CboRegistros_KeyDown"), [&] {
            int code = keys::virtualKey(*key);
            if (code != 0)
                CboRegistros_KeyDown(code, keys::shiftState(key->modifiers()));
            const int typed = keys::keyAscii(*key);
            if (typed != 0) {
                int ascii = typed;
                CboRegistros_KeyPress(ascii);
                eaten = ascii == 0;
            }
        });
        return eaten;
    }
    return QWidget::eventFilter(watched, event);
}
