// SPDX-License-Identifier: GPL-3.0-or-later
// Whole text files: the settings files and the usage notes.
#pragma once

#include "platform/fsstatus.h"
#include "platform/paths.h"

namespace nv {

class TextFiles {
public:
    virtual ~TextFiles() = default;

    // Reads a whole text file: UTF-8 when it starts with a byte-order mark,
    // otherwise CP932.
    virtual FsResult<QString> readTextFile(const QString &path) = 0;
    // Writes a whole text file in CP932, or in UTF-8 with a byte-order mark when
    // CP932 cannot hold the text or would read it back as another text; through
    // a temporary file and a rename, so the old content survives any failure.
    virtual FsStatus writeTextFile(const QString &path, const QString &text) = 0;
};

}  // namespace nv
