// SPDX-License-Identifier: GPL-3.0-or-later
// The copy loop shared by the batch rename, the extension replacement and the
// prefix addition: every selected file of the source list is copied into the
// destination folder under the name a rule gives it, or moved there.
//
// A batch acts as if every file were copied at the same moment from the files
// as they stood at the click: first the whole plan is made against the folders
// and every question asked, in list order, before any file is touched; then
// the plan runs without questions, in an order that copies a file out before
// its name is reused (renumbering inside one folder), breaking cycles through
// a name set aside. Nothing is lost: a copy lands without replacing unless the
// user agreed, a move deletes a source only once its copy landed and only if
// it is still the file that was copied, and whatever was left undone without
// the user's word is named in one message at the end. A move within one file
// system gives the file its new name by a hard link and moves no byte. Names
// are compared the way the destination folder resolves them, so DSC001.JPG and
// DSC001.jpg are one file on a FAT card.
#pragma once

#include "journal/batchroles.h"
#include "naming/namecomposer.h"

#include <QStringList>

#include <vector>

namespace nv {

struct CopyBatchRequest {
    QString sourceFolder;          // ending in "/"
    QString destinationFolder;     // ending in "/"
    QStringList rows;              // the text of every row of the source list, in list order
    std::vector<bool> selected;    // one flag per row; rows beyond its end count as unselected
    NewNameRule newName;           // called once per selected row, in list order, before anything is copied
    // Ask before replacing a file of the destination folder. Without the
    // question no file is ever replaced: a new name that is taken refuses the
    // whole batch before the first copy.
    bool askOnExisting = true;
    bool move = false;             // delete the sources whose copies were made
    BatchKind kind = BatchKind::Rename;   // the button, as the journal and the undo menu name it
};

enum class BatchEnd {
    Normal,      // every file done or named in the end message; the bar is hidden
    Cancelled,   // Cancel at an overwrite question: no file was touched
    Refused,     // a message said why the batch cannot be made: no file was touched
    Failed,      // a message said what failed and what had been done; the bar stays
    Stopped,     // the user stopped it between two files and keeps what was done; the bar is hidden
    StoppedToUndo,   // ... and asked to take back what was done (the batch of journals.lastBegun())
};

// Whether files changed on disk, so that both lists are to be listed again.
inline bool filesChanged(BatchEnd end) { return end != BatchEnd::Cancelled && end != BatchEnd::Refused; }


// Before the first copy every new name is made and checked: a name that
// cannot be one file name in the destination folder (empty, ".", "..", "/" or
// a NUL character in it, too long for that folder, or on a memory card one of
// the names cardnames.h lists), a rule that cannot give a name, two selected
// files given one name, or a name held by a folder refuses the batch with one
// message. Then the journal is written, and where it cannot be the batch is
// refused. A file the user agreed to replace goes to the trash (or, where its
// volume has none, to a visible name beside it, named at the end) just
// before its name is taken. A copy, flush or deletion that fails part way
// ends the run at once with a message naming the file, the system's reason
// and what was already done. A stop ends it between two files, the copy under
// way given up; the sources of a move already landed are deleted all the same.
BatchEnd CopyBatch(const BatchRoles &roles, const CopyBatchRequest &request);

}  // namespace nv
