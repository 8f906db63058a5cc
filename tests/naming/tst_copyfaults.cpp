// SPDX-License-Identifier: GPL-3.0-or-later
// The copy loop when things go wrong: every platform call failing in turn,
// other programs acting during a run, names the folder cannot take, what a
// killed run left behind, and a real FAT card through FUSE.
#include "batchsupport.h"
#include "fatlikeplatform.h"
#include "tempfolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

using namespace nv;
using Operation = TestPlatform::Operation;

Q_DECLARE_METATYPE(nv::TestPlatform::Operation)
Q_DECLARE_METATYPE(nv::FsStatus)
Q_DECLARE_METATYPE(nv::CallFaults::Failing)

namespace {

const QList<QByteArray> kContents{"one", "two", "three", "four", "five"};

bool isTemporaryCopy(const QString &name)
{
    return name.startsWith(".norvanta2-") && !name.startsWith(".norvanta2-kept-");
}

QString messagesTold(const TestPlatform &platform)
{
    QString told;
    for (const ShownMessage &message : platform.messages) {
        if (message.buttons == MessageButtons::Ok) told += message.text;
    }
    return told;
}

// Five files p1..p5.jpg (one..five) and the new names of a scenario; "another
// folder" also finds n3.jpg there, which the user agrees to replace.
struct FaultRun {
    bool reached = false;   // the failing call was made
    Files after;            // both folders
    QString told;
};

FaultRun runScenario(const QString &scenario, bool move, bool fatLike, Operation operation, const FsStatus &fault,
                     CallFaults::Failing failing, int nth)
{
    TempFolder source, other;
    const bool sameFolder = scenario != QLatin1String("another folder");
    const TempFolder &destination = sameFolder ? source : other;
    QStringList rows;
    QMap<QString, QString> newNames;
    const int cycle[] = {2, 3, 1, 5, 4};
    for (int i = 1; i <= 5; ++i) {
        rows << QStringLiteral("p%1.jpg").arg(i);
        source.addFile(rows.last(), kContents[i - 1]);
        if (scenario == QLatin1String("another folder")) newNames[rows.last()] = QStringLiteral("n%1.jpg").arg(i);
        if (scenario == QLatin1String("chain")) newNames[rows.last()] = QStringLiteral("p%1.jpg").arg(i + 1);
        if (scenario == QLatin1String("cycle")) newNames[rows.last()] = QStringLiteral("p%1.jpg").arg(cycle[i - 1]);
        if (scenario == QLatin1String("case only")) newNames[rows.last()] = QStringLiteral("P%1.jpg").arg(i);
    }
    if (!sameFolder) other.addFile(QStringLiteral("n3.jpg"), "old");
    std::unique_ptr<TestPlatform> platform(fatLike ? new FatLikePlatform : new TestPlatform);
    if (nth > 0) platform->failCall(operation, nth, fault, failing);
    RecordingProgress progress;
    runBatch(*platform, progress,
              request(source.path(), destination.path(), rows, renameBy(newNames), move));

    FaultRun run;
    run.reached = platform->callCount(operation) >= nth;
    for (const auto &[folder, tag] : {std::pair{&source, "s/"}, std::pair{&other, "d/"}}) {
        const Files files = snapshot(folder->path());
        for (auto file = files.cbegin(); file != files.cend(); ++file) run.after.insert(tag + file.key(), *file);
    }
    run.told = messagesTold(*platform);
    return run;
}

QString findTool(const QString &name)
{
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"}) : onPath;
}

// Why a FAT image cannot be mounted here, or empty when it can.
QString fuseUnavailableReason()
{
    const int fd = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fd < 0) return QStringLiteral("/dev/fuse cannot be opened here: %1").arg(qt_error_string(errno));
    ::close(fd);
    if (findTool("fusefat").isEmpty()) return QStringLiteral("fusefat is not installed");
    if (findTool("mkfs.fat").isEmpty()) return QStringLiteral("mkfs.fat (dosfstools) is not installed");
    if (findTool("fusermount").isEmpty()) return QStringLiteral("fusermount is not installed");
    return QString();
}

