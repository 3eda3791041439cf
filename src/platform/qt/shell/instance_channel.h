#pragma once
// One running program per user answers the desktop's open and print
// requests: a later start passes its request to it over a local socket that
// only the same user can reach, and ends.

#include "platform/docview/winapp.h"

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>

// The socket: "<appId>-<uid>" in XDG_RUNTIME_DIR when that is set, else in
// the system's folder for sockets.
QString InstanceSocketName(const QString& appId);

// A request on the wire: a tag, the payload's length, then the command, the
// printer and the files.
QByteArray EncodeShellRequest(const CCommandLineInfo& request);
enum class DecodeResult { Incomplete, Done, Malformed };
DecodeResult DecodeShellRequest(const QByteArray& data, CCommandLineInfo& request);

// Passes the request to the program listening on the socket. True when it
// took it within the time; false when nobody answers there, or not in time.
bool ForwardShellRequest(const QString& socketName, const CCommandLineInfo& request,
                         int timeoutMs = 5000);

// The running program's end of the channel.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    InstanceServer();
    ~InstanceServer() override;

    // Listens on the socket. A socket left behind by a program that ended
    // without closing it is taken over; false when another program answers
    // there or the socket cannot be made.
    bool Listen(const QString& socketName);
    bool IsListening() const { return m_server.isListening(); }
    // No more requests: the socket goes.
    void Close() { m_server.close(); }

    // Each request, once it has arrived whole; the sender has its answer then.
    std::function<void(const CCommandLineInfo& request)> onRequest;

private:
    void Accept();

    QLocalServer m_server;
};
