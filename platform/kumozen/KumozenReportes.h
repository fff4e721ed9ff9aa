#pragma once

#include <QString>

// The framework's report printer.
class KumozenReportes {
public:
    // The application folder, where the printer looks for report definitions.
    void EstableceRuta(const QString& ruta) { m_ruta = ruta; }
    QString Ruta() const { return m_ruta; }

private:
    QString m_ruta;
};
