#pragma once

#include "Report.h"

class QPrinter;

namespace report {

// Draws a document on the printer's pages: the heading and the column
// captions on every page, the lines, the total lines after the last line and the
// page number at the foot of each page.
void render(const Document& document, QPrinter& printer);

// The document as an A4 PDF file; raises NotWritten when the file cannot be
// written.
void writePdf(const Document& document, const QString& path);

}  // namespace report
