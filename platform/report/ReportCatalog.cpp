#include "ReportCatalog.h"

#include "platform/Value.h"

#include <algorithm>

namespace report {

void Catalog::add(Definition definition)
{
    remove(definition.name);
    m_definitions.push_back(std::move(definition));
}

void Catalog::remove(const QString& name)
{
    std::erase_if(m_definitions, [&](const Definition& d) { return lang::sameText(d.name, name); });
}

const Definition* Catalog::find(const QString& name) const
{
    const auto it = std::find_if(m_definitions.begin(), m_definitions.end(),
                                 [&](const Definition& d) { return lang::sameText(d.name, name.trimmed()); });
    return it == m_definitions.end() ? nullptr : &*it;
}

void Catalog::setConnection(std::function<db::Connection*()> provider)
{
    m_connection = std::move(provider);
}

db::Connection* Catalog::connection() const
{
    return m_connection ? m_connection() : nullptr;
}

Catalog& catalog()
{
    static Catalog instance;
    return instance;
}

}  // namespace report
