// SPDX-License-Identifier: GPL-3.0-or-later
// Every control and menu entry carries its name as its object name, so tests
// and the window's own tables find it by that name.
#pragma once

#include <QLatin1String>

namespace nv {

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

}  // namespace nv
