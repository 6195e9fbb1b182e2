"""Another program the user goes to and types into, as into a terminal: a
GTK window with a text box, on X11. Like every desktop program it stamps its
window with the time of the user's last key (_NET_WM_USER_TIME), which the
window managers weigh against a later request to raise another window."""

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

window = Gtk.Window(title="Otro programa")
window.add(Gtk.Entry())
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
