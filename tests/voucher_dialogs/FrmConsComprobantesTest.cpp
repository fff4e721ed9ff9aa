// The voucher picker: what it lists for each kind, how it shows it, what it
// hands back, and the rules' request that opens it.
#include "voucher_dialogs/FrmConsComprobantes.h"

#include "lookup/ReportList.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"
#include "tests/voucher_dialogs/DialogosRegistrados.h"
#include "voucher_dialogs/ConsultaComprobantes.h"
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Sales delivery notes: 15 was invoiced (invoice 40 names it) though never
// closed, 16 was closed by hand and never invoiced, 17 is open, 18 voided.
// Invoice 41 is voided and approved; budget 8 became invoice 42; budget 9
// is not approved. Purchase orders: 21 received (a stock row names it), 22
// with guarantee, 23 with guarantee and voided, 24 plain, 25 not approved.
const char* const kComprobantes = R"(
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IdComplemento, FECHA, CUENTA, Nombre, ANULADA, APROBADO, FINALIZADA, Importe,
                       comentarios, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES
  ('  RM', '000100000015R', 0, '2024-12-02T00:00:00', 'C0001', 'Almacen', 0, 1, 0, 100, NULL, NULL, NULL, NULL),
  ('  RM', '000100000016R', 0, '2024-12-03T00:00:00', 'C0002', 'Ferreteria', 0, 1, 1, 200, NULL, NULL, NULL, NULL),
  ('  RM', '000100000017R', 0, '2024-12-04T00:00:00', 'C0001', 'Almacen', 0, 0, 0, 300, NULL, NULL, NULL, NULL),
  ('  RM', '000100000018R', 0, '2024-12-04T00:00:00', 'C0003', 'Kiosco', 1, 1, 0, 400, NULL, NULL, NULL, NULL),
  ('  FC', '000100000040A', 1, '2024-12-05T00:00:00', 'C0001', 'Almacen', 0, 0, 0, 100, NULL, '  RM', '000100000015R', 0),
  ('  FC', '000100000041A', 0, '2024-12-06T00:00:00', 'C0002', 'Ferreteria', 1, 1, 0, 50, NULL, NULL, NULL, NULL),
  ('  FC', '000100000042B', 3, '2024-12-07T00:00:00', 'C0002', 'Ferreteria', 0, 1, 0, 75, NULL, '  PR', '000100000008X', 0),
  ('  OT', '000100000003X', 2, '2024-12-06T00:00:00', 'C0002', 'Ferreteria', 0, 0, 0, 1800, NULL, NULL, NULL, NULL),
  ('  PR', '000100000007X', 0, '2024-12-01T00:00:00', 'C0001', 'Almacen', 0, 1, 0, 4500, 'Obra calle Cordoba', NULL, NULL, NULL),
  ('  PR', '000100000008X', 0, '2024-12-02T00:00:00', 'C0002', 'Ferreteria', 0, 1, 0, 75, 'Mostrador', NULL, NULL, NULL),
  ('  PR', '000100000009X', 0, '2024-12-08T00:00:00', 'C0003', 'Kiosco', 0, 0, 0, 120, 'Heladera', NULL, NULL, NULL),
  ('  CB', '000100000001X', 0, '2024-12-09T00:00:00', 'C0003', 'Kiosco', 0, 0, 0, 10, NULL, NULL, NULL, NULL);
INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, FECHA, CUENTA, NOMBRE, ANULADA, APROBADO, Importe, comentarios, Garantia, FINALIZADO) VALUES
  ('  OC', '000100000021X', '2024-11-28T00:00:00', 'PROV01', 'Bulonera', 0, 1, 8000, 'Enero', 0, 0),
  ('  OC', '000100000022X', '2024-12-03T00:00:00', 'PROV02', 'Textil', 0, 1, 1500, NULL, 1, 0),
  ('  OC', '000100000023X', '2024-12-03T00:00:00', 'PROV02', 'Textil', 1, 1, 900, NULL, 1, 0),
  ('  OC', '000100000024X', '2024-12-04T00:00:00', 'PROV01', 'Bulonera', 0, 1, 300, NULL, 0, 0),
  ('  OC', '000100000025X', '2024-12-04T00:00:00', 'PROV01', 'Bulonera', 0, 0, 300, NULL, 0, 0),
  (' FCC', '000200000310A', '2024-12-04T00:00:00', 'PROV01', 'Bulonera', 1, 1, 8000, NULL, 0, 0),
  (' RMC', '000200000077R', '2024-12-04T00:00:00', 'PROV02', 'Textil', 0, 1, 0, NULL, 0, 0),
  (' RMC', '000200000078R', '2024-12-05T00:00:00', 'PROV02', 'Textil', 0, 1, 0, NULL, 0, 1);
