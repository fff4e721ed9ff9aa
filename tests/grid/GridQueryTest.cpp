#include "grid/GridQuery.h"
#include "platform/RuntimeError.h"
#include "platform/db/Types.h"

#include "tests/support/QtPrinting.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kDepotQuery = QStringLiteral(
    "SELECT IdArticulo,Descripcion,NroLote,idDeposito,idPosicion,idUnidadARTICULO,Cantidad,CantidadATransferir as "
    "Transferir, Cantidades, Posiciones,id from Stk_Dravelo_Sin_Asignar where iddeposito='   1' and Cantidad > 0");

std::vector<ProbeField> depotFields()
{
    using namespace db::type;
    return {{"IdArticulo", VarChar}, {"Descripcion", VarChar},      {"NroLote", VarChar},
            {"idDeposito", VarChar}, {"idPosicion", VarChar},       {"idUnidadARTICULO", VarChar},
            {"Cantidad", Numeric},   {"Transferir", Numeric},       {"Cantidades", VarChar},
            {"Posiciones", VarChar}, {"id", Integer}};
}

// The grid as the start-up form loads it: its query set as a property (one
// blank added), then loaded (one more), paged by the unique row id.
GridQuery loaded(const QString& sql, const std::vector<ProbeField>& fields, const QString& key = QStringLiteral("id"))
{
    GridQuery q;
    q.Sql = sql + QLatin1Char(' ');
    q.PrimaryKey = key;
    q.PageSize = 15;
    q.CargaAlias();
    q.beginLoad();
    q.CargarCampos(fields);
    return q;
}

QString pageStatement(GridQuery& q, int page, int column = 1, const QString& header = QStringLiteral("IdArticulo"))
{
    q.ArmaOrderBy(column, header);
    q.ArmaWhere();
    return q.pageSql(page);
}

const QString kSelectList = QStringLiteral(
    "SELECT  [IdArticulo], [Descripcion], [NroLote], [idDeposito], [idPosicion], [idUnidadARTICULO], [Cantidad], "
    "[CantidadATransferir] as [Transferir], [Cantidades], [Posiciones], [id], id ");
const QString kWhere = QStringLiteral("where iddeposito='   1' and Cantidad > 0  ");
const QString kBody = QStringLiteral("iddeposito='   1' and Cantidad > 0  ");

}  // namespace

TEST(GridQueryTest, QueriesWithAJoinOrAGroupByAreRefused)
{
    const struct {
        QString sql;
        QString refusedWord;
    } cases[] = {
        {"SELECT a FROM t INNER JOIN u ON t.id = u.id", "''JOIN''"},
        {"select a from t Join u on 1=1", "''JOIN''"},
        {"SELECT a, COUNT(*) FROM t GROUP BY a", "''GROUP BY''"},
        {"SELECT a FROM tablajoin", ""},
        {"SELECT a FROM t WHERE b = 1", ""},
    };
    for (const auto& c : cases) {
        const QString refusal = GridQuery::refusal(c.sql);
        if (c.refusedWord.isEmpty()) {
            EXPECT_TRUE(refusal.isEmpty()) << c.sql.toStdString();
        } else {
            EXPECT_TRUE(refusal.startsWith("El objeto VrDbGrid no admite la palabra reservada " + c.refusedWord
                                           + " dentro de la sentencia SQL de selección.\r\nDe persistir"))
                << c.sql.toStdString();
        }
    }
}

