#include "rules/Stuff.h"

#include "core/DB_Dll.h"
#include "platform/Host.h"
#include "tests/support/HostDePrueba.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

QVariant valor(const QString& sql, const QString& campo)
{
    db::Recordset rs;
    ObjDB().AbrirRecordset(sql, rs);
    const QVariant v = rs.Eof() ? QVariant() : rs.value(campo);
    ObjDB().CierraRecordset(rs);
    return v;
}

// Talonarios that tell the numbering cases apart.
const char* const kNumeracion = R"(
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, Letras, Modificanumeracion, A_SUC_DEFAULT, A_NRO_DESDE, A_NRO_HASTA, A_ULTIMO_NRO,
                       B_SUC_DEFAULT, B_NRO_DESDE, B_NRO_HASTA, B_ULTIMO_NRO) VALUES
  ('  PE', 1, 'A', 'NO', 1, 1, 50, 50, NULL, NULL, NULL, NULL),
  ('  PE', 2, 'A', 'NO', 3, 1, 100, 15, NULL, NULL, NULL, NULL),
  ('  RM', 1, 'A', 'NO', 1, 1, 20, 20, NULL, NULL, NULL, NULL),
  ('  FC', 1, 'A', 'NO', 1, 1, 20, 20, NULL, NULL, NULL, NULL),
  ('  FC', 2, 'AB', 'NO', 2, 1, 100, 7, 4, 1, 100, 30);
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, Letras, Modificanumeracion, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO, XVence) VALUES
  ('  ND', 1, 'X', NULL, 1, 0, 100, 0, NULL),
  ('  NC', 1, '', 'SI', 5, 1, 100, 8, NULL),
  ('  NP', 1, 'X', 'NO', 1, 1, 10, 9, NULL),
  ('  OP', 1, 'X', 'NO', 1, 1, 100, 5, '2024-06-30T00:00:00'),
  ('  OP', 2, 'X', 'NO', 2, 1, 100, 40, '2025-12-31T00:00:00'),
  ('  OC', 1, 'X', 'NO', 1, 1, 100, 15, NULL),
  ('  AJ', 1, 'X', 'NO', 1, 1, 100, 15, NULL);
INSERT INTO TA_Comprobantes (CODIGO, TALONARIO, SISTEMA, Letras, Modificanumeracion, X_SUC_DEFAULT, X_NRO_DESDE,
                             X_NRO_HASTA, X_ULTIMO_NRO) VALUES
  ('  SH', 4, 'STOCK', 'X', 'NO', 2, 1, 100, 12),
  ('  ND', 7, 'STOCK', 'X', 'NO', 9, 1, 100, 70);
)";

struct Propuesta {
    QString sucursal = QStringLiteral("0009");
    QString numero = QStringLiteral("00000099");
    QString letra;
    bool modifica = false;
};

}  // namespace

TEST(Numeracion, TheFirstUsableTalonarioProposesTheNumber)
{
    TestDatabase db(QString::fromLatin1(kNumeracion));
    struct Caso {
        const char* caso;
        const char* tipo;
        const char* letraPedida;
        const char* fecha;
        const char* sucursal;
        const char* numero;
        const char* letra;
        int talonario;
        bool modifica;
    } casos[] = {
        {"a used-up talonario passes to the next", "PE", "A", "", "0003", "00000015", "A", 2, false},
        {"a letter the talonario does not serve becomes its first, also for later talonarios", "FC", "B", "", "0002",
         "00000007", "A", 2, false},
        {"next number 0 gives 1; Null renumbering flag is true; the shared table not read", "ND", "X", "", "0001", "00000001", "X", 1, true},
        {"empty letter list gives X", "NC", "A", "", "0005", "00000008", "X", 1, true},
        {"9 is below 10: not used up", "NP", "", "", "0001", "00000009", "X", 1, false},
        {"an expired talonario is passed over", "OP", "X", "10/12/2024", "0002", "00000040", "X", 2, false},
        {"no date: expiry is not looked at", "OP", "X", "", "0001", "00000005", "X", 1, false},
        {"a type without talonarios", "ZZ", "A", "", "0001", "00000001", "X", -1, false},
        {"a type only in the shared table is numbered from it", "SH", "X", "", "0002", "00000012", "X", 4, false},
    };
    for (const auto& c : casos) {
        TalonarioActual = -1;
        Propuesta p;
        p.letra = QString::fromLatin1(c.letraPedida);
        Obtener_Nro_Comprobante_Contable(QString::fromLatin1(c.tipo), p.sucursal, p.numero, p.letra, p.modifica,
                                         QString::fromLatin1(c.fecha));
        EXPECT_EQ(p.sucursal, QString::fromLatin1(c.sucursal)) << c.caso;
        EXPECT_EQ(p.numero, QString::fromLatin1(c.numero)) << c.caso;
        EXPECT_EQ(p.letra, QString::fromLatin1(c.letra)) << c.caso;
        EXPECT_EQ(TalonarioActual, c.talonario) << c.caso;
        EXPECT_EQ(p.modifica, c.modifica) << c.caso;
    }
}

