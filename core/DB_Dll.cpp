#include "DB_Dll.h"

#include "frmAcceso.h"
#include "db/EmbeddedDatabase.h"
#include "platform/Currency.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/Literals.h"
#include "platform/db/NativeErrors.h"

#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <cmath>

namespace {

std::unique_ptr<DB_Dll> g_objDB;

using Resume = ErrorTrap::Resume;

// The key lookups' own box: Abort leaves, Retry runs the failing step
// again, Ignore goes on with the next one.
ErrorTrap avisoAlOperador()
{
    return ErrorTrap([](const RuntimeError& e) {
        switch (prompts().messageBox(e.description(), prompt::AbortRetryIgnore | prompt::Critical,
                                     QStringLiteral("Aviso al Operador"))) {
        case prompt::Retry: return Resume::Retry;
        case prompt::Ignore: return Resume::Next;
        default: return Resume::Leave;
        }
    });
}

// A key of type 7 as a date literal every server reads the same way.
QString dateKey(const QString& value)
{
    const auto when = db::parseDateTime(value.trimmed());
    if (!when)
        throw RuntimeError::typeMismatch(QStringLiteral("\"%1\" no es una fecha válida").arg(value.trimmed()));
    return db::dateTimeLiteral(*when);
}

// "N": the numeric value of the key, as text.
QString numberKey(const QString& value)
{
    return lang::numberText(lang::leadingNumber(value)).trimmed();
}

// A value of the connection string. Values are written as they are, as the
// connection string has always been; one holding ";" goes between quotes, so
// that a password cannot be cut short or add an item.
QString connectionValue(const QString& value)
{
    if (!value.contains(u';') && !value.startsWith(u'"') && !value.startsWith(u'\''))
        return value;
    return u'"' + QString(value).replace(u'"', QStringLiteral("\"\"")) + u'"';
}


struct Synonym {
    const char* table;
    const char* synonym;
};
constexpr Synonym kSynonyms[] = {
    {"MA_CUENTAS", "SS_MA_CUENTAS"},
    {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
    {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
    {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
    {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
    {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
    {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
};

// Whether `name` (upper case, with an underscore at `underscore`) stands in
// `text`, in any letter case, around the underscore at `at`.
bool nameAt(QStringView text, qsizetype at, QLatin1StringView name, qsizetype underscore)
{
    const qsizetype start = at - underscore;
    if (start < 0 || start + name.size() > text.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = text[start + i].unicode();
        if ((c >= u'a' && c <= u'z' ? c - 32 : c) != name[i].unicode())
            return false;
    }
    return true;
}

// Whether `text` holds `name` (upper case, with an underscore) in any letter
// case. Looked for from the underscores of the text, which are few, so a long
// statement is passed over at once.
bool holdsName(QStringView text, QLatin1StringView name)
{
    const qsizetype underscore = name.indexOf(u'_');
    for (qsizetype at = text.indexOf(u'_'); at >= 0; at = text.indexOf(u'_', at + 1))
        if (nameAt(text, at, name, underscore))
            return true;
    return false;
}

// Whether `text` holds any name the synonyms replace: one pass over its
// underscores, since nearly every statement holds none of them.
bool holdsAnySynonym(QStringView text)
{
    static constexpr QLatin1StringView kAdmin("@ADMIN_");
    // Each name with the place of its first underscore, found once.
    static const auto kNames = [] {
        std::array<std::pair<QLatin1StringView, qsizetype>, std::size(kSynonyms)> names;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const QLatin1StringView name(kSynonyms[i].table);
            names[i] = {name, name.indexOf(u'_')};
        }
        return names;
    }();
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != u'_')
            continue;
        for (const auto& [name, underscore] : kNames)
            if (nameAt(text, at, name, underscore))
                return true;
        if (nameAt(text, at, kAdmin, kAdmin.size() - 1))
            return true;
    }
    return false;
}

}  // namespace

DB_Dll& ObjDB()
{
    if (!g_objDB)
        g_objDB = std::make_unique<DB_Dll>();
    return *g_objDB;
}

void releaseObjDB()
{
    g_objDB.reset();
}

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;

db::Connection& DB_Dll::gCnn()
{
    if (!m_cnn)
        m_cnn = std::make_unique<db::Connection>();
    return *m_cnn;
}

void DB_Dll::setConnection(std::unique_ptr<db::Connection> connection)
{
    m_cnn = std::move(connection);
}

// --- connection -------------------------------------------------------------

bool DB_Dll::enOracle()
{
    return gCnn().dialect() == db::Dialect::Oracle;
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, long lCursor, const QString& ConnString)
{
    auto buildConnectionString = [this] {
        if (gProveedor.contains(QLatin1String("ORACLE"), Qt::CaseInsensitive))
            gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + connectionValue(gDbName) +
                          QStringLiteral(";User Id=") + connectionValue(gUsuario) + QStringLiteral(";Password=") +
                          connectionValue(gUserPassWord) + QStringLiteral(";");
        else
            gConnString = QStringLiteral("PROVIDER=") + gProveedor + QStringLiteral(";") + QStringLiteral("Server=") +
                          connectionValue(gServidor) + QStringLiteral(";") + QStringLiteral("Database =") +
                          connectionValue(gDbName) + QStringLiteral(";") + QStringLiteral("UId=") +
                          connectionValue(gUsuario) + QStringLiteral(";") + QStringLiteral("Pwd=") +
                          connectionValue(gUserPassWord) + QStringLiteral(";") + gExtended;
    };
    // Asks for the parameters; false when the operator cancelled.
    auto askParameters = [this] {
        frmAcceso form;
        form.TxtDbName->setText(gDbName);
        form.TxtServidor->setText(gServidor);
        form.TxtUserId->setText(gUsuario);
        form.TxtUserPassword->setText(gUserPassWord);
        form.CboPlataformaDB->setCurrentIndex(0);
        prompts().showModal(form);
        if (form.Aceptar) {
            gOpenFlag = true;
            gDbName = form.TxtDbName->text();
            gServidor = form.TxtServidor->text();
            gUsuario = form.TxtUserId->text();
            gUserPassWord = form.TxtUserPassword->text();
            gProveedor = form.CboPlataformaDB->currentIndex() == 1 ? QStringLiteral("OraOLEDB.Oracle.1")
                                                                  : QStringLiteral("SQLOLEDB");
        } else {
            gOpenFlag = false;
        }
        return gOpenFlag;
    };

    const ErrorTrap connectionError([&](const RuntimeError& e) {
        db::Errors& errors = gCnn().errors();
        if (errors.Count() > 0) {
            const db::Error& first = errors.Item(0);
            const QString explained = db::explanation(first);
            const QString text = QStringLiteral(" Estado de Sql: ") + first.SQLState + u'\n' +
                                 QStringLiteral("Numero de Error: ") + QString::number(first.Number) + u'\n' +
                                 QStringLiteral("Descripcion: ") + (explained.isEmpty() ? first.Description : explained) +
                                 u'\n' +
                                 QStringLiteral("Codigo Nativo: ") + QString::number(first.NativeError) + u'\n' +
                                 QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
            if (prompts().messageBox(text, prompt::YesNo | prompt::Critical,
                                     QStringLiteral(" Error de Conexion a Base de Datos")) == prompt::Yes) {
                errors.Clear();
                if (!askParameters())
                    return Resume::Leave;
                buildConnectionString();
                return Resume::Retry;
            }
            gOpenFlag = false;
            return Resume::Leave;
        }
        prompts().messageBox(e.description(), prompt::OkOnly, QString());
        return Resume::Leave;
    });

    gOpenFlag = true;
    connectionError.run({
        [&] {
            if (gProveedor.isEmpty())
                gProveedor = pSQLOLEDB();
        },
        [&] {
            if (ConnString.trimmed().isEmpty())
                buildConnectionString();
            else
                gConnString = ConnString;
        },
        [&] {
            if (!PideParametrosSQL)
                return;
            if (!askParameters())
                ErrorTrap::leave();
            buildConnectionString();
        },
        [&] {
            gCnn().setCursorLocation(static_cast<int>(lCursor));
            // Each by the name the statements reach after the synonym rewrite:
            // where the shared master tables live in another database, the
            // company's holds only their synonyms.
            QStringList alcanzadas;
            for (const QString& tabla : gTablasRequeridas)
                alcanzadas << SS_TSinonimos(u' ' + tabla + u' ').trimmed();
            gCnn().setRequiredTables(alcanzadas);
            gCnn().setSchemaUpgrade([](db::ConnectionBackend& backend, const QString& name) {
                EmbeddedDatabase::bringUpToDate(backend, name);
            });
        },
        [&] { gCnn().Open(gConnString, QString(), QString(), -1); },
    });
    // Start-up ends the program on a False flag: it must never go on
    // without a database, whatever message the failure showed.
    if (gCnn().State() != db::state::Open)
        gOpenFlag = false;
}

void DB_Dll::OpenLocalADODB(const QString&, const QString&, const QString&) {}

// --- key lookups and aggregates --------------------------------------------

QVariant DB_Dll::firstRowNumber(const QString& sql, const QString& field)
{
    db::Recordset rs;
    rs.Open(sql, gCnn(), db::cursor::ForwardOnly, db::lock::ReadOnly, -1);
    QVariant result;
    if (!rs.BOF()) {
        rs.MoveFirst();
        result = lang::leadingNumber(lang::text(m_utilidades.ValorNoNulo(rs.value(field))));
    }
    rs.Close();
    return result;
}

QVariant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant&, const QString& Condicion)
{
    QString sql = QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
    if (!Condicion.isNull())
        sql += QStringLiteral(" WHERE ") + Condicion.trimmed();
    return firstRowNumber(sql, QStringLiteral("MAYOR"));
}

QVariant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant&, const QString& Condicion)
{
    QString sql = QStringLiteral("SELECT MIN(") + QueCampo + QStringLiteral(") AS MENOR FROM ") + QueTabla;
    if (!Condicion.isNull())
        sql += QStringLiteral(" WHERE ") + Condicion.trimmed();
    return firstRowNumber(sql, QStringLiteral("MENOR"));
}

QVariant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QVariant&,
                                   const QString& Condicion)
{
    QString sql = QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
    if (!Condicion.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + Condicion;
    return firstRowNumber(sql, QStringLiteral("MAYOR"));
}

bool DB_Dll::existsRow(const std::function<QString()>& buildSql, db::Recordset* Lrcs, bool readOnly)
{
    bool result = false;
    QString sql;
    db::Recordset own;
    avisoAlOperador().run({
        [&] { sql = buildSql(); },
        [&] {
            if (!Lrcs) {
                own.Open(sql, gCnn(), db::cursor::ForwardOnly, db::lock::ReadOnly, -1);
                return;
            }
            if (Lrcs->State() != db::state::Closed)
                Lrcs->Close();
        },
        [&] {
            if (!Lrcs)
                return;
            if (readOnly)
                Lrcs->Open(sql, gCnn(), db::cursor::ForwardOnly, db::lock::ReadOnly, -1);
            else
                Lrcs->Open(sql, gCnn(), Lrcs->CursorType(), Lrcs->LockType(), -1);
        },
        [&] { result = !(Lrcs ? Lrcs : &own)->BOF(); },
        [&] {
            if (!Lrcs)
                own.Close();
        },
    });
    return result;
}

namespace {
// " WHERE " before a condition, or one blank when it holds its own.
QString whereBefore(const QString& condition)
{
    return condition.contains(QLatin1String(" WHERE "), Qt::CaseInsensitive) ? QStringLiteral(" ") : QStringLiteral(" WHERE ");
}
}  // namespace

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                             db::Recordset* Lrcs, int TipoDato, const QString& Condicion, bool SoloLectura)
{
    return existsRow(
        [&] {
            const QString head = QStringLiteral("SELECT * FROM ") + Tabla;
            if (!Condicion.isEmpty())
                return head + whereBefore(Condicion) + Condicion;
            if (TipoDato == 8)
                return head + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" =") + db::quoteText(ValorBuscado);
            if (TipoDato == 7)
                return head + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + dateKey(ValorBuscado) +
                       QStringLiteral(" ");
            if (TipoDato == 3 || TipoDato == 5 || TipoDato == 4)
                return head + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + numberKey(ValorBuscado);
            return head + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + ValorBuscado;
        },
        Lrcs, SoloLectura);
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           db::Recordset* Lrcs, int TipoDato, const QString& Condicion)
{
    return existsRow(
        [&] {
            const QString head = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla;
            QString sql;
            if (!Condicion.isEmpty())
                sql = head + whereBefore(Condicion) + Condicion;
            else if (TipoDato == 8)
                sql = QStringLiteral("SELECT TOP 1  * FROM ") + Tabla + QStringLiteral(" WHERE LTRIM(RTRIM(") + Campo +
                      QStringLiteral(")) =") + db::quoteText(ValorBuscado.trimmed());
            else if (TipoDato == 7)
                sql = head + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + dateKey(ValorBuscado) +
                      QStringLiteral(" ");
            else if (TipoDato == 3 || TipoDato == 4 || TipoDato == 5)
                sql = head + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + numberKey(ValorBuscado);
            else
                sql = head + QStringLiteral(" WHERE ") + Campo + QStringLiteral(" = ") + ValorBuscado;
            sql = SS_TSinonimos(sql);
            // TOP n is no Oracle: the statement takes the dialect rewrite there.
            if (enOracle())
                sql = ORACLE_Dicc(sql);
            return sql;
        },
        Lrcs, false);
}

