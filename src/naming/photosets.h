// SPDX-License-Identifier: GPL-3.0-or-later
// Photo sets: a camera writes one photo as several files of one stem
// (IMG_0001.CR2 and IMG_0001.JPG), a developing program adds a sidecar named
// after the stem or after the whole name (IMG_0001.xmp, IMG_0001.CR2.xmp), a
// phone adds the video of a live photo (IMG_1234.HEIC and IMG_1234.MOV). With
// the option on, the selected files take the other members of their sets
// along, and each set keeps one number and its members' own extensions.
//
// Sets are found among the rows of a list, in near-linear time: the folder's
// hidden files are never listed, so they never join a set.
#pragma once

#include "naming/digitalignment.h"
#include "naming/namecomposer.h"

#include <QStringList>

#include <vector>

namespace nv {

struct PhotoSets {
    static constexpr int kNoSet = -1;

    bool foldsLetterCase = false;    // stems are compared as the folder compares names
    std::vector<int> setOfRow;       // the set of each row, or kNoSet
    // Where the set's stem ends in the row's name: IMG_0001 in IMG_0001.CR2.xmp.
    std::vector<qsizetype> stemLength;
    int count = 0;

    // The form in which the folder tells names apart.
    QString key(QStringView name) const;
};

// The sets among the names of one folder. Only pictures, RAW files, videos
// and sidecars form sets (their extensions compared in any letter case); a
// file of another kind joins none. A sidecar named after the whole name of a
// member belongs to that member's set, never to a set of its own.
PhotoSets FindPhotoSets(const QStringList &names, bool foldsLetterCase);

// The user's selection and the members of the selected sets that follow it.
struct SetSelection {
    PhotoSets sets;
    std::vector<bool> chosen;     // one flag per row, as the user selected
    std::vector<bool> selected;   // one flag per row, the followers added
    int chosenCount = 0;
    int followerCount = 0;        // selected rows that the user did not select
};

// chosen has one flag per row; rows beyond its end count as not chosen.
SetSelection SelectWholeSets(const QStringList &rows, const std::vector<bool> &chosen, bool foldsLetterCase);

// The rename button over whole sets: each set takes one number, in list
// order of its first chosen member, and every member gets head + the number +
// its own extensions, the typed extension only re-spelling an extension equal
// to it in another letter case (IMG_0001.JPG.xmp to 京都001.jpg.xmp with jpg
// typed). A chosen file in no set takes a number and the typed extension as
// without the option.
NewNameRule SetSerialNameRule(const SetSelection &selection, const QStringList &rows, const QString &head,
                              qint32 start, int digits, const QString &extension);

// The digit alignment over whole sets: every follower takes the new stem of
// the first chosen member of its set. A set whose chosen members would end up
// with different stems, or whose number lies in an extension, is refused.
void AlignFollowers(const SetSelection &selection, const QStringList &rows, AlignmentPlan &plan);

}  // namespace nv