TEST(Numeracion, UsedUpOrExpiredTalonariosKeepTheCallersNumber)
{
    TestDatabase db(QString::fromLatin1(kNumeracion));
    {
        ScopedPrompts prompts;
        prompts.answerMessage(prompt::Ok, QStringLiteral("se encuentran utilizados"));
        Propuesta p;
        p.letra = QStringLiteral("A");
        Obtener_Nro_Comprobante_Contable(QStringLiteral("RM"), p.sucursal, p.numero, p.letra, p.modifica, {});
        EXPECT_EQ(p.sucursal, QStringLiteral("0009"));
        EXPECT_EQ(p.numero, QStringLiteral("00000099"));
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].text,
                  QStringLiteral("Todos los talonarios del comprobante RM se encuentran utilizados, debe dar de alta "
                                 "un nuevo talonario para el comprobante RM"));
        EXPECT_EQ(prompts.shown()[0].style, prompt::OkOnly);
    }
    {
        ScopedPrompts silent;
        Propuesta p;
        p.letra = QStringLiteral("X");
        Obtener_Nro_Comprobante_Contable(QStringLiteral("OP"), p.sucursal, p.numero, p.letra, p.modifica,
                                         QStringLiteral("01/01/2026"));
        EXPECT_EQ(p.sucursal, QStringLiteral("0009")) << "every talonario expired: no message, nothing proposed";
        EXPECT_EQ(p.numero, QStringLiteral("00000099"));
        EXPECT_TRUE(silent.shown().empty());
    }
}

TEST(Numeracion, ATalonarioServingNoKnownLetterGoesToTheErrorDialog)
{
    TestDatabase db(QStringLiteral(R"(
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, Letras, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES
  ('  NP', 1, 'Q', 1, 1, 10, 5);
)"));
    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("Obtener_Nro_Comprobante_Contable"));
    Propuesta p;
    p.letra = QStringLiteral("X");
    Obtener_Nro_Comprobante_Contable(QStringLiteral("NP"), p.sucursal, p.numero, p.letra, p.modifica, {});
    EXPECT_EQ(p.sucursal + p.numero, QStringLiteral("000900000099"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].errorNumber, errnum::InvalidProcedureCall);
}

TEST(Numeracion, TheNumberFollowsAccountingEntriesAndPurchaseOrders)
{
    TestDatabase db(QString::fromLatin1(kNumeracion) + QStringLiteral(R"(
INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, MES_OPERATIVO, "NUMERO ASIENTO") VALUES
  ('  ND', '0001', '00000001', 'X', 3, 1234),
  ('  ND', '0001', '00000030', 'X', 4, 1300),
  ('  ND', '0002', '00000090', 'X', 4, 1301);
INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, NUMERO) VALUES
  ('OC', '000100000015X', '000100000015X'),
  ('OC', '000100000022X', '000100000022X'),
  ('OC', '000200000090X', '000200000090X');
INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES
  ('  AJ', '0001', '00000015', 'X'),
  ('  FC', '0002', '00000007', 'A');
)"));
    auto numero = [](const char* tipo, const char* letra, bool contable) {
        Propuesta p;
        p.letra = QString::fromLatin1(letra);
        Obtener_Nro_Comprobante(QString::fromLatin1(tipo), p.sucursal, p.numero, p.letra, p.modifica, contable);
        return p.sucursal + p.numero + p.letra;
    };
    EXPECT_EQ(numero("ND", "X", true), QStringLiteral("000100000031X")) << "after the entries of the branch and letter";
    EXPECT_EQ(numero("ND", "X", false), QStringLiteral("000100000001X")) << "not an accounting voucher";
    EXPECT_EQ(numero("OC", "X", true), QStringLiteral("000100000023X")) << "after the stored purchase orders";

    auto controles = [] {
        return lang::number(valor(QStringLiteral("SELECT COUNT(*) AS N FROM V_MV_CTROL_CPTE"), QStringLiteral("N")));
    };
    EXPECT_EQ(numero("FC", "A", true), QStringLiteral("000200000007A"));
    EXPECT_EQ(controles(), 2) << "FC takes no action on control rows";
    EXPECT_EQ(numero("AJ", "X", true), QStringLiteral("000100000015X"));
    EXPECT_EQ(controles(), 1) << "the control row of the proposed number is deleted";
}

