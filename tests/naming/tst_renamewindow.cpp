// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button in the main window: a click on a destination file sets the
// fields, a selection in the source list, the button, and then the files on
// disk, the overwrite question, the history, the progress bar and the lists.
// The same button with 桁合わせ ticked, and the extension replacement.
#include "formfixture.h"

#include "app/pickawarecombobox.h"
#include "panes/filelistview.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace nv;

Q_DECLARE_METATYPE(nv::MessageAnswer)

namespace {

using Files = QMap<QString, QByteArray>;

Files snapshot(const TempFolder &folder)
{
    Files files;
    for (const QString &name : folder.names()) files.insert(name, folder.contents(name));
    return files;
}

QStringList listedFolders(const TestPlatform &platform)
{
    QStringList folders;
    for (const auto &listing : platform.listings) folders.append(listing.first);
    return folders;
}

QString shownTitle(const ShownMessage &message)
{
    return message.title.isEmpty() ? kApplicationTitle : message.title;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

}  // namespace

class RenameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roadOfOneRename_data();
    void roadOfOneRename();
    void fieldsReachTheNames_data();
    void fieldsReachTheNames();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void historyIsPushedFirst_data();
    void historyIsPushedFirst();
    void failingCopyStopsTheRun_data();
    void failingCopyStopsTheRun();
    void digitAlignment_data();
    void digitAlignment();
    void extensionReplacement_data();
    void extensionReplacement();

private:
    std::unique_ptr<TempFolder> m_source, m_target;
    std::unique_ptr<FormFixture> m_fixture;

    // Starts the window on the two folders with head img, number 1, three
    // digits and the extension jpg, the source list sorted by name.
    Form1 &start(const HeadNameSlots &history = {});
    void selectSources(Form1 &form, const QStringList &names);
    void clickEmptySpace(FileListView *list);
};

void RenameWindowTest::init()
{
    m_source = std::make_unique<TempFolder>();
    m_target = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
}

void RenameWindowTest::cleanup()
{
    m_fixture.reset();
    m_source.reset();
    m_target.reset();
}

Form1 &RenameWindowTest::start(const HeadNameSlots &history)
{
    SettingsRecord record;
    record.SourceFolder = m_source->path();
    record.TargetFolder = m_target->path();
    record.DigitIndex = 3;
    record.ExtensionIndex = 2;   // jpg, among bmp, gif and jpg
    record.HeadName = QStringLiteral("img");
    record.FirstNumberText = QStringLiteral("1");
    record.HeadNameHistory = history;
    m_fixture->writeSettings(record);
    Form1 &form = m_fixture->start();
    form.ListView1_ColumnClick(1);   // the numbers follow the names in a known order
    return form;
}

void RenameWindowTest::selectSources(Form1 &form, const QStringList &names)
{
    for (qsizetype i = 0; i < names.size(); ++i)
        QVERIFY(clickRow(form.ListView1, names[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier));
}

void RenameWindowTest::clickEmptySpace(FileListView *list)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 5));
}

void RenameWindowTest::roadOfOneRename_data()
{
    QTest::addColumn<bool>("move");
    QTest::newRow("copy") << false;
    QTest::newRow("move") << true;
}

