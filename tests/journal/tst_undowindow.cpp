// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of taking batches back, one row per path: the undo item
// after a batch and after its undo, Ctrl+Z in the head-name field, the stop
// button, and the recovery question before the window shows.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "journal/journalformat.h"
#include "panes/filelistview.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace nv;

class UndoWindowTest : public QObject {
    Q_OBJECT
private slots:
    void paths_data();
    void paths();
};

void UndoWindowTest::paths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("undoText");    // the item's text after the path; empty: disabled
    QTest::addColumn<QString>("sources");     // the source folder after the path
    QTest::newRow("after a batch") << "batch" << "元に戻す(&U): リネーム 2 件" << "";
    QTest::newRow("undo item") << "undo item" << "" << "a.png b.png";
    QTest::newRow("Ctrl+Z in the head-name field") << "ctrl+z" << "元に戻す(&U): リネーム 2 件" << "";
    QTest::newRow("stop button") << "stop" << "元に戻す(&U): リネーム 1 件" << "b.png";
    QTest::newRow("recovery message") << "recovery" << "" << "a.png b.png";
}

void UndoWindowTest::paths()
{
    QFETCH(QString, path);
    QFETCH(QString, undoText);
    QFETCH(QString, sources);
    TempFolder source, target;
    source.addFile("a.png", "a");
    source.addFile("b.png", "b");
    FormFixture fixture;
    SettingsRecord record;
    record.SourceFolder = source.path();
    record.TargetFolder = target.path();
    record.HeadName = "img";
    record.FirstNumberText = "1";
    fixture.writeSettings(record);
    TestPlatform &platform = fixture.platform;
    if (path == "recovery") {
        // A batch that began and never ended, as a crash leaves it.
        Journal crashed;
        crashed.source.path = source.path();
        crashed.destination.path = target.path();
        crashed.steps.push_back({source.pathOf("a.png"), target.pathOf("img1.png"), StepMethod::Copy, {}, {}, {}, {}});
        const auto journal = platform.createJournal(fixture.programFolder.pathOf("journal/"));
        QVERIFY(journal.ok() && journal.value->append(encodeBeginning(crashed)).ok());
    }
    Form1 &form = fixture.start();
    if (path == "recovery") {
        QCOMPARE(platform.messages.size(), size_t(1));
        QCOMPARE(platform.messages[0].buttons, MessageButtons::UndoOrKeep);
        QVERIFY(platform.messages[0].text.contains(source.path()));
    } else {
        form.Check1->setChecked(true);   // move
        QVERIFY(clickRow(form.ListView1, "a.png") && clickRow(form.ListView1, "b.png", Qt::ControlModifier));
        if (path == "stop") {
            platform.beforeCall = [&](CallFaults::Operation operation, const QString &) {
                if (operation == CallFaults::Operation::Link && platform.callCount(operation) == 1)
                    QTest::mouseClick(form.cmdStop, Qt::LeftButton);
            };
            platform.answers = {MessageAnswer::No};   // keeps what was done
        }
        QTest::mouseClick(form.Command3, Qt::LeftButton);
        platform.beforeCall = nullptr;
        if (path == "undo item") {
            platform.answers = {MessageAnswer::Ok};
            form.mnuUndo->trigger();
        }
        if (path == "ctrl+z") {
            form.Combo2->setFocus();
            QTest::keyClicks(form.Combo2->lineEdit(), "x");
            QTest::keyClick(form.Combo2->lineEdit(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(form.Combo2->currentText(), QStringLiteral("img"));
        }
    }
    QCOMPARE(form.mnuUndo->isEnabled(), !undoText.isEmpty());
    if (!undoText.isEmpty()) QCOMPARE(form.mnuUndo->text(), undoText);
    QCOMPARE(source.names().join(' '), sources);
}

QTEST_MAIN(UndoWindowTest)
#include "tst_undowindow.moc"
