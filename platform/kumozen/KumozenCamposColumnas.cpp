// Reading a table's columns for the field set-up: kept apart from the key
// helpers so that only programs that bind fields to a table link the data layer.
#include "platform/kumozen/KumozenCampos.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

void KumozenCampos::ConfiguraCampos(const std::vector<TextBox*>& campos, const QString& tabla,
                                    const QString& conexion) const
{
    db::Connection cn;
    cn.Open(conexion);
    ConfiguraCampos(campos, tabla, cn);
    cn.Close();
}

void KumozenCampos::ConfiguraCampos(const std::vector<TextBox*>& campos, const QString& tabla,
                                    db::Connection& conexion) const
{
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" WHERE 1=0"), conexion);
    std::vector<FieldLimits> columnas;
    for (int i = 0; i < rs.FieldCount(); ++i) {
        const db::Field& f = rs.field(i);
        columnas.push_back(FieldLimits::fromColumn(f.Name(), f.Type(), f.DefinedSize()));
    }
    rs.Close();
    ConfiguraCampos(campos, columnas);
}
