// Load of the position dialog for one line on the automatic proposal's road
// (its logic over cells in memory, nothing shown): candidate order, candidate
// rows, conversions, colours, fill and acceptance, on the embedded database,
// and the same through ODBC with the SQLite ODBC driver on the same file.
//
// For each load it counts the statements the program sends, by kind, and
// times the load against the floor: the same statements, already carried to
// SQLite's dialect and prepared once (the layer keeps the queries it ran and
// reuses them on the next load), stepped through every row on the same SQLite
// handle, with every value the dialog reads handed on as a Qt value (text read
// as UTF-8, as the layer reads it). Target: a load within 1.5 times its floor.
//
// Arguments: positions in the depot, family depth (levels of two characters),
// balance rows per position. Every position is reserved for the article's
// family or one of its ancestors, so all of them are proposed and read.
//
// That floor pays whatever the dialog's statements pay; a second benchmark
// (below, "Against the cheapest read of the same positions") times the load
// on the put-away road's databases against one grouped read of the same
// positions and balances.
#include "positions/DatosPosicionesSql.h"
#include "positions/PosicionEntradas.h"

#include "bench/BaseEnEspera.h"
#include "bench/BenchSupport.h"
#include "bench/PisoSentencias.h"

#include "core/DB_Dll.h"
#include "db/EmbeddedDatabase.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/db/Connection.h"
#include "platform/db/SqliteBackend.h"
#include "platform/db/SqliteDialect.h"

#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

