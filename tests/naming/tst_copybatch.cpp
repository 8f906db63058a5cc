// SPDX-License-Identifier: GPL-3.0-or-later
#include "batchsupport.h"
#include "fatlikeplatform.h"
#include "tempfolder.h"

#include <QDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace nv;

Q_DECLARE_METATYPE(nv::MessageAnswer)
Q_DECLARE_METATYPE(nv::BatchEnd)

using QStringMap = QMap<QString, QString>;

namespace {

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
    void moveDeletesEverySourceAfterItsCopy_data();
    void moveDeletesEverySourceAfterItsCopy();
    void nothingSelectedStillWalksTheBar();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void copyFailingOnTheThirdOfFive_data();
    void copyFailingOnTheThirdOfFive();
    void copiesWrittenAhead_data();
    void copiesWrittenAhead();
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
    void withoutTheQuestion_data();
    void withoutTheQuestion();
    void hardLinkedTargetIsLeftAlone();
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

    QCOMPARE(runBatch(platform, progress, batch), BatchEnd::Normal);
    QCOMPARE(snapshot(destination.path()), (Files{{"head05.jpg", "x.png"}, {"head06.jpg", "z.png"}}));
    QCOMPARE(source.names(), rows);
    QCOMPARE(progress.calls, walkedRows(4));
    QVERIFY(platform.messages.empty());
}

void TestCopyBatch::moveDeletesEverySourceAfterItsCopy_data()
{
    QTest::addColumn<bool>("linksRefused");
    // Within one file system a move only gives the files new names: nothing
    // to copy, nothing to flush.
    QTest::newRow("one file system") << false;
    QTest::newRow("no hard links") << true;
}

void TestCopyBatch::moveDeletesEverySourceAfterItsCopy()
{
    QFETCH(bool, linksRefused);
    ThreeFiles files;
    QCOMPARE(::chmod(qPrintable(files.source.pathOf("a.png")), 0444), 0);   // a read-only photo stays so
    struct stat original {};
    QVERIFY(::stat(qPrintable(files.source.pathOf("a.png")), &original) == 0);
    TestPlatform platform;
    if (linksRefused) platform.failPath(TestPlatform::Operation::Link, "", {FsFault::CannotLink, "EXDEV"});
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, files.request(true)), BatchEnd::Normal);
    QCOMPARE(snapshot(files.destination.path()), (Files{{"new01.jpg", "A"}, {"new02.jpg", "B"}, {"new03.jpg", "C"}}));
    QVERIFY(files.source.names().isEmpty());
    QCOMPARE(platform.callCount(TestPlatform::Operation::CopyFile), linksRefused ? 3 : 0);
    QCOMPARE(platform.callCount(TestPlatform::Operation::FlushCopies), linksRefused ? 1 : 0);
    struct stat moved {};
    QVERIFY(::stat(qPrintable(files.destination.pathOf("new01.jpg")), &moved) == 0);
    QCOMPARE(moved.st_ino == original.st_ino, !linksRefused);
    QCOMPARE(moved.st_mode & 0777, mode_t(0444));
    QCOMPARE(progress.calls, walkedRows(3));
    QCOMPARE(platform.busyDepth, 0);
}

