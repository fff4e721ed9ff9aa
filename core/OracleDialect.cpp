#include "OracleDialect.h"

#include "platform/SqlText.h"
#include "platform/RuntimeError.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/kumozen/KumozenUtilidades.h"

#include <QSet>
#include <utility>

namespace {

using Kind = SqlText::Kind;

const char* const kLengthForms[] = {" LEN(", " LEN (", " LEN  (", " LEN   (", " LEN    ("};

const QString kTokenSeparators = QStringLiteral(" <>\"=()");

// Columns that hold a date and time but are compared by the day only.
const QSet<QString>& dateColumns()
{
    static const QSet<QString> columns = {
        "FECHA", "FECHAD", "FECHAH", "VENCIMIENTO", "FECHASUBDIARIO", "FECHAENTREGA", "FECHA_A_VENCER",
        "FECHA_DMR", "INGRESO", "EGRESO", "FECHAHORA_GRABACION", "FECHAHORA_MODIFICACION", "FECHA_COMPRA",
        "FECHA_REVALUACION", "VENCIMIENTO_REGISTRO", "VENCIMIENTO_SEGURO", "VTO_VTV", "VTO_C_VERDE", "VTO_SEGURO",
        "FECHAAVISO", "FECHAALARMA", "FECHALEIDO", "FECHAPRESENTACION", "FECHAVTOPRESENTACION", "FECHA_CIERRE",
        "FECHAMOV", "FECHA_DESDE", "FECHA_HASTA", "FECHA_ALTA", "FECHA_MODIFICACION", "\"FECHA DESDE\"",
        "\"FECHA HASTA\"", "FECHA_INICIO", "FECHA_FINALIZACION", "FECHA_RENDICION", "ACARGODESDE",
        "FECHACASAMIENTO", "FECHAINGRESO", "FECHANACIMIENTO", "FECHAINGRESOANTERIOR", "FECHAEGRESO",
        "VENCECONTRATO", "FECHAALTA", "PDESDE", "PHASTA", "FECHAPROCESO", "FECHAHORAENTREVISTA", "FECHAOPERATIVA",
        "FECHAPAGO", "FECHAHORA", "FECHASOLICITUD", "FECHACARGA", "FECHACOMPROMETIDO", "FECHAORDENCPRA", "VENCEM",
        "VENCER", "FECHA_GRABACION", "FHOFERTADESDE", "FHOFERTAHASTA", "FHOPERATIVA", "FHALTA", "FHCIERRE",
        "COT_FECHA", "FECHAESTINCIO", "FECHAESTFIN", "FECHAFINALIZACION", "FECHAENCPTE", "FECHAINCIO",
        "FECHAFIN", "FECHAREALINICIO", "FECHAREALFIN", "FECHAINVIADO", "FECHARECIBIDO", "ACTUALIZADO",
        "FECHA_ANULACION", "DIAMOLIENDA", "DIAMEZCLA", "FECHAEMISION", "FINALIZADO", "SINCRONIZADO", "VENCEA",
        "VENCEB", "VENCEC", "VENCEE", "VENCEX",
    };
    return columns;
}

bool sameWord(const SqlText::Word& w, const char* text)
{
    return w.text.compare(QLatin1String(text), Qt::CaseInsensitive) == 0;
}

bool followedBy(const std::vector<SqlText::Word>& words, std::size_t k, const char* next)
{
    return k + 1 < words.size() && sameWord(words[k + 1], next);
}

// Oracle has no TOP: the first "TOP n" becomes a ROWNUM limit. ROWNUM is
// numbered before ordering, grouping and DISTINCT, and an "AND" appended to a
// WHERE that holds a top-level OR binds to its last term only; such a
// statement is limited from outside, as a subquery, so that the limit applies
// to the rows the statement returns.
QString limitRows(const QString& text)
{
    const std::vector<SqlText::Word> words = SqlText::words(text);
    std::size_t top = 0;
    while (top < words.size()
           && !(sameWord(words[top], "TOP") && words[top].start + 3 < text.size() && text.at(words[top].start + 3) == u' '))
        ++top;
    if (top == words.size())
        return text;

    const qsizetype p = words[top].start;
    const QString head = text.left(p);
    const QString after = SqlText::trimBlanks(text.mid(p + 3));
    const qsizetype blank = after.indexOf(u' ');
    if (blank < 0)
        throw RuntimeError::invalidCall(QStringLiteral("TOP sin sentencia"));
    const QString count = after.left(blank);
    const QString body = after.mid(blank + 1);

    bool fromOutside = false;
    bool whereAtTop = false;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const SqlText::Word& w = words[k];
        if ((sameWord(w, "ORDER") || sameWord(w, "GROUP")) && followedBy(words, k, "BY"))
            fromOutside = true;
        else if (sameWord(w, "DISTINCT") && w.start < p)
            fromOutside = true;
        else if (w.depth == 0 && sameWord(w, "OR"))
            fromOutside = true;
        else if (w.depth == 0 && sameWord(w, "WHERE"))
            whereAtTop = true;
    }
    if (fromOutside)
        return QStringLiteral("SELECT * FROM (") + head + SqlText::trimBlanks(body) + QStringLiteral(") WHERE ROWNUM <= ")
               + count;
    const QString limit = (whereAtTop ? QStringLiteral(" AND ROWNUM <= ") : QStringLiteral(" WHERE ROWNUM <= ")) + count;
    return head + u' ' + body + u' ' + limit;
}

