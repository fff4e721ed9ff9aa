#include "core/DB_Dll.h"
#include "core/frmAcceso.h"
#include "db/EmbeddedDatabase.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingConnection.h"
#include "tests/support/ScriptedPrompts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A fresh data-access object with a recording connection.
struct Fixture {
    RecordingConnection* cn;
    Fixture() : cn(RecordingConnection::installInObjDB())
    {
        ObjDB().gServidor = QStringLiteral("SRV1");
        ObjDB().gDbName = QStringLiteral("STOCK");
        ObjDB().gUsuario = QStringLiteral("u1");
        ObjDB().gUserPassWord = QStringLiteral("p1");
    }
    ~Fixture() { releaseObjDB(); }
};

// Plays the operator on the connection dialog.
std::function<int(QDialog&)> answer(const QString& server, const QString& database, int platform, bool accept = true)
{
    return [=](QDialog& d) {
        auto& form = static_cast<frmAcceso&>(d);
        form.TxtServidor->setText(server);
        form.TxtDbName->setText(database);
        form.CboPlataformaDB->setCurrentIndex(platform);
        (accept ? form.bcAceptar : form.bcCancelar)->click();
        return form.result();
    };
}

struct FailingWithoutErrors : db::Connection {
    void Open(const QString&, const QString&, const QString&, int) override
    {
        throw RuntimeError(3706, QStringLiteral("No se encuentra el proveedor."));
    }
};

}  // namespace

