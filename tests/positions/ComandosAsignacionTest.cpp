// The start-up form's toolbar commands, the transfer report through its
// command, the automatic proposal over a page, and the lookups from the
// header fields and the grid.
#include "PantallaAsignacion.h"

#include "core/Objetos.h"
#include "lookup/Lib_FrmCons3.h"
#include "platform/Prompts.h"
#include "platform/Toolbar.h"
#include "platform/report/ReportCatalog.h"
#include "positions/GrabacionTransferencia.h"
#include "positions/ReporteAsignacionUbicacion.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"

#include <QApplication>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPregunta = prompt::YesNo | prompt::Question | prompt::DefaultButton2;

int cuenta(const Pantalla& p, const QString& sql)
{
    return p.escalar(sql).toInt();
}

// The reports the form registers at load leave with the test.
struct SinReportes {
    ~SinReportes()
    {
        report::catalog().remove(NombreReporteAsignacionUbicacion);
        report::catalog().setConnection({});
    }
};

// The list lookup as the operator uses it: the row whose first column reads
// `descripcion` is picked, or, with none given, the lookup is cancelled.
// `listados` receives the rows shown, their first two columns joined by "|".
std::function<int(QDialog&)> eligeEnLista(const QString& descripcion, QStringList* listados = nullptr)
{
    return [descripcion, listados](QDialog& d) {
        auto& lista = static_cast<Lib_FrmCons3&>(d);
        for (int fila = 1; fila <= lista.ListView1->rowCount(); ++fila) {
            if (listados)
                *listados << lista.ListView1->cell(fila, 1) + u'|' + lista.ListView1->cell(fila, 2);
            if (!descripcion.isEmpty() && lista.ListView1->cell(fila, 1).trimmed() == descripcion)
                lista.ListView1->selectRow(fila);
        }
        if (descripcion.isEmpty() || lista.ListView1->selectedRow() == 0)
            lista.CmdCancelar_Click();
        else
            lista.CmdAceptar_Click();
        return lista.result();
    };
}

}  // namespace

// --- toolbar ----------------------------------------------------------------------

TEST(ComandosAsignacion, CancelNewAndUnknownKeys)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    ASSERT_TRUE(p.modoLineas());
    const QStringList cargadas = p.lineas();

    // An unknown key and "No" to abandoning leave the grid and the header.
    p.f->VrUtil1_click("IMPRIMIR");
    {
        ScopedPrompts s;
        s.answerMessage(prompt::No, "abandonar");
        p.f->VrUtil1_click("CANCELAR");
        ASSERT_EQ(s.shown().size(), 1u);
        EXPECT_EQ(s.shown()[0].text, "¿Realmente desea abandonar la carga de datos?");
        EXPECT_EQ(s.shown()[0].title, "Aviso al Operador");
        EXPECT_EQ(s.shown()[0].style, kPregunta);
    }
    EXPECT_TRUE(p.modoLineas());
    EXPECT_EQ(p.lineas(), cargadas);
    EXPECT_TRUE(p.f->VrUtil1->Habilitado1());

    // "Yes": a new voucher in header mode, the form's recordset reopened.
    p.f->RsFormulario.Close();
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "abandonar");
        p.f->VrUtil1_click("Cancelar");
    }
    EXPECT_FALSE(p.modoLineas());
    EXPECT_TRUE(p.lineas().isEmpty());
    EXPECT_FALSE(p.f->VrUtil1->Habilitado1());
    EXPECT_TRUE(p.f->cmdFiltrar->isEnabled());
    EXPECT_EQ(p.f->RsFormulario.State(), db::state::Open);

    // NUEVO, whatever its case, drops a number the first line had fixed.
    p.f->cmdFiltrar_Click();
    p.f->NumeroFijado = true;
    p.campo("NUMERO").setText("00000077");
    p.f->VrUtil1_click("nuevo");
    EXPECT_FALSE(p.modoLineas());
    EXPECT_FALSE(p.f->NumeroFijado);
    EXPECT_TRUE(p.f->NuevoComprobante);
    EXPECT_EQ(p.encabezado(), "0001-00000001-X");
    EXPECT_TRUE(p.lineas().isEmpty());
}

