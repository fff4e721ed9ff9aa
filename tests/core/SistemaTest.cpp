#include "tests/support/HostDePrueba.h"

#include "core/DB_Dll.h"
#include "core/EnlaceConsultas.h"
#include "core/Globals.h"
#include "core/Objetos.h"
#include "core/Sistema.h"
#include "core/frmAcceso.h"

#include "../support/RecordingConnection.h"
#include "../support/QtPrinting.h"
#include "../support/ScriptedPrompts.h"
#include "../support/TestDatabase.h"

#include "db/EmbeddedDatabase.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <optional>

namespace {

struct EnlaceGrabador : EnlaceConsultas {
    QStringList recibido;
    void Prepara(const QString& gConnString, bool gUsarMascarasConsultas, const QString& gRutaMascaraConsultas) override
    {
        recibido << gConnString << (gUsarMascarasConsultas ? "true" : "false") << gRutaMascaraConsultas;
    }
};

// A fresh start: globals back to nothing, the end of the program recorded
// instead of done, the lookup facade's stand-in registered.
struct Arranque {
    HostDePrueba h;
    int terminado = 0;
    EnlaceGrabador enlace;

    Arranque()
    {
        EstableceTerminaPrograma([this] { ++terminado; });
        RegistraEnlaceConsultas(&enlace);
        for (QString* g : {&UsuarioLogeado, &Menu, &ParametroAdicional, &CadenaDSN, &RutaMascaraConsultas,
                           &ClaveEstacion, &UnidadNegocio})
            g->clear();
        Caja = QStringLiteral("x");
        IdControlAcceso = 0;
        Periodo = 0;
        FlatToolbars = -1;
        ColorFondo = ColorLetra = 12345;
    }
    ~Arranque()
    {
        EstableceTerminaPrograma({});
        RegistraEnlaceConsultas(nullptr);
        IdControlAcceso = 0;
        releaseObjDB();
    }
    Arranque(const Arranque&) = delete;
    Arranque& operator=(const Arranque&) = delete;

