// Where the settings and the usage notes are, for each way the program can lie on disk.
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
    QTest::addColumn<QString>("configHome");        // XDG_CONFIG_HOME; null: unset
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("notes");

    const QStringList installed{"prefix/bin", "prefix/share/norvanta2"};
    QTest::newRow("build folder") << QStringList{"build/bin"} << "@build/bin" << "@config"
                                  << "@build/bin/" << "@build/bin/";
    QTest::newRow("portable folder") << QStringList{"Norvanta2", "share/norvanta2"} << "@Norvanta2" << "@config"
                                     << "@Norvanta2/" << "@Norvanta2/";
    QTest::newRow("installed") << installed << "@prefix/bin" << "@config"
                               << "@config/norvanta2/" << "@prefix/share/norvanta2/";
    QTest::newRow("installed, no XDG_CONFIG_HOME") << installed << "@prefix/bin" << QString()
                                                   << "@home/.config/norvanta2/" << "@prefix/share/norvanta2/";
    QTest::newRow("installed, XDG_CONFIG_HOME not a full path") << installed << "@prefix/bin" << "config"
                                                                << "@home/.config/norvanta2/" << "@prefix/share/norvanta2/";
    QTest::newRow("bin with a share folder of other programs")
        << QStringList{"prefix/bin", "prefix/share/other"} << "@prefix/bin" << "@config"
        << "@prefix/bin/" << "@prefix/bin/";
    QTest::newRow("notes folder beside a folder not called bin")
        << QStringList{"prefix/sbin", "prefix/share/norvanta2"} << "@prefix/sbin" << "@config"
        << "@prefix/sbin/" << "@prefix/sbin/";
}

void TestProgramFolders::layout()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, executableFolder);
    QFETCH(QString, configHome);
    QFETCH(QString, settings);
    QFETCH(QString, notes);
    TempFolder root;
    const auto place = [&](QString path) { return path.replace(QLatin1Char('@'), root.path()); };
    for (const QString &folder : folders) QVERIFY(QDir().mkpath(root.pathOf(folder)));
    const ScopedEnvironment home("HOME", root.pathOf(QStringLiteral("home")));
    const ScopedEnvironment config("XDG_CONFIG_HOME", configHome.isNull() ? configHome : place(configHome));
    TestPlatform platform;

    const ProgramFolders found = LocateProgramFolders(platform, place(executableFolder));
    QCOMPARE(found.settings, place(settings));
    QCOMPARE(found.usageNotes, place(notes));
}

QTEST_GUILESS_MAIN(TestProgramFolders)
#include "tst_programfolders.moc"