TEST(GridQueryTest, AliasesAreTakenOutOfTheSelectList)
{
    const struct {
        QString sql;
        std::vector<ParCampoValor> aliases;
    } cases[] = {
        {kDepotQuery + "  ", {{"[CantidadATransferir]", "[Transferir]"}}},
        {"SELECT a, b AS c, d, id FROM T WHERE x = 1 ", {{"[b]", "[c]"}}},
        {"SELECT [Precio Lista] as [Precio de lista], x as y,z FROM T ",
         {{"[Precio Lista]", "[Precio de lista]"}, {"[x]", "[y]"}}},
        {"SELECT a,b as c,d FROM T ", {{"[b]", "[c]"}}},
        // Two blanks before the word: the pair is not found again in the text,
        // and the analysis still ends.
        {"SELECT a  as b, c FROM T ", {{"[a]", "[b]"}}},
        {"SELECT a FROM T ", {}},
    };
    for (const auto& c : cases) {
        GridQuery q;
        q.Sql = c.sql;
        q.CargaAlias();
        std::vector<ParCampoValor> expected = c.aliases;
        expected.push_back({});
        EXPECT_EQ(q.aliases, expected) << c.sql.toStdString();
    }

    GridQuery q;
    q.Sql = kDepotQuery;
    q.CargaAlias();
    EXPECT_EQ(q.EquiCampo("[Transferir]", false), "[CantidadATransferir]");
    EXPECT_EQ(q.EquiCampo("[transferir]", false), "[CantidadATransferir]");
    EXPECT_EQ(q.EquiCampo("[CantidadATransferir]", true), "[Transferir]");
    EXPECT_EQ(q.EquiCampo("[Cantidad]", false), "[Cantidad]");
    EXPECT_EQ(q.EquiCampo("", false), "");
}

TEST(GridQueryTest, ColumnListsComeFromTheProbe)
{
    using namespace db::type;
    GridQuery q = loaded("SELECT a, b as c, d, id FROM T WHERE x = 1",
                         {{"a", VarChar}, {"c", Integer}, {"d", VarChar}, {"id", Integer}}, "ID");
    EXPECT_EQ(q.tableName, "T");
    EXPECT_EQ(q.Sql, "SELECT a, b as c, d, id FROM T WHERE x = 1  ");
    EXPECT_EQ(q.Campos, "[a], [c], [d], [id], ID");
    EXPECT_EQ(q.plainColumns, "[a], [c], [d], [id], ID");
    EXPECT_EQ(q.filterColumns, QStringList({"Todos", "a", "c", "d", "id"}));
    EXPECT_EQ(q.dateColumns, "");

    // Dates are shown as text in the FormatDate style; long columns are left
    // out, and the date positions count the columns shown.
    q = loaded("SELECT FECHA, NOTAS, VENCE, ID FROM V ",
               {{"FECHA", DBTimeStamp}, {"NOTAS", LongVarWChar}, {"VENCE", DBTimeStamp}, {"ID", Integer}}, "ID");
    EXPECT_EQ(q.Campos, " CONVERT(NVARCHAR,[FECHA],103) AS [FECHA], CONVERT(NVARCHAR,[VENCE],103) AS [VENCE], [ID], ID");
    EXPECT_EQ(q.filterColumns, QStringList({"Todos", "FECHA", "VENCE", "ID"}));
    EXPECT_EQ(q.dateColumns, "|0||1|");

    // The probe reads one row.
    EXPECT_EQ(q.probeSql(), "SELECT TOP 1 FECHA, NOTAS, VENCE, ID FROM V   ");
    q.Sql = "SELECT DISTINCT a FROM V ";
    EXPECT_EQ(q.probeSql(), "SELECT DISTINCT a FROM V ");
    q.Sql = "SELECT a, b FROM V Order by b ";
    EXPECT_EQ(q.probeSql(), "SELECT TOP 1 a, b FROM V ");
}

TEST(GridQueryTest, ThePageStatementSkipsTheKeysOfTheEarlierPagesInKeyOrder)
{
    GridQuery q = loaded(kDepotQuery, depotFields());
    const QString inner = QStringLiteral(" FROM (SELECT TOP 15 *  FROM Stk_Dravelo_Sin_Asignar WHERE id NOT IN (SELECT TOP %1 id FROM Stk_Dravelo_Sin_Asignar ");
    const QString tail = QStringLiteral("  Order by id )  and ") + kBody + QStringLiteral("  Order by id ) AS Paginacion ") + kWhere
        + QStringLiteral("  Order by Paginacion.id ");
    for (const auto& [page, skip] : {std::pair{1, 0}, std::pair{2, 15}, std::pair{40000, 599985}}) {
        EXPECT_EQ(pageStatement(q, page), kSelectList + inner.arg(skip) + kWhere + tail) << page;
    }

    // A user's order keeps the key as its last term, in both SELECTs.
    q.OrdenSent = 1;
    EXPECT_EQ(pageStatement(q, 2, 8, "Transferir"),
              kSelectList + inner.arg(15) + kWhere + "  Order by [CantidadATransferir] Asc , id )  and " + kBody
                  + "  Order by [CantidadATransferir] Asc , id ) AS Paginacion " + kWhere
                  + "  Order by [CantidadATransferir] Asc , Paginacion.id ");
    // An order that names the key already ends on a unique term.
    const QString byKey = pageStatement(q, 2, 11, "id");
    EXPECT_EQ(byKey.count(" Order by [id] Asc "), 3);
    EXPECT_FALSE(byKey.contains("Asc , ")) << byKey.toStdString();
}

