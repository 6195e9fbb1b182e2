#include <QApplication>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "accessibility/accessibility.h"
#include "look/window_style.h"
#include "program/command_line.h"
#include "windows/main_window.h"

namespace {

// Only X11 and Wayland name their display in the environment; the desktops of
// Windows and macOS are always there.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
constexpr bool DISPLAY_FROM_ENVIRONMENT = true;
#else
constexpr bool DISPLAY_FROM_ENVIRONMENT = false;
#endif

// Without a display Qt would abort with a message of its own. A platform
// chosen by the environment or by -platform is trusted.
bool displayAvailable(int argc, char* argv[]) {
  if (!DISPLAY_FROM_ENVIRONMENT) return true;
  const auto isSet = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Without a display the program still answers --version and --help (over
  // SSH, say): Qt then starts on its offscreen platform, only to read the
  // command line, which it needs to take its own options out of it.
  const bool display = displayAvailable(argc, argv);
  if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quelvaris"));
  QApplication::setApplicationVersion(QStringLiteral(QUELVARIS_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral(QUELVARIS_APP_ID));

  if (const std::optional<int> status = quelvaris::handleCommandLine(QApplication::arguments()))
    return *status;
  if (!display) {
    std::fputs(
        "Quelvaris necesita una pantalla gráfica y no encontró ninguna "
        "(las variables DISPLAY y WAYLAND_DISPLAY están vacías).\n",
        stderr);
    return EXIT_FAILURE;
  }

  quelvaris::applyProgramStyle();
  quelvaris::applyInterfaceFont();
  quelvaris::installAccessibility();
  quelvaris::MainWindow window;
  window.show();
  return application.exec();
}
