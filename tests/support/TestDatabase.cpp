#include "TestDatabase.h"

#include "core/DB_Dll.h"
#include "db/EmbeddedDatabase.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

TestDatabase::TestDatabase(const QString& fixtureSql, bool withDemo)
    : m_path(m_dir.filePath(QStringLiteral("test.db")))
{
    try {
        EmbeddedDatabase::create(m_path, withDemo);
        if (!fixtureSql.trimmed().isEmpty())
            EmbeddedDatabase::execute(m_path, fixtureSql);
    } catch (const RuntimeError& e) {
        ADD_FAILURE() << "fixture database: " << e.description().toStdString();
        return;
    }
    releaseObjDB();
    DB_Dll& db = ObjDB();
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = m_path;
    db.gUsuario = QStringLiteral("ana");
    db.gUserPassWord.clear();
    db.OpenServerADODB(false, 3, QString());
    if (!db.gOpenFlag)
        ADD_FAILURE() << "fixture database did not open: " << db.gConnString.toStdString();
}

TestDatabase::~TestDatabase()
{
    releaseObjDB();
}

QString TestDatabase::parameters() const
{
    return QStringLiteral("@Server=(sqlite);@DbName=%1;@Usuario=ana;@Password=;").arg(m_path);
}

QString TestDatabase::connectionString() const
{
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(m_path);
}

void TestDatabase::execute(const QString& sql) const
{
    EmbeddedDatabase::execute(m_path, sql);
}
