#include "Report.h"

#include "platform/Value.h"

namespace report {

void Formulas::set(const QString& name, const QString& value)
{
    for (auto& [n, v] : m_items) {
        if (lang::sameText(n, name)) {
            v = value;
            return;
        }
    }
    m_items.emplace_back(name, value);
}

bool Formulas::has(const QString& name) const
{
    for (const auto& item : m_items)
        if (lang::sameText(item.first, name))
            return true;
    return false;
}

QString Formulas::value(const QString& name) const
{
    for (const auto& [n, v] : m_items)
        if (lang::sameText(n, name))
            return v;
    return {};
}

QVariant Rows::value(std::size_t row, const QString& field) const
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (lang::sameText(fields[i], field))
            return values.at(row).at(static_cast<std::size_t>(i));
    return {};
}

}  // namespace report
