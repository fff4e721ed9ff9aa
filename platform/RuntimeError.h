#pragma once

#include <QString>
#include <exception>
#include <string>

// The error that every trapped procedure of the system reacts to: a number,
// a description and the name of whatever raised it. Numbers are those the
// procedures test by value, so they keep the values stored logs carry.
namespace errnum {
constexpr int InvalidProcedureCall = 5;   // a cut with a negative length, a bad argument
constexpr int Overflow = 6;               // a value outside a 16-bit (or 32-bit) range
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;
constexpr int ObjectNotSet = 91;
constexpr int ControlExists = 360;
constexpr int ItemNotFound = 3265;        // field or item not found in a collection
constexpr int InvalidColumn = 207;        // the server's "invalid column name"
constexpr int DuplicateKey = 2627;        // the server's "duplicate key"
constexpr int DuplicateCollectionKey = 457;
constexpr int ProviderFailure = -2147467259; // the generic provider failure (0x80004005)
}  // namespace errnum

class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString description, QString source = {});

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }
    void setSource(const QString& source) { m_source = source; }

    const char* what() const noexcept override { return m_what.c_str(); }

    static RuntimeError overflow();
    static RuntimeError invalidCall(const QString& detail = {});
    static RuntimeError typeMismatch(const QString& detail = {});

private:
    int m_number;
    QString m_description;
    QString m_source;
    std::string m_what;
};
