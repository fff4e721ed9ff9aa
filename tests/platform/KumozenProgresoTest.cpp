#include "platform/kumozen/KumozenProgreso.h"
#include "tests/support/QtPrinting.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

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

// The window opens centred over the form that runs the task, whole on the
// screen, with its caption: also when the task starts just after a message
// box closed and no window is active yet, and when the form stands partly
// off the screen.
TEST(KumozenProgresoTest, OpensCentredOverTheFormWholeOnTheScreen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    struct Caso {
        const char* nombre;
        QRect form;
        bool afterAMessageBox;
    } casos[] = {
        {"active form", QRect(area.topLeft() + QPoint(60, 40), area.size() / 2), false},
        {"no window active yet", QRect(area.topLeft() + QPoint(60, 40), area.size() / 2), true},
        {"form partly off the screen", QRect(area.bottomLeft() - QPoint(300, 150), area.size() / 2), false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        QWidget form;
        form.setGeometry(c.form);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        if (c.afterAMessageBox) {
            auto box = std::make_unique<QWidget>();
            box->show();
            box->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
            box.reset();
            ASSERT_EQ(QApplication::activeWindow(), nullptr);
        }

        KumozenProgreso p;
        p.AbreProgreso("Mostrando Posiciones", 0);
        const QWidget* w = p.window();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), "Mostrando Posiciones");
        EXPECT_TRUE(area.contains(w->frameGeometry())) << "partly off the screen";
        if (area.contains(c.form)) {
            const QPoint off = w->frameGeometry().center() - form.frameGeometry().center();
            EXPECT_LE(off.manhattanLength(), 2) << "not centred over the form";
        }
        p.CierraProgreso();
    }
}
