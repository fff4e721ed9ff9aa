// The printed form's line limit and the item counts of a voucher.
#include "vouchers/ClsCmnCptes.h"

#include "FormularioComprobante.h"
#include "tests/support/HostDePrueba.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// FC A holds 3 lines on every station without a row of its own; FC B
// holds 5; RM has no printer row.
const char* const kImpresoras = R"(
INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, CantLineas) VALUES
  ('FC', 'A', NULL, 3), ('FC', 'A', 'OTRAPC|pedro', 9), ('FC', 'B', NULL, 5);
)";

// A voucher with one task and two articles entered; the articles grid also
// holds a line of blanks and a line with text outside column 0 only.
struct Comprobante {
    HostDePrueba maquina;
    TestDatabase base{QString::fromLatin1(kImpresoras)};
    FormularioComprobante f;
    ClsCmnCptes cls;

    Comprobante()
    {
        AgregaLinea(f.tareas, {{ColTareas::Codigo, "T1"}});
        AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART001"}, {ColArticulos::Cant, "1"}});
        AgregaLinea(f.articulos, {{ColArticulos::Codigo, "   "}, {ColArticulos::Cant, "4"}});
        AgregaLinea(f.articulos, {{ColArticulos::Descripcion, "sin codigo"}});
        AgregaLinea(f.articulos, {{ColArticulos::Codigo, " ART002 "}});
    }
    QString impresoras(const QString& nombre = QStringLiteral("PRINTERS.PRN")) const
    {
        QFile archivo(maquina.ruta(nombre));
        archivo.open(QIODevice::WriteOnly);
        return archivo.fileName();
    }
    bool valida(const char* tc, const char* letra, int agregar, std::int16_t& cantLineas, std::int16_t& usadas,
                std::int16_t& anteriores)
    {
        return cls.ValidaCantidadLineasCpte(QString::fromLatin1(tc), QString::fromLatin1(letra), &f.tareas,
                                            &f.articulos, &f.otros, cantLineas, usadas, agregar, anteriores);
    }
};

void cambiaFecha(const QString& archivo, int segundos)
{
    QFile f(archivo);
    f.open(QIODevice::ReadWrite);
    f.setFileTime(f.fileTime(QFileDevice::FileModificationTime).addSecs(segundos), QFileDevice::FileModificationTime);
}

}  // namespace

TEST(LineasComprobante, WithoutThePrintersFileThereIsNoLimit)
{
    Comprobante c;
    std::int16_t cantLineas = 2, usadas = 99, anteriores = 0;
    EXPECT_TRUE(c.valida("FC", "A", 10, cantLineas, usadas, anteriores));
    EXPECT_EQ(cantLineas, 0);
    EXPECT_EQ(usadas, 99) << "left as it was";
}

TEST(LineasComprobante, TheFormHoldsTheConfiguredLinesOfEachTypeAndLetter)
{
    Comprobante c;
    const QString archivo = c.impresoras();
    struct Caso {
        const char* caso;
        const char* tc;
        const char* letra;
        int agregar;
        bool caben;
        int cantLineas;
    } casos[] = {
        {"exactly full", "FC", "A", 0, true, 3},
        {"one line more", "FC", "A", 1, false, 3},
        {"another letter reads its own limit", "FC", "B", 2, true, 5},
        {"back to the first, unchanged file", "FC", "A", 1, false, 3},
        {"a type without a printer row keeps the count passed", "RM", "X", 0, true, 7},
    };
    for (const auto& k : casos) {
        std::int16_t cantLineas = 7, usadas = -5, anteriores = 0;
        EXPECT_EQ(c.valida(k.tc, k.letra, k.agregar, cantLineas, usadas, anteriores), k.caben) << k.caso;
        EXPECT_EQ(cantLineas, k.cantLineas) << k.caso;
        EXPECT_EQ(usadas, 3) << k.caso << ": one task and two articles";
    }

    // The configuration is read again only when the file changes.
    c.base.execute(QStringLiteral("UPDATE TA_CONFIG_IMP_CPTE SET CantLineas = 10 WHERE TC = 'FC' AND LETRA = 'A';"));
    std::int16_t cantLineas = 0, usadas = 0, anteriores = 0;
    EXPECT_FALSE(c.valida("FC", "A", 1, cantLineas, usadas, anteriores));
    EXPECT_EQ(cantLineas, 3);
    cambiaFecha(archivo, 60);
    EXPECT_TRUE(c.valida("FC", "A", 1, cantLineas, usadas, anteriores));
    EXPECT_EQ(cantLineas, 10);
    EXPECT_EQ(anteriores, 10) << "the caller's count follows each reading";
}

