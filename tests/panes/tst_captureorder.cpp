// SPDX-License-Identifier: GPL-3.0-or-later
// Files listed in the order their photos were taken: the capture time read
// from EXIF (JPEG, and HEIC with its offset; never from a video), the option
// that switches the order on and survives a restart, and what follows the
// order: header sorts, re-listings, the continuation scan and "select all,
// rename".
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "dialogs/form2.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace nv;

namespace {

// name|exiftool assignments. Two cameras whose names interleave otherwise than
// their times; a phone whose offset puts it first; sub-seconds that order
// DSC_0002 after IMG_0003; a camera whose clock was never set. The tests run in UTC.
const QStringList kTagged = {
    "PXL_0001.HEIC|-DateTimeOriginal#=2023:05:01 19:00:00|-OffsetTimeOriginal#=+09:00",
    "IMG_0001.JPG|-DateTimeOriginal#=2023:05:01 10:00:01",
    "DSC_0001.JPG|-DateTimeOriginal#=2023:05:01 10:00:02",
    "IMG_0002.JPG|-DateTimeOriginal#=2023:05:01 10:00:03",
    "IMG_0003.JPG|-DateTimeOriginal#=2023:05:01 10:00:04|-SubSecTimeOriginal#=25",
    "DSC_0002.JPG|-DateTimeOriginal#=2023:05:01 10:00:04|-SubSecTimeOriginal#=5",
    "DSC_0003.JPG|-DateTimeOriginal#=0000:00:00 00:00:00",
};
// Without a capture time, last: a JPEG cut off inside its EXIF, no clock, no EXIF.
const QString kTakenOrder = "PXL_0001.HEIC IMG_0001.JPG DSC_0001.JPG IMG_0002.JPG IMG_0003.JPG DSC_0002.JPG "
                            "broken.JPG DSC_0003.JPG plain.jpg";
const QString kNameOrder = "broken.JPG DSC_0001.JPG DSC_0002.JPG DSC_0003.JPG IMG_0001.JPG IMG_0002.JPG "
                           "IMG_0003.JPG plain.jpg PXL_0001.HEIC";

void run(const QString &program, const QStringList &arguments)
{
    if (QProcess::execute(program, arguments) != 0) qFatal("%s failed", qPrintable(program));
}

// Writes the tags of kTagged-like lines into the files of a folder, in one exiftool run.
void tagPhotos(const TempFolder &folder, const QStringList &photos)
{
    QStringList arguments;
    for (const QString &photo : photos) {
        const QStringList fields = photo.split(u'|');
        arguments << "-q" << "-P" << "-overwrite_original" << fields.mid(1) << folder.pathOf(fields[0]) << "-execute";
    }
    run("exiftool", arguments);
}

void makePhotos(TempFolder &folder)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    picture.save(folder.pathOf("plain.jpg"));
    for (const QString &photo : kTagged) {
        const QString name = photo.section(u'|', 0, 0);
        if (name.endsWith(".HEIC")) run("heif-enc", {folder.pathOf("plain.jpg"), "-o", folder.pathOf(name)});
        else QFile::copy(folder.pathOf("plain.jpg"), folder.pathOf(name));
    }
    tagPhotos(folder, kTagged);
    folder.addFile("broken.JPG", folder.contents("IMG_0001.JPG").left(40));
}

// For each file of the destination, in name order, the source file it is a copy of.
QString copiedFrom(const TempFolder &target, const TempFolder &source)
{
    QStringList origins;
    for (const QString &copy : target.names())
        for (const QString &name : source.names())
            if (source.contents(name) == target.contents(copy)) origins.append(name);
    return origins.join(u' ');
}

}  // namespace

class CaptureOrderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { makePhotos(m_photos); }
    void orderInTheWindow_data();
    void orderInTheWindow();
    void newerListingWinsWhileReading();

private:
    TempFolder m_photos;

    // Whole-second file times, which a tool keeping them (exiftool -P) sets back exactly.
    void copyPhotos(TempFolder &into)
    {
        for (const QString &name : m_photos.names()) into.addFile(name, m_photos.contents(name), 1682935200);
    }
};

