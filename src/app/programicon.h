// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own icon, compiled in so that a build folder, a portable
// folder and an installed program all show it.
#pragma once

#include <QIcon>

namespace nv {

// Every size drawn for it, 16 to 256 pixels.
QIcon ProgramIcon();

}  // namespace nv
