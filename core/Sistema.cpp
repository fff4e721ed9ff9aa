#include "Sistema.h"

#include "ArchivoConsultas.h"
#include "CarpetasPrograma.h"
#include "Configuracion.h"
#include "DB_Dll.h"
#include "EnlaceConsultas.h"
#include "Globals.h"
#include "Objetos.h"

#include "platform/ErrorTrap.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QFileInfo>
#include <cstdlib>
#include <optional>

namespace {

const QString kArchivoIni = QStringLiteral("CN000pr.INI");

// The login the settings-file fallback proposes when the station has none stored.
const QString kUsuarioPredeterminado = QStringLiteral("sa");
const QString kClavePredeterminada = QStringLiteral("tomcrez");

// The program ends without a connection only when it could not do its work:
// whoever started it (a menu, a script) learns so from the exit status.
constexpr int kSalidaSinConexion = 1;

void terminaSinConexion()
{
    std::exit(kSalidaSinConexion);
}

std::function<void()>& accionTermina()
{
    static std::function<void()> accion = terminaSinConexion;
    return accion;
}

EnlaceConsultas* g_enlaceConsultas = nullptr;

}  // namespace

void RegistraEnlaceConsultas(EnlaceConsultas* enlace)
{
    g_enlaceConsultas = enlace;
}

EnlaceConsultas* EnlaceConsultasRegistrado()
{
    return g_enlaceConsultas;
}

void TerminaPrograma()
{
    accionTermina()();
}

void EstableceTerminaPrograma(std::function<void()> accion)
{
    accionTermina() = accion ? std::move(accion) : terminaSinConexion;
}

QString ExtraeServidor(const QString& Servidor)
{
    const qsizetype barra = Servidor.indexOf(u'/');
    QString nombre = barra < 0 ? Servidor : Servidor.mid(barra + 1);
    const qsizetype dosPuntos = nombre.indexOf(u':');
    if (dosPuntos >= 0)
        nombre = nombre.left(dosPuntos);
    return nombre;
}

QString LeeParametro(const QString& Fuente, const QString& Clave, const QString& Defecto)
{
    const qsizetype p = Fuente.indexOf(Clave, 0, Qt::CaseInsensitive);
    if (p < 0)
        return Defecto;
    const qsizetype desde = p + Clave.size();
    const qsizetype puntoYComa = Fuente.indexOf(u';', p);
    QString valor = puntoYComa < 0 ? Fuente.mid(desde) : Fuente.mid(desde, puntoYComa - desde);
    valor.remove(u'=');
    return valor.trimmed();
}

QString ParametrosArchivoIni()
{
    KumozenUtilidades& util = ObjUtilidades();
    KumozenArchivoIni& ini = ObjArchivoIni();
    const QString seccion = ObjSistema().NombrePC().toUpper() + u'|' + ObjSistema().NombreUsuarioPC().toUpper()
                            + QStringLiteral("BaseDeDatos");
    QString servidor = ini.LeeIni(kArchivoIni, seccion, QStringLiteral("Servidor"), {});
    QString base = ini.LeeIni(kArchivoIni, seccion, QStringLiteral("DbName"), {});
    QString usuario = util.Desencripta(
        ini.LeeIni(kArchivoIni, seccion, QStringLiteral("Usuario"), util.Encripta(kUsuarioPredeterminado)));
    QString clave = util.Desencripta(
        ini.LeeIni(kArchivoIni, seccion, QStringLiteral("UserPassWord"), util.Encripta(kClavePredeterminada)));
    for (QString* v : {&servidor, &base, &usuario, &clave})
        v->remove(u'|');
    return QStringLiteral("@server=") + servidor + QStringLiteral("; @dbname= ") + base + QStringLiteral("; @usuario= ")
           + usuario + QStringLiteral("; @Password= ") + clave + QStringLiteral("; @ParametroAdicional=; @Caja=1;kumo@");
}

