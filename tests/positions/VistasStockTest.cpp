// The embedded database's views of stock by position: what is still without
// position per depot and per receiving voucher, and each position's balance
// in its own unit.
#include "positions/DatosPosicionesSql.h"

#include "core/DB_Dll.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QStringList filas(const QString& sql)
{
    QStringList resultado;
    db::Recordset rs;
    ObjDB().AbrirRecordset(sql, rs);
    while (!rs.Eof()) {
        QStringList celdas;
        for (int i = 0; i < rs.FieldCount(); ++i)
            celdas << lang::text(rs.value(i)).trimmed();
        resultado << celdas.join(u'|');
        rs.MoveNext();
    }
    ObjDB().CierraRecordset(rs);
    return resultado;
}

// The same, read as the sqlite3 tool reads the file: no collation but
// SQLite's own.
QStringList filasCrudas(const QString& path, const char* sql)
{
    QStringList resultado;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        resultado << QString::fromUtf8(sqlite3_errmsg(db));
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        QStringList celdas;
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            celdas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))).trimmed();
        resultado << celdas.join(u'|');
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return resultado;
}

// Screws received 10 (first) and 4 (later) in depot 1, 7 in depot 2; a lot of
// washers; an annulled receipt. A transfer moved 12 screws and 1 washer out
// of "no position" in depot 1.
const char* kMovimientos = R"(
    INSERT INTO V_MV_STOCK_DRAVELO (ID, FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                    IDDEPOSITO, IDPOSICION, ANULADO) VALUES
        (7, '2024-12-03T08:00:00', 'IR', '0001', '00000124', 'X', 'A1', 'UN', 4, NULL, '   1', NULL, 0),
        (8, '2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', 'A1', 'UN', 10, NULL, '   1', NULL, 0),
        (9, '2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', 'A2', 'UN', 5, 'L1', '   1', NULL, 0),
        (10, '2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', 'A1', 'UN', 99, NULL, '   1', NULL, 1),
        (11, '2024-12-02T08:00:00', 'IR', '0001', '00000125', 'X', 'A1', 'UN', 7, NULL, '   2', NULL, 0),
        (12, '2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', 'A1', 'UN', -12, NULL, '   1', NULL, 0),
        (13, '2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', 'A1', 'UN', 12, NULL, '   1', 'P1', 0),
        (14, '2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', 'A2', 'UN', -1, 'L1', '   1', NULL, 0),
        (15, '2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', 'A2', 'UN', 1, 'L1', '   1', 'P1', 0);
)";

}  // namespace

TEST(VistasStock, StockWithoutPositionPerDepotAndPerReceipt)
{
    TestDatabase t(QString::fromLatin1(kMovimientos));
    EXPECT_EQ(filas("SELECT IdArticulo, NroLote, idDeposito, Cantidad, id FROM Stk_Dravelo_Sin_Asignar ORDER BY id"),
              QStringList({"A1||1|2|7", "A2|L1|1|4|9", "A1||2|7|11"}));
    // What moved out is taken from the receipts in the order they came in.
    EXPECT_EQ(filas("SELECT idcomprobante, IdArticulo, Cantidad, id FROM Stk_Dravelo_Sin_asignar_ir "
                    "WHERE iddeposito = '   1' ORDER BY id"),
              QStringList({"000100000124X|A1|2|7", "000100000123X|A1|0|8", "000100000123X|A2|4|9"}));
}

TEST(VistasStock, PositionBalancesInThePositionsOwnUnit)
{
    TestDatabase t(R"(
        INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
            ('A1', '  CJ', '  UN', 12), ('A2', '  UN', '  DZ', 0.5);
        INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdUnidad) VALUES
            ('   1', 'UNI', '  UN'), ('   1', 'CAJA', '  CJ'), ('   1', 'DOC', '  DZ'), ('   1', 'KILO', '  KG');
        INSERT INTO V_MV_STOCK_DRAVELO (TC, IDARTICULO, IDUNIDADBASE, CANTIDAD, IDDEPOSITO, IDPOSICION) VALUES
            ('TRP', 'A1', '  UN', 24, '   1', 'UNI'), ('TRP', 'A1', '  UN', 24, '   1', 'CAJA'),
            ('TRP', 'A1', '  UN', 6, '   1', 'CAJA'), ('TRP', 'A2', '  UN', 8, '   1', 'DOC'),
            ('TRP', 'A1', '  UN', 5, '   1', 'KILO'), ('TRP', 'A1', '  UN', -5, '   1', NULL),
            ('IR', 'A1', '  UN', 3, '   1', 'UNI');
        INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, Saldo, SaldoPosicion) VALUES
            ('   1', 'UNI', 'A9', 1, 1);)");
    EXPECT_EQ(filas("SELECT IdPosicion, IdArticulo, Saldo, SaldoPosicion FROM AC_SALDOSLAYOUT ORDER BY IdPosicion, "
                    "IdArticulo"),
              QStringList({"CAJA|A1|30|2.5", "DOC|A2|8|4", "KILO|A1|5|0", "UNI|A1|24|24", "UNI|A9|1|1"}));
}

