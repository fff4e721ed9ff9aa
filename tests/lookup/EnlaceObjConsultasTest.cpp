#include "lookup/EnlaceObjConsultas.h"

#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "core/DB_Dll.h"
#include "core/EnlaceConsultas.h"
#include "core/Sistema.h"
#include "platform/Host.h"
#include "tests/support/HostDePrueba.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(EnlaceObjConsultasTest, StartUpHandsTheFacadeItsConnectionAndDefinitionFile)
{
    TestDatabase db({}, true);
    QTemporaryDir carpeta;
    FixedHost maquina;
    maquina.folder = carpeta.path();
    {
        HostEnUso enUso(maquina);
        RegistraObjConsultas();
        QString cadena;
        IniciaSistema(false, db.parameters(), cadena);
        RegistraEnlaceConsultas(nullptr);
    }

    const QString ruta = QDir(carpeta.path()).filePath("consultas.vtl");
    Lib_ClsCons3& facade = ObjConsultas();
    EXPECT_EQ(facade.gConnString, ObjDB().gConnString);
    EXPECT_TRUE(facade.gUsarMascarasConsultas);
    EXPECT_EQ(QFileInfo(facade.gRutaMascaraConsultas), QFileInfo(ruta));
    EXPECT_TRUE(QFileInfo(ruta).isFile());

    // The next article lookup reads its definition from that file.
    ScopedPrompts p;
    p.onModal("Lib_FrmCons3", [&](QDialog& d) {
        auto& lista = static_cast<Lib_FrmCons3&>(d);
        EXPECT_EQ(lista.Sql,
                  "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION");
        EXPECT_EQ(lista.gConnString, ObjDB().gConnString);
        lista.CmdCancelar_Click();
        return lista.result();
    });
    facade.CampoDevuelto = "IdArticulo";
    facade.ConsultaSearch("V_MA_ARTICULOS", &facade.CmpsDevueltos);
    EXPECT_EQ(facade.ValorDevuelto.toString(), "");
}
