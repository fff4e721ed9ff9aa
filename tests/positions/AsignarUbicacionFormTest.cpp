// The start-up form driven as the operator drives it, without showing it:
// start-up parameters, the voucher number, loading the lines, the transfer
// quantity, saving lines through the position dialog, and reopening a saved
// voucher.
#include "PantallaAsignacion.h"

#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "core/Sistema.h"
#include "lookup/Lib_FrmCons3.h"
#include "positions/GrabacionTransferencia.h"
#include "grid/VrDbGrid.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "platform/Toolbar.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/VentanasReales.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// --- start-up ------------------------------------------------------------------

TEST(AsignarUbicacionForm, StartsInHeaderModeWithTheNextVoucherAndTheUsersDepot)
{
    Pantalla p;
    p.db.execute("INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA) VALUES ('TRP', '0003', '00041234', 'B');");
    p.f->Form_Load();

    EXPECT_EQ(p.f->windowTitle(), "Asignacion de Posiciones");
    EXPECT_EQ(p.f->CmbLista->count(), 1);
    EXPECT_EQ(p.f->CmbLista->currentText(), "TRP - Transferencia entre Posiciones ");
    EXPECT_EQ(p.encabezado(), "0001-00041235-X");
    EXPECT_EQ(p.campo("FECHA").text(), "10/12/2024");
    EXPECT_EQ(p.campo("IdDeposito").text(), "1");
    EXPECT_EQ(p.f->LblDescDeposito->text(), "...");
    EXPECT_TRUE(p.f->NuevoComprobante);
    EXPECT_FALSE(p.f->ComprobanteExistente);
    EXPECT_FALSE(p.modoLineas());
    EXPECT_TRUE(p.f->cmdFiltrar->isEnabled());
    EXPECT_FALSE(p.f->VrUtil1->Habilitado1());
    EXPECT_TRUE(p.f->VrUtil1->Habilitado2());
    EXPECT_FALSE(p.f->VrUtil1->Habilitado3());
    EXPECT_FALSE(p.f->VrUtil1->Habilitado4());
}

TEST(AsignarUbicacionForm, ADatabaseWithoutTheFormsTablesIsNotOpened)
{
    Pantalla p;
    p.db.execute("DROP VIEW Stk_Dravelo_Sin_asignar_ir;");
    releaseObjDB();
    p.maquina.parameters = p.db.parameters();
    int terminado = 0;
    EstableceTerminaPrograma([&] { ++terminado; });
    ScopedPrompts s;
    s.answerMessage(prompt::No, "le faltan Stk_Dravelo_Sin_asignar_ir)");
    p.f->Form_Load();
    EstableceTerminaPrograma({});
    EXPECT_EQ(terminado, 1);
    EXPECT_FALSE(ObjDB().gOpenFlag);
}

TEST(AsignarUbicacionForm, DepotParameter)
{
    {
        Pantalla p("@Server=(sqlite);@DEPOSITO=1;");
        p.f->Form_Load();
        EXPECT_EQ(p.campo("IdDeposito").text(), "1");
        EXPECT_EQ(p.f->LblDescDeposito->text(), "Deposito Central");
        EXPECT_FALSE(p.modoLineas());
    }
    {
        Pantalla p("@DEPOSITO=9;");
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, "El Deposito Informado es Inexistente");
        p.f->Form_Load();
        EXPECT_EQ(p.campo("IdDeposito").text(), "9");
        EXPECT_EQ(p.f->LblDescDeposito->text(), "...");
    }
    {
        // A user whose business unit has no depot gets none proposed.
        Pantalla p;
        p.db.execute("UPDATE ta_usuarios SET UNegocio = '   7';");
        p.f->Form_Load();
        EXPECT_EQ(p.campo("IdDeposito").text(), "");
    }
}

TEST(AsignarUbicacionForm, ReceivingVoucherParameterLoadsItsLinesAtOnce)
{
    Pantalla p("@IR=000100000123X;@DEPOSITO=1;");
    p.f->Form_Load();
    EXPECT_EQ(p.campo("SUCURSAL_IR").text(), "0001");
    EXPECT_EQ(p.campo("NUMERO_IR").text(), "00000123");
    EXPECT_EQ(p.campo("LETRA_IR").text(), "X");
    EXPECT_TRUE(p.modoLineas());
    EXPECT_FALSE(p.f->cmdFiltrar->isEnabled());
    EXPECT_EQ(p.lineas(), QStringList({"ART001||10", "ART002|L1|5", "ART002|L2|3"}));
}

TEST(AsignarUbicacionForm, TheNumberFreezesOnceTheFirstLineIsSaved)
{
    Pantalla p("@DEPOSITO=1;");
    p.f->Form_Load();
    p.campo("NUMERO").setText("00000077");
    p.f->CmbLista_Change();
    EXPECT_EQ(p.encabezado(), "0001-00000001-X");

    p.f->NumeroFijado = true;
    p.campo("NUMERO").setText("00000077");
    int tecla = 'A';
    p.f->CmbLista_KeyDown(tecla, 0);
    EXPECT_EQ(tecla, 0);
    p.f->CmbLista_Click();
    EXPECT_EQ(p.encabezado(), "0001-00000077-X");
}

// --- header fields ---------------------------------------------------------------

