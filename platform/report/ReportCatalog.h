#pragma once

#include "Report.h"

#include <functional>
#include <vector>

namespace db {
class Connection;
}

namespace report {

// The reports the program carries, registered at start-up by name (found
// without regard to case), and the connection their rows are read on: the
// program's own open connection, handed in by whoever owns it, so the
// printer never opens one of its own.
class Catalog {
public:
    // Adds a definition; one of the same name is replaced.
    void add(Definition definition);
    void remove(const QString& name);
    // Nothing when no report has that name.
    const Definition* find(const QString& name) const;

    void setConnection(std::function<db::Connection*()> provider);
    // The connection in force; nullptr when none was handed in.
    db::Connection* connection() const;

private:
    std::vector<Definition> m_definitions;
    std::function<db::Connection*()> m_connection;
};

Catalog& catalog();

}  // namespace report
