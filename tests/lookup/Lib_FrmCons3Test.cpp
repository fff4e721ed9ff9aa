#include "lookup/Lib_FrmCons3.h"

#include "lookup/Lib_ClsCons3.h"
#include "core/ArchivoConsultas.h"
#include "core/Globals.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char* const kLista = R"(
    CREATE TABLE T_LISTA (ORDEN integer, CODIGO varchar(20), NOMBRE varchar(255), NOTA text, CANTIDAD varchar(12));
    INSERT INTO T_LISTA VALUES
        (1, 'A1', 'Alfajor', 'dulce', '0.00'),
        (2, 'B2', 'banana', NULL, '0.00'),
        (3, 'A', 'Oblea', NULL, '1'),
        (4, '1', 'O''Brien', NULL, '0.00'),
        (5, 'B', 'Zapallo', NULL, '0.00'),
        (6, '', 'Vacio', NULL, '0.00'),
        (7, 'C3', 'Coco', NULL, '0.00');
)";

QStringList columna(const ReportList& lista, int columna)
{
    QStringList out;
    for (int fila = 1; fila <= lista.rowCount(); ++fila)
        out << lista.cell(fila, columna);
    return out;
}

QStringList textos(const KeyedCollection& c)
{
    QStringList out;
    for (int i = 1; i <= c.Count(); ++i)
        out << c.Item(i).toString();
    return out;
}

class ConsultaListaTest : public testing::Test {
protected:
    void carga(const QString& sql)
    {
        dlg.Sql = sql;
        dlg.Form_Load();
    }

    TestDatabase db{kLista};
    Lib_FrmCons3 dlg;
};

}  // namespace

TEST_F(ConsultaListaTest, LoadsOneColumnSearchBoxAndRowPerFieldAndRecord)
{
    EXPECT_EQ(dlg.windowTitle(), "Consulta...");
    EXPECT_EQ(dlg.CmdAceptar->text(), "&Aceptar");
    EXPECT_EQ(dlg.CmdNueva->text(), "&Nueva Busqueda");
    EXPECT_EQ(dlg.CmdCancelar->text(), "&Cancelar");
    EXPECT_EQ(dlg.CmbSearch[0]->toolTip(), "F5 realiza nueva busqueda");

    carga("SELECT CODIGO, NOMBRE, NOTA FROM T_LISTA ORDER BY ORDEN");
    for (int vez = 0; vez < 2; ++vez) {
        ASSERT_EQ(dlg.ListView1->columnCountHeaders(), 3) << "load " << vez;
        EXPECT_EQ(dlg.ListView1->columnText(1), "CODIGO");
        EXPECT_EQ(dlg.ListView1->columnText(3), "NOTA");
        ASSERT_EQ(dlg.CmbSearch.size(), 3u) << "load " << vez;
        EXPECT_EQ(dlg.Tag(1), "NOMBRE");
        EXPECT_EQ(dlg.ListView1->rowCount(), 7) << "load " << vez;
        EXPECT_EQ(columna(*dlg.ListView1, 2),
                  QStringList({"Alfajor", "banana", "Oblea", "O'Brien", "Zapallo", "Vacio", "Coco"}));
        EXPECT_EQ(dlg.ListView1->cell(1, 3), "dulce");
        EXPECT_EQ(dlg.ListView1->cell(2, 3), "");
        dlg.CmdNueva_Click();
    }
    const QFontMetrics fm = dlg.fontMetrics();
    EXPECT_EQ(dlg.ListView1->columnWidth(1), fm.horizontalAdvance(QString(20, u'X')));
    EXPECT_EQ(dlg.ListView1->columnWidth(2), fm.horizontalAdvance(QString(60, u'X')));
    EXPECT_EQ(dlg.ListView1->columnWidth(3), fm.horizontalAdvance(QString(60, u'X')));
    ASSERT_TRUE(dlg.Valores);
    ASSERT_TRUE(dlg.Cantidades);

    Lib_FrmCons3 vacia;
    vacia.Sql = "SELECT CODIGO, NOMBRE FROM T_LISTA WHERE ORDEN > 100";
    vacia.Form_Load();
    EXPECT_EQ(vacia.ListView1->columnCountHeaders(), 2);
    EXPECT_EQ(vacia.CmbSearch.size(), 2u);
    EXPECT_EQ(vacia.ListView1->rowCount(), 0);
}

