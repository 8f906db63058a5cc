// SPDX-License-Identifier: GPL-3.0-or-later
// Folder names and head names that CP932 cannot hold, or that CP932 holds in
// bytes that happen to be valid UTF-8, survive the settings file and reach the
// disk as their exact bytes.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "panes/filelistview.h"
#include "platform/nativepath.h"

#include <QPushButton>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace nv;

class NamesRoundTripTest : public QObject {
    Q_OBJECT

private slots:
    void folderAndHeadNameSurviveARestart_data();
    void folderAndHeadNameSurviveARestart();
};

void NamesRoundTripTest::folderAndHeadNameSurviveARestart_data()
{
    QTest::addColumn<QByteArray>("name");   // the bytes on disk
    QTest::addColumn<bool>("writtenInCp932");
    QTest::newRow("half-width katakana") << QString::fromUtf8("ﾃｽ").toUtf8() << true;
    QTest::newRow("katakana pairs") << QString::fromUtf8("ﾕｷﾚｲ").toUtf8() << true;
    QTest::newRow("emoji") << QString::fromUtf8("💩").toUtf8() << false;
    QTest::newRow("kanji beyond the BMP") << QString::fromUtf8("𠂉").toUtf8() << false;
    QTest::newRow("bytes that are not UTF-8") << QByteArray("caf\xe9") << false;
}

void NamesRoundTripTest::folderAndHeadNameSurviveARestart()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, writtenInCp932);
    TempFolder root, target;
    const QByteArray sourceBytes = toNativeName(root.path()) + name + '/';
    const QByteArray renamedBytes = toNativeName(target.path()) + name + "001.jpg";
    QCOMPARE(::mkdir(sourceBytes.constData(), 0755), 0);
    const int fd = ::open((sourceBytes + "a.jpg").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    ::close(fd);
    const QString source = root.path() + fromNativeName(name) + QLatin1Char('/');
    const QString headName = fromNativeName(name);

    FormFixture fixture;
    SettingsRecord record;
    record.SourceFolder = source;
    record.TargetFolder = target.path();
    record.DigitIndex = 3;
    record.ExtensionIndex = 2;   // jpg
    record.HeadName = headName;
    record.FirstNumberText = QStringLiteral("1");
    fixture.writeSettings(record);
    fixture.start().Command5_Click();   // written back by the exit button
    QCOMPARE(fixture.programFolder.contents(QStringLiteral("DataFile.ini")).startsWith("\xEF\xBB\xBF"),
             !writtenInCp932);

    Form1 &form = fixture.start();
    QVERIFY(fixture.dataFileExists());
    QCOMPARE(form.SourceFolder, source);
    QCOMPARE(form.Combo2->currentText(), headName);
    QCOMPARE(form.ListView1->rowNames(), QStringList{"a.jpg"});

    QVERIFY(clickRow(form.ListView1, QStringLiteral("a.jpg")));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    struct stat info {};
    QCOMPARE(::lstat(renamedBytes.constData(), &info), 0);
}

QTEST_MAIN(NamesRoundTripTest)
#include "tst_namesroundtrip.moc"
