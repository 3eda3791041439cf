#pragma once
// Page setup for printing to a PDF file, which the platform's page setup
// dialog serves only for real printers: paper size, orientation and
// margins, applied to the printer when confirmed.

class QPrinter;
class QWidget;

// False when cancelled; the printer is then unchanged.
bool PdfPageSetup(QPrinter& printer, QWidget* parent);
