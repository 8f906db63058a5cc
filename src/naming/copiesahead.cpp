// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/copiesahead.h"

#include <QCoreApplication>

#include <chrono>

namespace nv {
namespace {

// Enough to keep the writers busy while a name is taken; few enough that the
// open files and the bytes written for nothing after a failure stay small.
constexpr size_t kAhead = 8;
constexpr std::chrono::milliseconds kWaitSlice{20};
// A second writer joins once the copies written show that bytes, not names,
// take the time: for small files both writers would wait on the same folder.
constexpr size_t kCopiesToJudge = 16;
constexpr qint64 kBytesForTwoWriters = kCopiesToJudge * (qint64(256) << 10);

FsStatus stopped()
{
    return FsStatus::failure(FsFault::Stopped, QCoreApplication::translate("FileSystem", "中止しました"));
}

}  // namespace

CopiesAhead::CopiesAhead(BatchFiles &files, std::vector<Order> orders, BatchFiles::Durability durability)
    : m_files(files), m_orders(std::move(orders)), m_durability(durability), m_written(m_orders.size())
{
    m_firstWriter = std::thread([this] { write(); });
}

CopiesAhead::~CopiesAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_givenUp = true;
    }
    m_changed.notify_all();
    m_firstWriter.join();   // the one that may start the second
    if (m_secondWriter.joinable()) m_secondWriter.join();
}

void CopiesAhead::write()
{
    for (;;) {
        size_t next;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_givenUp || m_nextToWrite < m_landed + kAhead; });
            if (m_givenUp || m_nextToWrite == m_orders.size()) return;
            next = m_nextToWrite++;
        }
        const Order &order = m_orders[next];
        Written written = m_files.writeCopy(order.source, order.target, m_durability, [this] { return !m_givenUp; });
        {
            const std::lock_guard lock(m_mutex);
            if (written.ok()) m_bytesWritten += written.value->source().size;
            m_written[next] = std::move(written);
            if (next + 1 == kCopiesToJudge && m_bytesWritten >= kBytesForTwoWriters && m_nextToWrite < m_orders.size())
                m_secondWriter = std::thread([this] { write(); });
        }
        m_changed.notify_all();
    }
}

FsResult<FileVersion> CopiesAhead::landNext(BatchFiles::Landing landing, const std::function<bool()> &keepWaiting)
{
    std::unique_lock lock(m_mutex);
    const auto ready = [&] { return m_written[m_landed].has_value(); };
    while (!ready()) {
        if (m_changed.wait_for(lock, kWaitSlice, ready)) break;
        lock.unlock();
        const bool waiting = keepWaiting();
        lock.lock();
        if (!waiting) {
            m_givenUp = true;
            m_changed.notify_all();
            return {{}, stopped()};
        }
    }
    const Written written = std::move(*m_written[m_landed]);
    m_written[m_landed].reset();
    const Order &order = m_orders[m_landed++];
    lock.unlock();
    m_changed.notify_all();
    return BatchFiles::land(written, order.target, landing);
}

}  // namespace nv
