#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

// The program's data-access object: one instance (ObjDB) owns the one
// connection for the whole run, and every form, class and module reaches the
// database through it. SQL comes in SQL Server's dialect; the synonym rewrite
// and, on an Oracle connection, the dialect rewrite are applied here.
class DB_Dll {
public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // --- public variables -------------------------------------------------
    bool gOpenFlag = false;
    QVariant gIgnoraPassWord;
    QString gProveedor;
    QString gDsn;
    QString gServidor;
    QString gDbName;
    QString gUsuario;
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;
    bool ParametrosSQL = false;
    // The tables and views a database must hold for OpenServerADODB to open
    // it: the framework's own here, the program adds what it reads and
    // writes. Each is asked for by the name the statements reach after the
    // synonym rewrite (V_TA_Deposito as SS_V_TA_DEPOSITO). An embedded file
    // without them is refused untouched.
    QStringList gTablasRequeridas{QStringLiteral("TA_CONFIGURACION"), QStringLiteral("AUX_ERR")};

    // The one connection, created (unopened) on its first reference.
    db::Connection& gCnn();
    // Replaces the connection object (tests install recording connections).
    void setConnection(std::unique_ptr<db::Connection> connection);

    // --- connection -------------------------------------------------------
    void OpenServerADODB(bool PideParametrosSQL = false, long lCursor = 3, const QString& ConnString = {});
    // Does nothing: kept for the family's programs that call the object's whole face.
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID, const QString& CadenaPWD);
    // Provider names of that face, for the same callers; nothing here reads them.
    QString pJETOLEDB40() const { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    QString pJETOLEDB35() const { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }
    QString pSQLOLEDB() const { return QStringLiteral("SQLOLEDB"); }

    // --- key lookups and aggregates ---------------------------------------
    QVariant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = {},
                         const QString& Condicion = {});
    QVariant BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = {},
                         const QString& Condicion = {});
    QVariant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo,
                               const QString& Condicion);
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                         db::Recordset* Lrcs = nullptr, int TipoDato = 8, const QString& Condicion = {},
                         bool SoloLectura = false);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                       const QString& Campo = QStringLiteral("Codigo"), db::Recordset* Lrcs = nullptr,
                       int TipoDato = 8, const QString& Condicion = {});
    QVariant DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                        const QString& Campo = QStringLiteral("Codigo"), int TipoDato = 8,
                        const QString& Condicion = {});
    static bool adodate(const QVariant& Qtype);
    static bool ADOText(const QVariant& Qtype);
    static bool ADONumeric(const QVariant& Qtype);
    static bool ADOCurrency(const QVariant& Qtype);
    static bool ADOBoolean(const QVariant& Qtype);
    // Do nothing: kept for the family's programs that call them; lookups go through the lookup facade.
    void QConsulta() {}
    void QGridConsulta() {}

    // --- object-name text routines ----------------------------------------
    QString stSTF(QString& rsName, bool rnPart);
    QString AddBrackets(QString& rObjName);
    QString StripConnect(QString& rsTblName);
    QString StripBrackets(QString& rsObjName);
    QString StripOwner(QString& rsTblName);
    QString StripFileName(QString& rsFileName);

    // --- statements and recordsets ----------------------------------------
    void CierraRecordset(db::Recordset& LrcsTemp);
    // The caller's text receives the rewritten statement. A failure shows its
    // box "Aviso al operador!!!" unless Silencioso: then nothing is shown and
    // the failure is left in gCnn().errors() (added there when the database
    // reported nothing, a closed connection for one), for a caller that
    // reports it in its own words.
    void EjecutaConsultaSQL(QString& SentenciaSQL, long* RecordsAffected = nullptr, bool Silencioso = false);
    void EjecutaConsultaSQL(const QString& SentenciaSQL, long* RecordsAffected = nullptr, bool Silencioso = false)
    {
        QString copy = SentenciaSQL;
        EjecutaConsultaSQL(copy, RecordsAffected, Silencioso);
    }
    // Runs a statement (or a batch) at once on gCnn, as written: no synonym
    // rewrite and no message. On an Oracle connection it goes through the
    // script runner, so its transaction statements and savepoints reach the
    // server in Oracle's form. A failure raises, its errors left in
    // gCnn().errors(). Answers the rows changed.
    long EjecutaDirecto(const QString& Sentencia);
    // The caller's text receives the synonym-rewritten statement.
    void AbrirRecordset(QString& SentenciaSQL, db::Recordset& Lrcs, db::Connection* ConexionActiva = nullptr,
                        int CursorType = 0, int LockType = 1, int Options = -1, bool ConvOracle = true);
    void AbrirRecordset(const QString& SentenciaSQL, db::Recordset& Lrcs, db::Connection* ConexionActiva = nullptr,
                        int CursorType = 0, int LockType = 1, int Options = -1, bool ConvOracle = true)
    {
        QString copy = SentenciaSQL;
        AbrirRecordset(copy, Lrcs, ConexionActiva, CursorType, LockType, Options, ConvOracle);
    }
    QString SQLValue(const QVariant& Valor, const QString& Tipo = QStringLiteral("'"));
    QString SS_TSinonimos(const QString& sentencia);

    // --- Oracle dialect ---------------------------------------------------
    QString ORACLE_Dicc(const QString& Valor);

    // --- schema checks ----------------------------------------------------
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const QVariant& ValorDefault = {});
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                    bool PermiteNulos, const QVariant& ValorDefault);

private:
    // Whether the connection speaks Oracle: the provider or ODBC driver
    // decides, or once open the server the driver reached; never the name
    // of a file, database, user or password.
    bool enOracle();
    // Runs a script of statements on an Oracle connection, one by one.
    QString EjecutaScriptOracle(QString& script, long& RecordsAffected);

    // The existence tests: builds the statement, opens it (on the caller's
    // recordset when given, left open on its first row), under the key
    // lookups' own error box.
    bool existsRow(const std::function<QString()>& buildSql, db::Recordset* Lrcs, bool readOnly);
    // The aggregates: the number in `field` of the first row, empty when
    // there is no row.
    QVariant firstRowNumber(const QString& sql, const QString& field);

    std::unique_ptr<db::Connection> m_cnn;
    KumozenUtilidades m_utilidades;
};

// The program's one data-access object, created on first use.
DB_Dll& ObjDB();
// Releases it (shutdown); the next ObjDB() creates a fresh one.
void releaseObjDB();
