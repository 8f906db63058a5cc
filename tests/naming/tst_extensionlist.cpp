// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/extensionlist.h"

#include <QtTest>

using namespace nv;

class TestExtensionList : public QObject {
    Q_OBJECT

private slots:
    void registerPlacesInOrder_data();
    void registerPlacesInOrder();
    void caseVariantsSortTheSameWhateverTheOrderOfRegistration();
    void deletion_data();
    void deletion();
};

void TestExtensionList::registerPlacesInOrder_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("after");
    const QStringList defaults{"bmp", "gif", "jpg"};
    QTest::newRow("empty text") << defaults << "" << false << defaults;
    QTest::newRow("already listed") << defaults << "jpg" << false << defaults;
    QTest::newRow("other case is a new entry") << defaults << "JPG" << true << QStringList{"bmp", "gif", "JPG", "jpg"};
    QTest::newRow("case-insensitive place") << defaults << "Png" << true << QStringList{"bmp", "gif", "jpg", "Png"};
    QTest::newRow("first") << defaults << "avi" << true << QStringList{"avi", "bmp", "gif", "jpg"};
    QTest::newRow("last") << defaults << "tiff" << true << QStringList{"bmp", "gif", "jpg", "tiff"};
    QTest::newRow("leading blank kept") << defaults << " jpg" << true << QStringList{" jpg", "bmp", "gif", "jpg"};
    QTest::newRow("dot kept") << defaults << ".png" << true << QStringList{".png", "bmp", "gif", "jpg"};
    QTest::newRow("into an empty list") << QStringList() << "raw" << true << QStringList{"raw"};
}

void TestExtensionList::registerPlacesInOrder()
{
    QFETCH(QStringList, before);
    QFETCH(QString, text);
    QFETCH(bool, changed);
    QFETCH(QStringList, after);
    QStringList entries = before;
    QCOMPARE(RegisterExtension(entries, text), changed);
    QCOMPARE(entries, after);
}

void TestExtensionList::caseVariantsSortTheSameWhateverTheOrderOfRegistration()
{
    QStringList upperFirst{"bmp"};
    QStringList lowerFirst{"bmp"};
    for (const char *text : {"JPG", "jpg", "Jpg"}) RegisterExtension(upperFirst, text);
    for (const char *text : {"jpg", "Jpg", "JPG"}) RegisterExtension(lowerFirst, text);
    QCOMPARE(upperFirst, lowerFirst);
    QCOMPARE(upperFirst, (QStringList{"bmp", "JPG", "Jpg", "jpg"}));
}

void TestExtensionList::deletion_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<bool>("writeList");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("listed") << QStringList{"bmp", "gif", "jpg"} << "gif" << true << true << QStringList{"bmp", "jpg"};
    QTest::newRow("no match still writes") << QStringList{"bmp", "jpg"} << "png" << false << true
                                           << QStringList{"bmp", "jpg"};
    QTest::newRow("case must match") << QStringList{"bmp", "jpg"} << "JPG" << false << true
                                     << QStringList{"bmp", "jpg"};
    QTest::newRow("first of two equal") << QStringList{"jpg", "jpg"} << "jpg" << true << true << QStringList{"jpg"};
    QTest::newRow("last entry") << QStringList{"jpg"} << "jpg" << true << true << QStringList();
    QTest::newRow("empty list does nothing") << QStringList() << "jpg" << false << false << QStringList();
    QTest::newRow("empty text matches nothing") << QStringList{"jpg"} << "" << false << true << QStringList{"jpg"};
}

void TestExtensionList::deletion()
{
    QFETCH(QStringList, before);
    QFETCH(QString, text);
    QFETCH(bool, removed);
    QFETCH(bool, writeList);
    QFETCH(QStringList, after);
    QStringList entries = before;
    const ExtensionDeletion deletion = DeleteExtension(entries, text);
    QCOMPARE(deletion.removed, removed);
    QCOMPARE(deletion.writeList, writeList);
    QCOMPARE(entries, after);
}

QTEST_GUILESS_MAIN(TestExtensionList)
#include "tst_extensionlist.moc"