QVariant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                            const QString& Campo, int TipoDato, const QString& Condicion)
{
    QVariant result;
    QString sql;
    db::Recordset rs;
    avisoAlOperador().run({
        [&] {
            const QString a = Condicion.trimmed().isEmpty() ? Condicion : QStringLiteral(" AND ") + Condicion;
            const QString head = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla + QStringLiteral(" WHERE ");
            if (TipoDato == 8)
                sql = head + QStringLiteral("LTRIM(RTRIM(") + Campo + QStringLiteral(")) =") +
                      db::quoteText(ValorBuscado.trimmed()) + QStringLiteral(" ") + a;
            else if (TipoDato == 7)
                sql = head + Campo + QStringLiteral(" = ") + dateKey(ValorBuscado) + QStringLiteral(" ") + a;
            else if (TipoDato == 3 || TipoDato == 5 || TipoDato == 4)
                sql = head + Campo + QStringLiteral(" = ") + numberKey(ValorBuscado) + a;
            else
                sql = head + Campo + QStringLiteral(" = ") + ValorBuscado + a;
        },
        [&] { AbrirRecordset(sql, rs, nullptr, db::cursor::ForwardOnly, db::lock::ReadOnly, -1, true); },
        [&] {
            if (!rs.BOF())
                result = lang::text(m_utilidades.ValorNoNulo(rs.value(CampoDevuelto)));
            else
                result = QString(QLatin1String(""));
        },
        [&] { CierraRecordset(rs); },
    });
    return result;
}

