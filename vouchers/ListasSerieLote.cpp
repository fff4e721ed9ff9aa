#include "vouchers/ListasSerieLote.h"

#include "platform/ErrorTrap.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <algorithm>

namespace {

// The limits of the 16-bit positions and counts the stored lists were built
// with; past them a list is refused with the overflow error, never cut short.
constexpr qsizetype kLargoMaximoItem = 32765;
constexpr int kItemsMaximos = 32767;

// Calls alItem(item, number) for each item of the list by the reading rules,
// the item untrimmed and numbered from 1, until alItem answers false.
template <typename AlItem>
void recorreItems(const QString& lista, AlItem&& alItem)
{
    QStringView resto = lang::trimBlanks(lista);
    if (resto.startsWith(u'|'))
        resto = resto.mid(1);
    int numero = 0;
    for (;;) {
        const qsizetype fin = resto.indexOf(u'|');
        if (fin < 0)
            return;
        if (fin > kLargoMaximoItem || numero == kItemsMaximos)
            throw RuntimeError::overflow();
        ++numero;
        if (!alItem(resto.left(fin), numero))
            return;
        resto = resto.mid(fin + 1);
        if (lang::trimBlanks(resto).isEmpty())
            return;
    }
}

// The trimmed items, then the closing empty element.
void llenaArreglo(const QString& lista, std::vector<QString>& arreglo)
{
    arreglo.assign(1, QString());
    recorreItems(lista, [&](QStringView item, int) {
        arreglo.back() = lang::trimBlanks(item).toString();
        arreglo.emplace_back();
        return true;
    });
}

}  // namespace

QString UneLoteSerie(const QString& lote, const QString& serie)
{
    // Built in one buffer: every row of a lot dialog's grid has its key.
    QString item;
    item.reserve(lote.size() + 1 + serie.size());
    item += lote;
    item += SeparadorLoteSerie;
    item += serie;
    return item;
}

void SeparaLoteSerie(const QString& item, QString& lote, QString& serie)
{
    const qsizetype corte = item.indexOf(SeparadorLoteSerie);
    lote = corte < 0 ? item : item.left(corte);
    serie = corte < 0 ? QString() : item.mid(corte + 1);
}

QString StrSerieLote(const QString& Serie_Lote)
{
    QString resultado;
    std::vector<QString> vistos;
    ErrorTrap::showing(QStringLiteral("StrSerieLote")).run({[&] {
        recorreItems(Serie_Lote, [&](QStringView item, int) {
            const QString t = lang::trimBlanks(item).toString();
            const bool visto = std::any_of(vistos.begin(), vistos.end(),
                                           [&](const QString& v) { return lang::sameText(v, t); });
            if (!t.isEmpty() && !visto) {
                resultado += u' ' + t;
                vistos.push_back(t);
            }
            return true;
        });
    }});
    return resultado;
}

void DescomponeSerieLote(const QString& Serie_Lote, std::vector<QString>& Arreglo)
{
    Arreglo.assign(1, QString());
    ErrorTrap::showing(QStringLiteral("DescomponeSerieLote")).run({[&] { llenaArreglo(Serie_Lote, Arreglo); }});
}

void DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                    std::vector<QString>& ArrPosiciones, std::vector<QString>& ArrCantidades,
                                    std::vector<QString>& ArrLote)
{
    ArrPosiciones.assign(1, QString());
    ArrCantidades.assign(1, QString());
    ArrLote.assign(1, QString());
    ErrorTrap::showing(QStringLiteral("DescomponePosicionCantidadLote")).run({
        [&] { llenaArreglo(Posicion_Lote, ArrPosiciones); },
        [&] {
            // An item without "*" (the dialog always writes one) is read as a
            // position with no quantity.
            ArrCantidades.assign(ArrPosiciones.size(), QString());
            for (std::size_t k = 0; k + 1 < ArrPosiciones.size(); ++k) {
                const qsizetype estrella = ArrPosiciones[k].indexOf(u'*');
                if (estrella < 0)
                    continue;
                ArrCantidades[k] = ArrPosiciones[k].mid(estrella + 1);
                ArrPosiciones[k].truncate(estrella);
            }
        },
        [&] { llenaArreglo(PIPELotes, ArrLote); },
    });
}

std::int32_t Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes)
{
    std::vector<QString> series;
    std::vector<QString> lotes;
    std::vector<QString> claves;
    ErrorTrap::showing(QStringLiteral("Cuenta_Series_Lotes")).run({
        [&] {
            DescomponeSerieLote(PipeSeries, series);
            DescomponeSerieLote(PIPELotes, lotes);
        },
        [&] {
            // A series list, even one of blanks, leaves the lots out of the
            // count; without one the lots are counted alone.
            if (!PipeSeries.isEmpty())
                lotes.assign(series.size(), QString());
            else if (!PIPELotes.isEmpty())
                series.assign(lotes.size(), QString());
        },
        [&] {
            claves.clear();
            for (std::size_t i = 0; i < series.size(); ++i) {
                const QString serie = lang::trimBlanks(series[i]).toString();
                const QString lote = i < lotes.size() ? lang::trimBlanks(lotes[i]).toString() : QString();
                if (serie.isEmpty() && lote.isEmpty())
                    continue;
                const QString clave = serie + u'|' + lote;
                if (std::none_of(claves.begin(), claves.end(),
                                 [&](const QString& c) { return lang::sameText(c, clave); }))
                    claves.push_back(clave);
            }
        },
    });
    return static_cast<std::int32_t>(claves.size());
}

QString ExtraeSerieLote(const QString& Serie_Lote, std::int16_t QuePosicion)
{
    QString resultado;
    if (QuePosicion < 1)
        return resultado;
    recorreItems(Serie_Lote, [&](QStringView item, int numero) {
        if (numero != QuePosicion)
            return true;
        resultado = item.toString();
        return false;
    });
    return resultado;
}

std::int32_t Cantidad_Series_Lotes(const QString& Pipes)
{
    if (Pipes.isEmpty())
        return 0;
    std::int32_t cantidad = 0;
    ErrorTrap::showing(QStringLiteral("Cantidad_Series_Lotes")).run({[&] {
        std::vector<QString> items;
        DescomponeSerieLote(Pipes, items);
        cantidad = static_cast<std::int32_t>(items.size()) - 1;
    }});
    return cantidad;
}

QString InsertaCHR255(const QString& iPipe)
{
    QString items = iPipe.startsWith(u'|') ? iPipe.mid(1) : iPipe;
    items.replace(u'|', QString(SeparadorLoteSerie) + u'|');
    return u'|' + items;
}

std::int32_t Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote)
{
    std::int32_t posicion = 0;
    ErrorTrap::showing(QStringLiteral("Busca_Lotes_Series")).run({[&] {
        QStringView lista = lang::trimBlanks(PipeSeriesLotes);
        if (lista.startsWith(u'|'))
            lista = lista.mid(1);
        if (!lista.contains(u'|'))
            return;
        const QString buscado = lang::trimBlanks(QueSerieLote).toString();
        int items = 0;
        bool hallado = false;
        recorreItems(PipeSeriesLotes, [&](QStringView item, int numero) {
            items = numero;
            hallado = lang::sameText(lang::trimBlanks(item), buscado);
            return !hallado;
        });
        // Not found: one past the last item, kept because callers read the
        // parallel list there and get "".
        posicion = hallado ? items : items + 1;
    }});
    return posicion;
}
