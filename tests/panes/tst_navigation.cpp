// SPDX-License-Identifier: GPL-3.0-or-later
// Drive and folder navigation: the four change handlers, the per-volume
// current folder, the SameFolder link, drives that are not ready, and the
// enabling of the rename buttons. The paths of keys and clicks through the
// whole window, each row with the state it leaves; the layout on a small
// screen and with a long name; and the real message box, each of whose
// buttons, Escape and close box gives the answer its caller acts on.
#include "formfixture.h"

#include "dialogs/form4.h"
#include "panes/drivelist.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace nv;

Q_DECLARE_METATYPE(nv::MessageButtons)
Q_DECLARE_METATYPE(nv::MessageAnswer)

namespace {

const QString kNotReady = QStringLiteral("フロッピディスクの準備ができていません。");
const QString kUnexpected = QStringLiteral("予期しないエラーが発生しましたので終了します。");

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void folderListStopsAtTheVolumeRoot();
    void sameFolderCarriesTheDestinationAlong();
    void sameFolderRunsOneWay();
    void sameFolderThatCannotFollowIsReported();
    void paneLeavesAFolderThatIsGone_data();
    void paneLeavesAFolderThatIsGone();
    void notReadyDriveRetriesUntilTheMediumIsIn();
    void notReadyDriveCanBeGivenUp();
    void otherDriveFailureEndsTheHandler();
    void windowPath_data();
    void windowPath();
    void layoutFitsScreenAndNames();
    void messageBox_data();
    void messageBox();

private:
    std::unique_ptr<TempFolder> m_volumeA, m_volumeB, m_parent;
    std::unique_ptr<FormFixture> m_fixture;
    QString m_card;   // root of a volume without a medium

    Form1 &start();
    void enableRenameButtons(Form1 &form);
    void step(Form1 &form, const QString &verb, const QString &name, const QString &argument);
    QString probe(const Form1 &form, const QString &what) const;
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
    m_volumeB->addFolder(QStringLiteral("sub"));
    for (const char *name : {"a.png", "img1.jpg", "img10.jpg"}) m_volumeA->addFile(QString::fromLatin1(name));
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
    SettingsRecord record{m_volumeA->path(), m_volumeB->path(), 3, 2, "trip", "7", 1, 0, {}};   // jpg
    record.HeadNameHistory[9] = QStringLiteral("kyoto");
    m_fixture->writeSettings(record);
    return m_fixture->start();
}

