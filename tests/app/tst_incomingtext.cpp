// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/incomingtext.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace nv;

namespace {

constexpr int kWaitMs = 20000;

// The texts a spy on textReceived has caught.
QStringList caught(const QSignalSpy &spy)
{
    QStringList texts;
    for (const QList<QVariant> &arguments : spy) texts << arguments.at(0).toString();
    return texts;
}

QString socketPath() { return IncomingTextSocketPath(); }

// Where a program of another user could bind the name first: the temporary
// folder that every user shares.
QString sharedFolderPath() { return QDir::tempPath() + QStringLiteral("/norvanta2-%1").arg(::getuid()); }

// Rules with waits that suit a test: an idle limit no test reaches unless it
// means to, and retries that come quickly.
IncomingTextRules testRules(std::chrono::milliseconds idleLimit = std::chrono::minutes(5))
{
    IncomingTextRules rules;
    rules.idleLimit = idleLimit;
    rules.retryDelay = std::chrono::milliseconds(20);
    return rules;
}

// Descriptors run short as in a program flooded with connections. Every
// descriptor number below the limit is taken first, so what the channel opens
// afterwards lies above it; once the shortage begins, nothing new can be had,
// not even the number the channel's own server gives back when it closes.
class DescriptorShortage {
public:
    static constexpr int kLimit = 64;   // above what the event loop polls at once

    DescriptorShortage()
    {
        for (int fd = 0; fd >= 0 && fd < kLimit - 1;) {
            fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (fd >= 0) m_taken.push_back(fd);
        }
        ::getrlimit(RLIMIT_NOFILE, &m_limit);
    }
    ~DescriptorShortage()
    {
        end();
        for (int fd : m_taken) ::close(fd);
    }
    void begin()
    {
        const rlimit lowered {kLimit, m_limit.rlim_max};
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    void end() { ::setrlimit(RLIMIT_NOFILE, &m_limit); }

private:
    rlimit m_limit {};
    std::vector<int> m_taken;
};

}  // namespace

class TestIncomingText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void commandDeliversText();
    void emptyTextArrivesEmpty();
    void textUpToTheLimitArrivesWhole();
    void longerTextIsDropped();
    void socketIsTheUsersOnly();
    void secondProgramLeavesTheLiveSocket();
    void socketLeftByACrashIsReplaced();
    void removedChannelTakesNothing();
    void commandWithoutProgramFails();
    void commandLine_data();
    void commandLine();
    void squatterInTheSharedFolderIsIgnored_data();
    void squatterInTheSharedFolderIsIgnored();
    void unwantedSenderIsCutOff_data();
    void unwantedSenderIsCutOff();
    void senderRefusesAListenerOfAnotherUser();
    void idleConnectionsLeaveRoomForASend();
    void sendAfterAnAcceptErrorArrives();
    void missingRuntimeFolderIsTold();

private:
    // The runtime and temporary folders of this test are its own, so a program
    // running for the same user is never reached or disturbed.
    QTemporaryDir m_runtimeFolder;
    QTemporaryDir m_sharedFolder;
    int runCommand(const QStringList &arguments, QByteArray *errorOutput = nullptr, QByteArray *output = nullptr);
};

void TestIncomingText::initTestCase()
{
    QVERIFY(m_runtimeFolder.isValid());
    QVERIFY(m_sharedFolder.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtimeFolder.path()));
    qputenv("TMPDIR", QFile::encodeName(m_sharedFolder.path()));
    QCOMPARE(QFileInfo(socketPath()).path(), m_runtimeFolder.path());
}

int TestIncomingText::runCommand(const QStringList &arguments, QByteArray *errorOutput, QByteArray *output)
{
    QProcess command;
    command.start(QStringLiteral(NORVANTA2_SEND_PATH), arguments);
    // The channel answers from this thread's event loop, so let it run.
    if (!QTest::qWaitFor([&] { return command.state() == QProcess::NotRunning; }, kWaitMs)) return -2;
    if (errorOutput) *errorOutput = command.readAllStandardError();
    if (output) *output = command.readAllStandardOutput();
    return command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
}

