// The size dialog: its lists and the article's defaults, the entry line,
// the grid's editing, the accept and the cancel.
#include "voucher_dialogs/FrmTalle.h"

#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/voucher_dialogs/TecleaEnGrilla.h"
#include "voucher_dialogs/RegistraDialogosComprobante.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Sizes S, M, L and colours ROJO, AZUL. TALLE01 is sold by size with the
// defaults L, a colour not enabled and "m" in lower case; TALLE02 is sold by
// size without defaults; LISO01 is not sold by size, its defaults unused.
const char* const kTalles = R"(
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('TallesHabilitados', 'S,M,L'), ('ColoresHabilitados', 'ROJO,AZUL');
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, UsaTalle, TalleDefault, ColorDefault, SexoDefault) VALUES
  ('                  TALLE01', 'REMERA', 1, 'L', 'verde', 'm'),
  ('                  TALLE02', 'BUZO', 1, NULL, NULL, NULL),
  ('                  TALLE03', 'GORRO', 1, 'm', 'azul', 'U'),
  ('                   LISO01', 'PANTALON', 0, 'L', 'AZUL', 'U');
)";

struct Talle {
    TestDatabase db;
    FrmTalle f;

    explicit Talle(const QString& extra = {}) : db(QString::fromLatin1(kTalles) + extra) {}

    void carga(const char* articulo, double pedida, const QString& talles = {}, const QString& cantidades = {},
               bool permite = false)
    {
        f.eIdArticulo = QLatin1String(articulo);
        f.CantidadPedida = pedida;
        f.TalleColorSexo = talles;
        f.Cantidades = cantidades;
        f.ePermiteModificarCantidades = permite;
        f.Form_Load();
    }
    // One combination through the entry line: the lists' items and the
    // quantity, then Enter in the quantity box.
    void entra(const char* talle, const char* color, int sexo, const char* cantidad)
    {
        f.dpdTalle->setCurrentText(QLatin1String(talle));
        f.dpdColor->setCurrentText(QLatin1String(color));
        f.dpdSexo->setCurrentIndex(sexo);
        f.txtCantidad->setText(QLatin1String(cantidad));
        int tecla = 13;
        f.txtCantidad_KeyPress(tecla);
    }
    // The grid's rows as "key=quantity", joined by "|".
    QString grilla() const
    {
        QStringList filas;
        for (int r = 1; r < f.MSFlexGrid1->Rows(); ++r)
            filas << f.MSFlexGrid1->TextMatrix(r, 0) + u'=' + f.MSFlexGrid1->TextMatrix(r, 1);
        return filas.join(u'|');
    }
    static QStringList items(const QComboBox* lista)
    {
        QStringList out;
        for (int i = 0; i < lista->count(); ++i)
            out << lista->itemText(i);
        return out;
    }
    // Shown, so that keys and focus act as the operator's do.
    void muestra()
    {
        f.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
    }
    // Shown, the focus on the grid's cell (fila, col).
    void enCelda(int fila, int col)
    {
        muestra();
        f.MSFlexGrid1->SetFocus();
        f.MSFlexGrid1->setRow(fila);
        f.MSFlexGrid1->setCol(col);
    }
    void teclea(const QString& teclas) { TecleaEnGrilla(*f.MSFlexGrid1, *f.txtEdit, teclas); }
};

}  // namespace

