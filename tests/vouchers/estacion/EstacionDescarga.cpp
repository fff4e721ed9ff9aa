// Another station for the tests of stock written by two stations at once: a
// process of its own, with its own connection. Arguments: the database file,
// the voucher id, a file to create the moment the update starts. It enters a
// line of 10 PROD in an FC voucher and writes its stock at once. Exit code 0
// when written, 1 when the update set HayError, 2 when anything modal came
// up (told on the standard output), 3 when the database did not open.
#include "../ComprobanteStock.h"
#include "../FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "vouchers/ClsCmnCptes.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace {

class SinVentanas : public Prompts {
    [[noreturn]] static void sale(const QString& que)
    {
        std::printf("ventana inesperada: %s\n", qPrintable(que));
        std::fflush(stdout);
        std::_Exit(2);
    }

public:
    int messageBox(const QString& text, int, const QString&) override { sale(text); }
    QString inputBox(const QString& p, const QString&, const QString&) override { sale(p); }
    int errorDialog(const RuntimeError& e, const QString& o) override { sale(o + QStringLiteral(": ") + e.description()); }
    int showModal(QDialog& f) override { sale(f.objectName()); }
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 4)
        return 3;
    SinVentanas sinVentanas;
    setPrompts(&sinVentanas);
    DB_Dll& db = ObjDB();
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = args[1];
    db.gUsuario = QStringLiteral("ana");
    db.OpenServerADODB(false, 3, QString());
    if (!db.gOpenFlag)
        return 3;

    FormularioComprobante f;
    for (int i = 0; i < 40; ++i)
        LineaArticulo(f.articulos, QStringLiteral("PROD"), QStringLiteral("10"));
    const ClsCmnCptes cls;
    QFile(args[3]).open(QIODevice::WriteOnly);
    ArgumentosStock a;
    cls.ActualizaStock(f.articulos, QStringLiteral("FC"), args[2], QStringLiteral("0"), QStringLiteral("10/12/2024"), a);
    releaseObjDB();
    return a.HayError ? 1 : 0;
}
