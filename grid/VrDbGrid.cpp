#include "VrDbGrid.h"

#include "FrmCampos.h"
#include "core/DB_Dll.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/Prompts.h"
#include "platform/PropertyBag.h"
#include "platform/RuntimeError.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
#include "platform/Value.h"
#include "platform/db/Recordset.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

// The page list: entries "1" to the number of pages, made on demand, so a
// million rows do not become a million combo entries in memory.
class PageListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setCount(int count)
    {
        beginResetModel();
        m_count = std::max(0, count);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_count; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return QString::number(index.row() + 1);
    }

private:
    int m_count = 0;
};

namespace {

const QString kAvisoUsuario = QStringLiteral("Aviso al Usuario");
constexpr std::uint32_t kAscendente = 0xD2F6D9;   // RGB(217, 246, 210)
constexpr std::uint32_t kDescendente = 0xEED6EE;  // RGB(238, 214, 238)
constexpr std::uint32_t kEncontrado = 0xE8E8C0;   // RGB(192, 232, 232)

// Design sizes of the bars, in twips.
constexpr int kFiltrosHeight = 400;
constexpr int kComandosHeight = 480;
constexpr int kPbarWidth = 1500;

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

QPushButton* button(QWidget* parent, const QString& name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    b->setFlat(true);
    return b;
}

QToolButton* image(QWidget* parent, const QString& name, const QString& glyph, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(glyph);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

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
}

VrDbGrid::~VrDbGrid() = default;

void VrDbGrid::buildControls()
{
    m_frmFiltros = new QFrame(this);
    m_frmFiltros->setObjectName(QStringLiteral("FrmFiltros"));
    auto* filtros = new QHBoxLayout(m_frmFiltros);
    filtros->setContentsMargins(2, 0, 2, 0);
    auto* label2 = new QLabel(QStringLiteral("Buscar por:"), m_frmFiltros);
    label2->setObjectName(QStringLiteral("Label2"));
    m_cboFiltroCampo = new QComboBox(m_frmFiltros);
    m_cboFiltroCampo->setObjectName(QStringLiteral("CboFiltroCampo"));
    m_cboFiltroCampo->addItem(QStringLiteral("Todos"));
    m_cboFiltroCampo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_txtBuscar = new TextBox(m_frmFiltros);
    m_txtBuscar->setObjectName(QStringLiteral("txtBuscar"));
    m_toolbar1 = new QToolBar(m_frmFiltros);
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setIconSize(QSize(16, 16));
    m_buscarMenu = new QMenu(m_toolbar1);
    m_buscarMenu->addAction(QStringLiteral("  Buscar en Página Actual"))->setData(QStringLiteral("ActualPage"));
    m_buscarMenu->addAction(QStringLiteral("  Buscar en todas las Páginas"))->setData(QStringLiteral("AllPage"));
    auto* buscar = new QToolButton(m_toolbar1);
    buscar->setObjectName(QStringLiteral("BUSCAR"));
    buscar->setToolTip(QStringLiteral("Buscar"));
    buscar->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    buscar->setMenu(m_buscarMenu);
    buscar->setPopupMode(QToolButton::MenuButtonPopup);
    m_toolbar1->addWidget(buscar);
    QAction* actualizar = m_toolbar1->addAction(style()->standardIcon(QStyle::SP_BrowserReload), QString());
    actualizar->setObjectName(QStringLiteral("ACTUALIZAR"));
    actualizar->setToolTip(QStringLiteral("Actualizar"));
    QAction* ajustaCol = m_toolbar1->addAction(style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton), QString());
    ajustaCol->setObjectName(QStringLiteral("AJUSTACOL"));
    ajustaCol->setToolTip(QStringLiteral("Ajustar Columnas"));
    auto* label1 = new QLabel(QStringLiteral("Registros:"), m_frmFiltros);
    label1->setObjectName(QStringLiteral("Label1"));
    m_cboRegistros = new QComboBox(m_frmFiltros);
    m_cboRegistros->setObjectName(QStringLiteral("CboRegistros"));
    m_cboRegistros->setEditable(true);
    m_cboRegistros->setInsertPolicy(QComboBox::NoInsert);
    for (const char* size : {"5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "100", "500", "1000", "2000"})
        m_cboRegistros->addItem(QString::fromLatin1(size));
    m_cboRegistros->lineEdit()->installEventFilter(this);
    filtros->addWidget(label2);
    filtros->addWidget(m_cboFiltroCampo);
    filtros->addWidget(m_txtBuscar, 1);
    filtros->addWidget(m_toolbar1);
    filtros->addWidget(label1);
    filtros->addWidget(m_cboRegistros);

    m_frmComandos = new QFrame(this);
    m_frmComandos->setObjectName(QStringLiteral("FrmComandos"));
    auto* comandos = new QHBoxLayout(m_frmComandos);
    comandos->setContentsMargins(2, 0, 2, 0);
    m_cmdPrimero = button(m_frmComandos, QStringLiteral("cmdPrimero"), QStyle::SP_MediaSkipBackward, QStringLiteral("Primer Página"));
    m_cmdAnterior = button(m_frmComandos, QStringLiteral("cmdAnterior"), QStyle::SP_MediaSeekBackward, QStringLiteral("Página Anterior"));
    auto* lblPagSelect = new QLabel(QStringLiteral("Página:"), m_frmComandos);
    lblPagSelect->setObjectName(QStringLiteral("lblPagSelect"));
    m_cboPagSelect = new QComboBox(m_frmComandos);
    m_cboPagSelect->setObjectName(QStringLiteral("cboPagSelect"));
    m_pages = new PageListModel(m_cboPagSelect);
    auto* pageView = new QListView(m_cboPagSelect);
    pageView->setUniformItemSizes(true);
    m_cboPagSelect->setView(pageView);
    m_cboPagSelect->setModel(m_pages);
    m_cboPagSelect->setMinimumContentsLength(6);
    m_cmdSiguiente = button(m_frmComandos, QStringLiteral("cmdSiguiente"), QStyle::SP_MediaSeekForward, QStringLiteral("Página Siguiente"));
    m_cmdUltimo = button(m_frmComandos, QStringLiteral("cmdUltimo"), QStyle::SP_MediaSkipForward, QStringLiteral("Última Página"));
    m_lblPaginas = new QLabel(QStringLiteral("        Página        1 de 2"), m_frmComandos);
    m_lblPaginas->setObjectName(QStringLiteral("lblPaginas"));
    m_cmdColumnas = new QPushButton(QStringLiteral("Columnas"), m_frmComandos);
    m_cmdColumnas->setObjectName(QStringLiteral("cmdColumnas"));
    m_cmdColumnas->setToolTip(QStringLiteral("Columnas"));
    m_cmdColumnas->hide();
    m_imgOrdenN = image(m_frmComandos, QStringLiteral("ImgOrdenN"), QStringLiteral("≡"), QStringLiteral("Orden Natural"));
    m_imgOrdenAsc = image(m_frmComandos, QStringLiteral("ImgOrdenAsc"), QStringLiteral("▲"), QStringLiteral("Orden Ascendente"));
    m_imgOrdenDesc = image(m_frmComandos, QStringLiteral("ImgOrdenDesc"), QStringLiteral("▼"), QStringLiteral("Orden Descendente"));
    m_toolbar2 = new QToolBar(m_frmComandos);
    m_toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    m_ordenMenu = new QMenu(m_toolbar2);
    m_ordenMenu->addAction(QStringLiteral("  Ordemaniento Individual"))->setData(QStringLiteral("ActualPage3"));
    m_ordenMenu->addAction(QStringLiteral("  Ordenamiento Múltiple"))->setData(QStringLiteral("AllPage"));
    auto* orden = new QToolButton(m_toolbar2);
    orden->setObjectName(QStringLiteral("Orden"));
    orden->setToolTip(QStringLiteral("Opciones de Ordenamiento"));
    orden->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    orden->setMenu(m_ordenMenu);
    orden->setPopupMode(QToolButton::InstantPopup);
    m_toolbar2->addWidget(orden);
    for (QWidget* w : std::initializer_list<QWidget*>{m_cmdPrimero, m_cmdAnterior, lblPagSelect, m_cboPagSelect,
                                                      m_cmdSiguiente, m_cmdUltimo, m_lblPaginas})
        comandos->addWidget(w);
    comandos->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{m_cmdColumnas, m_imgOrdenN, m_imgOrdenAsc, m_imgOrdenDesc, m_toolbar2})
        comandos->addWidget(w);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(m_statusBar);
    m_statusPanel->setObjectName(QStringLiteral("Panel1"));
    m_statusBar->addWidget(m_statusPanel, 1);
    m_pbar = new QProgressBar(this);
    m_pbar->setObjectName(QStringLiteral("Pbar"));
    m_pbar->setRange(0, 100);
    m_pbar->setValue(0);
    m_pbar->setTextVisible(false);

    MsFlexGrid->setGeometry(0, twips::toPixels(kFiltrosHeight), 100, 100);
    m_frmFiltros->setGeometry(0, 0, 100, twips::toPixels(kFiltrosHeight));
    m_frmComandos->setGeometry(0, 0, 100, twips::toPixels(kComandosHeight));
    txtEdit->raise();

    connect(m_cmdPrimero, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("cmdPrimero_Click"), [this] { cmdPrimero_Click(); }); });
    connect(m_cmdAnterior, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("cmdAnterior_Click"), [this] { cmdAnterior_Click(); }); });
    connect(m_cmdSiguiente, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("cmdSiguiente_Click"), [this] { cmdSiguiente_Click(); }); });
    connect(m_cmdUltimo, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("cmdUltimo_Click"), [this] { cmdUltimo_Click(); }); });
    connect(m_cboPagSelect, &QComboBox::activated, this, [this] { guarded(QStringLiteral("cboPagSelect_Click"), [this] { cboPagSelect_Click(); }); });
    connect(m_cboRegistros, &QComboBox::activated, this, [this] { guarded(QStringLiteral("CboRegistros_Click"), [this] { CboRegistros_Click(); }); });
    connect(m_cmdColumnas, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("cmdColumnas_Click"), [this] { cmdColumnas_Click(); }); });
    connect(m_imgOrdenN, &QToolButton::clicked, this, [this] { guarded(QStringLiteral("ImgOrdenN_Click"), [this] { ImgOrdenN_Click(); }); });
    connect(m_imgOrdenAsc, &QToolButton::clicked, this, [this] { guarded(QStringLiteral("ImgOrdenAsc_Click"), [this] { ImgOrdenAsc_Click(); }); });
    connect(m_imgOrdenDesc, &QToolButton::clicked, this, [this] { guarded(QStringLiteral("ImgOrdenDesc_Click"), [this] { ImgOrdenDesc_Click(); }); });
    connect(buscar, &QToolButton::clicked, this, [this] { guarded(QStringLiteral("Toolbar1_ButtonClick"), [this] { Toolbar1_ButtonClick(QStringLiteral("BUSCAR")); }); });
    for (QAction* a : {actualizar, ajustaCol})
        connect(a, &QAction::triggered, this, [this, a] { guarded(QStringLiteral("Toolbar1_ButtonClick"), [this, a] { Toolbar1_ButtonClick(a->objectName()); }); });
    for (int i = 0; i < 2; ++i) {
        connect(m_buscarMenu->actions().at(i), &QAction::triggered, this, [this, i] { guarded(QStringLiteral("Toolbar1_ButtonMenuClick"), [this, i] { Toolbar1_ButtonMenuClick(i + 1); }); });
        connect(m_ordenMenu->actions().at(i), &QAction::triggered, this, [this, i] { guarded(QStringLiteral("Toolbar2_ButtonMenuClick"), [this, i] { Toolbar2_ButtonMenuClick(i + 1); }); });
    }
    connect(m_txtBuscar, &TextBox::KeyDown, this, [this](int& code, int shift) { guarded(QStringLiteral("txtBuscar_KeyDown"), [&] { txtBuscar_KeyDown(code, shift); }); });
}