// The delete command belongs to a table of another program: it stays off and
// sends nothing, even for a reopened voucher and a confirmed delete.
TEST(ComandosAsignacion, DeleteStaysOffAndSendsNothing)
{
    Pantalla p({}, QString::fromLatin1(kFixture) + R"(
        CREATE TABLE V_MV_FormPedidos (IDFormPedido integer);
        INSERT INTO V_MV_FormPedidos VALUES (0);)");
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    p.f->NuevoComprobante = false;
    p.f->ComprobanteExistente = true;

    EXPECT_FALSE(p.f->VrUtil1->Habilitado4());
    EXPECT_FALSE(p.f->VrUtil1->press("BORRAR"));
    p.f->VrUtil1_click("BORRAR");
    EXPECT_TRUE(p.f->ComprobanteExistente);
    EXPECT_FALSE(p.f->Borrando);
    EXPECT_TRUE(p.modoLineas());

    p.f->Borrando = true;
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, "No se detectaron movimientos.\r\nImposible generar La Preparacion.");
        p.f->ActualizarDatos();
        EXPECT_EQ(s.shown().at(0).title, "Aviso al Usuario");
        EXPECT_EQ(s.shown().at(0).style, prompt::OkOnly | prompt::Information);
    }
    EXPECT_EQ(cuenta(p, "SELECT COUNT(*) FROM V_MV_FormPedidos"), 1);
    EXPECT_FALSE(p.f->HayError);
}

TEST(ComandosAsignacion, SaveOnlyTakesTheFocusToTheLetterOfAnEditableHeader)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->show();
    QApplication::setActiveWindow(p.f.get());
    p.campo("FECHA").setFocus();
    QApplication::processEvents();

    p.f->VrUtil1_click("GRABAR");
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), &p.campo("LETRA"));

    // In lines mode the letter is locked: nothing happens, without a word.
    p.f->cmdFiltrar_Click();
    p.f->VrUtil1_click("GRABAR");
    QApplication::processEvents();
    EXPECT_NE(QApplication::focusWidget(), &p.campo("LETRA"));
    EXPECT_EQ(cuenta(p, "SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), 0);
    p.f->hide();
}

TEST(ComandosAsignacion, CloseEndsTheRun)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->VrUtil1_click("CERRAR");
    EXPECT_TRUE(p.f->isHidden());
    EXPECT_EQ(p.f->RsFormulario.State(), db::state::Closed);
    EXPECT_FALSE(ObjDB().gOpenFlag);
}

// Wherever the focus was, the run ends without a word and writes nothing:
// the page-size box loads a page as it loses the focus, and must find its
// window closing instead of a connection already released.
TEST(ComandosAsignacion, CloseEndsTheRunWithoutAWordWhereverTheFocusWas)
{
    struct Case {
        const char* what;
        std::function<void(Pantalla&)> focus;
    } cases[] = {
        {"the page-size box",
         [](Pantalla& p) { p.f->VrDbGrid1->findChild<QWidget*>(QStringLiteral("CboRegistros"))->setFocus(); }},
        {"the search box with a text typed",
         [](Pantalla& p) {
             auto* buscar = p.f->VrDbGrid1->findChild<QWidget*>(QStringLiteral("txtBuscar"));
             buscar->setFocus();
             QTest::keyClicks(buscar, QStringLiteral("TORN"));
         }},
        {"a transfer cell with a quantity typed",
         [](Pantalla& p) {
             p.grid().setRow(1);
             p.grid().setCol(8);
             int tecla = '5';
             p.f->VrDbGrid1_MSFlexGridKeyPress(tecla);
         }},
    };
    for (const Case& c : cases) {
        Pantalla p;
        p.f->Form_Load();
        p.f->cmdFiltrar_Click();
        p.f->show();
        QApplication::setActiveWindow(p.f.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(p.f.get())) << c.what;
        c.focus(p);
        QApplication::processEvents();
        ASSERT_TRUE(p.f->VrDbGrid1->isAncestorOf(QApplication::focusWidget())) << c.what;

        ScopedPrompts s;
        p.f->VrUtil1_click("CERRAR");
        QApplication::processEvents();
        EXPECT_TRUE(s.shown().empty()) << c.what << ": " << s.messages().join(u'|').toStdString();
        EXPECT_TRUE(p.f->isHidden()) << c.what;
        EXPECT_FALSE(ObjDB().gOpenFlag) << c.what;
        db::Connection archivo;
        archivo.Open(p.db.connectionString());
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), archivo);
        EXPECT_EQ(rs.value(0).toInt(), 0) << c.what;
    }
}

// --- the transfer report --------------------------------------------------------------