void NavigationTest::enableRenameButtons(Form1 &form)
{
    form.ListView1_Click();
    QVERIFY(form.Command3->isEnabled() && form.Command4->isEnabled());
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

void NavigationTest::windowPath_data()
{
    QTest::addColumn<QString>("steps");   // "verb control argument", separated by "; "
    QTest::addColumn<QString>("state");   // "probe=value" pairs

    QTest::newRow("known head name typed, Tab, a digit") << "focus Combo2; type kyoto; key Tab; type 5"
                                                         << "focus=Text2 Text2=5 preview=kyoto005.jpg";
    QTest::newRow("known head name typed, click into 通し番号") << "focus Combo2; type kyoto; click Text2" << "focus=Text2";
    QTest::newRow("known extension typed, Return") << "focus Combo1; type gif; key Return"
                                                   << "focus=Combo1 preview=trip007.gif";
    // Typed text is used as typed: the boxes complete nothing from their lists.
    QTest::newRow("extension in other letter case") << "focus Combo1; type JPG; key Return" << "preview=trip007.JPG";
    QTest::newRow("start of an extension") << "focus Combo1; type j; key Return" << "preview=trip007.j";
    QTest::newRow("head name in other letter case") << "focus Combo2; type KYOTO; key Return" << "preview=KYOTO007.jpg";
    QTest::newRow("start of a head name") << "focus Combo2; type ky; key Return" << "preview=ky007.jpg";
    QTest::newRow("number typed") << "focus Text2; type 8" << "focus=Text2 preview=trip008.jpg";
    QTest::newRow("head name picked") << "focus Combo2; pick Combo2 0" << "focus=ListView1 preview=kyoto007.jpg";
    QTest::newRow("shown extension picked again") << "focus Combo1; pick Combo1 2" << "focus=ListView1";
    QTest::newRow("other extension picked") << "focus Combo1; pick Combo1 0" << "focus=ListView1 preview=trip007.bmp";
    QTest::newRow("selected digit clicked") << "click List1" << "focus=ListView1";
    QTest::newRow("files selected by keyboard") << "focus ListView1; key Down" << "rename=on";
    QTest::newRow("click in the list, 更新") << "click ListView1 a.png; click Command7" << "rename=off";
    QTest::newRow("click in the list, folder opened") << "click ListView1 a.png; double Dir1 photos" << "rename=off";
    QTest::newRow("click in the list, source drive changed")
        << "click ListView1 a.png; focus Drive1; key Down" << "Dir1=B/ rows1=b1.jpg rename=off";
    QTest::newRow("click in the list, destination folder opened")
        << "click ListView1 a.png; double Dir2 sub" << "Dir2=B/sub/ rename=on";
    QTest::newRow("two files selected, 桁合わせ ticked")
        << "click ListView1 img1.jpg; key Shift+Down; click Check3" << "preview=img01.jpg";
    QTest::newRow("folder letters typed") << "focus Dir1; type ph" << "Dir1=A/ highlighted=A/photos/";
    QTest::newRow("folder letters typed, Return") << "focus Dir1; type ph; key Return" << "Dir1=A/photos/ rows1=p1.jpg";
    QTest::newRow("folder clicked") << "click Dir1 photos" << "Dir1=A/ highlighted=A/photos/";
    QTest::newRow("folder double-clicked") << "double Dir1 photos" << "Dir1=A/photos/ rows1=p1.jpg";
    QTest::newRow("volume mounted, drive list opened") << "mount; pick Drive2 4" << "Dir2=P/";
    // Each drive of a pane reopens on the folder last opened on it.
    QTest::newRow("source drive away and back")
        << "double Dir1 photos; focus Drive1; key Down; key Up" << "Dir1=A/photos/ rows1=p1.jpg";
    QTest::newRow("destination drive away and back") << "double Dir2 sub; focus Drive2; key Up; key Down" << "Dir2=B/sub/";
    QTest::newRow("row clicked, empty space double-clicked") << "click ListView1 a.png; double ListView1" << "thumbnail=";
    // The file in the open folder, not in the one highlighted and listed.
    QTest::newRow("folder clicked, 更新, row double-clicked")
        << "click Dir1 photos; click Command7; double ListView1 p1.jpg" << "thumbnail=A/p1.jpg";
    QTest::newRow("usage viewer, Escape") << "menu mnuHelp; key Escape" << "viewer=closed";
}

void NavigationTest::windowPath()
{
    QFETCH(QString, steps);
    QFETCH(QString, state);
    Form1 &form = start();
    // Focus changes reach a window only while it is the active one.
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (const QString &words : steps.split(QStringLiteral("; "))) {
        const QStringList parts = words.split(u' ');
        step(form, parts[0], parts.value(1), parts.value(2));
    }
    QStringList seen;
    for (const QString &pair : state.split(u' ')) seen.append(pair.section(u'=', 0, 0) + u'=' + probe(form, pair.section(u'=', 0, 0)));
    QCOMPARE(seen.join(u' '), state);
}

void NavigationTest::step(Form1 &form, const QString &verb, const QString &name, const QString &argument)
{
    QWidget *control = form.findChild<QWidget *>(name);
    QWidget *focused = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (verb == QLatin1String("focus")) control->setFocus(Qt::TabFocusReason);
    if (verb == QLatin1String("type")) QTest::keyClicks(focused, name);
    if (verb == QLatin1String("key")) {
        const QKeyCombination key = QKeySequence(name)[0];
        QTest::keyClick(focused, key.key(), key.keyboardModifiers());
    }
    if (verb == QLatin1String("mount")) m_fixture->platform.fakeVolumes.push_back({m_parent->path(), {}});
    if (verb == QLatin1String("menu")) {
        form.findChild<QAction *>(name)->trigger();
        QTRY_VERIFY(QApplication::activeWindow() != &form);
    }
    if (verb == QLatin1String("pick")) {   // from the open drop-down, with the keys
        auto *combo = static_cast<QComboBox *>(control);
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->model()->index(argument.toInt(), 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    if (verb != QLatin1String("click") && verb != QLatin1String("double")) return;
    const bool twice = verb == QLatin1String("double");
    if (auto *list = qobject_cast<FileListView *>(control); list && !argument.isEmpty()) clickRow(list, argument, {}, twice);
    else if (auto *folders = qobject_cast<FolderList *>(control)) {
        const QPoint entry = folders->visualItemRect(folders->findItems(argument, Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, entry);   // a double click starts as one
        if (twice) QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, entry);
    } else if (list && twice) {   // below the last row
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 5));
    } else {
        auto *area = qobject_cast<QAbstractScrollArea *>(control);
        QWidget *target = area ? area->viewport() : control;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(qMin(8, target->width() / 2), target->height() / 2));
    }
}

