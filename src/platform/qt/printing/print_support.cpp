#include "platform/qt/printing/print_support.h"

#include "platform/docview/view.h"
#include "platform/docview/winapp.h"
#include "platform/drawing/dc.h"
#include "platform/qt/dialogs/focus_return.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/idle_pump.h"
#include "platform/qt/host/image_convert.h"
#include "platform/qt/printing/pdf_page_setup.h"

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
    FocusReturn focus(parent);
    return dialog.exec() == QDialog::Accepted;
}

void PrintSupport::PageSetupDialog(QWidget* parent) {
    QPrinter& printer = Printer();
    ModalScope modal(m_pump);
    FocusReturn focus(parent);
    // The platform's page setup serves real printers only.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        PdfPageSetup(printer, parent);
        return;
    }
    QPageSetupDialog dialog(&printer, parent);
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
    FocusReturn focus(parent);
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
        FocusReturn focus(parent);
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

QRectF PrintedPictureRect(QSize picture, QSize printable) {
    if (picture.isEmpty())
        return {};
    if (picture.width() <= printable.width() && picture.height() <= printable.height())
        return QRectF(QPointF(0, 0), QSizeF(picture));
    const double scale = std::min(double(std::max(printable.width(), 0)) / picture.width(),
                                  double(std::max(printable.height(), 0)) / picture.height());
    return QRectF(0, 0, picture.width() * scale, picture.height() * scale);
}

bool PrintSupport::PrintPages(QPrinter& printer, CView* pView, CPrintInfo& info, QSize clientSize) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Every pixel reaches the page as it is: no lossy compression of the
    // picture, and no smoothing where it has to be scaled.
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The view draws its client-sized picture at the top-left corner.
    Surface page(std::max(clientSize.width(), 0), std::max(clientSize.height(), 0), kWhite);
    CDC dc(&page);
    dc.SetOwnerWindow(pView);
    const QSize printable(printer.width(), printer.height());
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
                painter.drawImage(PrintedPictureRect(picture.size(), printable), picture);
        }
        pView->OnEndPrinting(&dc, &info);
    });
    ok = painter.end() && ok;
    return ok;
}
