// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/thumbnailfit.h"

#include "platform/paths.h"

#include <algorithm>

namespace nv {

QRect ThumbnailPlacement::geometry() const
{
    return QRect(qRound(left), qRound(top), std::max(1, qRound(width)), std::max(1, qRound(height)));
}

ThumbnailPlacement fitThumbnail(float boxWidth, float boxHeight, float pictureWidth, float pictureHeight)
{
    ThumbnailPlacement placement;
    placement.width = pictureWidth;
    placement.height = pictureHeight;
    if (placement.width > boxWidth) {
        placement.stretch = true;
        placement.height = boxWidth / placement.width * placement.height;
        placement.width = boxWidth;
    }
    if (placement.height > boxHeight) {
        placement.stretch = true;
        placement.width = boxHeight / placement.height * placement.width;
        placement.height = boxHeight;
    }
    placement.left = (boxWidth - placement.width) / 2;
    placement.top = (boxHeight - placement.height) / 2;
    return placement;
}

QString thumbnailPath(const QString &openFolder, const QString &fileName)
{
    return joinPath(openFolder, fileName);
}

}  // namespace nv