TEST(AsignarUbicacionForm, HeaderFieldChecks)
{
    Pantalla p;
    p.f->Form_Load();
    struct Caso {
        const char* campo;
        const char* valor;
        const char* queda;    // the field's text afterwards
        const char* mensaje;  // "" when accepted
    } casos[] = {
        {"SUCURSAL", "12", "0012", ""},
        {"NUMERO", "5", "00000005", ""},
        {"SUCURSAL", "", "", ""},
        {"NUMERO", "A1", "A1", "El campo numero debe ser un dato numerico"},
        {"SUCURSAL_IR", "A1", "A1", "El campo sucursal debe ser un dato numerico"},
        {"NUMERO_IR", "123", "00000123", ""},
        {"LETRA_IR", "x", "X", ""},
        {"FECHA", "cualquiera", "cualquiera", ""},
        {"IdDeposito", "", "", "Debe Informar el Deposito"},
        {"IdDeposito", "9", "9", "El Deposito Informado es Inexistente"},
        {"IdDeposito", "2", "2", ""},
    };
    for (const Caso& c : casos) {
        ScopedPrompts s;
        if (*c.mensaje)
            s.answerMessage(prompt::Ok, QString::fromUtf8(c.mensaje));
        TextBox& campo = p.campo(c.campo);
        campo.setText(QString::fromUtf8(c.valor));
        bool avanza = true;
        p.f->CampoValida(campo, avanza);
        EXPECT_EQ(campo.text(), QString::fromUtf8(c.queda)) << c.campo << " " << c.valor;
        EXPECT_EQ(p.f->HayError, *c.mensaje != '\0') << c.campo << " " << c.valor;
    }
    EXPECT_EQ(p.f->LblDescDeposito->text(), "Deposito Norte");

    // The advance key keeps the focus on a refused field.
    ScopedPrompts s;
    s.answerMessage(prompt::Ok, "El campo numero debe ser un dato numerico");
    p.campo("NUMERO").setText("X9");
    int enter = 13;
    p.f->TxtFields_KeyDown(1, enter, 0);
    EXPECT_TRUE(p.f->HayError);
}

// --- loading ---------------------------------------------------------------------

TEST(AsignarUbicacionForm, LoadingTheDepotAndAReceivingVoucher)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    EXPECT_TRUE(p.modoLineas());
    EXPECT_FALSE(p.f->cmdFiltrar->isEnabled());
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5", "ART002|L2|3"}));
    EXPECT_EQ(p.f->LblDescDeposito->text(), "Deposito Central");
    for (int col : {4, 5, 9, 10, 11})
        EXPECT_EQ(p.grid().ColWidth(col), 0) << col;
    EXPECT_GT(p.grid().ColWidth(8), 0);
    EXPECT_NE(p.celda(1, 11), p.celda(2, 11));
    // The unit column is as wide as its codes and its caption show, no wider.
    EXPECT_EQ(p.grid().ColWidth(6), p.grid().fittingColWidth(6));

    // Fitting the columns by the grid's button keeps the hidden columns hidden.
    p.f->VrDbGrid1->Toolbar1_ButtonClick("AJUSTACOL");
    for (int col : {4, 5, 9, 10, 11})
        EXPECT_EQ(p.grid().ColWidth(col), 0) << col;
    EXPECT_EQ(p.grid().ColWidth(6), p.grid().fittingColWidth(6));

    // Another page, the hidden columns stay hidden.
    p.f->VrDbGrid1->setPageSize(2);
    p.f->VrDbGrid1->LoadVrDBGrid();
    p.f->VrDbGrid1->cmdSiguiente_Click();
    EXPECT_EQ(p.lineas(), QStringList({"ART002|L2|3"}));
    for (int col : {4, 5, 9, 10, 11})
        EXPECT_EQ(p.grid().ColWidth(col), 0) << col;

    // Only two parts of the receiving voucher: the depot's lines.
    Pantalla q;
    q.f->Form_Load();
    q.campo("SUCURSAL_IR").setText("0001");
    q.campo("NUMERO_IR").setText("00000124");
    q.f->cmdFiltrar_Click();
    EXPECT_EQ(q.lineas().size(), 3);

    // The whole voucher: its own lines only, a fully placed one included.
    Pantalla r;
    r.db.execute("INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, "
                 "IDDEPOSITO) VALUES ('TRP', '0001', '00000001', 'X', '                   ART001', '  UN', -11, '   1');");
    r.f->Form_Load();
    r.campo("SUCURSAL_IR").setText("0001");
    r.campo("NUMERO_IR").setText("00000124");
    r.campo("LETRA_IR").setText("X");
    r.f->cmdFiltrar_Click();
    EXPECT_EQ(r.lineas(), QStringList({"ART001||3"}));
    r.f->Inicializa();
    r.campo("NUMERO_IR").setText("00000123");
    r.f->cmdFiltrar_Click();
    EXPECT_EQ(r.lineas(), QStringList({"ART001||0", "ART002|L1|5", "ART002|L2|3"}));
}

TEST(AsignarUbicacionForm, ADepotIsNeededBeforeTheHeaderLocks)
{
    Pantalla p;
    p.f->Form_Load();
    p.campo("IdDeposito").clear();
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, "Debe Seleccionar un Deposito");
        p.f->cmdFiltrar_Click();
    }
    EXPECT_FALSE(p.modoLineas());
    EXPECT_TRUE(p.campo("IdDeposito").isEnabled());
    EXPECT_TRUE(p.f->cmdFiltrar->isEnabled());

    p.campo("IdDeposito").setText("9");
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, "El Deposito Informado es Inexistente");
        p.f->cmdFiltrar_Click();
    }
    EXPECT_FALSE(p.modoLineas());
}

// --- the transfer quantity --------------------------------------------------------

TEST(AsignarUbicacionForm, TransferQuantityChecks)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    const int tornillos = p.fila("ART001");
    struct Caso {
        const char* valor;
        const char* mensaje;
    } rechazos[] = {
        {"abc", "Debe Ingresar un Valor Numerico"},
        {"-1", "Debe Ingresar un Valor Positivo"},
        {"15", "El Valor Ingresado no puede ser mayor al de la cantidad de la posicion "},
    };
    for (const Caso& c : rechazos) {
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, QString::fromUtf8(c.mensaje));
        p.transfiere(tornillos, c.valor);
        EXPECT_TRUE(p.f->HayError) << c.valor;
        // The editor goes back to what the cell held.
        EXPECT_EQ(p.editor().text(), "0") << c.valor;
        EXPECT_EQ(p.celda(tornillos, 8), "0") << c.valor;
        EXPECT_EQ(s.shown().at(0).title, "Aviso al operador...");
    }

    // Empty: nothing happens.
    p.transfiere(tornillos, "");
    EXPECT_FALSE(p.f->HayError);

    // Zero clears the line's positions and opens no dialog.
    p.grid().setTextMatrix(tornillos, 9, "|3|");
    p.grid().setTextMatrix(tornillos, 10, "|P1|");
    p.transfiere(tornillos, "0");
    EXPECT_FALSE(p.f->HayError);
    EXPECT_EQ(p.celda(tornillos, 9), "");
    EXPECT_EQ(p.celda(tornillos, 10), "");

    // The line's whole quantity opens the dialog; cancelled, the line shows 0
    // and nothing is saved.
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", [](QDialog& d) {
            auto& dialogo = static_cast<frmPosicionEntradas&>(d);
            EXPECT_EQ(dialogo.eCantidadPedida, 14);
            EXPECT_EQ(dialogo.eIdDeposito, "1");
            EXPECT_EQ(dialogo.eDepositoDescripcion, "Deposito Central");
            EXPECT_EQ(dialogo.eUnidadArticulo, "  UN");
            EXPECT_TRUE(dialogo.ePermiteModificarCantidadesParaAbajo);
            EXPECT_FALSE(dialogo.ePermiteModificarCantidadesParaArriba);
            dialogo.CmdCancelar_Click();
            return dialogo.result();
        });
        p.transfiere(tornillos, "14");
    }
    EXPECT_FALSE(p.f->HayError);
    EXPECT_EQ(p.celda(tornillos, 8), "0");
    EXPECT_EQ(p.celda(tornillos, 10), "");
    EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), "0");
}