// Voucher 7 placed in three positions (each line with its row without
// position) and voucher 8 beside it; the company's settings lack the floor.
TEST(ComandosAsignacion, TheReportCommandPrintsThePositionedRowsOfTheHeadersVoucher)
{
    Pantalla p({}, QString::fromLatin1(kFixture) + R"(
        INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
            ('NOMBRE', 'ACME S.A.'), ('CALLE', 'San Martin'), ('NUMERO', '450'), ('LOCALIDAD', 'Rosario');
        INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                        IDDEPOSITO, IDPOSICION, USUARIO) VALUES
            ('2024-12-10T09:00:00', 'TRP', '0001', '00000007', 'X', '                   ART001', '  UN', -15, NULL, '   1', NULL, 'ana'),
            ('2024-12-10T09:00:00', 'TRP', '0001', '00000007', 'X', '                   ART001', '  UN', 10, NULL, '   1', 'P2', 'ana'),
            ('2024-12-10T09:00:00', 'TRP', '0001', '00000007', 'X', '                   ART001', '  UN', 5, NULL, '   1', 'P1', 'ana'),
            ('2024-12-11T10:30:00', 'TRP', '0001', '00000007', 'X', '                   ART002', '  UN', -2.5, 'L1', '   1', NULL, 'ana'),
            ('2024-12-11T10:30:00', 'TRP', '0001', '00000007', 'X', '                   ART002', '  UN', 2.5, 'L1', '   1', 'Q1', 'ana'),
            ('2024-12-12T08:00:00', 'TRP', '0001', '00000008', 'X', '                   ART001', '  UN', -3, NULL, '   1', NULL, 'ana'),
            ('2024-12-12T08:00:00', 'TRP', '0001', '00000008', 'X', '                   ART001', '  UN', 3, NULL, '   1', 'R8', 'ana');)");
    SinReportes sinReportes;
    CadenaDSN = QStringLiteral("DSN=prueba; UID=ana; PWD=secreta");
    p.f->Form_Load();
    p.campo("NUMERO").setText("00000007");
    // On screen, so that the preview opens over the form as the operator sees it.
    p.f->show();
    p.f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.f.get()));

    QTemporaryDir salida;
    const QString pdf = salida.filePath("testigo.pdf");
    {
        ScopedPrompts s;
        s.onModal("ReportPreview", [&](QDialog& d) {
            // Readable as it opens: named after the report and the voucher,
            // most of the form's size, the page as wide as the preview.
            EXPECT_EQ(d.windowTitle(), "Asignacion de Posiciones - Comprobante TRP 0001-00000007-X");
            const QSize form = p.f->frameGeometry().size();
            EXPECT_GE(d.width(), form.width() * 8 / 10) << d.width() << " of " << form.width();
            EXPECT_GE(d.height(), form.height() * 8 / 10) << d.height() << " of " << form.height();
            EXPECT_LE((d.frameGeometry().center() - p.f->frameGeometry().center()).manhattanLength(), 2);
            EXPECT_EQ(d.findChild<QPrintPreviewWidget*>()->zoomMode(), QPrintPreviewWidget::FitToWidth);
            auto& vista = static_cast<QPrintPreviewDialog&>(d);
            QPrinter* impresora = vista.printer();
            impresora->setOutputFormat(QPrinter::PdfFormat);
            impresora->setOutputFileName(pdf);
            emit vista.paintRequested(impresora);
            return int(QDialog::Accepted);
        });
        p.f->VrUtil1_click("REPORTE");
    }
    EXPECT_EQ(p.f->NombreReporte, "RP_AsignacionUbicacion");

    EXPECT_GT(inkShare(pdfPageImage(pdf, 1)), 0.002);
    const QString texto = pdfText(pdf);
    for (const char* visto : {"ACME S.A.", "San Martin 450", "Rosario", "TRP 0001-00000007-X", "P1", "P2", "Q1",
                              "TORNILLO", "ARANDELA", "17.5"})
        EXPECT_TRUE(texto.contains(visto)) << visto << " missing from:\n" << texto.toStdString();
    for (const char* ausente : {"R8", "00000008", "-15", "secreta"})
        EXPECT_FALSE(texto.contains(ausente)) << ausente;

    // A voucher without positioned rows has nothing to print.
    p.campo("NUMERO").setText("00000009");
    ScopedPrompts s;
    s.answerMessage(prompt::Ok, "No hay datos para mostrar en el reporte.");
    p.f->VrUtil1_click("REPORTE");
}

// --- the automatic proposal ------------------------------------------------------------

