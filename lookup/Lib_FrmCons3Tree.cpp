#include "Lib_FrmCons3Tree.h"

#include "BusquedaConsulta.h"
#include "ConsultaSql.h"
#include "ControlesConsulta.h"
#include "platform/Keys.h"
#include "core/DB_Dll.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {
constexpr int KeyNotUnique = 35602;
constexpr int ClaveRole = Qt::UserRole;
const QString ClaveRaiz = QStringLiteral("A");
}  // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Lib_FrmCons3Tree"));
    setWindowTitle(QStringLiteral("Consulta..."));
    resize(520, 460);

    picFields = new QWidget(this);
    picFields->setObjectName(QStringLiteral("picFields"));
    picFields->setGeometry(8, 8, 504, 396);
    lblFieldName = new QLabel(picFields);
    lblFieldName->setObjectName(QStringLiteral("lblFieldName"));
    lblFieldName->setGeometry(0, 0, 300, 16);
    QComboBox* combo = consulta::NuevaCajaBusqueda(picFields, 0);
    combo->setGeometry(0, 18, 504, 22);
    combo->installEventFilter(this);
    connect(combo, &QComboBox::editTextChanged, this, [this] { CmbSearch_Change(0); });
    connect(combo, &QComboBox::activated, this, [this] { CmbSearch_Click(0); });
    CmbSearch.push_back(combo);
    TreeV = new QTreeWidget(picFields);
    TreeV->setObjectName(QStringLiteral("TreeV"));
    TreeV->setGeometry(0, 44, 504, 352);
    TreeV->setHeaderHidden(true);
    TreeV->setColumnCount(1);
    TreeV->setRootIsDecorated(true);
    TreeV->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(TreeV, &QTreeWidget::itemDoubleClicked, this, [this] { TreeV_DblClick(); });

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(65, 412, 390, 40);
    CmdAceptar = consulta::NuevoBoton(Frame1, QStringLiteral("CmdAceptar"), QStringLiteral("&Aceptar"), 0);
    CmdCancelar = consulta::NuevoBoton(Frame1, QStringLiteral("CmdCancelar"), QStringLiteral("&Cancelar"), 1);
    CmdNueva = consulta::NuevoBoton(Frame1, QStringLiteral("CmdNueva"), QStringLiteral("&Nueva Busqueda"), 2);
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree()
{
    for (QComboBox* c : CmbSearch)
        c->removeEventFilter(this);
}

void Lib_FrmCons3Tree::Muestra()
{
    Form_Load();
    prompts().showModal(*this);
}

QTreeWidgetItem* Lib_FrmCons3Tree::Nodo(const QString& Key) const
{
    return m_porClave.value(Key, nullptr);
}

QString Lib_FrmCons3Tree::Key(const QTreeWidgetItem* Nodo) const
{
    return Nodo ? Nodo->data(0, ClaveRole).toString() : QString();
}

void Lib_FrmCons3Tree::LimpiaNodos()
{
    TreeV->clear();
    m_nodos.clear();
    m_porClave.clear();
}

QTreeWidgetItem* Lib_FrmCons3Tree::AgregaNodo(QTreeWidgetItem* padre, int despuesDe, const QString& key,
                                              const QString& texto)
{
    if (m_porClave.contains(key))
        throw RuntimeError(KeyNotUnique, QStringLiteral("La clave no es unica en la coleccion"));
    auto* nodo = new QTreeWidgetItem;
    nodo->setText(0, texto);
    nodo->setData(0, ClaveRole, key);
    if (padre)
        padre->insertChild(despuesDe < 0 ? padre->childCount() : despuesDe + 1, nodo);
    else
        TreeV->insertTopLevelItem(despuesDe < 0 ? TreeV->topLevelItemCount() : despuesDe + 1, nodo);
    m_nodos.push_back(nodo);
    m_porClave.insert(key, nodo);
    return nodo;
}

