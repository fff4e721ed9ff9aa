#include "core/DB_Dll.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

TEST(AddField, SendsTheColumnDefinition)
{
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    ObjDB().AddField(QStringLiteral("AUX_ERR"), QStringLiteral("OBSERVACION"), QStringLiteral("varchar(50)"), true);
    ObjDB().AddField(QStringLiteral("AUX_ERR "), QStringLiteral(" REINTENTOS"), QStringLiteral("int"), false, 0);
    EXPECT_EQ(cn->executed,
              (QStringList{QStringLiteral("ALTER TABLE dbo.AUX_ERR ADD OBSERVACION varchar(50) Null "),
                           QStringLiteral("ALTER TABLE dbo.AUX_ERR  ADD  REINTENTOS int Not Null  CONSTRAINT DF_AUX_ERR_REINTENTOS DEFAULT (0)")}));
    releaseObjDB();
}

TEST(SchemaChecks, FindTablesAndColumnsAndAddAMissingColumn)
{
    TestDatabase t;
    DB_Dll& db = ObjDB();
    EXPECT_TRUE(db.ExisteTablaDB(QStringLiteral("aux_err   ")));
    EXPECT_FALSE(db.ExisteTablaDB(QStringLiteral("NoExiste")));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("AUX_ERR"), QStringLiteral(" descripcion ")));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("AUX_ERR"), QStringLiteral("REINTENTOS")));

    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("AUX_ERR"), QStringLiteral("REINTENTOS"), false, QStringLiteral("int"), false, 0));
    EXPECT_FALSE(db.ExisteCampoDB(QStringLiteral("AUX_ERR"), QStringLiteral("REINTENTOS")));
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("AUX_ERR"), QStringLiteral("REINTENTOS"), true, QStringLiteral("int"), false, 0));
    EXPECT_TRUE(db.ExisteCampoDB(QStringLiteral("AUX_ERR"), QStringLiteral("REINTENTOS")));
    EXPECT_TRUE(db.VerCampoDB(QStringLiteral("NoExiste"), QStringLiteral("X"), true, QStringLiteral("int"), true, {}));
}

TEST(SchemaChecks, AFailureGoesToTheErrorDialog)
{
    releaseObjDB();
    ScopedPrompts p;
    p.answerError(prompt::ErrorLeave, QStringLiteral("VerificaCampos"));
    EXPECT_FALSE(ObjDB().ExisteTablaDB(QStringLiteral("AUX_ERR")));
    p.answerError(prompt::ErrorLeave, QStringLiteral("errAddField"));
    ObjDB().AddField(QStringLiteral("AUX_ERR"), QStringLiteral("X"), QStringLiteral("int"), true);
    releaseObjDB();
}
