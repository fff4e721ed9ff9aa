#include "Lib_FrmCons3.h"

#include "BusquedaConsulta.h"
#include "ConsultaSql.h"
#include "ControlesConsulta.h"
#include "platform/Keys.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "platform/Colors.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/Value.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

namespace {
// The layout rules are written in twips, the unit the form was designed in.
constexpr int TwipsPorPixel = 15;
constexpr int px(double twips) { return static_cast<int>(twips / TwipsPorPixel); }
constexpr double tw(int pixels) { return static_cast<double>(pixels) * TwipsPorPixel; }

constexpr int AltoEtiqueta = 16;
constexpr int AltoCombo = 22;
constexpr int AnchoMaximoColumna = 60;
const QString ColumnaCantidad = QStringLiteral("**") + QStringLiteral("Cantidad") + QStringLiteral("**");
}  // namespace

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Lib_FrmCons3"));
    setWindowTitle(QStringLiteral("Consulta..."));
    resize(640, 420);

    picFields = new QWidget(this);
    picFields->setObjectName(QStringLiteral("picFields"));
    lblFieldName = new QLabel(picFields);
    lblFieldName->setObjectName(QStringLiteral("lblFieldName"));
    lblFieldName->setGeometry(4, 0, 200, AltoEtiqueta);
    ListView1 = new ReportList(picFields);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(0, AltoEtiqueta + AltoCombo + 2, 600, 300);
    ListView1->installEventFilter(this);
    NuevoCmbSearch(0);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(0, 340, 600, 16);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(0, 360, 390, 40);
    CmdAceptar = consulta::NuevoBoton(Frame1, QStringLiteral("CmdAceptar"), QStringLiteral("&Aceptar"), 0);
    CmdNueva = consulta::NuevoBoton(Frame1, QStringLiteral("CmdNueva"), QStringLiteral("&Nueva Busqueda"), 1);
    CmdCancelar = consulta::NuevoBoton(Frame1, QStringLiteral("CmdCancelar"), QStringLiteral("&Cancelar"), 2);

    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1_DblClick(); });
    connect(ListView1, &ReportList::columnClicked, this, [this](int column) { ListView1_ColumnClick(column); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
}

Lib_FrmCons3::~Lib_FrmCons3()
{
    for (QComboBox* c : CmbSearch)
        c->removeEventFilter(this);
    ListView1->removeEventFilter(this);
}

QComboBox* Lib_FrmCons3::NuevoCmbSearch(int Index)
{
    QComboBox* combo = consulta::NuevaCajaBusqueda(picFields, Index);
    combo->setGeometry(0, AltoEtiqueta, 100, AltoCombo);
    combo->installEventFilter(this);
    connect(combo, &QComboBox::editTextChanged, this, [this, Index] { CmbSearch_Change(Index); });
    connect(combo, &QComboBox::activated, this, [this, Index] { CmbSearch_Click(Index); });
    CmbSearch.push_back(combo);
    return combo;
}

QString Lib_FrmCons3::Tag(int Index) const
{
    return Index >= 0 && Index < static_cast<int>(CmbSearch.size()) ? CmbSearch[Index]->property("Tag").toString()
                                                                     : QString();
}

void Lib_FrmCons3::Muestra()
{
    Form_Load();
    prompts().showModal(*this);
}

void Lib_FrmCons3::Form_Load()
{
    int total = 0;
    ErrorTrap::showing(QStringLiteral("FORM_LOAD")).run({
        [&] { m_mostrarStock = Cfg(QStringLiteral("MostrarStockenConsultas")); },
        [&] {
            for (int n = 0; n < 4; ++n) {
                const QString valor = Cfg(QStringLiteral("Stk_Nivel") + QString::number(n + 1));
                m_stkNivel[n] = valor.isEmpty() ? QVariant(0) : QVariant(valor);
            }
        },
        [&] { m_esConsultaArticulos = Sql.contains(QStringLiteral("articulos"), Qt::CaseInsensitive); },
        [&] {
            Valores = KeyedCollection();
            Cantidades = KeyedCollection();
        },
        [&] { ListView1->clearRows(); },
        [&] {
            if (m_sqlInicial.isEmpty())
                m_sqlInicial = Sql;
            m_filtro.SqlBase = Sql;
        },
        [&] { ObjDB().AbrirRecordset(Sql, m_rsConsulta, nullptr, db::cursor::ForwardOnly, db::lock::ReadOnly, -1, true); },
        [&] { ListView1->setCheckBoxes(CheckBoxes); },
        [&] {
            Encolumnar();
            if (!LeeFilas())
                ErrorTrap::leave();
            ListView1->applySort();
        },
        [&] {
            // A column is as wide as its field's size says, and also as its
            // caption and, up to the widest column, its texts: a short code
            // under a long name shows the name whole, and its search box
            // gets room to be typed in.
            const int maximo = fontMetrics().horizontalAdvance(QString(AnchoMaximoColumna, u'X'));
            for (int i = 1; i <= ListView1->columnCountHeaders(); ++i)
                ListView1->widenToFit(i, maximo);
        },
        [&] {
            const int x0 = ListView1->x();
            for (int i = 1; i <= ListView1->columnCountHeaders(); ++i) {
                if (i - 1 < static_cast<int>(CmbSearch.size())) {
                    QComboBox* combo = CmbSearch[i - 1];
                    combo->setGeometry(x0 + ListView1->columnLeft(i), combo->y(),
                                       std::max(0, px(tw(ListView1->columnWidth(i)) - 50)), combo->height());
                }
                total += ListView1->columnWidth(i);
            }
        },
        [&] {
            m_anchoTira = total + px(360);
            ListView1->resize(m_anchoTira, ListView1->height());
            picFields->resize(m_anchoTira, picFields->height());
            HScroll1->resize(total, HScroll1->height());
        },
        [&] {
            const QScreen* pantalla = QGuiApplication::primaryScreen();
            const int anchoPantalla = pantalla ? pantalla->availableGeometry().width() : 1024;
            const int lista = ListView1->width();
            resize(lista + px(360) < anchoPantalla ? lista + px(280) : anchoPantalla - px(480), height());
        },
        [&] { AjustaBarra(); },
        [&] {
            if (OrdenarPorLwv)
                ListView1->setSorting(true, ListView1->sortKey(), ListView1->sortOrder());
            if (ListView1->rowCount() > 0)
                ListView1->selectRow(1);
        },
        [&] { m_util.AjustaFormulario(this, 0); },
        [&] {
            if (!FiltroInicial.trimmed().isEmpty())
                CmbSearch[0]->setEditText(FiltroInicial);
        },
        [&] { ObjDB().CierraRecordset(m_rsConsulta); },
    });
}

void Lib_FrmCons3::Encolumnar()
{
    try {
        ListView1->clearColumns();
        for (int i = 0; i < m_rsConsulta.FieldCount(); ++i) {
            db::Field& campo = m_rsConsulta.field(i);
            int n = campo.DefinedSize();
            if (i >= static_cast<int>(CmbSearch.size()))
                NuevoCmbSearch(i);
            CmbSearch[i]->setProperty("Tag", campo.Name());
            CmbSearch[i]->setVisible(true);
            n = std::clamp(n, 0, AnchoMaximoColumna);
            QString titulo = campo.Name();
            if (const int clase = consulta::ClasePrecio(Sql, campo.Name()))
                titulo = Cfg(QStringLiteral("NOM_PCLASE") + QString::number(clase));
            ListView1->addColumn(titulo, fontMetrics().horizontalAdvance(QString(n, u'X')));
        }
    } catch (const RuntimeError& e) {
        prompts().messageBox(e.description(), prompt::OkOnly, {});
    }
}

void Lib_FrmCons3::Leer()
{
    LeeFilas();
}

bool Lib_FrmCons3::LeeFilas()
{
    if (m_rsConsulta.State() == db::state::Closed || m_rsConsulta.BOF())
        return true;
    const ErrorTrap trap = ErrorTrap::showing(QStringLiteral("FORM_LOAD"));
    QVariant color;
    const ErrorTrap colorTrap([&](const RuntimeError& e) {
        if (e.number() == errnum::ItemNotFound) {
            color = QString();
            return ErrorTrap::Resume::Next;
        }
        return ErrorTrap::fromAnswer(prompts().errorDialog(e, QStringLiteral("FORM_LOAD")));
    });
    const int campos = m_rsConsulta.FieldCount();
    while (!m_rsConsulta.Eof()) {
        int fila = 0;
        if (m_esConsultaArticulos) {
            if (!colorTrap.run({[&] {
                    const Currency pp = Currency::fromVariant(m_util.ValorNoNulo(m_rsConsulta.value(QStringLiteral("PUNTOPEDIDO"))));
                    const Currency stock = Currency::fromVariant(m_util.ValorNoNulo(m_rsConsulta.value(QStringLiteral("Stock"))));
                    color = m_stkNivel[consulta::NivelStock(pp, stock) - 1];
                }}))
                return false;
        }
        const bool sigue = trap.run({
            [&] { fila = ListView1->addRow(lang::text(m_util.ValorNoNulo(m_rsConsulta.value(0))).trimmed()); },
            [&] {
                const QString texto = ListView1->rowText(fila).trimmed();
                if (CheckBoxes && !ValoresDefault.isEmpty() && ValoresDefault.contains(texto, Qt::CaseInsensitive))
                    ListView1->setChecked(fila, true);
            },
            [&] {
                for (int i = 1; i < campos; ++i) {
                    ListView1->setSubItem(fila, i, m_util.AlineaDerecha(lang::text(m_util.ValorNoNulo(m_rsConsulta.value(i))), 0));
                    if (lang::sameText(m_mostrarStock, u"SI") && m_esConsultaArticulos)
                        ColoreaFila(fila, color);
                }
            },
            [&] { m_rsConsulta.MoveNext(); },
        });
        if (!sigue)
            return false;
    }
    return true;
}

void Lib_FrmCons3::ColoreaFila(int fila, const QVariant& color)
{
    const QString texto = lang::text(color).trimmed();
    if (texto.isEmpty())
        return;
    try {
        const auto bgr = static_cast<std::uint32_t>(lang::leadingNumber(texto));
        ListView1->setRowLook(fila, colors::fromStored(bgr), true);
    } catch (const RuntimeError&) {
    }
}

std::int32_t Lib_FrmCons3::Busqueda(std::int32_t Clave, const QString& QueValor)
{
    try {
        QStringList celdas;
        for (int fila = 1; fila <= ListView1->rowCount(); ++fila)
            celdas << (Clave < 1 ? ListView1->rowText(fila) : ListView1->subItem(fila, Clave));
        return consulta::PrimeraCoincidencia(celdas, QueValor) + 1;
    } catch (const RuntimeError&) {
        return 0;
    }
}

std::int16_t Lib_FrmCons3::IndiceColumna(const QString& Columna)
{
    const QString buscada = Columna.trimmed();
    for (int i = 1; i <= ListView1->columnCountHeaders(); ++i)
        if (lang::sameText(ListView1->columnText(i).trimmed(), buscada))
            return static_cast<std::int16_t>(i);
    return 0;
}

void Lib_FrmCons3::CmbSearch_GotFocus(int Index)
{
    m_columnaActiva = Index;
}

bool Lib_FrmCons3::CmbSearch_KeyDown(int Index, int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    if (KeyCode == keys::F5) {
        consulta::FiltraEnServidor(Sql, m_filtro, *CmbSearch[Index], Tag(Index), [this] { Form_Load(); });
        return true;
    }
    if (KeyCode == keys::Down || KeyCode == keys::Up || KeyCode == keys::PageDown || KeyCode == keys::PageUp) {
        ErrorTrap::skipping().run({
            [&] { ListView1_KeyDown(KeyCode, 0); },
            [&] { ListView1->setFocus(); },
        });
        return true;
    }
    return false;
}

void Lib_FrmCons3::CmbSearch_Change(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(CmbSearch.size()))
        return;
    const std::int32_t fila = Busqueda(Index, CmbSearch[Index]->currentText().trimmed());
    if (fila != 0)
        ListView1->selectRow(fila);
}

