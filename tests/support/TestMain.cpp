// Entry point of every test program: a headless Qt application and a strict
// prompt script installed before any test runs, so that a message box or a
// modal form nobody expected fails the test instead of waiting for a click.
#include "ScriptedPrompts.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("AsignacionPosiciones"));
    testing::InitGoogleTest(&argc, argv);
    ScriptedPrompts strict;
    setPrompts(&strict);
    const int rc = RUN_ALL_TESTS();
    setPrompts(nullptr);
    return rc;
}
