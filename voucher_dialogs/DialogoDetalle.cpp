#include "voucher_dialogs/DialogoDetalle.h"

#include "core/Formularios.h"
#include "core/Objetos.h"
#include "platform/Buttons.h"
#include "platform/Colors.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Prompts.h"
#include "platform/StandardIcons.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
#include "vouchers/NumeroCelda.h"

#include <QAction>
#include <QFontMetricsF>
#include <QHashFunctions>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <unordered_map>

DialogoDetalle::DialogoDetalle(const QString& nombre, const QString& titulo, QWidget* parent)
    : QDialog(parent),
      Toolbar1(new QToolBar(this)),
      lblArticulo(new QLabel(this)),
      MSFlexGrid1(new FlexGrid(this)),
      txtEdit(new TextBox(this)),
      CmdAceptar(new QPushButton(QStringLiteral("&Aceptar"), this)),
      CmdCancelar(new QPushButton(QStringLiteral("&Cancelar"), this)),
      m_editor(*MSFlexGrid1, *txtEdit, *CmdAceptar, [this](TextBox& t) {
          CampoValida(t);
          return HayError;
      })
{
    setObjectName(nombre);
    setWindowTitle(titulo);
    setModal(true);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    lblArticulo->setObjectName(QStringLiteral("lblArticulo"));
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    txtEdit->setObjectName(QStringLiteral("txtEdit"));
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(1);
    txtEdit->setVisible(false);

    // Enter belongs to the grid's editor: no button takes it as the
    // default; on a focused button it presses that button.
    for (QPushButton* b : {CmdAceptar, CmdCancelar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        pressOnEnter(*b);
    }
    const struct {
        int indice;
        QStyle::StandardPixmap imagen;
        const char* ayuda;
    } botones[] = {
        {1, QStyle::SP_ArrowDown, "Llenar las demas celdas con el valor de las seleccionadas"},
        {2, QStyle::SP_DialogResetButton, "Blanquear las Celdas a partir de la celda seleccionada"},
    };
    for (const auto& b : botones) {
        // The style's icons are read once for the program, not for each
        // window a request builds.
        QAction* accion = Toolbar1->addAction(icons::standard(b.imagen, Toolbar1), QString());
        accion->setToolTip(QString::fromUtf8(b.ayuda));
        accion->setData(b.indice);
        connect(accion, &QAction::triggered, this, [this, indice = b.indice] { Toolbar1_ButtonClick(indice); });
    }

    auto* botonera = new QHBoxLayout;
    botonera->addStretch(1);
    botonera->addWidget(CmdAceptar);
    botonera->addWidget(CmdCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(Toolbar1);
    todo->addWidget(lblArticulo);
    todo->addWidget(MSFlexGrid1, 1);
    todo->addLayout(botonera);
    resize(420, 320);

    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });

    ObjUtilidades().AjustaFormulario(this, 0);
    InicializaFormulario(this);
}

void DialogoDetalle::MsflexGridEdt(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyAscii)
{
    m_editor.MsflexGridEdt(MsFlexGrid, Edt, KeyAscii);
}

void DialogoDetalle::EditKeyCode(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyCode, int Shift)
{
    m_editor.EditKeyCode(MsFlexGrid, Edt, KeyCode, Shift);
}

void DialogoDetalle::Text_Propiedades(TextBox& Texto, long Col)
{
    m_editor.Text_Propiedades(Texto, Col);
}

void DialogoDetalle::CmdCancelar_Click()
{
    QDialog::reject();
}

bool DialogoDetalle::MuestraDialogo()
{
    return prompts().showModal(*this) == QDialog::Accepted;
}

void DialogoDetalle::Oculta()
{
    QDialog::accept();
}