// The washers' position holds 5: the screws (14) and the first lot (5) fit,
// the second lot finds no room. The last active text box is the depot field,
// and the grid already stands on the first line's transfer cell.
TEST(ComandosAsignacion, AnAutomaticRunSavesTheLinesThatFitAndASecondRunSavesNothing)
{
    Pantalla p;
    p.db.execute("UPDATE MA_POSICIONES SET CAPACIDAD = 5 WHERE IdPosicion = 'Q1';");
    SinReportes sinReportes;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    p.grid().setRow(1);
    p.grid().setCol(8);
    p.f->ControlActivo = &p.campo("IdDeposito");
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        s.answerMessage(prompt::Yes, "Se ha Propuesto 2 Posiciones");
        s.onModal("ReportPreview", [](QDialog& d) {
            auto* vista = d.findChild<QPrintPreviewWidget*>();
            vista->updatePreview();
            EXPECT_EQ(vista->pageCount(), 1);
            return int(QDialog::Accepted);
        });
        p.f->cmdProponer_Click();

        ASSERT_EQ(s.shown().size(), 3u);
        EXPECT_EQ(s.shown()[0].text, "Este proceso asignara automaticamente las posiciones para todo el Formulario\r\n"
                                     "Desea Continuar?");
        EXPECT_EQ(s.shown()[0].title, "Atencion!");
        EXPECT_EQ(s.shown()[0].style, prompt::YesNo | prompt::Exclamation);
        EXPECT_EQ(s.shown()[1].text,
                  "Se ha Propuesto 2 Posiciones\r\nDesea Imprimir un testigo con las posiciones propuestas?");
        EXPECT_EQ(s.shown()[1].style, prompt::YesNo | prompt::Question);
    }
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -14", "P1 6", "P2 8", "- -5", "Q1 5"}));
    EXPECT_EQ(p.lineas(), QStringList({"ART002|L2|3"}));
    EXPECT_FALSE(p.f->PropuestaAutomatica);
    EXPECT_FALSE(ObjProgreso().isOpen());
    EXPECT_EQ(p.campo("IdDeposito").text(), "1");
    EXPECT_EQ(p.campo("IdDeposito").dataField(), "IdDeposito");

    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        s.answerMessage(prompt::Ok, "No Se Propusieron Posiciones!");
        p.f->cmdProponer_Click();
        EXPECT_EQ(s.shown().back().style, prompt::OkCancel | prompt::Exclamation);
    }
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -14", "P1 6", "P2 8", "- -5", "Q1 5"}));
    EXPECT_EQ(p.lineas(), QStringList({"ART002|L2|3"}));
}

// Pages of two lines; the screws' second position holds 4, so 10 of the 14
// screws find room. The line on the second page is left alone.
TEST(ComandosAsignacion, AnAutomaticRunSavesThePartOfALineThatFits)
{
    Pantalla p;
    p.db.execute("UPDATE MA_POSICIONES SET CAPACIDAD = 4 WHERE IdPosicion = 'P2';");
    p.f->Form_Load();
    p.f->VrDbGrid1->setPageSize(2);
    p.f->cmdFiltrar_Click();
    ASSERT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5"}));
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        s.answerMessage(prompt::No, "Se ha Propuesto 2 Posiciones");
        p.f->cmdProponer_Click();
    }
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -10", "P1 6", "P2 4", "- -5", "Q1 5"}));
    EXPECT_EQ(p.lineas(), QStringList({"ART001||4", "ART002|L2|3"}));
    EXPECT_EQ(p.f->VrDbGrid1->UltimaPagina(), 1);
}

// The washers' position refuses every row: their lines are reported by the
// save, left out of the count, and back in the list as the database has them.
TEST(ComandosAsignacion, AnAutomaticRunCountsOnlyTheLinesItSaved)
{
    Pantalla p({}, QString::fromLatin1(kFixture) + R"(
        CREATE TRIGGER Q1Rota BEFORE INSERT ON V_MV_STOCK_DRAVELO WHEN NEW.IDPOSICION = 'Q1'
        BEGIN SELECT RAISE(ABORT, 'Q1 no disponible'); END;)");
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        s.answerMessage(prompt::Ok, "Q1 no disponible");
        s.answerMessage(prompt::Ok, "Q1 no disponible");
        s.answerMessage(prompt::No, "Se ha Propuesto 1 Posiciones");
        p.f->cmdProponer_Click();
    }
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -14", "P1 6", "P2 8"}));
    EXPECT_EQ(p.lineas(), QStringList({"ART002|L1|5", "ART002|L2|3"}));
}

