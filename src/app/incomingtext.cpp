#include "app/incomingtext.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace nv {
namespace {

// A local socket answers at once or not at all; the wait only bounds a
// program that hangs.
constexpr int kSocketWaitMs = 5000;

bool anotherProgramListens(const QString &name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool listening = probe.waitForConnected(kSocketWaitMs);
    probe.abort();   // the program sees an empty text, which it does not keep
    return listening;
}

}  // namespace

QString IncomingTextServerName() { return QStringLiteral("norvanta2-%1").arg(::getuid()); }

SendOutcome SendIncomingText(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > kIncomingTextLimit) return SendOutcome::TooLong;
    QLocalSocket socket;
    socket.connectToServer(IncomingTextServerName());
    if (!socket.waitForConnected(kSocketWaitMs)) return SendOutcome::NoListener;
    if (socket.write(bytes) != bytes.size()) return SendOutcome::Interrupted;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kSocketWaitMs)) return SendOutcome::Interrupted;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState && !socket.waitForDisconnected(kSocketWaitMs))
        return SendOutcome::Interrupted;
    return SendOutcome::Delivered;
}

IncomingTextChannel::IncomingTextChannel(QObject *parent) : QObject(parent) {}

IncomingTextChannel::~IncomingTextChannel() { remove(); }

bool IncomingTextChannel::install()
{
    if (m_server) return true;
    const QString name = IncomingTextServerName();
    // Listening would replace the socket of a running program without a word,
    // so ask first whether one answers there.
    if (anotherProgramListens(name)) return false;
    QLocalServer::removeServer(name);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) return false;
    connect(server.get(), &QLocalServer::newConnection, this, &IncomingTextChannel::acceptConnections);
    m_server = std::move(server);
    return true;
}

void IncomingTextChannel::remove()
{
    if (!m_server) return;
    for (auto it = m_arriving.keyBegin(); it != m_arriving.keyEnd(); ++it) (*it)->disconnect(this);
    m_arriving.clear();
    m_server.reset();   // closes the socket file and every connection, which are its children
}

void IncomingTextChannel::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        m_arriving.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { finish(socket); });
    }
}

void IncomingTextChannel::readFrom(QLocalSocket *socket)
{
    const auto text = m_arriving.find(socket);
    if (text == m_arriving.end()) return;
    text->append(socket->readAll());
    if (text->size() > kIncomingTextLimit) {
        m_arriving.erase(text);
        socket->abort();   // runs finish(), which finds nothing left to deliver
    }
}

void IncomingTextChannel::finish(QLocalSocket *socket)
{
    const auto text = m_arriving.find(socket);
    if (text != m_arriving.end()) {
        const QByteArray bytes = *text + socket->readAll();
        m_arriving.erase(text);
        if (bytes.size() <= kIncomingTextLimit) emit textReceived(QString::fromUtf8(bytes));
    }
    socket->deleteLater();
}

}  // namespace nv
