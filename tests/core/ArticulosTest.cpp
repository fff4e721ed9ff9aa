#include "core/Articulos.h"
#include "core/DB_Dll.h"

#include "../support/RecordingConnection.h"
#include "../support/TestDatabase.h"

#include "platform/Value.h"

#include <gtest/gtest.h>

namespace {

// Codes and barcodes right-justified to 25, as the articles are stored.
const char* kArticulos = R"(
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, codigobarra, CODIGOBARRADUN, UD_TTE, CODIGOBARRA2, UMCB2, IDUNIDAD)
VALUES ('                   ART001', 'Tornillo', '            7790001234567', '            1779000123456', 'CJ',
        '            2779000123456', 'PK', 'UN'),
       ('                   ART002', 'Tuerca', NULL, NULL, NULL, NULL, NULL, 'UN');
)";

const QString k25 = QStringLiteral("'            7790001234567'");

}  // namespace

TEST(ArticulosTest, FindsByCodeOrByAnyBarcode)
{
    struct Caso {
        const char* buscado;
        bool porCodigoBarra;
        bool encontrado;
        const char* codigo;   // Codigo afterwards
        const char* unidad;   // the unit the barcode stands for: the added IDUNIDAD, last column
    };
    const Caso casos[] = {
        {"ART001", false, true, "ART001", nullptr},
        {"7790001234567", false, false, "7790001234567", nullptr},
        {"7790001234567", true, true, "                   ART001", nullptr},
        {"1779000123456", true, true, "                   ART001", "CJ"},
        {"2779000123456", true, true, "                   ART001", "PK"},
        // A code and no barcode: found by the last statement, the text untouched.
        {"ART002", true, true, "ART002", nullptr},
        {"NADA", true, false, "NADA", nullptr},
    };
    TestDatabase base(kArticulos);
    for (const Caso& c : casos) {
        QString codigo = QString::fromLatin1(c.buscado);
        db::Recordset rs;
        EXPECT_EQ(BuscaArticulo(codigo, &rs, true, c.porCodigoBarra), c.encontrado) << c.buscado;
        EXPECT_EQ(codigo, c.codigo) << c.buscado;
        EXPECT_EQ(rs.Eof(), !c.encontrado) << c.buscado;
        if (c.unidad) {
            db::Field& ultimo = rs.field(rs.FieldCount() - 1);
            EXPECT_EQ(ultimo.Name().toUpper(), "IDUNIDAD");
            EXPECT_EQ(lang::text(ultimo.Value()).trimmed(), c.unidad) << c.buscado;
        }
    }
    QString codigo = QStringLiteral("ART001");
    EXPECT_TRUE(BuscaArticulo(codigo, nullptr, true, false));
}

TEST(ArticulosTest, TriesTheBarcodeColumnsInOrder)
{
    RecordingConnection* cn = RecordingConnection::installInObjDB();
    QString codigo = QStringLiteral("7790001234567");
    EXPECT_FALSE(BuscaArticulo(codigo, nullptr, true, true));
    const QString unidad = QStringLiteral("SELECT *, %1 AS IDUNIDAD FROM V_MA_ARTICULOS WHERE %2 = ") ;
    EXPECT_EQ(cn->read, QStringList({
                            "SELECT * FROM V_MA_ARTICULOS WHERE codigobarra =  " + k25,
                            unidad.arg("UD_TTE", "CODIGOBARRADUN") + k25,
                            unidad.arg("UMCB1", "CODIGOBARRA1") + k25,
                            unidad.arg("UMCB2", "CODIGOBARRA2") + k25,
                            unidad.arg("UMCB3", "CODIGOBARRA3") + k25,
                            unidad.arg("UMCB4", "CODIGOBARRA4") + k25,
                            "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = " + k25,
                        }));
    releaseObjDB();
}

TEST(ArticulosTest, NotReadOnlyHandsBackAnUpdatableRow)
{
    TestDatabase base(kArticulos);
    QString codigo = QStringLiteral("ART002");
    {
        db::Recordset rs;
        ASSERT_TRUE(BuscaArticulo(codigo, &rs, false, false));
        EXPECT_EQ(rs.CursorType(), 2);
        EXPECT_EQ(rs.LockType(), 3);
        rs.setValue("DESCRIPCION", "Tuerca M8");
        rs.Update();
    }
    EXPECT_EQ(ObjDB().DatosTabla("V_MA_ARTICULOS", "ART002", "DESCRIPCION", "IDARTICULO").toString(), "Tuerca M8");
}
