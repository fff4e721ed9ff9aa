// The start-up form: its controls, start-up and shutdown, the header, the
// voucher number and the two modes.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

#include "ReporteAsignacionUbicacion.h"

#include "core/DB_Dll.h"
#include "core/Formularios.h"
#include "core/Globals.h"
#include "core/Objetos.h"
#include "core/Sistema.h"
#include "grid/VrDbGrid.h"
#include "platform/Colors.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "platform/Keys.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/TextBox.h"
#include "platform/Toolbar.h"
#include "platform/Twips.h"
#include "platform/Value.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr std::uint32_t kColorFoco = 0xFFFF00;
constexpr std::uint32_t kColorNormal = 0xFFFFFF;
const QString kSinDescripcion = QStringLiteral("...");

struct DefinicionCampo {
    const char* dataField;
    int maxLength;
    const char* tag;
};

// In index order; the tab order is set apart.
constexpr DefinicionCampo kCampos[] = {
    {"LETRA", 1, ""},       {"NUMERO", 8, ""},    {"IdDeposito", 4, "V_TA_Deposito"}, {"FECHA", 10, "Fecha"},
    {"SUCURSAL_IR", 4, ""}, {"NUMERO_IR", 8, ""}, {"LETRA_IR", 1, ""},                {"SUCURSAL", 4, ""},
};

void colorDeFondo(QWidget* w, std::uint32_t color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colors::fromStored(color));
    w->setPalette(p);
}

}  // namespace

frmDRAVELO_ASIGNAR_UBICACION::frmDRAVELO_ASIGNAR_UBICACION(QWidget* parent)
    : QMainWindow(parent),
      FrmEncABEZADO(new QGroupBox),
      CmbLista(new QComboBox),
      LblDescDeposito(new QLabel),
      VrUtil1(new VrUtil),
      FRMfILTRO(new QGroupBox(QStringLiteral("Filtro"))),
      cmdFiltrar(new QPushButton(QStringLiteral("&Cargar  >>>"))),
      frmGrillas(new QGroupBox),
      LblDetalle(new QLabel(QStringLiteral("Articulos Sin Ubicación Asignada"))),
      cmdProponer(new QPushButton(QStringLiteral("&Proponer >>>"))),
      VrDbGrid1(new VrDbGrid)
{
    setObjectName(QStringLiteral("frmDRAVELO_ASIGNAR_UBICACION"));
    setWindowTitle(QStringLiteral("Asignacion de Posiciones"));
    construyeControles();
    conecta();
}

frmDRAVELO_ASIGNAR_UBICACION::~frmDRAVELO_ASIGNAR_UBICACION()
{
    qApp->removeEventFilter(this);
    // A window still shown hands its focus on while its controls are taken
    // down, after this form's own members are gone: their handlers must not
    // run by then.
    for (QObject* control : findChildren<QObject*>())
        disconnect(control, nullptr, this, nullptr);
}

