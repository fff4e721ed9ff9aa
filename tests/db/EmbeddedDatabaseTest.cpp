#include "DbFixture.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"

#include <QFile>

TEST(EmbeddedDatabase, CreatesTheSchemaAndTheDemoRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.db"));
    EmbeddedDatabase::create(path, true);
    db::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=;Pwd=;").arg(path));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'periodo'"), cn);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("2024"));
}

TEST(EmbeddedDatabase, NeverOverwritesAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.db"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();
    EXPECT_THROW(EmbeddedDatabase::create(path, false), RuntimeError);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("mine"));
}

TEST(EmbeddedDatabase, AScriptThatFailsNamesTheStatementAndChangesNothing)
{
    EmbeddedFixture f;
    try {
        EmbeddedDatabase::execute(f.path, QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('ana');\n"
                                                         "INSERT INTO ta_usuarios (nombre) VALUES ('ANA');"));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 2627);
        EXPECT_TRUE(e.description().contains(QStringLiteral("VALUES ('ANA')"))) << e.description().toStdString();
    }
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM ta_usuarios")), 0);
}