bool DialogoDetalle::ControlaTotal(double& pedido, double total, bool mostrado, const QString& menorSinMostrar)
{
    // Compared as the cells show them: a total that differs in any digit a
    // cell shows is not the request.
    const double elegido = ComoCelda(total);
    if (elegido == ComoCelda(pedido))
        return true;
    const bool supera = elegido > ComoCelda(pedido);
    if (!supera && !mostrado) {
        prompts().messageBox(menorSinMostrar, prompt::OkOnly | prompt::Information,
                             QStringLiteral("Aviso al Operador!!!"));
        return false;
    }
    const QString pregunta =
        (supera ? QStringLiteral("La suma de las cantidades Informadas, supera a la solicitada en el Formulario de "
                                 "Carga de Datos")
                : QStringLiteral("La suma de las cantidades Informadas, Es Menor a la solicitada en el Formulario "
                                 "de Carga de Datos"))
        + QStringLiteral("\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?");
    if (prompts().messageBox(pregunta, prompt::YesNo | prompt::Question, QStringLiteral("Aviso al Operador!!!"))
        == prompt::Yes) {
        pedido = elegido;
        return true;
    }
    Aviso(QStringLiteral("Debe Ajustar la suma de las cantidades a :") + TextoCelda(pedido));
    return false;
}

void DialogoDetalle::Aviso(const QString& texto)
{
    prompts().messageBox(texto, prompt::OkOnly | prompt::Critical, QStringLiteral("Aviso al Operador"));
}

double DialogoDetalle::SumaColumna(int columna, long menosCual) const
{
    double suma = 0;
    for (int fila = 1; fila < MSFlexGrid1->Rows(); ++fila)
        if (fila != menosCual)
            suma += NumeroCelda(MSFlexGrid1->TextMatrix(fila, columna));
    return ComoCelda(suma);
}

namespace {

// Half a unit in the fifteenth significant digit of the request for each
// row: what the rounding of the request and of the cells of the rows taken
// whole can make the share of the row that ends it differ by from what that
// row holds.
double holgura(double pedido, int filas)
{
    if (pedido == 0 || !std::isfinite(pedido))
        return 0;
    const double unidad = std::pow(10.0, std::floor(std::log10(std::fabs(pedido))) - 14);
    return unidad / 2 * std::max(filas, 1);
}

}  // namespace

double DialogoDetalle::DisponibleExacto(int fila, int columnaStock) const
{
    return NumeroCelda(MSFlexGrid1->TextMatrix(fila, columnaStock));
}

bool DialogoDetalle::Cabe(int fila, double cantidad, double pedido, int columnaStock) const
{
    return cantidad <= DisponibleExacto(fila, columnaStock) + holgura(ComoCelda(pedido), MSFlexGrid1->Rows() - 1)
        || ComoCelda(cantidad) <= NumeroCelda(MSFlexGrid1->TextMatrix(fila, columnaStock));
}

void DialogoDetalle::DistribuyeEnOrden(double pedido, int columnaStock, int columnaCantidad)
{
    FlexGrid& g = *MSFlexGrid1;
    const double total = ComoCelda(pedido);
    const double margen = holgura(total, g.Rows() - 1);
    // The quantities the rows hold already, and the last row with one: past
    // it, what the other cells add up to is the rows above, kept as the
    // rows go by instead of adding the column up again.
    double tomadoRestante = 0;
    int ultimaConCantidad = 0;
    for (int fila = 1; fila < g.Rows(); ++fila) {
        const double tomado = NumeroCelda(g.TextMatrix(fila, columnaCantidad));
        tomadoRestante += tomado;
        if (tomado != 0)
            ultimaConCantidad = fila;
    }
    // The rows taken whole: what they hold, and what their cells read.
    double enteras = 0;
    double escrito = 0;
    for (int fila = 1; fila < g.Rows(); ++fila) {
        const double tomado = NumeroCelda(g.TextMatrix(fila, columnaCantidad));
        tomadoRestante -= tomado;
        const double falta = total - enteras - tomadoRestante - tomado;
        if (falta <= margen)
            return;
        // Stock the voucher's other lines took whole (or more) gives nothing:
        // never a negative quantity.
        const double stock = std::max(DisponibleExacto(fila, columnaStock), 0.0);
        if (tomado + falta <= stock + margen) {
            // This row ends the request: it takes what the other cells leave.
            const double otras = fila >= ultimaConCantidad ? ComoCelda(escrito) : SumaColumna(columnaCantidad, fila);
            const double resto = ComoCelda(total - otras);
            g.setTextMatrix(fila, columnaCantidad, TextoCelda(resto > margen ? resto : 0.0));
            return;
        }
        const double entera = ComoCelda(stock);
        g.setTextMatrix(fila, columnaCantidad, TextoCelda(entera));
        enteras += stock;
        escrito += entera;
    }
}