void frmDRAVELO_ASIGNAR_UBICACION::construyeControles()
{
    auto* fondo = new QWidget;
    fondo->setObjectName(QStringLiteral("Fondo"));
    setCentralWidget(fondo);
    for (QWidget* w : std::initializer_list<QWidget*>{VrUtil1, FrmEncABEZADO, FRMfILTRO, frmGrillas})
        w->setParent(fondo);
    VrUtil1->setObjectName(QStringLiteral("VrUtil1"));
    FrmEncABEZADO->setObjectName(QStringLiteral("FrmEncABEZADO"));
    FRMfILTRO->setObjectName(QStringLiteral("FRMfILTRO"));
    frmGrillas->setObjectName(QStringLiteral("frmGrillas"));

    for (int i = 0; i < static_cast<int>(std::size(kCampos)); ++i) {
        auto* campo = new TextBox;
        campo->setObjectName(QStringLiteral("TxtFields"));
        campo->setProperty("Index", i);
        campo->setDataField(QString::fromLatin1(kCampos[i].dataField));
        campo->setMaxLength(kCampos[i].maxLength);
        campo->setTag(QString::fromLatin1(kCampos[i].tag));
        TxtFields.push_back(campo);
    }
    const auto etiqueta = [](const QString& nombre, int indice, const QString& texto, QWidget* padre) {
        auto* l = new QLabel(texto, padre);
        l->setObjectName(nombre);
        l->setProperty("Index", indice);
        return l;
    };
    lblTitulo = {etiqueta(QStringLiteral("lblTitulo"), 0, QStringLiteral("Informe de Recepcion (IR)"), FRMfILTRO),
                 nullptr,
                 etiqueta(QStringLiteral("lblTitulo"), 2, QStringLiteral("Nº de Comprobante"), FrmEncABEZADO)};
    Label5 = {nullptr, etiqueta(QStringLiteral("Label5"), 1, QStringLiteral("Fecha:"), FrmEncABEZADO),
              etiqueta(QStringLiteral("Label5"), 2, QStringLiteral("Deposito:"), FrmEncABEZADO)};

    // Header.
    CmbLista->setParent(FrmEncABEZADO);
    CmbLista->setObjectName(QStringLiteral("CmbLista"));
    CmbLista->setEditable(false);
    CmbLista->setFont(QFont(QStringLiteral("Courier New"), 9));
    LblDescDeposito->setParent(FrmEncABEZADO);
    LblDescDeposito->setObjectName(QStringLiteral("LblDescDeposito"));
    LblDescDeposito->setText(kSinDescripcion);
    for (int i : {0, 1, 2, 3, 7})
        TxtFields[static_cast<std::size_t>(i)]->setParent(FrmEncABEZADO);
    twips::setGeometry(*FrmEncABEZADO, 120, 660, 14400, 1260);
    twips::setGeometry(*CmbLista, 120, 300, 5100, 330);
    twips::setGeometry(*lblTitulo[2], 5400, 345, 1980, 255);
    twips::setGeometry(*Campo(QStringLiteral("SUCURSAL")), 7440, 300, 720, 315);
    twips::setGeometry(*Campo(QStringLiteral("NUMERO")), 8220, 300, 1260, 315);
    twips::setGeometry(*Campo(QStringLiteral("LETRA")), 9540, 300, 420, 315);
    twips::setGeometry(*Label5[1], 120, 795, 660, 255);
    twips::setGeometry(*Campo(QStringLiteral("FECHA")), 840, 750, 1320, 315);
    twips::setGeometry(*Label5[2], 2400, 795, 900, 255);
    twips::setGeometry(*Campo(QStringLiteral("IdDeposito")), 3360, 750, 720, 315);
    twips::setGeometry(*LblDescDeposito, 4200, 795, 5400, 255);

    // Receiving-voucher filter.
    for (int i : {4, 5, 6})
        TxtFields[static_cast<std::size_t>(i)]->setParent(FRMfILTRO);
    cmdFiltrar->setParent(FRMfILTRO);
    cmdFiltrar->setObjectName(QStringLiteral("cmdFiltrar"));
    twips::setGeometry(*FRMfILTRO, 120, 1980, 14400, 780);
    twips::setGeometry(*lblTitulo[0], 120, 345, 2520, 255);
    twips::setGeometry(*Campo(QStringLiteral("SUCURSAL_IR")), 2700, 300, 720, 315);
    twips::setGeometry(*Campo(QStringLiteral("NUMERO_IR")), 3480, 300, 1260, 315);
    twips::setGeometry(*Campo(QStringLiteral("LETRA_IR")), 4800, 300, 420, 315);
    twips::setGeometry(*cmdFiltrar, 12600, 270, 1650, 375);

    // Lines.
    LblDetalle->setParent(frmGrillas);
    LblDetalle->setObjectName(QStringLiteral("LblDetalle"));
    QFont banner(QStringLiteral("Tahoma"), 10);
    banner.setBold(true);
    LblDetalle->setFont(banner);
    cmdProponer->setParent(frmGrillas);
    cmdProponer->setObjectName(QStringLiteral("cmdProponer"));
    VrDbGrid1->setParent(frmGrillas);
    VrDbGrid1->setObjectName(QStringLiteral("VrDbGrid1"));
    VrDbGrid1->setPrimaryKey(QStringLiteral("id"));
    VrDbGrid1->setPageSize(15);
    VrDbGrid1->setFormatDate(103);
    VrDbGrid1->setOrdenSent(0);
    VrDbGrid1->setOcultarOrdenar(false);
    twips::setGeometry(*frmGrillas, 120, 2820, 14400, 6600);
    twips::setGeometry(*LblDetalle, 60, 240, 14300, 330);
    twips::setGeometry(*cmdProponer, 12600, 180, 1650, 375);
    twips::setGeometry(*VrDbGrid1, 60, 660, 14300, 5700);
    twips::setGeometry(*VrUtil1, 120, 0, 14400, 600);

    // Tab order: the voucher type, the voucher's branch, number and letter,
    // the date, the depot, the filter, and the load button.
    QWidget::setTabOrder(CmbLista, Campo(QStringLiteral("SUCURSAL")));
    QWidget::setTabOrder(Campo(QStringLiteral("SUCURSAL")), Campo(QStringLiteral("NUMERO")));
    QWidget::setTabOrder(Campo(QStringLiteral("NUMERO")), Campo(QStringLiteral("LETRA")));
    QWidget::setTabOrder(Campo(QStringLiteral("LETRA")), Campo(QStringLiteral("FECHA")));
    QWidget::setTabOrder(Campo(QStringLiteral("FECHA")), Campo(QStringLiteral("IdDeposito")));
    QWidget::setTabOrder(Campo(QStringLiteral("IdDeposito")), Campo(QStringLiteral("SUCURSAL_IR")));
    QWidget::setTabOrder(Campo(QStringLiteral("SUCURSAL_IR")), Campo(QStringLiteral("NUMERO_IR")));
    QWidget::setTabOrder(Campo(QStringLiteral("NUMERO_IR")), Campo(QStringLiteral("LETRA_IR")));
    QWidget::setTabOrder(Campo(QStringLiteral("LETRA_IR")), cmdFiltrar);

    resize(twips::toPixels(14760), twips::toPixels(10380));
}

