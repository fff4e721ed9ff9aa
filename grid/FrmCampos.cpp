#include "FrmCampos.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

// The marker drawn round a move image while it is held, and round the
// cancel image under the pointer.
QFrame* marker(QWidget* parent, const QString& name)
{
    auto* shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setFrameShape(QFrame::Box);
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    shape->hide();
    return shape;
}

class HoverWatch : public QObject {
public:
    HoverWatch(QObject* parent, QFrame* shape) : QObject(parent), m_shape(shape) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Enter)
            m_shape->show();
        else if (event->type() == QEvent::Leave)
            m_shape->hide();
        return QObject::eventFilter(watched, event);
    }

private:
    QFrame* m_shape;
};

}  // namespace

FrmCampos::FrmCampos(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmCampos"));
    setWindowTitle(QStringLiteral("Seleccionar Columnas"));
    auto* layout = new QGridLayout(this);

    auto* label1 = new QLabel(QStringLiteral("Seleccionar Columnas"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = label1->font();
    bold.setBold(true);
    label1->setFont(bold);
    m_cancel = new QToolButton(this);
    m_cancel->setObjectName(QStringLiteral("ImgCancelar"));
    m_cancel->setToolTip(QStringLiteral("Cerrar"));
    m_cancel->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_cancel->setAutoRaise(true);
    m_shape1 = marker(m_cancel, QStringLiteral("Shape1"));
    m_cancel->installEventFilter(new HoverWatch(this, m_shape1));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("LstCampos"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* label2 = new QLabel(QStringLiteral("Control o Mayúscula para selección Múltiple"), this);
    label2->setObjectName(QStringLiteral("Label2"));

    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("ImgSubir"));
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setObjectName(QStringLiteral("ImgBajar"));
    m_down->setArrowType(Qt::DownArrow);
    m_shpSubir = marker(m_up, QStringLiteral("shpSubir"));
    m_shpBajar = marker(m_down, QStringLiteral("shpBajar"));

    auto* aplicar = new QPushButton(QStringLiteral("&Aplicar Seleccón"), this);
    aplicar->setObjectName(QStringLiteral("cmdAplicar"));
    auto* todos = new QPushButton(QStringLiteral("&Todas"), this);
    todos->setObjectName(QStringLiteral("cmdTodos"));

    layout->addWidget(label1, 0, 0);
    layout->addWidget(m_cancel, 0, 1, Qt::AlignRight);
    layout->addWidget(m_list, 1, 0, 3, 1);
    layout->addWidget(m_up, 1, 1);
    layout->addWidget(m_down, 2, 1);
    layout->addWidget(label2, 4, 0, 1, 2);
    layout->addWidget(aplicar, 5, 0);
    layout->addWidget(todos, 5, 1);

    m_repeat = new QTimer(this);
    m_repeat->setInterval(100);
    connect(m_repeat, &QTimer::timeout, this, &FrmCampos::repeatMove);

    connect(aplicar, &QPushButton::clicked, this, &FrmCampos::cmdAplicar_Click);
    connect(todos, &QPushButton::clicked, this, &FrmCampos::cmdTodos_Click);
    connect(m_cancel, &QToolButton::clicked, this, &FrmCampos::ImgCancelar_Click);
    connect(m_up, &QToolButton::clicked, this, &FrmCampos::ImgSubir_Click);
    connect(m_down, &QToolButton::clicked, this, &FrmCampos::ImgBajar_Click);
    connect(m_up, &QToolButton::pressed, this, [this] { ImgSubir_MouseDown(1); });
    connect(m_up, &QToolButton::released, this, [this] { ImgSubir_MouseUp(1); });
    connect(m_down, &QToolButton::pressed, this, [this] { ImgBajar_MouseDown(1); });
    connect(m_down, &QToolButton::released, this, [this] { ImgBajar_MouseUp(1); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, &FrmCampos::readSelection);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_refreshing)
            m_chooser.current = row;
    });
}

FrmCampos::~FrmCampos() = default;

void FrmCampos::Form_Load()
{
    Cancelar = false;
    m_chooser.load(gCampos, gCamposSel, gOrdinalSel);
    show_();
}

void FrmCampos::show_()
{
    m_refreshing = true;
    m_list->clear();
    for (const ColumnChooser::Entry& e : m_chooser.entries) {
        auto* item = new QListWidgetItem(e.text, m_list);
        item->setSelected(e.selected);
    }
    if (m_chooser.current >= 0)
        m_list->setCurrentRow(m_chooser.current, QItemSelectionModel::NoUpdate);
    m_refreshing = false;
}

void FrmCampos::readSelection()
{
    if (m_refreshing)
        return;
    for (int i = 0; i < m_list->count() && i < static_cast<int>(m_chooser.entries.size()); ++i)
        m_chooser.entries[static_cast<std::size_t>(i)].selected = m_list->item(i)->isSelected();
}

void FrmCampos::cmdAplicar_Click()
{
    readSelection();
    const ColumnChooser::Choice choice = m_chooser.apply();
    Cancelar = false;
    gCamposSel = choice.gCamposSel;
    gOrdinalSel = choice.gOrdinalSel;
    gCamposOrden = choice.gCamposOrden;
    done(QDialog::Accepted);
}

void FrmCampos::cmdTodos_Click()
{
    m_chooser.selectAll();
    show_();
    cmdAplicar_Click();
}

void FrmCampos::ImgCancelar_Click()
{
    Cancelar = true;
    done(QDialog::Rejected);
}

// Closing the window by its frame is a cancel as well, never an unwitting apply.
void FrmCampos::reject()
{
    Cancelar = true;
    QDialog::reject();
}

void FrmCampos::ImgSubir_Click()
{
    if (m_chooser.moveUp())
        show_();
}

void FrmCampos::ImgBajar_Click()
{
    if (m_chooser.moveDown())
        show_();
}

void FrmCampos::startRepeat(int direction, QFrame* shape)
{
    shape->setGeometry(shape->parentWidget()->rect());
    shape->show();
    m_direction = direction;
    m_repeating = true;
    m_repeat->start();
}

void FrmCampos::stopRepeat()
{
    m_repeating = false;
    m_repeat->stop();
    m_shpSubir->hide();
    m_shpBajar->hide();
}

void FrmCampos::ImgSubir_MouseDown(int Button)
{
    if (Button == 1)
        startRepeat(-1, m_shpSubir);
}

void FrmCampos::ImgSubir_MouseUp(int Button)
{
    if (Button == 1)
        stopRepeat();
}

void FrmCampos::ImgBajar_MouseDown(int Button)
{
    if (Button == 1)
        startRepeat(1, m_shpBajar);
}

void FrmCampos::ImgBajar_MouseUp(int Button)
{
    if (Button == 1)
        stopRepeat();
}

void FrmCampos::repeatMove()
{
    if (!m_repeating)
        return;
    if (m_direction < 0)
        ImgSubir_Click();
    else
        ImgBajar_Click();
}
