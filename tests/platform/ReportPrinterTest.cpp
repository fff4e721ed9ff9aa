#include "db/EmbeddedDatabase.h"
#include "platform/RuntimeError.h"
#include "platform/db/Connection.h"
#include "platform/kumozen/KumozenReportes.h"
#include "platform/report/FormulaLanguage.h"
#include "platform/report/ReportCatalog.h"
#include "platform/report/ReportData.h"
#include "platform/report/ReportRenderer.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "tests/support/ErrorNumber.h"

namespace {

// A small stock list of its own, apart from the program's tables.
struct ListFixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("t.db"));
    db::Connection cn;

    explicit ListFixture(int rows)
    {
        EmbeddedDatabase::create(path, false);
        QString sql = QStringLiteral(
            "CREATE TABLE Movimientos (ID integer PRIMARY KEY, Codigo varchar(10) COLLATE NOCASE, "
            "Grupo varchar(4) COLLATE NOCASE, Cantidad decimal(18,4));\n");
        for (int i = 0; i < rows; ++i)
            sql += QStringLiteral("INSERT INTO Movimientos (Codigo, Grupo, Cantidad) VALUES ('COD%1', '%2', %3);\n")
                       .arg(i, 3, 10, QChar(u'0'))
                       .arg(i % 2 ? QStringLiteral("B") : QStringLiteral("A"))
                       .arg(i % 4 == 0 ? QStringLiteral("0.5") : QStringLiteral("1"));
        EmbeddedDatabase::execute(path, sql);
        cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(path));
    }
};

report::Definition listDefinition()
{
    report::Definition d;
    d.name = QStringLiteral("RP_Listado");
    d.source = QStringLiteral("SELECT Movimientos.Codigo, Movimientos.Cantidad FROM Movimientos");
    d.orderBy = QStringLiteral("Movimientos.Codigo");
    d.columns = {{QStringLiteral("Codigo"), QStringLiteral("Codigo"), false, 3},
                 {QStringLiteral("Cantidad"), QStringLiteral("Cantidad"), true, 1}};
    d.totalField = QStringLiteral("Cantidad");
    d.totalCaption = QStringLiteral("Total");
    d.heading = [](const report::Formulas& f, const report::Rows&) {
        return report::Heading{{f.value(QStringLiteral("Empresa"))}, QStringLiteral("Listado de prueba"), {}, {}};
    };
    return d;
}

// Registers a definition and a connection for one test.
struct Registered {
    QString name;
    Registered(report::Definition d, db::Connection* cn) : name(d.name)
    {
        report::catalog().add(std::move(d));
        report::catalog().setConnection([cn] { return cn; });
    }
    ~Registered()
    {
        report::catalog().remove(name);
        report::catalog().setConnection({});
    }
};

}  // namespace

TEST(SelectionFormulaTest, TranslatesWhatItUnderstands)
{
    const struct {
        const char* formula;
        const char* where;
    } cases[] = {
        {"{V_MV_Stock_DRAVELO.TC} ='TRP' and {V_MV_Stock_DRAVELO.sucursal} ='0001' and "
         "{V_MV_Stock_DRAVELO.numero} ='00000007' and {V_MV_Stock_DRAVELO.letra} ='X' and  "
         "not isnull({V_MV_Stock_DRAVELO.idposicion}) ",
         "V_MV_Stock_DRAVELO.TC = 'TRP' AND V_MV_Stock_DRAVELO.sucursal = '0001' AND "
         "V_MV_Stock_DRAVELO.numero = '00000007' AND V_MV_Stock_DRAVELO.letra = 'X' AND "
         "NOT (V_MV_Stock_DRAVELO.idposicion IS NULL)"},
        {"{T.c} = 'O''Brien'", "T.c = 'O''Brien'"},
        {"{T.c} = ''", "T.c = ''"},
        {"{T.c} = 'a or 1=1; --'", "T.c = 'a or 1=1; --'"},
        {"({T.a} = 1 OR {T.b} <> 2.5) And {T.c} >= 'x' and {T.d}<='y' and {T.e}<3 and {T.f}>{T.g}",
         "(T.a = 1 OR T.b <> 2.5) AND T.c >= 'x' AND T.d <= 'y' AND T.e < 3 AND T.f > T.g"},
        {"not not isnull({T.c})", "NOT (NOT (T.c IS NULL))"},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.formula);
        EXPECT_EQ(report::selectionToWhere(QString::fromUtf8(c.formula)), QString::fromUtf8(c.where));
    }
}

