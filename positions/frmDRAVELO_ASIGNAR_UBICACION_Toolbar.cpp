// The toolbar's commands: a new voucher, save, lookup, the transfer report,
// close and cancel. Lines are saved one by one as they are placed, so "save"
// only takes the operator back to the voucher's letter.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

#include "ReporteAsignacionUbicacion.h"

#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Toolbar.h"

#include <vector>

void frmDRAVELO_ASIGNAR_UBICACION::VrUtil1_click(const QString& Key)
{
    const QString tecla = Key.toUpper();
    const auto focoEnLetra = [this] { TxtFields.at(0)->SetFocus(); };
    std::vector<ErrorTrap::Step> pasos;
    if (tecla == QLatin1String("NUEVO")) {
        pasos = {[this] { Inicializa(); }};
    } else if (tecla == QLatin1String("BORRAR")) {
        // Stays off: the only delete it knows reaches a table of another
        // program, by a field this form does not have.
    } else if (tecla == QLatin1String("GRABAR")) {
        pasos = {focoEnLetra};
    } else if (tecla == QLatin1String("CONSULTAR")) {
        pasos = {[this] { CmdConsultar(); }};
    } else if (tecla == QLatin1String("REPORTE")) {
        pasos = {
            [this] { NombreReporte = NombreReporteAsignacionUbicacion; },
            [this] {
                FormulasReporte formulas = FormulasReporteAsignacionUbicacion();
                const QString seleccion = FormulaSeleccionAsignacionUbicacion(
                    texto(QStringLiteral("SUCURSAL")), texto(QStringLiteral("NUMERO")), texto(QStringLiteral("LETRA")));
                KumozenReportes& reportes = ObjReportes();
                std::vector<QString> formulasVacias;
                reportes.PreparaFormulas(formulasVacias, 5);
                std::vector<QString> parametros(2);
                QString sinFormula;
                // The rows are read on the program's open connection; the
                // connection text would only carry the password along.
                reportes.ImprimeReporte(NombreReporte, parametros, seleccion, QString(), formulas.NombreEmpresa,
                                        formulas.Direccion, formulas.Localidad, sinFormula);
            },
        };
    } else if (tecla == QLatin1String("CERRAR")) {
        pasos = {[this] { Form_Unload(); }};
    } else if (tecla == QLatin1String("CANCELAR")) {
        pasos = {
            [] {
                if (prompts().messageBox(QStringLiteral("¿Realmente desea abandonar la carga de datos?"),
                                         prompt::YesNo | prompt::Question | prompt::DefaultButton2,
                                         QStringLiteral("Aviso al Operador"))
                    != prompt::Yes)
                    ErrorTrap::leave();
            },
            [this] { Inicializa(); },
            [this] { AbrirRecordset(TablaActiva); },
            focoEnLetra,
            [this] { VrUtil1->setHabilitado1(false); },
        };
    }
    ErrorTrap::showingExceptInvalidCalls(QStringLiteral("VrUtil1_click")).run(pasos);
}

// The delete command has nothing of this form's own to remove, so its batch
// is always empty: the operator is told so and nothing reaches the database.
void frmDRAVELO_ASIGNAR_UBICACION::ActualizarDatos()
{
    prompts().messageBox(QStringLiteral("No se detectaron movimientos.\r\nImposible generar La Preparacion."),
                         prompt::OkOnly | prompt::Information, QStringLiteral("Aviso al Usuario"));
}
