#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/Keys.h"

#include <QAbstractButton>
#include <QBrush>
#include <QAbstractItemModel>
#include <QApplication>
#include <QSignalSpy>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>
#include "tests/support/ErrorNumber.h"

namespace {

// A 4 x 3 grid with a fixed header row and a fixed first column, each cell
// holding "r,c", and a trace of the cell events.
struct GridFixture {
    FlexGrid grid;
    QStringList trace;

    GridFixture()
    {
        grid.setRows(4);
        grid.setCols(3);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                grid.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        QObject::connect(&grid, &FlexGrid::LeaveCell, [this] { trace << "leave " + grid.Text(); });
        QObject::connect(&grid, &FlexGrid::EnterCell, [this] { trace << "enter " + grid.Text(); });
    }

    void show()
    {
        grid.resize(400, 300);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
    }
};

}  // namespace

TEST(FlexGridTest, ResizingKeepsTheCellsThatRemainAndTheFixedCellsAreTheHeaders)
{
    GridFixture f;
    f.grid.setCols(5);
    f.grid.setRows(3);
    EXPECT_EQ(f.grid.TextMatrix(2, 2), "2,2");
    EXPECT_EQ(f.grid.TextMatrix(2, 4), "");
    f.grid.setCols(2);
    EXPECT_EQ(f.grid.TextMatrix(1, 1), "1,1");

    const QAbstractItemModel* model = f.grid.view()->model();
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->columnCount(), 1);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "0,1");
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString(), "2,0");
    EXPECT_EQ(model->index(1, 0).data().toString(), "2,1");

    EXPECT_EQ(errorNumberOf([&] { f.grid.TextMatrix(3, 0); }), errnum::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { f.grid.setTextMatrix(0, 2, "x"); }), errnum::SubscriptOutOfRange);
}

// Past the first, fixed columns are shown among the cells but look like the
// header and never become current: not by the arrows, not by a click.
TEST(FlexGridTest, FixedColumnsAfterTheFirstLookLikeHeadersAndNeverBecomeCurrent)
{
    GridFixture f;
    f.grid.setCols(4);
    f.grid.setFixedCols(2);
    EXPECT_EQ(f.grid.FixedCols(), 2);
    const QAbstractItemModel* model = f.grid.view()->model();
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "0,1");
    EXPECT_EQ(model->index(0, 0).data().toString(), "1,1");
    EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsSelectable);
    EXPECT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsSelectable);
    EXPECT_EQ(model->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              QApplication::palette().color(QPalette::Button));

    f.show();
    f.grid.setCol(2);
    QTest::keyClick(f.grid.view(), Qt::Key_Left);
    EXPECT_EQ(f.grid.Col(), 2);
    QTest::keyClick(f.grid.view(), Qt::Key_End);
    QTest::keyClick(f.grid.view(), Qt::Key_Home);
    EXPECT_EQ(f.grid.Col(), 2);
    QTableView* view = f.grid.view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model->index(2, 0)).center());
    EXPECT_EQ(f.grid.Row(), 1) << "a click on a fixed cell moves nothing";
    EXPECT_EQ(f.grid.Col(), 2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model->index(2, 2)).center());
    EXPECT_EQ(f.grid.Row(), 3);
    EXPECT_EQ(f.grid.Col(), 3);

    EXPECT_EQ(errorNumberOf([&] { f.grid.setFixedCols(5); }), errnum::InvalidProcedureCall);
}

TEST(FlexGridTest, TheCornerCellShowsItsText)
{
    GridFixture f;
    f.show();
    auto* corner = f.grid.view()->findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    const auto darkPixels = [&] {
        const QImage image = corner->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        return dark;
    };
    f.grid.setTextMatrix(0, 0, QString());
    const int blank = darkPixels();
    f.grid.setTextMatrix(0, 0, QStringLiteral("Posicion"));
    EXPECT_GT(darkPixels(), blank + 10) << "the corner's caption is not drawn";
}