// On the embedded database the page is read with LIMIT and OFFSET, and a
// move by one page in key order reads on from the page shown.
TEST(GridQueryTest, OnTheEmbeddedDatabaseAPageSkipsByOffsetOrReadsOnFromThePageShown)
{
    const QString head = kSelectList + " FROM Stk_Dravelo_Sin_Asignar WHERE id IN (SELECT id FROM Stk_Dravelo_Sin_Asignar ";
    const QString tail = QStringLiteral(")  Order by id ");
    const QString byOffset = head + kWhere + "  Order by id  LIMIT 15 OFFSET %1" + tail;
    const QString onFrom = kSelectList + " FROM Stk_Dravelo_Sin_Asignar WHERE (" + kBody.trimmed() + ") AND id %1"
        + " Order by id Asc LIMIT 15";
    const QString backFrom = QStringLiteral("< 1030 AND id >= COALESCE((SELECT id FROM Stk_Dravelo_Sin_Asignar WHERE (")
        + kBody.trimmed() + ") AND id < 1030 Order by id Desc LIMIT 1 OFFSET 14), -9223372036854775808)";
    GridQuery q = loaded(kDepotQuery, depotFields());
    q.dialect = db::Dialect::Sqlite;
    struct Step {
        const char* what;
        std::function<void()> before;
        int page;
        QString statement;
    };
    const Step steps[] = {
        {"the first page", [] {}, 1, byOffset.arg(0)},
        {"a page chosen from the list", [] {}, 40000, byOffset.arg(599985)},
        {"the next page after page 2 was shown", [&] { pageStatement(q, 2); q.pageShown("1030", "1044"); }, 3,
         onFrom.arg("> 1044")},
        {"the previous one", [&] { pageStatement(q, 2); q.pageShown("1030", "1044"); }, 1, onFrom.arg(backFrom)},
        {"a page two away", [&] { pageStatement(q, 2); q.pageShown("1030", "1044"); }, 4, byOffset.arg(45)},
        {"after a count", [&] { pageStatement(q, 2); q.pageShown("1030", "1044"); q.setCount(100); }, 3, byOffset.arg(30)},
        {"after a page of another size", [&] { q.PageSize = 10; pageStatement(q, 2); q.pageShown("1020", "1029");
             q.PageSize = 15; }, 3, byOffset.arg(30)},
        {"after no page was shown", [&] { pageStatement(q, 2); q.pageShown("1030", "1044"); pageStatement(q, 3);
             q.forgetPage(); }, 4, byOffset.arg(45)},
    };
    for (const Step& step : steps) {
        step.before();
        EXPECT_EQ(pageStatement(q, step.page), step.statement) << step.what;
    }

    // Another search changes the statement: the page shown no longer leads on.
    pageStatement(q, 2);
    q.pageShown("1030", "1044");
    const QString like = QStringLiteral(" CONVERT(NVARCHAR(4000),[Descripcion]) LIKE '%TORN%'");
    q.addSearch(like);
    EXPECT_EQ(pageStatement(q, 3), head + kWhere + " AND " + like + "  Order by id  LIMIT 15 OFFSET 30" + tail);
    pageStatement(q, 3);
    q.pageShown("1050", "1070");
    EXPECT_EQ(pageStatement(q, 4), kSelectList + " FROM Stk_Dravelo_Sin_Asignar WHERE (" + kBody + " AND " + like
                                       + ") AND id > 1070 Order by id Asc LIMIT 15");

    // A user's order, or a key that is no whole number, always skips by offset.
    q.OrdenSent = 1;
    pageStatement(q, 2, 8, "Transferir");
    q.pageShown("1030", "1044");
    EXPECT_TRUE(pageStatement(q, 3, 8, "Transferir").contains("Order by [CantidadATransferir] Asc , id  LIMIT 15 OFFSET 30"));
    std::vector<ProbeField> textKey = depotFields();
    textKey.back().type = db::type::VarChar;
    GridQuery t = loaded(kDepotQuery, textKey);
    t.dialect = db::Dialect::Sqlite;
    pageStatement(t, 2);
    t.pageShown("1030", "1044");
    EXPECT_TRUE(pageStatement(t, 3).contains("LIMIT 15 OFFSET 30")) << "a text key";
}