namespace {

enum Ruta { Embebida, Odbc };

QString tipoDe(const QString& s)
{
    if (s.contains(QLatin1String("TA_CONFIGURACION"), Qt::CaseInsensitive))
        return QStringLiteral("config");
    if (s.contains(QLatin1String("left join")))
        return QStringLiteral("criterio");
    if (s.contains(QLatin1String("idfamilia is null")))
        return QStringLiteral("libres");
    if (s.contains(QLatin1String("SaldoPosicion")))
        return QStringLiteral("filas");
    if (s.contains(QLatin1String("LTRIM(RTRIM(IdArticulo))")))
        return QStringLiteral("articulo");
    return QStringLiteral("por_posicion");
}

QString baseDeDatos(QTemporaryDir& dir, int posiciones, int profundidad, int saldos)
{
    const QString path = dir.filePath(QStringLiteral("p%1_d%2_s%3.db").arg(posiciones).arg(profundidad).arg(saldos));
    const QString familia = QStringLiteral("010203040506").left(2 * profundidad);
    QString sql;
    for (int n = 1; n <= profundidad; ++n)
        sql += QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('FLIA_NIVEL%1', '2');\n").arg(n);
    sql += QStringLiteral(
               "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdFamilia, IdTipo, idrubro) VALUES "
               "('                   ART001', 'TORNILLO', 'UN', '%1', 'T1', 'R1');\n"
               "INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES "
               "('                   ART001', '  UN', '  UN', 1), ('                   ART001', '  CJ', '  UN', 12);\n"
               "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %2 - 1)\n"
               "INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, IdFamilia, ORDENINGRESO, IdUnidad, "
               "HABILITADO, CAPACIDAD) SELECT '   1', printf('P%05d', i), 'Posicion', substr('%1', 1, 2 * ((i % %3) + 1)), "
               "i % 97, CASE i % 2 WHEN 0 THEN 'UN' ELSE 'CJ' END, 1, 40 FROM n;\n"
               "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %2 * %4 - 1)\n"
               "INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, SaldoPosicion) "
               "SELECT '   1', printf('P%05d', i / %4), printf('X%d', i % %4), 0.5 FROM n;\n")
               .arg(familia)
               .arg(posiciones)
               .arg(profundidad)
               .arg(saldos);
    EmbeddedDatabase::create(path, false);
    EmbeddedDatabase::execute(path, sql);
    return path;
}

// The columns the dialog reads of a statement (none named: all of them).
QStringList columnasLeidas(const QString& s)
{
    if (s.contains(QLatin1String("TA_CONFIGURACION"), Qt::CaseInsensitive))
        return {QStringLiteral("VALOR")};
    if (s.contains(QLatin1String("S_TA_EQUIV"), Qt::CaseInsensitive))
        return {QStringLiteral("Coeficiente")};
    if (s.contains(QLatin1String("LTRIM(RTRIM(IdArticulo))")))
        return {QStringLiteral("IdArticulo"), QStringLiteral("IdFamilia"), QStringLiteral("IdTipo"),
                QStringLiteral("idrubro")};
    if (s.contains(QLatin1String("left join")) || s.contains(QLatin1String("idfamilia is null")))
        return {QStringLiteral("idposicion")};
    return {};
}

void CargaDelDialogo(benchmark::State& state)
{
    static QTemporaryDir dir;
    static std::map<std::tuple<int, int, int>, QString> bases;
    const int posiciones = static_cast<int>(state.range(0));
    const int profundidad = static_cast<int>(state.range(1));
    const int saldos = static_cast<int>(state.range(2));
    const auto ruta = static_cast<Ruta>(state.range(3));
    QString& path = bases[{posiciones, profundidad, saldos}];
    if (path.isEmpty())
        path = baseDeDatos(dir, posiciones, profundidad, saldos);

    releaseObjDB();
    resetPeak();
    auto propia = std::make_unique<Contador>();
    Contador& cn = *propia;
    cn.Open(ruta == Odbc ? QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(path)
                         : QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(path));
    ObjDB().setConnection(std::move(propia));
    ObjDB().gOpenFlag = true;
    auto* backend = ruta == Embebida ? static_cast<db::SqliteBackend*>(cn.backend()) : nullptr;
    // The statements carried as the layer carries them, views known.
    const db::SqliteDialect dialecto(cn.backend()->literalCollation(), cn.backend()->viewNames());

    int filas = 0;
    const auto carga = [&] {
        cn.leidas.clear();
        QElapsedTimer t;
        t.start();
        DatosPosicionesSql lecturas;
        GrillaMemoria celdas;
        PosicionEntradas dialogo(lecturas, celdas);
        dialogo.eIdArticulo = QStringLiteral("                   ART001");
        dialogo.eIdDeposito = QStringLiteral("1");
        dialogo.eUnidadArticulo = QStringLiteral("UN");
        dialogo.eCantidadPedida = 100;
        dialogo.eProposicionAutomatica = true;
        dialogo.CargaYAcepta();
        const qint64 esta = t.nsecsElapsed();
        filas = celdas.Rows();
        if (dialogo.Posiciones.isEmpty())
            state.SkipWithError("nothing was placed");
        return esta;
    };

    // A first load, untimed, gives the statements the floor prepares; every
    // later load sends the same ones.
    carga();
    const QStringList enviadas = cn.leidas;
    QMap<QString, int> porTipo;
    std::vector<Sentencia> sentencias;
    for (const QString& s : enviadas) {
        porTipo[tipoDe(s)] += 1;
        if (backend)
            for (const auto& st : dialecto.translate(s))
                if (st.kind == db::SqliteStatement::Kind::Sql)
                    sentencias.push_back(prepara(backend->handle(), st.text, columnasLeidas(s)));
    }

    qint64 cargas = 0;
    qint64 suelo = 0;
    for (auto _ : state) {
        const qint64 esta = carga();
        cargas += esta;
        state.SetIterationTime(static_cast<double>(esta) / 1e9);
        if (cn.leidas != enviadas) {
            state.SkipWithError("a load sent other statements than the first");
            break;
        }
        if (backend)
            suelo += piso(sentencias);
    }
    for (const Sentencia& s : sentencias)
        sqlite3_finalize(s.st);
    const double n = static_cast<double>(state.iterations());
    state.counters["statements"] = static_cast<double>(enviadas.size());
    state.counters["grid_rows"] = filas;
    for (auto it = porTipo.cbegin(); it != porTipo.cend(); ++it)
        state.counters[("st_" + it.key()).toStdString()] = it.value();
    state.counters["load_ms"] = static_cast<double>(cargas) / n / 1e6;
    state.counters["floor_ms"] = static_cast<double>(suelo) / n / 1e6;
    state.counters["load_over_floor"] = suelo > 0 ? static_cast<double>(cargas) / static_cast<double>(suelo) : 0;
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

// ---- Against the cheapest read of the same positions ------------------------
//
// The same load for a line of the put-away road's databases
// (bench/BaseEnEspera.h: the demo, 1,000 or 10,000 positions of the
// article's family and its parent, 20 balance rows each, half opening
// balances and half rows of saved transfers), against a floor that does not
// replay the dialog's statements: one statement, prepared once, that reads
// the same candidate positions and their balances by the cheapest route on
// the schema as it stands. The candidate positions of the depot are those
// reserved for the article, its family or a parent family, its type or its
// rubro (the depot's key, the family's index); each is joined to its balance
// summed per position. While AC_SALDOSLAYOUT is a view, the balances are
// summed from what the view stands for, as the view sums them: the opening
// balances, and the positioned transfer rows grouped by position, article,
// lot and unit, each group converted into the position's unit; its third
// part, the depot's stock without position, never meets a position and is
// left out. Once AC_SALDOSLAYOUT is a table of its own, the floor sums that
// table's rows of the depot per position. Before the timing, the floor's
// rows are checked against the positions and balances the load read.
// Targets: a load within 2 times this floor at 10,000 positions, and linear
// from 1,000 to 10,000 positions. The load's own statements, replayed as the
// first benchmark replays them, are timed beside it: what the dialog's
// statements cost before it does anything with their rows.

// The load's own reads, with the candidate rows of the last one kept.
class LecturasVistas : public DatosPosicionesSql {
public:
    std::vector<FilaPosicion> filas;
    std::vector<FilaPosicion> LeePosiciones(const QString& idDeposito, const QStringList& propuestas) override
    {
        filas = DatosPosicionesSql::LeePosiciones(idDeposito, propuestas);
        return filas;
    }
};

// The floor's statement: the candidate positions of depot 1 for an article
// of the generated family, with their balances.
QString lecturaAgrupada(bool saldosEnTabla)
{
    // The conversion of a transfer group's quantity into the position's
    // unit, as AC_SALDOSLAYOUT makes it.
    const QString conversion = QStringLiteral(R"(
        CASE WHEN TRIM(m.IDUNIDADBASE) = TRIM(IFNULL(q.IdUnidad, '')) COLLATE NOCASE THEN 1
        ELSE COALESCE(
            (SELECT MAX(e.Coeficiente) FROM S_TA_EQUIV e
             WHERE e.IdArticulo = m.IDARTICULO AND e.Coeficiente <> 0
               AND TRIM(e.IDUNIDAD) = TRIM(m.IDUNIDADBASE) COLLATE NOCASE
               AND TRIM(e.IDUNIDAD_EQUIV) = TRIM(q.IdUnidad) COLLATE NOCASE),
            (SELECT 1.0 / MAX(e.Coeficiente) FROM S_TA_EQUIV e
             WHERE e.IdArticulo = m.IDARTICULO AND e.Coeficiente <> 0
               AND TRIM(e.IDUNIDAD) = TRIM(q.IdUnidad) COLLATE NOCASE
               AND TRIM(e.IDUNIDAD_EQUIV) = TRIM(m.IDUNIDADBASE) COLLATE NOCASE),
            0) END)");
    const QString saldos = saldosEnTabla
        ? QStringLiteral("SELECT IdPosicion, SUM(SaldoPosicion) AS saldo FROM AC_SALDOSLAYOUT "
                         "WHERE IdDeposito = '   1' AND IdPosicion IS NOT NULL GROUP BY IdPosicion")
        : QStringLiteral(R"(
        SELECT IdPosicion, SUM(saldo) AS saldo FROM (
            SELECT IdPosicion, SaldoPosicion AS saldo FROM AC_SALDOSINICIALES
            WHERE IdDeposito = '   1' AND IdPosicion IS NOT NULL
            UNION ALL
            SELECT m.IDPOSICION, ROUND(SUM(m.CANTIDAD) * %1, 4)
            FROM V_MV_STOCK_DRAVELO m
            LEFT JOIN MA_POSICIONES q ON q.IdDeposito = m.IDDEPOSITO AND q.IdPosicion = m.IDPOSICION
            WHERE m.TC = 'TRP' AND m.IDPOSICION IS NOT NULL AND m.ANULADO = 0 AND m.IDDEPOSITO = '   1'
            GROUP BY m.IDPOSICION, m.IDARTICULO, m.NROLOTE, m.IDUNIDADBASE)
        GROUP BY IdPosicion)")
              .arg(conversion);
    return QStringLiteral(R"(
        SELECT p.IdPosicion, p.Descripcion, p.ORDENINGRESO, IFNULL(p.IdUnidad, '') AS idunidad, p.HABILITADO,
               IFNULL(p.CAPACIDAD, 0) AS capacidad, IFNULL(s.saldo, 0) AS SaldoPosicion
        FROM MA_POSICIONES p LEFT JOIN (%1) s ON s.IdPosicion = p.IdPosicion
        WHERE p.IdDeposito = '   1'
          AND (p.IdArticulo = '%2' OR p.IdFamilia IN ('%3', '%4') OR p.IdTipo = 'T5' OR p.IdRubro = 'R5')
        ORDER BY p.ORDENINGRESO, p.IdPosicion)")
        .arg(saldos, espera::articulo(0), espera::kFamilia, espera::kFamiliaPadre);
}

// The floor's rows, position and balance, as the load's check reads them.
QStringList filasDelPiso(sqlite3_stmt* st)
{
    QStringList filas;
    sqlite3_reset(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        filas << QStringLiteral("%1 %2")
                     .arg(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))))
                     .arg(sqlite3_column_double(st, 6), 0, 'f', 4);
    sqlite3_reset(st);
    filas.sort();
    return filas;
}

