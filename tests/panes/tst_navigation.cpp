// Drive and folder navigation: the four change handlers, the per-volume
// current folder, the SameFolder link, drives that are not ready, and the
// enabling of the rename buttons.
#include "formfixture.h"

#include "panes/drivelist.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QDir>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace nv;

namespace {

const QString kNotReady = QStringLiteral("フロッピディスクの準備ができていません。");
const QString kUnexpected = QStringLiteral("予期しないエラーが発生しましたので終了します。");

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void driveChangeOpensTheFolderLastOpenedThere();
    void sourceChangesDisableRenameButtons();
    void destinationChangesKeepRenameButtons();
    void singleClickDoesNotOpen();
    void folderListStopsAtTheVolumeRoot();
    void sameFolderCarriesTheDestinationAlong();
    void sameFolderRunsOneWay();
    void sameFolderThatCannotFollowIsReported();
    void paneLeavesAFolderThatIsGone_data();
    void paneLeavesAFolderThatIsGone();
    void notReadyDriveRetriesUntilTheMediumIsIn();
    void notReadyDriveCanBeGivenUp();
    void otherDriveFailureEndsTheHandler();

private:
    std::unique_ptr<TempFolder> m_volumeA, m_volumeB, m_parent;
    std::unique_ptr<FormFixture> m_fixture;
    QString m_card;   // root of a volume without a medium

    Form1 &start();
    void enableRenameButtons(Form1 &form);
    int indexOf(DriveList *list, const QString &root) { return list->findData(root); }
};

void NavigationTest::init()
{
    m_volumeA = std::make_unique<TempFolder>();
    m_volumeB = std::make_unique<TempFolder>();
    m_parent = std::make_unique<TempFolder>();
    m_card = m_parent->path() + QStringLiteral("card/");
    m_fixture = std::make_unique<FormFixture>();
    m_fixture->platform.fakeVolumes = {{QStringLiteral("/"), QString()},
                                       {m_volumeA->path(), QStringLiteral("A")},
                                       {m_volumeB->path(), QStringLiteral("B")},
                                       {m_card, QStringLiteral("CARD")}};
    m_volumeA->addFolder(QStringLiteral("photos"));
    m_volumeA->addFile(QStringLiteral("photos/p1.jpg"));
    m_volumeB->addFile(QStringLiteral("b1.jpg"));
}

void NavigationTest::cleanup()
{
    m_fixture.reset();
    m_volumeA.reset();
    m_volumeB.reset();
    m_parent.reset();
}

Form1 &NavigationTest::start()
{
    SettingsRecord record;
    record.SourceFolder = m_volumeA->path();
    record.TargetFolder = m_volumeB->path();
    m_fixture->writeSettings(record);
    return m_fixture->start();
}

void NavigationTest::enableRenameButtons(Form1 &form)
{
    form.ListView1_Click();
    QVERIFY(form.Command3->isEnabled() && form.Command4->isEnabled());
}

void NavigationTest::driveChangeOpensTheFolderLastOpenedThere()
{
    Form1 &form = start();
    QCOMPARE(form.Drive1->currentText(), m_volumeA->path() + QStringLiteral(" A"));
    form.Dir1->openFolder(m_volumeA->path() + QStringLiteral("photos/"));
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_volumeB->path()));
    QCOMPARE(form.Dir1->path(), m_volumeB->path());
    QCOMPARE(form.ListView1->rowNames(), QStringList{"b1.jpg"});
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_volumeA->path()));
    QCOMPARE(form.Dir1->path(), m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.ListView1->rowNames(), QStringList{"p1.jpg"});
    QCOMPARE(form.SourceFolder, m_volumeA->path() + QStringLiteral("photos/"));
}

void NavigationTest::sourceChangesDisableRenameButtons()
{
    Form1 &form = start();
    enableRenameButtons(form);
    form.Dir1->openFolder(m_volumeA->path() + QStringLiteral("photos/"));
    QVERIFY(!form.Command3->isEnabled() && !form.Command4->isEnabled());
    enableRenameButtons(form);
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_volumeB->path()));
    QVERIFY(!form.Command3->isEnabled() && !form.Command4->isEnabled());
}

void NavigationTest::destinationChangesKeepRenameButtons()
{
    Form1 &form = start();
    enableRenameButtons(form);
    form.Drive2->setCurrentIndex(indexOf(form.Drive2, m_volumeA->path()));
    form.Dir2->openFolder(m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.ListView2->rowNames(), QStringList{"p1.jpg"});
    QCOMPARE(form.TargetFolder, m_volumeA->path() + QStringLiteral("photos/"));
    QVERIFY(form.Command3->isEnabled() && form.Command4->isEnabled());
}

