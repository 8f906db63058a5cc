// SPDX-License-Identifier: GPL-3.0-or-later
// The options window and what its boxes switch in the main window: the
// continuation scan after each re-listing of the destination, the prefix mode
// and its button, and the enabled states that the prefix mode shares with the
// digit-alignment box, where the last event wins.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "dialogs/form2.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace nv;

namespace {

// The main window on two folders, with head start, number 5, two digits, gif.
struct Window {
    TempFolder source, target;
    FormFixture fixture;

    Form1 &start(int showContinuation = 0)
    {
        fixture.writeSettings({source.path(), target.path(), 2, 1, "start", "5", 0, showContinuation, {}});
        return fixture.start();
    }
};

QString ticked(Form2 &window)
{
    QString boxes;
    for (const char *box : {"Check1", "Check2", "Check3"})
        boxes += window.findChild<QCheckBox *>(box)->isChecked() ? u'1' : u'0';
    return boxes;
}

}  // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void windowMirrorsTheOptionsAndCloses();
    void scanAfterListing_data();
    void scanAfterListing();
    void lastModeEventWins_data();
    void lastModeEventWins();
    void prefixAddition_data();
    void prefixAddition();
};

void OptionsWindowTest::windowMirrorsTheOptionsAndCloses()
{
    Window window;
    Form1 &form = window.start(1);
    Form2 &shown = openOptions(form);
    QVERIFY(shown.isVisible() && !shown.isModal());
    QVERIFY((shown.geometry().center() - shown.screen()->geometry().center()).manhattanLength() <= 2);
    QCOMPARE(ticked(shown), QStringLiteral("100"));
    clickOption(shown, "Check2");
    clickOption(shown, "Check3");
    QCOMPARE(&openOptions(form), &shown);   // the menu brings the one window forward
    QPointer<Form2> closed = &shown;
    QTest::mouseClick(shown.findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QTRY_VERIFY(closed.isNull());

    closed = &openOptions(form);
    QCOMPARE(ticked(*closed), QStringLiteral("111"));
    form.Command5_Click();
    QTRY_VERIFY(closed.isNull());   // closed with the main window
    Form1 &again = window.fixture.start();
    QCOMPARE(ticked(openOptions(again)), QStringLiteral("100"));   // only option 1 is kept
    QVERIFY(again.Command3->isVisibleTo(&again) && !again.Command6->isVisibleTo(&again));
}

void OptionsWindowTest::scanAfterListing_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("during");   // what happens while the scan lets events run
    QTest::addColumn<QString>("fields");   // head|number|extension|digits|preview

    const QString untouched = QStringLiteral("start|5|gif|2|start05.gif");
    QTest::newRow("first listing at start-up") << 1 << "no re-listing" << untouched;
    QTest::newRow("option off") << 0 << "" << untouched;
    QTest::newRow("option on") << 1 << "" << "img|11|jpg|3|img011.jpg";
    // The newer listing's scan stands; the overtaken one writes nothing.
    QTest::newRow("refilled meanwhile") << 1 << "refill" << "new|8|png|1|new8.png";
    QTest::newRow("switched off meanwhile") << 1 << "switch off" << untouched;
    QTest::newRow("folder gone") << 1 << "folder gone" << untouched;
    // The head name is what ネーム追加 puts in front; the preview shows it alone.
    QTest::newRow("prefix mode") << 1 << "prefix" << "start|11|jpg|3|start";
}

void OptionsWindowTest::scanAfterListing()
{
    QFETCH(int, option);
    QFETCH(QString, during);
    QFETCH(QString, fields);
    Window window;
    for (const char *name : {"readme.txt", "img001.jpg", "img002.jpg", "img010.jpg"}) window.target.addFile(name);
    TempFolder other;
    other.addFile(QStringLiteral("new7.png"));
    Form1 &form = window.start(option);
    TestPlatform &platform = window.fixture.platform;
    platform.onLetEventsRun = [&, first = true]() mutable {
        if (during == QLatin1String("refill") && std::exchange(first, false)) form.Dir2->openFolder(other.path());
        if (during == QLatin1String("switch off") && std::exchange(first, false))
            clickOption(openOptions(form), "Check1");
    };
    if (during == QLatin1String("folder gone")) {
        // and nothing above it to go to, so that no other folder is listed
        platform.failPath(TestPlatform::Operation::ListPlainFiles, window.target.path(), FsStatus::fromErrno(ENOENT));
        platform.failPath(TestPlatform::Operation::CheckFolder, QStringLiteral("/"), FsStatus::fromErrno(ENOENT));
    }
    if (during == QLatin1String("prefix")) clickOption(openOptions(form), "Check3");
    if (during != QLatin1String("no re-listing")) form.Check2->toggle();   // lists both panes again

    const QStringList shown{form.Combo2->currentText(), form.Text2->text(), form.Combo1->currentText(),
                            QString::number(form.List1->currentRow()), form.Label5->text()};
    QCOMPARE(shown.join(u'|'), fields);
    QCOMPARE(platform.messages.size(), size_t(during == QLatin1String("folder gone") ? 1 : 0));
}

