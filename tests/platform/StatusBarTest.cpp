#include "platform/StatusBar.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(StatusBar, PanelsAreNumberedFromOneAndFoundByKeyWithoutCase)
{
    StatusBar barra;
    barra.Panels().Add(QStringLiteral("Estado"), QStringLiteral("Listo"));
    barra.Panels().Add();
    barra.Panels().Add(QStringLiteral("Stock"));
    barra.Panels().Add(QStringLiteral("STOCK"), QStringLiteral("segundo"));
    ASSERT_EQ(barra.Panels().Count(), 4);

    barra.Panels()(3).setText(QStringLiteral("Stock: 12"));
    EXPECT_EQ(barra.Panels().Item(3).Text(), QStringLiteral("Stock: 12"));
    EXPECT_EQ(barra.Panels()(3).label()->text(), QStringLiteral("Stock: 12")) << "the text is on show";
    EXPECT_EQ(barra.Panels()(1).Text(), QStringLiteral("Listo"));
    EXPECT_EQ(barra.Panels()(2).Key(), QString());

    EXPECT_EQ(barra.Panels().find(QStringLiteral("stock")), &barra.Panels()(3)) << "the first of two alike";
    EXPECT_EQ(barra.Panels().find(QStringLiteral("Usuario")), nullptr);

    for (int fuera : {0, 5, -1}) {
        try {
            barra.Panels()(fuera);
            ADD_FAILURE() << "panel " << fuera;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), errnum::SubscriptOutOfRange) << fuera;
        }
    }
}