bool isFuseMount(const QString &folder)
{
    struct statfs info {};
    constexpr long kFuseMagic = 0x65735546;
    return ::statfs(qPrintable(folder), &info) == 0 && long(info.f_type) == kFuseMagic;
}

// Unmounts on every way out of the test.
struct FuseMount {
    QString folder;
    ~FuseMount()
    {
        if (isFuseMount(folder)) QProcess::execute(findTool("fusermount"), {"-u", folder});
    }
};

// Mounts a new FAT image as the folder "card" of work; false when that fails.
bool mountCard(TempFolder &work, FuseMount &mount)
{
    const QString image = work.pathOf("card.img");
    mount.folder = work.addFolder("card");
    return QProcess::execute(findTool("mkfs.fat"), {"-C", image, "8192"}) == 0
           && QProcess::execute(findTool("fusefat"), {"-o", "rw+", image, mount.folder}) == 0
           && QTest::qWaitFor([&] { return isFuseMount(mount.folder); }, 20000);
}

}  // namespace

class TestCopyFaults : public QObject {
    Q_OBJECT

private slots:
    void everyCallFailingInTurn_data();
    void everyCallFailingInTurn();
    void otherProgramsMeanwhile_data();
    void otherProgramsMeanwhile();
    void sourceReplacedBeforeItsNameIsTaken();
    void namesTheFolderCannotTake_data();
    void namesTheFolderCannotTake();
    void hiddenTargetIsAsked();
    void temporariesOfAKilledRun();
    void fatCard_data();
    void fatCard();
    void caseFoldingCard_data();
    void caseFoldingCard();
};

void TestCopyFaults::everyCallFailingInTurn_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("move");
    QTest::addColumn<bool>("fatLike");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<FsStatus>("fault");
    QTest::addColumn<CallFaults::Failing>("failing");
    const FsStatus ioError = FsStatus::failure(FsFault::NotReady, QStringLiteral("I/O error"));
    // A name taken meanwhile skips a step and goes on: the steps after it must cope.
    const FsStatus taken = FsStatus::fromErrno(EEXIST);
    using enum CallFaults::Failing;
    const std::tuple<const char *, Operation, FsStatus, CallFaults::Failing> failures[] = {
        {"copy", Operation::CopyFile, ioError, Instead},      {"rename", Operation::Rename, ioError, Instead},
        {"link", Operation::Link, ioError, Instead},          {"flush", Operation::FlushCopies, ioError, Instead},
        {"delete", Operation::DeleteFile, ioError, Instead},  {"identity", Operation::Identity, ioError, Instead},
        {"existence", Operation::Existence, ioError, Instead},
        {"copy onto a taken name", Operation::CopyFile, taken, Instead},
        {"rename onto a taken name", Operation::Rename, taken, Instead},
        {"link onto a taken name", Operation::Link, taken, Instead},
        // A network file system may lose the answer to a rename it made.
        {"rename that happened", Operation::Rename, ioError, AfterRunning}};
    for (const bool fatLike : {false, true}) {
        for (const char *scenario : {"another folder", "chain", "cycle", "case only"}) {
            for (const bool move : {false, true}) {
                for (const auto &[name, operation, fault, failing] : failures) {
                    QTest::addRow("%s, %s, %s, %s", fatLike ? "FAT" : "ext4", scenario, move ? "move" : "copy", name)
                        << scenario << move << fatLike << operation << fault << failing;
                }
            }
        }
    }
}

