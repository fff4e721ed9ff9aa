// "Asignacion de Posiciones": the start-up form is the program. Its load
// connects (asking for the connection when the command line names no
// server, and ending the program when none results); closing it ends the
// program.
#include "app/SalidaAlMostrar.h"
#include "lookup/EnlaceObjConsultas.h"
#include "platform/StandardIcons.h"
#include "platform/Translations.h"
#include "positions/frmDRAVELO_ASIGNAR_UBICACION.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("AsignacionPosiciones"));
    QApplication::setApplicationDisplayName(QStringLiteral("Asignacion de Posiciones"));
    installQtSpanish();
    icons::shareTheStylesIcons();

    RegistraObjConsultas();
    frmDRAVELO_ASIGNAR_UBICACION form;
    form.Form_Load();
    form.show();
    salida_al_mostrar::instala(&form);
    return app.exec();
}
