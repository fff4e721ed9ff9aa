// Loads one page of the paged grid, the way an operator's page change does
// (the page statement built by the grid, opened through the data-access
// object and its SQLite rewrite, bound to the inner grid, numbered and
// sized), against its floor: the statement that page comes down to, run
// straight on the grid's own SQLite handle. Tables shaped like the start-up
// form's view, 11 columns with a unique integer id, half of the rows matching
// the WHERE; 100,000 and 1,000,000 rows; pages first, middle and last; in key
// order and ordered by a text column without an index. Each page is loaded
// three ways: chosen from the page list, turned to by one page from its
// neighbour (the next or previous button), and chosen from the list through
// ODBC with the SQLite ODBC driver on the same file. A page chosen from the
// list, and a turn in text order, have for floor the statement the grid sends
// for them: the page's keys chosen in the order with LIMIT and OFFSET, then
// its rows read by those keys. A turn in key order has for floor a read of
// the 15 rows after the last key of the lower page (before the first key of
// the higher one, going back). Targets: the grid within 2 times its floor, and
// a peak memory that does not grow with the table. The same pages are also
// read from the start-up form's own source over generated waiting lines
// (below, "The start-up form's own source").
#include "bench/BaseEnEspera.h"
#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "db/EmbeddedDatabase.h"
#include "grid/VrDbGrid.h"
#include "platform/FlexGrid.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/db/Connection.h"
#include "platform/db/SqliteBackend.h"
#include "positions/LineasSinPosicion.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kPageSize = 15;
constexpr int kSizes[] = {100000, 1000000};
std::map<int, QString> g_paths;

const QString kQuery = QStringLiteral(
    "SELECT IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,CantidadATransferir as "
    "Transferir, Cantidades, Posiciones,id from Stk_Bench where iddeposito='   1' and Cantidad > 0");
// The grid's columns and condition, as its page statement names them.
const char* kColumns = "IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,"
                       "CantidadATransferir AS Transferir,Cantidades,Posiciones,id,id";
const char* kWhere = "iddeposito='   1' COLLATE CI_RTRIM AND Cantidad > 0";

enum Order { Natural, ByText };
enum Page { First, Middle, Last };
enum Route { Embedded, Odbc };