namespace {

// Boxes of twelve screws, kept in boxes: P1 is counted in units, P2 in boxes.
QString depositoDeCajas(const char* capacidadP1)
{
    return QStringLiteral(R"(
        INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');
        INSERT INTO V_TA_Deposito (IdDeposito, Descripcion, UnidadNegocio) VALUES ('   1', 'Deposito Central', '   1');
        INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('                   ART010', 'CAJA', '  CJ');
        INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
            ('                   ART010', '  CJ', '  UN', 12), ('                   ART010', '  CJ', '  CJ', 1);
        INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdArticulo, ORDENINGRESO, IdUnidad, HABILITADO, CAPACIDAD)
        VALUES ('   1', 'P1', '                   ART010', 1, '  UN', 1, %1),
               ('   1', 'P2', '                   ART010', 2, '  CJ', 1, 100);
    )")
        .arg(QString::fromLatin1(capacidadP1));
}

QString recibeCajas(const char* unidad, const char* cantidad)
{
    return QStringLiteral(
               "INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, "
               "IDDEPOSITO) VALUES ('2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', '                   ART010', "
               "'  %1', %2, '   1');\n")
        .arg(QString::fromLatin1(unidad), QString::fromLatin1(cantidad));
}

QString ocupa(const char* posicion, const char* saldo)
{
    return QStringLiteral("INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, SaldoPosicion) "
                          "VALUES ('   1', '%1', '                   ART010', %2);\n")
        .arg(QString::fromLatin1(posicion), QString::fromLatin1(saldo));
}

}  // namespace

// Converted, a full P1 must show exactly nothing free, so that no sliver of
// floating-point noise (or of a balance that rounds to nothing in boxes) is
// proposed there and the whole line refused for it; and a line that places
// nothing saves nothing and is not counted.
TEST(ComandosAsignacion, AnAutomaticRunLosesNoLineToARoundingSliverAndCountsOnlyWhatItSaved)
{
    const QString sinPropuesta = QStringLiteral("No Se Propusieron Posiciones!");
    struct Caso {
        const char* nombre;
        QString fixture;
        QStringList filas;
        QString mensaje;
        QStringList lineas;
    } casos[] = {
        {"P1 holds its 185 units: the 10 boxes all go to P2",
         depositoDeCajas("185") + recibeCajas("CJ", "10") + ocupa("P1", "185"), {"- -10", "P2 10"},
         "Se ha Propuesto 1 Posiciones", {}},
        {"a first line, in units, leaves 0.0004 units free in P1: nothing in boxes",
         depositoDeCajas("120") + recibeCajas("UN", "119.9996") + recibeCajas("CJ", "10"),
         {"- -119.9996", "P1 119.9996", "- -10", "P2 10"}, "Se ha Propuesto 2 Posiciones", {}},
        {"every position full: nothing saved, nothing counted",
         depositoDeCajas("185") + recibeCajas("CJ", "10") + ocupa("P1", "185") + ocupa("P2", "100"), {}, sinPropuesta,
         {"ART010||10"}},
    };
    for (const auto& c : casos) {
        Pantalla p({}, c.fixture);
        p.f->Form_Load();
        p.f->cmdFiltrar_Click();
        {
            ScopedPrompts s;
            s.answerMessage(prompt::Yes, "Desea Continuar?");
            s.answerMessage(c.mensaje == sinPropuesta ? prompt::Ok : prompt::No, c.mensaje);
            p.f->cmdProponer_Click();
        }
        EXPECT_EQ(p.filasDe("00000001"), c.filas) << c.nombre;
        EXPECT_EQ(p.lineas(), c.lineas) << c.nombre;
    }
}

