#pragma once

// Databases of the put-away road's sizes, shared by the benchmarks: the demo
// database plus N receipt lines waiting for a position in depot 1, and P
// storage positions of depot 1 holding B balance rows each. Everything goes
// in through the tables the program itself writes or an operator loads
// (receipts and transfers into V_MV_STOCK_DRAVELO, positions into
// MA_POSICIONES, opening balances into AC_SALDOSINICIALES), never into the
// rows of a view or of a table derived from those, so that whatever the
// schema derives from them (the lines without position, the balances per
// position) it derives here as it does for the program.
//
// The waiting lines: N distinct article, lot and unit lines, 50 lots of each
// article, in receiving vouchers "IR" of 100 lines; the articles are in
// V_MA_ARTICULOS (family "0501" under "05", type "T5", rubro "R5", counted
// in units and in boxes of twelve), codes right-justified as the program
// writes them (articles to 25, units and depots to 4).
//
// The positions: reserved for the family of those articles or for its
// parent, alternately in units and in boxes; of each position's B balance
// rows, half are opening balances and the other half rows of saved transfer
// vouchers "TRP", each transfer line placing one lot into ten positions (one
// row without position taking it from its receipt, one row per position), so
// that both halves of the balance source count. A placed lot leaves nothing
// waiting: the waiting lines stay the demo's plus N.
//
// Each database is made once and kept on disk between runs (in the folder
// APP_BENCH_CARPETA_DATOS names, else beside the benchmark), keyed by its
// sizes and by the text of the schema, the demo and this script, so that a
// changed schema makes a fresh file. Made in one transaction, into a file of
// its own that only takes the final name when complete.

#include "db/EmbeddedDatabase.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <sqlite3.h>
#include <utility>

namespace espera {

// Whether the file keeps `nombre` (the lines without position, the balances
// by position) in a table: a table of that name, or the views over the
// table the file's triggers keep. A floor then reads what the program
// reads, not the grouping of the movements that file no longer does.
inline bool mantenidoEnTabla(sqlite3* db, const char* nombre)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' "
                       "AND (name = ?1 COLLATE NOCASE OR name = 'AC_SALDOSDRAVELO' COLLATE NOCASE)",
                       -1, &st, nullptr);
    sqlite3_bind_text(st, 1, nombre, -1, SQLITE_STATIC);
    const bool tabla = st && sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) > 0;
    sqlite3_finalize(st);
    return tabla;
}

// The demo's own lines waiting in depot 1.
constexpr int kLineasDemo = 16;
// The family of the generated articles, and its parent.
inline const QString kFamilia = QStringLiteral("0501");
inline const QString kFamiliaPadre = QStringLiteral("05");
constexpr int kLotesPorArticulo = 50;
constexpr int kPosicionesPorTransferencia = 10;

// The code of the generated article `i`, right-justified to 25.
inline QString articulo(int i)
{
    return QStringLiteral("%1").arg(QStringLiteral("G%1").arg(i, 6, 10, QLatin1Char('0')), 25);
}

// The text with each {name} replaced by its value. (QString::arg would also
// take the %02d of an SQL printf for a place of its own.)
inline QString conValores(QString texto, std::initializer_list<std::pair<const char*, QString>> valores)
{
    for (const auto& [nombre, valor] : valores)
        texto.replace(u'{' + QLatin1String(nombre) + u'}', valor);
    return texto;
}

// The SQL expressions of the code of position number `i` (itself an SQL
// expression) and of whether it counts in boxes.
inline QString codigoPosicion(const QString& i)
{
    return conValores(QStringLiteral("printf('R%03d-%02d-%d', ({i}) / 50, (({i}) / 5) % 10, ({i}) % 5)"), {{"i", i}});
}
inline QString enCajas(const QString& i)
{
    return conValores(QStringLiteral("(({i}) % 2 = 1)"), {{"i", i}});
}

