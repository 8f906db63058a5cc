#include "app/incomingtext.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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

QString socketPath() { return QDir::tempPath() + QLatin1Char('/') + IncomingTextServerName(); }

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

private:
    // The sockets of this test live in a folder of their own, so a program
    // running for the same user is never reached or disturbed.
    QTemporaryDir m_socketFolder;
    int runCommand(const QStringList &arguments, QByteArray *errorOutput = nullptr);
};

void TestIncomingText::initTestCase()
{
    QVERIFY(m_socketFolder.isValid());
    qputenv("TMPDIR", QFile::encodeName(m_socketFolder.path()));
    QCOMPARE(QDir::tempPath(), m_socketFolder.path());
}

int TestIncomingText::runCommand(const QStringList &arguments, QByteArray *errorOutput)
{
    QProcess command;
    command.start(QStringLiteral(NORVANTA2_SEND_PATH), arguments);
    // The channel answers from this thread's event loop, so let it run.
    if (!QTest::qWaitFor([&] { return command.state() == QProcess::NotRunning; }, kWaitMs)) return -2;
    if (errorOutput) *errorOutput = command.readAllStandardError();
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
    sender.connectToServer(IncomingTextServerName());
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
    QVERIFY(!second.install());
    QVERIFY(!second.isInstalled());
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
    QVERIFY(!channel.isInstalled());
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

QTEST_GUILESS_MAIN(TestIncomingText)
#include "tst_incomingtext.moc"