// Another station placed lines of this page after it was loaded: the run on
// the stale page is refused each of them with nothing written, goes on with
// the others, and ends with one message that counts them.
TEST(ComandosAsignacion, AnAutomaticRunOnAStalePageTellsOnceHowManyLinesAnotherStationPlaced)
{
    const LineaTransferencia tornillos{QStringLiteral("ART001").rightJustified(25), QStringLiteral("TORNILLO"), {},
                                       QStringLiteral("UN"), QStringLiteral("14"), QStringLiteral("|6|8|"),
                                       QStringLiteral("|P1|P2|"), {}};
    LineaTransferencia arandelas1{QStringLiteral("ART002").rightJustified(25), QStringLiteral("ARANDELA"),
                                  QStringLiteral("L1"), QStringLiteral("UN"), QStringLiteral("5"),
                                  QStringLiteral("|5|"), QStringLiteral("|Q1|"), {}};
    LineaTransferencia arandelas2 = arandelas1;
    arandelas2.NroLote = QStringLiteral("L2");
    arandelas2.Transferir = QStringLiteral("3");
    arandelas2.Cantidades = QStringLiteral("|3|");
    struct Caso {
        const char* nombre;
        std::vector<LineaTransferencia> suyas;
        const char* mensaje;
        QStringList filas;
    } casos[] = {
        {"one line of three", {tornillos},
         "Se ha Propuesto 2 Posiciones\r\nOtro puesto ya habia ubicado 1 linea: no se grabo.\r\n"
         "Desea Imprimir un testigo con las posiciones propuestas?",
         {"- -5", "Q1 5", "- -3", "Q1 3"}},
        {"the whole page", {tornillos, arandelas1, arandelas2},
         "No Se Propusieron Posiciones!\r\nOtro puesto ya habia ubicado 3 lineas: no se grabaron.", {}},
    };
    for (const Caso& c : casos) {
        Pantalla p;
        p.f->Form_Load();
        p.f->cmdFiltrar_Click();
        DB_Dll otra;
        otra.OpenServerADODB(false, 3, p.db.connectionString());
        for (const LineaTransferencia& l : c.suyas) {
            bool hayError = false;
            ASSERT_TRUE(GrabaLineaTransferencia(otra, {{"0001", "00000001", "X"}, "1"}, NumeracionLinea::Fijada, l,
                                                "luis", QDate(2024, 12, 10), hayError)
                            .grabada)
                << c.nombre;
        }
        const QString otraEstacion = p.escalar("SELECT GROUP_CONCAT(ID) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'");
        {
            ScopedPrompts s;
            s.answerMessage(prompt::Yes, "Desea Continuar?");
            s.answerMessage(prompt::No, QString::fromLatin1(c.mensaje));
            p.f->cmdProponer_Click();
            EXPECT_EQ(s.messages().size(), 2) << c.nombre;
        }
        EXPECT_EQ(p.filasDe("00000002"), c.filas) << c.nombre;
        EXPECT_EQ(p.escalar("SELECT GROUP_CONCAT(ID) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP' AND NUMERO = '00000001'"),
                  otraEstacion)
            << c.nombre;
        EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE IDPOSICION IS NULL GROUP BY IDARTICULO, "
                            "NROLOTE HAVING SUM(CANTIDAD) < 0"),
                  "")
            << c.nombre;
        EXPECT_EQ(p.lineas(), QStringList()) << c.nombre;
    }
}

// A database this station cannot write: every line is reported, none is
// counted, and nothing is offered to print.
TEST(ComandosAsignacion, AnAutomaticRunOnADatabaseItCannotWriteCountsNothing)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    ObjDB().gCnn().Execute(QStringLiteral("PRAGMA query_only = 1"));
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        for (int i = 0; i < 3; ++i)
            s.answerMessage(prompt::Ok, "No se puede grabar: la base de datos es de solo lectura");
        s.answerMessage(prompt::Ok, "No Se Propusieron Posiciones!");
        p.f->cmdProponer_Click();
    }
    ObjDB().gCnn().Execute(QStringLiteral("PRAGMA query_only = 0"));
    EXPECT_EQ(cuenta(p, "SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), 0);
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5", "ART002|L2|3"}));
}

// Another station holds the lock: the operator, asked at the first line,
// would rather not wait, and the run stops there instead of asking again for
// every line of the page.
TEST(ComandosAsignacion, AnAutomaticRunStopsAtTheFirstLineTheOperatorGivesUp)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    db::Connection otra;
    otra.Open(p.db.connectionString());
    otra.BeginTrans();
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        s.answerError(prompt::ErrorLeave, "GrabaLinea");
        s.answerMessage(prompt::Ok, "No Se Propusieron Posiciones!");
        p.f->cmdProponer_Click();
    }
    otra.RollbackTrans();
    EXPECT_FALSE(p.f->PropuestaAutomatica);
    EXPECT_EQ(cuenta(p, "SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), 0);
    EXPECT_EQ(cuenta(p, "SELECT COUNT(*) FROM AUX_ERR"), 0);
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5", "ART002|L2|3"}));
}

// The dialog cannot read its candidate rows: each line's failure is shown in
// its turn, as the editor's check shows it, the run goes on to its end, and
// nothing is saved.
TEST(ComandosAsignacion, AnAutomaticRunWhoseDialogCannotReadShowsEachLinesFailureAndEnds)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    // The balances lose the column only the candidate rows read.
    ObjDB().gCnn().Execute(QStringLiteral("DROP VIEW AC_SALDOSLAYOUT"));
    ObjDB().gCnn().Execute(QStringLiteral("CREATE VIEW AC_SALDOSLAYOUT AS SELECT IdDeposito, IdPosicion FROM MA_POSICIONES"));
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        for (int i = 0; i < 3; ++i) {
            s.answerError(prompt::ErrorLeave, "AbrirRecordset");
            s.answerError(prompt::ErrorLeave, "CAMPO_VALIDA");
        }
        s.answerMessage(prompt::Ok, "No Se Propusieron Posiciones!");
        p.f->cmdProponer_Click();
    }
    EXPECT_FALSE(p.f->PropuestaAutomatica);
    EXPECT_FALSE(ObjProgreso().isOpen());
    EXPECT_EQ(cuenta(p, "SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), 0);
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5", "ART002|L2|3"}));
}

// A quantity longer than the cell editor lets the operator type is carried
// whole: nothing of it stays behind unplaced.
TEST(ComandosAsignacion, AnAutomaticRunCarriesALongQuantityWhole)
{
    Pantalla p;
    p.db.execute("UPDATE MA_POSICIONES SET CAPACIDAD = 100000000 WHERE IdPosicion = 'P2';"
                 "UPDATE V_MV_STOCK_DRAVELO SET CANTIDAD = 1234553.1234 WHERE NUMERO = '00000124';");
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    ASSERT_EQ(p.celda(p.fila("ART001"), 7), "1234563.1234");
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, "Desea Continuar?");
        s.answerMessage(prompt::No, "Se ha Propuesto 3 Posiciones");
        p.f->cmdProponer_Click();
    }
    EXPECT_EQ(p.filasDe("00000001").mid(0, 3), QStringList({"- -1234563.1234", "P1 6", "P2 1234557.1234"}));
    EXPECT_EQ(p.fila("ART001"), -1);
}

