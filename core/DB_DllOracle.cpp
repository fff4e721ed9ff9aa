// Placeholder until the Oracle dialect lands: statements pass unchanged.
#include "DB_Dll.h"

QString DB_Dll::ORACLE_Dicc(const QString& Valor)
{
    return Valor.toUpper();
}

QString DB_Dll::EjecutaScriptOracle(QString& script, long& RecordsAffected)
{
    long n = 0;
    gCnn().Execute(script, &n);
    RecordsAffected += n;
    script.clear();
    return {};
}