bool Lib_FrmCons3::ListView1_KeyDown(int KeyCode, int Shift, const QString& Tecleado)
{
    if (KeyCode == keys::Space && CheckBoxes)
        return false;
    if (KeyCode == keys::Enter) {
        CmdAceptar_Click();
        return true;
    }
    if ((KeyCode == keys::Insert && (Shift == keys::ShiftMask || Shift == 0) && UsaCantidades) ||
        (KeyCode == keys::Delete && Shift == 0 && UsaCantidades)) {
        Cantidad(KeyCode, Shift);
        return true;
    }
    if (m_columnaActiva < 0 || m_columnaActiva >= static_cast<int>(CmbSearch.size()))
        return false;
    QComboBox* activa = CmbSearch[m_columnaActiva];
    const std::optional<QString> texto = consulta::TextoTecleado(activa->currentText(), KeyCode, Tecleado, CheckBoxes);
    if (!texto)
        return false;
    activa->setEditText(*texto);
    activa->setFocus();
    return true;
}

void Lib_FrmCons3::Cantidad(int KeyCode, int Shift)
{
    int fila = 0;
    int q = 0;
    ErrorTrap::showing(QStringLiteral("ListView1_KeyDown")).run({
        [&] {
            fila = ListView1->selectedRow();
            q = IndiceColumna(ColumnaCantidad) - 1;
        },
        [&] {
            const QString actual = ListView1->subItem(fila, q);
            if (KeyCode == keys::Insert && Shift == keys::ShiftMask) {
                const QString respuesta = prompts().inputBox(QStringLiteral("Ingrese la Cantidad del Articulo..."),
                                                             QStringLiteral("Carga de Datos"), actual);
                // A zero, empty or non-numeric answer stores a zero that the
                // increment and decrement keys read back as zero.
                const double cantidad = lang::leadingNumber(respuesta);
                ListView1->setSubItem(fila, q, consulta::TextoCantidad(cantidad, 2));
                ListView1->setChecked(fila, true);
            } else if (KeyCode == keys::Insert) {
                ListView1->setSubItem(fila, q, consulta::TextoCantidad(lang::leadingNumber(actual) + 1, 1));
                ListView1->setChecked(fila, true);
            } else {
                const QString menos = consulta::TextoCantidad(lang::leadingNumber(actual) - 1, 1);
                ListView1->setSubItem(fila, q, menos);
                if (lang::leadingNumber(menos) <= 0) {
                    ListView1->setChecked(fila, false);
                    ListView1->setSubItem(fila, q, QStringLiteral("0.00"));
                }
            }
        },
    });
}