void NavigationTest::singleClickDoesNotOpen()
{
    Form1 &form = start();
    QListWidgetItem *photos = form.Dir1->findItems(QStringLiteral("photos"), Qt::MatchEndsWith).value(0);
    QVERIFY(photos);
    const QRect rect = form.Dir1->visualItemRect(photos);
    QTest::mouseClick(form.Dir1->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(form.Dir1->path(), m_volumeA->path());
    QCOMPARE(form.SourceFolder, m_volumeA->path());
    QTest::mouseDClick(form.Dir1->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(form.Dir1->path(), m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.ListView1->rowNames(), QStringList{"p1.jpg"});
}

// Nothing above the chosen volume's root is offered, so a double click
// cannot leave the volume that the drive list names.
void NavigationTest::folderListStopsAtTheVolumeRoot()
{
    Form1 &form = start();
    form.Dir1->openFolder(m_volumeA->path() + QStringLiteral("photos/"));
    QStringList paths;
    for (int i = 0; i < form.Dir1->count(); ++i) paths.append(form.Dir1->item(i)->data(Qt::UserRole).toString());
    QCOMPARE(paths, (QStringList{m_volumeA->path(), m_volumeA->path() + QStringLiteral("photos/")}));
    QCOMPARE(form.Dir1->item(0)->text(), m_volumeA->path());
    QCOMPARE(form.Drive1->drive(), m_volumeA->path());
}

void NavigationTest::sameFolderCarriesTheDestinationAlong()
{
    Form1 &form = start();
    form.Program.SameFolder = 1;
    QCOMPARE(form.Dir2->path(), m_volumeB->path());   // switching the option on moves nothing
    form.Dir1->openFolder(m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.Dir2->path(), m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.Drive2->drive(), m_volumeA->path());
    QCOMPARE(form.ListView2->rowNames(), QStringList{"p1.jpg"});
    QCOMPARE(form.TargetFolder, m_volumeA->path() + QStringLiteral("photos/"));
    QVERIFY(m_fixture->platform.messages.empty());
}

void NavigationTest::sameFolderRunsOneWay()
{
    Form1 &form = start();
    form.Program.SameFolder = 1;
    form.Dir2->openFolder(m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.Dir1->path(), m_volumeA->path());
    QCOMPARE(form.SourceFolder, m_volumeA->path());
}

void NavigationTest::sameFolderThatCannotFollowIsReported()
{
    Form1 &form = start();
    form.Drive2->setCurrentIndex(indexOf(form.Drive2, m_volumeA->path()));   // both panes on one volume
    form.Program.SameFolder = 1;
    // The source pane reads the folder's subfolders first, the destination pane second.
    m_fixture->platform.failCall(TestPlatform::Operation::ListSubfolders, 2,
                                 FsStatus::failure(FsFault::Other, QStringLiteral("Permission denied")));
    form.Dir1->openFolder(m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.Dir1->path(), m_volumeA->path() + QStringLiteral("photos/"));
    QCOMPARE(form.Dir2->path(), m_volumeA->path());
    QCOMPARE(m_fixture->platform.messages.size(), size_t(1));
    QVERIFY(m_fixture->platform.messages[0].text.contains(QStringLiteral("Permission denied")));
}

void NavigationTest::paneLeavesAFolderThatIsGone_data()
{
    QTest::addColumn<bool>("cardPulled");   // else only a subfolder of the card went
    QTest::addColumn<QString>("action");    // 更新, the folder entry double-clicked, or nothing
    QTest::addColumn<QString>("failed");    // the folder the message names, below the card; empty: no message
    QTest::newRow("更新 after the card is pulled") << true << "更新" << "DCIM/100CANON/";
    QTest::newRow("double click in the stale tree") << true << "DCIM" << "DCIM/";
    QTest::newRow("the drive chosen again") << true << "" << "";
    QTest::newRow("a subfolder gone meanwhile") << false << "sub" << "DCIM/100CANON/sub/";
}

// A card unmounted under an open pane: the pane goes up to the nearest folder
// that can be listed and the drive list follows; choosing the drive on show
// again reads it again.
void NavigationTest::paneLeavesAFolderThatIsGone()
{
    QFETCH(bool, cardPulled);
    QFETCH(QString, action);
    QFETCH(QString, failed);
    const QString photos = m_card + QStringLiteral("DCIM/100CANON/");
    QVERIFY(QDir().mkpath(photos + QStringLiteral("sub")));
    QFile(photos + QStringLiteral("IMG_0001.JPG")).open(QIODevice::WriteOnly);
    Form1 &form = start();
    form.Dir1->openFolder(m_parent->path());   // the folder last opened on the root volume
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_card));
    form.Dir1->openFolder(photos);
    QVERIFY(QDir(cardPulled ? m_card : photos + QStringLiteral("sub")).removeRecursively());
    if (cardPulled) m_fixture->platform.fakeVolumes.pop_back();   // unmounted

    if (action == QStringLiteral("更新")) QTest::mouseClick(form.Command7, Qt::LeftButton);
    else if (!action.isEmpty()) {
        QListWidgetItem *entry = form.Dir1->findItems(action, Qt::MatchEndsWith).value(0);
        QVERIFY(entry);
        const QPoint centre = form.Dir1->visualItemRect(entry).center();
        QTest::mouseClick(form.Dir1->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(form.Dir1->viewport(), Qt::LeftButton, {}, centre);
    }
    const QString landed = cardPulled ? m_parent->path() : photos;
    QFile(landed + QStringLiteral("new.jpg")).open(QIODevice::WriteOnly);
    form.Drive1->showPopup();
    QTest::keyClick(form.Drive1->view(), Qt::Key_Return);

    QCOMPARE(form.Dir1->path(), landed);
    QCOMPARE(form.Drive1->drive(), cardPulled ? QStringLiteral("/") : m_card);
    QVERIFY(form.ListView1->rowNames().contains(QStringLiteral("new.jpg")));
    const std::vector<ShownMessage> &messages = m_fixture->platform.messages;
    QCOMPARE(messages.size(), size_t(failed.isEmpty() ? 0 : 1));
    if (!failed.isEmpty()) QVERIFY(messages[0].text.contains(m_card + failed));
}

void NavigationTest::notReadyDriveRetriesUntilTheMediumIsIn()
{
    Form1 &form = start();
    enableRenameButtons(form);
    TestPlatform &platform = m_fixture->platform;
    platform.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    platform.onMessage = [&](const ShownMessage &) {
        if (platform.messages.size() == 2) {   // the medium goes in while the second message shows
            ::mkdir(m_card.toUtf8().constData(), 0755);
            QFile(m_card + QStringLiteral("c1.jpg")).open(QIODevice::WriteOnly);
        }
    };
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_card));
    QCOMPARE(platform.messages.size(), size_t(2));
    QCOMPARE(platform.messages[0].text, kNotReady);
    QCOMPARE(platform.messages[0].buttons, MessageButtons::Ok);
    QCOMPARE(platform.messages[0].icon, MessageIcon::None);
    QCOMPARE(platform.messages[0].title, QString());
    QCOMPARE(form.Dir1->path(), m_card);
    QCOMPARE(form.ListView1->rowNames(), QStringList{"c1.jpg"});
    QVERIFY(!form.Command3->isEnabled());
}

