// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/namecomposer.h"

#include <QtTest>

#include <cmath>

using namespace nv;

class TestNameComposer : public QObject {
    Q_OBJECT

private slots:
    void numericValue_data();
    void numericValue();
    void numericValueOverflowsToInfinity();
    void startNumber_data();
    void startNumber();
    void composeNewName_data();
    void composeNewName();
    void preview_data();
    void preview();
    void serialRuleCountsItsCalls();
    void serialRuleStopsPastTheLargestNumber();
};

void TestNameComposer::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("plain") << "42" << 42.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("blanks around and between") << " 1 5 " << 15.0;
    QTest::newRow("tab and line feed inside") << "1\t2\n3" << 123.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("full-width blank stops") << QString::fromUtf8("1\u30002") << 1.0;
    QTest::newRow("exponent e") << "1e2" << 100.0;
    QTest::newRow("exponent E with sign") << "25E-1" << 2.5;
    QTest::newRow("exponent D") << "3D2" << 300.0;
    QTest::newRow("exponent d with plus") << "3d+1" << 30.0;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("exponent sign without digits") << "7e-x" << 7.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("fraction only") << ".5" << 0.5;
    QTest::newRow("comma is no decimal point") << "2,5" << 2.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("minus") << "-3" << -3.0;
    QTest::newRow("plus") << "+8" << 8.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("full-width digits are no digits") << QString::fromUtf8("１２") << 0.0;
    QTest::newRow("hexadecimal prefix is not read") << "&H10" << 0.0;
}

void TestNameComposer::numericValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NumericValue(text), value);
}

void TestNameComposer::numericValueOverflowsToInfinity()
{
    QVERIFY(std::isinf(NumericValue("1e999")) && NumericValue("1e999") > 0);
    QVERIFY(std::isinf(NumericValue("-1e999")) && NumericValue("-1e999") < 0);
    QCOMPARE(NumericValue("1e-999"), 0.0);
}

void TestNameComposer::startNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("0.4") << "0.4" << 0;
    QTest::newRow("0.5 to even 0") << "0.5" << 0;
    QTest::newRow("1.5 to even 2") << "1.5" << 2;
    QTest::newRow("2.5 to even 2") << "2.5" << 2;
    QTest::newRow("3.5 to even 4") << "3.5" << 4;
    QTest::newRow("2.51 up") << "2.51" << 3;
    QTest::newRow("-2.5 to even -2") << "-2.5" << -2;
    QTest::newRow("-3.5 to even -4") << "-3.5" << -4;
    QTest::newRow("-3") << "-3" << -3;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
    QTest::newRow("above the range clamps") << "2147483648" << 2147483647;
    QTest::newRow("far above clamps") << "99999999999999999999" << 2147483647;
    QTest::newRow("infinity clamps") << "1e999" << 2147483647;
    QTest::newRow("below the range clamps") << "-2147483649" << int(-2147483648LL);
    QTest::newRow("half above the largest clamps") << "2147483646.5" << 2147483646;
}

void TestNameComposer::startNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(StartNumber(text), number);
}

void TestNameComposer::composeNewName_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("name");
    QTest::newRow("padded") << "img" << 7 << 3 << "jpg" << "img007.jpg";
    QTest::newRow("number 0 has no digits") << "img" << 0 << 3 << "jpg" << "img.jpg";
    QTest::newRow("digit count 0") << "img" << 7 << 0 << "jpg" << "img7.jpg";
    QTest::newRow("no digit selected") << "img" << 7 << -1 << "jpg" << "img7.jpg";
    QTest::newRow("longer than the count is not cut") << "img" << 1234 << 2 << "jpg" << "img1234.jpg";
    QTest::newRow("minus sign counts") << "head" << -5 << 3 << "jpg" << "head0-5.jpg";
    QTest::newRow("empty extension adds no dot") << "photo" << 1 << 3 << "" << "photo001";
    QTest::newRow("number 0, empty extension") << "photo" << 0 << 3 << "" << "photo";
    QTest::newRow("empty head") << "" << 12 << 4 << "png" << "0012.png";
    QTest::newRow("fifteen digits") << "a" << 6 << 15 << "x" << "a000000000000006.x";
    QTest::newRow("largest number") << "n" << 2147483647 << 3 << "j" << "n2147483647.j";
}

