// SPDX-License-Identifier: GPL-3.0-or-later
// The EXIF block of a HEIF or AVIF file, found through the file's own boxes:
// phones and encoders put it after the picture data, at the end of a file of
// many megabytes, and a decoding library would read all of those to reach it.
#pragma once

#include <QByteArray>

class QFile;

namespace nv {

// The EXIF item from its TIFF header on, as a JPEG would carry it after
// "Exif\0\0"; empty when there is none or the boxes do not hold together.
// Reads only the box headers, the meta box and the item itself, each within
// a few MiB.
QByteArray readHeifExif(QFile &file);

}  // namespace nv
