#include "MascaraConsulta.h"

#include "platform/Value.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QFile>

std::optional<MascaraConsulta> BuscaMascaraConsulta(const QString& ruta, const QString& tabla)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    const KumozenUtilidades util;
    const QString buscada = tabla.trimmed();
    while (!archivo.atEnd()) {
        const QByteArray registro = archivo.read(MascaraConsulta::Largo);
        if (registro.isEmpty())
            break;
        MascaraConsulta m = MascaraConsulta::DeRegistro(registro);
        m.Tabla = util.QuitaCaracteres(m.Tabla, QString(QChar(0)), QString(QChar(255))).trimmed();
        if (lang::sameText(m.Tabla, buscada))
            return m;
    }
    return std::nullopt;
}
