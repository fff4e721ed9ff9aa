#include "tests/support/HostDePrueba.h"

#include "core/Objetos.h"
#include "core/Sistema.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(ParametrosTest, ReadsEachKeyByTheFamilysGrammar)
{
    struct Caso {
        const char* fuente;
        const char* clave;
        const char* defecto;
        const char* esperado;
    };
    const Caso casos[] = {
        {"@Server=SRV1;@DbName=STOCK;@Usuario=u1;", "@Server", "", "SRV1"},
        {"@Server=SRV1;@DbName=STOCK;@Usuario=u1;", "@DbName", "", "STOCK"},
        {"@server=srv1;", "@Server", "", "srv1"},
        {"  @Server = SRV1 ;  @DbName= X;", "@Server", "", "SRV1"},
        {"@Menu=a=b;", "@Menu", "", "ab"},
        {"@Caja= 7 ;", "@Caja", "1", "7"},
        {"@Server=SRV1;", "@Caja", "1", "1"},
        {"@Server=SRV1;", "@Usuario", "", ""},
        // "@Usuario" finds the start of "@UsuarioLogeado" when that comes first.
        {"@UsuarioLogeado=ana;@Usuario=u1;", "@Usuario", "", "Logeadoana"},
        {"@Usuario=u1;@UsuarioLogeado=ana;", "@Usuario", "", "u1"},
        {"@Usuario=u1;@UsuarioLogeado=ana;", "@UsuarioLogeado", "", "ana"},
        // The key is found inside a value as well.
        {"@ParametroAdicional=x@Menu;@Menu=m;", "@Menu", "", ""},
        {"@Server=#ORCL;", "@Server", "", "#ORCL"},
        {"@Server=(sqlite);@DbName=/tmp/a b/x.db;", "@DbName", "", "/tmp/a b/x.db"},
        // An item not closed by ";" runs to the end of the text.
        {"@Server=SRV1;@DbName=STOCK", "@DbName", "", "STOCK"},
        {"", "@Server", "", ""},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(LeeParametro(c.fuente, c.clave, c.defecto), c.esperado) << c.fuente << " / " << c.clave;
}

TEST(ParametrosTest, ExtractsTheServerName)
{
    const std::pair<const char*, const char*> casos[] = {
        {"a/b:c", "b"}, {"b:c", "b"}, {"b", "b"}, {"", ""}, {"tcp/srv/inst", "srv/inst"}, {"(sqlite)", "(sqlite)"},
    };
    for (const auto& [entrada, esperado] : casos)
        EXPECT_EQ(ExtraeServidor(entrada), esperado) << entrada;
}

TEST(ParametrosTest, BuildsTheSourceFromTheStationEntry)
{
    HostDePrueba h;
    KumozenUtilidades& u = ObjUtilidades();

    // No entry: empty server and database, the built-in login.
    EXPECT_EQ(ParametrosArchivoIni(), "@server=; @dbname= ; @usuario= sa; @Password= tomcrez; "
                                      "@ParametroAdicional=; @Caja=1;kumo@");

    QFile ini(h.ruta("CN000pr.INI"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[PC01|JUANBaseDeDatos]\r\nServidor=SRV|2\r\nDbName=STOCK\r\nUsuario=" + u.Encripta("ana").toLatin1()
              + "\r\nUserPassWord=" + u.Encripta("cl|ave").toLatin1() + "\r\n");
    ini.close();
    const QString fuente = ParametrosArchivoIni();
    EXPECT_EQ(fuente, "@server=SRV2; @dbname= STOCK; @usuario= ana; @Password= clave; "
                      "@ParametroAdicional=; @Caja=1;kumo@");
    EXPECT_EQ(LeeParametro(fuente, "@Server"), "SRV2");
    EXPECT_EQ(LeeParametro(fuente, "@Usuario"), "ana");
    EXPECT_EQ(LeeParametro(fuente, "@Caja", "1"), "1");
}