TEST(GridQueryTest, TheSearchFilterNarrowsTheSkippedKeysAndThePageInEitherMode)
{
    GridQuery q = loaded(kDepotQuery, depotFields());
    const QString like = QStringLiteral(" CONVERT(NVARCHAR(4000),[Descripcion]) LIKE '%TORN%'");
    q.addSearch(like);
    for (int find : {1, 2}) {
        q.Find = find;
        EXPECT_EQ(pageStatement(q, 2),
                  kSelectList
                      + " FROM (SELECT TOP 15 *  FROM Stk_Dravelo_Sin_Asignar WHERE id NOT IN (SELECT TOP 15 id FROM "
                        "Stk_Dravelo_Sin_Asignar "
                      + kWhere + " AND " + like + "  Order by id )  and " + like + " and " + kBody
                      + "  Order by id ) AS Paginacion " + kWhere + " AND " + like + "  Order by Paginacion.id ")
            << "Find " << find;
    }
}

TEST(GridQueryTest, TheRowsAreCountedOnTheServer)
{
    GridQuery q = loaded(kDepotQuery, depotFields());
    EXPECT_EQ(q.countSql(), "SELECT COUNT(*) from Stk_Dravelo_Sin_Asignar " + kWhere);
    q.addSearch(" CONVERT(NVARCHAR(4000),[NroLote]) LIKE '%L7%'");
    EXPECT_EQ(q.countSql(), "SELECT COUNT(*) from Stk_Dravelo_Sin_Asignar " + kWhere
                                + " and  CONVERT(NVARCHAR(4000),[NroLote]) LIKE '%L7%'");

    q.Sql = "SELECT a FROM V ORDER BY a ";
    EXPECT_EQ(q.countSql(), "SELECT COUNT(*) FROM V  where  CONVERT(NVARCHAR(4000),[NroLote]) LIKE '%L7%'");
    q.searchFilter.clear();
    q.Sql = "SELECT DISTINCT a FROM V ";
    EXPECT_EQ(q.countSql(), "SELECT COUNT(*) FROM (SELECT DISTINCT a FROM V ) AS Conteo");
}

TEST(GridQueryTest, PagesFollowTheCountAndThePageSize)
{
    const struct {
        qint64 rows;
        int pageSize;
        int current;
        int pages;
        int currentAfter;
        QString label;
    } cases[] = {
        {12, 5, 1, 3, 1, "        Página        1 de 3"},
        {12, 5, 3, 3, 3, "        Página        3 de 3"},
        {10, 5, 2, 2, 2, "        Página        2 de 2"},
        {12, 10, 3, 2, 2, "        Página        2 de 2"},
        {0, 5, 1, 0, 1, "        Página        1 de 1"},
        {1000000, 15, 66667, 66667, 66667, "        Página        66667 de 66667"},
    };
    for (const auto& c : cases) {
        GridQuery q;
        q.PageSize = c.pageSize;
        q.PaginaActual = c.current;
        q.setCount(c.rows);
        EXPECT_EQ(q.pageCount(), c.pages) << c.rows << "/" << c.pageSize;
        q.settlePages();
        q.normalizePages();
        EXPECT_EQ(q.PaginaActual, c.currentAfter) << c.rows << "/" << c.pageSize;
        EXPECT_EQ(q.pageLabel(), c.label);
    }

    GridQuery empty;
    empty.searchFilter = " x = 1";
    empty.setCount(0);
    EXPECT_TRUE(empty.searchFilter.isEmpty()) << "a search that finds nothing is dropped";
    EXPECT_TRUE(empty.countedEmpty);
}

