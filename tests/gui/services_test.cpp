// Copy to the clipboard, printing to PDF, print preview and the help window.

#include "program.h"

#include "platform/qt/dialogs/help_window.h"
#include "platform/qt/printing/print_support.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The size of the first image in a PDF file.
QSize PdfImageSize(const QByteArray& pdf) {
    const QRegularExpression width(QStringLiteral("/Width (\\d+)"));
    const QRegularExpression height(QStringLiteral("/Height (\\d+)"));
    const QString text = QString::fromLatin1(pdf);
    const auto w = width.match(text);
    const auto h = height.match(text);
    if (!w.hasMatch() || !h.hasMatch())
        return {};
    return {w.captured(1).toInt(), h.captured(1).toInt()};
}

// The first image of a PDF file as Qt writes it: its dictionary and its
// pixels, when they are stored losslessly.
struct PdfImage {
    QString dictionary;
    QImage pixels;
};

PdfImage FirstPdfImage(const QByteArray& pdf) {
    PdfImage image;
    const qsizetype type = pdf.indexOf("/Subtype /Image");
    if (type < 0)
        return image;
    const qsizetype open = pdf.lastIndexOf("<<", type);
    const qsizetype stream = pdf.indexOf("stream", type);
    if (open < 0 || stream < 0)
        return image;
    image.dictionary = QString::fromLatin1(pdf.mid(open, stream - open));
    const QSize size = PdfImageSize(image.dictionary.toLatin1());
    if (!image.dictionary.contains(QStringLiteral("/FlateDecode")) || size.isEmpty())
        return image;
    qsizetype data = stream + 6;
    while (data < pdf.size() && (pdf[data] == '\r' || pdf[data] == '\n'))
        ++data;
    const qsizetype end = pdf.indexOf("endstream", data);
    if (end < 0)
        return image;
    // qUncompress wants the length of the result in front.
    const quint32 bytes = quint32(size.width()) * quint32(size.height()) * 3;
    QByteArray packed(4, '\0');
    packed[0] = char(bytes >> 24);
    packed[1] = char(bytes >> 16);
    packed[2] = char(bytes >> 8);
    packed[3] = char(bytes);
    packed += pdf.mid(data, end - data);
    const QByteArray rgb = qUncompress(packed);
    if (rgb.size() != qsizetype(bytes))
        return image;
    image.pixels = QImage(reinterpret_cast<const uchar*>(rgb.constData()), size.width(),
                          size.height(), size.width() * 3, QImage::Format_RGB888)
                       .convertToFormat(QImage::Format_RGB32);
    return image;
}

// Prints the active view to a PDF file without a dialog.
QByteArray PrintToPdf(Program& program, const QString& path) {
    CPrintInfo info;
    info.m_bDirect = TRUE;
    info.m_strOutputFile = path.toStdString();
    EXPECT_TRUE(program.ActiveView()->PrintJob(info));
    return ReadAll(path);
}

// Qt's warnings while the object lives.
class Warnings {
public:
    Warnings() {
        s_seen.clear();
        s_previous = qInstallMessageHandler(&Warnings::Handle);
    }
    ~Warnings() { qInstallMessageHandler(s_previous); }
    static QStringList Seen() { return s_seen; }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            s_seen << text;
        if (s_previous != nullptr)
            s_previous(type, context, text);
    }
    static inline QStringList s_seen;
    static inline QtMessageHandler s_previous = nullptr;
};

} // namespace

TEST_F(GuiTest, CopyPutsThePictureOnTheClipboard) {
    ASSERT_TRUE(program->WaitForIdle());
    QApplication::clipboard()->clear();
    program->ActiveViewWidget()->setFocus();
    QTest::keyClick(program->Main(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    const QImage shown = program->ActiveViewWidget()->Picture();
    EXPECT_EQ(copied.size(), program->ActiveViewWidget()->size());
    EXPECT_EQ(copied, shown);

    // Ctrl+Insert too, after a change of colours.
    program->host.ExecuteCommand(ID_COLORS_BW);
    QApplication::clipboard()->clear();
    QTest::keyClick(program->Main(), Qt::Key_Insert, Qt::ControlModifier);
    const QImage bw = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(bw.size(), shown.size());
    EXPECT_NE(bw, shown);
    for (int y = 0; y < bw.height(); y += 7)
        for (int x = 0; x < bw.width(); x += 7) {
            const QRgb c = bw.pixel(x, y);
            EXPECT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255)) << x << "," << y;
        }
}