QString bracketsToQuotes(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const SqlText::Segment& s : SqlText::segments(text)) {
        QString part = text.mid(s.start, s.length);
        if (s.kind == Kind::Code) {
            out += part.replace(u']', u'"');
        } else if (s.kind == Kind::BracketName) {
            const bool closed = part.size() > 1 && part.endsWith(u']');
            QString name = part.mid(1, part.size() - (closed ? 2 : 1));
            name.replace(QStringLiteral("]]"), QStringLiteral("]")).replace(QStringLiteral("\""), QStringLiteral("\"\""));
            out += u'"' + name + (closed ? QStringLiteral("\"") : QString());
        } else {
            out += part;
        }
    }
    return out;
}

// The WHERE part is cut into tokens: a literal or a quoted name is one token;
// any other token runs to the nearest separator after its first character,
// that separator included, so that a date column is recognised only where a
// blank or the end follows it ("FECHA = " is, "FECHA>=" and "(FECHA" are not).
// A literal or a quoted name met inside a token stays whole in it.
QString wrapDateColumns(const QString& text)
{
    const qsizetype where = SqlText::indexInCode(text, QStringLiteral(" WHERE "));
    if (where < 0)
        return text;

    QString out = SqlText::trimBlanks(text.left(where));
    const qsizetype n = text.size();
    qsizetype i = where + 1;
    while (i < n) {
        const qsizetype start = i;
        qsizetype end = n;
        const QChar first = text.at(i);
        if (first == u'\'' || first == u'"') {
            end = SqlText::endOfQuoted(text, i);
        } else {
            for (qsizetype j = i + 1; j < n;) {
                const QChar c = text.at(j);
                if (c == u'\'' || c == u'"') {
                    j = SqlText::endOfQuoted(text, j);
                    continue;
                }
                if (kTokenSeparators.contains(c)) {
                    end = j + 1;
                    break;
                }
                ++j;
            }
        }
        const QString token = SqlText::trimBlanks(text.mid(start, end - start));
        out += u' ';
        if (dateColumns().contains(token.toUpper()))
            out += QStringLiteral("TO_DATE(TO_CHAR(") + token + QStringLiteral(",'DD/MM/YYYY'),'DD/MM/YYYY')");
        else
            out += token;
        i = end;
        while (i < n && text.at(i) == u' ')
            ++i;
    }
    return out;
}

// Where each statement of a normalised batch begins: a statement keyword
// standing as a word of the code, outside parentheses. Text before the first
// one is a statement of its own. A savepoint (SAVE TRANSACTION) and the
// condition of the statement after it (IF EXISTS, IF NOT EXISTS) begin one
// too.
std::vector<std::pair<qsizetype, qsizetype>> statementSpans(const QString& script)
{
    const std::vector<SqlText::Word> words = SqlText::words(script);
    std::vector<qsizetype> starts{0};
    for (std::size_t k = 0; k < words.size(); ++k) {
        const SqlText::Word& w = words[k];
        if (w.depth != 0)
            continue;
        bool start = sameWord(w, "INSERT") || sameWord(w, "DELETE") || sameWord(w, "UPDATE") || sameWord(w, "COMMIT")
                     || sameWord(w, "ROLLBACK")
                     || (sameWord(w, "SAVE") && (followedBy(words, k, "TRANSACTION") || followedBy(words, k, "TRAN")))
                     || (sameWord(w, "IF") && (followedBy(words, k, "EXISTS") || followedBy(words, k, "NOT")));
        if (!start && sameWord(w, "SET") && followedBy(words, k, "TRANSACTION")) {
            const qsizetype gapStart = w.start + w.text.size();
            start = script.mid(gapStart, words[k + 1].start - gapStart).trimmed().isEmpty();
        }
        if (start && w.start > 0)
            starts.push_back(w.start);
    }
    std::vector<std::pair<qsizetype, qsizetype>> spans;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const qsizetype end = k + 1 < starts.size() ? starts[k + 1] : script.size();
        if (!script.mid(starts[k], end - starts[k]).trimmed().isEmpty())
            spans.emplace_back(starts[k], end);
    }
    return spans;
}

// The words of a statement of a batch, outside literals and parentheses.
QStringList topWords(const QString& statement)
{
    QStringList out;
    for (const SqlText::Word& w : SqlText::words(statement))
        if (w.depth == 0)
            out << w.text.toUpper();
    return out;
}

