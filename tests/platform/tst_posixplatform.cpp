// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/nativepath.h"

#include "filesizelimit.h"
#include "tempfolder.h"
#include "testplatform.h"

#include <QDateTime>
#include <QLocale>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(nv::FsFault)

using namespace nv;

namespace {

QByteArray native(const QString &path) { return toNativeName(path); }

void makeLink(const QString &target, const QString &link)
{
    QCOMPARE(::symlink(native(target).constData(), native(link).constData()), 0);
}

mode_t permissionsOf(const QString &path)
{
    struct stat info {};
    if (::stat(native(path).constData(), &info) != 0) return 0;
    return info.st_mode & 07777;
}

qint64 mtimeOf(const QString &path)
{
    struct stat info {};
    if (::stat(native(path).constData(), &info) != 0) return -1;
    return info.st_mtim.tv_sec;
}

QStringList sortedNames(const std::vector<FileEntry> &entries)
{
    QStringList names;
    for (const FileEntry &entry : entries) names.append(entry.name);
    names.sort();
    return names;
}

QByteArray bytesOfSize(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i) bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

// A copy as the rename makes it once the user agreed to replace the target.
FsStatus copyReplacing(BatchFiles &platform, const QString &from, const QString &to)
{
    return platform.copyFile(from, to, BatchFiles::Landing::Replacing, BatchFiles::Durability::Cached).status;
}

// Read-only folders and files stop everyone but root.
bool permissionsBindUs() { return ::geteuid() != 0; }

}  // namespace

class TestPosixPlatform : public QObject {
    Q_OBJECT

private slots:
    void listPlainFiles_data();
    void listPlainFiles();
    void listingAFolderThatIsNotThere();
    void listSubfolders();
    void fileExists_data();
    void fileExists();
    void copyReplacesAndKeepsTimeAndPermissions();
    void copyOntoItselfKeepsTheContent();
    void failedCopyLeavesTargetUntouched_data();
    void failedCopyLeavesTargetUntouched();
    void batchLookUpsAgreeWithSingleOnes();
    void setAttributesNormal();
    void deleteFile();
    void makeFolder_data();
    void makeFolder();
    void namesReachTheirExactBytes_data();
    void namesReachTheirExactBytes();
    void dateTimeText_data();
    void dateTimeText();
    void readTextFile_data();
    void readTextFile();
    void writeTextFile_data();
    void writeTextFile();
    void failedTextWriteKeepsTheOldFile();
    void errnoClassification_data();
    void errnoClassification();
    void currentFolderPerVolume();
};

void TestPosixPlatform::listPlainFiles_data()
{
    QTest::addColumn<bool>("withTimes");
    QTest::newRow("with times") << true;
    QTest::newRow("names only") << false;
}

