// SPDX-License-Identifier: GPL-3.0-or-later
// Photo sets over the names of a folder: which files make one set, and the new
// names that the rename button, the prefix addition and the digit alignment give.
#include "naming/photosets.h"

#include <QtTest>

using namespace nv;

namespace {

QStringList words(const QString &text) { return text.split(u' ', Qt::SkipEmptyParts); }

}  // namespace

class PhotoSetsTest : public QObject {
    Q_OBJECT
private slots:
    void setRules_data();
    void setRules();
    void newNames_data();
    void newNames();
};

void PhotoSetsTest::setRules_data()
{
    QTest::addColumn<QString>("names");   // in list order
    QTest::addColumn<bool>("fat");        // the folder finds names in any letter case
    QTest::addColumn<QString>("sets");    // by first member, members in list order; files in no set left out

    QTest::newRow("stems") << "IMG_0001.CR2 IMG_0001.JPG IMG_0001.xmp IMG_1234.HEIC IMG_1234.mov" << false
                           << "IMG_0001.CR2 IMG_0001.JPG IMG_0001.xmp | IMG_1234.HEIC IMG_1234.mov";
    QTest::newRow("sidecars after whole names") << "IMG_1.CR2 IMG_1.CR2.xmp IMG_1.JPG IMG_1.JPG.pp3" << false
                                                << "IMG_1.CR2 IMG_1.CR2.xmp IMG_1.JPG IMG_1.JPG.pp3";
    // IMG_0001.CR2.jpg has the stem IMG_0001.CR2; the sidecar goes with the RAW.
    QTest::newRow("a whole-name sidecar makes no set") << "IMG_0001.CR2 IMG_0001.CR2.jpg IMG_0001.CR2.xmp" << false
                                                       << "IMG_0001.CR2 IMG_0001.CR2.xmp | IMG_0001.CR2.jpg";
    QTest::newRow("stems exact on ext4") << "IMG_1.JPG IMG_1.jpg.xmp img_1.cr2" << false
                                         << "IMG_1.JPG | IMG_1.jpg.xmp | img_1.cr2";
    QTest::newRow("stems in any case on FAT") << "IMG_1.JPG IMG_1.jpg.xmp img_1.cr2" << true
                                              << "IMG_1.JPG IMG_1.jpg.xmp img_1.cr2";
    QTest::newRow("names with several dots") << "trip.2023.05.ORF trip.2023.05.jpg trip.2023.jpg" << false
                                             << "trip.2023.05.ORF trip.2023.05.jpg | trip.2023.jpg";
    QTest::newRow("a lone file, other kinds, hidden files") << ".IMG.cr2 .IMG.jpg IMG_3.heic photo.docx photo.txt"
                                                            << false << "IMG_3.heic";
}

void PhotoSetsTest::setRules()
{
    QFETCH(QString, names);
    QFETCH(bool, fat);
    QFETCH(QString, sets);
    const QStringList rows = words(names);
    const PhotoSets found = FindPhotoSets(rows, fat);
    std::vector<QStringList> members(size_t(found.count));
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const int set = found.setOfRow[size_t(row)];
        if (set != PhotoSets::kNoSet) members[size_t(set)].append(rows[row]);
    }
    QStringList shown;
    for (const QStringList &set : members) shown.append(set.join(u' '));
    QCOMPARE(shown.join(QStringLiteral(" | ")), sets);
}

void PhotoSetsTest::newNames_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("fat");
    QTest::addColumn<QString>("extension");   // typed for the rename button
    QTest::addColumn<QString>("renamed");     // old>new, in list order, or as the alignment plans them

    QTest::newRow("rename: RAW + JPEG + sidecar") << "rename" << "IMG_1.CR2 IMG_1.CR2.xmp IMG_1.JPG IMG_2.JPG"
                                                  << "IMG_1.JPG IMG_2.JPG" << false << "jpg"
                                                  << "IMG_1.CR2>京都001.CR2 IMG_1.CR2.xmp>京都001.CR2.xmp "
                                                     "IMG_1.JPG>京都001.jpg IMG_2.JPG>京都002.jpg";
    // In capture-time order the members of a set need not stand together.
    QTest::newRow("rename: numbered by first selected member")
        << "rename" << "B.JPG A.JPG A.CR2 B.CR2 notes.txt" << "A.CR2 B.JPG notes.txt" << false << "jpg"
        << "B.JPG>京都001.jpg A.JPG>京都002.jpg A.CR2>京都002.CR2 B.CR2>京都001.CR2 notes.txt>京都003.jpg";
    QTest::newRow("rename: typed spelling for equal extensions only")
        << "rename" << "IMG.JPG IMG.JPG.xmp IMG.Jpeg" << "IMG.Jpeg" << false << "JPEG"
        << "IMG.JPG>京都001.JPG IMG.JPG.xmp>京都001.JPG.xmp IMG.Jpeg>京都001.JPEG";
    QTest::newRow("prefix: whole names") << "prefix" << "IMG_1.CR2 IMG_1.JPG IMG_1.JPG.xmp IMG_2.JPG" << "IMG_1.JPG"
                                         << false << ""
                                         << "IMG_1.CR2>trip_IMG_1.CR2 IMG_1.JPG>trip_IMG_1.JPG "
                                            "IMG_1.JPG.xmp>trip_IMG_1.JPG.xmp";
    QTest::newRow("align: followers take the new stem")
        << "align" << "IMG1.CR2 IMG1.CR2.xmp IMG1.JPG IMG100.JPG" << "IMG1.JPG IMG100.JPG" << false << ""
        << "IMG1.JPG>IMG001.JPG IMG1.CR2>IMG001.CR2 IMG1.CR2.xmp>IMG001.CR2.xmp";
    QTest::newRow("align: one set padded two ways is refused")
        << "align" << "IMG1.JPEG IMG1.JPG IMG100.JPG" << "IMG1.JPEG IMG1.JPG IMG100.JPG" << false << ""
        << "IMG1.JPEG>IMG01.JPEG IMG1.JPG>IMG001.JPG refused";
}

void PhotoSetsTest::newNames()
{
    QFETCH(QString, button);
    QFETCH(QString, rows);
    QFETCH(QString, chosen);
    QFETCH(bool, fat);
    QFETCH(QString, extension);
    QFETCH(QString, renamed);
    const QStringList names = words(rows);
    std::vector<bool> flags;
    for (const QString &name : names) flags.push_back(words(chosen).contains(name));
    const SetSelection selection = SelectWholeSets(names, flags, fat);
    QStringList shown;
    if (button == "align") {
        AlignmentPlan plan = PlanAlignment(words(chosen));
        AlignFollowers(selection, names, plan);
        for (const AlignedName &rename : plan.renames) shown.append(rename.oldName + u'>' + rename.newName);
        if (!plan.refusals.isEmpty()) shown.append(QStringLiteral("refused"));
    } else {
        const NewNameRule rule = button == "rename"
                                     ? SetSerialNameRule(selection, names, QStringLiteral("京都"), 1, 3, extension)
                                     : PrefixNameRule(QStringLiteral("trip_"));
        for (qsizetype row = 0; row < names.size(); ++row) {
            if (selection.selected[size_t(row)]) shown.append(names[row] + u'>' + rule(names[row]).value_or("?"));
        }
    }
    QCOMPARE(shown.join(u' '), renamed);
}

QTEST_MAIN(PhotoSetsTest)
#include "tst_photosets.moc"
