// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/continuefromfile.h"
#include "naming/namecomposer.h"

#include <QtTest>

using namespace nv;

class TestContinueFromFile : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void overflowStopsAfterTheDigitCount_data();
    void overflowStopsAfterTheDigitCount();
};

void TestContinueFromFile::split_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("digits");
    QTest::addColumn<bool>("againZero");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("caption");
    // The worked examples.
    QTest::newRow("img012.jpg") << "img012.jpg" << "img" << "13" << 3 << false << "jpg" << "img013.jpg";
    QTest::newRow("DSC0099.JPG") << "DSC0099.JPG" << "DSC" << "100" << 4 << false << "JPG" << "DSC0100.JPG";
    QTest::newRow("img9.jpg") << "img9.jpg" << "img" << "10" << 1 << false << "jpg" << "img10.jpg";
    QTest::newRow("img000.jpg") << "img000.jpg" << "img" << "" << 3 << true << "jpg" << "img.jpg";
    QTest::newRow("photo.jpg") << "photo.jpg" << "photo" << "" << 0 << true << "jpg" << "photo.jpg";
    QTest::newRow("2005.jpg") << "2005.jpg" << "" << "2006" << 4 << false << "jpg" << "2006.jpg";
    QTest::newRow("a.b12.txt") << "a.b12.txt" << "a.b" << "13" << 2 << false << "txt" << "a.b13.txt";
    QTest::newRow("img12x.png") << "img12x.png" << "img12x" << "" << 0 << true << "png" << "img12x.png";
    // Further edges.
    QTest::newRow("trailing dot") << "img5." << "img" << "6" << 1 << false << "" << "img6";
    QTest::newRow("only a leading dot") << ".jpg" << "" << "" << 0 << true << "jpg" << ".jpg";
    QTest::newRow("no dot at all") << "img012" << "img" << "13" << 3 << false << "" << "img013";
    QTest::newRow("digits in the extension are not the number") << "song.mp3" << "song" << "" << 0 << true
                                                                << "mp3" << "song.mp3";
    QTest::newRow("full-width digits are head") << QString::fromUtf8("写真１２.jpg") << QString::fromUtf8("写真１２")
                                                << "" << 0 << true << "jpg" << QString::fromUtf8("写真１２.jpg");
    QTest::newRow("twenty zeros and 5") << "x000000000000000000005.jpg" << "x" << "6" << 15 << false << "jpg"
                                        << "x000000000000006.jpg";
    QTest::newRow("16 zeros") << "z0000000000000000.png" << "z" << "" << 15 << true << "png" << "z.png";
    QTest::newRow("one below the largest") << "n2147483646.j" << "n" << "2147483647" << 10 << false << "j"
                                           << "n2147483647.j";
}

void TestContinueFromFile::split()
{
    QFETCH(QString, clicked);
    QFETCH(QString, head);
    QFETCH(QString, number);
    QFETCH(int, digits);
    QFETCH(bool, againZero);
    QFETCH(QString, extension);
    QFETCH(QString, caption);
    const ClickedNameFields fields = SplitClickedName(clicked);
    QVERIFY(!fields.stopsAfterDigitCount);
    QCOMPARE(fields.extension, extension);
    QCOMPARE(fields.digitCount, digits);
    QCOMPARE(fields.digitCountAgainZero, againZero);
    QCOMPARE(fields.numberText, number);
    QCOMPARE(fields.headName, head);
    // What the preview shows once the fields are written.
    const int digitsShown = fields.digitCountAgainZero ? 0 : fields.digitCount;
    QCOMPARE(ComposeNewName(fields.headName, StartNumber(fields.numberText), digitsShown, fields.extension), caption);
}

void TestContinueFromFile::overflowStopsAfterTheDigitCount_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("extension");
    QTest::newRow("the largest number") << "n2147483647.jpg" << 10 << "jpg";
    QTest::newRow("beyond 32 bits") << "n9999999999.jpg" << 10 << "jpg";
    QTest::newRow("sixteen digits") << "n1234567890123456.JPG" << 15 << "JPG";
    QTest::newRow("leading zeros then too large") << "n000002147483648.png" << 15 << "png";
}

void TestContinueFromFile::overflowStopsAfterTheDigitCount()
{
    QFETCH(QString, clicked);
    QFETCH(int, digits);
    QFETCH(QString, extension);
    const ClickedNameFields fields = SplitClickedName(clicked);
    QVERIFY(fields.stopsAfterDigitCount);
    QCOMPARE(fields.extension, extension);
    QCOMPARE(fields.digitCount, digits);
    QVERIFY(!fields.digitCountAgainZero);
}

QTEST_GUILESS_MAIN(TestContinueFromFile)
#include "tst_continuefromfile.moc"
