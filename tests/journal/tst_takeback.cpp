// SPDX-License-Identifier: GPL-3.0-or-later
// Taking batches back: after a crash at each kind of step, with either
// recovery choice, and by the undo of a finished batch.
#include "batchsupport.h"
#include "fatlikeplatform.h"
#include "tempfolder.h"

#include "journal/recovery.h"
#include "journal/undo.h"

#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace nv;
using Operation = CallFaults::Operation;
using CutPoint = CallFaults::CutPoint;

Q_DECLARE_METATYPE(nv::CallFaults::Operation)
Q_DECLARE_METATYPE(nv::CallFaults::CutPoint)

namespace {

// What both folders hold, the destination's names marked "d/".
Files bothFolders(const TempFolder &source, const TempFolder &destination)
{
    Files files = snapshot(source.path());
    if (source.path() != destination.path()) {
        const Files copies = snapshot(destination.path());
        for (auto file = copies.cbegin(); file != copies.cend(); ++file) files.insert("d/" + file.key(), *file);
    }
    return files;
}

}  // namespace

class TakeBackTest : public QObject {
    Q_OBJECT
private slots:
    void crashPoints_data();
    void crashPoints();
    void undoCases_data();
    void undoCases();
};

void TakeBackTest::crashPoints_data()
{
    QTest::addColumn<bool>("fatLike");
    QTest::addColumn<bool>("move");
    QTest::addColumn<bool>("sameFolder");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("nth");
    QTest::addColumn<CutPoint>("point");
    QTest::addColumn<bool>("undo");
    struct Cut { const char *name; bool move; bool sameFolder; Operation operation; int nth; CutPoint point; };
    // A cycle p1 <-> p2 and a chain p3 -> p4 -> p5 in one folder, or copies into another.
    const Cut cuts[] = {
        {"after a link", true, true, Operation::Link, 1, CutPoint::AfterCall},
        {"after a copy lands", false, false, Operation::CopyFile, 2, CutPoint::AfterCall},
        {"after a set-aside", true, true, Operation::Rename, 1, CutPoint::AfterCall},
        {"before a deletion", true, false, Operation::DeleteFile, 2, CutPoint::BeforeCall},
        {"halfway through a copy", false, false, Operation::CopyChunk, 2, CutPoint::AfterCall},
    };
    for (const bool fatLike : {false, true})
        for (const Cut &cut : cuts)
            for (const bool undo : {true, false})
                QTest::addRow("%s, %s, %s", fatLike ? "FAT" : "ext4", cut.name, undo ? "undo" : "keep")
                    << fatLike << cut.move << cut.sameFolder << cut.operation << cut.nth << cut.point << undo;
}

