#include "lookup/Lib_ClsCons3.h"

#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "core/ArchivoConsultas.h"
#include "core/Globals.h"
#include "core/DB_Dll.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

namespace {

// What a dialog held when the facade showed it.
struct Mostrado {
    bool arbol = false;
    QString Sql, CampoDevuelto, CampoBusqueda, FiltroInicial, gConnString, ValoresDefault;
    bool OrdenarPorLwv = false, CheckBoxes = false, UsaCantidades = false;
    const KeyedCollection* CmpsDevueltos = nullptr;
    bool sinValores = false, sinCantidades = false;
};

class FabricaFalsa : public FabricaDialogosConsulta {
public:
    std::vector<Mostrado> mostrados;
    // Plays the operator on the shown dialog.
    std::function<void(ConsultaDialogo&)> operador = [](ConsultaDialogo& d) { d.ValorDevuelto = QString(); };

    std::unique_ptr<ConsultaListaDialogo> NuevaLista() override
    {
        return std::make_unique<Lista>(*this);
    }
    std::unique_ptr<ConsultaDialogo> NuevoArbol() override { return std::make_unique<Arbol>(*this); }

private:
    static Mostrado foto(const ConsultaDialogo& d, bool arbol)
    {
        Mostrado m;
        m.arbol = arbol;
        m.Sql = d.Sql;
        m.CampoDevuelto = d.CampoDevuelto;
        m.CampoBusqueda = d.CampoBusqueda;
        m.FiltroInicial = d.FiltroInicial;
        m.gConnString = d.gConnString;
        m.OrdenarPorLwv = d.OrdenarPorLwv;
        m.CheckBoxes = d.CheckBoxes;
        m.UsaCantidades = d.UsaCantidades;
        m.CmpsDevueltos = d.CmpsDevueltos;
        m.sinValores = !d.Valores;
        m.sinCantidades = !d.Cantidades;
        return m;
    }
    struct Lista : ConsultaListaDialogo {
        explicit Lista(FabricaFalsa& f) : fabrica(f) {}
        void Muestra() override
        {
            fabrica.mostrados.push_back(foto(*this, false));
            fabrica.mostrados.back().ValoresDefault = ValoresDefault;
            // A real list creates both collections when it loads.
            Valores = KeyedCollection();
            Cantidades = KeyedCollection();
            fabrica.operador(*this);
        }
        FabricaFalsa& fabrica;
    };
    struct Arbol : ConsultaDialogo {
        explicit Arbol(FabricaFalsa& f) : fabrica(f) {}
        void Muestra() override
        {
            fabrica.mostrados.push_back(foto(*this, true));
            fabrica.operador(*this);
        }
        FabricaFalsa& fabrica;
    };
};

// A facade over fake dialogs, with the default definition file written the
// way start-up writes it.
class ConsultaFacadeTest : public testing::Test {
protected:
    ConsultaFacadeTest() : facade(std::unique_ptr<FabricaDialogosConsulta>(fabrica = new FabricaFalsa))
    {
        RutaMascaraConsultas = dir.filePath("consultas.vtl");
        CreaArchivoConsultas();
        facade.gRutaMascaraConsultas = RutaMascaraConsultas;
        facade.gUsarMascarasConsultas = true;
        facade.gConnString = "PROVIDER=SQLOLEDB;Server=(sqlite)";
    }

    void agregaDefinicion(const char* tabla, const char* campos, const char* condicion = "")
    {
        MascaraConsulta m;
        m.Titulo = "PRUEBA";
        m.Tabla = tabla;
        m.Campos = campos;
        m.Condicion = condicion;
        QFile f(RutaMascaraConsultas);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(m.Registro());
    }

    TestDatabase db{R"(
        CREATE TABLE T_PRECIOS (ID integer PRIMARY KEY, CODIGO varchar(10), DESCRIPCION varchar(40), PRECIO decimal(18,4));
        CREATE TABLE T_AUDITORIA (ID integer PRIMARY KEY, FECHAHORA_MODIFICACION datetime, FECHAHORA_GRABACION datetime);
    )"};
    QTemporaryDir dir;
    FabricaFalsa* fabrica;
    Lib_ClsCons3 facade;
};

}  // namespace

