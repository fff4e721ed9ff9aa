#pragma once

#include <QString>
#include <QStringList>

struct MascaraConsulta;

// The statements of the lookups, built as text: the query the facade builds
// from a definition record or from a table's own columns, and the server
// filter that F5 adds in the dialogs. Nothing here touches the database.
namespace consulta {

// Row limit of a built query from the "TopConsArt" setting: its numeric
// value rounded; 0 (a missing, blank or non-numeric setting) gives 1000.
int LimiteFilas(const QString& topConsArt);

// A caller's whole query rather than a table name: the text holds "SELECT".
bool EsSentencia(const QString& sql);

// A caller's query with every V_MA_ARTICULOS read from VT_MA_ARTICULOS.
QString ConVistaDeArticulos(const QString& sentencia);

struct Armado {
    QString Sql;
    QString CampoBusqueda;
    // The definition lists a single field and no search column was given:
    // the operator must configure the lookup; nothing is shown.
    bool FaltaConfigurar = false;
};

// Query from a definition record: its field list, its condition (or Where),
// the defaults of the supplier, client and article views, ordered by the
// search column (the first listed field unless the caller named one).
Armado DesdeMascara(const MascaraConsulta& mascara, int limite, const QString& campoBusqueda,
                    const QString& where);

// The statement that reveals a table's columns.
QString SondeoColumnas(const QString& tabla);

// Query from a table's columns, given in the table's order: every column but
// the identity and audit ones, in reverse order, ordered by the last
// description-like column (else the first column kept).
Armado DesdeColumnas(const QString& tabla, const QStringList& columnas, int limite,
                     const QString& campoBusqueda);

struct Filtro {
    QString Sql;    // the statement with the new condition
    QString Orden;  // the ordering clause cut off and put back at the end
};

// F5: the statement narrowed to the rows whose column holds a text.
// base is the statement of the latest load; literal is the quoted LIKE
// pattern. The condition goes in front of the ordering clause, joined with
// " and " when the statement already has a where clause.
Filtro FiltroServidor(const QString& sql, const QString& base, const QString& columna, const QString& literal);

// The pattern that F5 matches: the text anywhere in the column.
QString PatronContiene(const QString& texto);

}  // namespace consulta