void TestCopyBatch::nothingSelectedStillWalksTheBar()
{
    ThreeFiles files;
    TestPlatform platform;
    RecordingProgress progress;
    CopyBatchRequest batch = files.request(true);
    batch.selected.assign(3, false);
    QCOMPARE(runBatch(platform, progress, batch), BatchEnd::Normal);
    QVERIFY(snapshot(files.destination.path()).isEmpty());
    QCOMPARE(files.source.names().size(), 3);
    QCOMPARE(progress.calls, walkedRows(3));

    RecordingProgress emptyList;
    QCOMPARE(runBatch(platform, emptyList, request(files.source.path(), files.destination.path(), {},
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
    // Every question comes before the first copy: Cancel leaves every file as it was.
    const Files cancelled{{"new02.jpg", "old"}};
    const QStringList stopped;
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

    QCOMPARE(runBatch(platform, progress, files.request(move)), end);
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
    platform.failCall(move ? TestPlatform::Operation::Link : TestPlatform::Operation::CopyFile, 3,
                      FsStatus::failure(FsFault::Other, "No space left"));
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, request(source.path(), destination.path(), rows,
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
    QVERIFY(message.text.contains(QString::fromUtf8(" 2 個")));
    QCOMPARE(message.buttons, MessageButtons::Ok);
    QCOMPARE(message.title, QStringLiteral("Norvanta2"));
}

void TestCopyBatch::copiesWrittenAhead_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<int>("landed");
    QTest::newRow("stop: nothing written ahead lands, no temporary stays") << 1 << 2 << 2;
    QTest::newRow("large files, two writers: each under its own name") << (256 << 10) << -1 << 40;
}

// Copies are written ahead of the one that lands, on two threads for large files.
void TestCopyBatch::copiesWrittenAhead()
{
    QFETCH(int, size);
    QFETCH(int, stopAt);
    QFETCH(int, landed);
    TempFolder source, destination;
    QStringList rows;
    Files expected;
    for (int i = 1; i <= 40; ++i) {
        rows.append(QString("%1.png").arg(i, 2, 10, QLatin1Char('0')));
        const QByteArray content(size, char('A' + i));
        source.addFile(rows.back(), content);
        if (i <= landed) expected.insert(QString("n%1.jpg").arg(i, 2, 10, QLatin1Char('0')), content);
    }
    TestPlatform platform;
    platform.answers = {MessageAnswer::No};   // after the stop: keeps the copies made
    RecordingProgress progress;
    progress.stopAt = stopAt;

    QCOMPARE(runBatch(platform, progress, request(source.path(), destination.path(), rows,
                                                  SerialNameRule("n", 1, 2, "jpg"), false)),
             stopAt < 0 ? BatchEnd::Normal : BatchEnd::Stopped);
    QVERIFY(snapshot(destination.path()) == expected);
}

void TestCopyBatch::failingDeletionEndsTheRun()
{
    ThreeFiles files;
    TestPlatform platform;
    platform.failCall(TestPlatform::Operation::DeleteFile, 2, FsStatus::failure(FsFault::Other, "Permission denied"));
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, files.request(true)), BatchEnd::Failed);
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
    platform.failPath(TestPlatform::Operation::Link, "", {FsFault::CannotLink, "EXDEV"});
    platform.failCall(TestPlatform::Operation::FlushCopies, 1, FsStatus::failure(FsFault::NotReady, "I/O error"));
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, files.request(true)), BatchEnd::Failed);
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

    QCOMPARE(runBatch(platform, progress, files.request(true)), BatchEnd::Refused);
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

    QCOMPARE(runBatch(platform, progress, request(files.source.path(), files.destination.path(),
                                                             {"a.png", "b.png", "c.png"}, renameBy(newNames), true)),
             BatchEnd::Refused);
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

    QCOMPARE(runBatch(platform, progress, batch), BatchEnd::Refused);
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

    QCOMPARE(runBatch(platform, progress,
                       request(folder.path(), folder.path(), {"a.jpg", "b.jpg"}, renameBy(newNames), true)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(folder.path()), (Files{{"a.jpg", "A"}, {"c.jpg", "B"}}));
    QVERIFY(platform.messages.empty());
    QCOMPARE(progress.calls, walkedRows(2));
}