void frmDRAVELO_ASIGNAR_UBICACION::conecta()
{
    for (int i = 0; i < static_cast<int>(TxtFields.size()); ++i) {
        TextBox* campo = TxtFields[static_cast<std::size_t>(i)];
        connect(campo, &TextBox::GotFocus, this, [this, i] { TxtFields_GotFocus(i); });
        connect(campo, &TextBox::LostFocus, this, [this, i] { TxtFields_LostFocus(i); });
        connect(campo, &TextBox::KeyDown, this, [this, i](int& code, int shift) { TxtFields_KeyDown(i, code, shift); });
        connect(campo, &TextBox::KeyPress, this, [this, i](int& ascii) { TxtFields_KeyPress(i, ascii); });
    }
    connect(CmbLista, &QComboBox::currentIndexChanged, this, [this] { CmbLista_Change(); });
    connect(CmbLista, &QComboBox::activated, this, [this] { CmbLista_Click(); });
    connect(cmdFiltrar, &QPushButton::clicked, this, [this] { cmdFiltrar_Click(); });
    connect(cmdProponer, &QPushButton::clicked, this, [this] { cmdProponer_Click(); });
    connect(VrUtil1, &VrUtil::click, this, [this](const QString& key) { VrUtil1_click(key); });

    connect(VrDbGrid1, &VrDbGrid::CargarPagina, this, [this](int page) { VrDbGrid1_CargarPagina(page); });
    // The grid's button fits every column to its texts, the hidden ones too.
    connect(VrDbGrid1, &VrDbGrid::AjustarColumnas, this, [this] { ocultaColumnas(); });
    connect(VrDbGrid1, &VrDbGrid::MsFlexGridClick, this, [this] { VrDbGrid1_MsFlexGridClick(); });
    connect(VrDbGrid1, &VrDbGrid::MsFlexGridEnterCell, this, [this] { VrDbGrid1_MsFlexGridEnterCell(); });
    connect(VrDbGrid1, &VrDbGrid::MsFlexGridGotFocus, this, [this] { VrDbGrid1_MsFlexGridGotFocus(); });
    connect(VrDbGrid1, &VrDbGrid::MSFlexGridKeyDown, this,
            [this](int& code, int shift) { VrDbGrid1_MSFlexGridKeyDown(code, shift); });
    connect(VrDbGrid1, &VrDbGrid::MSFlexGridKeyPress, this, [this](int& ascii) { VrDbGrid1_MSFlexGridKeyPress(ascii); });
    connect(VrDbGrid1, &VrDbGrid::MSFlexGridLeaveCell, this, [this] { VrDbGrid1_MSFlexGridLeaveCell(); });
    connect(VrDbGrid1, &VrDbGrid::MSFlexGridMouseDown, this,
            [this](int button, int shift, float x, float y) { VrDbGrid1_MSFlexGridMouseDown(button, shift, x, y); });
    connect(VrDbGrid1, &VrDbGrid::txtEditGotFocus, this, [this] { VrDbGrid1_txtEditGotFocus(); });
    connect(VrDbGrid1, &VrDbGrid::txtEditKeyDown, this,
            [this](int& code, int shift) { VrDbGrid1_txtEditKeyDown(code, shift); });
    connect(VrDbGrid1, &VrDbGrid::txtEditKeyPress, this, [this](int& ascii) { VrDbGrid1_txtEditKeyPress(ascii); });

    // Every key of the window reaches the toolbar before the control it is
    // meant for, so that the toolbar's shortcuts work from any field. The
    // header fields' and the voucher type's events come through this one
    // filter too: a second one on the control itself would run each handler
    // twice (a right click opened the lookup twice).
    qApp->installEventFilter(this);
}