TEST_F(GuiTest, PrintWritesThePictureUnscaledToAPdfFile) {
    ASSERT_TRUE(program->WaitForIdle());
    QTemporaryDir dir;
    const QString path = dir.filePath("set.pdf");
    QPrinter& printer = program->host.Printing().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    bool asked = false;
    WhenModal([&](QWidget* modal) {
        asked = qobject_cast<QPrintDialog*>(modal) != nullptr;
        qobject_cast<QDialog*>(modal)->accept();
    });
    QTest::keyClick(program->Main(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(asked);
    const QByteArray pdf = ReadAll(path);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PdfImageSize(pdf), program->ActiveViewWidget()->size());
}

TEST_F(GuiTest, PrintingToANamedFileNeedsNoDialogAndNoPrinter) {
    ASSERT_TRUE(program->WaitForIdle());
    QTemporaryDir dir;
    CPrintInfo info;
    info.m_bDirect = TRUE;
    info.m_strOutputFile = dir.filePath("direct.pdf").toStdString();
    EXPECT_TRUE(program->ActiveView()->PrintJob(info));
    const QByteArray pdf = ReadAll(dir.filePath("direct.pdf"));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PdfImageSize(pdf), program->ActiveViewWidget()->size());

    // A cancelled print dialog prints nothing.
    const QString cancelled = dir.filePath("cancelled.pdf");
    program->host.Printing().Printer().setOutputFileName(cancelled);
    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    program->host.ExecuteCommand(ID_FILE_PRINT);
    EXPECT_FALSE(QFile::exists(cancelled));
}

TEST_F(GuiTest, PrintPreviewShowsThePage) {
    ASSERT_TRUE(program->WaitForIdle());
    bool preview = false;
    WhenModal([&](QWidget* modal) {
        preview = qobject_cast<QPrintPreviewDialog*>(modal) != nullptr;
        qobject_cast<QDialog*>(modal)->reject();
    });
    program->host.ExecuteCommand(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(preview);
}

TEST_F(GuiTest, PrintingKeepsEveryPixelUnscaledAtTheCorner) {
    ASSERT_TRUE(program->WaitForIdle());
    QTemporaryDir dir;
    const PdfImage image = FirstPdfImage(PrintToPdf(*program, dir.filePath("set.pdf")));
    // Stored losslessly and shown without smoothing.
    EXPECT_FALSE(image.dictionary.contains(QStringLiteral("DCTDecode")))
        << image.dictionary.toStdString();
    EXPECT_FALSE(image.dictionary.contains(QStringLiteral("/Interpolate true")));
    ASSERT_FALSE(image.pixels.isNull()) << image.dictionary.toStdString();
    EXPECT_EQ(image.pixels, program->ActiveViewWidget()->Picture());

    // One printer pixel per picture pixel where the picture fits the page;
    // scaled down, keeping its proportions, where it does not.
    EXPECT_EQ(PrintedPictureRect(QSize(260, 240), QSize(700, 1000)), QRectF(0, 0, 260, 240));
    EXPECT_EQ(PrintedPictureRect(QSize(700, 1000), QSize(700, 1000)), QRectF(0, 0, 700, 1000));
    EXPECT_EQ(PrintedPictureRect(QSize(1400, 500), QSize(700, 1000)), QRectF(0, 0, 700, 250));
    EXPECT_EQ(PrintedPictureRect(QSize(1000, 3000), QSize(700, 1000)),
              QRectF(0, 0, 1000.0 / 3, 1000));
    EXPECT_TRUE(PrintedPictureRect(QSize(0, 0), QSize(700, 1000)).isEmpty());
}

TEST_F(GuiTest, PrintPreviewPrintsTheSamePage) {
    ASSERT_TRUE(program->WaitForIdle());
    QTemporaryDir dir;
    QPrinter& printer = program->host.Printing().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("preview.pdf"));
    WhenModal([](QWidget* modal) {
        auto* pages = modal->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        // The preview's own Print button.
        pages->print();
        qobject_cast<QDialog*>(modal)->reject();
    });
    program->host.ExecuteCommand(ID_FILE_PRINT_PREVIEW);
    const PdfImage image = FirstPdfImage(ReadAll(dir.filePath("preview.pdf")));
    EXPECT_FALSE(image.dictionary.contains(QStringLiteral("DCTDecode")));
    EXPECT_EQ(image.pixels, program->ActiveViewWidget()->Picture());
}