TEST_F(ConsultaListaTest, SearchBoxesSelectTheFirstRowBeginningWithTheirText)
{
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN");
    const struct {
        int caja;
        const char* texto;
        int fila;
    } casos[] = {
        {1, "ban", 2}, {1, "O'", 4}, {1, "zz", 4},  // no match keeps the selection
        {1, "  ", 1},  {0, "c", 7},  {0, "1", 4},   {1, "  oBL ", 3},
    };
    for (const auto& c : casos) {
        dlg.CmbSearch[c.caja]->setEditText(QString::fromLatin1(c.texto));
        EXPECT_EQ(dlg.ListView1->selectedRow(), c.fila) << "box " << c.caja << " '" << c.texto << "'";
    }
    EXPECT_EQ(dlg.Busqueda(1, "coc"), 7);
    EXPECT_EQ(dlg.Busqueda(0, "x"), 0);
    EXPECT_EQ(dlg.IndiceColumna(" nombre "), 2);
    EXPECT_EQ(dlg.IndiceColumna("PRECIO"), 0);
}

TEST_F(ConsultaListaTest, KeysTypedInTheListGoToTheActiveSearchBox)
{
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN");
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));

    dlg.CmbSearch[1]->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.ColumnaActiva(), 1);
    dlg.ListView1->setFocus();
    QTest::keyClick(dlg.ListView1, Qt::Key_Z);
    EXPECT_EQ(dlg.CmbSearch[1]->currentText(), "z");
    EXPECT_EQ(QApplication::focusWidget(), dlg.CmbSearch[1]);
    EXPECT_EQ(dlg.ListView1->selectedRow(), 5);

    dlg.ListView1->setFocus();
    QTest::keyClick(dlg.ListView1, Qt::Key_Backspace);
    EXPECT_EQ(dlg.CmbSearch[1]->currentText(), "");
    EXPECT_EQ(dlg.ListView1->selectedRow(), 1);

    dlg.ListView1->setFocus();
    QTest::keyClick(dlg.ListView1, Qt::Key_Space);
    QTest::keyClick(dlg.ListView1, 'B', Qt::ShiftModifier);
    EXPECT_EQ(dlg.CmbSearch[1]->currentText(), " B");
    EXPECT_EQ(dlg.ListView1->selectedRow(), 2);

    // The keypad's digits are digits.
    dlg.CmbSearch[1]->setEditText({});
    dlg.CmbSearch[0]->setFocus();
    dlg.ListView1->setFocus();
    QTest::keyClick(dlg.ListView1, Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(dlg.CmbSearch[0]->currentText(), "1");
    EXPECT_EQ(dlg.ListView1->selectedRow(), 4);

    // Down in a search box hands the focus to the list.
    QTest::keyClick(dlg.CmbSearch[0], Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), dlg.ListView1);
    dlg.hide();
}

TEST_F(ConsultaListaTest, F5NarrowsTheQueryOnTheServer)
{
    dlg.FiltroInicial = "Z";
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY CODIGO");
    EXPECT_EQ(dlg.CmbSearch[0]->currentText(), "Z");

    dlg.CmbSearch[1]->setEditText("an");
    QTest::keyClick(dlg.CmbSearch[1], Qt::Key_F5);
    EXPECT_EQ(dlg.Sql, "SELECT CODIGO, NOMBRE FROM T_LISTA  where NOMBRE like '%an%' ORDER BY CODIGO");
    EXPECT_EQ(columna(*dlg.ListView1, 2), QStringList({"banana"}));
    EXPECT_EQ(dlg.CmbSearch[1]->currentText(), "");
    EXPECT_EQ(dlg.CmbSearch[0]->currentText(), "Z");  // the initial filter is put back
    EXPECT_EQ(dlg.CmbSearch.size(), 2u);

    dlg.CmbSearch[0]->setEditText("B");
    EXPECT_TRUE(dlg.CmbSearch_KeyDown(0, 116, 0));
    EXPECT_EQ(dlg.Sql,
              "SELECT CODIGO, NOMBRE FROM T_LISTA  where NOMBRE like '%an%'  and CODIGO like '%B%' ORDER BY CODIGO");
    EXPECT_EQ(dlg.ListView1->rowCount(), 1);

    // An apostrophe in the typed text is part of the pattern, not the end of the literal.
    dlg.CmdNueva_Click();
    EXPECT_EQ(dlg.Sql, "SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY CODIGO");
    EXPECT_EQ(dlg.ListView1->rowCount(), 7);
    dlg.CmbSearch[1]->setEditText("O'B");
    dlg.CmbSearch_KeyDown(1, 116, 0);
    EXPECT_EQ(dlg.Sql, "SELECT CODIGO, NOMBRE FROM T_LISTA  where NOMBRE like '%O''B%' ORDER BY CODIGO");
    EXPECT_EQ(columna(*dlg.ListView1, 2), QStringList({"O'Brien"}));
}