// After any single failure every original still exists under some name, no
// temporary copy is left, every file under a kept name is named, and the user
// was told, with the system's reason for a fault of the system, unless all
// went as without it.
void TestCopyFaults::everyCallFailingInTurn()
{
    QFETCH(QString, scenario);
    QFETCH(bool, move);
    QFETCH(bool, fatLike);
    QFETCH(Operation, operation);
    QFETCH(FsStatus, fault);
    QFETCH(CallFaults::Failing, failing);

    const FaultRun clean = runScenario(scenario, move, fatLike, operation, fault, failing, 0);
    for (int nth = 1;; ++nth) {
        const FaultRun run = runScenario(scenario, move, fatLike, operation, fault, failing, nth);
        if (!run.reached) break;
        const QByteArray context = QByteArray("failing call ") + QByteArray::number(nth) + ": " + run.told.toUtf8();
        const QList<QByteArray> contents = run.after.values();
        for (const QByteArray &content : kContents) QVERIFY2(contents.contains(content), context + " lost " + content);
        for (const QString &name : run.after.keys()) {
            QVERIFY2(!isTemporaryCopy(name.mid(2)), context + " left " + name.toUtf8());
            if (name.contains(".norvanta2-kept-")) QVERIFY2(run.told.contains(name.mid(2)), context);
        }
        const bool reasonTold = fault.fault == FsFault::Exists || run.told.contains(fault.reason);
        QVERIFY2(run.after == clean.after || (!run.told.isEmpty() && reasonTold), context);
    }
}

void TestCopyFaults::otherProgramsMeanwhile_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<bool>("move");
    QTest::addColumn<bool>("ask");
    QTest::addColumn<Files>("sourcesAfter");
    QTest::addColumn<Files>("copies");
    QTest::addColumn<QString>("told");

    const Files all{{"a.jpg", "A"}, {"b.jpg", "B"}, {"c.jpg", "C"}};
    const Files copies{{"n1.jpg", "A"}, {"n2.jpg", "B"}, {"n3.jpg", "C"}};
    const Files theirs{{"n1.jpg", "theirs"}, {"n2.jpg", "B"}, {"n3.jpg", "C"}};
    for (const bool move : {false, true}) {
        const char *mode = move ? "move" : "copy";
        QTest::addRow("target made before its copy, %s", mode)
            << "target made" << move << true << (move ? Files{{"a.jpg", "A"}} : all) << theirs << "「a.jpg」→「n1.jpg」";
        QTest::addRow("target made before its copy, no question, %s", mode)
            << "target made" << move << false << (move ? Files{{"a.jpg", "A"}} : all) << theirs << "「a.jpg」→「n1.jpg」";
        // The pipe itself is no file of the snapshot.
        QTest::addRow("source is a pipe, %s", mode) << "pipe" << move << true
                                                    << (move ? Files() : Files{{"a.jpg", "A"}, {"c.jpg", "C"}})
                                                    << Files{{"n1.jpg", "A"}, {"n3.jpg", "C"}} << "「b.jpg」→「n2.jpg」";
    }
    QTest::newRow("source changed while copied") << "changed while copied" << false << true << all
                                                 << Files{{"n1.jpg", "A"}, {"n3.jpg", "C"}} << "「b.jpg」→「n2.jpg」";
    QTest::newRow("source edited after its copy") << "edited after copy" << true << true << Files{{"b.jpg", "B!"}}
                                                  << copies << "「b.jpg」";
    QTest::newRow("source replaced after its link") << "replaced after link" << true << true
                                                    << Files{{"b.jpg", "new B"}} << copies << "「b.jpg」";
}

