#include "KumozenArchivoIni.h"

#include "platform/Host.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString KumozenArchivoIni::LeeIni(const QString& archivo, const QString& seccion, const QString& clave,
                                  const QString& defecto) const
{
    QString path = archivo;
    if (QFileInfo(archivo).isRelative())
        path = QDir(host().programFolder()).filePath(archivo);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return defecto;
    const QByteArray bytes = file.readAll();
    // Files written on the stations are in the ANSI code page; files saved by
    // newer editors are UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString content = utf8(bytes);
    if (utf8.hasError())
        content = QString::fromLatin1(bytes);

    bool inSection = false;
    const auto lines = content.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inSection = line.mid(1, line.size() - 2).trimmed().compare(seccion.trimmed(), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (line.left(eq).trimmed().compare(clave.trimmed(), Qt::CaseInsensitive) == 0) {
            QString value = line.mid(eq + 1).trimmed();
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
            return value;
        }
    }
    return defecto;
}
