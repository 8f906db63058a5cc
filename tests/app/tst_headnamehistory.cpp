// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/headnamehistory.h"

#include <QtTest>

using namespace nv;

namespace {

HeadNameSlots slotsOf(const QStringList &texts)
{
    HeadNameSlots history;
    std::copy(texts.begin(), texts.end(), history.begin());
    return history;
}

}  // namespace

class TestHeadNameHistory : public QObject {
    Q_OBJECT

private slots:
    void elevenPushesLoseTheFirst();
    void pushesKeepEmptyTextsAndRepeats();
    void receivedTextsSkipEmptyOnes();
    void listEntries_data();
    void listEntries();
};

void TestHeadNameHistory::elevenPushesLoseTheFirst()
{
    HeadNameSlots history;
    for (int i = 1; i <= 11; ++i) PushHeadName(history, QStringLiteral("h%1").arg(i));
    QCOMPARE(history.front(), QStringLiteral("h2"));
    QCOMPARE(history.back(), QStringLiteral("h11"));
    QCOMPARE(HeadNameListEntries(history),
             (QStringList{"h2", "h3", "h4", "h5", "h6", "h7", "h8", "h9", "h10", "h11"}));
}

void TestHeadNameHistory::pushesKeepEmptyTextsAndRepeats()
{
    HeadNameSlots history;
    PushHeadName(history, "trip");
    PushHeadName(history, "trip");
    PushHeadName(history, "");
    QCOMPARE(history[7], QStringLiteral("trip"));
    QCOMPARE(history[8], QStringLiteral("trip"));
    QCOMPARE(history[9], QString());
    QCOMPARE(HeadNameListEntries(history), (QStringList{"trip", "trip"}));
}

void TestHeadNameHistory::receivedTextsSkipEmptyOnes()
{
    HeadNameSlots history = slotsOf({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    QVERIFY(!PushReceivedText(history, QString()));
    QCOMPARE(history.back(), QStringLiteral("j"));
    const QString withZero = QStringLiteral("sent") + QChar(0);
    QVERIFY(PushReceivedText(history, withZero));
    QCOMPARE(history.back(), withZero);
    QCOMPARE(history.front(), QStringLiteral("b"));
}

void TestHeadNameHistory::listEntries_data()
{
    QTest::addColumn<QStringList>("slotTexts");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("empty history") << QStringList() << QStringList();
    QTest::newRow("fewer than ten, empty at the low end")
        << QStringList{"", "", "", "", "", "", "", "old", "mid", "new"} << QStringList{"old", "mid", "new"};
    QTest::newRow("gaps anywhere") << QStringList{"a", "", "b", "", "", "c", "", "", "", "d"}
                                   << QStringList{"a", "b", "c", "d"};
    QTest::newRow("blank is not empty") << QStringList{" ", "", "", "", "", "", "", "", "", ""} << QStringList{" "};
}

void TestHeadNameHistory::listEntries()
{
    QFETCH(QStringList, slotTexts);
    QFETCH(QStringList, entries);
    QCOMPARE(HeadNameListEntries(slotsOf(slotTexts)), entries);
}

QTEST_GUILESS_MAIN(TestHeadNameHistory)
#include "tst_headnamehistory.moc"