TEST(FlexGridTest, MovingTheCurrentCellLeavesTheOldCellBeforeEnteringTheNew)
{
    GridFixture f;
    EXPECT_EQ(f.grid.Row(), 1);
    EXPECT_EQ(f.grid.Col(), 1);
    f.grid.setRow(3);
    f.grid.setCol(2);
    f.grid.setCol(2);
    EXPECT_EQ(f.trace, QStringList({"leave 1,1", "enter 3,1", "leave 3,1", "enter 3,2"}));

    // The code may put the current cell on a fixed cell, and the cell
    // properties then act on it.
    f.grid.setRow(0);
    f.grid.setText("Encabezado");
    EXPECT_EQ(f.grid.TextMatrix(0, 2), "Encabezado");
    EXPECT_EQ(f.grid.view()->model()->headerData(1, Qt::Horizontal).toString(), "Encabezado");
}

TEST(FlexGridTest, KeysMoveTheCellUnlessTheHandlerZeroesTheCode)
{
    GridFixture f;
    QList<int> downs;
    QList<int> presses;
    bool swallowDown = false;
    QObject::connect(&f.grid, &FlexGrid::KeyDown, [&](int& code, int) {
        downs << code;
        if (swallowDown && code == keys::Down)
            code = 0;
    });
    QObject::connect(&f.grid, &FlexGrid::KeyPress, [&](int& ascii) { presses << ascii; });

    QTest::keyClick(f.grid.view(), Qt::Key_Down);
    EXPECT_EQ(f.grid.Row(), 2);
    swallowDown = true;
    QTest::keyClick(f.grid.view(), Qt::Key_Down);
    EXPECT_EQ(f.grid.Row(), 2);
    swallowDown = false;
    QTest::keyClick(f.grid.view(), Qt::Key_Down);
    QTest::keyClick(f.grid.view(), Qt::Key_Down);
    EXPECT_EQ(f.grid.Row(), 3) << "no row below the last";
    QTest::keyClick(f.grid.view(), Qt::Key_Up);
    QTest::keyClick(f.grid.view(), Qt::Key_Up);
    QTest::keyClick(f.grid.view(), Qt::Key_Up);
    EXPECT_EQ(f.grid.Row(), 1) << "the fixed row is never reached by keys";

    QTest::keyClick(f.grid.view(), Qt::Key_5);
    QTest::keyClick(f.grid.view(), Qt::Key_Return);
    EXPECT_EQ(downs, QList<int>({40, 40, 40, 40, 38, 38, 38, 53, 13}));
    EXPECT_EQ(presses, QList<int>({'5', 13}));
    EXPECT_EQ(f.trace, QStringList({"leave 1,1", "enter 2,1", "leave 2,1", "enter 3,1", "leave 3,1", "enter 2,1",
                                    "leave 2,1", "enter 1,1"}));
}

TEST(FlexGridTest, ArrowsStepOverHiddenColumns)
{
    GridFixture f;
    f.grid.setCols(5);
    f.grid.setColWidth(2, 0);
    f.grid.setColWidth(4, 0);
    QTest::keyClick(f.grid.view(), Qt::Key_Right);
    EXPECT_EQ(f.grid.Col(), 3);
    QTest::keyClick(f.grid.view(), Qt::Key_Right);
    EXPECT_EQ(f.grid.Col(), 3);
    QTest::keyClick(f.grid.view(), Qt::Key_Left);
    EXPECT_EQ(f.grid.Col(), 1);
    EXPECT_TRUE(f.grid.view()->isColumnHidden(1));
    EXPECT_EQ(f.grid.ColWidth(2), 0);
    EXPECT_EQ(f.grid.ColWidth(1), 960) << "the default width";
}

TEST(FlexGridTest, CellColoursFollowTheCurrentCellAndClearEmptiesEverything)
{
    GridFixture f;
    f.grid.setRow(2);
    f.grid.setCol(1);
    EXPECT_EQ(f.grid.CellBackColor(), 0u) << "a cell never painted keeps the grid's colour";
    f.grid.setCellBackColor(0xE8E8C0);
    f.grid.setRow(3);
    EXPECT_EQ(f.grid.CellBackColor(), 0u);
    f.grid.setRow(2);
    EXPECT_EQ(f.grid.CellBackColor(), 0xE8E8C0u);
    EXPECT_EQ(f.grid.view()->model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(192, 232, 232));

    f.grid.Clear();
    EXPECT_EQ(f.grid.Rows(), 4);
    EXPECT_EQ(f.grid.TextMatrix(0, 1), "");
    EXPECT_EQ(f.grid.TextMatrix(2, 1), "");
    EXPECT_EQ(f.grid.CellBackColor(), 0u);
}

