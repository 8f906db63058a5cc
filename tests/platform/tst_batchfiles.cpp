// Hard links and renames that never replace, as the copy loop and the digit
// alignment use them on Linux.
#include "platform/nativepath.h"

#include "tempfolder.h"
#include "testplatform.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(nv::FsFault)

using namespace nv;
using Landing = Platform::Landing;

namespace {

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    return ::lstat(toNativeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// photo.jpg (P), taken.jpg (T), .hidden.jpg, a folder, a link to photo.jpg and one that leads nowhere.
void fillFolder(TempFolder &folder)
{
    folder.addFile(QStringLiteral("photo.jpg"), "P");
    folder.addFile(QStringLiteral("taken.jpg"), "T");
    folder.addFile(QStringLiteral(".hidden.jpg"), "H");
    folder.addFolder(QStringLiteral("folder"));
    QCOMPARE(::symlink("photo.jpg", qPrintable(folder.pathOf(QStringLiteral("link.jpg")))), 0);
    QCOMPARE(::symlink("gone.jpg", qPrintable(folder.pathOf(QStringLiteral("dangling.jpg")))), 0);
}

}  // namespace

class TestBatchFiles : public QObject {
    Q_OBJECT

private slots:
    void renameWithoutReplacing_data();
    void renameWithoutReplacing();
    void linkFile_data();
    void linkFile();
};

void TestBatchFiles::renameWithoutReplacing_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<FsFault>("fault");
    QTest::newRow("free name") << "new.jpg" << FsFault::None;
    QTest::newRow("taken name") << "taken.jpg" << FsFault::Exists;
    QTest::newRow("hidden name") << ".hidden.jpg" << FsFault::Exists;
    QTest::newRow("dangling link") << "dangling.jpg" << FsFault::Exists;
    QTest::newRow("no such folder") << "none/new.jpg" << FsFault::Missing;
}

void TestBatchFiles::renameWithoutReplacing()
{
    QFETCH(QString, to);
    QFETCH(FsFault, fault);
    TempFolder folder;
    fillFolder(folder);
    const QStringList before = folder.names();
    TestPlatform platform;

    QCOMPARE(platform.renameWithoutReplacing(folder.pathOf(QStringLiteral("photo.jpg")), folder.pathOf(to)).fault,
             fault);
    if (fault == FsFault::None) {
        QCOMPARE(folder.contents(to), QByteArray("P"));
        QVERIFY(!folder.exists(QStringLiteral("photo.jpg")));
    } else {
        QCOMPARE(folder.names(), before);
        QCOMPARE(folder.contents(QStringLiteral("taken.jpg")), QByteArray("T"));
    }
}

void TestBatchFiles::linkFile_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Landing>("landing");
    QTest::addColumn<FsFault>("fault");
    QTest::newRow("free name") << "photo.jpg" << "new.jpg" << Landing::WithoutReplacing << FsFault::None;
    QTest::newRow("taken name") << "photo.jpg" << "taken.jpg" << Landing::WithoutReplacing << FsFault::Exists;
    QTest::newRow("taken name, replaced") << "photo.jpg" << "taken.jpg" << Landing::Replacing << FsFault::None;
    // A link is copied as what it leads to, so it is never given a second name.
    QTest::newRow("a link") << "link.jpg" << "new.jpg" << Landing::WithoutReplacing << FsFault::CannotLink;
    QTest::newRow("a folder") << "folder" << "new.jpg" << Landing::Replacing << FsFault::CannotLink;
}

void TestBatchFiles::linkFile()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(Landing, landing);
    QFETCH(FsFault, fault);
    TempFolder folder;
    fillFolder(folder);
    const QStringList before = folder.names();
    TestPlatform platform;

    const FsResult<Platform::FileVersion> linked =
        platform.linkFile(folder.pathOf(source), folder.pathOf(target), landing);
    QCOMPARE(linked.status.fault, fault);
    if (fault == FsFault::None) {
        QCOMPARE(inodeOf(folder.pathOf(target)), inodeOf(folder.pathOf(source)));
        QCOMPARE(linked.value.identity, platform.fileVersion(folder.pathOf(source)).value.identity);
        QVERIFY(folder.exists(source));
    } else {
        QCOMPARE(folder.names(), before);
    }
    QVERIFY(!folder.names().join(' ').contains(QStringLiteral(".norvanta2-")));
}

QTEST_GUILESS_MAIN(TestBatchFiles)
#include "tst_batchfiles.moc"
