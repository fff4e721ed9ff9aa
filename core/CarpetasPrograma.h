#pragma once

#include <QString>

// Where the program keeps the files it writes beside itself (the lookup
// definitions, the tasks document).

// The path of the program's file `nombre`, for the program's folder
// `carpetaPrograma` (RutaAplicacion): in that folder when the file is there
// (a file shipped with the program is read where it was installed) or when
// the program can write there; otherwise in the user's own data folder
// (host().userDataFolder()), as for a program installed where its user
// cannot write. Nothing is created: whoever writes the file creates its
// folder (CreaCarpetaDe).
QString RutaArchivoPrograma(const QString& carpetaPrograma, const QString& nombre);

// Creates the folder the file at `ruta` goes into, with the folders above it,
// when missing; false when it cannot be created.
bool CreaCarpetaDe(const QString& ruta);
