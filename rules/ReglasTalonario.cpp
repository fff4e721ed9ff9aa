#include "ReglasTalonario.h"

#include "Formato.h"
#include "platform/Value.h"
#include "platform/db/Literals.h"

namespace {

std::optional<double> numeroONulo(const QVariant& valor)
{
    if (lang::isNull(valor) || lang::isEmpty(valor))
        return std::nullopt;
    return lang::number(valor);
}

}  // namespace

bool TalonarioAgotado(const QVariant& ultimoNro, const QVariant& nroHasta)
{
    const auto ultimo = numeroONulo(ultimoNro);
    const auto hasta = numeroONulo(nroHasta);
    return ultimo && hasta && *ultimo >= *hasta;
}

bool CumpleDesde(double numero, const QVariant& desde)
{
    const auto d = numeroONulo(desde);
    return d && numero >= *d;
}

bool CumpleHasta(double numero, const QVariant& hasta)
{
    const auto h = numeroONulo(hasta);
    return h && numero <= *h;
}

bool NumeroEnRango(double numero, const QVariant& desde, const QVariant& hasta)
{
    return CumpleDesde(numero, desde) && CumpleHasta(numero, hasta);
}

bool RangoEnCero(const QVariant& desde, const QVariant& hasta)
{
    const auto d = numeroONulo(desde);
    const auto h = numeroONulo(hasta);
    return d && h && *d == 0 && *h == 0;
}

std::optional<QDate> ComoFecha(const QVariant& valor)
{
    if (valor.metaType().id() == QMetaType::QDate)
        return valor.toDate();
    if (valor.metaType().id() == QMetaType::QDateTime)
        return valor.toDateTime().date();
    if (const auto fecha = db::parseDateTime(lang::text(valor).trimmed()))
        return fecha->date();
    return std::nullopt;
}

bool TalonarioVigente(const QString& fecha, const QVariant& vence)
{
    const QString venceTexto = lang::text(vence).trimmed();
    if (fecha.trimmed().isEmpty() || venceTexto.isEmpty())
        return true;
    const auto f = ComoFecha(fecha);
    const auto v = ComoFecha(vence);
    if (f && v)
        return *f <= *v;
    return fecha.trimmed().compare(venceTexto, Qt::CaseInsensitive) <= 0;
}

QString NumeroSiguiente(const QVariant& ultimo)
{
    if (lang::isNull(ultimo) || lang::isEmpty(ultimo))
        return QStringLiteral("00000001");
    const QString t = lang::text(ultimo).trimmed();
    const QString numero = t.size() >= 12 ? t.mid(4, 8) : t;
    return CerosIzquierda(lang::leadingNumber(numero) + 1, 8);
}
