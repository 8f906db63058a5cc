// SPDX-License-Identifier: GPL-3.0-or-later
// The naming fields of the main window: the preview, which always shows the
// name the rename makes, the digit list's scroll bar, which moves the focus to
// the source list, and a head name's trailing line break. The keys and clicks
// in the fields are rows of the window's paths (tst_navigation).
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

    void previewIsTheNameTheRenameMakes_data();
    void previewIsTheNameTheRenameMakes();
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
