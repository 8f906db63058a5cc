// SPDX-License-Identifier: GPL-3.0-or-later
// The usage notes that ship with the program, as the usage viewer shows them.
#pragma once

#include "platform/textfiles.h"

#include <QCoreApplication>

namespace nv {

// The notes in the window's language: each translation names its own file.
inline QString usageNotesFileName()
{
    //: The file name of the usage notes in this language, shipped beside the program.
    return QCoreApplication::translate("UsageNotes", "Readme.txt");
}

// Every line of the file followed by CR LF, the last one too, whether or not
// the file ends in a line break; blank lines stay; an empty file gives nothing.
// CR LF, a bare LF and a bare CR each end a line.
QString usageNotesText(const QString &fileText);

// The notes in their folder, or, when they cannot be read, a short note
// saying so and why, so the viewer never opens empty without a word.
QString loadUsageNotes(TextFiles &textFiles, const QString &notesFolder);

}  // namespace nv
