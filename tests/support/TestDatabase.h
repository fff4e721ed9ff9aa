#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh embedded database for one test, built from the real schema in db/
// (and its demo rows when asked), with ObjDB() connected to it the way
// start-up connects: OpenServerADODB on "@Server=(sqlite);@DbName=<file>".
//
//     TestDatabase db(R"(INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   7');)");
//     EXPECT_EQ(ObjDB().DatosTabla("ta_usuarios", "ana", "UNegocio", "nombre").toString(), "   7");
//
// Fixture SQL is SQLite's own text, run as it stands (not through the SQL
// Server rewrite). The destructor closes the connection and releases ObjDB(),
// so the next test starts from nothing.
class TestDatabase {
public:
    explicit TestDatabase(const QString& fixtureSql = {}, bool withDemo = false);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The database file.
    QString path() const { return m_path; }
    // The start-up parameters that connect to it, user "ana" ("@Server=(sqlite);@DbName=...;").
    QString parameters() const;
    // The connection string OpenServerADODB builds for it.
    QString connectionString() const;
    // More fixture SQL, run natively on the file.
    void execute(const QString& sql) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};