    void escribe(const QString& nombre, const QByteArray& contenido)
    {
        QFile f(h.ruta(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
    }
    QByteArray lee(const QString& nombre) const
    {
        QFile f(h.ruta(nombre));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

bool hayVentanaAbierta()
{
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return true;
    return false;
}

const char* kBase = R"(
INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '3');
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2024'), ('CFondo', '255');
INSERT INTO CONTROL_ACCESO (ID, Usuario, PC, INGRESO, EGRESO) VALUES
  (0, 'otro', 'PC09', '2024-12-01 08:00:00', NULL),
  (5, 'ana', 'PC01', '2024-12-10 08:00:00', NULL);
)";

}  // namespace

TEST(SistemaTest, ReadsTheConnectionFromTheParameters)
{
    struct Caso {
        const char* parametros;
        const char* cadenaDada;
        const char* abierta;      // the connection string opened
        const char* cadenaSalida; // CadenaConexion afterwards
        const char* servidor;     // gServidor
        const char* usuario;      // gUsuario, and UsuarioLogeado once connected
        const char* caja;
        const char* menu;
        const char* adicional;
    };
    const Caso casos[] = {
        {"@Server=tcp/SRV1:1433;@DbName=STOCK;@Usuario=u1;@Password=p1;@UsuarioLogeado=ana;@Caja= 7 ;@Menu=a=b;"
         "@ParametroAdicional=x;",
         "", "PROVIDER=SQLOLEDB;Server=SRV1;Database =STOCK;UId=u1;Pwd=p1;", "", "SRV1", "u1", "7", "ab", "x"},
        {"@Server=#ORCL;@Usuario=u1;@Password=p1;", "",
         "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u1;Password=p1;",
         "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u1;Password=p1;", "ORCL", "u1", "1", "", ""},
        {"@Server=#ORCL;@Usuario=u1;@Password=p1;", "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=w;Password=z;",
         "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=w;Password=z;",
         "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=w;Password=z;", "ORCL", "u1", "1", "", ""},
        // "@Usuario" hits the first item when "@UsuarioLogeado" comes first.
        {"@Server=SRV1;@UsuarioLogeado=ana;@Usuario=u1;", "",
         "PROVIDER=SQLOLEDB;Server=SRV1;Database =;UId=Logeadoana;Pwd=;", "", "SRV1", "Logeadoana", "1", "", ""},
        {"@Server=(sqlite);@DbName=/datos/stock.db;@Usuario=ana;", "",
         "PROVIDER=SQLOLEDB;Server=(sqlite);Database =/datos/stock.db;UId=ana;Pwd=;", "", "(sqlite)", "ana", "1", "",
         ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.parametros);
        Arranque a;
        RecordingConnection* cn = RecordingConnection::installInObjDB();
        QString cadena = QString::fromLatin1(c.cadenaDada);
        IniciaSistema(false, QString::fromLatin1(c.parametros), cadena);
        EXPECT_EQ(a.terminado, 0);
        EXPECT_EQ(cn->opened, QStringList(c.abierta));
        EXPECT_EQ(cadena, c.cadenaSalida);
        const DB_Dll& db = ObjDB();
        EXPECT_EQ(db.gServidor, c.servidor);
        EXPECT_EQ(db.gUsuario, c.usuario);
        EXPECT_EQ(UsuarioLogeado, c.usuario);
        EXPECT_EQ(Caja, c.caja);
        EXPECT_EQ(Menu, c.menu);
        EXPECT_EQ(ParametroAdicional, c.adicional);
        EXPECT_EQ(CadenaDSN, "DSN=" + db.gDbName + "; UID=" + db.gUsuario + "; PWD=" + db.gUserPassWord);
        EXPECT_EQ(cn->CommandTimeout(), 360);
    }
}

TEST(SistemaTest, NoServerAsksForTheConnectionAndCancelEndsTheProgram)
{
    Arranque a;
    a.h.parameters.clear();
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    ScopedPrompts p;
    p.onModal("frmAcceso", [](QDialog& d) {
        auto& f = static_cast<frmAcceso&>(d);
        EXPECT_EQ(f.TxtServidor->text(), "");
        EXPECT_EQ(f.TxtUserId->text(), "");
        f.bcCancelar_Click();
        return int(QDialog::Rejected);
    });
    QString cadena;
    IniciaSistema(false, QString(), cadena);
    EXPECT_EQ(a.terminado, 1);
    EXPECT_TRUE(cn->opened.isEmpty());
    // Nothing after the end ran.
    EXPECT_EQ(CadenaDSN, "");
    EXPECT_TRUE(RutaMascaraConsultas.isEmpty());
    EXPECT_TRUE(a.enlace.recibido.isEmpty());
    EXPECT_FALSE(QFile::exists(a.h.ruta("consultas.vtl")));
}

TEST(SistemaTest, TheDialogsLoginIsTheLoggedUser)
{
    Arranque a;
    TestDatabase base;
    releaseObjDB();
    a.h.parameters = QStringLiteral("@UsuarioLogeado=pedro;");
    ScopedPrompts p;
    p.onModal("frmAcceso", [&](QDialog& d) {
        auto& f = static_cast<frmAcceso&>(d);
        f.TxtServidor->setText("(sqlite)");
        f.TxtDbName->setText(base.path());
        f.TxtUserId->setText("ana");
        f.bcAceptar_Click();
        return int(QDialog::Accepted);
    });
    QString cadena;
    IniciaSistema(false, QString(), cadena);
    EXPECT_EQ(a.terminado, 0);
    EXPECT_TRUE(ObjDB().gOpenFlag);
    EXPECT_EQ(ObjDB().gCnn().State(), db::state::Open);
    EXPECT_EQ(UsuarioLogeado, "ana");
}

TEST(SistemaTest, AFailedOpenEndsTheProgram)
{
    Arranque a;
    ScopedPrompts p;
    p.answerMessage(prompt::No, "Desea Intentarlo Nuevamente");
    QString cadena;
    IniciaSistema(false, "@Server=(sqlite);@DbName=" + a.h.ruta("no/hay/base.db") + ";", cadena);
    EXPECT_EQ(a.terminado, 1);
    EXPECT_EQ(CadenaDSN, "");
}

// The embedded route and ODBC (here the SQLite driver) refuse a wrong file
// alike: one message naming it, nothing written, and the program ends.
TEST(SistemaTest, AWrongFileIsNamedOnceLeftAsItWasAndEndsTheProgramOnEveryRoute)
{
    struct Case {
        const char* what;
        std::optional<QByteArray> contenido;  // none: no file
        const char* dice;
    } cases[] = {
        {"an empty file", QByteArray(), "el archivo no es una base de datos de este sistema"},
        {"a text file", QByteArray("IdArticulo;Cantidad\n"), "el archivo no es una base de datos de este sistema"},
        {"no file", std::nullopt, "el archivo no existe"},
    };
    for (const Case& c : cases) {
        QStringList textos;
        for (const bool odbc : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (odbc ? " through ODBC" : " embedded"));
            Arranque a;
            const QString ruta = a.h.ruta("stock.db");
            if (c.contenido)
                a.escribe("stock.db", *c.contenido);
            ScopedPrompts p;
            p.answerMessage(prompt::No, ruta + "\": " + c.dice);
            QString cadena = odbc ? "DRIVER={SQLite3};Database=" + ruta + ";" : QString();
            IniciaSistema(false, "@Server=(sqlite);@DbName=" + ruta + ";", cadena);
            ASSERT_EQ(p.shown().size(), 1u);
            textos << QString(p.shown()[0].text).replace(ruta, "ARCHIVO");
            EXPECT_EQ(a.terminado, 1);
            EXPECT_EQ(QFile::exists(ruta), c.contenido.has_value());
            EXPECT_EQ(a.lee("stock.db"), c.contenido.value_or(QByteArray()));
            EXPECT_FALSE(QFile::exists(ruta + "-wal"));
        }
        EXPECT_EQ(textos.value(0), textos.value(1)) << c.what;
    }
}

// Through ODBC a database without the program's tables is refused before
// anything is written: one message that names what it lacks, and the end.
TEST(SistemaTest, ADatabaseWithoutTheProgramsTablesIsRefusedThroughOdbc)
{
    Arranque a;
    const QString ruta = a.h.ruta("otra.db");
    EmbeddedDatabase::create(ruta, false);
    EmbeddedDatabase::execute(ruta, "DROP TABLE AUX_ERR;");
    const QByteArray antes = a.lee("otra.db");
    ScopedPrompts p;
    p.answerMessage(prompt::No, ruta + "\": no es una base de datos de este sistema (le faltan AUX_ERR)");
    QString cadena = "DRIVER={SQLite3};Database=" + ruta + ";";
    IniciaSistema(false, "@Server=odbc;@DbName=" + ruta + ";", cadena);
    EXPECT_EQ(p.shown().size(), 1u);
    EXPECT_EQ(a.terminado, 1);
    EXPECT_EQ(a.lee("otra.db"), antes);
}

TEST(SistemaTest, WithoutAConnectionTheProgramEndsWithAFailureStatus)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(TerminaPrograma(), ::testing::ExitedWithCode(1), "");
}

