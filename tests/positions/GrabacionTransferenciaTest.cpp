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
#include <atomic>
#include <mutex>
#include <thread>

namespace {

const QDate kHoy(2024, 12, 10);

// A position that the database refuses, so that a batch fails half-way.
const char* kPosicionRota = R"(
    CREATE TRIGGER PosicionRota BEFORE INSERT ON V_MV_STOCK_DRAVELO WHEN NEW.IDPOSICION = 'ROTA'
    BEGIN SELECT RAISE(ABORT, 'posicion rota'); END;
)";

// Stock without position in depot 1, unit UN, as a receiving voucher leaves it.
QString recibido(const QString& articulo, const QString& cantidad, const QString& lote = {})
{
    return QStringLiteral("INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, "
                          "CANTIDAD, NROLOTE, IDDEPOSITO) VALUES ('IR', '0001', '00000123', 'X', '%1', '  UN', %2, %3, "
                          "'   1');\n")
        .arg(articulo.rightJustified(25), cantidad, lote.isEmpty() ? QStringLiteral("NULL") : u'\'' + lote + u'\'');
}

void abreEstacion(DB_Dll& estacion, const TestDatabase& t)
{
    estacion.gServidor = QStringLiteral("(sqlite)");
    estacion.gDbName = t.path();
    estacion.gUsuario = QStringLiteral("ana");
    estacion.OpenServerADODB(false, 3, QString());
    ASSERT_TRUE(estacion.gOpenFlag);
}

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

