// The part of ShowThumbnail that needs no widget: find the picture's size,
// place it in the box, and decode it at the size it will be shown.
#pragma once

#include "platform/dialogs.h"
#include "platform/media.h"
#include "preview/thumbnailfit.h"

#include <QImage>
#include <QSizeF>
#include <optional>

namespace nv {

inline const QString kNotAPictureMessage = QStringLiteral("対応していないファイルが選択されました。");
inline const QString kTooLargeMessage = QStringLiteral("画像が大きすぎるため表示できません。");

struct Thumbnail {
    QImage picture;   // already at placement.geometry().size()
    ThumbnailPlacement placement;
};

// Nothing when the file cannot be shown. A file whose content is no picture
// the loader can read, or a picture too large to decode within the memory
// budget, is reported to the user first; a missing or unreadable file is
// passed over in silence.
std::optional<Thumbnail> loadThumbnail(Media &media, Dialogs &dialogs, const QString &path, const QSizeF &boxSize);

}  // namespace nv
