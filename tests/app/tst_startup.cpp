// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up of the main window on every path, and the two ways of closing it.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "dialogs/form4.h"
#include "panes/drivelist.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"
#include "platform/textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QtTest>

#include <cerrno>

using namespace nv;

namespace {

SettingsRecord recordFor(const TempFolder &source, const TempFolder &target)
{
    SettingsRecord record;
    record.SourceFolder = source.path();
    record.TargetFolder = target.path();
    record.DigitIndex = 3;
    record.ExtensionIndex = 2;
    record.HeadName = QStringLiteral("trip");
    record.FirstNumberText = QStringLiteral("7");
    record.ReportView = 1;
    record.ShowContinuation = 1;
    record.HeadNameHistory[8] = QStringLiteral("older");
    record.HeadNameHistory[9] = QStringLiteral("trip");
    return record;
}

int listingsOf(const TestPlatform &platform, const QString &folder)
{
    return int(std::count_if(platform.listings.begin(), platform.listings.end(),
                             [&](const auto &listing) { return listing.first == folder; }));
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutFiles();
    void firstStartThenExitSavesTheEmptyDestination();
    void savedRecordRestoresWindow();
    void emptyDataFileFallsBack();
    void recordCutShortRecovers();
    void unreadableSettingsAreKeptAndReported();
    void eachFolderIsListedOnce_data();
    void eachFolderIsListedOnce();
    void badValuesRecoverLikeACutRecord_data();
    void badValuesRecoverLikeACutRecord();
    void unlistableSourceFallsBackButKeepsDestination();
    void fallbackDeletesOnlyTheExactName();
    void extensionList_data();
    void extensionList();
    void longExtensionListIsAddedInOneGo();
    void extensionIndexMinusOneEmptiesTheBox();
    void savedExtensionIndexIsThatOfTheShownText_data();
    void savedExtensionIndexIsThatOfTheShownText();
    void randomBytesNeverCrash();
    void exitButtonSavesAndNextStartRestores();
    void closeBoxSavesNothing();
    void unwritableSettingsAreReportedAndWindowCloses();
    void installedLayoutKeepsSettingsApartFromNotes();
};

// Both panes open at the user's pictures folder (the fallbacks below, without
// one, at the home folder).
void StartupTest::firstStartWithoutFiles()
{
    FormFixture fixture;
    const QString start = fixture.home.addFolder(QStringLiteral("Pictures"));
    Form1 &form = fixture.start();

    QCOMPARE(form.Drive1->drive(), fixture.platform.volumeOf(start));
    QCOMPARE(form.Dir1->path(), start);
    QCOMPARE(form.Dir2->path(), start);
    QCOMPARE(form.SourceFolder, start);
    // The destination is opened while the start-up still runs, so it stays unlisted.
    QCOMPARE(form.TargetFolder, QString());
    QCOMPARE(form.ListView2->files()->rowCount(), 0);
    QCOMPARE(listingsOf(fixture.platform, start), 1);

    QCOMPARE(form.List1->currentRow(), 0);
    QCOMPARE(comboEntries(form.Combo1), (QStringList{"bmp", "gif", "jpg"}));
    QCOMPARE(form.Combo1->currentText(), QStringLiteral("bmp"));
    QCOMPARE(form.Combo2->currentText(), QString());
    QCOMPARE(form.Text2->text(), QString());
    QVERIFY(form.Check2->isChecked());
    QCOMPARE(form.ReportView, 0);
    QCOMPARE(form.Program.StartupDone, 1);
    QVERIFY(!form.Command3->isEnabled());
    QVERIFY(!form.Command4->isEnabled());
    // Selecting the digit count hands the focus to the source list.
    QCOMPARE(form.focusWidget(), form.ListView1);
    // Nothing is written before the exit button.
    QCOMPARE(fixture.programFolder.names(), QStringList());
}

void StartupTest::firstStartThenExitSavesTheEmptyDestination()
{
    FormFixture fixture;
    Form1 &form = fixture.start();
    form.Command5_Click();
    QVERIFY(!form.isVisible());
    QCOMPARE(fixture.programFolder.contents(QStringLiteral("DataFile.ini")),
             "\"" + fixture.home.path().toUtf8()
                 + "\",\"\",0,0,\"\",\"\",0,0,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
}

void StartupTest::savedRecordRestoresWindow()
{
    TempFolder source, target;
    source.addFile(QStringLiteral("a.jpg"));
    source.addFile(QStringLiteral(".hidden.jpg"));
    source.addFolder(QStringLiteral("sub"));
    target.addFile(QStringLiteral("img001.jpg"));
    FormFixture fixture;
    fixture.writeSettings(recordFor(source, target));
    Form1 &form = fixture.start();

    QCOMPARE(form.SourceFolder, source.path());
    QCOMPARE(form.TargetFolder, target.path());
    QCOMPARE(form.Dir1->path(), source.path());
    QCOMPARE(form.Dir2->path(), target.path());
    QCOMPARE(form.ListView1->rowNames(), QStringList{"a.jpg"});
    QCOMPARE(form.ListView2->rowNames(), QStringList{"img001.jpg"});
    // Report view: the box is cleared, and both panes show their detail cells.
    QVERIFY(!form.Check2->isChecked());
    QCOMPARE(form.ReportView, 1);
    QCOMPARE(form.ListView1->files()->cellText(0, 1), QStringLiteral("--JPG--"));
    QCOMPARE(form.ListView2->files()->cellText(0, 1), QStringLiteral("--JPG--"));
    // Clearing the box re-listed the source pane only: the destination was listed once, by LoadTargetList.
    QCOMPARE(listingsOf(fixture.platform, target.path()), 1);

    QCOMPARE(form.List1->currentRow(), 3);
    QCOMPARE(form.VScroll1->value(), 3);
    QCOMPARE(form.Combo1->currentText(), QStringLiteral("jpg"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("trip"));
    QCOMPARE(form.Text2->text(), QStringLiteral("7"));
    QCOMPARE(form.Program.ShowContinuation, 1);
    QCOMPARE(form.Program.HeadNameHistory[9], QStringLiteral("trip"));
    QCOMPARE(form.Program.HeadNameHistory[8], QStringLiteral("older"));
    QVERIFY(fixture.dataFileExists());
}

void StartupTest::emptyDataFileFallsBack()
{
    FormFixture fixture;
    fixture.writeDataFile(QByteArray());
    Form1 &form = fixture.start();

    // The empty source folder falls back: the file goes, both panes go to the start folder.
    QVERIFY(!fixture.dataFileExists());
    QCOMPARE(form.Dir1->path(), fixture.home.path());
    QCOMPARE(form.Dir2->path(), fixture.home.path());
    QCOMPARE(form.SourceFolder, fixture.home.path());
    QCOMPARE(form.TargetFolder, QString());
    QCOMPARE(form.ListView2->files()->rowCount(), 0);
    QCOMPARE(form.Text2->text(), QString());
    QCOMPARE(form.Combo1->currentText(), QStringLiteral("bmp"));
    QVERIFY(form.Check2->isChecked());
}

void StartupTest::recordCutShortRecovers()
{
    TempFolder source, target;
    FormFixture fixture;
    fixture.home.addFile(QStringLiteral("home.jpg"));
    fixture.writeDataFile(QStringLiteral("\"%1\",\"%2\",3,2,\"trip\",\"9\",1,1,\"first\",\"second\",\"thi")
                              .arg(source.path(), target.path())
                              .toUtf8());
    Form1 &form = fixture.start();

    QVERIFY(!fixture.dataFileExists());
    QCOMPARE(form.SourceFolder, fixture.home.path());
    QCOMPARE(form.TargetFolder, fixture.home.path());
    QCOMPARE(form.Dir2->path(), fixture.home.path());
    QCOMPARE(form.ListView2->rowNames(), QStringList{"home.jpg"});
    QCOMPARE(form.List1->currentRow(), 0);
    QCOMPARE(form.Combo1->currentIndex(), 0);
    QCOMPARE(form.Combo2->currentText(), QString());
    QCOMPARE(form.Text2->text(), QStringLiteral("1"));
    QCOMPARE(form.ReportView, 0);
    QVERIFY(form.Check2->isChecked());
    QCOMPARE(form.Program.ShowContinuation, 0);
    QCOMPARE(form.Program.HeadNameHistory[0], QStringLiteral("first"));
    QCOMPARE(form.Program.HeadNameHistory[1], QStringLiteral("second"));
    // The unclosed last text runs to the end of the data; the record ends there.
    QCOMPARE(form.Program.HeadNameHistory[2], QStringLiteral("thi"));
    QCOMPARE(form.Program.HeadNameHistory[3], QString());
}

// A read error is no damaged record: the file stays, the user learns why, and
// the window starts as at a first start.
void StartupTest::unreadableSettingsAreKeptAndReported()
{
    TempFolder source, target;
    FormFixture fixture;
    fixture.writeSettings(recordFor(source, target));
    const QByteArray before = fixture.programFolder.contents(QStringLiteral("DataFile.ini"));
    const FsStatus denied = FsStatus::fromErrno(EACCES);
    fixture.platform.failPath(TestPlatform::Operation::ReadTextFile, fixture.programFolder.path(), denied);
    Form1 &form = fixture.start();

    QCOMPARE(fixture.programFolder.contents(QStringLiteral("DataFile.ini")), before);
    QCOMPARE(fixture.platform.messages.size(), size_t(1));
    QVERIFY(fixture.platform.messages[0].text.contains(form.DataFilePath));
    QVERIFY(fixture.platform.messages[0].text.contains(denied.reason));
    QCOMPARE(form.SourceFolder, fixture.home.path());
    QCOMPARE(form.Dir2->path(), fixture.home.path());
    QCOMPARE(form.TargetFolder, QString());
    QCOMPARE(form.Combo2->currentText(), QString());
    QCOMPARE(form.Combo1->currentText(), QStringLiteral("bmp"));
    QVERIFY(form.Check2->isChecked());
    QCOMPARE(form.Program.StartupDone, 1);
}

void StartupTest::eachFolderIsListedOnce_data()
{
    QTest::addColumn<int>("reportView");
    QTest::addColumn<bool>("sourceGone");
    QTest::newRow("report view") << 1 << false;
    QTest::newRow("simple view") << 0 << false;
    QTest::newRow("source gone, report view") << 1 << true;
}

// The start-up sets the folder lists and the view box, whose handlers each
// ask for a listing; every pane is still read once, in the view it shows.
void StartupTest::eachFolderIsListedOnce()
{
    QFETCH(int, reportView);
    QFETCH(bool, sourceGone);
    TempFolder source, target;
    source.addFile(QStringLiteral("a.jpg"));
    target.addFile(QStringLiteral("b.jpg"));
    SettingsRecord record = recordFor(source, target);
    record.ReportView = reportView;
    if (sourceGone) record.SourceFolder = source.path() + QStringLiteral("gone/");
    FormFixture fixture;
    fixture.home.addFile(QStringLiteral("h.jpg"));
    fixture.writeSettings(record);
    Form1 &form = fixture.start();

    const QString sourceShown = sourceGone ? fixture.home.path() : source.path();
    const TestPlatform &platform = fixture.platform;
    QCOMPARE(listingsOf(platform, sourceShown), 1);
    QCOMPARE(listingsOf(platform, target.path()), 1);
    // The fallback looks into the program folder for the settings file it forgets.
    QCOMPARE(platform.listings.size(), size_t(sourceGone ? 3 : 2));
    // Times are read as rows are shown, not by the listing.
    for (const auto &[folder, withTimes] : platform.listings) QVERIFY(!withTimes);

    QCOMPARE(form.SourceFolder, sourceShown);
    QCOMPARE(form.Dir1->path(), sourceShown);
    QCOMPARE(form.TargetFolder, target.path());
    QCOMPARE(form.ListView2->rowNames(), QStringList{"b.jpg"});
    QCOMPARE(form.ListView1->rowNames(), QStringList{sourceGone ? "h.jpg" : "a.jpg"});
    QCOMPARE(form.ListView1->files()->cellText(0, 1).isEmpty(), reportView == 0);
    QCOMPARE(form.Check2->isChecked(), reportView == 0);
    QCOMPARE(form.ReportView, reportView);
    QCOMPARE(fixture.dataFileExists(), !sourceGone);
    QCOMPARE(form.Program.StartupDone, 1);
}

void StartupTest::badValuesRecoverLikeACutRecord_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("extension");
    QTest::newRow("digit count beyond 15") << "16" << "0";
    QTest::newRow("negative digit count") << "-1" << "0";
    QTest::newRow("extension beyond the list") << "3" << "3";
    QTest::newRow("extension below -1") << "3" << "-2";
    QTest::newRow("not a number") << "x" << "0";
    QTest::newRow("beyond 16 bits") << "3" << "40000";
}

void StartupTest::badValuesRecoverLikeACutRecord()
{
    QFETCH(QString, digits);
    QFETCH(QString, extension);
    TempFolder source;
    FormFixture fixture;
    fixture.writeDataFile(QStringLiteral("\"%1\",\"%1\",%2,%3,\"h\",\"5\",1,0,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"x\"\r\n")
                              .arg(source.path(), digits, extension)
                              .toUtf8());
    Form1 &form = fixture.start();
    QVERIFY(!fixture.dataFileExists());
    QCOMPARE(form.SourceFolder, fixture.home.path());
    QCOMPARE(form.List1->currentRow(), 0);
    QCOMPARE(form.Combo1->currentIndex(), 0);
    QCOMPARE(form.Text2->text(), QStringLiteral("1"));
}

void StartupTest::unlistableSourceFallsBackButKeepsDestination()
{
    TempFolder target;
    target.addFile(QStringLiteral("kept.jpg"));
    SettingsRecord record = recordFor(target, target);
    record.SourceFolder = target.path() + QStringLiteral("gone/");
    FormFixture fixture;
    fixture.writeSettings(record);
    Form1 &form = fixture.start();

    QVERIFY(!fixture.dataFileExists());
    QCOMPARE(form.Dir1->path(), fixture.home.path());
    QCOMPARE(form.SourceFolder, fixture.home.path());
    // LoadTargetList still runs on the remembered destination, which can be listed.
    QCOMPARE(form.Dir2->path(), target.path());
    QCOMPARE(form.TargetFolder, target.path());
    QCOMPARE(form.ListView2->rowNames(), QStringList{"kept.jpg"});
    // The values read stay in memory and are saved again by the exit button.
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("trip"));
}

void StartupTest::fallbackDeletesOnlyTheExactName()
{
    TempFolder source;
    SettingsRecord record = recordFor(source, source);
    record.SourceFolder = QStringLiteral("/no/such/folder/");
    FormFixture fixture;
    fixture.writeSettings(record);
    fixture.programFolder.addFile(QStringLiteral("datafile.INI"), "other");
    fixture.start();
    QVERIFY(!fixture.dataFileExists());
    QCOMPARE(fixture.programFolder.contents(QStringLiteral("datafile.INI")), QByteArray("other"));
}

void StartupTest::extensionList_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("missing") << false << QByteArray() << QStringList{"bmp", "gif", "jpg"};
    QTest::newRow("empty") << true << QByteArray() << QStringList();
    QTest::newRow("sorted case-insensitively")
        << true << QByteArray("\"png\"\r\n\"JPG\"\r\n\"bmp\"\r\n\"jpg\"\r\n") << QStringList{"bmp", "JPG", "jpg", "png"};
}

