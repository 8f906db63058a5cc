// SPDX-License-Identifier: GPL-3.0-or-later
// The variables that every window of the program shares for the whole run.
#pragma once

#include "app/settingsfile.h"

namespace nv {

struct ProgramState {
    int ShowContinuation = 0;   // option 1: continue the destination's series after each listing; saved
    int SameFolder = 0;         // option 2: the destination pane follows the source pane; not saved
    int AddPrefix = 0;          // option 3: the prefix mode; not saved
    int CaptureTimeOrder = 0;   // option 4: both lists in capture-time order; saved in Options.ini
    int PhotoSets = 0;          // option 5: the selected files take their photo sets along; saved in Options.ini
    int StartupDone = 0;        // 1 once the start-up has finished
    HeadNameSlots HeadNameHistory;   // slot 0 the oldest, slot 9 the newest
};

}  // namespace nv
