// SPDX-License-Identifier: GPL-3.0-or-later
// The register and delete buttons beside the extension box: the list in the
// window, ListFile.ini on disk, the focus, and the preview.
#include "formfixture.h"

#include "panes/filelistview.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <cerrno>

using namespace nv;

class ExtensionWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonsMaintainTheList_data();
    void buttonsMaintainTheList();
    void failedWriteIsReportedAndListKept();
    void unreadableListIsKeptAndNeverWritten();

private:
    std::unique_ptr<TempFolder> m_source, m_target;
    std::unique_ptr<FormFixture> m_fixture;
};

void ExtensionWindowTest::init()
{
    m_source = std::make_unique<TempFolder>();
    m_target = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
    SettingsRecord record;
    record.SourceFolder = m_source->path();
    record.TargetFolder = m_target->path();
    record.ExtensionIndex = -1;   // the row picks the entry below
    record.HeadName = QStringLiteral("img");
    m_fixture->writeSettings(record);
}

void ExtensionWindowTest::cleanup()
{
    m_fixture.reset();
    m_source.reset();
    m_target.reset();
}

void ExtensionWindowTest::buttonsMaintainTheList_data()
{
    QTest::addColumn<QByteArray>("listFile");     // empty: no ListFile.ini, so bmp, gif and jpg
    QTest::addColumn<int>("pickedIndex");        // the entry chosen from the list before typing
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("pickedAfter");    // the entry still chosen; empty when none
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QByteArray>("written");     // ListFile.ini afterwards; null when not written
    QTest::addColumn<bool>("focusOnList");

    const QByteArray none;
    QTest::newRow("register new") << none << 2 << "png" << false << QStringList{"bmp", "gif", "jpg", "png"} << "jpg"
                                  << "png" << QByteArray("\"bmp\"\r\n\"gif\"\r\n\"jpg\"\r\n\"png\"\r\n") << true;
    QTest::newRow("register above the chosen entry")
        << none << 1 << "aaa" << false << QStringList{"aaa", "bmp", "gif", "jpg"} << "gif" << "aaa"
        << QByteArray("\"aaa\"\r\n\"bmp\"\r\n\"gif\"\r\n\"jpg\"\r\n") << true;
    QTest::newRow("register other letter case")
        << none << 0 << "JPG" << false << QStringList{"bmp", "gif", "JPG", "jpg"} << "bmp" << "JPG"
        << QByteArray("\"bmp\"\r\n\"gif\"\r\n\"JPG\"\r\n\"jpg\"\r\n") << true;
    QTest::newRow("register into an empty list") << QByteArray("\r\n") << -1 << "tif" << false << QStringList{"tif"}
                                                 << "" << "tif" << QByteArray("\"tif\"\r\n") << true;
    QTest::newRow("register a listed entry") << none << 0 << "jpg" << false << QStringList{"bmp", "gif", "jpg"} << "bmp"
                                             << "jpg" << QByteArray() << false;
    QTest::newRow("register nothing") << none << 0 << "" << false << QStringList{"bmp", "gif", "jpg"} << "bmp" << ""
                                      << QByteArray() << false;
    QTest::newRow("delete the chosen entry") << none << 1 << "gif" << true << QStringList{"bmp", "jpg"} << "" << ""
                                             << QByteArray("\"bmp\"\r\n\"jpg\"\r\n") << true;
    QTest::newRow("delete with no match") << none << 0 << "png" << true << QStringList{"bmp", "gif", "jpg"} << "bmp"
                                          << "png" << QByteArray("\"bmp\"\r\n\"gif\"\r\n\"jpg\"\r\n") << true;
    QTest::newRow("delete the last entry") << QByteArray("\"jpg\"\r\n") << 0 << "jpg" << true << QStringList() << ""
                                           << "" << QByteArray("") << true;
    QTest::newRow("delete from an empty list") << QByteArray("\r\n") << -1 << "jpg" << true << QStringList() << ""
                                               << "jpg" << QByteArray() << false;
}

