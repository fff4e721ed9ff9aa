// The stock update of a voucher, executed at once: 500 lines, each taking 4
// lots out of the depot (2,000 rows), with everything the update reads on
// the way (the voucher type, the settings, each article's supplier account
// and inputs). Timed against its floor: the same INSERTs, already carried to
// SQLite's dialect, run straight on the same SQLite handle in one
// transaction. Target: the update within 2 times its floor. Prints the ratio
// and the resident peak.
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

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kLineas = 500;
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
    )").arg(kLineas));
    return path;
}

void llenaGrilla(FlexGrid& g)
{
    using namespace ColArticulos;
    const QString y = QString(SeparadorLoteSerie);
    g.setCols(Columnas);
    g.setRows(kLineas + 2);
    for (int fila = 1; fila <= kLineas; ++fila) {
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
    releaseObjDB();
    DB_Dll& db = ObjDB();
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = path;
    db.gUsuario = QStringLiteral("ana");
    db.OpenServerADODB(false, 3, QString());
    auto* backend = static_cast<db::SqliteBackend*>(db.gCnn().backend());
    sqlite3* handle = backend->handle();

    FlexGrid grilla;
    llenaGrilla(grilla);
    const ClsCmnCptes cls;

    // The statements the update executes, taken from its batch mode.
    ArgumentosStock lote;
    lote.GeneraSentenciaSQL = true;
    cls.ActualizaStock(grilla, QStringLiteral("RM"), kId, QStringLiteral("0"), QStringLiteral("10/12/2024"), lote);
    std::vector<QString> sqlite;
    const db::SqliteDialect dialecto(backend->literalCollation());
    for (const QString& s : lote.SQLTemp.split(u'\r', Qt::SkipEmptyParts))
        for (const auto& st : dialecto.translate(s))
            sqlite.push_back(st.text);

    resetPeak();
    qint64 actualiza = 0;
    qint64 suelo = 0;
    for (auto _ : state) {
        sqlite3_exec(handle, "DELETE FROM V_MV_STOCK", nullptr, nullptr, nullptr);
        QElapsedTimer t;
        t.start();
        ArgumentosStock a;
        cls.ActualizaStock(grilla, QStringLiteral("RM"), kId, QStringLiteral("0"), QStringLiteral("10/12/2024"), a);
        const qint64 esta = t.nsecsElapsed();
        if (a.HayError)
            state.SkipWithError("the update failed");
        actualiza += esta;
        state.SetIterationTime(static_cast<double>(esta) / 1e9);
        sqlite3_exec(handle, "DELETE FROM V_MV_STOCK", nullptr, nullptr, nullptr);
        suelo += piso(handle, sqlite);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["rows"] = static_cast<double>(sqlite.size());
    state.counters["update_ms"] = static_cast<double>(actualiza) / n / 1e6;
    state.counters["floor_ms"] = static_cast<double>(suelo) / n / 1e6;
    state.counters["update_over_floor"] = suelo > 0 ? static_cast<double>(actualiza) / static_cast<double>(suelo) : 0;
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

}  // namespace

BENCHMARK(ActualizaStockDirecto)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

int main(int argc, char** argv)
{
    return CorreSinVentanas(argc, argv);
}
