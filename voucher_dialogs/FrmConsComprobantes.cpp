#include "voucher_dialogs/FrmConsComprobantes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Formularios.h"
#include "core/Objetos.h"
#include "lookup/ReportList.h"
#include "platform/Buttons.h"
#include "platform/ErrorTrap.h"
#include "platform/Keys.h"
#include "platform/Prompts.h"
#include "platform/Value.h"
#include "voucher_dialogs/ConsultaComprobantes.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <functional>
#include <utility>
#include <vector>

namespace {

// The pictures of the rows, drawn here: a coloured badge with the kind's
// letters, a red cross for a voided voucher, a green tick for an approved
// one and a plain sheet for the kinds without a picture of their own.
QPixmap lienzo()
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    return p;
}

QIcon insignia(const QColor& fondo, const QString& letras)
{
    QPixmap p = lienzo();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(fondo.darker(140));
    g.setBrush(fondo);
    g.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont f = g.font();
    f.setPixelSize(letras.size() > 2 ? 6 : 8);
    f.setBold(true);
    g.setFont(f);
    g.setPen(Qt::white);
    g.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letras);
    return QIcon(p);
}

QIcon marca(const QColor& fondo, bool cruz)
{
    QPixmap p = lienzo();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(fondo);
    g.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    g.setPen(QPen(Qt::white, 2));
    if (cruz) {
        g.drawLine(QPointF(5, 5), QPointF(11, 11));
        g.drawLine(QPointF(11, 5), QPointF(5, 11));
    } else {
        g.drawPolyline(QPolygonF({QPointF(4, 8.5), QPointF(7, 11.5), QPointF(12, 5)}));
    }
    return QIcon(p);
}

QIcon hoja()
{
    QPixmap p = lienzo();
    QPainter g(&p);
    g.setPen(QColor(0x60, 0x60, 0x60));
    g.setBrush(Qt::white);
    QPainterPath borde;
    borde.moveTo(3.5, 1.5);
    borde.lineTo(10.5, 1.5);
    borde.lineTo(13.5, 4.5);
    borde.lineTo(13.5, 14.5);
    borde.lineTo(3.5, 14.5);
    borde.closeSubpath();
    g.drawPath(borde);
    for (int y = 6; y <= 12; y += 2)
        g.drawLine(5, y, 12, y);
    return QIcon(p);
}

// The row's value of a column: Null as the empty text, anything else as its
// plain text, with no number or date format.
QString campo(const db::Recordset& rs, const char* nombre)
{
    return lang::text(ObjUtilidades().ValorNoNulo(rs.value(QLatin1String(nombre))));
}

// A flag of the row; Null is not set.
bool marcado(const db::Recordset& rs, const char* nombre)
{
    return lang::number(rs.value(QLatin1String(nombre))) != 0;
}

constexpr int Margen = 8;
constexpr int AnchoBoton = 96;
constexpr int AltoBoton = 26;

}  // namespace