TEST(Numeracion, AnIdentifierAlreadyInStockIsNotHandedOutAgain)
{
    TestDatabase db(QString::fromLatin1(kNumeracion) + QStringLiteral(R"(
INSERT INTO V_MV_STOCK (TC, IdComprobante) VALUES
  ('  PE', '000300000015A'),
  ('  PE', '000300000120A'),
  ('  PE', '000100000500A'),
  ('  PE', '000300000900B');
)"));
    QString sucursal = QStringLiteral("0001");
    QString letra = QStringLiteral("A");
    EXPECT_EQ(AsignarNumeroComprobante(QStringLiteral("PE"), sucursal, letra).toString(), QStringLiteral("000300000121A"))
        << "past the talonario's range when the stored identifiers go past it";
    EXPECT_EQ(sucursal, QStringLiteral("0003"));

    sucursal = QStringLiteral("0001");
    letra = QStringLiteral("X");
    EXPECT_EQ(AsignarNumeroComprobante(QStringLiteral("OP"), sucursal, letra).toString(), QStringLiteral("000100000005X"))
        << "a free identifier stands";

    sucursal.clear();
    letra.clear();
    EXPECT_EQ(AsignarNumeroComprobante(QStringLiteral("ZZ"), sucursal, letra).toString(), QStringLiteral("000100000001X"))
        << "a type without talonarios still gets 13 characters";

    ScopedPrompts prompts;
    prompts.answerMessage(prompt::Ok, QStringLiteral("se encuentran utilizados"));
    sucursal = QStringLiteral("0001");
    letra = QStringLiteral("A");
    EXPECT_EQ(AsignarNumeroComprobante(QStringLiteral("RM"), sucursal, letra).toString(), QStringLiteral("000100000001A"))
        << "with every talonario used up the identifier is still whole";
}

namespace {

const char* const kValidacion = R"(
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, Letras, Externo, Modificanumeracion,
                       A_SUC_DEFAULT, A_NRO_DESDE, A_NRO_HASTA, A_ULTIMO_NRO, AVence,
                       X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES
  ('  FC', 1, 'VENTAS', 'AX', NULL, 'NO', 1, 10, 100, 16, '2024-12-10T00:00:00', 1, 1, 100, 1),
  ('  FC', 2, 'VENTAS', 'A', NULL, 'NO', 1, 50, 200, 60, NULL, NULL, NULL, NULL, NULL),
  ('  FC', 3, 'VENTAS', 'A', NULL, 'NO', 2, 1, 1000, 1, NULL, NULL, NULL, NULL, NULL),
  ('  EX', 1, 'VENTAS', 'X', 'SI', 'NO', NULL, NULL, NULL, NULL, NULL, 1, 1, 10, 1),
  ('  EV', 1, 'VENTAS', 'X', '', 'NO', NULL, NULL, NULL, NULL, NULL, 1, 1, 10, 1),
  ('  MN', 1, 'VENTAS', 'X', NULL, 'SI', NULL, NULL, NULL, NULL, NULL, 1, 0, 0, 1);
)";

const QString kCierre = QStringLiteral("\r\rVerifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo");

}  // namespace

