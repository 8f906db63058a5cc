// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/thumbnailloader.h"

namespace nv {

std::optional<Thumbnail> loadThumbnail(Media &media, Dialogs &dialogs, const QString &path, const QSizeF &boxSize,
                                       qreal pixelRatio)
{
    Thumbnail thumbnail;
    QSize natural;
    PictureFault fault = media.readPictureSize(path, natural);
    if (fault == PictureFault::None) {
        thumbnail.placement = fitThumbnail(float(boxSize.width()), float(boxSize.height()),
                                           float(natural.width()), float(natural.height()));
        const QSize shown = thumbnail.placement.geometry().size();
        // Sharp on a screen scaled up; a picture has no more pixels than its own.
        QSize decoded = (QSizeF(shown) * pixelRatio).toSize();
        if (decoded.width() > natural.width() || decoded.height() > natural.height())
            decoded = decoded.scaled(natural, Qt::KeepAspectRatio);
        fault = media.loadPicture(path, decoded, thumbnail.picture);
        if (fault == PictureFault::None)
            thumbnail.picture.setDevicePixelRatio(qreal(thumbnail.picture.width()) / shown.width());
    }
    if (fault == PictureFault::NotAPicture || fault == PictureFault::TooLarge) {
        dialogs.showMessage(fault == PictureFault::TooLarge ? tooLargeMessage() : notAPictureMessage(),
                            MessageButtons::Ok, MessageIcon::None);
    }
    if (fault != PictureFault::None) return std::nullopt;
    return thumbnail;
}

}  // namespace nv
