// The stock update on an Oracle connection: what reaches the server is in
// Oracle's form, and the update keeps its all-or-nothing rule there.
#include "vouchers/ClsCmnCptes.h"

#include "ComprobanteStock.h"
#include "FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "platform/RuntimeError.h"
#include "platform/db/Connection.h"
#include "platform/db/RowSet.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace ColArticulos;

namespace {

const QString kOracle = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=ana;Password=p;");
const QString kId = QStringLiteral("000100000015X");

// The embedded file's own connection, its reads open to the stand-in below.
class Datos : public db::Connection {
public:
    using db::Connection::openRows;
};

// A server reached by an Oracle connection string, as the data layer sees
// it, that records every statement and transaction call it is sent and
// keeps its data in the embedded test file. The file is no Oracle server:
// Oracle's savepoint statements reach it as the layer's own, the row limits
// of the Oracle rewrite and its DUAL are taken off the reads.
class ServidorOracle : public db::Connection {
public:
    explicit ServidorOracle(const QString& cadenaDatos)
    {
        m_datos.Open(cadenaDatos);
        setConnectionString(kOracle);
    }

    QStringList recibido;  // statements and transaction calls ("[BeginTrans]"), in order
    QStringList leido;     // sources of the reads
    QString rechaza;       // a statement holding it is refused

    void Open(const QString&, const QString& = {}, const QString& = {}, int = -1) override {}
    void Close() override {}
    int State() const override { return db::state::Open; }
    void Execute(const QString& sql, long* filas = nullptr, int = -1) override
    {
        recibido << sql;
        if (!rechaza.isEmpty() && sql.contains(rechaza)) {
            errors().Replace({db::Error{1, QStringLiteral("ORA-00001: fila rechazada")}});
            throw RuntimeError(1, QStringLiteral("ORA-00001: fila rechazada"));
        }
        QString propia = sql;
        if (sql.startsWith(QLatin1String("SAVEPOINT ")))
            propia = QStringLiteral("SAVE TRANSACTION ") + sql.mid(10);
        else if (sql.startsWith(QLatin1String("ROLLBACK TO SAVEPOINT ")))
            propia = QStringLiteral("ROLLBACK TRANSACTION ") + sql.mid(22);
        enDatos([&] { m_datos.Execute(propia, filas); });
    }
    void BeginTrans() override
    {
        recibido << QStringLiteral("[BeginTrans]");
        enDatos([&] { m_datos.BeginTrans(); });
    }
    void CommitTrans() override
    {
        recibido << QStringLiteral("[CommitTrans]");
        enDatos([&] { m_datos.CommitTrans(); });
    }
    void RollbackTrans() override
    {
        recibido << QStringLiteral("[RollbackTrans]");
        enDatos([&] { m_datos.RollbackTrans(); });
    }

protected:
    std::unique_ptr<db::RowSet> openRows(const QString& source) override
    {
        leido << source;
        QString propia = source;
        for (const char* limite : {" AND ROWNUM <= 1", " WHERE ROWNUM <= 1"})
            propia.remove(QLatin1String(limite));
        propia.remove(QStringLiteral(" FROM DUAL"));
        std::unique_ptr<db::RowSet> filas;
        enDatos([&] { filas = m_datos.openRows(propia); });
        return filas;
    }

private:
    template <class F>
    void enDatos(F&& f)
    {
        try {
            f();
        } catch (const RuntimeError&) {
            std::vector<db::Error> copia;
            for (int i = 0; i < m_datos.errors().Count(); ++i)
                copia.push_back(m_datos.errors().Item(i));
            errors().Replace(std::move(copia));
            throw;
        }
    }

