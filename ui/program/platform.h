#pragma once

// What the program settles with its platform before Qt starts, and the noise
// of the platform it keeps out of its own answers.

namespace quelvaris {

// Whether a display can be had. Only X11 and Wayland name theirs in the
// environment; the desktops of Windows and macOS are always there. A platform
// chosen by the environment or by -platform is trusted.
bool displayAvailable(int argc, char* argv[]);

// The platform Qt starts on, unless the user chose one (QT_QPA_PLATFORM or
// -platform), which is kept.
// - On a desktop that offers both Wayland and X11 (GNOME and KDE Plasma run
//   X11 programs through Xwayland): X11. Wayland lets no program place its
//   windows or keep them out of the task switcher, and Qt would draw its own
//   title bar with minimise and maximise; on X11 the windows stand where they
//   are laid out, with the desktop's own narrow title bar. A Wayland start-up
//   token (XDG_ACTIVATION_TOKEN) is passed on as X11's (DESKTOP_STARTUP_ID),
//   which the same desktops accept, so that the window takes the keyboard.
//   A desktop with Wayland alone keeps Wayland.
// - On Windows: the font engine that measures the windows' texts as on Linux
//   (look/text_as_on_linux.h).
void choosePlatform(int argc, char* argv[]);

// Keeps Qt's warning that XDG_RUNTIME_DIR is not set (as for root in a
// container) out of what the program prints, until stopped.
class RuntimeDirWarningFilter {
 public:
  RuntimeDirWarningFilter();
  ~RuntimeDirWarningFilter();
  RuntimeDirWarningFilter(const RuntimeDirWarningFilter&) = delete;
  RuntimeDirWarningFilter& operator=(const RuntimeDirWarningFilter&) = delete;
};

}  // namespace quelvaris