TEST_F(GuiTest, APictureWiderThanThePageIsPrintedWhole) {
    ChildWindow* child = program->ActiveChildWindow();
    child->resize(1400, 500);
    QTest::qWait(20);
    ASSERT_TRUE(program->WaitForIdle());
    QTemporaryDir dir;
    const PdfImage image = FirstPdfImage(PrintToPdf(*program, dir.filePath("wide.pdf")));
    const QImage shown = program->ActiveViewWidget()->Picture();
    ASSERT_GT(shown.width(), program->host.Printing().Printer().width());
    EXPECT_EQ(image.pixels, shown);
}

TEST_F(GuiTest, PrintSetupWithoutAPrinterOffersThePdfPageSetup) {
    QPrinter& printer = program->host.Printing().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    Warnings warnings;
    QString title;
    WhenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        auto* paper = modal->findChild<QComboBox*>(QStringLiteral("PaperSize"));
        auto* landscape = modal->findChild<QRadioButton*>(QStringLiteral("Landscape"));
        auto* left = modal->findChild<QDoubleSpinBox*>(QStringLiteral("LeftMargin"));
        ASSERT_TRUE(paper != nullptr && landscape != nullptr && left != nullptr);
        paper->setCurrentIndex(paper->findData(int(QPageSize::A5)));
        landscape->setChecked(true);
        left->setValue(25);
        qobject_cast<QDialog*>(modal)->accept();
    });
    program->host.ExecuteCommand(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(title, QStringLiteral("Page Setup"));
    EXPECT_TRUE(Warnings::Seen().filter(QStringLiteral("PageSetup")).isEmpty())
        << Warnings::Seen().join(QLatin1Char('\n')).toStdString();
    const QPageLayout layout = printer.pageLayout();
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(layout.margins(QPageLayout::Millimeter).left(), 25, 0.1);

    // Cancel changes nothing.
    WhenModal([](QWidget* modal) {
        modal->findChild<QRadioButton*>(QStringLiteral("Portrait"))->setChecked(true);
        qobject_cast<QDialog*>(modal)->reject();
    });
    program->host.ExecuteCommand(ID_FILE_PRINT_SETUP);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(GuiTest, HelpOpensOurPagesWithWorkingLinks) {
    program->host.ExecuteCommand(ID_HELP_INDEX);
    HelpWindow* help = program->host.Help();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentPage(), QStringLiteral("index.html"));
    EXPECT_TRUE(help->Browser()->toPlainText().contains("Mandelbrot"));

    // Every link of the contents leads to a page of its own.
    const QString index = HelpPage("index.html");
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    int links = 0;
    for (auto it = link.globalMatch(index); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_FALSE(HelpPage(target).isEmpty()) << target.toStdString();
    }
    EXPECT_GE(links, 9);
    for (const char* topic : {"zoom.html", "unzoom.html", "methods.html", "iterations.html",
                              "colors.html", "info.html", "files.html", "windows.html"})
        EXPECT_TRUE(index.contains(QString::fromLatin1(topic))) << topic;

    program->host.ExecuteCommand(ID_HELP_USING);
    EXPECT_EQ(help->CurrentPage(), QStringLiteral("using-help.html"));
    // The help window does not stop the computation: it is not modal.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