void RenameWindowTest::roadOfOneRename()
{
    QFETCH(bool, move);
    for (const char *name : {"a.png", "b.png", "c.png", "d.png"}) m_source->addFile(name, QByteArray(name).left(1));
    m_target->addFile(QStringLiteral("pic.jpg"), "other");
    m_target->addFile(QStringLiteral("DSC0099.JPG"), "earlier");
    Form1 &form = start();
    QVERIFY(!form.Command3->isEnabled());

    QVERIFY(clickRow(form.ListView2, QStringLiteral("DSC0099.JPG")));
    QCOMPARE(form.Combo2->currentText(), QStringLiteral("DSC"));
    QCOMPARE(form.Text2->text(), QStringLiteral("100"));
    QCOMPARE(form.List1->currentRow(), 4);
    QCOMPARE(form.Combo1->currentText(), QStringLiteral("JPG"));
    QCOMPARE(form.Label5->text(), QStringLiteral("DSC0100.JPG"));

    selectSources(form, {"b.png", "d.png"});
    QVERIFY(form.Command3->isEnabled());
    if (move) QTest::mouseClick(form.Check1, Qt::LeftButton, {}, QPoint(8, form.Check1->height() / 2));
    QCOMPARE(form.Check1->isChecked(), move);
    m_fixture->platform.listings.clear();
    QTest::mouseClick(form.Command3, Qt::LeftButton);

    QCOMPARE(snapshot(*m_target), (Files{{"DSC0099.JPG", "earlier"}, {"DSC0100.JPG", "b"}, {"DSC0101.JPG", "d"},
                                          {"pic.jpg", "other"}}));
    const QStringList kept = move ? QStringList{"a.png", "c.png"} : QStringList{"a.png", "b.png", "c.png", "d.png"};
    QCOMPARE(m_source->names(), kept);
    QVERIFY(m_fixture->platform.messages.empty());
    QCOMPARE(form.Program.HeadNameHistory[9], QStringLiteral("DSC"));
    // The bar counted every row, selected or not, and is gone again.
    QCOMPARE(form.ProgressBar1->maximum(), 4);
    QVERIFY(form.ProgressBar1->isHidden());   // after a Cancel it was never shown
    // Both lists show the folders as they are now.
    QCOMPARE(listedFolders(m_fixture->platform), (QStringList{m_source->path(), m_target->path()}));
    QCOMPARE(sorted(form.ListView1->rowNames()), m_source->names());
    QCOMPARE(sorted(form.ListView2->rowNames()), m_target->names());
}

void RenameWindowTest::fieldsReachTheNames_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("extension");   // typed into the box, not picked from its list
    QTest::addColumn<QStringList>("names");

    // The preview shows head7 here; the rename pads by the number itself.
    QTest::newRow("typed zeros") << "head" << "007" << 3 << "jpg" << QStringList{"head007.jpg", "head008.jpg"};
    QTest::newRow("typed extension") << "x" << "9" << 2 << "tiff" << QStringList{"x09.tiff", "x10.tiff"};
    QTest::newRow("number 0 first") << "a" << "0" << 3 << "jpg" << QStringList{"a.jpg", "a001.jpg"};
    QTest::newRow("Japanese head") << "旅行" << "1" << 0 << "jpg" << QStringList{"旅行1.jpg", "旅行2.jpg"};
    QTest::newRow("no extension, no dot") << "noext" << "1" << 2 << "" << QStringList{"noext01", "noext02"};
}

void RenameWindowTest::fieldsReachTheNames()
{
    QFETCH(QString, head);
    QFETCH(QString, numberText);
    QFETCH(int, digits);
    QFETCH(QString, extension);
    QFETCH(QStringList, names);
    m_source->addFile(QStringLiteral("1.png"));
    m_source->addFile(QStringLiteral("2.png"));
    Form1 &form = start();
    form.Combo2->setEditText(head);
    form.Text2->setText(numberText);
    form.List1->setCurrentRow(digits);
    form.Combo1->setEditText(extension);
    QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(m_target->names(), names);
}

void RenameWindowTest::overwriteQuestion_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("move");
    QTest::addColumn<Files>("target");
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<bool>("finished");   // a normal end: lists listed again

    const QStringList all{"a.png", "b.png", "c.png"};
    const Files replaced{{"img001.jpg", "A"}, {"img002.jpg", "B"}, {"img003.jpg", "C"}};
    const Files declined{{"img001.jpg", "A"}, {"img002.jpg", "old"}, {"img003.jpg", "C"}};
    const Files cancelled{{"img002.jpg", "old"}};
    QTest::newRow("yes, copy") << MessageAnswer::Yes << false << replaced << all << true;
    QTest::newRow("yes, move") << MessageAnswer::Yes << true << replaced << QStringList() << true;
    // The declined file keeps its number and, having no copy, its place.
    QTest::newRow("no, copy") << MessageAnswer::No << false << declined << all << true;
    QTest::newRow("no, move") << MessageAnswer::No << true << declined << QStringList{"b.png"} << true;
    QTest::newRow("cancel, copy") << MessageAnswer::Cancel << false << cancelled << all << false;
    QTest::newRow("cancel, move") << MessageAnswer::Cancel << true << cancelled << all << false;
}

