#pragma once

// A position dialog's data without a database: the proposal's list, the rows
// of the proposed positions and the article's unit equivalences.
#include "positions/PosicionEntradas.h"

#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QMap>

class DatosFijos : public DatosPosiciones {
public:
    QStringList propuesta{QString()};
    std::vector<FilaPosicion> filas;
    // Units of the article's equivalences and how many article units one of them holds.
    QMap<QString, double> equivalencias;
    // Reading the candidate rows fails, as a lost connection would.
    bool falla = false;

    // A white position: unit "UN" (convertible), enabled, capacity and balance as given.
    void posicion(const QString& id, double capacidad, double saldo = 0, const QString& unidad = QStringLiteral("UN"),
                  QVariant habilitado = true)
    {
        propuesta.insert(propuesta.size() - 1, id);
        filas.push_back({id, QStringLiteral("Posicion ") + id, QStringLiteral("1"), unidad, habilitado, capacidad, saldo});
    }

    QStringList ProponePosiciones(const QString&, const QString&) override { return propuesta; }
    std::vector<FilaPosicion> LeePosiciones(const QString&, const QStringList&) override
    {
        if (falla)
            throw RuntimeError(errnum::ProviderFailure, QStringLiteral("conexion perdida"));
        return filas;
    }
    // One of the given units is as many article units as the map says.
    bool Equivalencia(const QString&, const QString&, const QString& unidadEquiv, QString& operador,
                      double& coeficiente) override
    {
        if (!equivalencias.contains(unidadEquiv))
            return false;
        operador = QStringLiteral("*");
        coeficiente = equivalencias.value(unidadEquiv);
        return true;
    }
    bool IdArticuloTieneEquivalencias(const QString&, const QString& unidad) override
    {
        return equivalencias.contains(unidad);
    }
};

// The dialog's logic over an in-memory grid of two rows, as the form starts.
struct Dialogo {
    DatosFijos datos;
    GrillaMemoria grilla{2, PosicionEntradas::Columnas};
    PosicionEntradas d{datos, grilla};

    Dialogo()
    {
        datos.equivalencias.insert(QStringLiteral("UN"), 1);
        d.eIdArticulo = QStringLiteral("ART1");
        d.eUnidadArticulo = QStringLiteral("UN");
    }
    QString celda(int fila, int col) const { return grilla.TextMatrix(fila, col); }
    QString cantidad(int fila) const { return celda(fila, PosicionEntradas::ColCantidad); }
    int fila(const QString& posicion) const
    {
        long f = -1;
        d.ExisteEnGrid(posicion, 0, f);
        return static_cast<int>(f);
    }
};
