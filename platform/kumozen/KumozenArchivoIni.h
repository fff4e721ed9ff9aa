#pragma once

#include <QString>

// Reader of settings files made of [sections] and key=value lines.
class KumozenArchivoIni {
public:
    // The value of a key, or `defecto` when the file, the section or the key
    // is missing. Sections and keys are matched without regard to case; a bare
    // file name is looked for in the program's folder.
    QString LeeIni(const QString& archivo, const QString& seccion, const QString& clave,
                   const QString& defecto) const;
};
