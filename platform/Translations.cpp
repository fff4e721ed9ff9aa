#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installQtSpanish()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (app->findChild<QTranslator*>(QStringLiteral("qtbase_es")))
        return true;
    // Owned by the application, so it stays installed as long as it runs.
    auto* catalogue = new QTranslator(app);
    catalogue->setObjectName(QStringLiteral("qtbase_es"));
    if (!catalogue->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete catalogue;
        return false;
    }
    return QCoreApplication::installTranslator(catalogue);
}
