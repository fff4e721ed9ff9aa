#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The position proposal: the storage positions of a depot that suit one
// article, best first. A position may be reserved for an article, a family
// (at any level), an article type or a rubro; positions reserved for the
// article's own attributes come in a fixed order of precedence, and the
// unreserved positions only when no reserved one was found.
namespace PXQ_RTDravelo {

// What the proposal reads of the database, one call per statement.
class FuenteProposicion {
public:
    enum class Reserva { Articulo, Familia, Tipo, Rubro };

    struct Articulo {
        QString IdArticulo;
        QString IdFamilia;
        QString IdTipo;
        QString IdRubro;
    };

    virtual ~FuenteProposicion() = default;

    // The article's row (null columns read as ""); nothing when the master lacks it.
    virtual std::optional<Articulo> LeeArticulo(const QString& idArticulo) = 0;
    // The position code of every row of a criterion search, in the
    // statement's order: a position with several balance rows comes once per row.
    virtual QStringList PosicionesReservadas(Reserva reserva, const QString& valor, const QString& idDeposito) = 0;
    // The positions without any reservation, in entry order.
    virtual QStringList PosicionesSinReserva(const QString& idDeposito) = 0;
    // Loads the family-code levels; FamiliaPadre reads them.
    virtual void CargaNivelesFamilia() = 0;
    // The parent family's code; "" for a first-level family or a code that
    // matches no level.
    virtual QString FamiliaPadre(const QString& familia) = 0;
};

// Overwrites PosicionesPropuestas with the proposed codes in proposal order
// followed by one empty element; no code twice (case-insensitive) and never
// PosicionExcluida. A failing step goes to the error dialog ("Abrir
// Recordset"): retry, go on, or leave with the list built so far.
void ProponePosiciones(FuenteProposicion& fuente, const QString& IdArticulo, const QString& IdDeposito,
                       QStringList& PosicionesPropuestas, const QString& PosicionExcluida);

// The same on the shared connection.
void ProponePosiciones(const QString& IdArticulo, const QString& IdDeposito, QStringList& PosicionesPropuestas,
                       const QString& PosicionExcluida);

// The statements of the proposal, as sent.
QString SentenciaReservadas(FuenteProposicion::Reserva reserva, const QString& valor, const QString& idDeposito);
QString SentenciaSinReserva(const QString& idDeposito);

// The proposal's reads on the shared connection (DB_Dll) and the family
// levels of the configuration.
class FuenteProposicionSql : public FuenteProposicion {
public:
    std::optional<Articulo> LeeArticulo(const QString& idArticulo) override;
    QStringList PosicionesReservadas(Reserva reserva, const QString& valor, const QString& idDeposito) override;
    QStringList PosicionesSinReserva(const QString& idDeposito) override;
    void CargaNivelesFamilia() override;
    QString FamiliaPadre(const QString& familia) override;
};

}  // namespace PXQ_RTDravelo
