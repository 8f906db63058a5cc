#include "naming/copybatch.h"

#include "tempfolder.h"
#include "testplatform.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

using namespace nv;

Q_DECLARE_METATYPE(nv::MessageAnswer)
Q_DECLARE_METATYPE(nv::BatchEnd)

namespace {

using Files = QMap<QString, QByteArray>;

// Every file of a folder with its content, hidden ones included, so that a
// temporary or probe file left behind shows up too.
Files snapshot(const QString &folder)
{
    Files files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly)) files.insert(name, file.readAll());
    }
    return files;
}

class RecordingProgress : public BatchProgress {
public:
    QStringList calls;
    bool shown = false;
    int position = 0;

    void show(int maximum) override
    {
        calls << QStringLiteral("show %1").arg(maximum);
        shown = true;
        position = 0;
    }
    void setPosition(int value) override
    {
        calls << QStringLiteral("position %1").arg(value);
        position = value;
    }
    void hide() override
    {
        calls << QStringLiteral("hide");
        shown = false;
        position = 0;
    }
};

// The calls of a run that walked every row: show, one position per row, hide.
QStringList walkedRows(int rows, bool hidden = true)
{
    QStringList calls{QStringLiteral("show %1").arg(rows)};
    for (int row = 1; row <= rows; ++row) calls << QStringLiteral("position %1").arg(row);
    if (hidden) calls << QStringLiteral("hide");
    return calls;
}

NewNameRule renameBy(const QMap<QString, QString> &newNames)
{
    return [newNames](const QString &oldName) -> std::optional<QString> { return newNames.value(oldName); };
}

CopyBatchRequest request(const QString &from, const QString &to, const QStringList &rows, NewNameRule rule,
                         bool move, bool ask = true)
{
    return {from, to, rows, std::vector<bool>(size_t(rows.size()), true), std::move(rule), ask, move};
}

// Three sources a, b, c (contents A, B, C) that become new01..new03.jpg.
struct ThreeFiles {
    TempFolder source;
    TempFolder destination;
    ThreeFiles()
    {
        source.addFile("a.png", "A");
        source.addFile("b.png", "B");
        source.addFile("c.png", "C");
    }
    CopyBatchRequest request(bool move) const
    {
        return ::request(source.path(), destination.path(), {"a.png", "b.png", "c.png"},
                         SerialNameRule("new", 1, 2, "jpg"), move);
    }
};

}  // namespace

class TestCopyBatch : public QObject {
    Q_OBJECT

private slots:
    void unselectedRowsUseNoNumbers();
    void moveDeletesEverySourceAfterItsCopy();
    void nothingSelectedStillWalksTheBar();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void copyFailingOnTheThirdOfFive_data();
    void copyFailingOnTheThirdOfFive();
    void failingDeletionEndsTheRun();
    void failingFlushDeletesNoSource();
    void unwritableDestinationCopiesNothing();
    void invalidNewNameCopiesNothing_data();
    void invalidNewNameCopiesNothing();
    void numbersPastTheLargestCopyNothing();
    void sameFolderSameNameIsLeftAlone();
    void chainsOfSelectedNames_data();
    void chainsOfSelectedNames();
    void chainThroughALinkedFolder();
    void replacedCopyKeepsItsSource();
    void hardLinkedTargetIsLeftAlone();
    void caseInsensitiveCardKeepsTheFile();
};

void TestCopyBatch::unselectedRowsUseNoNumbers()
{
    TempFolder source, destination;
    const QStringList rows{"w.png", "x.png", "y.png", "z.png"};
    for (const QString &row : rows) source.addFile(row, row.toUtf8());
    TestPlatform platform;
    RecordingProgress progress;
    CopyBatchRequest batch = request(source.path(), destination.path(), rows, SerialNameRule("head", 5, 2, "jpg"),
                                     false);
    batch.selected = {false, true, false, true};

    QCOMPARE(CopyBatch(platform, progress, batch), BatchEnd::Normal);
    QCOMPARE(snapshot(destination.path()), (Files{{"head05.jpg", "x.png"}, {"head06.jpg", "z.png"}}));
    QCOMPARE(source.names(), rows);
    QCOMPARE(progress.calls, walkedRows(4));
    QVERIFY(platform.messages.empty());
}

