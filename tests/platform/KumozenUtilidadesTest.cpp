#include "platform/Host.h"
#include "tests/support/HostDePrueba.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/kumozen/KumozenArchivoIni.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(KumozenUtilidadesTest, JustifiesCutsAndStrips)
{
    KumozenUtilidades u;
    EXPECT_EQ(u.AlineaDerecha("1", 4), "   1");
    EXPECT_EQ(u.AlineaDerecha("ELDELGRID", 4), "ELDELGRID");
    EXPECT_EQ(u.AlineaDerecha("", 3), "   ");
    EXPECT_EQ(u.RecortaTexto("abcdef", 3), "abc");
    EXPECT_EQ(u.RecortaTexto("ab", 30), "ab");
    EXPECT_THROW(u.RecortaTexto("ab", -1), RuntimeError);
    EXPECT_EQ(u.QuitaCaracteres(QString::fromUtf8("a\0b\nc", 5), QString(QChar(0)), QStringLiteral("\n")), "abc");
    EXPECT_EQ(u.ReemplazaTexto("1,5,6", ",", "."), "1.5.6");
    EXPECT_EQ(u.ReemplazaTexto("abc", "", "x"), "abc");
    EXPECT_EQ(u.CuentaPalabras("  uno dos\ttres\r\n"), 3);
    EXPECT_EQ(u.CuentaPalabras(""), 0);
    EXPECT_EQ(u.AgregaBarra("/opt/app"), "/opt/app/");
    EXPECT_EQ(u.AgregaBarra("/opt/app/"), "/opt/app/");
}

TEST(KumozenUtilidadesTest, ReadsNumbersAndNulls)
{
    KumozenUtilidades u;
    EXPECT_EQ(u.TextoALong("12.5"), 12);
    EXPECT_EQ(u.TextoALong("13,5"), 14);
    EXPECT_EQ(u.TextoALong(""), 0);
    EXPECT_DOUBLE_EQ(u.TextoADoble("3,25"), 3.25);
    EXPECT_EQ(u.TextoAMoneda(QStringLiteral("x")).toString(), "0");
    EXPECT_EQ(u.ValorNoNulo(lang::null()).toString(), "");
    EXPECT_FALSE(lang::isNull(u.ValorNoNulo(lang::null())));
    EXPECT_EQ(u.ValorNoNulo(5).toInt(), 5);
}

TEST(KumozenUtilidadesTest, CipherRoundTripsAndStaysIniSafe)
{
    KumozenUtilidades u;
    for (const QString& s : {QStringLiteral("tomcrez"), QStringLiteral("p@ss|w;rd=ñ"), QString()}) {
        const QString enc = u.Encripta(s);
        EXPECT_FALSE(enc.contains(u'|'));
        EXPECT_FALSE(enc.contains(u';'));
        EXPECT_EQ(u.Desencripta(enc), s);
    }
    EXPECT_NE(u.Encripta("tomcrez"), "tomcrez");
}

TEST(KumozenArchivoIniTest, ReadsKeysOfASectionOrTheDefault)
{
    HostDePrueba h;
    QFile f(h.ruta("CN000pr.INI"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("; estaciones\r\n[PC01|JUAN]\r\nFlatToolbars = 0\r\nServidor=srv1\r\n[Iconos]\r\nIconoDelSistema=ICONO\r\n");
    f.close();

    KumozenArchivoIni ini;
    EXPECT_EQ(ini.LeeIni("CN000pr.INI", "pc01|juan", "flattoolbars", "1"), "0");
    EXPECT_EQ(ini.LeeIni("CN000pr.INI", "PC01|JUAN", "Servidor", ""), "srv1");
    EXPECT_EQ(ini.LeeIni("CN000pr.INI", "Iconos", "IconoDelSistema", "X"), "ICONO");
    EXPECT_EQ(ini.LeeIni("CN000pr.INI", "Iconos", "Falta", "X"), "X");
    EXPECT_EQ(ini.LeeIni("CN000pr.INI", "Otra", "Servidor", "d"), "d");
    EXPECT_EQ(ini.LeeIni("NoExiste.INI", "Iconos", "IconoDelSistema", "d"), "d");
}