void Lib_FrmCons3::ListView1_ColumnClick(int Column)
{
    const Qt::SortOrder orden =
        ListView1->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    ListView1->setSorting(true, Column - 1, orden);
}

void Lib_FrmCons3::CmdAceptar_Click()
{
    const ErrorTrap trap = ErrorTrap::showing(QStringLiteral("CmdAceptar_Click"));
    if (CheckBoxes) {
        int k = 0;
        bool terminado = trap.run({
            [&] {
                if (CampoDevuelto.isEmpty())
                    CampoDevuelto = ListView1->columnText(1);
            },
            [&] { k = IndiceColumna(CampoDevuelto); },
        });
        for (int fila = 1; terminado && fila <= ListView1->rowCount(); ++fila) {
            terminado = trap.run({[&] {
                if (ListView1->isChecked(fila))
                    ValoresAbiertos().Add(ListView1->cell(fila, k));
            }});
        }
        if (terminado)
            done(QDialog::Accepted);
        return;
    }

    const int fila = ListView1->selectedRow();
    if (fila == 0) {
        done(QDialog::Accepted);
        return;
    }
    QString v;
    const auto tomaColumna = [&](const QString& nombre) {
        const int k = IndiceColumna(nombre);
        if (k >= 1)
            v = ListView1->cell(fila, k);
    };
    bool terminado = true;
    if (CmpsDevueltos) {
        for (int i = 1; terminado && i <= CmpsDevueltos->Count(); ++i) {
            terminado = trap.run({
                [&] { tomaColumna(lang::text(CmpsDevueltos->Item(i))); },
                [&] { ValoresAbiertos().Add(v); },
            });
        }
    }
    if (!terminado)
        return;
    if (!trap.run({
            [&] {
                if (!CampoDevuelto.trimmed().isEmpty())
                    tomaColumna(CampoDevuelto);
            },
            [&] { ValorDevuelto = v; },
        }))
        return;
    done(QDialog::Accepted);
}