TEST_F(ConsultaFacadeTest, BuildsTheQueryOnEveryRoute)
{
    // A later record of a table already defined is never read.
    agregaDefinicion("VT_CLIENTES", "|CODIGO|RAZON_SOCIAL|");
    const struct {
        const char* caso;
        const char* sql;
        bool usarArchivo;
        const char* campoBusqueda;
        const char* where;
        const char* sentenciaOpcional;
        const char* esperado;
        const char* campoFinal;
        bool ordenaLista;
    } casos[] = {
        {"default article definition", "V_MA_ARTICULOS", true, "", "", "",
         "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION",
         "DESCRIPCION", false},
        {"definition found whatever the case and blanks", "  v_ma_articulos ", true, "", "", "",
         "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION",
         "DESCRIPCION", false},
        {"first definition of a repeated table", "V_TA_TECNICOS", true, "", "", "",
         "SELECT TOP 1000 NOMBRE,IDTECNICO FROM V_TA_TECNICOS ORDER BY NOMBRE", "NOMBRE", false},
        {"the caller's where before the client default", "VT_CLIENTES", true, "", "ZONA = 2", "",
         "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE ZONA = 2 ORDER BY RAZON_SOCIAL",
         "RAZON_SOCIAL",
         false},
        {"caller's select kept, article view swapped", "SELECT IDARTICULO, DESCRIPCION FROM V_MA_ARTICULOS", true, "", "",
         "", "SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS", "", true},
        {"caller's ordered select", "select codigo from t_precios order by codigo", true, "X", "W = 1", "",
         "select codigo from t_precios order by codigo", "X", false},
        {"table's columns when the file has no definition", "T_PRECIOS", true, "CODIGO", "", "",
         "SELECT TOP 1000 PRECIO,DESCRIPCION,CODIGO FROM T_PRECIOS ORDER BY DESCRIPCION", "DESCRIPCION", false},
        {"table's columns when the file is not used", "V_MA_ARTICULOS", false, "", "", "",
         "SELECT TOP 1000 PRECIO1,SUSPENDIDO,Costo,CuentaProveedor,SexoDefault,ColorDefault,TalleDefault,UsaTalle,"
         "Perecedero,USALOTE,USASERIE,idrubro,IdTipo,IdFamilia,IDUNIDAD,UMCB4,UMCB3,UMCB2,UMCB1,CODIGOBARRA4,"
         "CODIGOBARRA3,CODIGOBARRA2,CODIGOBARRA1,UD_TTE,CODIGOBARRADUN,codigobarra,DESCRIPCION,IDARTICULO "
         "FROM V_MA_ARTICULOS ORDER BY DESCRIPCION",
         "DESCRIPCION", false},
        {"only identity and audit columns", "T_AUDITORIA", true, "", "", "", "SELECT TOP 1000  *  FROM T_AUDITORIA", "",
         true},
        {"optional statement instead of the columns", "T_PRECIOS", false, "", "", "SELECT CODIGO FROM T_PRECIOS",
         "SELECT CODIGO FROM T_PRECIOS", "", true},
    };
    for (const auto& c : casos) {
        fabrica->mostrados.clear();
        facade.gUsarMascarasConsultas = c.usarArchivo;
        QString campoBusqueda = QString::fromLatin1(c.campoBusqueda);
        facade.ConsultaSearch(QString::fromLatin1(c.sql), nullptr, {}, &campoBusqueda, QString::fromLatin1(c.where),
                              QString::fromLatin1(c.sentenciaOpcional));
        ASSERT_EQ(fabrica->mostrados.size(), 1u) << c.caso;
        const Mostrado& m = fabrica->mostrados[0];
        EXPECT_FALSE(m.arbol) << c.caso;
        EXPECT_EQ(m.Sql, QString::fromLatin1(c.esperado)) << c.caso;
        EXPECT_EQ(campoBusqueda, QString::fromLatin1(c.campoFinal)) << c.caso;
        EXPECT_EQ(m.CampoBusqueda, campoBusqueda) << c.caso;
        EXPECT_EQ(m.OrdenarPorLwv, c.ordenaLista) << c.caso;
    }
}

TEST_F(ConsultaFacadeTest, RowLimitComesFromTheSetting)
{
    db.execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('TopConsArt', '50');");
    facade.ConsultaSearch("V_MA_ARTICULOS");
    ASSERT_EQ(fabrica->mostrados.size(), 1u);
    EXPECT_EQ(fabrica->mostrados[0].Sql,
              "SELECT TOP 50 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION");
}