INSERT INTO V_MV_STOCK (TC, IdComprobante, Tc_Origen, IdComprobante_Origen) VALUES
  ('  IR', '000100000123X', '  OC', '000100000021X');
INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, FECHA, Importe) VALUES
  ('NCPE', '0002', '00000045', 'A', 'PROV01', '2024-12-05T00:00:00', 640),
  ('NCPE', '0002', '00000046', 'A', 'PROV09', '2024-12-06T00:00:00', 10);
INSERT INTO VT_PROVEEDORES (Codigo, RAZON_SOCIAL) VALUES ('PROV01', 'Bulonera Rosario S.R.L.');
INSERT INTO V_MV_CPTETERCEROS (IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, FECHAENVIADO, FECHARECIBIDO) VALUES
  ('000100000040A', 1, '2024-12-05T00:00:00', '2024-12-06T00:00:00', '2024-12-09T00:00:00'),
  ('000100000041A', 0, '2024-12-06T00:00:00', '2024-12-07T00:00:00', NULL);
)";

struct Picker {
    TestDatabase db{QString::fromLatin1(kComprobantes)};
    FrmConsComprobantes f;

    void ajuste(const char* clave, const char* valor)
    {
        db.execute(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = '%1'; "
                                  "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2')")
                       .arg(QLatin1String(clave), QLatin1String(valor)));
    }
    void carga(const QString& tc, const QString& filtro = {})
    {
        f.TC = tc;
        f.Filtro = filtro;
        f.NroComprobante = QString();
        f.Form_Load();
    }
    // The texts of one column (from 1) of every row, in the list's order.
    QStringList columna(int c) const
    {
        QStringList out;
        for (int fila = 1; fila <= f.ListView1->rowCount(); ++fila)
            out << f.ListView1->cell(fila, c);
        return out;
    }
    QStringList encabezados() const
    {
        QStringList out;
        for (int c = 1; c <= f.ListView1->columnCountHeaders(); ++c)
            out << f.ListView1->columnText(c);
        return out;
    }
    // The tag of each row's image; "-" for a row without one.
    QStringList imagenes() const
    {
        QStringList out;
        for (int fila = 1; fila <= f.ListView1->rowCount(); ++fila) {
            const QIcon icono = f.ListView1->rowIcon(fila);
            QString tag = QStringLiteral("-");
            for (int i = 1; i <= f.ImageList1.Count() && !icono.isNull(); ++i)
                if (f.ImageList1.Picture(i).cacheKey() == icono.cacheKey())
                    tag = f.ImageList1.Tag(i);
            out << tag;
        }
        return out;
    }
    int filaDe(const QString& comprobante, int columna) const
    {
        return static_cast<int>(this->columna(columna).indexOf(comprobante)) + 1;
    }
};

QStringList lista(std::initializer_list<const char*> textos)
{
    QStringList out;
    for (const char* t : textos)
        out << QString::fromUtf8(t);
    return out;
}

}  // namespace

