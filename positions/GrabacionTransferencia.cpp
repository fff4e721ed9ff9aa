#include "GrabacionTransferencia.h"

#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/Value.h"

#include <optional>

namespace {

const QString kAviso = QStringLiteral("Aviso al operador...");

// Shows the operator what the database reported, and clears it.
void avisa(db::Errors& errores)
{
    const QString mensaje = MensajeErrores(errores);
    errores.Clear();
    prompts().messageBox(mensaje, prompt::Critical | prompt::OkOnly, QStringLiteral("Aviso al Operador!"));
}

// Runs one transaction statement; the database's refusal, when there is one,
// is shown to the operator and answered false.
bool control(DB_Dll& db, const QString& sentencia)
{
    db::Errors& errores = db.gCnn().errors();
    errores.Clear();
    db.EjecutaConsultaSQL(sentencia, nullptr, true);
    if (errores.Count() == 0)
        return true;
    avisa(errores);
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
    avisa(errores);
    return Inicio::Fallida;
}

void descarta(DB_Dll& db)
{
    db.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"), nullptr, true);
    db.gCnn().errors().Clear();
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

}  // namespace

LineaGrabada GrabaLineaTransferencia(DB_Dll& db, const CabeceraTransferencia& cabecera, NumeracionLinea numeracion,
                                     const LineaTransferencia& linea, const QString& usuario, const QDate& fecha,
                                     bool& HayError)
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

    CabeceraTransferencia destino = cabecera;
    QStringList sentencias;
    const bool reabierta = numeracion == NumeracionLinea::Reabierta;
    bool armado = false;
    ErrorTrap::showing(QString()).run({[&] {
        if (numeracion == NumeracionLinea::Nueva) {
            std::int32_t ultimo = 0;
            if (!UltimoNumeroTRP(db, true, ultimo))
                ErrorTrap::leave();
            destino.Comprobante = ProximoComprobanteTRP(ultimo);
        }
        sentencias = reabierta ? SentenciasLineaReabierta(db, destino, linea, usuario, fecha)
                               : SentenciasLineaNueva(db, destino, linea, usuario, fecha);
        armado = true;
    }});
    if (!armado) {
        descarta(db);
        HayError = true;
        return {};
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
    if (!control(db, QStringLiteral("COMMIT TRANSACTION"))) {
        descarta(db);
        HayError = true;
        return {};
    }
    return {true, false, destino.Comprobante, id.value_or(QString())};
}