TEST(GridQueryTest, OrderClauseSequences)
{
    struct Step {
        int ordenSent;
        int order;
        QString header;
        QString orderBy;
    };
    const struct {
        QString name;
        QString sql;
        QString stored;
        std::vector<Step> steps;
    } cases[] = {
        {"single column", "SELECT A, B FROM T ", "", {{1, 1, "A", " Order by [A] Asc "}, {2, 1, "B", " Order by [B] Desc "}}},
        {"cumulative",
         "SELECT A, B FROM T ",
         "",
         {{1, 2, "A", " Order by [A] Asc "},
          {2, 2, "B", " Order by [A] Asc , [B] Desc "},
          {2, 2, "A", " Order by  [B] Desc , [A] Desc "}}},
        {"cumulative, same column again", "SELECT A, B FROM T ", " Order by [A] Asc ", {{1, 2, "A", " Order by [A] Asc "}}},
        {"the query's own order", "SELECT a, b FROM t Order by b ", " Order by [a] Asc ", {{0, 1, "a", " Order by b "}}},
        {"no own order", "SELECT a, b FROM t ", " Order by [a] Asc ", {{0, 1, "a", ""}}},
        {"kept", "SELECT a, b FROM t ", " Order by [b] Desc ", {{3, 1, "a", " Order by [b] Desc "}}},
        {"an alias orders by its expression",
         kDepotQuery,
         "",
         {{1, 1, "Transferir", " Order by [CantidadATransferir] Asc "}}},
        {"the record numbers do not order", "SELECT A FROM T ", " Order by [A] Asc ", {{2, 1, "", " Order by [A] Asc "}}},
    };
    for (const auto& c : cases) {
        GridQuery q;
        q.Sql = c.sql;
        q.CargaAlias();
        q.OrderBy = c.stored;
        for (const Step& s : c.steps) {
            q.OrdenSent = s.ordenSent;
            q.Order = s.order;
            const QString status = q.ArmaOrderBy(3, s.header);
            EXPECT_EQ(q.OrderBy, s.orderBy) << c.name.toStdString();
            EXPECT_EQ(status, " Orden: " + s.orderBy) << c.name.toStdString();
            EXPECT_EQ(q.orderColumn, 3);
        }
    }
}

