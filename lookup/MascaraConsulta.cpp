#include "MascaraConsulta.h"

#include "platform/Value.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QFile>

namespace {
constexpr qsizetype LargoRegistro = 1202;
constexpr qsizetype InicioTabla = 100;
constexpr qsizetype InicioCampos = 200;
constexpr qsizetype InicioCondicion = 700;
constexpr qsizetype LargoTexto = 100;
constexpr qsizetype LargoLista = 500;

QString campo(const QByteArray& registro, qsizetype inicio, qsizetype largo)
{
    return QString::fromLatin1(registro.mid(inicio, largo));
}
}  // namespace

std::optional<MascaraConsulta> BuscaMascaraConsulta(const QString& ruta, const QString& tabla)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    const KumozenUtilidades util;
    const QString buscada = tabla.trimmed();
    while (!archivo.atEnd()) {
        QByteArray registro = archivo.read(LargoRegistro);
        if (registro.isEmpty())
            break;
        // A short last record reads as if padded, the way a record read past
        // the end of a random-access file comes back.
        registro.append(LargoRegistro - registro.size(), ' ');
        const QString limpia = util.QuitaCaracteres(campo(registro, InicioTabla, LargoTexto), QString(QChar(0)),
                                                    QString(QChar(255)))
                                   .trimmed();
        if (lang::sameText(limpia, buscada)) {
            return MascaraConsulta{campo(registro, 0, LargoTexto), limpia,
                                   campo(registro, InicioCampos, LargoLista),
                                   campo(registro, InicioCondicion, LargoLista)};
        }
    }
    return std::nullopt;
}
