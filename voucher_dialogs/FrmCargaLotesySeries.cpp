#include "voucher_dialogs/FrmCargaLotesySeries.h"

#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/Currency.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/TextBox.h"
#include "platform/Value.h"
#include "vouchers/ListasSerieLote.h"
#include "vouchers/NumeroCelda.h"

#include <QHash>
#include <QLabel>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

using F = FrmCargaLotesySeries;

namespace {

// Outgoing: the editor opens on the quantity taken; Enter always leaves it
// current, on the next row or, on the last, on the same cell.
const AjustesEditorGrilla kSalida{{F::ColCantidad}, {F::ColStock, F::ColCantidad}, F::ColCantidad, F::ColCantidad};
// Entry: every column but the fixed one opens, as text; Enter in the value
// column goes down a row, and on the last row moves to the item column.
const AjustesEditorGrilla kEntrada{{F::ColItem, F::ColValor, 3}, {}, F::ColValor, F::ColItem};

// A key as it is looked up: trimmed, and the same whatever the letter case.
QString ClaveComparable(const QString& clave)
{
    return clave.trimmed().toCaseFolded();
}

// A list with nothing but pipes and blanks is written as no list at all.
QString listaOVacia(const QString& lista)
{
    return QString(lista).remove(u'|').trimmed().isEmpty() ? QString() : lista;
}

}  // namespace

FrmCargaLotesySeries::FrmCargaLotesySeries(QWidget* parent)
    : DialogoDetalle(QStringLiteral("FrmCargaLotesySeries"), QStringLiteral("Numeros de Serie"), parent)
{
    lblArticulo->setText(QStringLiteral("Artículo-Descripción"));
    setAjustesEditor(kEntrada);
}

void FrmCargaLotesySeries::MuestraArticulo(const QString& texto)
{
    lblArticulo->setText(texto);
}

void FrmCargaLotesySeries::CargaDatos()
{
    ErrorTrap::skipping().run({
        [&] {
            EsSerieYLote = EsSerie && EsLote;
            if (EsSerieYLote) {
                EsSerieYLote = false;
                EsLote = false;
            }
        },
        [&] {
            if (EsTalle)
                setWindowTitle(QStringLiteral("Talles, Colores, Sexo (Deposito: ") + Deposito + u')');
            else if (EsSerie)
                setWindowTitle(QStringLiteral("Números de Serie (Deposito: ") + Deposito + u')');
            else if (EsLote)
                setWindowTitle(QStringLiteral("Números de Lote (Deposito: ") + Deposito + u')');
        },
        [&] { lblArticulo->setText(lang::properCase(ArticuloDescripcion)); },
        [&] { setAjustesEditor(Saliente() ? kSalida : kEntrada); },
        [&] { InicializaGrid(); },
        [&] { VerificaAnteriores(); },
        [&] { VerificaExistenciasEnGrilla(); },
        [&] {
            MSFlexGrid1->setRow(std::min(1, MSFlexGrid1->Rows() - 1));
            MSFlexGrid1->setCol(Saliente() ? ColCantidad : ColValor);
        },
        [&] { AjustaGrilla(); },
    });
}

void FrmCargaLotesySeries::InicializaGrid()
{
    FlexGrid& g = *MSFlexGrid1;
    struct Columna {
        const char* encabezado;
        int anchoEnX;
    };
    if (Saliente()) {
        g.Clear();
        g.setCols(4);
        g.setRows(1);
        // The lot and the serial number name the row: neither can become
        // current, so neither is filled over by the toolbar.
        g.setFixedCols(2);
        const Columna columnas[] = {{EsTalle ? "TALLE-COLOR-SEXO" : "LOTE", EsLote ? 18 : 0},
                                    {"SERIE", EsSerie ? 15 : 0},
                                    {"CANT. STOCK", 12},
                                    {"CANT. ", 12}};
        for (int c = 0; c < 4; ++c) {
            g.setTextMatrix(0, c, QString::fromLatin1(columnas[c].encabezado));
            g.setColWidth(c, AnchoDeX(columnas[c].anchoEnX));
        }
        g.setColAlignment(ColLote, flex::AlignCenterTop);
        g.setColAlignment(ColSerie, flex::AlignCenterTop);
        return;
    }
    // One row per unit: the quantity to the nearest whole number.
    const int unidades = std::max(0, static_cast<int>(lang::roundHalfEven(Cantidad)));
    g.setCols(4);
    g.setRows(unidades + 1);
    const Columna columnas[] = {
        {"", 0}, {"ITEM", 5}, {EsSerie ? "Número de Serie" : "Número de Lote", 35}, {"", 0}};
    for (int c = 0; c < 4; ++c) {
        g.setTextMatrix(0, c, QString::fromUtf8(columnas[c].encabezado));
        g.setColWidth(c, AnchoDeX(columnas[c].anchoEnX));
    }
    g.setColAlignment(ColItem, flex::AlignCenterCenter);
    for (int fila = 1; fila <= unidades; ++fila)
        g.setTextMatrix(fila, ColItem, QString::number(fila));
}

