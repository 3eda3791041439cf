#include "platform/qt/shell/instance_channel.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <memory>

#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray kTag = QByteArrayLiteral("QRL1");
constexpr char kAccepted = 'A';
constexpr int kHeaderSize = 8;               // tag and length
constexpr quint32 kMaxPayload = 1024 * 1024; // far more than any command line
constexpr quint32 kMaxFiles = 10000;
constexpr int kConnectionTimeoutMs = 10000; // a sender that stalls is dropped

// The other end of a local socket runs as this user.
bool PeerIsSameUser(qintptr descriptor) {
    struct ucred cred {};
    socklen_t size = sizeof cred;
    if (descriptor < 0 || getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0)
        return false;
    return cred.uid == geteuid();
}

bool IsShellCommand(qint32 command) {
    return command == CCommandLineInfo::FileOpen || command == CCommandLineInfo::FilePrint ||
           command == CCommandLineInfo::FilePrintTo;
}

QByteArray Bytes(const CString& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

CString FromBytes(const QByteArray& b) {
    return CString(b.constData(), std::size_t(b.size()));
}

bool IsAnswering(const QString& socketName) {
    QLocalSocket probe;
    probe.connectToServer(socketName);
    const bool answering = probe.waitForConnected(1000);
    probe.abort();
    return answering;
}

} // namespace

QString InstanceSocketName(const QString& appId) {
    const QString name = QStringLiteral("%1-%2").arg(appId).arg(geteuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QDir(runtime).exists())
        return QDir(runtime).filePath(name);
    return name;
}

QByteArray EncodeShellRequest(const CCommandLineInfo& request) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << qint32(request.m_nShellCommand) << Bytes(request.m_strPrinterName)
        << quint32(request.m_files.size());
    for (const CString& file : request.m_files)
        out << Bytes(file);
    QByteArray message = kTag;
    QDataStream header(&message, QIODevice::Append);
    header << quint32(payload.size());
    return message + payload;
}

DecodeResult DecodeShellRequest(const QByteArray& data, CCommandLineInfo& request) {
    if (!kTag.startsWith(data.left(kTag.size())))
        return DecodeResult::Malformed;
    if (data.size() < kHeaderSize)
        return DecodeResult::Incomplete;
    QDataStream header(data.mid(kTag.size(), 4));
    quint32 length = 0;
    header >> length;
    if (length > kMaxPayload)
        return DecodeResult::Malformed;
    if (data.size() < kHeaderSize + qsizetype(length))
        return DecodeResult::Incomplete;
    if (data.size() > kHeaderSize + qsizetype(length))
        return DecodeResult::Malformed;

    QDataStream in(data.mid(kHeaderSize));
    in.setVersion(QDataStream::Qt_6_0);
    qint32 command = 0;
    QByteArray printer;
    quint32 count = 0;
    in >> command >> printer >> count;
    if (in.status() != QDataStream::Ok || !IsShellCommand(command) || count > kMaxFiles)
        return DecodeResult::Malformed;
    CCommandLineInfo decoded;
    decoded.m_nShellCommand = CCommandLineInfo::Shell(command);
    decoded.m_strPrinterName = FromBytes(printer);
    for (quint32 i = 0; i < count; ++i) {
        QByteArray file;
        in >> file;
        if (in.status() != QDataStream::Ok || file.isEmpty())
            return DecodeResult::Malformed;
        decoded.m_files.push_back(FromBytes(file));
    }
    if (!in.atEnd())
        return DecodeResult::Malformed;
    if (!decoded.m_files.empty())
        decoded.m_strFileName = decoded.m_files.front();
    request = std::move(decoded);
    return DecodeResult::Done;
}

bool ForwardShellRequest(const QString& socketName, const CCommandLineInfo& request,
                         int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    // Requests go only to a program of the same user.
    if (!PeerIsSameUser(socket.socketDescriptor()))
        return false;
    socket.write(EncodeShellRequest(request));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == kAccepted;
}

InstanceServer::InstanceServer() {
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listen(const QString& socketName) {
    if (m_server.isListening())
        return true;
    // A socket that answers belongs to a running program. One that does not
    // was left behind by a program that ended without closing it.
    if (IsAnswering(socketName))
        return false;
    QLocalServer::removeServer(socketName);
    // A plain bind: of two programs starting at the same moment, the second
    // finds the name taken and leaves it to the first.
    if (!m_server.listen(socketName))
        return false;
    // Only the user may connect; the peer's user is checked all the same.
    QFile::setPermissions(m_server.fullServerName(), QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

void InstanceServer::Accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        if (!PeerIsSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // The buffer lives as long as the connections that hold it.
        auto buffer = std::make_shared<QByteArray>();
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, socket, &QLocalSocket::abort);
        timer->start(kConnectionTimeoutMs);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            CCommandLineInfo request;
            switch (DecodeShellRequest(*buffer, request)) {
            case DecodeResult::Incomplete:
                return;
            case DecodeResult::Malformed:
                socket->abort();
                return;
            case DecodeResult::Done:
                break;
            }
            socket->putChar(kAccepted);
            socket->flush();
            socket->disconnectFromServer();
            if (onRequest)
                onRequest(request);
        });
    }
}
