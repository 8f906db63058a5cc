// SPDX-License-Identifier: GPL-3.0-or-later
// What became of each step of a batch that was cut short (the program was
// killed, the power failed), read from the disk: whether the source is still
// there as that file, whether the new path holds it, whether the file that
// held that path went into its trash entry.
#pragma once

#include "journal/batchroles.h"

namespace nv {

std::vector<StepOutcome> ReadStepStates(const BatchRoles &roles, const Journal &journal);

// Whether a file found at a path now is the one a step recorded: the same
// file where the step renamed or linked it, a file of the same size and
// time where it copied it.
bool IsStepFile(const FileVersion &now, const FileVersion &recorded, bool sameFile, Recognition recognition);

}  // namespace nv