void createRows(const QString& path, int rows)
{
    EmbeddedDatabase::create(path, false);
    EmbeddedDatabase::execute(path, QStringLiteral(R"(
        CREATE TABLE Stk_Bench (
            IdArticulo varchar(25) COLLATE NOCASE, Descripcion varchar(100) COLLATE NOCASE,
            NroLote varchar(25) COLLATE NOCASE, idDeposito varchar(4) COLLATE NOCASE,
            idPosicion varchar(10) COLLATE NOCASE, idUnidadARTICULO varchar(4) COLLATE NOCASE,
            Cantidad decimal(18,4), CantidadATransferir decimal(18,4), Cantidades varchar(200),
            Posiciones varchar(200), id integer PRIMARY KEY);
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
        INSERT INTO Stk_Bench SELECT printf('%25s', 'ART' || (i % 5000)),
            'TORNILLO ' || ((i * 7919) % 100003), 'L' || (i % 97), CASE WHEN i % 2 = 0 THEN '   1' ELSE '   2' END,
            '', '  UN', (i % 50) + 1.25, 0, '', '', i FROM n;
    )").arg(rows));
}

int matchingRows(int rows)
{
    return rows / 2;
}

int pageNumber(int rows, Page page)
{
    const int pages = (matchingRows(rows) + kPageSize - 1) / kPageSize;
    switch (page) {
    case First: return 1;
    case Middle: return pages / 2;
    case Last: return pages;
    }
    return 1;
}

void connectTo(const QString& path, Route route)
{
    releaseObjDB();
    DB_Dll& db = ObjDB();
    if (route == Odbc) {
        auto cn = std::make_unique<db::Connection>();
        cn->Open(QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(path));
        db.setConnection(std::move(cn));
        db.gOpenFlag = true;
        return;
    }
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = path;
    db.gUsuario = QStringLiteral("bench");
    db.OpenServerADODB(false, 3, QString());
    if (!db.gOpenFlag)
        throw RuntimeError(errnum::ProviderFailure, QStringLiteral("no connection to ") + path);
}

// A grid loaded on the page before `page` (after it, for the first page),
// with its order set.
struct PagedGrid {
    VrDbGrid grid;
    int neighbour = 1;

    PagedGrid(benchmark::State& state, int rows, Order order, int page)
    {
        grid.setPrimaryKey(QStringLiteral("id"));
        grid.setPageSize(kPageSize);
        grid.setSql(kQuery);
        grid.LoadVrDBGrid();
        if (grid.UltimaPagina() != pageNumber(rows, Last))
            state.SkipWithError("wrong page count");
        if (order == ByText) {
            grid.MsFlexGrid->setCol(2);
            grid.setOrdenSent(1);
        }
        neighbour = page > 1 ? page - 1 : 2;
        show(neighbour);
    }
    // Chosen from the page list.
    void show(int page)
    {
        auto* pages = grid.findChild<QComboBox*>(QStringLiteral("cboPagSelect"));
        pages->setCurrentIndex(page - 1);
        grid.cboPagSelect_Click();
    }
};

void GridPage(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = pageNumber(rows, static_cast<Page>(state.range(2)));
    connectTo(g_paths.at(rows), static_cast<Route>(state.range(3)));
    resetPeak();
    {
        PagedGrid paged(state, rows, order, page);
        VrDbGrid& grid = paged.grid;
        paged.show(page);
        for (auto _ : state) {
            grid.MsFlexGrid->setCol(order == ByText ? 2 : 1);
            grid.CargarGrid();
            benchmark::DoNotOptimize(grid.MsFlexGrid->TextMatrix(1, 12));
        }
        if (grid.PaginaActual() != page || (grid.MsFlexGrid->Rows() != kPageSize + 1 && page != pageNumber(rows, Last)))
            state.SkipWithError("short page");
    }
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

// The page turned to from its neighbour with the next or previous button,
// back and forth: every iteration is one turn.
void GridPageTurn(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = pageNumber(rows, static_cast<Page>(state.range(2)));
    connectTo(g_paths.at(rows), Embedded);
    resetPeak();
    {
        PagedGrid paged(state, rows, order, page);
        VrDbGrid& grid = paged.grid;
        for (auto _ : state) {
            grid.MsFlexGrid->setCol(order == ByText ? 2 : 1);
            const int target = grid.PaginaActual() == paged.neighbour ? page : paged.neighbour;
            if (target > grid.PaginaActual())
                grid.cmdSiguiente_Click();
            else
                grid.cmdAnterior_Click();
            benchmark::DoNotOptimize(grid.MsFlexGrid->TextMatrix(1, 12));
        }
        if (grid.PaginaActual() != page && grid.PaginaActual() != paged.neighbour)
            state.SkipWithError("lost page");
    }
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

// The floor of a page: the statement the grid's page comes down to on the
// embedded database, run straight on the grid's own SQLite handle. Every
// statement is prepared once and run again, as the data-access layer keeps
// the statements it read last; each cell is read as a text, as the grid shows
// it.
class Floor {
public:
    explicit Floor(sqlite3* db) : m_db(db) {}
    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;
    ~Floor()
    {
        for (sqlite3_stmt* st : m_statements)
            sqlite3_finalize(st);
    }
    // Prepares a statement; its number for read().
    std::size_t add(const QString& sql)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare16_v2(m_db, sql.utf16(), static_cast<int>(sql.size() * 2), &st, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "floor: %s\n%s\n", sqlite3_errmsg(m_db), qPrintable(sql));
            std::abort();
        }
        m_statements.push_back(st);
        return m_statements.size() - 1;
    }
    // The rows of a statement, each cell as a text.
    std::vector<std::vector<QString>> read(std::size_t statement)
    {
        sqlite3_stmt* st = m_statements[statement];
        std::vector<std::vector<QString>> cells;
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<QString> row(static_cast<std::size_t>(columns));
            for (int c = 0; c < columns; ++c)
                row[static_cast<std::size_t>(c)] = QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
            cells.push_back(std::move(row));
        }
        sqlite3_reset(st);
        return cells;
    }

private:
    sqlite3* m_db;
    std::vector<sqlite3_stmt*> m_statements;
};

