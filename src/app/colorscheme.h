// SPDX-License-Identifier: GPL-3.0-or-later
// The window follows the desktop's palette. A desktop whose dark theme does
// not reach Qt programs (no Qt theme plug-in) can ask for a dark window with
// NORVANTA2_COLOR_SCHEME=dark: Qt's Fusion style with a dark palette.
#pragma once

class QApplication;

namespace nv {

// Applies the dark palette when the environment asks for it; otherwise
// leaves the desktop's palette alone.
void applyColorScheme(QApplication &application);

}  // namespace nv
