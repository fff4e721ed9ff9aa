#include "frmPosicionEntradas.h"

#include "core/Formularios.h"
#include "core/Objetos.h"
#include "platform/Buttons.h"
#include "platform/Colors.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
#include "platform/Value.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* muestra(QWidget* parent, const char* nombre)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setFixedSize(24, 16);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    return l;
}

void pinta(QLabel* l, std::uint32_t color)
{
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colors::fromStored(color));
    l->setPalette(p);
}

// Handlers of the form's events run under the usual trap: an error reaches
// the error dialog, never the event loop.
template <typename F>
void manejador(const char* nombre, F&& f)
{
    ErrorTrap::showing(QString::fromLatin1(nombre)).run({std::forward<F>(f)});
}

}  // namespace

frmPosicionEntradas::frmPosicionEntradas(QWidget* parent, DatosPosiciones* datos)
    : QDialog(parent),
      PosicionEntradas(datos ? *datos : static_cast<DatosPosiciones&>(sql), m_celdas),
      MSFlexGrid1(new FlexGrid(this)),
      txtEdit(new TextBox(this)),
      lblEncabezado(new QLabel(this)),
      CmdAceptar(new QPushButton(QStringLiteral("&Aceptar"), this)),
      CmdCancelar(new QPushButton(QStringLiteral("&Cancelar"), this)),
      FrmHelp(new QFrame(this)),
      ImgHelp(new QToolButton(this)),
      lblColorNormal(muestra(FrmHelp, "lblColorNormal")),
      lblColorSinEquivalencias(muestra(FrmHelp, "lblColorSinEquivalencias")),
      lblColorSinUnidadInformada(muestra(FrmHelp, "lblColorSinUnidadInformada")),
      lblColorPosicionInhabilitada(muestra(FrmHelp, "lblColorPosicionInhabilitada")),
      m_editor(*this)
{
    setObjectName(QStringLiteral("frmPosicionEntradas"));
    m_celdas.setGrid(MSFlexGrid1);

    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setCols(Columnas);
    MSFlexGrid1->setRows(2);
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(1);

    lblEncabezado->setObjectName(QStringLiteral("lblEncabezado"));
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdAceptar->setToolTip(QStringLiteral("(F2) Graba la grilla"));
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdCancelar->setToolTip(QStringLiteral("(ESC) Borra la grilla"));
    // Enter belongs to the grid's editor: no button takes it as the
    // default; on a focused button it presses that button.
    for (QPushButton* b : {CmdAceptar, CmdCancelar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        pressOnEnter(*b);
    }
    ImgHelp->setObjectName(QStringLiteral("ImgHelp"));
    ImgHelp->setText(QStringLiteral("?"));
    ImgHelp->setFocusPolicy(Qt::NoFocus);

    txtEdit->setObjectName(QStringLiteral("txtEdit"));
    txtEdit->setVisible(false);

    FrmHelp->setObjectName(QStringLiteral("FrmHelp"));
    FrmHelp->setFrameShape(QFrame::Box);
    FrmHelp->setAutoFillBackground(true);
    auto* leyenda = new QGridLayout(FrmHelp);
    const std::pair<QLabel*, const char*> filas[] = {
        {lblColorNormal, "Posicion Habilitada"},
        {lblColorSinEquivalencias, "Sin Equiv. entre Art y Pos."},
        {lblColorSinUnidadInformada, "Unidad no informada en Pos."},
        {lblColorPosicionInhabilitada, "Posicion Inhabilitada"},
    };
    int fila = 0;
    for (const auto& [swatch, texto] : filas) {
        leyenda->addWidget(swatch, fila, 0);
        leyenda->addWidget(new QLabel(QString::fromLatin1(texto), FrmHelp), fila, 1);
        ++fila;
    }
    FrmHelp->setVisible(false);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(lblEncabezado, 1);
    arriba->addWidget(ImgHelp);
    auto* abajo = new QHBoxLayout;
    abajo->addStretch(1);
    abajo->addWidget(CmdAceptar);
    abajo->addWidget(CmdCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addWidget(MSFlexGrid1, 1);
    todo->addLayout(abajo);
    resize(AjustaAnchos(), 360);

    conecta();
}

frmPosicionEntradas::~frmPosicionEntradas() = default;

void frmPosicionEntradas::conecta()
{
    FlexGrid* g = MSFlexGrid1;
    connect(g, &FlexGrid::Click, this, [this] { manejador("MSFlexGrid1_Click", [this] { Propiedades(); }); });
    connect(g, &FlexGrid::EnterCell, this, [this] {
        manejador("MSFlexGrid1_EnterCell", [this] {
            if (!txtEdit->Visible())
                txtEdit->setText(QString());
            Propiedades();
        });
    });
    connect(g, &FlexGrid::GotFocus, this, [this] {
        manejador("MSFlexGrid1_GotFocus", [this] {
            FrmHelp->setVisible(false);
            Propiedades();
            CellEditor::Confirma(*MSFlexGrid1, *txtEdit);
        });
    });
    connect(g, &FlexGrid::KeyDown, this, [this](int& KeyCode, int) {
        manejador("MSFlexGrid1_KeyDown", [&] {
            MsflexKey(*MSFlexGrid1, KeyCode);
            Propiedades();
            txtEdit->setText(txtEdit->text().trimmed());
        });
    });
    connect(g, &FlexGrid::KeyPress, this, [this](int& KeyAscii) {
        manejador("MSFlexGrid1_KeyPress", [&] { MsflexGridEdt(*MSFlexGrid1, *txtEdit, KeyAscii); });
    });
    connect(g, &FlexGrid::DblClick, this, [this] {
        manejador("MSFlexGrid1_DblClick", [this] { MsflexGridEdt(*MSFlexGrid1, *txtEdit, keys::Space); });
    });
    connect(g, &FlexGrid::LeaveCell, this, [this] {
        manejador("MSFlexGrid1_LeaveCell", [this] { CellEditor::Confirma(*MSFlexGrid1, *txtEdit); });
    });
    connect(g, &FlexGrid::Scroll, this, [this] { FrmHelp->setVisible(false); });

    connect(txtEdit, &TextBox::GotFocus, this, [this] { manejador("txtEdit_GotFocus", [this] { Propiedades(); }); });
    connect(txtEdit, &TextBox::KeyDown, this, [this](int& KeyCode, int) {
        m_editor.TeclaEnEditor(*MSFlexGrid1, *txtEdit, KeyCode);
    });
    connect(txtEdit, &TextBox::KeyPress, this, [this](int& KeyAscii) {
        manejador("txtEdit_KeyPress", [&] {
            Propiedades();
            ObjCampos().FiltraTecla(txtEdit, KeyAscii);
        });
    });

    connect(ImgHelp, &QToolButton::clicked, this, [this] {
        // Laid out when the operator asks for it, not for every form built.
        FrmHelp->adjustSize();
        FrmHelp->move(MSFlexGrid1->geometry().topRight() - QPoint(FrmHelp->width() + 20, -20));
        FrmHelp->raise();
        FrmHelp->setVisible(!FrmHelp->isVisible());
    });
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });

    // The form sees the keys before its controls; clicks on the legend or
    // the header hide the legend.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

bool frmPosicionEntradas::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(keys::virtualKey(*key), keys::shiftState(key->modifiers())))
            return true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               (watched == FrmHelp || watched == lblEncabezado || FrmHelp->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
        FrmHelp->setVisible(false);
    }
    return QDialog::eventFilter(watched, event);
}

