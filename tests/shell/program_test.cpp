// The shell's requests end to end: the program itself started by the tests,
// passing its command line on to a running program, which opens and prints
// the files. Printing goes into a PDF file through the test print setting.

#include "app/quirl32_app.h"
#include "doc/quirl32_doc.h"
#include "platform/framework/frame.h"
#include "platform/qt/host/desktop_host.h"
#include "platform/qt/host/idle_pump.h"
#include "platform/qt/windows/child_window.h"
#include "platform/qt/windows/main_window.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The other processes have a busy machine to run on.
constexpr int kWaitMs = 20000;

// A PDF that another process writes is complete once its end marker is there.
bool PdfComplete(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().trimmed().endsWith("%%EOF");
}

// The first picture of a PDF file that Qt wrote.
QImage PdfPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = file.readAll();
    const qsizetype at = pdf.indexOf("/Subtype /Image");
    const qsizetype begin = pdf.indexOf("stream\n", at);
    const qsizetype end = pdf.indexOf("endstream", begin);
    if (at < 0 || begin < 0 || end < 0)
        return {};
    const QByteArray header = pdf.mid(at, begin - at);
    const QByteArray data = pdf.mid(begin + 7, end - begin - 7);
    if (header.contains("/DCTDecode"))
        return QImage::fromData(data, "JPG");
    const auto number = [&](const char* key) {
        const auto m =
            QRegularExpression(QString(key) + " (\\d+)").match(QString::fromLatin1(header));
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    };
    const int w = number("/Width"), h = number("/Height");
    if (!header.contains("/FlateDecode") || w <= 0 || h <= 0)
        return {};
    const quint32 size = quint32(w) * quint32(h) * 3;
    QByteArray zipped(4, 0);
    for (int i = 0; i < 4; ++i)
        zipped[i] = char((size >> (24 - 8 * i)) & 0xFF);
    const QByteArray rgb = qUncompress(zipped + data);
    if (rgb.size() != qsizetype(size))
        return {};
    return QImage(reinterpret_cast<const uchar*>(rgb.constData()), w, h, w * 3,
                  QImage::Format_RGB888)
        .copy();
}

// A computed picture of the set: black inside, colour bands outside, and
// none of the white of a picture not yet computed.
void ExpectComputedSet(const QImage& picture) {
    ASSERT_FALSE(picture.isNull());
    int black = 0, white = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.red() < 40 && c.green() < 40 && c.blue() < 40)
                ++black;
            else if (c.red() > 245 && c.green() > 245 && c.blue() > 245)
                ++white;
        }
    const int all = picture.width() * picture.height();
    EXPECT_GT(black, all / 20);
    EXPECT_LT(white, all / 50);
}

bool SocketAnswers(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    return socket.waitForConnected(500);
}

class ShellFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* sub : {"data", "config", "run", "files"})
            ASSERT_TRUE(QDir(root.path()).mkpath(sub));
        QFile::setPermissions(Path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        saved[0] = qgetenv("XDG_DATA_HOME");
        saved[1] = qgetenv("XDG_CONFIG_HOME");
        saved[2] = qgetenv("XDG_RUNTIME_DIR");
        // Also for this process: the program in it registers and listens there.
        qputenv("XDG_DATA_HOME", Path("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", Path("config").toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", Path("run").toLocal8Bit());
    }

    void TearDown() override {
        qputenv("XDG_DATA_HOME", saved[0]);
        qputenv("XDG_CONFIG_HOME", saved[1]);
        qputenv("XDG_RUNTIME_DIR", saved[2]);
        qunsetenv("QUIRL32_TEST_PRINT_PDF");
        // The cache tools started in the background finish before the
        // folders go.
        if (!QStandardPaths::findExecutable("update-mime-database").isEmpty())
            (void)QTest::qWaitFor([this] { return QFile::exists(Path("data/mime/mime.cache")); },
                                  5000);
    }

    QString Path(const QString& rel) const { return root.path() + "/" + rel; }
    QString SocketName() const { return Path("run") + QString("/quirl32-%1").arg(geteuid()); }

    // The program started as the desktop would start it.
    std::unique_ptr<QProcess> Start(const QStringList& args, const QString& printPdf = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_DATA_HOME", Path("data"));
        env.insert("XDG_CONFIG_HOME", Path("config"));
        env.insert("XDG_RUNTIME_DIR", Path("run"));
        env.remove("QUIRL32_TEST_PRINT_PDF");
        if (!printPdf.isEmpty())
            env.insert("QUIRL32_TEST_PRINT_PDF", printPdf);
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(Path("files"));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QUIRL32_BINARY, args);
        return process;
    }

    static bool Finished(QProcess& process) { return process.state() == QProcess::NotRunning; }

    QTemporaryDir root;
    QByteArray saved[3];
};

