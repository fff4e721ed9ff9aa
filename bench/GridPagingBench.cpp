// Loads one page of the paged grid, the way an operator's page change does
// (the page statement built by the grid, opened through the data-access
// object and its SQLite rewrite, bound to the inner grid, numbered and
// sized), and reads the same 15 rows straight from SQLite with LIMIT and
// OFFSET. Tables shaped like the start-up form's view, 11 columns with a
// unique integer id, half of the rows matching the WHERE; 100,000 and
// 1,000,000 rows; pages first, middle and last; in key order and ordered by
// a text column without an index. Targets: the grid within 2 times the direct
// read at 100,000 rows, and a peak memory that does not grow with the table.
#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "db/EmbeddedDatabase.h"
#include "grid/VrDbGrid.h"
#include "platform/FlexGrid.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <sqlite3.h>

namespace {

constexpr int kPageSize = 15;
constexpr int kSizes[] = {100000, 1000000};
std::map<int, QString> g_paths;

const QString kQuery = QStringLiteral(
    "SELECT IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,CantidadATransferir as "
    "Transferir, Cantidades, Posiciones,id from Stk_Bench where iddeposito='   1' and Cantidad > 0");
const char* kDirect =
    "SELECT IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,CantidadATransferir AS "
    "Transferir,Cantidades,Posiciones,id,id FROM Stk_Bench WHERE iddeposito='   1' AND Cantidad > 0 ORDER BY %1 "
    "LIMIT %2 OFFSET %3";

enum Order { Natural, ByText };
enum Page { First, Middle, Last };

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

void connectTo(const QString& path)
{
    releaseObjDB();
    DB_Dll& db = ObjDB();
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = path;
    db.gUsuario = QStringLiteral("bench");
    db.OpenServerADODB(false, 3, QString());
    if (!db.gOpenFlag)
        throw RuntimeError(errnum::ProviderFailure, QStringLiteral("no connection to ") + path);
}

// Answers every prompt with "leave", so a failing statement ends the run
// instead of waiting for a click.
class NoPrompts : public Prompts {
public:
    int messageBox(const QString& text, int, const QString&) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return prompt::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    int errorDialog(const RuntimeError& error, const QString& origin) override
    {
        // The inner grid cannot take the focus off screen; that one is expected.
        if (error.number() != errnum::InvalidProcedureCall)
            std::fprintf(stderr, "error in %s: %s\n", qPrintable(origin), qPrintable(error.description()));
        return prompt::ErrorLeave;
    }
    int showModal(QDialog&) override { return 0; }
};

void GridPage(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = pageNumber(rows, static_cast<Page>(state.range(2)));
    connectTo(g_paths.at(rows));
    resetPeak();
    {
        VrDbGrid grid;
        grid.setPrimaryKey(QStringLiteral("id"));
        grid.setPageSize(kPageSize);
        grid.setSql(kQuery);
        grid.LoadVrDBGrid();
        if (grid.UltimaPagina() != pageNumber(rows, Last)) {
            state.SkipWithError("wrong page count");
            return;
        }
        if (order == ByText) {
            grid.MsFlexGrid->setCol(2);
            grid.setOrdenSent(1);
        }
        auto* pages = grid.findChild<QComboBox*>(QStringLiteral("cboPagSelect"));
        pages->setCurrentIndex(page - 1);
        for (auto _ : state) {
            grid.MsFlexGrid->setCol(order == ByText ? 2 : 1);
            grid.CargarGrid();
            benchmark::DoNotOptimize(grid.MsFlexGrid->TextMatrix(1, 12));
        }
        if (grid.MsFlexGrid->Rows() != kPageSize + 1 && page != pageNumber(rows, Last))
            state.SkipWithError("short page");
    }
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

void DirectPage(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const auto order = static_cast<Order>(state.range(1));
    const int page = pageNumber(rows, static_cast<Page>(state.range(2)));
    resetPeak();
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_paths.at(rows).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray sql = QString::fromLatin1(kDirect)
                               .arg(order == ByText ? QStringLiteral("Descripcion, id") : QStringLiteral("id"))
                               .arg(kPageSize)
                               .arg(static_cast<qint64>(page - 1) * kPageSize)
                               .toUtf8();
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        std::vector<std::vector<QString>> cells;
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<QString> row(static_cast<std::size_t>(columns));
            for (int c = 0; c < columns; ++c)
                row[static_cast<std::size_t>(c)] = QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
            cells.push_back(std::move(row));
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(cells);
        if (cells.empty())
            state.SkipWithError("no rows");
    }
    sqlite3_close(db);
    state.counters["peak_MB"] = peakMB();
}

void pages(benchmark::internal::Benchmark* b)
{
    for (int rows : kSizes)
        for (int order : {Natural, ByText})
            for (int page : {First, Middle, Last})
                b->Args({rows, order, page});
    b->ArgNames({"rows", "order", "page"});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(DirectPage)->Apply(pages);
BENCHMARK(GridPage)->Apply(pages);

struct Result {
    double time = 0;
    double peak = 0;
};

// Keeps each run's time and peak for the table printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, Result> results;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration && r.aggregate_name != "median")
                continue;
            Result& result = results[r.run_name.function_name + "/" + r.run_name.args];
            result.time = r.GetAdjustedRealTime();
            const auto peak = r.counters.find("peak_MB");
            if (peak != r.counters.end())
                result.peak = peak->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    NoPrompts quiet;
    setPrompts(&quiet);
    QTemporaryDir dir;
    for (int rows : kSizes) {
        g_paths[rows] = dir.filePath(QStringLiteral("grid_%1.db").arg(rows));
        createRows(g_paths[rows], rows);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-9s %-8s %-7s %10s %10s %7s %10s %10s\n", "rows", "order", "page", "grid ms", "direct ms",
                "ratio", "grid MB", "direct MB");
    const char* orders[] = {"key", "text"};
    const char* pageNames[] = {"first", "middle", "last"};
    for (int rows : kSizes)
        for (int order : {Natural, ByText})
            for (int page : {First, Middle, Last}) {
                const std::string args = "/rows:" + std::to_string(rows) + "/order:" + std::to_string(order)
                    + "/page:" + std::to_string(page);
                const Result grid = reporter.results["GridPage" + args];
                const Result direct = reporter.results["DirectPage" + args];
                if (grid.time <= 0 || direct.time <= 0)
                    continue;
                std::printf("%-9d %-8s %-7s %10.2f %10.2f %7.2f %10.1f %10.1f\n", rows, orders[order],
                            pageNames[page], grid.time, direct.time, grid.time / direct.time, grid.peak, direct.peak);
            }
    std::printf("targets: ratio 2 or less at 100000 rows; the grid's peak the same at both sizes\n");
    benchmark::Shutdown();
    setPrompts(nullptr);
    return 0;
}
