#include "GrabacionTransferencia.h"

#include "ClaveSinCaso.h"
#include "DatosPosicionesSql.h"

#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QHash>
#include <optional>

namespace {

const QString kAviso = QStringLiteral("Aviso al operador...");

// Tells the operator what the database reported.
void avisa(const QString& mensaje)
{
    prompts().messageBox(mensaje, prompt::Critical | prompt::OkOnly, QStringLiteral("Aviso al Operador!"));
}

void descarta(DB_Dll& db)
{
    db.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"), nullptr, true);
    db.gCnn().errors().Clear();
}

// Commits the line; a refusal rolls it back, then tells the operator (no
// message box is ever left open over the lock), and answers false.
bool confirma(DB_Dll& db)
{
    db::Errors& errores = db.gCnn().errors();
    errores.Clear();
    db.EjecutaConsultaSQL(QStringLiteral("COMMIT TRANSACTION"), nullptr, true);
    if (errores.Count() == 0)
        return true;
    const QString mensaje = MensajeErrores(errores);
    descarta(db);
    avisa(mensaje);
    return false;
}

enum class Inicio { Iniciada, Fallida, Abandonada };

// Starts the line's transaction. While another station holds the lock the
// operator is asked whether to wait more, and may give the line up.
Inicio inicia(DB_Dll& db)
{
    db::Errors& errores = db.gCnn().errors();
    for (;;) {
        errores.Clear();
        db.EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION"), nullptr, true);
        if (!BaseOcupada(errores))
            break;
        errores.Clear();
        if (!ReintentaBaseOcupada(QStringLiteral("GrabaLinea")))
            return Inicio::Abandonada;
    }
    if (errores.Count() == 0)
        return Inicio::Iniciada;
    const QString mensaje = MensajeErrores(errores);
    errores.Clear();
    avisa(mensaje);
    return Inicio::Fallida;
}

std::optional<QString> leeId(DB_Dll& db, const QString& sql)
{
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (rs.State() == db::state::Closed)
        return std::nullopt;
    std::optional<QString> id;
    if (!rs.Eof() && !lang::isNull(rs.value(QStringLiteral("id"))))
        id = lang::text(rs.value(QStringLiteral("id"))).trimmed();
    db.CierraRecordset(rs);
    return id;
}

// Walks the rows of a read inside the line's transaction; false when it could
// not be read (the data layer has told the operator).
template <class F>
bool lee(DB_Dll& db, const QString& sql, F&& fila)
{
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (rs.State() == db::state::Closed)
        return false;
    for (; !rs.Eof(); rs.MoveNext())
        fila(rs);
    db.CierraRecordset(rs);
    return true;
}

// Takes the lock a statement reads (none when it is empty): false when the
// read failed (the data layer has told the operator).
bool bloquea(DB_Dll& db, const QString& sentencia)
{
    return sentencia.isEmpty() || lee(db, sentencia, [](db::Recordset&) {});
}

// Why the line cannot be saved over what the database holds now, "" when it
// can; nullopt when that could not be read. Another station may have saved
// the same line since this one loaded it: a new line may take no more than is
// still without position, and a reopened line is saved only over the
// distribution it was loaded with.
std::optional<QString> rechazoActual(DB_Dll& db, const CabeceraTransferencia& c, NumeracionLinea numeracion,
                                     const LineaTransferencia& l)
{
    if (!bloquea(db, SentenciaBloqueoLinea(db, c, l)))
        return std::nullopt;
    if (numeracion != NumeracionLinea::Reabierta) {
        const std::optional<Currency> sinPosicion = SinPosicionAhora(db, c, l);
        if (!sinPosicion)
            return std::nullopt;
        const Currency restante = *sinPosicion;
        const Currency transferir = Currency::fromText(l.Transferir);
        if (transferir <= restante)
            return QString();
        return QStringLiteral("La linea no se grabo: otro puesto ya ubico parte de esta mercaderia. Quedan ")
               + restante.toString() + QStringLiteral(" sin posicion y se quiso transferir ") + transferir.toString()
               + QStringLiteral(". La lista se vuelve a cargar.");
    }
    if (ItemsLista(l.PosicionesCargadas).empty())
        return QString();
    Reparto guardado;
    if (!lee(db, SentenciaRepartoGuardado(db, c, l), [&](db::Recordset& rs) {
            guardado.Posiciones.push_back(lang::text(rs.value(QStringLiteral("IDPOSICION"))));
            guardado.Cantidades.push_back(Currency::fromVariant(rs.value(QStringLiteral("CANTIDAD"))));
        }))
        return std::nullopt;
    LineaTransferencia cargada = l;
    cargada.Posiciones = l.PosicionesCargadas;
    cargada.Cantidades = l.CantidadesCargadas;
    if (MismoReparto(guardado, RepartoDeLinea(cargada)))
        return QString();
    return QStringLiteral("La linea no se grabo: otro puesto cambio sus posiciones desde que se abrio el comprobante. "
                          "La linea se vuelve a cargar con sus posiciones actuales.");
}

// A position of the line as the balance view counts it, in its own unit.
struct Ocupacion {
    QString posicion;
    QString unidad;
    Currency capacidad;
    Currency saldo;
};
using Ocupaciones = QHash<ClaveSinCaso, Ocupacion>;

// What lies in each of the line's positions and what each holds; nullopt
// when that could not be read (the data layer has told the operator).
std::optional<Ocupaciones> leeOcupacion(DB_Dll& db, const CabeceraTransferencia& c, const LineaTransferencia& l)
{
    QStringList posiciones;
    for (const QString& p : RepartoDeLinea(l).Posiciones)
        posiciones << p.trimmed();
    posiciones << QString();
    Ocupaciones o;
    if (!lee(db, SentenciaPosiciones(c.IdDeposito, posiciones), [&](db::Recordset& rs) {
            const QString posicion = lang::text(rs.value(QStringLiteral("idposicion"))).trimmed();
            o.insert(ClaveSinCaso{posicion},
                     {posicion, lang::text(rs.value(QStringLiteral("idunidad"))).trimmed(),
                      Currency::fromVariant(rs.value(QStringLiteral("capacidad"))),
                      Currency::fromVariant(rs.value(QStringLiteral("SaldoPosicion")))});
        }))
        return std::nullopt;
    return o;
}

// Why the line's rows, written but not committed, cannot stay: a position
// they take past its capacity, as the view counts it with them. Another
// station may have filled what this one's dialog saw free. A position with no
// capacity has no limit, and one that was already past it is refused only
// what adds to it; "" when every share fits.
QString rechazoCapacidad(const Ocupaciones& antes, const Ocupaciones& despues)
{
    for (const Ocupacion& d : despues) {
        if (d.capacidad <= Currency())
            continue;
        const Currency saldoAntes = antes.value(ClaveSinCaso{d.posicion}).saldo;
        if (d.saldo <= d.capacidad || d.saldo <= saldoAntes)
            continue;
        const Currency libre = std::max(d.capacidad - saldoAntes, Currency());
        const QString unidad = d.unidad.isEmpty() ? QString() : u' ' + d.unidad;
        return QStringLiteral("La linea no se grabo: otro puesto ya ocupo el lugar de la posicion ") + d.posicion
               + QStringLiteral(". Le quedan ") + libre.toString() + unidad + QStringLiteral(" libres y la linea ocuparia ")
               + (d.saldo - saldoAntes).toString() + unidad + QStringLiteral(". La lista se vuelve a cargar.");
    }
    return {};
}

}  // namespace

