// Saving a line of a transfer voucher on the embedded database: the rows it
// writes, the voucher number it takes, its all-or-nothing transaction, and
// two stations saving new vouchers at the same time.
#include "positions/ComprobanteTransferencia.h"
#include "positions/GrabacionTransferencia.h"

#include "core/DB_Dll.h"
#include "platform/Prompts.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QSet>
#include <gtest/gtest.h>
#include <thread>

namespace {

const QDate kHoy(2024, 12, 10);

// A position that the database refuses, so that a batch fails half-way.
const char* kPosicionRota = R"(
    CREATE TRIGGER PosicionRota BEFORE INSERT ON V_MV_STOCK_DRAVELO WHEN NEW.IDPOSICION = 'ROTA'
    BEGIN SELECT RAISE(ABORT, 'posicion rota'); END;
)";

CabeceraTransferencia cabecera(const QString& numero = QStringLiteral("00000099"))
{
    return {{QStringLiteral("0001"), numero, QStringLiteral("X")}, QStringLiteral("1")};
}

LineaTransferencia linea(const QString& articulo, const QString& transferir, const QString& posiciones,
                         const QString& cantidades, const QString& lote = {})
{
    return {articulo.rightJustified(25), QStringLiteral("ARTICULO"), lote, QStringLiteral("UN"), transferir,
            cantidades, posiciones, QString()};
}

// Every row of the movement table, in order: "TC SUCURSAL-NUMERO-LETRA
// [IDARTICULO] [IDUNIDADBASE] CANTIDAD NROLOTE IDDEPOSITO IDPOSICION USUARIO".
QStringList movimientos(DB_Dll& db)
{
    QStringList filas;
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT * FROM V_MV_STOCK_DRAVELO ORDER BY ID"), rs);
    while (!rs.Eof()) {
        const auto v = [&](const char* c) {
            const QVariant x = rs.value(QString::fromLatin1(c));
            return lang::isNull(x) ? QStringLiteral("NULL") : lang::text(x);
        };
        filas << QStringLiteral("%1 %2-%3-%4 [%5] [%6] %7 %8 [%9] %10 %11")
                     .arg(v("TC"), v("SUCURSAL"), v("NUMERO"), v("LETRA"), v("IDARTICULO"), v("IDUNIDADBASE"),
                          v("CANTIDAD"), v("NROLOTE"), v("IDDEPOSITO"))
                     .arg(v("IDPOSICION"), v("USUARIO"));
        rs.MoveNext();
    }
    db.CierraRecordset(rs);
    return filas;
}

QString escalar(DB_Dll& db, const QString& sql)
{
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    const QString valor = rs.Eof() ? QString() : lang::text(rs.value(0));
    db.CierraRecordset(rs);
    return valor;
}

}  // namespace

TEST(GrabacionTransferencia, FirstLineTakesTheNextNumberAndLaterLinesKeepIt)
{
    TestDatabase t(R"(
        INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, CANTIDAD) VALUES
            ('TRP', '0002', '00041234', 'A', 0), ('IR', '0001', '00099999', 'X', 0);)");
    DB_Dll& db = ObjDB();
    bool hayError = false;

    // The header proposed a number another station has taken since: the
    // first line takes the next free one.
    const LineaGrabada primera = GrabaLineaTransferencia(db, cabecera("00041235"), NumeracionLinea::Nueva,
                                                         linea("A1", "5", "|P1|P2|", "|3|2|"), "ana", kHoy, hayError);
    ASSERT_TRUE(primera.grabada);
    EXPECT_FALSE(hayError);
    EXPECT_EQ(primera.comprobante, (ComprobanteTransferencia{"0001", "00041235", "X"}));

    CabeceraTransferencia fijada = cabecera();
    fijada.Comprobante = primera.comprobante;
    const LineaGrabada segunda = GrabaLineaTransferencia(db, fijada, NumeracionLinea::Fijada,
                                                         linea("A2", "4", "|P3|", "|4|", "L7"), "ana", kHoy, hayError);
    ASSERT_TRUE(segunda.grabada);
    EXPECT_EQ(segunda.comprobante, primera.comprobante);

    const QString art1 = QStringLiteral("[                       A1]");
    const QString art2 = QStringLiteral("[                       A2]");
    EXPECT_EQ(movimientos(db).mid(2),
              QStringList({"TRP 0001-00041235-X " + art1 + " [  UN] -5 NULL [   1] NULL ana",
                           "TRP 0001-00041235-X " + art1 + " [  UN] 3 NULL [   1] P1 ana",
                           "TRP 0001-00041235-X " + art1 + " [  UN] 2 NULL [   1] P2 ana",
                           "TRP 0001-00041235-X " + art2 + " [  UN] -4 L7 [   1] NULL ana",
                           "TRP 0001-00041235-X " + art2 + " [  UN] 4 L7 [   1] P3 ana"}));
    // Each line takes the id of its own last row.
    EXPECT_EQ(primera.id, escalar(db, "SELECT ID FROM V_MV_STOCK_DRAVELO WHERE IDPOSICION = 'P2'"));
    EXPECT_EQ(segunda.id, escalar(db, "SELECT MAX(ID) FROM V_MV_STOCK_DRAVELO"));
    EXPECT_EQ(escalar(db, "SELECT FECHA FROM V_MV_STOCK_DRAVELO WHERE IDPOSICION = 'P3'"), "10/12/2024");

    std::int32_t ultimo = 0;
    ASSERT_TRUE(UltimoNumeroTRP(db, false, ultimo));
    EXPECT_EQ(ultimo, 41235);
    EXPECT_EQ(ProximoComprobanteTRP(ultimo), (ComprobanteTransferencia{"0001", "00041236", "X"}));
}

