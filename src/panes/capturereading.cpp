#include "panes/capturereading.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace nv {

using Clock = std::chrono::steady_clock;

// What the window's thread and one reading thread share.
struct CaptureTimeReading::Job {
    std::mutex mutex;
    std::condition_variable changed;
    QStringList paths;
    qsizetype next = 0;   // the file being read
    Clock::time_point started;   // its reading
    std::vector<CaptureTimeTexts> read;   // not taken yet
    bool running = true;   // the thread has not ended
    bool stopped = false;   // the window's thread wants no more of it
};

CaptureTimeReading::CaptureTimeReading(Media &media, const QStringList &paths, qint64 limitMs)
    : m_media(media), m_paths(paths), m_limitMs(limitMs)
{
    if (!m_paths.isEmpty()) start(0);
}

CaptureTimeReading::~CaptureTimeReading()
{
    if (!m_job) return;
    std::unique_lock lock(m_job->mutex);
    m_job->stopped = true;
    const Clock::time_point limit = m_job->started + std::chrono::milliseconds(m_limitMs);
    m_job->changed.wait_until(lock, limit, [&] { return !m_job->running; });
}

void CaptureTimeReading::start(qsizetype from)
{
    m_job = std::make_shared<Job>();
    m_job->paths = m_paths;
    m_job->next = from;
    m_job->started = Clock::now();
    std::thread([job = m_job, &media = m_media] {
        std::unique_lock lock(job->mutex);
        while (!job->stopped && job->next < job->paths.size()) {
            const QString path = job->paths[job->next];
            job->started = Clock::now();
            lock.unlock();
            CaptureTimeTexts texts = media.readCaptureTime(path);
            lock.lock();
            if (job->stopped) break;
            job->read.push_back(std::move(texts));
            ++job->next;
        }
        job->running = false;
        job->changed.notify_all();
    }).detach();
}

std::vector<CaptureTimeTexts> CaptureTimeReading::take(qint64 waitMs)
{
    std::vector<CaptureTimeTexts> read;
    bool givenUp = false;
    {
        std::unique_lock lock(m_job->mutex);
        m_job->changed.wait_for(lock, std::chrono::milliseconds(waitMs), [&] { return !m_job->running; });
        read.swap(m_job->read);
        givenUp = m_job->running && Clock::now() - m_job->started > std::chrono::milliseconds(m_limitMs);
        if (givenUp) m_job->stopped = true;
    }
    m_taken += qsizetype(read.size());
    if (givenUp) {
        read.emplace_back();
        if (++m_taken < m_paths.size()) start(m_taken);
        else m_job.reset();
    }
    return read;
}

}  // namespace nv
