#include "platform/kumozen/KumozenProgreso.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

TEST(KumozenProgresoTest, ShowsUpdatesAndClosesWithoutBlockingOrTakingTheFocus)
{
    QWidget form;
    auto* field = new QLineEdit(&form);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    field->setFocus();

    ASSERT_EQ(QApplication::focusWidget(), field);
    KumozenProgreso p;
    p.AbreProgreso("Proponiendo Auotmaticamente las Posiciones", 0);
    ASSERT_TRUE(p.isOpen());
    ASSERT_NE(p.window(), nullptr);
    EXPECT_TRUE(p.window()->isVisible());
    EXPECT_FALSE(p.window()->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(p.caption(), "Proponiendo Auotmaticamente las Posiciones");
    EXPECT_EQ(p.window()->windowTitle(), p.caption());

    p.ActualizaProgreso(0, "ART1-Tornillo", "Cantidad: 12", "Proponiendo...");
    EXPECT_EQ(p.caption(), "Proponiendo...");
    EXPECT_EQ(p.text(), "ART1-Tornillo");
    EXPECT_EQ(p.extraText(), "Cantidad: 12");
    p.ActualizaProgreso(150, "Proponiendo Posiciones....");
    EXPECT_EQ(p.caption(), "Proponiendo...");
    EXPECT_EQ(p.extraText(), "");
    EXPECT_EQ(p.value(), 100);
    // The headless platform activates every window it shows; a desktop
    // honours the window's refusal of the focus.
    EXPECT_EQ(form.focusWidget(), field);
    if (QGuiApplication::platformName() != "offscreen") {
        EXPECT_EQ(QApplication::focusWidget(), field);
    }

    QWidget* window = p.window();
    p.CierraProgreso();
    EXPECT_FALSE(p.isOpen());
    EXPECT_EQ(p.window(), nullptr);
    EXPECT_FALSE(QApplication::topLevelWidgets().contains(window));

    // Closing again, and updating a closed window, do nothing.
    p.CierraProgreso();
    p.ActualizaProgreso(10, "x");
    EXPECT_FALSE(p.isOpen());
    EXPECT_EQ(p.window(), nullptr);

    // Opening reuses one window and starts from a clean text.
    p.AbreProgreso("Mostrando Posiciones");
    p.ActualizaProgreso(0, "algo");
    p.AbreProgreso("Mostrando Posiciones", 30);
    EXPECT_EQ(p.text(), "");
    EXPECT_EQ(p.value(), 30);
}
