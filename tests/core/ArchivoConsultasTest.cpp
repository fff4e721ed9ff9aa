#include "tests/support/HostDePrueba.h"

#include "core/ArchivoConsultas.h"
#include "core/Globals.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray relleno(const char* texto, int ancho)
{
    return QByteArray(texto).leftJustified(ancho, ' ', true);
}

QByteArray registro(const char* titulo, const char* tabla, const char* campos)
{
    return relleno(titulo, 100) + relleno(tabla, 100) + relleno(campos, 500) + QByteArray(500, ' ') + "\r\n";
}

QByteArray lee(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray kArchivoFresco = registro("ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|")
                                  + registro("CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|")
                                  + registro("PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|")
                                  + registro("CONTACTOS", "MA_CONTACTOS",
                                             "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|")
                                  + registro("VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|")
                                  + registro("TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|")
                                  + registro("TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|")
                                  + registro("MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|");

}  // namespace

TEST(ArchivoConsultasTest, WritesTheEightDefaultRecordsByteForByte)
{
    HostDePrueba h;
    RutaMascaraConsultas = h.ruta("consultas.vtl");
    CreaArchivoConsultas();
    const QByteArray archivo = lee(RutaMascaraConsultas);
    ASSERT_EQ(archivo.size(), 9616);
    EXPECT_EQ(archivo, kArchivoFresco);

    // A reader matching the trimmed table finds the technicians at record 6.
    for (int n = 0; n < 8; ++n) {
        const MascaraConsulta m = MascaraConsulta::DeRegistro(archivo.mid(n * MascaraConsulta::Largo, MascaraConsulta::Largo));
        if (m.Tabla.trimmed() == "V_TA_TECNICOS") {
            EXPECT_EQ(n + 1, 6);
            EXPECT_EQ(m.Campos.trimmed(), "|NOMBRE|IDTECNICO|");
            EXPECT_EQ(m.Condicion, QString(500, u' '));
            break;
        }
    }
}

TEST(ArchivoConsultasTest, AppendsAfterTheRecordsAFileAlreadyHolds)
{
    HostDePrueba h;
    RutaMascaraConsultas = h.ruta("consultas.vtl");
    const QByteArray propio = registro("MIS ARTICULOS", "V_MA_ARTICULOS", "|IDARTICULO|");
    {
        QFile f(RutaMascaraConsultas);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(propio);
    }
    CreaArchivoConsultas();
    EXPECT_EQ(lee(RutaMascaraConsultas), propio + kArchivoFresco);
}

TEST(ArchivoConsultasTest, StoresTextInTheAnsiCodePage)
{
    MascaraConsulta m;
    m.Titulo = QStringLiteral("AÑO € – precio");
    m.Tabla = QString(120, u'x');
    const QByteArray r = m.Registro();
    ASSERT_EQ(r.size(), MascaraConsulta::Largo);
    EXPECT_EQ(r.left(14), QByteArray("A\xD1O \x80 \x96 precio"));
    EXPECT_EQ(r.mid(100, 100), QByteArray(100, 'x'));
    EXPECT_EQ(r.right(2), "\r\n");
    const MascaraConsulta leida = MascaraConsulta::DeRegistro(r);
    EXPECT_EQ(leida.Titulo.trimmed(), m.Titulo);
    EXPECT_EQ(leida.Tabla, QString(100, u'x'));
}

TEST(ArchivoConsultasTest, AFileThatCannotBeWrittenRaises)
{
    HostDePrueba h;
    // Below a file no folder can be made, whoever runs the test.
    QFile archivo(h.ruta("archivo"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    RutaMascaraConsultas = h.ruta("archivo/consultas.vtl");
    EXPECT_THROW(CreaArchivoConsultas(), RuntimeError);
}

TEST(ArchivoConsultasTest, AMissingFolderIsCreated)
{
    HostDePrueba h;
    RutaMascaraConsultas = h.rutaDatos("consultas.vtl");
    CreaArchivoConsultas();
    EXPECT_EQ(lee(RutaMascaraConsultas), kArchivoFresco);
}
