// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/copiesahead.h"

#include <QCoreApplication>

#include <chrono>

namespace nv {
namespace {

// Enough to keep the writer busy while a name is taken; few enough that the
// open files and the bytes written for nothing after a failure stay small.
constexpr size_t kAhead = 8;
constexpr std::chrono::milliseconds kWaitSlice{20};

FsStatus stopped()
{
    return FsStatus::failure(FsFault::Stopped, QCoreApplication::translate("FileSystem", "中止しました"));
}

}  // namespace

CopiesAhead::CopiesAhead(BatchFiles &files, std::vector<Order> orders, BatchFiles::Durability durability)
    : m_files(files), m_orders(std::move(orders)), m_durability(durability), m_writer([this] { write(); })
{
}

CopiesAhead::~CopiesAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_givenUp = true;
    }
    m_changed.notify_all();
    m_writer.join();
}

void CopiesAhead::write()
{
    for (size_t next = 0; next < m_orders.size(); ++next) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_givenUp || m_written.size() < kAhead; });
            if (m_givenUp) return;
        }
        const Order &order = m_orders[next];
        Written written = m_files.writeCopy(order.source, order.target, m_durability, [this] { return !m_givenUp; });
        {
            const std::lock_guard lock(m_mutex);
            m_written.push_back(std::move(written));
        }
        m_changed.notify_all();
    }
}

FsResult<FileVersion> CopiesAhead::landNext(BatchFiles::Landing landing, const std::function<bool()> &keepWaiting)
{
    std::unique_lock lock(m_mutex);
    while (m_written.empty()) {
        if (m_changed.wait_for(lock, kWaitSlice, [&] { return !m_written.empty(); })) break;
        lock.unlock();
        const bool waiting = keepWaiting();
        lock.lock();
        if (!waiting) {
            m_givenUp = true;
            m_changed.notify_all();
            return {{}, stopped()};
        }
    }
    const Written written = std::move(m_written.front());
    m_written.pop_front();
    lock.unlock();
    m_changed.notify_all();
    return BatchFiles::land(written, m_orders[m_landed++].target, landing);
}

}  // namespace nv