// The program running in this test's process, on the desktop backend.
class RunningProgramTest : public ShellFolders {
protected:
    void SetUp() override {
        ShellFolders::SetUp();
        host = std::make_unique<DesktopHost>();
        AfxSetHost(host.get());
        app = std::make_unique<CQuirl32App>();
        ASSERT_TRUE(app->InitInstance());
        ASSERT_TRUE(host->Server().IsListening());
        ASSERT_TRUE(WriteBytes(Path("files/a.qrl").toStdString(),
                               SetFileBytes(-2.0, 1.0, -1.0, 1.0, 77, 10)));
    }

    void TearDown() override {
        app->CloseAllDocuments();
        delete app->m_pMainWnd;
        app->m_pMainWnd = nullptr;
        app.reset();
        host.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ShellFolders::TearDown();
    }

    CQuirl32Doc* DocOf(const QString& path) {
        auto* tmpl = dynamic_cast<CMultiDocTemplate*>(app->GetFirstDocTemplate());
        for (CDocument* doc : tmpl->GetDocuments())
            if (QString::fromStdString(doc->GetPathName()) == path)
                return dynamic_cast<CQuirl32Doc*>(doc);
        return nullptr;
    }

    std::size_t DocCount() {
        return dynamic_cast<CMultiDocTemplate*>(app->GetFirstDocTemplate())->GetDocuments().size();
    }

    std::unique_ptr<DesktopHost> host;
    std::unique_ptr<CQuirl32App> app;
};

TEST_F(RunningProgramTest, ASecondStartPassesItsFileOnAndTheFirstOpensIt) {
    // The start registered the program in the user's folders.
    EXPECT_TRUE(QFile::exists(Path("data/applications/quirl32.desktop")));
    EXPECT_TRUE(QFile::exists(Path("data/mime/packages/quirl32.xml")));
    EXPECT_TRUE(QFile(Path("config/mimeapps.list")).size() > 0);

    const QString file = Path("files/a.qrl");
    auto second = Start({"a.qrl"});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Finished(*second) && DocOf(file) != nullptr; }, kWaitMs));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);

    // The untitled window of the start and the file's window.
    EXPECT_EQ(DocCount(), 2u);
    CQuirl32Doc* doc = DocOf(file);
    EXPECT_EQ(doc->m_nIterations, 77);
    CMDIChildWnd* active = host->GetActiveChildFrame();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->GetActiveView()->GetDocument(), doc);
    EXPECT_EQ(host->ChildWindowOf(active)->windowTitle(), QStringLiteral("a.qrl"));

    // Asked again, the program shows the same window.
    auto third = Start({file});
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Finished(*third) && host->Requests().IsIdle(); }, kWaitMs));
    EXPECT_EQ(third->exitCode(), 0);
    EXPECT_EQ(DocCount(), 2u);
}

TEST_F(RunningProgramTest, APrintRequestPrintsTheComputedPictureWithoutAnyDialog) {
    const QString pdf = Path("out.pdf");
    qputenv("QUIRL32_TEST_PRINT_PDF", pdf.toLocal8Bit());
    bool dialogSeen = false;
    auto second = Start({"--print", "a.qrl"});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (QApplication::activeModalWidget() != nullptr)
                dialogSeen = true;
            return Finished(*second) && host->Requests().IsIdle() && QFileInfo(pdf).size() > 0;
        },
        kWaitMs));
    EXPECT_FALSE(dialogSeen);
    EXPECT_EQ(second->exitCode(), 0);
    // The file's window stays open with the picture that was printed.
    CQuirl32Doc* doc = DocOf(Path("files/a.qrl"));
    ASSERT_NE(doc, nullptr);
    ExpectComputedSet(PdfPicture(pdf));
}