namespace {
// An open that fails without the database saying why (no provider at all).
struct ConexionSinProveedor : db::Connection {
    void Open(const QString&, const QString&, const QString&, int) override
    {
        throw RuntimeError(3706, QStringLiteral("No se encuentra el proveedor."));
    }
};
}  // namespace

TEST(SistemaTest, AnOpenThatOnlyShowedItsMessageEndsTheProgramToo)
{
    Arranque a;
    releaseObjDB();
    ObjDB().setConnection(std::make_unique<ConexionSinProveedor>());
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, "proveedor");
    QString cadena;
    IniciaSistema(false, "@Server=SRV1;@DbName=STOCK;", cadena);
    EXPECT_EQ(a.terminado, 1);
    EXPECT_EQ(CadenaDSN, "");
}

TEST(SistemaTest, StartsAndShutsDownOnTheEmbeddedDatabase)
{
    Arranque a;
    TestDatabase base(kBase);
    releaseObjDB();
    a.escribe("CN000pr.INI", "[PC01|JUAN]\r\nFlatToolbars=0\r\n");
    ScopedPrompts p;

    QString cadena;
    IniciaSistema(false, base.parameters(), cadena);
    EXPECT_EQ(a.terminado, 0);
    DB_Dll& db = ObjDB();
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(db.gCnn().State(), db::state::Open);
    EXPECT_EQ(db.gCnn().CommandTimeout(), 360);
    EXPECT_EQ(ClaveEstacion, "PC01|JUAN");
    EXPECT_EQ(FlatToolbars, 0);
    EXPECT_EQ(UsuarioLogeado, "ana");
    EXPECT_EQ(Caja, "1");
    EXPECT_EQ(CadenaDSN, "DSN=" + base.path() + "; UID=ana; PWD=");
    EXPECT_EQ(RutaAplicacion, a.h.folder + "/");
    EXPECT_EQ(ObjReportes().Ruta(), RutaAplicacion);
    EXPECT_EQ(RutaMascaraConsultas, RutaAplicacion + "consultas.vtl");
    EXPECT_EQ(a.enlace.recibido, QStringList({db.gConnString, "true", RutaMascaraConsultas}));
    EXPECT_EQ(a.lee("consultas.vtl").size(), 9616);
    EXPECT_EQ(UnidadNegocio, "   3");
    EXPECT_EQ(Periodo, 2024);
    EXPECT_EQ(ColorFondo, 255);
    EXPECT_EQ(ColorLetra, 0);

    IdControlAcceso = 5;
    FinalizaSistema();
    EXPECT_TRUE(p.shown().empty());
    EXPECT_FALSE(hayVentanaAbierta());
    // The data-access object went with the shutdown.
    EXPECT_FALSE(ObjDB().gOpenFlag);

    ObjDB().OpenServerADODB(false, 3, base.connectionString());
    db::Recordset rs;
    ObjDB().AbrirRecordset("SELECT ID, EGRESO FROM CONTROL_ACCESO ORDER BY ID", rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_TRUE(lang::isNull(rs.value("EGRESO"))) << "another run's row";
    rs.MoveNext();
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.value("EGRESO").toDateTime(), a.h.clock);
}