// The transfer of one line answers what became of it. A refusal is answered,
// not shown: the caller tells the operator. A failed save is reported where
// it failed.
TEST(AsignarUbicacionForm, TheTransferOfALineAnswersWhatBecameOfIt)
{
    using Estado = ResultadoTransferencia::Estado;
    const auto cancela = [](QDialog& d) {
        static_cast<frmPosicionEntradas&>(d).CmdCancelar_Click();
        return d.result();
    };
    const QString rota = QString::fromLatin1(kFixture) + R"(
        CREATE TRIGGER P2Rota BEFORE INSERT ON V_MV_STOCK_DRAVELO WHEN NEW.IDPOSICION = 'P2'
        BEGIN SELECT RAISE(ABORT, 'P2 no disponible'); END;)";
    struct Caso {
        const char* nombre;
        QString fixture;
        const char* cantidad;
        std::function<int(QDialog&)> dialogo;  // none: no dialog may open
        const char* informe;                   // the save's own report, if any
        Estado estado;
        const char* motivo;
        const char* aceptada;
        int filasGrabadas;
    } casos[] = {
        {"no quantity", QString::fromLatin1(kFixture), "", {}, nullptr, Estado::SinCantidad, "", "", 0},
        {"more than the line holds", QString::fromLatin1(kFixture), "15", {}, nullptr, Estado::Rechazada,
         "El Valor Ingresado no puede ser mayor al de la cantidad de la posicion ", "", 0},
        {"zero", QString::fromLatin1(kFixture), "0", {}, nullptr, Estado::Vaciada, "", "", 0},
        {"the dialog cancelled", QString::fromLatin1(kFixture), "14", cancela, nullptr, Estado::Cancelada, "", "0", 0},
        {"the dialog accepted", QString::fromLatin1(kFixture), "14", acepta(), nullptr, Estado::Grabada, "", "14", 3},
        {"the save failing", rota, "14", acepta(), "P2 no disponible", Estado::Fallida, "", "14", 0},
    };
    for (const Caso& c : casos) {
        Pantalla p({}, c.fixture);
        p.f->Form_Load();
        p.f->cmdFiltrar_Click();
        ResultadoTransferencia r;
        {
            ScopedPrompts s;
            if (c.dialogo)
                s.onModal("frmPosicionEntradas", c.dialogo);
            if (c.informe)
                s.answerMessage(prompt::Ok, QString::fromLatin1(c.informe));
            r = p.f->TransfiereLinea(p.fila("ART001"), QString::fromLatin1(c.cantidad));
        }
        EXPECT_EQ(r.estado, c.estado) << c.nombre;
        EXPECT_EQ(r.motivo, c.motivo) << c.nombre;
        EXPECT_EQ(r.cantidad, c.aceptada) << c.nombre;
        EXPECT_FALSE(r.abandonada) << c.nombre;
        EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"),
                  QString::number(c.filasGrabadas))
            << c.nombre;
    }
}

// --- saving lines ------------------------------------------------------------------

TEST(AsignarUbicacionForm, SavingTwoLinesOfANewVoucher)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();

    // The dialog proposes 6 into P1 (its room) and 8 into P2.
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta());
        p.transfiere(p.fila("ART001"), "14");
    }
    EXPECT_FALSE(p.f->HayError);
    EXPECT_TRUE(p.f->NumeroFijado);
    EXPECT_EQ(p.encabezado(), "0001-00000001-X");
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -14", "P1 6", "P2 8"}));
    EXPECT_EQ(p.lineas(), QStringList({"ART002|L1|5", "ART002|L2|3"}));

    // Part of the second line; the rest of it stays in the list.
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta());
        p.transfiere(p.fila("ART002", "L2"), "2");
    }
    EXPECT_EQ(p.encabezado(), "0001-00000001-X");
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -14", "P1 6", "P2 8", "- -2", "Q1 2"}));
    EXPECT_EQ(p.escalar("SELECT NROLOTE || '/' || IDDEPOSITO || '/' || IDUNIDADBASE || '/' || IDARTICULO || '/' || "
                        "USUARIO FROM V_MV_STOCK_DRAVELO WHERE IDPOSICION = 'Q1'"),
              "L2/   1/  UN/                   ART002/ana");
    EXPECT_EQ(p.lineas(), QStringList({"ART002|L1|5", "ART002|L2|1"}));
    // The positions' free space counts what was placed.
    EXPECT_EQ(p.escalar("SELECT SaldoPosicion FROM AC_SALDOSLAYOUT WHERE IdPosicion = 'P2'"), "8");
}

