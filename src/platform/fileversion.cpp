// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fileversion.h"

#include <cstdlib>

namespace nv {

bool isUnchanged(const FileVersion &now, const FileVersion &then)
{
    return now.size == then.size && now.modifiedNs == then.modifiedNs && now.changedNs == then.changedNs;
}

bool isSameVersion(const FileVersion &now, const FileVersion &then, bool sharesBytes, Recognition recognition)
{
    if (recognition == Recognition::ByIdentity) {
        if (now.identity != then.identity) return false;
        if (sharesBytes) return true;
    }
    constexpr qint64 kCoarseTimeNs = 2'000'000'000;
    const qint64 tolerance = now.coarseTimes || then.coarseTimes ? kCoarseTimeNs : 0;
    return now.size == then.size && std::abs(now.modifiedNs - then.modifiedNs) <= tolerance;
}

}  // namespace nv