TEST(FrmTalle, TheEnabledListsAndTheArticlesDefaults)
{
    const struct {
        const char* articulo;
        const char* talle;
        const char* color;
        const char* sexo;
    } casos[] = {
        {"LISO01", "S", "ROJO", "H - HOMBRE"},   // not sold by size: the first items
        {"TALLE01", "L", "ROJO", "M - MUJER"},   // a colour not enabled keeps the first; "m" reads MUJER
        {"TALLE02", "S", "ROJO", "H - HOMBRE"},  // no defaults
        {"TALLE03", "M", "AZUL", "U - UNISEX"},  // defaults found without regard to case
        {"NOEXISTE", "S", "ROJO", "H - HOMBRE"},
    };
    for (const auto& c : casos) {
        Talle t;
        t.carga(c.articulo, 5);
        EXPECT_EQ(Talle::items(t.f.dpdTalle), QStringList({"S", "M", "L"})) << c.articulo;
        EXPECT_EQ(Talle::items(t.f.dpdColor), QStringList({"ROJO", "AZUL"})) << c.articulo;
        EXPECT_EQ(Talle::items(t.f.dpdSexo), QStringList({"H - HOMBRE", "M - MUJER", "U - UNISEX"})) << c.articulo;
        EXPECT_EQ(t.f.dpdTalle->currentText(), QLatin1String(c.talle)) << c.articulo;
        EXPECT_EQ(t.f.dpdColor->currentText(), QLatin1String(c.color)) << c.articulo;
        EXPECT_EQ(t.f.dpdSexo->currentText(), QLatin1String(c.sexo)) << c.articulo;
        EXPECT_EQ(t.f.txtCantidad->text(), QStringLiteral("5")) << c.articulo << ": the whole request proposed";
        EXPECT_TRUE(t.f.Frame1->isEnabled()) << c.articulo;
    }
}

TEST(FrmTalle, AMissingOrEmptySettingLeavesNothingToEnter)
{
    for (const char* falta : {"DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'ColoresHabilitados';",
                              "UPDATE TA_CONFIGURACION SET VALOR = '' WHERE CLAVE = 'TallesHabilitados';",
                              "UPDATE TA_CONFIGURACION SET VALOR = NULL WHERE CLAVE = 'TallesHabilitados';"}) {
        Talle t(QString::fromLatin1(falta));
        t.carga("TALLE01", 4, QStringLiteral("|M-ROJO-H|"), QStringLiteral("|4|"));
        EXPECT_FALSE(t.f.Frame1->isEnabled()) << falta;
        EXPECT_EQ(t.grilla(), QStringLiteral("=")) << falta << ": no earlier row can come back";
        t.entra("M", "ROJO", 0, "2");
        EXPECT_EQ(t.grilla(), QStringLiteral("=")) << falta << ": the entry line adds nothing";
    }
}

TEST(FrmTalle, EnteringTheSameCombinationAddsUpAndTheProposalFollows)
{
    Talle t;
    t.carga("LISO01", 5);
    t.muestra();
    t.entra("M", "ROJO", 0, "2");
    EXPECT_EQ(t.grilla(), QStringLiteral("M-ROJO-H=2")) << "into the design's empty row";
    EXPECT_EQ(t.f.txtCantidad->text(), QStringLiteral("3"));
    EXPECT_TRUE(t.f.dpdTalle->hasFocus()) << "something still lacks: the next combination";

    t.entra("M", "ROJO", 0, "3");
    EXPECT_EQ(t.grilla(), QStringLiteral("M-ROJO-H=5"));
    EXPECT_EQ(t.f.txtCantidad->text(), QStringLiteral("0"));
    EXPECT_EQ(t.f.CantidadRestante, 0);
    EXPECT_TRUE(t.f.CmdAceptar->hasFocus());

    t.entra("L", "AZUL", 2, "2,5");
    EXPECT_EQ(t.grilla(), QStringLiteral("M-ROJO-H=5|L-AZUL-U=2.5")) << "appended; either decimal sign";
    EXPECT_EQ(t.f.txtCantidad->text(), QStringLiteral("0")) << "more than asked shows 0";
    EXPECT_EQ(t.f.CantidadRestante, -2.5);

    // Nothing or 0: nothing added, the accept button next.
    t.f.dpdTalle->setFocus();
    t.entra("S", "ROJO", 1, "0");
    EXPECT_EQ(t.grilla(), QStringLiteral("M-ROJO-H=5|L-AZUL-U=2.5"));
    EXPECT_TRUE(t.f.CmdAceptar->hasFocus());

    // The operator's Enter walks the entry line and adds at its end.
    t.f.dpdTalle->setFocus();
    for (QWidget* siguiente : std::initializer_list<QWidget*>{t.f.dpdColor, t.f.dpdSexo, t.f.txtCantidad}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(siguiente->hasFocus()) << siguiente->objectName().toStdString();
    }
    QTest::keyClicks(t.f.txtCantidad, QStringLiteral("1"));
    QTest::keyClick(t.f.txtCantidad, Qt::Key_Return);
    EXPECT_EQ(t.grilla(), QStringLiteral("M-ROJO-H=5|L-AZUL-U=2.5|S-ROJO-M=1"));
    EXPECT_TRUE(t.f.isVisible()) << "Enter presses no button";
}