inline QString script(int lineas, int posiciones, int saldos)
{
    const auto n = [](qint64 v) { return QString::number(v); };
    const int articulos = std::max(1, (lineas + kLotesPorArticulo - 1) / kLotesPorArticulo);
    const int iniciales = saldos / 2;
    const int transferidos = saldos - iniciales;
    const int grupos = (posiciones + kPosicionesPorTransferencia - 1) / kPosicionesPorTransferencia;
    QString s = conValores(QStringLiteral(R"(
        INSERT INTO V_TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES ('05', 'FERRETERIA INDUSTRIAL'), ('0501', 'BULONES');
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {articulos} - 1)
        INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdFamilia, IdTipo, idrubro)
        SELECT printf('%25s', printf('G%06d', i)),
               printf('BULON %s %05d', CASE i % 4 WHEN 0 THEN 'HEXAGONAL' WHEN 1 THEN 'CABEZA TANQUE'
                                                  WHEN 2 THEN 'ALLEN' ELSE 'CARROCERO' END, (i * 7919) % 100003),
               '  UN', '0501', 'T5', 'R5' FROM n;
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {colocados} - 1)
        INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdFamilia, IdTipo, idrubro)
        SELECT printf('%25s', printf('S%05d', i)), printf('ESPARRAGO ROSCADO %05d', i), '  UN', '0501', 'T5', 'R5'
        FROM n WHERE {colocados} > 0;
        INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente)
        SELECT IDARTICULO, '  UN', '  UN', 1 FROM V_MA_ARTICULOS WHERE IdFamilia = '0501'
        UNION ALL SELECT IDARTICULO, '  CJ', '  UN', 12 FROM V_MA_ARTICULOS WHERE IdFamilia = '0501';
    )"),
                           {{"articulos", n(articulos)}, {"colocados", n(std::max(iniciales, transferidos))}});
    if (lineas > 0)
        s += conValores(QStringLiteral(R"(
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {lineas} - 1)
        INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                        IDDEPOSITO, IDPOSICION, USUARIO, ANULADO)
        SELECT printf('2025-%02d-%02dT08:30:00', 1 + (i / 100000) % 12, 1 + (i / 4000) % 28), 'IR', '0001',
               printf('%08d', 1000 + i / 100), 'X', printf('%25s', printf('G%06d', i / {lotes})), '  UN', 1 + i % 37,
               printf('L%02d-%03d', 24 + (i / {lotes}) % 2, i % {lotes}), '   1', NULL, 'juan', 0 FROM n;
        )"),
                        {{"lineas", n(lineas)}, {"lotes", n(kLotesPorArticulo)}});
    if (posiciones > 0) {
        s += conValores(QStringLiteral(R"(
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {posiciones} - 1)
        INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, IdArticulo, IdFamilia, IdTipo, IdRubro,
                                   ORDENINGRESO, IdUnidad, HABILITADO, CAPACIDAD)
        SELECT '   1', {codigo}, printf('Rack %d, nivel %d', i / 50, (i / 5) % 10), NULL,
               CASE WHEN i % 4 < 2 THEN '0501' ELSE '05' END, NULL, NULL, 100 + i,
               CASE WHEN {cajas} THEN '  CJ' ELSE '  UN' END, 1, CASE WHEN {cajas} THEN 40 ELSE 480 END FROM n;
        )"),
                        {{"posiciones", n(posiciones)},
                         {"codigo", codigoPosicion(QStringLiteral("i"))},
                         {"cajas", enCajas(QStringLiteral("i"))}});
        // Opening balances: 6 units of a placed article, half a box in a
        // position counted in boxes.
        if (iniciales > 0) {
            const QString posicion = QStringLiteral("i / ") + n(iniciales);
            s += conValores(QStringLiteral(R"(
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {filas} - 1)
        INSERT INTO AC_SALDOSINICIALES (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion)
        SELECT '   1', {codigo}, printf('%25s', printf('S%05d', i % {iniciales})), 'INI-2023', '  UN', 6,
               CASE WHEN {cajas} THEN 0.5 ELSE 6 END FROM n;
        )"),
                            {{"filas", n(static_cast<qint64>(posiciones) * iniciales)},
                             {"iniciales", n(iniciales)},
                             {"codigo", codigoPosicion(posicion)},
                             {"cajas", enCajas(posicion)}});
        }
        // Saved transfers: each transfer line (a placed article's lot, into
        // a group of ten positions) has its receipt, the row that takes it
        // out of "no position", and 6 units into each position of the group.
        if (transferidos > 0) {
            const QString grupo = QStringLiteral("(i / ") + n(transferidos) + u')';
            const QString posicion = QStringLiteral("i / ") + n(transferidos);
            s += conValores(QStringLiteral(R"(
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {lineasTransferidas} - 1)
        INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                        IDDEPOSITO, IDPOSICION, USUARIO, ANULADO)
        SELECT '2024-10-01T08:00:00', 'IR', '0001', printf('%08d', 500 + {grupo}), 'X',
               printf('%25s', printf('S%05d', i % {transferidos})), '  UN', 6 * {tamano}, printf('T%05d', {grupo}),
               '   1', NULL, 'juan', 0 FROM n
        UNION ALL
        SELECT '2024-10-02T09:00:00', 'TRP', '0001', printf('%08d', 2 + {grupo}), 'X',
               printf('%25s', printf('S%05d', i % {transferidos})), '  UN', -6 * {tamano}, printf('T%05d', {grupo}),
               '   1', NULL, 'juan', 0 FROM n;
        WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < {filas} - 1)
        INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                        IDDEPOSITO, IDPOSICION, USUARIO, ANULADO)
        SELECT '2024-10-02T09:00:00', 'TRP', '0001', printf('%08d', 2 + ({posicion}) / {porGrupo}), 'X',
               printf('%25s', printf('S%05d', i % {transferidos})), '  UN', 6,
               printf('T%05d', ({posicion}) / {porGrupo}), '   1', {codigo}, 'juan', 0 FROM n;
        )"),
                            {{"lineasTransferidas", n(static_cast<qint64>(grupos) * transferidos)},
                             {"filas", n(static_cast<qint64>(posiciones) * transferidos)},
                             {"transferidos", n(transferidos)},
                             {"grupo", grupo},
                             {"posicion", posicion},
                             {"porGrupo", n(kPosicionesPorTransferencia)},
                             {"tamano", QStringLiteral("MIN(%1, %2 - %3 * %1)")
                                            .arg(n(kPosicionesPorTransferencia), n(posiciones), grupo)},
                             {"codigo", codigoPosicion(posicion)}});
        }
    }
    return s;
}

