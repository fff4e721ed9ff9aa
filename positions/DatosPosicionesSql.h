#pragma once

#include "PosicionEntradas.h"

#include <QHash>
#include <utility>

// The position dialog's reads on the shared connection: the proposal, the
// candidate rows with their balance, and the article's unit equivalences.
// One instance serves one load: each unit's equivalence is read once and
// kept, since a depot's positions share a handful of units and every row
// asks for its unit three times.
class DatosPosicionesSql : public DatosPosiciones {
public:
    QStringList ProponePosiciones(const QString& idArticulo, const QString& idDeposito) override;
    std::vector<FilaPosicion> LeePosiciones(const QString& idDeposito, const QStringList& propuestas) override;
    double ConvierteCantidadUnidad(const QString& idArticulo, const QString& unidad, double cantidad,
                                   const QString& unidadCantidad) override;
    bool IdArticuloTieneEquivalencias(const QString& idArticulo, const QString& unidad) override;
    bool TieneEquivalencia(const QString& idArticulo, const QString& unidad, const QString& unidadEquiv) override;

private:
    struct Equivalencia {
        bool hay = false;
        QString operador;
        double coeficiente = 0;
    };
    // The article's equivalence between its own unit and `unidad`.
    const Equivalencia& equivalencia(const QString& idArticulo, const QString& unidad);
    // The article's equivalence between two units.
    const Equivalencia& equivalencia(const QString& idArticulo, const QString& unidad, const QString& unidadEquiv);

    QHash<std::pair<QString, QString>, Equivalencia> m_equivalencias;
    QHash<std::pair<QString, std::pair<QString, QString>>, Equivalencia> m_equivalenciasEntreUnidades;
};

// The candidate rows' statement: every proposed code (the closing empty
// element too) with the position's total balance over all articles and lots.
QString SentenciaPosiciones(const QString& idDeposito, const QStringList& propuestas);
