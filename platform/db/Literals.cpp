#include "Literals.h"

#include <QRegularExpression>

namespace db {

QString quoteText(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'\'';
    // Copied a stretch at a time, an apostrophe doubled where a stretch ends.
    qsizetype from = 0;
    for (qsizetype at; (at = text.indexOf(u'\'', from)) >= 0; from = at + 1) {
        out.append(QStringView(text).mid(from, at + 1 - from));
        out += u'\'';
    }
    out.append(QStringView(text).mid(from));
    out += u'\'';
    return out;
}

QString unquoteText(QStringView quoted)
{
    QStringView body = quoted;
    if (body.startsWith(u'\''))
        body = body.mid(1);
    if (body.endsWith(u'\''))
        body.chop(1);
    return body.toString().replace(QStringLiteral("''"), QStringLiteral("'"));
}

QString dateTimeText(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QString dateTimeLiteral(const QDateTime& value)
{
    return u'\'' + dateTimeText(value) + u'\'';
}

namespace {
int digits(QStringView t, qsizetype from, qsizetype count)
{
    int v = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// The stored form, read without a regular expression: dated columns are read
// by the hundred thousand.
std::optional<QDateTime> storedForm(QStringView t)
{
    if ((t.size() != 19 && t.size() != 10) || t[4] != u'-' || t[7] != u'-')
        return std::nullopt;
    const int y = digits(t, 0, 4), mo = digits(t, 5, 2), d = digits(t, 8, 2);
    int h = 0, mi = 0, s = 0;
    if (t.size() == 19) {
        if ((t[10] != u'T' && t[10] != u' ') || t[13] != u':' || t[16] != u':')
            return std::nullopt;
        h = digits(t, 11, 2);
        mi = digits(t, 14, 2);
        s = digits(t, 17, 2);
    }
    if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || s < 0)
        return std::nullopt;
    const QDate date(y, mo, d);
    const QTime time(h, mi, s);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}
}  // namespace

std::optional<QDateTime> parseDateTime(QStringView text)
{
    if (auto fast = storedForm(text))
        return fast;
    static const QRegularExpression isoForm(
        QStringLiteral(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[T ](\d{1,2}):(\d{2})(?::(\d{2})(?:\.(\d{1,3})\d*)?)?)?\s*$)"));
    static const QRegularExpression dayFirst(
        QStringLiteral(R"(^\s*(\d{1,2})[/\-.](\d{1,2})[/\-.](\d{2}|\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    QRegularExpressionMatch m = isoForm.match(text);
    if (m.hasMatch()) {
        year = m.capturedView(1).toInt();
        month = m.capturedView(2).toInt();
        day = m.capturedView(3).toInt();
        if (m.hasCaptured(7))
            msec = m.capturedView(7).toString().leftJustified(3, u'0').toInt();
    } else {
        m = dayFirst.match(text);
        if (!m.hasMatch())
            return std::nullopt;
        day = m.capturedView(1).toInt();
        month = m.capturedView(2).toInt();
        year = m.capturedView(3).toInt();
        if (m.capturedView(3).size() == 2)
            year += year < 30 ? 2000 : 1900;
    }
    if (m.hasCaptured(4)) {
        hour = m.capturedView(4).toInt();
        minute = m.capturedView(5).toInt();
        if (m.hasCaptured(6))
            second = m.capturedView(6).toInt();
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, msec);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

}  // namespace db