FrmConsComprobantes::FrmConsComprobantes(QWidget* parent)
    : QDialog(parent), ListView1(new ReportList(this)), CmdAceptar(new QPushButton(this)),
      CmdCancelar(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmConsComprobantes"));
    setWindowTitle(QStringLiteral("Consulta de Comprobantes"));
    setFixedSize(720, 400);

    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(Margen, Margen, width() - 2 * Margen, height() - 3 * Margen - AltoBoton);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);

    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdAceptar->setText(QStringLiteral("&Aceptar"));
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdCancelar->setText(QStringLiteral("&Cancelar"));
    const int y = height() - Margen - AltoBoton;
    CmdCancelar->setGeometry(width() - Margen - AnchoBoton, y, AnchoBoton, AltoBoton);
    CmdAceptar->setGeometry(width() - 2 * (Margen + AnchoBoton), y, AnchoBoton, AltoBoton);
    // Enter belongs to the list: it accepts there, and only once; on a
    // focused button it presses that button.
    for (QPushButton* b : {CmdAceptar, CmdCancelar}) {
        b->setAutoDefault(false);
        pressOnEnter(*b);
    }
    setTabOrder(ListView1, CmdAceptar);
    setTabOrder(CmdAceptar, CmdCancelar);

    // In the order of their indexes: 1 "PR" ... 11 "OCG".
    ImageList1.Add(QStringLiteral("PR"), insignia(QColor(0x2e, 0x7d, 0x32), QStringLiteral("PR")));
    ImageList1.Add(QStringLiteral("Anulado"), marca(QColor(0xc6, 0x28, 0x28), true));
    ImageList1.Add(QStringLiteral("Aprobado"), marca(QColor(0x2e, 0x8b, 0x57), false));
    ImageList1.Add(QStringLiteral("FC"), insignia(QColor(0x15, 0x65, 0xc0), QStringLiteral("FC")));
    ImageList1.Add(QStringLiteral("NC"), insignia(QColor(0x6a, 0x1b, 0x9a), QStringLiteral("NC")));
    ImageList1.Add(QStringLiteral("ND"), insignia(QColor(0xad, 0x14, 0x57), QStringLiteral("ND")));
    ImageList1.Add(QStringLiteral("OT"), insignia(QColor(0xef, 0x6c, 0x00), QStringLiteral("OT")));
    ImageList1.Add(QStringLiteral("Generico"), hoja());
    ImageList1.Add(QStringLiteral("T3"), insignia(QColor(0x45, 0x5a, 0x64), QStringLiteral("T3")));
    ImageList1.Add(QStringLiteral("OC"), insignia(QColor(0x00, 0x83, 0x8f), QStringLiteral("OC")));
    ImageList1.Add(QStringLiteral("OCG"), insignia(QColor(0x00, 0x5b, 0x63), QStringLiteral("OCG")));

    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(ListView1, &ReportList::columnClicked, this, [this](int column) { ListView1_ColumnClick(column); });
}

FrmConsComprobantes::~FrmConsComprobantes()
{
    ListView1->viewport()->removeEventFilter(this);
    ListView1->removeEventFilter(this);
}

void FrmConsComprobantes::Form_Load()
{
    const ErrorTrap trampa = ErrorTrap::showing(QString());
    db::Recordset rs;
    QString sql;
    bool sigue = trampa.run({
        [&] { ListView1->clearRows(); },
        [&] { ListView1->setSelectionMode(QAbstractItemView::SingleSelection); },
        [&] { ListView1->setCheckBoxes(false); },
        [&] { UsaReferencia = lang::sameText(Cfg(QStringLiteral("UsaReferenciaPresupuestos")), u"SI"); },
        [&] { SoloPendientes = false; },
        [&] {
            const TipoConsulta base = MapeaSeudoTipo(TC);
            TC = base.TC;
            SoloPendientes = base.SoloPendientes;
        },
        [&] {
            if (EsTipo(TC, "OC"))
                ListView1->setCheckBoxes(true);
        },
        [&] { Encolumnar(); },
        [&] { ObjUtilidades().AjustaFormulario(this, 0); },
        [&] { InicializaFormulario(this); },
        [&] { sql = SentenciaComprobantes(TC, SoloPendientes, Filtro); },
        [&] { ObjDB().AbrirRecordset(sql, rs); },
    });
    // The records, one row each. A failed read of the end mark that the
    // operator passes over ends the reading, so the load never loops on it.
    bool vacio = true;
    if (sigue)
        sigue = trampa.run({[&] { vacio = rs.BOF() && rs.Eof(); }});
    while (sigue && !vacio) {
        bool fin = true;
        sigue = trampa.run({[&] { fin = rs.Eof(); }});
        if (!sigue || fin)
            break;
        sigue = AgregaFila(rs);
        bool avanzo = false;
        if (sigue)
            sigue = trampa.run({[&] {
                rs.MoveNext();
                avanzo = true;
            }});
        if (!avanzo)
            break;
    }
    trampa.run({[&] { ObjDB().CierraRecordset(rs); }});
}

