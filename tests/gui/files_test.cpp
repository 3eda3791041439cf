// Set files through the file dialogs, the recent-file list and its
// settings, failed opens, and files dropped on the main window.

#include "program.h"

#include "platform/qt/shell/recent_file_names.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

namespace {

QStringList RecentEntries(QMenu* file) {
    emit file->aboutToShow();
    QStringList texts;
    for (QAction* action : file->actions())
        if (action->isVisible() && action->text().startsWith('&') && action->text().at(1).isDigit())
            texts << action->text();
    return texts;
}

// Chooses a file the way a user types its name. The dialog lists its folder
// in a thread of its own and may set the name field when the list arrives,
// except while the field has the focus.
void ChooseFile(QFileDialog* dialog, const QString& path) {
    dialog->activateWindow();
    QApplication::setActiveWindow(dialog);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    for (int attempt = 0; attempt < 100 && dialog->isVisible(); ++attempt) {
        name->setFocus();
        name->setText(path);
        QTest::qWait(20);
        if (dialog->isVisible() && name->text() == path)
            static_cast<QDialog*>(dialog)->accept();
    }
}

} // namespace

class FilesTest : public GuiTest {
protected:
    // A set file whose iteration limit tells it apart.
    QString WriteSet(const QString& name, int iterations) {
        CQuirl32Doc* doc = program->ActiveDoc();
        const int kept = doc->m_nIterations;
        doc->m_nIterations = iterations;
        const QString path = dir.filePath(name);
        EXPECT_TRUE(doc->OnSaveDocument(path.toStdString()));
        doc->m_nIterations = kept;
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(FilesTest, RecentFileListKeepsTheLastThreeOfFourOpens) {
    QStringList paths;
    for (int i = 1; i <= 4; ++i)
        paths << WriteSet(QStringLiteral("set%1.qrl").arg(i), 100 + i);
    for (const QString& path : paths) {
        ASSERT_NE(program->app.OpenDocumentFile(path.toStdString()), nullptr);
        EXPECT_EQ(program->ActiveDoc()->m_nIterations, 100 + paths.indexOf(path) + 1);
    }
    EXPECT_EQ(program->ActiveChildWindow()->windowTitle(), QStringLiteral("set4.qrl"));
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32 - set4.qrl"));

    QMenu* file = program->BarMenu("&File");
    const QStringList expected = {"&1 " + AbbreviatePath(paths[3], 30),
                                  "&2 " + AbbreviatePath(paths[2], 30),
                                  "&3 " + AbbreviatePath(paths[1], 30)};
    EXPECT_EQ(RecentEntries(file), expected);
    for (const QString& text : RecentEntries(file))
        EXPECT_LE(text.size(), 33);

    QSettings settings("Quirl32", "Quirl32");
    settings.beginGroup("Recent File List");
    EXPECT_EQ(settings.value("File1").toString(), paths[3]);
    EXPECT_EQ(settings.value("File2").toString(), paths[2]);
    EXPECT_EQ(settings.value("File3").toString(), paths[1]);

    // An entry opens its file again.
    program->app.CloseAllDocuments();
    QTest::qWait(20);
    ASSERT_EQ(program->ActiveFrame(), nullptr);
    QMenu* mainFile = program->BarMenu("&File");
    emit mainFile->aboutToShow();
    EXPECT_EQ(RecentEntries(mainFile), expected);
    QAction* third = nullptr;
    for (QAction* action : mainFile->actions())
        if (action->text().startsWith("&3 "))
            third = action;
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->statusTip(), QStringLiteral("Open this document"));
    third->trigger();
    ASSERT_NE(program->ActiveDoc(), nullptr);
    EXPECT_EQ(program->ActiveDoc()->m_nIterations, 102);
}

TEST_F(FilesTest, OpenAndSaveAsUseTheSetFileFilter) {
    const QString path = WriteSet("chosen.qrl", 123);
    QStringList filters;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        ChooseFile(dialog, path);
    });
    program->host.ExecuteCommand(ID_FILE_OPEN);
    EXPECT_EQ(filters, QStringList({"Quirl3 Files (*.qrl)", "All Files (*.*)"}));
    ASSERT_NE(program->ActiveDoc(), nullptr);
    EXPECT_EQ(program->ActiveDoc()->m_nIterations, 123);
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 2);

    // Save As adds the extension.
    QString suffix;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        suffix = dialog->defaultSuffix();
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        ChooseFile(dialog, dir.filePath("copy"));
    });
    program->host.ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(suffix, QStringLiteral("qrl"));
    QFile saved(dir.filePath("copy.qrl"));
    ASSERT_TRUE(saved.exists());
    EXPECT_EQ(saved.size(), 40);
    EXPECT_EQ(program->ActiveChildWindow()->windowTitle(), QStringLiteral("copy.qrl"));
}

TEST_F(FilesTest, AShortFileIsReportedAndOpensNoWindow) {
    QFile shortFile(dir.filePath("short.qrl"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(39, '\0'));
    shortFile.close();

    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    EXPECT_EQ(program->app.OpenDocumentFile(shortFile.fileName().toStdString()), nullptr);
    EXPECT_EQ(text, QStringLiteral("Unexpected file format."));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(program->Main()->windowTitle(), QStringLiteral("Quirl32 - Quirl31"));
}

TEST_F(FilesTest, FilesDroppedOnTheMainWindowOpen) {
    const QString first = WriteSet("a.qrl", 77);
    const QString second = WriteSet("b.qrl", 88);
    EXPECT_TRUE(program->Main()->acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    // As the window system delivers a drag: enter, then drop.
    QWindow* window = program->Main()->windowHandle();
    const QPoint centre = program->Main()->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    EXPECT_EQ(program->Main()->MdiArea()->subWindowList().size(), 3);
    EXPECT_EQ(program->ActiveDoc()->m_nIterations, 88);
}
