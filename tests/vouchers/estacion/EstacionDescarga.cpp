// Another station for the tests of stock written by several stations at
// once: a process of its own, with its own connection. Arguments: the
// database file, the mode ("directo": each voucher's stock written at once;
// "lote": its batch built, then run in a transaction of its own), the number
// of the first voucher, how many vouchers, the lines of 10 PROD in each, and
// a file to create the moment the first update starts. The vouchers are FC
// 0001-number-X, numbered on from the first. A busy database is waited for,
// as an operator answers the error dialog. Exit code 0 when every voucher
// was written, 1 when one was not, 2 when anything else modal came up (told
// on the standard output), 3 when the database did not open.
#include "../ComprobanteStock.h"
#include "../FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/db/NativeErrors.h"
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
    int errorDialog(const RuntimeError& e, const QString& o) override
    {
        if (e.number() == db::serverError::Locked)
            return prompt::ErrorRetry;
        sale(o + QStringLiteral(": ") + e.description());
    }
    int showModal(QDialog& f) override { sale(f.objectName()); }
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 7)
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

    const bool lote = args[2] == u"lote";
    const int primero = args[3].toInt();
    const int cuantos = args[4].toInt();
    FormularioComprobante f;
    for (int i = 0; i < args[5].toInt(); ++i)
        LineaArticulo(f.articulos, QStringLiteral("PROD"), QStringLiteral("10"));
    const ClsCmnCptes cls;
    QFile(args[6]).open(QIODevice::WriteOnly);
    bool todos = true;
    for (int n = primero; n < primero + cuantos; ++n) {
        ArgumentosStock a;
        a.GeneraSentenciaSQL = lote;
        const QString id = QStringLiteral("0001%1X").arg(n, 8, 10, QLatin1Char('0'));
        cls.ActualizaStock(f.articulos, QStringLiteral("FC"), id, QStringLiteral("0"), QStringLiteral("10/12/2024"), a);
        if (!a.HayError && lote) {
            std::int32_t nro = 0;
            EjecutaTransaccion(a.SQLTemp.split(u'\r'), a.HayError, nro, false);
        }
        todos = todos && !a.HayError;
    }
    releaseObjDB();
    return todos ? 0 : 1;
}
