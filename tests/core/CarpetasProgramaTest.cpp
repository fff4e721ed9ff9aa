#include "tests/support/HostDePrueba.h"

#include "core/CarpetasPrograma.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// Which folder a file the program keeps beside itself lives in.
TEST(CarpetasProgramaTest, AFileIsBesideTheProgramWhenItIsThereOrCanBeWrittenThereElseInTheUsersDataFolder)
{
    const struct {
        const char* caso;
        bool enviado;        // the file was shipped beside the program
        bool soloLectura;    // the program's folder cannot be written
        bool carpetaExiste;  // the program's folder exists
        bool junto;          // expected: beside the program (else in the data folder)
    } casos[] = {
        {"a folder the user can write", false, false, true, true},
        {"a file shipped in a folder the user can write", true, false, true, true},
        {"a folder the user cannot write", false, true, true, false},
        {"a file shipped in a folder the user cannot write", true, true, true, true},
        {"a folder that is not there", false, false, false, false},
    };
    for (const auto& c : casos) {
        HostDePrueba h;
        const QString programa = c.carpetaExiste ? h.folder : h.ruta("no/existe");
        if (c.enviado) {
            QFile f(QDir(programa).filePath("VRDOCTareas.vtl"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << c.caso;
        }
        if (c.soloLectura)
            h.readOnlyFolders << programa;
        const QString esperada = c.junto ? QDir(programa).filePath("VRDOCTareas.vtl") : h.rutaDatos("VRDOCTareas.vtl");
        EXPECT_EQ(RutaArchivoPrograma(programa + "/", "VRDOCTareas.vtl"), esperada) << c.caso;
        EXPECT_FALSE(QDir(h.dataFolder).exists()) << c.caso << ": deciding creates nothing";
    }
}
