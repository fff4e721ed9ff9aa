#include "Stuff.h"

#include "Formato.h"
#include "ReglasTalonario.h"
#include "Sentencias.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Formatos.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/Value.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <optional>

std::int16_t TalonarioActual = 0;

namespace {

const QChar CR = u'\r';
const QString CRLF = QStringLiteral("\r\n");

QString columna(const QString& letra, const char* sufijo)
{
    return sentencias::ColumnaLetra(letra, QString::fromLatin1(sufijo));
}

bool sinAccionDeNumeracion(const QString& tipo)
{
    static const QStringList tipos = {
        QStringLiteral("OPG"), QStringLiteral("PG"),  QStringLiteral("FC"),   QStringLiteral("NC"),
        QStringLiteral("ND"),  QStringLiteral("NP"),  QStringLiteral("GF"),   QStringLiteral("PR"),
        QStringLiteral("RM"),  QStringLiteral("TK"),  QStringLiteral("TKFC"), QStringLiteral("FP"),
        QStringLiteral("VJ"),  QStringLiteral("IR"),  QStringLiteral("VS"),   QStringLiteral("SI"),
        QStringLiteral("AJP"), QStringLiteral("AJN"), QStringLiteral("TRP"),
    };
    return tipos.contains(tipo, Qt::CaseInsensitive);
}

// A talonario that may renumber and has no range accepts any number.
bool rangoLibre(db::Recordset& rs, const QString& letra)
{
    return EsVerdadero(lang::text(rs.value(QStringLiteral("Modificanumeracion"))))
        && RangoEnCero(rs.value(columna(letra, "_NRO_DESDE")), rs.value(columna(letra, "_NRO_HASTA")));
}

QDate fechaRequerida(const QVariant& valor)
{
    const auto fecha = ComoFecha(valor);
    if (!fecha)
        throw RuntimeError::typeMismatch(QStringLiteral("\"%1\" no es una fecha").arg(lang::text(valor)));
    return *fecha;
}

}  // namespace

void Obtener_Nro_Comprobante_Contable(const QString& Tipo, QString& Sucursal, QString& Numero, QString& Letra,
                                      bool& ModificaNumeracion, const QString& Fecha)
{
    db::Recordset rs;
    bool agotado = false;
    bool tomado = false;
    ErrorTrap::showing(QStringLiteral("Obtener_Nro_Comprobante_Contable")).run({
        [&] {
            Letra = Letra.trimmed();
            if (Letra.isEmpty())
                Letra = QStringLiteral("X");
        },
        [&] { ObjDB().AbrirRecordset(sentencias::TalonariosDelTipo(Tipo), rs); },
        // A type with no talonario of this system's is numbered from the
        // table every system shares, where its number is recorded too: a
        // proposal that did not read it would hand out the same number again.
        [&] {
            if (rs.Eof())
                ObjDB().AbrirRecordset(sentencias::TalonariosCompartidosDelTipo(Tipo), rs);
        },
        [&] {
            if (rs.Eof()) {
                // Padded like every other proposal, so the identifier keeps its 13 characters.
                Sucursal = QStringLiteral("0001");
                Numero = QStringLiteral("00000001");
                Letra = QStringLiteral("X");
                ObjDB().CierraRecordset(rs);
                ErrorTrap::leave();
            }
        },
        // A retry resumes at the row that failed: the walk's position lives in the recordset.
        [&] {
            for (; !tomado && !rs.Eof(); rs.MoveNext()) {
                const QVariant letras = rs.value(QStringLiteral("Letras"));
                if (!lang::isNull(letras) && !lang::text(letras).contains(Letra, Qt::CaseInsensitive)) {
                    Letra = lang::text(letras).left(1).trimmed();
                    if (Letra.isEmpty())
                        Letra = QStringLiteral("X");
                }
                if (TalonarioAgotado(rs.value(columna(Letra, "_ULTIMO_NRO")), rs.value(columna(Letra, "_NRO_HASTA")))) {
                    agotado = true;
                    continue;
                }
                if (!TalonarioVigente(Fecha, rs.value(columna(Letra, "Vence"))))
                    continue;
                Sucursal = CerosIzquierda(lang::number(rs.value(columna(Letra, "_SUC_DEFAULT"))), 4);
                const double numero = lang::number(rs.value(columna(Letra, "_ULTIMO_NRO")));
                Numero = numero == 0 ? QStringLiteral("00000001") : CerosIzquierda(numero, 8);
                TalonarioActual = lang::toInt16(lang::number(rs.value(QStringLiteral("TALONARIO"))));
                ModificaNumeracion = EsVerdadero(lang::text(rs.value(QStringLiteral("Modificanumeracion"))));
                agotado = false;
                tomado = true;
                break;
            }
        },
        [&] {
            if (agotado)
                prompts().messageBox(QStringLiteral("Todos los talonarios del comprobante ") + Tipo
                                         + QStringLiteral(" se encuentran utilizados, debe dar de alta un nuevo "
                                                          "talonario para el comprobante ")
                                         + Tipo,
                                     prompt::OkOnly, QCoreApplication::applicationName());
        },
        [&] { ObjDB().CierraRecordset(rs); },
    });
}

