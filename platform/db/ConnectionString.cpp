#include "ConnectionString.h"

namespace db {

ConnectionString::ConnectionString(const QString& text) : m_text(text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype eq = text.indexOf(u'=', i);
        if (eq < 0)
            break;
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        while (i < n && text[i] == u' ')
            ++i;
        QString value;
        const QChar open = i < n ? text[i] : QChar();
        if (open == u'"' || open == u'\'' || open == u'{') {
            const QChar close = open == u'{' ? QChar(u'}') : open;
            ++i;
            while (i < n) {
                if (text[i] == close) {
                    if (i + 1 < n && text[i + 1] == close) {
                        value += close;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i++];
            }
            const qsizetype semi = text.indexOf(u';', i);
            i = semi < 0 ? n : semi + 1;
        } else {
            const qsizetype semi = text.indexOf(u';', i);
            value = text.mid(i, (semi < 0 ? n : semi) - i).trimmed();
            i = semi < 0 ? n : semi + 1;
        }
        if (!key.isEmpty())
            m_items.emplace_back(key, value);
    }
}

bool ConnectionString::has(const QString& key) const
{
    for (const auto& [k, v] : m_items)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString ConnectionString::value(const QStringList& keys) const
{
    for (const QString& key : keys)
        for (const auto& [k, v] : m_items)
            if (k.compare(key, Qt::CaseInsensitive) == 0)
                return v.trimmed();
    return {};
}

ConnectionString::Route ConnectionString::route() const
{
    const QString provider = value({QStringLiteral("Provider")});
    const QString server = value({QStringLiteral("Server"), QStringLiteral("Data Source")});
    if (provider.contains(QStringLiteral("ORACLE"), Qt::CaseInsensitive))
        return Route::Oracle;
    if (server.compare(u"(sqlite)", Qt::CaseInsensitive) == 0)
        return Route::Embedded;
    if (!provider.isEmpty()) {
        for (const char* p : {"SQLOLEDB", "SQLNCLI", "MSOLEDBSQL"})
            if (provider.startsWith(QLatin1String(p), Qt::CaseInsensitive))
                return Route::SqlServer;
        return Route::Unknown;
    }
    if (has(QStringLiteral("DRIVER")) || has(QStringLiteral("DSN")) || has(QStringLiteral("FILEDSN")))
        return Route::Odbc;
    if (has(QStringLiteral("Server")))
        return Route::SqlServer;
    return Route::Unknown;
}

bool ConnectionString::namesOracle() const
{
    QString word = value({QStringLiteral("Provider")});
    if (word.isEmpty())
        word = value({QStringLiteral("Driver")});
    return word.contains(QLatin1String("ORACLE"), Qt::CaseInsensitive);
}

QString ConnectionString::sqlServerOdbc(const QString& driver, const QString& user, const QString& password) const
{
    QString host = value({QStringLiteral("Server"), QStringLiteral("Data Source"), QStringLiteral("Address")});
    if (host.startsWith(u"tcp:", Qt::CaseInsensitive))
        host = host.mid(4);
    QString port;
    if (host.contains(u',')) {
        port = host.section(u',', 1).trimmed();
        host = host.section(u',', 0, 0).trimmed();
    } else if (!host.contains(u'\\')) {
        port = QStringLiteral("1433");
    }
    const QString uid = user.isEmpty() ? value({QStringLiteral("UId"), QStringLiteral("User Id"), QStringLiteral("User")}) : user;
    const QString pwd = password.isEmpty() ? value({QStringLiteral("Pwd"), QStringLiteral("Password")}) : password;
    QString out = QStringLiteral("Driver=%1;Server=%2;").arg(odbcValue(driver), odbcValue(host));
    if (!port.isEmpty())
        out += QStringLiteral("Port=%1;").arg(odbcValue(port));
    out += QStringLiteral("Database=%1;UID=%2;PWD=%3;TDS_Version=7.4;ClientCharset=UTF-8;")
               .arg(odbcValue(value({QStringLiteral("Database"), QStringLiteral("Initial Catalog")})), odbcValue(uid),
                    odbcValue(pwd));
    return out;
}

QString ConnectionString::oracleOdbc(const QString& driver, const QString& user, const QString& password) const
{
    const QString uid = user.isEmpty() ? value({QStringLiteral("User Id"), QStringLiteral("UId"), QStringLiteral("User")}) : user;
    const QString pwd = password.isEmpty() ? value({QStringLiteral("Password"), QStringLiteral("Pwd")}) : password;
    return QStringLiteral("Driver=%1;DBQ=%2;UID=%3;PWD=%4;")
        .arg(odbcValue(driver), odbcValue(value({QStringLiteral("Data Source")})), odbcValue(uid), odbcValue(pwd));
}

QString ConnectionString::embeddedPath() const
{
    return value({QStringLiteral("Database"), QStringLiteral("Initial Catalog"), QStringLiteral("AttachDbFilename")});
}

QString ConnectionString::databaseName() const
{
    return value({QStringLiteral("Database"), QStringLiteral("Initial Catalog"), QStringLiteral("AttachDbFilename"),
                  QStringLiteral("DBQ"), QStringLiteral("Data Source"), QStringLiteral("DSN"), QStringLiteral("FILEDSN")});
}

QString odbcValue(const QString& value)
{
    return u'{' + QString(value).replace(u'}', QStringLiteral("}}")) + u'}';
}

}  // namespace db