TEST(ComandosAsignacion, NoToTheAutomaticRunChangesNothing)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    {
        ScopedPrompts s;
        s.answerMessage(prompt::No, "Desea Continuar?");
        p.f->cmdProponer_Click();
    }
    EXPECT_FALSE(p.f->PropuestaAutomatica);
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5", "ART002|L2|3"}));
    EXPECT_EQ(p.celda(1, 8), "0");
    EXPECT_EQ(cuenta(p, "SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), 0);
}

// A line saved by hand from the last page: the page it was on goes with it.
TEST(ComandosAsignacion, SavingTheOnlyLineOfTheLastPageLeavesNoEmptyPage)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->VrDbGrid1->setPageSize(2);
    p.f->cmdFiltrar_Click();
    p.f->VrDbGrid1->cmdUltimo_Click();
    ASSERT_EQ(p.lineas(), QStringList({"ART002|L2|3"}));
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta());
        p.transfiere(p.fila("ART002", "L2"), "3");
    }
    EXPECT_EQ(p.f->VrDbGrid1->UltimaPagina(), 1);
    EXPECT_EQ(p.f->VrDbGrid1->PaginaActual(), 1);
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5"}));
}

// --- lookups ---------------------------------------------------------------------------

// The depots of the user's business unit, by description; the one picked is
// written into the field, which then takes an Enter and is checked.
TEST(ComandosAsignacion, TheDepotLookupWritesThePickedDepotAndChecksIt)
{
    Pantalla p;
    p.db.execute("INSERT INTO V_TA_Deposito (IdDeposito, Descripcion, UnidadNegocio) VALUES "
                 "('   3', 'Anexo Sur', '   1');");
    p.f->Form_Load();
    struct Caso {
        const char* eleccion;  // "" cancels
        const char* queda;
        const char* descripcion;
    } casos[] = {{"Anexo Sur", "3", "Anexo Sur"}, {"", "3", "Anexo Sur"}, {"Deposito Central", "1", "Deposito Central"}};
    for (const Caso& c : casos) {
        p.f->LblDescDeposito->setText("...");
        QStringList listados;
        ScopedPrompts s;
        s.onModal("Lib_FrmCons3", eligeEnLista(QString::fromUtf8(c.eleccion), &listados));
        p.f->TxtFields_MouseDown(2, 2, 0, 0, 0);
        EXPECT_EQ(listados, QStringList({"Anexo Sur|   3", "Deposito Central|   1"}));
        EXPECT_EQ(p.campo("IdDeposito").text(), QString::fromUtf8(c.queda)) << c.eleccion;
        EXPECT_EQ(p.f->LblDescDeposito->text(), QString::fromUtf8(c.descripcion)) << c.eleccion;
        EXPECT_FALSE(p.f->HayError);
    }

    // A user's name with an apostrophe stays inside its literal.
    UsuarioLogeado = QStringLiteral("d'Arc");
    ScopedPrompts s;
    s.onModal("Lib_FrmCons3", [](QDialog& d) {
        auto& lista = static_cast<Lib_FrmCons3&>(d);
        EXPECT_TRUE(lista.Sql.contains("nombre='d''Arc'"));
        EXPECT_EQ(lista.ListView1->rowCount(), 0);
        return eligeEnLista({})(d);
    });
    p.f->TxtFields_MouseDown(2, 2, 0, 0, 0);
}