TEST(ValidacionNumero, ANumberMustFallInItsTalonario)
{
    TestDatabase db(QString::fromLatin1(kValidacion));
    struct Caso {
        const char* caso;
        int talonarioPrevio;
        const char* tipo;
        const char* sucursal;
        const char* numero;
        const char* letra;
        const char* fecha;
        bool valido;
        QString mensaje;
        int talonario;
    } casos[] = {
        {"within the range", 0, "FC", "0001", "20", "A", "", true, {}, 1},
        {"two ranges hold it: the later talonario", 0, "FC", "0001", "60", "a", "", true, {}, 2},
        {"the branch as an amount", 0, "FC", "1", "20", "A", "", true, {}, 1},
        {"below the range", 1, "FC", "0001", "5", "A", "", false,
         QStringLiteral("\rEl Número de comprobante (5) no respeta el parametro NRO DESDE del comprobante (10) , Nro de "
                        "Control: 1") + kCierre, 1},
        {"above the range", 2, "FC", "0001", "250", "A", "", false,
         QStringLiteral("\rEl Número de comprobante (250) no respeta el parametro NRO HASTA del comprobante (200) , Nro "
                        "de Control: 2") + kCierre, 2},
        {"number 0 is not positive", 1, "FC", "0001", "0", "A", "", false, kCierre, 1},
        {"expired", 0, "FC", "0001", "20", "A", "11/12/2024", false,
         QStringLiteral("El rango de numeracion del comprobante FC Control nro: 1 se encuenta vencida...! Debe dar de "
                        "alta un nuevo talonario para el comprobante FC") + kCierre, 1},
        {"expiring on the day itself", 0, "FC", "0001", "20", "A", "10/12/2024", true, {}, 1},
        {"a letter outside the list", 7, "FC", "0001", "20", "Q", "", false,
         QStringLiteral(" La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M"), 7},
        {"several letters are no letter", 7, "FC", "0001", "20", "A,B", "", false,
         QStringLiteral(" La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M"), 7},
        {"an empty letter is X", 0, "FC", "0001", "20", "", "", true, {}, 1},
        {"external talonario: any number", 1, "EX", "0001", "999999", "X", "", true, {}, 1},
        {"an empty external mark counts as external", 1, "EV", "0001", "0", "X", "", true, {}, 1},
        {"renumbering without range: any number", 1, "MN", "0001", "5", "X", "", true, {}, 1},
        {"no talonario for the type", 1, "ZZ", "0001", "5", "X", "", false,
         QStringLiteral("Debe configurar la numeracióN de Comprobantes"), 1},
    };
    for (const auto& c : casos) {
        TalonarioActual = static_cast<std::int16_t>(c.talonarioPrevio);
        QString mensaje = QStringLiteral("previo");
        const bool valido = ValidaNumeroComprobante(QString::fromLatin1(c.tipo), QString::fromLatin1(c.sucursal),
                                                    QString::fromLatin1(c.numero), QString::fromLatin1(c.letra), mensaje,
                                                    QString::fromLatin1(c.fecha));
        EXPECT_EQ(valido, c.valido) << c.caso;
        EXPECT_EQ(mensaje, c.mensaje) << c.caso;
        EXPECT_EQ(TalonarioActual, c.talonario) << c.caso;
    }
}

namespace {

const char* const kGrabacion = R"(
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, Letras, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES
  ('  FC', 1, 'VENTAS', 'X', 1, 1, 100, 16),
  ('  OC', 1, 'COMPRAS', 'X', 1, 1, 100, 15),
  ('  AS', 1, 'Contable', 'X', 1, 1, 100, 15);
INSERT INTO TA_Comprobantes (CODIGO, TALONARIO, SISTEMA, Letras, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES
  ('  PE', 1, 'STOCK', 'X', 1, 1, 100, 5);
)";

}  // namespace