void TestCopyFaults::otherProgramsMeanwhile()
{
    QFETCH(QString, event);
    QFETCH(bool, move);
    QFETCH(bool, ask);
    QFETCH(Files, sourcesAfter);
    QFETCH(Files, copies);
    QFETCH(QString, told);

    TempFolder source, destination;
    source.addFile("a.jpg", "A");
    source.addFile("c.jpg", "C");
    if (event == "pipe") QCOMPARE(::mkfifo(qPrintable(source.pathOf("b.jpg")), 0644), 0);
    else source.addFile("b.jpg", "B");
    TestPlatform platform;
    const QString b = source.pathOf("b.jpg");
    platform.beforeCall = [&](Operation operation, const QString &path) {
        const bool landing = operation == Operation::CopyFile || operation == Operation::Link;
        if (event == "target made" && landing && !destination.exists("n1.jpg")) destination.addFile("n1.jpg", "theirs");
        if (event == "edited after copy" && operation == Operation::FlushCopies) source.addFile("b.jpg", "B!");
        if (event == "replaced after link" && operation == Operation::Identity && path == b && destination.exists("n2.jpg")) {
            source.addFile("new.tmp", "new B");
            QCOMPARE(::rename(qPrintable(source.pathOf("new.tmp")), qPrintable(b)), 0);
        }
    };
    if (event == "changed while copied") platform.failCall(Operation::CopyFile, 2, {FsFault::Changed, "changed"});
    if (event == "edited after copy") platform.failPath(Operation::Link, "", {FsFault::CannotLink, "EXDEV"});
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress,
                       request(source.path(), destination.path(), {"a.jpg", "b.jpg", "c.jpg"},
                               SerialNameRule("n", 1, 0, "jpg"), move, ask)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(destination.path()), copies);
    QCOMPARE(snapshot(source.path()), sourcesAfter);
    QCOMPARE(platform.messages.size(), size_t(1));
    QCOMPARE(platform.messages[0].buttons, MessageButtons::Ok);
    QVERIFY2(platform.messages[0].text.contains(told), qPrintable(platform.messages[0].text));
}

// In move mode a source's name is taken over only while it still holds what
// was moved from it: a file put there meanwhile stays.
void TestCopyFaults::sourceReplacedBeforeItsNameIsTaken()
{
    TempFolder folder;
    folder.addFile("a.jpg", "A");
    folder.addFile("b.jpg", "B");
    TestPlatform platform;
    platform.beforeCall = [&, replaced = false](Operation operation, const QString &path) mutable {
        if (replaced || operation != Operation::Rename || path != folder.pathOf("b.jpg")) return;
        replaced = true;
        folder.addFile("new.tmp", "new B");
        QCOMPARE(::rename(qPrintable(folder.pathOf("new.tmp")), qPrintable(path)), 0);
    };
    RecordingProgress progress;
    const QMap<QString, QString> rule{{"a.jpg", "b.jpg"}, {"b.jpg", "c.jpg"}};

    QCOMPARE(runBatch(platform, progress,
                       request(folder.path(), folder.path(), rule.keys(), renameBy(rule), true)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(folder.path()), (Files{{"a.jpg", "A"}, {"b.jpg", "new B"}, {"c.jpg", "B"}}));
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.messages[0].text.contains("「a.jpg」→「b.jpg」"));
    QVERIFY(platform.messages[0].text.contains("「b.jpg」："));
}

void TestCopyFaults::hiddenTargetIsAsked()
{
    TempFolder source, destination;
    source.addFile("a.png", "A");
    destination.addFile(".jpg", "hidden");
    TestPlatform platform;
    platform.answers = {MessageAnswer::No};
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, request(source.path(), destination.path(), {"a.png"},
                                                             SerialNameRule("", 0, 0, "jpg"), true)),
             BatchEnd::Normal);
    QCOMPARE(platform.messages.size(), size_t(1));
    QCOMPARE(platform.messages[0].text, QStringLiteral(".jpgと同名のファイルが存在します。上書きしますか？"));
    QCOMPARE(snapshot(destination.path()), (Files{{".jpg", "hidden"}}));
    QCOMPARE(source.names(), QStringList{"a.png"});
}