TEST(FrmConsComprobantes, PendingDeliveryNotesComeFromTheSourceTheSettingsChoose)
{
    // The pending view holds the notes never invoiced and not voided (16, 17);
    // the headers not closed are 15, 17 and 18.
    const struct {
        const char* caso;
        const char* contado;
        const char* parcial;
        const char* filtro;
        QStringList notas;
    } casos[] = {
        {"cash notes, whole delivery: the pending view", "SI", "NO", "", lista({"000100000017R", "000100000016R"})},
        {"\"si\" in lower case counts", "si", "no", "", lista({"000100000017R", "000100000016R"})},
        {"cash notes and partial delivery: the headers not closed", "SI", "SI", "",
         lista({"000100000018R", "000100000017R", "000100000015R"})},
        {"no cash notes: the headers not closed", "NO", "NO", "",
         lista({"000100000018R", "000100000017R", "000100000015R"})},
        {"a filter: only the cash setting decides", "SI", "SI", "CUENTA = 'C0001'", lista({"000100000017R"})},
        {"a filter without cash notes", "NO", "NO", "CUENTA = 'C0001'", lista({"000100000017R", "000100000015R"})},
        {"a filter of blanks is no filter", "SI", "NO", "   ", lista({"000100000017R", "000100000016R"})},
    };
    for (const auto& c : casos) {
        Picker p;
        p.ajuste("UsaRemitoContado", c.contado);
        p.ajuste("EntregaParcialRemito", c.parcial);
        p.carga(QStringLiteral("rm/pendientes"), QString::fromLatin1(c.filtro));
        EXPECT_EQ(p.f.TC, QStringLiteral("RM")) << c.caso;
        EXPECT_EQ(p.columna(2), c.notas) << c.caso;
    }
}

TEST(FrmConsComprobantes, EachKindReadsItsSourceWithItsOwnRowLayout)
{
    const struct {
        const char* tc;
        const char* filtro;
        QStringList columna1;
        QStringList columna2;
        QStringList imagenes;
    } casos[] = {
        // Invoices: voided wins over approved; the complement under "ID".
        {"FC", "", lista({"07/12/2024", "06/12/2024", "05/12/2024"}),
         lista({"000100000042B", "000100000041A", "000100000040A"}), lista({"Aprobado", "Anulado", "FC"})},
        {"fc/anticipos", "", lista({"07/12/2024", "06/12/2024", "05/12/2024"}),
         lista({"000100000042B", "000100000041A", "000100000040A"}), lista({"Aprobado", "Anulado", "FC"})},
        // Third-party vouchers: every record whatever the filter, no image.
        {"T3", "CUENTA = 'nadie'", lista({"1", "2"}), lista({"05/12/2024", "06/12/2024"}), lista({"-", "-"})},
        // Purchase orders: approved and open only; voided wins over guarantee.
        {"OC", "", lista({"04/12/2024", "03/12/2024", "03/12/2024", "28/11/2024"}),
         lista({"PROV01 Bulonera", "PROV02 Textil", "PROV02 Textil", "PROV01 Bulonera"}),
         lista({"OC", "Anulado", "OCG", "OC"})},
        // Supplier notes: the number joined, the image by kind alone.
        {"NCPE", "", lista({"05/12/2024", "06/12/2024"}), lista({"000200000045A", "000200000046A"}),
         lista({"Generico", "Generico"})},
        {"FCC", "", lista({"04/12/2024"}), lista({"000200000310A"}), lista({"Anulado"})},
        {"RMC", "", lista({"05/12/2024", "04/12/2024"}), lista({"000200000078R", "000200000077R"}),
         lista({"Generico", "Generico"})},
        {"RM/PENDIENTES_COMPRAS", "", lista({"04/12/2024"}), lista({"000200000077R"}), lista({"Generico"})},
        // Pending budgets: approved, open and not turned into a voucher yet.
        {"PR/PENDIENTES", "", lista({"01/12/2024"}), lista({"000100000007X"}), lista({"PR"})},
        {"PR/PENDIENTES", "CUENTA <> 'C0009'", lista({"02/12/2024", "01/12/2024"}),
         lista({"000100000008X", "000100000007X"}), lista({"PR", "PR"})},
        {"OT", "", lista({"06/12/2024"}), lista({"000100000003X"}), lista({"OT"})},
        // A kind of no list, and a listed kind with a blank before it.
        {"CB", "", lista({"09/12/2024"}), lista({"000100000001X"}), lista({"Generico"})},
        {" OT", "", lista({"06/12/2024"}), lista({"000100000003X"}), lista({"OT"})},
    };
    for (const auto& c : casos) {
        Picker p;
        p.carga(QString::fromLatin1(c.tc), QString::fromLatin1(c.filtro));
        EXPECT_EQ(p.columna(1), c.columna1) << c.tc;
        EXPECT_EQ(p.columna(2), c.columna2) << c.tc;
        EXPECT_EQ(p.imagenes(), c.imagenes) << c.tc;
    }
}