std::optional<Currency> SinPosicionAhora(DB_Dll& db, const CabeceraTransferencia& cabecera,
                                         const LineaTransferencia& linea)
{
    Currency restante;
    if (!lee(db, SentenciaRestanteLinea(db, cabecera, linea),
             [&](db::Recordset& rs) { restante = Currency::fromVariant(rs.value(QStringLiteral("Cantidad"))); }))
        return std::nullopt;
    return restante;
}

LineaGrabada GrabaLineaTransferencia(DB_Dll& db, const CabeceraTransferencia& cabecera, NumeracionLinea numeracion,
                                     const LineaTransferencia& linea, const QString& usuario, const QDate& fecha,
                                     bool& HayError, AvisoOtroPuesto aviso)
{
    const QString rechazo = RechazoReparto(linea);
    if (!rechazo.isEmpty()) {
        prompts().messageBox(rechazo, prompt::Critical | prompt::OkOnly, kAviso);
        HayError = true;
        return {};
    }

    // The transaction the runner's own nests in: the number and the id are
    // read under its lock, and the line commits with it.
    switch (inicia(db)) {
    case Inicio::Iniciada: break;
    case Inicio::Fallida: HayError = true; return {};
    case Inicio::Abandonada: {
        HayError = true;
        LineaGrabada abandonada;
        abandonada.abandonada = true;
        return abandonada;
    }
    }

    try {
        CabeceraTransferencia destino = cabecera;
        QStringList sentencias;
        const bool reabierta = numeracion == NumeracionLinea::Reabierta;
        QString rechazoGuardado;
        std::optional<Ocupaciones> antes;
        bool armado = false;
        ErrorTrap::showing(QString()).run({
            [&] {
                // First, as always: stations saving first lines queue on the
                // number before they lock any line's rows.
                if (numeracion != NumeracionLinea::Nueva)
                    return;
                std::int32_t ultimo = 0;
                if (!UltimoNumeroTRP(db, true, ultimo))
                    ErrorTrap::leave();
                destino.Comprobante = ProximoComprobanteTRP(ultimo);
            },
            [&] {
                const std::optional<QString> r = rechazoActual(db, cabecera, numeracion, linea);
                if (!r || !r->isEmpty()) {
                    rechazoGuardado = r.value_or(QString());
                    ErrorTrap::leave();
                }
            },
            [&] {
                // The room of the line's positions before its rows, read under
                // the same lock as the rows are written and checked.
                if (!bloquea(db, SentenciaBloqueoPosiciones(db, cabecera, linea)))
                    ErrorTrap::leave();
                antes = leeOcupacion(db, cabecera, linea);
                if (!antes)
                    ErrorTrap::leave();
            },
            [&] {
                sentencias = reabierta ? SentenciasLineaReabierta(db, destino, linea, usuario, fecha)
                                       : SentenciasLineaNueva(db, destino, linea, usuario, fecha);
                armado = true;
            },
        });
        if (!armado) {
            descarta(db);
            HayError = true;
            LineaGrabada rechazada;
            rechazada.otroPuesto = !rechazoGuardado.isEmpty();
            if (rechazada.otroPuesto && aviso == AvisoOtroPuesto::Avisa)
                prompts().messageBox(rechazoGuardado, prompt::Critical | prompt::OkOnly, kAviso);
            return rechazada;
        }

        bool fallo = false;
        std::int32_t nroError = 0;
        EjecutaTransaccion(db, sentencias, fallo, nroError, false);
        if (fallo) {
            // The runner's rollback ended this transaction as well.
            HayError = true;
            return {};
        }
        const std::optional<Ocupaciones> despues = leeOcupacion(db, cabecera, linea);
        if (!despues) {
            descarta(db);
            HayError = true;
            return {};
        }
        const QString sinLugar = rechazoCapacidad(*antes, *despues);
        if (!sinLugar.isEmpty()) {
            // Told as a line another station placed: the line goes back to
            // the list, and a new proposal sees the room that is left.
            descarta(db);
            HayError = true;
            LineaGrabada rechazada;
            rechazada.otroPuesto = true;
            if (aviso == AvisoOtroPuesto::Avisa)
                prompts().messageBox(sinLugar, prompt::Critical | prompt::OkOnly, kAviso);
            return rechazada;
        }
        const std::optional<QString> id = leeId(db, SentenciaIdLinea(db, destino, linea, reabierta));
        if (!confirma(db)) {
            HayError = true;
            return {};
        }
        return {true, false, destino.Comprobante, id.value_or(QString())};
    } catch (const RuntimeError& e) {
        // Whatever fails on the way leaves the line unsaved, and says so.
        descarta(db);
        HayError = true;
        prompts().messageBox(QStringLiteral("La linea no se grabo: ") + e.description(),
                             prompt::Critical | prompt::OkOnly, kAviso);
        return {};
    }
}
