#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/report/ReportCatalog.h"
#include "platform/report/ReportData.h"
#include "platform/report/ReportRenderer.h"
#include "positions/ReporteAsignacionUbicacion.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Voucher 0001-00000007-X: two articles placed in three positions, each line
// with its negative row without position; voucher 0001-00000008-X beside it.
const char* const kMovimientos = R"(
CREATE TABLE IF NOT EXISTS V_MV_STOCK_DRAVELO (
    ID integer PRIMARY KEY, FECHA datetime, TC varchar(4) COLLATE NOCASE, SUCURSAL varchar(4) COLLATE NOCASE,
    NUMERO varchar(8) COLLATE NOCASE, LETRA varchar(1) COLLATE NOCASE, IDARTICULO varchar(25) COLLATE NOCASE,
    IDUNIDADBASE varchar(4) COLLATE NOCASE, CANTIDAD decimal(18,4), NROLOTE varchar(25) COLLATE NOCASE,
    IDDEPOSITO varchar(4) COLLATE NOCASE, IDPOSICION varchar(25) COLLATE NOCASE, USUARIO varchar(50) COLLATE NOCASE,
    ANULADO bit);
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION) VALUES
    ('                   ART001', 'TORNILLO 3/8'), ('                   ART002', 'TUERCA 3/8');
INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                IDDEPOSITO, IDPOSICION, USUARIO, ANULADO) VALUES
    ('2024-12-10T09:00:00', 'TRP', '0001', '00000007', 'X', '                   ART001', '  UN', -15, 'L7', '   1', NULL, 'ana', 0),
    ('2024-12-10T09:00:00', 'TRP', '0001', '00000007', 'X', '                   ART001', '  UN', 10, 'L7', '   1', 'B2', 'ana', 0),
    ('2024-12-10T09:00:00', 'TRP', '0001', '00000007', 'X', '                   ART001', '  UN', 5, 'L7', '   1', 'A1', 'ana', 0),
    ('2024-12-11T10:30:00', 'TRP', '0001', '00000007', 'X', '                   ART002', '  CJ', -2.5, NULL, '   1', NULL, 'ana', 0),
    ('2024-12-11T10:30:00', 'TRP', '0001', '00000007', 'X', '                   ART002', '  CJ', 2.5, NULL, '   1', 'A10', 'ana', 0),
    ('2024-12-12T08:00:00', 'TRP', '0001', '00000008', 'X', '                   ART001', '  UN', -3, NULL, '   1', NULL, 'ana', 0),
    ('2024-12-12T08:00:00', 'TRP', '0001', '00000008', 'X', '                   ART001', '  UN', 3, NULL, '   1', 'A2', 'ana', 0);
)";

const char* const kEmpresa = R"(
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
    ('NOMBRE', 'ACME S.A.'), ('CALLE', 'San Martin'), ('NUMERO', '450'), ('PISO', '3B'), ('LOCALIDAD', 'Rosario');
)";

report::Document reporte(const QString& letra = "X")
{
    const FormulasReporte f = FormulasReporteAsignacionUbicacion();
    return report::load(ReporteAsignacionUbicacion(), FormulaSeleccionAsignacionUbicacion("0001", "00000007", letra),
                        {f.NombreEmpresa, f.Direccion, f.Localidad}, ObjDB().gCnn());
}

}  // namespace

TEST(ReporteAsignacionUbicacionTest, ListsOnlyThePositionedRowsOfTheVoucherByPositionWithATotalPerUnit)
{
    TestDatabase db(QString(kMovimientos) + kEmpresa);
    const report::Document doc = reporte();

    const std::vector<QStringList> expected = {
        {"A1", "ART001", "TORNILLO 3/8", "L7", "UN", "5"},
        {"A10", "ART002", "TUERCA 3/8", "", "CJ", "2.5"},
        {"B2", "ART001", "TORNILLO 3/8", "L7", "UN", "10"},
    };
    EXPECT_EQ(doc.lines, expected);
    EXPECT_EQ(doc.totalCaption, QString("Total"));
    // Boxes and units are never added together.
    const std::vector<report::Total> totales = {{"CJ", "2.5"}, {"UN", "15"}};
    EXPECT_EQ(doc.totals, totales);
    EXPECT_EQ(doc.heading.company, QStringList({"ACME S.A.", "San Martin 450 3B", "Rosario"}));
    EXPECT_EQ(doc.heading.title, QString("Asignacion de Posiciones"));
    EXPECT_EQ(doc.heading.details,
              QStringList({"Comprobante: TRP 0001-00000007-X", "Fecha: 10/12/2024", "Deposito: 1"}));
}

