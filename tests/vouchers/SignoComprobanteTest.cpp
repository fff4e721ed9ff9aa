// The stock and VAT-book sign of a voucher type.
#include "vouchers/ClsCmnCptes.h"

#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Types right-justified to 4, as stored. ND's row gives a stock direction
// that is neither E nor S; XX's sign is a stored 0; GR's sign does not fit
// in 16 bits.
const char* const kTipos = R"(
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, Signo) VALUES
  ('  IR', 1, 'e', 1), ('  VS', 1, 's', NULL), ('  NC', 1, NULL, NULL), ('  FC', 1, '', NULL),
  (' NCC', 1, NULL, NULL), ('  ND', 1, 'X', 5), ('  XX', 1, NULL, 0), ('  OT', 1, NULL, NULL),
  ('  GR', 1, 'E', 40000);
)";

}  // namespace

TEST(SignoComprobante, RowDecidesFirstThenTheTypeLists)
{
    TestDatabase db(QString::fromLatin1(kTipos));
    const ClsCmnCptes cls;
    struct Caso {
        const char* caso;
        const char* tipo;
        int stock;
        int libroIVA;
    } casos[] = {
        {"ES e in lower case, Signo given", "IR", 1, 1},
        {"ES s in lower case; Signo Null, any other type adds", "VS", -1, 1},
        {"credit note: in for stock, subtracts in the VAT book", "NC", 1, -1},
        {"invoice: out for stock, adds in the VAT book", "FC", -1, 1},
        {"credit note of purchases", "NCC", -1, -1},
        {"ES neither E nor S falls to the list; Signo as stored", "ND", -1, 5},
        {"Signo 0 is a sign, not Null; unlisted type moves no stock", "XX", 0, 0},
        {"unlisted type", "OT", 0, 1},
        {"code in lower case", "fc", -1, 1},
        {"code with blanks around still gets its sign", "  nc  ", 1, -1},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(cls.ObtieneSignoComprobante(QString::fromLatin1(c.tipo), false), c.stock) << c.caso;
        EXPECT_EQ(cls.ObtieneSignoComprobante(QString::fromLatin1(c.tipo), true), c.libroIVA) << c.caso;
    }
}

// The row's direction, in either case, wins over what the lists say of the
// type: an invoice stored as an entry comes in, a type of no list as well.
TEST(SignoComprobante, TheRowsDirectionWinsOverTheLists)
{
    TestDatabase db(QStringLiteral("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES) VALUES "
                                   "('  FC', 1, 'E'), ('  OX', 1, 'e'), ('  IR', 1, 'S');"));
    const ClsCmnCptes cls;
    struct Caso {
        const char* tipo;
        int stock;
    } casos[] = {{"FC", 1}, {"OX", 1}, {"IR", -1}};
    for (const auto& c : casos)
        EXPECT_EQ(cls.ObtieneSignoComprobante(QString::fromLatin1(c.tipo), false), c.stock) << c.tipo;
}

TEST(SignoComprobante, AMissingTypeIsToldAndGivesZero)
{
    TestDatabase db(QString::fromLatin1(kTipos));
    const ClsCmnCptes cls;
    ScopedPrompts prompts;
    for (bool libroIVA : {false, true}) {
        prompts.answerMessage(prompt::Ok, QStringLiteral("no existe en la tabla de comprobantes"));
        EXPECT_EQ(cls.ObtieneSignoComprobante(QStringLiteral("ZZ"), libroIVA), 0);
        ASSERT_FALSE(prompts.shown().empty());
        const auto& aviso = prompts.shown().back();
        EXPECT_EQ(aviso.text, QStringLiteral("El Tipo de Comprobante informado no existe en la tabla de comprobantes"));
        EXPECT_EQ(aviso.title, QStringLiteral("Aviso al operador!!!"));
        EXPECT_EQ(aviso.style, prompt::OkOnly | prompt::Critical);
    }

    // A stored sign past 16 bits goes to the error dialog; leaving gives 0.
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("ObtieneSignoComprobante"));
    EXPECT_EQ(cls.ObtieneSignoComprobante(QStringLiteral("GR"), true), 0);
}
