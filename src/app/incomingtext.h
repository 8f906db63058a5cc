// SPDX-License-Identifier: GPL-3.0-or-later
// Text from other programs: the running program listens on a local socket in a
// folder that only its own user can enter; a sender connects, writes a text in
// UTF-8 and closes. The received text becomes the newest head name of the
// history. Both ends check that the other end belongs to the expected user.
#pragma once

#include "platform/peeruser.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

class QLocalServer;
class QLocalSocket;

namespace nv {

// The longest text taken, in bytes of UTF-8; a longer one is dropped whole.
inline constexpr qint64 kIncomingTextLimit = 64 * 1024;
// Connections held open at once; another one closes the oldest, so senders
// that never finish cannot use up the program's descriptors.
inline constexpr int kIncomingConnectionLimit = 16;

// The socket's path, the one place where the window listens and the sender
// looks: norvanta2-<user id> in the user's runtime folder, which only the user
// can enter. Empty when there is no such folder (the reason is then on
// standard error already). The window makes the folder when it is missing;
// the sender never does, as a missing folder only says that no window listens.
enum class RuntimeFolder { MakeWhenMissing, ExistingOnly };
QString IncomingTextSocketPath(RuntimeFolder folder = RuntimeFolder::MakeWhenMissing);

enum class SendOutcome { Delivered, NoListener, OtherUsersListener, TooLong, Interrupted };

// Hands a text to the running program of the user `expectedUser` (what
// norvanta2-send does); a listener of anybody else gets nothing.
SendOutcome SendIncomingText(const QString &text, UserId expectedUser = currentUser());

// What the channel accepts and how patient it is.
struct IncomingTextRules {
    UserId user = currentUser();                   // texts come only from this user's programs
    std::chrono::milliseconds idleLimit {2000};    // a sender has this long to finish
    std::chrono::milliseconds retryDelay {3000};   // between attempts to listen again
};

class IncomingTextChannel : public QObject {
    Q_OBJECT

public:
    explicit IncomingTextChannel(const IncomingTextRules &rules = {}, QObject *parent = nullptr);
    ~IncomingTextChannel() override;

    // Starts listening, and keeps listening: when the socket is lost (Qt closes
    // it on an accept error) or cannot be made, it tries again every retry
    // delay. A socket left behind by a program that crashed is replaced; one
    // that a running program answers on is left alone. False, with the reason
    // on standard error, when the channel does not listen now.
    bool install();
    // Stops listening; texts still arriving are dropped.
    void remove();
    bool isListening() const;

signals:
    // Every text that arrived whole, empty ones included: the receiver decides
    // what to keep (PushReceivedText keeps the non-empty ones).
    void textReceived(const QString &text);

private:
    struct Arrival {
        QLocalSocket *socket;
        QByteArray text;
    };

    bool listen();
    void keepListening();
    void reportLoss(const QString &reason);
    void acceptConnections();
    void readFrom(QLocalSocket *socket);
    void finish(QLocalSocket *socket);
    void drop(QLocalSocket *socket);
    std::vector<Arrival>::iterator arrivalOf(QLocalSocket *socket);

    const IncomingTextRules m_rules;
    QString m_path;                      // empty while not installed
    bool m_lossReported = false;         // the current loss of the socket has been told
    QTimer m_listenCheck;
    std::unique_ptr<QLocalServer> m_server;
    std::vector<Arrival> m_arriving;     // oldest first; senders that have not closed yet
};

}  // namespace nv
