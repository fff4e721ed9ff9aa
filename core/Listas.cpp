#include "core/Listas.h"

#include "platform/Host.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>

std::vector<ParCampoValor> ArrCampos;
std::vector<ParCampoValor> ArrTotalizador;

namespace {

RuntimeError subscriptError(const char* routine)
{
    return RuntimeError(errnum::SubscriptOutOfRange, QStringLiteral("Subscript out of range"),
                        QLatin1String(routine));
}

const QString kChr0 = QString(QChar(0));
const QString kChr255 = QString(QChar(255));

// Cuts `texto` at the first `separador`: the part before it stays in `texto`,
// the part after it is returned. Without the separator nothing is cut.
QString cortaEnSeparador(QString& texto, const QString& separador)
{
    if (separador.isEmpty())
        return {};
    const qsizetype pos = texto.indexOf(separador);
    if (pos < 0)
        return {};
    QString resto = texto.mid(pos + separador.size());
    texto.truncate(pos);
    return resto;
}

}  // namespace

void SeparaCadena(QString& texto, const QString& separador, std::vector<QString>& arreglo)
{
    arreglo.assign(1, QString());
    while (!texto.isEmpty()) {
        if (separador.isEmpty()) {
            arreglo.back() = texto.left(1);
            texto.remove(0, 1);
        } else {
            const qsizetype pos = texto.indexOf(separador, 0, Qt::CaseInsensitive);
            if (pos < 0) {
                arreglo.back() = texto;
                texto.clear();
            } else {
                arreglo.back() = texto.left(pos);
                texto.remove(0, pos + separador.size());
            }
        }
        arreglo.emplace_back();
    }
}

void ArmaInsert(QString& sql, std::vector<ParCampoValor>& arreglo, bool vaciar)
{
    if (arreglo.empty())
        throw subscriptError("ArmaInsert");
    // Built in place: the rows of a voucher go through here by the thousand.
    qsizetype largoNombres = 0;
    qsizetype largoValores = 0;
    for (const ParCampoValor& par : arreglo) {
        largoNombres += par.NombreCampo.size() + 1;
        largoValores += par.ValorCampo.size() + 1;
    }
    const qsizetype inicio = sql.size();
    sql.resize(inicio + 1 + largoNombres + 9 + largoValores);
    QChar* p = sql.data() + inicio;
    const auto pon = [&p](QStringView texto) {
        std::copy(texto.begin(), texto.end(), p);
        p += texto.size();
    };
    pon(u"(");
    for (std::size_t i = 0; i < arreglo.size(); ++i) {
        pon(arreglo[i].NombreCampo);
        pon(i + 1 < arreglo.size() ? u"," : u")");
    }
    pon(u" VALUES (");
    for (std::size_t i = 0; i < arreglo.size(); ++i) {
        pon(arreglo[i].ValorCampo);
        pon(i + 1 < arreglo.size() ? u"," : u")");
    }
    if (vaciar)
        arreglo.clear();
}

QString ArmaCondicion(const QString& campo, const QString& operador, const std::vector<QString>& valores,
                      const QString& conector, const QString& delimitador, bool incluyeNulos)
{
    if (valores.empty())
        return QStringLiteral("1=1");
    QString condicion = campo + operador + delimitador + valores.front() + delimitador;
    for (std::size_t i = 1; i < valores.size(); ++i)
        condicion += conector + campo + operador + delimitador + valores[i] + delimitador;
    if (incluyeNulos)
        condicion += conector + campo + QLatin1String(" is null ");
    return condicion;
}

int BuscaEnArray(const std::vector<QString>& arreglo, const QString& valor, int desde)
{
    if (arreglo.empty() || desde < 0)
        throw subscriptError("BuscaEnArray");
    for (std::size_t i = static_cast<std::size_t>(desde); i < arreglo.size(); ++i)
        if (lang::sameText(arreglo[i], valor))
            return static_cast<int>(i);
    return -1;
}

int BuscaIndiceLista(const QString& valor)
{
    if (ArrTotalizador.empty())
        throw subscriptError("BuscaIndiceLista");
    const KumozenUtilidades utilidades;
    const QString buscado = valor.trimmed();
    for (std::size_t i = 0; i < ArrTotalizador.size(); ++i) {
        const QString clave = utilidades.QuitaCaracteres(ArrTotalizador[i].NombreCampo, kChr255, kChr0).trimmed();
        if (lang::sameText(clave, buscado))
            return static_cast<int>(i);
    }
    return -1;
}

QString LimpiaCadena(const QVariant& valor)
{
    return KumozenUtilidades().QuitaCaracteres(lang::text(valor), kChr0, kChr255, QStringLiteral("\n")).trimmed();
}

void ExtraeTalles_colores_sexo(const QString& lista, const QString& separador, std::vector<QString>& talles,
                               std::vector<QString>& colores, std::vector<QString>& sexos)
{
    talles.assign(1, QString());
    colores.assign(1, QString());
    sexos.assign(1, QString());

    QString resto = lista.trimmed();
    if (resto.startsWith(u'|'))
        resto.remove(0, 1);
    if (!resto.contains(u'|'))
        return;
    do {
        const qsizetype pos = resto.indexOf(u'|');
        // A last code without its closing "|" is still a code.
        talles.back() = (pos < 0 ? resto : resto.left(pos)).trimmed();
        talles.emplace_back();
        resto = pos < 0 ? QString() : resto.mid(pos + 1);
    } while (!resto.trimmed().isEmpty());

    for (std::size_t i = 0; i + 1 < talles.size(); ++i) {
        colores.back() = cortaEnSeparador(talles[i], separador);
        colores.emplace_back();
    }
    for (std::size_t k = 0; k + 1 < colores.size(); ++k) {
        sexos.back() = cortaEnSeparador(colores[k], separador);
        sexos.emplace_back();
    }
}

void Espera(int milisegundos)
{
    if (milisegundos <= 0)
        return;
    QElapsedTimer reloj;
    reloj.start();
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(milisegundos));
        return;
    }
    // The timer wakes the event pump at the deadline, so the wait sleeps
    // between events instead of spinning.
    QTimer despertador;
    despertador.setTimerType(Qt::PreciseTimer);
    despertador.setSingleShot(true);
    despertador.start(milisegundos);
    while (reloj.elapsed() < milisegundos) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (!despertador.isActive() && reloj.elapsed() < milisegundos)
            despertador.start(static_cast<int>(milisegundos - reloj.elapsed()));
    }
}

void LeeHoraSistema(SystemTime& hora)
{
    const QDateTime ahora = host().now().toUTC();
    const QDate fecha = ahora.date();
    const QTime tiempo = ahora.time();
    hora.year = static_cast<std::uint16_t>(fecha.year());
    hora.month = static_cast<std::uint16_t>(fecha.month());
    hora.dayOfWeek = static_cast<std::uint16_t>(fecha.dayOfWeek() % 7);
    hora.day = static_cast<std::uint16_t>(fecha.day());
    hora.hour = static_cast<std::uint16_t>(tiempo.hour());
    hora.minute = static_cast<std::uint16_t>(tiempo.minute());
    hora.second = static_cast<std::uint16_t>(tiempo.second());
    hora.milliseconds = static_cast<std::uint16_t>(tiempo.msec());
}
