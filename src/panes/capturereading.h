// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the capture times of many files off the window's thread, on every
// core, so that the window keeps handling its events meanwhile and no single
// file can stop it: a file whose reading passes a time limit is given up on.
#pragma once

#include "platform/media.h"

#include <QStringList>

#include <memory>
#include <vector>

class QThreadPool;

namespace nv {

// Reads the files with QtConcurrent on a thread pool of its own, one thread a
// core. A file that takes longer than the limit gets empty texts (no capture
// time); its thread is left to finish it alone, its result dropped, and
// another thread takes its place. The media role is called from those threads
// and must outlive a reading given up on.
class CaptureTimeReading {
public:
    CaptureTimeReading(Media &media, const QStringList &paths, qint64 limitMs);
    // Hands out no more files and waits for those being read, within the limit.
    ~CaptureTimeReading();
    CaptureTimeReading(const CaptureTimeReading &) = delete;
    CaptureTimeReading &operator=(const CaptureTimeReading &) = delete;

    struct Read {
        qsizetype index;   // into the paths
        CaptureTimeTexts texts;
    };
    // Waits at most waitMs for the reading to end; gives what was read since
    // the last call, in the order the files were done.
    std::vector<Read> take(qint64 waitMs);

private:
    struct Job;
    void start();

    Media &m_media;
    const qint64 m_limitMs;
    std::shared_ptr<Job> m_job;
    std::unique_ptr<QThreadPool> m_pool;
};

}  // namespace nv
