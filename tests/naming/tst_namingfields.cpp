// The naming fields of the main window: which changes refresh the preview,
// which move the focus to the source list, and the digit list's scroll bar.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "panes/filelistview.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QtTest>

using namespace nv;

class NamingFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingRefreshesThePreview();
    void pickingAHeadNameLeavesThePreview();
    void typingAnExtensionWaitsForTheNextRefresh();
    void pickingAnExtensionRefreshesAndMovesTheFocus();
    void scrollBarStepsTheDigitListOneWay();
    void trailingLineBreakOfTheHeadNameIsDropped();

private:
    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<FormFixture> m_fixture;

    Form1 &start();
    // Picks an entry from a combo box's drop-down with the keyboard, as a user would.
    static void pickFromDropDown(QComboBox *combo, int entry);
};

void NamingFieldsTest::init()
{
    m_folder = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
}

void NamingFieldsTest::cleanup()
{
    m_fixture.reset();
    m_folder.reset();
}

Form1 &NamingFieldsTest::start()
{
    SettingsRecord record;
    record.SourceFolder = m_folder->path();
    record.TargetFolder = m_folder->path();
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
    QTest::keyClicks(form.Text2, QStringLiteral("007"));
    // The preview pads by the length of the typed text.
    QCOMPARE(form.Label5->text(), QStringLiteral("trip7.jpg"));
    form.Combo2->setFocus();
    QTest::keyClicks(form.Combo2->lineEdit(), QStringLiteral("_x"));
    QCOMPARE(form.Label5->text(), QStringLiteral("trip_x7.jpg"));
    form.Combo2->setEditText(QStringLiteral("set"));
    QCOMPARE(form.Label5->text(), QStringLiteral("set7.jpg"));
}

void NamingFieldsTest::pickingAHeadNameLeavesThePreview()
{
    Form1 &form = start();
    form.Combo2->setFocus();   // fills the drop-down from the history: older, newer
    QCOMPARE(comboEntries(form.Combo2), (QStringList{"older", "newer"}));
    pickFromDropDown(form.Combo2, 1);
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("newer"));
    QCOMPARE(form.Label5->text(), QStringLiteral("trip007.jpg"));
    QCOMPARE(form.focusWidget(), form.ListView1);
    // The next refresh shows the picked name.
    form.Text2->setText(QStringLiteral("8"));
    QCOMPARE(form.Label5->text(), QStringLiteral("newer008.jpg"));
}

void NamingFieldsTest::typingAnExtensionWaitsForTheNextRefresh()
{
    Form1 &form = start();
    form.Combo1->setFocus();
    form.Combo1->lineEdit()->selectAll();
    QTest::keyClicks(form.Combo1->lineEdit(), QStringLiteral("png"));
    QCOMPARE(form.Label5->text(), QStringLiteral("trip007.jpg"));
    form.Text2->setText(QStringLiteral("8"));
    QCOMPARE(form.Label5->text(), QStringLiteral("trip008.png"));
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
