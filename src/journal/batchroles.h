// SPDX-License-Identifier: GPL-3.0-or-later
// What a batch, or the taking back of one, touches files through: the roles
// of the platform it uses, its journal folder and the progress bar with its
// stop button.
#pragma once

#include "journal/batchjournals.h"
#include "platform/batchfiles.h"
#include "platform/dialogs.h"
#include "platform/trash.h"

namespace nv {

// The progress bar as a batch drives it.
class BatchProgress {
public:
    virtual ~BatchProgress() = default;
    // Minimum 0, the given maximum, position 0, shown.
    virtual void show(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    // Hidden, and the position back to 0.
    virtual void hide() = 0;
    // Whether the user asked the batch to stop; asked between two files and
    // between the chunks of a copy.
    virtual bool stopRequested() = 0;
};

// The roles a batch touches files through, with its journal folder and the progress bar.
struct BatchRoles {
    BatchFiles &files;
    Dialogs &dialogs;
    Trash &trash;
    BatchJournals &journals;
    BatchProgress &progress;
};

}  // namespace nv