void RenameWindowTest::overwriteQuestion()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, move);
    QFETCH(Files, target);
    QFETCH(QStringList, sources);
    QFETCH(bool, finished);
    m_source->addFile(QStringLiteral("a.png"), "A");
    m_source->addFile(QStringLiteral("b.png"), "B");
    m_source->addFile(QStringLiteral("c.png"), "C");
    m_target->addFile(QStringLiteral("img002.jpg"), "old");
    Form1 &form = start();
    form.Check1->setChecked(move);
    selectSources(form, {"a.png", "b.png", "c.png"});

    TestPlatform &platform = m_fixture->platform;
    platform.answers = {answer};
    bool asked = false;
    platform.onMessage = [&](const ShownMessage &) {
        // Asked before any file is touched; the history already holds the head name.
        asked = form.Program.HeadNameHistory[9] == QLatin1String("img") && form.ProgressBar1->isHidden()
                && m_target->names() == QStringList{"img002.jpg"};
    };
    platform.listings.clear();
    QTest::mouseClick(form.Command3, Qt::LeftButton);

    QCOMPARE(platform.messages.size(), size_t(1));
    const ShownMessage &question = platform.messages[0];
    QCOMPARE(question.text, QStringLiteral("img002.jpgと同名のファイルが存在します。上書きしますか？"));
    QCOMPARE(question.buttons, MessageButtons::YesNoCancel);
    QCOMPARE(question.icon, MessageIcon::Exclamation);
    QCOMPARE(shownTitle(question), QStringLiteral("Norvanta2"));
    QVERIFY(asked);

    QCOMPARE(snapshot(*m_target), target);
    QCOMPARE(m_source->names(), sources);
    QVERIFY(form.ProgressBar1->isHidden());   // after a Cancel it was never shown
    const QStringList relisted = finished ? QStringList{m_source->path(), m_target->path()} : QStringList();
    QCOMPARE(listedFolders(platform), relisted);
    QCOMPARE(sorted(form.ListView2->rowNames()), finished ? m_target->names() : QStringList{"img002.jpg"});
}

void RenameWindowTest::historyIsPushedFirst_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QStringList>("copied");

    QTest::newRow("nothing selected") << "trip" << false << QStringList();
    QTest::newRow("empty head name") << "" << true << QStringList{"001.jpg"};
    QTest::newRow("repeat of the newest") << "older" << true << QStringList{"older001.jpg"};
    // A name that would leave the folder stops the run before any copy.
    QTest::newRow("head that cannot be a name") << "a/b" << true << QStringList();
}

void RenameWindowTest::historyIsPushedFirst()
{
    QFETCH(QString, head);
    QFETCH(bool, selectAll);
    QFETCH(QStringList, copied);
    m_source->addFile(QStringLiteral("a.png"));
    HeadNameSlots history;
    history[8] = QStringLiteral("oldest kept");
    history[9] = QStringLiteral("older");
    Form1 &form = start(history);
    form.Combo2->setEditText(head);
    if (selectAll) QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    else clickEmptySpace(form.ListView1);
    QVERIFY(form.Command3->isEnabled());
    QCOMPARE(form.ListView1->selectedRowNumbers().size(), size_t(selectAll ? 1 : 0));
    QTest::mouseClick(form.Command3, Qt::LeftButton);

    QCOMPARE(form.Program.HeadNameHistory[9], head);
    QCOMPARE(form.Program.HeadNameHistory[8], QStringLiteral("older"));
    QCOMPARE(form.Program.HeadNameHistory[7], QStringLiteral("oldest kept"));
    QCOMPARE(m_target->names(), copied);
    QCOMPARE(m_source->names(), QStringList{"a.png"});
}