TEST(FrmConsComprobantes, LookedUpCellsAndTheReferenceColumn)
{
    Picker p;
    p.carga(QStringLiteral("NCPE"));
    EXPECT_EQ(p.columna(3), lista({"PROV01", "PROV09"}));
    EXPECT_EQ(p.columna(4), lista({"Bulonera Rosario S.R.L.", ""})) << "supplier's name; none found, empty";
    EXPECT_EQ(p.columna(6), lista({"640", "10"}));

    p.carga(QStringLiteral("OC"));
    const int recibida = p.filaDe(QStringLiteral("000100000021X"), 3);
    ASSERT_GT(recibida, 0);
    EXPECT_EQ(p.f.ListView1->cell(recibida, 6), QStringLiteral("000100000123X"))
        << "the receiving voucher of the order, its origin type stored right-justified";
    EXPECT_EQ(p.f.ListView1->cell(p.filaDe(QStringLiteral("000100000024X"), 3), 6), QString());
    EXPECT_EQ(p.f.ListView1->cell(recibida, 5), QStringLiteral("Enero"));

    // The row of a voucher under each column.
    const struct {
        const char* tc;
        const char* referencia;
        QStringList fila;
    } casos[] = {
        {"PR", "NO", lista({"02/12/2024", "000100000008X", "Ferreteria", "", "75"})},
        {"PR", "SI", lista({"02/12/2024", "000100000008X", "Ferreteria", "", "Mostrador", "75"})},
        {"FC", "NO", lista({"07/12/2024", "000100000042B", "3", "Ferreteria", "75"})},
        {"FC", "SI", lista({"07/12/2024", "000100000042B", "3", "Ferreteria", "", "75"})},
        {"RM", "NO", lista({"04/12/2024", "000100000018R", "", "Kiosco", "400"})},
        {"CB", "SI", lista({"09/12/2024", "000100000001X", "", "Kiosco", "", "10"})},
    };
    for (const auto& c : casos) {
        Picker q;
        q.ajuste("UsaReferenciaPresupuestos", c.referencia);
        q.carga(QString::fromLatin1(c.tc));
        const int n = q.filaDe(c.fila[1], 2);
        ASSERT_GT(n, 0) << c.tc;
        QStringList fila;
        for (int col = 1; col <= q.f.ListView1->columnCountHeaders(); ++col)
            fila << q.f.ListView1->cell(n, col);
        EXPECT_EQ(fila, c.fila) << c.tc << " " << c.referencia;
    }
}