// Only plain files and links to them are listed; hidden names, folders,
// links to folders, dangling links and link loops are not.
void TestPosixPlatform::listPlainFiles()
{
    QFETCH(bool, withTimes);
    TempFolder folder;
    TestPlatform platform;
    folder.addFile(QStringLiteral("a.jpg"), "a", 1'000'000'000);
    folder.addFile(QStringLiteral("b"), "b", 1'100'000'000);
    folder.addFile(QStringLiteral(".hidden.jpg"), "h", 1'000'000'000);
    const QString sub = folder.addFolder(QStringLiteral("sub"));
    folder.addFile(QStringLiteral("sub/inner.jpg"));
    folder.addFolder(QStringLiteral(".hiddenfolder"));
    makeLink(folder.pathOf(QStringLiteral("a.jpg")), folder.pathOf(QStringLiteral("link.jpg")));
    makeLink(folder.pathOf(QStringLiteral("gone.jpg")), folder.pathOf(QStringLiteral("dangling.jpg")));
    makeLink(sub, folder.pathOf(QStringLiteral("folderlink")));
    makeLink(folder.pathOf(QStringLiteral("loop.jpg")), folder.pathOf(QStringLiteral("loop.jpg")));
    makeLink(folder.pathOf(QStringLiteral(".hidden.jpg")), folder.pathOf(QStringLiteral(".hiddenlink.jpg")));

    const FsResult<std::vector<FileEntry>> listing = platform.listPlainFiles(folder.path(), withTimes);
    QVERIFY2(listing.ok(), qPrintable(listing.status.reason));
    QCOMPARE(sortedNames(listing.value), (QStringList{"a.jpg", "b", "link.jpg"}));
    for (const FileEntry &entry : listing.value) {
        const qint64 expected = !withTimes                        ? FileEntry::kNotRead
                                : entry.name == QLatin1String("b") ? 1'100'000'000
                                                                   : 1'000'000'000;
        QCOMPARE(entry.modified, expected);
    }
}

void TestPosixPlatform::listingAFolderThatIsNotThere()
{
    TempFolder folder;
    TestPlatform platform;
    const QString file = folder.addFile(QStringLiteral("file.jpg"));

    QCOMPARE(platform.listPlainFiles(folder.pathOf(QStringLiteral("none/")), false).status.fault, FsFault::Missing);
    QCOMPARE(platform.listPlainFiles(file + QLatin1Char('/'), true).status.fault, FsFault::Missing);
    QCOMPARE(platform.listSubfolders(folder.pathOf(QStringLiteral("none/"))).status.fault, FsFault::Missing);
    QCOMPARE(platform.checkFolder(folder.pathOf(QStringLiteral("none/"))).fault, FsFault::Missing);
    QCOMPARE(platform.checkFolder(file).fault, FsFault::Missing);
    QVERIFY(platform.checkFolder(folder.path()).ok());
}

void TestPosixPlatform::listSubfolders()
{
    TempFolder folder;
    TestPlatform platform;
    for (const char *name : {"gamma", "beta", "alpha", "Alpha", ".hidden"}) folder.addFolder(QString::fromLatin1(name));
    folder.addFile(QStringLiteral("file.txt"));
    makeLink(folder.pathOf(QStringLiteral("beta")), folder.pathOf(QStringLiteral("Link to beta")));
    makeLink(folder.pathOf(QStringLiteral("file.txt")), folder.pathOf(QStringLiteral("link to file")));
    makeLink(folder.pathOf(QStringLiteral("gone")), folder.pathOf(QStringLiteral("dangling")));

    const FsResult<QStringList> listing = platform.listSubfolders(folder.path());
    QVERIFY(listing.ok());
    QCOMPARE(listing.value, (QStringList{"Alpha", "alpha", "beta", "gamma", "Link to beta"}));
}

void TestPosixPlatform::fileExists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::newRow("plain file") << "photo.jpg" << true;
    QTest::newRow("hidden file") << ".photo.jpg" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("missing") << "missing.jpg" << false;
    QTest::newRow("link to a file") << "link.jpg" << true;
    QTest::newRow("dangling link") << "dangling.jpg" << false;
    QTest::newRow("file in a hidden folder") << ".folder/inner.jpg" << true;
}

void TestPosixPlatform::fileExists()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    TempFolder folder;
    TestPlatform platform;
    folder.addFile(QStringLiteral("photo.jpg"));
    folder.addFile(QStringLiteral(".photo.jpg"));
    folder.addFolder(QStringLiteral("folder"));
    folder.addFolder(QStringLiteral(".folder"));
    folder.addFile(QStringLiteral(".folder/inner.jpg"));
    makeLink(folder.pathOf(QStringLiteral("photo.jpg")), folder.pathOf(QStringLiteral("link.jpg")));
    makeLink(folder.pathOf(QStringLiteral("gone.jpg")), folder.pathOf(QStringLiteral("dangling.jpg")));

    QCOMPARE(platform.fileExists(folder.pathOf(name)), exists);
}

void TestPosixPlatform::copyReplacesAndKeepsTimeAndPermissions()
{
    TempFolder source;
    TempFolder target;
    TestPlatform platform;
    const QByteArray content = bytesOfSize(3 * 1024 * 1024 + 17);
    const QString from = source.addFile(QStringLiteral("photo.jpg"), content, 1'234'567'890);
    QCOMPARE(::chmod(native(from).constData(), 0640), 0);
    const QString to = target.addFile(QStringLiteral("new.jpg"), "old content");
    QCOMPARE(::chmod(native(to).constData(), 0600), 0);

    QVERIFY(copyReplacing(platform, from, to).ok());
    QCOMPARE(target.contents(QStringLiteral("new.jpg")), content);
    QCOMPARE(mtimeOf(to), 1'234'567'890);
    QCOMPARE(permissionsOf(to), mode_t(0640));
    QCOMPARE(target.names(), QStringList{QStringLiteral("new.jpg")});
    QCOMPARE(source.contents(QStringLiteral("photo.jpg")), content);

    QCOMPARE(copyReplacing(platform, from, target.pathOf(QStringLiteral("none/x.jpg"))).fault, FsFault::Missing);
}

// A copy that emptied the target before reading the source would destroy the
// only copy here.
void TestPosixPlatform::copyOntoItselfKeepsTheContent()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.addFile(QStringLiteral("photo.jpg"), "the only copy");

    QVERIFY(copyReplacing(platform, path, path).ok());
    QCOMPARE(folder.contents(QStringLiteral("photo.jpg")), QByteArray("the only copy"));
    QCOMPARE(folder.names(), QStringList{QStringLiteral("photo.jpg")});
}

void TestPosixPlatform::failedCopyLeavesTargetUntouched_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("source missing") << "source missing";
    QTest::newRow("source is a folder") << "source is a folder";
    // Without O_NONBLOCK the open would wait for a writer for ever.
    QTest::newRow("source is a pipe") << "source is a pipe";
    QTest::newRow("target taken, not to be replaced") << "target taken";
    QTest::newRow("disk full") << "disk full";
    QTest::newRow("target folder read-only") << "target folder read-only";
}

void TestPosixPlatform::failedCopyLeavesTargetUntouched()
{
    QFETCH(QString, fault);
    TempFolder source;
    TempFolder target;
    TestPlatform platform;
    QString from = source.addFile(QStringLiteral("photo.jpg"), bytesOfSize(64 * 1024));
    const QString to = target.addFile(QStringLiteral("photo.jpg"), "old content");

    FsStatus status;
    if (fault == QLatin1String("source missing")) {
        status = copyReplacing(platform, source.pathOf(QStringLiteral("missing.jpg")), to);
    } else if (fault == QLatin1String("source is a folder")) {
        status = copyReplacing(platform, source.addFolder(QStringLiteral("folder")), to);
    } else if (fault == QLatin1String("source is a pipe")) {
        QCOMPARE(::mkfifo(native(source.pathOf(QStringLiteral("pipe"))).constData(), 0644), 0);
        status = copyReplacing(platform, source.pathOf(QStringLiteral("pipe")), to);
        QCOMPARE(status.fault, FsFault::NotPlainFile);
    } else if (fault == QLatin1String("target taken")) {
        status = platform.copyFile(from, to, BatchFiles::Landing::WithoutReplacing, BatchFiles::Durability::BeforeNaming).status;
        QCOMPARE(status.fault, FsFault::Exists);
    } else if (fault == QLatin1String("disk full")) {
        FileSizeLimit limit(4096);
        status = copyReplacing(platform, from, to);
    } else {
        if (!permissionsBindUs()) QSKIP("root writes into read-only folders");
        QCOMPARE(::chmod(native(target.path()).constData(), 0555), 0);
        status = copyReplacing(platform, from, to);
        ::chmod(native(target.path()).constData(), 0755);
    }
    QVERIFY(!status.ok());
    QVERIFY(!status.reason.isEmpty());
    QCOMPARE(target.contents(QStringLiteral("photo.jpg")), QByteArray("old content"));
    QCOMPARE(target.names(), QStringList{QStringLiteral("photo.jpg")});
}

// Relative to the folder, and on two threads for a long list, the batch
// look-ups say what the single ones say, name by name; by full paths where
// the folder is gone. The flush of copies fails for any it cannot flush.
void TestPosixPlatform::batchLookUpsAgreeWithSingleOnes()
{
    TempFolder folder;
    folder.addFile("file.jpg");
    makeLink(folder.pathOf("file.jpg"), folder.pathOf("link.jpg"));
    makeLink(folder.pathOf("nowhere"), folder.pathOf("dangling.jpg"));
    QVERIFY(QDir(folder.path()).mkdir("sub"));
    QStringList names{"file.jpg", "link.jpg", "dangling.jpg", "sub", "free.jpg"};
    for (int i = 0; i < 1200; ++i) {
        names.append(QStringLiteral("n%1.jpg").arg(i));
        if (i % 3 == 0) folder.addFile(names.back());
    }
    PosixBatchFiles files;
    for (const QString &where : {folder.path(), folder.pathOf("gone/")}) {
        const std::vector<FsResult<BatchFiles::NameState>> states = files.nameStates(where, names);
        const std::vector<FsResult<FileVersion>> versions = files.fileVersions(where, names);
        QCOMPARE(states.size(), size_t(names.size()));
        QCOMPARE(versions.size(), size_t(names.size()));
        for (qsizetype i = 0; i < names.size(); ++i) {
            const FsResult<BatchFiles::NameState> state = files.nameState(where + names[i]);
            const FsResult<FileVersion> version = files.fileVersion(where + names[i]);
            QCOMPARE(states[size_t(i)].status.fault, state.status.fault);
            QCOMPARE(states[size_t(i)].value.kind, state.value.kind);
            QVERIFY(states[size_t(i)].value.identity == state.value.identity);
            QCOMPARE(versions[size_t(i)].status.fault, version.status.fault);
            QVERIFY(versions[size_t(i)].value.identity == version.value.identity);
            QCOMPARE(versions[size_t(i)].value.modifiedNs, version.value.modifiedNs);
        }
    }
    // A move deletes its sources after this flush: a copy it cannot flush fails it.
    QVERIFY(files.flushCopies(folder.path(), {"file.jpg", "n0.jpg", "n3.jpg"}).ok());
    QCOMPARE(files.flushCopies(folder.path(), {"file.jpg", "free.jpg"}).fault, FsFault::Missing);
}

void TestPosixPlatform::setAttributesNormal()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.addFile(QStringLiteral("locked.jpg"));
    QCOMPARE(::chmod(native(path).constData(), 0444), 0);

    QVERIFY(platform.setAttributesNormal(path).ok());
    QCOMPARE(permissionsOf(path), mode_t(0644));
    QCOMPARE(platform.setAttributesNormal(folder.pathOf(QStringLiteral("missing.jpg"))).fault, FsFault::Missing);
}