void TestCopyBatch::moveDeletesEverySourceAfterItsCopy()
{
    ThreeFiles files;
    TestPlatform platform;
    RecordingProgress progress;
    QCOMPARE(CopyBatch(platform, progress, files.request(true)), BatchEnd::Normal);
    QCOMPARE(snapshot(files.destination.path()), (Files{{"new01.jpg", "A"}, {"new02.jpg", "B"}, {"new03.jpg", "C"}}));
    QVERIFY(files.source.names().isEmpty());
    QCOMPARE(platform.callCount(TestPlatform::Operation::FlushVolume), 1);
    QCOMPARE(progress.calls, walkedRows(3));
}

void TestCopyBatch::nothingSelectedStillWalksTheBar()
{
    ThreeFiles files;
    TestPlatform platform;
    RecordingProgress progress;
    CopyBatchRequest batch = files.request(true);
    batch.selected.assign(3, false);
    QCOMPARE(CopyBatch(platform, progress, batch), BatchEnd::Normal);
    QVERIFY(snapshot(files.destination.path()).isEmpty());
    QCOMPARE(files.source.names().size(), 3);
    QCOMPARE(progress.calls, walkedRows(3));

    RecordingProgress emptyList;
    QCOMPARE(CopyBatch(platform, emptyList, request(files.source.path(), files.destination.path(), {},
                                                    SerialNameRule("n", 1, 0, "j"), true)),
             BatchEnd::Normal);
    QCOMPARE(emptyList.calls, walkedRows(0));
}

void TestCopyBatch::overwriteQuestion_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("move");
    QTest::addColumn<Files>("copies");
    QTest::addColumn<QStringList>("sourcesLeft");
    QTest::addColumn<BatchEnd>("end");
    QTest::addColumn<QStringList>("progressCalls");

    const QStringList all{"a.png", "b.png", "c.png"};
    const Files replaced{{"new01.jpg", "A"}, {"new02.jpg", "B"}, {"new03.jpg", "C"}};
    const Files declined{{"new01.jpg", "A"}, {"new02.jpg", "old"}, {"new03.jpg", "C"}};
    const Files cancelled{{"new01.jpg", "A"}, {"new02.jpg", "old"}};
    const QStringList stopped{"show 3", "position 1"};
    QTest::newRow("yes, copy") << MessageAnswer::Yes << false << replaced << all << BatchEnd::Normal << walkedRows(3);
    QTest::newRow("yes, move") << MessageAnswer::Yes << true << replaced << QStringList() << BatchEnd::Normal
                               << walkedRows(3);
    // The declined file keeps its number: c still becomes new03.
    QTest::newRow("no, copy") << MessageAnswer::No << false << declined << all << BatchEnd::Normal << walkedRows(3);
    QTest::newRow("no, move keeps the declined source")
        << MessageAnswer::No << true << declined << QStringList{"b.png"} << BatchEnd::Normal << walkedRows(3);
    QTest::newRow("cancel, copy") << MessageAnswer::Cancel << false << cancelled << all << BatchEnd::Cancelled
                                  << stopped;
    QTest::newRow("cancel, move deletes nothing")
        << MessageAnswer::Cancel << true << cancelled << all << BatchEnd::Cancelled << stopped;
}

void TestCopyBatch::overwriteQuestion()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, move);
    QFETCH(Files, copies);
    QFETCH(QStringList, sourcesLeft);
    QFETCH(BatchEnd, end);
    QFETCH(QStringList, progressCalls);

    ThreeFiles files;
    files.destination.addFile("new02.jpg", "old");
    TestPlatform platform;
    platform.answers = {answer};
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, progress, files.request(move)), end);
    QCOMPARE(platform.messages.size(), size_t(1));
    const ShownMessage &question = platform.messages.front();
    QCOMPARE(question.text, QString::fromUtf8("new02.jpgと同名のファイルが存在します。上書きしますか？"));
    QCOMPARE(question.buttons, MessageButtons::YesNoCancel);
    QCOMPARE(question.icon, MessageIcon::Exclamation);
    QCOMPARE(question.title, QStringLiteral("Norvanta2"));
    QCOMPARE(snapshot(files.destination.path()), copies);
    QCOMPARE(files.source.names(), sourcesLeft);
    QCOMPARE(progress.calls, progressCalls);
}

void TestCopyBatch::copyFailingOnTheThirdOfFive_data()
{
    QTest::addColumn<bool>("move");
    QTest::newRow("copy") << false;
    QTest::newRow("move") << true;
}

