// SPDX-License-Identifier: GPL-3.0-or-later
// Listing the panes in the main window: the refresh button, the simple view,
// the highlighted folder entry, and the destination before the start-up ends.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <unistd.h>

using namespace nv;

class ListingTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsPlainFilesOnly();
    void rowsComeInNameOrderAndRenameNumbersThem();
    void detailCellsShowCharactersAndLocalTime();
    void simpleViewReadsNoTimes();
    void toggleViewRelistsBothPanes();
    void refreshListsTheHighlightedEntry();
    void rightButtonSelectsEveryRow();
    void targetRelistingWaitsForTheStartup();
    void vanishedFolderIsReported();
    void busyPointerIsRestored();

private:
    std::unique_ptr<TempFolder> m_source, m_target;
    std::unique_ptr<FormFixture> m_fixture;

    Form1 &startWith(int reportView);
};

void ListingTest::init()
{
    m_source = std::make_unique<TempFolder>();
    m_target = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
}

void ListingTest::cleanup()
{
    m_fixture.reset();
    m_source.reset();
    m_target.reset();
}

Form1 &ListingTest::startWith(int reportView)
{
    SettingsRecord record;
    record.SourceFolder = m_source->path();
    record.TargetFolder = m_target->path();
    record.ReportView = reportView;
    m_fixture->writeSettings(record);
    return m_fixture->start();
}

void ListingTest::listsPlainFilesOnly()
{
    m_source->addFile(QStringLiteral("b.jpg"));
    m_source->addFile(QStringLiteral(".hidden"));
    m_source->addFolder(QStringLiteral("folder.jpg"));
    QCOMPARE(::symlink("b.jpg", m_source->pathOf(QStringLiteral("link.jpg")).toUtf8().constData()), 0);
    QCOMPARE(::symlink("nowhere", m_source->pathOf(QStringLiteral("dangling.jpg")).toUtf8().constData()), 0);
    Form1 &form = startWith(1);
    QStringList names = form.ListView1->rowNames();
    names.sort();
    QCOMPARE(names, (QStringList{"b.jpg", "link.jpg"}));
    QCOMPARE(form.ListView2->files()->rowCount(), 0);
    QCOMPARE(form.TargetFolder, m_target->path());   // an empty folder is still the pane's folder
}