void TestIncomingText::commandDeliversText()
{
    IncomingTextChannel channel;
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    const QString text = QString::fromUtf8("旅行_2024 ");
    QCOMPARE(runCommand({text}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, kWaitMs);
    QCOMPARE(caught(spy), QStringList{text});
}

void TestIncomingText::emptyTextArrivesEmpty()
{
    IncomingTextChannel channel;
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    QCOMPARE(runCommand({QString()}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, kWaitMs);
    QCOMPARE(caught(spy), QStringList{QString()});
}

void TestIncomingText::textUpToTheLimitArrivesWhole()
{
    IncomingTextChannel channel;
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    const QString full = QString(kIncomingTextLimit - 1, QLatin1Char('x')) + QChar(0);
    QCOMPARE(SendIncomingText(full), SendOutcome::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, kWaitMs);
    QCOMPARE(caught(spy), QStringList{full});
    QCOMPARE(SendIncomingText(full + QLatin1Char('x')), SendOutcome::TooLong);
}

void TestIncomingText::longerTextIsDropped()
{
    IncomingTextChannel channel;
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    QLocalSocket sender;
    sender.connectToServer(socketPath());
    QVERIFY(sender.waitForConnected(kWaitMs));
    sender.write(QByteArray(kIncomingTextLimit + 1, 'y'));
    // The program closes the connection itself once the text is too long.
    QTRY_COMPARE_WITH_TIMEOUT(sender.state(), QLocalSocket::UnconnectedState, kWaitMs);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
}

void TestIncomingText::socketIsTheUsersOnly()
{
    IncomingTextChannel channel;
    QVERIFY(channel.install());
    struct stat info {};
    QVERIFY(::stat(QFile::encodeName(socketPath()).constData(), &info) == 0);
    QVERIFY(S_ISSOCK(info.st_mode));
    QCOMPARE(info.st_uid, ::getuid());
    QCOMPARE(info.st_mode & 077, 0u);
}

void TestIncomingText::secondProgramLeavesTheLiveSocket()
{
    IncomingTextChannel first;
    QVERIFY(first.install());
    QSignalSpy spy(&first, &IncomingTextChannel::textReceived);
    IncomingTextChannel second;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ほかの Norvanta2 が受け取っています"));
    QVERIFY(!second.install());
    QVERIFY(!second.isListening());
    QCOMPARE(runCommand({"still here"}), 0);
    QTRY_VERIFY_WITH_TIMEOUT(caught(spy).contains("still here"), kWaitMs);
    // The second program's check reached the first as an empty text only.
    QStringList texts = caught(spy);
    texts.removeAll(QString());
    QCOMPARE(texts, QStringList{"still here"});
}

void TestIncomingText::socketLeftByACrashIsReplaced()
{
    // A socket file that nobody listens on, as a crashed run leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath());
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    ::close(fd);
    QVERIFY(QFile::exists(socketPath()));

    IncomingTextChannel channel;
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    QCOMPARE(SendIncomingText("after the crash"), SendOutcome::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(caught(spy), QStringList{"after the crash"}, kWaitMs);
}

void TestIncomingText::removedChannelTakesNothing()
{
    IncomingTextChannel channel;
    QVERIFY(channel.install());
    channel.remove();
    QVERIFY(!channel.isListening());
    QVERIFY(!QFile::exists(socketPath()));
    QCOMPARE(SendIncomingText("late"), SendOutcome::NoListener);
    QVERIFY(channel.install());   // and it can listen again
}

void TestIncomingText::commandWithoutProgramFails()
{
    QByteArray errorOutput;
    QCOMPARE(runCommand({"nobody"}, &errorOutput), 1);
    QVERIFY(!errorOutput.isEmpty());
}

void TestIncomingText::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("printed");     // the start of standard output
    QTest::addColumn<QStringList>("received");   // before a marker sent next
    QTest::newRow("--help") << QStringList{"--help"} << 0 << QByteArray("使い方: norvanta2-send") << QStringList();
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QByteArray("norvanta2-send ") << QStringList();
    QTest::newRow("-- before a dash") << QStringList{"--", "--x"} << 0 << QByteArray() << QStringList{"--x"};
    QTest::newRow("unknown option") << QStringList{"--x"} << 2 << QByteArray() << QStringList();
}

void TestIncomingText::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, printed);
    QFETCH(QStringList, received);
    IncomingTextChannel channel;
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    QByteArray output;
    QCOMPARE(runCommand(arguments, nullptr, &output), status);
    QVERIFY(output.startsWith(printed));
    QCOMPARE(SendIncomingText("marker"), SendOutcome::Delivered);
    QTRY_VERIFY_WITH_TIMEOUT(caught(spy).contains("marker"), kWaitMs);
    QCOMPARE(caught(spy), received + QStringList{"marker"});
}

void TestIncomingText::squatterInTheSharedFolderIsIgnored_data()
{
    QTest::addColumn<bool>("listening");
    QTest::newRow("a socket someone listens on") << true;
    QTest::newRow("a plain file") << false;
}

