#include "tests/support/HostDePrueba.h"

#include "core/DB_Dll.h"
#include "core/Transacciones.h"

#include "../support/RecordingConnection.h"
#include "../support/ScriptedPrompts.h"
#include "../support/TestDatabase.h"

#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/NativeErrors.h"

#include <gtest/gtest.h>

namespace {

const char* kTabla = "CREATE TABLE PRUEBA_LOTE (ID int NOT NULL PRIMARY KEY, T varchar(20));"
                     "INSERT INTO PRUEBA_LOTE (ID, T) VALUES (1, 'uno');";

int cuenta(const QString& sql)
{
    db::Recordset rs;
    ObjDB().AbrirRecordset(sql, rs);
    return static_cast<int>(lang::number(rs.value(0)));
}

struct FilaError {
    QVariant proceso, error, descripcion, sql, pc, usuario, fecha;
};

std::vector<FilaError> erroresGrabados()
{
    db::Recordset rs;
    ObjDB().AbrirRecordset(QStringLiteral("SELECT * FROM AUX_ERR ORDER BY ID"), rs);
    std::vector<FilaError> filas;
    for (; !rs.Eof(); rs.MoveNext())
        filas.push_back({rs.value("Proceso"), rs.value("Error"), rs.value("Descripcion"), rs.value("Sql"),
                         rs.value("PC"), rs.value("Usuario"), rs.value("Fecha")});
    return filas;
}

}  // namespace

TEST(TransaccionesTest, AGoodBatchIsCommittedWithoutAWord)
{
    HostDePrueba h;
    TestDatabase base(kTabla);
    ScopedPrompts p;
    bool huboError = false;
    std::int32_t nroError = -1;
    EjecutaTransaccion({QString(), "INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')", "   ",
                        "INSERT INTO PRUEBA_LOTE (ID, T) VALUES (3, 'O''Brien')", QString()},
                       huboError, nroError, false);
    EXPECT_FALSE(huboError);
    EXPECT_EQ(nroError, 0);
    EXPECT_EQ(cuenta("SELECT COUNT(*) FROM PRUEBA_LOTE"), 3);
    EXPECT_TRUE(erroresGrabados().empty());
    EXPECT_TRUE(p.shown().empty());
}

TEST(TransaccionesTest, ADuplicateKeyRollsTheWholeBatchBackAndLogsIt)
{
    const QString segundo = QStringLiteral("INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')");
    const QString duplicado = QStringLiteral("INSERT INTO PRUEBA_LOTE (ID, T) VALUES (1, 'otra vez')");
    const QString lote = QStringLiteral("BEGIN TRANSACTION \r\r\r") + segundo + u'\r' + duplicado + u'\r';
    for (const bool ignora : {false, true}) {
        SCOPED_TRACE(ignora ? "IgnoraDuplicados" : "with message");
        HostDePrueba h;
        TestDatabase base(kTabla);
        ScopedPrompts p;
        if (!ignora)
            p.answerMessage(prompt::Ok, "2627 : ");
        bool huboError = false;
        std::int32_t nroError = 0;
        EjecutaTransaccion({segundo, duplicado}, huboError, nroError, ignora);

        EXPECT_TRUE(huboError);
        EXPECT_EQ(nroError, 2627);
        // One message at most: the statement runner keeps its own box shut.
        ASSERT_EQ(p.shown().size(), ignora ? 0u : 1u);
        if (!ignora) {
            EXPECT_EQ(p.shown()[0].title, "Aviso al Operador!");
            EXPECT_EQ(p.shown()[0].style, prompt::Critical | prompt::OkOnly);
        }
        // The statement before the failing one is gone with the rollback.
        EXPECT_EQ(cuenta("SELECT COUNT(*) FROM PRUEBA_LOTE"), 1);
        EXPECT_EQ(cuenta("SELECT COUNT(*) FROM PRUEBA_LOTE WHERE ID = 2"), 0);

        const auto filas = erroresGrabados();
        ASSERT_EQ(filas.size(), 1u);
        const FilaError& f = filas[0];
        EXPECT_EQ(lang::text(f.proceso), h.executable);
        EXPECT_EQ(lang::number(f.error), 2627);
        EXPECT_EQ(lang::text(f.sql), lote);
        EXPECT_EQ(lang::text(f.pc), h.computer);
        EXPECT_EQ(lang::text(f.usuario), "ana");
        EXPECT_EQ(f.fecha.toDateTime(), h.clock);
        if (ignora)
            EXPECT_EQ(lang::text(f.descripcion), "");
        else
            EXPECT_TRUE(lang::text(f.descripcion).startsWith("2627 : ")) << lang::text(f.descripcion).toStdString();
        EXPECT_EQ(ObjDB().gCnn().errors().Count(), 0);
    }
}