TEST(FrmConsComprobantes, TheColumnSetOfEachKind)
{
    const QStringList ot = lista({"FECHA", "COMPROBANTE", "ID", "NOMBRE", "IMPORTE"});
    const QStringList otRef = lista({"FECHA", "COMPROBANTE", "ID", "NOMBRE", "Referencia", "IMPORTE"});
    const QStringList fcc = lista({"FECHA", "COMPROBANTE", "PROVEEDOR", "NOMBRE", "CONCEPTO", "IMPORTE"});
    const QStringList pr = lista({"FECHA", "COMPROBANTE", "NOMBRE", "ID", "IMPORTE"});
    const QStringList prRef = lista({"FECHA", "COMPROBANTE", "NOMBRE", "ID", "Referencia", "IMPORTE"});
    const QStringList t3 = lista({"Nº Int.", "FECHA", "COMPROBANTE", "ID", "FH Envio", "FH Recep"});
    const QStringList oc = lista({"FECHA", "PROVEEDOR", "COMPROBANTE", "IMPORTE", "COMENTARIOS", "Inf. Recepción"});
    const QStringList otro = lista({"FECHA", "COMPROBANTE", "CUENTA", "NOMBRE", "CONCEPTO", "IMPORTE"});
    const struct {
        const char* tc;
        bool referencia;
        const QStringList& columnas;
    } casos[] = {
        {"OT", false, ot},          {"nc", false, ot},        {"GF", true, otRef},
        {"FC/ANTICIPOS", true, otRef}, {"fcc", false, fcc},     {"NDPR", true, fcc},
        {"RM/PENDIENTES_COMPRAS", false, fcc}, {"PR", false, pr}, {"PR", true, prRef},
        {"T3", true, t3},           {"oc", true, oc},         {" OT", false, otro},
        {"CB", true, otro},
    };
    for (const auto& c : casos) {
        Picker p;
        p.ajuste("UsaReferenciaPresupuestos", c.referencia ? "SI" : "NO");
        p.carga(QString::fromLatin1(c.tc));
        EXPECT_EQ(p.encabezados(), c.columnas) << c.tc << (c.referencia ? " with reference" : "");
    }

    // The widths are runs of X in the dialog's font; a second call leaves one set.
    Picker p;
    p.carga(QStringLiteral("T3"));
    const QFontMetrics m(p.f.font());
    EXPECT_EQ(p.f.ListView1->columnWidth(1), m.horizontalAdvance(QStringLiteral("XXXXXXX")));
    EXPECT_EQ(p.f.ListView1->columnWidth(4), m.horizontalAdvance(QStringLiteral("XXXX")));
    p.f.Encolumnar();
    EXPECT_EQ(p.encabezados(), t3);
}

TEST(FrmConsComprobantes, ImagesAreFoundByTagWithTheGenericOneAsFallback)
{
    Picker p;
    const struct {
        const char* tag;
        int indice;
    } casos[] = {
        {"PR", 1}, {"Anulado", 2}, {"aprobado", 3}, {"FC", 4},   {"NC", 5},      {"ND", 6},  {"OT", 7},
        {"T3", 9}, {"oc", 10},     {"  OC  ", 10},  {"OCG", 11}, {"Generico", 8}, {"RM", 8}, {"", 8},
    };
    for (const auto& c : casos)
        EXPECT_EQ(p.f.ObtieneIndiceImagen(QString::fromLatin1(c.tag)), c.indice) << '"' << c.tag << '"';
    EXPECT_EQ(p.f.ImageList1.Count(), 11);
}

TEST(FrmConsComprobantes, TheAcceptHandsBackWhatEachKindGives)
{
    const struct {
        const char* tc;
        const char* seleccion;  // a text of the row to select, in column `columna`
        int columna;
        std::vector<const char*> marcadas;
        const char* nro;
        const char* complemento;
        const char* proveedor;
    } casos[] = {
        {"FC", "000100000042B", 2, {}, "000100000042B", "3", ""},
        {"FC/ANTICIPOS", "000100000040A", 2, {}, "000100000040A", "1", ""},
        {"OT/PENDIENTES", "000100000003X", 2, {}, "000100000003X", "2", ""},
        {"RM", "000100000015R", 2, {}, "000100000015R", "", ""},
        {"FCC", "000200000310A", 2, {}, "000200000310A", "", "PROV01"},
        {"RM/PENDIENTES_COMPRAS", "000200000077R", 2, {}, "000200000077R", "", "PROV02"},
        {"NCPE", "000200000046A", 2, {}, "000200000046A", "", "PROV09"},
        {"PR", "000100000009X", 2, {}, "000100000009X", "0", ""},
        {"T3", "2", 1, {}, "2", "0", ""},
        {"CB", "000100000001X", 2, {}, "000100000001X", "", ""},
        // Orders: the checked ones in the list's order, else the selected one.
        {"OC", "000100000021X", 3, {"000100000024X", "000100000022X"}, "000100000024X,000100000022X", "0", ""},
        {"OC", "000100000021X", 3, {}, "000100000021X", "0", ""},
    };
    for (const auto& c : casos) {
        Picker p;
        p.carga(QString::fromLatin1(c.tc));
        for (const char* m : c.marcadas)
            p.f.ListView1->setChecked(p.filaDe(QLatin1String(m), 3), true);
        const int fila = p.filaDe(QLatin1String(c.seleccion), c.columna);
        ASSERT_GT(fila, 0) << c.tc;
        p.f.ListView1->selectRow(fila);
        p.f.CmdAceptar_Click();
        EXPECT_EQ(p.f.NroComprobante, QLatin1String(c.nro)) << c.tc;
        EXPECT_EQ(p.f.IdComplemento, QLatin1String(c.complemento)) << c.tc;
        EXPECT_EQ(p.f.Proveedor, QLatin1String(c.proveedor)) << c.tc;
        EXPECT_EQ(p.f.ListView1->rowCount(), 0) << c.tc << ": unloaded";
        EXPECT_TRUE(p.f.isHidden()) << c.tc;
    }
}