// Lines of one article in several units go, one after the other, into
// position P1, reserved for it; the dialog's proposal is taken each time. A
// line is measured in its own unit, as the balance view counts its saved
// rows: no save fills P1 past its capacity, and P1's balance is what lies in
// it. Without an equivalence for its unit a line has no room in P1; in the
// article's unit it fills P1 as always.
TEST(AsignarUbicacionForm, ALineInAnyUnitFillsAPositionOnlyUpToItsCapacity)
{
    struct Paso {
        const char* unidad;
        const char* cantidad;
        bool menos;         // the dialog places less than asked (and is told to go on)
        const char* saldo;  // P1's balance afterwards, in P1's unit
    };
    struct Caso {
        const char* nombre;
        const char* unidadArticulo;
        const char* capacidad;
        const char* equivalencias;
        std::vector<Paso> pasos;
        QStringList filas;
    } casos[] = {
        {"kilos, no equivalence for pallets or boxes", "KG", "10", "('  KG', '  KG', 1)",
         {{"PAL", "100", true, "0"}, {"CJ", "100", true, "0"}, {"KG", "100", true, "10"}},
         {"- -10", "P1 10"}},
        {"cubic metres, one of them three bags", "M3", "20", "('  M3', '  M3', 1), ('  M3', '  BL', 3)",
         {{"BL", "30", false, "10"}, {"M3", "30", true, "20"}},
         {"- -30", "P1 30", "- -10", "P1 10"}},
    };
    for (const Caso& c : casos) {
        QString fixture = QStringLiteral(R"(
            INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');
            INSERT INTO V_TA_Deposito (IdDeposito, Descripcion, UnidadNegocio) VALUES ('   1', 'Deposito Central', '   1');
            INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('                   ART001', 'GRANEL', '  %1');
            INSERT INTO S_TA_EQUIV (IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES %2;
            UPDATE S_TA_EQUIV SET IdArticulo = '                   ART001';
            INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, IdArticulo, ORDENINGRESO, IdUnidad,
                                       HABILITADO, CAPACIDAD) VALUES
                ('   1', 'P1', 'Silo', '                   ART001', 1, '  %1', 1, %3);)")
                              .arg(QString::fromLatin1(c.unidadArticulo), QString::fromLatin1(c.equivalencias),
                                   QString::fromLatin1(c.capacidad));
        for (const Paso& paso : c.pasos)
            fixture += QStringLiteral("INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, "
                                      "IDUNIDADBASE, CANTIDAD, IDDEPOSITO) VALUES ('2024-12-02T08:00:00', 'IR', '0001', "
                                      "'00000123', 'X', '                   ART001', '  %1', %2, '   1');")
                           .arg(QString::fromLatin1(paso.unidad), QString::fromLatin1(paso.cantidad));
        Pantalla p({}, fixture);
        p.f->Form_Load();
        p.f->cmdFiltrar_Click();
        for (const Paso& paso : c.pasos) {
            const std::string donde = std::string(c.nombre) + '/' + paso.unidad;
            int fila = -1;
            for (int r = 1; r < p.grid().Rows(); ++r)
                if (p.celda(r, 6).trimmed() == QString::fromLatin1(paso.unidad))
                    fila = r;
            ASSERT_GT(fila, 0) << donde;
            {
                ScopedPrompts s;
                s.onModal("frmPosicionEntradas", acepta());
                if (paso.menos)
                    s.answerMessage(prompt::Yes, "son inferiores a las pedidas");
                p.transfiere(fila, QString::fromLatin1(paso.cantidad));
            }
            EXPECT_EQ(p.escalar("SELECT IFNULL(SUM(SaldoPosicion), 0) FROM AC_SALDOSLAYOUT WHERE IdPosicion = 'P1'"),
                      QString::fromLatin1(paso.saldo))
                << donde;
        }
        EXPECT_EQ(p.filasDe("00000001"), c.filas) << c.nombre;
    }
}

TEST(AsignarUbicacionForm, AFailedSaveKeepsTheLineAndTheNumberFree)
{
    Pantalla p({}, QString::fromLatin1(kFixture) + R"(
        CREATE TRIGGER P2Rota BEFORE INSERT ON V_MV_STOCK_DRAVELO WHEN NEW.IDPOSICION = 'P2'
        BEGIN SELECT RAISE(ABORT, 'P2 no disponible'); END;)");
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta());
        s.answerMessage(prompt::Ok, "P2 no disponible");
        p.transfiere(p.fila("ART001"), "14");
    }
    EXPECT_TRUE(p.f->HayError);
    EXPECT_FALSE(p.f->NumeroFijado);
    EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), "0");
    EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM AUX_ERR"), "1");
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L1|5", "ART002|L2|3"}));
}

// --- reopening ----------------------------------------------------------------------

namespace {
// Voucher 1: the screws in P1 and P2.
const char* const kComprobanteUno = R"(
        INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE,
                                        IDDEPOSITO, IDPOSICION, USUARIO) VALUES
            ('2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', '                   ART001', '  UN', -9, NULL, '   1', NULL, 'juan'),
            ('2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', '                   ART001', '  UN', 6, NULL, '   1', 'P1', 'juan'),
            ('2024-12-06T00:00:00', 'TRP', '0001', '00000001', 'X', '                   ART001', '  UN', 3, NULL, '   1', 'P2', 'juan');
)";
}  // namespace

