#include "tests/support/HostDePrueba.h"

#include "core/ImpresoraComprobante.h"

#include "../support/TestDatabase.h"

#include <gtest/gtest.h>

TEST(ImpresoraComprobanteTest, TheWorkstationRowWinsOverTheGeneralOne)
{
    struct Caso {
        const char* filas;
        const char* impresora;
        std::int16_t copias, lineas;
        const char* destino;
    };
    const char* general = "INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, Impresora, CantCopias, CantLineas, "
                          "DestinoDefault) VALUES ('FC', 'A', NULL, ' General ', 1, 30, ' P ');";
    const char* estacion = "INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, Impresora, CantCopias, CantLineas, "
                           "DestinoDefault) VALUES ('FC', 'A', 'PC01|juan', 'Local', 3, 40, 'I');";
    const char* otraLetra = "INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, Impresora, CantCopias, CantLineas, "
                            "DestinoDefault) VALUES ('FC', 'B', 'PC01|juan', 'Otra', 9, 9, 'X');";
    const char* nulos = "INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, USUARIO, Impresora) VALUES ('FC', 'A', NULL, NULL);";
    const Caso casos[] = {
        {"", "", 0, 55, "previo"},
        {general, "General", 1, 30, "P"},
        {estacion, "Local", 3, 40, "I"},
        {otraLetra, "", 0, 55, "previo"},
        {nulos, "", 0, 0, ""},
    };
    HostDePrueba h;
    for (const Caso& c : casos) {
        TestDatabase base(QString::fromLatin1(c.filas) + (c.filas == estacion ? general : ""));
        QString impresora = QStringLiteral("previa");
        QString destino = QStringLiteral("previo");
        std::int16_t copias = 7;
        std::int16_t lineas = 55;
        QString usuario = QStringLiteral("  ");
        ObtieneImpresoraComprobante("FC", "A", impresora, copias, lineas, destino, usuario);
        EXPECT_EQ(impresora, c.impresora) << c.filas;
        EXPECT_EQ(copias, c.copias) << c.filas;
        EXPECT_EQ(lineas, c.lineas) << c.filas;
        EXPECT_EQ(destino, c.destino) << c.filas;
        EXPECT_EQ(usuario, "PC01|juan");
    }
}
