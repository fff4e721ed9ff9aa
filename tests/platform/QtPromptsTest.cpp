// The Qt prompts open over the window that asked: message boxes, input boxes,
// the error dialog and forms made without a parent.
#include "platform/Prompts.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/VentanasReales.h"

#include <QDialog>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

TEST(QtPromptsTest, BoxesAndFormsOpenAsDialogsOfTheWindowThatAsked)
{
    QWidget ventana;
    ventana.setWindowTitle(QStringLiteral("Asignacion de Posiciones"));
    ventana.resize(700, 500);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));

    QtPrompts qt;
    QDialog sinPadre;
    sinPadre.setObjectName(QStringLiteral("Lib_FrmCons3"));
    const struct {
        const char* nombre;
        std::function<void()> abre;
    } casos[] = {
        {"message box", [&] { qt.messageBox(QStringLiteral("Aviso"), prompt::OkOnly, {}); }},
        {"input box", [&] { qt.inputBox(QStringLiteral("Cantidad"), QStringLiteral("Carga de Datos"), {}); }},
        {"error dialog", [&] { qt.errorDialog(RuntimeError(5, QStringLiteral("Falla")), QStringLiteral("Origen")); }},
        {"form without a parent", [&] { qt.showModal(sinPadre); }},
    };
    for (const auto& c : casos) {
        AlAbrirseUnModal operador([&](QDialog& d) {
            EXPECT_EQ(d.parentWidget(), &ventana) << c.nombre;
            ASSERT_NE(d.windowHandle(), nullptr) << c.nombre;
            EXPECT_EQ(d.windowHandle()->transientParent(), ventana.windowHandle()) << c.nombre;
            EXPECT_EQ(d.windowType(), Qt::Dialog) << c.nombre;
            EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) << c.nombre;
            const QPoint centro = ventana.frameGeometry().center() - d.frameGeometry().center();
            EXPECT_LE(centro.manhattanLength(), 2) << c.nombre;
        });
        c.abre();
        EXPECT_EQ(operador.abiertos(), 1) << c.nombre;
    }
    // The form is its owner's again.
    EXPECT_EQ(sinPadre.parentWidget(), nullptr);
    EXPECT_EQ(sinPadre.windowType(), Qt::Dialog);
}
