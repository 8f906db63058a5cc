#include "preview/thumbnailloader.h"

namespace nv {

std::optional<Thumbnail> loadThumbnail(Media &media, Dialogs &dialogs, const QString &path, const QSizeF &boxSize)
{
    Thumbnail thumbnail;
    QSize natural;
    PictureFault fault = media.readPictureSize(path, natural);
    if (fault == PictureFault::None) {
        thumbnail.placement = fitThumbnail(float(boxSize.width()), float(boxSize.height()),
                                           float(natural.width()), float(natural.height()));
        fault = media.loadPicture(path, thumbnail.placement.geometry().size(), thumbnail.picture);
    }
    if (fault == PictureFault::NotAPicture || fault == PictureFault::TooLarge) {
        dialogs.showMessage(fault == PictureFault::TooLarge ? kTooLargeMessage : kNotAPictureMessage,
                            MessageButtons::Ok, MessageIcon::None);
    }
    if (fault != PictureFault::None) return std::nullopt;
    return thumbnail;
}

}  // namespace nv
