#include "DB_Dll.h"

#include "OracleDialect.h"

QString DB_Dll::ORACLE_Dicc(const QString& Valor)
{
    return OracleDialect::rewrite(Valor, gConnString.contains(QLatin1String("ORACLE"), Qt::CaseInsensitive));
}

QString DB_Dll::EjecutaScriptOracle(QString& script, long& RecordsAffected)
{
    OracleDialect::runScript(script, RecordsAffected, gCnn(), [this](const QString& s) { return ORACLE_Dicc(s); });
    return {};
}