void TestPosixPlatform::deleteFile()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.addFile(QStringLiteral("photo.jpg"));
    folder.addFile(QStringLiteral("other.jpg"));

    QVERIFY(platform.deleteFile(path).ok());
    QCOMPARE(folder.names(), QStringList{QStringLiteral("other.jpg")});
    QCOMPARE(platform.deleteFile(path).fault, FsFault::Missing);
}

void TestPosixPlatform::makeFolder_data()
{
    QTest::addColumn<QString>("folder");   // below the temporary folder
    QTest::addColumn<bool>("made");
    QTest::addColumn<int>("mode");   // of a folder it made; 0: not checked

    QTest::newRow("a chain of missing folders") << "home/.config/norvanta2/" << true << 0700;
    QTest::newRow("already there, no slash at the end") << "existing" << true << 0;
    QTest::newRow("a file in the way") << "file.txt/norvanta2/" << false << 0;
}

void TestPosixPlatform::makeFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, made);
    QFETCH(int, mode);
    TempFolder root;
    root.addFolder(QStringLiteral("existing"));
    root.addFile(QStringLiteral("file.txt"), "kept");
    TestPlatform platform;

    QCOMPARE(platform.makeFolder(root.pathOf(folder)).ok(), made);
    QCOMPARE(platform.checkFolder(root.pathOf(folder)).ok(), made);
    if (mode) QCOMPARE(int(permissionsOf(root.pathOf(folder))), mode);
    QCOMPARE(root.contents(QStringLiteral("file.txt")), QByteArray("kept"));
}