TEST(GrabacionNumero, StatementsOnlyTextRecordsTheNextNumber)
{
    TestDatabase db(QString::fromLatin1(kGrabacion));
    const auto control = [](const char* tc) {
        return QStringLiteral("\r\n INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) SELECT '%1','0001',"
                              "'00000015','X' FROM V_TA_CPTE WHERE CODIGO = '%1' AND TALONARIO=1 AND NOT EXISTS (SELECT "
                              "* FROM V_MV_CTROL_CPTE WHERE TC = '%1' AND SUCURSAL = '0001' AND NUMERO = '00000015' AND "
                              "LETRA = 'X')\r\n")
            .arg(QLatin1String(tc));
    };
    struct Caso {
        const char* caso;
        const char* tipo;
        const char* sistema;
        const char* sucursal;
        const char* letra;
        bool contable;
        QString sql;
    } casos[] = {
        {"not accounting: the UPDATE alone", "FC", "VENTAS", "0001", "X", false,
         QStringLiteral(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  FC' AND TALONARIO=1 "
                        "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)")},
        {"type OC: UPDATE and control row", "OC", "COMPRAS", "0001", "X", false,
         QStringLiteral(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  OC' AND TALONARIO=1 "
                        "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)") + control("  OC")},
        {"accounting flag", "FC", "VENTAS", "1", "x", true,
         QStringLiteral(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  FC' AND TALONARIO=1 "
                        "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)") + control("  FC")},
        {"talonario of the accounting system", "AS", "Contable", "0001", "X", false,
         QStringLiteral(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  AS' AND TALONARIO=1 "
                        "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)") + control("  AS")},
        {"an empty letter is X", "FC", "VENTAS", "0001", "", false,
         QStringLiteral(" UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  FC' AND TALONARIO=1 "
                        "AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)")},
        {"a talonario of the shared table is recorded there", "PE", "STOCK", "0001", "X", false,
         QStringLiteral(" UPDATE TA_Comprobantes SET X_ULTIMO_NRO = 16 WHERE CODIGO = '  PE' AND SISTEMA = 'STOCK' AND "
                        "TALONARIO =1 AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 16)")},
    };
    for (const auto& c : casos) {
        TalonarioActual = 1;
        QString letra = QString::fromLatin1(c.letra);
        QString sql = QStringLiteral("previo");
        ActualizaNumeroComprobante(QString::fromLatin1(c.tipo), QString::fromLatin1(c.sistema),
                                   QString::fromLatin1(c.sucursal), QStringLiteral("16"), letra, true, sql, c.contable);
        EXPECT_EQ(sql, c.sql) << c.caso;
        EXPECT_EQ(letra.toUpper(), QStringLiteral("X")) << c.caso;
    }
    EXPECT_EQ(lang::number(valor(QStringLiteral("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  FC'"),
                                 QStringLiteral("X_ULTIMO_NRO"))),
              16)
        << "statements only: nothing executed";
}

TEST(GrabacionNumero, TheStatementsRunInTheCallersBatch)
{
    TestDatabase db(QString::fromLatin1(kGrabacion));
    QString letra = QStringLiteral("X");
    QString sql;
    ActualizaNumeroComprobante(QStringLiteral("OC"), QStringLiteral("COMPRAS"), QStringLiteral("0001"),
                               QStringLiteral("16"), letra, true, sql, false);
    ObjDB().EjecutaConsultaSQL(sql);
    EXPECT_EQ(lang::number(valor(QStringLiteral("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  OC'"),
                                 QStringLiteral("X_ULTIMO_NRO"))),
              16);
    EXPECT_EQ(valor(QStringLiteral("SELECT NUMERO FROM V_MV_CTROL_CPTE WHERE TC = '  OC'"), QStringLiteral("NUMERO")),
              QVariant(QStringLiteral("00000015")));
    ObjDB().EjecutaConsultaSQL(sql);
    EXPECT_EQ(lang::number(valor(QStringLiteral("SELECT COUNT(*) AS N FROM V_MV_CTROL_CPTE"), QStringLiteral("N"))), 1)
        << "run again, the number keeps its one control row";
}

