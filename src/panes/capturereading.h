// Reading the capture times of many files off the window's thread, so that the
// window keeps handling its events meanwhile and no single file can stop it:
// a file whose reading passes a time limit is given up on.
#pragma once

#include "platform/media.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace nv {

// Reads files in order on a thread of its own. A file that takes longer than
// the limit gets empty texts (no capture time); its thread is left to finish
// it alone, its result dropped, and a new thread goes on with the next file.
// The media role is called from those threads and must outlive a reading
// given up on.
class CaptureTimeReading {
public:
    CaptureTimeReading(Media &media, const QStringList &paths, qint64 limitMs);
    // Stops after the file being read, waiting for it within the limit.
    ~CaptureTimeReading();
    CaptureTimeReading(const CaptureTimeReading &) = delete;
    CaptureTimeReading &operator=(const CaptureTimeReading &) = delete;

    // Waits at most waitMs for the reading to end; gives what was read since
    // the last call, in the order of the paths.
    std::vector<CaptureTimeTexts> take(qint64 waitMs);

private:
    struct Job;
    void start(qsizetype from);

    Media &m_media;
    const QStringList m_paths;
    const qint64 m_limitMs;
    qsizetype m_taken = 0;
    std::shared_ptr<Job> m_job;
};

}  // namespace nv
