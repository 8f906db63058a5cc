// SPDX-License-Identifier: GPL-3.0-or-later
// Double clicks on listed files show them in the thumbnail box; the menu opens
// one usage viewer and one about box, which close with the main window.
#include "formfixture.h"

#include "dialogs/form4.h"
#include "dialogs/frmabout.h"
#include "panes/filelistview.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QtTest>

using namespace nv;

class ThumbnailBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void doubleClickShowsPicture_data();
    void doubleClickShowsPicture();
    void menuWindowsExistOnceAndCloseWithTheMainWindow();

private:
    std::unique_ptr<TempFolder> m_source, m_target;
    std::unique_ptr<FormFixture> m_fixture;

    Form1 &start();
};

void ThumbnailBoxTest::init()
{
    m_source = std::make_unique<TempFolder>();
    m_target = std::make_unique<TempFolder>();
    m_fixture = std::make_unique<FormFixture>();
    QImage wide(600, 200, QImage::Format_RGB32);
    wide.fill(Qt::red);
    wide.save(m_source->pathOf(QStringLiteral("wide.png")), "PNG");
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::blue);
    small.save(m_target->pathOf(QStringLiteral("bitmap")), "BMP");
    m_source->addFile(QStringLiteral("notes.jpg"), "just some text, not a picture");
    m_source->addFile(QStringLiteral("gone.png"));
}

void ThumbnailBoxTest::cleanup()
{
    m_fixture.reset();
    m_source.reset();
    m_target.reset();
}

Form1 &ThumbnailBoxTest::start()
{
    SettingsRecord record;
    record.SourceFolder = m_source->path();
    record.TargetFolder = m_target->path();
    m_fixture->writeSettings(record);
    return m_fixture->start();
}

void ThumbnailBoxTest::doubleClickShowsPicture_data()
{
    QTest::addColumn<bool>("destination");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("shown");       // in the box's client area; empty when nothing is shown
    QTest::addColumn<bool>("message");
    const QSize box = QSize(169, 129) - QSize(2, 2);   // inside the frame of the box at 96 dots per inch
    const float height = float(box.width()) / 600.0f * 200.0f;
    QTest::newRow("wide PNG scaled to the width")
        << false << "wide.png" << QRect(0, qRound((box.height() - height) / 2), box.width(), qRound(height)) << false;
    QTest::newRow("small BMP without extension, centred")
        << true << "bitmap" << QRect(qRound((box.width() - 40) / 2.0f), qRound((box.height() - 30) / 2.0f), 40, 30) << false;
    QTest::newRow("text file named .jpg") << false << "notes.jpg" << QRect() << true;
    QTest::newRow("file deleted after the listing") << false << "gone.png" << QRect() << false;
}

void ThumbnailBoxTest::doubleClickShowsPicture()
{
    QFETCH(bool, destination);
    QFETCH(QString, name);
    QFETCH(QRect, shown);
    QFETCH(bool, message);
    Form1 &form = start();
    if (form.logicalDpiX() != 96) QSKIP("the expected geometry assumes 96 dots per inch");
    if (name == QLatin1String("gone.png")) ::unlink(m_source->pathOf(name).toUtf8().constData());
    QVERIFY(clickRow(destination ? form.ListView2 : form.ListView1, name, {}, true));

    const TempFolder &folder = destination ? *m_target : *m_source;
    QCOMPARE(form.ThumbnailPath, folder.pathOf(name));
    QCOMPARE(form.Image1->isVisible(), !shown.isEmpty());
    if (!shown.isEmpty()) QCOMPARE(form.Image1->geometry().translated(-form.Picture1->contentsRect().topLeft()), shown);
    QCOMPARE(m_fixture->platform.messages.size(), size_t(message ? 1 : 0));
    if (message) {
        QCOMPARE(m_fixture->platform.messages[0].text, QStringLiteral("対応していないファイルが選択されました。"));
        QCOMPARE(m_fixture->platform.messages[0].buttons, MessageButtons::Ok);
    }
}

void ThumbnailBoxTest::menuWindowsExistOnceAndCloseWithTheMainWindow()
{
    Form1 &form = start();
    form.mnuHelp->trigger();
    form.mnuHelp->trigger();
    form.mnuVer1->trigger();
    form.mnuVer1->trigger();
    const auto viewers = form.findChildren<Form4 *>();
    const auto aboutBoxes = form.findChildren<frmAbout *>();
    QCOMPARE(viewers.size(), 1);
    QCOMPARE(aboutBoxes.size(), 1);
    const QPointer<Form4> viewer = viewers[0];
    const QPointer<frmAbout> about = aboutBoxes[0];
    QVERIFY(viewer->isVisible() && about->isVisible());
    QVERIFY(!viewer->isModal() && !about->isModal());

    form.close();
    QVERIFY(!viewer || !viewer->isVisible());
    QVERIFY(!about || !about->isVisible());
}

QTEST_MAIN(ThumbnailBoxTest)
#include "tst_thumbnailbox.moc"
