#include "lookup/Lib_FrmCons3Tree.h"

#include "lookup/Lib_ClsCons3.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// Each node as "parent key > text", in the order of addition.
QStringList forma(const Lib_FrmCons3Tree& d)
{
    QStringList out;
    std::function<void(QTreeWidgetItem*)> recorre = [&](QTreeWidgetItem* n) {
        out << d.Key(n->parent()) + " > " + n->text(0);
        for (int i = 0; i < n->childCount(); ++i)
            recorre(n->child(i));
    };
    for (int i = 0; i < d.TreeV->topLevelItemCount(); ++i)
        recorre(d.TreeV->topLevelItem(i));
    return out;
}

class ConsultaArbolTest : public testing::Test {
protected:
    void carga(const QString& sql)
    {
        dlg.Sql = sql;
        dlg.Form_Load();
    }
    QString elegido() const { return dlg.Key(dlg.TreeV->currentItem()); }

    TestDatabase db{R"(
        INSERT INTO V_TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES
            ('01', 'BEBIDAS'), ('0101', 'GASEOSAS'), ('0102', 'AGUAS'), ('02', 'ALMACEN'), ('03', 'O''HIGGINS');
        CREATE TABLE T_ARBOL (ORDEN integer, CODIGO varchar(10), DESCRIPCION varchar(40));
        INSERT INTO T_ARBOL VALUES (1, '01', 'Bebidas'), (2, '0101', 'Gaseosas'), (3, '02', 'Almacen'),
            (4, '0102', NULL), (5, '0102', 'Repetida'), (6, NULL, 'Sin codigo');
    )"};
    Lib_FrmCons3Tree dlg;
};

}  // namespace

TEST_F(ConsultaArbolTest, BuildsTheTreeFromTheCodesLengths)
{
    EXPECT_EQ(dlg.windowTitle(), "Consulta...");
    EXPECT_EQ(dlg.CmbSearch[0]->toolTip(), "F5 realiza nueva busqueda");
    EXPECT_EQ(dlg.CmdNueva->text(), "&Nueva Busqueda");

    carga("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS WHERE IDFAMILIA < '03' ORDER BY IDFAMILIA");
    EXPECT_EQ(forma(dlg), QStringList({" > Consulta...", "A > 01 - BEBIDAS", "A01 > 0101 - GASEOSAS",
                                       "A01 > 0102 - AGUAS", "A > 02 - ALMACEN"}));
    EXPECT_TRUE(dlg.Nodo("A")->isExpanded());

    // A longer code goes under the row before it, whatever its first characters.
    carga("SELECT CODIGO, DESCRIPCION FROM T_ARBOL WHERE ORDEN < 5 ORDER BY ORDEN");
    EXPECT_EQ(forma(dlg), QStringList({" > Consulta...", "A > 01 - Bebidas", "A01 > 0101 - Gaseosas",
                                       "A > 02 - Almacen", "A02 > 0102 - "}));

    carga("SELECT CODIGO, DESCRIPCION FROM T_ARBOL WHERE ORDEN > 100");
    EXPECT_EQ(forma(dlg), QStringList({" > Consulta..."}));
}

TEST_F(ConsultaArbolTest, RepeatedOrMissingCodesGoToTheErrorDialog)
{
    ScopedPrompts p;
    p.answerError(5, "ArmarTreeVAutomatico");  // the repeated code: go on without it
    p.answerError(0, "ArmarTreeVAutomatico");  // the missing code: leave
    carga("SELECT CODIGO, DESCRIPCION FROM T_ARBOL ORDER BY ORDEN");
    EXPECT_EQ(forma(dlg), QStringList({" > Consulta...", "A > 01 - Bebidas", "A01 > 0101 - Gaseosas",
                                       "A > 02 - Almacen", "A02 > 0102 - "}));
}