// Codes that differ only in case or in trailing blanks are one code, as on the
// company's server: in the views and in the position dialog's join of
// balances to positions, on either route to the file, and for the sqlite3 tool.
TEST(VistasStock, CodesDifferingInCaseAndTrailingBlanksAreOneCode)
{
    const char* fixture = R"(
        INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('A1', 'TORNILLO', '  UN');
        INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES ('a1 ', '  CJ ', '  UN', 12);
        INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdUnidad, HABILITADO, CAPACIDAD) VALUES
            ('   1', 'P1', '  CJ', 1, 10), ('   1', 'P2', '  CJ', 1, 10);
        INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, SaldoPosicion) VALUES
            ('   1', 'P1 ', 'A9', 1), ('   1 ', 'p1', 'A9', 2);
        INSERT INTO V_MV_STOCK_DRAVELO (ID, FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD,
                                        NROLOTE, IDDEPOSITO, IDPOSICION) VALUES
            (1, '2024-12-02T08:00:00', 'IR', '0001', '00000123', 'X', 'A1', '  UN', 10, 'L1', '   1', NULL),
            (2, '2024-12-03T08:00:00', 'ir ', '0001', '00000124', 'X', 'a1 ', '  un ', 4, 'l1 ', '   1 ', NULL),
            (3, '2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', 'A1 ', '  UN', -12, 'L1', '   1', NULL),
            (4, '2024-12-06T00:00:00', 'trp', '0001', '00000001', 'X', 'A1 ', '  UN', 12, 'L1', '   1 ', 'p1 ');
        UPDATE MA_POSICIONES SET IdPosicion = 'P3 ' WHERE IdPosicion = 'P2';
    )";
    const QString sinPosicion = QStringLiteral("SELECT IdArticulo, NroLote, Descripcion, Cantidad FROM Stk_Dravelo_Sin_Asignar");
    const QString porRecepcion =
        QStringLiteral("SELECT IdArticulo, NroLote, Descripcion, Cantidad, id FROM Stk_Dravelo_Sin_asignar_ir ORDER BY id");
    const QStringList esperadaSinPosicion{"A1|L1|TORNILLO|2"};
    // The 12 moved out are taken from the first receipt on: its 10, then 2 of the second.
    const QStringList esperadaPorRecepcion{"A1|L1|TORNILLO|0|1", "a1|l1|TORNILLO|2|2"};

    TestDatabase t(QString::fromLatin1(fixture));
    for (const bool odbc : {false, true}) {
        const char* ruta = odbc ? "ODBC" : "embedded";
        if (odbc) {
            auto cn = std::make_unique<db::Connection>();
            cn->Open(QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(t.path()));
            ObjDB().setConnection(std::move(cn));
        }
        EXPECT_EQ(filas(sinPosicion), esperadaSinPosicion) << ruta;
        EXPECT_EQ(filas(porRecepcion), esperadaPorRecepcion) << ruta;

        // 1 and 2 held before, and the 12 units moved in are a box.
        DatosPosicionesSql datos;
        const auto posiciones = datos.LeePosiciones(QStringLiteral("1"), {"P1", "P3", ""});
        ASSERT_EQ(posiciones.size(), 2u) << ruta;
        EXPECT_EQ(posiciones[0].IdPosicion, "P1") << ruta;
        EXPECT_EQ(posiciones[0].SaldoPosicion, 4) << ruta;
        EXPECT_EQ(posiciones[1].IdPosicion, "P3") << ruta << ": stored without its trailing blank";
    }
    EXPECT_EQ(filasCrudas(t.path(), "SELECT IdArticulo, NroLote, Descripcion, Cantidad FROM Stk_Dravelo_Sin_Asignar"),
              QStringList{"A1|L1|TORNILLO|2.0"});
    // The 2 still in no position are the depot's row: no position, no position unit.
    EXPECT_EQ(filasCrudas(t.path(), "SELECT IdPosicion, SUM(SaldoPosicion) FROM AC_SALDOSLAYOUT GROUP BY IdPosicion"),
              QStringList({"|", "P1|4.0"}));
}

// A lot received as "L1" and as "l1" is one lot, in the lines without
// position and in the depot's balance alike: once the line is placed whole,
// the depot holds none of it in no position, under either spelling.
TEST(VistasStock, ALotSpelledTwoWaysIsOneLotInTheDepotsBalance)
{
    TestDatabase t(R"(
        INSERT INTO V_MV_STOCK_DRAVELO (ID, TC, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE, IDDEPOSITO, IDPOSICION) VALUES
            (1, 'IR', 'A1', '  UN', 10, 'L1', '   1', NULL), (2, 'IR', 'A1', '  UN', 5, 'l1', '   1', NULL),
            (3, 'TRP', 'A1', '  UN', -15, 'L1', '   1', NULL), (4, 'TRP', 'A1', '  UN', 15, 'L1', '   1', 'P1'),
            (5, 'IR', 'A2', '  UN', 4, 'm1', '   1', NULL), (6, 'IR', 'A2', '  UN', 3, 'M1', '   1', NULL);)");
    EXPECT_EQ(filas("SELECT IdArticulo, NroLote, Cantidad FROM Stk_Dravelo_Sin_Asignar ORDER BY id"),
              QStringList({"A1|L1|0", "A2|m1|7"}));
    EXPECT_EQ(filas("SELECT IdArticulo, NroLote, Saldo FROM AC_SALDOSLAYOUT WHERE IdPosicion IS NULL ORDER BY IdArticulo"),
              QStringList({"A2|m1|7"}));
}
