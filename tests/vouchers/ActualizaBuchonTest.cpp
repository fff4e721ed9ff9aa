// The audit row of an action on a voucher.
#include "vouchers/ClsCmnCptes.h"

#include "ComprobanteStock.h"
#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "platform/RuntimeError.h"
#include "tests/support/HostDePrueba.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

struct Auditoria {
    HostDePrueba maquina;
    TestDatabase base;
    ClsCmnCptes cls;

    Auditoria()
    {
        maquina.clock = QDateTime(QDate(2026, 12, 9), QTime(7, 5, 59));
        maquina.computer = QStringLiteral("PC07");
        UsuarioLogeado = QStringLiteral("o'neil");
    }
    ~Auditoria() { UsuarioLogeado.clear(); }
};

}  // namespace

TEST(ActualizaBuchon, TheActionByFlagsHandedBackOrWritten)
{
    Auditoria t;
    struct Caso {
        const char* caso;
        bool alta;
        bool modificacion;
        const char* accion;
    } casos[] = {
        {"a new voucher", true, false, "A"},
        {"both flags: new wins", true, true, "A"},
        {"a changed voucher", false, true, "M"},
        {"neither: a deleted voucher", false, false, "B"},
    };
    for (const Caso& c : casos) {
        QString sentencia = QStringLiteral("lo que tenia");
        t.cls.ActualizaBuchon(QStringLiteral(" FC "), QStringLiteral("000100000015A"), QStringLiteral("3"), c.alta,
                              c.modificacion, true, sentencia);
        EXPECT_EQ(sentencia, QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,"
                                            "FECHAHORA,Usuario,PC,SYSTEMUSER) VALUES ('  FC','000100000015A',3,'%1',"
                                            "'09/12/26 07:05','o''neil','PC07','')")
                                 .arg(QLatin1String(c.accion)))
            << c.caso;
    }
    EXPECT_EQ(ValorDe("SELECT COUNT(*) FROM V_MV_CPTEACCIONES"), "0") << "handed back, never executed";

    QString sinCambio = QStringLiteral("sin cambio");
    t.cls.ActualizaBuchon(QStringLiteral("FC"), QStringLiteral("000100000015A"), QStringLiteral("0"), false, true,
                          false, sinCambio);
    EXPECT_EQ(sinCambio, "sin cambio");
    EXPECT_EQ(ValorDe("SELECT TC || '|' || IdComprobante || '|' || IdComplemento || '|' || Tipo_accion || '|' || "
                      "FECHAHORA || '|' || Usuario || '|' || PC || '|' || SYSTEMUSER FROM V_MV_CPTEACCIONES"),
              "  FC|000100000015A|0|M|09/12/26 07:05|o'neil|PC07|");
}

TEST(ActualizaBuchon, AFailureGoesToTheErrorDialog)
{
    Auditoria t;
    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("ActualizaBuchon"));
    QString sentencia;
    t.cls.ActualizaBuchon(QStringLiteral("FC"), QStringLiteral("000100000015A"), QStringLiteral("1; DROP"), true,
                          false, false, sentencia);
    EXPECT_EQ(prompts.shown().at(0).errorNumber, errnum::TypeMismatch) << "a complement that is no number";

    ObjDB().gCnn().Close();
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("ActualizaBuchon"));
    t.cls.ActualizaBuchon(QStringLiteral("FC"), QStringLiteral("000100000015A"), QStringLiteral("0"), true, false,
                          false, sentencia);
    EXPECT_EQ(prompts.shown().size(), 2u) << "no connection: told, and the caller goes on";
    EXPECT_EQ(sentencia, "");
}