TextBox* frmDRAVELO_ASIGNAR_UBICACION::Campo(const QString& dataField) const
{
    const int i = ObjCampos().IndiceCampo(dataField, TxtFields);
    return i < 0 ? nullptr : TxtFields[static_cast<std::size_t>(i)];
}

QString frmDRAVELO_ASIGNAR_UBICACION::texto(const QString& dataField) const
{
    const TextBox* campo = Campo(dataField);
    if (!campo)
        throw RuntimeError(errnum::SubscriptOutOfRange, QStringLiteral("El formulario no tiene el campo ") + dataField);
    return campo->text();
}

void frmDRAVELO_ASIGNAR_UBICACION::ponTexto(const QString& dataField, const QString& valor)
{
    TextBox* campo = Campo(dataField);
    if (!campo)
        throw RuntimeError(errnum::SubscriptOutOfRange, QStringLiteral("El formulario no tiene el campo ") + dataField);
    campo->setText(valor);
}

ComprobanteTransferencia frmDRAVELO_ASIGNAR_UBICACION::ComprobanteDelEncabezado() const
{
    const KumozenUtilidades& util = ObjUtilidades();
    return {QStringLiteral("%1").arg(util.TextoALong(texto(QStringLiteral("SUCURSAL"))), 4, 10, QLatin1Char('0')),
            QStringLiteral("%1").arg(util.TextoALong(texto(QStringLiteral("NUMERO"))), 8, 10, QLatin1Char('0')),
            texto(QStringLiteral("LETRA")).trimmed()};
}

// --- start-up and shutdown ---------------------------------------------------------