TEST(TransaccionesTest, AFlagAlreadySetRollsBackAndLogsAQuietBatch)
{
    HostDePrueba h;
    TestDatabase base(kTabla);
    ScopedPrompts p;
    bool huboError = true;
    std::int32_t nroError = 5;
    EjecutaTransaccion({"INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')"}, huboError, nroError, false);
    EXPECT_TRUE(huboError);
    EXPECT_EQ(nroError, 0);
    EXPECT_EQ(cuenta("SELECT COUNT(*) FROM PRUEBA_LOTE"), 1);
    ASSERT_EQ(erroresGrabados().size(), 1u);
    EXPECT_EQ(lang::number(erroresGrabados()[0].error), 0);
    EXPECT_TRUE(p.shown().empty());
}

TEST(TransaccionesTest, AnEarlierFailureLeftOnTheConnectionDoesNotSinkTheNextBatch)
{
    HostDePrueba h;
    TestDatabase base(kTabla);
    ScopedPrompts p;
    ObjDB().gCnn().errors().Add({2627, "left over", "23000", 2627, {}});
    bool huboError = false;
    std::int32_t nroError = 0;
    EjecutaTransaccion({"INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')"}, huboError, nroError, false);
    EXPECT_FALSE(huboError);
    EXPECT_EQ(cuenta("SELECT COUNT(*) FROM PRUEBA_LOTE"), 2);
}

TEST(TransaccionesTest, AnEmptyBatchCommitsNothing)
{
    HostDePrueba h;
    TestDatabase base(kTabla);
    ScopedPrompts p;
    bool huboError = false;
    std::int32_t nroError = 0;
    EjecutaTransaccion({QString(), " \t"}, huboError, nroError, false);
    EXPECT_FALSE(huboError);
    EXPECT_TRUE(erroresGrabados().empty());
}

TEST(TransaccionesTest, ALongDescriptionIsShownWholeAndCutInTheLog)
{
    HostDePrueba h;
    TestDatabase base(kTabla);
    ScopedPrompts p;
    const QString columna = QString(300, u'X');
    p.answerMessage(prompt::Ok, columna);
    bool huboError = false;
    std::int32_t nroError = 0;
    EjecutaTransaccion({"UPDATE PRUEBA_LOTE SET " + columna + " = 1"}, huboError, nroError, false);
    EXPECT_TRUE(huboError);
    ASSERT_EQ(erroresGrabados().size(), 1u);
    EXPECT_EQ(lang::text(erroresGrabados()[0].descripcion).size(), 250);
}

namespace {

// Reports two errors for the batch, as SQL Server does for a failed
// statement: the error itself and its closing remark.
struct ConexionConDosErrores : db::Connection {
    void Execute(const QString& sql, long* filas, int opciones) override
    {
        if (!sql.startsWith(QLatin1String("BEGIN TRANSACTION"))) {
            db::Connection::Execute(sql, filas, opciones);
            return;
        }
        db::Connection::Execute(QStringLiteral("BEGIN TRANSACTION"), filas, opciones);
        errors().Replace({{8152, "Los datos de cadena o binarios se truncarían.", "22001", 8152, {}},
                          {3621, "Se terminó la instrucción.", "01000", 3621, {}}});
        throw RuntimeError(8152, QStringLiteral("Los datos de cadena o binarios se truncarían."));
    }
};

}  // namespace

TEST(TransaccionesTest, OfSeveralErrorsTheMessageListsAllButTheClosingOne)
{
    HostDePrueba h;
    TestDatabase base(kTabla);
    ObjDB().setConnection(std::make_unique<ConexionConDosErrores>());
    ObjDB().gCnn().Open(base.connectionString());
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, "8152 : ");
    bool huboError = false;
    std::int32_t nroError = 0;
    EjecutaTransaccion({"INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')"}, huboError, nroError, true);
    EXPECT_TRUE(huboError);
    EXPECT_EQ(nroError, 8152);
    ASSERT_EQ(p.messages().size(), 1);
    EXPECT_EQ(p.messages()[0], "8152 : Los datos de cadena o binarios se truncarían.\r\n");
    ASSERT_EQ(erroresGrabados().size(), 1u);
    EXPECT_EQ(lang::text(erroresGrabados()[0].descripcion), p.messages()[0]);
}

namespace {

// An Oracle connection that records the transaction calls among the statements.
struct OracleGrabadora : RecordingConnection {
    void BeginTrans() override { executed << "BeginTrans"; }
    void CommitTrans() override { executed << "CommitTrans"; }
    void RollbackTrans() override { executed << "RollbackTrans"; }
};

}  // namespace

TEST(TransaccionesTest, OnOracleTheBatchRunsInsideTheConnectionsTransaction)
{
    releaseObjDB();
    auto propia = std::make_unique<OracleGrabadora>();
    OracleGrabadora* cn = propia.get();
    ObjDB().setConnection(std::move(propia));
    cn->Open("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u1;Password=p1;");
    ScopedPrompts p;
    bool huboError = false;
    std::int32_t nroError = 0;
    EjecutaTransaccion({"INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')",
                        "UPDATE PRUEBA_LOTE SET T = 'tres' WHERE ID = 3"},
                       huboError, nroError, false);
    EXPECT_FALSE(huboError);
    ASSERT_EQ(cn->executed.size(), 4);
    EXPECT_EQ(cn->executed[0], "BeginTrans");
    EXPECT_TRUE(cn->executed[1].startsWith("INSERT INTO PRUEBA_LOTE")) << cn->executed[1].toStdString();
    EXPECT_TRUE(cn->executed[2].startsWith("UPDATE PRUEBA_LOTE")) << cn->executed[2].toStdString();
    EXPECT_EQ(cn->executed[3], "CommitTrans");
    releaseObjDB();
}

