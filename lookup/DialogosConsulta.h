#pragma once

#include "platform/KeyedCollection.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

// What the lookup facade sees of its two dialogs: their public members and
// the modal show. The facade sets the inputs, shows the dialog, reads the
// outputs and drops it, so every lookup works on a fresh dialog.
class ConsultaDialogo {
public:
    virtual ~ConsultaDialogo() = default;

    QString Sql;                                // in: the query (F5 narrows it)
    QString CampoDevuelto;                      // in: header of the returned column
    const KeyedCollection* CmpsDevueltos = nullptr;  // in: headers of further returned columns; none when null
    bool CheckBoxes = false;                    // in: rows carry check boxes (multiple choice)
    QString gConnString;                        // in: the caller's connection string, not read
    QVariant ValorDevuelto;                     // out: the chosen value, "" after Cancel
    QString FiltroInicial;                      // in: first search box's text at load
    QString CampoBusqueda;                      // in: the facade's search column, not read
    bool OrdenarPorLwv = false;                 // in: the list sorts itself
    std::optional<KeyedCollection> Valores;     // out: values of the checked rows or of the asked columns
    std::optional<KeyedCollection> Cantidades;  // out: empty after every load
    bool UsaCantidades = false;                 // in: quantity keys on the "**Cantidad**" column

    // Loads the dialog and shows it modally; returns once it is hidden.
    virtual void Muestra() = 0;

protected:
    // What a cancelled dialog answers: nothing chosen, no further columns.
    void NadaElegido()
    {
        ValorDevuelto = QString();
        CmpsDevueltos = nullptr;
        Valores.reset();
    }
};

// The list lookup adds the values that start checked.
class ConsultaListaDialogo : public ConsultaDialogo {
public:
    QString ValoresDefault;  // in: rows whose first column occurs in it start checked
};

// Makes the dialogs the facade shows; tests hand the facade fakes.
class FabricaDialogosConsulta {
public:
    virtual ~FabricaDialogosConsulta() = default;
    virtual std::unique_ptr<ConsultaListaDialogo> NuevaLista() = 0;
    virtual std::unique_ptr<ConsultaDialogo> NuevoArbol() = 0;
};

// The real dialogs, Lib_FrmCons3 and Lib_FrmCons3Tree.
std::unique_ptr<FabricaDialogosConsulta> DialogosConsultaQt();