void StartupTest::extensionList()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, entries);
    FormFixture fixture;
    if (present) fixture.writeListFile(contents);
    Form1 &form = fixture.start();
    QCOMPARE(comboEntries(form.Combo1), entries);
    QCOMPARE(form.Combo1->currentIndex(), entries.isEmpty() ? -1 : 0);
    QCOMPARE(fixture.programFolder.exists(QStringLiteral("ListFile.ini")), present);
}

// Placing the entries one by one costs the square of the list's length: forty
// thousand entries kept the window away for a minute.
void StartupTest::longExtensionListIsAddedInOneGo()
{
    QStringList sorted;
    QByteArray listFile;
    for (int i = 0; i < 3000; ++i) {
        sorted.append(QStringLiteral("e%1").arg(i, 4, 10, QLatin1Char('0')));
        listFile.prepend("\"" + sorted.back().toLatin1() + "\"\r\n");
    }
    FormFixture fixture;
    fixture.writeListFile(listFile);
    Form1 form(fixture.platform, fixture.programFolder.path());
    int insertions = 0;
    connect(form.Combo1->model(), &QAbstractItemModel::rowsInserted, this, [&] { ++insertions; });
    form.Form_Load();
    QCOMPARE(insertions, 1);
    QCOMPARE(comboEntries(form.Combo1), sorted);
}