void TestIncomingText::squatterInTheSharedFolderIsIgnored()
{
    QFETCH(bool, listening);
    QLocalServer squatter;
    QFile file(sharedFolderPath());
    if (listening) QVERIFY(squatter.listen(sharedFolderPath()));
    else QVERIFY(file.open(QIODevice::WriteOnly));

    IncomingTextChannel channel(testRules());
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    QCOMPARE(runCommand({"mine"}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(caught(spy), QStringList{"mine"}, kWaitMs);
    QVERIFY(!squatter.hasPendingConnections());
    QVERIFY(QFile::exists(sharedFolderPath()));
}

void TestIncomingText::unwantedSenderIsCutOff_data()
{
    QTest::addColumn<uid_t>("windowUser");
    QTest::addColumn<int>("idleLimitMs");
    QTest::newRow("a program of another user") << ::getuid() + 1 << 5 * 60 * 1000;
    QTest::newRow("a sender that never finishes") << ::getuid() << 100;
}

void TestIncomingText::unwantedSenderIsCutOff()
{
    QFETCH(uid_t, windowUser);
    QFETCH(int, idleLimitMs);
    IncomingTextRules rules = testRules(std::chrono::milliseconds(idleLimitMs));
    rules.user = windowUser;
    IncomingTextChannel channel(rules);
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    QLocalSocket sender;
    sender.connectToServer(socketPath());
    QVERIFY(sender.waitForConnected(kWaitMs));
    sender.write("unfinished");
    QTRY_COMPARE_WITH_TIMEOUT(sender.state(), QLocalSocket::UnconnectedState, kWaitMs);
    QCOMPARE(spy.count(), 0);
}

void TestIncomingText::senderRefusesAListenerOfAnotherUser()
{
    IncomingTextChannel channel(testRules());
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    QCOMPARE(SendIncomingText("kept back", ::getuid() + 1), SendOutcome::OtherUsersListener);
    QCOMPARE(SendIncomingText("handed over"), SendOutcome::Delivered);
    QTRY_VERIFY_WITH_TIMEOUT(caught(spy).contains("handed over"), kWaitMs);
    QVERIFY(!caught(spy).contains("kept back"));
}

void TestIncomingText::idleConnectionsLeaveRoomForASend()
{
    IncomingTextChannel channel(testRules());
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 200; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(socketPath());
    }
    const auto stillOpen = [&] {
        return std::count_if(idle.begin(), idle.end(),
                             [](const auto &socket) { return socket->state() != QLocalSocket::UnconnectedState; });
    };
    // The newest ones are held; every older one was closed to make room.
    QTRY_COMPARE_WITH_TIMEOUT(stillOpen(), kIncomingConnectionLimit, kWaitMs);
    QVERIFY(std::all_of(idle.end() - kIncomingConnectionLimit, idle.end(),
                        [](const auto &socket) { return socket->state() == QLocalSocket::ConnectedState; }));

    QCOMPARE(SendIncomingText("through the crowd"), SendOutcome::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(caught(spy), QStringList{"through the crowd"}, 1000);
}

void TestIncomingText::sendAfterAnAcceptErrorArrives()
{
    DescriptorShortage shortage;
    IncomingTextChannel channel(testRules());
    QVERIFY(channel.install());
    QSignalSpy spy(&channel, &IncomingTextChannel::textReceived);
    // One line tells of the loss, however many attempts fail.
    const QRegularExpression lossLine("受け取れません.*やり直します");
    QTest::ignoreMessage(QtWarningMsg, lossLine);
    QTest::failOnWarning(lossLine);

    QLocalSocket sender;   // connected at once; the channel accepts it when descriptors are short
    sender.connectToServer(socketPath());
    shortage.begin();
    QTRY_VERIFY_WITH_TIMEOUT(!channel.isListening(), kWaitMs);
    QTest::qWait(200);   // attempts to listen again fail while descriptors are short
    QVERIFY(!channel.isListening());
    shortage.end();

    QTRY_VERIFY_WITH_TIMEOUT(channel.isListening(), kWaitMs);
    QCOMPARE(SendIncomingText("after the flood"), SendOutcome::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(caught(spy), QStringList{"after the flood"}, kWaitMs);
}

void TestIncomingText::missingRuntimeFolderIsTold()
{
    // Neither the runtime folder nor the fallback in the temporary folder is a folder.
    const QString blocked = m_sharedFolder.filePath(QStringLiteral("runtime-%1").arg(::getpwuid(::getuid())->pw_name));
    const QString missing = m_sharedFolder.filePath(QStringLiteral("missing"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(missing));
    const auto restore = qScopeGuard([this, blocked] {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtimeFolder.path()));
        QFile::remove(blocked);
    });
    // The sender makes neither of them.
    QCOMPARE(runCommand({"nowhere"}), 1);
    QVERIFY(!QFileInfo::exists(missing) && !QFileInfo::exists(blocked));
    QVERIFY(QFile(blocked).open(QIODevice::WriteOnly));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(blocked));

    IncomingTextChannel channel(testRules());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("受け取れません（使えるランタイムフォルダがありません）"));
    QVERIFY(!channel.install());
    QByteArray errorOutput;
    QCOMPARE(runCommand({"nowhere"}, &errorOutput), 1);
    QVERIFY(errorOutput.contains("起動していません"));
}

QTEST_GUILESS_MAIN(TestIncomingText)
#include "tst_incomingtext.moc"
