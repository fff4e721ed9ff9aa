#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "tests/support/ScriptedPrompts.h"

#include <QDialog>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {
// A procedure of three steps whose second step fails `failures` times.
struct Procedure {
    int failures;
    QStringList trace;
    bool completed = false;

    bool run()
    {
        completed = ErrorTrap::showing(QStringLiteral("Procedimiento")).run({
            [&] { trace << "1"; },
            [&] {
                trace << "2";
                if (failures-- > 0)
                    throw RuntimeError(errnum::DivisionByZero, QStringLiteral("Division por cero"));
                trace << "2 ok";
            },
            [&] { trace << "3"; },
        });
        return completed;
    }
};
}  // namespace

TEST(ErrorTrapTest, RetryRunsTheFailingStepAgain)
{
    ScopedPrompts p;
    p.answerError(prompt::ErrorRetry, QStringLiteral("Procedimiento"));
    Procedure proc{1, {}};
    EXPECT_TRUE(proc.run());
    EXPECT_EQ(proc.trace, QStringList({"1", "2", "2", "2 ok", "3"}));
    ASSERT_EQ(p.shown().size(), 1u);
    EXPECT_EQ(p.shown()[0].errorNumber, errnum::DivisionByZero);
}

TEST(ErrorTrapTest, GoOnSkipsToTheNextStep)
{
    ScopedPrompts p;
    p.answerError(prompt::ErrorGoOn);
    Procedure proc{1, {}};
    EXPECT_TRUE(proc.run());
    EXPECT_EQ(proc.trace, QStringList({"1", "2", "3"}));
}

TEST(ErrorTrapTest, AnyOtherAnswerLeavesWithWhatWasDone)
{
    for (int answer : {0, 1, 3, 6, 7}) {
        ScopedPrompts p;
        p.answerError(answer);
        Procedure proc{1, {}};
        EXPECT_FALSE(proc.run()) << answer;
        EXPECT_EQ(proc.trace, QStringList({"1", "2"})) << answer;
    }
}

TEST(ErrorTrapTest, AHandlersErrorReachesTheErrorDialogUnderItsName)
{
    ScopedPrompts p;
    p.answerError(prompt::ErrorRetry, QStringLiteral("MSFlexGrid1_KeyDown"));
    int intentos = 0;
    EXPECT_NO_THROW(ErrorTrap::runHandler("MSFlexGrid1_KeyDown", [&] {
        if (intentos++ == 0)
            throw RuntimeError(errnum::DivisionByZero, QStringLiteral("Division por cero"));
    }));
    EXPECT_EQ(intentos, 2);
    EXPECT_EQ(p.pending(), 0);
}

TEST(ErrorTrapTest, SkippingTrapSaysNothing)
{
    QStringList trace;
    EXPECT_TRUE(ErrorTrap::skipping().run({[&] { throw RuntimeError(5, "x"); }, [&] { trace << "b"; }}));
    EXPECT_EQ(trace, QStringList({"b"}));
}

TEST(ErrorTrapTest, LeaveEndsTheProcedureWithoutAnError)
{
    QStringList trace;
    EXPECT_TRUE(ErrorTrap::skipping().run({[&] { trace << "a"; ErrorTrap::leave(); }, [&] { trace << "b"; }}));
    EXPECT_EQ(trace, QStringList({"a"}));
}

TEST(ScriptedPromptsTest, AnUnexpectedPromptFailsInsteadOfWaiting)
{
    ScriptedPrompts p;  // nothing expected
    int answer = -1;
    EXPECT_NONFATAL_FAILURE(answer = p.messageBox("¿Seguro?", prompt::YesNo | prompt::Question, "Aviso"),
                            "unexpected message box");
    EXPECT_EQ(answer, prompt::No);

    QDialog form;
    form.setObjectName(QStringLiteral("frmAcceso"));
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = p.showModal(form), "unexpected modal form");
    EXPECT_EQ(result, QDialog::Rejected);

    EXPECT_NONFATAL_FAILURE(p.errorDialog(RuntimeError(13, "x"), "Cfg"), "unexpected error dialog");
}

TEST(ScriptedPromptsTest, AModalFormIsPlayedByTheScript)
{
    ScopedPrompts p;
    QDialog form;
    form.setObjectName(QStringLiteral("frmAcceso"));
    p.onModal(QStringLiteral("frmAcceso"), [](QDialog& d) {
        d.setWindowTitle(QStringLiteral("tocado"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(prompts().showModal(form), QDialog::Accepted);
    EXPECT_EQ(form.windowTitle(), "tocado");
}