TEST(OpenServerADODB, BuildsTheConnectionStringFromTheLoginMembers)
{
    struct Case {
        const char* what;
        QString provider;
        QString extended;
        QString password;
        QString expected;
    } cases[] = {
        {"SQL Server by default", {}, {}, QStringLiteral("p1"),
         QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV1;Database =STOCK;UId=u1;Pwd=p1;")},
        {"the extension follows the last item", QStringLiteral("SQLOLEDB"), QStringLiteral("Network Library=DBMSSOCN;"),
         QStringLiteral("p1"), QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV1;Database =STOCK;UId=u1;Pwd=p1;Network Library=DBMSSOCN;")},
        {"Oracle takes the database as its data source", QStringLiteral("OraOLEDB.Oracle.1"), {}, QStringLiteral("p1"),
         QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=STOCK;User Id=u1;Password=p1;")},
        {"a password holding a semicolon stays one value", {}, {}, QStringLiteral("a;b\"c"),
         QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV1;Database =STOCK;UId=u1;Pwd=\"a;b\"\"c\";")},
    };
    for (const Case& c : cases) {
        Fixture f;
        ObjDB().gProveedor = c.provider;
        ObjDB().gExtended = c.extended;
        ObjDB().gUserPassWord = c.password;
        ObjDB().OpenServerADODB(false, 3, QString());
        EXPECT_TRUE(ObjDB().gOpenFlag) << c.what;
        EXPECT_EQ(ObjDB().gConnString, c.expected) << c.what;
        EXPECT_EQ(f.cn->opened, QStringList{c.expected}) << c.what;
        EXPECT_EQ(ObjDB().gProveedor, c.provider.isEmpty() ? QStringLiteral("SQLOLEDB") : c.provider) << c.what;
        EXPECT_EQ(f.cn->CursorLocation(), 3) << c.what;
    }
}

TEST(OpenServerADODB, OpensAGivenStringAsItIs)
{
    Fixture f;
    ObjDB().OpenServerADODB(false, 2, QStringLiteral("DRIVER={SQLite3};Database=/tmp/x.db;"));
    EXPECT_EQ(f.cn->opened, QStringList{QStringLiteral("DRIVER={SQLite3};Database=/tmp/x.db;")});
    EXPECT_EQ(f.cn->CursorLocation(), 2);
}

TEST(OpenServerADODB, AsksForTheParametersAndRebuildsTheString)
{
    Fixture f;
    ObjDB().gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    ScopedPrompts p;
    p.onModal(QStringLiteral("frmAcceso"), [](QDialog& d) {
        auto& form = static_cast<frmAcceso&>(d);
        // The login members are shown; the platform starts at SQL Server.
        EXPECT_EQ(form.TxtServidor->text(), QStringLiteral("SRV1"));
        EXPECT_EQ(form.TxtDbName->text(), QStringLiteral("STOCK"));
        EXPECT_EQ(form.TxtUserId->text(), QStringLiteral("u1"));
        EXPECT_EQ(form.TxtUserPassword->text(), QStringLiteral("p1"));
        EXPECT_EQ(form.CboPlataformaDB->currentIndex(), 0);
        form.TxtServidor->setText(QStringLiteral("SRV2 "));
        form.bcAceptar->click();
        return int(QDialog::Accepted);
    });
    ObjDB().OpenServerADODB(true, 3, QStringLiteral("DRIVER={X};"));
    EXPECT_TRUE(ObjDB().gOpenFlag);
    EXPECT_EQ(ObjDB().gServidor, QStringLiteral("SRV2 ")) << "taken as typed";
    EXPECT_EQ(f.cn->opened, QStringList{QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV2 ;Database =STOCK;UId=u1;Pwd=p1;")});
}

TEST(OpenServerADODB, ChoosingOracleIgnoresTheServer)
{
    Fixture f;
    ScopedPrompts p;
    p.onModal(QStringLiteral("frmAcceso"), answer(QStringLiteral("SRV9"), QStringLiteral("ORCL"), 1));
    ObjDB().OpenServerADODB(true);
    EXPECT_EQ(ObjDB().gProveedor, QStringLiteral("OraOLEDB.Oracle.1"));
    EXPECT_EQ(f.cn->opened, QStringList{QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u1;Password=p1;")});
}

TEST(OpenServerADODB, CancelInTheDialogOpensNothing)
{
    Fixture f;
    ScopedPrompts p;
    p.onModal(QStringLiteral("frmAcceso"), answer(QStringLiteral("x"), QStringLiteral("y"), 0, false));
    ObjDB().OpenServerADODB(true);
    EXPECT_FALSE(ObjDB().gOpenFlag);
    EXPECT_TRUE(f.cn->opened.isEmpty());
    EXPECT_TRUE(p.messages().isEmpty());
    EXPECT_EQ(ObjDB().gServidor, QStringLiteral("SRV1"));
}

TEST(OpenServerADODB, OffersToRetryAFailedOpenWithCorrectedParameters)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("bueno.db"));
    EmbeddedDatabase::create(good, false);
    const QString missing = dir.filePath(QStringLiteral("falta.db"));

    releaseObjDB();
    ObjDB().gServidor = QStringLiteral("(sqlite)");
    ObjDB().gDbName = missing;
    ScopedPrompts p;
    p.answerMessage(prompt::Yes, QStringLiteral("Desea Intentarlo Nuevamente"));
    p.onModal(QStringLiteral("frmAcceso"), [&](QDialog& d) {
        auto& form = static_cast<frmAcceso&>(d);
        EXPECT_EQ(form.TxtDbName->text(), missing) << "the last values are shown";
        form.TxtDbName->setText(good);
        form.bcAceptar->click();
        return int(QDialog::Accepted);
    });
    // The string the caller gave is replaced by the one the dialog builds.
    ObjDB().OpenServerADODB(false, 3,
                            QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=;Pwd=;").arg(missing));
    EXPECT_TRUE(ObjDB().gOpenFlag);
    EXPECT_EQ(ObjDB().gCnn().State(), db::state::Open);
    EXPECT_EQ(ObjDB().gCnn().errors().Count(), 0);
    ASSERT_FALSE(p.shown().empty());
    const auto& box = p.shown().front();
    EXPECT_EQ(box.title, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_EQ(box.style, prompt::YesNo | prompt::Critical);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral(" Estado de Sql: 08004\nNumero de Error: 4060\nDescripcion: ")));
    EXPECT_TRUE(box.text.endsWith(QStringLiteral("\nCodigo Nativo: 4060\n - Desea Intentarlo Nuevamente??? ")));
    releaseObjDB();
}

TEST(OpenServerADODB, RefusingTheRetryLeavesNoConnection)
{
    QTemporaryDir dir;
    for (const bool cancelDialog : {false, true}) {
        releaseObjDB();
        ObjDB().gServidor = QStringLiteral("(sqlite)");
        ObjDB().gDbName = dir.filePath(QStringLiteral("falta.db"));
        ScopedPrompts p;
        if (cancelDialog) {
            p.answerMessage(prompt::Yes, QStringLiteral("Desea Intentarlo"));
            p.onModal(QStringLiteral("frmAcceso"), answer(QStringLiteral("(sqlite)"), QStringLiteral("x"), 0, false));
        } else {
            p.answerMessage(prompt::No, QStringLiteral("Desea Intentarlo"));
        }
        ObjDB().OpenServerADODB();
        EXPECT_FALSE(ObjDB().gOpenFlag) << cancelDialog;
        EXPECT_EQ(ObjDB().gCnn().State(), db::state::Closed) << cancelDialog;
    }
    releaseObjDB();
}

TEST(OpenServerADODB, AFailureWithoutProviderErrorsShowsItsTextAndLeavesTheFlagFalse)
{
    releaseObjDB();
    ObjDB().setConnection(std::make_unique<FailingWithoutErrors>());
    ScopedPrompts p;
    p.answerMessage(prompt::Ok, QStringLiteral("No se encuentra el proveedor."));
    ObjDB().OpenServerADODB(false, 3, QStringLiteral("PROVIDER=SQLOLEDB;Server=x;"));
    EXPECT_FALSE(ObjDB().gOpenFlag) << "start-up must not go on without a database";
    ASSERT_EQ(p.shown().size(), 1u);
    EXPECT_EQ(p.shown().front().style, prompt::OkOnly);
    releaseObjDB();
}

TEST(OpenServerADODB, TheLocalOpenAndTheProviderNamesChangeNothing)
{
    Fixture f;
    ObjDB().OpenLocalADODB(QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"));
    EXPECT_TRUE(f.cn->opened.isEmpty());
    EXPECT_FALSE(ObjDB().gOpenFlag);
    EXPECT_EQ(ObjDB().pJETOLEDB40(), QStringLiteral("Microsoft.Jet.OLEDB.4.0"));
    EXPECT_EQ(ObjDB().pJETOLEDB35(), QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
    EXPECT_EQ(ObjDB().pSQLOLEDB(), QStringLiteral("SQLOLEDB"));
}

TEST(frmAcceso, HasTheControlsLabelsAndTabOrderOfTheConnectionDialog)
{
    frmAcceso form;
    EXPECT_EQ(form.objectName(), QStringLiteral("frmAcceso"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control de Acceso"));
    EXPECT_EQ(form.framAcceso->objectName(), QStringLiteral("framAcceso"));
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {form.lbUsuario, form.TxtUserId}, {form.lbcontrasena, form.TxtUserPassword},
        {form.Label1, form.TxtDbName}, {form.Label2, form.TxtServidor}};
    const QStringList captions = {QStringLiteral("&Usuario"), QStringLiteral("&Contraseña"), QStringLiteral("&Base de Datos"),
                                  QStringLiteral("&Servidor")};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(rows[i].first->text(), captions[static_cast<qsizetype>(i)]);
        EXPECT_EQ(rows[i].first->buddy(), rows[i].second);
    }
    EXPECT_EQ(form.TxtUserPassword->echoMode(), QLineEdit::Password);
    ASSERT_EQ(form.CboPlataformaDB->count(), 2);
    EXPECT_EQ(form.CboPlataformaDB->itemText(0), QStringLiteral("SQL Server"));
    EXPECT_EQ(form.CboPlataformaDB->itemText(1), QStringLiteral("ORACLE"));
    EXPECT_EQ(form.bcAceptar->text(), QStringLiteral("Aceptar"));
    EXPECT_EQ(form.bcCancelar->text(), QStringLiteral("Cancelar"));
    EXPECT_TRUE(form.bcAceptar->isDefault());
    const QWidget* order[] = {form.TxtUserId, form.TxtUserPassword, form.TxtDbName, form.TxtServidor,
                              form.CboPlataformaDB, form.bcAceptar, form.bcCancelar};
    auto nextTabStop = [](const QWidget* w) {
        QWidget* next = w->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_EQ(nextTabStop(order[i]), order[i + 1]) << "after " << order[i]->objectName().toStdString();
}

TEST(frmAcceso, EnterAcceptsAndEscapeOrTheFrameCancel)
{
    {
        frmAcceso form;
        form.show();
        QTest::keyClick(form.TxtServidor, Qt::Key_Return);
        EXPECT_TRUE(form.Aceptar);
        EXPECT_FALSE(form.isVisible());
    }
    {
        frmAcceso form;
        form.Aceptar = true;
        form.show();
        QTest::keyClick(&form, Qt::Key_Escape);
        EXPECT_FALSE(form.Aceptar);
        EXPECT_FALSE(form.isVisible());
    }
    {
        frmAcceso form;
        form.show();
        form.Aceptar = true;
        form.close();
        EXPECT_FALSE(form.Aceptar);
    }
}
