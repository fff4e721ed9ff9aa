#include "Articulos.h"

#include "DB_Dll.h"
#include "Objetos.h"

#include "platform/Value.h"

#include <array>

bool BuscaArticulo(QString& Codigo, db::Recordset* Rs, bool SoloLectura, bool PorCodigoBarra)
{
    DB_Dll& db = ObjDB();
    db::Recordset propio;
    db::Recordset& rs = Rs ? *Rs : propio;
    const QString k = db.SQLValue(ObjUtilidades().AlineaDerecha(Codigo, 25));
    const int cursor = SoloLectura ? 0 : 2;
    const int bloqueo = SoloLectura ? 1 : 3;

    const auto encuentra = [&](const QString& sql) {
        db.AbrirRecordset(sql, rs, nullptr, cursor, bloqueo, -1, true);
        return !rs.Eof();
    };
    const auto porCodigo = QStringLiteral("SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = ") + k;

    if (!PorCodigoBarra)
        return encuentra(porCodigo);

    const auto tomaCodigo = [&] {
        Codigo = lang::text(rs.value(QStringLiteral("IdArticulo")));
        return true;
    };
    if (encuentra(QStringLiteral("SELECT * FROM V_MA_ARTICULOS WHERE codigobarra =  ") + k))
        return tomaCodigo();
    static const std::array<std::pair<const char*, const char*>, 5> kCodigosDeUnidad = {{
        {"UD_TTE", "CODIGOBARRADUN"},
        {"UMCB1", "CODIGOBARRA1"},
        {"UMCB2", "CODIGOBARRA2"},
        {"UMCB3", "CODIGOBARRA3"},
        {"UMCB4", "CODIGOBARRA4"},
    }};
    for (const auto& [unidad, columna] : kCodigosDeUnidad)
        if (encuentra(QStringLiteral("SELECT *, %1 AS IDUNIDAD FROM V_MA_ARTICULOS WHERE %2 = ")
                          .arg(QLatin1String(unidad), QLatin1String(columna))
                      + k))
            return tomaCodigo();
    return encuentra(porCodigo);
}
