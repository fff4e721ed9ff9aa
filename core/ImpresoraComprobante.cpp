#include "ImpresoraComprobante.h"

#include "DB_Dll.h"
#include "Objetos.h"

#include "platform/ErrorTrap.h"
#include "platform/Value.h"

#include <QGuiApplication>

void ObtieneImpresoraComprobante(const QString& TC, const QString& Letra, QString& Impresora,
                                 std::int16_t& CantCopias, std::int16_t& CantLineas, QString& DestinoDefault,
                                 QString& Usuario)
{
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    db::Recordset rs;
    const QString base = QStringLiteral("SELECT * FROM TA_CONFIG_IMP_CPTE WHERE TC = ") + db.SQLValue(TC)
                         + QStringLiteral(" AND LETRA = ") + db.SQLValue(Letra);
    const auto texto = [&](const char* campo) {
        return lang::text(util.ValorNoNulo(rs.value(QString::fromLatin1(campo))));
    };
    const auto numero = [&](const char* campo) {
        return lang::toInt16(lang::number(util.ValorNoNulo(rs.value(QString::fromLatin1(campo)))));
    };

    ErrorTrap([&util](const RuntimeError& e) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return ErrorTrap::fromAnswer(util.MuestraError(e, {}, QStringLiteral("ObtieneImpresoraComprobante")));
    }).run({
        [&] {
            if (Usuario.trimmed().isEmpty())
                Usuario = ObjSistema().NombrePC() + u'|' + ObjSistema().NombreUsuarioPC();
        },
        [&] { db.AbrirRecordset(base + QStringLiteral(" AND USUARIO = ") + db.SQLValue(Usuario), rs); },
        [&] {
            if (rs.Eof())
                db.AbrirRecordset(base + QStringLiteral(" AND USUARIO IS NULL"), rs);
        },
        [&] {
            if (!rs.Eof())
                return;
            Impresora.clear();
            CantCopias = 0;
            db.CierraRecordset(rs);
            ErrorTrap::leave();
        },
        [&] { Impresora = texto("Impresora").trimmed(); },
        [&] { CantCopias = numero("CantCopias"); },
        [&] { CantLineas = numero("CantLineas"); },
        [&] { DestinoDefault = texto("DestinoDefault").trimmed(); },
        [&] { db.CierraRecordset(rs); },
    });
}
