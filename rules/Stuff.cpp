#include "Stuff.h"

#include "Formato.h"
#include "Sentencias.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "platform/Value.h"

#include <QStringList>

NivelesFamilia LargoNivelFamilia{};
std::int16_t LargoTotalFamilia = 0;
NivelesFamilia FinNivelFamilia{};

namespace {

std::array<double, 6> valoresNivelFamilia()
{
    std::array<double, 6> valores{};
    for (std::size_t k = 0; k < valores.size(); ++k)
        valores[k] = lang::leadingNumber(Cfg(QStringLiteral("FLIA_NIVEL%1").arg(k + 1)));
    return valores;
}

void asignaNiveles(const std::array<double, 6>& valores)
{
    const NivelesFamilia largos = CalculaLargosNivel(valores);
    const std::int16_t total = CalculaLargoTotal(largos);
    LargoNivelFamilia = largos;
    LargoTotalFamilia = total;
}

void asignaFines(const std::array<double, 6>& valores)
{
    FinNivelFamilia = CalculaFinesNivel(valores);
}

}  // namespace

void CargaNivelesFamilia()
{
    asignaNiveles(valoresNivelFamilia());
}

void CargaFinesNivelFamilia()
{
    asignaFines(valoresNivelFamilia());
}

void CargaNivelesYFinesFamilia()
{
    const std::array<double, 6> valores = valoresNivelFamilia();
    asignaNiveles(valores);
    asignaFines(valores);
}

QString FamiliaPadre(const QVariant& Codigo)
{
    return FamiliaPadre(Codigo, FinNivelFamilia);
}

QString LetraComprobante(const QString& CondicionEmpresa, const QString& CondicionComprobante)
{
    if (lang::leadingNumber(CondicionEmpresa) != 1)
        return QStringLiteral("C");
    if (lang::leadingNumber(CondicionComprobante) > 2)
        return QStringLiteral("B");
    return QStringLiteral("A");
}

bool ExisteAsiento(const QString& Tipo, const QString& Sucursal, const QString& Numero, const QString& Letra,
                   QString& Asiento, const QString& Cuenta)
{
    db::Recordset rs;
    ObjDB().AbrirRecordset(sentencias::AsientosDelComprobante(Tipo, Sucursal, Numero, Letra, Cuenta), rs);
    const bool existe = !rs.Eof();
    if (existe)
        Asiento = CerosIzquierda(lang::number(rs.value(QStringLiteral("MES_OPERATIVO"))), 2) + QStringLiteral(" - ")
                + CerosIzquierda(lang::number(rs.value(QStringLiteral("NUMERO ASIENTO"))), 6);
    ObjDB().CierraRecordset(rs);
    return existe;
}

QString EquivalenciaComprobante(const QString& Tipo)
{
    static const QStringList conClave = {
        QStringLiteral("FCC"), QStringLiteral("FPC"), QStringLiteral("FP"), QStringLiteral("NCC"),
        QStringLiteral("NDC"), QStringLiteral("PG"),  QStringLiteral("FC"), QStringLiteral("NC"),
        QStringLiteral("ND"),  QStringLiteral("CB"),  QStringLiteral("CBCT"), QStringLiteral("TK"),
        QStringLiteral("TKFC"),
    };
    static const QStringList propios = {
        QStringLiteral("CBFP"), QStringLiteral("PGFP"), QStringLiteral("NCFP"), QStringLiteral("NCCP"),
        QStringLiteral("GF"),
    };
    const QString tipo = Tipo.trimmed();
    if (conClave.contains(tipo, Qt::CaseInsensitive))
        return Cfg(QStringLiteral("EQU_") + tipo.toUpper()).trimmed();
    if (propios.contains(tipo, Qt::CaseInsensitive))
        return tipo;
    return {};
}
