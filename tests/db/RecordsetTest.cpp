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
    rs.Open(QStringLiteral("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE"), f.cn, db::cursor::Static,
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

TEST(Recordset, AForwardOnlyReadMovesOnlyForward)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE"), f.cn);
    EXPECT_EQ(rs.CursorType(), db::cursor::ForwardOnly);
    EXPECT_FALSE(rs.BOF());
    rs.MoveFirst();  // already there
    rs.MoveNext();
    EXPECT_EQ(rs.RecordCount(), 3) << "counting reads the rest, and stays on the row";
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("B"));
    EXPECT_EQ(errorNumberOf([&] { rs.MovePrevious(); }), db::failure::CannotFetchBackward);
    EXPECT_EQ(errorNumberOf([&] { rs.MoveFirst(); }), db::failure::CannotFetchBackward);
    EXPECT_EQ(errorNumberOf([&] { rs.setAbsolutePosition(1); }), db::failure::CannotFetchBackward);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("B"));
    rs.MoveLast();
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("C"));
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_FALSE(rs.BOF());
    EXPECT_EQ(errorNumberOf([&] { rs.MoveNext(); }), db::failure::NoCurrentRecord);
}

// The values handed out stay what they were read as, however the reader
// reuses its buffers for the rows that follow.
TEST(Recordset, AForwardOnlyReadGivesTheValuesAHeldReadGives)
{
    EmbeddedFixture f(QString::fromUtf8(kRows) + QStringLiteral(R"(
        INSERT INTO TIPOS (id, v, n, f) VALUES (3, 'otro', 'cigüeña', '2024-12-11T08:00:00'), (4, 'otro', 'ñu', NULL);
    )"));
    const QString sql = QStringLiteral(
        "SELECT *, i * 2 AS doble, CASE WHEN id > 2 THEN id END AS tardio, 'k' AS letra FROM TIPOS ORDER BY id");
    std::vector<std::vector<QVariant>> held;
    std::vector<int> heldTypes;
    {
        db::Recordset rs;
        rs.Open(sql, f.cn, db::cursor::Static);
        for (int c = 0; c < rs.FieldCount(); ++c)
            heldTypes.push_back(rs.field(c).Type());
        held = rs.GetRows();
    }
    ASSERT_EQ(held.size(), 4u);
    db::Recordset rs;
    rs.Open(sql, f.cn);
    std::vector<std::vector<QVariant>> walked;
    for (; !rs.Eof(); rs.MoveNext()) {
        std::vector<QVariant> row;
        for (int c = 0; c < rs.FieldCount(); ++c)
            row.push_back(rs.value(c));
        walked.push_back(std::move(row));
    }
    for (int c = 0; c < rs.FieldCount(); ++c)
        EXPECT_EQ(rs.field(c).Type(), heldTypes[static_cast<std::size_t>(c)]) << rs.field(c).Name().toStdString();
    EXPECT_EQ(rs.field(QStringLiteral("tardio")).Type(), db::type::Integer) << "typed from its first value, not its first row";
    ASSERT_EQ(walked.size(), held.size());
    for (std::size_t r = 0; r < held.size(); ++r)
        for (std::size_t c = 0; c < held[r].size(); ++c)
            EXPECT_EQ(walked[r][c], held[r][c]) << "row " << r << ", " << rs.field(static_cast<int>(c)).Name().toStdString();
}

// A grid reads each cell as text; that text is the one the value shows,
// whatever the column's type and however the database stored the value
// (SQLite keeps an integer in a text column and a text in a number column).
TEST(Recordset, ReadsEachFieldAsTheTextItsValueShows)
{
    EmbeddedFixture f(QString::fromUtf8(kRows) + QStringLiteral(R"(
        INSERT INTO TIPOS (id, v, c, i, s, b, f, d, r, m, t, x) VALUES
            (3, 7, 'ab', '12', 'x', 0, '2024-12-11T08:00:00', 3, 2.5, -1.25, 1e20, 'bytes'),
            (4, 2.5, 'ab', 9000000000, 4.0, 'sí', NULL, NULL, 1, 0.1, '', NULL),
            (5, 'texto', 'cd', -7, 0, 1, '2024-12-11T00:00:00', 1e-7, 1e15, 5, 'ñandú', x'');
    )"));
    const QString sql = QStringLiteral(
        "SELECT *, i * 2 AS doble, v || '' AS unido, CASE WHEN id > 2 THEN r END AS tardio FROM TIPOS ORDER BY id");
    std::vector<std::vector<QString>> expected;
    {
        db::Recordset held;
        held.Open(sql, f.cn, db::cursor::Static);
        for (const auto& row : held.GetRows()) {
            std::vector<QString> texts;
            for (const QVariant& v : row)
                texts.push_back(lang::text(v));
            expected.push_back(std::move(texts));
        }
    }
    ASSERT_EQ(expected.size(), 5u);
    for (const int cursorType : {db::cursor::ForwardOnly, db::cursor::Static}) {
        db::Recordset rs;
        rs.Open(sql, f.cn, cursorType);
        EXPECT_EQ(errorNumberOf([&] { rs.text(rs.FieldCount()); }), errnum::ItemNotFound);
        std::vector<std::vector<QString>> read;
        for (; !rs.Eof(); rs.MoveNext()) {
            std::vector<QString> texts;
            for (int c = 0; c < rs.FieldCount(); ++c)
                texts.push_back(rs.text(c));
            read.push_back(std::move(texts));
        }
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t r = 0; r < read.size(); ++r)
            for (std::size_t c = 0; c < read[r].size(); ++c)
                EXPECT_EQ(read[r][c], expected[r][c])
                    << "cursor " << cursorType << ", row " << r << ", " << rs.field(static_cast<int>(c)).Name().toStdString();
        EXPECT_EQ(errorNumberOf([&] { rs.text(0); }), db::failure::NoCurrentRecord);
    }
}

// A walk that writes as it goes (to the very table it reads) meets the
// rows as they were when it began, as a result read whole would.
TEST(Recordset, AForwardOnlyWalkNeverMeetsWhatItWrites)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE"), f.cn);
    QStringList walked;
    for (int n = 0; !rs.Eof(); rs.MoveNext(), ++n) {
        walked << rs.value(0).toString();
        f.cn.BeginTrans();
        f.cn.Execute(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('Z%1', 'nueva')").arg(n));
        f.cn.Execute(QStringLiteral("UPDATE TA_CONFIGURACION SET CLAVE = 'Y' WHERE CLAVE = 'C'"));
        f.cn.CommitTrans();
    }
    EXPECT_EQ(walked, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(f.count(QStringLiteral("SELECT * FROM TA_CONFIGURACION")), 6);

    // Closing the connection leaves an open recordset its rows.
    db::Recordset open;
    open.Open(QStringLiteral("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE"), f.cn);
    f.cn.Close();
    QStringList after;
    for (; !open.Eof(); open.MoveNext())
        after << open.value(0).toString();
    EXPECT_EQ(after.size(), 6);
}

// A statement read again is not prepared again, unless the tables it reads
// changed in between.
TEST(Recordset, AQueryReadAgainAfterItsTableChangedHasTheNewColumns)
{
    EmbeddedFixture f(QString::fromUtf8(kRows));
    for (const char* sql : {"SELECT * FROM TIPOS WHERE id = 1", "SELECT * FROM TIPOS WHERE id = 99"}) {
        auto fields = [&] {
            db::Recordset rs;
            rs.Open(QString::fromLatin1(sql), f.cn);
            QStringList names;
            for (int c = 0; c < rs.FieldCount(); ++c)
                names << rs.field(c).Name() + QLatin1Char(':') + QString::number(rs.field(c).Type());
            return names;
        };
        const QStringList before = fields();
        EXPECT_EQ(fields(), before) << sql;
        f.cn.Execute(QStringLiteral("ALTER TABLE TIPOS ADD nuevo%1 datetime").arg(before.size()));
        EXPECT_EQ(fields(), before + QStringList{QStringLiteral("nuevo%1:%2").arg(before.size()).arg(db::type::DBTimeStamp)})
            << sql;
    }
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
