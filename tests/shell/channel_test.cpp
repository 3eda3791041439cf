// The channel between starts of the program: the request on the wire, the
// server in this process and senders on other threads, stale sockets.

#include "platform/qt/shell/instance_channel.h"
#include "shell_request.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Runs the event loop until the future is ready.
template <class T> T Await(std::future<T>& result, int timeoutMs = 10000) {
    (void)QTest::qWaitFor(
        [&] { return result.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; },
        timeoutMs);
    return result.get();
}

std::future<bool> ForwardLater(const QString& name, const CCommandLineInfo& request) {
    return std::async(std::launch::async,
                      [name, request] { return ForwardShellRequest(name, request, 5000); });
}

// A socket file that nobody listens on, as a crashed program leaves it.
void MakeStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    ASSERT_LT(std::size_t(native.size()), sizeof addr.sun_path);
    std::memcpy(addr.sun_path, native.constData(), std::size_t(native.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(path));
}

class ChannelTest : public ::testing::Test {
protected:
    QString Name() const { return dir.path() + "/quirl32-test"; }
    // Whether server listens on Name(); what it receives goes to received.
    bool ListenAndRecord(InstanceServer& server) {
        server.onRequest = [this](const CCommandLineInfo& r) { received.push_back(r); };
        return server.Listen(Name());
    }

    QTemporaryDir dir;
    std::vector<CCommandLineInfo> received;
};

TEST(ShellRequestWire, RoundTripKeepsEveryByteOfNamesAndPrinter) {
    const CString odd = CString("/tmp/a b\n\"c\"\xff\xfe.qrl");
    const CCommandLineInfo sent =
        ShellRequest(CCommandLineInfo::FilePrintTo, {odd, "/x/y.qrl"}, "Büro Laser");
    const QByteArray wire = EncodeShellRequest(sent);
    CCommandLineInfo got;
    ASSERT_EQ(DecodeShellRequest(wire, got), DecodeResult::Done);
    EXPECT_EQ(got.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(got.m_files, sent.m_files);
    EXPECT_EQ(got.m_strFileName, odd);
    EXPECT_EQ(got.m_strPrinterName, "Büro Laser");

    // Every part of it is incomplete.
    for (qsizetype n = 0; n < wire.size(); ++n)
        EXPECT_EQ(DecodeShellRequest(wire.left(n), got), DecodeResult::Incomplete) << n;
}

TEST(ShellRequestWire, MalformedRequestsAreRefused) {
    CCommandLineInfo got;
    EXPECT_EQ(DecodeShellRequest("GET / HTTP/1.0\r\n", got), DecodeResult::Malformed);
    const QByteArray good =
        EncodeShellRequest(ShellRequest(CCommandLineInfo::FileOpen, {"/a.qrl"}));
    EXPECT_EQ(DecodeShellRequest(good + "x", got), DecodeResult::Malformed);
    // A length beyond any command line.
    QByteArray huge = good;
    huge[4] = char(0x7f);
    EXPECT_EQ(DecodeShellRequest(huge, got), DecodeResult::Malformed);
    // Only open, print and print-to travel.
    for (auto command : {CCommandLineInfo::FileNew, CCommandLineInfo::FileDDE})
        EXPECT_EQ(DecodeShellRequest(EncodeShellRequest(ShellRequest(command, {"/a.qrl"})), got),
                  DecodeResult::Malformed);
    // An empty file name is no file.
    EXPECT_EQ(
        DecodeShellRequest(EncodeShellRequest(ShellRequest(CCommandLineInfo::FileOpen, {""})), got),
        DecodeResult::Malformed);
}

TEST(ShellSocketName, HoldsTheUserAndLivesInTheRuntimeFolder) {
    QTemporaryDir runtime;
    const QByteArray old = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    EXPECT_EQ(InstanceSocketName("quirl32"),
              runtime.path() + QString("/quirl32-%1").arg(geteuid()));
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceSocketName("quirl32"), QString("quirl32-%1").arg(geteuid()));
    qputenv("XDG_RUNTIME_DIR", old);
}

TEST_F(ChannelTest, ARequestReachesTheRunningProgramWhole) {
    InstanceServer server;
    ASSERT_TRUE(ListenAndRecord(server));

    auto sent =
        ForwardLater(Name(), ShellRequest(CCommandLineInfo::FilePrint, {"/a.qrl", "/b c.qrl"}));
    EXPECT_TRUE(Await(sent));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].m_nShellCommand, CCommandLineInfo::FilePrint);
    EXPECT_EQ(received[0].m_files, (std::vector<CString>{"/a.qrl", "/b c.qrl"}));

    // One after the other, each arrives once.
    auto second = ForwardLater(Name(), ShellRequest(CCommandLineInfo::FileOpen, {"/c.qrl"}));
    auto third = ForwardLater(Name(), ShellRequest(CCommandLineInfo::FileOpen, {"/d.qrl"}));
    EXPECT_TRUE(Await(second));
    EXPECT_TRUE(Await(third));
    EXPECT_EQ(received.size(), 3u);
}

TEST_F(ChannelTest, WithNobodyListeningTheRequestIsNotTaken) {
    EXPECT_FALSE(
        ForwardShellRequest(Name(), ShellRequest(CCommandLineInfo::FileOpen, {"/a.qrl"}), 2000));
}

TEST_F(ChannelTest, AStaleSocketIsTakenOver) {
    MakeStaleSocket(Name());
    EXPECT_FALSE(
        ForwardShellRequest(Name(), ShellRequest(CCommandLineInfo::FileOpen, {"/a.qrl"}), 2000));

    InstanceServer server;
    ASSERT_TRUE(ListenAndRecord(server));
    auto sent = ForwardLater(Name(), ShellRequest(CCommandLineInfo::FileOpen, {"/a.qrl"}));
    EXPECT_TRUE(Await(sent));
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(ChannelTest, ALiveProgramKeepsItsSocket) {
    InstanceServer first;
    ASSERT_TRUE(ListenAndRecord(first));
    InstanceServer second;
    EXPECT_FALSE(second.Listen(Name()));
    auto sent = ForwardLater(Name(), ShellRequest(CCommandLineInfo::FileOpen, {"/a.qrl"}));
    EXPECT_TRUE(Await(sent));
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(ChannelTest, GarbageIsDroppedAndTheServerGoesOn) {
    InstanceServer server;
    ASSERT_TRUE(ListenAndRecord(server));

    auto garbage = std::async(std::launch::async, [name = Name()] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(2000))
            return QByteArray("no connection");
        socket.write("not a request at all");
        socket.waitForBytesWritten(2000);
        // The server hangs up without an answer.
        socket.waitForDisconnected(5000);
        return socket.readAll();
    });
    EXPECT_EQ(Await(garbage), QByteArray());
    EXPECT_TRUE(received.empty());

    auto sent = ForwardLater(Name(), ShellRequest(CCommandLineInfo::FileOpen, {"/a.qrl"}));
    EXPECT_TRUE(Await(sent));
    EXPECT_EQ(received.size(), 1u);
}

} // namespace