void VrDbGrid::relayEvents()
{
    connect(MsFlexGrid, &FlexGrid::Click, this, &VrDbGrid::MsFlexGridClick);
    connect(MsFlexGrid, &FlexGrid::DblClick, this, &VrDbGrid::MsFlexGridDblClick);
    connect(MsFlexGrid, &FlexGrid::GotFocus, this, &VrDbGrid::MsFlexGridGotFocus);
    connect(MsFlexGrid, &FlexGrid::LostFocus, this, &VrDbGrid::MsFlexGridLostFocus);
    connect(MsFlexGrid, &FlexGrid::EnterCell, this, &VrDbGrid::MsFlexGridEnterCell);
    connect(MsFlexGrid, &FlexGrid::KeyDown, this, [this](int& code, int shift) {
        guarded(QStringLiteral("MSFlexGrid1_KeyDown"), [&] { flexGridKeyDown(code, shift); });
    });
    connect(MsFlexGrid, &FlexGrid::KeyPress, this, [this](int& ascii) { emit MSFlexGridKeyPress(ascii); });
    connect(MsFlexGrid, &FlexGrid::LeaveCell, this, &VrDbGrid::MSFlexGridLeaveCell);
    connect(MsFlexGrid, &FlexGrid::MouseDown, this, &VrDbGrid::MSFlexGridMouseDown);
    connect(txtEdit, &TextBox::Change, this, &VrDbGrid::txtEditChange);
    connect(txtEdit, &TextBox::Click, this, &VrDbGrid::txtEditClick);
    connect(txtEdit, &TextBox::DblClick, this, &VrDbGrid::txtEditDblClick);
    connect(txtEdit, &TextBox::GotFocus, this, &VrDbGrid::txtEditGotFocus);
    connect(txtEdit, &TextBox::LostFocus, this, &VrDbGrid::txtEditLostFocus);
    connect(txtEdit, &TextBox::KeyDown, this, [this](int& code, int shift) { emit txtEditKeyDown(code, shift); });
    connect(txtEdit, &TextBox::KeyPress, this, [this](int& ascii) { emit txtEditKeyPress(ascii); });
    // The editor's mouse move is what raises txtEditMouseDown; its button
    // press raises nothing.
    connect(txtEdit, &TextBox::MouseMove, this, &VrDbGrid::txtEditMouseDown);
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
    m_pbar->setValue(10);
    QString sql;
    const bool built = ErrorTrap::showing(QString()).run({
        [&] {
            const int col = MsFlexGrid->Col();
            m_statusPanel->setText(m_q.ArmaOrderBy(col, MsFlexGrid->TextMatrix(0, col)));
        },
        [&] {
            m_pbar->setValue(20);
            m_q.ArmaWhere();
        },
        [&] {
            m_pbar->setValue(30);
            sql = m_q.pageSql(pageListNumber());
            m_pbar->setValue(40);
        },
    });
    if (!built) {
        m_pbar->setValue(0);
        return;
    }

    db::Recordset rs;
    const ErrorTrap skip = ErrorTrap::skipping();
    if (!m_q.countedEmpty) {
        skip.run({
            [&] { m_pbar->setValue(50); },
            [&] {
                // Only this statement's errors may send the grid to the unpaged query.
                ObjDB().gCnn().errors().Clear();
                ObjDB().AbrirRecordset(sql, rs);
            },
            [&] { m_pbar->setValue(60); },
        });
        const db::Errors& errors = ObjDB().gCnn().errors();
        if (errors.Count() > 0) {
            if (errors.Item(0).NativeError == errnum::InvalidColumn) {
                ObjDB().gCnn().errors().Clear();
                ObjDB().AbrirRecordset(m_q.Sql, rs);
            }
        }
        // A statement the database refused has been shown by the data-access
        // object: the grid keeps the page it showed.
        if (rs.State() != db::state::Open) {
            m_pbar->setValue(0);
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
        }
        ObjDB().CierraRecordset(rs);
    }

    skip.run({
        [&] { m_pbar->setValue(70); },
        [&] {
            if (!m_anchoColFijo)
                AjustaAnchoColumnas();
        },
        [&] { m_pbar->setValue(80); },
        [&] { SincronizaControles(); },
        [&] { m_pbar->setValue(90); },
        [&] { AsignarOrdinal(); },
        [&] { m_pbar->setValue(100); },
        [&] { emit CargarPagina(m_q.PaginaActual); },
    });
    m_pbar->setValue(0);
}

