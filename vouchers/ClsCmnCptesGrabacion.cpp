// Writing a voucher: its stock movements, all of them or none, and the audit
// row of an action on it.
#include "vouchers/ClsCmnCptes.h"

#include "core/DB_Dll.h"
#include "core/Formatos.h"
#include "core/Globals.h"
#include "core/Listas.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "vouchers/ActualizacionStock.h"
#include "vouchers/LiteralesComprobante.h"

namespace {

// A statement the database refused, or a read that failed on the way (its
// own error dialog was shown and the run went on short): the update ends
// with nothing written.
struct Rechazo {
    QString descripcion;
};

void ejecuta(db::Connection& cn, const QString& sentencia)
{
    try {
        cn.Execute(sentencia);
    } catch (const RuntimeError& e) {
        throw Rechazo{e.description()};
    }
}

void revisaLecturas(db::Connection& cn)
{
    if (cn.errors().Count() > 0)
        throw Rechazo{cn.errors().Item(0).Description};
}

void descarta(db::Connection& cn)
{
    try {
        cn.Execute(QStringLiteral("ROLLBACK TRANSACTION"));
    } catch (const RuntimeError&) {
        // Already ended by the database: nothing is left to undo.
    }
    cn.errors().Clear();
}

}  // namespace

void ClsCmnCptes::ActualizaStock(const FlexGrid& MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                                 const QString& IdComplemento, const QString& Fecha,
                                 ArgumentosStock& Argumentos) const
{
    db::Connection& cn = ObjDB().gCnn();
    const bool directo = !Argumentos.GeneraSentenciaSQL;
    for (;;) {
        ActualizacionStock corrida(*this, PorcentajeIVA, MSFlexGrid2, TC, SucNroLetra, IdComplemento, Fecha,
                                   Argumentos);
        QString lote;
        bool abierta = false;
        try {
            cn.errors().Clear();
            // Nothing modal comes up under the write lock but the error
            // dialog of a read that fails.
            corrida.Prepara();
            revisaLecturas(cn);
            if (directo) {
                ejecuta(cn, QStringLiteral("BEGIN TRANSACTION"));
                abierta = true;
            }
            corrida.Ejecuta([&](const QString& sentencia) {
                if (directo)
                    ejecuta(cn, sentencia);
                else
                    lote += u'\r' + sentencia;
            });
            revisaLecturas(cn);
            if (directo) {
                ejecuta(cn, QStringLiteral("COMMIT TRANSACTION"));
                abierta = false;
            }
        } catch (const Rechazo& rechazo) {
            if (abierta)
                descarta(cn);
            prompts().messageBox(rechazo.descripcion, prompt::Critical | prompt::OkOnly,
                                 QStringLiteral("Aviso al operador"));
            Argumentos.HayError = true;
            return;
        } catch (const ActualizacionStock::TipoSinSigno&) {
            Argumentos.HayError = true;
            return;
        } catch (const RuntimeError& e) {
            if (abierta)
                descarta(cn);
            // A retry runs the whole update again, from the caller's values.
            if (ObjUtilidades().MuestraError(e, {}, QStringLiteral("ActualizaStock")) == prompt::ErrorRetry)
                continue;
            Argumentos.HayError = true;
            return;
        } catch (...) {
            if (abierta)
                descarta(cn);
            throw;
        }
        corrida.DevuelveLiterales(Argumentos);
        if (!directo)
            Argumentos.SQLTemp += lote;
        else if (!corrida.NumeracionPE().isEmpty())
            Argumentos.SQLTemp += u'\r' + corrida.NumeracionPE();
        return;
    }
}

void ClsCmnCptes::ActualizaBuchon(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                  bool lEsAlta, bool lEsModificacion, bool GeneraSentencia,
                                  QString& SentenciaSQL) const
{
    QString sentencia;
    ErrorTrap::showing(QStringLiteral("ActualizaBuchon")).run({
        [&] {
            std::vector<ParCampoValor> campos = {
                {QStringLiteral("TC"), LiteralCodigo(TC, 4)},
                {QStringLiteral("IdComprobante"), LiteralTexto(SucNroLetra)},
                {QStringLiteral("IdComplemento"),
                 LiteralNumeroTexto(IdComplemento, QStringLiteral("El complemento del comprobante"))},
                {QStringLiteral("Tipo_accion"),
                 LiteralTexto(lEsAlta ? QStringLiteral("A") : lEsModificacion ? QStringLiteral("M") : QStringLiteral("B"))},
                // Stored as the text the program writes dates in, as it always was.
                {QStringLiteral("FECHAHORA"), LiteralTexto(TextoFechaHora(host().now()))},
                {QStringLiteral("Usuario"), LiteralTexto(UsuarioLogeado)},
                {QStringLiteral("PC"), LiteralTexto(ObjSistema().NombrePC())},
                {QStringLiteral("SYSTEMUSER"), LiteralTexto(QString())},
            };
            QString armada = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
            ArmaInsert(armada, campos, true);
            sentencia = armada;
        },
        [&] {
            if (sentencia.isEmpty())
                return;
            if (GeneraSentencia)
                SentenciaSQL = sentencia;
            else
                ObjDB().gCnn().Execute(sentencia);
        },
    });
}
