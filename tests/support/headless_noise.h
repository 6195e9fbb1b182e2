#pragma once

// Qt's offscreen platform, on which the tests and benchmarks run, warns each
// time a window asks for something it cannot do ("This plugin does not
// support raise()"), and under Wine the Windows platform warns of a call Wine
// lacks. Neither says anything about the program; repeated by the hundred they
// bury the lines that do. Every other message passes on unchanged. (The tests
// are given a runtime folder, so Qt has no XDG_RUNTIME_DIR to warn of.)

#include <QString>
#include <QtGlobal>

namespace quelvaris::test {

inline QtMessageHandler& passedOnHandler() {
  static QtMessageHandler handler = nullptr;
  return handler;
}

inline bool isHeadlessNoise(const QString& message) {
  return message.startsWith(QLatin1String("This plugin does not support ")) ||
         message.startsWith(QLatin1String("EnableNonClientDpiScaling() failed"));  // under Wine
}

// Installs the filter in front of whatever handler is in place (QtTest's own
// in a test program), so call it once that one is installed.
inline void silenceHeadlessNoise() {
  passedOnHandler() = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (isHeadlessNoise(message)) return;
        if (passedOnHandler() != nullptr) passedOnHandler()(type, context, message);
      });
}

}  // namespace quelvaris::test
