// SPDX-License-Identifier: GPL-3.0-or-later
// What a batch's journal holds: written before the batch touches its first
// file, so that after a crash the program knows what was going on, and read
// again to take the batch back. Every batch is a list of steps, each one file
// going from one path to another; the undo of a batch is itself such a list.
#pragma once

#include "platform/fileversion.h"
#include "platform/trash.h"

#include <QString>

#include <optional>
#include <vector>

namespace nv {

// The button a batch came from; Undo is the taking back of another batch.
enum class BatchKind : quint8 { Rename, Prefix, Extension, Alignment, Undo };

// How a step's file comes to its new path.
enum class StepMethod : quint8 {
    Move,        // a second name (or a copy), the old name deleted in a pass after all landed
    Copy,        // a copy; the old file stays
    Rename,      // a rename within one file system
    ToTrash,     // the file goes into the trash entry of the step
    FromTrash,   // the file of the trash entry of the step comes back to the new path
};

// A folder of the batch and the volume it was on.
struct JournalFolder {
    QString path;        // ends in "/"
    QString mountRoot;
    QString uuid;
    // Inode numbers tell a file only where they are stable and the volume was
    // not mounted again since; elsewhere its name, size and time do.
    bool stableInodes = true;
    bool foldsLetterCase = false;
};

struct JournalStep {
    QString from;
    QString to;
    StepMethod method = StepMethod::Rename;
    FileVersion source;                 // the file at from, as the plan saw it
    std::optional<FileVersion> holder;  // the file that held to at plan time; none where it was free
    QString keptPath;                   // the hidden name the file goes to should a cycle need it; may be empty
    std::optional<TrashEntry> trash;    // where the file at to goes before this step lands (or the entry of ToTrash / FromTrash)
};

// What became of a step, as the run saw it or as the disk tells after a crash.
struct StepOutcome {
    bool landed = false;        // the file is at to
    bool linked = false;        // ... as a second name of the file at from: no byte copied
    bool sourceGone = false;    // from no longer holds it (moved, renamed)
    bool holderTrashed = false; // the file that held to went into the step's trash entry
    bool operator==(const StepOutcome &) const = default;
};

struct Journal {
    BatchKind kind = BatchKind::Rename;
    qint64 startedMs = 0;         // since the epoch
    JournalFolder source;
    JournalFolder destination;
    QString undoes;               // for an undo: the path of the journal it takes back
    std::vector<JournalStep> steps;
    // The end record: one outcome per step. None after a crash.
    std::optional<std::vector<StepOutcome>> outcomes;
    bool undone = false;          // taken back by a later undo, which is itself never taken back

    int doneCount() const;
};

}  // namespace nv