void frmDRAVELO_ASIGNAR_UBICACION::Form_Load()
{
    QString parametroIR;
    QString parametroDeposito;
    ErrorTrap::showing(QStringLiteral("Form_Load"))
        .run({
            [&] {
                // What this form reads and writes: a database without them is
                // not opened, so a wrong file is never taken for the company's.
                QStringList& requeridas = ObjDB().gTablasRequeridas;
                for (const char* tabla : {"V_MV_STOCK_DRAVELO", "Aux_V_MV_STOCK_DRAVELO", "Stk_Dravelo_Sin_Asignar",
                                          "Stk_Dravelo_Sin_asignar_ir", "MA_POSICIONES", "AC_SALDOSLAYOUT",
                                          "V_MA_ARTICULOS", "V_TA_Deposito", "S_TA_EQUIV", "ta_usuarios"})
                    if (!requeridas.contains(QLatin1String(tabla), Qt::CaseInsensitive))
                        requeridas << QString::fromLatin1(tabla);
                QString cadena;
                IniciaSistema(false, {}, cadena);
                if (!ObjDB().gOpenFlag)
                    ErrorTrap::leave();
            },
            [&] { RegistraReportes(); },
            [&] {
                CmbLista->clear();
                CmbLista->addItem(QStringLiteral("TRP - Transferencia entre Posiciones "));
                CmbLista->setCurrentIndex(0);
                LblDescDeposito->setText(kSinDescripcion);
            },
            [&] {
                const QString parametros = host().commandLine();
                parametroIR = LeeParametro(parametros, QStringLiteral("@IR"));
                parametroDeposito = LeeParametro(parametros, QStringLiteral("@DEPOSITO"));
            },
            [&] {
                if (parametroIR.isEmpty())
                    return;
                ponTexto(QStringLiteral("SUCURSAL_IR"), parametroIR.mid(0, 4));
                ponTexto(QStringLiteral("NUMERO_IR"), parametroIR.mid(4, 8));
                ponTexto(QStringLiteral("LETRA_IR"), parametroIR.mid(12, 1));
            },
            [&] {
                if (parametroDeposito.isEmpty())
                    return;
                db::Recordset rs;
                const bool existe =
                    ObjDB().ExisteEnTabla(QStringLiteral("V_TA_Deposito"),
                                          ObjUtilidades().AlineaDerecha(parametroDeposito, 4),
                                          QStringLiteral("IdDeposito"), &rs, 8, {});
                LblDescDeposito->setText(
                    existe ? lang::text(ObjUtilidades().ValorNoNulo(rs.value(QStringLiteral("Descripcion")))).trimmed()
                           : kSinDescripcion);
                ObjDB().CierraRecordset(rs);
                ponTexto(QStringLiteral("IdDeposito"), parametroDeposito);
                if (!existe)
                    prompts().messageBox(QStringLiteral("El Deposito Informado es Inexistente"), prompt::OkOnly, {});
            },
            [&] { InicializaFormulario(this); },
            [&] {
                TablaActiva = QStringLiteral("Stk_Dravelo_Sin_Asignar");
                AbrirRecordset(TablaActiva);
            },
            [&] { ObjUtilidades().AjustaFormulario(this, 0); },
            [&] { Inicializa(); },
            [&] {
                if (!parametroDeposito.isEmpty())
                    return;
                db::Recordset rs;
                ObjDB().AbrirRecordset(SentenciaDepositoDelUsuario(ObjDB(), UsuarioLogeado), rs);
                if (rs.State() != db::state::Closed && !rs.Eof())
                    ponTexto(QStringLiteral("IdDeposito"), lang::text(rs.value(QStringLiteral("IdDeposito"))).trimmed());
                ObjDB().CierraRecordset(rs);
            },
            [&] {
                if (!parametroIR.isEmpty())
                    cmdFiltrar_Click();
            },
        });
}

void frmDRAVELO_ASIGNAR_UBICACION::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // The window's controls fall silent first: one that loses the focus as
    // the window goes (the page-size box loads a page then) must not reach
    // the database being closed.
    for (QObject* control : findChildren<QObject*>())
        control->blockSignals(true);
    ErrorTrap::showing(QStringLiteral("Form_Unload"))
        .run({
            [&] {
                if (RsFormulario.State() != db::state::Closed)
                    RsFormulario.Close();
            },
            [&] { FinalizaSistema(); },
            [&] { hide(); },
            [&] { QCoreApplication::quit(); },
        });
}

void frmDRAVELO_ASIGNAR_UBICACION::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmDRAVELO_ASIGNAR_UBICACION::AbrirRecordset(const QString& Tabla)
{
    ErrorTrap::showing(QStringLiteral("Abrir Recordset"))
        .run({[&] {
            ObjDB().AbrirRecordset(QStringLiteral("SELECT TOP 1 * FROM ") + Tabla, RsFormulario, nullptr, 2, 3, -1,
                                   true);
        }});
}