int VrDbGrid::textWidthTwips(const QString& text) const
{
    return twips::fromPixels(fontMetrics().horizontalAdvance(text));
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
            MsFlexGrid->setColWidth(0, textWidthTwips(QString(digits + 1, QLatin1Char('X'))));
        },
        [&] {
            if (MsFlexGrid->Row() == 0)
                MsFlexGrid->setRow(1);
        },
        [&] { MsFlexGrid->SetFocus(); },
    });
}

void VrDbGrid::AjustaAnchoColumnas()
{
    for (int c = 1; c <= MsFlexGrid->Cols() - 2; ++c) {
        qsizetype longest = 0;
        for (int r = 0; r < MsFlexGrid->Rows(); ++r)
            longest = std::max(longest, MsFlexGrid->TextMatrix(r, c).size());
        const int n = static_cast<int>(longest);
        const int width = textWidthTwips(QString(n, QLatin1Char('X')));
        MsFlexGrid->setColWidth(c, n > 19 ? width - 500 : width + 500);
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
            MsFlexGrid->setColWidth(c, textWidthTwips(QString(2 * MsFlexGrid->TextMatrix(0, c).size(), QLatin1Char('X'))));
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
        [&] { MsFlexGrid->SetFocus(); },
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

// --- properties ------------------------------------------------------------------

QString VrDbGrid::ConString() const
{
    return ObjDB().gConnString;
}

void VrDbGrid::setConString(const QString& value)
{
    if (!ObjDB().gOpenFlag)
        ObjDB().OpenServerADODB(false, 3, value);
    emit PropertyChanged(QStringLiteral("ConString"));
}

QString VrDbGrid::Sql() const
{
    return m_q.Sql;
}

void VrDbGrid::setSql(const QString& value)
{
    m_q.Sql = value + QLatin1Char(' ');
    emit PropertyChanged(QStringLiteral("SQL"));
}

QString VrDbGrid::PrimaryKey() const
{
    return m_q.PrimaryKey;
}

void VrDbGrid::setPrimaryKey(const QString& value)
{
    m_q.PrimaryKey = value;
    emit PropertyChanged(QStringLiteral("PrimaryKey"));
}

int VrDbGrid::Find() const
{
    return m_q.Find;
}

void VrDbGrid::setFind(int value)
{
    m_q.Find = value;
    emit PropertyChanged(QStringLiteral("Find"));
    markMenu(m_buscarMenu, value);
}

int VrDbGrid::Order() const
{
    return m_q.Order;
}

void VrDbGrid::setOrder(int value)
{
    m_q.Order = value;
    emit PropertyChanged(QStringLiteral("Order"));
    markMenu(m_ordenMenu, value);
}

int VrDbGrid::AlignCommandBar() const
{
    return m_alignCommandBar;
}

void VrDbGrid::setAlignCommandBar(int value)
{
    m_alignCommandBar = value;
    emit PropertyChanged(QStringLiteral("AlignCommandBar"));
}

int VrDbGrid::AlignFilterBar() const
{
    return m_alignFilterBar;
}

void VrDbGrid::setAlignFilterBar(int value)
{
    m_alignFilterBar = value;
    emit PropertyChanged(QStringLiteral("AlignFilterBar"));
}

int VrDbGrid::PageSize() const
{
    return m_q.PageSize;
}

void VrDbGrid::setPageSize(int value)
{
    m_q.PageSize = value;
    emit PropertyChanged(QStringLiteral("PageSize"));
}

bool VrDbGrid::AnchoColFijo() const
{
    return m_anchoColFijo;
}

void VrDbGrid::setAnchoColFijo(bool value)
{
    m_anchoColFijo = value;
    emit PropertyChanged(QStringLiteral("AnchoColFijo"));
}

QString VrDbGrid::CamposSel() const
{
    return m_q.CamposSel;
}

void VrDbGrid::setCamposSel(const QString& value)
{
    m_q.CamposSel = value;
    emit PropertyChanged(QStringLiteral("CamposSel"));
}

QString VrDbGrid::Campos() const
{
    return m_q.Campos;
}

void VrDbGrid::setCampos(const QString& value)
{
    m_q.Campos = value;
    emit PropertyChanged(QStringLiteral("Campos"));
}

QString VrDbGrid::OrdinalSel() const
{
    return m_q.OrdinalSel;
}

void VrDbGrid::setOrdinalSel(const QString& value)
{
    m_q.OrdinalSel = value;
    emit PropertyChanged(QStringLiteral("OrdinalSel"));
}

bool VrDbGrid::Columnas() const
{
    return m_columnas;
}

void VrDbGrid::setColumnas(bool value)
{
    m_columnas = value;
    emit PropertyChanged(QStringLiteral("Columnas"));
}

bool VrDbGrid::OcultarOrdenar() const
{
    return m_ocultarOrdenar;
}

void VrDbGrid::setOcultarOrdenar(bool value)
{
    m_ocultarOrdenar = value;
    emit PropertyChanged(QStringLiteral("OcultarOrdenar"));
}

QString VrDbGrid::OrderBy() const
{
    return m_q.OrderBy;
}

void VrDbGrid::setOrderBy(const QString& value)
{
    m_q.OrderBy = value;
    emit PropertyChanged(QStringLiteral("OrderBy"));
}

int VrDbGrid::OrdenSent() const
{
    return m_q.OrdenSent;
}

void VrDbGrid::setOrdenSent(int value)
{
    m_q.OrdenSent = value;
    emit PropertyChanged(QStringLiteral("OrdenSent"));
}

int VrDbGrid::PaginaActual() const
{
    return m_q.PaginaActual;
}

int VrDbGrid::UltimaPagina() const
{
    return m_q.UltimaPagina;
}

int VrDbGrid::FormatDate() const
{
    return m_q.FormatDate;
}

void VrDbGrid::setFormatDate(int value)
{
    m_q.FormatDate = value;
    emit PropertyChanged(QStringLiteral("FormatDate"));
}

void VrDbGrid::ReadProperties(PropertyBag& bag)
{
    auto text = [&](const char* key, const QString& def) { return bag.ReadProperty(QString::fromLatin1(key), def).toString(); };
    auto number = [&](const char* key, int def) {
        return lang::toInt32(lang::number(bag.ReadProperty(QString::fromLatin1(key), def)));
    };
    auto flag = [&](const char* key, bool def) { return bag.ReadProperty(QString::fromLatin1(key), def).toBool(); };
    ErrorTrap::skipping().run({
        [&] { m_q.Sql = text("SQL", {}); },
        [&] { m_q.PrimaryKey = text("PrimaryKey", QStringLiteral("ID")); },
        [&] { setFind(number("Find", 2)); },
        [&] { setOrder(number("Order", 1)); },
        [&] { m_alignCommandBar = number("AlignCommandBar", 2); },
        [&] { m_alignFilterBar = number("AlignFilterBar", 1); },
        [&] { m_q.PageSize = number("PageSize", 5); },
        [&] { m_anchoColFijo = flag("AnchoColFijo", true); },
        [&] { m_q.CamposSel = text("CamposSel", {}); },
        [&] { m_q.Campos = text("Campos", {}); },
        [&] { m_q.OrdinalSel = text("OrdinalSel", {}); },
        [&] { setColumnas(flag("Columnas", false)); },
        [&] { setOrderBy(text("OrderBy", {})); },
        [&] { setOrdenSent(number("OrdenSent", 0)); },
        [&] { setFormatDate(number("FormatDate", 103)); },
    });
}

void VrDbGrid::WriteProperties(PropertyBag& bag) const
{
    ErrorTrap::skipping().run({
        [&] { bag.WriteProperty(QStringLiteral("SQL"), m_q.Sql); },
        [&] { bag.WriteProperty(QStringLiteral("PrimaryKey"), m_q.PrimaryKey); },
        [&] { bag.WriteProperty(QStringLiteral("Find"), m_q.Find, 2); },
        [&] { bag.WriteProperty(QStringLiteral("Order"), m_q.Order, 1); },
        [&] { bag.WriteProperty(QStringLiteral("AlignCommandBar"), m_alignCommandBar, 2); },
        [&] { bag.WriteProperty(QStringLiteral("AlignFilterBar"), m_alignFilterBar, 1); },
        [&] { bag.WriteProperty(QStringLiteral("PageSize"), m_q.PageSize); },
        [&] { bag.WriteProperty(QStringLiteral("AnchoColFijo"), m_anchoColFijo); },
        [&] { bag.WriteProperty(QStringLiteral("CamposSel"), m_q.CamposSel); },
        [&] { bag.WriteProperty(QStringLiteral("Campos"), m_q.Campos); },
        [&] { bag.WriteProperty(QStringLiteral("OrdinalSel"), m_q.OrdinalSel); },
        [&] { bag.WriteProperty(QStringLiteral("Columnas"), m_columnas); },
        [&] { bag.WriteProperty(QStringLiteral("OcultarOrdenar"), m_ocultarOrdenar); },
        [&] { bag.WriteProperty(QStringLiteral("OrderBy"), m_q.OrderBy); },
        [&] { bag.WriteProperty(QStringLiteral("OrdenSent"), m_q.OrdenSent); },
        [&] { bag.WriteProperty(QStringLiteral("FormatDate"), m_q.FormatDate); },
    });
}

// --- layout and keys of the page-size list -------------------------------------------

void VrDbGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void VrDbGrid::layOut()
{
    const int h = twips::fromPixels(height());
    const int w = twips::fromPixels(width());
    const int statusPx = m_statusBar->sizeHint().height();
    m_statusBar->setGeometry(0, height() - statusPx, width(), statusPx);
    const int statusHeight = twips::fromPixels(statusPx);
    const int gridHeight = std::max(0, h - 1000 - statusHeight);
    const int gridWidth = std::max(0, w - 100);
    auto place = [](QWidget* widget, int top, int height) {
        widget->setGeometry(widget->x(), twips::toPixels(top), widget->width(), twips::toPixels(height));
    };
    auto sizeGrid = [&] {
        MsFlexGrid->setGeometry(MsFlexGrid->x(), MsFlexGrid->y(), twips::toPixels(gridWidth), twips::toPixels(gridHeight));
    };
    auto widen = [&](QWidget* frame) {
        frame->setGeometry(frame->x(), frame->y(), twips::toPixels(gridWidth), frame->height());
    };
    switch (m_alignCommandBar) {
    case 1:
        sizeGrid();
        widen(m_frmComandos);
        place(m_frmComandos, 0, kComandosHeight);
        MsFlexGrid->move(MsFlexGrid->x(), m_frmComandos->height());
        break;
    case 0:
    case 2:
    case 3:
    case 4:
        sizeGrid();
        place(m_frmComandos, gridHeight + 400, kComandosHeight);
        widen(m_frmComandos);
        break;
    default:
        break;
    }
    switch (m_alignFilterBar) {
    case 2:
        sizeGrid();
        place(m_frmFiltros, gridHeight + 600, kFiltrosHeight);
        widen(m_frmFiltros);
        break;
    case 0:
    case 1:
    case 3:
    case 4:
        sizeGrid();
        widen(m_frmFiltros);
        break;
    default:
        break;
    }
    const int pbarHeight = std::max(4, statusPx - 8);
    m_pbar->setGeometry(width() - twips::toPixels(kPbarWidth) - twips::toPixels(100), m_statusBar->y() + twips::toPixels(60),
                        twips::toPixels(kPbarWidth), pbarHeight);
    m_pbar->raise();
}

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
