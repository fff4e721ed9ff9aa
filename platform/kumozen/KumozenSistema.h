#pragma once

#include <QString>

class QWidget;

// Machine facts and the framework's preparation of a form at its load.
class KumozenSistema {
public:
    QString NombrePC() const;
    QString NombreUsuarioPC() const;
    // Gives a form the framework's common look before it is shown.
    void PreparaFormulario(QWidget* formulario) const;
};