sqlite3* gridHandle()
{
    auto* backend = dynamic_cast<db::SqliteBackend*>(ObjDB().gCnn().backend());
    if (!backend)
        throw RuntimeError(errnum::ProviderFailure, QStringLiteral("the grid is not on the embedded database"));
    return backend->handle();
}

QString orderOf(Order order)
{
    return order == ByText ? QStringLiteral("Descripcion Asc, id") : QStringLiteral("id");
}

// The statement the grid sends for a page chosen from the list: the page's
// keys chosen in the order with LIMIT and OFFSET, then its rows read by key.
QString keysFirst(Order order, int page)
{
    return QStringLiteral("SELECT %1 FROM Stk_Bench WHERE id IN (SELECT id FROM Stk_Bench WHERE %2 ORDER BY %3 LIMIT %4 "
                          "OFFSET %5) ORDER BY %3")
        .arg(QLatin1String(kColumns), QLatin1String(kWhere), orderOf(order))
        .arg(kPageSize)
        .arg(static_cast<qint64>(page - 1) * kPageSize);
}

// A read of the page after the key `after` (ascending) or before the key
// `before` (descending), by the key alone.
QString keyset(bool forward, qint64 key)
{
    return QStringLiteral("SELECT %1 FROM Stk_Bench WHERE %2 AND id %3 %4 ORDER BY id %5 LIMIT %6")
        .arg(QLatin1String(kColumns), QLatin1String(kWhere), forward ? QStringLiteral(">") : QStringLiteral("<"))
        .arg(key)
        .arg(forward ? QStringLiteral("Asc") : QStringLiteral("Desc"))
        .arg(kPageSize);
}

void readFloor(benchmark::State& state, Floor& floor, const std::vector<std::size_t>& statements)
{
    std::size_t turn = 0;
    for (auto _ : state) {
        std::vector<std::vector<QString>> cells = floor.read(statements[turn++ % statements.size()]);
        benchmark::DoNotOptimize(cells);
        if (cells.empty())
            state.SkipWithError("no rows");
    }
}