TEST(FrmTalle, WhenNothingRemainsEnterReachesTheAcceptAndEnterThereAccepts)
{
    Talle t;
    t.carga("LISO01", 2);
    t.muestra();
    t.f.txtCantidad->setFocus();
    QTest::keyClick(t.f.txtCantidad, Qt::Key_Return);  // the proposal: all 2 of S-ROJO-H
    ASSERT_EQ(QApplication::focusWidget(), t.f.CmdAceptar);
    QTest::keyClick(t.f.CmdAceptar, Qt::Key_Return);
    EXPECT_TRUE(t.f.isHidden());
    EXPECT_EQ(t.f.result(), QDialog::Accepted);
    EXPECT_EQ(t.f.TalleColorSexo, QStringLiteral("|S-ROJO-H|"));
    EXPECT_EQ(t.f.Cantidades, QStringLiteral("|2|"));
}

TEST(FrmTalle, ANonNumericQuantityIsToldAndAddsNothing)
{
    Talle t;
    t.carga("LISO01", 5);
    ScopedPrompts prompts;
    prompts.answerMessage(prompt::Ok, QStringLiteral("Debe Ingresar un Valor Numerico"));
    t.entra("M", "ROJO", 0, "2x");
    EXPECT_EQ(t.grilla(), QStringLiteral("="));
    EXPECT_EQ(t.f.txtCantidad->text(), QStringLiteral("2x"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].title, QStringLiteral("Aviso al operador..."));
    EXPECT_EQ(prompts.shown()[0].style, prompt::OkOnly | prompt::Critical);
}

TEST(FrmTalle, EarlierListsComeBackForTheEnabledSizesAndColours)
{
    const struct {
        const char* caso;
        const char* talles;
        const char* cantidades;
        const char* grilla;
        const char* restante;
    } casos[] = {
        {"a colour no longer enabled drops its row", "|M-ROJO-H|L-AZUL-U|", "|2|3|", "M-ROJO-H=2|L-AZUL-U=3", "0"},
        {"AZUL dropped", "|M-ROJO-H|L-VERDE-U|", "|2|3|", "M-ROJO-H=2", "3"},
        {"a size no longer enabled", " |XL-ROJO-H|S-AZUL-M| ", " |2|1| ", "S-AZUL-M=1", "4"},
        {"one key twice adds up", "|M-ROJO-H|m-rojo-H|", "|2|1.5|", "M-ROJO-H=3.5", "1.5"},
        {"fewer quantities than sizes", "|M-ROJO-H|L-AZUL-U|", "|2|", "M-ROJO-H=2", "3"},
    };
    for (const auto& c : casos) {
        Talle t;
        t.carga("LISO01", 5, QString::fromLatin1(c.talles), QString::fromLatin1(c.cantidades));
        EXPECT_EQ(t.grilla(), QLatin1String(c.grilla)) << c.caso;
        EXPECT_EQ(t.f.txtCantidad->text(), QLatin1String(c.restante)) << c.caso;
    }
}

