// The naming fields of the main window: the preview, which always shows the
// name the rename makes, the focus moves to the source list, the digit list's
// scroll bar, and combo boxes that keep what is typed.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "panes/filelistview.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace nv;

class NamingFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingRefreshesThePreview();
    void pickingAHeadNameRefreshesThePreview();
    void typingAnExtensionRefreshesThePreview();
    void previewIsTheNameTheRenameMakes_data();
    void previewIsTheNameTheRenameMakes();
    void typedTextIsNotCompleted_data();
    void typedTextIsNotCompleted();
    void pickingAnExtensionRefreshesAndMovesTheFocus();
    void scrollBarStepsTheDigitListOneWay();
    void trailingLineBreakOfTheHeadNameIsDropped();

private:
    std::unique_ptr<TempFolder> m_folder, m_target;
    std::unique_ptr<FormFixture> m_fixture;

    Form1 &start();
    // Picks an entry from a combo box's drop-down with the keyboard, as a user would.
    static void pickFromDropDown(QComboBox *combo, int entry);
};

void NamingFieldsTest::init()
{
    m_folder = std::make_unique<TempFolder>();
    m_target = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
}

void NamingFieldsTest::cleanup()
{
    m_fixture.reset();
    m_folder.reset();
    m_target.reset();
}

Form1 &NamingFieldsTest::start()
{
    SettingsRecord record;
    record.SourceFolder = m_folder->path();
    record.TargetFolder = m_target->path();
    record.DigitIndex = 3;
    record.ExtensionIndex = 2;   // jpg
    record.HeadName = QStringLiteral("trip");
    record.FirstNumberText = QStringLiteral("7");
    record.HeadNameHistory[8] = QStringLiteral("older");
    record.HeadNameHistory[9] = QStringLiteral("newer");
    m_fixture->writeSettings(record);
    Form1 &form = m_fixture->start();
    // Focus changes reach a window only while it is the active one.
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) qWarning("the main window did not become active");
    return form;
}