TEST(SelectionFormulaTest, RefusesAnythingItDoesNotUnderstand)
{
    const char* refused[] = {
        "{T.c} = 'x'; DROP TABLE T",      // a second statement
        "{T.c} = 'x' -- y",               // a comment
        "{T.c} = 'O'Brien'",              // an apostrophe that ends the text
        "{T.c} = 'sin cerrar",
        "{T.c d} = 'x'",                  // not a column name
        "{T.c} = \"x\"",
        "{T.c} = [x]",
        "upper({T.c}) = 'X'",             // a function it does not know
        "{T.c} like 'x%'",
        "{T.c} = 1e5",
        "{T.c} = \u0661",                // a digit of another script
        "{T.c} = ",
        "{T.c}",
        "isnull({T.c}",
        "isnull('x')",
        "({T.c} = 1",
        "{T.c} = 1)",
        "{T.c} = 1 {T.d} = 2",
    };
    for (const char* formula : refused) {
        SCOPED_TRACE(formula);
        try {
            const QString where = report::selectionToWhere(QString::fromUtf8(formula));
            ADD_FAILURE() << "translated to " << where.toStdString();
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), report::errnum::SelectionNotUnderstood);
            EXPECT_TRUE(e.description().startsWith("La formula de seleccion del reporte no se puede interpretar"))
                << e.description().toStdString();
        }
    }
    EXPECT_EQ(errorNumberOf([] { report::selectionToWhere(QString("not ").repeated(500) + "{T.c} = 1"); }),
              report::errnum::SelectionNotUnderstood);
}

TEST(ReportFormulasTest, ReadsNameEqualsQuotedText)
{
    const report::Formulas f = report::parseFormulas({
        "NombreEmpresa = 'ACME S.A.'",
        "Direccion = 'San Martin 450  '",
        "Localidad='O''Higgins'",
        "Razon = 'D'Alessandro Hnos'",  // an apostrophe nobody doubled
        "",
        "   ",
    });
    EXPECT_EQ(f.value("nombreempresa"), "ACME S.A.");
    EXPECT_EQ(f.value("Direccion"), "San Martin 450  ");
    EXPECT_EQ(f.value("Localidad"), "O'Higgins");
    EXPECT_EQ(f.value("Razon"), "D'Alessandro Hnos");
    EXPECT_FALSE(f.has("Otra"));

    for (const char* bad : {"NombreEmpresa 'x'", "NombreEmpresa = x", "= 'x'", "Nombre Empresa = 'x'", "N = '"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(errorNumberOf([&] { report::parseFormulas({QString::fromUtf8(bad)}); }),
                  report::errnum::FormulaNotUnderstood);
    }
}

TEST(KumozenReportesTest, UnknownReportIsRefusedWithAMessageAndPrintsNothing)
{
    ListFixture db(3);
    Registered r(listDefinition(), &db.cn);
    ScopedPrompts p;
    KumozenReportes printer;
    std::vector<QString> parametros(2);
    QString f1, f2, f3, f4;
    try {
        printer.ImprimeReporte("RP_NoExiste", parametros, {}, {}, f1, f2, f3, f4);
        ADD_FAILURE() << "an unknown report printed";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), report::errnum::UnknownReport);
        EXPECT_EQ(e.description(), "El programa no tiene el reporte \"RP_NoExiste\".");
    }
    EXPECT_TRUE(p.shown().empty());
}

TEST(KumozenReportesTest, ReadsTheSelectedRowsOnTheProgramsConnectionNeverOnTheConnectionText)
{
    ListFixture db(6);
    Registered r(listDefinition(), &db.cn);
    QTemporaryDir out;
    const QString pdf = out.filePath("preview.pdf");
    ScopedPrompts p;
    p.onModal("ReportPreview", [&](QDialog& d) {
        // What the operator does to keep the report: print the preview to a PDF.
        auto& preview = static_cast<QPrintPreviewDialog&>(d);
        preview.printer()->setOutputFormat(QPrinter::PdfFormat);
        preview.printer()->setOutputFileName(pdf);
        auto* widget = preview.findChild<QPrintPreviewWidget*>();
        widget->updatePreview();
        EXPECT_EQ(widget->pageCount(), 1);
        widget->print();
        return int(QDialog::Accepted);
    });

    KumozenReportes printer;
    std::vector<QString> formulas;
    printer.PreparaFormulas(formulas, 5);
    std::vector<QString> parametros(2);
    QString f1 = "Empresa = 'ACME'", f2, f3, f4;
    printer.ImprimeReporte("rp_listado", parametros, "{Movimientos.Grupo} = 'B'",
                           "DSN=NoHay; UID=otro; PWD=secreto", f1, f2, f3, f4);

    ASSERT_EQ(p.shown().size(), 1u);
    EXPECT_EQ(p.shown()[0].title, "Listado de prueba");
    const QString text = pdfText(pdf);
    for (const char* code : {"COD001", "COD003", "COD005", "ACME", "Total"})
        EXPECT_TRUE(text.contains(code)) << code << " missing from:\n" << text.toStdString();
    for (const char* absent : {"COD000", "COD002", "COD004", "secreto", "NoHay"})
        EXPECT_FALSE(text.contains(absent)) << absent;
}