void Obtener_Nro_Comprobante(const QString& Tipo, QString& Sucursal, QString& Numero, QString& Letra,
                             bool& ModificaNumeracion, bool Contable, const QString&)
{
    db::Recordset rs;
    QString asiento;
    bool conAsiento = false;
    ErrorTrap::showing(QStringLiteral("Obtener_Nro_Comprobante")).run({
        [&] { Obtener_Nro_Comprobante_Contable(Tipo, Sucursal, Numero, Letra, ModificaNumeracion, QString()); },
        [&] {
            if (!Contable)
                ErrorTrap::leave();
        },
        [&] { conAsiento = ExisteAsiento(Tipo, Sucursal, Numero, Letra, asiento, QString()); },
        [&] {
            if (!conAsiento)
                return;
            ObjDB().AbrirRecordset(sentencias::UltimoAsiento(Tipo, Sucursal, Letra), rs);
            Numero = NumeroSiguiente(rs.Eof() ? QVariant() : rs.value(QStringLiteral("ULTIMO")));
            ObjDB().CierraRecordset(rs);
            ErrorTrap::leave();
        },
        [&] {
            if (sinAccionDeNumeracion(Tipo))
                return;
            if (lang::sameText(Tipo, u"OC")) {
                ObjDB().AbrirRecordset(sentencias::CompraExistente(Tipo, Sucursal + Numero + Letra), rs);
                if (rs.Eof()) {
                    ObjDB().EjecutaConsultaSQL(sentencias::BorraControl(Tipo, Sucursal, Numero, Letra));
                } else {
                    db::Recordset ultima;
                    ObjDB().AbrirRecordset(sentencias::UltimaCompra(Tipo, Sucursal, Letra), ultima);
                    Numero = NumeroSiguiente(ultima.Eof() ? QVariant() : ultima.value(QStringLiteral("ULTIMO")));
                    ObjDB().CierraRecordset(ultima);
                }
                ObjDB().CierraRecordset(rs);
                return;
            }
            ObjDB().EjecutaConsultaSQL(sentencias::BorraControl(Tipo, Sucursal, Numero, Letra));
        },
    });
}

