// SPDX-License-Identifier: GPL-3.0-or-later
// The digit alignment (桁合わせ): the numbers of the selected files are padded
// with zeros, where the files are, so that every selected name is as long as
// the longest one and the names sort in number order (img1.jpg, img10.jpg,
// img100.jpg become img001.jpg, img010.jpg, img100.jpg).
//
// The number is the run of ASCII digits nearest the end of the longest name,
// looked for in front of its last "." first, so that song1.mp3 with
// song10.mp3 pads the song number and never the extension; only a name with
// no digit there (data.10) takes its number from the extension. Every shorter
// name is taken to have as many characters in front of its number as the
// longest, and the zeros go right there.
#pragma once

#include "naming/copyplan.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace nv {

struct AlignedName {
    QString oldName;
    QString newName;
};

struct AlignmentPlan {
    std::vector<AlignedName> renames;   // the names that change, in the order given
    BatchReport refusals;               // the names that cannot be aligned, and why
};

// The new names, counted and cut in characters; names as long as the longest
// stay as they are. A shorter name is refused unless its zeros would go in
// front of a number (a digit behind the cut, none before it), so a name laid
// out differently from the longest is never given a changed number.
AlignmentPlan PlanAlignment(const QStringList &names);

// The name that the alignment gives one name beside the longest selected
// name (the first of them in list order): the name itself when it is as long,
// or when the rule above refuses either of the two.
QString AlignedNameOf(const QString &name, const QString &longest);

enum class AlignmentEnd {
    Renamed,   // every name that had to change changed; nothing to change counts too
    Refused,   // a message said why not; no file was renamed
    Failed,    // a message said which rename failed and how many were done before
    Stopped,   // the user stopped it and keeps what was done
    StoppedToUndo,   // ... and asked to take back what was done (the batch of journals.lastBegun())
};

// Aligns the named files of a folder under the busy pointer. Every new name is
// checked before the first rename: it must be free on disk (hidden files
// count) and not be shared by two files, compared as the folder compares
// names. The files are renamed, never copied, and never over another file,
// after the journal was written; a stop ends the renames between two files.
// takeAlong, when given, adds the renames of files that go with the aligned
// ones to a plan that refused nothing, before anything is checked on disk.
AlignmentEnd AlignNumbersInFolder(const BatchRoles &roles, const QString &folder, const QStringList &names,
                                  const std::function<void(AlignmentPlan &)> &takeAlong = {});

}  // namespace nv