int frmPosicionEntradas::AjustaAnchos()
{
    // The sample texts give each column its least width; a longer position
    // description (or a caption, in another font) widens its column. The
    // answer is the form's width that shows every column.
    int ancho = 0;
    for (int c = 0; c < Columnas; ++c) {
        MSFlexGrid1->setColWidth(c, std::max(MSFlexGrid1->textWidth(MuestraAncho(c)), MSFlexGrid1->fittingColWidth(c)));
        ancho += MSFlexGrid1->ColWidth(c);
    }
    return twips::toPixels(ancho) + 60;
}

void frmPosicionEntradas::Propiedades()
{
    TextPropiedades(*txtEdit, MSFlexGrid1->Col());
}

void frmPosicionEntradas::Form_Load()
{
    ObjUtilidades().AjustaFormulario(this, 0);
    setWindowTitle(Titulo());
    lblEncabezado->setText(Encabezado());
    InicializaFormulario(this);

    if (eProposicionAutomatica) {
        CargaYAcepta();
        QDialog::accept();
        return;
    }
    KumozenProgreso& progreso = ObjProgreso();
    try {
        progreso.AbreProgreso(QStringLiteral("Mostrando Posiciones"), 0);
        Carga([&progreso](const QString& texto) { progreso.ActualizaProgreso(0, texto); });
        progreso.CierraProgreso();
    } catch (...) {
        // A caller that goes on past the error reads no answer: nothing of
        // the line is saved from a load that did not end.
        progreso.CierraProgreso();
        BorraDatos();
        throw;
    }
    resize(AjustaAnchos(), height());
    ObjUtilidades().AjustaFormulario(this, 0);
    MSFlexGrid1->setRow(1);
    MSFlexGrid1->setCol(ColCantidad);
    pinta(lblColorNormal, colorPosicion::Habilitada);
    pinta(lblColorSinEquivalencias, colorPosicion::SinEquivalencias);
    pinta(lblColorSinUnidadInformada, colorPosicion::SinUnidad);
    pinta(lblColorPosicionInhabilitada, colorPosicion::Inhabilitada);
}

