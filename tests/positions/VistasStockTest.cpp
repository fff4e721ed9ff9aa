// The embedded database's views of stock by position: what is still without
// position per depot and per receiving voucher, and each position's balance
// in its own unit.
#include "core/DB_Dll.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

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