// The folder the databases are kept in.
inline QString carpeta()
{
    const QString propia = qEnvironmentVariable("APP_BENCH_CARPETA_DATOS");
    const QString c = propia.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/datos") : propia;
    QDir().mkpath(c);
    return c;
}

// The database of the demo plus `lineas` waiting lines, and `posiciones`
// positions with `saldos` balance rows each; made when it is not kept yet.
inline QString base(int lineas, int posiciones = 0, int saldos = 0)
{
    const QString texto = script(lineas, posiciones, saldos);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(EmbeddedDatabase::schemaSql().toUtf8());
    hash.addData(EmbeddedDatabase::demoSql().toUtf8());
    hash.addData(texto.toUtf8());
    const QString nombre = QStringLiteral("espera_%1_%2x%3_%4.db")
                               .arg(lineas)
                               .arg(posiciones)
                               .arg(saldos)
                               .arg(QString::fromLatin1(hash.result().toHex().left(12)));
    const QString path = carpeta() + u'/' + nombre;
    if (QFileInfo::exists(path))
        return path;
    const QString nuevo = path + QStringLiteral(".%1.nuevo").arg(QCoreApplication::applicationPid());
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(nuevo + QLatin1String(suffix));
    QElapsedTimer t;
    t.start();
    EmbeddedDatabase::create(nuevo, true);
    EmbeddedDatabase::execute(nuevo, texto);
    QFile::remove(path);
    if (!QFile::rename(nuevo, path)) {
        std::fprintf(stderr, "cannot keep %s\n", qPrintable(path));
        std::abort();
    }
    std::fprintf(stderr, "made %s (%d waiting lines, %d positions x %d balances) in %.1f s\n", qPrintable(nombre), lineas,
                 posiciones, saldos, static_cast<double>(t.elapsed()) / 1000.0);
    return path;
}

// The database of the put-away road's benchmarks for `lineas` waiting lines:
// a depot whose 1,000 positions of the lines' family hold 20 balance rows
// each.
constexpr int kPosicionesCamino = 1000;
constexpr int kSaldosCamino = 20;
inline QString baseDelCamino(int lineas)
{
    return base(lineas, kPosicionesCamino, kSaldosCamino);
}

}  // namespace espera