// A right click on a header field, as the window system delivers it (the
// press, then the request for a context menu), opens the field's lookup
// once and no menu of the text box after it.
TEST(ComandosAsignacion, ARightClickOnAFieldOpensItsLookupOnceAndNoMenu)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.f.get()));
    TextBox& deposito = p.campo("IdDeposito");

    // Counts the context menus that get past the form, and opens none.
    struct Menus : QObject {
        int pedidos = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() != QEvent::ContextMenu)
                return false;
            ++pedidos;
            return true;
        }
    } menus;
    deposito.installEventFilter(&menus);

    int abiertas = 0;
    ScopedPrompts s;
    s.onModal("Lib_FrmCons3", [&abiertas](QDialog& d) {
        ++abiertas;
        return eligeEnLista("Deposito Central")(d);
    });
    QTest::mouseClick(p.f->windowHandle(), Qt::RightButton, {},
                      deposito.mapTo(p.f.get(), deposito.rect().center()));
    EXPECT_EQ(abiertas, 1);
    EXPECT_EQ(menus.pedidos, 0);
    EXPECT_EQ(deposito.text(), "1");
    deposito.removeEventFilter(&menus);
}

// CONSULTAR opens the lookup of the text box active last: the depot's list
// for the depot field; nothing for the date or a field without lookup.
TEST(ComandosAsignacion, TheToolbarsLookupOpensTheActiveFieldsLookup)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->TxtFields_GotFocus(2);
    {
        ScopedPrompts s;
        s.onModal("Lib_FrmCons3", eligeEnLista("Deposito Central"));
        p.f->VrUtil1_click("CONSULTAR");
    }
    EXPECT_EQ(p.campo("IdDeposito").text(), "1");
    EXPECT_EQ(p.f->LblDescDeposito->text(), "Deposito Central");

    for (int campo : {3, 1}) {
        const QString antes = p.f->TxtFields.at(static_cast<std::size_t>(campo))->text();
        p.f->TxtFields_GotFocus(campo);
        p.f->VrUtil1_click("CONSULTAR");
        EXPECT_EQ(p.f->TxtFields.at(static_cast<std::size_t>(campo))->text(), antes) << campo;
        EXPECT_FALSE(p.f->HayError) << campo;
    }

}

// Only the article column opens the article lookup: once the article column
// has been current, a lookup asked on the transfer cell opens nothing and
// leaves the typed quantity as it is.
TEST(ComandosAsignacion, OnlyTheArticleColumnOpensTheArticleLookup)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    p.grid().setRow(1);
    p.grid().setCol(1);
    p.f->VrDbGrid1_MsFlexGridClick();
    p.grid().setCol(8);
    p.f->VrDbGrid1_MsFlexGridEnterCell();
    int tecla = '3';
    p.f->VrDbGrid1_MSFlexGridKeyPress(tecla);
    ASSERT_TRUE(p.editor().Visible());

    // No prompt is scripted: a lookup opened would fail the test.
    ScopedPrompts s;
    p.f->VrDbGrid1_MSFlexGridMouseDown(2, 0, 0, 0);
    p.f->VrUtil1_click("CONSULTAR");
    EXPECT_EQ(p.editor().text(), "3");
    EXPECT_TRUE(s.shown().empty());
    EXPECT_FALSE(p.f->HayError);
}

TEST(ComandosAsignacion, ACancelledArticleLookupEmptiesTheCellEditor)
{
    Pantalla p;
    p.f->Form_Load();
    // Before the article column was ever current, a right click opens nothing.
    p.f->ControlActivo = &p.editor();
    p.f->VrDbGrid1_MSFlexGridMouseDown(2, 0, 0, 0);

    p.f->cmdFiltrar_Click();
    const QStringList cargadas = p.lineas();
    p.grid().setRow(1);
    p.grid().setCol(1);
    p.f->VrDbGrid1_MsFlexGridClick();
    p.editor().setText("ART0");
    {
        ScopedPrompts s;
        s.onModal("Lib_FrmCons3", eligeEnLista({}));
        p.f->VrDbGrid1_MSFlexGridMouseDown(2, 0, 0, 0);
    }
    EXPECT_EQ(p.editor().text(), "");
    EXPECT_FALSE(p.f->HayError);
    EXPECT_EQ(p.lineas(), cargadas);
}