void CaptureOrderTest::orderInTheWindow_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("order");   // of the source list; after a rename, what the copies are of
    QTest::addColumn<int>("reads");       // of capture times

    QTest::newRow("option off") << "" << kNameOrder << 0;
    QTest::newRow("option on") << "on" << kTakenOrder << 9;
    QTest::newRow("option off again") << "on off" << kNameOrder << 9;
    QTest::newRow("header sort, then a re-listing") << "on sort refresh" << kTakenOrder << 9;
    QTest::newRow("a capture time changed, file time kept")
        << "on retime refresh"
        << "PXL_0001.HEIC DSC_0001.JPG IMG_0002.JPG IMG_0003.JPG DSC_0002.JPG IMG_0001.JPG broken.JPG "
           "DSC_0003.JPG plain.jpg"
        << 10;
    QTest::newRow("option kept over a restart") << "on restart" << kTakenOrder << 18;
    // The metadata library loops without end on this video; it is not asked.
    QTest::newRow("a malformed video among the photos")
        << "video on" << QString(kTakenOrder).replace("broken.JPG", "broken.JPG clip.MOV") << 10;
    // Both lists are listed again after the rename; the destination, in name
    // order whatever the option, reads no capture time of the nine copies.
    QTest::newRow("select all, rename") << "on rename" << kTakenOrder << 9;
}

void CaptureOrderTest::orderInTheWindow()
{
    QFETCH(QString, steps);
    QFETCH(QString, order);
    QFETCH(int, reads);
    TempFolder source, target;
    copyPhotos(source);
    FormFixture fixture;
    fixture.writeSettings({source.path(), target.path(), 2, 1, "trip", "1", 0, 0, {}});
    Form1 *form = &fixture.start();
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step == "on" || step == "off") clickOption(openOptions(*form), "Check4");
        if (step == "refresh") form->Command7->click();
        if (step == "video") {
            // A MOV file type box claiming a size of nearly 4 GiB, then 120 zeros.
            const QByteArray fileType("\xff\xff\xff\xf0" "ftypqt  \0\0\0\0qt  ", 20);
            source.addFile("clip.MOV", fileType + QByteArray(120, 0));
        }
        if (step == "retime") tagPhotos(source, {"IMG_0001.JPG|-DateTimeOriginal#=2023:05:01 10:00:10"});
        if (step == "sort") {
            QTest::mouseClick(form->ListView1->header()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(form->ListView1->rowNames().join(u' '), kNameOrder);
        }
        if (step == "restart") {
            // A window closed during its start-up would leave the program without one.
            fixture.platform.onLetEventsRun = [] { QFAIL("events during the start-up"); };
            form = &fixture.restart();
            QVERIFY(openOptions(*form).findChild<QCheckBox *>("Check4")->isChecked());
        }
        if (step == "rename") {
            QTest::mouseClick(form->ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
            form->ListView1_Click();
            form->Command3->click();
        }
    }
    QCOMPARE(steps.endsWith("rename") ? copiedFrom(target, source) : form->ListView1->rowNames().join(u' '), order);
    QCOMPARE(fixture.platform.callCount(TestPlatform::Operation::ReadCaptureTime), reads);
    QCOMPARE(fixture.platform.busyDepth, 0);
}

void CaptureOrderTest::newerListingWinsWhileReading()
{
    TempFolder source, other;
    copyPhotos(source);
    other.addFile("new7.png");
    FormFixture fixture;
    fixture.writeSettings({other.path(), other.path(), 2, 1, "start", "5", 0, 0, {}});
    Form1 &form = fixture.start();
    clickOption(openOptions(form), "Check4");
    // The first events let run while the photos' times are read open the other folder again.
    fixture.platform.onLetEventsRun = [&, first = true]() mutable {
        if (std::exchange(first, false)) form.Dir1->openFolder(other.path());
    };
    form.Dir1->openFolder(source.path());
    QCOMPARE(form.ListView1->rowNames(), QStringList{"new7.png"});
    QCOMPARE(form.SourceFolder, other.path());
    QCOMPARE(fixture.platform.busyDepth, 0);
}

QTEST_MAIN(CaptureOrderTest)
#include "tst_captureorder.moc"