TEST(FlexGridTest, BackColoursAtACellLeaveTheCurrentCellWhereItIs)
{
    GridFixture f;
    f.show();
    f.grid.setRow(2);
    f.grid.setCol(1);
    f.trace.clear();
    QSignalSpy changed(f.grid.view()->model(), &QAbstractItemModel::dataChanged);

    f.grid.setCellBackColorAt(3, 2, 0xFF);
    f.grid.fillRowBackColor(1, 0, 2, 0xE0E0E0);
    EXPECT_EQ(f.grid.Row(), 2);
    EXPECT_EQ(f.grid.Col(), 1);
    EXPECT_TRUE(f.trace.isEmpty()) << f.trace.join(u'|').toStdString();
    EXPECT_EQ(changed.count(), 2) << "the view hears of each change once";

    struct Caso {
        int row, col;
        std::uint32_t color;
    } casos[] = {{3, 2, 0xFF}, {3, 1, 0}, {1, 0, 0xE0E0E0}, {1, 2, 0xE0E0E0}, {2, 1, 0}};
    for (const auto& c : casos)
        EXPECT_EQ(f.grid.CellBackColorAt(c.row, c.col), c.color) << c.row << "," << c.col;
    f.grid.setRow(3);
    f.grid.setCol(2);
    EXPECT_EQ(f.grid.CellBackColor(), 0xFFu) << "the current cell reads the same colour";

    f.grid.fillRowBackColor(1, 1, 2, 0);
    EXPECT_EQ(f.grid.CellBackColorAt(1, 0), 0xE0E0E0u);
    EXPECT_EQ(f.grid.CellBackColorAt(1, 1), 0u) << "0 gives the cell back its default look";
    EXPECT_EQ(errorNumberOf([&] { f.grid.setCellBackColorAt(4, 0, 1); }), errnum::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { f.grid.fillRowBackColor(1, 1, 3, 1); }), errnum::SubscriptOutOfRange);
}

TEST(FlexGridTest, AHiddenGridTellsItsViewOfItsChangesWhenShown)
{
    GridFixture f;
    QSignalSpy changed(f.grid.view()->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy headers(f.grid.view()->model(), &QAbstractItemModel::headerDataChanged);
    for (int r = 1; r < 4; ++r) {
        f.grid.setTextMatrix(r, 0, QStringLiteral("h%1").arg(r));
        f.grid.setTextMatrix(r, 1, QStringLiteral("t%1").arg(r));
        f.grid.fillRowBackColor(r, 1, 2, 0xFF);
    }
    EXPECT_EQ(changed.count() + headers.count(), 0);
    EXPECT_EQ(f.grid.view()->model()->index(2, 0).data().toString(), "t3") << "the model reads the cells at once";

    f.show();
    EXPECT_EQ(changed.count(), 1) << "one notice for every cell";
    EXPECT_EQ(headers.count(), 2) << "one per header";
    f.grid.setTextMatrix(1, 1, QStringLiteral("x"));
    EXPECT_EQ(changed.count(), 2) << "a grid on view tells each change";
}

// Rows appended at once read as rows added and written cell by cell: the
// rows above keep their texts and colours, and a grid on view shows the new
// rows and row headers.
TEST(FlexGridTest, AppendedRowsAreWrittenBelowTheLastOne)
{
    GridFixture f;
    f.show();
    f.grid.setCellBackColorAt(3, 2, 0xFF);
    f.grid.setRow(2);
    f.grid.setCol(1);
    f.grid.appendRows(0, [](int, int) { return QStringLiteral("nunca"); });
    EXPECT_EQ(f.grid.Rows(), 4);
    f.grid.appendRows(3, [](int i, int c) { return QStringLiteral("n%1,%2").arg(i).arg(c); });
    EXPECT_EQ(f.grid.Rows(), 7);
    EXPECT_EQ(f.grid.Row(), 2);
    EXPECT_EQ(f.grid.Col(), 1);
    struct Caso {
        int row, col;
        const char* text;
    } casos[] = {{0, 1, "0,1"}, {3, 2, "3,2"}, {4, 0, "n0,0"}, {5, 1, "n1,1"}, {6, 2, "n2,2"}};
    for (const auto& c : casos)
        EXPECT_EQ(f.grid.TextMatrix(c.row, c.col), c.text) << c.row << "," << c.col;
    EXPECT_EQ(f.grid.CellBackColorAt(3, 2), 0xFFu);
    EXPECT_EQ(f.grid.CellBackColorAt(6, 2), 0u);

    const QAbstractItemModel* model = f.grid.view()->model();
    EXPECT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->headerData(5, Qt::Vertical).toString(), "n2,0");
    EXPECT_EQ(model->index(5, 1).data().toString(), "n2,2");
    f.grid.setRow(6);
    EXPECT_EQ(f.grid.Text(), "n2,1");
}

