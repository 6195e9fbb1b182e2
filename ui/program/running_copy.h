#pragma once

// One copy of the program per user session: a later start hands over to the
// copy that runs, which comes forward with the user's numbers as they were,
// and ends. Two copies stacked at the same place would hide the first.

#include "program/come_forward.h"

namespace quelvaris {

// Whether a copy of the program already runs in this session and came
// forward for this start, which then ends. Otherwise this start becomes the
// copy that later starts hand over to, until it ends. A copy that does not
// answer within a short time (busy ending, or hung) is passed over and this
// start runs as a program of its own, so that no start is lost.
// - Linux: the freedesktop way, which the desktops' launchers speak too
//   (org.freedesktop.Application on the session bus, under the program's
//   application id). Without a session bus, every start is a copy of its own.
// - Windows: the named mutex held by the running copy (which the installer
//   looks for too), and a message to its main window.
bool handedOverToRunningCopy(const StartTokens& tokens);

}  // namespace quelvaris
