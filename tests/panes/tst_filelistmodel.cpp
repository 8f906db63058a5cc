// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a file list and the header-click sort rule.
#include "panes/filelistmodel.h"

#include <QtTest>

using namespace nv;

namespace {

// Time texts that sort differently from the times themselves.
QString timeText(qint64 seconds) { return QStringLiteral("t%1").arg(seconds % 7); }

std::vector<FileEntry> entries(const QStringList &names)
{
    std::vector<FileEntry> result;
    qint64 time = 0;
    for (const QString &name : names) result.push_back({name, time++, {}});
    return result;
}

QStringList column(const FileListModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) texts.append(model.cellText(row, column));
    return texts;
}

}  // namespace

class FileListModelTest : public QObject {
    Q_OBJECT

private slots:
    void extensionTextIsTheLastThreeCharacters_data();
    void extensionTextIsTheLastThreeCharacters();
    void simpleViewLeavesDetailCellsEmpty();
    void timesAreReadOnceWhenShown();
    void headerClicksHaveAPeriodOfThree();
    void anotherColumnStartsAscending();
    void listingClearsTheFlagButKeepsKeyAndOrder();
    void timeColumnSortsByItsText();
    void nameColumnSortsAsTheListingOrders();
    void selectionFollowsSortedRows();
};

void FileListModelTest::extensionTextIsTheLastThreeCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("upper case") << "photo.JPG" << "--JPG--";
    QTest::newRow("lower case") << "photo.jpg" << "--JPG--";
    QTest::newRow("four-letter extension") << "photo.jpeg" << "--PEG--";
    QTest::newRow("dot inside the three") << "archive.tar.gz" << "--.GZ--";
    QTest::newRow("short name") << "ab" << "--AB--";
    QTest::newRow("Japanese") << "写真です" << "--真です--";
}

void FileListModelTest::extensionTextIsTheLastThreeCharacters()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(extensionText(name), text);
}

void FileListModelTest::simpleViewLeavesDetailCellsEmpty()
{
    FileListModel model(timeText);
    model.setRows(entries({"a.jpg"}), false);
    QCOMPARE(model.cellText(0, 0), QStringLiteral("a.jpg"));
    QCOMPARE(model.cellText(0, 1), QString());
    QCOMPARE(model.cellText(0, 2), QString());
    model.setRows(entries({"a.jpg"}), true);
    QCOMPARE(model.cellText(0, 1), QStringLiteral("--JPG--"));
    QCOMPARE(model.cellText(0, 2), QStringLiteral("t0"));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("更新日付"));
}

void FileListModelTest::timesAreReadOnceWhenShown()
{
    QStringList read;
    FileListModel model(timeText, [&](const QString &path) -> std::optional<qint64> {
        read.append(path);
        if (path.endsWith(QLatin1String("gone.jpg"))) return std::nullopt;
        return 3;
    });
    std::vector<FileEntry> rows;
    for (const char *name : {"a.jpg", "b.jpg", "gone.jpg"}) rows.push_back({QString::fromLatin1(name)});
    model.setRows(std::move(rows), true, QStringLiteral("/photos/"));
    QVERIFY(read.isEmpty());
    QCOMPARE(model.cellText(1, 2), QStringLiteral("t3"));
    QCOMPARE(model.cellText(1, 2), QStringLiteral("t3"));
    QCOMPARE(model.cellText(2, 2), QString());
    QCOMPARE(model.cellText(2, 2), QString());
    QCOMPARE(read, (QStringList{"/photos/b.jpg", "/photos/gone.jpg"}));
}

void FileListModelTest::headerClicksHaveAPeriodOfThree()
{
    FileListModel model(timeText);
    model.setRows(entries({"b.png", "c.gif", "a.jpg"}), true);
    const QStringList ascending{"--GIF--", "--JPG--", "--PNG--"};
    const QStringList descending{"--PNG--", "--JPG--", "--GIF--"};

    model.headerClicked(1);
    QCOMPARE(column(model, 1), ascending);
    QVERIFY(model.isSorted());
    model.headerClicked(1);
    QCOMPARE(column(model, 1), descending);
    model.headerClicked(1);
    QCOMPARE(column(model, 1), ascending);
    QVERIFY(!model.isSorted());
    model.headerClicked(1);   // sorts again, ascending: nothing visible changes
    QCOMPARE(column(model, 1), ascending);
    QVERIFY(model.isSorted());
    model.headerClicked(1);
    QCOMPARE(column(model, 1), descending);
}

void FileListModelTest::anotherColumnStartsAscending()
{
    FileListModel model(timeText);
    model.setRows(entries({"b", "c", "a"}), true);
    model.headerClicked(0);
    model.headerClicked(0);
    QCOMPARE(column(model, 0), (QStringList{"c", "b", "a"}));
    model.headerClicked(2);
    QCOMPARE(model.sortOrder(), Qt::AscendingOrder);
    QCOMPARE(column(model, 2), (QStringList{"t0", "t1", "t2"}));
    QCOMPARE(column(model, 0), (QStringList{"b", "c", "a"}));
}

void FileListModelTest::listingClearsTheFlagButKeepsKeyAndOrder()
{
    FileListModel model(timeText);
    model.setRows(entries({"x.png", "y.gif"}), true);
    model.headerClicked(1);
    model.headerClicked(1);   // by extension, descending
    model.setRows(entries({"p.gif", "q.png", "r.jpg"}), true);
    QVERIFY(!model.isSorted());
    QCOMPARE(column(model, 0), (QStringList{"p.gif", "q.png", "r.jpg"}));   // enumeration order
    QCOMPARE(model.sortKey(), 1);
    model.headerClicked(1);   // the first click sorts in the order last used
    QCOMPARE(column(model, 0), (QStringList{"q.png", "r.jpg", "p.gif"}));
}

void FileListModelTest::timeColumnSortsByItsText()
{
    FileListModel model(timeText);
    std::vector<FileEntry> rows{{"old", 6, {}}, {"new", 8, {}}, {"mid", 7, {}}};   // texts t6, t1, t0
    model.setRows(rows, true);
    model.headerClicked(2);
    QCOMPARE(column(model, 0), (QStringList{"mid", "new", "old"}));
}

// The same order as the listing: letters folded to upper case, so dscf0001
// comes before DSC_0001.
void FileListModelTest::nameColumnSortsAsTheListingOrders()
{
    FileListModel model(timeText);
    model.setRows(entries({"DSC_0001.JPG", "b.jpg", "dscf0001.jpg", "A.jpg"}), true);
    model.headerClicked(0);
    QCOMPARE(column(model, 0), (QStringList{"A.jpg", "b.jpg", "dscf0001.jpg", "DSC_0001.JPG"}));
    model.headerClicked(0);
    QCOMPARE(column(model, 0), (QStringList{"DSC_0001.JPG", "dscf0001.jpg", "b.jpg", "A.jpg"}));
}

void FileListModelTest::selectionFollowsSortedRows()
{
    FileListModel model(timeText);
    model.setRows(entries({"b", "c", "a"}), true);
    const QPersistentModelIndex selected = model.index(2, 0);   // "a"
    model.headerClicked(0);
    QCOMPARE(selected.row(), 0);
    QCOMPARE(model.name(selected.row()), QStringLiteral("a"));
}

QTEST_GUILESS_MAIN(FileListModelTest)
#include "tst_filelistmodel.moc"