namespace {
bool typeIn(const QVariant& Qtype, std::initializer_list<int> codes)
{
    bool ok = false;
    const int code = Qtype.toInt(&ok);
    if (!ok)
        return false;
    for (int c : codes)
        if (c == code)
            return true;
    return false;
}
}  // namespace

bool DB_Dll::adodate(const QVariant& Qtype)
{
    return typeIn(Qtype, {7, 133, 137, 134, 135, 64});
}

bool DB_Dll::ADOText(const QVariant& Qtype)
{
    return typeIn(Qtype, {8, 201, 203, 200, 202, 130});
}

bool DB_Dll::ADONumeric(const QVariant& Qtype)
{
    return typeIn(Qtype, {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17});
}

bool DB_Dll::ADOCurrency(const QVariant& Qtype)
{
    return typeIn(Qtype, {6});
}

bool DB_Dll::ADOBoolean(const QVariant& Qtype)
{
    return typeIn(Qtype, {11});
}

// --- statements and recordsets ----------------------------------------------

void DB_Dll::CierraRecordset(db::Recordset& LrcsTemp)
{
    ErrorTrap::showing(QStringLiteral("CierraRecordset")).run({[&] {
        if (LrcsTemp.State() != db::state::Closed)
            LrcsTemp.Close();
    }});
}

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long* RecordsAffected, bool Silencioso)
{
    const ErrorTrap trap([&](const RuntimeError& e) {
        if (Silencioso) {
            db::Errors& errors = gCnn().errors();
            if (errors.Count() == 0)
                errors.Add({e.number(), e.description(), {}, e.number(), e.source()});
        } else if (e.number() != errnum::ProviderFailure) {
            prompts().messageBox(e.description(), prompt::Critical | prompt::OkOnly, QStringLiteral("Aviso al operador!!!"));
        }
        return Resume::Leave;
    });
    trap.run({
        [&] {
            if (SentenciaSQL.contains(QLatin1String("@ADMIN_"), Qt::CaseInsensitive))
                SentenciaSQL.remove(QStringLiteral("@Admin_"), Qt::CaseInsensitive);
            else if (!SentenciaSQL.contains(QLatin1String("DELETE"), Qt::CaseInsensitive))
                SentenciaSQL = SS_TSinonimos(SentenciaSQL);
        },
        [&] {
            if (enOracle()) {
                long ignored = 0;
                EjecutaScriptOracle(SentenciaSQL, RecordsAffected ? *RecordsAffected : ignored);
            } else {
                gCnn().Execute(SentenciaSQL, RecordsAffected, -1);
            }
        },
    });
}

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, db::Recordset& Lrcs, db::Connection* ConexionActiva, int CursorType,
                            int LockType, int Options, bool ConvOracle)
{
    QString text;
    ErrorTrap::showing(QStringLiteral("AbrirRecordset"))
        .run({
            [&] { CierraRecordset(Lrcs); },
            [&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); },
            [&] {
                text = SentenciaSQL;
                if (ConvOracle && enOracle())
                    text = ORACLE_Dicc(text);
            },
            [&] { Lrcs.Open(text, ConexionActiva ? *ConexionActiva : gCnn(), CursorType, LockType, Options); },
        });
}