bool FrmConsComprobantes::AgregaFila(db::Recordset& rs)
{
    const ErrorTrap trampa = ErrorTrap::showing(QString());
    using Valor = std::function<QString()>;
    const auto de = [&rs](const char* nombre) -> Valor { return [&rs, nombre] { return campo(rs, nombre); }; };
    const auto anulado = [&rs] { return marcado(rs, "Anulada"); };

    // The row's image tag (none for third-party vouchers), its text and its
    // sub-items by number; a sub-item not named stays empty.
    bool conImagen = true;
    std::function<QString()> imagen = [&] { return anulado() ? QStringLiteral("Anulado") : TC; };
    Valor texto = de("Fecha");
    std::vector<std::pair<int, Valor>> celdas;

    if (EsTipo(TC, "T3")) {
        conImagen = false;
        texto = de("ID");
        celdas = {{1, de("Fecha")},
                  {2, de("IdComprobante")},
                  {3, de("IdComplemento")},
                  {4, de("FECHAENVIADO")},
                  {5, de("FECHARECIBIDO")}};
    } else if (EsDelGrupo(TC, GrupoCompras)) {
        celdas = {{1, de("IdComprobante")}, {2, de("Cuenta")}, {3, de("Nombre")}, {5, de("Importe")}};
    } else if (EsDelGrupo(TC, GrupoAsientos)) {
        imagen = [&] { return TC; };
        celdas = {{1, [&rs] { return campo(rs, "Sucursal") + campo(rs, "Numero") + campo(rs, "Letra"); }},
                  {2, de("Cuenta")},
                  {3,
                   [&rs] {
                       return lang::text(ObjDB().DatosTabla(QStringLiteral("VT_PROVEEDORES"), campo(rs, "Cuenta"),
                                                            QStringLiteral("RAZON_SOCIAL"), QStringLiteral("Codigo"), 8,
                                                            QString()));
                   }},
                  {5, de("Importe")}};
    } else if (EsTipo(TC, "PR")) {
        celdas = {{1, de("IdComprobante")}, {2, de("Nombre")}};
        if (UsaReferencia) {
            celdas.emplace_back(4, de("COMENTARIOS"));
            celdas.emplace_back(5, de("Importe"));
        } else {
            celdas.emplace_back(4, de("Importe"));
        }
    } else if (EsTipo(TC, "OC")) {
        imagen = [&] {
            if (anulado())
                return QStringLiteral("Anulado");
            return marcado(rs, "Garantia") ? QStringLiteral("OCG") : TC;
        };
        celdas = {{1, [&rs] { return campo(rs, "Cuenta") + u' ' + campo(rs, "Nombre"); }},
                  {2, de("IdComprobante")},
                  {3, de("Importe")},
                  {4, de("COMENTARIOS")},
                  {5, [&rs] {
                       // The receiving voucher that names this order as its
                       // origin. Stock rows keep the origin type
                       // right-justified, so the type is matched trimmed,
                       // as the key of the lookup does, not as 'OC' alone.
                       return lang::text(ObjDB().DatosTabla(
                           QStringLiteral("v_mv_stock"), QStringLiteral("OC"), QStringLiteral("idcomprobante"),
                           QStringLiteral("TC_origen"), 8,
                           QStringLiteral(" IDCOMPROBANTE_ORIGEN =") + ObjDB().SQLValue(campo(rs, "IdComprobante"))));
                   }}};
    } else {
        imagen = [&] {
            if (anulado())
                return QStringLiteral("Anulado");
            return marcado(rs, "APROBADO") ? QStringLiteral("Aprobado") : TC;
        };
        celdas = {{1, de("IdComprobante")}};
        if (EsTipo(TC, "OT") || EsTipo(TC, "FC"))
            celdas.emplace_back(2, de("IdComplemento"));
        celdas.emplace_back(3, de("Nombre"));
        celdas.emplace_back(EsDelGrupo(TC, GrupoOT) && !UsaReferencia ? 4 : 5, de("Importe"));
    }

    int fila = 0;
    std::vector<ErrorTrap::Step> pasos;
    pasos.emplace_back([&] {
        const QIcon icono = conImagen ? ImageList1.Picture(ObtieneIndiceImagen(imagen())) : QIcon();
        fila = ListView1->addRow(QString());
        ListView1->setRowIcon(fila, icono);
    });
    pasos.emplace_back([&] { ListView1->setRowText(fila, texto()); });
    for (const auto& [k, valor] : celdas)
        pasos.emplace_back([&, k = k, &valor = valor] { ListView1->setSubItem(fila, k, valor()); });
    return trampa.run(pasos);
}

