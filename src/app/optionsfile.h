// SPDX-License-Identifier: GPL-3.0-or-later
// Options.ini, beside DataFile.ini: the options that DataFile.ini has no field
// for. DataFile.ini keeps its 18 fields, so tools that read it go on working.
// Each option is a "name=value" line under "[Options]", a form that people and
// common INI readers understand and that takes later options without a new
// format; lines it does not know are passed over.
#pragma once

#include "platform/textfiles.h"

namespace nv {

inline const QString kOptionsFileName = QStringLiteral("Options.ini");

struct OptionsRecord {
    int CaptureTimeOrder = 0;   // option 4: both lists in capture-time order
    int PhotoSets = 0;          // option 5: the selected files take their photo sets along
};

// A missing or unreadable file, or one without an option's line, reads as a
// first start: that option off.
OptionsRecord ReadOptionsFile(TextFiles &textFiles, const QString &path);
FsStatus WriteOptionsFile(TextFiles &textFiles, const QString &path, const OptionsRecord &record);

}  // namespace nv
