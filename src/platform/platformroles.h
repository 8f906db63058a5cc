// SPDX-License-Identifier: GPL-3.0-or-later
// The platform in roles. Everything the program does to files, folders,
// volumes, the trash, batch journals, message boxes, the pointer, photos and
// the desktop goes through one of the role interfaces of this folder, one
// header each, passed in and never global: the rules run over a temporary
// folder with a scripted message box, and a port needs new implementations of
// the roles and nothing else. Each rule and window takes only the roles it
// uses, so its signature shows what it touches.
//
// PlatformRoles holds every role at once, for the main window, which hands
// each rule and window it opens its own. It is made from one object that
// provides them all, as the running program's and the tests' platforms do.
#pragma once

#include "platform/batchfiles.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/journalfiles.h"
#include "platform/media.h"
#include "platform/textfiles.h"
#include "platform/trash.h"
#include "platform/volumes.h"

#include <concepts>

namespace nv {

template <typename T>
concept AllPlatformRoles = std::derived_from<T, Folders> && std::derived_from<T, TextFiles>
                           && std::derived_from<T, Volumes> && std::derived_from<T, BatchFiles>
                           && std::derived_from<T, Dialogs> && std::derived_from<T, Media>
                           && std::derived_from<T, Desktop> && std::derived_from<T, Trash>
                           && std::derived_from<T, JournalFiles>;

struct PlatformRoles {
    template <AllPlatformRoles Platform>
    PlatformRoles(Platform &platform)
        : folders(platform), textFiles(platform), volumes(platform), batchFiles(platform), dialogs(platform),
          media(platform), desktop(platform), trash(platform), journalFiles(platform)
    {
    }

    Folders &folders;
    TextFiles &textFiles;
    Volumes &volumes;
    BatchFiles &batchFiles;
    Dialogs &dialogs;
    Media &media;
    Desktop &desktop;
    Trash &trash;
    JournalFiles &journalFiles;
};

}  // namespace nv
