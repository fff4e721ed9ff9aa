// The grid's inner controls: how they are built, wired to their handlers
// and relayed to the host, and how they are laid out when the grid is resized.
#include "grid/VrDbGrid.h"

#include "grid/PageListModel.h"
#include "platform/FlexGrid.h"
#include "platform/StandardIcons.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
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

template <class Control, class Signal, class Handler>
void VrDbGrid::wire(Control* control, Signal signal, const char* name, Handler handler)
{
    connect(control, signal, this, [this, name, handler](auto&&... args) {
        guarded(QString::fromLatin1(name), [&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(args)&...>)
                handler(args...);
            else
                handler();
        });
    });
}

namespace {

// Design sizes of the bars, in twips.
constexpr int kFiltrosHeight = 400;
constexpr int kComandosHeight = 480;
constexpr int kPbarWidth = 1500;

QPushButton* button(QWidget* parent, const QString& name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setIcon(icons::standard(icon, b));
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
    buscar->setIcon(icons::standard(QStyle::SP_FileDialogContentsView, buscar));
    buscar->setMenu(m_buscarMenu);
    buscar->setPopupMode(QToolButton::MenuButtonPopup);
    m_toolbar1->addWidget(buscar);
    QAction* actualizar = m_toolbar1->addAction(icons::standard(QStyle::SP_BrowserReload, m_toolbar1), QString());
    actualizar->setObjectName(QStringLiteral("ACTUALIZAR"));
    actualizar->setToolTip(QStringLiteral("Actualizar"));
    QAction* ajustaCol = m_toolbar1->addAction(icons::standard(QStyle::SP_ToolBarHorizontalExtensionButton, m_toolbar1), QString());
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
    m_lblPaginas = new QLabel(GridQuery::emptyPageLabel(), m_frmComandos);
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
    orden->setIcon(icons::standard(QStyle::SP_FileDialogDetailedView, orden));
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

    wire(m_cmdPrimero, &QPushButton::clicked, "cmdPrimero_Click", [this] { cmdPrimero_Click(); });
    wire(m_cmdAnterior, &QPushButton::clicked, "cmdAnterior_Click", [this] { cmdAnterior_Click(); });
    wire(m_cmdSiguiente, &QPushButton::clicked, "cmdSiguiente_Click", [this] { cmdSiguiente_Click(); });
    wire(m_cmdUltimo, &QPushButton::clicked, "cmdUltimo_Click", [this] { cmdUltimo_Click(); });
    wire(m_cboPagSelect, &QComboBox::activated, "cboPagSelect_Click", [this] { cboPagSelect_Click(); });
    wire(m_cboRegistros, &QComboBox::activated, "CboRegistros_Click", [this] { CboRegistros_Click(); });
    wire(m_cmdColumnas, &QPushButton::clicked, "cmdColumnas_Click", [this] { cmdColumnas_Click(); });
    wire(m_imgOrdenN, &QToolButton::clicked, "ImgOrdenN_Click", [this] { ImgOrdenN_Click(); });
    wire(m_imgOrdenAsc, &QToolButton::clicked, "ImgOrdenAsc_Click", [this] { ImgOrdenAsc_Click(); });
    wire(m_imgOrdenDesc, &QToolButton::clicked, "ImgOrdenDesc_Click", [this] { ImgOrdenDesc_Click(); });
    wire(buscar, &QToolButton::clicked, "Toolbar1_ButtonClick",
         [this] { Toolbar1_ButtonClick(QStringLiteral("BUSCAR")); });
    for (QAction* a : {actualizar, ajustaCol})
        wire(a, &QAction::triggered, "Toolbar1_ButtonClick", [this, a] { Toolbar1_ButtonClick(a->objectName()); });
    for (int i = 0; i < 2; ++i) {
        wire(m_buscarMenu->actions().at(i), &QAction::triggered, "Toolbar1_ButtonMenuClick",
             [this, i] { Toolbar1_ButtonMenuClick(i + 1); });
        wire(m_ordenMenu->actions().at(i), &QAction::triggered, "Toolbar2_ButtonMenuClick",
             [this, i] { Toolbar2_ButtonMenuClick(i + 1); });
    }
    wire(m_txtBuscar, &TextBox::KeyDown, "txtBuscar_KeyDown",
         [this](int& code, int shift) { txtBuscar_KeyDown(code, shift); });
}

void VrDbGrid::relayEvents()
{
    connect(MsFlexGrid, &FlexGrid::Click, this, &VrDbGrid::MsFlexGridClick);
    connect(MsFlexGrid, &FlexGrid::DblClick, this, &VrDbGrid::MsFlexGridDblClick);
    connect(MsFlexGrid, &FlexGrid::GotFocus, this, &VrDbGrid::MsFlexGridGotFocus);
    connect(MsFlexGrid, &FlexGrid::LostFocus, this, &VrDbGrid::MsFlexGridLostFocus);
    connect(MsFlexGrid, &FlexGrid::EnterCell, this, &VrDbGrid::MsFlexGridEnterCell);
    wire(MsFlexGrid, &FlexGrid::KeyDown, "MSFlexGrid1_KeyDown",
         [this](int& code, int shift) { flexGridKeyDown(code, shift); });
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