TEST(GrabacionNumero, RecordsetPathWritesTheRowItFound)
{
    FixedHost host;
    HostEnUso enUso(host);
    TestDatabase db(QString::fromLatin1(kGrabacion));
    QString letra = QStringLiteral("X");
    QString sql = QStringLiteral("previo");
    ActualizaNumeroComprobante(QStringLiteral("FC"), QStringLiteral("VENTAS"), QStringLiteral("0001"),
                               QStringLiteral("17"), letra, false, sql, true);
    EXPECT_EQ(sql, QStringLiteral("previo"));
    const QString fila = QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = '  FC' AND TALONARIO = 1");
    EXPECT_EQ(lang::number(valor(fila, QStringLiteral("X_ULTIMO_NRO"))), 17);
    EXPECT_EQ(valor(fila, QStringLiteral("fechahora_modificacion")).toString(), QStringLiteral("10/12/24 14:05"));
    EXPECT_EQ(lang::number(valor(QStringLiteral("SELECT COUNT(*) AS N FROM V_MV_CTROL_CPTE"), QStringLiteral("N"))), 0)
        << "no control row on this path";

    ActualizaNumeroComprobante(QStringLiteral("PE"), QStringLiteral("STOCK"), QStringLiteral("0001"),
                               QStringLiteral("6"), letra, false, sql, false);
    EXPECT_EQ(lang::number(valor(QStringLiteral("SELECT X_ULTIMO_NRO FROM TA_Comprobantes WHERE CODIGO = '  PE'"),
                                 QStringLiteral("X_ULTIMO_NRO"))),
              6);
}

// A host may record a number late, after a later one: the number recorded
// never goes back, in either table, and the row is left as it was.
TEST(GrabacionNumero, RecordsetPathNeverTakesTheNumberBack)
{
    FixedHost host;
    HostEnUso enUso(host);
    TestDatabase db(QString::fromLatin1(kGrabacion));
    struct Caso {
        const char* caso;
        const char* tipo;
        const char* sistema;
        const char* tabla;
        const char* numero;
        int queda;
        const char* fecha;
    } casos[] = {
        {"a lower number", "FC", "VENTAS", "V_TA_CPTE", "2", 16, ""},
        {"the same number", "FC", "VENTAS", "V_TA_CPTE", "16", 16, ""},
        {"a lower number in the shared table", "PE", "STOCK", "TA_Comprobantes", "2", 5, ""},
        {"a higher one is recorded", "FC", "VENTAS", "V_TA_CPTE", "20", 20, "10/12/24 14:05"},
    };
    for (const Caso& c : casos) {
        TalonarioActual = 1;
        QString letra = QStringLiteral("X");
        QString sql;
        ActualizaNumeroComprobante(QString::fromLatin1(c.tipo), QString::fromLatin1(c.sistema), QStringLiteral("0001"),
                                   QString::fromLatin1(c.numero), letra, false, sql, false);
        const QString fila = QStringLiteral("SELECT * FROM %1 WHERE CODIGO = '%2'")
                                 .arg(QLatin1String(c.tabla), QString::fromLatin1(c.tipo).rightJustified(4));
        EXPECT_EQ(lang::number(valor(fila, QStringLiteral("X_ULTIMO_NRO"))), c.queda) << c.caso;
        EXPECT_EQ(lang::text(valor(fila, QStringLiteral("fechahora_modificacion"))), QString::fromLatin1(c.fecha)) << c.caso;
    }
}

TEST(GrabacionNumero, NothingIsRecordedForAnotherBranchOrAMissingTalonario)
{
    TestDatabase db(QString::fromLatin1(kGrabacion));
    QString letra = QStringLiteral("X");
    QString sql = QStringLiteral("previo");
    TalonarioActual = 1;
    ActualizaNumeroComprobante(QStringLiteral("FC"), QStringLiteral("VENTAS"), QStringLiteral("0002"),
                               QStringLiteral("16"), letra, true, sql, false);
    EXPECT_EQ(sql, QStringLiteral("previo")) << "the talonario's branch differs";

    ScopedPrompts prompts;
    prompts.answerMessage(prompt::Ok, QStringLiteral("no se ha encontrado el comprobante configurado"));
    ActualizaNumeroComprobante(QStringLiteral("ZZ"), QStringLiteral("VENTAS"), QStringLiteral("0001"),
                               QStringLiteral("16"), letra, true, sql, false);
    EXPECT_EQ(sql, QStringLiteral("previo"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].title, QStringLiteral("ATENCION"));
    EXPECT_EQ(prompts.shown()[0].style, prompt::OkOnly | prompt::Critical);
}
