// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programicon.h"
#include "dialogs/frmabout.h"
#include "dialogs/sysinfo.h"
#include "tempfolder.h"
#include "testplatform.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace nv;

namespace {

const QString kMsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

RegistryValue stringValue(const QByteArray &bytes) { return {RegistryValueType::String, bytes}; }

}  // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void textsSetWhenOpened();
    void showsTheProgramIcon();
    void linkLook_data();
    void linkLook();
    void linkOpensThroughTheDesktop();
    void keyValue_data();
    void keyValue();
    void sysInfoLookUp_data();
    void sysInfoLookUp();
    void sysInfoButtonWithNothingToStart();
};

void TestFrmAbout::textsSetWhenOpened()
{
    TempFolder programFolder;
    TestPlatform platform;
    frmAbout box(platform, platform, platform, programFolder.path());

    QCOMPARE(box.windowTitle(), QStringLiteral("Norvanta2のﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.4.0"));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Norvanta2"));
    const auto *ok = box.findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QVERIFY(ok->isDefault());
}

void TestFrmAbout::showsTheProgramIcon()
{
    // The sizes a desktop needs are checked where they are installed (check-install.sh).
    const QIcon icon = ProgramIcon();
    TempFolder notesFolder;
    TestPlatform platform;
    frmAbout box(platform, platform, platform, notesFolder.path());
    const QImage shown = box.findChild<QLabel *>(QStringLiteral("picIcon"))->pixmap().toImage();
    QVERIFY(!shown.isNull());
    QCOMPARE(shown, icon.pixmap(shown.size()).toImage());
}

void TestFrmAbout::linkLook_data()
{
    // Where the pointer moves, in order: "box" is the bare background.
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QPalette::ColorRole>("colour");   // the box's palette gives it
    QTest::addColumn<double>("pointSize");

    QTest::newRow("before any move") << QStringList() << QPalette::WindowText << 9.75;
    QTest::newRow("over the background") << QStringList{"box"} << QPalette::Link << 10.0;
    QTest::newRow("over the description") << QStringList{"lblDescription"} << QPalette::Link << 10.0;
    QTest::newRow("over the link") << QStringList{"Label1"} << QPalette::LinkVisited << 10.0;
    QTest::newRow("off the link again") << QStringList{"Label1", "box"} << QPalette::Link << 10.0;
    QTest::newRow("over the title only") << QStringList{"lblTitle"} << QPalette::WindowText << 9.75;
}

void TestFrmAbout::linkLook()
{
    QFETCH(QStringList, moves);
    QFETCH(QPalette::ColorRole, colour);
    QFETCH(double, pointSize);

    TempFolder programFolder;
    TestPlatform platform;
    frmAbout box(platform, platform, platform, programFolder.path());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    for (const QString &place : moves) {
        if (place == QLatin1String("box")) {
            QTest::mouseMove(&box, QPoint(2, box.height() / 2));
        } else {
            auto *target = box.findChild<QWidget *>(place);
            QTest::mouseMove(target, target->rect().center());
        }
    }
    const auto *link = box.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(link->palette().color(QPalette::WindowText), box.palette().color(colour));
    QCOMPARE(link->font().pointSizeF(), pointSize);
}

void TestFrmAbout::linkOpensThroughTheDesktop()
{
    TempFolder programFolder;
    TestPlatform platform;
    frmAbout box(platform, platform, platform, programFolder.path());
    box.show();
    auto *link = box.findChild<QLabel *>(QStringLiteral("Label1"));

    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QCOMPARE(platform.openedUrls, std::vector<QString>{link->text()});
    QVERIFY(QUrl(link->text()).isLocalFile());
}

void TestFrmAbout::keyValue_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<RegistryValue>("value");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");

    QTest::newRow("string with its zero byte") << true << stringValue(QByteArray("C:\\Tools\0", 9)) << true << "C:\\Tools";
    QTest::newRow("string without a zero byte") << true << stringValue("C:\\Tools") << true << "C:\\Tools";
    QTest::newRow("only one zero byte dropped")
        << true << stringValue(QByteArray("ab\0\0", 4)) << true << QString::fromUtf8("ab\0", 3);
    QTest::newRow("other type: found, text kept")
        << true << RegistryValue{RegistryValueType::Other, QByteArray("\x01\0\0\0", 4)} << true << "kept";
    QTest::newRow("missing: not found, text emptied") << false << RegistryValue{} << false << "";
}

