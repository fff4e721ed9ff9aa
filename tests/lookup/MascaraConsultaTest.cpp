#include "lookup/MascaraConsulta.h"

#include <QFile>
#include <QTemporaryDir>
#include "tests/support/QtPrinting.h"

#include <gtest/gtest.h>

namespace {
QByteArray registro(const QByteArray& titulo, const QByteArray& tabla, const QByteArray& campos,
                    const QByteArray& condicion = {})
{
    return titulo.leftJustified(100, ' ', true) + tabla.leftJustified(100, ' ', true) +
           campos.leftJustified(500, ' ', true) + condicion.leftJustified(500, ' ', true) + "\r\n";
}

QString escribe(const QTemporaryDir& dir, const QByteArray& contenido)
{
    const QString ruta = dir.filePath("consultas.vtl");
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(contenido);
    return ruta;
}
}  // namespace

TEST(MascaraConsultaTest, FindsTheFirstRecordOfATableWhateverItsCaseAndBlanks)
{
    QTemporaryDir dir;
    const QString ruta = escribe(dir, registro("ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|") +
                                          registro("TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|") +
                                          registro("OTROS TECNICOS", "V_TA_TECNICOS", "|APELLIDO|") +
                                          registro("ZONAS", QByteArray("\0 V_TA_ZONAS\xff", 13), "|ZONA|", "ZONA > 0"));

    const auto articulos = BuscaMascaraConsulta(ruta, "  v_ma_articulos ");
    ASSERT_TRUE(articulos);
    EXPECT_EQ(articulos->Tabla, "V_MA_ARTICULOS");
    EXPECT_EQ(articulos->Campos.trimmed(), "|DESCRIPCION|IDARTICULO|");
    EXPECT_EQ(articulos->Titulo.trimmed(), "ARTICULOS");
    EXPECT_EQ(articulos->Condicion.trimmed(), "");

    const auto tecnicos = BuscaMascaraConsulta(ruta, "V_TA_TECNICOS");
    ASSERT_TRUE(tecnicos);
    EXPECT_EQ(tecnicos->Titulo.trimmed(), "TECNICOS");

    const auto zonas = BuscaMascaraConsulta(ruta, "V_TA_ZONAS");
    ASSERT_TRUE(zonas);
    EXPECT_EQ(zonas->Tabla, "V_TA_ZONAS");
    EXPECT_EQ(zonas->Condicion.trimmed(), "ZONA > 0");

    EXPECT_FALSE(BuscaMascaraConsulta(ruta, "VT_CLIENTES"));
    EXPECT_FALSE(BuscaMascaraConsulta(ruta, "V_MA_ARTICULO"));
}

TEST(MascaraConsultaTest, MissingFileOrShortLastRecord)
{
    QTemporaryDir dir;
    EXPECT_FALSE(BuscaMascaraConsulta(dir.filePath("consultas.vtl"), "V_MA_ARTICULOS"));

    // A file cut inside its last record still gives that record's table.
    const QByteArray completo = registro("ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|");
    const QString ruta = escribe(dir, completo + completo.left(212).replace(100, 14, "V_TA_DEPOSITO "));
    const auto deposito = BuscaMascaraConsulta(ruta, "V_TA_DEPOSITO");
    ASSERT_TRUE(deposito);
    EXPECT_EQ(deposito->Campos.trimmed(), "|DESCRIPCION");
}
