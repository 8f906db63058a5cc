// SPDX-License-Identifier: GPL-3.0-or-later
// A click on a destination file fills the naming fields of the main window so
// that the next rename continues its series.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "panes/filelistview.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

using namespace nv;

class ContinueWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickContinuesTheSeries_data();
    void clickContinuesTheSeries();
    void numberPastTheLimitStopsAfterTheDigits_data();
    void numberPastTheLimitStopsAfterTheDigits();
    void clickWithoutSelectedRowChangesNothing();

private:
    std::unique_ptr<TempFolder> m_source, m_target;
    std::unique_ptr<FormFixture> m_fixture;

    // Starts with head "start", number "5", two digits and the extension gif,
    // so that every field the click writes shows the change.
    Form1 &start(int digitIndex = 2);
};

void ContinueWindowTest::init()
{
    m_source = std::make_unique<TempFolder>();
    m_target = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
    m_source->addFile(QStringLiteral("source.jpg"));
}

void ContinueWindowTest::cleanup()
{
    m_fixture.reset();
    m_source.reset();
    m_target.reset();
}

Form1 &ContinueWindowTest::start(int digitIndex)
{
    SettingsRecord record;
    record.SourceFolder = m_source->path();
    record.TargetFolder = m_target->path();
    record.DigitIndex = digitIndex;
    record.ExtensionIndex = 1;   // gif, among bmp, gif and jpg
    record.HeadName = QStringLiteral("start");
    record.FirstNumberText = QStringLiteral("5");
    m_fixture->writeSettings(record);
    return m_fixture->start();
}

void ContinueWindowTest::clickContinuesTheSeries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("preview");

    QTest::newRow("img012.jpg") << "img012.jpg" << "img" << "13" << 3 << "jpg" << "img013.jpg";
    QTest::newRow("DSC0099.JPG") << "DSC0099.JPG" << "DSC" << "100" << 4 << "JPG" << "DSC0100.JPG";
    QTest::newRow("img9.jpg") << "img9.jpg" << "img" << "10" << 1 << "jpg" << "img10.jpg";
    QTest::newRow("img000.jpg") << "img000.jpg" << "img" << "" << 0 << "jpg" << "img.jpg";
    QTest::newRow("photo.jpg") << "photo.jpg" << "photo" << "" << 0 << "jpg" << "photo.jpg";
    QTest::newRow("2005.jpg") << "2005.jpg" << "" << "2006" << 4 << "jpg" << "2006.jpg";
    QTest::newRow("a.b12.txt") << "a.b12.txt" << "a.b" << "13" << 2 << "txt" << "a.b13.txt";
    QTest::newRow("img12x.png") << "img12x.png" << "img12x" << "" << 0 << "png" << "img12x.png";
    QTest::newRow("one below the limit") << "n2147483646.jpg" << "n" << "2147483647" << 10 << "jpg"
                                         << "n2147483647.jpg";
}

void ContinueWindowTest::clickContinuesTheSeries()
{
    QFETCH(QString, name);
    QFETCH(QString, head);
    QFETCH(QString, number);
    QFETCH(int, digits);
    QFETCH(QString, extension);
    QFETCH(QString, preview);
    m_target->addFile(QStringLiteral("other.jpg"));
    m_target->addFile(name);
    Form1 &form = start();

    QVERIFY(clickRow(form.ListView2, name));
    QCOMPARE(form.Combo2->currentText(), head);
    QCOMPARE(form.Text2->text(), number);
    QCOMPARE(form.List1->currentRow(), digits);
    QCOMPARE(form.Combo1->currentText(), extension);
    QCOMPARE(form.Label5->text(), preview);
    // Setting the digit count hands the focus to the source list.
    QCOMPARE(form.focusWidget(), form.ListView1);
    // The preview the fields make by themselves is the one the click wrote.
    form.UpdatePreview();
    QCOMPARE(form.Label5->text(), preview);
}

void ContinueWindowTest::numberPastTheLimitStopsAfterTheDigits_data()
{
    QTest::addColumn<int>("digitsBefore");
    QTest::newRow("digit count changes") << 2;
    // The digit list already shows 10: its write must refresh the preview all the same.
    QTest::newRow("digit count already 10") << 10;
}

void ContinueWindowTest::numberPastTheLimitStopsAfterTheDigits()
{
    QFETCH(int, digitsBefore);
    m_target->addFile(QStringLiteral("img2147483647.png"));
    Form1 &form = start(digitsBefore);
    const QString previewBefore = digitsBefore == 2 ? QStringLiteral("start05.gif") : QStringLiteral("start0000000005.gif");
    QCOMPARE(form.Label5->text(), previewBefore);

    QVERIFY(clickRow(form.ListView2, QStringLiteral("img2147483647.png")));
    QCOMPARE(form.Combo1->currentText(), QStringLiteral("png"));
    QCOMPARE(form.List1->currentRow(), 10);
    QCOMPARE(form.Text2->text(), QStringLiteral("5"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("start"));
    // Nothing of the clicked name reaches the preview but what the digit
    // list's refresh reads from the fields: the new extension and width.
    QCOMPARE(form.Label5->text(), QStringLiteral("start0000000005.png"));
    QCOMPARE(form.focusWidget(), form.ListView1);
}

void ContinueWindowTest::clickWithoutSelectedRowChangesNothing()
{
    Form1 &form = start();
    QTest::mouseClick(form.ListView2->viewport(), Qt::LeftButton, {}, QPoint(5, 5));   // an empty list
    QCOMPARE(form.Combo1->currentText(), QStringLiteral("gif"));
    QCOMPARE(form.List1->currentRow(), 2);
    QCOMPARE(form.Text2->text(), QStringLiteral("5"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("start"));
    QCOMPARE(form.Label5->text(), QStringLiteral("start05.gif"));
    QCOMPARE(form.focusWidget(), form.ListView2);
}

QTEST_MAIN(ContinueWindowTest)
#include "tst_continuewindow.moc"