void TestPosixPlatform::namesReachTheirExactBytes_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("stray byte") << QByteArray("abc\xff.jpg");
    QTest::newRow("Latin-1 accent") << QByteArray("caf\xe9.jpg");
    QTest::newRow("CP932 Japanese") << QByteArray("\x83\x8a\x83\x6c\x81\x5b\x83\x80.jpg");
    QTest::newRow("sequence cut at the end") << QByteArray("abc\xe3\x81");
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf.jpg");
    QTest::newRow("stray byte between UTF-8") << QByteArray("\xe6\x97\xa5\xff\xe6\x9c\xac.jpg");
    // U+1F4A9, whose low surrogate lies where single bytes are carried, beside such
    // a byte; the character alone, and U+20089, go through the window (tst_namesroundtrip).
    QTest::newRow("emoji beside a stray byte") << QByteArray("\xf0\x9f\x92\xa9\xff.jpg");
}

// The listed QString is all the rest of the program sees; copying and
// deleting through it must reach the very bytes on disk.
void TestPosixPlatform::namesReachTheirExactBytes()
{
    QFETCH(QByteArray, name);
    TempFolder source;
    TempFolder target;
    TestPlatform platform;
    const QByteArray sourceBytes = native(source.path()) + name;
    const QByteArray targetBytes = native(target.path()) + name;
    const int fd = ::open(sourceBytes.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "pixels", 6), ssize_t(6));
    ::close(fd);

    const FsResult<std::vector<FileEntry>> listing = platform.listPlainFiles(source.path(), false);
    QVERIFY(listing.ok());
    QCOMPARE(listing.value.size(), std::size_t(1));
    const QString listed = listing.value.front().name;
    QVERIFY(platform.fileExists(source.pathOf(listed)));

    QVERIFY(copyReplacing(platform, source.pathOf(listed), target.pathOf(listed)).ok());
    QCOMPARE(target.contents(listed), QByteArray("pixels"));
    struct stat info {};
    QCOMPARE(::lstat(targetBytes.constData(), &info), 0);

    QVERIFY(platform.deleteFile(source.pathOf(listed)).ok());
    QCOMPARE(::lstat(sourceBytes.constData(), &info), -1);
}

