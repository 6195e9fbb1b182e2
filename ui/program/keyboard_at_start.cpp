#include "program/keyboard_at_start.h"

#include <QTimer>
#include <QWidget>

namespace quelvaris {

void takeKeyboardAtStart(QWidget* window) {
  // In the first second the request is repeated even when Qt already counts
  // the window active: GNOME Shell then gives it X11's focus, but not yet the
  // keyboard of its Wayland session, and asked again, it does.
  constexpr int ALWAYS = 10;
  constexpr int AT_MOST = 30;
  auto* retry = new QTimer(window);
  retry->setInterval(100);
  QObject::connect(retry, &QTimer::timeout, window, [window, retry, tick = 0]() mutable {
    ++tick;
    if (tick > AT_MOST || (tick > ALWAYS && window->isActiveWindow())) {
      retry->deleteLater();
      return;
    }
    window->activateWindow();
  });
  window->activateWindow();
  retry->start();
}

}  // namespace quelvaris
