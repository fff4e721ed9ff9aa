#include "voucher_dialogs/FrmTalle.h"

#include "core/DB_Dll.h"
#include "core/Formularios.h"
#include "core/Listas.h"
#include "core/Objetos.h"
#include "platform/Buttons.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
#include "platform/Value.h"
#include "vouchers/NumeroCelda.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

namespace {

constexpr int ColClave = 0;
constexpr int ColCantidad = 1;

// The position of a value in an enabled list, compared without regard to
// case and without trimming, as the settings hold it; -1 when absent.
int posicion(const std::vector<QString>& lista, const QString& valor)
{
    const auto it = std::find_if(lista.begin(), lista.end(), [&](const QString& v) { return lang::sameText(v, valor); });
    return it == lista.end() ? -1 : static_cast<int>(it - lista.begin());
}

const QString kAviso = QStringLiteral("Aviso al operador...");
const QString kNoNumerico = QStringLiteral("Debe Ingresar un Valor Numerico");

// A key typed on a row's key, which never opens: the cursor goes down a row
// through the grid's own Down, and the last row gets an empty row below it.
// A row without a key takes no key at all.
void bajaDesdeLaClave(FlexGrid& g)
{
    if (g.TextMatrix(g.Row(), ColClave).trimmed().isEmpty())
        return;
    if (g.Row() == g.Rows() - 1) {
        g.setRows(g.Rows() + 1);
        return;
    }
    QKeyEvent abajo(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(g.view(), &abajo);
}

// The grid's editor: only the quantity of a row with a key opens; Enter
// puts the quantity into its cell and stays there (column 0 holds the keys
// and never opens, so no Enter leaves from it).
AjustesEditorGrilla ajustesTalle(std::function<void()> trasConfirmar, std::function<void()> celdaEscrita)
{
    AjustesEditorGrilla a;
    a.columnasEditables = {ColCantidad};
    a.columnasCantidad = {ColCantidad};
    a.ultimaColumna = ColClave;
    a.soloFilasConClave = true;
    a.largoCantidad = 11;
    a.trasConfirmar = std::move(trasConfirmar);
    a.celdaEscrita = std::move(celdaEscrita);
    a.celdaNoEditable = bajaDesdeLaClave;
    return a;
}

}  // namespace

FrmTalle::FrmTalle(QWidget* parent)
    : QDialog(parent),
      Frame1(new QGroupBox(this)),
      dpdTalle(new QComboBox(Frame1)),
      dpdColor(new QComboBox(Frame1)),
      dpdSexo(new QComboBox(Frame1)),
      txtCantidad(new TextBox(Frame1)),
      MSFlexGrid1(new FlexGrid(this)),
      txtEdit(new TextBox(this)),
      CmdAceptar(new QPushButton(QStringLiteral("&Aceptar"), this)),
      CmdCancelar(new QPushButton(QStringLiteral("&Cancelar"), this)),
      m_editor(*MSFlexGrid1, *txtEdit, *CmdAceptar, [this](TextBox& t) { return CampoValida(t); },
               ajustesTalle([this] { TrasEditar(); }, [this] { AjustaColumnas(); }))
{
    setObjectName(QStringLiteral("FrmTalle"));
    setWindowTitle(QStringLiteral("Información de los Talles, Colores, Sexos"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Frame1->setObjectName(QStringLiteral("Frame1"));
    dpdTalle->setObjectName(QStringLiteral("dpdTalle"));
    dpdColor->setObjectName(QStringLiteral("dpdColor"));
    dpdSexo->setObjectName(QStringLiteral("dpdSexo"));
    dpdSexo->addItems({QStringLiteral("H - HOMBRE"), QStringLiteral("M - MUJER"), QStringLiteral("U - UNISEX")});
    txtCantidad->setObjectName(QStringLiteral("txtCantidad"));
    txtCantidad->setText(QStringLiteral("1"));
    txtCantidad->setToolTip(QStringLiteral("El sistema propone la cantidad segun lo pedido en el formulario y las "
                                           "cantidades informadas en la grilla"));
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setCols(2);
    MSFlexGrid1->setRows(2);
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(1);
    txtEdit->setObjectName(QStringLiteral("txtEdit"));
    txtEdit->setVisible(false);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdAceptar->setToolTip(QStringLiteral("(F2) Graba la grilla"));
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdCancelar->setToolTip(QStringLiteral("(ESC) Borra la grilla"));
    // Enter moves along the entry line and the grid; it presses a button
    // only when that button has the focus.
    for (QPushButton* b : {CmdAceptar, CmdCancelar}) {
        b->setAutoDefault(false);
        pressOnEnter(*b);
    }

    // The entry line, top to bottom: its captions are Label5 4, 0, 1 and 2.
    const struct {
        int indice;
        const char* texto;
        QWidget* control;
    } linea[] = {{4, "Talle", dpdTalle}, {0, "Color", dpdColor}, {1, "Sexo", dpdSexo}, {2, "Cantidad", txtCantidad}};
    constexpr int alto = 22, paso = 26, anchoEtiqueta = 60, anchoControl = 132;
    int y = 12;
    for (const auto& l : linea) {
        auto* etiqueta = new QLabel(QString::fromLatin1(l.texto), Frame1);
        etiqueta->setObjectName(QStringLiteral("Label5_%1").arg(l.indice));
        etiqueta->setGeometry(8, y, anchoEtiqueta, alto);
        Label5[l.indice] = etiqueta;
        l.control->setGeometry(8 + anchoEtiqueta, y, anchoControl, alto);
        y += paso;
    }
    const int anchoMarco = 8 + anchoEtiqueta + anchoControl + 8;
    Frame1->setGeometry(6, 4, anchoMarco, y + 4);

    InicializaGrilla();
    const int anchoGrilla =
        twips::toPixels(MSFlexGrid1->ColWidth(ColClave) + MSFlexGrid1->ColWidth(ColCantidad)) + 24;
    const int xGrilla = 6 + anchoMarco + 8;
    const int yBotones = 4 + Frame1->height() + 8;
    CmdAceptar->setGeometry(6, yBotones, (anchoMarco - 6) / 2, 28);
    CmdCancelar->setGeometry(6 + (anchoMarco + 6) / 2, yBotones, (anchoMarco - 6) / 2, 28);
    const int altoTotal = yBotones + 28 + 6;
    MSFlexGrid1->setGeometry(xGrilla, 10, anchoGrilla, altoTotal - 16);
    setFixedSize(xGrilla + anchoGrilla + 6, altoTotal);

    setTabOrder(dpdTalle, dpdColor);
    setTabOrder(dpdColor, dpdSexo);
    setTabOrder(dpdSexo, txtCantidad);
    setTabOrder(txtCantidad, MSFlexGrid1);
    setTabOrder(MSFlexGrid1, CmdAceptar);
    setTabOrder(CmdAceptar, CmdCancelar);

    conecta();
}

FrmTalle::~FrmTalle()
{
    for (QWidget* w : findChildren<QWidget*>())
        w->removeEventFilter(this);
}

void FrmTalle::conecta()
{
    connect(MSFlexGrid1, &FlexGrid::KeyDown, this, [this](int& KeyCode, int) {
        ErrorTrap::runHandler("MSFlexGrid1_KeyDown", [&] {
            MsflexKey(*MSFlexGrid1, KeyCode);
            TextPropiedades(*txtEdit, MSFlexGrid1->Col());
            txtEdit->setText(txtEdit->text().trimmed());
        });
    });
    connect(MSFlexGrid1, &FlexGrid::DblClick, this, [this] {
        ErrorTrap::runHandler("MSFlexGrid1_DblClick", [this] { MsflexGridEdt(*MSFlexGrid1, *txtEdit, keys::Space); });
    });
    connect(txtCantidad, &TextBox::KeyPress, this, [this](int& KeyAscii) { txtCantidad_KeyPress(KeyAscii); });
    connect(txtCantidad, &TextBox::GotFocus, this, [this] { txtCantidad->selectAll(); });
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });

    // The dialog sees the keys before its controls (F2, Esc, Enter in the lists).
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

bool FrmTalle::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(event);
        const int codigo = keys::virtualKey(*tecla);
        if (Form_KeyDown(codigo, keys::shiftState(tecla->modifiers())))
            return true;
        for (QComboBox* lista : {dpdTalle, dpdColor, dpdSexo})
            if (watched == lista && EntradaKeyPress(*lista, codigo))
                return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmTalle::Form_Load()
{
    ObjUtilidades().AjustaFormulario(this, 0);
    InicializaFormulario(this);
    InicializaGrilla();
    AsignarDatos();
    ActualizaRestante();
    AjustaColumnas();
}

bool FrmTalle::MuestraModal()
{
    return prompts().showModal(*this) == QDialog::Accepted;
}

void FrmTalle::InicializaGrilla()
{
    MSFlexGrid1->Clear();
    MSFlexGrid1->setTextMatrix(0, ColClave, QString());
    MSFlexGrid1->setTextMatrix(0, ColCantidad, QStringLiteral("Cantidad"));
    MSFlexGrid1->setColWidth(ColClave, MSFlexGrid1->fittingWidth(QStringLiteral("XXXXXXXXXXXXX")));
    MSFlexGrid1->setColWidth(ColCantidad, MSFlexGrid1->fittingWidth(QStringLiteral("CantidadX")));
}

void FrmTalle::AsignarDatos()
{
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    db::Recordset rs;

    // The enabled sizes and colours. A missing or empty setting leaves its
    // list empty, and then nothing can be entered.
    const auto habilitados = [&](const char* sql, QComboBox* lista, std::vector<QString>& items) {
        items.clear();
        db.AbrirRecordset(QString::fromLatin1(sql), rs);
        if (!rs.Eof()) {
            QString valor = lang::text(util.ValorNoNulo(rs.value(QStringLiteral("valor"))));
            std::vector<QString> partes;
            SeparaCadena(valor, QStringLiteral(","), partes);
            items.assign(partes.begin(), partes.end() - 1);
            lista->clear();
            for (const QString& item : items)
                lista->addItem(item);
        }
        db.CierraRecordset(rs);
    };
    habilitados("SELECT valor from ta_configuracion where clave='TallesHabilitados'", dpdTalle, m_talles);
    habilitados("select valor from ta_configuracion where clave='ColoresHabilitados'", dpdColor, m_colores);
    Frame1->setEnabled(!m_talles.empty() && !m_colores.empty());

    const auto primeros = [this] {
        for (QComboBox* lista : {dpdTalle, dpdColor, dpdSexo})
            lista->setCurrentIndex(lista->count() > 0 ? 0 : -1);
    };
    primeros();

    // The earlier choice: rows of a size and colour still enabled come back;
    // the same key twice adds up.
    if (!TalleColorSexo.isEmpty()) {
        TalleColorSexo = TalleColorSexo.trimmed();
        Cantidades = Cantidades.trimmed();
        std::vector<QString> talles, colores, sexos, cantidades;
        ExtraeTalles_colores_sexo(TalleColorSexo, QStringLiteral("-"), talles, colores, sexos);
        QString lista = Cantidades.mid(1, Cantidades.size() - 2);
        SeparaCadena(lista, QStringLiteral("|"), cantidades);
        for (std::size_t i = 0; i + 1 < talles.size(); ++i) {
            // A size without its quantity has nothing to bring back.
            if (i + 1 >= cantidades.size())
                break;
            if (!talles[i].isEmpty() && posicion(m_talles, talles[i]) >= 0 && posicion(m_colores, colores[i]) >= 0)
                AgregaEnGrilla(talles[i], colores[i], sexos[i], cantidades[i]);
        }
    }

    // The article's default size, colour and sex, when it is sold by size.
    db.AbrirRecordset(QStringLiteral("SELECT UsaTalle,TalleDefault,ColorDefault,SexoDefault from v_ma_articulos "
                                     "where idarticulo=")
                          + db.SQLValue(util.AlineaDerecha(eIdArticulo, 25)),
                      rs);
    if (!rs.Eof() && lang::number(rs.value(QStringLiteral("UsaTalle"))) != 0) {
        primeros();
        const auto preferido = [&](const char* campo, const std::vector<QString>& items, QComboBox* lista) {
            const QVariant valor = rs.value(QLatin1String(campo));
            if (lang::isNull(valor) || lang::text(valor).trimmed().isEmpty())
                return;
            const int i = posicion(items, lang::text(valor));
            if (i >= 0)
                lista->setCurrentIndex(i);
        };
        preferido("TalleDefault", m_talles, dpdTalle);
        preferido("ColorDefault", m_colores, dpdColor);
        const QString sexo = lang::text(rs.value(QStringLiteral("SexoDefault"))).trimmed();
        dpdSexo->setCurrentIndex(lang::sameText(sexo, u"M") ? 1 : lang::sameText(sexo, u"U") ? 2 : 0);
    }
    db.CierraRecordset(rs);
}

void FrmTalle::AgregaEnGrilla(const QString& talle, const QString& color, const QString& sexo,
                              const QString& cantidad)
{
    const QString clave = talle.trimmed() + u'-' + color.trimmed() + u'-' + sexo;
    long fila = 0;
    if (ExisteEnGrid(clave, -1, fila)) {
        const double suma = ComoCelda(NumeroCelda(MSFlexGrid1->TextMatrix(fila, ColCantidad)) + NumeroCelda(cantidad));
        MSFlexGrid1->setTextMatrix(fila, ColCantidad, TextoCelda(suma));
        return;
    }
    // The design's empty first row takes the first combination; the next
    // ones go below the last row.
    if (MSFlexGrid1->Rows() == 2 && MSFlexGrid1->TextMatrix(1, ColClave).trimmed().isEmpty()) {
        fila = 1;
    } else {
        MSFlexGrid1->setRows(MSFlexGrid1->Rows() + 1);
        fila = MSFlexGrid1->Rows() - 1;
    }
    MSFlexGrid1->setTextMatrix(fila, ColClave, clave);
    MSFlexGrid1->setTextMatrix(fila, ColCantidad, TextoCelda(NumeroCelda(cantidad)));
}

void FrmTalle::AjustaColumnas()
{
    FlexGrid& g = *MSFlexGrid1;
    bool cambio = false;
    for (int c : {ColClave, ColCantidad}) {
        const int ancho = g.fittingColWidth(c);
        if (ancho > g.ColWidth(c)) {
            g.setColWidth(c, ancho);
            cambio = true;
        }
    }
    if (!cambio)
        return;
    // The grid takes the room its columns need, and the window with it.
    const int grilla = twips::toPixels(g.ColWidth(ColClave) + g.ColWidth(ColCantidad)) + 24;
    g.resize(grilla, g.height());
    setFixedSize(g.x() + grilla + 6, height());
}

double FrmTalle::CantidadEnGrilla() const
{
    double total = 0;
    for (int fila = 1; fila < MSFlexGrid1->Rows(); ++fila)
        if (!MSFlexGrid1->TextMatrix(fila, ColClave).trimmed().isEmpty())
            total += NumeroCelda(MSFlexGrid1->TextMatrix(fila, ColCantidad));
    return ComoCelda(total);
}

void FrmTalle::ActualizaRestante()
{
    // Every digit of what lacks: a request that is no whole number of units
    // is met by taking the proposal.
    CantidadRestante = ComoCelda(ComoCelda(CantidadPedida) - CantidadEnGrilla());
    txtCantidad->setText(CantidadRestante >= 0 ? TextoCelda(CantidadRestante) : QStringLiteral("0"));
}

void FrmTalle::TomarDatos()
{
    TalleColorSexo = QString();
    Cantidades = QString();
    for (int fila = 1; fila < MSFlexGrid1->Rows(); ++fila) {
        const QString clave = MSFlexGrid1->TextMatrix(fila, ColClave).trimmed();
        const double cantidad = NumeroCelda(MSFlexGrid1->TextMatrix(fila, ColCantidad));
        if (clave.isEmpty() || cantidad <= 0)
            continue;
        TalleColorSexo += u'|' + clave;
        Cantidades += u'|' + TextoCelda(cantidad);
    }
    if (!TalleColorSexo.trimmed().isEmpty())
        TalleColorSexo += u'|';
    if (!Cantidades.trimmed().isEmpty())
        Cantidades += u'|';
}

void FrmTalle::BorraDatos()
{
    Talle = QString();
    Color = QString();
    Sexo = QString();
    TalleColorSexo = QString();
    Cantidades = QStringLiteral("0");
}

bool FrmTalle::CampoValida(TextBox& Texto, bool)
{
    bool rechazo = false;
    ErrorTrap::showing(QStringLiteral("CAMPO_VALIDA")).run({[&] {
        const QString texto = Texto.text().trimmed();
        if (!lang::sameText(Texto.dataField().trimmed(), u"Cantidad") || texto.isEmpty() || lang::isNumber(texto))
            return;
        rechazo = true;
        Texto.setText(QString());
        prompts().messageBox(kNoNumerico, prompt::OkOnly | prompt::Critical, kAviso);
    }});
    return rechazo;
}

void FrmTalle::TrasEditar()
{
    const QString texto = MSFlexGrid1->TextMatrix(MSFlexGrid1->Row(), ColCantidad).trimmed();
    if (texto.isEmpty() || NumeroCelda(texto) == 0)
        MsflexKey(*MSFlexGrid1, keys::Delete);
    ActualizaRestante();
}

void FrmTalle::MsflexKey(FlexGrid&, int KeyCode)
{
    if (KeyCode != keys::Delete)
        return;
    ErrorTrap::runHandler("MSFlexGrid1_KeyDown", [this] {
        const int fila = MSFlexGrid1->Row();
        if (fila > 1) {
            MSFlexGrid1->RemoveItem(fila);
        } else {
            MSFlexGrid1->setTextMatrix(1, ColClave, QString());
            MSFlexGrid1->setTextMatrix(1, ColCantidad, QString());
        }
    });
}

void FrmTalle::EditKeyCode(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyCode, int Shift)
{
    m_editor.EditKeyCode(MsFlexGrid, Edt, KeyCode, Shift);
}

void FrmTalle::MsflexGridEdt(FlexGrid& MsFlexGrid, TextBox& Edt, int KeyAscii)
{
    m_editor.MsflexGridEdt(MsFlexGrid, Edt, KeyAscii);
}

bool FrmTalle::ColEdit(long Col, long) const
{
    return Col == ColCantidad && !MSFlexGrid1->TextMatrix(MSFlexGrid1->Row(), ColClave).trimmed().isEmpty();
}

void FrmTalle::TextPropiedades(TextBox& Texto, long Columna)
{
    m_editor.Text_Propiedades(Texto, Columna);
    if (Columna == ColClave) {
        Texto.setDataField(QStringLiteral("TalleColorSexo"));
        Texto.setMaxLength(40);
    }
}

void FrmTalle::BlanqueaFila(FlexGrid&, long Fila, long Desde)
{
    for (int col = static_cast<int>(Desde); col < MSFlexGrid1->Cols(); ++col)
        MSFlexGrid1->setTextMatrix(static_cast<int>(Fila), col, QString());
}

bool FrmTalle::ExisteEnGrid(const QString& Valor, long Fila, long& FilaEncontrada) const
{
    const QString buscado = Valor.trimmed();
    for (int fila = 1; fila < MSFlexGrid1->Rows(); ++fila) {
        if (fila != Fila && lang::sameText(MSFlexGrid1->TextMatrix(fila, ColClave).trimmed(), buscado)) {
            FilaEncontrada = fila;
            return true;
        }
    }
    return false;
}

bool FrmTalle::EntradaKeyPress(QComboBox& lista, int KeyAscii)
{
    if (KeyAscii != keys::Enter)
        return false;
    QWidget* siguiente = &lista == dpdTalle ? static_cast<QWidget*>(dpdColor)
                       : &lista == dpdColor ? static_cast<QWidget*>(dpdSexo)
                                            : static_cast<QWidget*>(txtCantidad);
    siguiente->setFocus();
    return true;
}

void FrmTalle::txtCantidad_KeyPress(int& KeyAscii)
{
    if (KeyAscii != keys::Enter || !Frame1->isEnabled())
        return;
    KeyAscii = 0;
    const QString texto = txtCantidad->text();
    // Only a number is added: a text that merely begins with one is told,
    // and the box keeps it for the operator to mend.
    if (!texto.trimmed().isEmpty() && !lang::isNumber(texto)) {
        prompts().messageBox(kNoNumerico, prompt::OkOnly | prompt::Critical, kAviso);
        txtCantidad->setFocus();
        txtCantidad->selectAll();
        return;
    }
    if (NumeroCelda(texto) <= 0) {
        focusFromKeyboard(*CmdAceptar);
        return;
    }
    AgregaEnGrilla(dpdTalle->currentText().trimmed(), dpdColor->currentText().trimmed(), dpdSexo->currentText().left(1),
                   texto);
    ActualizaRestante();
    AjustaColumnas();
    if (NumeroCelda(txtCantidad->text()) > 0)
        dpdTalle->setFocus();
    else
        focusFromKeyboard(*CmdAceptar);
}

void FrmTalle::CmdAceptar_Click()
{
    // A quantity still in the editor counts; a refused one keeps the dialog open.
    if (!m_editor.Confirma())
        return;
    // Compared as the cells show them.
    const double T = CantidadEnGrilla();
    const double R = ComoCelda(CantidadPedida);
    if (T != R) {
        const QString primera = T > R ? QStringLiteral("Las Cantidades informadas superan a las pedidas en el formulario.")
                                      : QStringLiteral("Las Cantidades informadas son inferiores a las pedidas en el formulario.");
        if (!ePermiteModificarCantidades) {
            prompts().messageBox(primera + QStringLiteral("\r\nAjuste la Cantidades Informadas !\r\nCantidad Pedida= ")
                                     + TextoCelda(R) + QStringLiteral("\r\nCantidad Informada= ")
                                     + TextoCelda(T),
                                 prompt::OkOnly | prompt::Exclamation, QString());
            return;
        }
        if (prompts().messageBox(primera + QStringLiteral("\r\nDesea modificar las cantidades del formulario?"),
                                 prompt::YesNo | prompt::Question | prompt::DefaultButton2, QString())
            != prompt::Yes)
            return;
        CantidadPedida = T;
    }
    TomarDatos();
    QDialog::done(QDialog::Accepted);
}

void FrmTalle::CmdCancelar_Click()
{
    BorraDatos();
    QDialog::done(QDialog::Rejected);
}

bool FrmTalle::Form_KeyDown(int KeyCode, int)
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

void FrmTalle::reject()
{
    CmdCancelar_Click();
}
