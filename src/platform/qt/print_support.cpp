#include "platform/qt/print_support.h"

#include "platform/dc.h"
#include "platform/qt/guarded_call.h"
#include "platform/qt/idle_pump.h"
#include "platform/qt/image_convert.h"
#include "platform/view.h"
#include "platform/winapp.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

PrintSupport::PrintSupport(IdlePump& pump) : m_pump(pump) {}

PrintSupport::~PrintSupport() = default;

QPrinter& PrintSupport::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
        // Without any printer, printing makes a PDF file.
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            m_printer->setOutputFormat(QPrinter::PdfFormat);
    }
    return *m_printer;
}

bool PrintSupport::PrintDialog(CPrintInfo& info, QWidget* parent) {
    QPrinter& printer = Printer();
    if (!info.m_strOutputFile.empty())
        return true;
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(int(info.GetMinPage()), int(info.GetMaxPage()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    ModalScope modal(m_pump);
    return dialog.exec() == QDialog::Accepted;
}

void PrintSupport::PageSetupDialog(QWidget* parent) {
    QPageSetupDialog dialog(&Printer(), parent);
    ModalScope modal(m_pump);
    dialog.exec();
}

bool PrintSupport::ChooseOutputFile(QPrinter& printer, QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Print to File"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("PDF Files (*.pdf)")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    ModalScope modal(m_pump);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dialog.selectedFiles().first());
    return true;
}

bool PrintSupport::RunPrintJob(CView* pView, CPrintInfo& info, QSize clientSize, QWidget* parent) {
    QPrinter& printer = Printer();
    if (info.m_bPreview) {
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowTitle(QStringLiteral("Print Preview"));
        if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_nPreviewPages >= 2)
            if (auto* widget = preview.findChild<QPrintPreviewWidget*>())
                widget->setFacingPagesViewMode();
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* p) { PrintPages(*p, pView, info, clientSize); });
        ModalScope modal(m_pump);
        preview.exec();
        return true;
    }
    const QString file = QString::fromStdString(info.m_strOutputFile);
    const QString named = QString::fromStdString(info.m_strPrinterName);
    if (file.isEmpty() && !named.isEmpty()) {
        // A print-to request: this job only goes to the printer it names.
        QPrinter chosen(QPrinterInfo::printerInfo(named), QPrinter::ScreenResolution);
        return PrintPages(chosen, pView, info, clientSize);
    }
    if (!file.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    } else if (printer.outputFormat() == QPrinter::PdfFormat &&
               printer.outputFileName().isEmpty()) {
        // No printer to print on: ask where the PDF goes.
        if (!ChooseOutputFile(printer, parent))
            return false;
    }
    const bool ok = PrintPages(printer, pView, info, clientSize);
    if (!file.isEmpty())
        printer.setOutputFileName(QString());
    return ok;
}

bool PrintSupport::PrintPages(QPrinter& printer, CView* pView, CPrintInfo& info, QSize clientSize) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The page surface needs no more than the picture: the view draws its
    // client-sized picture at the top-left corner and the rest stays blank.
    const int w = std::min(printer.width(), clientSize.width());
    const int h = std::min(printer.height(), clientSize.height());
    Surface page(std::max(w, 0), std::max(h, 0), kWhite);
    CDC dc(&page);
    dc.SetPrinting(TRUE);
    dc.SetOwnerWindow(pView);
    bool ok = true;
    GuardedCall([&] {
        pView->OnBeginPrinting(&dc, &info);
        for (UINT n = info.GetMinPage(); n <= info.GetMaxPage(); ++n) {
            if (n > info.GetMinPage())
                printer.newPage();
            info.m_nCurPage = n;
            page.Fill(0, 0, page.Width(), page.Height(), kWhite);
            pView->OnPrint(&dc, &info);
            const QImage picture = SurfaceToImage(page, pView);
            if (!picture.isNull())
                painter.drawImage(QPoint(0, 0), picture);
        }
        pView->OnEndPrinting(&dc, &info);
    });
    ok = painter.end() && ok;
    return ok;
}