// Every row of the movement table but the receipts, in order: "TC SUCURSAL-NUMERO-LETRA
// [IDARTICULO] [IDUNIDADBASE] CANTIDAD NROLOTE IDDEPOSITO IDPOSICION USUARIO".
QStringList movimientos(DB_Dll& db)
{
    QStringList filas;
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT * FROM V_MV_STOCK_DRAVELO WHERE TC <> 'IR' ORDER BY ID"), rs);
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
            ('TRP', '0002', '00041234', 'A', 0), ('IR', '0001', '00099999', 'X', 0);)"
                   + recibido("A1", "5") + recibido("A2", "4", "L7"));
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
    EXPECT_EQ(movimientos(db).mid(1),
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
    TestDatabase t(QString::fromLatin1(kPosicionRota) + recibido("A1", "5"));
    DB_Dll otra;
    abreEstacion(otra, t);
    ScopedPrompts p;
    // The line is rolled back before the operator reads why: another station
    // is not kept waiting on the open box.
    p.answerMessage(prompt::Ok, "posicion rota", [&] {
        EXPECT_NO_THROW(otra.gCnn().BeginTrans());
        otra.gCnn().RollbackTrans();
    });
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
    TestDatabase t(recibido("A1", "5"));
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
    constexpr int kVales = 25;
    QString recibos;
    for (int i = 0; i < kVales; ++i)
        recibos += recibido("A" + QString::number(i), "2") + recibido("B" + QString::number(i), "2");
    TestDatabase t(recibos);
    DB_Dll estacionA;
    DB_Dll estacionB;
    abreEstacion(estacionA, t);
    abreEstacion(estacionB, t);

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
    EXPECT_EQ(escalar(estacionA, "SELECT COUNT(DISTINCT NUMERO) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"),
              QString::number(2 * kVales));
    EXPECT_EQ(escalar(estacionA, "SELECT MAX(NUMERO) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), "00000050");
}

namespace {

// What is left without position of an article in depot 1.
QString restante(DB_Dll& db, const QString& articulo)
{
    return escalar(db, "SELECT SUM(CANTIDAD) FROM V_MV_STOCK_DRAVELO WHERE IDPOSICION IS NULL AND IDARTICULO = '"
                           + articulo.rightJustified(25) + "'");
}

// A line this station saves into voucher 99, and the words of the message
// that refuses it ("" when it is saved).
struct CasoGrabacion {
    const char* nombre;
    LineaTransferencia linea;
    const char* rechazo;
};

// Saves each case's line in turn: a refused line is told why, is taken for
// one another station placed (or took the room of), and writes nothing.
template <std::size_t N>
void grabaEnOrden(const CasoGrabacion (&casos)[N])
{
    for (const CasoGrabacion& c : casos) {
        SCOPED_TRACE(c.nombre);
        const QStringList antes = movimientos(ObjDB());
        ScopedPrompts p;
        if (*c.rechazo)
            p.answerMessage(prompt::Ok, QString::fromUtf8(c.rechazo));
        bool hayError = false;
        const LineaGrabada g = GrabaLineaTransferencia(ObjDB(), cabecera(), NumeracionLinea::Fijada, c.linea, "ana",
                                                       kHoy, hayError);
        EXPECT_EQ(g.grabada, !*c.rechazo);
        EXPECT_EQ(g.otroPuesto, bool(*c.rechazo));
        EXPECT_EQ(hayError, bool(*c.rechazo));
        if (*c.rechazo) {
            EXPECT_EQ(movimientos(ObjDB()), antes);
        }
    }
}

}  // namespace

// Two stations loaded the same list. What the other station placed since is
// no longer there to place: a line asking for more than is left is refused
// whole, with nothing written; what is left can still be placed.
TEST(GrabacionTransferencia, ALineTakesNoMoreThanIsStillWithoutPosition)
{
    TestDatabase t(recibido("A1", "10") + recibido("A2", "3", "L7") + recibido("A2", "8"));
    DB_Dll otra;
    abreEstacion(otra, t);
    bool hayErrorOtra = false;
    ASSERT_TRUE(GrabaLineaTransferencia(otra, cabecera(), NumeracionLinea::Nueva, linea("A1", "6", "|P1|", "|6|"), "luis",
                                        kHoy, hayErrorOtra)
                    .grabada);

    const CasoGrabacion casos[] = {
        {"the whole line, placed in part by the other station", linea("A1", "10", "|P1|", "|10|"),
         "otro puesto ya ubico parte de esta mercaderia. Quedan 4 sin posicion y se quiso transferir 10"},
        {"what is left", linea("A1", "4", "|P2|", "|4|"), ""},
        {"then nothing is left", linea("A1", "1", "|P2|", "|1|"), "Quedan 0 sin posicion"},
        {"a lot counts apart from the same article without lot", linea("A2", "4", "|P2|", "|4|", "L7"), "Quedan 3"},
        {"an article never received", linea("A9", "1", "|P2|", "|1|"), "Quedan 0 sin posicion"},
    };
    grabaEnOrden(casos);
    EXPECT_EQ(restante(ObjDB(), "A1"), "0");
    EXPECT_EQ(escalar(ObjDB(), "SELECT COUNT(*) FROM AUX_ERR"), "0") << "a refusal is no failure of the database";
}

namespace {

// The operator of a station on a thread of its own: answers every box at
// once and keeps what it was told.
struct OperadorDeHilo : Prompts {
    std::mutex m;
    QStringList avisos;
    int messageBox(const QString& text, int, const QString&) override
    {
        const std::lock_guard<std::mutex> lock(m);
        avisos << text;
        return prompt::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    int errorDialog(const RuntimeError&, const QString&) override { return prompt::ErrorRetry; }
    int showModal(QDialog&) override { return 0; }
};

}  // namespace

// Two stations save the same lines at the same moment, each more than half
// of what each line holds: for every line one of them is refused, and no
// line's stock without position ever goes below 0.
TEST(GrabacionTransferencia, TwoStationsSavingTheSameLinesAtOnceNeverPlaceTheStockTwice)
{
    constexpr int kLineas = 40;
    QString recibos;
    for (int i = 0; i < kLineas; ++i)
        recibos += recibido("C" + QString::number(i), "10");
    TestDatabase t(recibos);
    DB_Dll estacionA;
    DB_Dll estacionB;
    abreEstacion(estacionA, t);
    abreEstacion(estacionB, t);
    OperadorDeHilo operador;
    Prompts* anterior = &prompts();
    setPrompts(&operador);

    std::atomic<int> grabadas{0};
    const auto estacion = [&](DB_Dll& db, const QString& cantidad, const QString& posicion) {
        for (int i = 0; i < kLineas; ++i) {
            bool hayError = false;
            const QString articulo = "C" + QString::number(i);
            if (GrabaLineaTransferencia(db, cabecera(), NumeracionLinea::Nueva,
                                        linea(articulo, cantidad, "|" + posicion + "|", "|" + cantidad + "|"), "ana",
                                        kHoy, hayError)
                    .grabada)
                ++grabadas;
        }
    };
    std::thread a([&] { estacion(estacionA, QStringLiteral("6"), QStringLiteral("PA")); });
    std::thread b([&] { estacion(estacionB, QStringLiteral("7"), QStringLiteral("PB")); });
    a.join();
    b.join();
    setPrompts(anterior);

    EXPECT_EQ(grabadas.load(), kLineas);
    EXPECT_EQ(operador.avisos.size(), kLineas);
    for (const QString& aviso : operador.avisos)
        EXPECT_TRUE(aviso.contains("otro puesto ya ubico")) << aviso.toStdString();
    EXPECT_EQ(escalar(estacionA, "SELECT COUNT(*) FROM (SELECT IDARTICULO FROM V_MV_STOCK_DRAVELO WHERE IDPOSICION IS "
                                 "NULL GROUP BY IDARTICULO HAVING SUM(CANTIDAD) < 0)"),
              "0");
    EXPECT_EQ(escalar(estacionA, "SELECT SUM(CANTIDAD) FROM V_MV_STOCK_DRAVELO WHERE IDPOSICION IS NOT NULL"),
              escalar(estacionA, "SELECT -SUM(CANTIDAD) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP' AND IDPOSICION IS NULL"));
}

// Two stations reopened voucher 7, whose screws lie 3 in P1 and 2 in P2. The
// first moves them all to P1; the second, still showing P1 and P2, is told so
// instead of overwriting that. A station that loaded the line as it stands
// now saves it, whatever work-table id it holds, and the work table keeps one
// row for the line.
TEST(GrabacionTransferencia, AReopenedLineIsSavedOnlyOverWhatItWasLoadedWith)
{
    TestDatabase t(R"(
        INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                        IDDEPOSITO, IDPOSICION) VALUES
            ('TRP', '0001', '00000007', 'X', '                       A1', '  UN', -5, NULL, '   1', NULL),
            ('TRP', '0001', '00000007', 'X', '                       A1', '  UN', 3, NULL, '   1', 'P1'),
            ('TRP', '0001', '00000007', 'X', '                       A1', '  UN', 2, NULL, '   1', 'P2');
        INSERT INTO Aux_V_MV_STOCK_DRAVELO (id, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, NROLOTE, DESCRIPCION,
                                            IDUNIDADBASE, CANTIDAD, CantidadATransferir, CANTIDADES, POSICIONES) VALUES
            (41, 'TRP', '0001', '00000007', 'X', '                       A1', '', 'ARTICULO', '  UN', 5, 5, '|3|2|',
             '|P1|P2|');)");
    const auto reabierta = [](const QString& posiciones, const QString& cantidades, const QString& posicionesCargadas,
                              const QString& cantidadesCargadas) {
        LineaTransferencia l = linea("A1", "5", posiciones, cantidades);
        l.Id = QStringLiteral("41");
        l.PosicionesCargadas = posicionesCargadas;
        l.CantidadesCargadas = cantidadesCargadas;
        return l;
    };
    const auto trabajo = [&] {
        return escalar(ObjDB(), "SELECT COUNT(*) || ' ' || MAX(POSICIONES) FROM Aux_V_MV_STOCK_DRAVELO");
    };
    DB_Dll otra;
    abreEstacion(otra, t);
    bool hayError = false;
    ASSERT_TRUE(GrabaLineaTransferencia(otra, cabecera("00000007"), NumeracionLinea::Reabierta,
                                        reabierta("|P1|", "|5|", "|P1|P2|", "|3|2|"), "luis", kHoy, hayError)
                    .grabada);
    const QStringList guardados = movimientos(ObjDB());
    EXPECT_EQ(trabajo(), "1 |P1|");

    {
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, "otro puesto cambio sus posiciones desde que se abrio el comprobante");
        const LineaGrabada g = GrabaLineaTransferencia(ObjDB(), cabecera("00000007"), NumeracionLinea::Reabierta,
                                                       reabierta("|P3|", "|5|", "|P1|P2|", "|3|2|"), "ana", kHoy,
                                                       hayError);
        EXPECT_FALSE(g.grabada);
        EXPECT_TRUE(hayError);
    }
    EXPECT_EQ(movimientos(ObjDB()), guardados);
    EXPECT_EQ(trabajo(), "1 |P1|");

    hayError = false;
    const LineaGrabada g = GrabaLineaTransferencia(ObjDB(), cabecera("00000007"), NumeracionLinea::Reabierta,
                                                   reabierta("|P3|", "|5|", "|p1 |", "|5.0000|"), "ana", kHoy, hayError);
    EXPECT_TRUE(g.grabada);
    EXPECT_FALSE(hayError);
    EXPECT_EQ(trabajo(), "1 |P3|");
    EXPECT_EQ(g.id, escalar(ObjDB(), "SELECT id FROM Aux_V_MV_STOCK_DRAVELO"));
    EXPECT_EQ(escalar(ObjDB(), "SELECT GROUP_CONCAT(IDPOSICION || ' ' || CANTIDAD) FROM V_MV_STOCK_DRAVELO WHERE "
                               "IDPOSICION IS NOT NULL"),
              "P3 5");
}

// P1 holds 10 and another station has put 6 there since this station's dialog
// saw it empty. Under the save's lock each share is checked against the room
// its position has now: one that no longer fits refuses the whole line, with
// nothing written, as a line another station placed; what fits is saved, and
// a position without capacity takes anything.
TEST(GrabacionTransferencia, EachShareIsCheckedAgainstTheRoomItsPositionHasNow)
{
    TestDatabase t(recibido("A1", "30") + R"(
        INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdUnidad, HABILITADO, CAPACIDAD) VALUES
            ('   1', 'P1', '  UN', 1, 10), ('   1', 'P2', '  UN', 1, NULL);
        INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, SaldoPosicion) VALUES ('   1', 'P1', 'X', 6);)");
    const CasoGrabacion casos[] = {
        {"5 into P1, where 4 are left", linea("A1", "7", "|P2|P1|", "|2|5|"),
         "otro puesto ya ocupo el lugar de la posicion P1. Le quedan 4 UN libres y la linea ocuparia 5 UN"},
        {"4 fill P1 exactly", linea("A1", "4", "|p1|", "|4|"), ""},
        {"then nothing is left", linea("A1", "0.0001", "|P1|", "|0.0001|"), "Le quedan 0 UN libres"},
        {"no capacity, no limit", linea("A1", "9", "|P2|", "|9|"), ""},
    };
    grabaEnOrden(casos);
    EXPECT_EQ(escalar(ObjDB(), "SELECT SUM(SaldoPosicion) FROM AC_SALDOSLAYOUT WHERE IdPosicion = 'P1'"), "10");
    EXPECT_EQ(restante(ObjDB(), "A1"), "17");
    EXPECT_EQ(escalar(ObjDB(), "SELECT COUNT(*) FROM AUX_ERR"), "0") << "a refusal is no failure of the database";
}