TEST(ReporteAsignacionUbicacionTest, FormulasKeepTheBlankOfAMissingKeyAndTheCompanysApostrophe)
{
    TestDatabase db(QString(kMovimientos) + kEmpresa);
    db.execute("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PISO';"
               "UPDATE TA_CONFIGURACION SET VALOR = 'O''Higgins S.A.' WHERE CLAVE = 'NOMBRE';");

    const FormulasReporte f = FormulasReporteAsignacionUbicacion();
    EXPECT_EQ(f.NombreEmpresa, QString("NombreEmpresa = 'O''Higgins S.A.'"));
    EXPECT_EQ(f.Direccion, QString("Direccion = 'San Martin 450  '"));
    EXPECT_EQ(f.Localidad, QString("Localidad = 'Rosario'"));
    EXPECT_EQ(reporte().heading.company, QStringList({"O'Higgins S.A.", "San Martin 450  ", "Rosario"}));
}

TEST(ReporteAsignacionUbicacionTest, SelectionFormulaOfTheVoucherKeepsTheOperatorsTextInsideItsLiteral)
{
    EXPECT_EQ(FormulaSeleccionAsignacionUbicacion("0001", "00000007", "X"),
              QString("{V_MV_Stock_DRAVELO.TC} ='TRP' and {V_MV_Stock_DRAVELO.sucursal} ='0001' and "
                      "{V_MV_Stock_DRAVELO.numero} ='00000007' and {V_MV_Stock_DRAVELO.letra} ='X' and  "
                      "not isnull({V_MV_Stock_DRAVELO.idposicion}) "));

    TestDatabase db(QString(kMovimientos) + kEmpresa);
    EXPECT_TRUE(reporte("X' or 'a'='a").lines.empty());
    EXPECT_EQ(reporte("x").lines.size(), 3u);
}

TEST(ReporteAsignacionUbicacionTest, PrintsAPageWithTheVoucherItsPositionsAndATotalPerUnit)
{
    TestDatabase db(QString(kMovimientos) + kEmpresa);
    QTemporaryDir out;
    const QString pdf = out.filePath("RP_AsignacionUbicacion.pdf");
    report::writePdf(reporte(), pdf);

    EXPECT_GT(inkShare(pdfPageImage(pdf, 1)), 0.002);
    const QString text = pdfText(pdf);
    for (const char* shown : {"ACME S.A.", "Asignacion de Posiciones", "TRP 0001-00000007-X", "10/12/2024",
                              "Posicion", "Cantidad", "A10", "TUERCA 3/8", "Pagina 1 de 1"})
        EXPECT_TRUE(text.contains(shown)) << shown << " missing from:\n" << text.toStdString();
    EXPECT_FALSE(text.contains("A2"));
    // One total line per unit, the unit under "Unidad" and its amount under
    // "Cantidad"; no line adds the two units.
    QStringList totales;
    for (const QString& linea : text.split(u'\n'))
        if (linea.contains("Total"))
            totales << linea.simplified();
    EXPECT_EQ(totales, QStringList({"Total CJ 2.5", "Total UN 15"})) << text.toStdString();
}

TEST(ReporteAsignacionUbicacionTest, TheReportCommandShowsTheRegisteredReportOnTheProgramsConnection)
{
    TestDatabase db(QString(kMovimientos) + kEmpresa);
    RegistraReportes();
    struct Unregister {
        ~Unregister()
        {
            report::catalog().remove(NombreReporteAsignacionUbicacion);
            report::catalog().setConnection({});
        }
    } unregister;
    ScopedPrompts p;
    p.onModal("ReportPreview", [](QDialog& d) {
        auto* widget = d.findChild<QPrintPreviewWidget*>();
        widget->updatePreview();
        EXPECT_EQ(widget->pageCount(), 1);
        return int(QDialog::Accepted);
    });

    KumozenReportes& printer = ObjReportes();
    std::vector<QString> formulas;
    printer.PreparaFormulas(formulas, 5);
    std::vector<QString> parametros(2);
    const FormulasReporte f = FormulasReporteAsignacionUbicacion();
    QString f1 = f.NombreEmpresa, f2 = f.Direccion, f3 = f.Localidad, f4;
    printer.ImprimeReporte(NombreReporteAsignacionUbicacion, parametros,
                           FormulaSeleccionAsignacionUbicacion("0001", "00000007", "X"),
                           "DSN=" + db.path() + "; UID=ana; PWD=otra", f1, f2, f3, f4);

    ASSERT_EQ(p.shown().size(), 1u);
    EXPECT_EQ(p.shown()[0].title, QString("Asignacion de Posiciones - Comprobante TRP 0001-00000007-X"));
}
