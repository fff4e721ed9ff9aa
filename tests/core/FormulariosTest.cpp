#include "HostDePrueba.h"

#include "core/Formularios.h"
#include "core/Globals.h"

#include <QDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct Formulario {
    QDialog dialogo;
    explicit Formulario(const QString& nombre, const QStringList& controles = {})
    {
        dialogo.setObjectName(nombre);
        for (const QString& c : controles)
            (new QPushButton(&dialogo))->setObjectName(c);
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
    EXPECT_EQ(f.estilo("VrUtil1"), QVariant(0));
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
    Formulario mdi(QStringLiteral("frmMDI"), {"VrUtil1"});
    InicializaFormulario(&mdi.dialogo);
    EXPECT_FALSE(mdi.estilo("VrUtil1").isValid());
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