TEST(KumozenReportesTest, ReportWithoutRowsOrWithoutConnectionShowsNoPreview)
{
    ListFixture db(2);
    KumozenReportes printer;
    std::vector<QString> parametros(2);
    QString f1, f2, f3, f4;
    {
        Registered r(listDefinition(), &db.cn);
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, "No hay datos para mostrar en el reporte.");
        printer.ImprimeReporte("RP_Listado", parametros, "{Movimientos.Grupo} = 'Z'", {}, f1, f2, f3, f4);
    }
    for (db::Connection* cn : {static_cast<db::Connection*>(nullptr), &db.cn}) {
        if (cn)
            cn->Close();
        Registered r(listDefinition(), cn);
        ScopedPrompts p;
        EXPECT_EQ(errorNumberOf([&] { printer.ImprimeReporte("RP_Listado", parametros, {}, {}, f1, f2, f3, f4); }),
                  report::errnum::NoConnection);
    }
}

TEST(ReportRendererTest, LongListRepeatsTheHeadingOnEveryPageAndEndsWithTheTotal)
{
    ListFixture db(150);
    const report::Document doc =
        report::load(listDefinition(), {}, {"Empresa = 'ACME'"}, db.cn);
    ASSERT_EQ(doc.lines.size(), 150u);
    EXPECT_EQ(doc.totals, std::vector<report::Total>({{"", "131"}}));

    QTemporaryDir out;
    const QString pdf = out.filePath("largo.pdf");
    report::writePdf(doc, pdf);
    const QStringList pages = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    int lines = 0;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(pages[i].contains("Listado de prueba"));
        EXPECT_TRUE(pages[i].contains("Codigo"));
        EXPECT_TRUE(pages[i].contains(QString("Pagina %1 de %2").arg(i + 1).arg(pages.size())));
        EXPECT_EQ(pages[i].contains("Total"), i + 1 == pages.size());
        lines += int(pages[i].count("COD"));
    }
    EXPECT_EQ(lines, 150);
    EXPECT_TRUE(pages.last().contains("131"));

    EXPECT_EQ(errorNumberOf([&] { report::writePdf(doc, out.filePath("no/existe/x.pdf")); }),
              report::errnum::NotWritten);
}

// Amounts split by a column that is not printed: one total line per value,
// the value beside the caption; values that differ only in case or blanks
// are one group.
TEST(ReportRendererTest, ATotalSplitByAColumnGivesOneLinePerValueOnTheLastPage)
{
    ListFixture db(150);
    EmbeddedDatabase::execute(db.path, "INSERT INTO Movimientos (Codigo, Grupo, Cantidad) VALUES "
                                       "('X1', 'a ', 2), ('X2', ' b', 3), ('X3', NULL, 4);");
    report::Definition d = listDefinition();
    d.source = QStringLiteral("SELECT Movimientos.Codigo, Movimientos.Grupo, Movimientos.Cantidad FROM Movimientos");
    d.totalByField = QStringLiteral("Grupo");
    const report::Document doc = report::load(d, {}, {"Empresa = 'ACME'"}, db.cn);
    EXPECT_EQ(doc.totals, std::vector<report::Total>({{"", "4"}, {"A", "58"}, {"B", "78"}}));

    QTemporaryDir out;
    const QString pdf = out.filePath("grupos.pdf");
    report::writePdf(doc, pdf);
    const QStringList pages = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    QStringList totals;
    for (qsizetype i = 0; i < pages.size(); ++i)
        for (const QString& line : pages[i].split(u'\n'))
            if (line.contains("Total"))
                totals << QString("%1: %2").arg(i + 1).arg(line.simplified());
    const QString last = QString::number(pages.size());
    EXPECT_EQ(totals, QStringList({last + ": Total 4", last + ": Total A 58", last + ": Total B 78"}));
}
