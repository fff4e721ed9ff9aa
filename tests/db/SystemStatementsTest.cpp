// The statements the system builds, carried onto SQLite: every one is
// accepted, and the comparisons the system relies on keep SQL Server's meaning.
#include "DbFixture.h"
#include "SystemStatements.h"

#include "platform/db/SqliteBackend.h"
#include "platform/db/SqliteDialect.h"
#include "tests/support/QtPrinting.h"

#include <sqlite3.h>

TEST(SystemStatements, EveryStatementIsAcceptedBySqliteAfterTheRewrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("statements.db"));
    EmbeddedDatabase::create(path, false);
    // The real schema does not hold every table of the later subsystems yet:
    // their statements compile against plain tables of the same names.
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        const QString tables = QString::fromUtf8(kStatementTables);
        for (const QString& create : tables.split(u';', Qt::SkipEmptyParts)) {
            if (create.trimmed().isEmpty())
                continue;
            // A table the real schema already has is kept as the schema made it.
            sqlite3_exec(raw, create.toUtf8().constData(), nullptr, nullptr, nullptr);
        }
        sqlite3_close(raw);
    }
    db::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=;Pwd=;").arg(path));
    sqlite3* handle = static_cast<db::SqliteBackend*>(cn.backend())->handle();
    const db::SqliteDialect dialect(QString::fromLatin1(db::SqliteBackend::kCollation));

    int checked = 0;
    for (const SystemStatement& s : kSystemStatements) {
        QStringList refused;
        for (const db::SqliteStatement& st : dialect.translate(QString::fromUtf8(s.sql))) {
            if (st.kind != db::SqliteStatement::Kind::Sql && st.kind != db::SqliteStatement::Kind::Condition)
                continue;
            sqlite3_stmt* prepared = nullptr;
            const QByteArray utf8 = st.text.toUtf8();
            if (sqlite3_prepare_v2(handle, utf8.constData(), static_cast<int>(utf8.size()), &prepared, nullptr) != SQLITE_OK)
                refused << QStringLiteral("%1\n  -> %2").arg(st.text, QString::fromUtf8(sqlite3_errmsg(handle)));
            sqlite3_finalize(prepared);
        }
        if (s.validOnSqlServer)
            EXPECT_TRUE(refused.isEmpty()) << s.name << ":\n" << refused.join(u'\n').toStdString();
        else
            EXPECT_FALSE(refused.isEmpty()) << s.name << " is broken on any server and should stay so";
        ++checked;
    }
    EXPECT_GE(checked, 100);
}

TEST(SystemStatements, ComparisonsFollowSqlServersRule)
{
    EmbeddedFixture f(QStringLiteral(R"(
        INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('TopConsArt', '100'), ('Relleno ', 'x'), ('Blanco', ' ');
        INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');
        INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION) VALUES
            ('                   ART001', 'TORNILLO 3/8'), ('                   art002 ', 'arandela');
    )"));
    struct Case {
        const char* what;
        const char* sql;
        long rows;
    } cases[] = {
        {"a setting asked for in another case", "SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'topconsart'", 1},
        {"a trimmed column has lost its collation; the literal keeps the rule",
         "SELECT TOP 1 * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='ANA' ", 1},
        {"a right-justified code in another case",
         "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = '                   art001'", 1},
        {"the trimmed key lookup of a right-justified code",
         "SELECT TOP 1  * FROM V_MA_ARTICULOS WHERE LTRIM(RTRIM(IdArticulo)) ='ART001'", 1},
        {"leading blanks count", "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = 'ART001'", 0},
        {"trailing blanks of the column do not count", "SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'Relleno'", 1},
        {"trailing blanks of the literal do not count", "SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'TopConsArt   '", 1},
        {"trailing blanks and case together",
         "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = '                   ART002'", 1},
        {"an empty text equals a blank one", "SELECT CLAVE FROM TA_CONFIGURACION WHERE VALOR =''", 1},
        {"an order comparison ignores case as well", "SELECT * FROM ta_usuarios WHERE nombre < 'B'", 1},
        {"a voucher letter typed in lower case", "SELECT * FROM TA_CONFIGURACION WHERE VALOR = 'X' AND CLAVE = 'relleno'", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.count(QString::fromUtf8(c.sql)), c.rows) << c.what;
}

// What the voucher rows rely on, run on the real schema: the receipt date's
// guarded UPDATE changes an order only while its date is empty, whatever
// case and padding the type is given in; the sequence maximum of a voucher
// without rows is Null.
TEST(SystemStatements, GuardedUpdateAndSequenceMaximum)
{
    EmbeddedFixture f(QStringLiteral(R"(
        INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, fecharecepcion) VALUES
            ('  OC', '000100000015X', NULL), ('  OC', '000100000016X', '2024-01-02T00:00:00');
        INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia) VALUES
            ('  OP', '000100000020X', 5), ('  OP', '000100000020X', 7), ('  OP', '000100000021X', 9);
    )"));
    const auto valor = [&](const char* sql) {
        db::Recordset rs;
        rs.Open(QString::fromUtf8(sql), f.cn);
        return rs.value(0);
    };
    const auto recepcion = [](const char* id) {
        return QStringLiteral("if exists(select * from c_mv_cpte where TC='  oc' and IDCOMPROBANTE='%1' and "
                              "fecharecepcion is null)  UPDATE c_mv_cpte set FechaRecepcion='2024-12-10T00:00:00' "
                              "where TC='  oc' and IDCOMPROBANTE='%1'")
            .arg(QLatin1String(id));
    };
    long cambiadas = 0;
    f.cn.Execute(recepcion("000100000015X"), &cambiadas);
    EXPECT_EQ(cambiadas, 1);
    f.cn.Execute(recepcion("000100000016X"), &cambiadas);
    f.cn.Execute(recepcion("000100000015X"), &cambiadas);
    EXPECT_EQ(f.count("SELECT * FROM C_MV_CPTE WHERE fecharecepcion = '2024-12-10T00:00:00'"), 1)
        << "a second run and an order already received are left alone";

    EXPECT_EQ(valor("SELECT MAX(SECUENCIA) AS MAX_SECUENCIA FROM V_MV_STOCK WHERE TC = '  OP' AND IDCOMPROBANTE = "
                    "'000100000020X'")
                  .toInt(),
              7);
    EXPECT_TRUE(valor("SELECT MAX(SECUENCIA) AS MAX_SECUENCIA FROM V_MV_STOCK WHERE TC = '  OP' AND IDCOMPROBANTE = "
                      "'000100000099X'")
                    .isNull());
}