void frmPosicionEntradas::CampoValida(TextBox& Texto)
{
    ErrorTrap::showing(QStringLiteral("CAMPO_VALIDA")).run({[&] {
        HayError = false;
        const QString valor = Texto.text().trimmed();
        const QString campo = Texto.dataField().trimmed();
        Tag = Texto.tag().trimmed();
        if (!lang::sameText(campo, u"Cantidad") || valor.isEmpty())
            return;
        const QString rechazo = RechazoCantidad(MSFlexGrid1->Row(), valor);
        if (rechazo.isEmpty())
            return;
        Texto.setText(QString());
        MSFlexGrid1->setRow(MSFlexGrid1->Row() - 1);
        prompts().messageBox(rechazo, prompt::OkOnly | prompt::Critical, QStringLiteral("Aviso al operador..."));
    }});
}

bool frmPosicionEntradas::ValidaEditor(TextBox& editor)
{
    CampoValida(editor);
    return HayError;
}

bool frmPosicionEntradas::ConfirmaEditor()
{
    if (!txtEdit->Visible())
        return true;
    if (lang::sameText(txtEdit->dataField().trimmed(), u"Cantidad") &&
        !RechazoCantidad(MSFlexGrid1->Row(), txtEdit->text()).isEmpty()) {
        CampoValida(*txtEdit);
        return false;
    }
    CellEditor::Confirma(*MSFlexGrid1, *txtEdit);
    return true;
}

void frmPosicionEntradas::CmdAceptar_Click()
{
    manejador("CmdAceptar_Click", [this] { Acepta(); });
}

void frmPosicionEntradas::Acepta()
{
    FrmHelp->setVisible(false);
    if (!ConfirmaEditor())
        return;
    if (Aceptar() && !HayError)
        QDialog::accept();
}

void frmPosicionEntradas::CmdCancelar_Click()
{
    FrmHelp->setVisible(false);
    Cancelar();
    QDialog::reject();
}

void frmPosicionEntradas::reject()
{
    CmdCancelar_Click();
}

bool frmPosicionEntradas::Form_KeyDown(int KeyCode, int)
{
    if (KeyCode == keys::F2) {
        CmdAceptar_Click();
        return true;
    }
    if (KeyCode == keys::Escape) {
        CmdCancelar_Click();
        return true;
    }
    return false;
}

void frmPosicionEntradas::MsflexGridEdt(FlexGrid& grid, TextBox& editor, int KeyAscii)
{
    m_editor.MsflexGridEdt(grid, editor, KeyAscii);
}

void frmPosicionEntradas::EditKeyCode(FlexGrid& grid, TextBox& editor, int KeyCode, int Shift)
{
    m_editor.EditKeyCode(grid, editor, KeyCode, Shift);
}

void frmPosicionEntradas::MsflexKey(FlexGrid& grid, int KeyCode)
{
    ErrorTrap::showing(QStringLiteral("MSFlexGrid1_KeyDown")).run({[&] {
        if (KeyCode == keys::Delete && !grid.TextMatrix(grid.Row(), ColPosicion).isEmpty())
            grid.setTextMatrix(grid.Row(), ColCantidad, QStringLiteral("0"));
    }});
}

bool frmPosicionEntradas::ColEdit(long col, long)
{
    const int fila = MSFlexGrid1->Row();
    return col == ColCantidad && !MSFlexGrid1->TextMatrix(fila, ColPosicion).isEmpty() && EsFilaHabilitada(fila);
}

void frmPosicionEntradas::TextPropiedades(TextBox& editor, long column)
{
    editor.setMaxLength(25);
    if (column == ColCantidad) {
        editor.setDataField(QStringLiteral("Cantidad"));
        editor.setMaxLength(11);
    } else {
        editor.setDataField(QString());
    }
}

void frmPosicionEntradas::CeldaNoEditable(FlexGrid& grid)
{
    if (grid.Row() < grid.Rows() - 1)
        grid.setRow(grid.Row() + 1);
    else
        focusFromKeyboard(*CmdAceptar);
}

void frmPosicionEntradas::TrasTeclaAvance(FlexGrid& grid)
{
    if (grid.Row() == grid.Rows() - 1)
        focusFromKeyboard(*CmdAceptar);
}
