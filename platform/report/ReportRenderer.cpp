#include "ReportRenderer.h"

#include "platform/RuntimeError.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace report {

namespace {

// Measures of one page, in the printer's device units.
class Page {
public:
    Page(QPrinter& printer, const Document& doc) : m_doc(doc)
    {
        const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
        width = paint.width();
        height = paint.height();
        mm = printer.resolution() / 25.4;

        base = QFont(QStringLiteral("DejaVu Sans"));
        base.setPointSizeF(9);
        bold = base;
        bold.setBold(true);
        company = bold;
        company.setPointSizeF(12);
        title = bold;
        title.setPointSizeF(14);
        small = base;
        small.setPointSizeF(7.5);

        line = QFontMetrics(base, &printer).height();
        row = qRound(line * 1.3);
        companyLine = QFontMetrics(company, &printer).height();
        titleLine = QFontMetrics(title, &printer).height();
        gap = qRound(2 * mm);

        // Details stand side by side at their own width and wrap when the
        // next one does not fit, so none is ever cut.
        const QFontMetrics detailMetrics(base, &printer);
        int x = 0, lines = doc.heading.details.isEmpty() ? 0 : 1;
        for (const QString& d : doc.heading.details) {
            const int w = detailMetrics.horizontalAdvance(d) + 4 * qRound(mm);
            if (x > 0 && x + w > width) {
                x = 0;
                ++lines;
            }
            details.push_back(QRect(x, (lines - 1) * row, std::min(w, width), row));
            x += w + qRound(8 * mm);
        }
        headingHeight = doc.heading.company.size() * line + (doc.heading.company.isEmpty() ? 0 : companyLine - line)
                        + gap + titleLine + gap + lines * row + gap + row + gap / 2;
        footerHeight = 2 * line;

        int stretch = 0;
        for (const Column& c : doc.columns)
            stretch += std::max(1, c.stretch);
        x = 0;
        for (const Column& c : doc.columns) {
            const int w = stretch ? width * std::max(1, c.stretch) / stretch : 0;
            columns.push_back(QRect(x, 0, w, row));
            x += w;
        }
    }

    int linesPerPage() const { return std::max(1, (height - headingHeight - footerHeight) / row); }
    int totalHeight() const
    {
        return m_doc.totals.empty() ? 0 : static_cast<int>(m_doc.totals.size()) * row + gap;
    }

    QFont base, bold, company, title, small;
    double mm = 0;
    int width = 0, height = 0;
    int line = 0, row = 0, companyLine = 0, titleLine = 0, gap = 0;
    int headingHeight = 0, footerHeight = 0;
    std::vector<QRect> columns;
    std::vector<QRect> details;  // from the top of the details block

private:
    const Document& m_doc;
};

// The first and one-past-last line of each page; the total goes on a page
// of its own when the last page has no room left for it.
std::vector<std::pair<std::size_t, std::size_t>> pages(const Document& doc, const Page& page)
{
    const std::size_t per = static_cast<std::size_t>(page.linesPerPage());
    std::vector<std::pair<std::size_t, std::size_t>> out;
    for (std::size_t at = 0; at < doc.lines.size(); at += per)
        out.emplace_back(at, std::min(doc.lines.size(), at + per));
    if (out.empty())
        out.emplace_back(0, 0);
    const std::size_t last = out.back().second - out.back().first;
    if (static_cast<int>(last) * page.row + page.totalHeight() > page.height - page.headingHeight - page.footerHeight)
        out.emplace_back(doc.lines.size(), doc.lines.size());
    return out;
}

void cell(QPainter& p, const Page& page, const QRect& r, const QString& text, bool right)
{
    const QRect inner = r.adjusted(qRound(page.mm), 0, -qRound(page.mm), 0);
    const QString shown = p.fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
    p.drawText(inner, Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft), shown);
}

