// Copy to the clipboard, printing to PDF, print preview and the help window.

#include "program.h"

#include "platform/qt/help_window.h"
#include "platform/qt/print_support.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
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

TEST_F(GuiTest, PrintSetupShowsThePageSetup) {
    bool setup = false;
    WhenModal([&](QWidget* modal) {
        setup = qobject_cast<QPageSetupDialog*>(modal) != nullptr;
        qobject_cast<QDialog*>(modal)->reject();
    });
    program->host.ExecuteCommand(ID_FILE_PRINT_SETUP);
    EXPECT_TRUE(setup);
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
