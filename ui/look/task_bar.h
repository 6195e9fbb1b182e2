#pragma once

// Keeping the program's windows out of the desktop's task bar and pager.

class QWidget;

namespace quelvaris {

// Each time `window` is shown on X11, it asks the window manager to give it
// no task-bar button and no place in the pager (_NET_WM_STATE_SKIP_TASKBAR,
// _NET_WM_STATE_SKIP_PAGER), as a tool window should have. Qt marks tool
// windows as utility windows only, which most X11 task bars list anyway.
// The hint is set before the window is mapped, where window managers read
// it; Qt keeps it when it adds its own states. Windows keeps tool windows
// out of its task bar by itself, and Wayland has no such hint: there, and on
// platforms without windows, nothing is done.
void keepOffTaskBar(QWidget* window);

}  // namespace quelvaris
