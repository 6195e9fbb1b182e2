#include "look/task_bar.h"

#include "look/x11_atom.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <array>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace quelvaris {
namespace {

#if QT_CONFIG(xcb)
// Adds the two states to the window's _NET_WM_STATE before it is mapped.
// Before mapping, the property is the client's to write: the window manager
// reads it when the window maps.
void skipTaskBarAndPager(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_atom_t state = atomNamed(connection, "_NET_WM_STATE");
  const std::array<xcb_atom_t, 2> skipped = {atomNamed(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                             atomNamed(connection, "_NET_WM_STATE_SKIP_PAGER")};
  if (state == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32,
                      skipped.size(), skipped.data());
  xcb_flush(connection);
}
#endif

class TaskBarHint : public QObject {
 public:
  explicit TaskBarHint(QWidget* window) : QObject(window), window(window) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    // Show arrives once the native window exists and before it is mapped.
    if (event->type() == QEvent::Show) {
#if QT_CONFIG(xcb)
      // The interface is there whatever the platform; only X11's has a connection.
      const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
      if (x11 != nullptr && x11->connection() != nullptr)
        skipTaskBarAndPager(x11->connection(), static_cast<xcb_window_t>(window->winId()));
#endif
    }
    return false;
  }

 private:
  QWidget* window;
};

}  // namespace

void keepOffTaskBar(QWidget* window) {
  new TaskBarHint(window);
}

}  // namespace quelvaris
