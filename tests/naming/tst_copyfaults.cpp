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
                     int nth)
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
    if (nth > 0) platform->failCall(operation, nth, fault);
    RecordingProgress progress;
    CopyBatch(*platform, *platform, progress,
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

}  // namespace

class TestCopyFaults : public QObject {
    Q_OBJECT

private slots:
    void everyCallFailingInTurn_data();
    void everyCallFailingInTurn();
    void otherProgramsMeanwhile_data();
    void otherProgramsMeanwhile();
    void sourceReplacedBeforeItsNameIsTaken();
    void namesTooLongCopyNothing_data();
    void namesTooLongCopyNothing();
    void hiddenTargetIsAsked();
    void temporariesOfAKilledRun();
    void fatCard_data();
    void fatCard();
};

void TestCopyFaults::everyCallFailingInTurn_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("move");
    QTest::addColumn<bool>("fatLike");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<FsStatus>("fault");
    const FsStatus ioError = FsStatus::failure(FsFault::NotReady, QStringLiteral("I/O error"));
    // A name taken meanwhile skips a step and goes on: the steps after it must cope.
    const FsStatus taken = FsStatus::fromErrno(EEXIST);
    const std::tuple<const char *, Operation, FsStatus> failures[] = {
        {"copy", Operation::CopyFile, ioError},      {"rename", Operation::Rename, ioError},
        {"link", Operation::Link, ioError},          {"flush", Operation::FlushVolume, ioError},
        {"delete", Operation::DeleteFile, ioError},  {"identity", Operation::Identity, ioError},
        {"existence", Operation::Existence, ioError}, {"copy onto a taken name", Operation::CopyFile, taken},
        {"rename onto a taken name", Operation::Rename, taken}, {"link onto a taken name", Operation::Link, taken}};
    for (const bool fatLike : {false, true}) {
        for (const char *scenario : {"another folder", "chain", "cycle", "case only"}) {
            for (const bool move : {false, true}) {
                for (const auto &[name, operation, fault] : failures) {
                    QTest::addRow("%s, %s, %s, %s", fatLike ? "FAT" : "ext4", scenario, move ? "move" : "copy", name)
                        << scenario << move << fatLike << operation << fault;
                }
            }
        }
    }
}

// After any single failure every original still exists under some name, no
// temporary copy is left, and the user was told unless all went as without it.
void TestCopyFaults::everyCallFailingInTurn()
{
    QFETCH(QString, scenario);
    QFETCH(bool, move);
    QFETCH(bool, fatLike);
    QFETCH(Operation, operation);
    QFETCH(FsStatus, fault);

    const FaultRun clean = runScenario(scenario, move, fatLike, operation, fault, 0);
    for (int nth = 1;; ++nth) {
        const FaultRun run = runScenario(scenario, move, fatLike, operation, fault, nth);
        if (!run.reached) break;
        const QByteArray context = QByteArray("failing call ") + QByteArray::number(nth) + ": " + run.told.toUtf8();
        const QList<QByteArray> contents = run.after.values();
        for (const QByteArray &content : kContents) QVERIFY2(contents.contains(content), context + " lost " + content);
        for (const QString &name : run.after.keys()) {
            QVERIFY2(!isTemporaryCopy(name.mid(2)), context + " left " + name.toUtf8());
            if (name.contains(".norvanta2-kept-")) QVERIFY2(run.told.contains(name.mid(2)), context);
        }
        QVERIFY2(run.after == clean.after || !run.told.isEmpty(), context);
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
        if (event == "edited after copy" && operation == Operation::FlushVolume) source.addFile("b.jpg", "B!");
        if (event == "replaced after link" && operation == Operation::Identity && path == b) {
            source.addFile("new.tmp", "new B");
            QCOMPARE(::rename(qPrintable(source.pathOf("new.tmp")), qPrintable(b)), 0);
        }
    };
    if (event == "changed while copied") platform.failCall(Operation::CopyFile, 2, {FsFault::Changed, "changed"});
    if (event == "edited after copy") platform.failPath(Operation::Link, "", {FsFault::CannotLink, "EXDEV"});
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, platform, progress,
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
        if (replaced || operation != Operation::Identity || path != folder.pathOf("b.jpg")) return;
        replaced = true;
        folder.addFile("new.tmp", "new B");
        QCOMPARE(::rename(qPrintable(folder.pathOf("new.tmp")), qPrintable(path)), 0);
    };
    RecordingProgress progress;
    const QMap<QString, QString> rule{{"a.jpg", "b.jpg"}, {"b.jpg", "c.jpg"}};

    QCOMPARE(CopyBatch(platform, platform, progress,
                       request(folder.path(), folder.path(), rule.keys(), renameBy(rule), true)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(folder.path()), (Files{{"a.jpg", "A"}, {"b.jpg", "new B"}, {"c.jpg", "B"}}));
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.messages[0].text.contains("「a.jpg」→「b.jpg」"));
    QVERIFY(platform.messages[0].text.contains("「b.jpg」："));
}

