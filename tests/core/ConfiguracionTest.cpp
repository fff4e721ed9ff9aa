#include "tests/support/HostDePrueba.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Globals.h"

#include "../support/RecordingConnection.h"
#include "../support/ScriptedPrompts.h"
#include "../support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

const char* kConfiguracionCompleta = R"(
INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('D''Angelo', '7');
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
  ('MostrarStockenConsultas', 'si'), ('TituloClientes', '  Clientes  '), ('TituloProveedores', 'Proveedores '),
  ('EXIGECLAVECONSULTALIKEARTICULOS', 'SI'), ('UsaConsultaLike', ' SI'), ('CantidadDecimales', ' 3 '),
  ('UsaMultilesMonedas', 'NO'), ('UsaFacturaProforma', 'Si'), ('USACCOSTO', NULL),
  ('UNIDADDEMEDIDA_M3', ' M3 '), ('UNIDADDEMEDIDA_BL', 'BL'), ('UNIDADDEMEDIDA_KG', 'KG'),
  ('PERIODO', ' 2024 '), ('VALIDACODIGOBARRA', ' si '), ('CFondo', '255,5'), ('CLetra', '65280'),
  ('ModuloOrdenDeTrabajo', 'no');
)";

// Start values the load must replace.
void ensucia()
{
    MostrarStockenConsultas = UsaConsultaLike = UsaFacturaProforma = UsaCCosto = ValidaCodigoBarra = false;
    ExigeClaveConsultaLikeArticulos = UsaMultilesMonedas = true;
    ModuloOrdenDeTrabajo = true;
    TituloClientes = TituloProveedores = UnidadNegocio = CantidadDecimales = QStringLiteral("x");
    Periodo = -1;
    ColorFondo = 16777215;
    ColorLetra = 0;
    TablaConfiguracion.clear();
}

}  // namespace

TEST(ConfiguracionTest, EsVerdadero)
{
    const std::pair<const char*, bool> casos[] = {
        {"FALSE", false}, {"falso", false}, {"0", false}, {"No", false}, {"n", false}, {"", true},
        {" ", true},      {" NO", true},    {"SI", true}, {"1", true},   {"x", true},
    };
    for (const auto& [texto, esperado] : casos)
        EXPECT_EQ(EsVerdadero(texto), esperado) << '"' << texto << '"';
}

TEST(ConfiguracionTest, CfgReadsOneSettingByKey)
{
    TestDatabase base(R"(
        INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PIVA', '21'), ('Nulo', NULL),
          ('Clave de O''Brien', 'valor de D''Angelo'), ('[FECHA DESDE]', '01/01/2024');
    )");
    TablaConfiguracion.clear();
    EXPECT_EQ(Cfg("PIVA"), "21");
    EXPECT_EQ(TablaConfiguracion, "TA_CONFIGURACION");
    EXPECT_EQ(Cfg("  piva "), "21");
    EXPECT_EQ(Cfg("NoExiste"), " ");
    EXPECT_EQ(Cfg("Nulo"), "");
    // An apostrophe in a key or a value travels whole.
    EXPECT_EQ(Cfg("Clave de O'Brien"), "valor de D'Angelo");
    EXPECT_EQ(Cfg("[fecha desde]"), "01/01/2024");
}

TEST(ConfiguracionTest, CfgStatements)
{
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    TablaConfiguracion = QStringLiteral("ta_configuracion");
    Cfg(" TopConsArt ");
    Cfg("[fecha desde]");
    Cfg("O'Brien");
    EXPECT_EQ(cn->read, QStringList({
                            "SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TopConsArt'",
                            "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA DESDE]'",
                            "SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'O''Brien'",
                        }));
    releaseObjDB();
    TablaConfiguracion.clear();
}

TEST(ConfiguracionTest, CfgReadsEmptyWhenTheTableCannotBeRead)
{
    TestDatabase base;
    TablaConfiguracion = QStringLiteral("NO_HAY_TABLA");
    ScopedPrompts p;
    p.answerError(0, "AbrirRecordset").answerError(0, "Cfg");
    EXPECT_EQ(Cfg("PIVA"), "");
    TablaConfiguracion.clear();
}

TEST(ConfiguracionTest, LoadsTheGlobalsOfTheConfigurationTable)
{
    HostDePrueba h;
    TestDatabase base(kConfiguracionCompleta);
    UsuarioLogeado = QStringLiteral("D'Angelo");
    ensucia();
    CargaConfiguracion(h.folder + "/");
    EXPECT_EQ(TablaConfiguracion, "ta_configuracion");
    EXPECT_TRUE(MostrarStockenConsultas);
    EXPECT_EQ(TituloClientes, "Clientes");
    EXPECT_EQ(TituloProveedores, "Proveedores");
    EXPECT_EQ(RutaDocTareas, h.ruta("VRDOCTareas.vtl"));
    EXPECT_TRUE(ExigeClaveConsultaLikeArticulos);
    EXPECT_FALSE(UsaConsultaLike);  // " SI" is not "SI": that value is not trimmed
    EXPECT_EQ(CantidadDecimales, " 3 ");
    EXPECT_FALSE(UsaMultilesMonedas);
    EXPECT_TRUE(UsaFacturaProforma);
    EXPECT_FALSE(UsaCCosto);
    EXPECT_EQ(UnidadNegocio, "   7");
    EXPECT_EQ(UnidadMedidaM3, "M3");
    EXPECT_EQ(UnidadMedidaBL, "BL");
    EXPECT_EQ(UnidadMedidaKG, "KG");
    EXPECT_EQ(Periodo, 2024);
    EXPECT_TRUE(ValidaCodigoBarra);
    EXPECT_EQ(ColorFondo, 256);
    EXPECT_EQ(ColorLetra, 65280);
    EXPECT_FALSE(ModuloOrdenDeTrabajo);
}

TEST(ConfiguracionTest, MissingKeysTakeTheirDefaultsAndAMissingPeriodStopsNothing)
{
    TestDatabase base("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('VALIDACODIGOBARRA', 'SI'), "
                      "('CLetra', '255');");
    UsuarioLogeado = QStringLiteral("nadie");
    ensucia();
    CargaConfiguracion("/opt/app/");
    EXPECT_FALSE(MostrarStockenConsultas);
    EXPECT_EQ(TituloClientes, "");
    EXPECT_EQ(CantidadDecimales, " ");
    EXPECT_EQ(UnidadNegocio, "   1");
    EXPECT_EQ(Periodo, 0);
    // The keys after the period are read all the same.
    EXPECT_TRUE(ValidaCodigoBarra);
    EXPECT_EQ(ColorFondo, 16776960);
    EXPECT_EQ(ColorLetra, 255);
    EXPECT_TRUE(ModuloOrdenDeTrabajo);
}