TEST(GridQueryTest, SearchConditionsAccumulateAndCarryTheTypedTextSafely)
{
    using namespace db::type;
    GridQuery q = loaded("SELECT CODIGO, NOMBRE, FECHA, ID FROM CLIENTES ",
                         {{"CODIGO", VarChar}, {"NOMBRE", VarChar}, {"FECHA", DBTimeStamp}, {"ID", Integer}}, "ID");
    const QStringList headers{"CODIGO", "NOMBRE", "FECHA"};
    const QString kTenthOfDecember = " ([FECHA] >= '2024-12-10T00:00:00' AND [FECHA] < '2024-12-11T00:00:00')";
    const struct {
        int index;
        QString column;
        QString typed;
        std::optional<QString> condition;
    } cases[] = {
        {2, "NOMBRE", "ab", " CONVERT(NVARCHAR(4000),[NOMBRE]) LIKE '%ab%'"},
        {2, "NOMBRE", "d'Arc", " CONVERT(NVARCHAR(4000),[NOMBRE]) LIKE '%d''Arc%'"},
        {2, "NOMBRE", "   ", ""},
        {3, "FECHA", "10/12/2024", kTenthOfDecember},
        {3, "FECHA", "10/12/24", kTenthOfDecember},
        {3, "FECHA", "2024-12-10", kTenthOfDecember},
        {3, "FECHA", "31/12/2024", " ([FECHA] >= '2024-12-31T00:00:00' AND [FECHA] < '2025-01-01T00:00:00')"},
        {3, "FECHA", "31/02/2024", std::nullopt},
        {3, "FECHA", "ab", std::nullopt},
        {0, "Todos", "ab",
         " ( CONVERT(NVARCHAR(4000),[CODIGO]) LIKE '%ab%' or  CONVERT(NVARCHAR(4000),[NOMBRE]) LIKE '%ab%') "},
        {0, "Todos", "10/12/2024",
         " ( CONVERT(NVARCHAR(4000),[CODIGO]) LIKE '%10/12/2024%' or  CONVERT(NVARCHAR(4000),[NOMBRE]) LIKE "
         "'%10/12/2024%' or " + kTenthOfDecember + ") "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(q.searchCondition(c.index, c.column, c.typed, headers), c.condition) << c.typed.toStdString();

    q.addSearch(*q.searchCondition(2, "NOMBRE", "ab", headers));
    q.addSearch(*q.searchCondition(1, "CODIGO", "cd", headers));
    q.addSearch(QString());
    EXPECT_EQ(q.searchFilter,
              " CONVERT(NVARCHAR(4000),[NOMBRE]) LIKE '%ab%' and  CONVERT(NVARCHAR(4000),[CODIGO]) LIKE '%cd%'");
    q.ArmaWhere();
    EXPECT_EQ(q.whereText, " where " + q.searchFilter);
}

TEST(GridQueryTest, AColumnChoiceBecomesTheSelectList)
{
    using namespace db::type;
    GridQuery q = loaded("SELECT A, B, C FROM T ", {{"A", VarChar}, {"B", VarChar}, {"C", DBTimeStamp}}, "ID");
    EXPECT_EQ(q.chooserColumns(), "[A]|[B]|[C]|ID|");
    EXPECT_EQ(q.choiceProbeSql("[A], [C], [ID]"), "SELECT TOP 1 [A], [C], [ID] FROM T");

    q.applyChoice({{"A", VarChar}, {"C", DBTimeStamp}, {"ID", Integer}}, "0|2|");
    EXPECT_EQ(q.CamposSel, "[A], CONVERT(NVARCHAR,[C],103) AS [C], ID");
    EXPECT_EQ(q.chosenColumns, "[A], [C], ID");
    EXPECT_EQ(q.OrdinalSel, "0|2|");

    q.CargarCampos({{"A", VarChar}, {"B", VarChar}, {"C", DBTimeStamp}});
    EXPECT_EQ(q.Campos, "[A], [B],convert(nvarchar,[C],103) as [C], ID");
    EXPECT_EQ(q.filterColumns, QStringList({"Todos", "A", "C"}));
    EXPECT_EQ(q.dateColumns, "|1|") << "C is the second column shown";

    q.clearChoice();
    q.CargarCampos({{"A", VarChar}, {"B", VarChar}, {"C", DBTimeStamp}});
    EXPECT_EQ(q.Campos, "[A], [B], CONVERT(NVARCHAR,[C],103) AS [C], ID");
    EXPECT_EQ(q.filterColumns, QStringList({"Todos", "A", "B", "C"}));

    // A choice restored without its plain list offers only "Todos".
    GridQuery restored;
    restored.CamposSel = "[A], ID";
    restored.CargarCampos({{"A", VarChar}, {"B", VarChar}});
    EXPECT_EQ(restored.filterColumns, QStringList({"Todos"}));
}

TEST(GridQueryTest, EachPageTakesTheColumnsExpressionsAndConditionOfTheQueryAsItIsThen)
{
    using namespace db::type;
    GridQuery q = loaded(kDepotQuery, depotFields());
    ASSERT_TRUE(pageStatement(q, 1).startsWith(kSelectList));

    q.applyChoice({{"IdArticulo", VarChar}, {"Transferir", Numeric}, {"id", Integer}}, "0|7|");
    const QString chosen = QStringLiteral("SELECT  [IdArticulo], [CantidadATransferir] as [Transferir], id ");
    EXPECT_EQ(pageStatement(q, 2).left(chosen.size()), chosen);
    q.clearChoice();
    EXPECT_EQ(pageStatement(q, 2).left(kSelectList.size()), kSelectList);

    // The same column list under another query: the alias now stands for
    // another expression, and another condition holds.
    GridQuery r = loaded("SELECT A as X from T where A > 1", {{"X", VarChar}});
    EXPECT_EQ(pageStatement(r, 1, 1, "X").left(23), QStringLiteral("SELECT  [A] as [X], id "));
    r.Sql = QStringLiteral("SELECT B as X from T where B > 2 ");
    r.CargaAlias();
    r.beginLoad();
    r.CargarCampos({{"X", VarChar}});
    const QString after = pageStatement(r, 1, 1, "X");
    EXPECT_EQ(after.left(23), QStringLiteral("SELECT  [B] as [X], id "));
    EXPECT_TRUE(after.contains("where B > 2") && !after.contains("A > 1")) << after.toStdString();
}
