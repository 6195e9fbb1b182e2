#include "program/keyboard_at_start.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace quelvaris {
namespace {

// Notes the user's first key, click or touch anywhere in the program: from
// then on the keyboard is where the user put it. A key that triggers a
// shortcut (F1) reaches the program as a shortcut override alone.
class FirstInput : public QObject {
 public:
  using QObject::QObject;
  bool seen = false;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::ShortcutOverride:
      case QEvent::MouseButtonPress:
      case QEvent::TouchBegin:
        seen = true;
        break;
      default:
        break;
    }
    return false;
  }
};

}  // namespace

void takeKeyboardAtStart(QWidget* window) {
  // In the first second the request is repeated even when Qt already counts
  // the window active: GNOME Shell then gives it X11's focus, but not yet the
  // keyboard of its Wayland session, and asked again, it does.
  constexpr int ALWAYS = 10;
  constexpr int AT_MOST = 30;
  auto* retry = new QTimer(window);
  retry->setObjectName(QStringLiteral("keyboardAtStart"));
  retry->setInterval(100);
  auto* input = new FirstInput(retry);  // goes with the timer, and stops filtering then
  qApp->installEventFilter(input);
  QObject::connect(retry, &QTimer::timeout, window, [window, retry, input, tick = 0]() mutable {
    ++tick;
    // Another window of the program (the help, opened at once) keeps the
    // keyboard it was given.
    const QWidget* active = QApplication::activeWindow();
    const bool anotherActive = active != nullptr && active != window;
    if (input->seen || anotherActive || tick > AT_MOST ||
        (tick > ALWAYS && window->isActiveWindow())) {
      retry->deleteLater();
      return;
    }
    window->activateWindow();
  });
  window->activateWindow();
  retry->start();
}

}  // namespace quelvaris
