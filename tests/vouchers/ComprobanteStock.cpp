#include "ComprobanteStock.h"

#include "FormularioComprobante.h"
#include "core/DB_Dll.h"
#include "platform/Value.h"
#include "vouchers/ColumnasGrillas.h"

const char* const kBaseStock = R"(
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES
  ('DepositoDefault', '1'), ('MotivoStockDefault', '7'), ('PIVA', '21');
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES, Letras, Modificanumeracion,
                       X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES
  ('  IR', 1, 'STOCK', 'E', 'X', 'NO', 1, 1, 99999999, 1),
  ('  FC', 1, 'VENTAS', 'S', 'X', 'NO', 1, 1, 99999999, 1),
  ('  RM', 1, 'STOCK', 'S', 'X', 'NO', 1, 1, 99999999, 1),
  (' RMC', 1, 'COMPRAS', 'E', 'X', 'NO', 1, 1, 99999999, 1),
  (' FCC', 1, 'COMPRAS', 'E', 'X', 'NO', 1, 1, 99999999, 1),
  ('  OP', 1, 'STOCK', NULL, 'X', 'NO', 1, 1, 99999999, 1),
  ('  TR', 1, 'STOCK', NULL, 'X', 'NO', 1, 1, 99999999, 1),
  ('  PE', 1, 'STOCK', 'S', 'X', 'NO', 1, 1, 99999999, 1);
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, CuentaProveedor, Costo) VALUES
  ('                   ART001', 'Yerba', '  UN', 'PROV01', 3),
  ('                   ART002', 'Azucar', '  KG', NULL, 2),
  ('                     PROD', 'Pan', '  UN', NULL, 0),
  ('                     INS1', 'Harina', '  KG', 'PROV09', 12.5),
  ('                     INS2', 'Sal''fina', '  KG', NULL, 1);
INSERT INTO V_MA_INSUMOS (IDARTICULO, IdArticuloInsumo, IdUnidadInsumo, Cantidad) VALUES
  ('                     PROD', 'INS1', 'KG', 2),
  ('                     PROD', 'INS2', 'KG', 25);
INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, CANTIDAD) VALUES
  ('                     INS1', '   1', '                        B', NULL, 30),
  ('                     INS1', '   1', '                        A', NULL, 5),
  ('                     INS1', '   2', '                        C', NULL, 99);
)";

int LineaArticulo(FlexGrid& grilla, const QString& articulo, const QString& cantidad,
                  std::initializer_list<std::pair<int, QString>> otras)
{
    const int fila = AgregaLinea(grilla, {{ColArticulos::Codigo, articulo},
                                          {ColArticulos::Cant, cantidad},
                                          {ColArticulos::AuxPideTalle, QStringLiteral("0")},
                                          {ColArticulos::Auxesperecedero, QStringLiteral("0")},
                                          {ColArticulos::Aux_InsumosPorPorcentaje, QStringLiteral("0")}});
    for (const auto& [columna, texto] : otras)
        grilla.setTextMatrix(fila, columna, texto);
    return fila;
}

namespace {

QString texto(const db::Recordset& rs, const char* campo)
{
    const QVariant v = rs.value(QString::fromLatin1(campo));
    return lang::isNull(v) ? QStringLiteral("null") : lang::text(v).trimmed();
}

}  // namespace

QStringList FilasStock(const QString& tc, const QString& idComprobante)
{
    DB_Dll& db = ObjDB();
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT * FROM V_MV_STOCK WHERE TC = %1 AND IdComprobante = %2 ORDER BY ID")
                          .arg(db.SQLValue(tc.rightJustified(4)), db.SQLValue(idComprobante)),
                      rs);
    QStringList filas;
    for (; !rs.Eof(); rs.MoveNext())
        filas << QStringList{texto(rs, "Secuencia"), texto(rs, "IdDeposito"), texto(rs, "NroLote"),
                             texto(rs, "NroSerie"), lang::numberText(lang::number(rs.value(QStringLiteral("Cantidad"))))}
                     .join(u'|');
    db.CierraRecordset(rs);
    return filas;
}

QString ValorDe(const QString& sql)
{
    db::Recordset rs;
    ObjDB().AbrirRecordset(sql, rs);
    const QString valor = rs.Eof() ? QStringLiteral("(ninguna fila)") : lang::text(rs.value(0));
    ObjDB().CierraRecordset(rs);
    return valor;
}
