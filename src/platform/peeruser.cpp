// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/peeruser.h"

#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace nv {

static_assert(sizeof(UserId) == sizeof(uid_t));

UserId currentUser() { return ::getuid(); }

QString currentUserName()
{
    passwd entry {};
    passwd *found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) != 0 || !found) return {};
    return QString::fromLocal8Bit(found->pw_name);
}

bool socketPeerIs(qintptr socketDescriptor, UserId user)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == user;
}

}  // namespace nv
