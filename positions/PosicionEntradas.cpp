#include "PosicionEntradas.h"

#include "ClaveSinCaso.h"

#include "core/Listas.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "rules/Cantidades.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <array>

namespace {

const std::array<const char*, PosicionEntradas::Columnas> kEncabezados = {
    "Posicion", "Descripcion", "O.I.", "U. Pos", "U. Articulo", "Capacidad", "Disponible", "Cantidad"};
const std::array<const char*, PosicionEntradas::Columnas> kMuestras = {
    "PosicionXXXXX", "DescripcionXXXXX", "O.I.XX", "U. PosXX", "U. ArticuloXX", "CapacidadX", "DisponibleX", "CantidadX"};

const QString kSaltoLinea = QStringLiteral("\r\n");

// A cell's number: its leading digits with "." as the decimal sign, an empty cell 0.
double numeroCelda(const QString& texto)
{
    return lang::leadingNumber(texto);
}

Currency cantidadCelda(const QString& texto)
{
    return Currency::fromDouble(numeroCelda(texto));
}

// The items of a pipe list ("|A|B|"): its outer characters dropped, the rest
// cut at each "|", closed by one empty element.
std::vector<QString> itemsLista(const QString& lista)
{
    QString interior = lista.size() < 2 ? QString() : lista.mid(1, lista.size() - 2);
    std::vector<QString> items;
    SeparaCadena(interior, QStringLiteral("|"), items);
    return items;
}

// A text that is wholly a number: blanks around it, a sign, digits with at
// most one ".", an optional exponent.
bool esNumero(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return false;
    static const QRegularExpression numero(QStringLiteral(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$)"));
    return numero.match(t).hasMatch();
}

// The stored Boolean "enabled": only an explicit false disables; a Null does not.
bool esFalso(const QVariant& v)
{
    if (lang::isEmpty(v) || lang::isNull(v))
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        return lang::sameText(t, u"False") || (esNumero(t) && lang::leadingNumber(t) == 0);
    }
    return lang::number(v) == 0;
}

}  // namespace

PosicionEntradas::PosicionEntradas(DatosPosiciones& datos, GrillaCeldas& grilla) : m_datos(datos), m_grilla(grilla) {}

QString PosicionEntradas::EncabezadoColumna(int col)
{
    return QString::fromLatin1(kEncabezados.at(static_cast<std::size_t>(col)));
}

QString PosicionEntradas::MuestraAncho(int col)
{
    return QString::fromLatin1(kMuestras.at(static_cast<std::size_t>(col)));
}

QString PosicionEntradas::Titulo() const
{
    return QStringLiteral("Seleccion de Posiciones Deposito: (") + eIdDeposito.trimmed() + QStringLiteral(") ") +
           eDepositoDescripcion;
}

QString PosicionEntradas::Encabezado() const
{
    return lang::numberText(eCantidadPedida) + QStringLiteral(" (") + eUnidadArticulo.trimmed() +
           QStringLiteral(") ") + eIdArticulo.trimmed() + QStringLiteral(" - ") + eDescripcion.trimmed();
}

void PosicionEntradas::Carga(const std::function<void(const QString&)>& avance)
{
    const auto informa = [&](const char* texto) {
        if (avance)
            avance(QString::fromLatin1(texto));
    };
    InicializaGrid();
    informa("Proponiendo Posiciones....");
    CargaPosiciones();
    AsignarDatos();
    informa("Proponiendo Cantidades....");
    ProponeCantidades();
}

void PosicionEntradas::InicializaGrid()
{
    m_grilla.Clear();
    for (int c = 0; c < Columnas; ++c)
        m_grilla.setTextMatrix(0, c, EncabezadoColumna(c));
}

