#include "Formatos.h"

#include "Configuracion.h"
#include "Globals.h"
#include "Objetos.h"

#include "platform/Currency.h"
#include "platform/ErrorTrap.h"
#include "platform/Host.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <cstdlib>

QString FormatoFechaHora()
{
    return FormatoFecha() + u' ' + FormatoHora();
}

QString FormatoFecha()
{
    return QStringLiteral("dd/mm/yy");
}

QString FormatoHora()
{
    return QStringLiteral("hh:mm");
}

QString TextoFechaHora(const QDateTime& Momento)
{
    // In the date part "mm" is the month.
    return Momento.toString(FormatoFecha().replace(QStringLiteral("mm"), QStringLiteral("MM"))) + u' '
         + Momento.toString(FormatoHora());
}

namespace {

// The amount rounded to n decimals, halves to even, in digits: sign, whole
// part, and exactly n decimals.
struct Cifras {
    bool negativo = false;
    QString entero;
    QString decimales;
};

Cifras redondea(Currency importe, int n)
{
    std::int64_t raw = importe.raw();
    Cifras c;
    c.negativo = raw < 0;
    std::uint64_t a = c.negativo ? static_cast<std::uint64_t>(-(raw + 1)) + 1 : static_cast<std::uint64_t>(raw);
    int escala = 4;
    if (n < 4) {
        std::uint64_t divisor = 1;
        for (int i = n; i < 4; ++i)
            divisor *= 10;
        const std::uint64_t q = a / divisor;
        const std::uint64_t r = a % divisor;
        a = q + ((r * 2 > divisor || (r * 2 == divisor && (q % 2) == 1)) ? 1 : 0);
        escala = n;
    }
    QString digitos = QString::number(a).rightJustified(escala + 1, u'0');
    c.entero = digitos.left(digitos.size() - escala);
    c.decimales = digitos.right(escala).leftJustified(n, u'0');
    if (a == 0)
        c.negativo = false;
    return c;
}

// A minimal two-digit whole number as the masks "#####00" write it.
QString dosCifras(std::int64_t v)
{
    const QString d = QString::number(std::llabs(v)).rightJustified(2, u'0');
    return v < 0 ? u'-' + d : d;
}

bool leeSoloHora(const QString& t, QTime& hora)
{
    static const QStringList formatos = {QStringLiteral("H:m"), QStringLiteral("H:m:s"), QStringLiteral("h:m AP"),
                                         QStringLiteral("h:m:s AP"), QStringLiteral("h:mAP"), QStringLiteral("h:m:sAP")};
    for (const QString& f : formatos) {
        const QTime h = QLocale::c().toTime(t, f);
        if (h.isValid()) {
            hora = h;
            return true;
        }
    }
    return false;
}

// A text that reads as a time, a date, or a date and a time.
bool leeHora(const QString& texto, QTime& hora)
{
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return false;
    if (leeSoloHora(t, hora))
        return true;
    static const QStringList fechas = {QStringLiteral("d/M/yyyy"), QStringLiteral("d/M/yy"), QStringLiteral("d-M-yyyy"),
                                       QStringLiteral("d-M-yy"), QStringLiteral("yyyy-M-d"), QStringLiteral("d.M.yyyy")};
    const qsizetype blanco = t.indexOf(u' ');
    const QString parteFecha = blanco < 0 ? t : t.left(blanco);
    const QString parteHora = blanco < 0 ? QString() : t.mid(blanco + 1).trimmed();
    for (const QString& f : fechas) {
        if (!QLocale::c().toDate(parteFecha, f).isValid())
            continue;
        if (parteHora.isEmpty()) {
            hora = QTime(0, 0);
            return true;
        }
        return leeSoloHora(parteHora, hora);
    }
    return false;
}

double porSeparador(const QString& hora)
{
    const qsizetype p = hora.indexOf(u':');
    if (p < 0)
        return lang::leadingNumber(hora) * 60;
    return lang::leadingNumber(QStringView(hora).left(p)) * 60 + lang::leadingNumber(QStringView(hora).mid(p + 1));
}

}  // namespace

QString FmtMoneda(const QString& Importe, int Decimales)
{
    QString resultado;
    int regionales = 0;
    int n = 0;
    ErrorTrap::showing(QStringLiteral("FmtMoneda"))
        .run({
            [&] { regionales = host().currencyDigits(); },
            [&] {
                n = Decimales == -1 ? lang::toInt32(lang::leadingNumber(CantidadDecimales)) : Decimales;
                if (n == 0)
                    n = regionales;
                if (n == -2)
                    n = 0;
                if (n < 0)
                    throw RuntimeError::invalidCall(QStringLiteral("FmtMoneda"));
            },
            [&] {
                const Cifras c = redondea(ObjUtilidades().TextoAMoneda(Importe), n);
                resultado = (c.negativo ? QStringLiteral("-") : QString()) + c.entero;
                if (n > 0)
                    resultado += host().decimalSign() + c.decimales;
            },
        });
    return resultado;
}

double HoraAMinutos(const QString& Hora, const QString& Horas, const QString& Minutos, bool SinValidarFecha)
{
    if (SinValidarFecha)
        return porSeparador(Hora);
    QTime hora;
    if (leeHora(Hora, hora))
        return hora.hour() * 60 + hora.minute();
    if (Hora.trimmed().isEmpty()) {
        const double h = lang::leadingNumber(Horas);
        const double m = lang::leadingNumber(Minutos);
        if (h <= 0 && m <= 0)
            return 0;
        return h * 60 + m;
    }
    return porSeparador(Hora);
}

QString MinutosAHora(double TotalMinutos, std::int32_t& HorasSalida, std::int32_t& MinutosSalida)
{
    QString separador = Cfg(QStringLiteral("SeparadorHora"));
    if (separador.trimmed().isEmpty())
        separador = QStringLiteral(":");
    if (separador != QStringLiteral(".")) {
        const std::int32_t total = lang::toInt32(TotalMinutos);
        HorasSalida = total / 60;
        MinutosSalida = total % 60;
        return dosCifras(HorasSalida) + separador + dosCifras(MinutosSalida);
    }
    // The mask "#####.00": two decimals, rounded half away from zero, and no
    // zero before the point.
    const double centesimos = std::round(std::fabs(TotalMinutos / 60) * 100);
    const auto entero = static_cast<std::int64_t>(centesimos / 100);
    const auto resto = static_cast<int>(centesimos - static_cast<double>(entero) * 100);
    QString texto = (entero ? QString::number(entero) : QString()) + u'.'
                    + QString::number(resto).rightJustified(2, u'0');
    if (TotalMinutos < 0 && centesimos > 0)
        texto.prepend(u'-');
    return texto;
}
