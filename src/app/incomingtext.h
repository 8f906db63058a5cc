// Text from other programs: the running program listens on a local socket
// that only its own user can reach; a sender connects, writes a text in UTF-8
// and closes. The received text becomes the newest head name of the history.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace nv {

// The longest text taken, in bytes of UTF-8; a longer one is dropped whole.
inline constexpr qint64 kIncomingTextLimit = 64 * 1024;

// The socket's name, one per user: norvanta2-<user id>.
QString IncomingTextServerName();

enum class SendOutcome { Delivered, NoListener, TooLong, Interrupted };

// Hands a text to the running program (what norvanta2-send does).
SendOutcome SendIncomingText(const QString &text);

class IncomingTextChannel : public QObject {
    Q_OBJECT

public:
    explicit IncomingTextChannel(QObject *parent = nullptr);
    ~IncomingTextChannel() override;

    // Starts listening. A socket left behind by a program that crashed is
    // replaced; one that a running program answers on is left alone, and then
    // this returns false, as it does when no socket can be made.
    bool install();
    // Stops listening; texts still arriving are dropped.
    void remove();
    bool isInstalled() const { return m_server != nullptr; }

signals:
    // Every text that arrived whole, empty ones included: the receiver decides
    // what to keep (PushReceivedText keeps the non-empty ones).
    void textReceived(const QString &text);

private:
    void acceptConnections();
    void readFrom(QLocalSocket *socket);
    void finish(QLocalSocket *socket);

    std::unique_ptr<QLocalServer> m_server;
    QHash<QLocalSocket *, QByteArray> m_arriving;   // texts whose sender has not closed yet
};

}  // namespace nv