void OptionsWindowTest::lastModeEventWins_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("disabled");
    QTest::addColumn<bool>("prefixButton");   // Command6 stands in place of Command3
    QTest::addColumn<QString>("caption");     // of Command3

    const QString prefix = QStringLiteral("Combo1 Command1 Command2 List1 Text2");
    const QString rename = QStringLiteral("リネーム(&R)");
    QTest::newRow("prefix on") << "prefix" << prefix << true << rename;
    QTest::newRow("prefix, align") << "prefix align" << "Check1 Combo1 Combo2 Command1 Command2 List1 ListView2 Text2"
                                   << true << "桁合わせ";
    // Unticking enables all six, also those that the prefix mode had disabled.
    QTest::newRow("prefix, align, unalign") << "prefix align align" << "Command1 Command2" << true << rename;
    QTest::newRow("align, prefix on, off") << "align prefix prefix" << "Check1 Combo2 ListView2" << false << "桁合わせ";
    // Opening the window with the option on applies the prefix mode again.
    QTest::newRow("prefix, align, unalign, reopen") << "prefix align align reopen" << prefix << true << rename;
}

void OptionsWindowTest::lastModeEventWins()
{
    QFETCH(QString, events);
    QFETCH(QString, disabled);
    QFETCH(bool, prefixButton);
    QFETCH(QString, caption);
    Window window;
    Form1 &form = window.start();
    for (const QString &event : events.split(u' ')) {
        if (event == QLatin1String("prefix")) clickOption(openOptions(form), "Check3");
        if (event == QLatin1String("align"))
            QTest::mouseClick(form.Check3, Qt::LeftButton, {}, QPoint(8, form.Check3->height() / 2));
        if (event == QLatin1String("reopen")) {
            const QPointer<Form2> closed = &openOptions(form);
            closed->close();
            QTRY_VERIFY(closed.isNull());
            openOptions(form);
        }
    }
    QStringList found;
    for (const char *name : {"Check1", "Combo1", "Combo2", "Command1", "Command2", "Command6", "List1", "ListView2",
                             "Text2", "VScroll1"})
        if (!form.findChild<QWidget *>(name)->isEnabled()) found.append(name);
    QCOMPARE(found.join(u' '), disabled);
    QCOMPARE(form.Command6->isVisible(), prefixButton);
    QCOMPARE(form.Command3->isVisible(), !prefixButton);
    QCOMPARE(form.Command3->text(), caption);
}

void OptionsWindowTest::prefixAddition_data()
{
    QTest::addColumn<bool>("prefixMode");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("message");   // a part of the one message shown, if any
    QTest::addColumn<QString>("target");

    QTest::newRow("Alt+R renames") << false << "start" << "" << "start05.gif start06.gif";
    QTest::newRow("head before the whole name") << true << "trip_" << "" << "trip_img01.jpg trip_img02.png";
    QTest::newRow("head making no name") << true << "a/b" << "「a/bimg0" << "";
}

void OptionsWindowTest::prefixAddition()
{
    QFETCH(bool, prefixMode);
    QFETCH(QString, head);
    QFETCH(QString, message);
    QFETCH(QString, target);
    Window window;
    window.source.addFile(QStringLiteral("img01.jpg"));
    window.source.addFile(QStringLiteral("img02.png"));
    Form1 &form = window.start();
    if (prefixMode) clickOption(openOptions(form), "Check3");
    form.Combo2->setEditText(head);
    QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    form.ListView1_Click();
    const QString preview = form.Label5->text();
    // The rename's access key starts nothing while its button is hidden.
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.windowHandle(), Qt::Key_R, Qt::AltModifier);
    QCOMPARE(form.Command3->isDown(), !prefixMode);
    QTRY_VERIFY(!form.Command3->isDown());   // the key's click lands a moment later
    if (prefixMode) QTest::mouseClick(form.Command6, Qt::LeftButton);
    if (!target.isEmpty()) QCOMPARE(preview, target.section(u' ', 0, 0));   // what the button made of the first file

    const std::vector<ShownMessage> &shown = window.fixture.platform.messages;
    QCOMPARE(shown.size(), size_t(message.isEmpty() ? 0 : 1));
    if (!shown.empty()) QVERIFY2(shown[0].text.contains(message), qPrintable(shown[0].text));
    QCOMPARE(window.target.names().join(u' '), target);
    QCOMPARE(form.Program.HeadNameHistory[9], prefixMode ? QString() : head);   // the prefix is no head name
}

QTEST_MAIN(OptionsWindowTest)
#include "tst_optionswindow.moc"