void frmDRAVELO_ASIGNAR_UBICACION::Inicializa()
{
    ErrorTrap::skipping().run({
        [&] {
            NuevoComprobante = true;
            Borrando = false;
            ComprobanteExistente = false;
        },
        [&] { ObjCampos().ConfiguraCampos(TxtFields, TablaActiva, ObjDB().gCnn()); },
        [&] { Detalleon(false); },
        [&] { ponTexto(QStringLiteral("FECHA"), host().now().date().toString(QStringLiteral("dd/MM/yyyy"))); },
        [&] {
            NumeroFijado = false;
            AsignarNumeroComprobante();
        },
        [&] {
            VrDbGrid1->Vacia();
            VrDbGrid1->MsFlexGrid->releaseDataSource();
        },
        [&] { cmdFiltrar->setEnabled(true); },
        [&] { CmbLista->setFocus(); },
    });
}

void frmDRAVELO_ASIGNAR_UBICACION::AsignarNumeroComprobante()
{
    if (NumeroFijado)
        return;
    std::int32_t ultimo = 0;
    ErrorTrap::skipping().run({
        [&] { UltimoNumeroTRP(ObjDB(), false, ultimo); },
        [&] {
            const ComprobanteTransferencia proximo = ProximoComprobanteTRP(ultimo);
            ponTexto(QStringLiteral("SUCURSAL"), proximo.Sucursal);
            ponTexto(QStringLiteral("NUMERO"), proximo.Numero);
            ponTexto(QStringLiteral("LETRA"), proximo.Letra);
        },
    });
}

void frmDRAVELO_ASIGNAR_UBICACION::Detalleon(bool on)
{
    VrDbGrid1->MsFlexGrid->setEnabled(on);
    for (TextBox* campo : TxtFields)
        campo->setEnabled(!on);
    CmbLista->setEnabled(!on);
    VrUtil1->setHabilitado8(true);
    if (on) {
        VrUtil1->setHabilitado1(true);
        VrUtil1->setHabilitado7(true);
        VrUtil1->setHabilitado3(false);
    } else {
        VrUtil1->setHabilitado7(true);
        VrUtil1->setHabilitado3(false);
        VrUtil1->setHabilitado1(false);
    }
    VrUtil1->setHabilitado2(true);
    VrUtil1->setHabilitado4(false);
    VrUtil1->setHabilitado6(true);
}

// --- layout ----------------------------------------------------------------

void frmDRAVELO_ASIGNAR_UBICACION::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmDRAVELO_ASIGNAR_UBICACION::Form_Resize()
{
    using twips::height;
    using twips::left;
    using twips::top;
    using twips::width;
    const QWidget& fondo = *centralWidget();
    ErrorTrap::skipping().run({
        [&] {
            twips::resize(*frmGrillas, width(fondo) - left(*frmGrillas) - 200, height(fondo) - top(*frmGrillas) - 400);
        },
        [&] { twips::resize(*VrDbGrid1, width(*frmGrillas) - 100, height(*frmGrillas) - top(*VrDbGrid1) - 200); },
        [&] {
            twips::resize(*LblDetalle, width(*VrDbGrid1), height(*LblDetalle));
            twips::move(*cmdProponer, width(*LblDetalle) - width(*cmdProponer) + 50, top(*cmdProponer));
        },
        [&] {
            twips::resize(*FrmEncABEZADO, width(*frmGrillas), height(*FrmEncABEZADO));
            twips::resize(*FRMfILTRO, width(*frmGrillas), height(*FRMfILTRO));
            twips::move(*cmdFiltrar, width(*FRMfILTRO) - width(*cmdFiltrar) - 100, top(*cmdFiltrar));
        },
        [&] { twips::resize(*VrUtil1, width(*frmGrillas), height(*VrUtil1)); },
    });
}

// --- keys of the window, the voucher type and the header fields ---------------------

