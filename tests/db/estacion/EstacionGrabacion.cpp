// Another station for the tests of lines saved by several stations at once:
// a process of its own, with its own connection. Arguments: the connection
// string, the prefix of its articles, how many lines, and a file to create
// once the database is open. Line i moves 2 UN of article <prefix><i> in
// depot 1 to position P1, as the first line of a new voucher. While another
// station holds the database the operator waits and tries again, as the
// error dialog offers; every box shown is written on the standard output, a
// line each, the error dialog's as "[number] origin: text". Exit code: the
// lines not saved (0 when every one was), 200 when the database did not open.
#include "core/DB_Dll.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/db/NativeErrors.h"
#include "positions/GrabacionTransferencia.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <cstdio>

namespace {

class Operador : public Prompts {
    static void escribe(const QString& que)
    {
        std::printf("%s\n", qPrintable(QString(que).replace(u'\n', u' ').replace(u'\r', u' ')));
        std::fflush(stdout);
    }

public:
    int messageBox(const QString& text, int, const QString&) override
    {
        escribe(text);
        return prompt::Ok;
    }
    QString inputBox(const QString& texto, const QString&, const QString&) override
    {
        escribe(texto);
        return {};
    }
    int errorDialog(const RuntimeError& e, const QString& origen) override
    {
        escribe(QStringLiteral("[%1] %2: %3").arg(e.number()).arg(origen, e.description()));
        return e.number() == db::serverError::Locked ? prompt::ErrorRetry : prompt::ErrorLeave;
    }
    int showModal(QDialog& f) override
    {
        escribe(f.objectName());
        return 0;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 5)
        return 200;
    Operador operador;
    setPrompts(&operador);
    DB_Dll& db = ObjDB();
    db.gUsuario = QStringLiteral("ana");
    db.OpenServerADODB(false, 3, args[1]);
    if (!db.gOpenFlag)
        return 200;
    QFile(args[4]).open(QIODevice::WriteOnly);

    const CabeceraTransferencia cabecera{{QStringLiteral("0001"), QStringLiteral("00000001"), QStringLiteral("X")},
                                         QStringLiteral("1")};
    int perdidas = 0;
    for (int i = 0; i < args[3].toInt(); ++i) {
        const LineaTransferencia linea{(args[2] + QString::number(i)).rightJustified(25), QStringLiteral("ARTICULO"), {},
                                       QStringLiteral("UN"), QStringLiteral("2"), QStringLiteral("|2|"),
                                       QStringLiteral("|P1|"), QString()};
        bool hayError = false;
        if (!GrabaLineaTransferencia(db, cabecera, NumeracionLinea::Nueva, linea, QStringLiteral("ana"),
                                     QDate(2024, 12, 10), hayError)
                 .grabada)
            ++perdidas;
    }
    releaseObjDB();
    return perdidas;
}
