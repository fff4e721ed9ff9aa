// Skeleton: the routes are being written; only what a derived test double
// needs works yet.
#include "Connection.h"

#include "Recordset.h"
#include "platform/RuntimeError.h"

namespace db {

struct Connection::Private {
    Errors errors;
    QString connectionString;
    int cursorLocation = location::UseServer;
    int commandTimeout = 30;
    QString defaultDatabase;
    int state = state::Closed;
};

namespace {
[[noreturn]] void notYet(const char* what)
{
    throw RuntimeError(errnum::ProviderFailure, QStringLiteral("not available yet: %1").arg(QLatin1String(what)));
}
}  // namespace

Connection::Connection() : d(std::make_unique<Private>()) {}
Connection::~Connection() = default;

void Connection::Open(const QString& connectionString, const QString&, const QString&, int)
{
    d->connectionString = connectionString;
    notYet("Open");
}
void Connection::Close() { d->state = state::Closed; }
int Connection::State() const { return d->state; }
QString Connection::ConnectionString() const { return d->connectionString; }
int Connection::CursorLocation() const { return d->cursorLocation; }
void Connection::setCursorLocation(int l) { d->cursorLocation = l; }
int Connection::CommandTimeout() const { return d->commandTimeout; }
void Connection::setCommandTimeout(int s) { d->commandTimeout = s; }
QString Connection::DefaultDatabase() const { return d->defaultDatabase; }
void Connection::setDefaultDatabase(const QString& n) { d->defaultDatabase = n; }
void Connection::Execute(const QString&, long*, int) { notYet("Execute"); }
void Connection::BeginTrans() { notYet("BeginTrans"); }
void Connection::CommitTrans() { notYet("CommitTrans"); }
void Connection::RollbackTrans() { notYet("RollbackTrans"); }
Errors& Connection::errors() { return d->errors; }
const Errors& Connection::errors() const { return d->errors; }
std::unique_ptr<Recordset> Connection::OpenSchema(int, const QVariantList&) { notYet("OpenSchema"); }
Dialect Connection::dialect() const { return Dialect::SqlServer; }
ConnectionBackend* Connection::backend() const { return nullptr; }

}  // namespace db
