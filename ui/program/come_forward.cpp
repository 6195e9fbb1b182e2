#include "program/come_forward.h"

#include "look/x11_atom.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <QtGlobal>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <X11/Xlib.h>  // after Qt's: its macros (None, Bool) would rename Qt's
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#endif

namespace quelvaris {
namespace {

QPointer<QWidget> lastActive;

QWidget* windowToBringForward() {
  if (!lastActive.isNull() && lastActive->isVisible()) return lastActive;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == QLatin1String("Quelvaris") && window->isVisible()) return window;
  return nullptr;
}

#if QT_CONFIG(xcb)
// Qt's own activateWindow stamps its request with the time of the last event
// the program saw, earlier than the other program's last key: every X11
// window manager's focus-stealing prevention then refuses it, and at most
// marks the window as wanting attention. The request is sent here instead,
// on a connection of its own, stamped with the time the user started the
// program again: the startup notification's, or else the X server's now.
// The startup notification id ends in "_TIME" and the time of the user's
// request, as the launchers write it.
std::optional<xcb_timestamp_t> timeOfRequest(const QByteArray& startupId) {
  const qsizetype at = startupId.lastIndexOf("_TIME");
  if (at < 0) return std::nullopt;
  bool valid = false;
  const qulonglong time = startupId.mid(at + 5).toULongLong(&valid);
  if (!valid || time == 0 || time > 0xffffffffULL) return std::nullopt;
  return static_cast<xcb_timestamp_t>(time);
}

// The X server's time now, as X11 offers it: in the event that a change of
// a property brings.
xcb_timestamp_t serverTime(xcb_connection_t* connection, xcb_window_t root) {
  const xcb_window_t probe = xcb_generate_id(connection);
  const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, probe, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      0, nullptr);
  xcb_flush(connection);
  xcb_timestamp_t time = XCB_CURRENT_TIME;
  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
    const bool property = (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY;
    if (property) time = reinterpret_cast<xcb_property_notify_event_t*>(event)->time;
    std::free(event);
    if (property) break;
  }
  xcb_destroy_window(connection, probe);
  return time;
}

// Ends the launcher's startup notification (its busy pointer), as a window
// shown for it would: "remove: ID=...", in pieces of 20 bytes.
void endStartupNotification(xcb_connection_t* connection, xcb_window_t root,
                            const QByteArray& startupId) {
  QByteArray message = "remove: ID=";
  for (const char c : startupId) {
    if (c == ' ' || c == '"' || c == '\\') message += '\\';
    message += c;
  }
  message += '\0';
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 8;
  event.window = root;
  event.type = atomNamed(connection, "_NET_STARTUP_INFO_BEGIN");
  const xcb_atom_t more = atomNamed(connection, "_NET_STARTUP_INFO");
  for (qsizetype sent = 0; sent < message.size(); sent += 20) {
    std::memset(event.data.data8, 0, sizeof event.data.data8);
    std::memcpy(event.data.data8, message.constData() + sent,
                static_cast<size_t>(qMin<qsizetype>(20, message.size() - sent)));
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                   reinterpret_cast<const char*>(&event));
    event.type = more;
  }
}

// Asks the window manager to activate `window` (_NET_ACTIVE_WINDOW, from an
// application, at the user's request); false where X11 is not the platform.
bool activateOnX11(QWidget* window, const StartTokens& tokens) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  // Our own connection, to the display Qt opened (-display, or DISPLAY): the
  // server's time comes in an event, and the events of Qt's are Qt's.
  int screenNumber = 0;
  xcb_connection_t* connection =
      xcb_connect(x11->display() ? XDisplayString(x11->display()) : nullptr, &screenNumber);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    return false;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  const xcb_window_t root = screens.data->root;
  // The server is asked only where the start brought no time of its own.
  const std::optional<xcb_timestamp_t> requested = timeOfRequest(tokens.startupId);
  const xcb_timestamp_t time = requested ? *requested : serverTime(connection, root);
  if (!tokens.startupId.isEmpty()) endStartupNotification(connection, root, tokens.startupId);

  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = static_cast<xcb_window_t>(window->winId());
  event.type = atomNamed(connection, "_NET_ACTIVE_WINDOW");
  event.data.data32[0] = 1;  // from an application
  event.data.data32[1] = time;
  xcb_send_event(connection, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));
  // A round trip before the connection closes: the X server may drop what a
  // closed connection sent and it had not read yet.
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  xcb_disconnect(connection);
  return true;
}
#endif

}  // namespace

StartTokens tokensOfThisStart() {
  return {qgetenv("DESKTOP_STARTUP_ID"), qgetenv("XDG_ACTIVATION_TOKEN")};
}

void rememberActiveWindow() {
  QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* /*old*/, QWidget* now) {
    if (now != nullptr) lastActive = now->window();
  });
}

void comeForward(const StartTokens& tokens) {
  QWidget* window = windowToBringForward();
  if (window == nullptr) return;
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
#if QT_CONFIG(xcb)
  if (activateOnX11(window, tokens)) return;
#endif
  // Wayland's Qt hands the token over with the next request of a window.
  if (!tokens.activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", tokens.activationToken);
  window->activateWindow();
}

}  // namespace quelvaris
