// A company database whose shared master tables are reached through their
// synonyms, as on a server where those tables live in another database: the
// start-up form opens it when it holds each table by the name the program's
// statements reach, and refuses it, naming that name, when it does not.
#include "PantallaAsignacion.h"

#include "core/DB_Dll.h"
#include "core/Sistema.h"
#include "platform/Prompts.h"
#include "tests/support/ScriptedPrompts.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(AsignarUbicacionForm, ADatabaseIsCheckedForTheTablesByTheNamesItsStatementsReach)
{
    struct Caso {
        const char* nombre;
        const char* cambio;    // run on a demo copy
        const char* rechazo;   // words of the refusal; "" when it opens
    } casos[] = {
        {"the depots only through their synonym, over a table of another name",
         "DROP VIEW SS_V_TA_DEPOSITO; ALTER TABLE V_TA_Deposito RENAME TO Depositos_Empresa; "
         "CREATE VIEW SS_V_TA_DEPOSITO AS SELECT * FROM Depositos_Empresa;",
         ""},
        {"the depot table without its synonym", "DROP VIEW SS_V_TA_DEPOSITO;", "(le faltan SS_V_TA_DEPOSITO)"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        Pantalla p({}, QString::fromLatin1(c.cambio), true);
        releaseObjDB();
        p.maquina.parameters = p.db.parameters() + QStringLiteral("@DEPOSITO=1;");
        int terminado = 0;
        EstableceTerminaPrograma([&] { ++terminado; });
        {
            ScopedPrompts s;
            if (*c.rechazo)
                s.answerMessage(prompt::No, QString::fromLatin1(c.rechazo));
            p.f->Form_Load();
        }
        EstableceTerminaPrograma({});
        EXPECT_EQ(terminado, *c.rechazo ? 1 : 0);
        EXPECT_EQ(ObjDB().gOpenFlag, !*c.rechazo);
        if (!*c.rechazo) {
            EXPECT_EQ(p.f->LblDescDeposito->text(), "Deposito Central") << "read through the synonym";
        }
    }
}