TEST_F(ConsultaArbolTest, SearchSelectsTheFirstNodeByCodeOrDescription)
{
    carga("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
    const struct {
        const char* texto;
        const char* nodo;
    } casos[] = {
        {"01", "A01"},  {"0102", "A0102"}, {"gas", "A0101"}, {" gas", "A0101"},  // a leading blank matches nothing
        {"", "A"},      {"CONS", "A"},     {"alm", "A02"},   {"zz", "A02"},
    };
    for (const auto& c : casos) {
        dlg.CmbSearch[0]->setEditText(QString::fromLatin1(c.texto));
        EXPECT_EQ(elegido(), QString::fromLatin1(c.nodo)) << "'" << c.texto << "'";
    }
    EXPECT_TRUE(dlg.Nodo("A01")->isExpanded());
}

TEST_F(ConsultaArbolTest, F5FiltersTheDescriptionOnTheServer)
{
    carga("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
    // The statement as the data layer sent it: the families' synonym.
    EXPECT_EQ(dlg.Sql, "SELECT IDFAMILIA, DESCRIPCION FROM SS_V_TA_FAMILIAS ORDER BY IDFAMILIA");

    dlg.CmbSearch[0]->setEditText("i");
    QTest::keyClick(dlg.CmbSearch[0], Qt::Key_F5);
    EXPECT_EQ(dlg.Sql, "SELECT IDFAMILIA, DESCRIPCION FROM SS_V_TA_FAMILIAS  where Descripcion like '%i%' ORDER BY IDFAMILIA");
    EXPECT_EQ(dlg.CmbSearch[0]->currentText(), "");
    EXPECT_EQ(forma(dlg), QStringList({" > Consulta...", "A > 01 - BEBIDAS", "A > 03 - O'HIGGINS"}));

    dlg.CmbSearch[0]->setEditText("O'H");
    EXPECT_TRUE(dlg.CmbSearch_KeyDown(0, 116, 0));
    EXPECT_EQ(dlg.Sql, "SELECT IDFAMILIA, DESCRIPCION FROM SS_V_TA_FAMILIAS  where Descripcion like '%i%'  and "
                       "Descripcion like '%O''H%' ORDER BY IDFAMILIA");
    EXPECT_EQ(forma(dlg), QStringList({" > Consulta...", "A > 03 - O'HIGGINS"}));

    // New search rebuilds the filtered tree.
    dlg.CmdNueva_Click();
    EXPECT_EQ(forma(dlg), QStringList({" > Consulta...", "A > 03 - O'HIGGINS"}));

    Lib_FrmCons3Tree sinOrden;
    sinOrden.Sql = "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS";
    sinOrden.Form_Load();
    sinOrden.CmbSearch[0]->setEditText("gas");
    sinOrden.CmbSearch_KeyDown(0, 116, 0);
    EXPECT_EQ(sinOrden.Sql, "SELECT IDFAMILIA, DESCRIPCION FROM SS_V_TA_FAMILIAS where Descripcion like '%gas%' ");
    EXPECT_EQ(forma(sinOrden), QStringList({" > Consulta...", "A > 0101 - GASEOSAS"}));
}

TEST_F(ConsultaArbolTest, AcceptanceReturnsTheFamilysFieldAndCancelNothing)
{
    carga("SELECT CODIGO, DESCRIPCION FROM T_ARBOL WHERE ORDEN < 5 ORDER BY ORDEN");
    const struct {
        const char* buscado;
        const char* campo;
        const char* valor;
    } casos[] = {
        {"Gas", "DESCRIPCION", "GASEOSAS"}, {"01", "IDFAMILIA", "01"}, {"0102", "descripcion", "AGUAS"},
        {"", "DESCRIPCION", ""},  // the root: no family has an empty code
    };
    for (const auto& c : casos) {
        dlg.CmbSearch[0]->setEditText(QString::fromLatin1(c.buscado));
        dlg.CampoDevuelto = QString::fromLatin1(c.campo);
        dlg.CmdAceptar_Click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.buscado;
        EXPECT_EQ(dlg.ValorDevuelto.toString(), QString::fromLatin1(c.valor)) << c.buscado;
    }

    db.execute("DELETE FROM V_TA_FAMILIAS WHERE IDFAMILIA = '0101';");
    dlg.CmbSearch[0]->setEditText("0101");
    dlg.CmdAceptar_Click();
    EXPECT_EQ(dlg.ValorDevuelto.toString(), "");

    dlg.ValorDevuelto = "algo";
    dlg.CmdCancelar->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.ValorDevuelto.toString(), "");
    EXPECT_FALSE(dlg.Valores);
}

TEST(ConsultaArbolFacadeTest, TreeLookupEndToEnd)
{
    TestDatabase db({}, true);
    Lib_ClsCons3 facade;
    ScopedPrompts p;
    p.onModal("Lib_FrmCons3Tree", [](QDialog& d) {
        auto& arbol = static_cast<Lib_FrmCons3Tree&>(d);
        QTest::keyClicks(arbol.CmbSearch[0], "auto");
        arbol.TreeV_DblClick();
        return arbol.result();
    });
    facade.CampoDevuelto = "IDFAMILIA";
    facade.ConsultaSearch("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA", nullptr, {}, nullptr,
                          {}, {}, true);
    EXPECT_EQ(facade.ValorDevuelto.toString(), "010101");
    EXPECT_EQ(facade.CampoDevuelto, "");
}