void DialogoDetalle::CompletaColumna(int columna)
{
    ErrorTrap::skipping().run({[&] {
        FlexGrid& g = *MSFlexGrid1;
        const QString primero = g.TextMatrix(1, columna).trimmed();
        for (int fila = 1; fila < g.Rows(); ++fila)
            if (g.TextMatrix(fila, columna).trimmed().isEmpty())
                g.setTextMatrix(fila, columna, primero);
    }});
}

void DialogoDetalle::AgregaFilas(const std::function<void(FilasLeidas&)>& lee)
{
    FlexGrid& g = *MSFlexGrid1;
    FilasLeidas filas(g.Cols());
    const auto agrega = [&] { g.appendRows(filas.size(), [&](int i, int c) { return std::move(filas.celda(i, c)); }); };
    try {
        lee(filas);
    } catch (...) {
        agrega();
        throw;
    }
    agrega();
}

int DialogoDetalle::AnchoDeX(int n) const
{
    // Every window lays out the same few runs in the same font: each is
    // measured once per font and resolution for the whole program.
    struct Clave {
        QString fuente;
        int ppp;
        int n;
        bool operator==(const Clave&) const = default;
    };
    struct Hash {
        std::size_t operator()(const Clave& c) const { return qHashMulti(0, c.fuente, c.ppp, c.n); }
    };
    static std::unordered_map<Clave, int, Hash> anchos;
    const FlexGrid& g = *MSFlexGrid1;
    Clave clave{g.font().key(), g.logicalDpiY(), n};
    const auto it = anchos.find(clave);
    if (it != anchos.end())
        return it->second;
    const int ancho = g.textWidth(QString(n, u'X'));
    anchos.emplace(std::move(clave), ancho);
    return ancho;
}

int DialogoDetalle::AnchoParaTexto(const QString& texto) const
{
    return std::max(MSFlexGrid1->fittingWidth(texto), MSFlexGrid1->textWidth(texto) + twips::fromPixels(12));
}

void DialogoDetalle::setAjustesEditor(AjustesEditorGrilla ajustes)
{
    ajustes.celdaEscrita = [this] { AjustaColumnas(); };
    m_editor.setAjustes(std::move(ajustes));
}

void DialogoDetalle::AjustaGrilla()
{
    FlexGrid& g = *MSFlexGrid1;
    const std::vector<int>& editables = m_editor.ajustes().columnasEditables;
    const std::uint32_t soloLectura = colors::toStored(palette().color(QPalette::Window));
    for (int c = g.FixedCols(); c < g.Cols(); ++c) {
        if (std::find(editables.begin(), editables.end(), c) != editables.end())
            continue;
        for (int fila = g.FixedRows(); fila < g.Rows(); ++fila)
            g.setCellBackColorAt(fila, c, soloLectura);
    }
    AjustaColumnas();
}

void DialogoDetalle::showEvent(QShowEvent* event)
{
    if (m_ajustePendiente)
        AjustaColumnas();
    QDialog::showEvent(event);
}