void TestCopyBatch::chainsOfSelectedNames_data()
{
    QTest::addColumn<QStringList>("rows");       // each holds its upper-cased first letter
    QTest::addColumn<QStringList>("newNames");
    QTest::addColumn<Files>("others");           // files of the folder that are not selected
    QTest::addColumn<bool>("move");
    QTest::addColumn<QString>("answers");        // Y or N for each question, in order
    QTest::addColumn<QStringList>("asked");      // the names asked about, in order
    QTest::addColumn<Files>("after");

    const QStringList numbered{"1.jpg", "2.jpg", "3.jpg"};
    const QStringList renumbered{"2.jpg", "3.jpg", "4.jpg"};
    // Renumbering from 2 in place: every content lands one number up.
    QTest::newRow("renumber, move") << numbered << renumbered << Files() << true << "" << QStringList()
                                    << Files{{"2.jpg", "1"}, {"3.jpg", "2"}, {"4.jpg", "3"}};
    QTest::newRow("renumber, copy, yes to both")
        << numbered << renumbered << Files() << false << "YY" << QStringList{"2.jpg", "3.jpg"}
        << Files{{"1.jpg", "1"}, {"2.jpg", "1"}, {"3.jpg", "2"}, {"4.jpg", "3"}};
    QTest::newRow("renumber, copy, no to both")
        << numbered << renumbered << Files() << false << "NN" << QStringList{"2.jpg", "3.jpg"}
        << Files{{"1.jpg", "1"}, {"2.jpg", "2"}, {"3.jpg", "3"}, {"4.jpg", "3"}};
    QTest::newRow("b takes a's name, move") << QStringList{"a.jpg", "b.jpg"} << QStringList{"x.jpg", "a.jpg"}
                                            << Files() << true << "" << QStringList()
                                            << Files{{"x.jpg", "A"}, {"a.jpg", "B"}};
    // A plain loop replaced b.jpg first and then moved the replaced b.jpg on, losing B.
    QTest::newRow("a takes b's name first, move")
        << QStringList{"a.jpg", "b.jpg"} << QStringList{"b.jpg", "c.jpg"} << Files() << true << "" << QStringList()
        << Files{{"b.jpg", "A"}, {"c.jpg", "B"}};
    QTest::newRow("a takes b's name first, copy")
        << QStringList{"a.jpg", "b.jpg"} << QStringList{"b.jpg", "c.jpg"} << Files() << false << "Y"
        << QStringList{"b.jpg"} << Files{{"a.jpg", "A"}, {"b.jpg", "A"}, {"c.jpg", "B"}};
    QTest::newRow("swap, move") << QStringList{"a.jpg", "b.jpg"} << QStringList{"b.jpg", "a.jpg"} << Files() << true
                                << "" << QStringList() << Files{{"a.jpg", "B"}, {"b.jpg", "A"}};
    QTest::newRow("swap, copy, yes to both") << QStringList{"a.jpg", "b.jpg"} << QStringList{"b.jpg", "a.jpg"}
                                             << Files() << false << "YY" << QStringList{"b.jpg", "a.jpg"}
                                             << Files{{"a.jpg", "B"}, {"b.jpg", "A"}};
    QTest::newRow("three in a ring, move")
        << QStringList{"a.jpg", "b.jpg", "c.jpg"} << QStringList{"b.jpg", "c.jpg", "a.jpg"} << Files() << true << ""
        << QStringList() << Files{{"a.jpg", "C"}, {"b.jpg", "A"}, {"c.jpg", "B"}};
    // No keeps b.jpg in place, so a.jpg would now replace it: asked too, after.
    QTest::newRow("no in move mode puts a source in the way")
        << QStringList{"a.jpg", "b.jpg"} << QStringList{"b.jpg", "c.jpg"} << Files{{"c.jpg", "old"}} << true << "NN"
        << QStringList{"c.jpg", "b.jpg"} << Files{{"a.jpg", "A"}, {"b.jpg", "B"}, {"c.jpg", "old"}};
}

void TestCopyBatch::chainsOfSelectedNames()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, newNames);
    QFETCH(Files, others);
    QFETCH(bool, move);
    QFETCH(QString, answers);
    QFETCH(QStringList, asked);
    QFETCH(Files, after);

    TempFolder folder;
    QMap<QString, QString> rule;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        folder.addFile(rows[i], rows[i].left(1).toUpper().toUtf8());
        rule.insert(rows[i], newNames[i]);
    }
    for (auto other = others.cbegin(); other != others.cend(); ++other) folder.addFile(other.key(), other.value());
    TestPlatform platform;
    for (const QChar answer : answers)
        platform.answers.push_back(answer == 'Y' ? MessageAnswer::Yes : MessageAnswer::No);
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, request(folder.path(), folder.path(), rows, renameBy(rule), move)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(folder.path()), after);
    QStringList questions;
    for (const ShownMessage &message : platform.messages) questions << message.text.section(QChar(u'と'), 0, 0);
    QCOMPARE(questions, asked);
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
    RecordingProgress progress;
    const QMap<QString, QString> newNames{{"a.jpg", "x.jpg"}, {"b.jpg", "a.jpg"}};

    QCOMPARE(runBatch(platform, progress,
                       request(linked, real, {"a.jpg", "b.jpg"}, renameBy(newNames), true)),
             BatchEnd::Normal);
    QCOMPARE(snapshot(real), (Files{{"x.jpg", "A"}, {"a.jpg", "B"}}));
    QVERIFY(platform.messages.empty());   // a.jpg moves away in this same run
}