void RenameWindowTest::failingCopyStopsTheRun_data()
{
    QTest::addColumn<bool>("move");
    QTest::newRow("copy") << false;
    QTest::newRow("move") << true;
}

void RenameWindowTest::failingCopyStopsTheRun()
{
    QFETCH(bool, move);
    const QStringList sources{"a.png", "b.png", "c.png", "d.png", "e.png"};
    for (const QString &name : sources) m_source->addFile(name, name.toUtf8());
    Form1 &form = start();
    form.Check1->setChecked(move);
    QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    TestPlatform &platform = m_fixture->platform;
    const FsStatus diskFull = FsStatus::failure(FsFault::Other, QStringLiteral("No space left"));
    platform.failCall(move ? TestPlatform::Operation::Link : TestPlatform::Operation::CopyFile, 3, diskFull);
    platform.listings.clear();
    QTest::mouseClick(form.Command3, Qt::LeftButton);

    QCOMPARE(snapshot(*m_target), (Files{{"img001.jpg", "a.png"}, {"img002.jpg", "b.png"}}));
    QCOMPARE(m_source->names(), sources);
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.messages[0].text.contains(m_source->pathOf("c.png")));
    QVERIFY(platform.messages[0].text.contains("No space left"));
    QCOMPARE(shownTitle(platform.messages[0]), QStringLiteral("Norvanta2"));
    QVERIFY(!form.ProgressBar1->isHidden());
    QCOMPARE(form.ProgressBar1->value(), 2);
    // The disk changed part way: both lists show it.
    QCOMPARE(listedFolders(platform), (QStringList{m_source->path(), m_target->path()}));
    QCOMPARE(sorted(form.ListView2->rowNames()), m_target->names());
}

void RenameWindowTest::digitAlignment_data()
{
    QTest::addColumn<QString>("files");       // all selected
    QTest::addColumn<int>("failingRename");   // 0: none fails
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("told");        // in the one message; empty when there is none

    // The rules of the new names are tested without the window.
    const QString worked = QStringLiteral("img1.jpg img10.jpg img100.jpg");
    QTest::newRow("worked example") << worked << 0 << "img001.jpg img010.jpg img100.jpg" << "";
    QTest::newRow("new name taken") << "img001.jpg img1.jpg img100.jpg" << 0 << "img001.jpg img1.jpg img100.jpg"
                                    << "「img1.jpg」→「img001.jpg」";
    QTest::newRow("two names become one") << "img01.jpg img1.jpg img100.jpg" << 0 << "img01.jpg img1.jpg img100.jpg"
                                          << "「img01.jpg」と同じ名前";
    QTest::newRow("rename fails part way")
        << worked << 2 << "img001.jpg img10.jpg img100.jpg"
        << "img10.jpg」を「img010.jpg」にできませんでした。\nNo permission\n処理を中止しました。それまでに 1 個";
}

// Renamed in place under the busy pointer: no copy, no history, no question;
// listed again unless nothing was renamed.
void RenameWindowTest::digitAlignment()
{
    QFETCH(QString, files);
    QFETCH(int, failingRename);
    QFETCH(QString, after);
    QFETCH(QString, told);
    for (const QString &name : files.split(u' ')) m_source->addFile(name);
    Form1 &form = start();
    QTest::mouseClick(form.Check3, Qt::LeftButton, {}, QPoint(8, form.Check3->height() / 2));
    QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    TestPlatform &platform = m_fixture->platform;
    if (failingRename) platform.failCall(TestPlatform::Operation::Rename, failingRename, {FsFault::Other, "No permission"});
    bool busy = true;
    platform.beforeCall = [&](TestPlatform::Operation, const QString &) { busy = busy && platform.busyDepth > 0; };
    platform.listings.clear();
    const QString preview = form.Label5->text();
    QTest::mouseClick(form.Command3, Qt::LeftButton);

    QCOMPARE(m_source->names().join(u' '), after);
    if (told.isEmpty()) QCOMPARE(preview, after.section(u' ', 0, 0));   // the first selected file's new name
    QVERIFY(m_target->names().isEmpty() && busy);
    QVERIFY(form.Program.HeadNameHistory[9].isEmpty());
    QCOMPARE(platform.messages.size(), size_t(told.isEmpty() ? 0 : 1));
    if (!told.isEmpty()) QVERIFY2(platform.messages[0].text.contains(told), qPrintable(platform.messages[0].text));
    const bool renamed = told.isEmpty() || failingRename;
    QCOMPARE(listedFolders(platform), (renamed ? QStringList{m_source->path(), m_target->path()} : QStringList()));
}