void FrmCargaLotesySeries::VerificaAnteriores()
{
    if (Saliente())
        VerificaAnterioresSalida();
    else
        VerificaAnterioresEntrada();
}

QString FrmCargaLotesySeries::Clave(int fila) const
{
    return UneLoteSerie(MSFlexGrid1->TextMatrix(fila, ColLote).trimmed(),
                        MSFlexGrid1->TextMatrix(fila, ColSerie).trimmed());
}

void FrmCargaLotesySeries::VerificaAnterioresSalida()
{
    DB_Dll& db = ObjDB();
    KumozenUtilidades& util = ObjUtilidades();
    FlexGrid& g = *MSFlexGrid1;
    db::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = ")
                          + db.SQLValue(util.AlineaDerecha(Articulo, 25))
                          + QStringLiteral(" AND CANTIDAD > 0  AND IDDEPOSITO = ") + db.SQLValue(Deposito)
                          + QStringLiteral(" ORDER BY NROLOTE, NROSERIE "),
                      rs);
    int registros = 0;
    AgregaFilas([&](FilasLeidas& filas) {
        // A row is added whole, once its cells are read.
        const auto agrega = [&filas](QString lote, QString serie, QString stock, QString cantidad) {
            QString* const fila = filas.nueva();
            fila[ColLote] = std::move(lote);
            fila[ColSerie] = std::move(serie);
            fila[ColStock] = std::move(stock);
            fila[ColCantidad] = std::move(cantidad);
        };
        if (!rs.Eof()) {
            // Each field found by its name once, not on every row.
            const db::Field& lote = rs.field(QStringLiteral("NroLote"));
            const db::Field& serie = rs.field(QStringLiteral("NroSerie"));
            const db::Field& cantidad = rs.field(QStringLiteral("Cantidad"));
            for (; !rs.Eof(); rs.MoveNext(), ++registros)
                agrega(lang::text(util.ValorNoNulo(lote.Value())).trimmed(),
                       lang::text(util.ValorNoNulo(serie.Value())).trimmed(), TextoCelda(lang::number(cantidad.Value())),
                       QString());
        }
        db.CierraRecordset(rs);

        // An earlier choice no longer in stock stays in view, with a stock of 0.
        std::vector<QString> anteriores;
        DescomponeSerieLote(Lotes, anteriores);
        if (anteriores.size() > 1) {
            QSet<QString> claves;
            for (int f = 0; f < filas.size(); ++f)
                claves.insert(
                    ClaveComparable(UneLoteSerie(filas.celda(f, ColLote).trimmed(), filas.celda(f, ColSerie).trimmed())));
            for (std::size_t k = 0; k + 1 < anteriores.size(); ++k) {
                const QString& item = anteriores[k];
                if (item.isEmpty() || item == QString(SeparadorLoteSerie) || claves.contains(ClaveComparable(item)))
                    continue;
                QString lote, serie;
                SeparaLoteSerie(item, lote, serie);
                claves.insert(ClaveComparable(UneLoteSerie(lote.trimmed(), serie.trimmed())));
                agrega(lote, serie, QStringLiteral("0"), QStringLiteral("0"));
            }
        }
        if (registros > 0)
            filas.nueva();
    });
    if (registros == 0)
        return;

    if (Lotes.isEmpty()) {
        CompletaCantidades();
        return;
    }
    const std::int32_t items = Cantidad_Series_Lotes(Lotes);
    for (int fila = 1; fila < g.Rows(); ++fila) {
        const std::int32_t posicion = Busca_Lotes_Series(Lotes, Clave(fila));
        if (posicion >= 1 && posicion <= items)
            g.setTextMatrix(fila, ColCantidad,
                            TextoCelda(NumeroCelda(ExtraeSerieLote(Series, static_cast<std::int16_t>(posicion)))));
    }
}