// Removed: a temporary copy nobody holds. Kept: one a running copy holds
// (locked), a source set aside, and names that only look alike.
void TestCopyFaults::temporariesOfAKilledRun()
{
    TempFolder source, destination;
    source.addFile("a.png", "A");
    for (const char *name : {".norvanta2-AbC123", ".norvanta2-Busy12", ".norvanta2-kept-Qwe456", ".norvanta2-x"})
        destination.addFile(name, name);
    const int busy = ::open(qPrintable(destination.pathOf(".norvanta2-Busy12")), O_RDONLY | O_CLOEXEC);
    QCOMPARE(::flock(busy, LOCK_EX), 0);
    TestPlatform platform;
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, request(source.path(), destination.path(), {"a.png"},
                                                             SerialNameRule("n", 1, 0, "jpg"), false)),
             BatchEnd::Normal);
    ::close(busy);
    QCOMPARE(destination.names(),
             (QStringList{".norvanta2-Busy12", ".norvanta2-kept-Qwe456", ".norvanta2-x", "n1.jpg"}));
}

void TestCopyFaults::fatCard_data()
{
    QTest::addColumn<bool>("move");
    QTest::addColumn<QStringList>("newNames");   // for DSC001.JPG and DSC002.JPG
    QTest::addColumn<QString>("subfolder");      // of the card, as the destination
    QTest::addColumn<Files>("after");            // the destination
    QTest::addColumn<int>("messages");

    // The card finds DSC001.jpg as DSC001.JPG: the move goes through a name set aside.
    QTest::newRow("letter case only, move") << true << QStringList{"DSC001.jpg", "DSC002.jpg"} << ""
                                            << Files{{"DSC001.jpg", "one"}, {"DSC002.jpg", "two"}} << 0;
    QTest::newRow("letter case only, copy") << false << QStringList{"DSC001.jpg", "DSC002.jpg"} << ""
                                            << Files{{"DSC001.JPG", "one"}, {"DSC002.JPG", "two"}} << 1;
    // No hard links and no no-replace flag: copies and a look before each rename.
    QTest::newRow("renumber, move") << true << QStringList{"DSC002.JPG", "DSC003.JPG"} << ""
                                    << Files{{"DSC002.JPG", "one"}, {"DSC003.JPG", "two"}} << 0;
    QTest::newRow("swap, move") << true << QStringList{"DSC002.JPG", "DSC001.JPG"} << ""
                                << Files{{"DSC001.JPG", "two"}, {"DSC002.JPG", "one"}} << 0;
    QTest::newRow("into a folder of the card, move") << true << QStringList{"DSC001.jpg", "DSC002.jpg"} << "DCIM/"
                                                     << Files{{"DSC001.jpg", "one"}, {"DSC002.jpg", "two"}} << 0;
}

