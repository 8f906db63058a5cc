// SPDX-License-Identifier: GPL-3.0-or-later
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
using Landing = BatchFiles::Landing;

namespace {

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    return ::lstat(toNativeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// photo.jpg (P), taken.jpg (T), a folder, a link to photo.jpg and one that leads nowhere.
void fillFolder(TempFolder &folder)
{
    folder.addFile(QStringLiteral("photo.jpg"), "P");
    folder.addFile(QStringLiteral("taken.jpg"), "T");
    folder.addFolder(QStringLiteral("folder"));
    QCOMPARE(::symlink("photo.jpg", qPrintable(folder.pathOf(QStringLiteral("link.jpg")))), 0);
    QCOMPARE(::symlink("gone.jpg", qPrintable(folder.pathOf(QStringLiteral("dangling.jpg")))), 0);
}

}  // namespace

class TestBatchFiles : public QObject {
    Q_OBJECT

private slots:
    void newOrSecondName_data();
    void newOrSecondName();
};

void TestBatchFiles::newOrSecondName_data()
{
    QTest::addColumn<bool>("link");   // a second name for the file, else a rename without replacing
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Landing>("landing");
    QTest::addColumn<FsFault>("fault");
    const Landing keep = Landing::WithoutReplacing;
    QTest::newRow("rename, free name") << false << "photo.jpg" << "new.jpg" << keep << FsFault::None;
    QTest::newRow("rename, taken name") << false << "photo.jpg" << "taken.jpg" << keep << FsFault::Exists;
    QTest::newRow("rename, dangling link") << false << "photo.jpg" << "dangling.jpg" << keep << FsFault::Exists;
    QTest::newRow("rename, no such folder") << false << "photo.jpg" << "none/new.jpg" << keep << FsFault::Missing;
    QTest::newRow("link, free name") << true << "photo.jpg" << "new.jpg" << keep << FsFault::None;
    QTest::newRow("link, taken name") << true << "photo.jpg" << "taken.jpg" << keep << FsFault::Exists;
    QTest::newRow("link, taken name, replaced") << true << "photo.jpg" << "taken.jpg" << Landing::Replacing
                                                << FsFault::None;
    // A link is copied as what it leads to, so it is never given a second name.
    QTest::newRow("link, a link") << true << "link.jpg" << "new.jpg" << keep << FsFault::CannotLink;
    QTest::newRow("link, a folder") << true << "folder" << "new.jpg" << Landing::Replacing << FsFault::CannotLink;
}

void TestBatchFiles::newOrSecondName()
{
    QFETCH(bool, link);
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(Landing, landing);
    QFETCH(FsFault, fault);
    TempFolder folder;
    fillFolder(folder);
    const QStringList before = folder.names();
    const ino_t file = inodeOf(folder.pathOf(source));
    TestPlatform platform;

    const FsResult<FileVersion> landed =
        link ? platform.linkFile(folder.pathOf(source), folder.pathOf(target), landing)
             : FsResult<FileVersion>{{}, platform.renameWithoutReplacing(folder.pathOf(source),
                                                                          folder.pathOf(target))};
    QCOMPARE(landed.status.fault, fault);
    if (fault == FsFault::None) {
        QCOMPARE(inodeOf(folder.pathOf(target)), file);
        QCOMPARE(folder.exists(source), link);
        if (link) QCOMPARE(landed.value.identity, platform.fileVersion(folder.pathOf(source)).value.identity);
    } else {
        QCOMPARE(folder.names(), before);
        QCOMPARE(folder.contents(QStringLiteral("taken.jpg")), QByteArray("T"));
    }
    QVERIFY(!folder.names().join(' ').contains(QStringLiteral(".norvanta2-")));
}

QTEST_GUILESS_MAIN(TestBatchFiles)
#include "tst_batchfiles.moc"
