#pragma once
// Printing and print preview. A page is drawn by the view into a page
// surface at one printer pixel per picture pixel and printed unscaled at the
// top-left corner of the printable area. Without a printer, or with an
// output file named, pages go to a PDF file.

#include "platform/docview/printinfo.h"

#include <QSize>
#include <QString>

#include <memory>

#include <QRectF>

class CView;
class IdlePump;
class QPrinter;
class QWidget;

// Where the picture goes on the page, in printer pixels from the top-left
// corner of the printable area.
QRectF PrintedPictureRect(QSize picture, QSize printable);

class PrintSupport {
public:
    explicit PrintSupport(IdlePump& pump);
    ~PrintSupport();

    // The print dialog; false when cancelled. With an output file named the
    // dialog is skipped.
    bool PrintDialog(CPrintInfo& info, QWidget* parent);
    bool RunPrintJob(CView* pView, CPrintInfo& info, QSize clientSize, QWidget* parent);
    void PageSetupDialog(QWidget* parent);
    QPrinter& Printer();

private:
    bool PrintPages(QPrinter& printer, CView* pView, CPrintInfo& info, QSize clientSize);
    bool ChooseOutputFile(QPrinter& printer, QWidget* parent);

    IdlePump& m_pump;
    std::unique_ptr<QPrinter> m_printer;
};