void TestFrmAbout::keyValue()
{
    QFETCH(bool, present);
    QFETCH(RegistryValue, value);
    QFETCH(bool, found);
    QFETCH(QString, text);

    TestPlatform platform;
    if (present) platform.setRegistryValue(QStringLiteral("Key"), QStringLiteral("Value"), value);
    QString keyVal = QStringLiteral("kept");
    QCOMPARE(GetKeyValue(platform, RegistryRoot::LocalMachine, QStringLiteral("Key"), QStringLiteral("Value"), keyVal),
             found);
    QCOMPARE(keyVal, text);
}

void TestFrmAbout::sysInfoLookUp_data()
{
    // "%1" in a value or a file name stands for the test's temporary folder.
    QTest::addColumn<QByteArray>("pathValue");           // empty: absent
    QTest::addColumn<bool>("pathValueIsString");
    QTest::addColumn<QByteArray>("locationValue");       // empty: absent
    QTest::addColumn<QString>("existingFile");           // empty: none
    QTest::addColumn<QStringList>("onSearchPath");
    QTest::addColumn<QString>("started");                // empty: the message instead

    const QStringList tools{"gnome-system-monitor", "hardinfo"};
    QTest::newRow("first value used without a file test")
        << QByteArray("C:\\Nowhere\\msinfo32.exe\0", 24) << true << QByteArray("%1tools") << QString("tools\\MSINFO32.EXE")
        << tools << "C:\\Nowhere\\msinfo32.exe";
    QTest::newRow("second value with its program")
        << QByteArray() << true << QByteArray("%1tools\0", 8) << QString("tools\\MSINFO32.EXE") << tools
        << "%1tools\\MSINFO32.EXE";
    QTest::newRow("second value, program missing")
        << QByteArray() << true << QByteArray("%1tools") << QString() << tools << QString();
    QTest::newRow("first value not a string")
        << QByteArray("\x01\0\0\0", 4) << false << QByteArray("%1tools") << QString("tools\\MSINFO32.EXE") << tools
        << QString();
    QTest::newRow("no registry: first known program on the path")
        << QByteArray() << true << QByteArray() << QString() << tools << "/usr/bin/hardinfo";
    QTest::newRow("no registry, nothing on the path")
        << QByteArray() << true << QByteArray() << QString() << QStringList() << QString();
}

void TestFrmAbout::sysInfoLookUp()
{
    QFETCH(QByteArray, pathValue);
    QFETCH(bool, pathValueIsString);
    QFETCH(QByteArray, locationValue);
    QFETCH(QString, existingFile);
    QFETCH(QStringList, onSearchPath);
    QFETCH(QString, started);

    TempFolder folder;
    const auto inFolder = [&](QByteArray bytes) { return bytes.replace("%1", folder.path().toUtf8()); };
    TestPlatform platform;
    if (!pathValue.isEmpty())
        platform.setRegistryValue(kMsInfoKey, QStringLiteral("PATH"),
                                  {pathValueIsString ? RegistryValueType::String : RegistryValueType::Other, pathValue});
    if (!locationValue.isEmpty())
        platform.setRegistryValue(kLocationKey, QStringLiteral("MSINFO"), stringValue(inFolder(locationValue)));
    if (!existingFile.isEmpty()) folder.addFile(existingFile);
    for (const QString &name : onSearchPath) platform.programsOnPath.insert(name, QStringLiteral("/usr/bin/") + name);

    StartSysInfo(platform, platform, platform);

    if (started.isEmpty()) {
        QVERIFY(platform.startedPrograms.empty());
        QCOMPARE(platform.messages.size(), size_t(1));
        QCOMPARE(platform.messages.front().text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
        QCOMPARE(platform.messages.front().buttons, MessageButtons::Ok);
        QVERIFY(platform.messages.front().title.isEmpty());
    } else {
        QCOMPARE(platform.startedPrograms, std::vector<QString>{QString::fromUtf8(inFolder(started.toUtf8()))});
        QVERIFY(platform.messages.empty());
    }
}

void TestFrmAbout::sysInfoButtonWithNothingToStart()
{
    TempFolder programFolder;
    TestPlatform platform;
    frmAbout box(platform, platform, platform, programFolder.path());

    QTest::mouseClick(box.findChild<QPushButton *>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    QCOMPARE(platform.messages.size(), size_t(1));
    QVERIFY(platform.startedPrograms.empty());
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
