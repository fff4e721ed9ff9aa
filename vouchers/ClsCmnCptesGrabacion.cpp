// Writing a voucher: its stock movements, all of them or none, and the audit
// row of an action on it.
#include "vouchers/ClsCmnCptes.h"

#include "core/DB_Dll.h"
#include "core/Formatos.h"
#include "core/Globals.h"
#include "core/Listas.h"
#include "core/Objetos.h"
#include "core/Transacciones.h"
#include "platform/ErrorTrap.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "vouchers/ActualizacionStock.h"
#include "vouchers/LiteralesComprobante.h"

namespace {

const QString kActualizaStock = QStringLiteral("ActualizaStock");

// Another station holds the database's lock.
struct Ocupada {};

// Runs a statement at once, in the connection's dialect; answers the rows it
// changed.
long ejecuta(DB_Dll& db, const QString& sentencia)
{
    try {
        return db.EjecutaDirecto(sentencia);
    } catch (const RuntimeError& e) {
        if (BaseOcupada(db.gCnn().errors()))
            throw Ocupada{};
        throw ActualizacionStock::Rechazo{e.description()};
    }
}

// A read that failed on the way (its own error dialog was shown and the run
// went on short): the update ends with nothing written.
void revisaLecturas(db::Connection& cn)
{
    if (cn.errors().Count() > 0)
        throw ActualizacionStock::Rechazo{cn.errors().Item(0).Description};
}

// What the update writes at once, in a transaction that nests in whatever
// the connection holds (a host's own among them) and starts with a
// savepoint: a failure undoes the update's own statements and nothing
// else, and leaves a host's transaction open at its level.
class Transaccion {
public:
    explicit Transaccion(DB_Dll& db) : m_db(db) {}
    ~Transaccion() { deshace(); }
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

    void abre()
    {
        if (m_abierta)
            return;
        ejecuta(m_db, QStringLiteral("BEGIN TRANSACTION"));
        m_abierta = true;
        ejecuta(m_db, QStringLiteral("SAVE TRANSACTION ") + kActualizaStock);
        m_marcada = true;
    }
    void confirma()
    {
        if (!m_abierta)
            return;
        ejecuta(m_db, QStringLiteral("COMMIT TRANSACTION"));
        m_abierta = false;
    }
    void deshace() noexcept
    {
        if (!m_abierta)
            return;
        m_abierta = false;
        try {
            if (m_marcada)
                m_db.EjecutaDirecto(QStringLiteral("ROLLBACK TRANSACTION ") + kActualizaStock);
            m_db.EjecutaDirecto(QStringLiteral("COMMIT TRANSACTION"));
        } catch (const RuntimeError&) {
            // The database ended the whole transaction itself (a deadlock, a
            // full disk): nothing of it is left to keep.
            try {
                m_db.EjecutaDirecto(QStringLiteral("ROLLBACK TRANSACTION"));
            } catch (const RuntimeError&) {
            }
        }
        m_db.gCnn().errors().Clear();
    }

private:
    DB_Dll& m_db;
    bool m_abierta = false;
    bool m_marcada = false;
};

}  // namespace

void ClsCmnCptes::ActualizaStock(const FlexGrid& MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                                 const QString& IdComplemento, const QString& Fecha,
                                 ArgumentosStock& Argumentos) const
{
    DB_Dll& db = ObjDB();
    db::Connection& cn = db.gCnn();
    const bool directo = !Argumentos.GeneraSentenciaSQL;
    for (;;) {
        ActualizacionStock corrida(*this, PorcentajeIVA, MSFlexGrid2, TC, SucNroLetra, IdComplemento, Fecha,
                                   Argumentos);
        Transaccion transaccion(db);
        QString lote;
        try {
            cn.errors().Clear();
            // Nothing modal comes up under the write lock but the error
            // dialog of a read that fails.
            corrida.Prepara();
            revisaLecturas(cn);
            if (directo)
                transaccion.abre();
            corrida.Ejecuta(
                [&](const QString& sentencia) {
                    if (directo)
                        ejecuta(db, sentencia);
                    else
                        lote += u'\r' + sentencia;
                },
                [&](const QString& sentencia) {
                    transaccion.abre();
                    return ejecuta(db, sentencia);
                });
            revisaLecturas(cn);
            transaccion.confirma();
        } catch (const Ocupada&) {
            // Undone before the operator is asked, so that this station holds
            // no lock while the dialog is up; a retry runs it all again.
            transaccion.deshace();
            if (ReintentaBaseOcupada(kActualizaStock))
                continue;
            Argumentos.HayError = true;
            return;
        } catch (const ActualizacionStock::Rechazo& rechazo) {
            transaccion.deshace();
            prompts().messageBox(rechazo.mensaje, prompt::Critical | prompt::OkOnly,
                                 QStringLiteral("Aviso al operador"));
            Argumentos.HayError = true;
            return;
        } catch (const ActualizacionStock::TipoSinSigno&) {
            Argumentos.HayError = true;
            return;
        } catch (const RuntimeError& e) {
            transaccion.deshace();
            // A retry runs the whole update again, from the caller's values.
            if (ObjUtilidades().MuestraError(e, {}, kActualizaStock) == prompt::ErrorRetry)
                continue;
            Argumentos.HayError = true;
            return;
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