TEST(FlexGridTest, RemoveItemShiftsTheRowsBelowWithTheirColours)
{
    GridFixture f;
    f.grid.setRow(3);
    f.grid.setCellBackColor(0xFF);
    f.grid.RemoveItem(2);
    EXPECT_EQ(f.grid.Rows(), 3);
    EXPECT_EQ(f.grid.TextMatrix(2, 1), "3,1");
    EXPECT_EQ(f.grid.Row(), 2) << "the current row follows its row";
    EXPECT_EQ(f.grid.CellBackColor(), 0xFFu);

    EXPECT_EQ(errorNumberOf([&] { f.grid.RemoveItem(0); }), errnum::InvalidProcedureCall) << "fixed row";
    f.grid.RemoveItem(1);
    EXPECT_EQ(errorNumberOf([&] { f.grid.RemoveItem(1); }), errnum::InvalidProcedureCall) << "last scrollable row";
}

TEST(FlexGridTest, CellGeometryIsInTwipsInsideTheGrid)
{
    GridFixture f;
    f.grid.setColWidth(0, 600);
    f.grid.setColWidth(1, 1500);
    f.show();
    f.grid.setRow(2);
    f.grid.setCol(2);
    const QRect viewport = QRect(f.grid.view()->viewport()->mapTo(&f.grid, QPoint(0, 0)), QSize());
    const int rowHeight = f.grid.view()->verticalHeader()->sectionSize(0);
    EXPECT_EQ(f.grid.CellLeft(), twips::fromPixels(viewport.x() + twips::toPixels(1500)));
    EXPECT_EQ(f.grid.CellTop(), twips::fromPixels(viewport.y() + rowHeight));
    EXPECT_EQ(f.grid.CellWidth(), 960);
    EXPECT_EQ(f.grid.CellHeight(), twips::fromPixels(rowHeight));
    f.grid.setRow(0);
    f.grid.setCol(0);
    EXPECT_EQ(f.grid.CellWidth(), 600);
    EXPECT_EQ(f.grid.Height(), twips::fromPixels(300));
}

TEST(FlexGridTest, MouseReportsTwipsAndALeftClickMakesTheCellCurrent)
{
    GridFixture f;
    f.show();
    QList<QList<float>> downs;
    int clicks = 0;
    QObject::connect(&f.grid, &FlexGrid::MouseDown, [&](int button, int shift, float x, float y) {
        downs << QList<float>{float(button), float(shift), x, y};
    });
    QObject::connect(&f.grid, &FlexGrid::Click, [&] { ++clicks; });

    QTableView* view = f.grid.view();
    const QPoint cell = view->visualRect(view->model()->index(2, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, cell);
    EXPECT_EQ(f.grid.Row(), 1) << "a right click leaves the current cell";
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, cell);
    EXPECT_EQ(f.grid.Row(), 3);
    EXPECT_EQ(f.grid.Col(), 2);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(downs.size(), 2);
    const QPoint inGrid = view->viewport()->mapTo(&f.grid, cell);
    EXPECT_EQ(downs[0], (QList<float>{2, 0, float(twips::fromPixels(inGrid.x())), float(twips::fromPixels(inGrid.y()))}));
    EXPECT_EQ(downs[1][0], 1);
    EXPECT_EQ(downs[1][1], 1);
}

TEST(FlexGridTest, FocusIsRefusedToAHiddenOrDisabledGrid)
{
    GridFixture f;
    EXPECT_EQ(errorNumberOf([&] { f.grid.SetFocus(); }), errnum::InvalidProcedureCall);
    f.show();
    f.grid.view()->clearFocus();
    int got = 0;
    QObject::connect(&f.grid, &FlexGrid::GotFocus, [&] { ++got; });
    f.grid.SetFocus();
    EXPECT_EQ(got, 1);
    f.grid.setEnabled(false);
    EXPECT_FALSE(f.grid.Enabled());
    EXPECT_EQ(errorNumberOf([&] { f.grid.SetFocus(); }), errnum::InvalidProcedureCall);
}
