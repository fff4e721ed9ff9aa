#pragma once

#include <QString>
#include <functional>

// The program's life cycle in the core: start-up up to the open connection
// and its completion, and shutdown.

// Reads the parameter string (Parametros, or the command line when it is
// empty; with LeeArchivoIni and no parameters at all, the station's entry in
// CN000pr.INI), opens the one connection through ObjDB(), and prepares the
// lookup facade, the lookup-definition file and the configuration globals.
// When no connection results the program ends (TerminaPrograma).
// CadenaConexion: the connection string to open; an Oracle server ("#NAME")
// fills it when it comes in empty.
//
// The embedded database: "@Server=(sqlite);@DbName=FILE;@Usuario=ana;
// @Password=;" on a file made by EmbeddedDatabase::create (db/), which
// checks no password. The lookup-definition file consultas.vtl is read from
// the program's folder (host().programFolder()), and written there when it is
// missing; a program installed where its user cannot write keeps it in the
// user's data folder instead (RutaArchivoPrograma). A
// file that cannot be opened is told in a message box offering to try again,
// then the program ends; a failure after the connection opened is raised
// as a RuntimeError.
void IniciaSistema(bool LeeArchivoIni, const QString& Parametros, QString& CadenaConexion);

// The server name proper: the text after the first "/", cut at its first ":".
QString ExtraeServidor(const QString& Servidor);

// One value of a parameter string of items "@Key=value;". The key is found
// anywhere in the text, without regard to case, and its value runs to the
// next ";", with every "=" and the surrounding blanks removed. Other programs
// of the family build these strings, so the reading stays as loose as that:
// "@Usuario" also finds the start of "@UsuarioLogeado" when that comes first.
// An absent key gives Defecto; an item not closed by ";" runs to the end.
QString LeeParametro(const QString& Fuente, const QString& Clave, const QString& Defecto = {});

// The parameter string built from the station's connection entry in
// CN000pr.INI, for a start without parameters.
QString ParametrosArchivoIni();

// Records the exit in this run's access-log row and releases the shared
// objects, the data-access object among them.
void FinalizaSistema();
// Sets EGRESO of this run's CONTROL_ACCESO row while it has none.
void RegistraEgreso();

// Ends the program at once (start-up without a connection). The default exits
// the process with a non-zero status; tests install a hook that records the call. Nothing after the
// call runs in IniciaSistema, whatever the hook does.
void TerminaPrograma();
void EstableceTerminaPrograma(std::function<void()> accion);