QVariant AsignarNumeroComprobante(const QString& Tipo, QString& Sucursal, QString& Letra)
{
    db::Recordset rs;
    QString numero;
    bool modifica = false;
    QVariant resultado;
    ErrorTrap::showing(QStringLiteral("AsignarNumeroComprobante")).run({
        [&] { Obtener_Nro_Comprobante(Tipo, Sucursal, numero, Letra, modifica, true, QString()); },
        [&] { ObjDB().AbrirRecordset(sentencias::IdentificadorEnStock(Tipo, Sucursal + numero + Letra), rs); },
        // With no usable talonario nothing was proposed; the stored movements
        // still give a well-formed identifier instead of a number-less one.
        [&] {
            if (!rs.Eof() || numero.isEmpty()) {
                ObjDB().CierraRecordset(rs);
                ObjDB().AbrirRecordset(sentencias::UltimoIdentificadorEnStock(Tipo, Sucursal, Letra), rs);
                numero = NumeroSiguiente(rs.Eof() ? QVariant() : rs.value(QStringLiteral("ULTIMO")));
            }
        },
        [&] {
            ObjDB().CierraRecordset(rs);
            resultado = Sucursal + numero + Letra;
        },
    });
    return resultado;
}

bool ValidaNumeroComprobante(const QString& Tipo, const QString& Sucursal, const QString& Numero,
                             const QString& Letra, QString& Mensaje, const QString& Fecha)
{
    Mensaje.clear();
    const double numero = lang::leadingNumber(Numero);
    const bool positivo = numero > 0;
    QString letra = Letra.trimmed();
    if (letra.isEmpty())
        letra = QStringLiteral("X");
    if (!sentencias::EsLetraValida(letra)) {
        Mensaje = QStringLiteral(" La letra Informada no es Valida, la misma debe ser ")
                + sentencias::LetrasValidas;
        return false;
    }

    db::Recordset rs;
    ObjDB().AbrirRecordset(sentencias::TalonariosDeSucursal(Tipo, letra, Sucursal), rs);
    bool externo = false;
    for (; !rs.Eof(); rs.MoveNext()) {
        const QVariant marca = rs.value(QStringLiteral("Externo"));
        if (!lang::isNull(marca))
            externo = EsVerdadero(lang::text(marca));
        if (externo || rangoLibre(rs, letra))
            break;
        if (NumeroEnRango(numero, rs.value(columna(letra, "_NRO_DESDE")), rs.value(columna(letra, "_NRO_HASTA"))))
            TalonarioActual = lang::toInt16(lang::number(rs.value(QStringLiteral("TALONARIO"))));
    }
    ObjDB().CierraRecordset(rs);

    ObjDB().AbrirRecordset(sentencias::TalonarioDelTipo(Tipo, TalonarioActual), rs);
    if (rs.Eof()) {
        ObjDB().CierraRecordset(rs);
        Mensaje = QStringLiteral("Debe configurar la numeracióN de Comprobantes");
        return false;
    }
    if (externo || rangoLibre(rs, letra)) {
        ObjDB().CierraRecordset(rs);
        return true;
    }

    const QString control = QString::number(TalonarioActual);
    bool valido = positivo;
    const QVariant vence = rs.value(columna(letra, "Vence"));
    if (!Fecha.trimmed().isEmpty() && !lang::text(vence).trimmed().isEmpty()
        && fechaRequerida(vence) < fechaRequerida(Fecha)) {
        Mensaje = QStringLiteral("El rango de numeracion del comprobante ") + Tipo + QStringLiteral(" Control nro: ")
                + control
                + QStringLiteral(" se encuenta vencida...! Debe dar de alta un nuevo talonario para el comprobante ")
                + Tipo;
        valido = false;
    }
    const QVariant desde = rs.value(columna(letra, "_NRO_DESDE"));
    if (valido && !CumpleDesde(numero, desde)) {
        Mensaje += CR + QStringLiteral("El Número de comprobante (") + lang::numberText(numero)
                 + QStringLiteral(") no respeta el parametro NRO DESDE del comprobante (") + lang::text(desde)
                 + QStringLiteral(") , Nro de Control: ") + control;
        valido = false;
    }
    const QVariant hasta = rs.value(columna(letra, "_NRO_HASTA"));
    if (valido && !CumpleHasta(numero, hasta)) {
        Mensaje += CR + QStringLiteral("El Número de comprobante (") + lang::numberText(numero)
                 + QStringLiteral(") no respeta el parametro NRO HASTA del comprobante (") + lang::text(hasta)
                 + QStringLiteral(") , Nro de Control: ") + control;
        valido = false;
    }
    ObjDB().CierraRecordset(rs);
    Mensaje += QString(CR) + CR
             + QStringLiteral("Verifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo");
    if (valido)
        Mensaje.clear();
    return valido;
}

