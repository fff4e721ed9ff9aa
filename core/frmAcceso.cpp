#include "frmAcceso.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

frmAcceso::frmAcceso(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));

    framAcceso = new QGroupBox(this);
    framAcceso->setObjectName(QStringLiteral("framAcceso"));
    auto* form = new QFormLayout(framAcceso);

    auto addRow = [&](QLabel*& label, const char* labelName, const QString& caption, QLineEdit*& box, const char* boxName) {
        box = new QLineEdit(framAcceso);
        box->setObjectName(QLatin1String(boxName));
        label = new QLabel(caption, framAcceso);
        label->setObjectName(QLatin1String(labelName));
        label->setBuddy(box);
        form->addRow(label, box);
    };
    addRow(lbUsuario, "lbUsuario", QStringLiteral("&Usuario"), TxtUserId, "TxtUserId");
    addRow(lbcontrasena, "lbcontrasena", QStringLiteral("&Contraseña"), TxtUserPassword, "TxtUserPassword");
    addRow(Label1, "Label1", QStringLiteral("&Base de Datos"), TxtDbName, "TxtDbName");
    addRow(Label2, "Label2", QStringLiteral("&Servidor"), TxtServidor, "TxtServidor");
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    TxtUserPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    CboPlataformaDB = new QComboBox(framAcceso);
    CboPlataformaDB->setObjectName(QStringLiteral("CboPlataformaDB"));
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});
    form->addRow(CboPlataformaDB);

    bcAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    bcAceptar->setObjectName(QStringLiteral("bcAceptar"));
    bcAceptar->setDefault(true);
    bcCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    bcCancelar->setObjectName(QStringLiteral("bcCancelar"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bcAceptar);
    buttons->addWidget(bcCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(framAcceso);
    layout->addLayout(buttons);

    setTabOrder(TxtUserId, TxtUserPassword);
    setTabOrder(TxtUserPassword, TxtDbName);
    setTabOrder(TxtDbName, TxtServidor);
    setTabOrder(TxtServidor, CboPlataformaDB);
    setTabOrder(CboPlataformaDB, bcAceptar);
    setTabOrder(bcAceptar, bcCancelar);

    connect(bcAceptar, &QPushButton::clicked, this, &frmAcceso::bcAceptar_Click);
    connect(bcCancelar, &QPushButton::clicked, this, &frmAcceso::bcCancelar_Click);
}

void frmAcceso::bcAceptar_Click()
{
    Aceptar = true;
    accept();
}

void frmAcceso::bcCancelar_Click()
{
    Aceptar = false;
    QDialog::reject();
}

void frmAcceso::reject()
{
    bcCancelar_Click();
}

void frmAcceso::Form_Load()
{
    adjustSize();
    if (const QScreen* s = screen()) {
        const QRect area = s->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
}

void frmAcceso::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}