TEST(SistemaTest, StartsFromTheStationEntryWhenGivenNoParameters)
{
    Arranque a;
    TestDatabase base;
    releaseObjDB();
    a.h.parameters = QStringLiteral("   ");
    a.escribe("CN000pr.INI", "[PC01|JUANBaseDeDatos]\r\nServidor=(sqlite)\r\nDbName=" + base.path().toUtf8()
                                 + "\r\nUsuario=" + ObjUtilidades().Encripta("ana").toLatin1() + "\r\n");
    QString cadena;
    IniciaSistema(true, QString(), cadena);
    EXPECT_EQ(a.terminado, 0);
    EXPECT_EQ(ObjDB().gCnn().State(), db::state::Open);
    EXPECT_EQ(ObjDB().gUserPassWord, "tomcrez");
    EXPECT_EQ(UsuarioLogeado, "ana");
    EXPECT_EQ(Caja, "1");
}

TEST(SistemaTest, AnExistingLookupFileIsNeverRewritten)
{
    Arranque a;
    TestDatabase base;
    releaseObjDB();
    a.escribe("consultas.vtl", "propio");
    QString cadena;
    IniciaSistema(false, base.parameters(), cadena);
    EXPECT_EQ(a.lee("consultas.vtl"), "propio");
}

// Installed where its user cannot write: what start-up writes goes to the
// user's data folder, what was shipped beside the program is read there.
TEST(SistemaTest, AProgramFolderThatCannotBeWrittenSendsTheWrittenFilesToTheUsersDataFolder)
{
    for (const bool enviado : {false, true}) {
        Arranque a;
        TestDatabase base;
        releaseObjDB();
        if (enviado)
            a.escribe("consultas.vtl", "enviado");
        a.h.readOnlyFolders << a.h.folder;
        ScopedPrompts p;  // no box may show
        QString cadena;
        IniciaSistema(false, base.parameters(), cadena);
        EXPECT_EQ(a.terminado, 0) << enviado;
        if (enviado) {
            EXPECT_EQ(RutaMascaraConsultas, a.h.ruta("consultas.vtl"));
            EXPECT_EQ(a.lee("consultas.vtl"), "enviado");
            EXPECT_FALSE(QFile::exists(a.h.rutaDatos("consultas.vtl")));
        } else {
            EXPECT_EQ(RutaMascaraConsultas, a.h.rutaDatos("consultas.vtl"));
            EXPECT_EQ(QFile(RutaMascaraConsultas).size(), 9616);
            EXPECT_FALSE(QFile::exists(a.h.ruta("consultas.vtl")));
        }
        EXPECT_EQ(a.enlace.recibido.value(2), RutaMascaraConsultas) << enviado;
        EXPECT_EQ(RutaDocTareas, a.h.rutaDatos("VRDOCTareas.vtl")) << enviado;
        EXPECT_EQ(RutaAplicacion, a.h.folder + "/") << enviado << ": the program's folder is still its own";
        EXPECT_TRUE(p.shown().empty()) << enviado;
    }
}