bool frmDRAVELO_ASIGNAR_UBICACION::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // A key reaches the filter once for its receiver and again for each
        // parent it propagates to: the window sees it once.
        if (widget && widget->window() == this && widget == QApplication::focusWidget()) {
            auto* key = static_cast<QKeyEvent*>(event);
            const int shift = keys::shiftState(key->modifiers());
            int code = keys::virtualKey(*key);
            if (code != 0) {
                Form_KeyDown(code, shift);
                if (code == 0)
                    return true;
            }
            if (watched == CmbLista) {
                if (code != 0) {
                    CmbLista_KeyDown(code, shift);
                    if (code == 0)
                        return true;
                }
                int ascii = keys::keyAscii(*key);
                if (ascii != 0) {
                    CmbLista_KeyPress(ascii);
                    if (ascii == 0)
                        return true;
                }
            }
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        const auto it = std::find(TxtFields.begin(), TxtFields.end(), watched);
        if (it != TxtFields.end()) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const int button = mouse->button() == Qt::RightButton ? 2 : mouse->button() == Qt::MiddleButton ? 4 : 1;
            TxtFields_MouseDown(static_cast<int>(it - TxtFields.begin()), button,
                                keys::shiftState(mouse->modifiers()), static_cast<float>(mouse->position().x()),
                                static_cast<float>(mouse->position().y()));
            if (button == 2)
                return true;
        }
    } else if (event->type() == QEvent::ContextMenu) {
        // A right click on a header field is its lookup: the text box's own
        // menu would open over it once the lookup closed.
        if (std::find(TxtFields.begin(), TxtFields.end(), watched) != TxtFields.end())
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmDRAVELO_ASIGNAR_UBICACION::Form_KeyDown(int& KeyCode, int Shift)
{
    VrUtil1->TeclaPresionada(KeyCode, Shift);
}

void frmDRAVELO_ASIGNAR_UBICACION::CmbLista_KeyDown(int& KeyCode, int)
{
    const bool flecha = KeyCode >= keys::Left && KeyCode <= keys::Down;
    if (KeyCode == keys::Enter) {
        KeyCode = 0;
        ObjCampos().AvanzaFoco(keys::Enter, CmbLista);
    } else if (!flecha) {
        KeyCode = 0;
    }
    AsignarNumeroComprobante();
}

void frmDRAVELO_ASIGNAR_UBICACION::CmbLista_KeyPress(int& KeyAscii)
{
    if (KeyAscii == keys::Backspace)
        KeyAscii = 0;
}

void frmDRAVELO_ASIGNAR_UBICACION::CmbLista_Change()
{
    AsignarNumeroComprobante();
}

void frmDRAVELO_ASIGNAR_UBICACION::CmbLista_Click()
{
    AsignarNumeroComprobante();
}

void frmDRAVELO_ASIGNAR_UBICACION::TxtFields_GotFocus(int Index)
{
    TextBox* campo = TxtFields.at(static_cast<std::size_t>(Index));
    ControlActivo = campo;
    colorDeFondo(campo, kColorFoco);
    campo->setSelection(0, static_cast<int>(campo->text().size()));
}

void frmDRAVELO_ASIGNAR_UBICACION::TxtFields_LostFocus(int Index)
{
    colorDeFondo(TxtFields.at(static_cast<std::size_t>(Index)), kColorNormal);
}

void frmDRAVELO_ASIGNAR_UBICACION::TxtFields_KeyDown(int Index, int& KeyCode, int)
{
    TextBox* campo = TxtFields.at(static_cast<std::size_t>(Index));
    if (!ObjCampos().EsTeclaAvance(KeyCode))
        return;
    bool avanza = true;
    CampoValida(*campo, avanza);
    if (!HayError)
        ObjCampos().AvanzaFoco(KeyCode, campo);
}

void frmDRAVELO_ASIGNAR_UBICACION::TxtFields_KeyPress(int Index, int& KeyAscii)
{
    ObjCampos().FiltraTecla(TxtFields.at(static_cast<std::size_t>(Index)), KeyAscii);
    if (KeyAscii == keys::Enter)
        KeyAscii = 0;
}

void frmDRAVELO_ASIGNAR_UBICACION::TxtFields_MouseDown(int Index, int Button, int, float, float)
{
    ControlActivo = TxtFields.at(static_cast<std::size_t>(Index));
    if (Button == 2)
        CmdConsultar();
}