KeyedCollection& Lib_FrmCons3::ValoresAbiertos()
{
    if (!Valores)
        Valores.emplace();
    return *Valores;
}

void Lib_FrmCons3::CmdCancelar_Click()
{
    NadaElegido();
    QDialog::done(QDialog::Rejected);
}

void Lib_FrmCons3::reject()
{
    CmdCancelar_Click();
}

void Lib_FrmCons3::CmdNueva_Click()
{
    ErrorTrap::skipping().run({
        [&] { Sql = m_sqlInicial; },
        [&] { Form_Load(); },
        [&] { CmbSearch[0]->setFocus(); },
    });
}

void Lib_FrmCons3::HScroll1_Change()
{
    picFields->move(-px(HScroll1->value()), picFields->y());
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void Lib_FrmCons3::Form_Resize()
{
    const double alto = tw(height());
    const double ancho = tw(width());
    const double altoMarco = tw(Frame1->height());
    // A step that would give a negative size (a tiny or minimised form) is
    // left out and the next one runs.
    const auto paso = [](double valor, const std::function<void(int)>& aplica) {
        if (valor >= 0)
            aplica(px(valor));
    };
    paso(alto - altoMarco - 480, [&](int v) { picFields->resize(picFields->width(), v); });
    paso(tw(picFields->height()) - altoMarco - 600, [&](int v) { ListView1->resize(ListView1->width(), v); });
    // The strip keeps the width its columns need, so that the bar can bring
    // the columns the form hides into view, their search boxes with them.
    paso(ancho - 120, [&](int v) { picFields->resize(std::max(v, m_anchoTira), picFields->height()); });
    paso(tw(picFields->width()) - 20, [&](int v) { ListView1->resize(v, ListView1->height()); });
    paso(alto - altoMarco - 420, [&](int v) { Frame1->move(Frame1->x(), v); });
    paso(tw(picFields->height()) - tw(HScroll1->height()) - 120, [&](int v) { HScroll1->move(HScroll1->x(), v); });
    paso(ancho - 120, [&](int v) { HScroll1->resize(v, HScroll1->height()); });
    paso(ancho / 2 - tw(Frame1->width()) / 2, [&](int v) { Frame1->move(v, Frame1->y()); });
    AjustaBarra();
}

void Lib_FrmCons3::AjustaBarra()
{
    const int lugar = std::max(0, width() - px(120));
    const int oculto = std::max(0, picFields->width() - lugar);
    HScroll1->setMaximum(static_cast<int>(tw(oculto)));
    HScroll1->setPageStep(static_cast<int>(tw(lugar)));
    HScroll1->setSingleStep(static_cast<int>(tw(fontMetrics().horizontalAdvance(u'X') * 4)));
    HScroll1->setVisible(oculto > 0);
}

int Lib_FrmCons3::IndiceDe(QObject* watched) const
{
    for (int i = 0; i < static_cast<int>(CmbSearch.size()); ++i)
        if (watched == CmbSearch[i])
            return i;
    return -1;
}

bool Lib_FrmCons3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(event);
        if (ListView1_KeyDown(keys::virtualKey(*tecla), keys::shiftState(tecla->modifiers()), tecla->text()))
            return true;
    } else if (const int i = IndiceDe(watched); i >= 0) {
        if (event->type() == QEvent::FocusIn)
            CmbSearch_GotFocus(i);
        else if (event->type() == QEvent::KeyPress && watched == CmbSearch[i]) {
            const auto* tecla = static_cast<QKeyEvent*>(event);
            if (CmbSearch_KeyDown(i, keys::virtualKey(*tecla), keys::shiftState(tecla->modifiers())))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