void Lib_FrmCons3Tree::Form_Load()
{
    ErrorTrap::showing(QStringLiteral("FORM_LOAD")).run({
        [&] { LimpiaNodos(); },
        [&] { m_filtro.SqlBase = Sql; },
        [&] { ArmarTreeVAutomatico(); },
    });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico()
{
    const ErrorTrap trap = ErrorTrap::showing(QStringLiteral("ArmarTreeVAutomatico"));
    QTreeWidgetItem* actual = nullptr;
    db::Recordset rs;
    std::vector<std::vector<QVariant>> filas;
    trap.run({
        [&] { LimpiaNodos(); },
        [&] {
            actual = AgregaNodo(nullptr, -1, ClaveRaiz, QStringLiteral("Consulta..."));
            actual->setExpanded(true);
        },
        [&] {
            ObjDB().AbrirRecordset(Sql, rs, &ObjDB().gCnn(), db::cursor::Dynamic, db::lock::ReadOnly, -1, true);
        },
        [&] {
            if (rs.BOF() && rs.Eof())
                ErrorTrap::leave();
        },
        [&] {
            rs.MoveFirst();
            rs.MoveLast();
            rs.MoveFirst();
            filas = rs.GetRows();
        },
        [&] {
            // The rows come in depth-first order of the codes; a longer key
            // goes under the node before it, an equal one beside it, and a
            // shorter one is compared again with that node's parent.
            std::size_t i = 0;
            while (i < filas.size()) {
                bool avanza = true;
                const bool sigue = trap.run({[&] {
                    const QString codigo = lang::text(filas[i].at(0));
                    const QString key = ClaveRaiz + codigo;
                    const QString texto = codigo + QStringLiteral(" - ") + lang::text(filas[i].at(1));
                    const qsizetype d = key.size() - Key(actual).size();
                    if (d < 0) {
                        if (!actual->parent())
                            throw RuntimeError(errnum::ObjectNotSet, QStringLiteral("El nodo no tiene padre"));
                        actual = actual->parent();
                        avanza = false;
                        return;
                    }
                    if (d == 0) {
                        QTreeWidgetItem* padre = actual->parent();
                        const int lugar = padre ? padre->indexOfChild(actual) : TreeV->indexOfTopLevelItem(actual);
                        actual = AgregaNodo(padre, lugar, key, texto);
                    } else {
                        actual = AgregaNodo(actual, -1, key, texto);
                    }
                }});
                if (!sigue)
                    ErrorTrap::leave();
                // A row that failed and was passed over is not tried again.
                if (avanza)
                    ++i;
            }
        },
    });
}

void Lib_FrmCons3Tree::CmbSearch_GotFocus(int Index)
{
    m_columnaActiva = Index;
}

bool Lib_FrmCons3Tree::CmbSearch_KeyDown(int Index, int KeyCode, int Shift)
{
    Q_UNUSED(Shift);
    QComboBox* caja = CmbSearch.at(Index);
    if (KeyCode == keys::F5) {
        // The tree narrows on the description whatever box the key came from.
        caja->setProperty("Tag", QStringLiteral("Descripcion"));
        consulta::FiltraEnServidor(Sql, m_filtro, *caja, caja->property("Tag").toString(), [this] { Form_Load(); });
        return true;
    }
    if (KeyCode == keys::Down || KeyCode == keys::Up || KeyCode == keys::PageDown || KeyCode == keys::PageUp) {
        TreeV->setFocus();
        return true;
    }
    return false;
}

void Lib_FrmCons3Tree::CmbSearch_Change(int Index)
{
    try {
        const QString buscado = CmbSearch.at(Index)->currentText();
        for (QTreeWidgetItem* nodo : m_nodos) {
            if (consulta::NodoCoincide(nodo->text(0), buscado)) {
                for (QTreeWidgetItem* p = nodo->parent(); p; p = p->parent())
                    p->setExpanded(true);
                TreeV->setCurrentItem(nodo);
                nodo->setSelected(true);
                TreeV->scrollToItem(nodo);
                return;
            }
        }
    } catch (const std::exception&) {
    }
}

void Lib_FrmCons3Tree::CmdAceptar_Click()
{
    QString codigo;
    bool hallado = false;
    db::Recordset rs;
    ErrorTrap::showing(QStringLiteral("CmdAceptar_Click")).run({
        [&] {
            QTreeWidgetItem* nodo = TreeV->currentItem();
            if (!nodo)
                throw RuntimeError(errnum::ObjectNotSet, QStringLiteral("No hay un nodo elegido"));
            codigo = Key(nodo).mid(1);
        },
        [&] { hallado = ObjDB().ExisteEnTabla(QStringLiteral("V_TA_FAMILIAS"), codigo, QStringLiteral("IDFAMILIA"), &rs, 8, {}); },
        [&] { ValorDevuelto = hallado ? m_util.ValorNoNulo(rs.value(CampoDevuelto)) : QVariant(QString()); },
        [&] { QDialog::done(QDialog::Accepted); },
    });
}

void Lib_FrmCons3Tree::CmdCancelar_Click()
{
    NadaElegido();
    QDialog::done(QDialog::Rejected);
}

void Lib_FrmCons3Tree::reject()
{
    CmdCancelar_Click();
}

void Lib_FrmCons3Tree::CmdNueva_Click()
{
    ErrorTrap::skipping().run({[&] { ArmarTreeVAutomatico(); }});
}

bool Lib_FrmCons3Tree::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < static_cast<int>(CmbSearch.size()); ++i) {
        if (watched != CmbSearch[i])
            continue;
        if (event->type() == QEvent::FocusIn)
            CmbSearch_GotFocus(i);
        else if (event->type() == QEvent::KeyPress) {
            const auto* tecla = static_cast<QKeyEvent*>(event);
            if (CmbSearch_KeyDown(i, keys::virtualKey(*tecla), keys::shiftState(tecla->modifiers())))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