// The floor of a page chosen from the list.
void DirectPage(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = pageNumber(rows, static_cast<Page>(state.range(2)));
    connectTo(g_paths.at(rows), Embedded);
    resetPeak();
    {
        Floor floor(gridHandle());
        readFloor(state, floor, {floor.add(keysFirst(order, page))});
    }
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

// The floor of a turn between a page and its neighbour, back and forth: in
// key order the rows after the last key of the lower page and before the
// first key of the higher one, in text order the two pages as the list
// chooses them.
void DirectTurn(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = pageNumber(rows, static_cast<Page>(state.range(2)));
    const int neighbour = page > 1 ? page - 1 : 2;
    connectTo(g_paths.at(rows), Embedded);
    resetPeak();
    {
        Floor floor(gridHandle());
        std::vector<std::size_t> statements;
        if (order == ByText) {
            statements = {floor.add(keysFirst(order, neighbour)), floor.add(keysFirst(order, page))};
        } else {
            const int low = std::min(page, neighbour);
            const auto lowRows = floor.read(floor.add(keysFirst(order, low)));
            const auto highRows = floor.read(floor.add(keysFirst(order, low + 1)));
            const int key = static_cast<int>(lowRows.front().size()) - 1;
            statements = {floor.add(keyset(true, lowRows.back()[static_cast<std::size_t>(key)].toLongLong())),
                          floor.add(keyset(false, highRows.front()[static_cast<std::size_t>(key)].toLongLong()))};
            if (page < neighbour)
                std::swap(statements[0], statements[1]);
        }
        readFloor(state, floor, statements);
    }
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

// ---- The start-up form's own source -----------------------------------------
//
// The grid as the start-up form points it at the lines without position:
// Stk_Dravelo_Sin_Asignar with the form's columns and condition (the query
// positions/LineasSinPosicion.cpp builds for depot 1), paged by `id`, 15 rows
// a page, over the demo plus 100,000 and 1,000,000 generated waiting lines
// (bench/BaseEnEspera.h), in the form's default order (the key) and in text
// order (the description). A size's grid is loaded once (the load probes the
// query and counts its lines) and serves every case of that size.
//
// The floor is the cheapest read of the same 15 rows on the schema as it
// stands. While Stk_Dravelo_Sin_Asignar is a view, that is the statement the
// view stands for, written against its source: the waiting movements of
// V_MV_STOCK_DRAVELO of the depot (the depot's index), grouped into lines,
// the lines with a quantity kept, the page cut from them, and the article's
// description joined (in key order, to the page's rows only); it still
// aggregates every waiting movement, as the view does. Once the lines are a
// table of their own under the same name, the floor reads that table as the
// floors above read theirs: the page's keys chosen with LIMIT and OFFSET and
// its rows read by them, and a turn in key order as a read of the 15 rows on
// from the key shown.

constexpr int kWaiting[] = {100000, 1000000};
// Each page's keys as the grid showed them, for its floor to check.
std::map<std::string, QStringList> g_pageKeys;

const char* kFormColumns = "IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,"
                           "CantidadATransferir AS Transferir,Cantidades,Posiciones,id,id";
const char* kFormWhere = "iddeposito='   1' AND Cantidad > 0";

int waitingPage(int generated, Page page)
{
    const int pages = (generated + espera::kLineasDemo + kPageSize - 1) / kPageSize;
    switch (page) {
    case First: return 1;
    case Middle: return pages / 2;
    case Last: return pages;
    }
    return 1;
}

std::string caseName(int generated, int order, int page)
{
    return std::to_string(generated) + '/' + std::to_string(order) + '/' + std::to_string(page);
}

void choosePage(VrDbGrid& grid, int page)
{
    auto* pages = grid.findChild<QComboBox*>(QStringLiteral("cboPagSelect"));
    pages->setCurrentIndex(page - 1);
    grid.cboPagSelect_Click();
}

// The grid of a size, loaded, on the embedded connection to its file.
struct FormGrid {
    int generated = -1;
    std::unique_ptr<VrDbGrid> grid;
};
FormGrid g_formGrid;

VrDbGrid& formGrid(int generated, Order order)
{
    if (g_formGrid.generated != generated || !g_formGrid.grid) {
        g_formGrid.grid.reset();
        connectTo(espera::baseDelCamino(generated), Embedded);
        auto grid = std::make_unique<VrDbGrid>();
        grid->setPrimaryKey(QStringLiteral("id"));
        grid->setPageSize(kPageSize);
        grid->setFormatDate(103);
        grid->setOrdenSent(0);
        grid->setOcultarOrdenar(false);
        grid->setSql(SqlLineasSinPosicion(ObjDB(), QStringLiteral("1"), {}, {}, {}));
        grid->LoadVrDBGrid();
        // One page in text order, untimed: the first sort of a process
        // takes its memory from the system, which every later sort reuses;
        // timed, that first page would measure the memory's arrival.
        grid->setOrdenSent(1);
        grid->MsFlexGrid->setCol(2);
        choosePage(*grid, 2);
        g_formGrid = {generated, std::move(grid)};
    }
    VrDbGrid& grid = *g_formGrid.grid;
    grid.setOrdenSent(order == ByText ? 1 : 0);
    grid.MsFlexGrid->setCol(order == ByText ? 2 : 1);
    return grid;
}

QStringList keysShown(VrDbGrid& grid)
{
    QStringList keys;
    for (int r = 1; r < grid.MsFlexGrid->Rows(); ++r)
        keys << grid.MsFlexGrid->TextMatrix(r, 11);
    return keys;
}

// A page of the form's source chosen from the page list.
void FormPage(benchmark::State& state)
{
    const int generated = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = waitingPage(generated, static_cast<Page>(state.range(2)));
    resetPeak();
    VrDbGrid& grid = formGrid(generated, order);
    if (grid.UltimaPagina() != waitingPage(generated, Last)) {
        state.SkipWithError("wrong page count");
        return;
    }
    for (auto _ : state) {
        choosePage(grid, page);
        benchmark::DoNotOptimize(grid.MsFlexGrid->TextMatrix(1, 11));
    }
    if (grid.PaginaActual() != page || grid.MsFlexGrid->Rows() < 2) {
        state.SkipWithError("short page");
        return;
    }
    g_pageKeys[caseName(generated, order, static_cast<int>(state.range(2)))] = keysShown(grid);
    state.counters["peak_MB"] = peakMB();
}

// The page of the form's source turned to from its neighbour with the next
// or previous button, back and forth: every iteration is one turn.
void FormTurn(benchmark::State& state)
{
    const int generated = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = waitingPage(generated, static_cast<Page>(state.range(2)));
    const int neighbour = page > 1 ? page - 1 : 2;
    resetPeak();
    VrDbGrid& grid = formGrid(generated, order);
    choosePage(grid, neighbour);
    for (auto _ : state) {
        if (grid.PaginaActual() == neighbour ? page > neighbour : neighbour > page)
            grid.cmdSiguiente_Click();
        else
            grid.cmdAnterior_Click();
        benchmark::DoNotOptimize(grid.MsFlexGrid->TextMatrix(1, 11));
    }
    if (grid.PaginaActual() != page && grid.PaginaActual() != neighbour)
        state.SkipWithError("lost page");
    state.counters["peak_MB"] = peakMB();
}

bool linesAreATable()
{
    return espera::mantenidoEnTabla(gridHandle(), "Stk_Dravelo_Sin_Asignar");
}

// The waiting lines of depot 1 as the view makes them from its source, with
// `having` added to their condition.
QString groupedLines(const QString& having)
{
    return QStringLiteral(
               "SELECT m.IDARTICULO AS IdArticulo, IFNULL(m.NROLOTE, '') AS NroLote, m.IDDEPOSITO AS idDeposito, "
               "m.IDUNIDADBASE AS idUnidadARTICULO, ROUND(SUM(m.CANTIDAD), 4) AS Cantidad, MIN(m.ID) AS id "
               "FROM V_MV_STOCK_DRAVELO m "
               "WHERE m.IDDEPOSITO = '   1' AND m.IDPOSICION IS NULL AND m.ANULADO = 0 AND m.TC IN ('IR', 'TRP') "
               "GROUP BY m.IDARTICULO, IFNULL(m.NROLOTE, '') COLLATE NOCASE, m.IDUNIDADBASE "
               "HAVING ROUND(SUM(m.CANTIDAD), 4) > 0")
        + having;
}

const QString kLineColumns = QStringLiteral(
    "g.IdArticulo, a.DESCRIPCION AS Descripcion, g.NroLote, g.idDeposito, NULL AS idPosicion, g.idUnidadARTICULO, "
    "g.Cantidad, 0 AS Transferir, '' AS Cantidades, '' AS Posiciones, g.id, g.id");

// The floor's statement for a page of the form's source chosen from the list.
QString formPageFloor(bool table, Order order, int page)
{
    const qint64 skip = static_cast<qint64>(page - 1) * kPageSize;
    if (table)
        return QStringLiteral("SELECT %1 FROM Stk_Dravelo_Sin_Asignar WHERE id IN (SELECT id FROM Stk_Dravelo_Sin_Asignar "
                              "WHERE %2 ORDER BY %3 LIMIT %4 OFFSET %5) ORDER BY %3")
            .arg(QLatin1String(kFormColumns), QLatin1String(kFormWhere), orderOf(order))
            .arg(kPageSize)
            .arg(skip);
    if (order == ByText)
        return QStringLiteral("SELECT %1 FROM (%2) g LEFT JOIN V_MA_ARTICULOS a ON a.IDARTICULO = g.IdArticulo "
                              "ORDER BY a.DESCRIPCION, g.id LIMIT %3 OFFSET %4")
            .arg(kLineColumns, groupedLines({}))
            .arg(kPageSize)
            .arg(skip);
    return QStringLiteral("SELECT %1 FROM (%2 ORDER BY id LIMIT %3 OFFSET %4) g "
                          "LEFT JOIN V_MA_ARTICULOS a ON a.IDARTICULO = g.IdArticulo ORDER BY g.id")
        .arg(kLineColumns, groupedLines({}))
        .arg(kPageSize)
        .arg(skip);
}

// The floor's statement for the 15 lines on from the key `key`, forward
// (after it) or back (before it).
QString formKeysetFloor(bool table, bool forward, qint64 key)
{
    if (table)
        return QStringLiteral("SELECT %1 FROM Stk_Dravelo_Sin_Asignar WHERE %2 AND id %3 %4 ORDER BY id %5 LIMIT %6")
            .arg(QLatin1String(kFormColumns), QLatin1String(kFormWhere), forward ? QStringLiteral(">") : QStringLiteral("<"))
            .arg(key)
            .arg(forward ? QStringLiteral("Asc") : QStringLiteral("Desc"))
            .arg(kPageSize);
    return QStringLiteral("SELECT %1 FROM (%2 ORDER BY id %3 LIMIT %4) g "
                          "LEFT JOIN V_MA_ARTICULOS a ON a.IDARTICULO = g.IdArticulo ORDER BY g.id")
        .arg(kLineColumns,
             groupedLines(QStringLiteral(" AND MIN(m.ID) %1 %2").arg(forward ? QStringLiteral(">") : QStringLiteral("<")).arg(key)),
             forward ? QStringLiteral("Asc") : QStringLiteral("Desc"))
        .arg(kPageSize);
}

QStringList keysOf(const std::vector<std::vector<QString>>& rows)
{
    QStringList keys;
    for (const auto& row : rows)
        keys << row[10];
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) { return a.toLongLong() < b.toLongLong(); });
    return keys;
}

