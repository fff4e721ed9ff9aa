#include "KumozenUtilidades.h"

#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QString KumozenUtilidades::RecortaTexto(const QString& texto, int largo) const
{
    if (largo < 0)
        throw RuntimeError::invalidCall(QStringLiteral("RecortaTexto"));
    return texto.left(largo);
}

Currency KumozenUtilidades::TextoAMoneda(const QString& texto) const
{
    return Currency::fromText(texto);
}

Currency KumozenUtilidades::TextoAMoneda(const QVariant& valor) const
{
    return Currency::fromVariant(valor);
}

qint32 KumozenUtilidades::TextoALong(const QString& texto) const
{
    return lang::toInt32(TextoADoble(texto));
}

double KumozenUtilidades::TextoADoble(const QString& texto) const
{
    return lang::amountNumber(texto);
}

QVariant KumozenUtilidades::ValorNoNulo(const QVariant& valor) const
{
    if (lang::isNull(valor))
        return QVariant(QString());
    return valor;
}

int KumozenUtilidades::CuentaPalabras(const QString& texto) const
{
    int count = 0;
    bool inWord = false;
    for (const QChar c : texto) {
        const bool blank = c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
        if (!blank && !inWord)
            ++count;
        inWord = !blank;
    }
    return count;
}

QString KumozenUtilidades::QuitaCaracteres(const QString& texto, const QString& c1, const QString& c2,
                                           const QString& c3) const
{
    const QString drop = c1 + c2 + c3;
    QString out;
    out.reserve(texto.size());
    for (const QChar c : texto)
        if (!drop.contains(c))
            out += c;
    return out;
}

QString KumozenUtilidades::ReemplazaTexto(const QString& texto, const QString& buscado, const QString& nuevo) const
{
    if (buscado.isEmpty())
        return texto;
    QString out = texto;
    return out.replace(buscado, nuevo, Qt::CaseSensitive);
}

QString KumozenUtilidades::ReemplazaCadena(const QString& texto, const QString& buscado, const QString& nuevo) const
{
    return ReemplazaTexto(texto, buscado, nuevo);
}

void KumozenUtilidades::AjustaFormulario(QWidget* formulario, int) const
{
    if (!formulario)
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect g = formulario->frameGeometry();
    if (g.width() > area.width() || g.height() > area.height())
        formulario->resize(std::min(formulario->width(), area.width()), std::min(formulario->height(), area.height()));
    g = formulario->frameGeometry();
    if (!area.contains(g))
        formulario->move(std::clamp(g.left(), area.left(), std::max(area.left(), area.right() - g.width())),
                         std::clamp(g.top(), area.top(), std::max(area.top(), area.bottom() - g.height())));
}

QString KumozenUtilidades::AlineaDerecha(const QString& texto, int ancho) const
{
    if (texto.size() >= ancho)
        return texto;
    return texto.rightJustified(ancho, u' ');
}

int KumozenUtilidades::MuestraError(const RuntimeError& err, const QVariant&, const QString& origen) const
{
    return prompts().errorDialog(err, origen);
}

namespace {
// A fixed key stream; the cipher only keeps the stored credentials from being
// read at a glance, as the settings file always did.
constexpr char kKey[] = "Asignacion.Posiciones";
}

QString KumozenUtilidades::Encripta(const QString& texto) const
{
    const QByteArray plain = texto.toUtf8();
    QByteArray out;
    out.reserve(plain.size());
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const auto k = static_cast<unsigned char>(kKey[i % (sizeof(kKey) - 1)]);
        out.append(static_cast<char>(static_cast<unsigned char>(plain[i]) ^ k ^ static_cast<unsigned char>(i * 7)));
    }
    return QString::fromLatin1(out.toHex()).toUpper();
}

QString KumozenUtilidades::Desencripta(const QString& texto) const
{
    const QByteArray data = QByteArray::fromHex(texto.trimmed().toLatin1());
    QByteArray plain;
    plain.reserve(data.size());
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto k = static_cast<unsigned char>(kKey[i % (sizeof(kKey) - 1)]);
        plain.append(static_cast<char>(static_cast<unsigned char>(data[i]) ^ k ^ static_cast<unsigned char>(i * 7)));
    }
    return QString::fromUtf8(plain);
}

QString KumozenUtilidades::AgregaBarra(const QString& ruta) const
{
    // The program builds file paths by appending names to the folder, so the
    // folder always ends in a separator; on this platform that is "/".
    if (ruta.endsWith(u'/') || ruta.endsWith(u'\\'))
        return ruta;
    return ruta + u'/';
}
