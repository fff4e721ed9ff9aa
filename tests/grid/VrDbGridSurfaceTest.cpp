#include "grid/VrDbGrid.h"
#include "platform/FlexGrid.h"
#include "platform/PropertyBag.h"
#include "platform/RuntimeError.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"
#include "tests/support/QtPrinting.h"

#include <QFrame>
#include <QMenu>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QStringList menuTexts(const VrDbGrid& grid, const char* button)
{
    QStringList texts;
    for (const QAction* a : grid.findChild<QToolButton*>(button)->menu()->actions())
        texts << a->text();
    return texts;
}

struct StoreFixture {
    QTemporaryDir dir;
    QSettings settings{dir.filePath("propiedades.ini"), QSettings::IniFormat};
    PropertyBag bag{settings, "frmPrueba/VrDbGrid1"};
};

}  // namespace

TEST(VrDbGridSurfaceTest, AFreshGridHoldsTheValuesOfFirstPlacement)
{
    VrDbGrid grid;
    EXPECT_FALSE(grid.isEnabled());
    EXPECT_EQ(grid.PrimaryKey(), "ID");
    EXPECT_EQ(grid.Find(), 2);
    EXPECT_EQ(grid.Order(), 1);
    EXPECT_EQ(grid.AlignCommandBar(), 2);
    EXPECT_EQ(grid.AlignFilterBar(), 1);
    EXPECT_EQ(grid.PageSize(), 5);
    EXPECT_FALSE(grid.AnchoColFijo());
    EXPECT_EQ(grid.FormatDate(), 103);
    EXPECT_EQ(grid.PaginaActual(), 1);
    EXPECT_EQ(grid.UltimaPagina(), 0);
    EXPECT_EQ(grid.MsFlexGrid->objectName(), "MSFlexGrid1");
    EXPECT_EQ(grid.txtEdit->objectName(), "txtEdit1");
    EXPECT_FALSE(grid.txtEdit->Visible());

    QStringList changed;
    QObject::connect(&grid, &VrDbGrid::PropertyChanged, [&](const QString& name) { changed << name; });
    grid.setSql("SELECT a FROM t");
    EXPECT_EQ(grid.Sql(), "SELECT a FROM t ");
    grid.setPageSize(15);
    EXPECT_EQ(changed, QStringList({"SQL", "PageSize"}));
}

TEST(VrDbGridSurfaceTest, StoredPropertiesKeepOnlyWhatDiffersFromTheirDefaults)
{
    StoreFixture store;
    {
        VrDbGrid grid;
        grid.setSql("SELECT IdArticulo, id FROM Stk_Dravelo_Sin_Asignar");
        grid.setPrimaryKey("id");
        grid.setPageSize(15);
        grid.setOrder(2);
        grid.setOcultarOrdenar(true);
        grid.setAnchoColFijo(false);
        grid.WriteProperties(store.bag);
    }
    store.settings.sync();
    EXPECT_FALSE(store.settings.contains("frmPrueba/VrDbGrid1/Find")) << "equal to its default";
    EXPECT_TRUE(store.settings.contains("frmPrueba/VrDbGrid1/Order"));
    EXPECT_TRUE(store.settings.contains("frmPrueba/VrDbGrid1/OcultarOrdenar"));

    VrDbGrid grid;
    grid.ReadProperties(store.bag);
    EXPECT_EQ(grid.Sql(), "SELECT IdArticulo, id FROM Stk_Dravelo_Sin_Asignar ") << "taken as stored";
    EXPECT_EQ(grid.PrimaryKey(), "id");
    EXPECT_EQ(grid.PageSize(), 15);
    EXPECT_EQ(grid.Find(), 2);
    EXPECT_EQ(grid.Order(), 2);
    EXPECT_FALSE(grid.AnchoColFijo());
    EXPECT_FALSE(grid.OcultarOrdenar()) << "not read back: the host sets it before loading";
    EXPECT_EQ(menuTexts(grid, "BUSCAR"), QStringList({"Buscar en Página Actual", "» Buscar en todas las Páginas"}));
    EXPECT_EQ(menuTexts(grid, "Orden"), QStringList({"Ordemaniento Individual", "» Ordenamiento Múltiple"}));
}

TEST(VrDbGridSurfaceTest, MissingKeysReadAsTheirDefaults)
{
    StoreFixture store;
    store.bag.WriteProperty("Find", 7);
    VrDbGrid grid;
    grid.ReadProperties(store.bag);
    EXPECT_TRUE(grid.AnchoColFijo()) << "a stored grid without the key keeps its widths";
    EXPECT_FALSE(grid.Columnas());
    EXPECT_EQ(grid.FormatDate(), 103);
    EXPECT_EQ(grid.Find(), 7) << "kept, though the menu has no such entry";

    try {
        grid.setOrder(3);
        FAIL() << "an order mode without a menu entry is refused";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(grid.Order(), 3);
    }
}

