// The stock update of a voucher, executed at once: 500 and 5,000 lines, each
// taking 4 lots out of the depot (2,000 and 20,000 rows), with everything the
// update reads on the way (the voucher type, the settings, each article's
// supplier account and inputs). Timed against its floor: the same INSERTs,
// already carried to SQLite's dialect, run straight on the same SQLite handle
// in one transaction, each prepared from its text as the update prepares it.
// The two are timed one after the other in every iteration.
//
// Targets: the update within 1.5 times its floor; its time per row the same
// at both sizes; and what it adds to the resident size while it runs
// (`growth_MB`) the same at both sizes, since the update keeps none of the
// statements it has run. Prints the ratios and the resident peaks.
#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "db/EmbeddedDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/db/Connection.h"
#include "platform/db/SqliteBackend.h"
#include "platform/db/SqliteDialect.h"
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/ListasSerieLote.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kLineas[] = {500, 5000};
constexpr int kArticulos = 5000;
const QString kId = QStringLiteral("000100000015X");

QString baseDeDatos(QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("stock.db"));
    EmbeddedDatabase::create(path, false);
    EmbeddedDatabase::execute(path, QStringLiteral(R"(
        INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DepositoDefault', '1'), ('MotivoStockDefault', '7'),
            ('PIVA', '21');
        INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES ('  RM', 1, 'STOCK', 'S');
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
        INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, CuentaProveedor)
            SELECT printf('%25s', printf('ART%04d', i)), 'Articulo ' || i, '  UN', printf('PROV%02d', i % 40) FROM n;
    )").arg(kArticulos));
    return path;
}

void llenaGrilla(FlexGrid& g, int lineas)
{
    using namespace ColArticulos;
    const QString y = QString(SeparadorLoteSerie);
    g.setCols(Columnas);
    g.setRows(lineas + 2);
    for (int fila = 1; fila <= lineas; ++fila) {
        const auto celda = [&](int columna, const QString& texto) { g.setTextMatrix(fila, columna, texto); };
        celda(Codigo, QStringLiteral("ART%1").arg(fila, 4, 10, QLatin1Char('0')));
        celda(Descripcion, QStringLiteral("Articulo %1").arg(fila));
        celda(UD, QStringLiteral("UN"));
        celda(Cant, QStringLiteral("10"));
        celda(Importe, QStringLiteral("12,5"));
        celda(AuxNroLote, QStringLiteral("|L%1A%2|L%1B%2|L%1C%2|L%1D%2|").arg(fila).arg(y));
        celda(AuxNroSerie, QStringLiteral("|1|2|3|4|"));
        celda(AuxPideTalle, QStringLiteral("0"));
        celda(Auxesperecedero, QStringLiteral("0"));
        celda(Aux_InsumosPorPorcentaje, QStringLiteral("0"));
    }
}

// The floor: the statements as SQLite runs them, in one transaction.
qint64 piso(sqlite3* db, const std::vector<QString>& sentencias)
{
    QElapsedTimer t;
    t.start();
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (const QString& s : sentencias) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare16_v2(db, s.utf16(), static_cast<int>(s.size() * 2), &st, nullptr) != SQLITE_OK
            || sqlite3_step(st) != SQLITE_DONE) {
            std::fprintf(stderr, "floor: %s\n%s\n", sqlite3_errmsg(db), qPrintable(s));
            std::abort();
        }
        sqlite3_finalize(st);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return t.nsecsElapsed();
}

