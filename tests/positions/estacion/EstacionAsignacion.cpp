// Another station for the tests of what several stations write at once: a
// process of its own, with its own connection, that saves lines of depot 1
// through the start-up form's save, each as a new TRP voucher. Arguments:
// the database file, a seed, how many lines (0: on until the process is
// killed), the positions each line is spread over (a "|"-list), and a file
// to create the moment the first save starts; each save is told on the
// standard output between "<" and ">". Each line is one that the
// list of lines without position shows with stock, chosen by the seed, and
// part of it is spread over the positions. A refusal (another station placed
// the line meanwhile) is not a failure; a busy database is waited for, as an
// operator answers the error dialog. Exit code 0 when every save ended, 2
// when anything else modal came up (told on the standard output), 3 when the
// database did not open.
#include "core/DB_Dll.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/NativeErrors.h"
#include "positions/GrabacionTransferencia.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

class Operador : public Prompts {
    [[noreturn]] static void sale(const QString& que)
    {
        std::printf("ventana inesperada: %s\n", qPrintable(que));
        std::fflush(stdout);
        std::_Exit(2);
    }

public:
    int messageBox(const QString& text, int, const QString&) override
    {
        if (text.startsWith(QStringLiteral("La linea no se grabo")))
            return prompt::Ok;
        sale(text);
    }
    QString inputBox(const QString& p, const QString&, const QString&) override { sale(p); }
    int errorDialog(const RuntimeError& e, const QString& o) override
    {
        if (e.number() == db::serverError::Locked)
            return prompt::ErrorRetry;
        sale(o + QStringLiteral(": ") + e.description());
    }
    int showModal(QDialog&) override { sale(QStringLiteral("formulario")); }
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 6)
        return 3;
    Operador operador;
    setPrompts(&operador);
    DB_Dll& db = ObjDB();
    db.gServidor = QStringLiteral("(sqlite)");
    db.gDbName = args[1];
    db.gUsuario = QStringLiteral("luis");
    db.OpenServerADODB(false, 3, QString());
    if (!db.gOpenFlag)
        return 3;

    std::mt19937 azar(args[2].toUInt());
    const int lineas = args[3].toInt();
    const QStringList posiciones = args[4].split(u'|', Qt::SkipEmptyParts);
    bool marcada = false;
    for (int n = 0; lineas == 0 || n < lineas; ++n) {
        db::Recordset rs;
        db.AbrirRecordset(QStringLiteral("SELECT IdArticulo, Descripcion, NroLote, idUnidadARTICULO, Cantidad, id FROM "
                                         "Stk_Dravelo_Sin_Asignar WHERE iddeposito = '   1' AND Cantidad > 0"),
                          rs);
        std::vector<LineaTransferencia> conStock;
        for (; !rs.Eof(); rs.MoveNext())
            conStock.push_back({lang::text(rs.value(0)), lang::text(rs.value(1)), lang::text(rs.value(2)),
                                lang::text(rs.value(3)), lang::text(rs.value(4)), {}, {}, lang::text(rs.value(5))});
        db.CierraRecordset(rs);
        if (conStock.empty())
            break;
        LineaTransferencia l = conStock[azar() % conStock.size()];
        // A hundredth of a unit for each position, from what the line holds.
        const int centesimos = static_cast<int>(lang::number(l.Transferir) * 100);
        const int partes = static_cast<int>(std::min<qsizetype>(posiciones.size(), centesimos));
        if (partes == 0)
            continue;
        l.Transferir = QString::number(static_cast<double>(partes) / 100, 'f', 2);
        for (int i = 0; i < partes; ++i) {
            l.Posiciones += u'|' + posiciones[i];
            l.Cantidades += QStringLiteral("|0.01");
        }
        l.Posiciones += u'|';
        l.Cantidades += u'|';
        if (!marcada) {
            QFile(args[5]).open(QIODevice::WriteOnly);
            marcada = true;
        }
        // Each save between "<" and ">" on the standard output: a station
        // killed in the middle of one leaves a "<" last.
        std::printf("<");
        std::fflush(stdout);
        bool hayError = false;
        GrabaLineaTransferencia(db, {{}, QStringLiteral("1")}, NumeracionLinea::Nueva, l, QStringLiteral("luis"),
                                QDate(2024, 12, 10), hayError, AvisoOtroPuesto::Calla);
        std::printf(">");
        std::fflush(stdout);
    }
    setPrompts(nullptr);
    return 0;
}