void ExtensionWindowTest::buttonsMaintainTheList()
{
    QFETCH(QByteArray, listFile);
    QFETCH(int, pickedIndex);
    QFETCH(QString, typed);
    QFETCH(bool, deleting);
    QFETCH(QStringList, entries);
    QFETCH(QString, pickedAfter);
    QFETCH(QString, textAfter);
    QFETCH(QByteArray, written);
    QFETCH(bool, focusOnList);
    if (!listFile.isEmpty()) m_fixture->writeListFile(listFile);
    Form1 &form = m_fixture->start();
    form.Combo1->setCurrentIndex(pickedIndex);
    form.Combo1->setEditText(typed);
    form.Label5->setText(QStringLiteral("preview before"));
    TestPlatform &platform = m_fixture->platform;
    const int writesBefore = platform.callCount(TestPlatform::Operation::WriteTextFile);
    QPushButton *button = deleting ? form.Command2 : form.Command1;

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(comboEntries(form.Combo1), entries);
    QCOMPARE(form.Combo1->currentIndex() < 0 ? QString() : form.Combo1->itemText(form.Combo1->currentIndex()),
             pickedAfter);
    QCOMPARE(form.Combo1->currentText(), textAfter);
    QCOMPARE(platform.callCount(TestPlatform::Operation::WriteTextFile) - writesBefore, written.isNull() ? 0 : 1);
    if (!written.isNull()) QCOMPARE(m_fixture->programFolder.contents(QStringLiteral("ListFile.ini")), written);
    QCOMPARE(form.focusWidget(), focusOnList ? static_cast<QWidget *>(form.ListView1) : button);
    // The preview follows the text of the box, and only a change of it: a
    // deletion empties the box, leaving the head name alone.
    const QString preview = textAfter == typed ? QStringLiteral("preview before") : QStringLiteral("img");
    QCOMPARE(form.Label5->text(), preview);
    QVERIFY(platform.messages.empty());
}

void ExtensionWindowTest::failedWriteIsReportedAndListKept()
{
    Form1 &form = m_fixture->start();
    m_fixture->platform.failCall(TestPlatform::Operation::WriteTextFile, 1,
                                 FsStatus::failure(FsFault::Other, QStringLiteral("Read-only file system")));
    form.Combo1->setEditText(QStringLiteral("png"));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QCOMPARE(comboEntries(form.Combo1), (QStringList{"bmp", "gif", "jpg", "png"}));
    QVERIFY(!m_fixture->programFolder.exists(QStringLiteral("ListFile.ini")));
    QCOMPARE(m_fixture->platform.messages.size(), size_t(1));
    const ShownMessage &message = m_fixture->platform.messages[0];
    QVERIFY(message.text.contains(form.ListFilePath));
    QVERIFY(message.text.contains(QStringLiteral("Read-only file system")));
    QCOMPARE(message.icon, MessageIcon::Exclamation);

    // The next change writes the whole list, the entry that failed included.
    form.Combo1->setEditText(QStringLiteral("tif"));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QCOMPARE(m_fixture->programFolder.contents(QStringLiteral("ListFile.ini")),
             QByteArray("\"bmp\"\r\n\"gif\"\r\n\"jpg\"\r\n\"png\"\r\n\"tif\"\r\n"));
}

// A list that could not be read is the user's all the same: the start says
// why the box is empty, the saved choice among it does not cost the settings,
// and the buttons never write over it.
void ExtensionWindowTest::unreadableListIsKeptAndNeverWritten()
{
    const QByteArray listFile("\"png\"\r\n\"raw\"\r\n\"tif\"\r\n");
    m_fixture->writeListFile(listFile);
    SettingsRecord record;
    record.SourceFolder = m_source->path();
    record.TargetFolder = m_target->path();
    record.ExtensionIndex = 2;
    m_fixture->writeSettings(record);
    const FsStatus denied = FsStatus::fromErrno(EACCES);
    m_fixture->platform.failPath(TestPlatform::Operation::ReadTextFile,
                                 m_fixture->programFolder.pathOf(QStringLiteral("ListFile.ini")), denied);
    Form1 &form = m_fixture->start();
    const std::vector<ShownMessage> &messages = m_fixture->platform.messages;
    QCOMPARE(messages.size(), size_t(1));
    QVERIFY(messages[0].text.contains(form.ListFilePath));
    QVERIFY(messages[0].text.contains(denied.reason));
    QCOMPARE(comboEntries(form.Combo1), QStringList());
    QVERIFY(m_fixture->dataFileExists());

    form.Combo1->setEditText(QStringLiteral("jpg"));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QCOMPARE(messages.size(), size_t(2));
    QVERIFY(messages[1].text.contains(form.ListFilePath));
    QCOMPARE(m_fixture->programFolder.contents(QStringLiteral("ListFile.ini")), listFile);
}

QTEST_MAIN(ExtensionWindowTest)
#include "tst_extensionwindow.moc"