void DialogoDetalle::AjustaColumnas()
{
    // Unseen, the widths serve nothing (a proposal accepted without showing
    // the window): they are fitted when it is shown.
    if (!isVisible()) {
        m_ajustePendiente = true;
        return;
    }
    m_ajustePendiente = false;
    FlexGrid& g = *MSFlexGrid1;
    RenuevaMedidas();
    const auto anchoDe = [&](const QString& texto) {
        auto it = m_anchos.constFind(texto);
        if (it == m_anchos.constEnd())
            it = m_anchos.insert(texto, AnchoParaTexto(texto));
        return *it;
    };
    // Laying a text out costs more than reading every cell, and a lot or a
    // position is a different text on every row: a text is measured only
    // when its bound says it may need more than the column has.
    std::vector<std::pair<int, int>> dudosas;
    for (int c = 0; c < g.Cols(); ++c) {
        // A hidden column stays hidden.
        if (g.ColWidth(c) == 0)
            continue;
        int ancho = g.ColWidth(c);
        dudosas.clear();
        for (int fila = 0; fila < g.Rows(); ++fila) {
            const int cota = CotaDeAncho(g.TextMatrix(fila, c));
            if (cota > ancho)
                dudosas.emplace_back(cota, fila);
        }
        // The widest bounds first: once the column is as wide as the next
        // bound, no text left can widen it.
        std::sort(dudosas.begin(), dudosas.end(), std::greater<>());
        for (const auto& [cota, fila] : dudosas) {
            if (cota <= ancho)
                break;
            ancho = std::max(ancho, anchoDe(g.TextMatrix(fila, c)));
        }
        if (ancho != g.ColWidth(c))
            g.setColWidth(c, ancho);
    }
    AjustaAncho();
}

void DialogoDetalle::RenuevaMedidas()
{
    FlexGrid& g = *MSFlexGrid1;
    QFont negrita = g.view()->horizontalHeader()->font();
    negrita.setBold(true);
    const QFont fuentes[] = {g.font(), g.view()->font(), negrita};
    // m_margenCota is above 0 once measured.
    if (m_margenCota > 0 && std::equal(std::begin(fuentes), std::end(fuentes), std::begin(m_fuentesAnchos)))
        return;
    std::copy(std::begin(fuentes), std::end(fuentes), std::begin(m_fuentesAnchos));
    m_anchos.clear();
    m_avances.fill(-1);
    // The margins and the header's room, as the width of one text measured
    // whole shows them over its advance in the font it is narrowest in.
    const QString muestra = QStringLiteral("0");
    qreal menor = std::numeric_limits<qreal>::max();
    for (const QFont& f : m_fuentesAnchos)
        menor = std::min(menor, QFontMetricsF(f).horizontalAdvance(muestra));
    const int ancho = AnchoParaTexto(muestra);
    m_anchos.insert(muestra, ancho);
    m_margenCota = ancho / twips::perPixel - static_cast<int>(std::floor(menor)) + 2;
}

int DialogoDetalle::CotaDeAncho(const QString& texto)
{
    constexpr int kSinCota = std::numeric_limits<int>::max();
    // An empty cell is a single text, measured once; a very long one is
    // rare and not worth the sum.
    if (texto.isEmpty() || texto.size() > 4096)
        return kSinCota;
    int suma = 0;
    int mayor = 0;
    for (const QChar ch : texto) {
        const char16_t u = ch.unicode();
        // Beyond Latin-1 a character may join or combine with the next one,
        // or come from another font; a control character (a tab) moves the
        // text on: such a text is laid out whole.
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u > 0xff)
            return kSinCota;
        int& avance = m_avances[u];
        if (avance < 0) {
            qreal mas = 0;
            for (const QFont& f : m_fuentesAnchos)
                mas = std::max(mas, QFontMetricsF(f).horizontalAdvance(ch));
            avance = static_cast<int>(std::ceil(mas)) + 1;
        }
        suma += avance;
        mayor = std::max(mayor, avance);
    }
    // Kerning and ligatures move a glyph by a fraction of one: the text's
    // widest glyph once more covers them.
    return twips::fromPixels(suma + mayor + m_margenCota);
}

void DialogoDetalle::AjustaAncho()
{
    int columnas = 0;
    for (int c = 0; c < MSFlexGrid1->Cols(); ++c)
        columnas += MSFlexGrid1->ColWidth(c);
    const QMargins margen = layout()->contentsMargins();
    // The grid's frame and its vertical scroll bar.
    const int grilla = twips::toPixels(columnas) + 2 * MSFlexGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int titulo = fontMetrics().horizontalAdvance(windowTitle()) + 120;
    const int ancho = std::max({grilla, titulo, layout()->minimumSize().width() - margen.left() - margen.right()});
    resize(std::max(width(), ancho + margen.left() + margen.right()), height());
}
