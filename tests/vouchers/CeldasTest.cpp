// Numbers in cells, and the separator of lot and serial on its way through
// the database.
#include "vouchers/ListasSerieLote.h"
#include "vouchers/NumeroCelda.h"

#include "core/DB_Dll.h"
#include "platform/db/Connection.h"
#include "platform/db/Literals.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sqlite3.h>

TEST(NumeroCelda, ReadsEitherDecimalSignAndWritesOneForm)
{
    struct Lectura {
        const char* celda;
        double numero;
    } lecturas[] = {
        {"2,5", 2.5}, {"2.5", 2.5}, {"", 0}, {"   ", 0}, {"  3", 3}, {"abc", 0}, {"5 UN", 5},
        {"-0,25", -0.25}, {"1.234,5", 1234.5}, {"1,234.5", 1234.5},
    };
    for (const auto& l : lecturas) {
        EXPECT_DOUBLE_EQ(NumeroCelda(QString::fromUtf8(l.celda)), l.numero) << l.celda;
        EXPECT_EQ(ImporteCelda(QString::fromUtf8(l.celda)), Currency::fromDouble(l.numero)) << l.celda;
    }
    struct Escritura {
        double numero;
        const char* celda;
    } escrituras[] = {{12.5, "12.5"}, {3, "3"}, {-0.25, "-0.25"}, {0.1 + 0.2, "0.3"}, {0, "0"}};
    for (const auto& e : escrituras) {
        EXPECT_EQ(TextoCelda(e.numero), QString::fromUtf8(e.celda)) << e.celda;
        EXPECT_DOUBLE_EQ(NumeroCelda(TextoCelda(e.numero)), NumeroCelda(QString::fromUtf8(e.celda))) << e.celda;
    }
    // A computed number is what its cell would read back, whole numbers
    // included.
    for (const double n : {0.1 + 0.2, 5.0 / 6, -7.0, 12.0, 999999999999999.0, 1e15, 123456789012345.6, -0.0,
                           1234567890123456.0, -1234567890123456.0}) {
        const double comoCelda = ComoCelda(n);
        EXPECT_EQ(comoCelda, NumeroCelda(TextoCelda(n))) << TextoCelda(n).toStdString();
        EXPECT_EQ(std::signbit(comoCelda), std::signbit(NumeroCelda(TextoCelda(n)))) << TextoCelda(n).toStdString();
    }
    // A whole number of sixteen digits typed into a cell is held with the
    // fifteen a cell shows, like any other number.
    EXPECT_EQ(ComoCelda(NumeroCelda(QStringLiteral("1234567890123456"))), 1234567890123460.0);
}

namespace {

// The text of a column exactly as the sqlite3 tool prints it: the stored bytes.
QByteArray bytesGuardados(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QByteArray out;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            out = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), sqlite3_column_bytes(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

}  // namespace

TEST(SeparadorLoteSerie, KeepsItsCharacterThroughOdbcAndInTheFile)
{
    TestDatabase base(QStringLiteral("CREATE TABLE T_LISTAS (ID integer, Nro_Lote varchar(500) COLLATE NOCASE);"));

    // Another program stores an outgoing lot list through ODBC ...
    {
        db::Connection odbc;
        odbc.Open(QStringLiteral("DRIVER={SQLite3};Database=%1;").arg(base.path()));
        odbc.Execute(QStringLiteral("INSERT INTO T_LISTAS (ID, Nro_Lote) VALUES (1, %1)")
                         .arg(db::quoteText(u'|' + UneLoteSerie(QStringLiteral("L1"), QStringLiteral("S1")) + u'|')));
        odbc.Close();
    }
    // ... and the rules read it back as the lot and the serial number.
    db::Recordset rs;
    ObjDB().AbrirRecordset(QStringLiteral("SELECT Nro_Lote FROM T_LISTAS WHERE ID = 1"), rs);
    QString lote, serie;
    SeparaLoteSerie(ExtraeSerieLote(rs.value(0).toString(), 1), lote, serie);
    ObjDB().CierraRecordset(rs);
    EXPECT_EQ(lote, QStringLiteral("L1"));
    EXPECT_EQ(serie, QStringLiteral("S1"));

    // A list written here is stored as UTF-8: the sqlite3 tool shows the same character.
    ObjDB().EjecutaConsultaSQL(QStringLiteral("INSERT INTO T_LISTAS (ID, Nro_Lote) VALUES (2, %1)")
                                   .arg(ObjDB().SQLValue(InsertaCHR255(QStringLiteral("|L2|")))));
    EXPECT_EQ(bytesGuardados(base.path(), "SELECT Nro_Lote FROM T_LISTAS WHERE ID = 1"), QByteArray("|L1\xC3\xBFS1|"));
    EXPECT_EQ(bytesGuardados(base.path(), "SELECT Nro_Lote FROM T_LISTAS WHERE ID = 2"), QByteArray("|L2\xC3\xBF|"));
}