TEST(FrmConsComprobantes, NothingSelectedOrCancelledGivesNothing)
{
    Picker p;
    p.carga(QStringLiteral("OC"));
    p.f.CmdAceptar_Click();
    EXPECT_EQ(p.f.NroComprobante, QString()) << "no row selected or checked: nothing";
    EXPECT_EQ(p.f.IdComplemento, QString());

    for (int forma = 0; forma < 2; ++forma) {
        Picker q;
        q.carga(QStringLiteral("FC"));
        q.f.ListView1->selectRow(1);
        if (forma == 0)
            q.f.CmdCancelar_Click();
        else
            q.f.reject();  // the window closed by its frame or Esc
        EXPECT_EQ(q.f.NroComprobante + q.f.IdComplemento + q.f.Proveedor, QString()) << forma;
        EXPECT_EQ(q.f.ListView1->rowCount(), 0) << forma;
    }

    Picker vacio;
    vacio.carga(QStringLiteral("ND"));
    EXPECT_EQ(vacio.f.ListView1->rowCount(), 0);
    EXPECT_EQ(vacio.f.ListView1->columnCountHeaders(), 5) << "an empty list keeps its headers";
    vacio.f.CmdAceptar_Click();
    EXPECT_EQ(vacio.f.NroComprobante, QString());
}

TEST(FrmConsComprobantes, AFailingStatementLeavesTheListWithWhatItHas)
{
    Picker p;
    ScopedPrompts prompts;
    // The statement's own report, then the load's, which names no procedure.
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("AbrirRecordset"));
    prompts.answerError(prompt::ErrorLeave);
    p.carga(QStringLiteral("FC"), QStringLiteral("NO_SUCH_COLUMN = 1"));
    EXPECT_EQ(p.f.ListView1->rowCount(), 0);
    EXPECT_EQ(p.encabezados().size(), 5);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].origin, QString());
}

TEST(FrmConsComprobantes, HeaderClicksToggleTheSortAndEnterOrADoubleClickAccepts)
{
    Picker p;
    p.carga(QStringLiteral("FC"));
    p.f.ListView1_ColumnClick(4);  // NOMBRE
    EXPECT_EQ(p.columna(4), lista({"Ferreteria", "Ferreteria", "Almacen"}));
    p.f.ListView1_ColumnClick(4);
    EXPECT_EQ(p.columna(4), lista({"Almacen", "Ferreteria", "Ferreteria"}));
    p.f.ListView1_ColumnClick(1);  // the row text, in the order after the last
    EXPECT_EQ(p.columna(1), lista({"07/12/2024", "06/12/2024", "05/12/2024"}));

    // Enter with or without shift keys accepts the selected row.
    for (Qt::KeyboardModifiers mod : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
                                      Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        Picker q;
        q.carga(QStringLiteral("FC"));
        q.f.ListView1->selectRow(2);
        QTest::keyClick(q.f.ListView1, Qt::Key_Return, mod);
        EXPECT_EQ(q.f.NroComprobante, QStringLiteral("000100000041A"));
    }

    // A double click accepts even where no row lies.
    Picker d;
    d.carga(QStringLiteral("FC"));
    d.f.ListView1->selectRow(3);
    QWidget* vista = d.f.ListView1->viewport();
    QTest::mouseDClick(vista, Qt::LeftButton, {}, QPoint(5, vista->height() - 3));
    EXPECT_EQ(d.f.NroComprobante, QStringLiteral("000100000040A"));
}

