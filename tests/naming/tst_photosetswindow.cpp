// SPDX-License-Identifier: GPL-3.0-or-later
// Option 5 in the main window: each of the three buttons takes the members of
// the selected sets along once the user agreed, and touches nothing after a Cancel.
#include "formfixture.h"

#include "panes/filelistview.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace nv;

namespace {

const char *const kSources[] = {"IMG1.CR2", "IMG1.CR2.xmp", "IMG1.JPG", "IMG10.CR2", "IMG10.JPG", "notes.txt"};

// name:contents of every file, in name order.
QString filesIn(const TempFolder &folder)
{
    QStringList files;
    for (const QString &name : folder.names()) files.append(name + u':' + QString::fromUtf8(folder.contents(name)));
    return files.join(u' ');
}

}  // namespace

class PhotoSetsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsTakeWholeSets_data();
    void buttonsTakeWholeSets();
};

void PhotoSetsWindowTest::buttonsTakeWholeSets_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("move");
    QTest::addColumn<QString>("source");   // after the run; empty: as before
    QTest::addColumn<QString>("target");

    QTest::newRow("rename, move") << "rename" << true << "notes.txt:notes.txt"
                                  << "img001.CR2:IMG1.CR2 img001.CR2.xmp:IMG1.CR2.xmp img001.jpg:IMG1.JPG "
                                     "img002.CR2:IMG10.CR2 img002.jpg:IMG10.JPG";
    QTest::newRow("prefix, copy") << "prefix" << false << ""
                                  << "imgIMG1.CR2:IMG1.CR2 imgIMG1.CR2.xmp:IMG1.CR2.xmp imgIMG1.JPG:IMG1.JPG "
                                     "imgIMG10.CR2:IMG10.CR2 imgIMG10.JPG:IMG10.JPG";
    QTest::newRow("alignment") << "align" << false
                               << "IMG01.CR2:IMG1.CR2 IMG01.CR2.xmp:IMG1.CR2.xmp IMG01.JPG:IMG1.JPG "
                                  "IMG10.CR2:IMG10.CR2 IMG10.JPG:IMG10.JPG notes.txt:notes.txt"
                               << "";
}

void PhotoSetsWindowTest::buttonsTakeWholeSets()
{
    QFETCH(QString, button);
    QFETCH(bool, move);
    QFETCH(QString, source);
    QFETCH(QString, target);
    TempFolder sourceFolder, targetFolder;
    for (const char *name : kSources) sourceFolder.addFile(name, name);
    const QString before = filesIn(sourceFolder);
    FormFixture fixture;
    fixture.writeSettings({sourceFolder.path(), targetFolder.path(), 3, 2, "img", "1", 0, 0, {}});
    Form1 &form = fixture.start();
    clickOption(openOptions(form), "Check5");
    QVERIFY(fixture.programFolder.contents("Options.ini").contains("PhotoSets=1"));
    if (button == "prefix") clickOption(openOptions(form), "Check3");
    if (button == "align") form.Check3->click();
    form.Check1->setChecked(move);
    QVERIFY(clickRow(form.ListView1, "IMG1.JPG") && clickRow(form.ListView1, "IMG10.JPG", Qt::ControlModifier));

    std::vector<ShownMessage> &messages = fixture.platform.messages;
    fixture.platform.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    for (const QString &after : {before, source.isEmpty() ? before : source}) {
        QTest::mouseClick(button == "prefix" ? form.Command6 : form.Command3, Qt::LeftButton);
        QCOMPARE(messages.back().text, QStringLiteral("選択した 2 件と同じ組の 3 件も処理します。よろしいですか？"));
        QCOMPARE(messages.back().buttons, MessageButtons::OkCancel);
        QCOMPARE(filesIn(sourceFolder), after);
    }
    QCOMPARE(messages.size(), size_t(2));
    QCOMPARE(filesIn(targetFolder), target);
}

QTEST_MAIN(PhotoSetsWindowTest)
#include "tst_photosetswindow.moc"
