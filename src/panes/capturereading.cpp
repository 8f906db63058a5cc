// SPDX-License-Identifier: GPL-3.0-or-later
#include "panes/capturereading.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <numeric>

namespace nv {

using Clock = std::chrono::steady_clock;

// What the window's thread and the reading threads share. Each file is read
// by the first thread that claims it, so a run started after a file was given
// up on goes over the files no thread has claimed yet.
struct CaptureTimeReading::Job {
    enum class State : char { Waiting, Reading, Done };
    struct InHand {
        qsizetype index;
        Clock::time_point started;
    };

    std::mutex mutex;
    std::condition_variable changed;
    const QStringList paths;
    std::vector<qsizetype> indices;   // 0 .. paths.size() - 1, what the runs go over
    std::vector<State> states;
    std::vector<InHand> inHand;       // one a thread at most
    qsizetype done = 0;
    std::vector<Read> read;           // not taken yet
    bool stopped = false;             // the window's thread wants no more of it
    bool abandoned = false;           // a thread was left to a file given up on

    explicit Job(const QStringList &paths)
        : paths(paths), indices(size_t(paths.size())), states(size_t(paths.size()), State::Waiting)
    {
        std::iota(indices.begin(), indices.end(), qsizetype(0));
    }

    bool claim(qsizetype index)
    {
        const std::lock_guard lock(mutex);
        if (stopped || states[size_t(index)] != State::Waiting) return false;
        states[size_t(index)] = State::Reading;
        inHand.push_back({index, Clock::now()});
        return true;
    }

    void finish(qsizetype index, CaptureTimeTexts texts)
    {
        const std::lock_guard lock(mutex);
        if (states[size_t(index)] != State::Reading) return;   // given up on meanwhile
        letGo(index);
        read.push_back({index, std::move(texts)});
        changed.notify_all();
    }

    void letGo(qsizetype index)
    {
        states[size_t(index)] = State::Done;
        ++done;
        std::erase_if(inHand, [&](const InHand &file) { return file.index == index; });
    }

    // Gives up on the files read for longer than the limit; says how many.
    int giveUpOverdue(std::chrono::milliseconds limit)
    {
        std::vector<qsizetype> overdue;
        for (const InHand &file : inHand)
            if (Clock::now() - file.started > limit) overdue.push_back(file.index);
        for (const qsizetype index : overdue) {
            letGo(index);
            read.push_back({index, {}});
        }
        abandoned = abandoned || !overdue.empty();
        return int(overdue.size());
    }
};

CaptureTimeReading::CaptureTimeReading(Media &media, const QStringList &paths, qint64 limitMs)
    : m_media(media), m_limitMs(limitMs), m_job(std::make_shared<Job>(paths)),
      m_pool(std::make_unique<QThreadPool>())
{
    // One thread a core: the reading is mostly the library decoding bytes
    // already in memory.
    m_pool->setMaxThreadCount(QThread::idealThreadCount());
    start();
}

CaptureTimeReading::~CaptureTimeReading()
{
    std::unique_lock lock(m_job->mutex);
    m_job->stopped = true;
    Clock::time_point limit = Clock::now();
    for (const Job::InHand &file : m_job->inHand)
        limit = std::max(limit, file.started + std::chrono::milliseconds(m_limitMs));
    m_job->changed.wait_until(lock, limit, [&] { return m_job->inHand.empty(); });
    // The pool would wait for a thread stuck in a malformed file forever when
    // it goes: it is left to that thread.
    if (m_job->abandoned || !m_job->inHand.empty()) (void)m_pool.release();
}

void CaptureTimeReading::start()
{
    // The job holds the indices, so they outlive a reading that left a run behind.
    QtConcurrent::map(m_pool.get(), m_job->indices.begin(), m_job->indices.end(),
                      [job = m_job, &media = m_media](qsizetype index) {
                          if (job->claim(index)) job->finish(index, media.readCaptureTime(job->paths[index]));
                      });
}

std::vector<CaptureTimeReading::Read> CaptureTimeReading::take(qint64 waitMs)
{
    std::vector<Read> read;
    int givenUp = 0;
    {
        std::unique_lock lock(m_job->mutex);
        m_job->changed.wait_for(lock, std::chrono::milliseconds(waitMs),
                                [&] { return m_job->done == m_job->paths.size(); });
        givenUp = m_job->giveUpOverdue(std::chrono::milliseconds(m_limitMs));
        read.swap(m_job->read);
    }
    // Each thread left to a file makes room for one more, and a new run goes
    // on with the files not claimed yet, should every thread be stuck.
    for (int i = 0; i < givenUp; ++i) m_pool->releaseThread();
    if (givenUp > 0) start();
    return read;
}

}  // namespace nv
