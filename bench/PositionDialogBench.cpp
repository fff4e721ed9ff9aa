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
#include "positions/DatosPosicionesSql.h"
#include "positions/PosicionEntradas.h"

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
    const db::SqliteDialect dialecto(cn.backend()->literalCollation());

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
    });
}
