#include "grid/FrmCampos.h"
#include "grid/VrDbGrid.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/Prompts.h"
#include "platform/Twips.h"
#include "platform/TextBox.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QListWidget>
#include <QSet>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kDepotQuery = QStringLiteral(
    "SELECT IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,CantidadATransferir as "
    "Transferir, Cantidades, Posiciones,id from Stk_Dravelo_Sin_Asignar where iddeposito='   1' and Cantidad > 0");

// Rows of the test's own in place of the schema's view of the same name.
const QString kStockTable = QStringLiteral(
    "DROP VIEW Stk_Dravelo_Sin_Asignar;\n"
    "CREATE TABLE Stk_Dravelo_Sin_Asignar(IdArticulo TEXT COLLATE NOCASE, Descripcion TEXT COLLATE NOCASE, "
    "NroLote TEXT COLLATE NOCASE, idDeposito TEXT COLLATE NOCASE, idPosicion TEXT COLLATE NOCASE, "
    "idUnidadARTICULO TEXT COLLATE NOCASE, Cantidad NUMERIC, CantidadATransferir NUMERIC, Cantidades TEXT, "
    "Posiciones TEXT, id INTEGER NOT NULL UNIQUE);\n");

// `count` lines of depot 1, three lots to an article, so the article code
// repeats across page boundaries; their ids are unique but stored out of
// order. Two lines of depot 2 and one without quantity stay out of the query.
QString stockLines(int count, const QString& description = QStringLiteral("TORNILLO"))
{
    QString sql = kStockTable;
    auto line = [&](int id, const QString& depot, int quantity, const QString& desc) {
        sql += QStringLiteral("INSERT INTO Stk_Dravelo_Sin_Asignar VALUES ('%1', '%2', 'L%3', '%4', '', '  UN', %5, 0, "
                              "'', '', %6);\n")
                   .arg(QStringLiteral("ART%1").arg(id % 4, 3, 10, QLatin1Char('0')).rightJustified(25), desc)
                   .arg(id)
                   .arg(depot)
                   .arg(quantity)
                   .arg(id);
    };
    for (int parity : {0, 1})
        for (int i = parity; i < count; i += 2)
            line(100 + i, QStringLiteral("   1"), 10 + i, description);
    line(1, QStringLiteral("   2"), 5, description);
    line(2, QStringLiteral("   2"), 5, description);
    line(3, QStringLiteral("   1"), 0, description);
    return sql;
}

// The start-up form's grid on a fresh database: paged by the row id, with
// the page loads it raised.
struct Host {
    TestDatabase db;
    VrDbGrid grid;
    QList<int> loads;

    explicit Host(const QString& fixture, int pageSize = 5) : db(fixture)
    {
        grid.setObjectName(QStringLiteral("VrDbGrid1"));
        grid.setPrimaryKey(QStringLiteral("id"));
        grid.setPageSize(pageSize);
        QObject::connect(&grid, &VrDbGrid::CargarPagina, [this](int page) { loads << page; });
        grid.setConString(ObjDB().gCnn().ConnectionString());
        grid.setSql(kDepotQuery);
        grid.setOcultarOrdenar(false);
    }

