// SPDX-License-Identifier: GPL-3.0-or-later
// The part of ShowThumbnail that needs no widget: find the picture's size,
// place it in the box, and decode it at the size it will be shown.
#pragma once

#include "platform/dialogs.h"
#include "platform/media.h"
#include "preview/thumbnailfit.h"

#include <QCoreApplication>
#include <QImage>
#include <QSizeF>
#include <optional>

namespace nv {

inline QString notAPictureMessage()
{
    return QCoreApplication::translate("Thumbnail", "対応していないファイルが選択されました。");
}
inline QString tooLargeMessage() { return QCoreApplication::translate("Thumbnail", "画像が大きすぎるため表示できません。"); }

struct Thumbnail {
    // Already at placement.geometry().size() in the box's units, with as many
    // pixels to the unit as the screen has, up to the picture's natural size.
    QImage picture;
    ThumbnailPlacement placement;
};

// Nothing when the file cannot be shown. A file whose content is no picture
// the loader can read, or a picture too large to decode within the memory
// budget, is reported to the user first; a missing or unreadable file is
// passed over in silence. pixelRatio: the screen's pixels to the unit.
std::optional<Thumbnail> loadThumbnail(Media &media, Dialogs &dialogs, const QString &path, const QSizeF &boxSize,
                                       qreal pixelRatio = 1);

}  // namespace nv