TEST(AsignarUbicacionForm, ReopeningAVoucherAndMovingALineBetweenPositions)
{
    Pantalla p;
    // A line of voucher 5 waits in the work table, reopened on another station.
    p.db.execute(QString::fromLatin1(kComprobanteUno) + R"(
        INSERT INTO Aux_V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, CANTIDAD) VALUES
            ('TRP', '0001', '00000005', 'X', '                   ART002', 1);)");
    p.f->Form_Load();
    p.campo("SUCURSAL").setText("1");
    p.campo("NUMERO").setText("1");
    p.campo("LETRA").setText("x");
    p.campo("SUCURSAL_IR").setText("0001");
    bool avanza = true;
    p.f->CampoValida(p.campo("LETRA"), avanza);

    EXPECT_TRUE(p.f->ComprobanteExistente);
    EXPECT_FALSE(p.f->NuevoComprobante);
    EXPECT_TRUE(p.modoLineas());
    // Its lines are saved under the voucher's number as stored.
    EXPECT_EQ(p.encabezado(), "0001-00000001-X");
    EXPECT_FALSE(p.f->cmdFiltrar->isEnabled());
    EXPECT_EQ(p.campo("IdDeposito").text(), "1");
    EXPECT_EQ(p.campo("FECHA").text(), "06/12/2024");
    EXPECT_EQ(p.campo("SUCURSAL_IR").text(), "");
    EXPECT_EQ(p.f->LblDescDeposito->text(), "Deposito Central");
    const int linea = p.fila("ART001");
    ASSERT_EQ(linea, 1);
    EXPECT_EQ(p.celda(linea, 7), "9");
    EXPECT_EQ(p.celda(linea, 8), "9");
    EXPECT_EQ(p.celda(linea, 10), "|P1|P2|");
    EXPECT_EQ(p.celda(linea, 9), "|6|3|");
    EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM Aux_V_MV_STOCK_DRAVELO WHERE NUMERO = '00000005'"), "1");

    // Its quantity cannot change.
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, "No puede modificar este campo ");
        p.transfiere(linea, "4");
    }
    // Its positions can: all of it into P2.
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", [](QDialog& d) {
            auto& dialogo = static_cast<frmPosicionEntradas&>(d);
            EXPECT_FALSE(dialogo.ePermiteModificarCantidadesParaAbajo);
            EXPECT_TRUE(dialogo.eComprobanteExistente);
            return acepta({{"P1", "0"}, {"P2", "9"}})(d);
        });
        p.transfiere(linea, "9");
    }
    EXPECT_FALSE(p.f->HayError);
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -9", "P2 9"}));
    EXPECT_EQ(p.encabezado(), "0001-00000001-X");
    EXPECT_EQ(p.lineas(), QStringList({"ART001||9"}));
    EXPECT_EQ(p.celda(1, 10), "|P2|");
    EXPECT_EQ(p.celda(1, 11), p.escalar("SELECT id FROM Aux_V_MV_STOCK_DRAVELO WHERE NUMERO = '00000001'"));
    EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM Aux_V_MV_STOCK_DRAVELO"), "2");
}

// Two stations reopened voucher 1. The other one moved the screws to P1
// since; this one, still showing P1 and P2, is told so, writes nothing, and
// shows the line as it stands now.
TEST(AsignarUbicacionForm, AReopenedLineChangedByAnotherStationIsNotOverwritten)
{
    Pantalla p;
    // Room in P1 for the whole line, which the other station moves there.
    p.db.execute(QString::fromLatin1(kComprobanteUno) + "UPDATE MA_POSICIONES SET CAPACIDAD = 9 WHERE IdPosicion = 'P1';");
    p.f->Form_Load();
    p.campo("NUMERO").setText("00000001");
    bool avanza = true;
    p.f->CampoValida(p.campo("LETRA"), avanza);
    const int linea = p.fila("ART001");
    ASSERT_EQ(p.celda(linea, 10), "|P1|P2|");

    DB_Dll otra;
    otra.OpenServerADODB(false, 3, p.db.connectionString());
    LineaTransferencia suya{p.celda(linea, 1), p.celda(linea, 2), {}, p.celda(linea, 6), "9", "|9|", "|P1|", {}};
    suya.CantidadesCargadas = QStringLiteral("|6|3|");
    suya.PosicionesCargadas = QStringLiteral("|P1|P2|");
    bool hayError = false;
    ASSERT_TRUE(GrabaLineaTransferencia(otra, {{"0001", "00000001", "X"}, "1"}, NumeracionLinea::Reabierta, suya, "luis",
                                        QDate(2024, 12, 10), hayError)
                    .grabada);
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta({{"P1", "0"}, {"P2", "9"}}));
        s.answerMessage(prompt::Ok, "otro puesto cambio sus posiciones desde que se abrio el comprobante");
        p.transfiere(linea, "9");
    }
    EXPECT_TRUE(p.f->HayError);
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -9", "P1 9"}));
    EXPECT_EQ(p.celda(p.fila("ART001"), 10), "|P1|");
    EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM Aux_V_MV_STOCK_DRAVELO"), "1");
}

// Another program moved the 3 screws of voucher 1 from P2 to P3 after this
// station reopened it, leaving the work table alone. The line is refused,
// then shown, in the grid and the work table, with the positions stored now,
// over which it saves.
TEST(AsignarUbicacionForm, AReopenedLineChangedByAnotherProgramIsShownAsStoredNow)
{
    Pantalla p;
    p.db.execute(kComprobanteUno);
    p.db.execute("INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, IdArticulo, ORDENINGRESO, IdUnidad, "
                 "HABILITADO, CAPACIDAD) VALUES ('   1', 'P3', 'Rack 4', '                   ART001', 3, '  UN', 1, 100);");
    p.f->Form_Load();
    p.campo("NUMERO").setText("00000001");
    bool avanza = true;
    p.f->CampoValida(p.campo("LETRA"), avanza);
    ASSERT_EQ(p.celda(p.fila("ART001"), 10), "|P1|P2|");
    p.db.execute("UPDATE V_MV_STOCK_DRAVELO SET IDPOSICION = 'P3' WHERE IDPOSICION = 'P2';");
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta({{"P1", "0"}, {"P2", "9"}, {"P3", "0"}}));
        s.answerMessage(prompt::Ok, "La linea se vuelve a cargar con sus posiciones actuales.");
        p.transfiere(p.fila("ART001"), "9");
    }
    EXPECT_TRUE(p.f->HayError);
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -9", "P1 6", "P3 3"}));
    const int linea = p.fila("ART001");
    EXPECT_EQ(p.celda(linea, 10), "|P1|P3|");
    EXPECT_EQ(p.celda(linea, 9), "|6|3|");
    EXPECT_EQ(p.linea(linea), "ART001||9");
    EXPECT_EQ(p.escalar("SELECT COUNT(*) || ' ' || POSICIONES || ' ' || CANTIDADES FROM Aux_V_MV_STOCK_DRAVELO"),
              "1 |P1|P3| |6|3|");

    p.f->HayError = false;
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta({{"P1", "0"}, {"P2", "9"}, {"P3", "0"}}));
        p.transfiere(linea, "9");
    }
    EXPECT_FALSE(p.f->HayError);
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -9", "P2 9"}));
}