QString NavigationTest::probe(const Form1 &form, const QString &what) const
{
    const auto shortPath = [this](QString path) {
        for (const auto &[folder, name] : {std::pair(m_volumeA.get(), "A/"), {m_volumeB.get(), "B/"}, {m_parent.get(), "P/"}})
            if (path.startsWith(folder->path())) return path.replace(0, folder->path().size(), QLatin1String(name));
        return path;
    };
    const Form4 *viewer = form.findChild<Form4 *>();
    if (what == QLatin1String("focus")) return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    if (what == QLatin1String("Text2")) return form.Text2->text();
    if (what == QLatin1String("preview")) return form.Label5->text();
    if (what == QLatin1String("rename")) return form.Command3->isEnabled() ? "on" : "off";
    if (what == QLatin1String("Dir1")) return shortPath(form.Dir1->path());
    if (what == QLatin1String("Dir2")) return shortPath(form.Dir2->path());
    if (what == QLatin1String("highlighted")) return shortPath(form.Dir1->highlightedPath());
    if (what == QLatin1String("rows1")) return form.ListView1->rowNames().join(u',');
    if (what == QLatin1String("thumbnail")) return shortPath(form.ThumbnailPath);
    if (what == QLatin1String("viewer")) return viewer && viewer->isVisible() ? "open" : "closed";
    return QStringLiteral("?");
}

// The first size fits the screen, here smaller than the window's own size; a
// long head name neither widens the window nor squeezes the other pane; the
// simple view gives the names the whole width of the lists.
void NavigationTest::layoutFitsScreenAndNames()
{
    Form1 &form = start();
    const QSize room = form.screen()->availableGeometry().size();
    QVERIFY(form.width() <= room.width() && form.height() <= room.height());
    const QList<int> widths{form.width(), form.ListView2->width(), form.Combo2->width()};
    const QString head(90, u'長');
    form.Combo2->setEditText(head);
    QApplication::processEvents();
    QCOMPARE((QList<int>{form.width(), form.ListView2->width(), form.Combo2->width()}), widths);
    QCOMPARE(form.Label5->toolTip(), head + QStringLiteral("007.jpg"));

    QCOMPARE(form.ListView1->header()->sectionSize(0), 107);   // the detailed view
    form.Check2->click();
    QTRY_COMPARE(form.ListView1->header()->sectionSize(0), form.ListView1->viewport()->width());
    form.Check2->click();
    QCOMPARE(form.ListView1->header()->sectionSize(0), 107);
}

void NavigationTest::messageBox_data()
{
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<QString>("action");   // a button's caption, Escape or close
    QTest::addColumn<MessageAnswer>("answer");

    const MessageButtons ync = MessageButtons::YesNoCancel, okCancel = MessageButtons::OkCancel;
    QTest::newRow("はい") << ync << "はい(&Y)" << MessageAnswer::Yes;
    QTest::newRow("いいえ") << ync << "いいえ(&N)" << MessageAnswer::No;
    QTest::newRow("キャンセル") << ync << "キャンセル" << MessageAnswer::Cancel;
    QTest::newRow("Escape among three") << ync << "Escape" << MessageAnswer::Cancel;
    QTest::newRow("close box among three") << ync << "close" << MessageAnswer::Cancel;
    QTest::newRow("OK over キャンセル") << okCancel << "OK" << MessageAnswer::Ok;
    QTest::newRow("キャンセル beside OK") << okCancel << "キャンセル" << MessageAnswer::Cancel;
    QTest::newRow("Escape beside OK") << okCancel << "Escape" << MessageAnswer::Cancel;
    QTest::newRow("OK alone") << MessageButtons::Ok << "OK" << MessageAnswer::Ok;
    QTest::newRow("Escape with OK alone") << MessageButtons::Ok << "Escape" << MessageAnswer::Dismissed;
    QTest::newRow("close box with OK alone") << MessageButtons::Ok << "close" << MessageAnswer::Dismissed;
}

void NavigationTest::messageBox()
{
    QFETCH(MessageButtons, buttons);
    QFETCH(QString, action);
    QFETCH(MessageAnswer, answer);
    bool acted = false;
    std::function<void()> act = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) return QTimer::singleShot(10, act);
        const QList<QAbstractButton *> shown = box->buttons();
        const auto button = std::find_if(shown.begin(), shown.end(), [&](auto *b) { return b->text() == action; });
        acted = button != shown.end() || action == QLatin1String("Escape") || action == QLatin1String("close");
        if (button != shown.end()) QTest::mouseClick(*button, Qt::LeftButton);
        else if (action == QLatin1String("Escape")) QTest::keyClick(box, Qt::Key_Escape);
        else box->close();   // also when no button has the caption, so that the box goes
    };
    QTimer::singleShot(0, act);
    DesktopDialogs dialogs;
    QCOMPARE(dialogs.showMessage(QStringLiteral("質問"), buttons, MessageIcon::None), answer);
    QVERIFY(acted);
}

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
