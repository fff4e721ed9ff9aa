// Opens a recordset of 100,000 rows and walks it, reading every field, and
// reads the same rows straight through SQLite's C API, into plain C values
// and into Qt values. Target: the forward-only walk within 1.5 times the
// direct read into Qt values, which is what the layer hands out. The direct
// read opens its handle in the threading mode of the layer's own handle (no
// mutex per call), so that like is compared with like. The rows carry a date
// that changes every 20 rows, as the lines of one voucher share theirs.
#include "bench/BenchSupport.h"
#include "db/EmbeddedDatabase.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqliteBackend.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

namespace {

constexpr int kRows = 100000;
QString g_path;
// SQLITE_OPEN_NOMUTEX when the layer's handle has no mutex of its own.
int g_threading = 0;

void createRows(const QString& path)
{
    EmbeddedDatabase::create(path, false);
    EmbeddedDatabase::execute(path, QStringLiteral(R"(
        CREATE TABLE LINEAS (
            id integer PRIMARY KEY, IdArticulo varchar(25) COLLATE NOCASE, Descripcion varchar(100) COLLATE NOCASE,
            NroLote varchar(25) COLLATE NOCASE, idDeposito varchar(4) COLLATE NOCASE, Cantidad decimal(18,4),
            Fecha datetime);
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
        INSERT INTO LINEAS SELECT i, printf('%25s', 'ART' || (i % 5000)), 'TORNILLO CABEZA HEXAGONAL ' || i,
            CASE WHEN i % 3 = 0 THEN NULL ELSE 'L' || (i % 97) END, '   1', (i % 50) + 0.25,
            strftime('%Y-%m-%dT%H:%M:00', '2024-01-01', (i / 20) || ' minutes') FROM n;
    )").arg(kRows));
}

const char* kQuery = "SELECT * FROM LINEAS";

void consume(const QVariant& v, std::int64_t& sum)
{
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        sum += s.isEmpty() ? 0 : s.at(0).unicode();
        sum += s.size();
    } else {
        sum += v.toLongLong();
    }
}

// The same rows read straight through the C API. With `toQt` each value is
// handed on as a Qt value, as any Qt program reading SQLite itself would:
// the layer's own cost is what lies above that.
template <bool toQt>
void direct(benchmark::State& state)
{
    resetPeak();
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | g_threading, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, kQuery, -1, &st, nullptr);
        const int columns = sqlite3_column_count(st);
        std::int64_t sum = 0;
        long rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                const int type = sqlite3_column_type(st, c);
                if constexpr (toQt) {
                    QVariant v;
                    if (type == SQLITE_INTEGER)
                        v = QVariant(static_cast<qlonglong>(sqlite3_column_int64(st, c)));
                    else if (type == SQLITE_FLOAT)
                        v = QVariant(sqlite3_column_double(st, c));
                    else if (type == SQLITE_TEXT)
                        v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                              sqlite3_column_bytes(st, c));
                    consume(v, sum);
                } else if (type == SQLITE_INTEGER) {
                    sum += sqlite3_column_int64(st, c);
                } else if (type == SQLITE_FLOAT) {
                    sum += static_cast<std::int64_t>(sqlite3_column_double(st, c));
                } else if (type == SQLITE_TEXT) {
                    sum += reinterpret_cast<const char*>(sqlite3_column_text(st, c))[0];
                    sum += sqlite3_column_bytes(st, c);
                }
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
        if (rows != kRows)
            state.SkipWithError("wrong row count");
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["peak_MB"] = peakMB();
}

void DirectSqlite(benchmark::State& state)
{
    direct<false>(state);
}

void DirectSqliteToQt(benchmark::State& state)
{
    direct<true>(state);
}

// `cursorType` forward-only reads the rows as it walks; static holds them.
void layer(benchmark::State& state, int cursorType)
{
    resetPeak();
    db::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=;Pwd=;").arg(g_path));
    std::size_t heldBytes = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        db::Recordset rs;
        rs.Open(QString::fromLatin1(kQuery), cn, cursorType);
        heldBytes = mallinfo2().uordblks - before;
        const int columns = rs.FieldCount();
        std::vector<db::Field*> fields;
        for (int c = 0; c < columns; ++c)
            fields.push_back(&rs.field(c));
        std::int64_t sum = 0;
        long rows = 0;
        for (; !rs.Eof(); rs.MoveNext()) {
            for (db::Field* f : fields)
                consume(f->Value(), sum);
            ++rows;
        }
        benchmark::DoNotOptimize(sum);
        if (rows != kRows)
            state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["held_MB"] = static_cast<double>(heldBytes) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMB();
}

void LayerRecordset(benchmark::State& state)
{
    layer(state, db::cursor::ForwardOnly);
}

void LayerRecordsetStatic(benchmark::State& state)
{
    layer(state, db::cursor::Static);
}

BENCHMARK(DirectSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectSqliteToQt)->Unit(benchmark::kMillisecond);
BENCHMARK(LayerRecordset)->Unit(benchmark::kMillisecond);
BENCHMARK(LayerRecordsetStatic)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const auto prepara = [&dir] {
        g_path = dir.filePath(QStringLiteral("bench.db"));
        createRows(g_path);
        db::Connection cn;
        cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=;Pwd=;").arg(g_path));
        const auto* backend = static_cast<const db::SqliteBackend*>(cn.backend());
        g_threading = sqlite3_db_mutex(backend->handle()) ? 0 : SQLITE_OPEN_NOMUTEX;
    };
    return CorreSinVentanas(argc, argv, prepara, [](ResultReporter& reporter) {
        const double direct = reporter["DirectSqlite"].time;
        const double toQt = reporter["DirectSqliteToQt"].time;
        const double layer = reporter["LayerRecordset"].time;
        const double held = reporter["LayerRecordsetStatic"].time;
        std::printf("\ndirect read opened %s, as the layer's handle\n", g_threading ? "without a mutex" : "with a mutex");
        if (direct > 0 && toQt > 0 && layer > 0) {
            std::printf("forward-only walk / direct read into Qt values: %.2f (target 1.5 or less)\n", layer / toQt);
            std::printf("forward-only walk / direct C read: %.2f\n", layer / direct);
        }
        if (toQt > 0 && held > 0)
            std::printf("static (held) walk / direct read into Qt values: %.2f\n", held / toQt);
        std::printf("resident peak of each walk: forward-only %.1f MB, static %.1f MB, direct into Qt values %.1f MB\n",
                    reporter["LayerRecordset"].counter("peak_MB"), reporter["LayerRecordsetStatic"].counter("peak_MB"),
                    reporter["DirectSqliteToQt"].counter("peak_MB"));
    });
}