// A NUL character pasted into a search box is refused there, with one
// message: the search that follows is made of what the box holds.
TEST_F(ConsultaListaTest, ANulCharacterPastedInASearchBoxNeverReachesTheServer)
{
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY CODIGO");
    dlg.CmbSearch[1]->setEditText("an");
    ScopedPrompts prompts;
    prompts.answerMessage(prompt::Ok, "carácter nulo");
    QApplication::clipboard()->setText(QString::fromUtf16(u"a\0n", 3));
    dlg.CmbSearch[1]->lineEdit()->paste();
    QApplication::processEvents();
    EXPECT_EQ(dlg.CmbSearch[1]->currentText(), "an");

    QTest::keyClick(dlg.CmbSearch[1], Qt::Key_F5);
    EXPECT_EQ(dlg.Sql, "SELECT CODIGO, NOMBRE FROM T_LISTA  where NOMBRE like '%an%' ORDER BY CODIGO");
    EXPECT_EQ(columna(*dlg.ListView1, 2), QStringList({"banana"}));
    EXPECT_EQ(prompts.shown().size(), 1u);
}

TEST_F(ConsultaListaTest, SingleChoiceReturnsTheAskedColumnsOfTheSelectedRow)
{
    KeyedCollection cmps;
    cmps.Add(QStringLiteral("CODIGO"));
    cmps.Add(QStringLiteral("NO_EXISTE"));
    cmps.Add(QStringLiteral("nombre"));
    const std::function<void(Lib_FrmCons3&)> maneras[] = {
        [](Lib_FrmCons3& d) { QTest::keyClick(d.ListView1, Qt::Key_Return); },
        [](Lib_FrmCons3& d) {
            const QRect r = d.ListView1->visualItemRect(d.ListView1->currentItem());
            QTest::mouseClick(d.ListView1->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseDClick(d.ListView1->viewport(), Qt::LeftButton, {}, r.center());
        },
        [](Lib_FrmCons3& d) { d.CmdAceptar->click(); },
    };
    int manera = 0;
    for (const auto& acepta : maneras) {
        Lib_FrmCons3 d;
        d.Sql = "SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN";
        d.CmpsDevueltos = &cmps;
        d.CampoDevuelto = "NOMBRE";
        d.Form_Load();
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        d.CmbSearch[1]->setEditText("ob");
        acepta(d);
        EXPECT_EQ(d.result(), QDialog::Accepted) << "way " << manera;
        ASSERT_TRUE(d.Valores);
        EXPECT_EQ(textos(*d.Valores), QStringList({"A", "A", "Oblea"})) << "way " << manera;
        EXPECT_EQ(d.ValorDevuelto.toString(), "Oblea") << "way " << manera;
        ++manera;
    }

    // Without a returned column the value is the last one the buffer took.
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN");
    dlg.CmpsDevueltos = &cmps;
    dlg.CmdAceptar_Click();
    EXPECT_EQ(dlg.ValorDevuelto.toString(), "Alfajor");
}

TEST_F(ConsultaListaTest, MultipleChoiceReturnsTheCheckedRows)
{
    dlg.CheckBoxes = true;
    dlg.ValoresDefault = "A1|B2|";
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN");
    QStringList marcadas;
    for (int fila = 1; fila <= dlg.ListView1->rowCount(); ++fila)
        if (dlg.ListView1->isChecked(fila))
            marcadas << dlg.ListView1->rowText(fila);
    EXPECT_EQ(marcadas, QStringList({"A1", "B2", "A", "1", "B", ""}));

    // Space checks the current row and types nothing.
    dlg.ListView1->selectRow(7);
    QTest::keyClick(dlg.ListView1, Qt::Key_Space);
    EXPECT_TRUE(dlg.ListView1->isChecked(7));
    EXPECT_EQ(dlg.CmbSearch[0]->currentText(), "");
    dlg.ListView1->setChecked(1, false);

    dlg.CmdAceptar_Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.CampoDevuelto, "CODIGO");
    EXPECT_EQ(textos(*dlg.Valores), QStringList({"B2", "A", "1", "B", "", "C3"}));

    Lib_FrmCons3 nombres;
    nombres.CheckBoxes = true;
    nombres.ValoresDefault = "C3";
    nombres.CampoDevuelto = "NOMBRE";
    nombres.Sql = "SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN";
    nombres.Form_Load();
    nombres.CmdAceptar_Click();
    EXPECT_EQ(textos(*nombres.Valores), QStringList({"Vacio", "Coco"}));

    Lib_FrmCons3 ninguna;
    ninguna.CheckBoxes = true;
    ninguna.Sql = "SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN";
    ninguna.Form_Load();
    ninguna.CmdAceptar_Click();
    EXPECT_EQ(ninguna.result(), QDialog::Accepted);
    EXPECT_EQ(ninguna.Valores->Count(), 0);
}