void TestNameComposer::composeNewName()
{
    QFETCH(QString, head);
    QFETCH(int, number);
    QFETCH(int, digits);
    QFETCH(QString, extension);
    QFETCH(QString, name);
    QCOMPARE(ComposeNewName(head, number, digits, extension), name);
}

void TestNameComposer::preview_data()
{
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<QString>("headText");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("digitIndex");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("headName");
    QTest::newRow("7 with 3 digits") << "7" << "head" << "jpg" << 3 << "head007.jpg" << "head";
    // Padded by the length of the number, as the rename pads it, not by the typed text.
    QTest::newRow("007 with 3 digits") << "007" << "head" << "jpg" << 3 << "head007.jpg" << "head";
    QTest::newRow("01 with 3 digits") << "01" << "head" << "jpg" << 3 << "head001.jpg" << "head";
    QTest::newRow("+7 with 2 digits") << "+7" << "head" << "jpg" << 2 << "head07.jpg" << "head";
    QTest::newRow("empty number") << "" << "head" << "jpg" << 3 << "head.jpg" << "head";
    QTest::newRow("0.4 reads as 0") << "0.4" << "head" << "jpg" << 3 << "head.jpg" << "head";
    QTest::newRow("abc reads as 0") << "abc" << "head" << "jpg" << 3 << "head.jpg" << "head";
    QTest::newRow("no digit selected") << "5" << "h" << "jpg" << -1 << "h5.jpg" << "h";
    QTest::newRow("1234 with 2 digits") << "1234" << "h" << "jpg" << 2 << "h1234.jpg" << "h";
    QTest::newRow("-5 with 3 digits") << "-5" << "h" << "jpg" << 3 << "h0-5.jpg" << "h";
    QTest::newRow("empty extension") << "1" << "photo" << "" << 3 << "photo001" << "photo";
    QTest::newRow("trailing CR LF removed") << "1" << "trip\r\n" << "jpg" << 2 << "trip01.jpg" << "trip";
    QTest::newRow("only one CR LF removed") << "1" << "trip\r\n\r\n" << "jpg" << 0 << "trip\r\n1.jpg"
                                            << "trip\r\n";
    QTest::newRow("inner line break stays") << "1" << "a\r\nb" << "jpg" << 0 << "a\r\nb1.jpg" << "a\r\nb";
    QTest::newRow("lone LF at the end stays") << "1" << "a\n" << "jpg" << 0 << "a\n1.jpg" << "a\n";
}

void TestNameComposer::preview()
{
    QFETCH(QString, numberText);
    QFETCH(QString, headText);
    QFETCH(QString, extension);
    QFETCH(int, digitIndex);
    QFETCH(QString, caption);
    QFETCH(QString, headName);
    const NamePreview preview = ComposePreview(numberText, headText, extension, digitIndex);
    QCOMPARE(preview.caption, caption);
    QCOMPARE(preview.headName, headName);
}

void TestNameComposer::serialRuleCountsItsCalls()
{
    // Start -1 with three digits: the zero-padded -1, then no number, then 001.
    NewNameRule rule = SerialNameRule("head", -1, 3, "jpg");
    QCOMPARE(rule("x.png"), std::optional<QString>("head0-1.jpg"));
    QCOMPARE(rule("y.png"), std::optional<QString>("head.jpg"));
    QCOMPARE(rule("z.png"), std::optional<QString>("head001.jpg"));
}

void TestNameComposer::serialRuleStopsPastTheLargestNumber()
{
    NewNameRule rule = SerialNameRule("n", 2147483646, 0, "j");
    QCOMPARE(rule("a"), std::optional<QString>("n2147483646.j"));
    QCOMPARE(rule("b"), std::optional<QString>("n2147483647.j"));
    QCOMPARE(rule("c"), std::optional<QString>());
}

QTEST_GUILESS_MAIN(TestNameComposer)
#include "tst_namecomposer.moc"