    QStringList column(int c) const
    {
        QStringList cells;
        for (int r = 1; r < grid.MsFlexGrid->Rows(); ++r)
            cells << grid.MsFlexGrid->TextMatrix(r, c);
        return cells;
    }
    QStringList pageList() const
    {
        auto* combo = grid.findChild<QComboBox*>("cboPagSelect");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    QString label() const { return grid.findChild<QLabel*>("lblPaginas")->text(); }
    // The ids of every page, walked with the next-page button.
    QStringList everyPage()
    {
        grid.cmdPrimero_Click();
        QStringList ids = column(11);
        while (grid.PaginaActual() < grid.UltimaPagina()) {
            grid.cmdSiguiente_Click();
            ids << column(11);
        }
        return ids;
    }
};

QStringList range(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

}  // namespace

TEST(VrDbGridTest, TwelveRowsAtFivePerPageMakeThreePagesNumberedToTwelve)
{
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    EXPECT_TRUE(host.grid.isEnabled());
    EXPECT_EQ(host.pageList(), QStringList({"1", "2", "3"}));
    EXPECT_EQ(host.label(), "        Página        1 de 3");
    EXPECT_EQ(host.loads, QList<int>({1}));
    EXPECT_EQ(host.grid.MsFlexGrid->Rows(), 6);
    EXPECT_EQ(host.grid.MsFlexGrid->Cols(), 13) << "ordinal, eleven columns, the key";
    EXPECT_EQ(host.grid.MsFlexGrid->TextMatrix(0, 8), "Transferir");
    EXPECT_EQ(host.column(0), range(1, 5));
    EXPECT_EQ(host.column(11), QStringList({"100", "101", "102", "103", "104"}));
    EXPECT_EQ(host.grid.MsFlexGrid->ColWidth(12), 0) << "the key is hidden";

    host.grid.cmdSiguiente_Click();
    EXPECT_EQ(host.column(0), range(6, 10));
    host.grid.cmdUltimo_Click();
    EXPECT_EQ(host.label(), "        Página        3 de 3");
    EXPECT_EQ(host.column(0), QStringList({"11", "12"}));
    EXPECT_EQ(host.column(11), QStringList({"110", "111"}));
    EXPECT_EQ(host.loads, QList<int>({1, 2, 3}));
    EXPECT_EQ(host.grid.MsFlexGrid->Row(), 1);
}

// A description of more than nineteen characters, in a proportional font:
// the count of characters makes the column narrower than the text. Every
// column shows its widest text and its caption whole, and is never narrower
// than the width its count of characters gives.
TEST(VrDbGridTest, ColumnsShowTheirWidestTextAndCaptionWhole)
{
    Host host(stockLines(3, QStringLiteral("TUERCA HEXAGONAL 3/8 ZINCADA CON ARANDELA")));
    host.grid.LoadVrDBGrid();
    const FlexGrid* g = host.grid.MsFlexGrid;
    const QFontMetrics metrics(host.grid.font());
    for (int c = 1; c <= g->Cols() - 2; ++c) {
        qsizetype longest = 0;
        for (int r = 0; r < g->Rows(); ++r) {
            EXPECT_GE(g->ColWidth(c), g->fittingWidth(g->TextMatrix(r, c)))
                << "column " << g->TextMatrix(0, c).toStdString() << " cuts " << g->TextMatrix(r, c).toStdString();
            longest = std::max(longest, g->TextMatrix(r, c).size());
        }
        const int byCount = twips::fromPixels(metrics.horizontalAdvance(QString(longest, 'X')));
        EXPECT_GE(g->ColWidth(c), longest > 19 ? byCount - 500 : byCount + 500) << g->TextMatrix(0, c).toStdString();
    }
}

TEST(VrDbGridTest, EveryRowIsOnExactlyOnePageInAnyOrder)
{
    // Every line has the same description: ordered by it, the whole query is
    // one tie, and the pages are still cut by the key.
    Host host(stockLines(17));
    host.grid.LoadVrDBGrid();
    QStringList ids = host.everyPage();
    ids.sort();
    EXPECT_EQ(ids, range(100, 116));

    host.grid.MsFlexGrid->setCol(2);
    host.grid.ImgOrdenDesc_Click();
    EXPECT_EQ(host.grid.OrderBy(), " Order by [Descripcion] Desc ");
    QStringList ordered = host.everyPage();
    ordered.sort();
    EXPECT_EQ(ordered, range(100, 116));
}

// A move by one page reads on from the page shown; it must find the rows
// that choosing the page from the list finds.
TEST(VrDbGridTest, PagesTurnedOneByOneHoldTheRowsOfThePagesChosenFromTheList)
{
    Host host(stockLines(17));
    host.grid.LoadVrDBGrid();
    auto* combo = host.grid.findChild<QComboBox*>("cboPagSelect");
    QMap<int, QStringList> chosen;
    for (int page : {2, 4, 1, 3}) {  // never one page from the one shown
        combo->setCurrentIndex(page - 1);
        host.grid.cboPagSelect_Click();
        chosen[page] = host.column(11);
    }
    QMap<int, QStringList> forward;
    host.grid.cmdPrimero_Click();
    forward[1] = host.column(11);
    for (int page = 2; page <= 4; ++page) {
        host.grid.cmdSiguiente_Click();
        forward[page] = host.column(11);
    }
    QMap<int, QStringList> back;
    back[4] = forward[4];
    for (int page = 3; page >= 1; --page) {
        host.grid.cmdAnterior_Click();
        back[page] = host.column(11);
    }
    EXPECT_EQ(forward, chosen);
    EXPECT_EQ(back, chosen);
    EXPECT_EQ(chosen[4], QStringList({"115", "116"}));
}

TEST(VrDbGridTest, ThePageStatementIsTheOneTheEngineBuilds)
{
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    cn->Open(QStringLiteral("(grabando)"));
    cn->rowsFor = [](const QString& source) {
        auto rows = std::make_unique<db::RowSet>();
        rows->columns.push_back({QStringLiteral("COLUMNA"), db::type::Integer, 4, false});
        if (source.startsWith("SELECT COUNT(*)"))
            rows->addInteger(20);
        return rows;
    };
    ObjDB().gOpenFlag = true;
    VrDbGrid grid;
    grid.setPrimaryKey(QStringLiteral("id"));
    grid.setPageSize(15);
    grid.setSql(kDepotQuery);
    grid.LoadVrDBGrid();
    ASSERT_EQ(cn->read.size(), 3);
    EXPECT_EQ(cn->read[0], "SELECT TOP 1 " + kDepotQuery.mid(7) + "  ") << "the probe";
    EXPECT_EQ(cn->read[1], "SELECT COUNT(*) from Stk_Dravelo_Sin_Asignar where iddeposito='   1' and Cantidad > 0  ");
    EXPECT_EQ(cn->read[2],
              "SELECT  [COLUMNA], id  FROM (SELECT TOP 15 *  FROM Stk_Dravelo_Sin_Asignar WHERE id NOT IN (SELECT TOP 0 "
              "id FROM Stk_Dravelo_Sin_Asignar where iddeposito='   1' and Cantidad > 0    Order by id )  and "
              "iddeposito='   1' and Cantidad > 0    Order by id ) AS Paginacion where iddeposito='   1' and Cantidad > 0 "
              "   Order by Paginacion.id ");
    releaseObjDB();
}

TEST(VrDbGridTest, AnEmptyResultShowsOneEmptyPage)
{
    Host host(kStockTable);
    host.grid.LoadVrDBGrid();
    EXPECT_EQ(host.label(), "        Página        1 de 1");
    EXPECT_EQ(host.pageList(), QStringList({"1"}));
    EXPECT_EQ(host.grid.PaginaActual(), 1);
    EXPECT_EQ(host.grid.UltimaPagina(), 1);
    EXPECT_EQ(host.grid.MsFlexGrid->Rows(), 2);
    EXPECT_EQ(host.grid.MsFlexGrid->TextMatrix(0, 1), "IdArticulo");
    EXPECT_EQ(host.grid.MsFlexGrid->TextMatrix(1, 1), "");
    EXPECT_EQ(host.loads, QList<int>({1}));
}

TEST(VrDbGridTest, ASearchThatFindsNothingShowsNoRowsAndIsDropped)
{
    ScopedPrompts prompts;
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    host.grid.findChild<QLineEdit*>("txtBuscar")->setText("NADA");
    host.grid.Buscar();
    EXPECT_EQ(host.label(), "        Página        1 de 1");
    EXPECT_EQ(host.column(11), QStringList({""})) << "not the first page of the unfiltered query";
    EXPECT_TRUE(host.grid.query().searchFilter.isEmpty());
    EXPECT_EQ(host.grid.findChild<QLineEdit*>("txtBuscar")->text(), "NADA") << "what found nothing";

    host.grid.Toolbar1_ButtonClick("ACTUALIZAR");
    EXPECT_EQ(host.label(), "        Página        1 de 3");
}

TEST(VrDbGridTest, NavigationLoadsOnlyWhenThePageChanges)
{
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    host.grid.cmdPrimero_Click();
    host.grid.cmdAnterior_Click();
    EXPECT_EQ(host.loads, QList<int>({1})) << "nothing on the first page";
    host.grid.cmdUltimo_Click();
    host.grid.cmdSiguiente_Click();
    host.grid.cmdUltimo_Click();
    EXPECT_EQ(host.loads, QList<int>({1, 3})) << "nothing more on the last page";
    host.grid.cmdAnterior_Click();
    host.grid.cmdPrimero_Click();
    EXPECT_EQ(host.loads, QList<int>({1, 3, 2, 1}));
    EXPECT_EQ(host.label(), "        Página        1 de 3");
}

TEST(VrDbGridTest, PagingKeysTurnPagesUnlessTheHostStopsThem)
{
    Host host(stockLines(12));
    bool stopPageDown = false;
    QObject::connect(&host.grid, &VrDbGrid::MSFlexGridKeyDown, [&](int& code, int) {
        if (stopPageDown && code == keys::PageDown)
            code = 0;
    });
    host.grid.LoadVrDBGrid();
    QTableView* view = host.grid.MsFlexGrid->view();

    stopPageDown = true;
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(host.grid.PaginaActual(), 1);
    stopPageDown = false;
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(host.grid.PaginaActual(), 2);

    host.grid.MsFlexGrid->setRow(5);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(host.grid.PaginaActual(), 2) << "the first Down on the last row only counts";
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(host.grid.PaginaActual(), 2) << "an Up in between starts the count again";
    EXPECT_EQ(host.grid.MsFlexGrid->Row(), 5);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(host.grid.PaginaActual(), 3);
    EXPECT_EQ(host.grid.MsFlexGrid->Row(), 1);

    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(host.grid.PaginaActual(), 2);
}

TEST(VrDbGridTest, ThePageSizeStaysBetweenOneAndTwoThousand)
{
    ScopedPrompts prompts;
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    auto* sizes = host.grid.findChild<QComboBox*>("CboRegistros");
    EXPECT_EQ(sizes->currentText(), "5");

    const struct {
        QString typed;
        int pageSize;
        QString message;
    } cases[] = {
        {"0", 1, "El tamaño de la página en registos no puede ser menor a 1 por página."},
        {"", 1, "El tamaño de la página en registos no puede ser menor a 1 por página."},
        {"2500", 2000, "El tamaño de la página en registros no puede superar los 2000 por página."},
        {"25", 25, ""},
    };
    for (const auto& c : cases) {
        if (!c.message.isEmpty())
            prompts.answerMessage(prompt::Ok, c.message);
        sizes->setEditText(c.typed);
        int enter = keys::Enter;
        host.grid.CboRegistros_KeyDown(enter, 0);
        EXPECT_EQ(host.grid.PageSize(), c.pageSize) << c.typed.toStdString();
        EXPECT_EQ(prompts.pending(), 0) << c.typed.toStdString();
    }
    EXPECT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(prompts.shown()[0].title, "Aviso al Usuario");

    sizes->setEditText("");
    sizes->lineEdit()->setFocus();
    QTest::keyClicks(sizes->lineEdit(), "1a.2");
    QTest::keyClick(sizes->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(sizes->currentText(), "12") << "digits only; Backspace is not typed either";
}

TEST(VrDbGridTest, AnotherPageSizeRecountsNothingAndKeepsTheCurrentPageInRange)
{
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    host.grid.cmdUltimo_Click();
    // A line added behind the grid's back: the kept count does not see it.
    host.db.execute("INSERT INTO Stk_Dravelo_Sin_Asignar VALUES ('X', 'X', '', '   1', '', '', 1, 0, '', '', 999);");
    auto* sizes = host.grid.findChild<QComboBox*>("CboRegistros");
    sizes->setCurrentIndex(sizes->findText("10"));
    host.grid.CboRegistros_Click();
    EXPECT_EQ(host.pageList(), QStringList({"1", "2"}));
    EXPECT_EQ(host.label(), "        Página        2 de 2");
    EXPECT_EQ(host.column(0), QStringList({"11", "12", "13"}));

    // The host's reload after it changed the data keeps the count too.
    host.grid.CargarPaginas();
    EXPECT_EQ(host.pageList(), QStringList({"1", "2"}));
}

// Saved lines leave the query: a fresh count drops the pages they held, so
// the operator is never left on a page that no longer exists.
TEST(VrDbGridTest, ARecountAfterRowsLeftTheQueryDropsTheirPages)
{
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    host.grid.cmdUltimo_Click();
    host.db.execute("DELETE FROM Stk_Dravelo_Sin_Asignar WHERE id IN (100, 101, 110, 111);");

    host.grid.RecuentaPaginas();
    EXPECT_EQ(host.pageList(), QStringList({"1", "2"}));
    EXPECT_EQ(host.label(), "        Página        2 de 2");
    EXPECT_EQ(host.column(11), QStringList({"107", "108", "109"}));
    EXPECT_EQ(host.column(0), QStringList({"6", "7", "8"}));

    host.db.execute("DELETE FROM Stk_Dravelo_Sin_Asignar WHERE iddeposito = '   1';");
    host.grid.RecuentaPaginas();
    EXPECT_EQ(host.pageList(), QStringList({"1"}));
    EXPECT_EQ(host.label(), "        Página        1 de 1");
    EXPECT_EQ(host.column(11), QStringList({""}));
}

TEST(VrDbGridTest, SearchesNarrowOneAnotherAndCarryApostrophes)
{
    ScopedPrompts prompts;
    QString fixture = stockLines(12);
    fixture += "UPDATE Stk_Dravelo_Sin_Asignar SET Descripcion = 'ARANDELA' WHERE id IN (103, 104, 105, 106);\n"
               "UPDATE Stk_Dravelo_Sin_Asignar SET Descripcion = 'TUERCA d''Arc' WHERE id = 107;\n";
    Host host(fixture);
    host.grid.LoadVrDBGrid();
    auto* columns = host.grid.findChild<QComboBox*>("CboFiltroCampo");
    auto* text = host.grid.findChild<TextBox*>("txtBuscar");
    EXPECT_EQ(columns->itemText(0), "Todos");
    EXPECT_EQ(columns->itemText(2), "Descripcion");

    columns->setCurrentIndex(2);
    text->setText("arandela");
    int enter = keys::Enter;
    host.grid.txtBuscar_KeyDown(enter, 0);
    EXPECT_EQ(host.column(11), QStringList({"103", "104", "105", "106"}));
    EXPECT_EQ(text->text(), "arandela") << "the narrowed list shows what narrowed it";

    columns->setCurrentIndex(3);
    text->setText("5");
    host.grid.Buscar();
    EXPECT_EQ(host.column(11), QStringList({"105"})) << "lot L105 among the four";
    EXPECT_EQ(host.label(), "        Página        1 de 1");
    EXPECT_EQ(text->text(), "5");

    host.grid.Toolbar1_ButtonClick("ACTUALIZAR");
    EXPECT_TRUE(text->text().isEmpty()) << "the whole list again, nothing searched";
    columns->setCurrentIndex(0);
    text->setText("d'Arc");
    host.grid.Buscar();
    EXPECT_EQ(host.column(11), QStringList({"107"}));
    EXPECT_TRUE(prompts.shown().empty());

    // An empty box asks for the text, naming the column; the answer shows
    // in the box while it narrows the list.
    text->clear();
    prompts.answerInput("tuerca", "Campo seleccionado: Todos\r\nIngrese el texto");
    host.grid.Toolbar1_ButtonClick("BUSCAR");
    EXPECT_EQ(host.column(11), QStringList({"107"}));
    EXPECT_EQ(text->text(), "tuerca");

    // A fresh load of the grid drops the search and its text.
    host.grid.LoadVrDBGrid();
    EXPECT_TRUE(text->text().isEmpty());
}

// A NUL character never reaches a search statement: pasted into the search
// box it is refused there, given as the input box's answer it is refused
// before the search; one message each time, and the list stays as it was.
TEST(VrDbGridTest, ANulCharacterInTheSearchIsRefusedWithOneMessage)
{
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    auto* text = host.grid.findChild<TextBox*>("txtBuscar");
    const QString conNulo = QString::fromUtf16(u"TORN\0ILLO", 9);
    const QStringList antes = host.column(11);
    {
        ScopedPrompts prompts;
        prompts.answerMessage(prompt::Ok, "carácter nulo");
        QApplication::clipboard()->setText(conNulo);
        text->setFocus();
        text->paste();
        QApplication::processEvents();
        EXPECT_TRUE(text->text().isEmpty());
    }
    {
        ScopedPrompts prompts;
        prompts.answerInput(conNulo, "Ingrese el texto");
        prompts.answerMessage(prompt::Ok, "carácter nulo");
        int enter = keys::Enter;
        host.grid.txtBuscar_KeyDown(enter, 0);
        EXPECT_EQ(prompts.shown().size(), 2u);
    }
    EXPECT_TRUE(text->text().isEmpty());
    EXPECT_EQ(host.column(11), antes);
    EXPECT_EQ(host.label(), "        Página        1 de 3");
}

TEST(VrDbGridTest, PageModeMarksTheMatchingCellsWithoutReloading)
{
    ScopedPrompts prompts;
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    host.grid.Toolbar1_ButtonMenuClick(1);
    host.grid.findChild<QComboBox*>("CboFiltroCampo")->setCurrentIndex(3);
    host.grid.findChild<TextBox*>("txtBuscar")->setText("l10");
    host.grid.Buscar();
    EXPECT_EQ(host.loads, QList<int>({1}));
    FlexGrid* g = host.grid.MsFlexGrid;
    QStringList marked;
    for (int r = 1; r < g->Rows(); ++r) {
        g->setRow(r);
        g->setCol(3);
        if (g->CellBackColor() == 0xE8E8C0u)
            marked << g->Text();
    }
    EXPECT_EQ(marked, QStringList({"L100", "L101", "L102", "L103", "L104"}));
}

TEST(VrDbGridTest, ATypedDateFindsTheRowsOfThatDay)
{
    ScopedPrompts prompts;
    Host host("CREATE TABLE MOVIMIENTOS(ID INTEGER PRIMARY KEY, DETALLE TEXT, FECHA DATETIME);\n"
              "INSERT INTO MOVIMIENTOS VALUES (1, 'a', '2024-12-10T14:05:00');\n"
              "INSERT INTO MOVIMIENTOS VALUES (2, 'b', '2024-12-11T00:00:00');\n"
              "INSERT INTO MOVIMIENTOS VALUES (3, 'c', '2024-12-10T00:00:00');\n"
              "INSERT INTO MOVIMIENTOS VALUES (4, 'd', '2024-10-12T09:00:00');\n");
    host.grid.setPrimaryKey("ID");
    host.grid.setSql("SELECT DETALLE, FECHA, ID FROM MOVIMIENTOS");
    host.grid.LoadVrDBGrid();
    EXPECT_EQ(host.column(2), QStringList({"10/12/2024", "11/12/2024", "10/12/2024", "12/10/2024"}));

    auto* columns = host.grid.findChild<QComboBox*>("CboFiltroCampo");
    auto* text = host.grid.findChild<TextBox*>("txtBuscar");
    columns->setCurrentIndex(2);
    prompts.answerMessage(prompt::Ok, "Debe Ingresar un Formato de Fecha Válido.");
    text->setText("10-12");
    host.grid.Buscar();
    EXPECT_EQ(text->text(), "10-12") << "the text stays for the operator to mend";
    EXPECT_TRUE(host.grid.query().searchFilter.isEmpty());

    text->setText("10/12/2024");
    host.grid.Buscar();
    EXPECT_EQ(host.column(3), QStringList({"1", "3"}));
}

TEST(VrDbGridTest, OrderImagesOrderByTheCurrentColumnAndMarkIt)
{
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    host.grid.MsFlexGrid->setCol(7);
    host.grid.ImgOrdenDesc_Click();
    EXPECT_EQ(host.grid.findChild<QStatusBar*>("StatusBar1")->findChild<QLabel*>("Panel1")->text(),
              " Orden:  Order by [Cantidad] Desc ");
    EXPECT_EQ(host.column(7), QStringList({"21", "20", "19", "18", "17"}));
    FlexGrid* g = host.grid.MsFlexGrid;
    g->setRow(0);
    EXPECT_EQ(g->CellBackColor(), 0xEED6EEu);

    host.grid.ImgOrdenN_Click();
    EXPECT_EQ(host.column(11), QStringList({"100", "101", "102", "103", "104"}));
}

// A date column is shown as day/month/year text; ordered by it, the pages
// follow the dates, not that text.
TEST(VrDbGridTest, PagesOrderedByADateFollowTheDates)
{
    Host host(QStringLiteral(
                  "CREATE TABLE Entradas (Nombre TEXT, Fecha datetime, id INTEGER PRIMARY KEY);\n"
                  "INSERT INTO Entradas VALUES ('a', '2024-01-02T00:00:00', 1), ('b', '2024-02-01T00:00:00', 2), "
                  "('c', '2024-01-03T00:00:00', 3), ('d', '2023-12-31T00:00:00', 4);\n"),
              2);
    host.grid.setSql(QStringLiteral("SELECT Nombre, Fecha, id FROM Entradas"));
    host.grid.LoadVrDBGrid();
    EXPECT_EQ(host.grid.MsFlexGrid->TextMatrix(1, 2), "02/01/2024");
    host.grid.MsFlexGrid->setCol(2);
    host.grid.ImgOrdenAsc_Click();
    QStringList names = host.column(1);
    host.grid.cmdSiguiente_Click();
    QStringList later = host.column(1);
    names.sort();
    later.sort();
    EXPECT_EQ(names, QStringList({"a", "d"}));
    EXPECT_EQ(later, QStringList({"b", "c"}));
}

TEST(VrDbGridTest, TheColumnChooserNarrowsTheColumnsAndAnEmptyChoiceShowsAll)
{
    ScopedPrompts prompts;
    Host host(stockLines(12));
    host.grid.setColumnas(true);
    host.grid.LoadVrDBGrid();
    host.grid.MsFlexGrid->setCol(7);
    host.grid.ImgOrdenAsc_Click();

    QString received;
    prompts.onModal("FrmCampos", [&](QDialog& d) {
        auto& frm = static_cast<FrmCampos&>(d);
        received = frm.gCampos;
        QListWidget* list = frm.LstCampos();
        list->item(7)->setSelected(true);
        list->item(0)->setSelected(true);
        frm.cmdAplicar_Click();
        return int(QDialog::Accepted);
    });
    host.grid.cmdColumnas_Click();
    EXPECT_EQ(received, "[IdArticulo]|[Descripcion]|[NroLote]|[idDeposito]|[idPosicion]|[idUnidadARTICULO]|[Cantidad]|"
                        "[Transferir]|[Cantidades]|[Posiciones]|[id]|id|");
    EXPECT_EQ(host.grid.CamposSel(), "[IdArticulo], [CantidadATransferir] as [Transferir], id");
    EXPECT_EQ(host.grid.OrdinalSel(), "0|7|");
    EXPECT_EQ(host.grid.OrdenSent(), 0) << "back to the query's own order";
    EXPECT_EQ(host.grid.MsFlexGrid->Cols(), 4);
    EXPECT_EQ(host.grid.MsFlexGrid->TextMatrix(0, 2), "Transferir");
    EXPECT_EQ(host.column(3), QStringList({"100", "101", "102", "103", "104"}));

    // Shown again, the choice comes first and selected.
    prompts.onModal("FrmCampos", [&](QDialog& d) {
        auto& frm = static_cast<FrmCampos&>(d);
        EXPECT_EQ(frm.LstCampos()->item(1)->text(), "Transferir");
        EXPECT_TRUE(frm.LstCampos()->item(1)->isSelected());
        frm.ImgCancelar_Click();
        return int(QDialog::Rejected);
    });
    host.grid.cmdColumnas_Click();
    EXPECT_EQ(host.grid.CamposSel(), "[IdArticulo], [CantidadATransferir] as [Transferir], id");

    prompts.onModal("FrmCampos", [&](QDialog& d) {
        auto& frm = static_cast<FrmCampos&>(d);
        frm.LstCampos()->clearSelection();
        frm.cmdAplicar_Click();
        return int(QDialog::Accepted);
    });
    host.grid.cmdColumnas_Click();
    EXPECT_EQ(host.grid.CamposSel(), "");
    EXPECT_EQ(host.grid.MsFlexGrid->Cols(), 13) << "every column again";
    EXPECT_TRUE(prompts.shown().size() == 3u);
}

TEST(VrDbGridTest, AnAliasInTheQuerysOwnOrderShowsTheWholeQueryUnpaged)
{
    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, "AbrirRecordset");
    Host host(stockLines(7));
    host.grid.setSql(kDepotQuery + " Order by Transferir");
    host.grid.LoadVrDBGrid();
    EXPECT_EQ(host.label(), "        Página        1 de 2");
    EXPECT_EQ(host.grid.MsFlexGrid->Rows(), 8) << "all seven rows at once";
    EXPECT_EQ(host.column(0), range(1, 7));
}

TEST(VrDbGridTest, ARefusedQueryChangesNothing)
{
    ScopedPrompts prompts;
    Host host(stockLines(12));
    host.grid.LoadVrDBGrid();
    prompts.answerMessage(prompt::Ok, "''JOIN''");
    host.grid.setSql("SELECT a FROM Stk_Dravelo_Sin_Asignar s INNER JOIN MA_POSICIONES p ON 1=1");
    host.grid.LoadVrDBGrid();
    EXPECT_EQ(prompts.shown().at(0).title, "Aviso al Usuario");
    EXPECT_EQ(host.column(11), QStringList({"100", "101", "102", "103", "104"}));
    EXPECT_EQ(host.loads, QList<int>({1}));
}
