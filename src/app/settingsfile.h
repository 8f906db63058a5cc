// SPDX-License-Identifier: GPL-3.0-or-later
// DataFile.ini and ListFile.ini: the two text files in the program folder that
// carry everything that survives a restart.
//
// Both use one field syntax: a text in double quotes, an integer in decimal,
// fields separated by "," and records ending in CR LF. DataFile.ini holds one
// record of 18 fields; ListFile.ini holds one quoted extension per line.
#pragma once

#include "platform/textfiles.h"

#include <QString>
#include <QStringList>
#include <array>

namespace nv {

using HeadNameSlots = std::array<QString, 10>;   // slot 0 oldest, slot 9 newest

// The 18 fields of DataFile.ini, in file order.
struct SettingsRecord {
    QString SourceFolder;
    QString TargetFolder;
    int DigitIndex = 0;
    int ExtensionIndex = 0;   // -1: no entry of the extension list was selected
    QString HeadName;
    QString FirstNumberText;
    int ReportView = 0;
    int ShowContinuation = 0;
    HeadNameSlots HeadNameHistory;

    bool operator==(const SettingsRecord &) const = default;
};

enum class SettingsReadOutcome {
    Complete,   // at least one whole record, and nothing after the last one
    Empty,      // nothing but blanks and line ends: no record at all
    CutShort,   // the data ended inside a record, or an integer field held no 16-bit number
    Unreadable, // the file could not be read at all (a disk or permission fault)
};

struct SettingsReadResult {
    SettingsRecord record;   // every field as last read, across all records read
    SettingsReadOutcome outcome = SettingsReadOutcome::Empty;
    FsStatus readStatus;     // why the file could not be read, when Unreadable
};

// The text forms, without any file access.
QString FormatSettingsRecord(const SettingsRecord &record);   // one line ending in "\r\n"
SettingsReadResult ParseSettingsText(const QString &text);
QString FormatExtensionList(const QStringList &entries);
QStringList ParseExtensionList(const QString &text);

// The files, through the platform's text files (CP932, or UTF-8 with a mark
// when CP932 cannot hold the text; written through a temporary file). The
// callers check that a file exists before reading it.
SettingsReadResult ReadSettingsFile(TextFiles &textFiles, const QString &path);
FsStatus WriteSettingsFile(TextFiles &textFiles, const QString &path, const SettingsRecord &record);
FsResult<QStringList> ReadExtensionList(TextFiles &textFiles, const QString &path);
FsStatus WriteExtensionList(TextFiles &textFiles, const QString &path, const QStringList &entries);

}  // namespace nv
