#include "Host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QSysInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <clocale>
#include <climits>

namespace {
Host* g_installed = nullptr;
}

Host& host()
{
    static SystemHost systemHost;
    return g_installed ? *g_installed : systemHost;
}

void setHost(Host* h)
{
    g_installed = h;
}

QString SystemHost::computerName() const
{
    return QSysInfo::machineHostName();
}

QString SystemHost::workstationUser() const
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    return user;
}

QString SystemHost::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString SystemHost::userDataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool Host::canCreateFilesIn(const QString& folder) const
{
    if (folder.isEmpty())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".escritura-XXXXXX")));
    return probe.open();
}

bool FixedHost::canCreateFilesIn(const QString& f) const
{
    for (const QString& readOnly : readOnlyFolders)
        if (QDir::cleanPath(readOnly) == QDir::cleanPath(f))
            return false;
    return Host::canCreateFilesIn(f);
}

QString SystemHost::executableName() const
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString SystemHost::commandLine() const
{
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return args.join(u' ');
}

QDateTime SystemHost::now() const
{
    return QDateTime::currentDateTime();
}

int SystemHost::currencyDigits() const
{
    const lconv* lc = std::localeconv();
    if (lc && lc->frac_digits != CHAR_MAX)
        return lc->frac_digits;
    return 2;
}

QChar SystemHost::decimalSign() const
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}