// A request that is no whole number of units: the proposal is what lacks,
// every digit of it, and the quantities entered add up as their cells show.
TEST(FrmTalle, AFractionalRequestIsProposedAndTotalledExactly)
{
    const struct {
        const char* caso;
        double pedida;
        std::vector<const char*> cantidades;  // entered as S-ROJO-H, M-ROJO-H ...; nullptr: the proposal
        const char* propuesta;                // after the first entry
        const char* lista;
    } casos[] = {
        {"a third of 10, the proposal taken", 10.0 / 3, {nullptr}, "0", "|3.33333333333333|"},
        {"0.1 and 0.2 make 0.3", 0.3, {"0.1", "0.2"}, "0.2", "|0.1|0.2|"},
    };
    const char* talles[] = {"S", "M", "L"};
    for (const auto& c : casos) {
        Talle t;
        t.carga("LISO01", c.pedida);
        for (std::size_t i = 0; i < c.cantidades.size(); ++i) {
            const QByteArray cantidad = c.cantidades[i] ? QByteArray(c.cantidades[i]) : t.f.txtCantidad->text().toLatin1();
            t.entra(talles[i], "ROJO", 0, cantidad.constData());
            if (i == 0) {
                EXPECT_EQ(t.f.txtCantidad->text(), QLatin1String(c.propuesta)) << c.caso;
            }
        }
        ScopedPrompts prompts;  // the total is the request: nothing to ask
        t.f.CmdAceptar_Click();
        EXPECT_EQ(t.f.result(), QDialog::Accepted) << c.caso;
        EXPECT_EQ(t.f.Cantidades, QLatin1String(c.lista)) << c.caso;
        EXPECT_EQ(t.f.CantidadPedida, c.pedida) << c.caso;
    }
}

TEST(FrmTalle, TheAcceptComparesTheTotalWithTheRequest)
{
    const struct {
        const char* caso;
        const char* cantidad;  // entered as one combination against a request of 5
        bool permite;
        int respuesta;         // to the question; 0: a warning is expected
        const char* mensaje;   // part of the message; "" none
        bool acepta;
        double pedida;
    } casos[] = {
        {"equal", "5", false, 0, "", true, 5},
        {"more, may not change: told", "7", false, 0,
         "superan a las pedidas en el formulario.\r\nAjuste la Cantidades Informadas !\r\nCantidad Pedida= 5\r\n"
         "Cantidad Informada= 7",
         false, 5},
        {"less, may not change: told", "3", false, 0, "son inferiores a las pedidas", false, 5},
        {"more, adopted", "7", true, prompt::Yes, "superan a las pedidas en el formulario.\r\nDesea modificar", true, 7},
        {"more, not adopted", "7", true, prompt::No, "Desea modificar las cantidades del formulario?", false, 5},
        {"less, adopted", "2.5", true, prompt::Yes, "son inferiores a las pedidas", true, 2.5},
    };
    for (const auto& c : casos) {
        Talle t;
        t.carga("LISO01", 5, {}, {}, c.permite);
        t.entra("M", "ROJO", 0, c.cantidad);
        ScopedPrompts prompts;
        if (*c.mensaje)
            prompts.answerMessage(c.respuesta ? c.respuesta : prompt::Ok, QString::fromLatin1(c.mensaje));
        t.f.CmdAceptar_Click();
        EXPECT_EQ(t.f.result() == QDialog::Accepted, c.acepta) << c.caso;
        EXPECT_EQ(t.f.CantidadPedida, c.pedida) << c.caso;
        EXPECT_EQ(t.f.TalleColorSexo, c.acepta ? QStringLiteral("|M-ROJO-H|") : QString()) << c.caso;
        EXPECT_EQ(t.f.Cantidades, c.acepta ? u'|' + QString::fromLatin1(c.cantidad) + u'|' : QString()) << c.caso;
        if (*c.mensaje) {
            ASSERT_EQ(prompts.shown().size(), 1u) << c.caso;
            const int estilo = c.respuesta ? prompt::YesNo | prompt::Question | prompt::DefaultButton2
                                           : prompt::OkOnly | prompt::Exclamation;
            EXPECT_EQ(prompts.shown()[0].style, estilo) << c.caso;
        }
    }
}

