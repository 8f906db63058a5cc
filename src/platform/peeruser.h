// SPDX-License-Identifier: GPL-3.0-or-later
// Which user a program runs as, for the channel that takes texts from other
// programs over a local socket: each end makes sure that the program at the
// other end runs as the expected user. Stateless questions to the system, so
// the channel and the sender command ask them directly.
#pragma once

#include <QString>

namespace nv {

using UserId = quint32;

// The user this program runs as, and that user's login name.
UserId currentUser();
QString currentUserName();
// Whether the program at the other end of a connected local socket runs as user.
bool socketPeerIs(qintptr socketDescriptor, UserId user);

}  // namespace nv
