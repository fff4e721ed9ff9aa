#include "DbFixture.h"

#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/NativeErrors.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ErrorNumber.h"

namespace {

const char* kRows = R"(
    INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('A', 'uno'), ('B', ''), ('C', NULL);
    CREATE TABLE TIPOS (
        id integer PRIMARY KEY, v varchar(20), c char(4), n nvarchar(10), i int, s smallint, b bit,
        f datetime, d decimal(18,4), r float, m money, t text, x varbinary(10));
    INSERT INTO TIPOS VALUES (1, 'texto', 'ab', 'ñandú', 42, -3, 1, '2024-12-10T14:05:00', 12.5, 0.25, 3, 'largo', x'0102');
    INSERT INTO TIPOS (id, f) VALUES (2, '10/12/24 14:05');
    CREATE TABLE SIN_CLAVE (codigo varchar(10) COLLATE NOCASE, cantidad decimal(18,4));
    INSERT INTO SIN_CLAVE VALUES ('x', 1), ('y', 2), ('y', 2);
)";

}  // namespace

TEST(Recordset, WalksItsRowsBothWays)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE"), f.cn, db::cursor::ForwardOnly,
            db::lock::ReadOnly);
    EXPECT_EQ(rs.State(), db::state::Open);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_FALSE(rs.BOF());
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    QStringList keys;
    for (; !rs.Eof(); rs.MoveNext())
        keys << rs.value(QStringLiteral("clave")).toString();
    EXPECT_EQ(keys, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(errorNumberOf([&] { rs.MoveNext(); }), db::failure::NoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { rs.value(QStringLiteral("CLAVE")); }), db::failure::NoCurrentRecord);
    rs.MoveLast();
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("C"));
    rs.MovePrevious();
    rs.MovePrevious();
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());
    EXPECT_FALSE(rs.Eof());
    rs.MoveFirst();
    const auto rest = rs.GetRows();
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[2][0].toString(), QStringLiteral("C"));
    EXPECT_TRUE(rs.Eof());
    rs.setAbsolutePosition(2);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("B"));
    rs.Close();
    EXPECT_EQ(rs.State(), db::state::Closed);
    EXPECT_EQ(errorNumberOf([&] { rs.Eof(); }), db::failure::ObjectClosed);
}

TEST(Recordset, AnEmptyResultIsAtBothEnds)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'Z'"), f.cn);
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.AbsolutePosition(), 0);
    EXPECT_EQ(rs.FieldCount(), 2);
    EXPECT_EQ(errorNumberOf([&] { rs.MoveFirst(); }), db::failure::NoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { rs.Open(QStringLiteral("SELECT 1"), f.cn); }), db::failure::ObjectOpen);
}

TEST(Recordset, FindsFieldsByNameWithoutRegardToCaseAndByPosition)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    // Two columns of one name: the first wins.
    rs.Open(QStringLiteral("SELECT *, VALOR AS clave FROM TA_CONFIGURACION WHERE CLAVE = 'a'"), f.cn);
    EXPECT_EQ(rs.field(QStringLiteral("Clave")).Name(), QStringLiteral("CLAVE"));
    EXPECT_EQ(rs.value(QStringLiteral("clave")).toString(), QStringLiteral("A"));
    EXPECT_EQ(rs.field(2).Value().toString(), QStringLiteral("uno"));
    EXPECT_TRUE(rs.hasField(QStringLiteral("valor")));
    EXPECT_FALSE(rs.hasField(QStringLiteral("nada")));
    EXPECT_EQ(errorNumberOf([&] { rs.field(QStringLiteral("nada")); }), errnum::ItemNotFound);
    EXPECT_EQ(errorNumberOf([&] { rs.field(3); }), errnum::ItemNotFound);
}

TEST(Recordset, GivesEachFieldTheTypeOfItsDeclaredColumn)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT TOP 1 *, i * 2 AS doble, 'k' AS letra FROM TIPOS ORDER BY id"), f.cn);
    struct Case {
        const char* field;
        int type;
        QVariant value;
    } cases[] = {
        {"id", db::type::Integer, 1},
        {"v", db::type::VarChar, QStringLiteral("texto")},
        {"c", db::type::Char, QStringLiteral("ab")},
        {"n", db::type::VarWChar, QStringLiteral("ñandú")},
        {"i", db::type::Integer, 42},
        {"s", db::type::SmallInt, -3},
        {"b", db::type::Boolean, true},
        {"f", db::type::DBTimeStamp, QDateTime(QDate(2024, 12, 10), QTime(14, 5))},
        {"d", db::type::Numeric, 12.5},
        {"r", db::type::Double, 0.25},
        {"m", db::type::Currency, 3.0},
        {"t", db::type::LongVarChar, QStringLiteral("largo")},
        {"x", db::type::VarBinary, QByteArray("\x01\x02", 2)},
        {"doble", db::type::Integer, 84},
        {"letra", db::type::VarChar, QStringLiteral("k")},
    };
    for (const Case& c : cases) {
        const db::Field& field = rs.field(QString::fromLatin1(c.field));
        EXPECT_EQ(field.Type(), c.type) << c.field;
        EXPECT_EQ(field.Value(), c.value) << c.field << ": " << lang::text(field.Value()).toStdString();
    }
    EXPECT_EQ(rs.field(QStringLiteral("v")).DefinedSize(), 20);
}