TEST(FrmTalle, TheListsSkipBlankAndZeroRowsAndTheCancelClearsThem)
{
    Talle t;
    t.carga("LISO01", 3, QStringLiteral("|M-ROJO-H|L-AZUL-U|S-ROJO-M|"), QStringLiteral("|2|3|0|"));
    t.f.MSFlexGrid1->setTextMatrix(1, 0, QString());  // row 1 blanked: its 2 no longer counts
    t.f.CmdAceptar_Click();
    EXPECT_EQ(t.f.result(), QDialog::Accepted);
    EXPECT_EQ(t.f.TalleColorSexo, QStringLiteral("|L-AZUL-U|")) << "a blank key and a 0 are left out";
    EXPECT_EQ(t.f.Cantidades, QStringLiteral("|3|"));

    Talle nada;
    nada.carga("LISO01", 0);
    nada.f.CmdAceptar_Click();
    EXPECT_EQ(nada.f.TalleColorSexo, QString());
    EXPECT_EQ(nada.f.Cantidades, QString());

    for (int forma = 0; forma < 2; ++forma) {
        Talle c;
        c.carga("LISO01", 5, QStringLiteral("|M-ROJO-H|"), QStringLiteral("|5|"));
        c.f.Talle = c.f.Color = c.f.Sexo = QStringLiteral("x");
        if (forma == 0)
            c.f.CmdCancelar_Click();
        else
            c.f.reject();
        EXPECT_EQ(c.f.TalleColorSexo, QString()) << forma;
        EXPECT_EQ(c.f.Cantidades, QStringLiteral("0")) << forma;
        EXPECT_EQ(c.f.Talle + c.f.Color + c.f.Sexo, QString()) << forma;
        EXPECT_EQ(c.f.result(), QDialog::Rejected) << forma;
        EXPECT_EQ(c.grilla(), QStringLiteral("M-ROJO-H=5")) << forma << ": the grid stays until the dialog goes";
    }
}

TEST(FrmTalle, EditingAQuantityInTheGrid)
{
    const struct {
        const char* caso;
        int fila;
        const char* teclas;
        const char* grilla;
        int filaDespues;
        const char* propuesta;
        int mensajes;
    } casos[] = {
        {"a quantity typed stays on its cell", 2, "4 Enter", "M-ROJO-H=2|L-AZUL-U=4|S-ROJO-M=1", 2, "0", 0},
        {"0 removes its row", 2, "0 Enter", "M-ROJO-H=2|S-ROJO-M=1", 2, "4", 0},
        {"0 in row 1 blanks it", 1, "0 Enter", "=|L-AZUL-U=3|S-ROJO-M=1", 1, "3", 0},
        {"Down commits and moves", 1, "1 Down", "M-ROJO-H=1|L-AZUL-U=3|S-ROJO-M=1", 2, "2", 0},
        {"Delete removes the row", 3, "Del", "M-ROJO-H=2|L-AZUL-U=3", 2, "1", 0},
        {"Delete in row 1 blanks it", 1, "Del", "=|L-AZUL-U=3|S-ROJO-M=1", 1, "1", 0},
        {"a refused quantity removes nothing", 2, "1 - 2 Enter", "M-ROJO-H=2|L-AZUL-U=3|S-ROJO-M=1", 2, "1", 1},
        {"Enter on the emptied editor removes only its own row", 2, "1 - 2 Enter Enter", "M-ROJO-H=2|S-ROJO-M=1", 2, "4", 1},
    };
    for (const auto& c : casos) {
        Talle t;
        t.carga("LISO01", 7, QStringLiteral("|M-ROJO-H|L-AZUL-U|S-ROJO-M|"), QStringLiteral("|2|3|1|"));
        t.muestra();
        ScopedPrompts prompts;
        for (int i = 0; i < c.mensajes; ++i)
            prompts.answerMessage(prompt::Ok, QStringLiteral("Debe Ingresar un Valor Numerico"));
        t.f.MSFlexGrid1->SetFocus();
        t.f.MSFlexGrid1->setRow(c.fila);
        t.f.MSFlexGrid1->setCol(1);
        t.teclea(QString::fromLatin1(c.teclas));
        EXPECT_EQ(t.grilla(), QLatin1String(c.grilla)) << c.caso;
        EXPECT_EQ(t.f.MSFlexGrid1->Row(), c.filaDespues) << c.caso;
        EXPECT_EQ(t.f.txtCantidad->text(), QLatin1String(c.propuesta)) << c.caso;
    }
}

