#pragma once

#include <QString>
#include <vector>

namespace db {

// One error the provider reported.
struct Error {
    long Number = 0;         // the number the procedures test (2627 duplicate key, 207 unknown column, ...)
    QString Description{};
    QString SQLState{};
    long NativeError = 0;    // same numbering as Number on every route
    QString Source{};
};

// The errors of the last failing operation of a connection. A failing
// operation replaces the list; a successful one leaves it as it was, so a
// caller can run a batch and read the verdict afterwards.
class Errors {
public:
    int Count() const { return static_cast<int>(m_errors.size()); }
    // From 0.
    const Error& Item(int index) const { return m_errors.at(static_cast<std::size_t>(index)); }
    void Clear() { m_errors.clear(); }

    void Add(Error e) { m_errors.push_back(std::move(e)); }
    void Replace(std::vector<Error> errors) { m_errors = std::move(errors); }

private:
    std::vector<Error> m_errors;
};

}  // namespace db
