// The usage notes that ship with the program, as the usage viewer shows them.
#pragma once

#include "platform/textfiles.h"

namespace nv {

inline const QString kUsageNotesFileName = QStringLiteral("Readme.txt");

// Every line of the file followed by CR LF, the last one too, whether or not
// the file ends in a line break; blank lines stay; an empty file gives nothing.
// CR LF, a bare LF and a bare CR each end a line.
QString usageNotesText(const QString &fileText);

// The notes in their folder, or, when they cannot be read, a short note
// saying so and why, so the viewer never opens empty without a word.
QString loadUsageNotes(TextFiles &textFiles, const QString &notesFolder);

}  // namespace nv
