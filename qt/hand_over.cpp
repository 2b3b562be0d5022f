#include "qt/hand_over.h"

#include <QDir>
#include <QLocalSocket>
#include <QPointer>

namespace mw {
namespace {

constexpr int kAnswerWait = 3000;       // milliseconds
constexpr qint64 kLongestLine = 65536;  // a path, with room to spare
const QByteArray kTaken = "taken\n";

// Empty without a runtime folder: a socket in a shared one would be
// anyone's to take.
QString SocketPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || QDir::isRelativePath(runtime))
        return {};
    return runtime + QStringLiteral("/mendwright.socket");
}

}  // namespace

bool HandToRunningProgram(const std::string& archive)
{
    const QString path = SocketPath();
    // A line end in a name would cut the line the path travels in.
    if (path.isEmpty() || archive.find('\n') != std::string::npos)
        return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kAnswerWait))
        return false;
    socket.write(QByteArray::fromStdString(archive) + '\n');
    if (!socket.waitForBytesWritten(kAnswerWait))
        return false;
    while (!socket.canReadLine() && socket.waitForReadyRead(kAnswerWait)) {
    }
    return socket.readLine() == kTaken;
}

HandOverListener::HandOverListener(std::function<bool(const std::string&)> take) : take_(std::move(take))
{
    const QString path = SocketPath();
    if (path.isEmpty())
        return;
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(path)) {
        // A socket nobody answers on is one a program that ended left.
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(kAnswerWait / 10))
            return;
        QLocalServer::removeServer(path);
        if (!server_.listen(path))
            return;
    }
    connect(&server_, &QLocalServer::newConnection, this, &HandOverListener::Answer);
}

void HandOverListener::Answer()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket = QPointer<QLocalSocket>(socket)] {
            if (!socket)
                return;
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kLongestLine)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine().chopped(1);
            socket->write(take_(line.toStdString()) ? kTaken : QByteArray("busy\n"));
            socket->disconnectFromServer();
        });
    }
}

}  // namespace mw