TEST(FrmConsComprobantes, OrdersAreTickedFromTheKeyboardOrTheMouseAndTheTickedOnesReturn)
{
    // Orders 24, 23, 22 and 21, newest first.
    struct Lista : Picker {
        ReportList& l = *f.ListView1;
        Lista()
        {
            carga(QStringLiteral("OC"));
            f.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
            l.setFocus();
        }
        void clic(int fila, int x)
        {
            const QRect r = l.visualItemRect(l.topLevelItem(fila - 1));
            QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, QPoint(x, r.center().y()));
        }
        void teclas(std::initializer_list<Qt::Key> teclas)
        {
            for (Qt::Key k : teclas)
                QTest::keyClick(&l, k);
        }
    };
    {
        // The first order picked by its number, the third reached with the
        // arrows: Space ticks each, whatever column the mouse chose.
        Lista p;
        p.clic(1, p.l.columnLeft(3) + 5);
        p.teclas({Qt::Key_Space, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space});
        EXPECT_EQ(p.columna(3), lista({"000100000024X", "000100000023X", "000100000022X", "000100000021X"}));
        EXPECT_TRUE(p.l.isChecked(1) && !p.l.isChecked(2) && p.l.isChecked(3) && !p.l.isChecked(4));
        p.teclas({Qt::Key_Space});
        EXPECT_FALSE(p.l.isChecked(3)) << "a second Space unticks";
        p.teclas({Qt::Key_Space, Qt::Key_Return});
        EXPECT_EQ(p.f.NroComprobante, QStringLiteral("000100000024X,000100000022X"));
        EXPECT_EQ(p.f.IdComplemento, QStringLiteral("0"));
    }
    {
        // Two boxes ticked with the mouse, then Enter: no row selected.
        Lista p;
        const QStyle& estilo = *p.l.style();
        const int caja = estilo.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &p.l) + 1
                       + estilo.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &p.l) / 2 + 1;
        p.clic(2, caja);
        p.clic(4, caja);
        EXPECT_TRUE(p.l.isChecked(2) && p.l.isChecked(4));
        p.teclas({Qt::Key_Return});
        EXPECT_EQ(p.f.NroComprobante, QStringLiteral("000100000023X,000100000021X"));
    }
}

TEST(FrmConsComprobantes, EnterOnAFocusedButtonPressesIt)
{
    for (const bool acepta : {true, false}) {
        Picker p;
        p.carga(QStringLiteral("FC"));
        p.f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.f));
        p.f.activateWindow();
        p.f.ListView1->selectRow(2);
        p.f.ListView1->setFocus();
        QTest::keyClick(p.f.ListView1, Qt::Key_Tab);
        if (!acepta)
            QTest::keyClick(p.f.CmdAceptar, Qt::Key_Tab);
        QPushButton* boton = acepta ? p.f.CmdAceptar : p.f.CmdCancelar;
        ASSERT_EQ(QApplication::focusWidget(), boton);
        QTest::keyClick(boton, Qt::Key_Return);
        EXPECT_TRUE(p.f.isHidden()) << acepta;
        EXPECT_EQ(p.f.NroComprobante, acepta ? QStringLiteral("000100000041A") : QString());
    }
}

