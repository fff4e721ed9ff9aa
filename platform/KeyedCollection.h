#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

// Ordered collection of values addressed by position (from 1) or by an
// optional unique text key compared without regard to case. Adding a key that
// is already there fails; asking for a missing position or key fails.
class KeyedCollection {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }

    // Appends the value; with a key, the key must not be in use yet.
    void Add(const QVariant& value, const QString& key = {});
    // Inserts before the given position (from 1).
    void AddBefore(const QVariant& value, int before, const QString& key = {});

    const QVariant& Item(int position) const;
    const QVariant& Item(const QString& key) const;
    bool Contains(const QString& key) const;
    // Key of a position; empty when the item was added without one.
    QString KeyAt(int position) const;

    void Remove(int position);
    void Remove(const QString& key);
    void Clear() { m_items.clear(); }

private:
    struct Entry {
        QVariant value;
        QString key;
    };
    std::optional<std::size_t> find(const QString& key) const;
    std::size_t checkedIndex(int position) const;

    std::vector<Entry> m_items;
};