void PosicionEntradas::CargaPosiciones()
{
    const QStringList propuesta = m_datos.ProponePosiciones(eIdArticulo, eIdDeposito);
    std::vector<FilaPosicion> filas = m_datos.LeePosiciones(eIdDeposito, propuesta);

    // Rows follow the proposal's order, not the statement's. Codes are found
    // again trimmed on both sides, so a code stored with blanks around it
    // still lands on its own row.
    QHash<ClaveSinCaso, int> lugar;
    lugar.reserve(propuesta.size());
    for (int i = 0; i + 1 < propuesta.size(); ++i) {
        const ClaveSinCaso clave{propuesta[i].trimmed()};
        if (!lugar.contains(clave))
            lugar.insert(clave, i);
    }
    std::vector<std::pair<int, const FilaPosicion*>> ordenadas;
    ordenadas.reserve(filas.size());
    for (const FilaPosicion& f : filas) {
        const auto it = lugar.constFind(ClaveSinCaso{f.IdPosicion.trimmed()});
        if (it != lugar.constEnd())
            ordenadas.emplace_back(it.value(), &f);
    }
    if (ordenadas.empty())
        return;
    std::stable_sort(ordenadas.begin(), ordenadas.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    m_grilla.setRows(static_cast<int>(ordenadas.size()) + 2);
    // Units are compared trimmed: the line's unit may come right-justified
    // while the position's is stored bare, or the other way round.
    const QString unidadLinea = eUnidadArticulo.trimmed();
    int fila = 0;
    for (const auto& [indice, f] : ordenadas) {
        ++fila;
        const QString unidad = f->IdUnidad.trimmed();
        m_grilla.setTextMatrix(fila, ColPosicion, f->IdPosicion.trimmed());
        m_grilla.setTextMatrix(fila, ColDescripcion, f->Descripcion.trimmed());
        m_grilla.setTextMatrix(fila, ColOrdenIngreso, f->OrdenIngreso.trimmed());
        m_grilla.setTextMatrix(fila, ColUnidadPosicion, f->IdUnidad);
        m_grilla.setTextMatrix(fila, ColUnidadArticulo, eUnidadArticulo);
        // Capacity and free room in the line's own unit, by the equivalence
        // the balance view counts the saved rows by: a line in another unit
        // than the article's, read as if it were in the article's, would fill
        // the position past its capacity. Four decimals, as the rows are
        // saved; the capacity with a half away from zero, as the view's ROUND
        // takes it. The free room is worked out in the position's unit and
        // then turned toward zero into the line's: what the dialog offers,
        // once saved and counted back, never takes the position past its
        // capacity.
        const bool mismaUnidad = lang::sameText(unidadLinea, unidad);
        QString operador;
        double coeficiente = 0;
        const bool equivalente =
            !mismaUnidad && m_datos.Equivalencia(eIdArticulo, unidadLinea, unidad, operador, coeficiente);
        const Currency libre =
            Currency::fromDoubleAwayFromZero(f->Capacidad) - Currency::fromDoubleAwayFromZero(f->SaldoPosicion);
        Currency capacidad;
        Currency disponible;
        if (mismaUnidad) {
            capacidad = Currency::fromDoubleAwayFromZero(f->Capacidad);
            disponible = libre;
        } else if (equivalente) {
            capacidad = Currency::fromDoubleAwayFromZero(AplicaEquivalencia(f->Capacidad, operador, coeficiente));
            disponible = CabidaEnUnidad(libre, operador, coeficiente);
        }
        m_grilla.setTextMatrix(fila, ColCapacidad, capacidad.toString());
        m_grilla.setTextMatrix(fila, ColDisponible, disponible.toString());

        // A line in the position's unit needs the article's own equivalence
        // to the position, any other line an equivalence of its unit.
        const bool convertible =
            mismaUnidad ? m_datos.IdArticuloTieneEquivalencias(eIdArticulo, unidad) : equivalente;
        std::uint32_t color = colorPosicion::Habilitada;
        if (unidad.isEmpty())
            color = colorPosicion::SinUnidad;
        else if (!convertible)
            color = colorPosicion::SinEquivalencias;
        else if (esFalso(f->Habilitado))
            color = colorPosicion::Inhabilitada;
        PintaFila(fila, color);
    }
}

void PosicionEntradas::PintaFila(int fila, std::uint32_t color)
{
    m_grilla.setRowBackColor(fila, 1, color);
}

void PosicionEntradas::AsignarDatos()
{
    if (!Posiciones.isEmpty()) {
        Posiciones = Posiciones.trimmed();
        Cantidades = Cantidades.trimmed();
        const std::vector<QString> posiciones = itemsLista(Posiciones);
        const std::vector<QString> cantidades = itemsLista(Cantidades);
        for (std::size_t i = 0; i + 1 < posiciones.size(); ++i) {
            if (i + 1 >= cantidades.size())
                throw RuntimeError(errnum::SubscriptOutOfRange,
                                   QStringLiteral("La lista de cantidades es mas corta que la de posiciones"));
            const Currency cantidad = Currency::fromText(cantidades[i]);
            long fila = 0;
            // On a reopened voucher the balance already holds this line's
            // stored quantity: the position's free space gets it back, or
            // keeping the line as it was would be refused.
            if (eComprobanteExistente && ExisteEnGrid(posiciones[i], 0, fila) &&
                m_grilla.CellBackColor(static_cast<int>(fila), ColCantidad) != 0) {
                const int f = static_cast<int>(fila);
                m_grilla.setTextMatrix(f, ColDisponible,
                                       (cantidadCelda(m_grilla.TextMatrix(f, ColDisponible)) + cantidad).toString());
            }
            SumaCantidadPosicion(posiciones[i], cantidad);
        }
    }
    if (!PosicionesEnELFORMULARIO.isEmpty()) {
        const std::vector<QString> posiciones = itemsLista(PosicionesEnELFORMULARIO.trimmed());
        const std::vector<QString> cantidades = itemsLista(CantidadesEnELFORMULARIO.trimmed());
        for (std::size_t i = 0; i + 1 < posiciones.size(); ++i) {
            long fila = 0;
            if (!ExisteEnGrid(posiciones[i], 0, fila))
                continue;
            if (i + 1 >= cantidades.size())
                throw RuntimeError(errnum::SubscriptOutOfRange,
                                   QStringLiteral("La lista de cantidades es mas corta que la de posiciones"));
            const int f = static_cast<int>(fila);
            m_grilla.setTextMatrix(
                f, ColDisponible,
                (cantidadCelda(m_grilla.TextMatrix(f, ColDisponible)) - Currency::fromText(cantidades[i])).toString());
        }
    }
}

void PosicionEntradas::SumaCantidadPosicion(const QString& posicion, Currency cantidad)
{
    long fila = 0;
    if (ExisteEnGrid(posicion, 0, fila)) {
        const int f = static_cast<int>(fila);
        m_grilla.setTextMatrix(f, ColCantidad, (cantidadCelda(m_grilla.TextMatrix(f, ColCantidad)) + cantidad).toString());
        return;
    }
    int f = 1;
    if (!(m_grilla.Rows() == 2 && m_grilla.TextMatrix(1, ColPosicion).isEmpty())) {
        m_grilla.setRows(m_grilla.Rows() + 1);
        f = m_grilla.Rows() - 1;
    }
    m_grilla.setTextMatrix(f, ColPosicion, posicion);
    m_grilla.setTextMatrix(f, ColCantidad, cantidad.toString());
}

bool PosicionEntradas::EsFilaDePosicion(int fila) const
{
    // Anything but blanks, as its trimmed text would tell, without a trimmed
    // copy for every row each time the grid is walked.
    const QString posicion = m_grilla.TextMatrix(fila, ColPosicion);
    return std::any_of(posicion.cbegin(), posicion.cend(), [](QChar c) { return !c.isSpace(); });
}

bool PosicionEntradas::EsFilaHabilitada(int fila) const
{
    return m_grilla.CellBackColor(fila, ColCantidad) == colorPosicion::Habilitada;
}

Currency PosicionEntradas::Total() const
{
    Currency total;
    for (int f = 1; f < m_grilla.Rows(); ++f)
        if (EsFilaDePosicion(f))
            total += cantidadCelda(m_grilla.TextMatrix(f, ColCantidad));
    return total;
}

double PosicionEntradas::CantidadEnGrilla() const
{
    return Total().toDouble();
}

void PosicionEntradas::ProponeCantidades()
{
    const Currency pedida = Currency::fromDouble(eCantidadPedida);
    Currency resto = pedida - Total();
    // Nothing is proposed against a remainder of 0 or less: a negative one
    // would make a row negative while the result lists keep only positive
    // quantities, and the saved rows would then hold more than the line.
    if (resto <= Currency())
        return;
    if (m_grilla.Rows() == 2) {
        // The lone row takes the remainder only when it holds no position of
        // its own; a position the line brought keeps its quantity.
        if (!EsFilaDePosicion(1))
            m_grilla.setTextMatrix(1, ColCantidad, resto.toString());
        return;
    }
    for (int f = 1; f < m_grilla.Rows(); ++f) {
        if (!EsFilaDePosicion(f))
            continue;
        const Currency libre = cantidadCelda(m_grilla.TextMatrix(f, ColDisponible));
        if (libre < Currency() || !EsFilaHabilitada(f))
            continue;
        const Currency actual = cantidadCelda(m_grilla.TextMatrix(f, ColCantidad));
        if (resto + actual <= libre) {
            m_grilla.setTextMatrix(f, ColCantidad, (resto + actual).toString());
            resto = Currency();
        } else {
            m_grilla.setTextMatrix(f, ColCantidad, libre.toString());
            resto = resto + actual - libre;
        }
        if (resto <= Currency())
            break;
    }
}

void PosicionEntradas::TomarDatos()
{
    QString posiciones = QStringLiteral("|");
    QString cantidades = QStringLiteral("|");
    bool alguna = false;
    for (int f = 1; f < m_grilla.Rows(); ++f) {
        if (!EsFilaDePosicion(f))
            continue;
        // A quantity that is 0 at four decimals would be saved as 0: the
        // position is left out rather than refusing the line for it.
        const Currency cantidad = cantidadCelda(m_grilla.TextMatrix(f, ColCantidad));
        if (cantidad <= Currency())
            continue;
        posiciones += m_grilla.TextMatrix(f, ColPosicion).trimmed() + u'|';
        cantidades += cantidad.toString() + u'|';
        alguna = true;
    }
    Posiciones = alguna ? posiciones : QString();
    Cantidades = alguna ? cantidades : QString();
}

void PosicionEntradas::BorraDatos()
{
    Posiciones.clear();
    Cantidades.clear();
    eCantidadPedida = 0;
}

bool PosicionEntradas::ExisteEnGrid(const QString& Valor, long Fila, long& FilaEncontrada) const
{
    const QString buscado = Valor.trimmed();
    for (int f = 1; f < m_grilla.Rows(); ++f) {
        if (f != Fila && m_grilla.TextMatrix(f, ColPosicion).trimmed() == buscado) {
            FilaEncontrada = f;
            return true;
        }
    }
    return false;
}

QString PosicionEntradas::RechazoCantidad(int fila, const QString& texto) const
{
    const QString valor = texto.trimmed();
    if (valor.isEmpty())
        return {};
    if (!esNumero(valor))
        return QStringLiteral("Debe Ingresar un Valor Numerico");
    const double cantidad = lang::leadingNumber(valor);
    // A negative quantity would lower the total while the result lists keep
    // only positive ones: the saved rows would hold more than the line.
    if (cantidad < 0)
        return QStringLiteral("Debe Ingresar un Valor Positivo");
    if (numeroCelda(m_grilla.TextMatrix(fila, ColCapacidad)) > 0 &&
        cantidad > numeroCelda(m_grilla.TextMatrix(fila, ColDisponible)))
        return QStringLiteral("El Valor Ingresado supera la capacidad Disponible de la Posicion ");
    return {};
}

void PosicionEntradas::CargaYAcepta()
{
    try {
        Carga();
        Aceptar();
    } catch (...) {
        BorraDatos();
        throw;
    }
}

bool PosicionEntradas::Aceptar()
{
    const Currency informada = Total();
    const Currency pedida = Currency::fromDouble(eCantidadPedida);
    if (!eProposicionAutomatica) {
        if (informada != pedida) {
            const bool masQuePedida = informada > pedida;
            const QString primera = masQuePedida
                                        ? QStringLiteral("Las Cantidades informadas superan a las pedidas en el formulario.")
                                        : QStringLiteral("Las Cantidades informadas son inferiores a las pedidas en el formulario.");
            const bool permitido =
                masQuePedida ? ePermiteModificarCantidadesParaArriba : ePermiteModificarCantidadesParaAbajo;
            if (!permitido) {
                prompts().messageBox(primera + kSaltoLinea + QStringLiteral("Ajuste la Cantidades Informadas !") +
                                         kSaltoLinea + QStringLiteral("Cantidad Pedida= ") +
                                         lang::numberText(pedida.toDouble()) + kSaltoLinea +
                                         QStringLiteral("Cantidad Informada= ") + lang::numberText(informada.toDouble()),
                                     prompt::OkOnly | prompt::Exclamation, QString());
                return false;
            }
            if (prompts().messageBox(primera + kSaltoLinea + QStringLiteral("Desea modificar las cantidades del formulario?"),
                                     prompt::YesNo | prompt::Question | prompt::DefaultButton2,
                                     QString()) != prompt::Yes)
                return false;
            eCantidadPedida = informada.toDouble();
        }
    } else if (informada != pedida) {
        eCantidadPedida = informada.toDouble();
    }
    TomarDatos();
    return true;
}