namespace {

// Reports for the batch a failure of the database, in the database's words.
struct ConexionQueFalla : db::Connection {
    db::Error error;
    void Execute(const QString& sql, long* filas, int opciones) override
    {
        if (!sql.startsWith(QLatin1String("BEGIN TRANSACTION"))) {
            db::Connection::Execute(sql, filas, opciones);
            return;
        }
        errors().Replace({error});
        throw RuntimeError(static_cast<int>(error.Number), error.Description);
    }
};

}  // namespace

TEST(TransaccionesTest, TheOperatorReadsWhatHappenedAndTheLogKeepsTheDatabasesWords)
{
    struct Caso {
        db::Error error;
        const char* aviso;
    } casos[] = {
        {db::sqliteError(778, "disk I/O error"), "Falló la lectura o la escritura en el disco"},
        {db::sqliteError(8, "attempt to write a readonly database"), "la base de datos es de solo lectura"},
        {db::sqliteError(13, "database or disk is full"), "no queda espacio en el disco"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.error.Description.toStdString());
        HostDePrueba h;
        TestDatabase base(kTabla);
        auto cn = std::make_unique<ConexionQueFalla>();
        cn->error = c.error;
        ObjDB().setConnection(std::move(cn));
        ObjDB().gCnn().Open(base.connectionString());
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, QString::fromUtf8(c.aviso));
        bool huboError = false;
        std::int32_t nroError = 0;
        EjecutaTransaccion({"INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')"}, huboError, nroError, false);
        EXPECT_TRUE(huboError);
        EXPECT_EQ(nroError, c.error.NativeError);
        ASSERT_EQ(p.messages().size(), 1);
        EXPECT_FALSE(p.messages()[0].contains(c.error.Description)) << p.messages()[0].toStdString();
        const auto filas = erroresGrabados();
        ASSERT_EQ(filas.size(), 1u);
        EXPECT_EQ(lang::number(filas[0].error), c.error.NativeError);
        EXPECT_EQ(lang::text(filas[0].descripcion),
                  QString::number(c.error.NativeError) + " : " + c.error.Description + "\r\n");
    }
}

TEST(TransaccionesTest, WhileAnotherStationHoldsTheLockTheOperatorWaitsOrGivesTheBatchUp)
{
    for (const bool espera : {true, false}) {
        SCOPED_TRACE(espera ? "tries again" : "gives up");
        HostDePrueba h;
        TestDatabase base(kTabla);
        db::Connection otra;
        otra.Open(base.connectionString());
        otra.BeginTrans();
        otra.Execute(QStringLiteral("INSERT INTO PRUEBA_LOTE (ID, T) VALUES (9, 'otra')"));
        ScopedPrompts p;
        p.answerError(espera ? prompt::ErrorRetry : prompt::ErrorLeave, "EjecutaTransaccion", [&] {
            if (espera)
                otra.CommitTrans();
        });
        bool huboError = false;
        std::int32_t nroError = 0;
        EjecutaTransaccion({"INSERT INTO PRUEBA_LOTE (ID, T) VALUES (2, 'dos')"}, huboError, nroError, false);

        ASSERT_EQ(p.shown().size(), 1u) << "the error dialog, and nothing else";
        EXPECT_EQ(p.shown()[0].errorNumber, 1222);
        EXPECT_TRUE(p.shown()[0].text.startsWith("La base de datos está ocupada")) << p.shown()[0].text.toStdString();
        EXPECT_EQ(huboError, !espera);
        EXPECT_EQ(nroError, espera ? 0 : 1222);
        EXPECT_EQ(cuenta("SELECT COUNT(*) FROM PRUEBA_LOTE WHERE ID = 2"), espera ? 1 : 0);
        if (!espera)
            otra.RollbackTrans();
        EXPECT_TRUE(erroresGrabados().empty());
    }
}

// The log lives in the same database: when the database refuses the log row
// too, the batch is still a failure, and nothing escapes to the caller.
TEST(TransaccionesTest, ALogRowTheDatabaseRefusesLeavesTheBatchAFailure)
{
    HostDePrueba h;
    TestDatabase base(QString::fromLatin1(kTabla) + R"(
        CREATE TRIGGER SinLugar BEFORE INSERT ON AUX_ERR BEGIN SELECT RAISE(ABORT, 'sin lugar'); END;)");
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, "2627 : ");
    bool huboError = false;
    std::int32_t nroError = 0;
    EXPECT_NO_THROW(EjecutaTransaccion({"INSERT INTO PRUEBA_LOTE (ID, T) VALUES (1, 'otra vez')"}, huboError, nroError,
                                       false));
    EXPECT_TRUE(huboError);
    EXPECT_EQ(nroError, 2627);
    EXPECT_EQ(ObjDB().gCnn().errors().Count(), 0);
}
