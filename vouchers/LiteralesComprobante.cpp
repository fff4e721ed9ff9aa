#include "vouchers/LiteralesComprobante.h"

#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/Literals.h"

QString LiteralTexto(const QString& texto)
{
    return ObjDB().SQLValue(texto);
}

QString LiteralCodigo(const QString& codigo, int ancho)
{
    return LiteralTexto(ObjUtilidades().AlineaDerecha(codigo.trimmed(), ancho));
}

QString LiteralNumero(double valor)
{
    return ObjDB().SQLValue(valor, QStringLiteral("@"));
}

QString LiteralNumeroTexto(const QString& texto, const QString& que)
{
    if (!lang::isNumber(texto))
        throw RuntimeError::typeMismatch(QStringLiteral("%1 \"%2\" no es un número").arg(que, texto));
    return ObjDB().SQLValue(texto, QStringLiteral("@"));
}

QString LiteralFecha(const QString& fecha)
{
    if (const auto leida = db::parseDateTime(fecha.trimmed()))
        return ObjDB().SQLValue(*leida);
    return LiteralTexto(fecha);
}

QString ValorDeLiteral(const QString& valor)
{
    const QString t = valor.trimmed();
    if (lang::sameText(t, u"NULL"))
        return QString();
    if (t.size() >= 2 && t.startsWith(u'\'') && t.endsWith(u'\''))
        return db::unquoteText(t);
    return t;
}
