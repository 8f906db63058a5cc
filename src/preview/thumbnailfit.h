// SPDX-License-Identifier: GPL-3.0-or-later
// Where a picture goes in the thumbnail box: pictures larger than the box are
// scaled down to fit with their proportions kept, smaller ones keep their
// natural size, and either way the picture is centred. Nothing is enlarged.
#pragma once

#include <QRect>
#include <QString>

namespace nv {

struct ThumbnailPlacement {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool stretch = false;   // drawn scaled to width x height rather than at natural size

    // In whole units of the box; never narrower or lower than one unit, so a
    // sliver of a picture still has a size to be decoded at.
    QRect geometry() const;
};

// The box's inner size and the picture's natural size, in the same units.
// Single precision and strict comparisons throughout: a picture exactly as wide
// or as high as the box is not stretched. The width is fitted first; the height
// is then checked against what the width step left.
ThumbnailPlacement fitThumbnail(float boxWidth, float boxHeight, float pictureWidth, float pictureHeight);

// The file to show after a double click: a name in the folder open in the
// pane's folder list (not the highlighted entry), with one separator between.
QString thumbnailPath(const QString &openFolder, const QString &fileName);

}  // namespace nv