QString DB_Dll::SQLValue(const QVariant& Valor, const QString& Tipo)
{
    if (Tipo == u"@") {
        if (lang::isNull(Valor))
            return QStringLiteral("0");
        // A double of up to nine whole digits that holds no more than four
        // decimals is the amount its text reads back as: its ten-thousandths
        // are the literal, without the way through its text (the quantities
        // and prices of a voucher's rows, by the thousand).
        if (Valor.typeId() == QMetaType::Double) {
            const double v = *static_cast<const double*>(Valor.constData());
            const double diezMilesimos = v * Currency::Scale;
            if (std::fabs(v) < 1e9 && diezMilesimos == std::trunc(diezMilesimos))
                return Currency::fromRaw(static_cast<std::int64_t>(diezMilesimos)).toString();
        }
        // The amount's own text has "." as its decimal sign.
        return m_utilidades.TextoAMoneda(lang::text(Valor)).toString();
    }
    if (lang::isNull(Valor))
        return QStringLiteral("NULL");
    if (Tipo == u"'") {
        // Dates in the one form every server reads alike; texts with their
        // apostrophes doubled.
        if (Valor.typeId() == QMetaType::QDateTime)
            return db::dateTimeLiteral(Valor.toDateTime());
        if (Valor.typeId() == QMetaType::QDate)
            return db::dateTimeLiteral(QDateTime(Valor.toDate(), QTime(0, 0)));
        return db::quoteText(lang::text(Valor));
    }
    return lang::text(Valor);
}

