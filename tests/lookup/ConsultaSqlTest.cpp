#include "lookup/ConsultaSql.h"
#include "lookup/MascaraConsulta.h"

#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

using consulta::Armado;

TEST(ConsultaLimiteFilasTest, ReadsTheSettingOrFallsBackToAThousand)
{
    const struct {
        const char* setting;
        int limite;
    } casos[] = {
        {" ", 1000},  // missing key
        {"", 1000},   {"0", 1000}, {"todos", 1000}, {"50", 50}, {" 75 filas", 75},
        {"12.5", 12}, {"13.5", 14},  // halves to even
    };
    for (const auto& c : casos)
        EXPECT_EQ(consulta::LimiteFilas(QString::fromUtf8(c.setting)), c.limite) << "setting '" << c.setting << "'";
}

TEST(ConsultaSqlTest, CallersSelectIsKeptButReadsTheArticleView)
{
    EXPECT_TRUE(consulta::EsSentencia("Select a from t"));
    EXPECT_FALSE(consulta::EsSentencia("V_MA_ARTICULOS"));
    EXPECT_EQ(consulta::ConVistaDeArticulos("SELECT IDARTICULO FROM V_MA_ARTICULOS"),
              "SELECT IDARTICULO FROM VT_MA_ARTICULOS");
    EXPECT_EQ(consulta::ConVistaDeArticulos("SELECT * FROM V_TA_DEPOSITO"), "SELECT * FROM V_TA_DEPOSITO");
}

TEST(ConsultaSqlTest, QueryFromADefinitionRecord)
{
    const struct {
        const char* caso;
        const char* tabla;
        const char* campos;
        const char* condicion;
        const char* campoBusqueda;
        const char* where;
        const char* sql;
        const char* campoFinal;
    } casos[] = {
        {"default article row", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|", "", "", "",
         "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION",
         "DESCRIPCION"},
        {"article row with its own condition", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|", "IDTIPO = 'A'", "", "",
         "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE IDTIPO = 'A' ORDER BY DESCRIPCION",
         "DESCRIPCION"},
        {"caller's search column", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|", "", "IDARTICULO", "",
         "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY IDARTICULO",
         "IDARTICULO"},
        {"clients without condition", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|", "", "", "",
         "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL",
         "RAZON_SOCIAL"},
        {"clients with the caller's where", "vt_clientes", "|RAZON_SOCIAL|CODIGO|", "", "", "ZONA = 3",
         "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM vt_clientes WHERE ZONA = 3 ORDER BY RAZON_SOCIAL", "RAZON_SOCIAL"},
        {"suppliers", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|", "", "", "",
         "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL",
         "RAZON_SOCIAL"},
        {"other table, blank where", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|", "", "", "   ",
         "SELECT TOP 1000 NOMBRE,IDVENDEDOR FROM V_TA_VENDEDORES ORDER BY NOMBRE", "NOMBRE"},
        {"condition cleaned of 0 and 255", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|", "\x01 ACTIVO = 1 \xff", "", "",
         "SELECT TOP 1000 NOMBRE,IDTECNICO FROM V_TA_TECNICOS WHERE ACTIVO = 1 ORDER BY NOMBRE", "NOMBRE"},
        {"single field with a search column", "V_TA_ZONAS", "|NOMBRE|", "", "NOMBRE", "",
         "SELECT TOP 1000 NOMBRE FROM V_TA_ZONAS ORDER BY NOMBRE", "NOMBRE"},
        {"empty field list with a search column", "V_TA_ZONAS", "", "", "NOMBRE", "",
         "SELECT TOP 1000 * FROM V_TA_ZONAS ORDER BY NOMBRE", "NOMBRE"},
    };
    for (const auto& c : casos) {
        MascaraConsulta m;
        m.Tabla = QString::fromLatin1(c.tabla);
        m.Campos = QString::fromLatin1(c.campos).leftJustified(500, u' ');
        QString condicion = QString::fromLatin1(c.condicion);
        condicion.replace(u'\x01', QChar(0));
        m.Condicion = condicion.leftJustified(500, u' ');
        const Armado a = consulta::DesdeMascara(m, 1000, QString::fromLatin1(c.campoBusqueda), QString::fromLatin1(c.where));
        EXPECT_FALSE(a.FaltaConfigurar) << c.caso;
        EXPECT_EQ(a.Sql, QString::fromLatin1(c.sql)) << c.caso;
        EXPECT_EQ(a.CampoBusqueda, QString::fromLatin1(c.campoFinal)) << c.caso;
    }
}

TEST(ConsultaSqlTest, ADefinitionOfOneFieldAndNoSearchColumnNeedsConfiguring)
{
    for (const char* campos : {"|NOMBRE|", "", "|", "NOMBRE"}) {
        MascaraConsulta m;
        m.Tabla = "V_TA_ZONAS";
        m.Campos = QString::fromLatin1(campos);
        const Armado a = consulta::DesdeMascara(m, 1000, {}, {});
        EXPECT_TRUE(a.FaltaConfigurar) << campos;
        EXPECT_TRUE(a.Sql.isEmpty()) << campos;
    }
}