void TestPosixPlatform::dateTimeText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("zone");   // a POSIX TZ rule, which needs no zone files
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");
    const QByteArray utc("UTC0");
    const QByteArray centralEurope("CET-1CEST,M3.5.0,M10.5.0/3");
    const auto at = [](int year, int month, int day, int hour, int minute, int second) {
        return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
    };
    QTest::newRow("Japan, midnight") << "ja_JP" << utc << at(2023, 11, 15, 0, 0, 0) << "2023/11/15";
    QTest::newRow("Japan, a second past midnight") << "ja_JP" << utc << at(2024, 2, 29, 0, 0, 1)
                                                   << "2024/02/29 0:00:01";
    QTest::newRow("C locale") << "C" << utc << at(2024, 2, 29, 13, 45, 7) << "29 Feb 2024 13:45:07";
    QTest::newRow("summer time, no zone name") << "ja_JP" << centralEurope << at(2023, 7, 1, 10, 0, 0)
                                               << "2023/07/01 12:00:00";
    QTest::newRow("winter time, no zone name") << "ja_JP" << centralEurope << at(2023, 11, 15, 6, 13, 20)
                                               << "2023/11/15 7:13:20";
}

// The regional short date, a blank and H:mm:ss in local time, without a
// time-zone name; exactly midnight shows the date alone. Another day is
// formatted first, so that a date text remembered from a former call would show.
void TestPosixPlatform::dateTimeText()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    const QLocale localeBefore;
    const QByteArray zoneBefore = qgetenv("TZ");
    QLocale::setDefault(QLocale(locale));
    qputenv("TZ", zone);
    ::tzset();
    TestPlatform platform;
    platform.dateTimeText(moment.toSecsSinceEpoch() - 3 * 86400);
    const QString shown = platform.dateTimeText(moment.toSecsSinceEpoch());
    QLocale::setDefault(localeBefore);
    qputenv("TZ", zoneBefore);
    ::tzset();
    QCOMPARE(shown, text);
}

void TestPosixPlatform::readTextFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII") << QByteArray("\"bmp\"\r\n") << "\"bmp\"\r\n";
    QTest::newRow("CP932") << QByteArray::fromHex("838a836c815b83808cb383748348838b835f81600d0a")
                           << QString::fromUtf8("リネーム元フォルダ～\r\n");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9") << QString::fromUtf8("café");
    QTest::newRow("UTF-8 without mark reads as CP932")
        << QByteArray("\xE5\x86\x99\xE7\x9C\x9F") << QString::fromUtf16(u"\u8700\u548F\u6084");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestPosixPlatform::readTextFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.addFile(QStringLiteral("text.ini"), bytes);

    const FsResult<QString> read = platform.readTextFile(path);
    QVERIFY(read.ok());
    QCOMPARE(read.value, text);
    QCOMPARE(platform.readTextFile(folder.pathOf(QStringLiteral("missing.ini"))).status.fault, FsFault::Missing);
}