TEST(VrDbGridSurfaceTest, ChoosingAModeFromAMenuMovesTheMark)
{
    VrDbGrid grid;
    grid.setFind(2);
    grid.Toolbar1_ButtonMenuClick(1);
    EXPECT_EQ(grid.Find(), 1);
    EXPECT_EQ(menuTexts(grid, "BUSCAR"), QStringList({"» Buscar en Página Actual", "  Buscar en todas las Páginas"}));
    grid.Toolbar1_ButtonMenuClick(1);
    EXPECT_EQ(menuTexts(grid, "BUSCAR"), QStringList({"» Buscar en Página Actual", "  Buscar en todas las Páginas"}));
    grid.Toolbar2_ButtonMenuClick(2);
    EXPECT_EQ(grid.Order(), 2);
    EXPECT_EQ(menuTexts(grid, "Orden").at(1), "» Ordenamiento Múltiple");
}

TEST(VrDbGridSurfaceTest, TheBarsArePlacedByTheirAlignment)
{
    VrDbGrid grid;
    grid.resize(600, 400);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    auto* comandos = grid.findChild<QFrame*>("FrmComandos");
    const int gridHeight = twips::fromPixels(400) - 1000 - twips::fromPixels(grid.findChild<QWidget*>("StatusBar1")->height());

    grid.setAlignCommandBar(2);
    grid.resize(601, 400);
    EXPECT_EQ(comandos->y(), twips::toPixels(gridHeight + 400));
    EXPECT_EQ(grid.MsFlexGrid->width(), twips::toPixels(twips::fromPixels(601) - 100));

    grid.setAlignCommandBar(1);
    grid.resize(602, 400);
    EXPECT_EQ(comandos->y(), 0);
    EXPECT_EQ(grid.MsFlexGrid->y(), comandos->height());

    const QRect before = comandos->geometry();
    const QRect gridBefore = grid.MsFlexGrid->geometry();
    grid.setAlignCommandBar(7);
    grid.setAlignFilterBar(7);
    grid.resize(700, 500);
    EXPECT_EQ(comandos->geometry(), before);
    EXPECT_EQ(grid.MsFlexGrid->geometry(), gridBefore);
}

TEST(VrDbGridSurfaceTest, TheEditorsMouseMoveIsRelayedAndItsButtonPressIsNot)
{
    VrDbGrid grid;
    grid.setEnabled(true);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.txtEdit->setGeometry(10, 10, 80, 20);
    grid.txtEdit->show();
    int relayed = 0;
    QObject::connect(&grid, &VrDbGrid::txtEditMouseDown, [&] { ++relayed; });
    QTest::mouseMove(grid.txtEdit, QPoint(3, 3));
    QTest::mouseMove(grid.txtEdit, QPoint(5, 4));
    const int moves = relayed;
    EXPECT_GE(moves, 1);
    QTest::mousePress(grid.txtEdit, Qt::LeftButton, {}, QPoint(5, 4));
    QTest::mouseRelease(grid.txtEdit, Qt::LeftButton, {}, QPoint(5, 4));
    EXPECT_EQ(relayed, moves);
}

// A shown grid taken down while its editor or its inner grid holds the focus
// hands the focus on as its controls go: by then the grid is half gone, and
// neither it nor its host may hear of it.
TEST(VrDbGridSurfaceTest, AGridTakenDownWithTheFocusInsideRelaysNoLostFocus)
{
    for (const bool enElEditor : {true, false}) {
        auto* grid = new VrDbGrid;
        grid->setEnabled(true);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid));
        grid->txtEdit->setGeometry(10, 10, 80, 20);
        grid->txtEdit->show();
        QWidget* foco = enElEditor ? static_cast<QWidget*>(grid->txtEdit) : grid->MsFlexGrid->view();
        foco->setFocus();
        ASSERT_TRUE(foco->hasFocus()) << enElEditor;
        int relayed = 0;
        QObject::connect(grid, &VrDbGrid::txtEditLostFocus, [&relayed] { ++relayed; });
        QObject::connect(grid, &VrDbGrid::MsFlexGridLostFocus, [&relayed] { ++relayed; });
        delete grid;
        EXPECT_EQ(relayed, 0) << (enElEditor ? "editor" : "inner grid");
    }
}
