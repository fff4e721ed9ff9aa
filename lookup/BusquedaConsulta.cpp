#include "BusquedaConsulta.h"

#include "platform/Keys.h"

namespace consulta {

int PrimeraCoincidencia(const QStringList& celdas, const QString& valor)
{
    const QString buscado = valor.trimmed();
    for (int i = 0; i < celdas.size(); ++i)
        if (celdas[i].trimmed().startsWith(buscado, Qt::CaseInsensitive))
            return i;
    return -1;
}

bool NodoCoincide(const QString& textoNodo, const QString& buscado)
{
    const qsizetype guion = textoNodo.indexOf(u'-');
    const QString codigo = guion < 0 ? QString() : textoNodo.left(guion).trimmed();
    const QString descripcion = (guion < 0 ? textoNodo : textoNodo.mid(guion + 1)).trimmed();
    return descripcion.startsWith(buscado, Qt::CaseInsensitive) || codigo.startsWith(buscado, Qt::CaseInsensitive);
}

std::optional<QString> TextoTecleado(const QString& actual, int keyCode, const QString& tecleado, bool checkBoxes)
{
    if (keyCode == keys::Backspace)
        return actual.left(actual.size() - 1);
    if (keyCode == keys::Space)
        return checkBoxes ? std::nullopt : std::optional<QString>(actual + u' ');
    if (tecleado.isEmpty())
        return std::nullopt;
    for (const QChar c : tecleado)
        if (!c.isPrint())
            return std::nullopt;
    return actual + tecleado;
}

int NivelStock(Currency puntoPedido, Currency stock)
{
    const Currency cero;
    if (puntoPedido == cero && stock > cero)
        return 1;
    if (puntoPedido > cero && stock > puntoPedido)
        return 2;
    if (puntoPedido > cero && stock < puntoPedido)
        return 3;
    return 4;
}

int ClasePrecio(const QString& sql, const QString& columna)
{
    if (!sql.contains(QStringLiteral("V_MA_ARTICULOS"), Qt::CaseInsensitive) &&
        !sql.contains(QStringLiteral("STK_MA_ARTICULOS"), Qt::CaseInsensitive))
        return 0;
    for (int n = 1; n <= 8; ++n)
        if (columna.compare(QStringLiteral("PRECIO") + QString::number(n), Qt::CaseInsensitive) == 0)
            return n;
    return 0;
}

QString TextoCantidad(double cantidad, int decimales)
{
    return QString::number(cantidad, 'f', decimales);
}

}  // namespace consulta
