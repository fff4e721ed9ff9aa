#pragma once

#include <QString>

// What start-up hands the lookup facade once the connection is open. The
// lookup subsystem registers its implementation when the program starts; the
// core never includes the facade itself.
class EnlaceConsultas {
public:
    virtual ~EnlaceConsultas() = default;
    virtual void Prepara(const QString& gConnString, bool gUsarMascarasConsultas,
                         const QString& gRutaMascaraConsultas) = 0;
};

// Not owned; nullptr unregisters. Start-up skips the hand-over while none is registered.
void RegistraEnlaceConsultas(EnlaceConsultas* enlace);
EnlaceConsultas* EnlaceConsultasRegistrado();
