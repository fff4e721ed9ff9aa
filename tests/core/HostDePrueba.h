#pragma once

#include "platform/Host.h"

#include <QTemporaryDir>

// A fixed machine whose program folder is a fresh temporary folder, installed
// for the lifetime of a test.
struct HostDePrueba : FixedHost {
    QTemporaryDir carpeta;

    HostDePrueba()
    {
        folder = carpeta.path();
        setHost(this);
    }
    ~HostDePrueba() override { setHost(nullptr); }
    HostDePrueba(const HostDePrueba&) = delete;
    HostDePrueba& operator=(const HostDePrueba&) = delete;

    QString ruta(const QString& nombre) const { return carpeta.filePath(nombre); }
};
