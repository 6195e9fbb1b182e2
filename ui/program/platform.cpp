#include "program/platform.h"

#include "look/text_as_on_linux.h"

#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <cstring>

namespace quelvaris {
namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
constexpr bool DISPLAY_FROM_ENVIRONMENT = true;
#else
constexpr bool DISPLAY_FROM_ENVIRONMENT = false;
#endif

bool isSet(const char* name) {
  return !qEnvironmentVariableIsEmpty(name);
}

QtMessageHandler passedOn = nullptr;

// Qt 6 hands back its default handler when none was installed, never null.
void dropRuntimeDirWarning(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  passedOn(type, context, message);
}

bool platformChosen(int argc, char* argv[]) {
  if (isSet("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  return false;
}

}  // namespace

bool displayAvailable(int argc, char* argv[]) {
  if (!DISPLAY_FROM_ENVIRONMENT) return true;
  return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || platformChosen(argc, argv);
}

void choosePlatform(int argc, char* argv[]) {
  if (platformChosen(argc, argv)) return;
#ifdef Q_OS_WIN
  qputenv("QT_QPA_PLATFORM", WINDOWS_PLATFORM);
#else
  if (DISPLAY_FROM_ENVIRONMENT && isSet("WAYLAND_DISPLAY") && isSet("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (isSet("XDG_ACTIVATION_TOKEN") && !isSet("DESKTOP_STARTUP_ID"))
      qputenv("DESKTOP_STARTUP_ID", qgetenv("XDG_ACTIVATION_TOKEN"));
  }
#endif
}

RuntimeDirWarningFilter::RuntimeDirWarningFilter() {
  passedOn = qInstallMessageHandler(dropRuntimeDirWarning);
}

RuntimeDirWarningFilter::~RuntimeDirWarningFilter() {
  qInstallMessageHandler(passedOn);
}

}  // namespace quelvaris