    Datos m_datos;
};

// The test database, with ObjDB() on the stand-in of an Oracle server as a
// host's start-up leaves it.
struct EnOracle {
    TestDatabase base{QString::fromLatin1(kBaseStock) + QStringLiteral(R"(
INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100000003X');
)")};
    ServidorOracle* servidor = nullptr;
    FormularioComprobante f;
    ClsCmnCptes cls;

    EnOracle()
    {
        const QString cadena = ObjDB().gConnString;
        auto s = std::make_unique<ServidorOracle>(cadena);
        servidor = s.get();
        ObjDB().setConnection(std::move(s));
        ObjDB().gConnString = kOracle;
        LineaArticulo(f.articulos, "ART001", "3");
        LineaArticulo(f.articulos, "PROD", "1");
    }
    ArgumentosStock actualiza(ArgumentosStock a = {})
    {
        a.TCOrigen = QStringLiteral("OC");
        a.ComprobanteOrigen = QStringLiteral("000100000003X");
        cls.ActualizaStock(f.articulos, QStringLiteral("FCC"), kId, QStringLiteral("0"), QStringLiteral("10/12/2024"), a);
        return a;
    }
    // What reached the server that is no read, each statement as its first
    // two words.
    QString llamadas() const
    {
        QStringList out;
        for (const QString& s : servidor->recibido)
            out << s.section(u' ', 0, 1, QString::SectionSkipEmpty);
        return out.join(u'/');
    }
};

// Nothing of SQL Server's transaction statements reaches the server: every
// statement is the Oracle rewrite of itself, every read too.
void EnFormaOracle(const ServidorOracle& s)
{
    for (const QString& sql : s.recibido) {
        if (sql.startsWith(u'['))
            continue;
        EXPECT_FALSE(sql.contains(QLatin1String("TRANSACTION"), Qt::CaseInsensitive)) << sql.toStdString();
        EXPECT_EQ(ObjDB().ORACLE_Dicc(sql).toStdString(), sql.toStdString());
    }
    for (const QString& sql : s.leido)
        EXPECT_EQ(ObjDB().ORACLE_Dicc(sql).toStdString(), sql.toStdString());
}

const char* const kDirecto = "[BeginTrans]/SAVEPOINT ACTUALIZASTOCK/UPDATE C_MV_CPTE/INSERT INTO/INSERT INTO/"
                             "UPDATE V_TA_CPTE/DELETE FROM/UPDATE V_TA_CPTE/INSERT INTO/INSERT INTO/[CommitTrans]";

}  // namespace

// Executed at once: the connection's own transaction with a savepoint, the
// receipt date under its condition, the rows, the PE number claimed, the
// inputs, the commit.
TEST(ActualizaStockOracle, ExecutedAtOnceInOraclesForm)
{
    EnOracle o;
    const ArgumentosStock a = o.actualiza();
    EXPECT_FALSE(a.HayError);
    EnFormaOracle(*o.servidor);
    EXPECT_EQ(o.llamadas(), kDirecto);
    EXPECT_EQ(FilasStock(QStringLiteral("FCC"), kId), (QStringList{"1|1|null|null|3", "2|1|null|null|1"}));
    EXPECT_EQ(FilasStock(QStringLiteral("PE"), QStringLiteral("000100000001X")).size(), 2);
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "2");
    EXPECT_EQ(ValorDe("SELECT fecharecepcion FROM C_MV_CPTE"), "10/12/2024");
}

// Inside the host's transaction a refused row goes back to the savepoint
// and leaves the host's transaction, its header written, open for the host.
TEST(ActualizaStockOracle, ARefusedRowGoesBackToTheSavepoint)
{
    EnOracle o;
    db::Connection& cn = ObjDB().gCnn();
    cn.BeginTrans();
    ObjDB().EjecutaDirecto(QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE) VALUES (' FCC', '000100000015X')"));
    o.servidor->rechaza = QStringLiteral("INS2");
    ScopedPrompts prompts;
    prompts.answerMessage(prompt::Ok, QStringLiteral("fila rechazada"));
    const ArgumentosStock a = o.actualiza();
    EXPECT_TRUE(a.HayError);
    EnFormaOracle(*o.servidor);
    EXPECT_EQ(o.llamadas(), QStringLiteral("[BeginTrans]/INSERT INTO/[BeginTrans]/SAVEPOINT ACTUALIZASTOCK/"
                                           "UPDATE C_MV_CPTE/INSERT INTO/INSERT INTO/UPDATE V_TA_CPTE/DELETE FROM/"
                                           "UPDATE V_TA_CPTE/INSERT INTO/INSERT INTO/ROLLBACK TO/[CommitTrans]"));
    cn.CommitTrans();
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_CPTE"), "1") << "the host's header";
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0");
    EXPECT_EQ(ValorDe("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  PE'"), "1");
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM C_MV_CPTE WHERE fecharecepcion IS NULL"), "1");
}

// A batch with inputs claims its PE number at once, in Oracle's form, and
// the host runs the batch it is handed back on the same route.
TEST(ActualizaStockOracle, ABatchWithInputsClaimsItsNumberAndRuns)
{
    EnOracle o;
    ArgumentosStock a;
    a.GeneraSentenciaSQL = true;
    a = o.actualiza(a);
    EXPECT_FALSE(a.HayError);
    EXPECT_EQ(o.llamadas(), QStringLiteral("[BeginTrans]/SAVEPOINT ACTUALIZASTOCK/UPDATE V_TA_CPTE/DELETE FROM/"
                                           "UPDATE V_TA_CPTE/[CommitTrans]"));
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "0");

    o.servidor->recibido.clear();
    bool fallo = false;
    std::int32_t nro = 0;
    EjecutaTransaccion(a.SQLTemp.split(u'\r'), fallo, nro, false);
    EXPECT_FALSE(fallo);
    EnFormaOracle(*o.servidor);
    EXPECT_EQ(o.llamadas(), QStringLiteral("[BeginTrans]/UPDATE C_MV_CPTE/INSERT INTO/INSERT INTO/INSERT INTO/"
                                           "INSERT INTO/UPDATE V_TA_CPTE/[CommitTrans]"));
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_STOCK"), "4");
    EXPECT_EQ(ValorDe("SELECT fecharecepcion FROM C_MV_CPTE"), "10/12/2024");
}