// The floor of a page of the form's source chosen from the list; its rows
// must be the page the grid showed.
void FormDirectPage(benchmark::State& state)
{
    const int generated = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = waitingPage(generated, static_cast<Page>(state.range(2)));
    resetPeak();
    formGrid(generated, order);
    {
        const bool table = linesAreATable();
        Floor floor(gridHandle());
        const std::size_t statement = floor.add(formPageFloor(table, order, page));
        const auto it = g_pageKeys.find(caseName(generated, order, static_cast<int>(state.range(2))));
        QStringList shown = it == g_pageKeys.end() ? QStringList() : it->second;
        std::sort(shown.begin(), shown.end(), [](const QString& a, const QString& b) { return a.toLongLong() < b.toLongLong(); });
        if (it != g_pageKeys.end() && keysOf(floor.read(statement)) != shown) {
            state.SkipWithError("the floor reads other lines than the grid shows");
            return;
        }
        readFloor(state, floor, {statement});
        state.counters["table"] = table ? 1 : 0;
    }
    state.counters["peak_MB"] = peakMB();
}

// The floor of a turn of the form's source between a page and its
// neighbour, back and forth: in key order the lines after the last key of
// the lower page and before the first key of the higher one, in text order
// the two pages as the list chooses them.
void FormDirectTurn(benchmark::State& state)
{
    const int generated = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = waitingPage(generated, static_cast<Page>(state.range(2)));
    const int neighbour = page > 1 ? page - 1 : 2;
    resetPeak();
    formGrid(generated, order);
    {
        const bool table = linesAreATable();
        Floor floor(gridHandle());
        std::vector<std::size_t> statements;
        if (order == ByText) {
            statements = {floor.add(formPageFloor(table, order, neighbour)), floor.add(formPageFloor(table, order, page))};
        } else {
            const int low = std::min(page, neighbour);
            const auto lowRows = floor.read(floor.add(formPageFloor(table, order, low)));
            const auto highRows = floor.read(floor.add(formPageFloor(table, order, low + 1)));
            statements = {floor.add(formKeysetFloor(table, true, lowRows.back()[10].toLongLong())),
                          floor.add(formKeysetFloor(table, false, highRows.front()[10].toLongLong()))};
            if (keysOf(floor.read(statements[0])) != keysOf(highRows) || keysOf(floor.read(statements[1])) != keysOf(lowRows)) {
                state.SkipWithError("the floor's turn reads other lines than the pages");
                return;
            }
            if (page < neighbour)
                std::swap(statements[0], statements[1]);
        }
        readFloor(state, floor, statements);
        state.counters["table"] = table ? 1 : 0;
    }
    state.counters["peak_MB"] = peakMB();
}

