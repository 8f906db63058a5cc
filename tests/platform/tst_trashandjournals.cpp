// SPDX-License-Identifier: GPL-3.0-or-later
// Replaced files kept in the desktop's trash, and the files of the batch
// journals, on Linux.
#include "platform/nativepath.h"
#include "platform/posixjournalfiles.h"
#include "platform/posixplatform.h"
#include "platform/posixtrash.h"

#include "filesizelimit.h"
#include "tempfolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <map>
#include <optional>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace nv;

namespace {

QByteArray native(const QString &path) { return toNativeName(path); }

bool existsAt(const QString &path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0;
}

QByteArray bytesAt(const QString &path)
{
    QFile file;
    return openByNativeName(path, file) ? file.readAll() : QByteArray("(none)");
}

void writeAt(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(native(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    ::close(fd);
}

// Makes the entries below root: "a/b/" a folder, "a/ sticky" a folder every
// user may write to (sticky), "a -> b" a link, anything else an empty file;
// missing folders on the way are made.
void makeEntries(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QStringList link = entry.split(QStringLiteral(" -> "));
        const bool sticky = entry.endsWith(QLatin1String(" sticky"));
        const QString path = root + (sticky ? entry.chopped(7) : link[0]);
        QVERIFY(QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/')))));
        if (link.size() == 2) QCOMPARE(::symlink(native(link[1]).constData(), native(path).constData()), 0);
        else if (sticky) QCOMPARE(::chmod(native(path).constData(), 01777), 0);
        else if (!entry.endsWith(QLatin1Char('/'))) writeAt(path, QByteArray());
    }
}

// A file system of its own (tmpfs) below a temporary folder, at a mount point
// with a blank in its name, as a card or a second disk; unmounted on every way
// out. Mounting it takes root.
struct SecondVolume {
    TempFolder parent;
    QString root = parent.addFolder(QStringLiteral("vol ume"));
    bool mounted;

    explicit SecondVolume(unsigned long flags)
        : mounted(::mount("tmpfs", native(root).constData(), "tmpfs", flags, "size=1m,mode=0755") == 0) {}
    ~SecondVolume()
    {
        if (mounted) ::umount2(native(root).constData(), MNT_DETACH);
    }
};

}  // namespace

class TestTrashAndJournals : public QObject {
    Q_OBJECT

private slots:
    void trash_data();
    void trash();
    void journalFiles_data();
    void journalFiles();
};

void TestTrashAndJournals::trash_data()
{
    // Paths below a root: a temporary folder holding home/Trash and photos/,
    // or a second volume holding photos/; $uid stands for the user's number.
    QTest::addColumn<bool>("secondVolume");
    QTest::addColumn<QStringList>("before");      // made first (see makeEntries)
    QTest::addColumn<QByteArray>("name");         // of the file in photos/, its exact bytes
    QTest::addColumn<QString>("trash");           // the trash chosen; empty: a name beside the file
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QByteArray>("originalPath"); // as its .trashinfo says; "@" is photos/ in full
    QTest::addColumn<bool>("takenMeanwhile");     // another file takes the name before the restore

    const QStringList none;
    const QByteArray longStem(250, 'a');
    QTest::newRow("home trash, made on first use")
        << false << none << QByteArray("photo.jpg") << "home/Trash/" << QByteArray("photo.jpg")
        << QByteArray("@photo.jpg") << false;
    QTest::newRow("home trash, a name not UTF-8 with a newline")
        << false << none << QByteArray("a b\n\xff.jpg") << "home/Trash/" << QByteArray("a b\n\xff.jpg")
        << QByteArray("@a%20b%0A%FF.jpg") << false;
    QTest::newRow("home trash, the name taken in info/ and in files/")
        << false << QStringList{"home/Trash/info/photo.jpg.trashinfo", "home/Trash/files/photo 2.jpg"}
        << QByteArray("photo.jpg") << "home/Trash/" << QByteArray("photo 3.jpg") << QByteArray("@photo.jpg") << false;
    QTest::newRow("home trash, no extension, taken")
        << false << QStringList{"home/Trash/info/README.trashinfo"} << QByteArray("README") << "home/Trash/"
        << QByteArray("README 2") << QByteArray("@README") << false;
    // The .trashinfo's name would be too long: the entry's stem is cut.
    QTest::newRow("home trash, a name at the length limit")
        << false << none << longStem + ".jpg" << "home/Trash/" << QByteArray(241, 'a') + ".jpg"
        << "@" + longStem + ".jpg" << false;
    QTest::newRow("restore onto a name taken since")
        << false << none << QByteArray("photo.jpg") << "home/Trash/" << QByteArray("photo.jpg")
        << QByteArray("@photo.jpg") << true;
    QTest::newRow("home trash unusable: a name beside the file")
        << false << QStringList{"home/Trash", "photos/photo (置換前 1).jpg"} << QByteArray("photo.jpg") << ""
        << QByteArray("photo (置換前 2).jpg") << QByteArray() << false;
    QTest::newRow("second volume, a shared trash that is not sticky")
        << true << QStringList{".Trash/"} << QByteArray("photo.jpg") << ".Trash-$uid/" << QByteArray("photo.jpg")
        << QByteArray("photos/photo.jpg") << false;
    QTest::newRow("second volume, a shared sticky trash")
        << true << QStringList{".Trash/ sticky"} << QByteArray("my photo.jpg") << ".Trash/$uid/"
        << QByteArray("my photo.jpg") << QByteArray("photos/my%20photo.jpg") << false;
    QTest::newRow("second volume, its trash a link: a name beside the file")
        << true << QStringList{"elsewhere/", ".Trash-$uid -> elsewhere"} << QByteArray("README") << ""
        << QByteArray("README (置換前 1)") << QByteArray() << false;
}

void TestTrashAndJournals::trash()
{
    QFETCH(bool, secondVolume);
    QFETCH(QStringList, before);
    QFETCH(QByteArray, name);
    QFETCH(QString, trash);
    QFETCH(QByteArray, entry);
    QFETCH(QByteArray, originalPath);
    QFETCH(bool, takenMeanwhile);
    TempFolder home;
    std::optional<SecondVolume> volume;
    if (secondVolume) {
        volume.emplace(0);
        if (!volume->mounted) QSKIP("no second file system: mounting one takes root");
    }
    const QString root = volume ? volume->root : home.path();
    const QString uid = QString::number(::getuid());
    const QString photos = root + QStringLiteral("photos/");
    makeEntries(root, QStringList{"photos/"} + before.replaceInStrings(QStringLiteral("$uid"), uid));
    const QString path = photos + fromNativeName(name);
    writeAt(path, "the only copy");
    PosixTrash trashRole(home.pathOf(QStringLiteral("home/Trash")));

    FsResult<TrashEntry> reserved = trashRole.reserveTrashEntry(path);
    QCOMPARE(reserved.ok(), !trash.isEmpty());
    if (!reserved.ok()) reserved = trashRole.reserveNameBeside(path);
    QVERIFY2(reserved.ok(), qPrintable(reserved.status.reason));
    const TrashEntry kept = reserved.value;
    QCOMPARE(kept.folder, trash.isEmpty() ? photos : root + trash.replace(QStringLiteral("$uid"), uid));
    QCOMPARE(native(kept.name), entry);
    const QString info = kept.folder + QStringLiteral("info/") + kept.name + QStringLiteral(".trashinfo");
    if (kept.inTrash) {
        const QRegularExpression layout(QStringLiteral(
            "^\\[Trash Info\\]\nPath=(.*)\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$"));
        const QRegularExpressionMatch match = layout.match(QString::fromLatin1(bytesAt(info)));
        QVERIFY(match.hasMatch());
        QCOMPARE(match.captured(1).toLatin1(), originalPath.replace('@', native(QFileInfo(photos).canonicalFilePath() + '/')));
        // A second reservation never shares the entry; given up, it leaves nothing.
        const FsResult<TrashEntry> another = trashRole.reserveTrashEntry(path);
        QVERIFY(another.ok() && another.value.name != kept.name);
        QVERIFY(trashRole.releaseTrashEntry(another.value).ok());
        QVERIFY(!existsAt(another.value.folder + QStringLiteral("info/") + another.value.name + ".trashinfo"));
    }

    QVERIFY(trashRole.moveToTrash(path, kept).ok());
    QVERIFY(!existsAt(path));
    QCOMPARE(bytesAt(kept.filePath()), QByteArray("the only copy"));
    const FsResult<std::optional<FileVersion>> held = trashRole.trashedFile(kept);
    QVERIFY(held.ok() && held.value && held.value->size == 13);
    if (kept.inTrash) QCOMPARE(trashRole.releaseTrashEntry(kept).fault, FsFault::Exists);
    if (takenMeanwhile) writeAt(path, "a new file");
    const FsStatus restored = trashRole.restoreFromTrash(kept, path);
    QCOMPARE(restored.fault, takenMeanwhile ? FsFault::Exists : FsFault::None);
    QCOMPARE(bytesAt(path), takenMeanwhile ? QByteArray("a new file") : QByteArray("the only copy"));
    QCOMPARE(trashRole.trashedFile(kept).value.has_value(), takenMeanwhile);
    QCOMPARE(existsAt(info), kept.inTrash && takenMeanwhile);
    QVERIFY(QDir(root + QStringLiteral("elsewhere")).isEmpty());   // nothing went through a link
    if (volume) {
        const FsResult<VolumeFacts> facts = PosixVolumes().volumeFacts(photos);
        QVERIFY(facts.ok());
        QCOMPARE(facts.value.mountRoot, root);
        QCOMPARE(facts.value.type, QStringLiteral("tmpfs"));
        QVERIFY(facts.value.uuid.isEmpty() && facts.value.stableInodes && !facts.value.foldsLetterCase);
    }
}

void TestTrashAndJournals::journalFiles_data()
{
    // A journal folder holding a journal "left" behind by a run that ended and
    // one "held" open by this run, in that order.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("folder");        // "", "missing", "read-only" (and empty)
    QTest::addColumn<bool>("outcome");          // whether it succeeds; for "locked", whether locked
    QTest::addColumn<QStringList>("listed");    // the journals listed afterwards, in order

    const QStringList both{"left", "held"};
    QTest::newRow("a new journal: a name of its own, listed last")
        << "create" << "" << "" << true << QStringList{"left", "held", "new"};
    QTest::newRow("a new journal makes its folder") << "create" << "" << "missing" << true << QStringList{"new"};
    QTest::newRow("a read-only folder is reported") << "create" << "" << "read-only" << false << QStringList();
    QTest::newRow("appended bytes are read back") << "append" << "held" << "" << true << both;
    QTest::newRow("a full disk leaves no half record") << "append" << "held" << "full" << false << both;
    QTest::newRow("a journal left behind opens to append") << "open" << "left" << "" << true << both;
    QTest::newRow("a held journal does not open") << "open" << "held" << "" << false << both;
    QTest::newRow("a held journal is locked until closed") << "locked" << "held" << "" << true << both;
    QTest::newRow("a journal left behind is not locked") << "locked" << "left" << "" << false << both;
    QTest::newRow("a journal left behind is removed") << "remove" << "left" << "" << true << QStringList{"held"};
    QTest::newRow("a held journal is not removed") << "remove" << "held" << "" << false << both;
    QTest::newRow("a journal left behind is set aside") << "set aside" << "left" << "" << true << QStringList{"held"};
    QTest::newRow("a held journal is not set aside") << "set aside" << "held" << "" << false << both;
}

void TestTrashAndJournals::journalFiles()
{
    QFETCH(QString, action);
    QFETCH(QString, which);
    QFETCH(QString, folder);
    QFETCH(bool, outcome);
    QFETCH(QStringList, listed);
    TempFolder work;
    PosixJournalFiles journals;
    QString journalFolder = work.pathOf(QStringLiteral("journals/"));
    std::optional<SecondVolume> readOnly;
    std::map<QString, QString> paths;   // "left", "held", "new" -> path
    std::unique_ptr<OpenJournal> held;
    if (folder == QLatin1String("read-only")) {
        readOnly.emplace(MS_RDONLY);
        if (!readOnly->mounted) QSKIP("no read-only file system: mounting one takes root");
        journalFolder = readOnly->root;
    } else if (folder != QLatin1String("missing")) {
        for (const char *label : {"left", "held"}) {
            FsResult<std::unique_ptr<OpenJournal>> made = journals.createJournal(journalFolder);
            QVERIFY(made.ok() && made.value->append(QByteArray(label) + '\n').ok());
            paths[label] = made.value->path();
            held = std::move(made.value);
        }
    }
    const QString target = paths.count(which) ? paths.at(which) : QString();
    QByteArray bytes = which.toLatin1() + '\n';

    bool answer = false;
    if (action == QLatin1String("create")) {
        FsResult<std::unique_ptr<OpenJournal>> made = journals.createJournal(journalFolder);
        answer = made.ok();
        QVERIFY(answer || !made.status.reason.isEmpty());
        if (answer) paths["new"] = made.value->path();
    } else if (action == QLatin1String("append")) {
        std::optional<FileSizeLimit> full;
        if (folder == QLatin1String("full")) full.emplace(8);
        answer = held->append("0123456789").ok();
        if (answer) bytes += "0123456789";
    } else if (action == QLatin1String("open")) {
        FsResult<std::unique_ptr<OpenJournal>> opened = journals.openJournal(target);
        answer = opened.ok() && opened.value->append("end\n").ok();
        if (answer) bytes += "end\n";
    } else if (action == QLatin1String("locked")) {
        answer = journals.isJournalLocked(target).value;
        held.reset();
        QVERIFY(!journals.isJournalLocked(target).value);   // no lock outlives its holder
    } else if (action == QLatin1String("remove")) {
        answer = journals.removeJournal(target).ok();
    } else {
        const FsResult<QString> aside = journals.setJournalAside(target);
        answer = aside.ok();
        if (answer) QCOMPARE(journals.readJournal(aside.value).value, bytes);
    }
    QCOMPARE(answer, outcome);

    QStringList labels;
    for (const QString &path : journals.listJournals(journalFolder).value) {
        const auto found = std::find_if(paths.begin(), paths.end(), [&](const auto &known) { return known.second == path; });
        labels.append(found == paths.end() ? path : found->first);
    }
    QCOMPARE(labels, listed);
    if (listed.contains(which)) QCOMPARE(journals.readJournal(target).value, bytes);
    struct stat made {};
    if (folder == QLatin1String("missing")) {
        QCOMPARE(::stat(native(journalFolder).constData(), &made), 0);
        QCOMPARE(made.st_mode & 07777, mode_t(0700));   // journals name the user's folders and files
    }
}

QTEST_GUILESS_MAIN(TestTrashAndJournals)
#include "tst_trashandjournals.moc"
