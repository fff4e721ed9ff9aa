#pragma once

#include <QString>
#include <QVariant>
#include <vector>

// The framework's report printer. The reports are the program's own
// definitions (report::catalog(), registered at start-up); their rows are read
// on the connection registered there and shown in a print preview, from
// which the operator prints or saves a PDF.
class KumozenReportes {
public:
    // The application folder. Kept for the callers; no report is read from it.
    void EstableceRuta(const QString& ruta) { m_ruta = ruta; }
    QString Ruta() const { return m_ruta; }

    // Makes `Formulas` an array of `Cantidad` empty formulas, counted from 1
    // (element 0 is there and unused).
    void PreparaFormulas(std::vector<QString>& Formulas, int Cantidad);

    // Shows the report `NombreReporte` in a print preview: the rows that
    // `FormulaSeleccion` selects, with the formulas Formula1 to Formula4
    // ("Nombre = 'texto'"; empty ones are skipped). A report without rows
    // shows a message instead. Raises a RuntimeError, with the reason in
    // Spanish, for an unknown report, a formula it cannot read, a missing
    // connection or a database failure; nothing is printed then.
    // CadenaConexion is taken for the callers' sake and never used: the rows
    // come from the program's open connection, and the password such a text
    // carries is neither kept nor shown. Parametros and the last four
    // arguments are taken for the same reason; the program's reports use none.
    void ImprimeReporte(const QString& NombreReporte, std::vector<QString>& Parametros,
                        const QString& FormulaSeleccion, const QString& CadenaConexion, QString& Formula1,
                        QString& Formula2, QString& Formula3, QString& Formula4, const QVariant& Opcional = {},
                        const QString& Texto1 = {}, const QString& Texto2 = {}, const QString& Texto3 = {});

private:
    QString m_ruta;
};
