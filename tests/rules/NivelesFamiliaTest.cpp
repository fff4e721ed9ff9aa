#include "rules/NivelesFamilia.h"

#include "tests/support/QtPrinting.h"

#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

namespace {

struct CasoPadre {
    const char* caso;
    std::array<double, 6> anchos;
    const char* codigo;
    const char* padre;
};

}  // namespace

TEST(NivelesFamilia, ParentIsCutByTheFirstLevelEndThatEqualsTheLength)
{
    const CasoPadre casos[] = {
        {"2,2,2: level 3 gives level 2", {2, 2, 2, 0, 0, 0}, "010203", "0102"},
        {"2,2,2: level 2 gives level 1", {2, 2, 2, 0, 0, 0}, "0102", "01"},
        {"2,2,2: level 1 has no parent", {2, 2, 2, 0, 0, 0}, "01", ""},
        {"2,2,2: length 5 is no level end", {2, 2, 2, 0, 0, 0}, "01020", ""},
        {"2,2,2: longer than every level", {2, 2, 2, 0, 0, 0}, "0102030", ""},
        {"2,0,3: length 2 is level 1 first", {2, 0, 3, 0, 0, 0}, "01", ""},
        {"2,0,3: length 5 gives its first 2", {2, 0, 3, 0, 0, 0}, "01003", "01"},
        {"0,3: length 3 gives the empty code", {0, 3, 0, 0, 0, 0}, "ABC", ""},
        {"0,3: the empty code matches level 1", {0, 3, 0, 0, 0, 0}, "", ""},
        {"nothing configured: no parent", {0, 0, 0, 0, 0, 0}, "0102", ""},
        {"six levels: level 6 gives level 5", {1, 1, 1, 1, 1, 1}, "ABCDEF", "ABCDE"},
    };
    for (const auto& c : casos) {
        const NivelesFamilia fines = CalculaFinesNivel(c.anchos);
        EXPECT_EQ(FamiliaPadre(QString::fromLatin1(c.codigo), fines), QString::fromLatin1(c.padre)) << c.caso;
    }
}

TEST(NivelesFamilia, WalkingUpAlwaysEnds)
{
    const NivelesFamilia fines = CalculaFinesNivel({2, 2, 2, 0, 0, 0});
    QStringList ancestros;
    for (QString f = FamiliaPadre(QStringLiteral("010203"), fines); !f.isEmpty(); f = FamiliaPadre(f, fines))
        ancestros << f;
    EXPECT_EQ(ancestros, (QStringList{"0102", "01"}));
}

TEST(NivelesFamilia, NullCodeHasNoParent)
{
    EXPECT_EQ(FamiliaPadre(QVariant(QMetaType(QMetaType::QString)), CalculaFinesNivel({0, 0, 0, 0, 0, 0})), "");
    EXPECT_EQ(FamiliaPadre(QVariant(), CalculaFinesNivel({2, 2, 0, 0, 0, 0})), "");
}

TEST(NivelesFamilia, SettingsRoundHalvesToEven)
{
    const std::array<double, 6> valores{2.5, 3.5, 0, 0, 0, 0};
    const NivelesFamilia largos = CalculaLargosNivel(valores);
    EXPECT_EQ(largos[0], 2);
    EXPECT_EQ(largos[1], 4);
    EXPECT_EQ(CalculaLargoTotal(largos), 6);
    const NivelesFamilia fines = CalculaFinesNivel(valores);
    EXPECT_EQ(fines[0], 2);
    EXPECT_EQ(fines[1], 6);  // 3.5 + 2 = 5.5 rounds to 6
    EXPECT_EQ(fines[5], 6);
}

TEST(NivelesFamilia, WidthsOutsideSixteenBitsOverflow)
{
    auto desborda = [](auto&& f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e.number() == errnum::Overflow;
        }
        return false;
    };
    EXPECT_TRUE(desborda([] { CalculaLargosNivel({40000, 0, 0, 0, 0, 0}); }));
    EXPECT_TRUE(desborda([] { CalculaFinesNivel({0, 0, 40000, 0, 0, 0}); }));
    EXPECT_TRUE(desborda([] { CalculaFinesNivel({20000, 20000, 0, 0, 0, 0}); }));
    EXPECT_TRUE(desborda([] { CalculaLargoTotal({20000, 20000, 0, 0, 0, 0}); }));
    EXPECT_TRUE(desborda([] { CalculaLargoTotal({32767, 0, 1, 0, 0, 0}); }));
}

TEST(NivelesFamilia, NegativeWidthFailsWhenItsPrefixIsTaken)
{
    const NivelesFamilia fines = CalculaFinesNivel({-2, 5, 0, 0, 0, 0});
    try {
        FamiliaPadre(QStringLiteral("ABC"), fines);
        ADD_FAILURE() << "a prefix of negative length was taken";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), errnum::InvalidProcedureCall);
    }
}