// Each page's runs one after the other, so that the ratios compare runs made
// under the same load.
void registerRuns()
{
    for (int rows : kSizes)
        for (int order : {Natural, ByText})
            for (int page : {First, Middle, Last}) {
                const std::vector<std::int64_t> args{rows, order, page};
                const std::vector<std::string> names{"rows", "order", "page"};
                benchmark::RegisterBenchmark("DirectPage", DirectPage)->Args(args)->ArgNames(names)->Unit(benchmark::kMillisecond);
                for (int route : {Embedded, Odbc})
                    benchmark::RegisterBenchmark("GridPage", GridPage)
                        ->Args({rows, order, page, route})
                        ->ArgNames({"rows", "order", "page", "route"})
                        ->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark("DirectTurn", DirectTurn)->Args(args)->ArgNames(names)->Unit(benchmark::kMillisecond);
                benchmark::RegisterBenchmark("GridPageTurn", GridPageTurn)->Args(args)->ArgNames(names)->Unit(benchmark::kMillisecond);
            }
    // The form's source: a size's cases together, on its one loaded grid; at
    // 1,000,000 lines a page in text order takes a second, so each of those
    // is read once (a single read of a page that takes less is mostly the
    // first reading of its part of the file, which its floor then finds read).
    for (int generated : kWaiting)
        for (int order : {Natural, ByText})
            for (int page : {First, Middle, Last}) {
                const std::vector<std::int64_t> args{generated, order, page};
                const std::vector<std::string> names{"lines", "order", "page"};
                using Case = std::pair<const char*, void (*)(benchmark::State&)>;
                for (const auto& [name, function] : {Case{"FormPage", FormPage}, Case{"FormDirectPage", FormDirectPage},
                                                     Case{"FormTurn", FormTurn}, Case{"FormDirectTurn", FormDirectTurn}}) {
                    auto* b = benchmark::RegisterBenchmark(name, function)->Args(args)->ArgNames(names)->Unit(
                        benchmark::kMillisecond);
                    if (generated >= 1000000 && order == ByText)
                        b->Iterations(1);
                }
            }
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const auto prepara = [&dir] {
        for (int rows : kSizes) {
            g_paths[rows] = dir.filePath(QStringLiteral("grid_%1.db").arg(rows));
            createRows(g_paths[rows], rows);
        }
        registerRuns();
    };
    return CorreSinVentanas(argc, argv, prepara, [](ResultReporter& reporter) {
        std::printf("\n%-8s %-5s %-6s %8s %8s %6s %8s %8s %6s %8s %6s %8s %8s\n", "rows", "order", "page", "grid ms",
                    "floor", "ratio", "turn ms", "floor", "ratio", "odbc ms", "/grid", "grid MB", "floor MB");
        const char* orders[] = {"key", "text"};
        const char* pageNames[] = {"first", "middle", "last"};
        for (int rows : kSizes)
            for (int order : {Natural, ByText})
                for (int page : {First, Middle, Last}) {
                    const std::string args = "/rows:" + std::to_string(rows) + "/order:" + std::to_string(order)
                        + "/page:" + std::to_string(page);
                    const auto& grid = reporter["GridPage" + args + "/route:0"];
                    const auto& odbc = reporter["GridPage" + args + "/route:1"];
                    const auto& turn = reporter["GridPageTurn" + args];
                    const auto& direct = reporter["DirectPage" + args];
                    const auto& directTurn = reporter["DirectTurn" + args];
                    if (grid.time <= 0 || direct.time <= 0 || turn.time <= 0 || directTurn.time <= 0)
                        continue;
                    std::printf("%-8d %-5s %-6s %8.3f %8.3f %6.2f %8.3f %8.3f %6.2f %8.3f %6.2f %8.1f %8.1f\n", rows,
                                orders[order], pageNames[page], grid.time, direct.time, grid.time / direct.time, turn.time,
                                directTurn.time, turn.time / directTurn.time, odbc.time,
                                odbc.time > 0 ? odbc.time / grid.time : 0.0, grid.counter("peak_MB"),
                                direct.counter("peak_MB"));
                }
        std::printf("targets: grid and turn ratio 2 or less; the grid's peak the same at both sizes\n"
                    "(a turn in key order reads on from the key of the page shown; in text order it skips by offset)\n");

        // The grid holds widgets: it goes while the application is there.
        g_formGrid = {};
        releaseObjDB();
        std::printf("\nthe start-up form's lines without position (Stk_Dravelo_Sin_Asignar), the demo's %d lines "
                    "and those generated\n",
                    espera::kLineasDemo);
        std::printf("%-9s %-5s %-6s %9s %9s %6s %9s %9s %6s %8s %8s %-6s\n", "lines", "order", "page", "grid ms",
                    "floor", "ratio", "turn ms", "floor", "ratio", "grid MB", "floor MB", "floor");
        for (int generated : kWaiting)
            for (int order : {Natural, ByText})
                for (int page : {First, Middle, Last}) {
                    const std::string args = "/lines:" + std::to_string(generated) + "/order:" + std::to_string(order)
                        + "/page:" + std::to_string(page);
                    const auto& grid = reporter["FormPage" + args];
                    const auto& turn = reporter["FormTurn" + args];
                    const auto& direct = reporter["FormDirectPage" + args];
                    const auto& directTurn = reporter["FormDirectTurn" + args];
                    if (grid.time <= 0 || direct.time <= 0 || turn.time <= 0 || directTurn.time <= 0)
                        continue;
                    std::printf("%-9d %-5s %-6s %9.3f %9.3f %6.2f %9.3f %9.3f %6.2f %8.1f %8.1f %-6s\n", generated,
                                orders[order], pageNames[page], grid.time, direct.time, grid.time / direct.time,
                                turn.time, directTurn.time, turn.time / directTurn.time, grid.counter("peak_MB"),
                                direct.counter("peak_MB"), direct.counter("table") > 0 ? "table" : "source");
                }
        std::printf("targets: grid and turn ratio 2 or less; the grid's peak the same at both sizes\n"
                    "(floor \"source\": the lines are a view, and the floor is the grouping of V_MV_STOCK_DRAVELO the "
                    "view stands for; \"table\": the lines are a table, and the floor reads it)\n");
    });
}
