#include "platform/Toolbar.h"

#include "platform/Keys.h"
#include "platform/StandardIcons.h"
#include "platform/Value.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

VrUtil::VrUtil(QWidget* parent) : QWidget(parent)
{
    struct Design {
        const char* key;
        const char* caption;
        const char* tip;
        QStyle::StandardPixmap icon;
        int flag;
        int shortcut;
    };
    static const Design design[] = {
        {"NUEVO", "Nuevo", "Nuevo comprobante (F3)", QStyle::SP_FileIcon, 2, keys::F3},
        {"BORRAR", "Borrar", "Borrar el comprobante (F6)", QStyle::SP_TrashIcon, 4, keys::F6},
        {"GRABAR", "Grabar", "Grabar (F2)", QStyle::SP_DialogSaveButton, 3, keys::F2},
        {"CONSULTAR", "Consultar", "Consultar el campo activo (F4)", QStyle::SP_FileDialogContentsView, 6,
         keys::F4},
        {"REPORTE", "Reporte", "Imprimir el reporte (F7)", QStyle::SP_FileDialogDetailedView, 7, keys::F7},
        {"CERRAR", "Cerrar", "Cerrar el programa", QStyle::SP_DialogCloseButton, 8, 0},
        {"CANCELAR", "Cancelar", "Abandonar la carga de datos (F8)", QStyle::SP_DialogCancelButton, 1, keys::F8},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    for (const Design& d : design) {
        auto* b = new QToolButton(this);
        const QString key = QString::fromLatin1(d.key);
        b->setObjectName(key);
        b->setText(QString::fromUtf8(d.caption));
        b->setToolTip(QString::fromUtf8(d.tip));
        b->setIcon(icons::standard(d.icon, b));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, key] { emit click(key); });
        layout->addWidget(b);
        m_buttons.push_back({key, d.flag, d.shortcut, b});
    }
    layout->addStretch();
    setStyleBar(m_style);
}

void VrUtil::setFlag(int flag, bool on)
{
    m_flags[static_cast<std::size_t>(flag - 1)] = on;
    for (const Button& b : m_buttons)
        if (b.flag == flag)
            b.widget->setEnabled(on);
}

void VrUtil::setStyleBar(int style)
{
    m_style = style;
    for (const Button& b : m_buttons)
        b.widget->setAutoRaise(style != 0);
}

const VrUtil::Button* VrUtil::find(const QString& key) const
{
    for (const Button& b : m_buttons)
        if (lang::sameText(b.key, key.trimmed()))
            return &b;
    return nullptr;
}

QAbstractButton* VrUtil::button(const QString& key) const
{
    const Button* b = find(key);
    return b ? b->widget : nullptr;
}

bool VrUtil::press(const QString& key)
{
    const Button* b = find(key);
    if (!b || !b->widget->isEnabled())
        return false;
    const QString raised = b->key;
    emit click(raised);
    return true;
}

void VrUtil::TeclaPresionada(int& KeyCode, int Shift)
{
    if (KeyCode == 0 || Shift != 0)
        return;
    for (const Button& b : m_buttons) {
        if (b.shortcut == KeyCode) {
            if (press(b.key))
                KeyCode = 0;
            return;
        }
    }
}