// Heading and column captions; returns where the lines start.
int drawHeading(QPainter& p, const Page& page, const Document& doc)
{
    int y = 0;
    for (qsizetype i = 0; i < doc.heading.company.size(); ++i) {
        p.setFont(i == 0 ? page.company : page.base);
        const int h = i == 0 ? page.companyLine : page.line;
        cell(p, page, QRect(0, y, page.width, h), doc.heading.company[i], false);
        y += h;
    }
    y += page.gap;
    p.setFont(page.title);
    p.drawText(QRect(0, y, page.width, page.titleLine), Qt::AlignCenter, doc.heading.title);
    y += page.titleLine + page.gap;
    p.setFont(page.base);
    int bottom = y;
    for (qsizetype i = 0; i < doc.heading.details.size(); ++i) {
        const QRect r = page.details[static_cast<std::size_t>(i)].translated(0, y);
        cell(p, page, r, doc.heading.details[i], false);
        bottom = std::max(bottom, r.bottom() + 1);
    }
    y = bottom;
    y += page.gap;
    p.drawLine(0, y, page.width, y);
    p.setFont(page.bold);
    for (std::size_t c = 0; c < doc.columns.size(); ++c)
        cell(p, page, page.columns[c].translated(0, y), doc.columns[c].caption, doc.columns[c].number);
    y += page.row;
    p.drawLine(0, y, page.width, y);
    return y + page.gap / 2;
}

// The total lines: the caption, the group under its own column (beside the
// caption when it has none) and the amount under the total's column.
void drawTotals(QPainter& p, const Page& page, const Document& doc, int y)
{
    if (doc.totals.empty() || doc.columns.empty())
        return;
    p.drawLine(0, y, page.width, y);
    y += page.gap / 2;
    const int last = static_cast<int>(doc.columns.size()) - 1;
    const QRect amountColumn = page.columns[static_cast<std::size_t>(std::clamp(doc.totalColumn, 0, last))];
    const bool groupColumn = doc.totalByColumn >= 0 && doc.totalByColumn <= last;
    const QRect groupRect = groupColumn ? page.columns[static_cast<std::size_t>(doc.totalByColumn)] : QRect();
    const int captionWidth = groupColumn ? std::min(groupRect.left(), amountColumn.left()) : amountColumn.left();
    p.setFont(page.bold);
    for (const Total& t : doc.totals) {
        QString caption = doc.totalCaption;
        if (groupColumn)
            cell(p, page, groupRect.translated(0, y), t.group, doc.columns[static_cast<std::size_t>(doc.totalByColumn)].number);
        else if (!t.group.isEmpty())
            caption += u' ' + t.group;
        cell(p, page, QRect(0, y, captionWidth, page.row), caption, true);
        cell(p, page, amountColumn.translated(0, y), t.amount, true);
        y += page.row;
    }
}

}  // namespace

void render(const Document& doc, QPrinter& printer)
{
    QPainter p;
    if (!p.begin(&printer))
        throw RuntimeError(errnum::NotWritten,
                           QStringLiteral("No se pudo imprimir el reporte \"%1\".").arg(doc.heading.title),
                           QStringLiteral("KumozenReportes"));
    const Page page(printer, doc);
    const auto ranges = pages(doc, page);
    for (std::size_t n = 0; n < ranges.size(); ++n) {
        if (n > 0)
            printer.newPage();
        p.setPen(Qt::black);
        int y = drawHeading(p, page, doc);
        p.setFont(page.base);
        for (std::size_t r = ranges[n].first; r < ranges[n].second; ++r) {
            const QStringList& cells = doc.lines[r];
            for (std::size_t c = 0; c < doc.columns.size() && c < static_cast<std::size_t>(cells.size()); ++c)
                cell(p, page, page.columns[c].translated(0, y), cells[static_cast<qsizetype>(c)], doc.columns[c].number);
            y += page.row;
        }
        if (n + 1 == ranges.size())
            drawTotals(p, page, doc, y);
        p.setFont(page.small);
        p.drawText(QRect(0, page.height - page.line, page.width, page.line), Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("Pagina %1 de %2").arg(n + 1).arg(ranges.size()));
    }
    p.end();
}

void writePdf(const Document& doc, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(doc.heading.title);
    render(doc, printer);
}

}  // namespace report