namespace {

// The login a parameter source names, with the run's own values it sets on
// the way (additional parameter, menu, logged user, cash desk).
struct Acceso {
    QString servidor;
    QString base;
    QString usuario;
    QString clave;
};

Acceso LeeAcceso(const QString& fuente)
{
    Acceso a;
    ParametroAdicional = LeeParametro(fuente, QStringLiteral("@ParametroAdicional"));
    Menu = LeeParametro(fuente, QStringLiteral("@Menu"));
    a.servidor = LeeParametro(fuente, QStringLiteral("@Server"));
    a.base = LeeParametro(fuente, QStringLiteral("@DbName"));
    a.usuario = LeeParametro(fuente, QStringLiteral("@Usuario"));
    a.clave = LeeParametro(fuente, QStringLiteral("@Password"));
    UsuarioLogeado = LeeParametro(fuente, QStringLiteral("@UsuarioLogeado"));
    Caja = LeeParametro(fuente, QStringLiteral("@Caja"), QStringLiteral("1"));
    return a;
}

// Opens the program's one connection with the login the parameter source
// names. False when start-up ends here: the trap left, or no connection
// resulted and the program was ended.
bool Conecta(const QString& fuente, QString& CadenaConexion, const ErrorTrap& trampa)
{
    Acceso acceso = LeeAcceso(fuente);
    // A server written "#NAME" is an Oracle one.
    if (!acceso.servidor.trimmed().isEmpty() && acceso.servidor.startsWith(u'#')) {
        acceso.servidor.remove(0, 1);
        if (CadenaConexion.isEmpty())
            CadenaConexion = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + acceso.servidor
                             + QStringLiteral(";User Id=") + acceso.usuario + QStringLiteral(";Password=")
                             + acceso.clave + u';';
    }
    DB_Dll& db = ObjDB();
    db.gUsuario = acceso.usuario;
    db.gDbName = acceso.base;
    db.gUserPassWord = acceso.clave;
    db.gServidor = ExtraeServidor(acceso.servidor);

    if (!trampa.run({[&] { db.OpenServerADODB(acceso.servidor.trimmed().isEmpty(), 3, CadenaConexion); }}))
        return false;
    if (!db.gOpenFlag) {
        TerminaPrograma();
        return false;
    }
    // The connection dialog may have logged another user in.
    UsuarioLogeado = db.gUsuario;
    return trampa.run({[&] {
        db.gCnn().setCommandTimeout(360);
        db.gCnn().setDefaultDatabase(db.gDbName);
    }});
}

// What follows the open connection: the DSN text, the report folder, the
// lookup facade and its definition file, the configuration.
bool CompletaInicio(const ErrorTrap& trampa)
{
    const DB_Dll& db = ObjDB();
    CadenaDSN = QStringLiteral("DSN=") + db.gDbName + QStringLiteral("; UID=") + db.gUsuario + QStringLiteral("; PWD=")
                + db.gUserPassWord;
    ObjReportes().EstableceRuta(RutaAplicacion);
    RutaMascaraConsultas = RutaArchivoPrograma(RutaAplicacion, QStringLiteral("consultas.vtl"));
    if (EnlaceConsultas* enlace = EnlaceConsultasRegistrado())
        enlace->Prepara(db.gConnString, true, RutaMascaraConsultas);
    return trampa.run({
        [&] {
            if (!QFileInfo(RutaMascaraConsultas).isFile())
                CreaArchivoConsultas();
        },
        [&] {
            if (!db.gDbName.isEmpty())
                CargaConfiguracion(RutaAplicacion);
        },
    });
}

}  // namespace

void IniciaSistema(bool LeeArchivoIni, const QString& Parametros, QString& CadenaConexion)
{
    // Only the steps that can fail run under the trap. A cut with a negative
    // length skips its step; any other failure ends start-up, quietly when
    // the connection already reported why.
    std::optional<RuntimeError> falla;
    const ErrorTrap trampa([&](const RuntimeError& e) {
        if (e.number() == errnum::InvalidProcedureCall)
            return ErrorTrap::Resume::Next;
        falla = e;
        return ErrorTrap::Resume::Leave;
    });

    RutaAplicacion = ObjUtilidades().AgregaBarra(host().programFolder());
    ColorFondo = 16777215;
    ColorLetra = 0;
    QString fuente = Parametros.isEmpty() ? host().commandLine() : Parametros;
    if (fuente.trimmed().isEmpty() && LeeArchivoIni)
        fuente = ParametrosArchivoIni();
    ClaveEstacion = ObjSistema().NombrePC().toUpper() + u'|' + ObjSistema().NombreUsuarioPC().toUpper();

    // A number too large for the setting fails.
    const auto leeFlatToolbars = [&] {
        FlatToolbars = lang::toInt32(lang::leadingNumber(
            ObjArchivoIni().LeeIni(kArchivoIni, ClaveEstacion, QStringLiteral("FlatToolbars"), QStringLiteral("1"))));
    };
    // A second call keeps the open connection and the parameters read before.
    const bool completo = trampa.run({leeFlatToolbars})
                          && (ObjDB().gOpenFlag || Conecta(fuente, CadenaConexion, trampa))
                          && CompletaInicio(trampa);
    if (!completo && falla && ObjDB().gCnn().errors().Count() == 0)
        throw *falla;
}

void RegistraEgreso()
{
    // Nothing in this program creates its access-log row; without one the
    // statement would stamp the row of whichever run left ID 0 open.
    if (IdControlAcceso == 0)
        return;
    ErrorTrap([](const RuntimeError& e) {
        prompts().messageBox(e.description(), prompt::OkOnly, {});
        return ErrorTrap::Resume::Leave;
    }).run({[] {
        DB_Dll& db = ObjDB();
        db.EjecutaConsultaSQL(QStringLiteral("UPDATE CONTROL_ACCESO ") + QStringLiteral(" SET EGRESO = ")
                              + db.SQLValue(host().now()) + QStringLiteral(" WHERE EGRESO IS NULL AND ")
                              + QStringLiteral(" ID = ") + QString::number(IdControlAcceso));
    }});
}

void FinalizaSistema()
{
    RegistraEgreso();
    LiberaObjetos();
}