TEST_F(ConsultaListaTest, QuantityKeysOnTheQuantityColumn)
{
    dlg.CheckBoxes = true;
    dlg.UsaCantidades = true;
    carga("SELECT CODIGO, CANTIDAD AS [**Cantidad**] FROM T_LISTA ORDER BY ORDEN");
    dlg.ListView1->selectRow(1);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* respuesta;
        const char* celda;
        bool marcada;
    } pasos[] = {
        {Qt::Key_Insert, Qt::NoModifier, nullptr, "1.0", true},
        {Qt::Key_Insert, Qt::NoModifier, nullptr, "2.0", true},
        {Qt::Key_Delete, Qt::NoModifier, nullptr, "1.0", true},
        {Qt::Key_Delete, Qt::NoModifier, nullptr, "0.00", false},
        {Qt::Key_Delete, Qt::NoModifier, nullptr, "0.00", false},
        {Qt::Key_Insert, Qt::ShiftModifier, "2.5", "2.50", true},
        {Qt::Key_Delete, Qt::NoModifier, nullptr, "1.5", true},
        {Qt::Key_Insert, Qt::ShiftModifier, "", "0.00", true},
        {Qt::Key_Insert, Qt::NoModifier, nullptr, "1.0", true},
        {Qt::Key_Insert, Qt::ShiftModifier, "muchos", "0.00", true},
    };
    int paso = 0;
    for (const auto& p : pasos) {
        ScopedPrompts prompts;
        if (p.respuesta)
            prompts.answerInput(QString::fromLatin1(p.respuesta), "Ingrese la Cantidad del Articulo...");
        QTest::keyClick(dlg.ListView1, p.key, p.mods);
        EXPECT_EQ(dlg.ListView1->subItem(1, 1), QString::fromLatin1(p.celda)) << "step " << paso;
        EXPECT_EQ(dlg.ListView1->isChecked(1), p.marcada) << "step " << paso;
        if (p.respuesta) {
            ASSERT_EQ(prompts.shown().size(), 1u);
            EXPECT_EQ(prompts.shown()[0].title, "Carga de Datos");
        }
        ++paso;
    }
    EXPECT_EQ(dlg.CmbSearch[0]->currentText(), "");

    // Without a quantity column the keys fail into the error dialog.
    Lib_FrmCons3 sin;
    sin.UsaCantidades = true;
    sin.Sql = "SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN";
    sin.Form_Load();
    {
        ScopedPrompts prompts;
        prompts.answerError(0, "ListView1_KeyDown");
        QTest::keyClick(sin.ListView1, Qt::Key_Insert);
    }
    // And with quantities off they do nothing.
    Lib_FrmCons3 apagado;
    apagado.Sql = "SELECT CODIGO, CANTIDAD AS [**Cantidad**] FROM T_LISTA ORDER BY ORDEN";
    apagado.Form_Load();
    QTest::keyClick(apagado.ListView1, Qt::Key_Insert);
    EXPECT_EQ(apagado.ListView1->subItem(1, 1), "0.00");
    EXPECT_EQ(apagado.CmbSearch[0]->currentText(), "");
}

