// The copy loop shared by the batch rename, the extension replacement and the
// prefix addition: every selected file of the source list is copied into the
// destination folder under the name a rule gives it, and in move mode the
// sources are deleted once every copy has been made.
//
// Safe where a plain loop would lose files: no file is copied onto itself, no
// source is deleted whose copy was not made or was replaced later in the same
// run, no file this run wrote is deleted as a "source", and the sources are
// deleted only after the destination's volume has been flushed. Names are
// compared the way the destination folder resolves them, so DSC001.JPG and
// DSC001.jpg are one file on a FAT card.
#pragma once

#include "naming/namecomposer.h"
#include "platform/platform.h"

#include <QStringList>

#include <vector>

namespace nv {

// The progress bar as the copy loop drives it.
class BatchProgress {
public:
    virtual ~BatchProgress() = default;
    // Minimum 0, the given maximum, position 0, shown.
    virtual void show(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    // Hidden, and the position back to 0.
    virtual void hide() = 0;
};

struct CopyBatchRequest {
    QString sourceFolder;          // ending in "/"
    QString destinationFolder;     // ending in "/"
    QStringList rows;              // the text of every row of the source list, in list order
    std::vector<bool> selected;    // one flag per row; rows beyond its end count as unselected
    NewNameRule newName;           // called once per selected row, in list order, before anything is copied
    bool askOnExisting = true;     // ask before replacing a file of the destination folder
    bool move = false;             // delete the sources whose copies were made
};

enum class BatchEnd {
    Normal,      // the bar is hidden; both lists are to be listed again
    Cancelled,   // Cancel at an overwrite question; the bar stays shown
    Failed,      // a message has said why; the bar stays as it was
};

// Before the first copy every new name is made and checked: a name that
// cannot be one file name in the destination folder (empty, ".", "..", holding
// "/" or a NUL character), or a rule that cannot give a name, is shown in a
// message and nothing is copied. A copy, flush or deletion that fails ends the
// run at once with a message naming the file and the system's reason.
BatchEnd CopyBatch(Platform &platform, BatchProgress &progress, const CopyBatchRequest &request);

}  // namespace nv