void RenameWindowTest::extensionReplacement_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<MessageAnswer>("answer");   // to the warning
    QTest::addColumn<bool>("move");
    QTest::addColumn<QString>("sources");        // all selected
    QTest::addColumn<QString>("existing");       // in the destination
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("told");           // in a message after the warning

    const MessageAnswer ok = MessageAnswer::Ok;
    QTest::newRow("base before the last dot") << "png" << ok << false << "README photo.2001.jpg" << ""
                                              << "README.png photo.2001.png" << "";
    QTest::newRow("move") << "png" << ok << true << "photo.jpg" << "" << "photo.png" << "";
    QTest::newRow("cancel at the warning") << "png" << MessageAnswer::Cancel << false << "photo.jpg" << "" << "" << "";
    QTest::newRow("empty extension") << "" << ok << false << "photo.jpg" << "" << "" << "";
    QTest::newRow("new name taken") << "png" << ok << true << "photo.jpg" << "photo.png" << "photo.png"
                                    << "「photo.jpg」→「photo.png」";
    QTest::newRow("two files, one new name") << "png" << ok << false << "photo.gif photo.jpg" << "" << ""
                                             << "「photo.gif」と同じ名前";
}

void RenameWindowTest::extensionReplacement()
{
    QFETCH(QString, extension);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, move);
    QFETCH(QString, sources);
    QFETCH(QString, existing);
    QFETCH(QString, target);
    QFETCH(QString, told);
    for (const QString &name : sources.split(u' ')) m_source->addFile(name, "new");
    if (!existing.isEmpty()) m_target->addFile(existing, "old");
    Form1 &form = start();
    form.Check1->setChecked(move);
    form.Combo1->setEditText(extension);
    QTest::mouseClick(form.ListView1->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    TestPlatform &platform = m_fixture->platform;
    platform.answers = {answer};
    platform.listings.clear();
    QTest::mouseClick(form.Command4, Qt::LeftButton);

    QCOMPARE(m_target->names().join(u' '), target);
    if (!existing.isEmpty()) QCOMPARE(m_target->contents(existing), QByteArray("old"));
    const bool copied = target != existing;
    QCOMPARE(m_source->names().join(u' '), move && copied ? QString() : sources);
    QCOMPARE(platform.messages.size(), size_t(extension.isEmpty() ? 0 : told.isEmpty() ? 1 : 2));
    if (!extension.isEmpty()) {
        const ShownMessage &warning = platform.messages[0];
        QCOMPARE(warning.text, QStringLiteral("拡張子をリネームしようとしています\r\nプログラムを実行できなくなる可能性があります"
                                              "\r\n拡張子のリネームをしますか？"));
        QCOMPARE(warning.buttons, MessageButtons::OkCancel);
        QCOMPARE(warning.icon, MessageIcon::None);
        QCOMPARE(warning.title, QStringLiteral("注意"));
    }
    if (!told.isEmpty()) QVERIFY2(platform.messages[1].text.contains(told), qPrintable(platform.messages[1].text));
    QCOMPARE(listedFolders(platform), (copied ? QStringList{m_source->path(), m_target->path()} : QStringList()));
}

QTEST_MAIN(RenameWindowTest)
#include "tst_renamewindow.moc"
