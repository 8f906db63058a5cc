// SPDX-License-Identifier: GPL-3.0-or-later
// The capture-time order of the file lists: photos in the order they were
// taken, by the capture time in their EXIF data, then the files that have
// none; each group in name order. Photos of one event from several cameras
// then number in the order taken, whatever their names.
#pragma once

#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/media.h"

#include <QHash>

#include <functional>
#include <optional>

namespace nv {

// When a photo was taken, in microseconds since the epoch: with its offset
// where it has one, otherwise in the computer's time zone, as cameras without
// an offset keep local time. The sub-seconds count to the microsecond. Nothing
// for a missing, blank or impossible date.
std::optional<qint64> CaptureInstant(const CaptureTimeTexts &texts);

// The capture times of listed files, each read once for as long as the file
// is unchanged (size, modification and change time).
class CaptureTimes {
public:
    CaptureTimes(Media &media, Dialogs &dialogs) : m_media(media), m_dialogs(dialogs) {}

    // Puts the entries of a folder, given in name order with their versions,
    // into capture-time order. Times not known yet are read off the window's
    // thread under the busy pointer (capturereading.h), a file that takes more
    // than a second getting none; carryOn runs before the first read and then
    // every few hundredths of a second of reading, for the window to handle its
    // events. When it answers false (a newer listing of the pane took over),
    // reading stops and order returns false, leaving the entries as they were.
    bool order(const QString &folder, std::vector<FileEntry> &entries, const std::function<bool()> &carryOn);

private:
    struct Known {
        std::optional<FileVersion> version;
        std::optional<qint64> instant;
    };
    Media &m_media;
    Dialogs &m_dialogs;
    // folder -> name -> what was read; a folder keeps the files of its last listing.
    QHash<QString, QHash<QString, Known>> m_known;

    void forgetVanished(const QString &folder, const std::vector<FileEntry> &entries);
};

}  // namespace nv
