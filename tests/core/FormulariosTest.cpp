#include "tests/support/HostDePrueba.h"

#include "core/Formularios.h"
#include "core/Globals.h"

#include "platform/Toolbar.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Formulario {
    QDialog dialogo;
    explicit Formulario(const QString& nombre, const QStringList& controles = {})
    {
        dialogo.setObjectName(nombre);
        for (const QString& c : controles) {
            QWidget* control = c == u"VrUtil1" ? static_cast<QWidget*>(new VrUtil(&dialogo)) : new QPushButton(&dialogo);
            control->setObjectName(c);
        }
    }
    QVariant estilo(const QString& control) const
    {
        const QObject* o = dialogo.findChild<QObject*>(control);
        return o ? o->property("StyleBar") : QVariant();
    }
};

}  // namespace

TEST(FormulariosTest, SetsTheToolbarLookOnTheControlsItHas)
{
    HostDePrueba h;
    FlatToolbars = 0;
    Formulario f(QStringLiteral("frmDRAVELO_ASIGNAR_UBICACION"), {"VrUtil1", "Util0011", "Otro"});
    InicializaFormulario(&f.dialogo);
    EXPECT_EQ(f.dialogo.findChild<VrUtil*>("VrUtil1")->StyleBar(), 0);
    EXPECT_EQ(f.estilo("Util0011"), QVariant(0));
    EXPECT_FALSE(f.estilo("Otro").isValid());
    EXPECT_FALSE(f.dialogo.isVisible());
    FlatToolbars = 1;

    Formulario vacio(QStringLiteral("frmPosicionEntradas"));
    InicializaFormulario(&vacio.dialogo);
    InicializaFormulario(nullptr);
}

TEST(FormulariosTest, AMainWindowGetsItsIconAndNothingElse)
{
    HostDePrueba h;
    FlatToolbars = 0;
    Formulario mdi(QStringLiteral("frmMDI"), {"VrUtil1", "TBarRep1"});
    InicializaFormulario(&mdi.dialogo);
    EXPECT_NE(mdi.dialogo.findChild<VrUtil*>("VrUtil1")->StyleBar(), 0);
    EXPECT_FALSE(mdi.estilo("TBarRep1").isValid());
    FlatToolbars = 1;
}

TEST(FormulariosTest, KeepsTheDesignedIconWhenTheResourceIsMissing)
{
    HostDePrueba h;
    Formulario f(QStringLiteral("frmPosicionEntradas"));
    QPixmap pm(16, 16);
    pm.fill(Qt::red);
    f.dialogo.setWindowIcon(QIcon(pm));
    const qint64 antes = f.dialogo.windowIcon().cacheKey();
    InicializaFormulario(&f.dialogo);
    EXPECT_EQ(f.dialogo.windowIcon().cacheKey(), antes);
}

TEST(FormulariosTest, AFormWithoutAnyIconTakesTheIconFileOfTheCurrentFolder)
{
    HostDePrueba h;
    const QString antes = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(h.folder));
    QPixmap pm(16, 16);
    pm.fill(Qt::blue);
    ASSERT_TRUE(pm.save(h.ruta("vantrel.ico"), "PNG"));
    Formulario f(QStringLiteral("frmPosicionEntradas"));
    InicializaFormulario(&f.dialogo);
    QDir::setCurrent(antes);
    EXPECT_TRUE(f.dialogo.testAttribute(Qt::WA_SetWindowIcon));
    EXPECT_FALSE(f.dialogo.windowIcon().isNull());
}