TEST(LineasComprobante, ACallerThatKeepsNoCountIsLimitedOnEveryCheck)
{
    Comprobante c;
    c.impresoras(QStringLiteral("printers.prn"));
    EXPECT_FALSE(c.cls.ValidaCantidadLineasCpte(QStringLiteral("FC"), QStringLiteral("A"), &c.f.tareas, &c.f.articulos,
                                                nullptr, 1))
        << "the file is found whatever the case of its name";
    EXPECT_FALSE(c.cls.ValidaCantidadLineasCpte(QStringLiteral("FC"), QStringLiteral("A"), &c.f.tareas, &c.f.articulos,
                                                nullptr, 1));
    EXPECT_TRUE(c.cls.ValidaCantidadLineasCpte(QStringLiteral("FC"), QStringLiteral("A"), nullptr, &c.f.articulos,
                                               nullptr, 1))
        << "a grid not passed counts no line";
}

TEST(LineasComprobante, TheCallersOwnCountSkipsTheFile)
{
    Comprobante c;
    c.impresoras();
    std::int16_t cantLineas = 0, usadas = 99, anteriores = -1;
    EXPECT_TRUE(c.valida("FC", "A", 10, cantLineas, usadas, anteriores)) << "0 lines passed: no limit";
    EXPECT_EQ(usadas, 99);
    cantLineas = 4;
    EXPECT_TRUE(c.valida("FC", "A", 1, cantLineas, usadas, anteriores));
    EXPECT_FALSE(c.valida("FC", "A", 2, cantLineas, usadas, anteriores));
    EXPECT_EQ(cantLineas, 4);
    EXPECT_EQ(anteriores, -1);
}

TEST(LineasComprobante, MoreLinesThanSixteenBitsCountIsAnError)
{
    Comprobante c;
    c.impresoras();
    FlexGrid muchas;
    muchas.setCols(1);
    muchas.setRows(32770);
    for (int fila = 1; fila < muchas.Rows(); ++fila)
        muchas.setTextMatrix(fila, 0, QStringLiteral("x"));
    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("ValidaCantidadLineasCpte"));
    EXPECT_FALSE(c.cls.ValidaCantidadLineasCpte(QStringLiteral("FC"), QStringLiteral("A"), &muchas, nullptr, nullptr));
}

TEST(CuentaItems, CountsTheLinesAndRoundsTheUnitsLineByLine)
{
    TestDatabase base;
    const ClsCmnCptes cls;
    struct Caso {
        const char* caso;
        std::vector<const char*> cantidades;
        int unidades;
    } casos[] = {
        {"1.5 then 3.5 round to even", {"1.5", "1.5"}, 4},
        {"each 0.4 rounds back to 0", {"0.4", "0.4", "0.4"}, 0},
        {"a comma is a decimal sign", {"2,5", "0,5"}, 2},
        {"an empty or blank cell is 0", {"", "  ", "3"}, 3},
    };
    for (const auto& k : casos) {
        FormularioComprobante f;
        for (const char* cantidad : k.cantidades)
            AgregaLinea(f.articulos, {{ColArticulos::Codigo, "A"}, {ColArticulos::Cant, cantidad}});
        std::int32_t tareas = -1, articulos = -1, otros = -1, unidades = -1;
        EXPECT_EQ(cls.CuentaItems(&f.tareas, &f.articulos, &f.otros, tareas, articulos, otros, unidades),
                  static_cast<int>(k.cantidades.size()))
            << k.caso;
        EXPECT_EQ(unidades, k.unidades) << k.caso;
        EXPECT_EQ(articulos, static_cast<int>(k.cantidades.size())) << k.caso;
        EXPECT_EQ(tareas, 0) << k.caso;
        EXPECT_EQ(otros, 0) << k.caso;
    }

    FormularioComprobante f;
    AgregaLinea(f.tareas, {{ColTareas::Codigo, "T1"}});
    AgregaLinea(f.tareas, {{ColTareas::Descripcion, "sin codigo"}});
    AgregaLinea(f.otros, {{ColOtrosConceptos::Detalle, "Flete"}});
    AgregaLinea(f.otros, {{ColOtrosConceptos::Detalle, "Seguro"}});
    AgregaLinea(f.articulos, {{ColArticulos::Codigo, "A"}, {ColArticulos::Cant, "2"}});
    std::int32_t tareas = 0, articulos = 0, otros = 0, unidades = 0;
    EXPECT_EQ(cls.CuentaItems(&f.tareas, nullptr, &f.otros, tareas, articulos, otros, unidades), 3);
    EXPECT_EQ(tareas, 1);
    EXPECT_EQ(otros, 2);
    EXPECT_EQ(articulos, 0) << "a grid not passed counts no line";
    EXPECT_EQ(unidades, 0);
    EXPECT_EQ(cls.CuentaItems(&f.tareas, &f.articulos, &f.otros), 4);
}