// A row's key never opens: a key typed on it goes down a row, and on the
// last row adds an empty one; a row without a key takes nothing.
TEST(FrmTalle, AKeyTypedOnARowsKeyMovesDownOrAddsARow)
{
    Talle t;
    t.carga("LISO01", 7, QStringLiteral("|M-ROJO-H|L-AZUL-U|"), QStringLiteral("|2|3|"));
    t.enCelda(1, 0);
    t.teclea(QStringLiteral("5"));
    EXPECT_EQ(t.f.MSFlexGrid1->Row(), 2);
    EXPECT_FALSE(t.f.txtEdit->Visible());
    t.teclea(QStringLiteral("5"));
    EXPECT_EQ(t.f.MSFlexGrid1->Row(), 2) << "the last row stays";
    EXPECT_EQ(t.grilla(), QStringLiteral("M-ROJO-H=2|L-AZUL-U=3|="));
    t.f.MSFlexGrid1->setRow(3);
    t.teclea(QStringLiteral("5"));
    EXPECT_EQ(t.f.MSFlexGrid1->Rows(), 4) << "a row without a key adds nothing";
    EXPECT_EQ(t.f.MSFlexGrid1->Row(), 3);
}

TEST(FrmTalle, AfterDeletingRowOneTheNextCombinationGoesBelow)
{
    Talle t;
    t.carga("LISO01", 9, QStringLiteral("|M-ROJO-H|L-AZUL-U|S-ROJO-M|"), QStringLiteral("|2|3|1|"));
    t.f.MSFlexGrid1->setRow(1);
    t.f.MsflexKey(*t.f.MSFlexGrid1, 46);
    EXPECT_EQ(t.f.txtCantidad->text(), QStringLiteral("3")) << "Delete alone leaves the proposal";
    t.entra("S", "AZUL", 0, "1");
    EXPECT_EQ(t.grilla(), QStringLiteral("=|L-AZUL-U=3|S-ROJO-M=1|S-AZUL-H=1"));
    EXPECT_EQ(t.f.CantidadEnGrilla(), 5);
    EXPECT_EQ(t.f.txtCantidad->text(), QStringLiteral("4"));
}

TEST(FrmTalle, F2AcceptsAndEscCancelsFromAnyControl)
{
    for (const char* tecla : {"F2", "Esc"}) {
        Talle t;
        t.carga("LISO01", 2, QStringLiteral("|M-ROJO-H|"), QStringLiteral("|2|"));
        t.enCelda(1, 1);
        t.teclea(QStringLiteral("2"));
        ASSERT_TRUE(t.f.txtEdit->Visible());
        t.teclea(QString::fromLatin1(tecla));
        EXPECT_TRUE(t.f.isHidden()) << tecla;
        if (QLatin1String(tecla) == QLatin1String("F2")) {
            EXPECT_EQ(t.f.TalleColorSexo, QStringLiteral("|M-ROJO-H|")) << "the typed quantity counts";
            EXPECT_EQ(t.f.Cantidades, QStringLiteral("|2|"));
        } else {
            EXPECT_EQ(t.f.Cantidades, QStringLiteral("0"));
        }
    }
}

