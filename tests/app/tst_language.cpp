// SPDX-License-Identifier: GPL-3.0-or-later
// The window in each language, with the translation the build made: English
// for a user who prefers English, Japanese under the C locale. CTest runs the
// program once per locale and names the row that locale must give.
#include "formfixture.h"

#include "app/uilanguage.h"
#include "dialogs/form2.h"
#include "platform/desktopplatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace nv;

namespace {

// The captions of the buttons of a real message box, read while it is open,
// in sorted order (the style decides where each one stands).
QStringList messageBoxButtons()
{
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton *button : box->buttons()) captions << button->text();
        box->reject();
    });
    DesktopDialogs().showMessage(QStringLiteral("?"), MessageButtons::YesNoCancel, MessageIcon::None);
    captions.sort();
    return captions;
}

}  // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void windowTexts_data();
    void windowTexts();
};

void TestLanguage::windowTexts_data()
{
    QTest::addColumn<QString>("renameCaption");
    QTest::addColumn<QString>("cautionStart");   // the question before extensions are changed
    QTest::addColumn<QStringList>("boxButtons");
    QTest::addColumn<QString>("optionCaption");

    QTest::newRow("English") << "&Rename" << "You are about to change file extensions."
                             << QStringList{"&No", "&Yes", "Cancel"} << "Sort by capture &time";
    QTest::newRow("Japanese") << "リネーム(&R)" << "拡張子をリネームしようとしています"
                              << QStringList{"いいえ(&N)", "はい(&Y)", "キャンセル"} << "撮影日時の順に並べる";
}

void TestLanguage::windowTexts()
{
    QFETCH(QString, renameCaption);
    QFETCH(QString, cautionStart);
    QFETCH(QStringList, boxButtons);
    QFETCH(QString, optionCaption);

    FormFixture fixture;
    Form1 &form = fixture.start();
    QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("Command3"))->text(), renameCaption);

    form.findChild<QComboBox *>(QStringLiteral("Combo1"))->setEditText(QStringLiteral("png"));
    fixture.platform.answers.push_back(MessageAnswer::Cancel);
    form.Command4_Click();
    QCOMPARE(fixture.platform.messages.size(), size_t(1));
    QVERIFY2(fixture.platform.messages.front().text.startsWith(cautionStart),
             qPrintable(fixture.platform.messages.front().text));
    QCOMPARE(messageBoxButtons(), boxButtons);

    QCOMPARE(openOptions(form).findChild<QCheckBox *>(QStringLiteral("Check4"))->text(), optionCaption);
}

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    installUiLanguage(application, QStringLiteral(NV_TRANSLATIONS_FOLDER));
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language.moc"