void FrmConsComprobantes::Encolumnar()
{
    const ErrorTrap trampa = ErrorTrap::showing(QStringLiteral("Encolumnar"));
    std::vector<ErrorTrap::Step> pasos;
    pasos.emplace_back([&] { ListView1->clearColumns(); });
    const std::vector<ColumnaComprobante> columnas = ColumnasComprobantes(TC, UsaReferencia);
    const QFontMetrics medida(font());
    // In a list with check boxes the box and the row's picture stand before
    // the first column's text, the date: the column is widened by both so
    // that the date shows whole.
    int antesDelTexto = 0;
    if (ListView1->checkBoxes()) {
        const QStyle& estilo = *ListView1->style();
        const int margen = 2 * (estilo.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView1) + 1);
        antesDelTexto = estilo.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, ListView1) + margen
                      + ListView1->iconSize().width() + margen;
    }
    for (std::size_t i = 0; i < columnas.size(); ++i)
        pasos.emplace_back([&, i] {
            const int ancho = medida.horizontalAdvance(QString(columnas[i].anchoX, u'X'));
            ListView1->addColumn(columnas[i].encabezado, ancho + (i == 0 ? antesDelTexto : 0));
        });
    trampa.run(pasos);
}

std::int16_t FrmConsComprobantes::ObtieneIndiceImagen(const QString& tag) const
{
    for (int i = 1; i <= ImageList1.Count(); ++i)
        if (lang::sameText(ImageList1.Tag(i).trimmed(), tag.trimmed()))
            return static_cast<std::int16_t>(i);
    return ObtieneIndiceImagen(QStringLiteral("Generico"));
}

void FrmConsComprobantes::CmdAceptar_Click()
{
    const int fila = ListView1->selectedRow();
    // Ticked orders are the answer, whether or not a row is also selected.
    if (fila == 0 && !HayMarcadas()) {
        NroComprobante = QString();
        Descarga(QDialog::Accepted);
        return;
    }
    const auto sub = [&](int k) { return ListView1->subItem(fila, k); };
    if (EsDelGrupo(TC, GrupoOT)) {
        NroComprobante = sub(1);
        IdComplemento = sub(2);
    } else if (EsDelGrupo(TC, GrupoFCC)) {
        NroComprobante = sub(1);
        Proveedor = sub(2);
    } else if (EsTipo(TC, "PR")) {
        NroComprobante = sub(1);
        IdComplemento = QStringLiteral("0");
    } else if (EsTipo(TC, "T3")) {
        NroComprobante = ListView1->rowText(fila);
        IdComplemento = QStringLiteral("0");
    } else if (EsTipo(TC, "OC")) {
        // The checked orders in the list's order; none checked, the selected one.
        QStringList marcadas;
        for (int i = 1; i <= ListView1->rowCount(); ++i)
            if (ListView1->isChecked(i))
                marcadas << ListView1->subItem(i, 2);
        NroComprobante = marcadas.isEmpty() ? sub(2) : marcadas.join(u',');
        IdComplemento = QStringLiteral("0");
    } else {
        NroComprobante = sub(1);
    }
    Descarga(QDialog::Accepted);
}

bool FrmConsComprobantes::HayMarcadas() const
{
    for (int i = 1; i <= ListView1->rowCount(); ++i)
        if (ListView1->isChecked(i))
            return true;
    return false;
}

void FrmConsComprobantes::CmdCancelar_Click()
{
    Descarga(QDialog::Rejected);
}

bool FrmConsComprobantes::MuestraModal()
{
    return prompts().showModal(*this) == QDialog::Accepted;
}

void FrmConsComprobantes::ListView1_ColumnClick(int Column)
{
    const Qt::SortOrder orden =
        ListView1->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    ListView1->setSorting(true, Column - 1, orden);
}

bool FrmConsComprobantes::ListView1_KeyDown(int KeyCode, int)
{
    if (KeyCode != keys::Enter)
        return false;
    CmdAceptar_Click();
    return true;
}

void FrmConsComprobantes::Form_Unload()
{
    ListView1->clearRows();
    hide();
}

void FrmConsComprobantes::Descarga(int resultado)
{
    Form_Unload();
    QDialog::done(resultado);
}

void FrmConsComprobantes::reject()
{
    Descarga(QDialog::Rejected);
}

bool FrmConsComprobantes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(event);
        if (ListView1_KeyDown(keys::virtualKey(*tecla), keys::shiftState(tecla->modifiers())))
            return true;
    } else if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // A double click accepts wherever it falls, on a row or not.
        ListView1_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
