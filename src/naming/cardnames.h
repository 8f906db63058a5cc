// SPDX-License-Identifier: GPL-3.0-or-later
// The names that memory cards and other volumes of the FAT family (FAT,
// exFAT) cannot hold, so that a batch refuses them before its first file is
// touched instead of failing half-way with the driver's misleading words.
#pragma once

#include <QString>

namespace nv {

// Why a name cannot be one on such a volume; empty when it can. Refused are
// the characters \ / : * ? " < > | and the control characters, a name ending
// in a dot or a blank, and the device names that Windows and cameras reserve
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9 in any letter case, with or
// without an extension).
QString cardNameProblem(const QString &name);

}  // namespace nv
