#pragma once

#include "PosicionEntradas.h"

#include <QHash>
#include <utility>

// The position dialog's reads on the shared connection: the proposal, the
// candidate rows with their balance, and the article's unit equivalences.
// One instance serves one load: each unit's equivalence is read once and
// kept, since a depot's positions share a handful of units.
class DatosPosicionesSql : public DatosPosiciones {
public:
    QStringList ProponePosiciones(const QString& idArticulo, const QString& idDeposito) override;
    std::vector<FilaPosicion> LeePosiciones(const QString& idDeposito, const QStringList& propuestas) override;
    bool Equivalencia(const QString& idArticulo, const QString& unidad, const QString& unidadEquiv, QString& operador,
                      double& coeficiente) override;
    bool IdArticuloTieneEquivalencias(const QString& idArticulo, const QString& unidad) override;

private:
    struct Hallada {
        bool hay = false;
        QString operador;
        double coeficiente = 0;
    };
    // The article's equivalence between its own unit and `unidad`.
    const Hallada& equivalencia(const QString& idArticulo, const QString& unidad);
    // The article's equivalence between two units.
    const Hallada& equivalencia(const QString& idArticulo, const QString& unidad, const QString& unidadEquiv);

    QHash<std::pair<QString, QString>, Hallada> m_equivalencias;
    QHash<std::pair<QString, std::pair<QString, QString>>, Hallada> m_equivalenciasEntreUnidades;
};

// The candidate rows' statement: every proposed code (the closing empty
// element too) with the position's total balance over all articles and lots.
QString SentenciaPosiciones(const QString& idDeposito, const QStringList& propuestas);
