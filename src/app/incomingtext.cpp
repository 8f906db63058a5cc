// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/incomingtext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <algorithm>

namespace nv {
namespace {

// A local socket answers at once or not at all; the wait only bounds a
// program that hangs.
constexpr int kSocketWaitMs = 5000;

bool anotherProgramListens(const QString &path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool listening = probe.waitForConnected(kSocketWaitMs);
    probe.abort();   // the program sees an empty text, which it does not keep
    return listening;
}

// One line on standard error: the program works on without the channel.
void tellNotListening(const QString &reason, const QString &consequence = QString())
{
    qWarning("%s", qUtf8Printable(QCoreApplication::translate("IncomingText", "Norvanta2: ほかのプログラムからヘッドネームを受け取れません（%1）。%2")
                                      .arg(reason, consequence)));
}

// A folder that Qt takes as the runtime folder once it is there: a folder of
// the user's own, not a link.
bool isOwnFolder(const QString &path)
{
    const QFileInfo folder(path);
    return folder.isDir() && !folder.isSymLink() && folder.ownerId() == currentUser();
}

// The runtime folder that Qt picks, without making it: $XDG_RUNTIME_DIR when it
// is set and usable, else runtime-<user name> in the temporary folder; empty
// when the folder picked is not there.
QString existingRuntimeFolder()
{
    const QString configured = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!configured.isEmpty() && isOwnFolder(configured)) return configured;
    const QString fallback = QDir::tempPath() + QStringLiteral("/runtime-") + currentUserName();
    return isOwnFolder(fallback) ? fallback : QString();
}

}  // namespace

QString IncomingTextSocketPath(RuntimeFolder folder)
{
    const QString path = folder == RuntimeFolder::ExistingOnly
                             ? existingRuntimeFolder()
                             : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (path.isEmpty()) return {};
    return path + QStringLiteral("/norvanta2-%1").arg(currentUser());
}

SendOutcome SendIncomingText(const QString &text, UserId expectedUser)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > kIncomingTextLimit) return SendOutcome::TooLong;
    const QString path = IncomingTextSocketPath(RuntimeFolder::ExistingOnly);
    if (path.isEmpty()) return SendOutcome::NoListener;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kSocketWaitMs)) return SendOutcome::NoListener;
    if (!socketPeerIs(socket.socketDescriptor(), expectedUser)) return SendOutcome::OtherUsersListener;
    if (socket.write(bytes) != bytes.size()) return SendOutcome::Interrupted;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kSocketWaitMs)) return SendOutcome::Interrupted;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState && !socket.waitForDisconnected(kSocketWaitMs))
        return SendOutcome::Interrupted;
    return SendOutcome::Delivered;
}

IncomingTextChannel::IncomingTextChannel(const IncomingTextRules &rules, QObject *parent)
    : QObject(parent), m_rules(rules)
{
    m_listenCheck.setInterval(m_rules.retryDelay);
    connect(&m_listenCheck, &QTimer::timeout, this, &IncomingTextChannel::keepListening);
}

IncomingTextChannel::~IncomingTextChannel() { remove(); }

bool IncomingTextChannel::install()
{
    if (!m_path.isEmpty()) return isListening();
    m_path = IncomingTextSocketPath();
    if (m_path.isEmpty()) {
        tellNotListening(QCoreApplication::translate("IncomingText", "使えるランタイムフォルダがありません"));
        return false;
    }
    m_listenCheck.start();
    return listen();
}

void IncomingTextChannel::remove()
{
    m_listenCheck.stop();
    m_path.clear();
    m_lossReported = false;
    for (const Arrival &arrival : m_arriving) {
        arrival.socket->disconnect(this);
        delete arrival.socket;
    }
    m_arriving.clear();
    m_server.reset();   // closes and removes the socket file
}

bool IncomingTextChannel::isListening() const { return m_server && m_server->isListening(); }

bool IncomingTextChannel::listen()
{
    m_server.reset();
    // Listening would replace the socket of a running program without a word,
    // so ask first whether one answers there; then the texts go to it.
    if (anotherProgramListens(m_path)) {
        tellNotListening(QCoreApplication::translate("IncomingText", "同じユーザーのほかの Norvanta2 が受け取っています"));
        remove();
        return false;
    }
    QLocalServer::removeServer(m_path);   // left behind by a program that crashed
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_path)) {
        reportLoss(QCoreApplication::translate("IncomingText", "待ち受けを始められません: %1").arg(server->errorString()));
        return false;
    }
    connect(server.get(), &QLocalServer::newConnection, this, &IncomingTextChannel::acceptConnections);
    m_server = std::move(server);
    m_lossReported = false;
    return true;
}

void IncomingTextChannel::keepListening()
{
    if (isListening()) return;
    // Qt closes the server when an accept fails, as it does while descriptors are short.
    if (m_server) reportLoss(QCoreApplication::translate("IncomingText", "接続を受け付けられません: %1").arg(m_server->errorString()));
    listen();
}

void IncomingTextChannel::reportLoss(const QString &reason)
{
    if (m_lossReported) return;
    m_lossReported = true;
    tellNotListening(reason, QCoreApplication::translate("IncomingText", "数秒ごとにやり直します。"));
}

void IncomingTextChannel::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (!socketPeerIs(socket->socketDescriptor(), m_rules.user)) {
            delete socket;
            continue;
        }
        // Arrivals outlive a server that Qt closes and this channel replaces.
        socket->setParent(this);
        if (m_arriving.size() == size_t(kIncomingConnectionLimit)) drop(m_arriving.front().socket);
        m_arriving.push_back({socket, QByteArray()});
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { finish(socket); });
        QTimer::singleShot(m_rules.idleLimit, socket, [this, socket] { drop(socket); });
    }
}

std::vector<IncomingTextChannel::Arrival>::iterator IncomingTextChannel::arrivalOf(QLocalSocket *socket)
{
    return std::find_if(m_arriving.begin(), m_arriving.end(),
                        [socket](const Arrival &arrival) { return arrival.socket == socket; });
}

void IncomingTextChannel::readFrom(QLocalSocket *socket)
{
    const auto arrival = arrivalOf(socket);
    if (arrival == m_arriving.end()) return;
    arrival->text.append(socket->readAll());
    if (arrival->text.size() > kIncomingTextLimit) drop(socket);
}

void IncomingTextChannel::finish(QLocalSocket *socket)
{
    const auto arrival = arrivalOf(socket);
    if (arrival != m_arriving.end()) {
        const QByteArray bytes = arrival->text + socket->readAll();
        m_arriving.erase(arrival);
        if (bytes.size() <= kIncomingTextLimit) emit textReceived(QString::fromUtf8(bytes));
    }
    socket->deleteLater();
}

void IncomingTextChannel::drop(QLocalSocket *socket)
{
    const auto arrival = arrivalOf(socket);
    if (arrival == m_arriving.end()) return;
    m_arriving.erase(arrival);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

}  // namespace nv
