#pragma once

#include "DialogosConsulta.h"
#include "platform/KeyedCollection.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

// The program's one entry point for "search and pick": builds the lookup
// query from the lookup-definition file or from the table's own columns (or
// takes the caller's SELECT), shows the list or tree lookup modally and hands
// back the value the operator picked.
class Lib_ClsCons3 {
public:
    explicit Lib_ClsCons3(std::unique_ptr<FabricaDialogosConsulta> dialogos = DialogosConsultaQt());

    KeyedCollection CmpsDevueltos;               // a collection a caller may pass to ConsultaSearch
    std::optional<KeyedCollection> Valores{KeyedCollection()};  // after a list lookup: the list's Valores
    std::optional<KeyedCollection> Cantidades;   // after a list lookup: the list's Cantidades
    bool Checks = false;                         // the next list lookup shows check boxes
    QVariant ValorDevuelto;                      // the chosen value; "" after Cancel
    QString gConnString;                         // set at start-up
    QString gRutaMascaraConsultas;               // full path of consultas.vtl, set at start-up
    bool gUsarMascarasConsultas = false;         // read the definition file; start-up sets true
    bool UsaCantidades = false;                  // quantity keys in the list
    QString CampoDevuelto;                       // column wanted back; emptied after each call

    // Sql: a table or view, or a whole query (any text holding "SELECT").
    // CmpsDevueltos: headers whose values of the chosen row go to Valores; emptied on return.
    // Clave: first search box's text. CampoBusqueda: search and order column, in and out.
    // Where: condition of a definition without one. SentenciaOpcional: a query used
    // unchanged instead of the table's columns. TreeView: the tree instead of the list.
    // ValoresDefault: rows whose first column occurs in it start checked.
    void ConsultaSearch(const QString& Sql, KeyedCollection* CmpsDevueltos = nullptr, const QString& Clave = {},
                        QString* CampoBusqueda = nullptr, const QString& Where = {},
                        const QString& SentenciaOpcional = {}, bool TreeView = false,
                        const QString& ValoresDefault = {});

private:
    // The columns of a table in the table's order; none when it cannot be probed.
    QStringList ColumnasDe(const QString& tabla);
    void MuestraArbol(const QString& consulta);
    void MuestraLista(const QString& consulta, const KeyedCollection* cmps, const QString& clave,
                      const QString& campoBusqueda, const QString& valoresDefault);

    std::unique_ptr<FabricaDialogosConsulta> m_dialogos;
};

// The one facade, created on first use and kept for the whole run.
Lib_ClsCons3& ObjConsultas();
