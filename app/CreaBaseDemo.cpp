// Creates the embedded database file with the demo rows:
//     crea_base_demo /path/file.db
// An existing file is left as it is.
#include "db/EmbeddedDatabase.h"
#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "uso: crea_base_demo ARCHIVO.db\n");
        return 2;
    }
    const QString path = args.at(1);
    if (QFileInfo::exists(path))
        return 0;
    try {
        EmbeddedDatabase::create(path, true);
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
