// SPDX-License-Identifier: GPL-3.0-or-later
// The copies of a batch written a few files ahead, on threads of their own,
// while the window's thread lands them one after the other in the batch's
// order. Writing the bytes, the permissions and the times is most of a copy;
// taking the name stays where the batch decides, in order, so a failure or a
// stop leaves exactly the files before it landed, as copying one file after
// the other would. A copy written ahead and never landed is dropped unnamed.
#pragma once

#include "platform/batchfiles.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace nv {

class CopiesAhead {
public:
    struct Order {
        QString source;
        QString target;
    };
    // Starts writing the orders' copies, in their order.
    CopiesAhead(BatchFiles &files, std::vector<Order> orders, BatchFiles::Durability durability);
    // Stops the writing; copies not landed vanish.
    ~CopiesAhead();
    CopiesAhead(const CopiesAhead &) = delete;
    CopiesAhead &operator=(const CopiesAhead &) = delete;

    // Lands the next order's copy as copyFile would, waiting for it as long
    // as keepWaiting, asked every few hundredths of a second, answers true;
    // false gives the copy up, failing with Stopped.
    FsResult<FileVersion> landNext(BatchFiles::Landing landing, const std::function<bool()> &keepWaiting);

private:
    using Written = FsResult<std::unique_ptr<BatchFiles::WrittenCopy>>;

    BatchFiles &m_files;
    const std::vector<Order> m_orders;
    const BatchFiles::Durability m_durability;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::optional<Written>> m_written;   // by order, from written until landed
    size_t m_nextToWrite = 0;
    size_t m_landed = 0;
    qint64 m_bytesWritten = 0;   // by the first writer, to judge whether a second pays
    std::atomic<bool> m_givenUp{false};
    std::thread m_firstWriter;
    std::thread m_secondWriter;

    void write();
};

}  // namespace nv