void ActualizaNumeroComprobante(const QString& Tipo, const QString& Sistema, const QString& Sucursal,
                                const QString& NumeroSiguiente, QString& Letra, bool SoloSQL, QString& SQL,
                                bool Contable)
{
    const KumozenUtilidades& ku = ObjUtilidades();
    db::Recordset rs;
    bool compartido = false;
    ErrorTrap::showing(QStringLiteral("ConsultaComprobante")).run({
        // The letter is settled before validation, so that no talonario column is
        // ever looked for under an empty letter.
        [&] {
            if (Letra.trimmed().isEmpty())
                Letra = QStringLiteral("X");
        },
        [&] {
            QString mensaje;
            ValidaNumeroComprobante(Tipo, Sucursal, NumeroSiguiente, Letra, mensaje, QString());
        },
        [&] {
            ObjDB().AbrirRecordset(sentencias::TalonarioParaGrabar(Tipo, TalonarioActual), rs, nullptr,
                                   db::cursor::Dynamic, db::lock::Optimistic);
        },
        [&] {
            if (!rs.Eof())
                return;
            ObjDB().AbrirRecordset(sentencias::TalonarioCompartido(Tipo, Sistema, TalonarioActual), rs, nullptr,
                                   db::cursor::Dynamic, db::lock::Optimistic);
            compartido = true;
            if (rs.Eof()) {
                prompts().messageBox(QStringLiteral("Error en grabación del Comprobante, no se ha encontrado el "
                                                    "comprobante configurado"),
                                     prompt::OkOnly | prompt::Critical, QStringLiteral("ATENCION"));
                ObjDB().CierraRecordset(rs);
                ErrorTrap::leave();
            }
        },
        [&] {
            const double sucursalTalonario =
                ku.TextoADoble(lang::text(rs.value(columna(Letra, "_SUC_DEFAULT"))));
            if (sucursalTalonario != ku.TextoADoble(Sucursal)) {
                ObjDB().CierraRecordset(rs);
                ErrorTrap::leave();
            }
        },
        [&] {
            if (SoloSQL) {
                const QString letra = Letra.trimmed().toUpper();
                QString texto = sentencias::ActualizaUltimoNumero(compartido, Tipo, Sistema, letra, NumeroSiguiente,
                                                                   TalonarioActual);
                if (lang::sameText(lang::text(rs.value(QStringLiteral("SISTEMA"))).trimmed(), u"Contable") || Contable
                    || lang::sameText(Tipo.trimmed(), u"OC")) {
                    const Currency numero = ku.TextoAMoneda(NumeroSiguiente) - Currency::fromDouble(1);
                    texto += CRLF
                           + sentencias::InsertaControl(compartido, Tipo, Sistema, TalonarioActual,
                                                        CerosIzquierda(ku.TextoAMoneda(Sucursal).toDouble(), 4),
                                                        CerosIzquierda(numero.toDouble(), 8), letra)
                           + CRLF;
                }
                SQL = texto;
            } else {
                // Written by one statement that leaves a higher number in
                // place: a number read, compared and written back would let
                // a late caller, or a station writing meanwhile, take it back.
                ObjDB().EjecutaDirecto(sentencias::ActualizaUltimoNumero(compartido, Tipo, Sistema, Letra.trimmed(),
                                                                         NumeroSiguiente, TalonarioActual,
                                                                         TextoFechaHora(host().now())));
            }
        },
        [&] { ObjDB().CierraRecordset(rs); },
    });
}