// The batch runs in a child process that is cut short at a call, as a crash
// would; then the start-up's recovery runs over what it left.
void TakeBackTest::crashPoints()
{
    QFETCH(bool, fatLike);
    QFETCH(bool, move);
    QFETCH(bool, sameFolder);
    QFETCH(Operation, operation);
    QFETCH(int, nth);
    QFETCH(CutPoint, point);
    QFETCH(bool, undo);
    TempFolder source, other;
    const TempFolder &destination = sameFolder ? source : other;
    const QMap<QString, QString> newNames{{"p1.jpg", "p2.jpg"}, {"p2.jpg", "p1.jpg"}, {"p3.jpg", "p4.jpg"},
                                          {"p4.jpg", "p5.jpg"}, {"p5.jpg", "p6.jpg"}};
    for (const QString &name : newNames.keys()) source.addFile(name, name.toUtf8() + QByteArray(1000, 'x'));
    const Files before = bothFolders(source, destination);
    std::unique_ptr<TestPlatform> platform(fatLike ? new FatLikePlatform : new TestPlatform);

    const pid_t child = ::fork();
    if (child == 0) {
        platform->cutAt(operation, nth, point);
        RecordingProgress progress;
        runBatch(*platform, progress, request(source.path(), destination.path(), newNames.keys(), renameBy(newNames), move));
        ::_exit(1);   // not cut: the row tests nothing
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QCOMPARE(WEXITSTATUS(status), 0);

    platform->answers = {undo ? MessageAnswer::Yes : MessageAnswer::No};
    RecordingProgress progress;
    BatchJournals journals(*platform, *platform, platform->journalFolder());
    RecoverUnfinishedBatches({*platform, *platform, *platform, journals, progress});

    QCOMPARE(platform->messages.front().buttons, MessageButtons::UndoOrKeep);
    const Files after = bothFolders(source, destination);
    for (const QByteArray &content : before.values()) QVERIFY2(after.values().contains(content), content.left(6));
    for (const QString &name : after.keys()) QVERIFY2(!name.contains(".norvanta2-"), qPrintable(name));
    if (undo) QCOMPARE(after, before);
    QStringList damaged;
    QVERIFY(journals.unfinished(damaged).empty() && damaged.isEmpty());
}

void TakeBackTest::undoCases_data()
{
    QTest::addColumn<bool>("move");
    QTest::addColumn<QByteArray>("existing");      // n1.jpg in the destination before the batch
    QTest::addColumn<MessageAnswer>("replace");    // the answer to the overwrite question
    QTest::addColumn<QString>("since");            // what happens between the batch and the undo
    QTest::addColumn<QString>("sourcesAfter");
    QTest::addColumn<QString>("copiesAfter");
    QTest::addColumn<QString>("listed");           // named in the undo's message
    // a.jpg holds "A", b.jpg "B"; they become n1.jpg and n2.jpg.
    QTest::newRow("moved") << true << QByteArray() << MessageAnswer::Yes << "" << "a.jpg=A b.jpg=B" << "" << "";
    QTest::newRow("copied") << false << QByteArray() << MessageAnswer::Yes << "" << "a.jpg=A b.jpg=B" << "" << "";
    QTest::newRow("replaced") << false << QByteArray("old") << MessageAnswer::Yes << "" << "a.jpg=A b.jpg=B"
                              << "n1.jpg=old" << "";
    QTest::newRow("changed since") << false << QByteArray() << MessageAnswer::Yes << "n2.jpg changed"
                                   << "a.jpg=A b.jpg=B" << "n2.jpg=B changed" << "n2.jpg";
    QTest::newRow("name taken since") << true << QByteArray() << MessageAnswer::Yes << "a.jpg taken"
                                      << "a.jpg=theirs b.jpg=B" << "n1.jpg=A" << "a.jpg";
    // Not replaced, so not the batch's: the file that was there stays.
    QTest::newRow("identical file already there before the batch")
        << false << QByteArray("A") << MessageAnswer::No << "" << "a.jpg=A b.jpg=B" << "n1.jpg=A" << "";
}

void TakeBackTest::undoCases()
{
    QFETCH(bool, move);
    QFETCH(QByteArray, existing);
    QFETCH(MessageAnswer, replace);
    QFETCH(QString, since);
    QFETCH(QString, sourcesAfter);
    QFETCH(QString, copiesAfter);
    QFETCH(QString, listed);
    TempFolder source, destination;
    const qint64 time = 1'600'000'000;
    source.addFile("a.jpg", "A", time);
    source.addFile("b.jpg", "B", time);
    if (!existing.isEmpty()) destination.addFile("n1.jpg", existing, time);
    TestPlatform platform;
    platform.answers = {replace};
    RecordingProgress progress;
    QCOMPARE(runBatch(platform, progress, request(source.path(), destination.path(), {"a.jpg", "b.jpg"},
                                                  SerialNameRule("n", 1, 0, "jpg"), move)),
             BatchEnd::Normal);
    if (since == "n2.jpg changed") destination.addFile("n2.jpg", "B changed");
    if (since == "a.jpg taken") source.addFile("a.jpg", "theirs");

    BatchJournals journals(platform, platform, platform.journalFolder());
    const std::optional<BatchJournals::Found> newest = journals.newestUndoable();
    QVERIFY(newest);
    platform.messages.clear();
    QCOMPARE(UndoBatch({platform, platform, platform, journals, progress}, newest->path, newest->journal,
                       *newest->journal.outcomes),
             UndoEnd::Finished);

    const auto shown = [](const Files &files) {
        QStringList entries;
        for (auto file = files.cbegin(); file != files.cend(); ++file) entries << file.key() + "=" + *file;
        return entries.join(' ');
    };
    QCOMPARE(shown(snapshot(source.path())), sourcesAfter);
    QCOMPARE(shown(snapshot(destination.path())), copiesAfter);
    QCOMPARE(platform.messages.size(), size_t(listed.isEmpty() ? 0 : 1));
    if (!listed.isEmpty()) QVERIFY(platform.messages[0].text.contains(listed));
    QVERIFY(!journals.newestUndoable());   // each batch once
}

QTEST_GUILESS_MAIN(TakeBackTest)
#include "tst_takeback.moc"
