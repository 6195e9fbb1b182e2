#pragma once

// What the program settles with its platform before Qt starts, and the noise
// of the platform it keeps out of its own answers.

namespace quelvaris {

// Whether a display can be had. Only X11 and Wayland name theirs in the
// environment; the desktops of Windows and macOS are always there. A platform
// chosen by the environment or by -platform is trusted.
bool displayAvailable(int argc, char* argv[]);

// On Windows: the text of the windows measured as on the desktops the layout
// was drawn on. Windows' own font engines round every glyph's advance to a
// whole pixel, which makes the interface font about 6% wider and wraps
// labels; Qt's FreeType engine does not. A platform the user chose is kept.
// Elsewhere nothing is done.
void chooseFontEngine();

// On Windows: a desktop program has no console of its own, so that --version
// and --help print in the console it was started from, if any. Elsewhere
// nothing is done.
void attachToParentConsole();

// On Windows: tells the installer that the program is running, by a named
// mutex that the program holds until it ends. Windows locks a running
// program's files, so an install or uninstall beside it would fail half-way;
// the installer looks for the mutex first (packaging/windows). Elsewhere
// nothing is done.
void announceRunning();

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