void FrmCargaLotesySeries::VerificaAnterioresEntrada()
{
    QString texto = SeriesAnteriores + LotesAnteriores;
    if (QString(texto).remove(u'|').trimmed().isEmpty())
        return;
    if (texto.startsWith(u'|'))
        texto.remove(0, 1);
    // Rows stop at the line's quantity: earlier items beyond it are dropped.
    FlexGrid& g = *MSFlexGrid1;
    for (int fila = 1; fila < g.Rows() && !texto.trimmed().isEmpty(); ++fila) {
        const qsizetype fin = texto.indexOf(u'|');
        g.setTextMatrix(fila, ColValor, fin < 0 ? texto : texto.left(fin));
        texto = fin < 0 ? QString() : texto.mid(fin + 1);
    }
}

void FrmCargaLotesySeries::VerificaExistenciasEnGrilla()
{
    if (!Saliente())
        return;
    FlexGrid& g = *MSFlexGrid1;
    const ErrorTrap salta = ErrorTrap::skipping();
    if (!LotesExistentes.isEmpty()) {
        std::vector<QString> lotes, cantidades;
        DescomponeSerieLote(LotesExistentes, lotes);
        DescomponeSerieLote(SeriesExistentes, cantidades);
        // The first row of each key.
        QHash<QString, int> filaDeClave;
        for (int fila = g.Rows() - 1; fila >= 1; --fila)
            filaDeClave.insert(ClaveComparable(Clave(fila)), fila);
        for (std::size_t k = 0; k + 1 < lotes.size(); ++k)
            salta.run({[&] {
                const int fila = filaDeClave.value(ClaveComparable(lotes[k]), -1);
                if (fila < 0)
                    return;
                const QString tomado = k < cantidades.size() ? cantidades[k] : QString();
                g.setTextMatrix(fila, ColStock,
                                TextoCelda(ComoCelda(NumeroCelda(g.TextMatrix(fila, ColStock)) - NumeroCelda(tomado))));
            }});
    }
    if (!Lotes.isEmpty())
        return;
    salta.run({[&] {
        for (int fila = 1; fila < g.Rows(); ++fila)
            g.setTextMatrix(fila, ColCantidad, QStringLiteral("0"));
    }});
    salta.run({[&] { DistribuyeEnOrden(Cantidad, ColStock, ColCantidad); }});
}

void FrmCargaLotesySeries::CompletaCantidades()
{
    FlexGrid& g = *MSFlexGrid1;
    double resto = ComoCelda(Cantidad);
    for (int fila = 1; fila < g.Rows() && resto > 0; ++fila) {
        double q = std::min(std::max(NumeroCelda(g.TextMatrix(fila, ColStock)), 0.0), resto);
        if (q == 0)
            q = resto;
        resto = ComoCelda(resto - q);
        g.setTextMatrix(fila, ColCantidad, TextoCelda(q));
    }
}

void FrmCargaLotesySeries::CompletaTodoIgual()
{
    CompletaColumna(ColValor);
}

double FrmCargaLotesySeries::SumaFilas(long MenosCual) const
{
    return SumaColumna(ColCantidad, MenosCual);
}

bool FrmCargaLotesySeries::ValidaCantidadCantidadPedida() const
{
    return SumaColumna(ColCantidad, -1) == ComoCelda(Cantidad);
}