void CargaContraLecturaAgrupada(benchmark::State& state)
{
    const int posiciones = static_cast<int>(state.range(0));
    const int saldos = static_cast<int>(state.range(1));
    const QString path = espera::base(0, posiciones, saldos);

    releaseObjDB();
    resetPeak();
    auto propia = std::make_unique<Contador>();
    Contador& cn = *propia;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(path));
    ObjDB().setConnection(std::move(propia));
    ObjDB().gOpenFlag = true;
    sqlite3* handle = static_cast<db::SqliteBackend*>(cn.backend())->handle();

    const auto carga = [&](DatosPosicionesSql& lecturas) {
        cn.leidas.clear();
        QElapsedTimer t;
        t.start();
        GrillaMemoria celdas;
        PosicionEntradas dialogo(lecturas, celdas);
        dialogo.eIdArticulo = espera::articulo(0);
        dialogo.eIdDeposito = QStringLiteral("1");
        dialogo.eUnidadArticulo = QStringLiteral("  UN");
        dialogo.eCantidadPedida = 100;
        dialogo.eProposicionAutomatica = true;
        dialogo.CargaYAcepta();
        const qint64 esta = t.nsecsElapsed();
        if (dialogo.Posiciones.isEmpty())
            state.SkipWithError("nothing was placed");
        return esta;
    };

    // A first load, untimed, gives the rows the floor must read.
    LecturasVistas vistas;
    carga(vistas);
    QStringList leidas;
    for (const FilaPosicion& f : vistas.filas)
        leidas << QStringLiteral("%1 %2").arg(f.IdPosicion).arg(f.SaldoPosicion, 0, 'f', 4);
    leidas.sort();
    const int enviadas = static_cast<int>(cn.leidas.size());

    // The load's own statements replayed as the first floor replays them:
    // what they cost before the dialog does anything with their rows.
    const db::SqliteDialect dialecto(cn.backend()->literalCollation(), cn.backend()->viewNames());
    std::vector<Sentencia> propias;
    for (const QString& s : cn.leidas)
        for (const auto& st : dialecto.translate(s))
            if (st.kind == db::SqliteStatement::Kind::Sql)
                propias.push_back(prepara(handle, st.text, columnasLeidas(s)));

    const bool tabla = espera::mantenidoEnTabla(handle, "AC_SALDOSLAYOUT");
    std::vector<Sentencia> piso1{prepara(handle, lecturaAgrupada(tabla), {})};
    if (filasDelPiso(piso1.front().st) != leidas || static_cast<int>(leidas.size()) != posiciones) {
        state.SkipWithError("the floor reads other positions or balances than the load");
        sqlite3_finalize(piso1.front().st);
        return;
    }

    qint64 cargas = 0;
    qint64 suelo = 0;
    qint64 repetidas = 0;
    for (auto _ : state) {
        DatosPosicionesSql lecturas;
        const qint64 esta = carga(lecturas);
        cargas += esta;
        state.SetIterationTime(static_cast<double>(esta) / 1e9);
        suelo += piso(piso1);
        repetidas += piso(propias);
    }
    sqlite3_finalize(piso1.front().st);
    for (const Sentencia& s : propias)
        sqlite3_finalize(s.st);
    const double n = static_cast<double>(state.iterations());
    state.counters["statements"] = enviadas;
    state.counters["load_ms"] = static_cast<double>(cargas) / n / 1e6;
    state.counters["floor_ms"] = static_cast<double>(suelo) / n / 1e6;
    state.counters["load_over_floor"] = suelo > 0 ? static_cast<double>(cargas) / static_cast<double>(suelo) : 0;
    state.counters["statements_ms"] = static_cast<double>(repetidas) / n / 1e6;
    state.counters["table"] = tabla ? 1 : 0;
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

