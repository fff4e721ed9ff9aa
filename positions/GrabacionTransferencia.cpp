#include "GrabacionTransferencia.h"

#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

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

// Why the line cannot be saved over what the database holds now, "" when it
// can; nullopt when that could not be read. Another station may have saved
// the same line since this one loaded it: a new line may take no more than is
// still without position, and a reopened line is saved only over the
// distribution it was loaded with.
std::optional<QString> rechazoActual(DB_Dll& db, const CabeceraTransferencia& c, NumeracionLinea numeracion,
                                     const LineaTransferencia& l)
{
    const QString bloqueo = SentenciaBloqueoLinea(db, c, l);
    if (!bloqueo.isEmpty() && !lee(db, bloqueo, [](db::Recordset&) {}))
        return std::nullopt;
    if (numeracion != NumeracionLinea::Reabierta) {
        Currency restante;
        if (!lee(db, SentenciaRestanteLinea(db, c, l),
                 [&](db::Recordset& rs) { restante = Currency::fromVariant(rs.value(QStringLiteral("Cantidad"))); }))
            return std::nullopt;
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

}  // namespace

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