void TestPosixPlatform::writeTextFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CP932") << QString::fromUtf8("リネーム元フォルダ～\r\n")
                           << QByteArray::fromHex("838a836c815b83808cb383748348838b835f81600d0a");
    QTest::newRow("outside CP932") << QString::fromUtf8("写真 café\r\n")
                                   << QByteArray("\xEF\xBB\xBF\xE5\x86\x99\xE7\x9C\x9F caf\xC3\xA9\r\n");
    // CP932 has a code for U+F86F, but that code reads back as U+2116.
    QTest::newRow("character CP932 reads back as another") << QString(QChar(0xF86F))
                                                              << QByteArray("\xEF\xBB\xBF\xEF\xA1\xAF");
    QTest::newRow("empty") << QString() << QByteArray();
    // A folder whose name is not valid UTF-8 keeps its exact bytes in a settings file.
    QTest::newRow("name bytes that are not UTF-8") << fromNativeName(QByteArray("\"/a\xff/\"\r\n"))
                                                   << QByteArray("\xEF\xBB\xBF\"/a\xff/\"\r\n");
}

void TestPosixPlatform::writeTextFile()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.addFile(QStringLiteral("text.ini"), "a longer old content than any new one");

    QVERIFY(platform.writeTextFile(path, text).ok());
    QCOMPARE(folder.contents(QStringLiteral("text.ini")), bytes);
    QCOMPARE(platform.readTextFile(path).value, text);
    QCOMPARE(folder.names(), QStringList{QStringLiteral("text.ini")});
}

void TestPosixPlatform::failedTextWriteKeepsTheOldFile()
{
    TempFolder folder;
    TestPlatform platform;
    const QString path = folder.addFile(QStringLiteral("DataFile.ini"), "old settings");

    {
        FileSizeLimit limit(4096);
        QVERIFY(!platform.writeTextFile(path, QString(10'000, QLatin1Char('x'))).ok());
    }
    QCOMPARE(folder.contents(QStringLiteral("DataFile.ini")), QByteArray("old settings"));
    QCOMPARE(folder.names(), QStringList{QStringLiteral("DataFile.ini")});

    const FsStatus missing = platform.writeTextFile(folder.pathOf(QStringLiteral("none/DataFile.ini")), "new");
    QCOMPARE(missing.fault, FsFault::Missing);
    QCOMPARE(folder.names(), QStringList{QStringLiteral("DataFile.ini")});
}

void TestPosixPlatform::errnoClassification_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<FsFault>("fault");
    QTest::newRow("no medium") << ENOMEDIUM << FsFault::NotReady;
    QTest::newRow("input/output error") << EIO << FsFault::NotReady;
    QTest::newRow("no such file") << ENOENT << FsFault::Missing;
    QTest::newRow("not a folder") << ENOTDIR << FsFault::Missing;
    QTest::newRow("permission denied") << EACCES << FsFault::Other;
}

void TestPosixPlatform::errnoClassification()
{
    QFETCH(int, error);
    QFETCH(FsFault, fault);
    const FsStatus status = FsStatus::fromErrno(error);
    QCOMPARE(status.fault, fault);
    QVERIFY(!status.ok());
    QVERIFY(!status.reason.isEmpty());
}

// Each volume remembers its own current folder; a folder belongs to the
// volume with the longest matching root.
void TestPosixPlatform::currentFolderPerVolume()
{
    TestPlatform platform;
    platform.fakeVolumes = {{QStringLiteral("/"), QString()},
                            {QStringLiteral("/media/card/"), QStringLiteral("CARD")}};

    QCOMPARE(platform.currentFolderOf(QStringLiteral("/media/card/")), QStringLiteral("/media/card/"));
    platform.setCurrentFolder(QStringLiteral("/media/card/DCIM"));
    platform.setCurrentFolder(QStringLiteral("/home/user/photos/"));
    QCOMPARE(platform.currentFolderOf(QStringLiteral("/media/card/")), QStringLiteral("/media/card/DCIM/"));
    QCOMPARE(platform.currentFolderOf(QStringLiteral("/")), QStringLiteral("/home/user/photos/"));
}

QTEST_GUILESS_MAIN(TestPosixPlatform)
#include "tst_posixplatform.moc"