void TestCopyFaults::fatCard()
{
    const QString unavailable = fuseUnavailableReason();
    if (!unavailable.isEmpty()) QSKIP(qPrintable("No FAT image through FUSE: " + unavailable));
    QFETCH(bool, move);
    QFETCH(QStringList, newNames);
    QFETCH(QString, subfolder);
    QFETCH(Files, after);
    QFETCH(int, messages);

    TempFolder work;
    FuseMount mount;
    QVERIFY(mountCard(work, mount));
    const QString card = mount.folder;
    for (const auto &[name, content] : {std::pair{"DSC001.JPG", "one"}, std::pair{"DSC002.JPG", "two"}}) {
        QFile file(card + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    if (!subfolder.isEmpty()) QVERIFY(QDir(card).mkdir(subfolder));
    TestPlatform platform;
    const FsResult<BatchFiles::FolderProbe> probe = platform.probeFolder(card, card);
    QVERIFY(probe.ok() && probe.value.foldsLetterCase && probe.value.sameAsOther && probe.value.nameLengthInUtf16);
    RecordingProgress progress;

    const QMap<QString, QString> rule{{"DSC001.JPG", newNames[0]}, {"DSC002.JPG", newNames[1]}};
    QCOMPARE(runBatch(platform, progress,
                       request(card, card + subfolder, rule.keys(), renameBy(rule), move)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(card + subfolder), after);
    if (!subfolder.isEmpty()) QVERIFY(snapshot(card).isEmpty());
    QCOMPARE(int(platform.messages.size()), messages);
}

void TestCopyFaults::namesTheFolderCannotTake_data()
{
    QTest::addColumn<bool>("fatLike");
    QTest::addColumn<QString>("fits");      // the new name of a.jpg
    QTest::addColumn<QString>("refused");   // of b.jpg
    QTest::addColumn<QString>("reason");    // empty: both are renamed
    // 99 still fits, 100 makes 256 bytes: found before the first copy.
    const QString h(249, 'h'), kanji(83, u'写');
    QTest::newRow("bytes") << false << h + "99.jpg" << h + "100.jpg" << "255 バイト";
    QTest::newRow("bytes of Japanese") << false << kanji + "99.jpg" << kanji + "100.jpg" << "255 バイト";
    QTest::newRow("UTF-16 units on a card") << true << h + "99.jpg" << h + "100.jpg" << "255 文字";
    // Names a memory card cannot hold.
    for (const char *character : {":", "*", "?", "\"", "<", ">", "|", "\\"})
        QTest::addRow("%s on a card", character) << true << "ok.jpg" << QString("a%1b.jpg").arg(character)
                                                 << QString("文字「%1」は").arg(character);
    QTest::newRow("a tab on a card") << true << "ok.jpg" << "a\tb.jpg" << "制御文字（U+0009）は";
    QTest::newRow("a dot at the end on a card") << true << "ok.jpg" << "photo." << "終わりの「.」は";
    QTest::newRow("a blank at the end on a card") << true << "ok.jpg" << "photo.jpg " << "終わりの空白は";
    QTest::newRow("a device on a card") << true << "ok.jpg" << "CON.jpg" << "「CON」は装置の名前";
    QTest::newRow("a device in lower case, two extensions") << true << "ok.jpg" << "lpt9.tar.gz" << "「lpt9」は装置";
    QTest::newRow("a device without an extension") << true << "ok.jpg" << "Com1" << "「Com1」は装置の名前";
    QTest::newRow("a device name inside a longer one") << true << "ok.jpg" << "CONSOLE.jpg" << "";
    QTest::newRow("a port number beyond 9") << true << "ok.jpg" << "COM10.jpg" << "";
    QTest::newRow("a folder that tells letter case apart") << false << "ok.jpg" << "a:b.jpg" << "";
}

// Every name is checked before the first file is touched: one message names
// the file and why, and nothing moves.
void TestCopyFaults::namesTheFolderCannotTake()
{
    QFETCH(bool, fatLike);
    QFETCH(QString, fits);
    QFETCH(QString, refused);
    QFETCH(QString, reason);
    TempFolder source, destination;
    source.addFile("a.jpg", "A");
    source.addFile("b.jpg", "B");
    std::unique_ptr<TestPlatform> platform(fatLike ? new FatLikePlatform : new TestPlatform);
    RecordingProgress progress;
    const QMap<QString, QString> rule{{"a.jpg", fits}, {"b.jpg", refused}};

    const BatchEnd end = runBatch(*platform, progress,
                                   request(source.path(), destination.path(), rule.keys(), renameBy(rule), true));
    if (reason.isEmpty()) {
        QCOMPARE(end, BatchEnd::Normal);
        QCOMPARE(destination.names(), (QStringList{refused, fits}));
        return;
    }
    QCOMPARE(end, BatchEnd::Refused);
    QVERIFY(destination.names().isEmpty());
    QCOMPARE(source.names(), (QStringList{"a.jpg", "b.jpg"}));
    QCOMPARE(platform->messages.size(), size_t(1));
    const QString &told = platform->messages[0].text;
    QVERIFY2(told.contains(QString("「b.jpg」→「%1」：").arg(refused)) && told.contains(reason), qPrintable(told));
    QVERIFY(!told.contains("「a.jpg」"));
}

void TestCopyFaults::caseFoldingCard_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("fuse");
    for (const bool fuse : {false, true}) {
        const char *card = fuse ? "fusefat" : "FAT-like";
        // photo1 ... photo12 to Photo1 ... Photo12 in list order: one letter-case
        // change and a cycle of eleven.
        QTest::addRow("twelve photos renumbered in capitals, %s", card) << "twelve" << fuse;
        // a to b, b to c and x to y, y to x, while another program makes a file at
        // each name the run empties (b moved away, x set aside) before it lands.
        QTest::addRow("names taken after the run emptied them, %s", card) << "taken" << fuse;
    }
}

void TestCopyFaults::caseFoldingCard()
{
    QFETCH(QString, scenario);
    QFETCH(bool, fuse);
    TempFolder work;
    FuseMount mount;
    if (fuse) {
        const QString unavailable = fuseUnavailableReason();
        if (!unavailable.isEmpty()) QSKIP(qPrintable("No FAT image through FUSE: " + unavailable));
        QVERIFY(mountCard(work, mount));
    }
    const QString card = fuse ? mount.folder : work.path();
    std::unique_ptr<TestPlatform> platform(fuse ? new TestPlatform : new FatLikePlatform);
    RecordingProgress progress;
    // Photos taken long before the run: a driver that stamps a renamed file
    // with the time of the rename must not pass for another file.
    const auto write = [&](const QString &name, const QByteArray &content) {
        QFile file(card + name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        QVERIFY(file.setFileTime(QDateTime(QDate(2023, 5, 1), QTime(10, 0)), QFileDevice::FileModificationTime));
    };

    if (scenario == "twelve") {
        QStringList rows;
        for (int i = 1; i <= 12; ++i) {
            rows << QString("photo%1.jpg").arg(i);
            write(rows.last(), rows.last().toUtf8());
        }
        rows.sort(Qt::CaseInsensitive);
        QCOMPARE(runBatch(*platform, progress,
                           request(card, card, rows, SerialNameRule("Photo", 1, 0, "jpg"), true)),
                 BatchEnd::Normal);
        Files renamed;
        for (int i = 1; i <= 12; ++i) renamed.insert(QString("Photo%1.jpg").arg(i), rows[i - 1].toUtf8());
        QCOMPARE(snapshot(card), renamed);
        QCOMPARE(platform->messages.size(), size_t(0));
        return;
    }
    for (const char *name : {"a", "b", "x", "y"}) write(QString("%1.jpg").arg(name), QByteArray(name).toUpper());
    platform->beforeCall = [&](Operation operation, const QString &path) {
        const bool landing = operation == Operation::CopyFile || operation == Operation::Link;
        if (landing && (path.endsWith("/b.jpg") || path.endsWith("/x.jpg")) && !QFile::exists(path))
            write(path.mid(card.size()), "theirs");
    };
    const QMap<QString, QString> rule{{"a.jpg", "b.jpg"}, {"b.jpg", "c.jpg"}, {"x.jpg", "y.jpg"}, {"y.jpg", "x.jpg"}};
    QCOMPARE(runBatch(*platform, progress, request(card, card, rule.keys(), renameBy(rule), true)),
             BatchEnd::Normal);
    Files after = snapshot(card);
    const QString kept = after.key("X");
    QVERIFY(kept.startsWith(".norvanta2-kept-"));
    after.remove(kept);
    QCOMPARE(after, (Files{{"a.jpg", "A"}, {"b.jpg", "theirs"}, {"c.jpg", "B"}, {"x.jpg", "theirs"}, {"y.jpg", "Y"}}));
    QCOMPARE(platform->messages.size(), size_t(1));
    for (const QString &told : {QString("「a.jpg」→「b.jpg」"), QString("「y.jpg」→「x.jpg」"), kept})
        QVERIFY2(platform->messages[0].text.contains(told), qPrintable(platform->messages[0].text));
}

QTEST_GUILESS_MAIN(TestCopyFaults)
#include "tst_copyfaults.moc"
