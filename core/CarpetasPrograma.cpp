#include "CarpetasPrograma.h"

#include "platform/Host.h"

#include <QDir>
#include <QFileInfo>

QString RutaArchivoPrograma(const QString& carpetaPrograma, const QString& nombre)
{
    const QString junto = QDir(carpetaPrograma).filePath(nombre);
    if (QFileInfo::exists(junto) || host().canCreateFilesIn(carpetaPrograma))
        return junto;
    return QDir(host().userDataFolder()).filePath(nombre);
}

bool CreaCarpetaDe(const QString& ruta)
{
    return QDir().mkpath(QFileInfo(ruta).absolutePath());
}
