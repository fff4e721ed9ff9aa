#pragma once

#include "db/EmbeddedDatabase.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A database file built from the real schema plus fixture rows, and a
// connection of the layer opened on it the way the program opens it.
struct EmbeddedFixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("t.db"));
    db::Connection cn;

    explicit EmbeddedFixture(const QString& fixtureSql = {})
    {
        EmbeddedDatabase::create(path, false);
        if (!fixtureSql.isEmpty())
            EmbeddedDatabase::execute(path, fixtureSql);
        cn.Open(connectionString());
    }
    QString connectionString() const
    {
        return QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(path);
    }
    // The rows of a query, counted.
    long count(const QString& sql)
    {
        db::Recordset rs;
        rs.Open(sql, cn);
        return rs.RecordCount();
    }
};
