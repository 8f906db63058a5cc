// SPDX-License-Identifier: GPL-3.0-or-later
// The rule of the continuation scan over a list of names in list order.
#include "panes/continuationscan.h"

#include <QtTest>

using namespace nv;

class TestContinuationScan : public QObject {
    Q_OBJECT
private slots:
    void scan_data();
    void scan();
};

void TestContinuationScan::scan_data()
{
    QTest::addColumn<QString>("names");    // in list order, separated by blanks
    QTest::addColumn<QString>("fields");   // head|number|extension|digits

    QTest::newRow("worked example") << "readme.txt img001.jpg img002.jpg photo7.jpg img010.jpg IMG011.jpg img0099.png"
                                    << "img|11|jpg|3";
    QTest::newRow("one more digit") << "img9.jpg" << "img|10|jpg|2";
    QTest::newRow("longest run wins") << "img0099.jpg img100.jpg" << "img|101|jpg|4";
    QTest::newRow("highest is zero") << "img000.jpg" << "img||jpg|3";
    QTest::newRow("no numbered name") << "readme.txt photo.jpg 写真１.jpg" << "|||1";
    // A name without any dot has an empty extension, as a click takes it.
    QTest::newRow("no dot and a last dot") << "scan7 scan8. scan9.jpg" << "scan|9||1";
    // A number whose successor the first-number field cannot hold takes no part.
    QTest::newRow("past the field") << "n2147483647.jpg x1234567890123456.jpg n5.jpg n2147483646.jpg"
                                    << "n|2147483647|jpg|10";
    QTest::newRow("capped at 15") << "z00000000000000000001.jpg" << "z|2|jpg|15";
}

void TestContinuationScan::scan()
{
    QFETCH(QString, names);
    QFETCH(QString, fields);
    const SeriesContinuation result = ScanSeries(names.split(u' ', Qt::SkipEmptyParts));
    QCOMPARE(QStringList({result.headName, result.numberText, result.extension, QString::number(result.digitCount)})
                 .join(u'|'),
             fields);
}

QTEST_GUILESS_MAIN(TestContinuationScan)
#include "tst_continuationscan.moc"