TEST(SistemaTest, ASecondCallKeepsTheConnectionAndTheParameters)
{
    Arranque a;
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    QString cadena;
    IniciaSistema(false, "@Server=SRV1;@DbName=STOCK;@Usuario=u1;@Caja=4;", cadena);
    ColorFondo = 1;
    a.h.user = QStringLiteral("maria");
    IniciaSistema(false, "@Server=OTRO;@DbName=OTRA;@Usuario=u2;@Caja=9;", cadena);
    EXPECT_EQ(cn->opened.size(), 1);
    EXPECT_EQ(ObjDB().gServidor, "SRV1");
    EXPECT_EQ(Caja, "4");
    EXPECT_EQ(UsuarioLogeado, "u1");
    EXPECT_EQ(ClaveEstacion, "PC01|MARIA");
    EXPECT_EQ(ColorFondo, 16776960) << "start value, then the configuration's default";
    EXPECT_EQ(CadenaDSN, "DSN=STOCK; UID=u1; PWD=");
}

TEST(SistemaTest, AFailureOfItsOwnPassesToTheCaller)
{
    Arranque a;
    RecordingConnection::installInObjDB();
    // Neither the program's folder nor the user's data folder can be made.
    a.escribe("archivo", "");
    a.h.folder = a.h.ruta("archivo/programa");
    a.h.dataFolder = a.h.ruta("archivo/datos");
    QString cadena;
    EXPECT_THROW(IniciaSistema(false, "@Server=SRV1;@DbName=STOCK;", cadena), RuntimeError);
    EXPECT_EQ(a.terminado, 0);
}

TEST(SistemaTest, TheExitIsRecordedOnlyInThisRunsRow)
{
    HostDePrueba h;
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    IdControlAcceso = 0;
    RegistraEgreso();
    EXPECT_TRUE(cn->executed.isEmpty());
    IdControlAcceso = 12;
    RegistraEgreso();
    EXPECT_EQ(cn->executed, QStringList("UPDATE CONTROL_ACCESO  SET EGRESO = " + ObjDB().SQLValue(h.clock)
                                        + " WHERE EGRESO IS NULL AND  ID = 12"));
    EXPECT_FALSE(cn->executed[0].contains("10/12/24"));
    IdControlAcceso = 0;
    releaseObjDB();
}
