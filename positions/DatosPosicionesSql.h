#pragma once

#include "PosicionEntradas.h"

// The position dialog's reads on the shared connection: the proposal, the
// candidate rows with their balance, and the article's unit equivalences.
class DatosPosicionesSql : public DatosPosiciones {
public:
    QStringList ProponePosiciones(const QString& idArticulo, const QString& idDeposito) override;
    std::vector<FilaPosicion> LeePosiciones(const QString& idDeposito, const QStringList& propuestas) override;
    double ConvierteCantidadUnidad(const QString& idArticulo, const QString& unidad, double cantidad,
                                   const QString& unidadCantidad) override;
    bool IdArticuloTieneEquivalencias(const QString& idArticulo, const QString& unidad) override;
};

// The candidate rows' statement: every proposed code (the closing empty
// element too) with the position's total balance over all articles and lots.
QString SentenciaPosiciones(const QString& idDeposito, const QStringList& propuestas);