TEST(AsignarUbicacionForm, AFailedReopeningLeavesTheWorkTableAsItWas)
{
    Pantalla p({}, QString::fromLatin1(kFixture) + R"(
        INSERT INTO V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, IDDEPOSITO,
                                        IDPOSICION) VALUES
            ('TRP', '0001', '00000001', 'X', '                   ART001', '  UN', -9, '   1', NULL),
            ('TRP', '0001', '00000001', 'X', '                   ART001', '  UN', 9, '   1', 'P1');
        INSERT INTO Aux_V_MV_STOCK_DRAVELO (TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, CANTIDAD) VALUES
            ('TRP', '0001', '00000001', 'X', 'ANTERIOR', 1);
        CREATE TRIGGER AuxRota BEFORE INSERT ON Aux_V_MV_STOCK_DRAVELO
        BEGIN SELECT RAISE(ABORT, 'tabla de trabajo llena'); END;)");
    p.f->Form_Load();
    p.campo("NUMERO").setText("00000001");
    ScopedPrompts s;
    s.answerMessage(prompt::Ok, "tabla de trabajo llena");
    bool avanza = true;
    p.f->CampoValida(p.campo("LETRA"), avanza);
    EXPECT_EQ(p.escalar("SELECT group_concat(IDARTICULO) FROM Aux_V_MV_STOCK_DRAVELO"), "ANTERIOR");
    EXPECT_FALSE(p.modoLineas());
}

TEST(AsignarUbicacionForm, ClosingTheWindowEndsTheRun)
{
    Pantalla p;
    p.f->Form_Load();
    EXPECT_TRUE(ObjDB().gOpenFlag);
    p.f->close();
    EXPECT_TRUE(p.f->isHidden());
    EXPECT_EQ(p.f->RsFormulario.State(), db::state::Closed);
    // The data-access object went with the run; a new one is not connected.
    EXPECT_FALSE(ObjDB().gOpenFlag);
}

TEST(AsignarUbicacionForm, ANumberWithoutSavedRowsStaysANewVoucher)
{
    Pantalla p;
    p.f->Form_Load();
    p.campo("NUMERO").setText("00000050");
    bool avanza = true;
    p.f->CampoValida(p.campo("LETRA"), avanza);
    EXPECT_TRUE(p.f->NuevoComprobante);
    EXPECT_FALSE(p.f->ComprobanteExistente);
    EXPECT_FALSE(p.modoLineas());
}

// --- the cell editor ----------------------------------------------------------------

TEST(AsignarUbicacionForm, OnlyALinesTransferCellTakesTyping)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    p.grid().setTextMatrix(2, 1, "  ");
    struct Caso {
        long col;
        long fila;
        bool editable;
    } casos[] = {{8, 1, true}, {8, 3, true}, {8, 2, false}, {7, 1, false}, {1, 1, false}, {8, 0, false}, {8, 9, false}};
    for (const Caso& c : casos)
        EXPECT_EQ(p.f->ColEdit(c.col, c.fila), c.editable) << c.col << "," << c.fila;

    TextBox& e = p.editor();
    struct Propiedad {
        long col;
        const char* dataField;
        int maxLength;
        const char* tag;
    } propiedades[] = {{8, "CantidadATransferir", 11, ""},
                       {1, "IDARTICULO", 25, "v_ma_articulos"},
                       {7, "Cantidad", 25, ""},
                       {1, "IDARTICULO", 25, "v_ma_articulos"},
                       {3, "", 25, ""}};
    for (const Propiedad& c : propiedades) {
        p.f->TextPropiedades(e, c.col);
        EXPECT_EQ(e.dataField(), QString::fromLatin1(c.dataField)) << c.col;
        EXPECT_EQ(e.maxLength(), c.maxLength) << c.col;
        EXPECT_EQ(e.tag(), QString::fromLatin1(c.tag)) << c.col;
    }

    // A digit on the transfer cell opens the editor holding it.
    p.grid().setRow(1);
    p.grid().setCol(8);
    int tecla = '5';
    p.f->VrDbGrid1_MSFlexGridKeyPress(tecla);
    EXPECT_TRUE(e.Visible());
    EXPECT_EQ(e.text(), "5");
    EXPECT_EQ(e.dataField(), "CantidadATransferir");
    // Leaving the cell puts the text into it.
    p.f->VrDbGrid1_MSFlexGridLeaveCell();
    EXPECT_FALSE(e.Visible());
    EXPECT_EQ(p.celda(1, 8), "5");

    // A key on a cell that takes none moves one line down.
    p.grid().setCol(2);
    p.f->VrDbGrid1_MSFlexGridKeyPress(tecla);
    EXPECT_FALSE(e.Visible());
    EXPECT_EQ(p.grid().Row(), 2);

    long encontrada = -1;
    EXPECT_TRUE(p.f->ExisteArticuloEnGrid("art002", 0, encontrada));
    EXPECT_EQ(encontrada, 3);
    EXPECT_FALSE(p.f->ExisteArticuloEnGrid("ART002", 3, encontrada));
}

// The operator's keys: a digit opens the editor on the transfer cell, Enter
// checks it (a refused value keeps the editor on its line), and an accepted
// value goes through the dialog into a saved line.
TEST(AsignarUbicacionForm, EnterInTheCellEditorRunsTheRoadOfTheLine)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    const int arandelas = p.fila("ART002", "L1");
    p.grid().setRow(arandelas);
    p.grid().setCol(8);
    int tecla = '9';
    p.f->VrDbGrid1_MSFlexGridKeyPress(tecla);
    ASSERT_TRUE(p.editor().Visible());

    int enter = 13;
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, "no puede ser mayor");
        p.f->VrDbGrid1_txtEditKeyDown(enter, 0);
    }
    EXPECT_TRUE(p.f->HayError);
    EXPECT_EQ(p.grid().Row(), arandelas);
    EXPECT_TRUE(p.editor().Visible());
    EXPECT_EQ(p.editor().text(), "0");

    p.editor().setText("5");
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta());
        p.f->VrDbGrid1_txtEditKeyDown(enter, 0);
    }
    EXPECT_FALSE(p.f->HayError);
    EXPECT_EQ(p.filasDe("00000001"), QStringList({"- -5", "Q1 5"}));
    EXPECT_EQ(p.lineas(), QStringList({"ART001||14", "ART002|L2|3"}));
    EXPECT_FALSE(p.editor().Visible());
    // The saved quantity stayed with its line: leaving the cell writes
    // nothing into the line that took the saved one's place.
    p.f->VrDbGrid1_MSFlexGridLeaveCell();
    EXPECT_EQ(p.celda(2, 8), "0");
    EXPECT_EQ(p.f->ControlActivo, &p.editor());
}