QString DB_Dll::SS_TSinonimos(const QString& sentencia)
{
    if (!holdsAnySynonym(sentencia))
        return sentencia;
    QString s = sentencia;
    for (const Synonym& entry : kSynonyms) {
        // Every pattern below holds the table's name: a statement without it
        // is spared their passes.
        if (!holdsName(sentencia, QLatin1StringView(entry.table)))
            continue;
        const QString table = QLatin1String(entry.table);
        const QString synonym = QLatin1String(entry.synonym);
        const std::pair<const char*, const char*> contexts[] = {{" ", " "}, {"(", " "}, {" ", "."}, {"(", "."}, {",", "."}};
        for (const auto& [before, after] : contexts)
            s.replace(QLatin1String(before) + table + QLatin1String(after),
                      QLatin1String(before) + synonym + QLatin1String(after), Qt::CaseInsensitive);
        if (table == u"MA_CUENTAS") {
            s.replace(QStringLiteral("{") + table + QStringLiteral("."), QStringLiteral("{") + synonym + QStringLiteral("."),
                      Qt::CaseInsensitive);
            s.replace(QStringLiteral("@Admin_MA_CUENTAS"), QStringLiteral("MA_CUENTAS"), Qt::CaseInsensitive);
        }
    }
    if (holdsName(sentencia, QLatin1StringView("@ADMIN_")))
        s.remove(QStringLiteral("@Admin_"), Qt::CaseInsensitive);
    return s;
}