// SQL Server's "IF [NOT] EXISTS (query)": the query, and whether the
// condition holds when the query returns a row (false for NOT). Empty when
// the statement is no such condition.
QString existsCondition(const QString& statement, bool& whenFound)
{
    const QStringList words = topWords(statement);
    if (words.size() < 2 || words[0] != u"IF")
        return {};
    whenFound = words[1] != u"NOT";
    if (words.size() != (whenFound ? 2 : 3) || words.last() != u"EXISTS")
        return {};
    const qsizetype open = statement.indexOf(u'(');
    const qsizetype close = statement.lastIndexOf(u')');
    if (open < 0 || close < open || !SqlText::trimBlanks(statement.mid(close + 1)).isEmpty())
        return {};
    return SqlText::trimBlanks(statement.mid(open + 1, close - open - 1));
}

}  // namespace

QString OracleDialect::rewrite(const QString& statement, bool oracleConnection)
{
    QString text = SqlText::upperOutsideLiterals(statement);
    if (!oracleConnection)
        return text;
    if (KumozenUtilidades().CuentaPalabras(statement) <= 1)
        return text == QLatin1String("LEN") ? QStringLiteral("LENGTH") : text;

    text = limitRows(text);
    for (const char* form : kLengthForms)
        text = SqlText::replaceInCode(text, QLatin1String(form), QStringLiteral(" LENGTH("));
    text = bracketsToQuotes(text);
    return wrapDateColumns(text);
}

QString OracleDialect::normaliseScript(const QString& script)
{
    static const std::pair<const char*, const char*> rules[] = {
        {" GO ", " "},
        {"\r\nGO ", " "},
        {"\r\nGO\r\n", " "},
        {"\r\n", " "},
        {"\r", " "},
        {"BEGIN TRANSACTION", "SET TRANSACTION"},
        {"BEGIN TRANS", "SET TRANSACTION"},
        {"COMMIT TRANSACTION", "COMMIT"},
        {"COMMIT TRANS", "COMMIT"},
        {"ROLLBACK TRANSACTION", "ROLLBACK"},
        {"ROLLBACK TRANS", "ROLLBACK"},
    };
    QString text = script;
    for (const auto& [before, after] : rules)
        text = SqlText::replaceInCode(text, QLatin1String(before), QLatin1String(after));
    return text;
}

QStringList OracleDialect::statements(const QString& normalisedScript)
{
    QStringList out;
    for (const auto& [start, end] : statementSpans(normalisedScript))
        out << normalisedScript.mid(start, end - start).trimmed();
    return out;
}

void OracleDialect::runScript(QString& script, long& recordsAffected, db::Connection& connection,
                              const std::function<QString(const QString&)>& rewriteStatement)
{
    const QString text = normaliseScript(script);
    // Set by a condition that does not hold: the statement after it is passed over.
    bool skipNext = false;
    for (const auto& [start, end] : statementSpans(text)) {
        const QString statement = text.mid(start, end - start).trimmed();
        if (skipNext) {
            skipNext = false;
            continue;
        }
        const QStringList words = topWords(statement);
        bool whenFound = true;
        try {
            if (statement.compare(QLatin1String("SET TRANSACTION"), Qt::CaseInsensitive) == 0) {
                connection.BeginTrans();
            } else if (statement.compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0) {
                connection.CommitTrans();
            } else if (statement.compare(QLatin1String("ROLLBACK"), Qt::CaseInsensitive) == 0) {
                connection.RollbackTrans();
            } else if (words.size() == 3 && words[0] == u"SAVE"
                       && (words[1] == u"TRANSACTION" || words[1] == u"TRAN")) {
                // A savepoint inside the connection's transaction, and the way
                // back to it (ROLLBACK TRANSACTION name, normalised above):
                // the rest of the transaction stays as it was.
                connection.Execute(QStringLiteral("SAVEPOINT ") + words[2], nullptr, -1);
            } else if (words.size() == 2 && words[0] == u"ROLLBACK" && words[1] != u"WORK") {
                connection.Execute(QStringLiteral("ROLLBACK TO SAVEPOINT ") + words[1], nullptr, -1);
            } else if (const QString query = existsCondition(statement, whenFound); !query.isEmpty()) {
                db::Recordset rows;
                rows.Open(rewriteStatement(QStringLiteral("SELECT 1 FROM DUAL WHERE EXISTS (") + query + u')'),
                          connection);
                const bool found = !rows.Eof();
                rows.Close();
                skipNext = found != whenFound;
            } else {
                long affected = 0;
                connection.Execute(rewriteStatement(statement), &affected, -1);
                // A statement that changes no rows (a SELECT) reports -1: it adds nothing.
                if (affected > 0)
                    recordsAffected += affected;
            }
        } catch (...) {
            script = text.mid(start).trimmed();
            throw;
        }
    }
    script.clear();

    db::Errors& errors = connection.errors();
    if (errors.Count() == 1 && errors.Item(0).Number == BenignWarning)
        errors.Clear();
}