// Select all, rename: the photos are numbered in the order they were shot.
void ListingTest::rowsComeInNameOrderAndRenameNumbersThem()
{
    QStringList ordered{"DSC00007.JPG", "DSC00024.JPG", "DSCF0001.JPG", "DSC_0001.JPG"};
    for (int i = 0; i < 40; ++i) ordered.append(QStringLiteral("IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0')));
    for (qsizetype i = ordered.size() - 1; i >= 0; --i) m_source->addFile(ordered[i], ordered[i].toLatin1());
    Form1 &form = startWith(1);
    QCOMPARE(form.ListView1->rowNames(), ordered);

    form.Combo2->setEditText(QStringLiteral("n"));
    form.Text2->setText(QStringLiteral("1"));
    form.List1->setCurrentRow(2);
    QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QStringList copiedFrom;   // n01, n02, ... in turn
    for (const QString &copy : m_target->names()) copiedFrom.append(QString::fromLatin1(m_target->contents(copy)));
    QCOMPARE(copiedFrom, ordered);
}

// The extension cell counts characters, not UTF-16 units; the time cell shows
// the regional short date and H:mm:ss, without a time-zone name.
void ListingTest::detailCellsShowCharactersAndLocalTime()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QDate day(2023, 11, 15);
    m_source->addFile(QString::fromUtf8("x😀ab"), "", QDateTime(day, QTime(7, 13, 20)).toSecsSinceEpoch());
    m_source->addFile(QStringLiteral("midnight.jpg"), "", QDateTime(day, QTime(0, 0)).toSecsSinceEpoch());
    Form1 &form = startWith(1);
    const FileListModel *files = form.ListView1->files();
    QStringList cells;
    for (int row = 0; row < 2; ++row) cells << files->cellText(row, 1) << files->cellText(row, 2);
    QLocale::setDefault(before);
    QCOMPARE(form.ListView1->rowNames(), (QStringList{"midnight.jpg", QString::fromUtf8("x😀ab")}));
    QCOMPARE(cells, (QStringList{"--JPG--", "2023/11/15", QString::fromUtf8("--😀AB--"), "2023/11/15 7:13:20"}));
}

void ListingTest::simpleViewReadsNoTimes()
{
    m_source->addFile(QStringLiteral("a.jpg"));
    Form1 &form = startWith(0);
    for (const auto &listing : m_fixture->platform.listings) QVERIFY(!listing.second);
    QCOMPARE(form.ListView1->files()->cellText(0, 1), QString());
    QCOMPARE(form.ListView1->files()->cellText(0, 2), QString());
    QCOMPARE(form.ListView1->files()->columnCount(), 3);
}

void ListingTest::toggleViewRelistsBothPanes()
{
    m_source->addFile(QStringLiteral("a.jpg"), "", 86400 * 365);
    m_target->addFile(QStringLiteral("b.gif"));
    Form1 &form = startWith(0);
    m_fixture->platform.listings.clear();
    form.Check2->setChecked(false);
    QCOMPARE(form.ReportView, 1);
    QCOMPARE(m_fixture->platform.listings.size(), size_t(2));
    QCOMPARE(m_fixture->platform.listings[1].first, m_target->path());
    QCOMPARE(form.ListView1->files()->cellText(0, 1), QStringLiteral("--JPG--"));
    // Read as the row is shown; exactly midnight shows the date alone.
    QCOMPARE(form.ListView1->files()->cellText(0, 2), m_fixture->platform.dateTimeText(86400 * 365));
    QVERIFY(!form.ListView1->files()->cellText(0, 2).contains(QLatin1Char(':')));
    QCOMPARE(form.ListView2->files()->cellText(0, 1), QStringLiteral("--GIF--"));
}

void ListingTest::refreshListsTheHighlightedEntry()
{
    const QString sub = m_source->addFolder(QStringLiteral("sub"));
    m_source->addFile(QStringLiteral("sub/inner.jpg"));
    Form1 &form = startWith(1);
    // A single click highlights the subfolder without opening it.
    const auto items = form.Dir1->findItems(QStringLiteral("sub"), Qt::MatchEndsWith);
    QCOMPARE(items.size(), 1);
    form.Dir1->setCurrentItem(items[0]);
    QCOMPARE(form.Dir1->path(), m_source->path());
    QCOMPARE(form.Dir1->highlightedPath(), sub);

    QTest::mouseClick(form.Command7, Qt::LeftButton);
    QCOMPARE(form.ListView1->rowNames(), QStringList{"inner.jpg"});
    QCOMPARE(form.SourceFolder, sub);
    QCOMPARE(form.Dir1->path(), m_source->path());
}

void ListingTest::rightButtonSelectsEveryRow()
{
    for (int i = 0; i < 300; ++i) m_source->addFile(QStringLiteral("f%1.jpg").arg(i));
    Form1 &form = startWith(0);
    QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(form.ListView1->selectedRowNumbers().size(), size_t(300));
    QCOMPARE(form.ListView1->selectedRowNumbers().back(), 299);
    QVERIFY(form.Command3->isEnabled());
}

void ListingTest::targetRelistingWaitsForTheStartup()
{
    m_target->addFile(QStringLiteral("kept.jpg"));
    FormFixture &fixture = *m_fixture;
    Form1 form(fixture.platform, fixture.programFolder.path());
    form.TargetFolder = QStringLiteral("before");
    form.RefreshTargetList();
    QCOMPARE(form.TargetFolder, QStringLiteral("before"));
    QVERIFY(fixture.platform.listings.empty());
}

void ListingTest::vanishedFolderIsReported()
{
    const QString sub = m_source->addFolder(QStringLiteral("sub"));
    SettingsRecord record;
    record.SourceFolder = sub;
    record.TargetFolder = m_target->path();
    m_fixture->writeSettings(record);
    Form1 &form = m_fixture->start();
    ::rmdir(sub.toUtf8().constData());
    form.RefreshSourceList();
    QCOMPARE(form.ListView1->files()->rowCount(), 0);
    QCOMPARE(m_fixture->platform.messages.size(), size_t(1));
    QVERIFY(m_fixture->platform.messages[0].text.contains(sub));
    QCOMPARE(m_fixture->platform.busyDepth, 0);
}

void ListingTest::busyPointerIsRestored()
{
    Form1 &form = startWith(1);
    const int before = m_fixture->platform.busyShown;
    form.RefreshSourceList();
    QCOMPARE(m_fixture->platform.busyShown, before + 1);
    QCOMPARE(m_fixture->platform.busyDepth, 0);
}

QTEST_MAIN(ListingTest)
#include "tst_listing.moc"