TEST_F(ConsultaListaTest, ColumnClicksSortTheWholeListOneWayThenTheOther)
{
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA WHERE ORDEN < 6 ORDER BY ORDEN");
    dlg.ListView1_ColumnClick(2);
    EXPECT_EQ(columna(*dlg.ListView1, 2), QStringList({"Zapallo", "Oblea", "O'Brien", "banana", "Alfajor"}));
    dlg.ListView1_ColumnClick(2);
    EXPECT_EQ(columna(*dlg.ListView1, 2), QStringList({"Alfajor", "banana", "O'Brien", "Oblea", "Zapallo"}));
    dlg.ListView1_ColumnClick(1);
    EXPECT_EQ(columna(*dlg.ListView1, 1), QStringList({"B2", "B", "A1", "A", "1"}));

    Lib_FrmCons3 propia;
    propia.OrdenarPorLwv = true;
    propia.Sql = "SELECT NOMBRE, CODIGO FROM T_LISTA WHERE ORDEN < 6";
    propia.Form_Load();
    EXPECT_EQ(columna(*propia.ListView1, 1), QStringList({"Alfajor", "banana", "O'Brien", "Oblea", "Zapallo"}));
}

// A column shows its caption and its texts whole, however short its field,
// and its search box spans it. The bar under the strip shows only when the
// form hides columns, and scrolls as far as the last one.
TEST_F(ConsultaListaTest, ColumnsShowTheirCaptionsAndTextsWholeAndTheBarScrollsOnlyWhatIsHidden)
{
    db.execute("CREATE TABLE T_ANCHOS (Descripcion varchar(50), IdDeposito varchar(4), Importe integer);"
               "INSERT INTO T_ANCHOS VALUES ('Deposito Central', '1', 123456789012345);");
    carga("SELECT Descripcion, IdDeposito, Importe FROM T_ANCHOS");
    const ReportList& lista = *dlg.ListView1;
    const QFontMetrics fm = lista.fontMetrics();
    for (int i = 1; i <= 3; ++i) {
        EXPECT_GE(lista.columnWidth(i), lista.header()->sectionSizeHint(i - 1)) << lista.columnText(i).toStdString();
        EXPECT_GT(lista.columnWidth(i), fm.horizontalAdvance(lista.cell(1, i))) << lista.columnText(i).toStdString();
        const QComboBox& caja = *dlg.CmbSearch[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(caja.x(), lista.x() + lista.columnLeft(i)) << i;
        EXPECT_NEAR(caja.width(), lista.columnWidth(i) - 3, 1) << i;
    }
    EXPECT_EQ(lista.columnWidth(1), fm.horizontalAdvance(QString(50, u'X')));
    EXPECT_FALSE(dlg.HScroll1->isVisibleTo(&dlg));

    // A form narrower than its columns: the bar brings the last one whole
    // into view, and no further.
    const int ancho = dlg.width();
    dlg.resize(ancho / 2, dlg.height());
    dlg.Form_Resize();
    ASSERT_TRUE(dlg.HScroll1->isVisibleTo(&dlg));
    dlg.HScroll1->setValue(dlg.HScroll1->maximum());
    const int finColumnas = dlg.picFields->x() + lista.x() + lista.columnLeft(3) + lista.columnWidth(3);
    const int lugar = dlg.width() - 8;
    EXPECT_LE(finColumnas, lugar);
    EXPECT_GE(finColumnas, lugar - 24);
    EXPECT_FALSE(lista.horizontalScrollBar()->isVisibleTo(&dlg));

    dlg.resize(ancho, dlg.height());
    dlg.Form_Resize();
    EXPECT_FALSE(dlg.HScroll1->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.picFields->x(), 0);
}

TEST_F(ConsultaListaTest, CancelReturnsNothing)
{
    KeyedCollection cmps;
    dlg.CmpsDevueltos = &cmps;
    carga("SELECT CODIGO, NOMBRE FROM T_LISTA ORDER BY ORDEN");
    dlg.ValorDevuelto = "algo";
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.ValorDevuelto.toString(), "");
    EXPECT_FALSE(dlg.Valores);
    EXPECT_EQ(dlg.CmpsDevueltos, nullptr);
    ASSERT_TRUE(dlg.Cantidades);
    EXPECT_EQ(dlg.Cantidades->Count(), 0);
}

