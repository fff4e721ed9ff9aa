#include "PXQ_RTDravelo.h"

#include "ClaveSinCaso.h"

#include "platform/ErrorTrap.h"

#include <QSet>

namespace PXQ_RTDravelo {

namespace {

// The list under construction: codes in order, always closed by one empty
// element, with a case-insensitive index so that a depot of thousands of
// positions is not searched element by element for every row.
class ListaPropuesta {
public:
    explicit ListaPropuesta(QStringList& lista, const QString& excluida) : m_lista(lista), m_excluida(excluida)
    {
        m_lista = QStringList{QString()};
        m_presentes.insert({QString()});
    }

    // Appends each acceptable code; true when at least one was appended.
    bool agrega(const QStringList& filas)
    {
        bool alguna = false;
        // Room for every code the rows bring, so that the index of a depot
        // of thousands of positions is not rebuilt as it grows.
        qsizetype codigos = 0;
        const QString* anterior = nullptr;
        for (const QString& p : filas) {
            if (!anterior || p != *anterior)
                ++codigos;
            anterior = &p;
        }
        m_presentes.reserve(m_presentes.size() + codigos);
        m_lista.reserve(m_lista.size() + codigos);
        anterior = nullptr;
        for (const QString& p : filas) {
            // A position comes once per balance row, its rows one after
            // another: a repeat of the row before would change nothing.
            if (anterior && p == *anterior)
                continue;
            anterior = &p;
            if (p.compare(m_excluida, Qt::CaseInsensitive) == 0)
                continue;
            const ClaveSinCaso clave{p};
            if (m_presentes.contains(clave))
                continue;
            m_presentes.insert(clave);
            m_lista.insert(m_lista.size() - 1, p);
            alguna = true;
        }
        return alguna;
    }

private:
    QStringList& m_lista;
    QString m_excluida;
    QSet<ClaveSinCaso> m_presentes;
};

}  // namespace

void ProponePosiciones(FuenteProposicion& fuente, const QString& IdArticulo, const QString& IdDeposito,
                       QStringList& PosicionesPropuestas, const QString& PosicionExcluida)
{
    using Reserva = FuenteProposicion::Reserva;
    ListaPropuesta lista(PosicionesPropuestas, PosicionExcluida);
    const ErrorTrap trap = ErrorTrap::showing(QStringLiteral("Abrir Recordset"));
    // One trapped step at a time: a retry repeats only the failing search
    // (whose codes already listed are then skipped), "go on" moves to the next.
    const auto paso = [&trap](const ErrorTrap::Step& s) { return trap.run({s}); };

    std::optional<FuenteProposicion::Articulo> articulo;
    if (!paso([&] { articulo = fuente.LeeArticulo(IdArticulo.trimmed()); }) || !articulo)
        return;

    bool encontrada = false;
    const auto busca = [&](Reserva reserva, const QString& valor) {
        return paso([&] {
            if (lista.agrega(fuente.PosicionesReservadas(reserva, valor, IdDeposito)))
                encontrada = true;
        });
    };

    QString familia = articulo->IdFamilia.trimmed();
    if (!busca(Reserva::Articulo, articulo->IdArticulo) || !busca(Reserva::Familia, familia))
        return;
    if (!paso([&] {
            fuente.CargaNivelesFamilia();
            familia = fuente.FamiliaPadre(familia);
        }))
        return;
    while (!familia.isEmpty()) {
        if (!busca(Reserva::Familia, familia))
            return;
        const QString hija = familia;
        if (!paso([&] { familia = fuente.FamiliaPadre(hija); }))
            return;
        if (familia == hija)
            break;
    }
    if (!busca(Reserva::Tipo, articulo->IdTipo.trimmed()) || !busca(Reserva::Rubro, articulo->IdRubro.trimmed()))
        return;
    if (!encontrada)
        paso([&] { lista.agrega(fuente.PosicionesSinReserva(IdDeposito)); });
}

}  // namespace PXQ_RTDravelo
