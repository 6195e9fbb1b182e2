#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "forms/main_window.h"
#include "program/keyboard_at_start.h"
#include "program/platform.h"
#include "program/running_copy.h"
#include "program/start.h"
#include "program/version.h"
#ifndef Q_OS_WIN
#include "program/command_line.h"
#endif

int main(int argc, char* argv[]) {
  quelvaris::choosePlatform(argc, argv);
  const quelvaris::StartTokens tokens = quelvaris::tokensOfThisStart();
  // Without a display the program still answers --version and --help (over
  // SSH, say): Qt then starts on its offscreen platform, only to read the
  // command line, which it needs to take its own options out of it.
  const bool display = quelvaris::displayAvailable(argc, argv);
  if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's warning of a missing XDG_RUNTIME_DIR (root in a container) would
  // stand in the answers to --version and --help; it is kept out until then.
  std::optional<quelvaris::RuntimeDirWarningFilter> quietStart(std::in_place);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quelvaris"));
  QApplication::setApplicationVersion(QStringLiteral(QUELVARIS_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral(QUELVARIS_APP_ID));

#ifndef Q_OS_WIN
  if (const std::optional<int> status = quelvaris::handleCommandLine(QApplication::arguments()))
    return *status;
#endif
  if (!display) {
    std::fputs(
        "Quelvaris necesita una pantalla gráfica y no encontró ninguna "
        "(las variables DISPLAY y WAYLAND_DISPLAY están vacías).\n",
        stderr);
    return EXIT_FAILURE;
  }
  quietStart.reset();
  if (quelvaris::handedOverToRunningCopy(tokens)) return EXIT_SUCCESS;

  quelvaris::prepareForWindows(application);
  quelvaris::MainWindow window;
  window.show();
  quelvaris::takeKeyboardAtStart(&window);
  return application.exec();
}