TEST(FrmTalle, AHostOpensItThroughTheLink)
{
    Talle t;
    RegistraDialogosComprobante();
    std::unique_ptr<DialogoTalle> dialogo = EnlaceDialogosComprobanteRegistrado()->FrmTalle();
    RegistraEnlaceDialogosComprobante(nullptr);
    ASSERT_TRUE(dialogo);
    dialogo->eIdArticulo = QStringLiteral("TALLE01");
    dialogo->CantidadPedida = 3;
    dialogo->Form_Load();
    ScopedPrompts prompts;
    prompts.onModal(QStringLiteral("FrmTalle"), [](QDialog& d) {
        auto& f = static_cast<FrmTalle&>(d);
        int tecla = 13;
        f.txtCantidad_KeyPress(tecla);  // the proposal as it stands: L-ROJO-M 3
        f.CmdAceptar_Click();
        return f.result();
    });
    EXPECT_TRUE(dialogo->MuestraModal());
    EXPECT_EQ(dialogo->TalleColorSexo, QStringLiteral("|L-ROJO-M|"));
    EXPECT_EQ(dialogo->Cantidades, QStringLiteral("|3|"));
}

TEST(FrmTalle, ALoadedDialogFitsItsWindow)
{
    Talle t;
    t.carga("TALLE01", 5, QStringLiteral("|M-ROJO-H|L-AZUL-U|"), QStringLiteral("|2|3|"));
    t.muestra();
    EXPECT_EQ(t.f.windowTitle(), QStringLiteral("Información de los Talles, Colores, Sexos"));
    const FlexGrid& g = *t.f.MSFlexGrid1;
    EXPECT_GE(g.ColWidth(1), g.fittingWidth(QStringLiteral("Cantidad")));
    EXPECT_GE(g.ColWidth(0), g.fittingWidth(QStringLiteral("L-AZUL-U")));
    EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("Cantidad"));
    for (QWidget* w : std::initializer_list<QWidget*>{t.f.Frame1, t.f.MSFlexGrid1, t.f.CmdAceptar, t.f.CmdCancelar})
        EXPECT_TRUE(t.f.rect().contains(w->geometry())) << w->objectName().toStdString();
    for (QPushButton* b : {t.f.CmdAceptar, t.f.CmdCancelar})
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
    for (int i : {0, 1, 2, 4}) {
        QLabel* l = t.f.Label5[i];
        ASSERT_NE(l, nullptr);
        EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
    }
    EXPECT_GE(t.f.dpdSexo->width(), t.f.dpdSexo->sizeHint().width());
    EXPECT_FALSE(t.f.Frame1->geometry().intersects(t.f.MSFlexGrid1->geometry()));
    t.f.grab().save(QStringLiteral("FrmTalle.png"));

    // A third of 10 entered, and typed over in the grid: every digit shows.
    Talle u;
    u.carga("LISO01", 10.0 / 3);
    u.muestra();
    u.f.txtCantidad->setFocus();
    QTest::keyClick(u.f.txtCantidad, Qt::Key_Return);
    const auto entra = [&u] {
        const FlexGrid& h = *u.f.MSFlexGrid1;
        EXPECT_GE(h.ColWidth(1), h.fittingWidth(h.TextMatrix(1, 1))) << h.TextMatrix(1, 1).toStdString();
        EXPECT_EQ(h.view()->horizontalScrollBar()->maximum(), 0) << "both columns in view";
        EXPECT_TRUE(u.f.rect().contains(u.f.MSFlexGrid1->geometry()));
    };
    EXPECT_EQ(u.grilla(), QStringLiteral("S-ROJO-H=3.33333333333333"));
    entra();
    u.f.MSFlexGrid1->SetFocus();
    u.f.MSFlexGrid1->setRow(1);
    u.f.MSFlexGrid1->setCol(1);
    u.teclea(QStringLiteral("1234567.125 Enter"));
    EXPECT_EQ(u.grilla(), QStringLiteral("S-ROJO-H=1234567.125"));
    entra();
    u.f.grab().save(QStringLiteral("FrmTalle-tercios.png"));
}