void ActualizaStockDirecto(benchmark::State& state)
{
    static QTemporaryDir dir;
    static const QString path = baseDeDatos(dir);
    const int lineas = static_cast<int>(state.range(0));
    releaseObjDB();
    DB_Dll& db = ObjDB();
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = path;
    db.gUsuario = QStringLiteral("ana");
    db.OpenServerADODB(false, 3, QString());
    auto* backend = static_cast<db::SqliteBackend*>(db.gCnn().backend());
    sqlite3* handle = backend->handle();

    FlexGrid grilla;
    llenaGrilla(grilla, lineas);
    const ClsCmnCptes cls;

    // The statements the update executes, taken from its batch mode.
    std::vector<QString> sqlite;
    {
        ArgumentosStock lote;
        lote.GeneraSentenciaSQL = true;
        cls.ActualizaStock(grilla, QStringLiteral("RM"), kId, QStringLiteral("0"), QStringLiteral("10/12/2024"), lote);
        const db::SqliteDialect dialecto(backend->literalCollation());
        for (const QString& s : lote.SQLTemp.split(u'\r', Qt::SkipEmptyParts))
            for (const auto& st : dialecto.translate(s))
                sqlite.push_back(st.text);
    }

    qint64 actualiza = 0;
    qint64 suelo = 0;
    double pico = 0;
    double crece = 0;
    for (auto _ : state) {
        sqlite3_exec(handle, "DELETE FROM V_MV_STOCK", nullptr, nullptr, nullptr);
        resetPeak();
        const double antes = residentMB();
        QElapsedTimer t;
        t.start();
        ArgumentosStock a;
        cls.ActualizaStock(grilla, QStringLiteral("RM"), kId, QStringLiteral("0"), QStringLiteral("10/12/2024"), a);
        const qint64 esta = t.nsecsElapsed();
        pico = std::max(pico, peakMB());
        crece = std::max(crece, peakMB() - antes);
        if (a.HayError)
            state.SkipWithError("the update failed");
        actualiza += esta;
        state.SetIterationTime(static_cast<double>(esta) / 1e9);
        sqlite3_exec(handle, "DELETE FROM V_MV_STOCK", nullptr, nullptr, nullptr);
        suelo += piso(handle, sqlite);
    }
    const double n = static_cast<double>(state.iterations());
    const double filas = static_cast<double>(sqlite.size());
    state.counters["rows"] = filas;
    state.counters["update_ms"] = static_cast<double>(actualiza) / n / 1e6;
    state.counters["floor_ms"] = static_cast<double>(suelo) / n / 1e6;
    state.counters["update_us_per_row"] = static_cast<double>(actualiza) / n / 1e3 / filas;
    state.counters["floor_us_per_row"] = static_cast<double>(suelo) / n / 1e3 / filas;
    state.counters["update_over_floor"] = suelo > 0 ? static_cast<double>(actualiza) / static_cast<double>(suelo) : 0;
    state.counters["peak_MB"] = pico;
    state.counters["growth_MB"] = crece;
    releaseObjDB();
}

void registra()
{
    for (int lineas : kLineas)
        benchmark::RegisterBenchmark("ActualizaStockDirecto", ActualizaStockDirecto)
            ->Arg(lineas)
            ->ArgName("lines")
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2);
}

}  // namespace

int main(int argc, char** argv)
{
    return CorreSinVentanas(argc, argv, registra, [](ResultReporter& resultados) {
        std::printf("\n%-6s %-6s %10s %10s %6s %10s %10s %8s %9s\n", "lines", "rows", "update ms", "floor ms",
                    "ratio", "us/row", "floor us", "peak MB", "growth MB");
        double porFila[2] = {0, 0};
        double sueloPorFila[2] = {0, 0};
        for (std::size_t i = 0; i < std::size(kLineas); ++i) {
            const auto& r = resultados["ActualizaStockDirecto/lines:" + std::to_string(kLineas[i])];
            if (r.counter("update_ms") <= 0)
                continue;
            porFila[i] = r.counter("update_us_per_row");
            sueloPorFila[i] = r.counter("floor_us_per_row");
            std::printf("%-6d %-6.0f %10.1f %10.1f %6.2f %10.2f %10.2f %8.1f %9.1f\n", kLineas[i], r.counter("rows"),
                        r.counter("update_ms"), r.counter("floor_ms"), r.counter("update_over_floor"), porFila[i],
                        sueloPorFila[i], r.counter("peak_MB"), r.counter("growth_MB"));
        }
        if (porFila[0] > 0 && porFila[1] > 0)
            std::printf("time per row at 5,000 lines over 500: %.2f, the floor's %.2f (linear: about the same)\n",
                        porFila[1] / porFila[0], sueloPorFila[1] / sueloPorFila[0]);
        std::printf("targets: ratio 1.5 or less; the time per row and the growth the same at both sizes\n");
    });
}