// Voucher 7 put 3 screws in P1, whose capacity has since been lowered to 2. A
// reopened line may take stock out of it, but put none back past its
// capacity.
TEST(GrabacionTransferencia, AReopenedLineMayEmptyAPositionPastItsCapacityButNotFillIt)
{
    TestDatabase t(R"(
        INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdUnidad, HABILITADO, CAPACIDAD) VALUES
            ('   1', 'P1', '  UN', 1, 2), ('   1', 'P2', '  UN', 1, 10);
        INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                        IDDEPOSITO, IDPOSICION) VALUES
            ('TRP', '0001', '00000007', 'X', '                       A1', '  UN', -5, NULL, '   1', NULL),
            ('TRP', '0001', '00000007', 'X', '                       A1', '  UN', 3, NULL, '   1', 'P1'),
            ('TRP', '0001', '00000007', 'X', '                       A1', '  UN', 2, NULL, '   1', 'P2');)");
    const auto reabierta = [](const char* posiciones, const char* cantidades, const char* cargadas) {
        LineaTransferencia l = linea("A1", "5", posiciones, cantidades);
        l.PosicionesCargadas = QStringLiteral("|P1|P2|");
        l.CantidadesCargadas = QString::fromLatin1(cargadas);
        return l;
    };
    bool hayError = false;
    {
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, "la posicion P1. Le quedan 0 UN libres y la linea ocuparia 1 UN");
        EXPECT_FALSE(GrabaLineaTransferencia(ObjDB(), cabecera("00000007"), NumeracionLinea::Reabierta,
                                             reabierta("|P1|P2|", "|4|1|", "|3|2|"), "ana", kHoy, hayError)
                         .grabada);
    }
    EXPECT_TRUE(GrabaLineaTransferencia(ObjDB(), cabecera("00000007"), NumeracionLinea::Reabierta,
                                        reabierta("|P1|P2|", "|3|2|", "|3|2|"), "ana", kHoy, hayError)
                    .grabada)
        << "kept as it is";
    EXPECT_TRUE(GrabaLineaTransferencia(ObjDB(), cabecera("00000007"), NumeracionLinea::Reabierta,
                                        reabierta("|P1|P2|", "|1|4|", "|3|2|"), "ana", kHoy, hayError)
                    .grabada);
    EXPECT_EQ(escalar(ObjDB(), "SELECT GROUP_CONCAT(IDPOSICION || ' ' || CANTIDAD) FROM V_MV_STOCK_DRAVELO WHERE "
                               "IDPOSICION IS NOT NULL"),
              "P1 1,P2 4");
}
