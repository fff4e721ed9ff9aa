// Charges applied to an account, and the vouchers issued from a voucher.
#include "vouchers/ClsCmnCptes.h"

#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {

// Budget 0001-00000015-X (complement 0) gave an invoice of 100 and a debit
// note of 50 on complement 0, a voided invoice of 30, and an invoice of 20 on
// complement 1. Budget 16 has only a voided child. The types are stored
// right-justified, as the toolkit writes them.
const char* const kHijos = R"(
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento, ANULADA, Importe, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES
  ('  FC', '000100000100A', 0, 0, 100, '  PR', '000100000015X', 0),
  ('  ND', '000100000101A', 0, 0, 50, '  PR', '000100000015X', 0),
  ('  FC', '000100000102A', 0, 1, 30, '  PR', '000100000015X', 0),
  ('  FC', '000100000103A', 0, 0, 20, '  PR', '000100000015X', 1),
  ('  FC', '000100000104A', 0, 0, NULL, '  PR', '000100000015X', 1),
  ('  FC', '000100000105A', 0, 1, 70, '  PR', '000100000016X', 0),
  ('  FC', '000100000106A', 0, 0, 999, '  OT', '000100000015X', 0);
INSERT INTO V_MV_CargosAplicados (CUENTA, SALDO) VALUES
  ('C0001', 100), ('C0001', 50.25), ('C0001', NULL), ('C0002', 7), ('O''HARA', 12);
)";

}  // namespace

TEST(CargosReales, TheBalanceOfAnAccountsCharges)
{
    TestDatabase db(QString::fromLatin1(kHijos));
    const ClsCmnCptes cls;
    const struct {
        const char* cuenta;
        const char* importe;
    } casos[] = {
        {"C0001", "150.25"},
        {"  c0001  ", "150.25"},  // trimmed, any case
        {"C9999", "0"},           // no charges: 0, not an error
        {"O'HARA", "12"},         // an apostrophe is part of the account
    };
    for (const auto& c : casos)
        EXPECT_EQ(cls.ImporteCargosReales(QString::fromLatin1(c.cuenta)).toString(), QLatin1String(c.importe))
            << c.cuenta;
}

TEST(CargosReales, AFailedReadGoesToTheErrorDialogAndGivesWhatItHolds)
{
    TestDatabase db;
    db.execute(QStringLiteral("DROP TABLE V_MV_CargosAplicados"));
    const ClsCmnCptes cls;
    ScopedPrompts prompts;
    // The statement's own report, then the read of the unopened result.
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("AbrirRecordset"));
    prompts.answerError(prompt::ErrorGoOn, QStringLiteral("ImporteCargosReales@"));
    EXPECT_EQ(cls.ImporteCargosReales(QStringLiteral("C0001")).toString(), QStringLiteral("0"));
}

TEST(CargosReales, VouchersIssuedFromAVoucher)
{
    TestDatabase db(QString::fromLatin1(kHijos));
    const ClsCmnCptes cls;
    const struct {
        const char* caso;
        const char* tc;
        const char* id;
        const char* complemento;
        bool anulados;
        bool relacionado;
    } casos[] = {
        {"children on complement 0", "PR", "000100000015X", "0", false, true},
        {"the type is right-justified and matched in any case", " pr ", " 000100000015X ", "0", false, true},
        {"complement 1 has its own children", "PR", "000100000015X", "1", false, true},
        {"no child on complement 2", "PR", "000100000015X", "2", false, false},
        {"only a voided child: not counted", "PR", "000100000016X", "0", false, false},
        {"only a voided child: counted when asked", "PR", "000100000016X", "0", true, true},
        {"an apostrophe in the id finds nothing and fails nothing", "PR", "0001'", "0", true, false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(cls.EstaRelacionadoAOtroComprobante(QString::fromLatin1(c.tc), QString::fromLatin1(c.id),
                                                      QString::fromLatin1(c.complemento), c.anulados),
                  c.relacionado)
            << c.caso;
}

// The complement goes into the statement as passed, blanks and all.
TEST(CargosReales, TheComplementIsMatchedAsPassed)
{
    TestDatabase db;
    const ClsCmnCptes cls;
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    cn->Open(QStringLiteral("(grabando)"));
    ObjDB().gOpenFlag = true;
    cls.EstaRelacionadoAOtroComprobante(QStringLiteral(" pr "), QStringLiteral(" 000100000015X "), QStringLiteral(" 1 "),
                                        false);
    EXPECT_EQ(cn->read, QStringList({"SELECT * FROM V_MV_CPTE WHERE TCORIGEN = '  pr' AND COMPROBANTEORIGEN = "
                                     "'000100000015X' AND COMPLEMENTOORIGEN = ' 1 '  AND ANULADA = 0"}));
    releaseObjDB();
}

TEST(CargosReales, TheAmountOfTheVouchersIssuedFromAVoucher)
{
    TestDatabase db(QString::fromLatin1(kHijos));
    const ClsCmnCptes cls;
    // 100 + 50 + 20 of every complement and a Null amount as 0; the voided 30
    // and the child of another type's voucher are left out.
    EXPECT_EQ(cls.ObtieneImporteCptesAsociados(QStringLiteral("PR"), QStringLiteral("000100000015X")).toString(),
              QStringLiteral("170"));
    EXPECT_EQ(cls.ObtieneImporteCptesAsociados(QStringLiteral("PR"), QStringLiteral("000100000016X")).toString(),
              QStringLiteral("0"));
    EXPECT_EQ(cls.ObtieneImporteCptesAsociados(QStringLiteral("PR"), QStringLiteral("000100000099X")).toString(),
              QStringLiteral("0"));
}

TEST(CargosReales, TheHostsFormGetsTheClientAndRegistrationAndIsShownModally)
{
    struct Control : FormularioCargosReales {
        QDialog ventana;
        QString cliente, matricula;
        Control() { ventana.setObjectName(QStringLiteral("FrmCtrlCargosReales")); }
        void setCliente(const QString& c) override { cliente = c; }
        void setMatricula(const QString& m) override { matricula = m; }
        QDialog& Formulario() override { return ventana; }
    } control;
    TestDatabase db;
    const ClsCmnCptes cls;
    ScopedPrompts prompts;
    QString alMostrar;
    prompts.onModal(QStringLiteral("FrmCtrlCargosReales"), [&](QDialog&) {
        alMostrar = control.cliente + u'/' + control.matricula;
        return int(QDialog::Accepted);
    });
    cls.ControlDeCargosReales(control, QStringLiteral("C0001"), QStringLiteral("AB 123 CD"));
    EXPECT_EQ(alMostrar, QStringLiteral("C0001/AB 123 CD"));
}
