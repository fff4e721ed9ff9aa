#include "DB_Dll.h"

#include "OracleDialect.h"

#include "platform/db/ConnectionString.h"

QString DB_Dll::ORACLE_Dicc(const QString& Valor)
{
    // The string of the open connection is answered by the server it reached;
    // any other by its provider or driver item.
    const bool oracle =
        gConnString == gCnn().ConnectionString() ? enOracle() : db::ConnectionString(gConnString).namesOracle();
    return OracleDialect::rewrite(Valor, oracle);
}

QString DB_Dll::EjecutaScriptOracle(QString& script, long& RecordsAffected)
{
    OracleDialect::runScript(script, RecordsAffected, gCnn(), [this](const QString& s) { return ORACLE_Dicc(s); });
    return {};
}

long DB_Dll::EjecutaDirecto(const QString& Sentencia)
{
    long filas = 0;
    if (enOracle()) {
        QString script = Sentencia;
        EjecutaScriptOracle(script, filas);
    } else {
        gCnn().Execute(Sentencia, &filas, -1);
    }
    return filas;
}