void StartupTest::extensionIndexMinusOneEmptiesTheBox()
{
    TempFolder folder;
    SettingsRecord record = recordFor(folder, folder);
    record.ExtensionIndex = -1;
    FormFixture fixture;
    fixture.writeSettings(record);
    Form1 &form = fixture.start();
    QCOMPARE(form.Combo1->currentIndex(), -1);
    QCOMPARE(form.Combo1->currentText(), QString());
    QVERIFY(fixture.dataFileExists());
}

void StartupTest::savedExtensionIndexIsThatOfTheShownText_data()
{
    QTest::addColumn<int>("picked");   // bmp, gif, jpg
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("savedIndex");
    QTest::newRow("typed over a picked entry") << 1 << "png" << -1;
    QTest::newRow("typed a listed entry") << 0 << "jpg" << 2;
    QTest::newRow("typed in other letter case") << 1 << "GIF" << -1;
    QTest::newRow("picked, not typed") << 1 << "" << 1;
}

// The saved index is that of the entry equal to the text the box shows; the
// next start shows that entry, or an empty box for a text not in the list.
void StartupTest::savedExtensionIndexIsThatOfTheShownText()
{
    QFETCH(int, picked);
    QFETCH(QString, typed);
    QFETCH(int, savedIndex);
    TempFolder folder;
    FormFixture fixture;
    fixture.writeSettings(recordFor(folder, folder));
    Form1 &form = fixture.start();
    form.Combo1->setCurrentIndex(picked);
    if (!typed.isEmpty()) {
        form.Combo1->lineEdit()->selectAll();
        QTest::keyClicks(form.Combo1->lineEdit(), typed);
    }
    form.Command5_Click();
    QCOMPARE(fixture.savedSettings().ExtensionIndex, savedIndex);
    Form1 &again = fixture.start();
    QCOMPARE(again.Combo1->currentText(), savedIndex < 0 ? QString() : comboEntries(again.Combo1)[savedIndex]);
}