constexpr int kPosicionesAgrupadas[] = {1000, 10000};
constexpr int kSaldosAgrupados = 20;

constexpr int kPosiciones[] = {50, 1000, 10000};

// Each configuration's two routes one after the other, so that their ratio
// compares runs made under the same load.
void registra()
{
    for (int posiciones : kPosiciones)
        for (int profundidad = 1; profundidad <= 6; ++profundidad)
            for (int saldos : {1, 20})
                for (int ruta : {Embebida, Odbc})
                    benchmark::RegisterBenchmark("CargaDelDialogo", CargaDelDialogo)
                        ->Args({posiciones, profundidad, saldos, ruta})
                        ->ArgNames({"positions", "depth", "balances", "route"})
                        ->UseManualTime()
                        ->Unit(benchmark::kMillisecond)
                        ->MinTime(0.5);
    for (int posiciones : kPosicionesAgrupadas)
        benchmark::RegisterBenchmark("CargaContraLecturaAgrupada", CargaContraLecturaAgrupada)
            ->Args({posiciones, kSaldosAgrupados})
            ->ArgNames({"positions", "balances"})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
}

}  // namespace

int main(int argc, char** argv)
{
    return CorreSinVentanas(argc, argv, registra, [](ResultReporter& resultados) {
        std::printf("\n%-9s %-5s %-8s %10s %10s %6s %10s %6s %6s %8s\n", "positions", "depth", "balances", "load ms",
                    "floor ms", "ratio", "odbc ms", "/load", "stmts", "peak MB");
        double peor = 0;
        for (int posiciones : kPosiciones)
            for (int profundidad = 1; profundidad <= 6; ++profundidad)
                for (int saldos : {1, 20}) {
                    const std::string args = "CargaDelDialogo/positions:" + std::to_string(posiciones) + "/depth:"
                        + std::to_string(profundidad) + "/balances:" + std::to_string(saldos) + "/route:";
                    const auto& embebida = resultados[args + "0"];
                    const auto& odbc = resultados[args + "1"];
                    const double carga = embebida.counter("load_ms");
                    if (carga <= 0)
                        continue;
                    const double ratio = embebida.counter("load_over_floor");
                    peor = std::max(peor, ratio);
                    std::printf("%-9d %-5d %-8d %10.3f %10.3f %6.2f %10.3f %6.2f %6.0f %8.1f\n", posiciones,
                                profundidad, saldos, carga, embebida.counter("floor_ms"), ratio, odbc.counter("load_ms"),
                                odbc.counter("load_ms") / carga, embebida.counter("statements"),
                                embebida.counter("peak_MB"));
                }
        std::printf("worst load / floor: %.2f (target 1.5 or less in every configuration)\n", peor);

        std::printf("\nagainst the cheapest read of the same positions and balances (one grouped statement)\n");
        std::printf("%-9s %-8s %10s %10s %7s %12s %8s %6s %8s %-6s\n", "positions", "balances", "load ms", "floor ms",
                    "ratio", "its stmts ms", "/ floor", "stmts", "peak MB", "floor");
        double porPosicion[2] = {0, 0};
        for (std::size_t i = 0; i < std::size(kPosicionesAgrupadas); ++i) {
            const int posiciones = kPosicionesAgrupadas[i];
            const auto& r = resultados["CargaContraLecturaAgrupada/positions:" + std::to_string(posiciones)
                                       + "/balances:" + std::to_string(kSaldosAgrupados)];
            const double carga = r.counter("load_ms");
            if (carga <= 0)
                continue;
            porPosicion[i] = carga / posiciones;
            std::printf("%-9d %-8d %10.3f %10.3f %7.2f %12.3f %8.2f %6.0f %8.1f %-6s\n", posiciones, kSaldosAgrupados,
                        carga, r.counter("floor_ms"), r.counter("load_over_floor"), r.counter("statements_ms"),
                        r.counter("statements_ms") / r.counter("floor_ms"), r.counter("statements"),
                        r.counter("peak_MB"), r.counter("table") > 0 ? "table" : "source");
        }
        if (porPosicion[0] > 0 && porPosicion[1] > 0)
            std::printf("load per position at 10,000 over that at 1,000: %.2f\n", porPosicion[1] / porPosicion[0]);
        std::printf("targets: 2 or less at 10,000 positions; the load per position the same at both sizes\n"
                    "(its stmts: the load's own statements replayed on the same handle, as the floor above replays "
                    "them)\n"
                    "(floor \"source\": AC_SALDOSLAYOUT is a view, and the floor sums the opening balances and the "
                    "positioned transfer rows it stands for; \"table\": it is a table, and the floor sums it)\n");
    });
}
