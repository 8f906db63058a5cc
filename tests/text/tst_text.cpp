// SPDX-License-Identifier: GPL-3.0-or-later
// Characters of a text and the name order of the lists.
#include "text/characters.h"
#include "text/nameorder.h"

#include <QtTest>

using namespace nv;

namespace {

QStringList inNameOrder(const QStringList &texts, Qt::SortOrder order = Qt::AscendingOrder)
{
    QStringList sorted;
    for (const qsizetype position : nameOrder(texts, order)) sorted.append(texts[position]);
    return sorted;
}

}  // namespace

class TestText : public QObject {
    Q_OBJECT

private slots:
    void characters_data();
    void characters();
    void nameOrder_data();
    void nameOrder();
    void descendingAndEqualTexts();
};

void TestText::characters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("firstTwo");
    QTest::addColumn<QString>("lastThree");
    QTest::newRow("empty") << "" << 0 << "" << "";
    QTest::newRow("Japanese") << QString::fromUtf8("写真です") << 4 << QString::fromUtf8("写真")
                              << QString::fromUtf8("真です");
    QTest::newRow("emoji at both ends") << QString::fromUtf8("😀a😀") << 3 << QString::fromUtf8("😀a")
                                        << QString::fromUtf8("😀a😀");
    // A byte of a name that is not UTF-8, carried as a lone surrogate.
    QTest::newRow("carried byte") << QString::fromUtf16(u"a\xDCFF" "bc") << 4 << QString::fromUtf16(u"a\xDCFF")
                                  << QString::fromUtf16(u"\xDCFF" "bc");
    QTest::newRow("lone high surrogate at the end") << QString::fromUtf16(u"ab\xD83D") << 3 << "ab"
                                                    << QString::fromUtf16(u"ab\xD83D");
}

void TestText::characters()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, firstTwo);
    QFETCH(QString, lastThree);
    QCOMPARE(characterCount(text), qsizetype(count));
    QCOMPARE(leftCharacters(text, 2), firstTwo);
    QCOMPARE(rightCharacters(text, 3), lastThree);
    QCOMPARE(leftCharacters(text, 0), QString());
    QCOMPARE(rightCharacters(text, 0), QString());
}

void TestText::nameOrder_data()
{
    QTest::addColumn<QStringList>("ordered");
    QTest::newRow("camera numbers") << QStringList{"DSC00007.JPG", "DSC00010.JPG", "DSC00024.JPG"};
    QTest::newRow("letter case ignored") << QStringList{"A.jpg", "b.jpg", "C.jpg"};
    // Upper-case folding (DSCF0001 before DSC_0001) is tried on the list and its header sort.
    QTest::newRow("alike after folding, by code point") << QStringList{"A.jpg", "a.JPG", "a.jpg"};
    QTest::newRow("digits are text") << QStringList{"img1.jpg", "img10.jpg", "img9.jpg"};
    // In UTF-16 the emoji's first unit (0xD83D) stands below 0xFF5E.
    QTest::newRow("code points beyond UTF-16 order")
        << QStringList{QString::fromUtf8("～.jpg"), QString::fromUtf8("😀.jpg"), QString::fromUtf8("𠂉.jpg")};
    QTest::newRow("accented letters")
        << QStringList{"e.jpg", QString::fromUtf8("É.jpg"), QString::fromUtf8("é.jpg")};
}

void TestText::nameOrder()
{
    QFETCH(QStringList, ordered);
    QStringList scrambled = ordered;
    std::reverse(scrambled.begin(), scrambled.end());
    scrambled.move(0, scrambled.size() / 2);
    QCOMPARE(inNameOrder(scrambled), ordered);
    QCOMPARE(inNameOrder(ordered), ordered);
}

void TestText::descendingAndEqualTexts()
{
    QCOMPARE(inNameOrder({"b", "C", "a"}, Qt::DescendingOrder), (QStringList{"C", "b", "a"}));
    // Equal texts keep their places in either order.
    const QStringList equal{"", "", ""};
    QCOMPARE(::nv::nameOrder(equal), (std::vector<qsizetype>{0, 1, 2}));
    QCOMPARE(::nv::nameOrder(equal, Qt::DescendingOrder), (std::vector<qsizetype>{0, 1, 2}));
}

QTEST_GUILESS_MAIN(TestText)
#include "tst_text.moc"
