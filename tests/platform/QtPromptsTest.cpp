// The Qt prompts open over the window that asked: message boxes, input boxes,
// the error dialog and forms made without a parent.
#include "platform/Prompts.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/VentanasReales.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
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

// Under a window manager the title bar shows the box's title followed by the
// program's name, in a bold font, beside the frame's buttons: a box with a
// short text must still be wide enough for it, or the manager cuts the title
// ("Aviso al op… Posiciones").
TEST(QtPromptsTest, ABoxWithAShortTextIsWideEnoughForItsTitle)
{
    const QString nombreAnterior = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName(QStringLiteral("Asignacion de Posiciones"));
    struct Restaura {
        QString nombre;
        ~Restaura() { QApplication::setApplicationDisplayName(nombre); }
    } restaura{nombreAnterior};

    QWidget ventana;
    ventana.setGeometry(50, 50, 700, 500);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));

    QtPrompts qt;
    const struct {
        const char* nombre;
        const char* tituloMostrado;  // as the title bar shows it
        std::function<void()> abre;
    } casos[] = {
        {"validation message", "Aviso al operador... \u2014 Asignacion de Posiciones",
         [&] { qt.messageBox(QStringLiteral("Ok"), prompt::OkOnly | prompt::Critical, QStringLiteral("Aviso al operador...")); }},
        {"connection question", " Error de Conexion a Base de Datos \u2014 Asignacion de Posiciones",
         [&] { qt.messageBox(QStringLiteral("¿Reintentar?"), prompt::YesNo, QStringLiteral(" Error de Conexion a Base de Datos")); }},
        {"a box titled with the program's name", "Asignacion de Posiciones",
         [&] { qt.messageBox(QStringLiteral("Ok"), prompt::OkOnly, {}); }},
        {"input box", "Carga de Datos del Deposito \u2014 Asignacion de Posiciones",
         [&] { qt.inputBox(QStringLiteral("Valor"), QStringLiteral("Carga de Datos del Deposito"), {}); }},
    };
    // The least a title bar takes: the title in the bold title-bar font and
    // three buttons as wide as that font is tall.
    QFont barra = QApplication::font("QMdiSubWindowTitleBar");
    barra.setBold(true);
    const QFontMetrics medida(barra);
    for (const auto& c : casos) {
        const QString mostrado = QString::fromUtf8(c.tituloMostrado);
        const int necesario = medida.horizontalAdvance(mostrado) + 3 * medida.height();
        AlAbrirseUnModal operador([&](QDialog& d) {
            EXPECT_GE(d.frameGeometry().width(), necesario) << c.nombre;
            EXPECT_LE(d.frameGeometry().width(), d.screen()->availableGeometry().width()) << c.nombre;
            const QPoint centro = ventana.frameGeometry().center() - d.frameGeometry().center();
            EXPECT_LE(centro.manhattanLength(), 2) << c.nombre << ": still centred over its window";
        });
        c.abre();
        EXPECT_EQ(operador.abiertos(), 1) << c.nombre;
    }
}