void TestCopyFaults::namesTooLongCopyNothing_data()
{
    QTest::addColumn<bool>("fatLike");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("told");
    // 99 still fits, 100 makes 256 bytes: found before the first copy.
    QTest::newRow("bytes") << false << QString(249, 'h') << "255 バイト";
    QTest::newRow("bytes of Japanese") << false << QString(83, u'写') << "255 バイト";
    QTest::newRow("UTF-16 units on a card") << true << QString(249, 'h') << "255 文字";
}

void TestCopyFaults::namesTooLongCopyNothing()
{
    QFETCH(bool, fatLike);
    QFETCH(QString, head);
    QFETCH(QString, told);
    TempFolder source, destination;
    source.addFile("a.jpg", "A");
    source.addFile("b.jpg", "B");
    std::unique_ptr<TestPlatform> platform(fatLike ? new FatLikePlatform : new TestPlatform);
    RecordingProgress progress;

    QCOMPARE(CopyBatch(*platform, *platform, progress, request(source.path(), destination.path(), {"a.jpg", "b.jpg"},
                                                               SerialNameRule(head, 99, 0, "jpg"), true)),
             BatchEnd::Refused);
    QVERIFY(snapshot(destination.path()).isEmpty());
    QCOMPARE(source.names().size(), 2);
    QCOMPARE(platform->messages.size(), size_t(1));
    QVERIFY(platform->messages[0].text.contains(told));
    QVERIFY(platform->messages[0].text.contains("「b.jpg」"));
    QVERIFY(!platform->messages[0].text.contains("「a.jpg」"));
}

void TestCopyFaults::hiddenTargetIsAsked()
{
    TempFolder source, destination;
    source.addFile("a.png", "A");
    destination.addFile(".jpg", "hidden");
    TestPlatform platform;
    platform.answers = {MessageAnswer::No};
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, platform, progress, request(source.path(), destination.path(), {"a.png"},
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

    QCOMPARE(CopyBatch(platform, platform, progress, request(source.path(), destination.path(), {"a.png"},
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
    const QString image = work.pathOf("card.img");
    QCOMPARE(QProcess::execute(findTool("mkfs.fat"), {"-C", image, "8192"}), 0);
    const QString card = work.addFolder("card");
    FuseMount mount{card};
    QCOMPARE(QProcess::execute(findTool("fusefat"), {"-o", "rw+", image, card}), 0);
    QTRY_VERIFY_WITH_TIMEOUT(isFuseMount(card), 20000);
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
    QCOMPARE(CopyBatch(platform, platform, progress,
                       request(card, card + subfolder, rule.keys(), renameBy(rule), move)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(card + subfolder), after);
    if (!subfolder.isEmpty()) QVERIFY(snapshot(card).isEmpty());
    QCOMPARE(int(platform.messages.size()), messages);
}

QTEST_GUILESS_MAIN(TestCopyFaults)
#include "tst_copyfaults.moc"