// --- schema checks ----------------------------------------------------------

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const QVariant& ValorDefault)
{
    QString sql = QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo + QStringLiteral(" ") + Tipo +
                  (PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null "));
    if (ValorDefault.isValid())
        sql += QStringLiteral(" CONSTRAINT DF_") + Tabla.trimmed() + QStringLiteral("_") + Campo.trimmed() +
               QStringLiteral(" DEFAULT (") + lang::text(ValorDefault) + QStringLiteral(")");
    ErrorTrap::showing(QStringLiteral("errAddField")).run({[&] { gCnn().Execute(sql, nullptr, -1); }});
}

namespace {
// Walks a schema list for a row whose `field`, trimmed, is `wanted`.
bool schemaListHas(const std::function<std::unique_ptr<db::Recordset>()>& openList, const QString& field,
                   const QString& wanted)
{
    bool found = false;
    std::unique_ptr<db::Recordset> rs;
    ErrorTrap::showing(QStringLiteral("VerificaCampos"))
        .run({
            [&] { rs = openList(); },
            [&] {
                if (!rs)
                    throw RuntimeError(errnum::ObjectNotSet, QStringLiteral("La lista del esquema no se pudo leer."));
                for (; !rs->Eof(); rs->MoveNext())
                    if (rs->value(field).toString().trimmed().compare(wanted.trimmed(), Qt::CaseInsensitive) == 0) {
                        found = true;
                        return;
                    }
            },
        });
    return found;
}
}  // namespace

bool DB_Dll::ExisteTablaDB(const QString& Tabla)
{
    return schemaListHas([&] { return gCnn().OpenSchema(db::schema::Tables); }, QStringLiteral("TABLE_NAME"), Tabla);
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo)
{
    return schemaListHas([&] { return gCnn().OpenSchema(db::schema::Columns, {gDbName, QVariant(), Tabla, QVariant()}); },
                         QStringLiteral("COLUMN_NAME"), Campo);
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                        bool PermiteNulos, const QVariant& ValorDefault)
{
    // All three conditions are evaluated, as the original condition did.
    const bool table = ExisteTablaDB(Tabla);
    const bool missing = !ExisteCampoDB(Tabla, Campo);
    if (table && missing && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}
