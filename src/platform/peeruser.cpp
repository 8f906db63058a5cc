#include "platform/peeruser.h"

#include <sys/socket.h>
#include <unistd.h>

namespace nv {

static_assert(sizeof(UserId) == sizeof(uid_t));

UserId currentUser() { return ::getuid(); }

bool socketPeerIs(qintptr socketDescriptor, UserId user)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == user;
}

}  // namespace nv