void StartupTest::randomBytesNeverCrash()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 20; ++round) {
        FormFixture fixture;
        QByteArray data(int(random.bounded(400)), Qt::Uninitialized);
        for (char &byte : data) byte = char(random.bounded(256));
        if (round % 2) data.prepend("\"/\",\"/\",1,");
        fixture.writeDataFile(data);
        fixture.writeListFile(data);
        Form1 &form = fixture.start();
        QCOMPARE(form.Program.StartupDone, 1);
        QVERIFY(form.List1->currentRow() >= 0 && form.List1->currentRow() <= 15);
    }
}

void StartupTest::exitButtonSavesAndNextStartRestores()
{
    TempFolder source, target;
    FormFixture fixture;
    fixture.writeSettings(recordFor(source, target));
    Form1 &form = fixture.start();
    // First, as its re-listing runs the continuation scan (option 1 is on).
    form.Check2->setChecked(true);
    form.Combo2->setEditText(QStringLiteral("new, head"));
    form.Text2->setText(QStringLiteral("12"));
    form.List1->setCurrentRow(5);
    // The scan emptied the box; the typed text is saved as its entry's index.
    form.Combo1->setEditText(QStringLiteral("jpg"));
    form.Command5_Click();

    SettingsRecord saved = fixture.savedSettings();
    QCOMPARE(saved.SourceFolder, source.path());
    QCOMPARE(saved.TargetFolder, target.path());
    QCOMPARE(saved.DigitIndex, 5);
    QCOMPARE(saved.ExtensionIndex, 2);
    QCOMPARE(saved.HeadName, QStringLiteral("new, head"));
    QCOMPARE(saved.FirstNumberText, QStringLiteral("12"));
    QCOMPARE(saved.ReportView, 0);
    QCOMPARE(saved.ShowContinuation, 1);
    QCOMPARE(saved.HeadNameHistory[9], QStringLiteral("trip"));

    Form1 &again = fixture.start();
    QCOMPARE(again.Dir1->path(), source.path());
    QCOMPARE(again.Dir2->path(), target.path());
    QCOMPARE(again.Combo2->currentText(), QStringLiteral("new, head"));
    QCOMPARE(again.List1->currentRow(), 5);
    QCOMPARE(again.Combo1->currentText(), QStringLiteral("jpg"));
    QVERIFY(again.Check2->isChecked());
    QCOMPARE(again.Program.ShowContinuation, 1);
}

