// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings, the usage notes and the journals are, for each way the program can lie on disk.
#include "app/programfolders.h"

#include "tempfolder.h"
#include "testplatform.h"

#include <QDir>
#include <QtTest>

using namespace nv;

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char *name, const QString &value)
        : m_name(name), m_old(qgetenv(name)), m_was(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull()) qunsetenv(name);
        else qputenv(name, value.toUtf8());
    }
    ~ScopedEnvironment() { m_was ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char *m_name;
    QByteArray m_old;
    bool m_was;
};

}  // namespace

class TestProgramFolders : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
};

void TestProgramFolders::layout_data()
{
    // Paths below a temporary folder ("@" stands for it); the home folder is @home/.
    QTest::addColumn<QStringList>("folders");       // made before the decision
    QTest::addColumn<QString>("executableFolder");
    // XDG_CONFIG_HOME and XDG_STATE_HOME: "@" sets @config and @state, null
    // leaves both unset, anything else is the (relative) value of both.
    QTest::addColumn<QString>("xdgHomes");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("journals");

    const QStringList installed{"prefix/bin", "prefix/share/norvanta2"};
    const QString set = QStringLiteral("@");
    QTest::newRow("build folder") << QStringList{"build/bin"} << "@build/bin" << set
                                  << "@build/bin/" << "@build/bin/" << "@build/bin/journal/";
    QTest::newRow("portable folder") << QStringList{"Norvanta2", "share/norvanta2"} << "@Norvanta2" << set
                                     << "@Norvanta2/" << "@Norvanta2/" << "@Norvanta2/journal/";
    QTest::newRow("installed") << installed << "@prefix/bin" << set
                               << "@config/norvanta2/" << "@prefix/share/norvanta2/" << "@state/norvanta2/";
    QTest::newRow("installed, no XDG homes") << installed << "@prefix/bin" << QString()
                                             << "@home/.config/norvanta2/" << "@prefix/share/norvanta2/"
                                             << "@home/.local/state/norvanta2/";
    QTest::newRow("installed, XDG homes not full paths") << installed << "@prefix/bin" << "relative"
                                                         << "@home/.config/norvanta2/" << "@prefix/share/norvanta2/"
                                                         << "@home/.local/state/norvanta2/";
    QTest::newRow("bin with a share folder of other programs")
        << QStringList{"prefix/bin", "prefix/share/other"} << "@prefix/bin" << set
        << "@prefix/bin/" << "@prefix/bin/" << "@prefix/bin/journal/";
    QTest::newRow("notes folder beside a folder not called bin")
        << QStringList{"prefix/sbin", "prefix/share/norvanta2"} << "@prefix/sbin" << set
        << "@prefix/sbin/" << "@prefix/sbin/" << "@prefix/sbin/journal/";
}

void TestProgramFolders::layout()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, executableFolder);
    QFETCH(QString, xdgHomes);
    QFETCH(QString, settings);
    QFETCH(QString, notes);
    QFETCH(QString, journals);
    TempFolder root;
    const auto place = [&](QString path) { return path.replace(QLatin1Char('@'), root.path()); };
    for (const QString &folder : folders) QVERIFY(QDir().mkpath(root.pathOf(folder)));
    const auto xdgHome = [&](const char *name) {
        return xdgHomes == QLatin1String("@") ? place(QLatin1Char('@') + QLatin1String(name)) : xdgHomes;
    };
    const ScopedEnvironment home("HOME", root.pathOf(QStringLiteral("home")));
    const ScopedEnvironment config("XDG_CONFIG_HOME", xdgHome("config"));
    const ScopedEnvironment state("XDG_STATE_HOME", xdgHome("state"));
    TestPlatform platform;

    const ProgramFolders found = LocateProgramFolders(platform, place(executableFolder));
    QCOMPARE(found.settings, place(settings));
    QCOMPARE(found.usageNotes, place(notes));
    QCOMPARE(found.journals, place(journals));
}

QTEST_GUILESS_MAIN(TestProgramFolders)
#include "tst_programfolders.moc"
