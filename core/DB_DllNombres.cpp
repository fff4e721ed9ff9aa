#include "DB_Dll.h"

#include "platform/RuntimeError.h"

QString DB_Dll::stSTF(QString& rsName, bool rnPart)
{
    if (rsName.count(u'.') >= 2)
        return StripOwner(rsName);
    const qsizetype dot = rsName.indexOf(u'.');
    if (rnPart)
        return dot < 0 ? rsName : rsName.mid(dot + 1);
    if (dot < 0)
        throw RuntimeError::invalidCall(QStringLiteral("stSTF: nombre sin propietario"));
    return rsName.left(dot);
}

QString DB_Dll::AddBrackets(QString& rObjName)
{
    if (rObjName.contains(u' ') && !rObjName.startsWith(u'['))
        return u'[' + rObjName + u']';
    return rObjName;
}

// The character before the arrow goes too: names are written "table ->source".
QString DB_Dll::StripConnect(QString& rsTblName)
{
    const qsizetype arrow = rsTblName.indexOf(QLatin1String("->"));
    if (arrow < 0)
        return rsTblName;
    if (arrow == 0)
        throw RuntimeError::invalidCall(QStringLiteral("StripConnect: nombre que empieza con ->"));
    return rsTblName.left(arrow - 1);
}

QString DB_Dll::StripBrackets(QString& rsObjName)
{
    if (!rsObjName.startsWith(u'['))
        return rsObjName;
    if (rsObjName.size() < 2)
        throw RuntimeError::invalidCall(QStringLiteral("StripBrackets: nombre \"[\""));
    return rsObjName.mid(1, rsObjName.size() - 2);
}

QString DB_Dll::StripOwner(QString& rsTblName)
{
    const qsizetype dot = rsTblName.indexOf(u'.');
    if (dot >= 0)
        rsTblName = rsTblName.mid(dot + 1);
    return rsTblName;
}

// Stored names separate folders with the backslash.
QString DB_Dll::StripFileName(QString& rsFileName)
{
    const qsizetype slash = rsFileName.lastIndexOf(u'\\');
    return slash < 0 ? QString() : rsFileName.left(slash);
}
