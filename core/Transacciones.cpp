#include "Transacciones.h"

#include "DB_Dll.h"
#include "Objetos.h"

#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"

namespace {

constexpr long kClaveDuplicada = 2627;

// Runs one text without the statement runner's own message: the verdict is
// read from the connection's errors and reported once, in this routine's words.
void ejecutaCallado(DB_Dll& db, const QString& sql)
{
    db.EjecutaConsultaSQL(sql, nullptr, true);
}

}  // namespace

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
    // The errors a success leaves behind are not this batch's: without this
    // a good batch after any earlier failure would be rolled back.
    cnn.errors().Clear();

    const auto revisaErrores = [&] {
        db::Errors& errores = cnn.errors();
        if (errores.Count() == 0)
            return;
        NroError = static_cast<std::int32_t>(errores.Item(0).NativeError);
        HuboError = true;
        // The last error of several is the server's closing remark on the
        // first ("The statement has been terminated").
        const int listados = errores.Count() == 1 ? 1 : errores.Count() - 1;
        for (int i = 0; i < listados; ++i)
            mensaje += QString::number(errores.Item(i).NativeError) + QStringLiteral(" : ")
                       + errores.Item(i).Description + QStringLiteral("\r\n");
        if (IgnoraDuplicados && errores.Item(0).NativeError == kClaveDuplicada)
            mensaje.clear();
        if (!mensaje.trimmed().isEmpty())
            prompts().messageBox(mensaje, prompt::Critical | prompt::OkOnly, QStringLiteral("Aviso al Operador!"));
        errores.Clear();
    };

    ejecutaCallado(db, lote);
    revisaErrores();
    if (!HuboError) {
        // A commit the database refuses is a failed batch as well.
        ejecutaCallado(db, QStringLiteral("COMMIT TRANSACTION"));
        revisaErrores();
    }
    if (HuboError) {
        ejecutaCallado(db, QStringLiteral("ROLLBACK TRANSACTION"));
        cnn.errors().Clear();
        GrabaErrorSQL(db, lote, NroError, mensaje);
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