void TestCopyBatch::withoutTheQuestion_data()
{
    QTest::addColumn<bool>("fatLike");
    QTest::addColumn<bool>("sameFolder");
    QTest::addColumn<Files>("sources");
    QTest::addColumn<QStringMap>("newNames");
    QTest::addColumn<Files>("existing");   // in the destination before the run
    QTest::addColumn<BatchEnd>("end");
    QTest::addColumn<Files>("after");      // the destination
    QTest::addColumn<QString>("told");     // in the message; empty when there is none

    // A plain name taken and two files with one new name are tried through the window.
    const Files photo{{"photo.jpg", "J"}};
    QTest::newRow("hidden name taken") << false << false << photo << QStringMap{{"photo.jpg", ".png"}}
                                       << Files{{".png", "old"}} << BatchEnd::Refused << Files{{".png", "old"}}
                                       << "「photo.jpg」→「.png」";
    QTest::newRow("taken in another letter case on a card")
        << true << false << photo << QStringMap{{"photo.jpg", "photo.png"}} << Files{{"PHOTO.PNG", "old"}}
        << BatchEnd::Refused << Files{{"PHOTO.PNG", "old"}} << "「photo.jpg」→「photo.png」";
    QTest::newRow("own name left alone") << false << true << Files{{"photo.png", "P"}, {"a.jpg", "A"}}
                                         << QStringMap{{"photo.png", "photo.png"}, {"a.jpg", "a.png"}} << Files()
                                         << BatchEnd::Normal
                                         << Files{{"photo.png", "P"}, {"a.jpg", "A"}, {"a.png", "A"}} << "";
}

// The extension replacement asks nothing, so it never replaces: a clash is
// told before the first copy and nothing is copied.
void TestCopyBatch::withoutTheQuestion()
{
    QFETCH(bool, fatLike);
    QFETCH(bool, sameFolder);
    QFETCH(Files, sources);
    QFETCH(QStringMap, newNames);
    QFETCH(Files, existing);
    QFETCH(BatchEnd, end);
    QFETCH(Files, after);
    QFETCH(QString, told);

    TempFolder source, other;
    const TempFolder &destination = sameFolder ? source : other;
    for (auto file = sources.cbegin(); file != sources.cend(); ++file) source.addFile(file.key(), file.value());
    for (auto file = existing.cbegin(); file != existing.cend(); ++file) other.addFile(file.key(), file.value());
    std::unique_ptr<TestPlatform> platform(fatLike ? new FatLikePlatform : new TestPlatform);
    RecordingProgress progress;

    QCOMPARE(runBatch(*platform, progress, request(source.path(), destination.path(), sources.keys(),
                                                               renameBy(newNames), false, false)),
             end);
    QCOMPARE(snapshot(destination.path()), after);
    QCOMPARE(snapshot(source.path()).keys(), sameFolder ? after.keys() : sources.keys());
    QCOMPARE(platform->messages.size(), size_t(told.isEmpty() ? 0 : 1));
    if (!told.isEmpty()) QVERIFY2(platform->messages[0].text.contains(told), qPrintable(platform->messages[0].text));
}

void TestCopyBatch::hardLinkedTargetIsLeftAlone()
{
    TempFolder source, destination;
    source.addFile("a.png", "A");
    source.addFile("b.png", "B");
    QVERIFY(::link(qPrintable(source.pathOf("a.png")), qPrintable(destination.pathOf("new01.jpg"))) == 0);
    TestPlatform platform;
    RecordingProgress progress;

    QCOMPARE(runBatch(platform, progress, request(source.path(), destination.path(), {"a.png", "b.png"},
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

QTEST_GUILESS_MAIN(TestCopyBatch)
#include "tst_copybatch.moc"