TEST_F(RunningProgramTest, ARequestWaitsWhileADialogIsOpen) {
    const QString pdf = Path("out.pdf");
    qputenv("QUIRL32_TEST_PRINT_PDF", pdf.toLocal8Bit());
    auto second = Start({"--print", "a.qrl"});

    // A modal dialog of the running program is open when the request comes;
    // the later start is answered all the same.
    QDialog dialog(host->Main());
    bool answered = false, openedMeanwhile = false, printedMeanwhile = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (answered || !Finished(*second))
            return;
        answered = true;
        QTimer::singleShot(600, &dialog, [&] {
            openedMeanwhile = DocOf(Path("files/a.qrl")) != nullptr;
            printedMeanwhile = QFile::exists(pdf);
            dialog.accept();
        });
    });
    poll.start(20);
    QTimer::singleShot(15000, &dialog, &QDialog::reject);
    {
        ModalScope modal(host->Pump());
        dialog.exec();
    }
    poll.stop();
    ASSERT_TRUE(answered);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(openedMeanwhile);
    EXPECT_FALSE(printedMeanwhile);

    // Once it has closed, the file opens and prints.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return host->Requests().IsIdle() && QFileInfo(pdf).size() > 0; }, kWaitMs));
    EXPECT_NE(DocOf(Path("files/a.qrl")), nullptr);
}

TEST_F(RunningProgramTest, APrinterThatIsNotThereIsReportedAndNothingPrints) {
    QString message;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    watch.start(20);
    auto second = Start({"--print-to", "No Such Printer 42", "a.qrl"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Finished(*second) && !message.isEmpty(); }, kWaitMs));
    EXPECT_EQ(message, QStringLiteral("The printer \"No Such Printer 42\" is not available."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return host->Requests().IsIdle(); }, kWaitMs));
    // The file is open all the same.
    EXPECT_NE(DocOf(Path("files/a.qrl")), nullptr);
}

TEST_F(ShellFolders, TheProgramTakesOverAStaleSocketAndAnswersLaterStarts) {
    // A crashed program left its socket behind.
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(SocketName());
        std::memcpy(addr.sun_path, native.constData(), std::size_t(native.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        ::close(fd);
    }
    ASSERT_FALSE(SocketAnswers(SocketName()));
    ASSERT_TRUE(
        WriteBytes(Path("files/a.qrl").toStdString(), SetFileBytes(-2.0, 1.0, -1.0, 1.0, 60, 10)));
    ASSERT_TRUE(
        WriteBytes(Path("files/b.qrl").toStdString(), SetFileBytes(-1.0, 0.0, -0.5, 0.5, 90, 10)));
    const QString first = Path("first.pdf");

    // With no program running, the start opens and prints its file itself.
    auto running = Start({"--print", "a.qrl"}, first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return PdfComplete(first) || Finished(*running); }, kWaitMs));
    ASSERT_FALSE(Finished(*running));
    ExpectComputedSet(PdfPicture(first));
    EXPECT_TRUE(SocketAnswers(SocketName()));

    // A later start passes its print-to request on and ends at once.
    QFile::remove(first);
    auto later = Start({"--print-to", "Office Laser", "b.qrl"});
    ASSERT_TRUE(later->waitForFinished(10000));
    EXPECT_EQ(later->exitCode(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return PdfComplete(first); }, kWaitMs));
    ExpectComputedSet(PdfPicture(first));

    // The desktop entry the program wrote starts this very program.
    const QByteArray entry = [&] {
        QFile f(Path("data/applications/quirl32.desktop"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_TRUE(entry.contains("\nExec=" + QFileInfo(QUIRL32_BINARY).absoluteFilePath().toUtf8() +
                               " %F\n"));
    if (const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
        !validate.isEmpty()) {
        EXPECT_EQ(QProcess::execute(validate, {Path("data/applications/quirl32.desktop")}), 0);
    }

    running->kill();
    running->waitForFinished();
}

} // namespace
