// The clock at work: the program started on a folder of 100 000 files until
// its list is painted, in report view and in simple view, against `ls -l` of
// that folder. Run from the build folder: build/bench/windowclock_example.
#include "sidebyside.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    try {
        QTemporaryDir photos, target, runtime;
        const QString folder = photos.path() + QLatin1Char('/');
        bench::makeFiles(folder, 100000);
        bench::ProgramFolder program;
        // Its own runtime folder keeps it apart from any other copy of the
        // program running for this user.
        ::setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
        bench::VirtualDisplay display;
        bench::WindowClock clock;

        bench::Side started{"Norvanta２", [&] { return clock.start({program.program}); }};
        // Settings naming a folder that is not there are removed, and the
        // program starts with nothing listed.
        started.check = [&] {
            return std::string(QFile::exists(program.settingsFile()) ? "" : "the program refused its settings");
        };
        const bench::Side ls{"ls -l", [&] { return bench::runWhole({"ls", "-l", folder.toStdString()}); }};

        for (const int reportView : {1, 0}) {
            nv::SettingsRecord record;
            record.SourceFolder = folder;
            record.TargetFolder = target.path() + QLatin1Char('/');
            record.ReportView = reportView;
            program.writeSettings(record);
            bench::compareSideBySide(reportView ? "start to a listed folder of 100 000 files, report view"
                                                : "start to a listed folder of 100 000 files, simple view",
                                     started, ls, reportView ? 0.5 : 1.0);
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "windowclock_example: %s\n", error.what());
        return 1;
    }
    return 0;
}