void TestCopyBatch::copyFailingOnTheThirdOfFive()
{
    QFETCH(bool, move);
    TempFolder source, destination;
    const QStringList rows{"1.png", "2.png", "3.png", "4.png", "5.png"};
    for (const QString &row : rows) source.addFile(row, row.toUtf8());
    TestPlatform platform;
    platform.failCall(TestPlatform::Operation::CopyFile, 3, FsStatus::failure(FsFault::Other, "No space left"));
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, progress, request(source.path(), destination.path(), rows,
                                                   SerialNameRule("n", 1, 1, "jpg"), move)),
             BatchEnd::Failed);
    QCOMPARE(snapshot(destination.path()), (Files{{"n1.jpg", "1.png"}, {"n2.jpg", "2.png"}}));
    QCOMPARE(source.names(), rows);
    QCOMPARE(progress.calls, (QStringList{"show 5", "position 1", "position 2"}));
    QCOMPARE(platform.messages.size(), size_t(1));
    const ShownMessage &message = platform.messages.front();
    QVERIFY2(message.text.contains(source.pathOf("3.png")), qPrintable(message.text));
    QVERIFY(message.text.contains("n3.jpg"));
    QVERIFY(message.text.contains("No space left"));
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QCOMPARE(message.title, QStringLiteral("Norvanta2"));
}

void TestCopyBatch::failingDeletionEndsTheRun()
{
    ThreeFiles files;
    TestPlatform platform;
    platform.failCall(TestPlatform::Operation::DeleteFile, 2, FsStatus::failure(FsFault::Other, "Permission denied"));
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, progress, files.request(true)), BatchEnd::Failed);
    QCOMPARE(snapshot(files.destination.path()), (Files{{"new01.jpg", "A"}, {"new02.jpg", "B"}, {"new03.jpg", "C"}}));
    QCOMPARE(files.source.names(), (QStringList{"b.png", "c.png"}));
    QCOMPARE(progress.calls, walkedRows(3, false));
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.messages.front().text.contains(files.source.pathOf("b.png")));
    QVERIFY(platform.messages.front().text.contains("Permission denied"));
}

void TestCopyBatch::failingFlushDeletesNoSource()
{
    ThreeFiles files;
    TestPlatform platform;
    platform.failCall(TestPlatform::Operation::FlushVolume, 1, FsStatus::failure(FsFault::NotReady, "I/O error"));
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, progress, files.request(true)), BatchEnd::Failed);
    QCOMPARE(files.source.names().size(), 3);
    QCOMPARE(platform.callCount(TestPlatform::Operation::DeleteFile), 0);
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.messages.front().text.contains("I/O error"));
    QVERIFY(progress.shown);
}

void TestCopyBatch::unwritableDestinationCopiesNothing()
{
    ThreeFiles files;
    TestPlatform platform;
    platform.failCall(TestPlatform::Operation::ProbeFolder, 1, FsStatus::failure(FsFault::Other, "Read-only"));
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, progress, files.request(true)), BatchEnd::Failed);
    QCOMPARE(platform.callCount(TestPlatform::Operation::CopyFile), 0);
    QVERIFY(progress.calls.isEmpty());
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.messages.front().text.contains(files.destination.path()));
    QVERIFY(platform.messages.front().text.contains("Read-only"));
}

void TestCopyBatch::invalidNewNameCopiesNothing_data()
{
    QTest::addColumn<QString>("badName");
    QTest::addColumn<QString>("shownAs");
    QTest::newRow("empty") << "" << "「」";
    QTest::newRow("dot") << "." << "「.」";
    QTest::newRow("dot dot") << ".." << "「..」";
    QTest::newRow("slash") << "../escape.jpg" << "「../escape.jpg」";
    QTest::newRow("NUL") << QString("a") + QChar(0) + "b.jpg" << QString::fromUtf8("「a\u2400b.jpg」");
}

void TestCopyBatch::invalidNewNameCopiesNothing()
{
    QFETCH(QString, badName);
    QFETCH(QString, shownAs);
    ThreeFiles files;
    TestPlatform platform;
    RecordingProgress progress;
    const QMap<QString, QString> newNames{{"a.png", "fine.jpg"}, {"b.png", badName}, {"c.png", "also.jpg"}};

    QCOMPARE(CopyBatch(platform, progress, request(files.source.path(), files.destination.path(),
                                                   {"a.png", "b.png", "c.png"}, renameBy(newNames), true)),
             BatchEnd::Failed);
    QCOMPARE(platform.callCount(TestPlatform::Operation::CopyFile), 0);
    QVERIFY(snapshot(files.destination.path()).isEmpty());
    QCOMPARE(files.source.names().size(), 3);
    QVERIFY(progress.calls.isEmpty());
    QCOMPARE(platform.messages.size(), size_t(1));
    const ShownMessage &message = platform.messages.front();
    QVERIFY2(message.text.contains(shownAs) && message.text.contains("b.png"), qPrintable(message.text));
    QVERIFY(!message.text.contains(QChar(0)));
    QCOMPARE(message.title, QStringLiteral("Norvanta2"));
}

