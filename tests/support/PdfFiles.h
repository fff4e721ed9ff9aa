#pragma once

#include <QImage>
#include <QString>

// Looks at a PDF the way a person would, through poppler's tools: its text
// (pdftotext, layout kept) and a page as a picture (pdftoppm). Both give an
// empty result when the tool is missing or fails.
QString pdfText(const QString& pdfPath);
QImage pdfPageImage(const QString& pdfPath, int page = 1);
// Share of the page's pixels that are not near-white, 0 to 1.
double inkShare(const QImage& image);