TEST_F(ConsultaFacadeTest, HandsTheListItsInputsAndCopiesItsAnswerBack)
{
    fabrica->operador = [](ConsultaDialogo& d) {
        d.ValorDevuelto = QStringLiteral("                   ART002");
        d.Valores->Add(QStringLiteral("ARANDELA PLANA"));
        d.Cantidades->Add(QStringLiteral("no se llena"));
    };
    facade.CmpsDevueltos.Add(QStringLiteral("DESCRIPCION"));
    facade.CampoDevuelto = QStringLiteral("IdArticulo");
    facade.Checks = true;
    facade.UsaCantidades = true;
    facade.ConsultaSearch("V_MA_ARTICULOS", &facade.CmpsDevueltos, "ARA", nullptr, {}, {}, false, "A1|");

    ASSERT_EQ(fabrica->mostrados.size(), 1u);
    const Mostrado& m = fabrica->mostrados[0];
    EXPECT_EQ(m.CampoDevuelto, "IdArticulo");
    EXPECT_EQ(m.FiltroInicial, "ARA");
    EXPECT_EQ(m.gConnString, "PROVIDER=SQLOLEDB;Server=(sqlite)");
    EXPECT_TRUE(m.CheckBoxes);
    EXPECT_TRUE(m.UsaCantidades);
    EXPECT_EQ(m.ValoresDefault, "A1|");
    EXPECT_EQ(m.CmpsDevueltos, &facade.CmpsDevueltos);
    EXPECT_TRUE(m.sinValores);
    EXPECT_TRUE(m.sinCantidades);

    EXPECT_EQ(facade.ValorDevuelto.toString(), "                   ART002");
    ASSERT_TRUE(facade.Valores);
    ASSERT_EQ(facade.Valores->Count(), 1);
    EXPECT_EQ(facade.Valores->Item(1).toString(), "ARANDELA PLANA");
    ASSERT_TRUE(facade.Cantidades);
    EXPECT_EQ(facade.Cantidades->Count(), 1);
    // Emptied for the next lookup.
    EXPECT_EQ(facade.CampoDevuelto, "");
    EXPECT_EQ(facade.CmpsDevueltos.Count(), 0);
    EXPECT_FALSE(facade.Checks);
    EXPECT_TRUE(facade.UsaCantidades);

    // The next lookup starts from the emptied collection.
    facade.ConsultaSearch("V_MA_ARTICULOS", &facade.CmpsDevueltos);
    EXPECT_EQ(fabrica->mostrados.back().CmpsDevueltos->Count(), 0);
    EXPECT_FALSE(fabrica->mostrados.back().CheckBoxes);
}

TEST_F(ConsultaFacadeTest, CancelledListReturnsAnEmptyTextAndNoValues)
{
    fabrica->operador = [](ConsultaDialogo& d) {
        d.ValorDevuelto = QString();
        d.Valores.reset();
    };
    facade.ValorDevuelto = QStringLiteral("anterior");
    facade.ConsultaSearch("V_MA_ARTICULOS");
    EXPECT_EQ(facade.ValorDevuelto.toString(), "");
    EXPECT_FALSE(facade.Valores);
    ASSERT_TRUE(facade.Cantidades);
    EXPECT_EQ(facade.Cantidades->Count(), 0);
}

TEST_F(ConsultaFacadeTest, UnconfiguredDefinitionShowsTheMessageAndPicksNothing)
{
    agregaDefinicion("V_TA_ZONAS", "|NOMBRE|");
    facade.ValorDevuelto = QStringLiteral("valor anterior");
    facade.CampoDevuelto = QStringLiteral("NOMBRE");
    {
        ScopedPrompts p;
        p.answerMessage(prompt::Ok, "Debe configurar la consulta para esta tabla");
        facade.ConsultaSearch("V_TA_ZONAS");
        ASSERT_EQ(p.shown().size(), 1u);
        EXPECT_EQ(p.shown()[0].title, "Aviso al operador");
        EXPECT_EQ(p.shown()[0].style, prompt::OkOnly | prompt::Information);
    }
    EXPECT_TRUE(fabrica->mostrados.empty());
    EXPECT_EQ(facade.ValorDevuelto.toString(), "");

    // With a search column the same definition is used.
    QString campo = QStringLiteral("NOMBRE");
    facade.ConsultaSearch("V_TA_ZONAS", nullptr, {}, &campo);
    ASSERT_EQ(fabrica->mostrados.size(), 1u);
    EXPECT_EQ(fabrica->mostrados[0].Sql, "SELECT TOP 1000 NOMBRE FROM V_TA_ZONAS ORDER BY NOMBRE");
}

TEST_F(ConsultaFacadeTest, TreeLookupLeavesTheListResultsAlone)
{
    fabrica->operador = [](ConsultaDialogo& d) { d.ValorDevuelto = QStringLiteral("BEBIDAS"); };
    facade.Checks = true;
    facade.Valores->Add(QStringLiteral("de antes"));
    facade.CampoDevuelto = QStringLiteral("DESCRIPCION");
    KeyedCollection cmps;
    cmps.Add(QStringLiteral("IDFAMILIA"));
    facade.ConsultaSearch("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA", &cmps, {}, nullptr,
                          {}, {}, true);

    ASSERT_EQ(fabrica->mostrados.size(), 1u);
    EXPECT_TRUE(fabrica->mostrados[0].arbol);
    EXPECT_EQ(fabrica->mostrados[0].Sql, "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA");
    EXPECT_EQ(fabrica->mostrados[0].CampoDevuelto, "DESCRIPCION");
    EXPECT_EQ(facade.ValorDevuelto.toString(), "BEBIDAS");
    EXPECT_TRUE(facade.Checks);
    ASSERT_TRUE(facade.Valores);
    EXPECT_EQ(facade.Valores->Count(), 1);
    EXPECT_FALSE(facade.Cantidades);
    EXPECT_EQ(facade.CampoDevuelto, "");
    EXPECT_EQ(cmps.Count(), 0);
}
