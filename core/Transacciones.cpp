#include "Transacciones.h"

#include "DB_Dll.h"
#include "Objetos.h"

#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/db/NativeErrors.h"

#include <QDebug>

namespace {

constexpr long kClaveDuplicada = 2627;

// Runs one text without the statement runner's own message: the verdict is
// read from the connection's errors and reported once, in this routine's words.
void ejecutaCallado(DB_Dll& db, const QString& sql)
{
    db.EjecutaConsultaSQL(sql, nullptr, true);
}

// The errors worth listing: with several, the last one is the server's
// closing remark on the first ("The statement has been terminated").
int listados(const db::Errors& errores)
{
    return errores.Count() == 1 ? 1 : errores.Count() - 1;
}

QString lineaNativa(const db::Error& e)
{
    return QString::number(e.NativeError) + QStringLiteral(" : ") + e.Description + QStringLiteral("\r\n");
}

}  // namespace

QString MensajeErrores(const db::Errors& errores)
{
    QString mensaje;
    for (int i = 0; i < listados(errores); ++i) {
        const QString explicado = db::explanation(errores.Item(i));
        const QString linea = explicado.isEmpty() ? lineaNativa(errores.Item(i)) : explicado + QStringLiteral("\r\n");
        if (!mensaje.contains(linea))
            mensaje += linea;
    }
    return mensaje;
}

QString DetalleErrores(const db::Errors& errores)
{
    QString detalle;
    for (int i = 0; i < listados(errores); ++i)
        detalle += lineaNativa(errores.Item(i));
    return detalle;
}

bool BaseOcupada(const db::Errors& errores)
{
    return errores.Count() > 0 && errores.Item(0).NativeError == db::serverError::Locked;
}

bool ReintentaBaseOcupada(const QString& origen)
{
    db::Error ocupada;
    ocupada.NativeError = db::serverError::Locked;
    const RuntimeError aviso(static_cast<int>(db::serverError::Locked), db::explanation(ocupada));
    return ObjUtilidades().MuestraError(aviso, {}, origen) == prompt::ErrorRetry;
}

void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& NroError,
                        bool IgnoraDuplicados)
{
    EjecutaTransaccion(ObjDB(), Sentencias, HuboError, NroError, IgnoraDuplicados);
}

void EjecutaTransaccion(DB_Dll& db, const QStringList& Sentencias, bool& HuboError, std::int32_t& NroError,
                        bool IgnoraDuplicados)
{
    NroError = 0;
    QString cuerpo;
    for (const QString& s : Sentencias)
        if (!s.trimmed().isEmpty())
            cuerpo += u'\r' + s;
    const QString lote = QStringLiteral("BEGIN TRANSACTION ") + QStringLiteral("\r\r") + cuerpo + u'\r';

    db::Connection& cnn = db.gCnn();
    QString mensaje;
    QString detalle;
    // Another station holding the lock is no failure of the batch: the
    // operator waits and tries again, or gives the batch up.
    bool abandonado = false;
    // The errors a success leaves behind are not this batch's: without this
    // a good batch after any earlier failure would be rolled back.
    cnn.errors().Clear();

    const auto revisaErrores = [&] {
        db::Errors& errores = cnn.errors();
        if (errores.Count() == 0)
            return;
        NroError = static_cast<std::int32_t>(errores.Item(0).NativeError);
        HuboError = true;
        mensaje = MensajeErrores(errores);
        // The log keeps what the database said, in its own words.
        detalle = DetalleErrores(errores);
        if (IgnoraDuplicados && errores.Item(0).NativeError == kClaveDuplicada)
            mensaje = detalle = QString();
        errores.Clear();
    };

    for (;;) {
        ejecutaCallado(db, lote);
        if (!BaseOcupada(cnn.errors()))
            break;
        // Whatever part of the batch began is undone before the operator is
        // asked, so that this station holds no lock while the dialog is up.
        cnn.errors().Clear();
        ejecutaCallado(db, QStringLiteral("ROLLBACK TRANSACTION"));
        cnn.errors().Clear();
        if (!ReintentaBaseOcupada(QStringLiteral("EjecutaTransaccion"))) {
            abandonado = true;
            break;
        }
    }
    if (abandonado) {
        // Told already; and the log row would wait for the same lock.
        NroError = static_cast<std::int32_t>(db::serverError::Locked);
        HuboError = true;
        return;
    }
    revisaErrores();
    if (!HuboError) {
        // A commit the database refuses is a failed batch as well.
        ejecutaCallado(db, QStringLiteral("COMMIT TRANSACTION"));
        revisaErrores();
    }
    if (HuboError) {
        // Rolled back before the operator reads why: the transaction's locks
        // must not keep other stations waiting on an open message box.
        ejecutaCallado(db, QStringLiteral("ROLLBACK TRANSACTION"));
        cnn.errors().Clear();
        if (!mensaje.trimmed().isEmpty())
            prompts().messageBox(mensaje, prompt::Critical | prompt::OkOnly, QStringLiteral("Aviso al Operador!"));
        // The log lives in the same database, and the same fault (a database
        // it cannot write, a full disk) may refuse it too: the batch stays a
        // failure all the same, and the trace goes to the station's log.
        try {
            GrabaErrorSQL(db, lote, NroError, detalle);
        } catch (const RuntimeError& e) {
            cnn.errors().Clear();
            qWarning().noquote() << "AUX_ERR:" << e.number() << e.description() << "|" << detalle.trimmed();
        }
    }
}

void GrabaErrorSQL(const QString& TextoSQL, std::int32_t NroError, const QString& Descripcion)
{
    GrabaErrorSQL(ObjDB(), TextoSQL, NroError, Descripcion);
}

void GrabaErrorSQL(DB_Dll& db, const QString& TextoSQL, std::int32_t NroError, const QString& Descripcion)
{
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("select  top 1 * from AUX_ERR"), rs, nullptr, 2, 3, -1, true);
    rs.AddNew();
    rs.setValue(QStringLiteral("Proceso"), host().executableName());
    rs.setValue(QStringLiteral("Fecha"), host().now());
    rs.setValue(QStringLiteral("Error"), NroError);
    rs.setValue(QStringLiteral("Descripcion"), ObjUtilidades().RecortaTexto(Descripcion, 250));
    rs.setValue(QStringLiteral("Sql"), TextoSQL);
    rs.setValue(QStringLiteral("PC"), ObjSistema().NombrePC());
    rs.setValue(QStringLiteral("Usuario"), db.gUsuario);
    rs.Update();
    db.CierraRecordset(rs);
}
