// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/digitalignment.h"
#include "text/characters.h"

#include <QtTest>

using namespace nv;

class TestDigitAlignment : public QObject {
    Q_OBJECT

private slots:
    void newNames_data();
    void newNames();
};

void TestDigitAlignment::newNames_data()
{
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("result");   // "old>new ...", or "!" and the name that the refusal names

    QTest::newRow("text behind the number") << "a1b.txt a100b.txt" << "a1b.txt>a001b.txt";
    QTest::newRow("digit in the extension") << "song1.mp3 song10.mp3" << "song1.mp3>song01.mp3";
    QTest::newRow("number only in the extension") << "data.1 data.10" << "data.1>data.01";
    QTest::newRow("number at the start") << "1.jpg 100.jpg" << "!100.jpg";
    // Counted in characters: one zero, and never inside the pair.
    QTest::newRow("character of two units") << "a100.jpg 😀10.jpg" << "😀10.jpg>😀010.jpg";
    QTest::newRow("same lengths") << "abc.jpg xyz.jpg" << "";
    QTest::newRow("longest without a digit") << "img1.jpg readme.txt" << "!readme.txt";
    QTest::newRow("full-width digits are text") << "ab.jpg 写真１２.jpg" << "!写真１２.jpg";
    QTest::newRow("shorter than the prefix") << "img100.jpg ab" << "!ab";
    QTest::newRow("number elsewhere") << "2023-05-01.jpg 2023-5-1.jpg" << "!2023-5-1.jpg";
    QTest::newRow("zeros inside a number") << "abc10.jpg a123.jpg" << "!a123.jpg";
}

void TestDigitAlignment::newNames()
{
    QFETCH(QString, names);
    QFETCH(QString, result);
    const AlignmentPlan plan = PlanAlignment(names.split(u' '));
    QStringList made;
    for (const AlignedName &rename : plan.renames) made.append(rename.oldName + u'>' + rename.newName);
    if (result.startsWith(u'!')) QVERIFY2(plan.refusals.text().contains("「" + result.mid(1) + "」"), qPrintable(result));
    else QCOMPARE(made.join(u' ') + plan.refusals.text(), result);

    // The preview's rule: each name's new name from it and the longest alone,
    // or the name itself when it keeps it or is refused.
    const QStringList list = names.split(u' ');
    const QString longest = *std::max_element(list.begin(), list.end(), [](const QString &a, const QString &b) {
        return characterCount(a) < characterCount(b);
    });
    for (const QString &name : list) {
        const auto renamed = std::find_if(plan.renames.begin(), plan.renames.end(),
                                          [&](const AlignedName &rename) { return rename.oldName == name; });
        QCOMPARE(AlignedNameOf(name, longest), renamed == plan.renames.end() ? name : renamed->newName);
    }
}

QTEST_APPLESS_MAIN(TestDigitAlignment)
#include "tst_digitalignment.moc"