TEST(GrabacionTransferencia, NumberingStartsAtOneAndCountsEveryBranchAndLetter)
{
    TestDatabase t;
    std::int32_t ultimo = -1;
    ASSERT_TRUE(UltimoNumeroTRP(ObjDB(), false, ultimo));
    EXPECT_EQ(ProximoComprobanteTRP(ultimo), (ComprobanteTransferencia{"0001", "00000001", "X"}));

    t.execute(R"(INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA) VALUES
        ('TRP', '0001', '00000009', 'X'), ('TRP', '0007', '00000010', 'B'), ('trp', '0001', '00000002', 'X');)");
    ASSERT_TRUE(UltimoNumeroTRP(ObjDB(), false, ultimo));
    EXPECT_EQ(ultimo, 10);
}

TEST(GrabacionTransferencia, ARefusedDistributionWritesNothing)
{
    TestDatabase t;
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, "suman 3 y la cantidad a transferir es 5");
    bool hayError = false;
    const LineaGrabada r = GrabaLineaTransferencia(ObjDB(), cabecera(), NumeracionLinea::Nueva,
                                                   linea("A1", "5", "|P1|", "|3|"), "ana", kHoy, hayError);
    EXPECT_FALSE(r.grabada);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(movimientos(ObjDB()), QStringList());
    EXPECT_EQ(p.shown().at(0).title, "Aviso al operador...");
}

TEST(GrabacionTransferencia, AFailedStatementRollsTheWholeLineBackAndIsLogged)
{
    TestDatabase t(QString::fromLatin1(kPosicionRota));
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, "posicion rota");
    bool hayError = false;
    const LineaGrabada r = GrabaLineaTransferencia(ObjDB(), cabecera(), NumeracionLinea::Nueva,
                                                   linea("A1", "5", "|P1|ROTA|", "|3|2|"), "ana", kHoy, hayError);
    EXPECT_FALSE(r.grabada);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(movimientos(ObjDB()), QStringList());
    EXPECT_EQ(escalar(ObjDB(), "SELECT COUNT(*) FROM AUX_ERR"), "1");
    const QString lote = escalar(ObjDB(), "SELECT Sql FROM AUX_ERR");
    EXPECT_TRUE(lote.startsWith("BEGIN TRANSACTION ")) << lote.toStdString();
    EXPECT_TRUE(lote.contains("'ROTA'")) << lote.toStdString();

    // The connection is left with no transaction open: the next line saves.
    const LineaGrabada despues = GrabaLineaTransferencia(ObjDB(), cabecera(), NumeracionLinea::Nueva,
                                                         linea("A1", "5", "|P1|", "|5|"), "ana", kHoy, hayError);
    EXPECT_TRUE(despues.grabada);
    EXPECT_EQ(despues.comprobante.Numero, "00000001");
    EXPECT_EQ(movimientos(ObjDB()).size(), 2);
}