void NamingFieldsTest::pickFromDropDown(QComboBox *combo, int entry)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    view->setCurrentIndex(view->model()->index(entry, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

void NamingFieldsTest::typingRefreshesThePreview()
{
    Form1 &form = start();
    QCOMPARE(form.Label5->text(), QStringLiteral("trip007.jpg"));
    form.Text2->setFocus();
    form.Text2->selectAll();
    QTest::keyClicks(form.Text2, QStringLiteral("008"));
    QCOMPARE(form.Label5->text(), QStringLiteral("trip008.jpg"));
    form.Combo2->setFocus();
    QTest::keyClicks(form.Combo2->lineEdit(), QStringLiteral("_x"));
    QCOMPARE(form.Label5->text(), QStringLiteral("trip_x008.jpg"));
    form.Combo2->setEditText(QStringLiteral("set"));
    QCOMPARE(form.Label5->text(), QStringLiteral("set008.jpg"));
}

void NamingFieldsTest::pickingAHeadNameRefreshesThePreview()
{
    Form1 &form = start();
    form.Combo2->setFocus();   // fills the drop-down from the history: older, newer
    QCOMPARE(comboEntries(form.Combo2), (QStringList{"older", "newer"}));
    pickFromDropDown(form.Combo2, 1);
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("newer"));
    QCOMPARE(form.Label5->text(), QStringLiteral("newer007.jpg"));
    QCOMPARE(form.focusWidget(), form.ListView1);
}

void NamingFieldsTest::typingAnExtensionRefreshesThePreview()
{
    Form1 &form = start();
    form.Combo1->setFocus();
    form.Combo1->lineEdit()->selectAll();
    QTest::keyClicks(form.Combo1->lineEdit(), QStringLiteral("png"));
    QCOMPARE(form.Label5->text(), QStringLiteral("trip007.png"));
    QCOMPARE(form.focusWidget(), form.Combo1);
}

void NamingFieldsTest::previewIsTheNameTheRenameMakes_data()
{
    QTest::addColumn<QString>("numberText");   // typed over the 7; empty: left alone
    QTest::addColumn<int>("pickedHead");       // picked from the drop-down (older, newer); -1: none
    QTest::addColumn<QString>("extension");    // typed over jpg; empty: left alone
    QTest::addColumn<QString>("newName");
    // Picking a head name and typing an extension refresh the preview by
    // themselves (tested above); here the rename follows all three fields.
    QTest::newRow("as started") << "" << -1 << "" << "trip007.jpg";
    QTest::newRow("leading zeros typed") << "007" << -1 << "" << "trip007.jpg";
    QTest::newRow("fewer zeros than digits") << "01" << -1 << "" << "trip001.jpg";
    QTest::newRow("all three") << "0042" << 1 << "tif" << "newer042.tif";
}

// Whatever way the fields were filled, the rename button gives the first
// selected file the very name that the preview shows.
void NamingFieldsTest::previewIsTheNameTheRenameMakes()
{
    QFETCH(QString, numberText);
    QFETCH(int, pickedHead);
    QFETCH(QString, extension);
    QFETCH(QString, newName);
    m_folder->addFile(QStringLiteral("a.jpg"), "pixels");
    Form1 &form = start();
    if (!numberText.isEmpty()) {
        form.Text2->selectAll();
        QTest::keyClicks(form.Text2, numberText);
    }
    if (pickedHead >= 0) {
        form.Combo2->setFocus();
        pickFromDropDown(form.Combo2, pickedHead);
    }
    if (!extension.isEmpty()) {
        form.Combo1->lineEdit()->selectAll();
        QTest::keyClicks(form.Combo1->lineEdit(), extension);
    }
    QCOMPARE(form.Label5->text(), newName);

    QVERIFY(clickRow(form.ListView1, QStringLiteral("a.jpg")));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(m_target->names(), QStringList{newName});
}

void NamingFieldsTest::typedTextIsNotCompleted_data()
{
    QTest::addColumn<bool>("headName");   // Combo2, else Combo1 (bmp, gif, jpg)
    QTest::addColumn<QString>("typed");
    QTest::newRow("extension in other letter case") << false << "JPG";
    QTest::newRow("start of an extension") << false << "j";
    QTest::newRow("head name in other letter case") << true << "CASE";
    QTest::newRow("start of a head name") << true << "mo";
}

// What the user types is what is used, also after Return: the boxes complete
// nothing from their lists.
void NamingFieldsTest::typedTextIsNotCompleted()
{
    QFETCH(bool, headName);
    QFETCH(QString, typed);
    Form1 &form = start();
    form.Program.HeadNameHistory[8] = QStringLiteral("case");
    form.Program.HeadNameHistory[9] = QStringLiteral("move");
    QComboBox *box = headName ? static_cast<QComboBox *>(form.Combo2) : form.Combo1;
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), typed);
    QCOMPARE(box->currentText(), typed);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->currentText(), typed);
    QVERIFY(form.Label5->text().contains(typed));
}

void NamingFieldsTest::pickingAnExtensionRefreshesAndMovesTheFocus()
{
    Form1 &form = start();
    form.Combo1->setFocus();
    pickFromDropDown(form.Combo1, 0);   // bmp
    QCOMPARE(form.Label5->text(), QStringLiteral("trip007.bmp"));
    QCOMPARE(form.focusWidget(), form.ListView1);
}

void NamingFieldsTest::scrollBarStepsTheDigitListOneWay()
{
    Form1 &form = start();
    form.VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);   // the lower arrow
    QCOMPARE(form.List1->currentRow(), 4);
    QCOMPARE(form.Label5->text(), QStringLiteral("trip0007.jpg"));
    QCOMPARE(form.focusWidget(), form.ListView1);
    // A click in the list leaves the scroll bar where it was; its next step goes on from there.
    form.List1->setCurrentRow(10);
    QCOMPARE(form.VScroll1->value(), 4);
    form.VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);   // the upper arrow
    QCOMPARE(form.List1->currentRow(), 3);
    form.VScroll1->setValue(15);
    form.VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(form.List1->currentRow(), 15);
}

void NamingFieldsTest::trailingLineBreakOfTheHeadNameIsDropped()
{
    Form1 &form = start();
    form.Combo2->setEditText(QStringLiteral("pasted\r\n"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("pasted"));
    QCOMPARE(form.Label5->text(), QStringLiteral("pasted007.jpg"));
    form.Combo2->setEditText(QStringLiteral("two\r\nlines"));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("two\r\nlines"));
}

QTEST_MAIN(NamingFieldsTest)
#include "tst_namingfields.moc"
