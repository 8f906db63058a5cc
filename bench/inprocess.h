// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks that drive the program's own classes in process share:
// folders of many files, the main window started on them, and timing by the
// best of several rounds. Used where a ratio between two ways of the same
// batch matters more than the whole process (the window's noise would hide it).
#pragma once

#include "app/form1.h"
#include "platform/desktopplatform.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace bench {

// count files named nameOf(0), nameOf(1), ..., each of size bytes.
inline void makeFiles(const QString &folder, int count, qint64 size, const std::function<QString(int)> &nameOf)
{
    const QByteArray block(1 << 20, 'x');
    for (int i = 0; i < count; ++i) {
        const QByteArray path = (folder + nameOf(i)).toUtf8();
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) std::exit(1);
        for (qint64 written = 0; written < size; written += block.size()) {
            const size_t part = size_t(std::min<qint64>(block.size(), size - written));
            if (::write(fd, block.constData(), part) < 0) std::exit(1);
        }
        ::close(fd);
    }
}

// count files named IMG_000000.JPG and up (or after another pattern), each of size bytes.
inline void makeFiles(const QString &folder, int count, qint64 size = 0,
                      const QString &pattern = QStringLiteral("IMG_%1.JPG"))
{
    makeFiles(folder, count, size, [&](int i) { return pattern.arg(i, 6, 10, QLatin1Char('0')); });
}

// A message box would wait for a user who is not there: every message is
// printed and answered with Cancel.
class UnattendedPlatform : public nv::DesktopPlatform {
public:
    nv::MessageAnswer showMessage(const QString &text, nv::MessageButtons, nv::MessageIcon, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return nv::MessageAnswer::Cancel;
    }
};

// The seconds of several rounds.
struct Times {
    std::vector<double> seconds;
    double median() const
    {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    double least() const { return *std::min_element(seconds.begin(), seconds.end()); }
    double most() const { return *std::max_element(seconds.begin(), seconds.end()); }
};

// The main window over a program folder holding the given settings, started.
inline std::unique_ptr<nv::Form1> startForm(const nv::PlatformRoles &platform, const QString &programFolder,
                                            const nv::SettingsRecord &record)
{
    nv::WriteSettingsFile(platform.textFiles, programFolder + QStringLiteral("/DataFile.ini"), record);
    auto form = std::make_unique<nv::Form1>(platform, programFolder);
    form->Form_Load();
    return form;
}

// A folder of count empty files and the main window started with it as its
// source pane (report view when asked), the destination in the program folder.
struct FormOnFolder {
    QTemporaryDir programFolder, photos;
    QString folder = photos.path() + QLatin1Char('/');
    std::unique_ptr<nv::Form1> form;

    FormOnFolder(const nv::PlatformRoles &platform, int count, int reportView)
    {
        makeFiles(folder, count);
        nv::SettingsRecord record;
        record.SourceFolder = folder;
        record.TargetFolder = programFolder.path() + QLatin1Char('/');
        record.ReportView = reportView;
        form = startForm(platform, programFolder.path(), record);
    }
};

// The best of several rounds, in seconds: the figure least disturbed by the
// rest of the machine.
inline double bestOf(int rounds, const std::function<void()> &work)
{
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

}  // namespace bench
