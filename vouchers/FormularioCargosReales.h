#pragma once

#include <QString>

class QDialog;

// The charges-control form a host program supplies to
// ClsCmnCptes::ControlDeCargosReales: the class hands it a client and a
// registration number and shows it modally; it reads nothing back.
class FormularioCargosReales {
public:
    virtual ~FormularioCargosReales() = default;
    virtual void setCliente(const QString& Cliente) = 0;
    virtual void setMatricula(const QString& Matricula) = 0;
    // The window shown through the modal seam.
    virtual QDialog& Formulario() = 0;
};