void FrmCargaLotesySeries::CampoValida(TextBox& Texto)
{
    ErrorTrap::showing(QStringLiteral("CampoValida")).run({[&] {
        HayError = false;
        const QString texto = Texto.text().trimmed();
        const QString campo = Texto.dataField().trimmed();
        FlexGrid& g = *MSFlexGrid1;
        if (!lang::sameText(campo, u"Cantidad")) {
            // A lot typed on the first unit serves the units below; a serial
            // number names one unit alone.
            if (g.Row() == 1 && EsLote) {
                g.setTextMatrix(1, g.Col(), texto);
                CompletaTodoIgual();
            }
            return;
        }
        if (!Saliente())
            return;
        const double v = NumeroCelda(texto);
        QString rechazo;
        if (!texto.isEmpty() && !lang::isNumber(texto))
            rechazo = QStringLiteral("Debe Ingresar un Valor Numerico");
        else if (v < 0)
            rechazo = QStringLiteral("La Cantidad no puede ser Menor a Cero");
        else if (v != std::round(v))
            rechazo = QStringLiteral("No Puede Informase Cantidades que no Sean Enteras");
        else {
            if (!Deposito.isEmpty())
                IdDeposito = Deposito;
            else if (IdDeposito.trimmed().isEmpty())
                IdDeposito = QStringLiteral("Ignorar");
            // A lot row never gives more than its stock, and a serial number
            // identifies units it holds: neither takes more than is there.
            const QString lote = EsSerie ? QString() : g.TextMatrix(g.Row(), ColLote).trimmed();
            const bool porLote = EsLote && !lote.isEmpty();
            if ((porLote || EsSerie) && ImporteCelda(texto) > ImporteCelda(g.TextMatrix(g.Row(), ColStock)))
                rechazo = QStringLiteral("La Cantidad supera a la cantidad disponible en Stock");
        }
        if (!rechazo.isEmpty()) {
            HayError = true;
            Aviso(rechazo);
        }
    }});
}

void FrmCargaLotesySeries::Toolbar1_ButtonClick(int Index)
{
    ErrorTrap::showing(QStringLiteral("Toolbar1_ButtonClick")).run({[&] {
        if ((Index != 1 && Index != 2) || !ConfirmaEditor())
            return;
        FlexGrid& g = *MSFlexGrid1;
        const QString texto = Index == 1 ? g.Text().trimmed() : QString();
        for (int fila = g.Row() + 1; fila < g.Rows(); ++fila)
            g.setTextMatrix(fila, g.Col(), texto);
    }});
}

void FrmCargaLotesySeries::CmdAceptar_Click()
{
    ErrorTrap::showing(QString()).run({[&] {
        if (!ConfirmaEditor())
            return;
        if (Saliente())
            AceptaSalida();
        else
            AceptaEntrada();
    }});
}

void FrmCargaLotesySeries::AceptaSalida()
{
    if (!ControlaTotal(Cantidad, SumaFilas(-1), MostrarForm,
                       QStringLiteral("El Stock es Menor a la cantidad solicitada ")))
        return;
    const FlexGrid& g = *MSFlexGrid1;
    QString lotes = QStringLiteral("|");
    QString cantidades = QStringLiteral("|");
    for (int fila = 1; fila < g.Rows(); ++fila) {
        const QString cantidad = g.TextMatrix(fila, ColCantidad).trimmed();
        // A row that takes nothing (a quantity that reads 0, or none) is no
        // item: the stock update would count it as a lot of its own.
        if (NumeroCelda(cantidad) == 0)
            continue;
        lotes += Clave(fila);
        lotes += u'|';
        cantidades += cantidad;
        cantidades += u'|';
    }
    Lotes = listaOVacia(lotes);
    Series = listaOVacia(cantidades);
    Oculta();
}

void FrmCargaLotesySeries::AceptaEntrada()
{
    if (EsLote)
        CompletaTodoIgual();
    const FlexGrid& g = *MSFlexGrid1;
    QString lista = QStringLiteral("|");
    QStringList vistos;
    for (int fila = 1; fila < g.Rows(); ++fila) {
        const QString valor = g.TextMatrix(fila, ColValor).trimmed();
        // A serial number names one unit: the same one twice is refused.
        if (EsSerie && !valor.isEmpty()) {
            if (vistos.contains(valor, Qt::CaseInsensitive)) {
                Aviso(QStringLiteral("El Número de Serie ") + valor + QStringLiteral(" está repetido"));
                return;
            }
            vistos << valor;
        }
        lista += (valor.isEmpty() ? QStringLiteral("-") : valor) + u'|';
    }
    lista = listaOVacia(lista);
    if (EsLote) {
        Lotes = lista;
        Series.clear();
    } else {
        Series = lista;
        Lotes.clear();
    }
    Oculta();
}
