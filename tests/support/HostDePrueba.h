#pragma once

#include "platform/Host.h"

#include <QTemporaryDir>

// Installs a host for as long as it lives: a failing assertion that leaves
// the test early cannot leave the program reading a host that is gone.
class HostEnUso {
public:
    explicit HostEnUso(Host& host) { setHost(&host); }
    ~HostEnUso() { setHost(nullptr); }
    HostEnUso(const HostEnUso&) = delete;
    HostEnUso& operator=(const HostEnUso&) = delete;
};

// A fixed machine whose program folder and user's data folder are fresh
// temporary folders, installed for the lifetime of a test.
struct HostDePrueba : FixedHost {
    QTemporaryDir carpeta;
    QTemporaryDir datosUsuario;
    HostEnUso enUso{*this};

    HostDePrueba()
    {
        folder = carpeta.path();
        dataFolder = datosUsuario.filePath(QStringLiteral("AsignacionPosiciones"));
    }

    QString ruta(const QString& nombre) const { return carpeta.filePath(nombre); }
    QString rutaDatos(const QString& nombre) const { return dataFolder + u'/' + nombre; }
};