TEST(GrabacionTransferencia, AQuantityPastWhatARowHoldsIsRefusedWithAMessage)
{
    TestDatabase t;
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, "La linea no se grabo: la cantidad es demasiado grande.");
    bool hayError = false;
    const LineaGrabada r = GrabaLineaTransferencia(ObjDB(), cabecera(), NumeracionLinea::Nueva,
                                                   linea("A1", "1000000000000000", "|P1|", "|1000000000000000|"), "ana",
                                                   kHoy, hayError);
    EXPECT_FALSE(r.grabada);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(movimientos(ObjDB()), QStringList());
}

// Another station holds the lock while a line is saved: the operator is told
// the database is busy, waits, and the line is saved when tried again.
TEST(GrabacionTransferencia, WhileAnotherStationHoldsTheLockTheOperatorMayTryAgain)
{
    TestDatabase t;
    db::Connection otra;
    otra.Open(t.connectionString());
    otra.BeginTrans();
    ScopedPrompts p;
    p.answerError(prompt::ErrorRetry, "GrabaLinea", [&] { otra.CommitTrans(); });
    bool hayError = false;
    const LineaGrabada r = GrabaLineaTransferencia(ObjDB(), cabecera(), NumeracionLinea::Nueva,
                                                   linea("A1", "5", "|P1|", "|5|"), "ana", kHoy, hayError);
    ASSERT_EQ(p.shown().size(), 1u);
    EXPECT_EQ(p.shown()[0].errorNumber, 1222);
    EXPECT_TRUE(r.grabada);
    EXPECT_FALSE(r.abandonada);
    EXPECT_FALSE(hayError);
    EXPECT_EQ(movimientos(ObjDB()).size(), 2);
}

// Two stations on the same file, each saving the first lines of new vouchers
// as fast as it can: each voucher gets a number of its own, and each line the
// id of one of its own rows.
TEST(GrabacionTransferencia, TwoStationsSavingNewVouchersAtOnceNeverShareANumber)
{
    TestDatabase t;
    const auto abre = [&](DB_Dll& estacion) {
        estacion.gServidor = QStringLiteral("(sqlite)");
        estacion.gDbName = t.path();
        estacion.gUsuario = QStringLiteral("ana");
        estacion.OpenServerADODB(false, 3, QString());
        ASSERT_TRUE(estacion.gOpenFlag);
    };
    DB_Dll estacionA;
    DB_Dll estacionB;
    abre(estacionA);
    abre(estacionB);

    constexpr int kVales = 25;
    struct Resultado {
        QString articulo;
        LineaGrabada grabada;
    };
    std::vector<Resultado> deA;
    std::vector<Resultado> deB;
    const auto estacion = [&](DB_Dll& db, const QString& prefijo, std::vector<Resultado>& resultados) {
        for (int i = 0; i < kVales; ++i) {
            bool hayError = false;
            const QString articulo = prefijo + QString::number(i);
            const LineaGrabada g = GrabaLineaTransferencia(db, cabecera(), NumeracionLinea::Nueva,
                                                           linea(articulo, "2", "|P1|P2|", "|1|1|"), "ana", kHoy,
                                                           hayError);
            resultados.push_back({articulo, g});
        }
    };
    std::thread a([&] { estacion(estacionA, QStringLiteral("A"), deA); });
    std::thread b([&] { estacion(estacionB, QStringLiteral("B"), deB); });
    a.join();
    b.join();

    QSet<QString> numeros;
    for (const auto* lista : {&deA, &deB}) {
        for (const Resultado& r : *lista) {
            ASSERT_TRUE(r.grabada.grabada) << r.articulo.toStdString();
            numeros.insert(r.grabada.comprobante.Numero);
            // The id written back is the last row of this very line.
            EXPECT_EQ(escalar(estacionA, "SELECT TRIM(IDARTICULO) || ' ' || NUMERO || ' ' || IDPOSICION FROM "
                                         "V_MV_STOCK_DRAVELO WHERE ID = " + r.grabada.id),
                      r.articulo + " " + r.grabada.comprobante.Numero + " P2");
        }
    }
    EXPECT_EQ(numeros.size(), 2 * kVales);
    EXPECT_EQ(escalar(estacionA, "SELECT COUNT(DISTINCT NUMERO) FROM V_MV_STOCK_DRAVELO"), QString::number(2 * kVales));
    EXPECT_EQ(escalar(estacionA, "SELECT MAX(NUMERO) FROM V_MV_STOCK_DRAVELO"), "00000050");
}