TEST(ConsultaListaColoresTest, ArticleRowsShowTheirStockLevel)
{
    TestDatabase db(R"(
        CREATE TABLE T_STOCK_ARTICULOS (IDARTICULO varchar(10), PUNTOPEDIDO decimal(18,4), Stock decimal(18,4));
        INSERT INTO T_STOCK_ARTICULOS VALUES ('A', 10, 15), ('B', 10, 5), ('C', 10, 10), ('D', 0, 3), ('E', 0, 0);
        INSERT INTO TA_CONFIGURACION VALUES ('MostrarStockenConsultas', 'si'), ('Stk_Nivel1', '255'),
            ('Stk_Nivel2', '65280'), ('Stk_Nivel3', '16711680'), ('Stk_Nivel4', ''), ('NOM_PCLASE1', 'Mayorista');
    )");
    Lib_FrmCons3 dlg;
    dlg.Sql = "SELECT IDARTICULO, PUNTOPEDIDO, Stock FROM T_STOCK_ARTICULOS";
    dlg.Form_Load();
    ASSERT_EQ(dlg.ListView1->rowCount(), 5);
    const QColor esperados[] = {QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 0, 0), QColor(255, 0, 0),
                                QColor(0, 0, 0)};
    for (int fila = 1; fila <= 5; ++fila) {
        const QTreeWidgetItem* item = dlg.ListView1->topLevelItem(fila - 1);
        EXPECT_EQ(item->foreground(0).color(), esperados[fila - 1]) << "row " << fila;
        EXPECT_EQ(item->foreground(2).color(), esperados[fila - 1]) << "row " << fila;
        EXPECT_TRUE(item->font(1).bold()) << "row " << fila;
    }

    // A missing level setting leaves its rows plain; so does a one-column query.
    db.execute("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'Stk_Nivel2';");
    Lib_FrmCons3 sinNivel;
    sinNivel.Sql = "SELECT IDARTICULO, PUNTOPEDIDO, Stock FROM T_STOCK_ARTICULOS";
    sinNivel.Form_Load();
    EXPECT_FALSE(sinNivel.ListView1->topLevelItem(0)->font(0).bold());
    EXPECT_TRUE(sinNivel.ListView1->topLevelItem(1)->font(0).bold());
    Lib_FrmCons3 unaColumna;
    unaColumna.Sql = "SELECT IDARTICULO FROM T_STOCK_ARTICULOS";
    unaColumna.Form_Load();
    EXPECT_FALSE(unaColumna.ListView1->topLevelItem(1)->font(0).bold());

    Lib_FrmCons3 precios;
    precios.Sql = "SELECT IDARTICULO, PRECIO1 FROM V_MA_ARTICULOS";
    precios.Form_Load();
    EXPECT_EQ(precios.ListView1->columnText(2), "Mayorista");
}

TEST(ConsultaListaFacadeTest, ArticleLookupEndToEnd)
{
    TestDatabase db({}, true);
    QTemporaryDir dir;
    RutaMascaraConsultas = dir.filePath("consultas.vtl");
    CreaArchivoConsultas();
    Lib_ClsCons3 facade;
    facade.gUsarMascarasConsultas = true;
    facade.gRutaMascaraConsultas = RutaMascaraConsultas;

    ScopedPrompts p;
    p.onModal("Lib_FrmCons3", [](QDialog& d) {
        auto& lista = static_cast<Lib_FrmCons3&>(d);
        EXPECT_EQ(lista.Sql,
                  "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION");
        EXPECT_EQ(lista.ListView1->rowCount(), 5);
        QTest::keyClicks(lista.ListView1, "ara");
        QTest::keyClick(lista.ListView1, Qt::Key_Return);
        return lista.result();
    });
    p.onModal("Lib_FrmCons3", [](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    });
    facade.CampoDevuelto = "IdArticulo";
    facade.ConsultaSearch("V_MA_ARTICULOS", &facade.CmpsDevueltos);
    EXPECT_EQ(facade.ValorDevuelto.toString().trimmed(), "ART002");

    facade.CampoDevuelto = "IdArticulo";
    facade.ConsultaSearch("V_MA_ARTICULOS", &facade.CmpsDevueltos);
    EXPECT_EQ(facade.ValorDevuelto.toString(), "");
}