void TestCopyBatch::numbersPastTheLargestCopyNothing()
{
    ThreeFiles files;
    TestPlatform platform;
    RecordingProgress progress;
    CopyBatchRequest batch = files.request(false);
    batch.newName = SerialNameRule("n", 2147483646, 0, "jpg");

    QCOMPARE(CopyBatch(platform, progress, batch), BatchEnd::Failed);
    QVERIFY(snapshot(files.destination.path()).isEmpty());
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.messages.front().text.contains("c.png"));
}

void TestCopyBatch::sameFolderSameNameIsLeftAlone()
{
    TempFolder folder;
    folder.addFile("a.jpg", "A");
    folder.addFile("b.jpg", "B");
    TestPlatform platform;
    RecordingProgress progress;
    const QMap<QString, QString> newNames{{"a.jpg", "a.jpg"}, {"b.jpg", "c.jpg"}};

    QCOMPARE(CopyBatch(platform, progress,
                       request(folder.path(), folder.path(), {"a.jpg", "b.jpg"}, renameBy(newNames), true)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(folder.path()), (Files{{"a.jpg", "A"}, {"c.jpg", "B"}}));
    QVERIFY(platform.messages.empty());
    QCOMPARE(progress.calls, walkedRows(2));
}

void TestCopyBatch::chainsOfSelectedNames_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("newNames");
    QTest::addColumn<bool>("move");
    QTest::addColumn<Files>("after");
    QTest::addColumn<int>("questions");

    // A plain loop would delete a.jpg, which then holds B's only copy.
    QTest::newRow("b takes a's name, move") << QStringList{"a.jpg", "b.jpg"} << QStringList{"x.jpg", "a.jpg"} << true
                                            << Files{{"x.jpg", "A"}, {"a.jpg", "B"}} << 1;
    QTest::newRow("three in a row, move")
        << QStringList{"a.jpg", "b.jpg", "c.jpg"} << QStringList{"x.jpg", "a.jpg", "b.jpg"} << true
        << Files{{"x.jpg", "A"}, {"a.jpg", "B"}, {"b.jpg", "C"}} << 2;
    // Once a.jpg has replaced b.jpg (the user agreed), b.jpg holds A: copying
    // it on would spread A, and deleting it would lose A.
    QTest::newRow("a takes b's name first, move")
        << QStringList{"a.jpg", "b.jpg"} << QStringList{"b.jpg", "c.jpg"} << true
        << Files{{"b.jpg", "A"}} << 1;
    QTest::newRow("a takes b's name first, copy")
        << QStringList{"a.jpg", "b.jpg"} << QStringList{"b.jpg", "c.jpg"} << false
        << Files{{"a.jpg", "A"}, {"b.jpg", "A"}} << 1;
}

void TestCopyBatch::chainsOfSelectedNames()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, newNames);
    QFETCH(bool, move);
    QFETCH(Files, after);
    QFETCH(int, questions);

    TempFolder folder;
    QMap<QString, QString> rule;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        folder.addFile(rows[i], rows[i].left(1).toUpper().toUtf8());
        rule.insert(rows[i], newNames[i]);
    }
    TestPlatform platform;
    platform.answers.assign(size_t(questions), MessageAnswer::Yes);
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, progress, request(folder.path(), folder.path(), rows, renameBy(rule), move)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(folder.path()), after);
    QCOMPARE(int(platform.messages.size()), questions);
    QCOMPARE(platform.unansweredMessages, 0);
}