TEST(Recordset, KeepsNullApartFromAnEmptyText)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION ORDER BY CLAVE"), f.cn);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("uno"));
    rs.MoveNext();
    EXPECT_FALSE(lang::isNull(rs.value(0)));
    EXPECT_EQ(rs.value(0), QVariant(QString()));
    rs.MoveNext();
    EXPECT_TRUE(lang::isNull(rs.value(0)));
}

TEST(Recordset, ReadsADateStoredInTheStationsForm)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT f FROM TIPOS WHERE id = 2"), f.cn);
    EXPECT_EQ(rs.value(0), QVariant(QDateTime(QDate(2024, 12, 10), QTime(14, 5))));
}

TEST(Recordset, AddsARowThroughAnUpdatableSingleTableSource)
{
    EmbeddedFixture f;
    db::Recordset rs;
    rs.Open(QStringLiteral("select  top 1 * from AUX_ERR"), f.cn, db::cursor::Dynamic, db::lock::Optimistic);
    rs.AddNew();
    rs.setValue(QStringLiteral("Proceso"), QStringLiteral("AsignacionPosiciones"));
    rs.setValue(QStringLiteral("Fecha"), QStringLiteral("10/12/24 14:05"));
    rs.setValue(QStringLiteral("Error"), 2627);
    rs.setValue(QStringLiteral("Descripcion"), QStringLiteral("O'Brien; DROP TABLE AUX_ERR --"));
    rs.setValue(QStringLiteral("Sql"), QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT ..."));
    rs.Update();
    EXPECT_EQ(rs.value(QStringLiteral("ID")).toInt(), 1) << "the key the database gave the row";
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Close();

    rs.Open(QStringLiteral("SELECT * FROM AUX_ERR"), f.cn);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("Descripcion")).toString(), QStringLiteral("O'Brien; DROP TABLE AUX_ERR --"));
    EXPECT_EQ(rs.value(QStringLiteral("Fecha")), QVariant(QDateTime(QDate(2024, 12, 10), QTime(14, 5))));
    EXPECT_EQ(rs.value(QStringLiteral("Error")).toInt(), 2627);
    EXPECT_TRUE(lang::isNull(rs.value(QStringLiteral("PC"))));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM AUX_ERR WHERE Fecha = '2024-12-10T14:05:00'")), 1)
        << "dates are stored in the one sortable form";
}

TEST(Recordset, ChangesOneColumnOfTheCurrentRow)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'B'"), f.cn, db::cursor::Dynamic, db::lock::Optimistic);
    rs.setValue(QStringLiteral("VALOR"), QStringLiteral("dos"));
    EXPECT_EQ(rs.value(QStringLiteral("VALOR")).toString(), QStringLiteral("dos"));
    rs.Update();
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM TA_CONFIGURACION WHERE VALOR = 'dos'")), 1);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM TA_CONFIGURACION WHERE VALOR = 'uno'")), 1);

    // Without a primary key the row is found by all it held; a change
    // pending when the cursor moves is saved first.
    db::Recordset nk;
    nk.Open(QStringLiteral("SELECT * FROM SIN_CLAVE ORDER BY codigo"), f.cn, db::cursor::Dynamic, db::lock::Optimistic);
    nk.setValue(QStringLiteral("cantidad"), QStringLiteral("7,5"));
    nk.MoveNext();
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM SIN_CLAVE WHERE cantidad = 7.5 AND codigo = 'x'")), 1);
    // Two identical rows cannot be told apart: nothing is changed.
    nk.setValue(QStringLiteral("cantidad"), 9);
    EXPECT_EQ(errorNumberOf([&] { nk.Update(); }), db::failure::RowNotFound);
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM SIN_CLAVE WHERE cantidad = 9")), 0);
    nk.CancelUpdate();
    EXPECT_EQ(nk.value(QStringLiteral("cantidad")).toDouble(), 2.0);
}

TEST(Recordset, ReportsARowChangedByAnotherUser)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'A'"), f.cn, db::cursor::Dynamic, db::lock::Optimistic);
    f.cn.Execute(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'A'"));
    rs.setValue(QStringLiteral("VALOR"), QStringLiteral("otro"));
    EXPECT_EQ(errorNumberOf([&] { rs.Update(); }), db::failure::RowNotFound);
    EXPECT_EQ(f.cn.errors().Item(0).Number, db::failure::RowNotFound);
}

TEST(Recordset, RefusesChangesItCannotMake)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM TA_CONFIGURACION"), f.cn);
    EXPECT_EQ(errorNumberOf([&] { rs.AddNew(); }), db::failure::NotUpdatable);
    EXPECT_EQ(errorNumberOf([&] { rs.setValue(QStringLiteral("VALOR"), 1); }), db::failure::NotUpdatable);
    rs.Close();

    rs.Open(QStringLiteral("SELECT * FROM TIPOS"), f.cn, db::cursor::Dynamic, db::lock::Optimistic);
    EXPECT_EQ(errorNumberOf([&] { rs.setValue(QStringLiteral("f"), QStringLiteral("mañana")); }), errnum::TypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { rs.setValue(QStringLiteral("i"), QStringLiteral("doce")); }), errnum::TypeMismatch);
    rs.Close();

    rs.Open(QStringLiteral("SELECT a.CLAVE FROM TA_CONFIGURACION a JOIN TA_CONFIGURACION b ON a.CLAVE = b.CLAVE"), f.cn,
            db::cursor::Dynamic, db::lock::Optimistic);
    rs.setValue(QStringLiteral("CLAVE"), QStringLiteral("Z"));
    EXPECT_EQ(errorNumberOf([&] { rs.Update(); }), db::failure::NotUpdatable);
    rs.CancelUpdate();
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("A"));
}
