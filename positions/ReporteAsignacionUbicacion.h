#pragma once

#include "platform/report/Report.h"

#include <QString>

// The transfer report "RP_AsignacionUbicacion": the positioned lines of one
// TRP voucher as a put-away list, with the company's name and address above.

inline const QString NombreReporteAsignacionUbicacion = QStringLiteral("RP_AsignacionUbicacion");

struct FormulasReporte {
    QString NombreEmpresa;
    QString Direccion;
    QString Localidad;
};

// The report's three formulas from the company's settings (`Cfg`: a missing
// key gives one blank, which the address keeps in its place). Values are
// quoted for the report language, so an apostrophe in a company name cannot
// cut the formula short.
FormulasReporte FormulasReporteAsignacionUbicacion();

// The selection formula of the voucher's positioned rows: branch and number
// right-justified to 4 and 8, letter as typed; values quoted for the report
// language.
QString FormulaSeleccionAsignacionUbicacion(const QString& Sucursal, const QString& Numero, const QString& Letra);

report::Definition ReporteAsignacionUbicacion();

// Start-up: hands the printer the program's reports and the program's open
// connection, on which their rows are read.
void RegistraReportes();