void TestCopyBatch::chainThroughALinkedFolder()
{
    TempFolder work;
    const QString real = work.addFolder("real");
    QVERIFY(::symlink(qPrintable(real), qPrintable(work.pathOf("link"))) == 0);
    const QString linked = work.pathOf("link/");
    for (const auto &[name, content] : {std::pair{"a.jpg", "A"}, std::pair{"b.jpg", "B"}}) {
        QFile file(real + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    TestPlatform platform;
    platform.answers = {MessageAnswer::Yes};
    RecordingProgress progress;
    const QMap<QString, QString> newNames{{"a.jpg", "x.jpg"}, {"b.jpg", "a.jpg"}};

    QCOMPARE(CopyBatch(platform, progress, request(linked, real, {"a.jpg", "b.jpg"}, renameBy(newNames), true)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(real), (Files{{"x.jpg", "A"}, {"a.jpg", "B"}}));
}

void TestCopyBatch::replacedCopyKeepsItsSource()
{
    // Two sources with one new name and no question (the extension rule):
    // the second copy replaces the first, so the first source must stay.
    TempFolder source, destination;
    source.addFile("photo.jpg", "J");
    source.addFile("photo.gif", "G");
    TestPlatform platform;
    RecordingProgress progress;
    const QMap<QString, QString> newNames{{"photo.jpg", "photo.png"}, {"photo.gif", "photo.png"}};

    QCOMPARE(CopyBatch(platform, progress, request(source.path(), destination.path(), {"photo.jpg", "photo.gif"},
                                                   renameBy(newNames), true, false)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(destination.path()), (Files{{"photo.png", "G"}}));
    QCOMPARE(source.names(), QStringList{"photo.jpg"});
    QVERIFY(platform.messages.empty());
}

void TestCopyBatch::hardLinkedTargetIsLeftAlone()
{
    TempFolder source, destination;
    source.addFile("a.png", "A");
    source.addFile("b.png", "B");
    QVERIFY(::link(qPrintable(source.pathOf("a.png")), qPrintable(destination.pathOf("new01.jpg"))) == 0);
    TestPlatform platform;
    RecordingProgress progress;

    QCOMPARE(CopyBatch(platform, progress, request(source.path(), destination.path(), {"a.png", "b.png"},
                                                   SerialNameRule("new", 1, 2, "jpg"), true)),
             BatchEnd::Normal);
    QVERIFY(platform.messages.empty());   // not asked: it is the very same file
    QCOMPARE(source.names(), QStringList{"a.png"});
    QCOMPARE(snapshot(destination.path()), (Files{{"new01.jpg", "A"}, {"new02.jpg", "B"}}));
    struct stat original {}, linked {};
    QVERIFY(::stat(qPrintable(source.pathOf("a.png")), &original) == 0);
    QVERIFY(::stat(qPrintable(destination.pathOf("new01.jpg")), &linked) == 0);
    QCOMPARE(linked.st_ino, original.st_ino);
}

// --- a FAT card mounted through FUSE -------------------------------------------------

namespace {

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

void TestCopyBatch::caseInsensitiveCardKeepsTheFile()
{
    const QString unavailable = fuseUnavailableReason();
    if (!unavailable.isEmpty()) QSKIP(qPrintable("No FAT image through FUSE: " + unavailable));

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
    TestPlatform probing;
    const FsResult<Platform::FolderProbe> cardProbe = probing.probeFolder(card, card);
    QVERIFY(cardProbe.ok());
    QVERIFY(cardProbe.value.foldsLetterCase);
    QVERIFY(cardProbe.value.sameAsOther);
    QVERIFY(!probing.probeFolder(work.path(), card).value.foldsLetterCase);

    // Lower-case the extensions in place: on this card the new name is the old file.
    TestPlatform platform;
    RecordingProgress progress;
    const QMap<QString, QString> newNames{{"DSC001.JPG", "DSC001.jpg"}, {"DSC002.JPG", "DSC002.jpg"}};
    QCOMPARE(CopyBatch(platform, progress, request(card, card, {"DSC001.JPG", "DSC002.JPG"}, renameBy(newNames),
                                                   true)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(card), (Files{{"DSC001.JPG", "one"}, {"DSC002.JPG", "two"}}));
    QVERIFY(platform.messages.empty());

    // Between two folders of the card the names are two files, and the move goes ahead.
    const QString other = card + "DCIM/";
    QVERIFY(QDir().mkdir(other));
    QCOMPARE(CopyBatch(platform, progress, request(card, other, {"DSC001.JPG"}, renameBy(newNames), true)),
             BatchEnd::Normal);
    QVERIFY(platform.messages.empty());
    QCOMPARE(snapshot(other), (Files{{"DSC001.jpg", "one"}}));
    QCOMPARE(snapshot(card), (Files{{"DSC002.JPG", "two"}}));
}

QTEST_GUILESS_MAIN(TestCopyBatch)
#include "tst_copybatch.moc"
