#include "PXQ_RTDravelo.h"

#include "core/DB_Dll.h"
#include "platform/Value.h"
#include "rules/Stuff.h"

namespace PXQ_RTDravelo {

namespace {

QString literal(const QString& valor)
{
    return ObjDB().SQLValue(valor, QStringLiteral("'"));
}

// The depot as the header holds it, compared with the stored code with the
// blanks of both sides dropped: stored codes may be right-justified.
QString condicionDeposito(const QString& columna, const QString& idDeposito)
{
    return QStringLiteral("LTRIM(RTRIM(") + columna + QStringLiteral(")) = ") + literal(idDeposito.trimmed());
}

// The position codes of a statement's rows, walked once, forward.
QStringList codigos(const QString& sentencia)
{
    QStringList codigos;
    db::Recordset rs;
    ObjDB().AbrirRecordset(sentencia, rs);
    if (!rs.Eof()) {
        const db::Field& posicion = rs.field(QStringLiteral("idposicion"));
        for (; !rs.Eof(); rs.MoveNext())
            codigos << lang::text(posicion.Value());
    }
    ObjDB().CierraRecordset(rs);
    return codigos;
}

}  // namespace

QString SentenciaReservadas(FuenteProposicion::Reserva reserva, const QString& valor, const QString& idDeposito)
{
    using Reserva = FuenteProposicion::Reserva;
    QString criterio;
    switch (reserva) {
    case Reserva::Articulo:
        criterio = QStringLiteral("ma_posiciones.IdArticulo = ") + literal(KumozenUtilidades().AlineaDerecha(valor, 25));
        break;
    case Reserva::Familia: criterio = QStringLiteral("ma_posiciones.IdFamilia = ") + literal(valor); break;
    case Reserva::Tipo: criterio = QStringLiteral("ma_posiciones.IdTipo = ") + literal(valor); break;
    case Reserva::Rubro: criterio = QStringLiteral("ma_posiciones.IdRubro= ") + literal(valor); break;
    }
    return QStringLiteral("SELECT ma_posiciones.idposicion  FROM ma_posiciones  left join  ac_saldoslayout on  "
                          "ma_posiciones.IdDeposito = ac_saldoslayout.IdDeposito and ma_posiciones.idposicion= "
                          "ac_saldoslayout.idposicion where  ") +
           criterio + QStringLiteral("  AND ") + condicionDeposito(QStringLiteral("ma_posiciones.idDeposito"), idDeposito) +
           QStringLiteral(" order by ma_posiciones.ordeningreso, ma_posiciones.idposicion  ");
}

QString SentenciaSinReserva(const QString& idDeposito)
{
    return QStringLiteral(" SELECT iddeposito,idposicion, idunidad ,capacidad  FROM  ma_posiciones where  ") +
           condicionDeposito(QStringLiteral("idDeposito"), idDeposito) +
           QStringLiteral(" and idarticulo is null and idtipo is null and idrubro is null and idfamilia is null "
                          "order by ordeningreso, idposicion ");
}

std::optional<FuenteProposicion::Articulo> FuenteProposicionSql::LeeArticulo(const QString& idArticulo)
{
    db::Recordset rs;
    if (!ObjDB().ExisteEnTabla(QStringLiteral("V_MA_ARTICULOS"), idArticulo, QStringLiteral("IdArticulo"), &rs, 8)) {
        ObjDB().CierraRecordset(rs);
        return std::nullopt;
    }
    Articulo a{lang::text(rs.value(QStringLiteral("IdArticulo"))), lang::text(rs.value(QStringLiteral("IdFamilia"))),
               lang::text(rs.value(QStringLiteral("IdTipo"))), lang::text(rs.value(QStringLiteral("idrubro")))};
    ObjDB().CierraRecordset(rs);
    return a;
}

QStringList FuenteProposicionSql::PosicionesReservadas(Reserva reserva, const QString& valor, const QString& idDeposito)
{
    return codigos(SentenciaReservadas(reserva, valor, idDeposito));
}

QStringList FuenteProposicionSql::PosicionesSinReserva(const QString& idDeposito)
{
    return codigos(SentenciaSinReserva(idDeposito));
}

void FuenteProposicionSql::CargaNivelesFamilia()
{
    CargaNivelesYFinesFamilia();
}

QString FuenteProposicionSql::FamiliaPadre(const QString& familia)
{
    return ::FamiliaPadre(familia);
}

void ProponePosiciones(const QString& IdArticulo, const QString& IdDeposito, QStringList& PosicionesPropuestas,
                       const QString& PosicionExcluida)
{
    FuenteProposicionSql fuente;
    ProponePosiciones(fuente, IdArticulo, IdDeposito, PosicionesPropuestas, PosicionExcluida);
}

}  // namespace PXQ_RTDravelo