// Esc abandons what was typed in a transfer cell: nothing is checked, no
// dialog opens, nothing is saved, and the cell keeps what it held; also when
// the text was refused a moment before.
TEST(AsignarUbicacionForm, EscInTheCellEditorDropsTheTypedQuantityUnchecked)
{
    Pantalla p;
    const int tornillos = 1;
    p.muestraEnTransferir(tornillos);
    ASSERT_EQ(p.linea(tornillos), "ART001||14");
    ScopedPrompts s;
    p.teclea("5 Esc");
    EXPECT_TRUE(s.shown().empty()) << s.messages().join(u'|').toStdString();
    EXPECT_FALSE(p.editor().Visible());
    EXPECT_TRUE(p.grid().view()->hasFocus());
    EXPECT_EQ(p.celda(tornillos, 8), "0");

    s.answerMessage(prompt::Ok, "no puede ser mayor");
    p.teclea("9 9 Enter");
    ASSERT_TRUE(p.editor().Visible());
    p.teclea("Esc");
    EXPECT_EQ(s.shown().size(), 1u);
    EXPECT_FALSE(p.editor().Visible());
    EXPECT_EQ(p.celda(tornillos, 8), "0");
    EXPECT_EQ(p.escalar("SELECT COUNT(*) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP'"), "0");
}

// What the operator types replaces a selected text: the value given back
// after a refusal comes selected, so typing -5 gives the message of a
// negative quantity; Ctrl+A selects what the editor holds.
TEST(AsignarUbicacionForm, TypingReplacesTheSelectedTextOfTheCellEditor)
{
    Pantalla p;
    const int tornillos = 1;
    p.muestraEnTransferir(tornillos);
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Ok, "no puede ser mayor");
        p.teclea("9 9 Enter");
        EXPECT_EQ(p.editor().text(), "0");
        EXPECT_EQ(p.editor().selectedText(), "0");
        s.answerMessage(prompt::Ok, "Debe Ingresar un Valor Positivo");
        p.teclea("-5 Enter");
    }
    EXPECT_TRUE(p.editor().Visible());

    p.teclea("1 2");
    QTest::sendKeyEvent(QTest::Click, &p.editor(), Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
    EXPECT_EQ(p.editor().text(), "12");
    EXPECT_EQ(p.editor().selectedText(), "12");
    p.teclea("3");
    EXPECT_EQ(p.editor().text(), "3");
}

// The depot lookup opened by a right click on the depot field stands over
// the window as its dialog, and shows its captions whole with nothing to
// scroll; the depot picked goes into the field.
TEST(AsignarUbicacionForm, TheDepotLookupOpensOverTheWindowAndShowsItsColumnsWhole)
{
    Pantalla p;
    p.f->show();
    p.f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(p.f.get()));
    p.f->Form_Load();
    p.campo("IdDeposito").clear();
    PromptsReales reales;
    AlAbrirseUnModal operador([&p](QDialog& d) {
        ASSERT_EQ(d.objectName(), "Lib_FrmCons3");
        EXPECT_EQ(d.parentWidget(), p.f.get());
        EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        auto& consulta = static_cast<Lib_FrmCons3&>(d);
        const ReportList& lista = *consulta.ListView1;
        ASSERT_EQ(lista.columnText(2), "IdDeposito");
        for (int i = 1; i <= lista.columnCountHeaders(); ++i) {
            EXPECT_GE(lista.columnWidth(i), lista.header()->sectionSizeHint(i - 1)) << i;
            EXPECT_GE(consulta.CmbSearch[static_cast<std::size_t>(i - 1)]->width(), lista.columnWidth(i) - 4) << i;
        }
        EXPECT_FALSE(consulta.HScroll1->isVisible());
        EXPECT_FALSE(lista.horizontalScrollBar()->isVisible());
        QTest::keyClick(consulta.ListView1, Qt::Key_Return);
    });
    QTest::mouseClick(&p.campo("IdDeposito"), Qt::RightButton);
    EXPECT_EQ(operador.abiertos(), 1);
    EXPECT_EQ(p.campo("IdDeposito").text(), "1");
}

// A line saved whole leaves the list and the next line moves up into its
// row: Enter leaves the current row there, on that next line. A line saved
// in part stays, and Enter goes on to the line below.
TEST(AsignarUbicacionForm, AfterALineSavedWholeTheRowHoldsTheNextLine)
{
    Pantalla p;
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    struct Paso {
        const char* cantidad;
        int fila;  // the current row after Enter
        const char* lineaActual;
    } pasos[] = {{"14", 1, "ART002|L1|5"}, {"2", 2, "ART002|L2|3"}};
    for (const Paso& paso : pasos) {
        p.grid().setCol(8);
        int tecla = '1';
        p.f->VrDbGrid1_MSFlexGridKeyPress(tecla);
        ASSERT_TRUE(p.editor().Visible());
        p.editor().setText(QString::fromLatin1(paso.cantidad));
        int enter = 13;
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta());
        p.f->VrDbGrid1_txtEditKeyDown(enter, 0);
        EXPECT_FALSE(p.f->HayError) << paso.cantidad;
        EXPECT_EQ(p.grid().Row(), paso.fila) << paso.cantidad;
        EXPECT_EQ(p.linea(p.grid().Row()), QString::fromLatin1(paso.lineaActual)) << paso.cantidad;
    }
    EXPECT_EQ(p.lineas(), QStringList({"ART002|L1|3", "ART002|L2|3"}));
}