void StartupTest::closeBoxSavesNothing()
{
    TempFolder source, target;
    FormFixture fixture;
    fixture.writeSettings(recordFor(source, target));
    const QByteArray before = fixture.programFolder.contents(QStringLiteral("DataFile.ini"));
    Form1 &form = fixture.start();
    form.Combo2->setEditText(QStringLiteral("changed"));
    Form1 &again = fixture.restart();
    QCOMPARE(fixture.programFolder.contents(QStringLiteral("DataFile.ini")), before);
    QCOMPARE(again.Combo2->currentText(), QStringLiteral("trip"));
}

void StartupTest::unwritableSettingsAreReportedAndWindowCloses()
{
    TempFolder source, target;
    FormFixture fixture;
    fixture.writeSettings(recordFor(source, target));
    const QByteArray before = fixture.programFolder.contents(QStringLiteral("DataFile.ini"));
    Form1 &form = fixture.start();
    fixture.platform.failCall(TestPlatform::Operation::WriteTextFile, 1,
                              FsStatus::failure(FsFault::Other, QStringLiteral("Read-only file system")));
    form.Command5_Click();
    QVERIFY(!form.isVisible());
    QCOMPARE(fixture.platform.messages.size(), size_t(1));
    QVERIFY(fixture.platform.messages[0].text.contains(form.DataFilePath));
    QVERIFY(fixture.platform.messages[0].text.contains(QStringLiteral("Read-only file system")));
    QCOMPARE(fixture.programFolder.contents(QStringLiteral("DataFile.ini")), before);
}

void StartupTest::installedLayoutKeepsSettingsApartFromNotes()
{
    TempFolder settings, notes;
    settings.addFile(QStringLiteral("ListFile.ini"), "\"png\"\r\n");
    notes.addFile(QStringLiteral("Readme.txt"), encodeText(QStringLiteral("使い方")));
    TestPlatform platform;
    Form1 form(platform, ProgramFolders(settings.path(), notes.path()));
    form.Form_Load();
    QCOMPARE(comboEntries(form.Combo1), QStringList{QStringLiteral("png")});

    form.mnuHelp_Click();
    const auto *viewer = form.findChild<Form4 *>();
    QVERIFY(viewer);
    QCOMPARE(viewer->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->toPlainText().trimmed(), QStringLiteral("使い方"));
    form.Command5_Click();
    QCOMPARE(settings.names(), (QStringList{QStringLiteral("DataFile.ini"), QStringLiteral("ListFile.ini")}));
    QCOMPARE(notes.names(), QStringList{QStringLiteral("Readme.txt")});
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