void NavigationTest::notReadyDriveCanBeGivenUp()
{
    Form1 &form = start();
    enableRenameButtons(form);
    m_fixture->platform.answers = {MessageAnswer::Ok, MessageAnswer::Dismissed};
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_card));
    QCOMPARE(m_fixture->platform.messages.size(), size_t(2));
    // Back to the drive the pane still shows; nothing else changed.
    QCOMPARE(form.Drive1->drive(), m_volumeA->path());
    QCOMPARE(form.Dir1->path(), m_volumeA->path());
    QCOMPARE(form.SourceFolder, m_volumeA->path());
    QVERIFY(form.Command3->isEnabled());
}

void NavigationTest::otherDriveFailureEndsTheHandler()
{
    Form1 &form = start();
    const QString gone = m_volumeB->addFolder(QStringLiteral("gone"));
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_volumeB->path()));
    form.Dir1->openFolder(gone);   // now the current folder of volume B
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_volumeA->path()));
    ::rmdir(gone.toUtf8().constData());
    enableRenameButtons(form);
    form.Drive1->setCurrentIndex(indexOf(form.Drive1, m_volumeB->path()));
    QCOMPARE(m_fixture->platform.messages.size(), size_t(1));
    QCOMPARE(m_fixture->platform.messages[0].text, kUnexpected);
    QCOMPARE(m_fixture->platform.messages[0].icon, MessageIcon::None);
    // The drive list keeps the new drive; the folder and the buttons stay as they were.
    QCOMPARE(form.Drive1->drive(), m_volumeB->path());
    QCOMPARE(form.Dir1->path(), m_volumeA->path());
    QVERIFY(form.Command3->isEnabled());
}

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