TEST(ConsultaSqlTest, QueryFromTheTablesColumns)
{
    const struct {
        const char* caso;
        QStringList columnas;
        const char* campoBusqueda;
        const char* sql;
        const char* campoFinal;
    } casos[] = {
        {"description preferred, columns reversed", {"ID", "CODIGO", "DESCRIPCION", "PRECIO"}, "",
         "SELECT TOP 50 PRECIO,DESCRIPCION,CODIGO FROM T ORDER BY DESCRIPCION", "DESCRIPCION"},
        {"caller's column replaced", {"ID", "IDARTICULO", "DESCRIPCION", "PRECIO1"}, "PRECIO1",
         "SELECT TOP 50 PRECIO1,DESCRIPCION,IDARTICULO FROM T ORDER BY DESCRIPCION", "DESCRIPCION"},
        {"first kept column without a preferred one", {"id", "CODIGO", "IMPORTE"}, "",
         "SELECT TOP 50 IMPORTE,CODIGO FROM T ORDER BY CODIGO", "CODIGO"},
        {"the last preferred name wins", {"nombre", "CODIGO", "Detalle", "fechahora_grabacion"}, "",
         "SELECT TOP 50 Detalle,CODIGO,nombre FROM T ORDER BY Detalle", "Detalle"},
        {"no usable column keeps the caller's search column",
         {"ID", "FECHAHORA_MODIFICACION", "FECHAHORA_GRABACION"}, "CODIGO",
         "SELECT TOP 50  *  FROM T ORDER BY CODIGO", "CODIGO"},
        {"table that cannot be probed", {}, "CODIGO", "SELECT TOP 50  *  FROM T ORDER BY CODIGO", "CODIGO"},
        // Nothing to order by: the query must not end in an empty ORDER BY.
        {"no usable column and no search column", {"ID", "FECHAHORA_GRABACION"}, "", "SELECT TOP 50  *  FROM T", ""},
    };
    for (const auto& c : casos) {
        const Armado a = consulta::DesdeColumnas("T", c.columnas, 50, QString::fromLatin1(c.campoBusqueda));
        EXPECT_EQ(a.Sql, QString::fromLatin1(c.sql)) << c.caso;
        EXPECT_EQ(a.CampoBusqueda, QString::fromLatin1(c.campoFinal)) << c.caso;
    }
    EXPECT_EQ(consulta::SondeoColumnas("V_MA_ARTICULOS"), "select top 1 * from V_MA_ARTICULOS");
}

TEST(ConsultaSqlTest, ServerFilterGoesBeforeTheOrderingClause)
{
    const QString deposito = "Select v_ta_deposito.descripcion,  v_ta_deposito.iddeposito from v_ta_deposito inner join "
                             "ta_usuarios on v_ta_deposito.unidadnegocio =ta_usuarios.unegocio where ta_usuarios.nombre='ana' "
                             "order by descripcion";
    const struct {
        const char* caso;
        QString sql;
        QString base;
        const char* columna;
        const char* literal;
        QString esperado;
    } casos[] = {
        {"no where, ordered", "SELECT A, B FROM T ORDER BY A", "SELECT A, B FROM T ORDER BY A", "B", "'%ab%'",
         "SELECT A, B FROM T  where B like '%ab%' ORDER BY A"},
        {"second filter on the filtered query", "SELECT A, B FROM T  where B like '%ab%' ORDER BY A",
         "SELECT A, B FROM T  where B like '%ab%' ORDER BY A", "A", "'%x%'",
         "SELECT A, B FROM T  where B like '%ab%'  and A like '%x%' ORDER BY A"},
        {"depot lookup", deposito, deposito, "descripcion", "'%CEN%'",
         "Select v_ta_deposito.descripcion,  v_ta_deposito.iddeposito from v_ta_deposito inner join ta_usuarios on "
         "v_ta_deposito.unidadnegocio =ta_usuarios.unegocio where ta_usuarios.nombre='ana'  and descripcion like "
         "'%CEN%' order by descripcion"},
        {"article lookup", "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION",
         "", "IDARTICULO", "'%12%'",
         "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0  and IDARTICULO like '%12%' "
         "ORDER BY DESCRIPCION"},
        {"tree on the synonym", "SELECT IDFAMILIA, DESCRIPCION FROM SS_V_TA_FAMILIAS ORDER BY IDFAMILIA", "",
         "Descripcion", "'%BEB%'",
         "SELECT IDFAMILIA, DESCRIPCION FROM SS_V_TA_FAMILIAS  where Descripcion like '%BEB%' ORDER BY IDFAMILIA"},
        {"no ordering: the base of the latest load", "SELECT A FROM T", "SELECT A FROM T", "A", "'%1%'",
         "SELECT A FROM T where A like '%1%' "},
        {"'where' inside a name joins with and", "SELECT NOWHERE FROM T", "SELECT NOWHERE FROM T", "NOWHERE", "'%z%'",
         "SELECT NOWHERE FROM T and NOWHERE like '%z%' "},
        {"'order' without 'order by'", "SELECT ORDERNO FROM T", "SELECT ORDERNO FROM T", "ORDERNO", "'%7%'",
         "SELECT ORDERNO FROM T where ORDERNO like '%7%' "},
    };
    for (const auto& c : casos) {
        const consulta::Filtro f =
            consulta::FiltroServidor(c.sql, c.base, QString::fromLatin1(c.columna), QString::fromLatin1(c.literal));
        EXPECT_EQ(f.Sql, c.esperado) << c.caso;
    }
    EXPECT_EQ(consulta::PatronContiene("ab"), "%ab%");
}