// An empty grid shows nothing of itself, and its page counter no page it
// does not have: at start-up, after a new voucher and after a cancelled one.
// The window is shown, and taken down while a field holds the focus.
TEST(AsignarUbicacionForm, AnEmptyGridShowsNoCellsAndOnePage)
{
    Pantalla p;
    p.f->show();
    const auto vacia = [&p](const char* cuando) {
        const QAbstractItemModel& celdas = *p.grid().view()->model();
        EXPECT_EQ(celdas.rowCount(), 0) << cuando;
        EXPECT_EQ(celdas.columnCount(), 0) << cuando;
        EXPECT_FALSE(p.grid().view()->horizontalHeader()->isVisibleTo(&p.grid())) << cuando;
        EXPECT_FALSE(p.grid().view()->verticalHeader()->isVisibleTo(&p.grid())) << cuando;
        const auto* paginas = p.f->VrDbGrid1->findChild<QLabel*>("lblPaginas");
        ASSERT_NE(paginas, nullptr);
        EXPECT_EQ(paginas->text().simplified(), QString::fromUtf8("Página 1 de 1")) << cuando;
    };
    p.f->Form_Load();
    vacia("start-up");

    p.f->cmdFiltrar_Click();
    ASSERT_EQ(p.lineas().size(), 3);
    p.f->VrUtil1_click("NUEVO");
    vacia("new");

    p.f->cmdFiltrar_Click();
    ASSERT_EQ(p.lineas().size(), 3);
    {
        ScopedPrompts s;
        s.answerMessage(prompt::Yes, QString::fromUtf8("abandonar"));
        p.f->VrUtil1_click("CANCELAR");
    }
    vacia("cancelled");
}

// --- the demo database ----------------------------------------------------------------

// The road of one line on the demo data, as the program runs it: the user's
// depot, its lines, 10 screws placed where the dialog proposes, and the saved
// voucher in the movement table.
TEST(AsignarUbicacionForm, TheRoadOfOneLineOnTheDemoDatabase)
{
    Pantalla p({}, {}, true);
    p.f->Form_Load();
    EXPECT_EQ(p.campo("IdDeposito").text(), "1");
    EXPECT_EQ(p.encabezado(), "0001-00000002-X");
    p.f->cmdFiltrar_Click();
    EXPECT_EQ(p.f->VrDbGrid1->UltimaPagina(), 2);
    const int tornillos = p.fila("ART001");
    ASSERT_GT(tornillos, 0);
    EXPECT_EQ(p.celda(tornillos, 7), "130");
    {
        ScopedPrompts s;
        s.onModal("frmPosicionEntradas", acepta());
        p.transfiere(tornillos, "10");
    }
    EXPECT_FALSE(p.f->HayError);
    EXPECT_EQ(p.filasDe("00000002"), QStringList({"- -10", "A-01-01 10"}));
    EXPECT_EQ(p.celda(p.fila("ART001"), 7), "120");
}

namespace {

// The operator of the demo comparison: takes every dialog's proposal as it
// stands, agrees to carry a smaller total into the line, runs the automatic
// proposal and prints nothing. Any other question fails the test.
class OperadorDeAcuerdo : public Prompts {
public:
    OperadorDeAcuerdo() : m_antes(&prompts()) { setPrompts(this); }
    ~OperadorDeAcuerdo() override { setPrompts(m_antes); }
    int messageBox(const QString& text, int, const QString&) override
    {
        if (text.contains(u"Desea modificar las cantidades") || text.contains(u"Desea Continuar"))
            return prompt::Yes;
        if (text.contains(u"Desea Imprimir"))
            return prompt::No;
        ADD_FAILURE() << "unexpected message: " << text.toStdString();
        return prompt::Ok;
    }
    QString inputBox(const QString& p, const QString&, const QString&) override
    {
        ADD_FAILURE() << "unexpected input box: " << p.toStdString();
        return {};
    }
    int errorDialog(const RuntimeError& e, const QString& o) override
    {
        ADD_FAILURE() << "unexpected error in " << o.toStdString() << ": " << e.description().toStdString();
        return prompt::ErrorLeave;
    }
    int showModal(QDialog& d) override
    {
        auto& dialogo = static_cast<frmPosicionEntradas&>(d);
        propuestas << dialogo.eIdArticulo.trimmed() + u' ' + dialogo.Posiciones + u' ' + dialogo.Cantidades;
        return acepta()(d);
    }
    QStringList propuestas;

private:
    Prompts* m_antes;
};

// The saved transfer rows as "article lot position quantity", in order.
QStringList filasTransferidas(const Pantalla& p)
{
    QStringList filas;
    db::Recordset rs;
    ObjDB().AbrirRecordset(QStringLiteral("SELECT IDARTICULO, NROLOTE, IDPOSICION, CANTIDAD FROM V_MV_STOCK_DRAVELO "
                                          "WHERE TC='TRP' ORDER BY ID"),
                           rs);
    for (; !rs.Eof(); rs.MoveNext())
        filas << lang::text(rs.value(0)).trimmed() + u' ' + lang::text(rs.value(1)) + u' ' + lang::text(rs.value(2))
                + u' ' + lang::text(rs.value(3));
    ObjDB().CierraRecordset(rs);
    (void)p;
    return filas;
}

}  // namespace

// The automatic proposal reads no form: on the demo lines it must save what
// the shown dialog proposes, line by line, when the operator accepts it.
TEST(AsignarUbicacionForm, TheAutomaticProposalSavesWhatTheShownDialogProposesOnTheDemoLines)
{
    QStringList shown;
    QStringList lines;
    {
        Pantalla p({}, {}, true);
        p.f->Form_Load();
        p.f->cmdFiltrar_Click();
        lines = p.lineas();
        OperadorDeAcuerdo operador;
        for (const QString& l : lines) {
            const QStringList partes = l.split(u'|');
            const int fila = p.fila(partes[0], partes[1]);
            ASSERT_GT(fila, 0) << l.toStdString();
            p.transfiere(fila, partes[2]);
        }
        shown = filasTransferidas(p);
        EXPECT_EQ(operador.propuestas.size(), lines.size());
    }
    ASSERT_GE(lines.size(), 3);
    ASSERT_FALSE(shown.isEmpty());

    Pantalla p({}, {}, true);
    p.f->Form_Load();
    p.f->cmdFiltrar_Click();
    ASSERT_EQ(p.lineas(), lines);
    OperadorDeAcuerdo operador;
    p.f->cmdProponer_Click();
    EXPECT_EQ(filasTransferidas(p), shown);
}

