#include "KeyedCollection.h"

#include "RuntimeError.h"

void KeyedCollection::Add(const QVariant& value, const QString& key)
{
    if (!key.isEmpty() && find(key))
        throw RuntimeError(errnum::DuplicateCollectionKey,
                           QStringLiteral("La clave ya esta asociada a un elemento de esta coleccion"));
    m_items.push_back({value, key});
}

void KeyedCollection::AddBefore(const QVariant& value, int before, const QString& key)
{
    const std::size_t index = checkedIndex(before);
    if (!key.isEmpty() && find(key))
        throw RuntimeError(errnum::DuplicateCollectionKey,
                           QStringLiteral("La clave ya esta asociada a un elemento de esta coleccion"));
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), {value, key});
}

const QVariant& KeyedCollection::Item(int position) const
{
    return m_items[checkedIndex(position)].value;
}

const QVariant& KeyedCollection::Item(const QString& key) const
{
    const auto i = find(key);
    if (!i)
        throw RuntimeError::invalidCall(QStringLiteral("clave inexistente: ") + key);
    return m_items[*i].value;
}

bool KeyedCollection::Contains(const QString& key) const
{
    return find(key).has_value();
}

QString KeyedCollection::KeyAt(int position) const
{
    return m_items[checkedIndex(position)].key;
}

void KeyedCollection::Remove(int position)
{
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(checkedIndex(position)));
}

void KeyedCollection::Remove(const QString& key)
{
    const auto i = find(key);
    if (!i)
        throw RuntimeError::invalidCall(QStringLiteral("clave inexistente: ") + key);
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(*i));
}

std::optional<std::size_t> KeyedCollection::find(const QString& key) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (!m_items[i].key.isEmpty() && m_items[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

std::size_t KeyedCollection::checkedIndex(int position) const
{
    if (position < 1 || position > Count())
        throw RuntimeError::invalidCall(QStringLiteral("posicion fuera de la coleccion"));
    return static_cast<std::size_t>(position - 1);
}
