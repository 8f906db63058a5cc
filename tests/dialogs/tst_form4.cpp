// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/form4.h"
#include "dialogs/usagenotes.h"
#include "platform/textcodec.h"
#include "tempfolder.h"
#include "testplatform.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace nv;

class TestForm4 : public QObject {
    Q_OBJECT
private slots:
    void notesText_data();
    void notesText();
    void viewerShowsTheNotesBesideTheProgram();
    void missingNotesAreExplainedInTheViewer();
    void returnButtonClosesTheViewer();
};

void TestForm4::notesText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    const QString threeLines = QStringLiteral("一行目\r\n二行目\r\n三行目\r\n");
    QTest::newRow("three lines") << threeLines << threeLines;
    QTest::newRow("last line without a break") << QStringLiteral("一行目\r\n二行目\r\n三行目") << threeLines;
    QTest::newRow("blank lines stay") << QStringLiteral("見出し\r\n\r\n\r\n本文") << QStringLiteral("見出し\r\n\r\n\r\n本文\r\n");
    QTest::newRow("bare LF and bare CR end lines") << QStringLiteral("a\nb\rc") << QStringLiteral("a\r\nb\r\nc\r\n");
    QTest::newRow("one blank line") << QStringLiteral("\r\n") << QStringLiteral("\r\n");
    QTest::newRow("empty file") << QString() << QString();
}

void TestForm4::notesText()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QCOMPARE(usageNotesText(file), expected);
}

void TestForm4::viewerShowsTheNotesBesideTheProgram()
{
    TempFolder programFolder;
    programFolder.addFile(QStringLiteral("Readme.txt"), encodeText(QStringLiteral("使い方\r\n\r\n～終わり～")));
    TestPlatform platform;
    Form4 viewer(platform, programFolder.path());

    const auto *text = viewer.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    QVERIFY(text);
    // CP932 decoded; every line, the last one too, ends in a break.
    QCOMPARE(text->toPlainText(), QStringLiteral("使い方\n\n～終わり～\n"));
    QVERIFY(text->isReadOnly());
}

void TestForm4::missingNotesAreExplainedInTheViewer()
{
    TempFolder programFolder;
    TestPlatform platform;
    Form4 viewer(platform, programFolder.path());

    const QString shown = viewer.findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->toPlainText();
    QVERIFY2(shown.contains(programFolder.pathOf(QStringLiteral("Readme.txt"))), qPrintable(shown));
    QVERIFY(platform.messages.empty());
}

void TestForm4::returnButtonClosesTheViewer()
{
    TempFolder programFolder;
    TestPlatform platform;
    QWidget mainWindow;
    QPointer<Form4> viewer = new Form4(platform, programFolder.path(), &mainWindow);
    viewer->show();

    QTest::mouseClick(viewer->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    // Closed and gone, so choosing the menu item again reads the notes anew.
    QTRY_VERIFY(viewer.isNull());
}

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