TEST(FrmConsComprobantes, RowTextsCannotBeEdited)
{
    Picker p;
    p.carga(QStringLiteral("FC"));
    p.f.show();
    p.f.ListView1->setFocus();
    p.f.ListView1->selectRow(1);
    QTest::keyClick(p.f.ListView1, Qt::Key_F2);
    QTest::mouseClick(p.f.ListView1->viewport(), Qt::LeftButton, {},
                      p.f.ListView1->visualItemRect(p.f.ListView1->topLevelItem(0)).center());
    QTest::qWait(600);
    EXPECT_EQ(p.f.ListView1->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(p.f.ListView1->rowText(1), QStringLiteral("07/12/2024"));
    p.f.hide();
}

TEST(FrmConsComprobantes, AReadyListFitsItsWindow)
{
    Picker p;
    p.carga(QStringLiteral("OC"));
    p.f.show();
    QApplication::processEvents();
    EXPECT_EQ(p.f.windowTitle(), QStringLiteral("Consulta de Comprobantes"));
    const QHeaderView* cabecera = p.f.ListView1->header();
    const QFontMetrics m(cabecera->font());
    for (int c = 0; c < cabecera->count(); ++c)
        EXPECT_GE(cabecera->sectionSize(c) + 8, m.horizontalAdvance(p.f.ListView1->columnText(c + 1)))
            << p.f.ListView1->columnText(c + 1).toStdString();
    for (QPushButton* b : {p.f.CmdAceptar, p.f.CmdCancelar}) {
        EXPECT_TRUE(p.f.rect().contains(b->geometry())) << b->objectName().toStdString();
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
    }
    EXPECT_TRUE(p.f.rect().contains(p.f.ListView1->geometry()));
    EXPECT_FALSE(p.f.ListView1->geometry().intersects(p.f.CmdAceptar->geometry()));
    p.f.grab().save(QStringLiteral("FrmConsComprobantes.png"));
    p.f.hide();

    // The first column holds each row's check box (purchase orders) and
    // picture before its text: the text, a date for most kinds, shows whole.
    for (const char* tc : {"OC", "FC", "PR", "RM", "T3", "NCPE"}) {
        Picker q;
        q.carga(QString::fromLatin1(tc));
        q.f.show();
        QApplication::processEvents();
        ASSERT_GT(q.f.ListView1->rowCount(), 0) << tc;
        const QAbstractItemView& vista = *q.f.ListView1;
        EXPECT_GE(q.f.ListView1->header()->sectionSize(0), vista.sizeHintForColumn(0))
            << tc << ": " << q.f.ListView1->rowText(1).toStdString();
        q.f.hide();
    }
}

TEST(ConsultaComprobante, TheRulesOpenAFreshPickerAndReadItsAnswer)
{
    Picker p;
    DialogosRegistrados dialogos;
    const ClsCmnCptes cls;
    ScopedPrompts prompts;
    QString filtroVisto;
    prompts.onModal(QStringLiteral("FrmConsComprobantes"), [&](QDialog& d) {
        auto& f = static_cast<FrmConsComprobantes&>(d);
        filtroVisto = f.Filtro;
        f.ListView1->selectRow(1);
        f.CmdAceptar_Click();
        return f.result();
    });
    QString respuesta = QStringLiteral("previa"), complemento, proveedor;
    cls.ConsultaComprobante(QStringLiteral("FC/ANTICIPOS"), respuesta, QStringLiteral("CUENTA = 'C0002'"), complemento,
                            proveedor);
    EXPECT_EQ(filtroVisto, QStringLiteral("CUENTA = 'C0002'"));
    EXPECT_EQ(respuesta, QStringLiteral("000100000042B"));
    EXPECT_EQ(complemento, QStringLiteral("3"));
    EXPECT_EQ(proveedor, QString());

    // Without a filter, cancelled: the next picker starts empty and gives "".
    prompts.onModal(QStringLiteral("FrmConsComprobantes"), [&](QDialog& d) {
        auto& f = static_cast<FrmConsComprobantes&>(d);
        filtroVisto = f.Filtro;
        EXPECT_EQ(f.NroComprobante + f.IdComplemento + f.Proveedor, QString());
        EXPECT_EQ(f.ListView1->rowCount(), 3);
        f.CmdCancelar_Click();
        return f.result();
    });
    cls.ConsultaComprobante(QStringLiteral("FC"), respuesta, complemento, proveedor);
    EXPECT_EQ(filtroVisto, QString());
    EXPECT_EQ(respuesta + complemento + proveedor, QString());
}

TEST(ConsultaComprobante, WithoutThePickerTheErrorDialogIsShownAndNothingChanges)
{
    TestDatabase db;
    const ClsCmnCptes cls;
    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("ConsultaComprobante"));
    QString respuesta = QStringLiteral("previa"), complemento, proveedor;
    cls.ConsultaComprobante(QStringLiteral("FC"), respuesta, complemento, proveedor);
    EXPECT_EQ(respuesta, QStringLiteral("previa"));
    EXPECT_EQ(prompts.shown().at(0).errorNumber, errnum::ObjectNotSet);
}
